#pragma once

#include <QDialog>
#include <QString>

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

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_number = nullptr;
    QCheckBox* m_zero = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tarvok
