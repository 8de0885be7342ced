#pragma once

#include <QStringList>
#include <QStringView>

#include <vector>

namespace tarvok {

// A CSV text taken apart: quoted fields with doubled quotes and line breaks inside quotes,
// CR LF, LF or CR between records; blank lines are left out.
struct CsvRecords {
    struct Record {
        int line = 0; // 1-based line where the record starts
        QStringList fields;
    };
    std::vector<Record> records;
    int openQuoteLine = 0; // a quote never closed, opened on this line; 0 when all is well
    bool tooMany = false;  // more than the records asked for; `records` is then cut there
};

// At most `maxRecords` records are kept: a small file of tiny lines must not fill memory.
CsvRecords SplitCsv(QStringView text, QChar separator, size_t maxRecords);

// The separator of the first line: the most frequent of comma, semicolon and tab outside
// quotes (comma when none occurs).
QChar DetectCsvSeparator(QStringView text);

} // namespace tarvok
