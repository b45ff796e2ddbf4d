#include <corvane/InputLine.h>
#include <corvane/LineEdit.h>

#include "TestUtils.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"

#include <QPushButton>
#include <QScreen>
#include <QTimer>

using testutils::changedPair;

// The host supplies the layout option that InputLine leaves open.
struct HostInputLine : InputLine
{
    using InputLine::InputLine;
    void setTwoLines(bool) override { }
};

class TestInputLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window.reset(new testutils::HostWindow);
        m_row = new HostInputLine("Title"_q, m_window.get());
        m_row->setMaxValue(10);
        m_window->layout()->addWidget(m_row);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_field = m_row->findChild<LineEdit*>("edit"_q);
        m_button = m_row->findChild<QPushButton*>("button"_q);
        m_spinner = m_row->findChild<Spinner*>("spin"_q);
    }

    void typedCommit_data()
    {
        QTest::addColumn<int>("flags"); // 0x20: integer values; 0x001 alone: percents
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");

        QTest::newRow("percent") << 0x001 << -1 << "25"_q << 0.25 << "25%"_q;
        QTest::newRow("percent sign typed") << 0x001 << -1 << "30%"_q << 0.3 << "30%"_q;
        QTest::newRow("% half up") << 0x001 << -1 << "-12.5"_q << -0.125 << "-12%"_q;
        QTest::newRow("not only percent") << 0x041 << -1 << "0.25"_q << 0.25 << "0.25"_q;
        QTest::newRow("cut, no zeros") << 0 << 2 << "3.14159"_q << 3.14159 << "3.14"_q;
        QTest::newRow("short") << 0 << 2 << "2.5"_q << 2.5 << "2.5"_q;
        QTest::newRow("exponent kept") << 0 << 2 << "1234567"_q << 1234567.0 << "1.23e+06"_q;
        QTest::newRow("precision 0") << 0 << 0 << "3.7"_q << 3.7 << "4"_q;
        QTest::newRow("six digits") << 0 << -1 << "123.45678"_q << 123.45678 << "123.457"_q;
        QTest::newRow("integer floors") << 0x20 << -1 << "-2.5"_q << -3.0 << "-3"_q;
        QTest::newRow("below min") << 0 << -1 << "-2e9"_q << -1e9 << "-1e+09"_q;
        QTest::newRow("letters") << 0 << -1 << "x"_q << 0.5 << "0.5"_q;
    }

    void typedCommit()
    {
        QFETCH(int, flags);
        QFETCH(int, precision);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, shown);

        testutils::ChangeLog log(m_row);
        m_row->setMinValue(-1e9);
        m_row->setMaxValue(1e9);
        m_row->setIntValues(flags & 0x20);
        m_row->setPrecision(precision);
        m_row->setValueAndInit(0.5f, flags);
        QVERIFY(log.entries.isEmpty());
        testutils::typeAndReturn(m_field, typed);
        QCOMPARE(m_row->getValue(), float(value));
        QCOMPARE(m_field->text(), shown);
        QCOMPARE(log.entries, changedPair(int(value), value));
        m_window->other->setFocus(); // leaving the field commits once more
        QCOMPARE(log.entries.size(), 4);
    }

    void setValueAndArrowKeys()
    {
        testutils::ChangeLog log(m_row);
        m_row->setValue(-5, 0); // only the maximum is checked
        QCOMPARE(m_field->text(), "-5"_q);
        m_row->setValue(11, 0);
        QCOMPARE(m_row->getValue(), -5.0f);
        m_row->setValue(9.5f, 0);
        m_field->setFocus();
        for (Qt::Key key : { Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up })
            QTest::keyClick(m_field, key); // the last one finds the maximum: nothing
        QCOMPARE(log.entries, changedPair(8, 8.5) + changedPair(9, 9.5) + changedPair(10, 10));
    }

    void spinnerRepeats_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("step");
        QTest::newRow("upper half") << 5 << 1;
        QTest::newRow("middle counts as upper") << 11 << 1;
        QTest::newRow("lower half") << 12 << -1;
    }

    void spinnerRepeats()
    {
        QFETCH(int, y);
        QFETCH(int, step);

        m_row->setSpinner(true);
        m_row->setValue(5, 0);
        auto* timer = m_spinner->findChild<QTimer*>();
        testutils::ChangeLog log(m_row);
        QTest::mousePress(m_spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
        QCOMPARE(log.entries, changedPair(5 + step, 5 + step));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
        // Each timeout repeats the step; driven directly, so the test does not depend on the clock.
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(
            log.entries, changedPair(5 + step, 5 + step) + changedPair(5 + 2 * step, 5 + 2 * step));
        QTest::mouseRelease(m_spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
        QVERIFY(!timer->isActive());
    }

    void popupGeometry_data()
    {
        QTest::addColumn<int>("windowY"); // < 0: from the bottom of the screen
        QTest::addColumn<int>("pointerX"); // < 0: from the right edge of the screen
        QTest::addColumn<int>("clampLeft"); // -1: to the screen's left edge, 1: to its right edge
        QTest::addColumn<bool>("clampTop");

        // Range 10 in steps of 1 on a 92-pixel track: 9 pixels per step, the handle 45 pixels in.
        QTest::newRow("on screen") << 200 << 300 << 0 << false;
        QTest::newRow("pointer near the left edge") << 200 << 10 << -1 << false;
        QTest::newRow("pointer near the right edge") << 200 << -5 << 1 << false;
        QTest::newRow("row at the bottom") << -5 << 300 << 0 << true;
    }

    void popupGeometry()
    {
        QFETCH(int, windowY);
        QFETCH(int, pointerX);
        QFETCH(int, clampLeft);
        QFETCH(bool, clampTop);

        m_row->setStep(1);
        m_row->setValue(5, 0);
        const QRect screen = m_row->screen()->geometry();
        if (pointerX < 0)
            pointerX += screen.right();
        if (windowY < 0)
            windowY += screen.bottom() - m_window->frameGeometry().height() + 10;
        m_window->move(100, windowY);
        QTest::qWait(0);
        QCursor::setPos(pointerX, m_button->mapToGlobal(QPoint(0, 0)).y());
        QTest::mouseClick(m_button, Qt::LeftButton);

        QWidget* popup = QApplication::activePopupWidget();
        auto* slider = popup->findChild<Slider*>();
        QCOMPARE(slider->value(), 50);
        QCOMPARE(slider->pageStep(), 1);
        QVERIFY(slider->hasFocus());
        const int buttonBottom = m_button->mapToGlobal(QPoint(0, 0)).y() + m_button->height();
        QCOMPARE(clampTop, buttonBottom > screen.bottom() - 19);
        const int top = clampTop ? screen.bottom() - 19 : buttonBottom;
        const int left = clampLeft < 0 ? screen.left()
            : clampLeft > 0            ? screen.right() - 99
                                       : pointerX - 4 - 45;
        QCOMPARE(popup->geometry(), QRect(left, top, 100, 20));

        // The slider sets the value; a release on it closes the popup.
        testutils::ChangeLog log(m_row);
        slider->setValue(30);
        QCOMPARE(log.entries, changedPair(3, 3));
        QTest::mouseRelease(slider, Qt::LeftButton);
        QVERIFY(!popup->isVisible());
    }

    void popupWithFlatRange()
    {
        m_row->setMinValue(10);
        m_row->setStep(0);
        m_row->setValue(-1e30f, 0);
        QTest::mouseClick(m_button, Qt::LeftButton);
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup->findChild<Slider*>()->value(), 0);
        QVERIFY(m_row->screen()->geometry().contains(popup->geometry()));
    }

private:
    std::unique_ptr<testutils::HostWindow> m_window;
    HostInputLine* m_row = nullptr;
    LineEdit* m_field = nullptr;
    QPushButton* m_button = nullptr;
    Spinner* m_spinner = nullptr;
};

QTEST_MAIN(TestInputLine)
#include "tst_inputline.moc"
