#include "OptionControls.h"

#include "FittedSize.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace tarvok {

QGroupBox* addFrame(QBoxLayout* column, const char* name, const QString& caption, int stretch) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(QLatin1String(name));
    column->addWidget(frame, stretch);
    return frame;
}

QLabel* addLabel(QWidget* frame, const char* name, const QString& text) {
    auto* label = new QLabel(text, frame);
    label->setObjectName(QLatin1String(name));
    // "Aus- land" is one word broken in two lines; a screen reader gets the word.
    if (text.contains(QLatin1String("- ")))
        label->setAccessibleName(QString(text).remove(QLatin1String("- ")));
    return label;
}

QLineEdit* addText(QWidget* frame, const char* name, int chars, int widthTwips,
                   const QString& accessibleName, QLabel* label) {
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->setFixedWidth(
        std::max(TextBoxWidthForDigits(edit, chars), ScaledTwips(edit, widthTwips, 0).width()));
    if (label)
        label->setBuddy(edit);
    return edit;
}

QComboBox* addList(QWidget* frame, const char* name, QLabel* label, QStyle* style) {
    auto* list = new QComboBox(frame);
    list->setObjectName(QLatin1String(name));
    list->setStyle(style);
    label->setBuddy(list);
    return list;
}

QPushButton* addButton(QWidget* frame, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QGridLayout* addGrid(QWidget* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(4);
    return grid;
}

QLineEdit* addCodeRow(QGridLayout* grid, int row, const char* labelName, const QString& caption,
                      const char* textName, int chars, const QString& accessibleName) {
    QWidget* frame = grid->parentWidget();
    QLabel* label = addLabel(frame, labelName, caption);
    WrapAtBlanks(label);
    QLineEdit* text = addText(frame, textName, chars, 555, accessibleName, label);
    grid->addWidget(label, row, 0);
    grid->addWidget(text, row, 1, Qt::AlignRight);
    return text;
}

} // namespace tarvok
