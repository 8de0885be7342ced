#include "ListKeys.h"

#include <QKeyEvent>

namespace tarvok {

ListKeyAction ListKeyActionFor(const QKeyEvent& event) {
    if (event.type() != QEvent::KeyPress || event.isAutoRepeat())
        return ListKeyAction::None;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return ListKeyAction::Dial;
    default:
        break;
    }
    // With a modifier these keys mean something else (Shift+Delete cuts, Ctrl+Insert copies).
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return ListKeyAction::None;
    switch (event.key()) {
    case Qt::Key_Insert:
        return ListKeyAction::Insert;
    case Qt::Key_F2:
        return ListKeyAction::Change;
    case Qt::Key_Delete:
        return ListKeyAction::Delete;
    default:
        return ListKeyAction::None;
    }
}

int ListMenuItemFor(ListKeyAction action) {
    switch (action) {
    case ListKeyAction::Insert:
        return 1;
    case ListKeyAction::Change:
        return 2;
    case ListKeyAction::Delete:
        return 3;
    default:
        return 0;
    }
}

} // namespace tarvok
