#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvok {

// Every file dialog of the program goes through here, so that a test can answer it with a
// path instead of a person.
class FileChooser {
public:
    enum class Purpose { Open, Save };
    struct Asked {
        Purpose purpose;
        QString caption;
        QString filter;
    };
    // Given, the handler answers every dialog (an empty path is "cancelled").
    using Handler = std::function<QString(const Asked&)>;
    static void setHandler(Handler handler);

    static QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& filter);

private:
    static QString ask(QWidget* parent, const Asked& asked);
};

} // namespace tarvok
