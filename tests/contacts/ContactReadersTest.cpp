// The vCard and CSV readers on files shaped like the exports of phones, mail programs and
// web accounts, and on the faults such files have.
#include "ContactFile.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvok;
using namespace Qt::StringLiterals;

namespace {

QString samplePath(const char* name) {
    return QStringLiteral(TARVOK_CONTACT_SAMPLES "/") + QLatin1String(name);
}

// "name|number" per row, the kind shows in the name where it is told.
QStringList rowsOf(const ContactFileContent& content) {
    QStringList rows;
    for (const ContactNumber& n : content.numbers)
        rows << n.name + u'|' + n.number;
    return rows;
}

struct SampleCase {
    const char* file;
    QStringList rows;
};

class SampleFiles : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleFiles, GiveEveryNumberWithItsName) {
    const ContactFileContent content = ReadContactFile(samplePath(GetParam().file));
    ASSERT_TRUE(content.ok()) << int(content.error) << " line " << content.line;
    EXPECT_EQ(rowsOf(content), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, SampleFiles,
    testing::Values(
        // QUOTED-PRINTABLE in UTF-8 and in Latin-1 with a soft line break; bare types;
        // a lone number keeps the name plain; FN without N.
        SampleCase{"phone-2.1.vcf",
                   {u"Müller, Jürgen (mobil)|+491701234567"_s,
                    u"Müller, Jürgen (privat)|030 1234567"_s,
                    u"Groß, Straßen-Heinz|+49 89 7654321"_s, u"Pizza Roma|089 445566"_s}},
        // Grouped properties, TYPE lists, a folded number, an empty N falls back to FN.
        SampleCase{"mail-3.0.vcf",
                   {u"Schmidt, Anna (geschäftlich)|+49 40 5556677"_s,
                    u"Schmidt, Anna (privat)|+49 40 1122 33"_s,
                    u"Hausverwaltung Nord, Büro|(040) 987 65-0"_s}},
        // tel: URIs with quoted type lists; a contact without number still shows.
        SampleCase{"contacts-4.0.vcf",
                   {u"Dupont, Jean (mobil)|tel:+33-6-12-34-56-78"_s,
                    u"Dupont, Jean (geschäftlich)|tel:+49-30-1234567;ext=12"_s,
                    u"Nummer, Ohne|"_s}},
        // Type columns beside value columns, " ::: " between numbers of one field.
        SampleCase{"google.csv",
                   {u"Mustermann, Erika (mobil)|+49 151 23456789"_s,
                    u"Mustermann, Erika (mobil)|+49 160 9876543"_s,
                    u"Mustermann, Erika (privat)|030 2222333"_s, u"Firma Beispiel|+49 69 1000"_s,
                    u"Doe, John|+1 212 555 0100"_s}},
        // BOM, a line break and doubled quotes inside quotes, the company as the name.
        SampleCase{"outlook.csv",
                   {u"Fischer, Peter (geschäftlich)|+49 211 123456"_s,
                    u"Fischer, Peter (mobil)|+49 171 1111111"_s, u"Stadtwerke|0211 999"_s}},
        // Semicolons and windows-1252.
        SampleCase{"outlook-de.csv",
                   {u"Weiß, Jürgen (geschäftlich)|0221 445566"_s,
                    u"Weiß, Jürgen (mobil)|0172 9988776"_s, u"Weiß, Jürgen (Fax)|0221 445567"_s,
                    u"Öztürk, Änne|0221 123123"_s}},
        SampleCase{"thunderbird-de.csv",
                   {u"Becker, Klaus|+49 351 44 55 66"_s, u"Verein Sonnenschein|0351 777888"_s}}),
    [](const testing::TestParamInfo<SampleCase>& info) {
        std::string name;
        for (const char* c = info.param.file; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

struct FaultCase {
    const char* title;
    QByteArray bytes;
    ContactFileError error;
    int line;
};

class Faults : public testing::TestWithParam<FaultCase> {};

TEST_P(Faults, AreRefusedWithNothingRead) {
    const ContactFileContent content = ReadContactBytes(GetParam().bytes);
    EXPECT_EQ(content.error, GetParam().error);
    EXPECT_EQ(content.line, GetParam().line);
    EXPECT_TRUE(content.numbers.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, Faults,
    testing::Values(
        FaultCase{"empty", "", ContactFileError::Empty, 0},
        FaultCase{"blanks", " \r\n\t\r\n", ContactFileError::Empty, 0},
        FaultCase{"binary",
                  QByteArray("\x7F"
                             "ELF\x02\x01\x01\0\0\0",
                             10),
                  ContactFileError::Binary, 0},
        FaultCase{"vcard_without_end",
                  "BEGIN:VCARD\nFN:A\nTEL:1\nEND:VCARD\nBEGIN:VCARD\nFN:B\nTEL:2\n",
                  ContactFileError::MissingEnd, 5},
        FaultCase{"csv_line_of_other_width", "Name;Telefon\nA;1\nB;2;3\n",
                  ContactFileError::WrongWidth, 3},
        FaultCase{"csv_quote_never_closed", "Name,Telefon\nA,1\n\"B,2\nC,3\n",
                  ContactFileError::OpenQuote, 3},
        FaultCase{"csv_without_header", "Meier,089 123\n", ContactFileError::UnknownColumns, 0},
        FaultCase{"too_large", QByteArray(kMaxContactFileBytes + 1, 'a'),
                  ContactFileError::TooLarge, 0},
        // Small files of tiny lines that would keep the preview busy for minutes.
        FaultCase{"csv_with_more_numbers_than_four_lists_hold",
                  "Name,Telefon\n" + QByteArray("A,1\n").repeated(kMaxContactNumbers + 1),
                  ContactFileError::TooMany, 0},
        FaultCase{"vcard_with_more_numbers_than_four_lists_hold",
                  "BEGIN:VCARD\nFN:A\n" + QByteArray("TEL:1\n").repeated(kMaxContactNumbers + 1) +
                      "END:VCARD\n",
                  ContactFileError::TooMany, 0}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.title); });

TEST(CsvColumns, RefusalNamesTheColumnsFound) {
    const ContactFileContent content = ReadContactBytes("E-Mail;Geburtstag;Notiz\nx;y;z\n");
    EXPECT_EQ(content.error, ContactFileError::UnknownColumns);
    EXPECT_EQ(content.columns, (QStringList{u"E-Mail"_s, u"Geburtstag"_s, u"Notiz"_s}));
}

TEST(ContactFileNames, VCardNameIsNotReadAsCsv) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("kontakte.vcf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Name,Telefon\nA,1\n");
    file.close();
    EXPECT_EQ(ReadContactFile(file.fileName()).error, ContactFileError::UnknownFormat);
    EXPECT_EQ(ReadContactFile(dir.filePath(QStringLiteral("fehlt.csv"))).error,
              ContactFileError::CannotOpen);
}

TEST(Encodings, Utf16WithBomAndNestedCardsAreRead) {
    const QString csv = QStringLiteral("Name;Telefon\r\nÅsa Öberg;+46 8 123\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(csv.utf16()), csv.size() * 2);
    EXPECT_EQ(rowsOf(ReadContactBytes(utf16)), QStringList{u"Åsa Öberg|+46 8 123"_s});

    // An AGENT card inside a 2.1 card is not a contact of its own.
    const QByteArray nested = "BEGIN:VCARD\nN:Chef;Carl\nAGENT:\nBEGIN:VCARD\nFN:Sekretariat\n"
                              "TEL:111\nEND:VCARD\nTEL:222\nEND:VCARD\n";
    EXPECT_EQ(rowsOf(ReadContactBytes(nested)), QStringList{u"Chef, Carl|222"_s});
}

// Quoted-printable and quoted CSV fields can carry line breaks and other controls; a name or
// number that reaches the phone book never does.
TEST(DecodedValues, HoldNoControlCharacters) {
    const struct {
        const char* title;
        QByteArray bytes;
        QStringList rows;
    } cases[] = {
        {"qp_name_with_lf",
         "BEGIN:VCARD\nVERSION:2.1\nN;ENCODING=QUOTED-PRINTABLE:M=0Aller;Hans\nTEL:1\nEND:VCARD\n",
         {u"M ller, Hans|1"_s}},
        {"qp_name_with_crlf_at_the_end",
         "BEGIN:VCARD\nVERSION:2.1\nN;ENCODING=QUOTED-PRINTABLE:Meier=0D=0A;Ida\nTEL:2\n"
         "END:VCARD\n",
         {u"Meier, Ida|2"_s}},
        {"qp_number_with_lf_and_tab",
         "BEGIN:VCARD\nVERSION:2.1\nFN:Ole\nTEL;ENCODING=QUOTED-PRINTABLE:030=0A=09123\n"
         "END:VCARD\n",
         {u"Ole|030 123"_s}},
        {"csv_quoted_name_with_controls",
         "Name,Telefon\n\"Anna\x01\x02"
         "Berg\",089 1\n",
         {u"Anna Berg|089 1"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rowsOf(ReadContactBytes(c.bytes)), c.rows) << c.title;
}

} // namespace
