// The phone book reader on arbitrary bytes: it never crashes, what it accepts it can read
// again once saved, and after that one save the file is a fixed point (the first save may
// still reorder: double quotes in memory sort differently from the single quotes written).
#include "FuzzCheck.h"
#include "PhoneFile.h"
#include "TextCodec.h"

#include <QByteArray>

using namespace tarvok;

namespace {

bool readWhole(const QString& text, PhoneBook& book) {
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString versionLine = text.left(end < 0 ? text.size() : end).trimmed();
    const QString rest = end < 0 ? QString() : text.mid(end + 1);
    bool version20 = false;
    if (versionLine == QLatin1String("[BRISEL VERSION 2.0]"))
        version20 = true;
    else if (versionLine != QLatin1String("[BRISEL VERSION 2.2]"))
        return false;
    FileError error;
    const bool ok = ReadPhoneFile(rest, version20, 2, book, &error);
    FUZZ_CHECK(ok == !error);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    PhoneBook first;
    if (!readWhole(DecodeWindows1252(bytes), first))
        return 0;
    for (const PhoneList& list : first.lists)
        FUZZ_CHECK(list.count() <= PhoneList::kMaxLines);

    PhoneBook second;
    FUZZ_CHECK(readWhole(DecodeWindows1252(PhoneFileBytes(first)), second));
    const QByteArray written = PhoneFileBytes(second);
    PhoneBook third;
    FUZZ_CHECK(readWhole(DecodeWindows1252(written), third));
    FUZZ_CHECK(PhoneFileBytes(third) == written);
    return 0;
}
