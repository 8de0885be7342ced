// Texts shown whole and tips that cover nothing the user needs next.
#include "ProviderEditor.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void statusTextKeepsItsDescenders();
    void networkCodeCaptionOnOneLine();
    void hourTipLeavesTheButtonsFree();
};

// The status bar's text must be as tall as its font's line, inside the window.
void WindowFitTest::statusTextKeepsItsDescenders() {
    WindowFixture f(QStringList{});
    auto* label = f.find<QStatusBar>(QStringLiteral("StatusBar1"))->findChild<QLabel*>();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const QRect inWindow(label->mapTo(f.window.get(), QPoint(0, 0)), label->size());
    QVERIFY2(label->contentsRect().height() >= label->fontMetrics().height(),
             qPrintable(QStringLiteral("%1 < %2")
                            .arg(label->contentsRect().height())
                            .arg(label->fontMetrics().height())));
    QVERIFY(f.window->rect().contains(inWindow));
}

// The caption was drawn broken as "Netz- nummer:"; on one line it must not keep the hyphen.
void WindowFitTest::networkCodeCaptionOnOneLine() {
    tarvok::ProviderEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* label = editor.findChild<QLabel*>(QStringLiteral("NetworkLabel"));
    QVERIFY(label);
    QVERIFY(!label->text().contains(QLatin1String("- ")));
    QCOMPARE(QString(label->text()).remove(QChar(0x00AD)), QStringLiteral("Netznummer:"));
    QVERIFY(label->height() < 2 * label->fontMetrics().height());
}

void WindowFitTest::hourTipLeavesTheButtonsFree() {
    tarvok::ProviderEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* slider = editor.findChild<QWidget*>(QStringLiteral("TimeSlider"));
    const QPoint at = slider->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, slider->mapToGlobal(at));
    QApplication::sendEvent(slider, &help);

    QWidget* tip = nullptr;
    QTRY_VERIFY((tip = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible())
                return w;
        return static_cast<QWidget*>(nullptr);
    }()));
    for (const char* name : {"Command1(0)", "Command1(1)"}) {
        auto* button = editor.findChild<QPushButton*>(QLatin1String(name));
        const QRect buttonRect(button->mapToGlobal(QPoint(0, 0)), button->size());
        QVERIFY2(!tip->geometry().intersects(buttonRect), name);
    }
}

QTEST_MAIN(WindowFitTest)
#include "WindowFitTest.moc"
