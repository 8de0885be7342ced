#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvok {

// Every message box of the program goes through here, so that a test can answer them
// instead of a person and no test ever blocks on a modal box.
class MessageBox {
public:
    enum class Icon { Information, Question, Exclamation, Critical };
    enum class Answer { Ok, Yes, No };

    struct Shown {
        Icon icon;
        QString title;
        QString text;
    };
    // Given, the handler answers every box instead of showing it.
    using Handler = std::function<Answer(const Shown&)>;
    static void setHandler(Handler handler);

    // Information, exclamation and critical boxes have one OK button.
    static void information(QWidget* parent, const QString& title, const QString& text);
    static void exclamation(QWidget* parent, const QString& title, const QString& text);
    static void critical(QWidget* parent, const QString& title, const QString& text);
    // Yes and No, No the default; true for Yes.
    static bool question(QWidget* parent, const QString& title, const QString& text);

    static inline const QString kTitle = QStringLiteral("Tarvok-Pro");

private:
    static Answer show(QWidget* parent, const Shown& box);
};

} // namespace tarvok
