#include "OptionsPageButtons.h"

#include <QPushButton>

namespace tarvok {

namespace {

QPushButton* AddButton(QWidget* frame, const QString& name, const QString& caption, QRect rect) {
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ModemButtons AddModemButtons(QWidget* frame, QRect devicesRect, QRect testRect, QStyle* style) {
    ModemButtons buttons;
    buttons.devices =
        AddButton(frame, QStringLiteral("DevicesButton"), QStringLiteral("Geräte..."), devicesRect);
    buttons.devices->setAccessibleDescription(
        QStringLiteral("Welches Gerät COM1 bis COM4 bedeuten, und die Adresse der Tarifliste"));
    buttons.test = AddButton(frame, QStringLiteral("ModemTestButton"),
                             QStringLiteral("Modem testen"), testRect);
    buttons.test->setAccessibleDescription(
        QStringLiteral("Fragt das Modem am gewählten Anschluß, ohne zu wählen"));
    buttons.devices->setStyle(style);
    buttons.test->setStyle(style);
    return buttons;
}

QPushButton* AddUndoUpdateButton(QWidget* frame, QRect rect) {
    QPushButton* button = AddButton(frame, QStringLiteral("UndoUpdateButton"),
                                    QStringLiteral("Aktualisierung rückgängig"), rect);
    button->setAccessibleDescription(
        QStringLiteral("Stellt die Provider-Liste von vor dem letzten Download wieder her"));
    button->setEnabled(false);
    return button;
}

} // namespace tarvok
