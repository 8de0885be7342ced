#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tarvok {

// A drop-down list as a screen reader should meet it: named by what it chooses ("Anschluß"),
// its current item as the value. Qt names a drop-down list on Linux by its current item,
// so "COM1" would be read with nothing to say what COM1 is for.
class ComboBoxAccessible : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* comboBox);

    // Puts the interface in place for every drop-down list that has an accessible name.
    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* comboBox() const;
};

} // namespace tarvok
