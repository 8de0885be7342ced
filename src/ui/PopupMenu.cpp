#include "PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace tarvok {

QAction* ExecPopupMenu(QMenu* menu, const QPoint& at) {
    QPointer<QAction> triggered;
    const QMetaObject::Connection connection =
        QObject::connect(menu, &QMenu::triggered, menu, [menu, &triggered](QAction* action) {
            triggered = action;
            menu->hide(); // ends exec() when the menu was not the one to trigger the item
        });
    QAction* chosen = menu->exec(at);
    QObject::disconnect(connection);
    return chosen ? chosen : triggered.data();
}

} // namespace tarvok
