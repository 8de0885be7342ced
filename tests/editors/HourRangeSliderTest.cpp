#include "HourRangeSlider.h"

#include <QImage>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

using tarvok::HourRangeSlider;

namespace {

// The slider with its style option opened up, so that a test can find where an hour lies.
class ProbeSlider : public HourRangeSlider {
public:
    QPoint pointOf(int hour) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const int x = groove.x() + handle.width() / 2 +
                      QStyle::sliderPositionFromValue(minimum(), maximum(), hour,
                                                      groove.width() - handle.width());
        return {x, handle.center().y()};
    }

    bool columnHasHighlight(const QImage& image, int hour) const {
        const int x = pointOf(hour).x();
        const QColor highlight = palette().color(QPalette::Highlight);
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == highlight)
                return true;
        }
        return false;
    }
};

enum class How { Drag, Key, PressThenSetValue };

struct Step {
    How how;
    Qt::KeyboardModifiers modifiers;
    int target; // the hour to drag to or set, or the key to press
    int start;
    int end;
};

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class HourRangeSliderTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void stepRules_data();
    void stepRules();
    void loadingTakesRangeWithoutRules_data();
    void loadingTakesRangeWithoutRules();
    void dragKeepsModeOfItsPress();
    void paintsSelectedRange();

private:
    void apply(const Step& step);
    ProbeSlider* m_slider = nullptr;
};

void HourRangeSliderTest::init() {
    m_slider = new ProbeSlider;
    m_slider->resize(300, 40);
    m_slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_slider));
}

void HourRangeSliderTest::cleanup() {
    delete m_slider;
    m_slider = nullptr;
}

void HourRangeSliderTest::apply(const Step& step) {
    const QPoint handle = m_slider->pointOf(m_slider->value());
    switch (step.how) {
    case How::Drag:
        QTest::mousePress(m_slider, Qt::LeftButton, step.modifiers, handle);
        QTest::mouseMove(m_slider, m_slider->pointOf(step.target));
        QTest::mouseRelease(m_slider, Qt::LeftButton, step.modifiers,
                            m_slider->pointOf(step.target));
        break;
    case How::Key:
        QTest::keyClick(m_slider, Qt::Key(step.target), step.modifiers);
        break;
    case How::PressThenSetValue:
        QTest::mouseClick(m_slider, Qt::LeftButton, step.modifiers, handle);
        m_slider->setValue(step.target);
        break;
    }
}

void HourRangeSliderTest::stepRules_data() {
    QTest::addColumn<QList<Step>>("steps");
    const auto ctrl = Qt::ControlModifier;
    const auto none = Qt::NoModifier;
    QTest::newRow("start, then end with Ctrl, then end before start") << QList<Step>{
        {How::Drag, none, 12, 12, 12}, {How::Drag, ctrl, 20, 12, 20}, {How::Drag, ctrl, 5, 5, 5}};
    QTest::newRow("Shift and Alt set the end as Ctrl does") << QList<Step>{
        {How::Drag, Qt::ShiftModifier, 22, 9, 22}, {How::Drag, Qt::AltModifier, 3, 3, 3}};
    QTest::newRow("edge hours") << QList<Step>{{How::Drag, none, 0, 0, 0},
                                               {How::Drag, ctrl, 24, 0, 24},
                                               {How::Drag, none, 23, 23, 23},
                                               {How::Drag, none, 24, 24, 24},
                                               {How::Drag, ctrl, 0, 0, 0}};
    QTest::newRow("value set after a press takes the press's mode")
        << QList<Step>{{How::PressThenSetValue, ctrl, 20, 9, 20},
                       {How::PressThenSetValue, none, 3, 3, 3},
                       {How::PressThenSetValue, ctrl, 24, 3, 24}};
    QTest::newRow("keys move the start unless a modifier is held")
        << QList<Step>{{How::Key, none, Qt::Key_Left, 17, 17},
                       {How::Key, ctrl, Qt::Key_Right, 17, 18},
                       {How::Key, Qt::ShiftModifier, Qt::Key_End, 17, 24},
                       {How::Key, none, Qt::Key_Home, 0, 0}};
    QTest::newRow("a plain key after a Ctrl drag is plain again")
        << QList<Step>{{How::Drag, ctrl, 21, 9, 21}, {How::Key, none, Qt::Key_Left, 20, 20}};
}

void HourRangeSliderTest::stepRules() {
    QFETCH(QList<Step>, steps);
    m_slider->setSelection(9, 18);
    for (const Step& step : steps) {
        apply(step);
        QCOMPARE(m_slider->value(), step.end);
        QCOMPARE(m_slider->selectionStart(), step.start);
        QCOMPARE(m_slider->selectionEnd(), step.end);
    }
}

void HourRangeSliderTest::loadingTakesRangeWithoutRules_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("handle");
    QTest::newRow("working hours") << 9 << 18 << 18;
    QTest::newRow("whole day") << 0 << 24 << 24;
    QTest::newRow("empty window") << 12 << 12 << 12;
    // Rows read back from a file may hold any hours; they come back unchanged.
    QTest::newRow("window over midnight") << 22 << 6 << 6;
    QTest::newRow("hours beyond the day") << 30 << 99 << 24;
}

void HourRangeSliderTest::loadingTakesRangeWithoutRules() {
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, handle);
    // A plain press first, so that rules applied by mistake would collapse the range.
    QTest::mouseClick(m_slider, Qt::LeftButton, Qt::NoModifier, m_slider->pointOf(0));
    QSignalSpy changed(m_slider, &HourRangeSlider::selectionChanged);
    m_slider->setSelection(start, end);
    QCOMPARE(m_slider->value(), handle);
    QCOMPARE(m_slider->selectionStart(), start);
    QCOMPARE(m_slider->selectionEnd(), end);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last(), (QList<QVariant>{start, end}));
    m_slider->grab(); // paints without failing
}

void HourRangeSliderTest::dragKeepsModeOfItsPress() {
    m_slider->setSelection(9, 18);
    QTest::mousePress(m_slider, Qt::LeftButton, Qt::ControlModifier, m_slider->pointOf(18));
    QTest::mouseMove(m_slider, m_slider->pointOf(20));
    // Ctrl let go while the button is still down: the drag goes on setting the end.
    QTest::keyClick(m_slider, Qt::Key_Shift, Qt::NoModifier);
    QTest::mouseMove(m_slider, m_slider->pointOf(22));
    QTest::mouseRelease(m_slider, Qt::LeftButton, Qt::NoModifier, m_slider->pointOf(22));
    QCOMPARE(m_slider->selectionStart(), 9);
    QCOMPARE(m_slider->selectionEnd(), 22);
}

void HourRangeSliderTest::paintsSelectedRange() {
    m_slider->setSelection(6, 12);
    QImage image = m_slider->grab().toImage();
    QVERIFY(m_slider->columnHasHighlight(image, 9));
    QVERIFY(!m_slider->columnHasHighlight(image, 3));
    QVERIFY(!m_slider->columnHasHighlight(image, 18));

    m_slider->setValue(20); // a plain step: the range shrinks to 20h - 20h
    image = m_slider->grab().toImage();
    QVERIFY(!m_slider->columnHasHighlight(image, 9));
    QVERIFY(!m_slider->columnHasHighlight(image, 16));
}

QTEST_MAIN(HourRangeSliderTest)
#include "HourRangeSliderTest.moc"
