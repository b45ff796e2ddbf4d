#include <corvane/InputLineSlider.h>
#include <corvane/LineEdit.h>

#include "TestUtils.h"

#include <QSlider>

using testutils::changedPair;

class TestInputLineSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void typedCommit_data();
    void typedCommit();
    void commitNotReentered();
    void stepping_data();
    void stepping();
    void slider_data();
    void slider();

private:
    // Built the way the property sheet builds its number rows.
    InputLineSlider* makeRow(int flags, double min, double max)
    {
        auto* row = new InputLineSlider("Title"_q, flags, m_window.get());
        row->setMinValue(float(min));
        row->setMaxValue(float(max));
        m_window->layout()->addWidget(row);
        row->show();
        m_field = row->findChild<LineEdit*>("edit"_q);
        return row;
    }

    std::unique_ptr<testutils::HostWindow> m_window;
    LineEdit* m_field = nullptr;
};

void TestInputLineSlider::init()
{
    m_window.reset(new testutils::HostWindow);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestInputLineSlider::typedCommit_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("max"); // the range is -max to max; the row starts at max / 4
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("precision 2: 3") << 0x40 << 2 << 1e9 << "3"_q << 3.0 << "3.00"_q;
    QTest::newRow("precision 2: 2.5") << 0x40 << 2 << 1e9 << "2.5"_q << 2.5 << "2.50"_q;
    QTest::newRow("cut") << 0x40 << 2 << 1e9 << "3.14159"_q << 3.14159 << "3.14"_q;
    QTest::newRow("precision 2: 'g' form wins")
        << 0x40 << 2 << 1e9 << "1234567.891"_q << 1234567.891 << "1.23457e+06"_q;
    QTest::newRow("exponent") << 0x40 << 2 << 1e9 << "1000000"_q << 1e6 << "1e+06"_q;
    QTest::newRow("precision 0") << 0x40 << 0 << 1e9 << "3.7"_q << 3.7 << "4"_q;
    QTest::newRow("precision -1") << 0x40 << -1 << 1e9 << "0.1"_q << 0.1 << "0.1"_q;
    QTest::newRow("integer 2.7") << 0x20 << -1 << 1e9 << "2.7"_q << 2.0 << "2"_q;
    QTest::newRow("integer -2.5 floors") << 0x20 << 2 << 1e9 << "-2.5"_q << -3.0 << "-3"_q;
    QTest::newRow("real above max") << 0xc2 << -1 << 10.0 << "12"_q << 10.0 << "10"_q;
    // Percent rows (0xa1 is the sheet's: slider, integer values, percents).
    QTest::newRow("percent 25.6") << 0x21 << -1 << 1.0 << "25.6"_q << 0.256 << "26"_q;
    QTest::newRow("percent 0") << 0x41 << -1 << 1.0 << "0"_q << 0.0 << "0"_q;
    QTest::newRow("percent above max") << 0xa1 << -1 << 1.0 << "150"_q << 1.0 << "100"_q;
    QTest::newRow("percent below min") << 0xa1 << -1 << 1.0 << "-150"_q << -1.0 << "-100"_q;
    QTest::newRow("% half up") << 0xa1 << -1 << 1.0 << "-12.5"_q << -0.125 << "-12"_q;
    QTest::newRow("letters") << 0xa1 << -1 << 1.0 << "abc"_q << 0.25 << "25"_q;
    QTest::newRow("5 decimals") << 0xc3 << -1 << 1.0 << "33.333"_q << 0.33333 << "33"_q;
    QTest::newRow("6 decimals") << 0xc3 << -1 << 1.0 << "33.3333"_q << 0.25 << "25"_q;
}

void TestInputLineSlider::typedCommit()
{
    QFETCH(int, flags);
    QFETCH(int, precision);
    QFETCH(double, max);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(QString, shown);

    InputLineSlider* row = makeRow(flags, -max, max);
    testutils::ChangeLog log(row);
    row->setPrecision(precision);
    row->setValueAndInit(float(max / 4), flags);
    row->setValue(float(max * 2), 0x10); // out of range: dropped
    QCOMPARE(row->getValue(), float(max / 4));
    QVERIFY(log.entries.isEmpty());

    testutils::typeAndReturn(m_field, typed);
    QCOMPARE(row->getValue(), float(value));
    QCOMPARE(m_field->text(), shown);
    QCOMPARE(log.entries, changedPair(int(value), value));
    // Return again without editing, then leaving the field: each commits what is shown once more.
    QTest::keyClick(m_field, Qt::Key_Return);
    m_window->other->setFocus();
    QCOMPARE(log.entries.size(), 6);
    QCOMPARE(log.entries.mid(4), log.entries.mid(2, 2));
}

