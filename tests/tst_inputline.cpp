#include <corvane/InputLine.h>
#include <corvane/LineEdit.h>

#include "TestUtils.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>

// The host supplies the layout option that InputLine leaves open.
class HostInputLine : public InputLine
{
public:
    using InputLine::InputLine;
    void setTwoLines(bool on) override { twoLines = on; }
    bool twoLines = false;
};

using testutils::changedPair;

class TestInputLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void formatting_data();
    void formatting();
    void typedCommit_data();
    void typedCommit();
    void setValueChecksOnlyMaximum();
    void arrowKeys();
    void spinnerRepeats_data();
    void spinnerRepeats();
    void spinnerPaints();
    void controlsFollowFlags();
    void popupGeometry_data();
    void popupGeometry();
    void popupSliderSetsValue();
    void popupWithFlatRange();

private:
    HostInputLine* makeRow(double min, double max);
    QWidget* m_window = nullptr;
    QLineEdit* m_other = nullptr;
};

// The popup is a window of its own, so its slider is not among the row's children.
static Slider* popupSlider()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowType() == Qt::Popup)
            if (auto* slider = top->findChild<Slider*>())
                return slider;
    }
    return nullptr;
}

static LineEdit* fieldOf(InputLine* row)
{
    return row->findChild<LineEdit*>(QStringLiteral("edit"));
}

void TestInputLine::init()
{
    m_window = new QWidget;
    new QVBoxLayout(m_window);
    m_other = new QLineEdit(m_window);
    m_window->layout()->addWidget(m_other);
    m_window->move(200, 200);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestInputLine::cleanup()
{
    delete m_window;
}

HostInputLine* TestInputLine::makeRow(double min, double max)
{
    auto* row = new HostInputLine(QStringLiteral("Title"), m_window);
    row->setMinValue(float(min));
    row->setMaxValue(float(max));
    m_window->layout()->addWidget(row);
    row->show();
    return row;
}

void TestInputLine::formatting_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("intValues");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("percent") << 0x001 << false << -1 << 0.25 << QStringLiteral("25%");
    QTest::newRow("percent rounds half up")
        << 0x001 << false << -1 << -0.125 << QStringLiteral("-12%");
    // Percent presentation is switched on only by the flags value 0x001 alone.
    QTest::newRow("not only percent") << 0x041 << false << -1 << 0.25 << QStringLiteral("0.25");
    QTest::newRow("cut, no zeros") << 0 << false << 2 << 3.14159 << QStringLiteral("3.14");
    QTest::newRow("short") << 0 << false << 2 << 2.5 << QStringLiteral("2.5");
    QTest::newRow("exponent kept") << 0 << false << 2 << 1234567.0 << QStringLiteral("1.23e+06");
    QTest::newRow("precision 0") << 0 << false << 0 << 3.7 << QStringLiteral("4");
    QTest::newRow("six digits") << 0 << false << -1 << 3.14159265 << QStringLiteral("3.14159");
    QTest::newRow("integer floors") << 0 << true << -1 << -2.5 << QStringLiteral("-3");
}

void TestInputLine::formatting()
{
    QFETCH(int, flags);
    QFETCH(bool, intValues);
    QFETCH(int, precision);
    QFETCH(double, value);
    QFETCH(QString, text);

    HostInputLine* row = makeRow(-1e9, 1e9);
    row->setIntValues(intValues);
    row->setPrecision(precision);
    testutils::ChangeLog log(row);
    row->setValueAndInit(float(value), flags);
    QCOMPARE(fieldOf(row)->text(), text);
    QVERIFY(log.entries.isEmpty());
}

void TestInputLine::typedCommit_data()
{
    QTest::addColumn<bool>("percents");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("30%") << true << QStringLiteral("30%") << 0.3 << QStringLiteral("30%");
    QTest::newRow("30") << true << QStringLiteral("30") << 0.3 << QStringLiteral("30%");
    QTest::newRow("percent above")
        << true << QStringLiteral("250") << 1.0 << QStringLiteral("100%");
    QTest::newRow("letters") << false << QStringLiteral("x") << 0.5 << QStringLiteral("0.5");
    QTest::newRow("below") << false << QStringLiteral("-3") << 0.0 << QStringLiteral("0");
}

void TestInputLine::typedCommit()
{
    QFETCH(bool, percents);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(QString, shown);

    HostInputLine* row = makeRow(0, 1);
    row->setPercents(percents);
    row->setValue(0.5f, 0);
    testutils::ChangeLog log(row);
    LineEdit* field = fieldOf(row);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(row->getValue(), float(value));
    QCOMPARE(field->text(), shown);
    QCOMPARE(log.entries, changedPair(int(value), float(value)));
    // Leaving the field commits once more.
    m_other->setFocus();
    QCOMPARE(
        log.entries, changedPair(int(value), float(value)) + changedPair(int(value), float(value)));
}

