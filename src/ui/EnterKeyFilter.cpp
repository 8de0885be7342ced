#include "EnterKeyFilter.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace tarvok {

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

EnterKeyFilter::EnterKeyFilter(QObject* parent)
    : QObject(parent) {}

void EnterKeyFilter::installOnEditor(QObject* owner, QWidget* first, QWidget* second,
                                     QAbstractButton* ok, QAbstractButton* cancel) {
    auto* filter = new EnterKeyFilter(owner);
    filter->moveFocusOnEnter(first, second);
    filter->moveFocusOnEnter(second, ok);
    filter->clickOnEnter(ok);
    filter->clickOnEnter(cancel);
}

void EnterKeyFilter::moveFocusOnEnter(QWidget* from, QWidget* to) {
    m_nextFocus.insert(from, to);
    from->installEventFilter(this);
}

void EnterKeyFilter::clickOnEnter(QAbstractButton* button) {
    m_buttons.insert(button, button);
    button->installEventFilter(this);
}

bool EnterKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!isEnter(event))
        return QObject::eventFilter(watched, event);
    if (const auto next = m_nextFocus.value(watched)) {
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (const auto button = m_buttons.value(watched)) {
        if (!static_cast<const QKeyEvent*>(event)->isAutoRepeat())
            button->click();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvok
