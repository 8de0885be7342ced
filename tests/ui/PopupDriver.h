#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

// Acts on the next modal window while the watch lives; unlike whenModalShows it stops with
// its scope, so a window that never opens leaves nothing behind for the next test.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> act) {
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this, act] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_poll.stop();
                act(modal);
            }
        });
        m_poll.start(5);
    }

private:
    QTimer m_poll;
};

// Pop-up menus and modal windows run their own event loops; these act on the next one to
// appear, from inside that loop.
inline void whenModalShows(std::function<void(QWidget*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else if (triesLeft > 0)
            whenModalShows(std::move(act), triesLeft - 1);
    });
}

// Chooses the item `itemName` of the next pop-up menu; an empty name closes it with Escape.
// `seen` receives the menu as it was shown.
inline void chooseInNextPopup(const QString& itemName, std::function<void(QMenu*)> seen = {},
                              int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [=]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (triesLeft > 0)
                chooseInNextPopup(itemName, seen, triesLeft - 1);
            return;
        }
        if (seen)
            seen(menu);
        QAction* item = itemName.isEmpty() ? nullptr : menu->findChild<QAction*>(itemName);
        if (!item) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}
