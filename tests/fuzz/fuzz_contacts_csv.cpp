// The contact CSV reader on arbitrary bytes: it never crashes, a refusal reads nothing and
// says where, and the names and numbers it reports hold no control character.
#include "ContactChecks.h"
#include "ContactText.h"
#include "CsvContactReader.h"
#include "FuzzCheck.h"

#include <QByteArray>

using namespace tarvok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ContactText text = DecodeContactBytes(bytes);
    if (text.error != ContactFileError::None)
        return 0;
    const ContactFileContent content = ReadContactCsv(text.text);
    FUZZ_CHECK(content.ok() || content.numbers.empty());
    if (content.error == ContactFileError::WrongWidth ||
        content.error == ContactFileError::OpenQuote)
        FUZZ_CHECK(content.line >= 1);
    for (const ContactNumber& number : content.numbers)
        FUZZ_CHECK(!holdsControl(number.name) && !holdsControl(number.number) && number.line >= 2);
    return 0;
}
