#include "ProviderFile.h"

#include "FieldReader.h"
#include "SafeFile.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>

namespace tarvok {

namespace {

// Two texts, then seven whole numbers; false with a reason when the row cannot be read.
bool readRow(FieldReader& in, ProviderRecord* record, QString* detail) {
    int* numbers[] = {&record->MoFr, &record->SaSo, &record->StartHour, &record->EndHour,
                      &record->Near, &record->Far,  &record->Abroad};
    if (in.readString(&record->Name) != FieldReader::Status::Ok ||
        in.readString(&record->NetworkCode) != FieldReader::Status::Ok) {
        *detail = QStringLiteral("file ends inside a row");
        return false;
    }
    for (int* number : numbers) {
        switch (in.readInteger(number)) {
        case FieldReader::Status::Ok:
            continue;
        case FieldReader::Status::Ended:
            *detail = QStringLiteral("file ends inside a row");
            return false;
        case FieldReader::Status::NotANumber:
        case FieldReader::Status::OutOfRange:
            *detail = QStringLiteral("text where a number belongs");
            return false;
        }
    }
    return true;
}

} // namespace

bool ReadProviderText(QStringView text, ProviderTable& table, FileError* error) {
    FieldReader in(text, 1);
    std::vector<ProviderRecord> records;
    bool ok = true;
    for (in.skipBlankLines(); !in.atEnd(); in.skipBlankLines()) {
        const int line = in.line();
        ProviderRecord record;
        QString detail;
        if (!readRow(in, &record, &detail)) {
            if (error)
                *error = {FileError::Kind::Damaged, QString::fromLatin1(kProviderFileName), line,
                          detail};
            ok = false;
            break;
        }
        records.push_back(std::move(record));
    }
    table.AddProviderRows(records);
    if (ok && error)
        *error = {};
    return ok;
}

bool LoadProviderFile(const QString& dir, ProviderTable& table, FileError* error) {
    const QString fileName = QString::fromLatin1(kProviderFileName);
    QFile file(QDir(dir).filePath(fileName));
    if (!file.exists()) {
        if (error)
            *error = {};
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = {FileError::Kind::CannotOpen, fileName, 0, file.errorString()};
        return false;
    }
    return ReadProviderText(DecodeWindows1252(file.readAll()), table, error);
}

QByteArray ProviderFileBytes(const ProviderTable& table) {
    QString out;
    out.reserve(qsizetype(table.rowCount()) * 48);
    for (int i = 0; i < table.rowCount(); ++i) {
        const ProviderRecord r = table.record(i);
        out += u'"' + r.Name + QStringLiteral("\",\"") + r.NetworkCode + QStringLiteral("\",");
        for (int value : {r.MoFr, r.SaSo, r.StartHour, r.EndHour, r.Near, r.Far})
            out += QString::number(value) + u',';
        out += QString::number(r.Abroad) + QStringLiteral("\r\n");
    }
    return EncodeWindows1252(out);
}

bool SaveProviderFile(const QString& dir, const ProviderTable& table, FileError* error) {
    return WriteWithBackup(dir, QString::fromLatin1(kProviderFileName),
                           QString::fromLatin1(kProviderBackupName), ProviderFileBytes(table),
                           error);
}

} // namespace tarvok
