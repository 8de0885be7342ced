#include "FileChooser.h"

#include <QFileDialog>

namespace tarvok {

namespace {

FileChooser::Handler& handler() {
    static FileChooser::Handler instance;
    return instance;
}

} // namespace

void FileChooser::setHandler(Handler h) {
    handler() = std::move(h);
}

QString FileChooser::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return ask(parent, {Purpose::Open, caption, filter});
}

QString FileChooser::saveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return ask(parent, {Purpose::Save, caption, filter});
}

QString FileChooser::ask(QWidget* parent, const Asked& asked) {
    if (handler())
        return handler()(asked);
    if (asked.purpose == Purpose::Open)
        return QFileDialog::getOpenFileName(parent, asked.caption, QString(), asked.filter);
    return QFileDialog::getSaveFileName(parent, asked.caption, QString(), asked.filter);
}

} // namespace tarvok
