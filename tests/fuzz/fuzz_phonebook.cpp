// The phone book reader on arbitrary bytes: it never crashes, what it accepts it can read
// again once saved, and after that one save the file is a fixed point (the first save may
// still reorder: double quotes in memory sort differently from the single quotes written).
// Read in parts of a few bytes, as files are, it gives what the whole text gives.
#include "FuzzCheck.h"
#include "PhoneFile.h"
#include "TextCodec.h"

#include <QBuffer>
#include <QByteArray>

#include <optional>

using namespace tarvok;

namespace {

// True for version 2.0, false for 2.2, nothing for another first line.
std::optional<bool> version20Of(const QString& text) {
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString versionLine = text.left(end < 0 ? text.size() : end).trimmed();
    if (versionLine == QLatin1String("[BRISEL VERSION 2.0]"))
        return true;
    if (versionLine == QLatin1String("[BRISEL VERSION 2.2]"))
        return false;
    return std::nullopt;
}

bool readWhole(const QString& text, PhoneBook& book, FileError* error) {
    const std::optional<bool> version20 = version20Of(text);
    if (!version20)
        return false;
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString rest = end < 0 ? QString() : text.mid(end + 1);
    const bool ok = ReadPhoneFile(rest, *version20, 2, book, error);
    FUZZ_CHECK(ok == !*error);
    return ok;
}

// The bytes after the version line, in parts of a few lines each.
bool readInParts(const QByteArray& bytes, bool version20, PhoneBook& book, FileError* error) {
    const qsizetype end = bytes.indexOf('\n');
    QByteArray rest = end < 0 ? QByteArray() : bytes.mid(end + 1);
    QBuffer buffer(&rest);
    buffer.open(QIODevice::ReadOnly);
    Windows1252Lines parts(buffer, 5);
    return ReadPhoneFile(QStringView(), &parts, rest.size(), version20, 2, book, error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = DecodeWindows1252(bytes);
    PhoneBook first;
    FileError firstError;
    const bool read = readWhole(text, first, &firstError);
    if (const std::optional<bool> version20 = version20Of(text)) {
        PhoneBook parts;
        FileError partsError;
        FUZZ_CHECK(readInParts(bytes, *version20, parts, &partsError) == read);
        FUZZ_CHECK(partsError.line == firstError.line);
        FUZZ_CHECK(PhoneFileBytes(parts) == PhoneFileBytes(first));
    }
    if (!read)
        return 0;
    for (const PhoneList& list : first.lists)
        FUZZ_CHECK(list.count() <= PhoneList::kMaxLines);

    PhoneBook second;
    FileError error;
    FUZZ_CHECK(readWhole(DecodeWindows1252(PhoneFileBytes(first)), second, &error));
    const QByteArray written = PhoneFileBytes(second);
    PhoneBook third;
    FUZZ_CHECK(readWhole(DecodeWindows1252(written), third, &error));
    FUZZ_CHECK(PhoneFileBytes(third) == written);
    return 0;
}