void TestInputLine::setValueChecksOnlyMaximum()
{
    HostInputLine* row = makeRow(0, 10);
    row->setValue(-5, 0);
    QCOMPARE(row->getValue(), -5.0f);
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("-5"));
    row->setValue(11, 0);
    row->setValue(qQNaN(), 0);
    QCOMPARE(row->getValue(), -5.0f);
    QVERIFY(row->setProperty("m_value", 7.0f));
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("7"));
}

void TestInputLine::arrowKeys()
{
    HostInputLine* row = makeRow(0, 10);
    row->setValue(9.5f, 0);
    testutils::ChangeLog log(row);
    fieldOf(row)->setFocus();
    QTest::keyClick(fieldOf(row), Qt::Key_Down);
    QTest::keyClick(fieldOf(row), Qt::Key_Up);
    QTest::keyClick(fieldOf(row), Qt::Key_Up); // already at the maximum: nothing
    QCOMPARE(log.entries, changedPair(8, 8.5) + changedPair(9, 9.5) + changedPair(10, 10));
    QTest::keyClick(fieldOf(row), Qt::Key_Up);
    QCOMPARE(log.entries.size(), 6);
}

void TestInputLine::spinnerRepeats_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("upper half") << 5 << changedPair(6, 6) + changedPair(7, 7) + changedPair(8, 8);
    QTest::newRow("middle counts as upper")
        << 11 << changedPair(6, 6) + changedPair(7, 7) + changedPair(8, 8);
    QTest::newRow("lower half") << 16 << changedPair(4, 4) + changedPair(3, 3) + changedPair(2, 2);
}

void TestInputLine::spinnerRepeats()
{
    QFETCH(int, y);
    QFETCH(QStringList, expected);

    HostInputLine* row = makeRow(0, 10);
    row->setSpinner(true);
    row->setValue(5, 0);
    auto* spinner = row->findChild<Spinner*>(QStringLiteral("spin"));
    QVERIFY(spinner->isVisible());
    auto* timer = spinner->findChild<QTimer*>();
    QVERIFY(timer);
    testutils::ChangeLog log(row);

    QTest::mousePress(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
    QCOMPARE(log.entries, expected.mid(0, 2));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 200);
    // Each timeout repeats the step; driven directly, so the test does not depend on the clock.
    QMetaObject::invokeMethod(timer, "timeout");
    QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(log.entries, expected);
    QTest::mouseRelease(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
    QVERIFY(!timer->isActive());
}

void TestInputLine::spinnerPaints()
{
    Spinner spinner;
    spinner.resize(22, 22);
    const QImage image = spinner.grab().toImage();
    const QRgb frame = qRgb(169, 169, 169);
    const QRgb background = qRgb(128, 128, 128);
    const QRgb arrow = qRgb(0, 0, 0);
    QCOMPARE(image.pixel(0, 0), frame);
    // The outline of (0, 0)-(20, 20) with a one-pixel pen covers columns and rows 0 and 21.
    QCOMPARE(image.pixel(21, 5), frame);
    QCOMPARE(image.pixel(5, 21), frame);
    QCOMPARE(image.pixel(20, 5), background);
    QCOMPARE(image.pixel(21, 11), frame); // middle line reaches width - 1
    QCOMPARE(image.pixel(5, 11), frame);
    QCOMPARE(image.pixel(2, 2), background);
    QCOMPARE(image.pixel(11, 6), arrow); // upper triangle (3, 8), (19, 8), (11, 3)
    QCOMPARE(image.pixel(11, 16), arrow); // lower triangle (3, 14), (19, 14), (11, 19)
    QCOMPARE(image.pixel(4, 4), background);
}

void TestInputLine::controlsFollowFlags()
{
    HostInputLine* row = makeRow(0, 10);
    auto* button = row->findChild<QPushButton*>(QStringLiteral("button"));
    auto* spinner = row->findChild<Spinner*>(QStringLiteral("spin"));
    QVERIFY(button->isVisible());
    QVERIFY(!spinner->isVisible());
    QCOMPARE(button->text(), QStringLiteral("V"));
    QCOMPARE(button->size(), QSize(22, 22));

    row->setSliderInsteadSpinner(false);
    QVERIFY(row->isSlider() && row->isSpinner());
    QVERIFY(spinner->isVisible());
    QVERIFY(!button->isVisible());
    row->setSlider(true);
    QVERIFY(button->isVisible());
    QVERIFY(!spinner->isVisible());
    QVERIFY(row->setProperty("m_spinner", false));
    QVERIFY(!row->isSpinner());

    // The spinner connection follows the flag: with it off, the arrows change nothing.
    testutils::ChangeLog log(row);
    row->setValue(5, 0);
    QTest::mousePress(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, 5));
    QTest::mouseRelease(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, 5));
    QVERIFY(log.entries.isEmpty());
    row->setTwoLines(true);
    QVERIFY(row->twoLines);
}