void TestInputLineSlider::commitNotReentered()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    // A receiver taking the focus away does not make the focus loss commit a second time.
    connect(row, qOverload<int>(&InputLineSlider::changed), m_window->other,
        qOverload<>(&QWidget::setFocus));
    testutils::ChangeLog log(row);
    testutils::typeAndReturn(m_field, "4"_q);
    QCOMPARE(log.entries, changedPair(4, 4));
}

void TestInputLineSlider::stepping_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("max"); // the range is -max to max
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("input"); // an arrow key, or the pointer's travel in a drag
    QTest::addColumn<QStringList>("expected");
    const int up = Qt::Key_Up, down = Qt::Key_Down;

    QTest::newRow("drag: integer") << 0x20 << 10.0 << 3.0 << 9 << changedPair(4, 4);
    QTest::newRow("drag: clamped") << 0x20 << 10.0 << 10.0 << 9 << changedPair(10, 10);
    // The field steps by dx / 6 here, but a non-percent row moves by one unit per step.
    QTest::newRow("drag: wide range") << 0xc2 << 1000.0 << 3.0 << 60 << changedPair(4, 4);
    QTest::newRow("drag: half rounds up") << 0xc2 << 20.0 << -13.5 << 30 << changedPair(-12, -12);
    QTest::newRow("drag: fine step") << 0x840 << 10.0 << 0.5 << 30 << changedPair(0, 0.501);
    QTest::newRow("drag: percent point") << 0xa1 << 10.0 << 0.25 << 9 << changedPair(0, 0.26);
    QTest::newRow("drag: flat range") << 0xc2 << 0.0 << 0.0 << -9 << changedPair(0, 0);
    QTest::newRow("Up: percent") << 0xa1 << 10.0 << 0.25 << up << changedPair(0, 0.26);
    QTest::newRow("Down: integer") << 0x20 << 10.0 << 3.0 << down << changedPair(2, 2);
    QTest::newRow("Up: fine") << 0x840 << 10.0 << 0.5 << up << changedPair(0, 0.6);
    QTest::newRow("Down: clamped") << 0x40 << 10.0 << -9.5 << down << changedPair(-10, -10);
    QTest::newRow("Up at max: nothing") << 0x40 << 10.0 << 10.0 << up << QStringList();
}

void TestInputLineSlider::stepping()
{
    QFETCH(int, flags);
    QFETCH(double, max);
    QFETCH(double, start);
    QFETCH(int, input);
    QFETCH(QStringList, expected);

    InputLineSlider* row = makeRow(flags, -max, max);
    row->setPrecision(3);
    row->setValueAndInit(float(start), flags);
    testutils::ChangeLog log(row);
    const bool key = input == Qt::Key_Up || input == Qt::Key_Down;
    const QPoint centre(m_field->width() / 2, m_field->height() / 2);
    if (key) {
        m_field->setFocus();
        QTest::keyClick(m_field, Qt::Key(input));
    } else {
        QTest::mousePress(m_field, Qt::LeftButton, Qt::NoModifier, centre);
        testutils::mouseMoveHeld(m_field, centre + QPoint(input, 0));
        QTest::mouseRelease(m_field, Qt::LeftButton, Qt::NoModifier, centre);
    }
    QCOMPARE(log.entries, expected);
    // A key press gives the row its focus look; the release that ends a drag does not.
    QCOMPARE(row->getStyleType(), key ? "focus"_q : QString());
}

void TestInputLineSlider::slider_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("value"); // 1 if the slider's value is ignored

    QTest::newRow("integer step: 4.7") << 0x4c2 << 10.0 << 47 << 5.0;
    QTest::newRow("0.495: 3 decimals") << 0xc2 << 1.5 << 33 << 1.0;
    QTest::newRow("0.51") << 0xc2 << 1.5 << 34 << 0.51;
}

void TestInputLineSlider::slider()
{
    QFETCH(int, flags);
    QFETCH(double, max);
    QFETCH(int, position);
    QFETCH(double, value);

    // The constructor with a value accepts two decimals.
    std::unique_ptr<InputLineSlider> row(new InputLineSlider("T"_q, eInputLineFlags(flags), 1));
    row->setMaxValue(float(max));
    row->setValueAndInit(1, flags);
    auto* slider = row->findChild<QSlider*>();
    testutils::ChangeLog log(row.get());
    slider->setValue(position);
    const QStringList expected = value == 1 ? QStringList() : changedPair(int(value), value);
    QCOMPARE(log.entries, expected);
    QCOMPARE(row->getValue(), float(value));
    // The refresh that follows leaves the slider where the user put it; the next one moves it.
    row->setValue(1, 0x10);
    QCOMPARE(slider->value(), position);
    row->setValue(float(max / 2), 0x10);
    QCOMPARE(slider->value(), 50);
    QCOMPARE(log.entries, expected);
}

QTEST_MAIN(TestInputLineSlider)
#include "tst_inputlineslider.moc"
