#include "AboutBox.h"

#include "MessageBox.h"

namespace tarvok {

void ShowAboutBox(QWidget* parent) {
    AboutBox(parent, MessageBox::kTitle,
             QStringLiteral("Die professionelle Wahlhilfe für Windows 95/NT") + u'\n' +
                 QStringLiteral("mit automatischer Provider-Auswahl"));
}

void AboutBox(QWidget* parent, const QString& title, const QString& text) {
    const QString message =
        text + QStringLiteral("\n\n") + QStringLiteral("Tarvok-Pro für Qt – das Tarvok-Pro-Team") +
        QStringLiteral("\n\n") + QStringLiteral("'Verbesserungsvorschläge und konstruktive") +
        u'\n' + QStringLiteral("Kritik sind immer willkommen ...'") + QStringLiteral("\n\n") +
        QStringLiteral("E-Mail: tarvok-pro@example.org");
    MessageBox::information(parent, title, message);
}

} // namespace tarvok
