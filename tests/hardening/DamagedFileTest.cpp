// Damaged data files: every case is either read as the reading rules say or refused with
// the file's name and line; nothing crashes, and nothing on disk changes unless the user
// was told. Checked through the file readers and through the start-up with its messages.
#include "MessageBox.h"
#include "PhoneFile.h"
#include "ProviderFile.h"
#include "StartUp.h"
#include "TariffList.h"
#include "TextCodec.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <map>

using namespace tarvok;

namespace {

enum class Kind { Phone, Provider, Tariff };

struct Case {
    std::string name;
    Kind kind;
    QByteArray bytes;
    int line;  // the line a refusal names; 0 when the file reads
    int count; // entries or rows read
};

const QByteArray kVersion = "[BRISEL VERSION 2.2]\r\n";
const QByteArray kSettings = "1,1,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0\r\n";
const QByteArray kNames = "\"B\xFCro 1\",\"B\xFCro 2\",\"Privat 1\",\"Privat 2\"\r\n";
const QByteArray kEntries = "1,\"Meier\",\"49 89 1\",0\r\n2,\"Huber\",\"49 30 2\",1\r\n";
const QByteArray kPhone = kVersion + kSettings + kNames + kEntries;
const QByteArray kProviders = "\"Tele A\",\"01011\",1,1,0,24,1,1,1\r\n"
                              "\"Tele B\",\"01022\",1,0,9,18,1,1,0\r\n";
const QByteArray kTariffHead = "Tarvok Pro Provider Update;2026-12-01\r\n"
                               "Name;Netz;Mo-Fr;Sa-So;ab;bis;N;F;A\r\n";
const QByteArray kTariffRows = "Tele A;01011;x;x;0;24;x;x;x\r\n"
                               "Tele B;01022;x;;9;18;x;x;\r\n";

int LineAt(const QByteArray& bytes, qsizetype end) {
    return 1 + int(bytes.left(end).count('\n'));
}

// Bytes of a literal that holds NULs.
template <qsizetype N> QByteArray Bytes(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

// The file cut after every field and after every separator from `from` on. A cut that
// leaves whole lines, or a last line with all its values, reads those; any other cut is
// refused at the line it falls in, with the rows before it kept where the reader keeps
// them. A tariff line's last value may be empty, so eight separators make a whole row.
void AddCuts(std::vector<Case>& cases, Kind kind, const QByteArray& bytes, qsizetype from,
             const char* label) {
    const char separator = kind == Kind::Tariff ? ';' : ',';
    const int fields = kind == Kind::Phone ? 4 : 9;
    const int firstData = kind == Kind::Phone ? 4 : kind == Kind::Tariff ? 3 : 1;
    for (qsizetype end = from + 1; end <= bytes.size(); ++end) {
        const char last = bytes[end - 1];
        const char next = end < bytes.size() ? bytes[end] : '\r';
        const bool afterSeparator = last == separator || last == '\n';
        const bool afterField = !afterSeparator && (next == separator || next == '\r');
        if (!afterField && !afterSeparator)
            continue;
        const QByteArray cut = bytes.left(end);
        const int line = LineAt(cut, end);
        const int values = int(cut.mid(cut.lastIndexOf('\n') + 1).count(separator)) + 1;
        bool whole = last == '\n' ||
                     (kind == Kind::Tariff ? values >= fields : afterField && values == fields);
        if (kind == Kind::Phone && line <= 3) // the settings and the four list names
            whole = line == 3 && afterField && values == 4;
        const int linesBefore = line - firstData;
        const std::string name = std::string(label) + " cut after byte " + std::to_string(end);
        if (whole)
            cases.push_back({name, kind, cut, 0, linesBefore + (last == '\n' ? 0 : 1)});
        else
            cases.push_back({name, kind, cut, line, kind == Kind::Phone ? 0 : linesBefore});
    }
}

std::vector<Case> Cases() {
    const QByteArray megabyte(1 << 20, 'x');
    const QByteArray head = kVersion + kSettings + kNames;
    std::vector<Case> cases = {
        // Brisel.DAT
        {"whole phone book", Kind::Phone, kPhone, 0, 2},
        {"NUL inside a name", Kind::Phone, head + Bytes("1,\"Me\0ier\",\"1\",0\r\n"), 0, 1},
        {"NUL as list number", Kind::Phone, head + Bytes("\0,\"A\",\"1\",0\r\n"), 4, 0},
        {"name of 1 MB", Kind::Phone, head + "1,\"" + megabyte + "\",\"1\",0\r\n", 0, 1},
        {"flag of 1 MB", Kind::Phone, head + "1,\"A\",\"1\"," + megabyte + "\r\n", 4, 0},
        // The quote swallows the number; the entry runs short on the line after it.
        {"unterminated quote", Kind::Phone, head + "1,\"Meier,\"49 1\",0\r\n", 5, 0},
        {"unterminated last quote", Kind::Phone, head + "1,\"A\",\"49 1", 4, 0},
        {"list number 0 ends the entries", Kind::Phone, head + kEntries + "0\r\n\r\n", 0, 2},
        {"entries after list number 0", Kind::Phone, head + kEntries + "0\r\n3,\"C\",\"1\",0\r\n",
         6, 0},
        {"list number 5", Kind::Phone, head + "5,\"A\",\"1\",0\r\n", 4, 0},
        {"list number -1", Kind::Phone, head + "-1,\"A\",\"1\",0\r\n", 4, 0},
        {"list number 99999999999", Kind::Phone, head + "99999999999,\"A\",\"1\",0\r\n", 4, 0},
        {"entry size nan", Kind::Phone,
         kVersion + "1,1,0,\"\",0,\"00\",\"49\",nan,\"\",\"\",0\r\n" + kNames, 2, 0},
        {"entry size 1e309", Kind::Phone,
         kVersion + "1,1,0,\"\",0,\"00\",\"49\",1e309,\"\",\"\",0\r\n" + kNames, 2, 0},
        {"undefined windows-1252 bytes", Kind::Phone,
         head + "1,\"\x81\x8D\x8F\x90\x9D\",\"1\",0\r\n", 0, 1},
        {"CR alone", Kind::Phone, QByteArray(kPhone).replace("\r\n", "\r"), 0, 2},
        {"LF alone", Kind::Phone, QByteArray(kPhone).replace("\r\n", "\n"), 0, 2},
        {"UTF-8 BOM", Kind::Phone, "\xEF\xBB\xBF" + kPhone, 1, 0},
        {"empty file", Kind::Phone, "", 1, 0},
        // Provider.DAT
        {"whole provider file", Kind::Provider, kProviders, 0, 2},
        {"NUL inside a name", Kind::Provider, Bytes("\"Te\0le\",\"0\",1,1,0,24,1,1,1\r\n"), 0, 1},
        {"NUL as an hour", Kind::Provider, Bytes("\"A\",\"0\",1,1,\0,24,1,1,1\r\n"), 1, 0},
        {"name of 1 MB", Kind::Provider, "\"" + megabyte + "\",\"0\",1,1,0,24,1,1,1\r\n", 0, 1},
        {"hour of 1 MB", Kind::Provider, "\"A\",\"0\",1,1," + megabyte + ",24,1,1,1\r\n", 1, 0},
        {"unterminated quote", Kind::Provider, "\"Tele A,\"01011\",1,1,0,24,1,1,1\r\n", 1, 0},
        {"hour 25", Kind::Provider, "\"A\",\"0\",1,1,0,25,1,1,1\r\n", 0, 1},
        {"hour -1", Kind::Provider, "\"A\",\"0\",1,1,-1,24,1,1,1\r\n", 0, 1},
        {"hour 99999999999", Kind::Provider, "\"A\",\"0\",1,1,99999999999,24,1,1,1\r\n", 1, 0},
        {"hour nan", Kind::Provider, "\"A\",\"0\",1,1,nan,24,1,1,1\r\n", 1, 0},
        {"hour 1e309", Kind::Provider, kProviders + "\"A\",\"0\",1,1,1e309,24,1,1,1\r\n", 3, 2},
        {"undefined windows-1252 bytes", Kind::Provider, "\"\x81\x8D\",\"0\",1,1,0,24,1,1,1\r\n", 0,
         1},
        {"CR alone", Kind::Provider, QByteArray(kProviders).replace("\r\n", "\r"), 0, 2},
        {"LF alone", Kind::Provider, QByteArray(kProviders).replace("\r\n", "\n"), 0, 2},
        {"UTF-8 BOM", Kind::Provider, "\xEF\xBB\xBF" + kProviders, 0, 2},
        {"empty provider file", Kind::Provider, "", 0, 0},
        // the tariff list as downloaded
        {"whole tariff list", Kind::Tariff, kTariffHead + kTariffRows, 0, 2},
        {"NUL in a name", Kind::Tariff, kTariffHead + Bytes("T\0;010;x;x;0;24;x;x;x\r\n"), 0, 1},
        {"NUL as an hour", Kind::Tariff, kTariffHead + Bytes("T;010;x;x;\0;24;x;x;x\r\n"), 3, 0},
        {"line of 1 MB", Kind::Tariff, kTariffHead + megabyte + "\r\n" + kTariffRows, 3, 0},
        {"name of 1 MB", Kind::Tariff, kTariffHead + megabyte + ";010;x;x;0;24;x;x;x\r\n", 0, 1},
        {"unterminated quote", Kind::Tariff, kTariffHead + "\"Tele A;01011;x;x;0;24;x;x;x\r\n", 0,
         1},
        {"hour 25", Kind::Tariff, kTariffHead + "T;010;x;x;0;25;x;x;x\r\n", 0, 1},
        {"hour -1", Kind::Tariff, kTariffHead + "T;010;x;x;-1;24;x;x;x\r\n", 0, 1},
        {"hour nan", Kind::Tariff, kTariffHead + kTariffRows + "T;010;x;x;nan;24;x;x;x\r\n", 5, 2},
        {"hour 1e309", Kind::Tariff, kTariffHead + "T;010;x;x;1e309;24;x;x;x\r\n", 3, 0},
        {"hour 99999999999", Kind::Tariff, kTariffHead + "T;010;x;x;99999999999;24;x;x;x\r\n", 3,
         0},
        {"undefined windows-1252 bytes", Kind::Tariff,
         kTariffHead + "\x81\x8D\x8F;010;x;x;0;24;x;x;x\r\n", 0, 1},
        {"CR alone", Kind::Tariff, QByteArray(kTariffHead + kTariffRows).replace("\r\n", "\r"), 0,
         2},
        {"LF alone", Kind::Tariff, QByteArray(kTariffHead + kTariffRows).replace("\r\n", "\n"), 0,
         2},
        {"UTF-8 BOM", Kind::Tariff, "\xEF\xBB\xBF" + kTariffHead + kTariffRows, 1, 0},
    };
    AddCuts(cases, Kind::Phone, kPhone, kVersion.size(), "phone book");
    AddCuts(cases, Kind::Provider, kProviders, 0, "provider file");
    AddCuts(cases, Kind::Tariff, kTariffHead + kTariffRows, kTariffHead.size(), "tariff list");
    return cases;
}

QString Path(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(QLatin1String(name));
}

void Put(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(Path(dir, name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

std::map<QString, QByteArray> Snapshot(const QTemporaryDir& dir) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files[name] = file.readAll();
    }
    return files;
}

// The reader alone: read with the expected count, or refused with the file and line.
void ExpectRead(const Case& c) {
    QTemporaryDir dir;
    FileError error;
    int read = 0;
    int line = 0;
    if (c.kind == Kind::Phone) {
        Put(dir, kPhoneFileName, c.bytes);
        PhoneBook book;
        const PhoneFileOpening opening = OpenPhoneFile(dir.path(), book);
        for (const PhoneList& list : book.lists)
            read += list.count();
        error = opening.error;
        line = opening.outcome == PhoneFileOpening::Outcome::Read ? 0 : error.line;
        if (line) {
            EXPECT_EQ(error.fileName, kPhoneFileName);
        }
        EXPECT_EQ(Snapshot(dir).at(kPhoneFileName), c.bytes) << "the file was written";
        EXPECT_EQ(Snapshot(dir).size(), 1u);
    } else if (c.kind == Kind::Provider) {
        Put(dir, kProviderFileName, c.bytes);
        ProviderTable table;
        if (!LoadProviderFile(dir.path(), table, &error)) {
            line = error.line;
            EXPECT_EQ(error.fileName, kProviderFileName);
        }
        read = table.rowCount();
    } else {
        const QString text = ConvertTariffText(DecodeWindows1252(c.bytes));
        const TariffImport import =
            HasTariffMarker(text) ? ImportTariffList(text) : TariffImport{{}, 0, false, 1};
        line = import.failedLine;
        read = int(import.rows.size());
    }
    EXPECT_EQ(line, c.line) << error.detail.toStdString();
    EXPECT_EQ(read, c.count);
}

// The start-up with the damaged file: a refusal is told with the file name and line, and
// every file stays as it was; a copy of a damaged file may be added.
void ExpectStartUp(const Case& c) {
    QTemporaryDir dir;
    Put(dir, kPhoneFileName, c.kind == Kind::Phone ? c.bytes : kPhone);
    if (c.kind == Kind::Provider)
        Put(dir, kProviderFileName, c.bytes);
    const auto before = Snapshot(dir);
    QStringList told;
    MessageBox::setHandler([&](const MessageBox::Shown& box) {
        told << box.text;
        return MessageBox::Answer::No;
    });
    AppState state;
    state.dataDir = dir.path();
    const StartUp::Next next = StartUp(state).LoadDataFiles();
    MessageBox::setHandler({});
    const QString name = QLatin1String(c.kind == Kind::Phone ? kPhoneFileName : kProviderFileName);
    if (c.line == 0) {
        EXPECT_TRUE(told.isEmpty()) << told.join(u'\n').toStdString();
        EXPECT_EQ(next, StartUp::Next::ShowLists);
    } else if (c.kind == Kind::Phone && c.line == 1) {
        EXPECT_EQ(next, StartUp::Next::EndProgram); // not a phone book of a known version
        EXPECT_EQ(told.size(), 1);
    } else {
        const QString expected = QStringLiteral("„%1“ ist in Zeile %2").arg(name).arg(c.line);
        EXPECT_TRUE(told.join(u'\n').contains(expected)) << told.join(u'\n').toStdString();
    }
    for (const auto& [file, bytes] : Snapshot(dir)) {
        if (before.count(file)) {
            EXPECT_EQ(bytes, before.at(file)) << file.toStdString() << " changed";
        } else {
            EXPECT_TRUE(file.startsWith(name + ".damaged") && bytes == c.bytes)
                << file.toStdString() << " appeared";
        }
    }
}

TEST(DamagedFileTest, ReadOrRefusedWithTheLine) {
    const std::vector<Case> cases = Cases();
    std::map<Kind, int> perKind;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRead(c);
        if (c.kind != Kind::Tariff)
            ExpectStartUp(c);
        ++perKind[c.kind];
    }
    std::cout << cases.size() << " damaged-file cases: " << perKind[Kind::Phone] << " phone book, "
              << perKind[Kind::Provider] << " provider file, " << perKind[Kind::Tariff]
              << " tariff list\n";
}

// A damaged phone book beside a good backup: whether the user starts from the backup or
// not, and through the next save after that, the backup's content is never lost.
TEST(DamagedFileTest, GoodBackupSurvivesEveryDamage) {
    const QByteArray backup = kVersion + kSettings + kNames + "3,\"Backup\",\"49 1\",1\r\n";
    int cases = 0;
    for (const Case& c : Cases()) {
        if (c.kind != Kind::Phone || c.line < 2)
            continue; // read cleanly, or not a phone book of a known version
        SCOPED_TRACE(c.name);
        for (const bool fromBackup : {false, true}) {
            QTemporaryDir dir;
            Put(dir, kPhoneFileName, c.bytes);
            Put(dir, kPhoneBackupName, backup);
            MessageBox::setHandler([&](const MessageBox::Shown& box) {
                return box.icon == MessageBox::Icon::Question && fromBackup
                           ? MessageBox::Answer::Yes
                           : MessageBox::Answer::No;
            });
            AppState state;
            state.dataDir = dir.path();
            const StartUp::Next next = StartUp(state).LoadDataFiles();
            MessageBox::setHandler({});
            const auto files = Snapshot(dir);
            EXPECT_EQ(files.at(kPhoneBackupName), backup);
            if (!fromBackup) {
                EXPECT_EQ(next, StartUp::Next::EndProgram);
                EXPECT_EQ(files.at(kPhoneFileName), c.bytes);
                EXPECT_EQ(files.size(), 2u);
                continue;
            }
            ASSERT_EQ(next, StartUp::Next::ShowLists);
            EXPECT_EQ(files.at(kPhoneFileName), backup);
            EXPECT_EQ(files.at(QStringLiteral("Brisel.DAT.damaged")), c.bytes);
            ASSERT_EQ(state.phoneBook.lists[2].count(), 1);
            EXPECT_EQ(state.phoneBook.lists[2].at(0).Name, QStringLiteral("Backup"));
            // The next save keeps the content of the backup as the new backup.
            state.phoneBook.lists[0].insert({QStringLiteral("Neu"), QStringLiteral("49 2"), 0});
            FileError error;
            ASSERT_TRUE(SavePhoneFile(dir.path(), state.phoneBook, &error));
            EXPECT_EQ(Snapshot(dir).at(kPhoneBackupName), backup);
            EXPECT_EQ(Snapshot(dir).at(QStringLiteral("Brisel.DAT.damaged")), c.bytes);
        }
        ++cases;
    }
    EXPECT_GT(cases, 0);
}

} // namespace
