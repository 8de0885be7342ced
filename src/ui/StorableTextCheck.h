#pragma once

#include <QList>

class QLineEdit;
class QWidget;

namespace tarvok {

// Run by every editor before it stores its text boxes, since the data files are
// windows-1252 and would otherwise turn what they cannot hold into "?" without a word.
// Characters with no storable form are refused with a box naming them; letters that only
// lack their diacritic are replaced by the base letter once the user agrees. Returns true
// when every box now holds text the files can hold; on false the focus is on the first box
// to mend and nothing should be stored.
bool AcceptStorableTexts(QWidget* parent, const QList<QLineEdit*>& boxes);

} // namespace tarvok
