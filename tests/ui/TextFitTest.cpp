// Every caption shows its whole text, whatever the user's font size (this program runs once
// at 96 dpi and once with QT_FONT_DPI=192), and a larger window gives its room to the
// phone lists and the provider table.
#include "DialWindow.h"
#include "EntryEditor.h"
#include "ProviderEditor.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTreeView>

namespace {

const QStringList kEntries{QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1")};

QString describe(const QWidget* widget, const QString& text, int needed, int has) {
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4 px")
        .arg(widget->objectName(), text)
        .arg(needed)
        .arg(has);
}

// A label's text against the room inside its frame and margins.
void checkLabel(const QLabel* label, QStringList& clipped) {
    const QRect room = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    const QFontMetrics metrics(label->font());
    if (label->wordWrap()) {
        const int height = label->heightForWidth(label->width());
        if (height > label->height())
            clipped << describe(label, label->text(), height, label->height()) + " (height)";
        for (const QString& word : label->text().split(u' ', Qt::SkipEmptyParts)) {
            if (metrics.horizontalAdvance(word) > room.width())
                clipped << describe(label, word, metrics.horizontalAdvance(word), room.width());
        }
        return;
    }
    const QSize text = metrics.size(Qt::TextShowMnemonic, label->text());
    if (text.width() > room.width())
        clipped << describe(label, label->text(), text.width(), room.width());
    if (text.height() > room.height())
        clipped << describe(label, label->text(), text.height(), room.height()) + " (height)";
}

// Buttons and check boxes: the caption beside the check mark or inside the button's margins.
void checkButton(const QAbstractButton* button, QStringList& clipped) {
    const QStyle* style = button->style();
    const QString text = QString(button->text()).remove(u'&');
    const int width = button->fontMetrics().horizontalAdvance(text);
    int room = button->width();
    if (qobject_cast<const QCheckBox*>(button))
        room -= style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    else // Qt gives a button its margin once, half on either side
        room -= style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    if (width > room)
        clipped << describe(button, text, width, room);
}

// Frame titles, drop-down lists and text boxes with what they show.
void checkOther(const QWidget* widget, QStringList& clipped) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        const int width = frame->fontMetrics().horizontalAdvance(frame->title()) + 8;
        if (width > frame->width())
            clipped << describe(frame, frame->title(), width, frame->width());
    } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        if (list->width() < list->sizeHint().width())
            clipped << describe(list, list->currentText(), list->sizeHint().width(), list->width());
    } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        // A text box asks for room for 17 x's plus its frame and margins.
        const int frame = box->sizeHint().width() - 17 * box->fontMetrics().horizontalAdvance(u'x');
        const int width = box->fontMetrics().horizontalAdvance(box->text()) + 1; // and the cursor
        if (!box->text().isEmpty() && width > box->width() - frame)
            clipped << describe(box, box->text(), width, box->width() - frame);
    }
}

QStringList clippedTexts(const QWidget* window) {
    QStringList clipped;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->text().isEmpty())
                checkLabel(label, clipped);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty())
                checkButton(button, clipped);
        } else {
            checkOther(widget, clipped);
        }
    }
    return clipped;
}

void checkWindow(QWidget* window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QApplication::processEvents(); // layouts settle on posted events
    const QStringList clipped = clippedTexts(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textsFitEveryWindow_data();
    void textsFitEveryWindow();
    void largerWindowGoesToListsAndTable();
    void opensAtDrawnSizeWhenItFits();

private:
    QFont m_font;
};

void TextFitTest::init() {
    m_font = QApplication::font();
}

void TextFitTest::cleanup() {
    QApplication::setFont(m_font);
}

void TextFitTest::textsFitEveryWindow_data() {
    QTest::addColumn<int>("points");
    for (int points : {9, 11, 13, 14})
        QTest::addRow("%d pt", points) << points;
}

void TextFitTest::textsFitEveryWindow() {
    QFETCH(int, points);
    QFont font = m_font;
    font.setPointSize(points);
    QApplication::setFont(font);

    WindowFixture f(kEntries);
    f.state.phoneBook.settings.HandOverNumber = QStringLiteral("01234567890123456789");
    checkWindow(f.window.get());
    f.tabs()->setCurrentIndex(4);
    checkWindow(f.window.get());
    // The longest texts the window shows: a full hand-over number, the longest status line.
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("UebergabeNrText"))->text().size(), 20);
    f.window->SetStatusText(QStringLiteral("Bitte gewünschte Änderungen vornehmen"));
    checkWindow(f.window.get());

    tarvok::EntryEditor entry;
    entry.setEntry(QStringLiteral("Meier, Hans"), QStringLiteral("49 89 1234567"), 1);
    checkWindow(&entry);
    tarvok::ProviderEditor provider;
    checkWindow(&provider);
    tarvok::DialWindow dial(QStringLiteral("Meier, Hans"), QStringLiteral("0049 89 1234567"));
    checkWindow(&dial);
}

void TextFitTest::largerWindowGoesToListsAndTable() {
    WindowFixture f(kEntries);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.tabs()->setCurrentIndex(4);
    auto* table = f.find<QTreeView>(QStringLiteral("TelcoList"));
    auto* countryCode = f.find<QLineEdit>(QStringLiteral("Text1(2)"));
    QTRY_VERIFY(table->isVisible());
    const QSize tableBefore = table->size();
    const QSize codeBefore = countryCode->size();

    f.window->resize(f.window->size() + QSize(300, 200));
    // The update caption may take one line less once wider; the table gets that too.
    QTRY_COMPARE(table->width(), tableBefore.width() + 300);
    QVERIFY(table->height() >= tableBefore.height() + 200);
    QCOMPARE(countryCode->size(), codeBefore);
    const QStringList clipped = clippedTexts(f.window.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));

    f.tabs()->setCurrentIndex(0);
    QTRY_VERIFY(f.list(1)->isVisible());
    QTRY_VERIFY(f.list(1)->width() >= tableBefore.width() + 300);
    f.window->showMaximized();
    QTRY_VERIFY(f.list(1)->width() > f.window->width() - 30);
}

// The window opens at the size it was drawn at wherever the font lets it, and it may always
// be made larger.
void TextFitTest::opensAtDrawnSizeWhenItFits() {
    WindowFixture f(kEntries);
    const QSize drawn(493, 278);
    QCOMPARE(f.window->size(), drawn.expandedTo(f.window->minimumSizeHint()));
    QCOMPARE(f.window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    // A number longer than any text of the status bar leaves the window as it is.
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const QSize shown = f.window->size();
    f.window->SetStatusText(QString(200, u'9'));
    QApplication::processEvents();
    QCOMPARE(f.window->size(), shown);
}

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
