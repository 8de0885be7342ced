#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace tarvok {

// The editors' Enter key: in a text box it is swallowed and moves the focus on, so that
// Enter never accepts a dialog from a text box; on a focused button it clicks that button.
class EnterKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit EnterKeyFilter(QObject* parent);

    // The editors' chain: first text box, second text box, OK; both buttons click on Enter.
    static void installOnEditor(QObject* owner, QWidget* first, QWidget* second,
                                QAbstractButton* ok, QAbstractButton* cancel);

    void moveFocusOnEnter(QWidget* from, QWidget* to);
    void clickOnEnter(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, QPointer<QWidget>> m_nextFocus;
    QHash<QObject*, QPointer<QAbstractButton>> m_buttons;
};

} // namespace tarvok
