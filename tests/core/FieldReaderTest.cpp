#include "FieldReader.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

QStringList allFields(const QString& text) {
    FieldReader reader(text, 1);
    QStringList fields;
    QString field;
    while (reader.readString(&field) == FieldReader::Status::Ok)
        fields << field;
    return fields;
}

struct FieldCase {
    QString text;
    QStringList fields;
};

TEST(FieldReader, StringFields) {
    const FieldCase cases[] = {
        {R"("a, b" junk,c)", {"a, b", "c"}},
        {"  x  ,  \"  y \"  ", {"x", "  y "}},
        {"\"a\"\r\n\"b\"\r\n", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"\"open\r\nnext", {"open", "next"}},
        {"x\"y\",z", {"x\"y\"", "z"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(allFields(c.text), c.fields);
    }
}

struct IntegerCase {
    QString text;
    FieldReader::Status status;
    int value;
};

TEST(FieldReader, IntegerFields) {
    using S = FieldReader::Status;
    const IntegerCase cases[] = {
        {"12", S::Ok, 12},         {" 12  ", S::Ok, 12},        {"", S::Ok, 0},
        {"8.25", S::Ok, 8},        {"8.5", S::Ok, 9},           {"-2.5", S::Ok, -3},
        {"-7", S::Ok, -7},         {"\"3\"", S::Ok, 3},         {"32767", S::Ok, 32767},
        {"abc", S::NotANumber, 0}, {"1a", S::NotANumber, 0},    {".", S::NotANumber, 0},
        {"-", S::NotANumber, 0},   {"1.2.3", S::NotANumber, 0}, {"70000", S::OutOfRange, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QString text = c.text + ",";
        FieldReader reader(text, 1);
        int value = -99;
        EXPECT_EQ(reader.readInteger(&value), c.status);
        if (c.status == S::Ok) {
            EXPECT_EQ(value, c.value);
        }
    }
    FieldReader ended(u"", 1);
    int value = 0;
    EXPECT_EQ(ended.readInteger(&value), S::Ended);
}

TEST(FieldReader, CountsLines) {
    FieldReader reader(u"a,b\r\nc\nd\r\n", 5);
    QString field;
    reader.readString(&field);
    reader.readString(&field);
    EXPECT_EQ(reader.line(), 6);
    reader.readString(&field);
    reader.readString(&field);
    EXPECT_EQ(reader.line(), 8);
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
