#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarvok {

// Form2: the dialog that takes a phone book entry's name, number and zero flag.
// It only shows and returns values; the caller decides what to do with them.
class EntryEditor : public QDialog {
    Q_OBJECT
public:
    explicit EntryEditor(QWidget* parent = nullptr);

    void setEntry(const QString& name, const QString& number, int zeroFlag);
    QString nameText() const;   // Text1(0) as typed
    QString numberText() const; // Text1(1) as typed
    int zeroFlag() const;       // ZeroChk: 0 or 1

    // exec() gives Accepted for "&OK" and Rejected for "&Abbrechen", Escape or the close box.

    // Asked at "&OK" before the editor closes; false keeps it open (the check has told the
    // user why and may have put the focus where the fault is).
    void setAcceptCheck(std::function<bool()> check);
    void accept() override;
    void focusNumber(); // the number box, its text selected for retyping

private:
    std::function<bool()> m_acceptCheck;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_number = nullptr;
    QCheckBox* m_zero = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tarvok
