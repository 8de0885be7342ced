#pragma once

#include <QStringView>

namespace tarvok {

// The position of the first character of a stored number that must not reach the modem's
// dial command, or -1 when every character is a digit, a blank or one of the dial
// modifiers "," (pause), "W" (wait for dial tone), "*" and "#". A ";" or a letter would end
// the dial and start another command on the same line.
qsizetype FirstUndialableCharacter(QStringView number);

} // namespace tarvok
