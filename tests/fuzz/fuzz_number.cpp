// The reader of numbers from outside (links, the command line, the entry editor) on
// arbitrary text: it never crashes, a refusal carries no number, and an accepted number is
// in the phone book's form and reads back to the same digits and zero flag.
#include "ExternalNumber.h"
#include "FuzzCheck.h"

#include <QByteArray>
#include <QRegularExpression>

using namespace tarvok;

namespace {

QString digitsOf(const QString& number) {
    return QString(number).remove(u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    IsPhoneBookForm(text);
    const ExternalNumber first =
        NormaliseExternalNumber(text, QStringLiteral("49"), QStringLiteral("711"));
    if (!first.ok()) {
        FUZZ_CHECK(first.Number.isEmpty());
        return 0;
    }
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]{0,2}( [0-9]+){1,2}$"));
    FUZZ_CHECK(form.match(first.Number).hasMatch());
    FUZZ_CHECK(first.ZeroPrefix == 0 || first.ZeroPrefix == 1);

    const ExternalNumber again =
        NormaliseExternalNumber(u'+' + first.Number, QStringLiteral("49"), QStringLiteral("711"));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(digitsOf(again.Number) == digitsOf(first.Number));
    FUZZ_CHECK(again.ZeroPrefix == first.ZeroPrefix);
    return 0;
}
