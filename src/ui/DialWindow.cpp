#include "DialWindow.h"
#include "KeyRepeat.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvok {

DialWindow::DialWindow(const QString& name, const QString& displayNumber, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Anwahl"));
    setAccessibleName(QStringLiteral("Anwahl"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addLabel(3, QStringLiteral(" Anwahl läuft ... "), QStringLiteral("Status")));
    layout->addWidget(addLabel(0, name, QStringLiteral("Name")));
    layout->addWidget(addLabel(1, displayNumber, QStringLiteral("Rufnummer")));

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setAccessibleName(QStringLiteral("Abbruch"));
    cancel->setDefault(true);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &DialWindow::reject);
    // The key that started the dial may still be held down; its repeats must not press
    // "&Abbruch", and no other key here needs to repeat.
    KeyRepeat::watch();
    cancel->installEventFilter(this);
    installEventFilter(this);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

QLabel* DialWindow::addLabel(int index, const QString& text, const QString& role) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Label1(%1)").arg(index));
    // A screen reader reads the label's text, the value being dialled; the role is only
    // the description.
    label->setAccessibleDescription(role);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool DialWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        KeyRepeat::isRepeat(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void DialWindow::showCarrier(const QString& carrierLine) {
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->insertWidget(3, addLabel(5, carrierLine, QStringLiteral("Anbieter")));
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void DialWindow::finish() {
    QDialog::done(Accepted);
}

void DialWindow::reject() {
    // Escape and the window frame come here as well; the dial ends with the window.
    emit cancelRequested();
    QDialog::reject();
}

} // namespace tarvok
