#include "MessageBox.h"

#include <QMessageBox>

namespace tarvok {

namespace {
MessageBox::Handler& handler() {
    static MessageBox::Handler instance;
    return instance;
}
} // namespace

void MessageBox::setHandler(Handler h) {
    handler() = std::move(h);
}

void MessageBox::information(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {Icon::Information, title, text});
}

void MessageBox::exclamation(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {Icon::Exclamation, title, text});
}

void MessageBox::critical(QWidget* parent, const QString& title, const QString& text) {
    show(parent, {Icon::Critical, title, text});
}

bool MessageBox::question(QWidget* parent, const QString& title, const QString& text) {
    return show(parent, {Icon::Question, title, text}) == Answer::Yes;
}

MessageBox::Answer MessageBox::show(QWidget* parent, const Shown& box) {
    if (handler())
        return handler()(box);

    QMessageBox::Icon icon = QMessageBox::Information;
    switch (box.icon) {
    case Icon::Information:
        icon = QMessageBox::Information;
        break;
    case Icon::Question:
        icon = QMessageBox::Question;
        break;
    case Icon::Exclamation:
        icon = QMessageBox::Warning;
        break;
    case Icon::Critical:
        icon = QMessageBox::Critical;
        break;
    }
    const bool asks = box.icon == Icon::Question;
    QMessageBox dialog(icon, box.title, box.text,
                       asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    dialog.setDefaultButton(asks ? QMessageBox::No : QMessageBox::Ok);
    const int result = dialog.exec();
    if (!asks)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace tarvok
