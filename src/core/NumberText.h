#pragma once

#include "ExternalNumber.h"

#include <QString>

namespace tarvok {

// The digits of a number handed in from outside, before any country rules apply: the
// scheme, the tel: parameters and the visual separators are gone.
struct NumberText {
    ExternalNumberError error = ExternalNumberError::None;
    QString digits;             // ASCII digits only, at most kMaxDigits
    bool international = false; // written with "+", or a tel: number with a global context

    static constexpr qsizetype kMaxInput = 256; // longer text is refused unread
    static constexpr qsizetype kMaxDigits = 24; // an international prefix plus the longest number
};

// Reads "+49 (0)711 1234-56", "0049 30 ...", "tel:+49-30-1234567;ext=12",
// "tel:1234;phone-context=+49-30", "callto:+4930...". Letters are refused except in the
// scheme and in tel: parameters; an extension is left out of the digits because it is
// dialled by hand once the switchboard has answered.
NumberText ReadNumberText(const QString& text);

} // namespace tarvok
