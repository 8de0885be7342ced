// The vCard reader on arbitrary bytes: it never crashes, a refusal reads nothing, and every
// number it reports names a line of the file and holds no control character in its name or
// number.
#include "ContactChecks.h"
#include "ContactText.h"
#include "FuzzCheck.h"
#include "VCardReader.h"

#include <QByteArray>

using namespace tarvok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ContactText text = DecodeContactBytes(bytes);
    if (text.error != ContactFileError::None)
        return 0;
    const ContactFileContent content = ReadVCard(text.text);
    FUZZ_CHECK(content.ok() || content.numbers.empty());
    const qsizetype lines = text.text.count(u'\n') + text.text.count(u'\r') + 1;
    for (const ContactNumber& number : content.numbers) {
        FUZZ_CHECK(number.line >= 1 && number.line <= lines);
        FUZZ_CHECK(!holdsControl(number.name) && !holdsControl(number.number));
    }
    return 0;
}
