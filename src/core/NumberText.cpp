#include "NumberText.h"

#include <QStringList>
#include <QUrl>

namespace tarvok {

namespace {

using Error = ExternalNumberError;

bool isVisualSeparator(QChar c) {
    return c == u' ' || c == u'-' || c == u'.' || c == u'(' || c == u')' || c == u'/' ||
           c == QChar(0x00A0);
}

// Characters people put between two numbers in one text.
bool isListSeparator(QChar c) {
    return c == u',' || c == u';' || c == u'|' || c == u'\n' || c == u'\r' || c == u'\t';
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool hasLetter(QStringView text) {
    for (QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

bool hasDigit(QStringView text) {
    for (QChar c : text) {
        if (isAsciiDigit(c))
            return true;
    }
    return false;
}

// Two pieces with digits between list separators are two numbers; a separator alone
// (a trailing comma, a stray semicolon) makes the text unreadable instead.
Error checkListSeparators(QStringView text) {
    int piecesWithDigits = 0;
    bool separator = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isListSeparator(text[i]))
            continue;
        if (hasDigit(text.mid(start, i - start)))
            ++piecesWithDigits;
        separator = separator || i < text.size();
        start = i + 1;
    }
    if (piecesWithDigits > 1)
        return Error::MoreThanOne;
    return separator ? Error::NotParseable : Error::None;
}

// A number with visual separators and at most one leading "+".
NumberText readPlain(QStringView text) {
    NumberText result;
    if (hasLetter(text)) {
        result.error = Error::Letters;
        return result;
    }
    result.error = checkListSeparators(text);
    for (qsizetype i = 0; i < text.size() && result.error == Error::None; ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c))
            result.digits += c;
        else if (c == u'+' && !result.digits.isEmpty())
            result.error = Error::MoreThanOne; // "+49 30 1 +49 89 2"
        else if (c == u'+' && !result.international)
            result.international = true;
        else if (!isVisualSeparator(c))
            result.error = Error::NotParseable;
    }
    if (result.error == Error::None && result.digits.isEmpty())
        result.error = Error::Empty;
    if (result.error == Error::None && result.digits.size() > NumberText::kMaxDigits)
        result.error = Error::NotPossible;
    return result;
}

bool startsWithScheme(const QString& text, QLatin1StringView scheme) {
    return text.startsWith(scheme, Qt::CaseInsensitive);
}

// What a parameter value may hold besides letters and digits; nothing that separates numbers.
bool isParameterValue(QStringView value) {
    for (QChar c : value) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F || isListSeparator(c))
            return false;
    }
    return true;
}

bool isParameterName(QStringView name) {
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-')
            return false;
    }
    return true;
}

struct TelParameters {
    Error error = Error::None;
    QString context; // phone-context, empty when absent
};

// "ext" and "isub" are accepted and left out of the dialled digits; other parameters a tel:
// URI may carry are ignored. The same parameter twice is refused.
TelParameters readTelParameters(const QStringList& parameters) {
    TelParameters result;
    QStringList seen;
    for (const QString& parameter : parameters) {
        const qsizetype equals = parameter.indexOf(u'=');
        const QString name = parameter.left(equals < 0 ? parameter.size() : equals).toLower();
        const QString value = equals < 0 ? QString() : parameter.mid(equals + 1);
        if (!isParameterName(name) || !isParameterValue(value) || seen.contains(name)) {
            result.error = Error::NotParseable;
            return result;
        }
        seen += name;
        if (name == u"ext") {
            const NumberText extension = readPlain(value);
            if (extension.error != Error::None || extension.international)
                result.error = Error::NotParseable;
        } else if (name == u"phone-context") {
            result.context = value;
        }
    }
    return result;
}

NumberText readTel(const QString& uri) {
    NumberText result;
    const QStringList parts = uri.split(u';');
    const TelParameters parameters = readTelParameters(parts.mid(1));
    if (parameters.error != Error::None) {
        result.error = parameters.error;
        return result;
    }
    result = readPlain(parts.first());
    if (result.error != Error::None || result.international || parameters.context.isEmpty())
        return result;
    // A local number is dialled within its context; only a context that is itself a
    // number can be dialled from here (a domain name names a private network).
    const NumberText context = readPlain(parameters.context);
    if (context.error != Error::None || !context.international) {
        result.error = Error::NotParseable;
        return result;
    }
    result.digits = context.digits + result.digits;
    result.international = true;
    if (result.digits.size() > NumberText::kMaxDigits)
        result.error = Error::NotPossible;
    return result;
}

} // namespace

NumberText ReadNumberText(const QString& input) {
    if (input.size() > NumberText::kMaxInput) {
        NumberText tooLong;
        tooLong.error = Error::NotParseable;
        return tooLong;
    }
    QString text = input.trimmed();
    const bool tel = startsWithScheme(text, QLatin1StringView("tel:"));
    const bool callto = startsWithScheme(text, QLatin1StringView("callto:"));
    if (!tel && !callto)
        return readPlain(text);
    text = text.mid(tel ? 4 : 7);
    if (callto && text.startsWith(QLatin1StringView("//")))
        text = text.mid(2);
    // Links arrive percent-encoded ("tel:+49%2030%201234"); decode once, then read strictly.
    text = QUrl::fromPercentEncoding(text.toUtf8());
    if (text.contains(u':')) {
        NumberText refused;
        refused.error = text.contains(QLatin1StringView("tel:"), Qt::CaseInsensitive)
                            ? Error::MoreThanOne
                            : Error::NotParseable;
        return refused;
    }
    return tel ? readTel(text) : readPlain(text);
}

} // namespace tarvok
