#include "OptionValues.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace tarvok {

QString CodeFromText(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if (!c.isDigit() || c.unicode() > 0x7f)
            break;
        if (digits.isEmpty() && c == u'0')
            continue; // a leading zero carries no value
        digits += c;
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

int SliderValueForEntrySize(double entrySize) {
    if (!std::isfinite(entrySize))
        return kEntrySizeMin + kEntrySizeMax - 12;
    const double value = std::clamp(double(kEntrySizeMin + kEntrySizeMax) - entrySize,
                                    double(kEntrySizeMin), double(kEntrySizeMax));
    // Banker's rounding, as the value was taken from a fractional font size before.
    return int(std::nearbyint(value));
}

int EntrySizeForSliderValue(int value) {
    return kEntrySizeMin + kEntrySizeMax - std::clamp(value, kEntrySizeMin, kEntrySizeMax);
}

} // namespace tarvok