void TestInputLine::popupGeometry_data()
{
    QTest::addColumn<QPoint>("windowPos");
    QTest::addColumn<int>("pointerX");
    QTest::addColumn<int>("clampLeft"); // -1: to the screen's left edge, 1: to its right edge
    QTest::addColumn<bool>("clampTop");

    QTest::newRow("on screen") << QPoint(200, 200) << 300 << 0 << false;
    QTest::newRow("pointer near the left edge") << QPoint(0, 200) << 10 << -1 << false;
    QTest::newRow("pointer near the right edge") << QPoint(200, 200) << -5 << 1 << false;
    QTest::newRow("row at the bottom") << QPoint(200, -1) << 300 << 0 << true;
}

void TestInputLine::popupGeometry()
{
    QFETCH(QPoint, windowPos);
    QFETCH(int, pointerX);
    QFETCH(int, clampLeft);
    QFETCH(bool, clampTop);

    HostInputLine* row = makeRow(0, 10);
    row->setStep(1);
    row->setStep(10); // not below the maximum: ignored
    row->setValue(5, 0);
    const QRect screen = row->screen()->geometry();
    if (pointerX < 0)
        pointerX += screen.right();
    if (windowPos.y() < 0)
        windowPos.setY(screen.bottom() - m_window->frameGeometry().height() + 5);
    m_window->move(windowPos);
    QTest::qWait(0);
    auto* button = row->findChild<QPushButton*>(QStringLiteral("button"));
    const QPoint buttonCentre = button->mapToGlobal(button->rect().center());
    QCursor::setPos(pointerX, buttonCentre.y());
    QTest::mouseClick(button, Qt::LeftButton);

    Slider* slider = popupSlider();
    QWidget* popup = slider->window();
    QVERIFY(popup->isVisible());
    QCOMPARE(slider->value(), 50);
    QCOMPARE(slider->pageStep(), 1);
    QVERIFY(slider->hasFocus());
    // Range 10 in steps of 1 on a 92-pixel track: 9 pixels per step, the handle 45 pixels in.
    const int left = clampLeft < 0 ? screen.left()
        : clampLeft > 0            ? screen.right() - 99
                                   : pointerX - 4 - 45;
    const int buttonBottom = button->mapToGlobal(QPoint(0, 0)).y() + button->height();
    const int top = clampTop ? screen.bottom() - 19 : buttonBottom;
    QCOMPARE(popup->geometry(), QRect(left, top, 100, 20));
    QCOMPARE(clampTop, buttonBottom > screen.bottom() - 19);
    popup->hide();
}

void TestInputLine::popupSliderSetsValue()
{
    HostInputLine* row = makeRow(0, 10);
    row->setValue(5, 0);
    auto* button = row->findChild<QPushButton*>(QStringLiteral("button"));
    QTest::mouseClick(button, Qt::LeftButton);
    Slider* slider = popupSlider();
    QWidget* popup = slider->window();
    QVERIFY(popup->isVisible());

    testutils::ChangeLog log(row);
    slider->setValue(30);
    QCOMPARE(log.entries, changedPair(3, 3));
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("3"));
    // A release on the slider closes the popup.
    QTest::mouseRelease(slider, Qt::LeftButton);
    QVERIFY(!popup->isVisible());

    // Without focus on the button a click opens nothing.
    m_other->setFocus();
    QMetaObject::invokeMethod(button, "clicked", Q_ARG(bool, false));
    QVERIFY(!popup->isVisible());
}

void TestInputLine::popupWithFlatRange()
{
    HostInputLine* row = makeRow(4, 4);
    row->setStep(0);
    row->setValue(-1e30f, 0);
    auto* button = row->findChild<QPushButton*>(QStringLiteral("button"));
    QTest::mouseClick(button, Qt::LeftButton);
    Slider* slider = popupSlider();
    QVERIFY(slider->window()->isVisible());
    QCOMPARE(slider->value(), 0);
    QVERIFY(row->screen()->geometry().contains(slider->window()->geometry()));
    slider->window()->hide();
}

QTEST_MAIN(TestInputLine)
#include "tst_inputline.moc"
