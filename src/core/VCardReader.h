#pragma once

#include "ContactNumber.h"

#include <QStringView>

namespace tarvok {

// Reads the numbers of every card in a vCard file (versions 2.1, 3.0 and 4.0): folded
// lines, escapes, QUOTED-PRINTABLE with CHARSET, the name from N (family name first),
// else FN, else ORG; every TEL, as text or as a tel: URI, with its kind.
ContactFileContent ReadVCard(QStringView text);

// True when the text starts like a vCard (after blank lines).
bool LooksLikeVCard(QStringView text);

} // namespace tarvok
