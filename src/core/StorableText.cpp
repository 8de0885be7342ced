#include "StorableText.h"
#include "TextCodec.h"

#include <QHash>

namespace tarvok {

namespace {

// Letters whose stroke or bar is part of the letter, so Unicode gives them no decomposition,
// yet every reader of a name knows their base letter.
const QHash<char32_t, QChar>& strokeLetters() {
    static const QHash<char32_t, QChar> table{
        {U'Ł', u'L'}, {U'ł', u'l'}, {U'Đ', u'D'}, {U'đ', u'd'}, {U'Ħ', u'H'},
        {U'ħ', u'h'}, {U'Ŧ', u'T'}, {U'ŧ', u't'}, {U'ı', u'i'}, {U'Ɨ', u'I'},
        {U'ɨ', u'i'}, {U'Ƶ', u'Z'}, {U'ƶ', u'z'}};
    return table;
}

bool holds(const QString& text) {
    return DecodeWindows1252(EncodeWindows1252(text)) == text;
}

bool onlyMarks(QStringView text) {
    for (char32_t c : text.toUcs4()) {
        if (!QChar::isMark(c))
            return false;
    }
    return true;
}

bool pairAt(const QString& text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

// A letter with its combining marks, e.g. "r" + caron, as one unit.
qsizetype clusterEnd(const QString& text, qsizetype from) {
    qsizetype i = from + (pairAt(text, from) ? 2 : 1);
    while (i < text.size()) {
        const bool pair = pairAt(text, i);
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (!QChar::isMark(c))
            break;
        i += pair ? 2 : 1;
    }
    return i;
}

// The base letter of an unstorable cluster, or an empty string if it has none.
QString baseLetter(const QString& composed) {
    const QString decomposed = composed.normalized(QString::NormalizationForm_D);
    const qsizetype firstLength = pairAt(decomposed, 0) ? 2 : 1;
    if (!onlyMarks(QStringView(decomposed).mid(firstLength)))
        return {};
    const QString first = decomposed.left(firstLength);
    if (holds(first) && first[0].isLetter())
        return first;
    const auto stroke = strokeLetters().constFind(first.toUcs4().value(0));
    if (stroke != strokeLetters().constEnd())
        return QString(*stroke);
    return {};
}

void addOnce(QString& list, const QString& cluster) {
    if (!list.contains(cluster))
        list += cluster;
}

} // namespace

StorableText MakeStorable(const QString& text) {
    StorableText result;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype end = clusterEnd(text, i);
        const QString cluster = text.mid(i, end - i);
        i = end;
        if (holds(cluster)) {
            result.text += cluster;
            continue;
        }
        // A letter typed as base plus mark is the same text as its composed form.
        const QString composed = cluster.normalized(QString::NormalizationForm_C);
        if (holds(composed)) {
            result.text += composed;
            continue;
        }
        const QString base = baseLetter(composed);
        if (!base.isEmpty()) {
            result.text += base;
            addOnce(result.replaced, composed);
        } else {
            result.text += cluster;
            addOnce(result.unstorable, composed);
        }
    }
    return result;
}

} // namespace tarvok
