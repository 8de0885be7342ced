#include "ModemTestWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvok {

ModemTestWindow::ModemTestWindow(int port, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ModemTestWindow"));
    setWindowTitle(QStringLiteral("Modem testen"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Das Modem an COM%1 wird gefragt ...").arg(port), this);
    label->setObjectName(QStringLiteral("ModemTestStatus"));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("ModemTestCancel"));
    cancel->setAccessibleName(QStringLiteral("Abbruch"));
    cancel->setDefault(true);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &ModemTestWindow::reject);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void ModemTestWindow::finish() {
    QDialog::done(Accepted);
}

void ModemTestWindow::reject() {
    emit cancelRequested();
    QDialog::reject();
}

} // namespace tarvok
