#pragma once

#include "PhoneFile.h"
#include "ProviderFile.h"
#include "SaveHelper.h"
#include "TextCodec.h"

#include <QByteArray>
#include <QString>

namespace tarvok::test {

// The two files that are saved with a backup generation.
enum class DataFile { Phone, Provider };

inline const char* FileName(DataFile kind) {
    return kind == DataFile::Phone ? kPhoneFileName : kProviderFileName;
}
inline const char* BackupName(DataFile kind) {
    return kind == DataFile::Phone ? kPhoneBackupName : kProviderBackupName;
}
inline const char* HelperMode(DataFile kind) {
    return kind == DataFile::Phone ? "phone" : "provider";
}

inline constexpr int kHelperProviders = 200;

// The table the save helper writes: many rows, one of them named "gen<generation>".
inline ProviderTable HelperTable(const QString& generation) {
    std::vector<ProviderRecord> rows;
    for (int i = 0; i < kHelperProviders; ++i)
        rows.push_back({QStringLiteral("Anbieter %1").arg(i), QStringLiteral("010%1").arg(i), 1,
                        i % 2, i % 24, 24, 1, 1, i % 2});
    rows.push_back(
        {QStringLiteral("gen") + generation, QStringLiteral("01000"), 1, 1, 0, 24, 1, 1, 1});
    ProviderTable table;
    table.AddProviderRows(rows);
    return table;
}

inline constexpr int kMissing = 0;
inline constexpr int kIncomplete = -1;

// The generation a file written by the save helper holds: kMissing, kIncomplete for
// anything that is not one whole generation, else the generation number.
inline int GenerationOf(DataFile kind, const QByteArray& bytes) {
    if (bytes.isNull())
        return kMissing;
    const QString text = DecodeWindows1252(bytes);
    QString name;
    if (kind == DataFile::Phone) {
        const QString versionLine = QStringLiteral("[BRISEL VERSION 2.2]\r\n");
        PhoneBook book;
        if (!text.startsWith(versionLine) ||
            !ReadPhoneFile(QStringView(text).mid(versionLine.size()), false, 2, book, nullptr))
            return kIncomplete;
        int entries = 0;
        for (const PhoneList& list : book.lists)
            entries += list.count();
        if (entries != kHelperEntries)
            return kIncomplete;
        name = book.settings.ListNames[0];
    } else {
        ProviderTable table;
        if (!ReadProviderText(text, table, nullptr) || table.rowCount() != kHelperProviders + 1)
            return kIncomplete;
        for (int i = 0; i < table.rowCount(); ++i)
            if (table.record(i).Name.startsWith(u"gen"))
                name = table.record(i).Name;
    }
    bool ok = false;
    const int generation = name.startsWith(u"gen") ? name.mid(3).toInt(&ok) : 0;
    return ok && generation > 0 ? generation : kIncomplete;
}

} // namespace tarvok::test
