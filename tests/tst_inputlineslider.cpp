#include <corvane/InputLineSlider.h>
#include <corvane/LineEdit.h>

#include "TestUtils.h"
#include "numeric/Rounding.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>

#include <limits>

static QStringList names(const char* spaced)
{
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

using testutils::changedPair;

class TestInputLineSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void roundHalfUp_data();
    void roundHalfUp();
    void conversionsSaturate();
    void cutDecimalsKeepsExponent_data();
    void cutDecimalsKeepsExponent();
    void formatting_data();
    void formatting();
    void typedCommit_data();
    void typedCommit();
    void returnTwiceEmitsTwoPairs();
    void focusLossCommitsOnce();
    void settersNeverEmit();
    void drag_data();
    void drag();
    void arrowKeys_data();
    void arrowKeys();
    void sliderMoves();
    void sliderValueRejectedByDecimals();
    void degenerateRanges();
    void layoutFollowsFlags_data();
    void layoutFollowsFlags();
    void lookFollowsField();
    void wheelOverSliderNotConsumed();
    void propertiesAndEnabled();
    void receiverDeletingRow();

private:
    InputLineSlider* makeRow(int flags, double min, double max, int precision = -1);
    QWidget* m_window = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestInputLineSlider::init()
{
    m_window = new QWidget;
    new QVBoxLayout(m_window);
    m_other = new QLineEdit(m_window);
    m_window->layout()->addWidget(m_other);
    m_window->move(50, 50);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestInputLineSlider::cleanup()
{
    delete m_window;
}

// Built the way the property sheet builds its number rows.
InputLineSlider* TestInputLineSlider::makeRow(int flags, double min, double max, int precision)
{
    auto* row = new InputLineSlider(QStringLiteral("Title"), flags, m_window);
    row->setMinValue(float(min));
    row->setMaxValue(float(max));
    row->setPrecision(precision);
    m_window->layout()->addWidget(row);
    row->show();
    return row;
}

static LineEdit* fieldOf(InputLineSlider* row)
{
    return row->findChild<LineEdit*>(QStringLiteral("edit"));
}

void TestInputLineSlider::roundHalfUp_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5") << 2.5 << 3.0;
    QTest::newRow("-12.5") << -12.5 << -12.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-2.6") << -2.6 << -3.0;
    QTest::newRow("2.4999") << 2.4999 << 2.0;
    QTest::newRow("huge") << 1e300 << 1e300;
    QTest::newRow("2^53 + 2") << 9007199254740994.0 << 9007199254740994.0;
    QTest::newRow("-inf") << -qInf() << -qInf();
}

void TestInputLineSlider::roundHalfUp()
{
    QFETCH(double, x);
    QFETCH(double, expected);
    QCOMPARE(numeric::roundHalfUp(x), expected);
}

void TestInputLineSlider::conversionsSaturate()
{
    QVERIFY(qIsNaN(numeric::roundHalfUp(qQNaN())));
    QCOMPARE(numeric::truncToInt(qQNaN()), 0);
    QCOMPARE(numeric::truncToInt(-2.7), -2);
    QCOMPARE(numeric::truncToInt(1e300), std::numeric_limits<int>::max());
    QCOMPARE(numeric::truncToInt(-qInf()), std::numeric_limits<int>::min());
    QCOMPARE(numeric::toFloat(1e300), std::numeric_limits<float>::infinity());
    QCOMPARE(numeric::toFloat(-1e300), -std::numeric_limits<float>::infinity());
    QCOMPARE(numeric::toFloat(0.25), 0.25f);
}

void TestInputLineSlider::cutDecimalsKeepsExponent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QStringLiteral("3.14159") << 2 << QStringLiteral("3.14");
    QTest::newRow("short enough") << QStringLiteral("3.1") << 2 << QStringLiteral("3.1");
    QTest::newRow("no dot") << QStringLiteral("3") << 2 << QStringLiteral("3");
    QTest::newRow("exponent") << QStringLiteral("1.23457e+06") << 2 << QStringLiteral("1.23e+06");
    QTest::newRow("small") << QStringLiteral("-1.5e-07") << 3 << QStringLiteral("-1.5e-07");
}

void TestInputLineSlider::cutDecimalsKeepsExponent()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(numeric::cutDecimals(text, decimals), expected);
}

void TestInputLineSlider::formatting_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("returned");

    QTest::newRow("precision 2, 3") << 0x40 << 2 << 3.0 << QStringLiteral("3.00") << 3.0;
    QTest::newRow("precision 2, 2.5") << 0x40 << 2 << 2.5 << QStringLiteral("2.50") << 2.5;
    QTest::newRow("precision 2, 3.1") << 0x40 << 2 << 3.1 << QStringLiteral("3.10") << 3.1;
    QTest::newRow("precision 2, 3.14159")
        << 0x40 << 2 << 3.14159 << QStringLiteral("3.14") << 3.14159;
    QTest::newRow("precision 2, 1234567.891")
        << 0x40 << 2 << 1234567.891 << QStringLiteral("1.23457e+06") << 1234567.891;
    QTest::newRow("precision 2, a million") << 0x40 << 2 << 1e6 << QStringLiteral("1e+06") << 1e6;
    QTest::newRow("precision 12, 1234567.891")
        << 0x40 << 12 << 1234567.891 << QStringLiteral("1.23457e+06") << 1234567.891;
    QTest::newRow("precision 0, 3.7") << 0x40 << 0 << 3.7 << QStringLiteral("4") << 3.7;
    QTest::newRow("precision -1, 0.1") << 0x40 << -1 << 0.1 << QStringLiteral("0.1") << 0.1;
    QTest::newRow("precision -1, 1234567")
        << 0x40 << -1 << 1234567.0 << QStringLiteral("1.23457e+06") << 1234567.0;
    QTest::newRow("integer 2.7") << 0x20 << 2 << 2.7 << QStringLiteral("2") << 2.0;
    QTest::newRow("integer -2.5") << 0x20 << -1 << -2.5 << QStringLiteral("-3") << -3.0;
    QTest::newRow("percent 0.256") << 0x21 << -1 << 0.256 << QStringLiteral("26") << 0.256;
    QTest::newRow("percent 1") << 0x41 << 2 << 1.0 << QStringLiteral("100") << 1.0;
    QTest::newRow("percent 0") << 0x41 << -1 << 0.0 << QStringLiteral("0") << 0.0;
    QTest::newRow("percent -0.125 rounds up")
        << 0x41 << -1 << -0.125 << QStringLiteral("-12") << -0.125;
    QTest::newRow("infinity") << 0x40 << 2 << qInf() << QStringLiteral("inf") << qInf();
}

void TestInputLineSlider::formatting()
{
    QFETCH(int, flags);
    QFETCH(int, precision);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(double, returned);

    InputLineSlider* row = makeRow(flags, -1e9, 1e9, precision);
    testutils::ChangeLog log(row);
    QCOMPARE(row->fillLineEdit(value), returned);
    QCOMPARE(fieldOf(row)->text(), text);
    QCOMPARE(row->getValue(), float(returned));
    QVERIFY(log.entries.isEmpty());
}

void TestInputLineSlider::typedCommit_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    // Percent row of the property sheet: slider, integer values, percent presentation.
    QTest::newRow("percent above max")
        << 0xa1 << 0.0 << 1.0 << 0.25 << QStringLiteral("150") << 1.0 << QStringLiteral("100");
    QTest::newRow("percent below min")
        << 0xa1 << 0.0 << 1.0 << 0.25 << QStringLiteral("-5") << 0.0 << QStringLiteral("0");
    QTest::newRow("percent letters")
        << 0xa1 << 0.0 << 1.0 << 0.25 << QStringLiteral("abc") << 0.25 << QStringLiteral("25");
    QTest::newRow("percent 5 decimals") << 0xc3 << 0.0 << 1.0 << 0.25 << QStringLiteral("33.333")
                                        << 0.33333 << QStringLiteral("33");
    QTest::newRow("percent 6 decimals")
        << 0xc3 << 0.0 << 1.0 << 0.25 << QStringLiteral("33.3333") << 0.25 << QStringLiteral("25");
    QTest::newRow("real in range")
        << 0xc2 << 0.0 << 10.0 << 1.0 << QStringLiteral("7.5") << 7.5 << QStringLiteral("7.5");
    QTest::newRow("real above max")
        << 0xc2 << 0.0 << 10.0 << 1.0 << QStringLiteral("12") << 10.0 << QStringLiteral("10");
    QTest::newRow("real too many decimals")
        << 0xc2 << 0.0 << 10.0 << 1.0 << QStringLiteral("3.123456") << 1.0 << QStringLiteral("1");
    QTest::newRow("integer floors")
        << 0xa2 << -10.0 << 10.0 << 1.0 << QStringLiteral("-2.5") << -3.0 << QStringLiteral("-3");
}

void TestInputLineSlider::typedCommit()
{
    QFETCH(int, flags);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, initial);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(QString, shown);

    InputLineSlider* row = makeRow(flags, min, max);
    row->setValueAndInit(float(initial), flags);
    testutils::ChangeLog log(row);
    LineEdit* field = fieldOf(row);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Return);

    QCOMPARE(row->getValue(), float(value));
    QCOMPARE(field->text(), shown);
    QCOMPARE(log.entries, changedPair(numeric::truncToInt(value), float(value)));
}

void TestInputLineSlider::returnTwiceEmitsTwoPairs()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    row->setValueAndInit(3, 0xc2);
    testutils::ChangeLog log(row);
    fieldOf(row)->setFocus();
    QTest::keyClick(fieldOf(row), Qt::Key_Return);
    QTest::keyClick(fieldOf(row), Qt::Key_Return);
    QCOMPARE(log.entries, changedPair(3, 3) + changedPair(3, 3));
}

void TestInputLineSlider::focusLossCommitsOnce()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    row->setValueAndInit(3, 0xc2);
    // A receiver that moves the focus does not commit a second time.
    QObject context;
    connect(row, qOverload<float>(&InputLineSlider::changed), &context,
        [row] { fieldOf(row)->setFocus(); });
    testutils::ChangeLog log(row);
    LineEdit* field = fieldOf(row);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("4"));
    m_other->setFocus();
    QCOMPARE(log.entries, changedPair(4, 4));
    QCOMPARE(row->getValue(), 4.0f);
}

void TestInputLineSlider::settersNeverEmit()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    testutils::ChangeLog log(row);
    row->setValue(12, 0);
    QCOMPARE(fieldOf(row)->text(), QString());
    QCOMPARE(row->getValue(), 0.0f);
    row->setValue(qQNaN(), 0);
    QCOMPARE(row->getValue(), 0.0f);
    row->setValueAndInit(4, 0xc2);
    row->setValue(5, 0x10);
    row->setPercents(true);
    row->setPrecision(3);
    row->setMinValue(1);
    row->setMaxValue(9);
    row->setProperty("m_value", 6.0f);
    QCOMPARE(row->getValue(), 6.0f);
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("600"));
    QVERIFY(log.entries.isEmpty());
}

void TestInputLineSlider::drag_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("dx");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("integer up") << 0x20 << 0.0 << 10.0 << -1 << 3.0 << 9 << 4.0
                                << QStringLiteral("4");
    QTest::newRow("integer down") << 0x20 << 0.0 << 10.0 << -1 << 3.0 << -40 << 2.0
                                  << QStringLiteral("2");
    QTest::newRow("clamped at max")
        << 0x20 << 0.0 << 10.0 << -1 << 10.0 << 9 << 10.0 << QStringLiteral("10");
    // A big step amount (range 1000: dx / 6) still moves a non-percent row by one unit.
    QTest::newRow("real wide range")
        << 0xc2 << 0.0 << 1000.0 << -1 << 3.0 << 60 << 4.0 << QStringLiteral("4");
    QTest::newRow("real rounded") << 0xc2 << 0.0 << 10.0 << -1 << 2.4 << 30 << 3.0
                                  << QStringLiteral("3");
    QTest::newRow("negative half rounds up")
        << 0xc2 << -20.0 << 0.0 << -1 << -13.5 << 30 << -12.0 << QStringLiteral("-12");
    QTest::newRow("fine step precision 3")
        << 0x840 << 0.0 << 1.0 << 3 << 0.5 << 30 << 0.501 << QStringLiteral("0.501");
    QTest::newRow("percent point")
        << 0xa1 << 0.0 << 1.0 << -1 << 0.25 << 9 << 0.26 << QStringLiteral("26");
    QTest::newRow("flat range") << 0xc2 << 5.0 << 5.0 << -1 << 5.0 << 9 << 5.0
                                << QStringLiteral("5");
}

void TestInputLineSlider::drag()
{
    QFETCH(int, flags);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, precision);
    QFETCH(double, start);
    QFETCH(int, dx);
    QFETCH(double, value);
    QFETCH(QString, shown);

    InputLineSlider* row = makeRow(flags & ~0x800, min, max, precision);
    row->setValueAndInit(float(start), flags);
    testutils::ChangeLog log(row);
    LineEdit* field = fieldOf(row);
    const QPoint centre(field->width() / 2, field->height() / 2);
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, centre);
    testutils::mouseMoveHeld(field, centre + QPoint(dx, 0));
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, centre);

    QCOMPARE(field->text(), shown);
    QCOMPARE(row->getValue(), float(value));
    QCOMPARE(log.entries, changedPair(numeric::truncToInt(value), float(value)));
    // The release that ends a drag does not give the row its focus look.
    QCOMPARE(row->getStyleType(), QString());
}

void TestInputLineSlider::arrowKeys_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("expectedSignals");
    QTest::addColumn<QString>("shown");

    QTest::newRow("percent up") << 0xa1 << 0.25 << int(Qt::Key_Up) << changedPair(0, 0.26)
                                << QStringLiteral("26");
    QTest::newRow("integer down") << 0x20 << 3.0 << int(Qt::Key_Down) << changedPair(2, 2)
                                  << QStringLiteral("2");
    QTest::newRow("fine step up") << 0x840 << 0.5 << int(Qt::Key_Up) << changedPair(0, 0.6)
                                  << QStringLiteral("0.6");
    QTest::newRow("clamped to min")
        << 0x40 << 0.05 << int(Qt::Key_Down) << changedPair(0, 0) << QStringLiteral("0");
    QTest::newRow("at max: nothing")
        << 0x40 << 10.0 << int(Qt::Key_Up) << QStringList() << QStringLiteral("10");
}

void TestInputLineSlider::arrowKeys()
{
    QFETCH(int, flags);
    QFETCH(double, start);
    QFETCH(int, key);
    QFETCH(QStringList, expectedSignals);
    QFETCH(QString, shown);

    InputLineSlider* row = makeRow(flags & ~0x800, 0, 10);
    row->setValueAndInit(float(start), flags);
    testutils::ChangeLog log(row);
    fieldOf(row)->setFocus();
    QTest::keyClick(fieldOf(row), Qt::Key(key));
    QCOMPARE(log.entries, expectedSignals);
    QCOMPARE(fieldOf(row)->text(), shown);
    QCOMPARE(row->getStyleType(), QStringLiteral("focus"));
}

void TestInputLineSlider::sliderMoves()
{
    InputLineSlider* row = makeRow(0x4c2, 0, 10);
    row->setValueAndInit(2, 0xc2);
    auto* slider = row->findChild<QSlider*>();
    QVERIFY(slider);
    QCOMPARE(slider->value(), 20);
    row->setStep(3);
    QCOMPARE(slider->pageStep(), 3);
    row->setStep(10); // not below the maximum: ignored
    QCOMPARE(slider->pageStep(), 3);
    testutils::ChangeLog log(row);
    slider->setValue(47);
    QCOMPARE(log.entries, changedPair(5, 5));
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("5"));
    // The refresh that follows leaves the slider where the user put it; a later one moves it.
    row->setValue(5, 0x10);
    QCOMPARE(slider->value(), 47);
    row->setValue(7, 0x10);
    QCOMPARE(slider->value(), 70);
    QCOMPARE(log.entries.size(), 2);
    // Commit and drag move the slider too, without reaching the slider handler.
    fieldOf(row)->setFocus();
    QTest::keyClick(fieldOf(row), Qt::Key_Return);
    QCOMPARE(slider->value(), 70);
    QCOMPARE(log.entries, changedPair(5, 5) + changedPair(7, 7));
}

void TestInputLineSlider::sliderValueRejectedByDecimals()
{
    auto* row = new InputLineSlider(QStringLiteral("Title"), eInputLineFlags(0xc2), 1, m_window);
    row->setMaxValue(1.5f);
    row->setValueAndInit(1, 0xc2);
    auto* slider = row->findChild<QSlider*>();
    testutils::ChangeLog log(row);
    slider->setValue(33); // 0.495: three decimals, the row accepts two
    QVERIFY(log.entries.isEmpty());
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("1"));
    QCOMPARE(row->getValue(), 1.0f);
    slider->setValue(34); // 0.51
    QCOMPARE(log.entries, changedPair(0, 0.51));
}

void TestInputLineSlider::degenerateRanges()
{
    InputLineSlider* row = makeRow(0xc2, 5, 5);
    auto* slider = row->findChild<QSlider*>();
    row->setValueAndInit(5, 0xc2);
    QCOMPARE(slider->value(), 0);
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("5"));
    slider->setValue(50);
    QCOMPARE(row->getValue(), 5.0f);

    // Inverted: nothing fits, typed values clamp to the minimum.
    row->setMinValue(10);
    row->setMaxValue(0);
    row->setValueAndInit(5, 0xc2);
    QCOMPARE(row->getValue(), 5.0f);
    row->setValue(5, 0x10);
    testutils::ChangeLog log(row);
    fieldOf(row)->setText(QStringLiteral("3"));
    QMetaObject::invokeMethod(fieldOf(row), "returnPressed");
    QCOMPARE(log.entries, changedPair(10, 10));

    // NaN bounds are ignored, infinite ones accepted.
    row->setMinValue(qQNaN());
    QCOMPARE(row->getMinValue(), 10.0f);
    row->setMinValue(-qInf());
    row->setMaxValue(qInf());
    row->setValueAndInit(qInf(), 0xc2);
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("inf"));
    log.entries.clear();
    row->setAndEmit(1e300);
    QCOMPARE(log.entries,
        (QStringList { QStringLiteral("i:%1").arg(std::numeric_limits<int>::max()),
            QStringLiteral("f:inf") }));

    row->setPrecision(std::numeric_limits<int>::max());
    QCOMPARE(row->getPrecision(), 100);
    row->setPrecision(-50);
    QCOMPARE(row->getPrecision(), -1);
}

void TestInputLineSlider::layoutFollowsFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("topLevel");
    QTest::addColumn<QStringList>("secondLine");
    QTest::addColumn<bool>("noSlider");
    QTest::addColumn<bool>("twoLines");

    QTest::newRow("sheet default")
        << 0xc2 << names("label slider edit") << QStringList() << false << false;
    QTest::newRow("no slider") << 0x40 << names("label space edit") << QStringList() << true
                               << false;
    QTest::newRow("two lines") << 0x2c0 << names("label line") << names("slider edit") << false
                               << true;
    QTest::newRow("two lines, no slider")
        << 0x240 << names("label line") << names("edit") << true << true;
}

static QStringList describe(QLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->layout())
            names << QStringLiteral("line");
        else if (qobject_cast<QSlider*>(item->widget()))
            names << QStringLiteral("slider");
        else if (item->widget())
            names << item->widget()->objectName();
    }
    return names;
}

void TestInputLineSlider::layoutFollowsFlags()
{
    QFETCH(int, flags);
    QFETCH(QStringList, topLevel);
    QFETCH(QStringList, secondLine);
    QFETCH(bool, noSlider);
    QFETCH(bool, twoLines);

    InputLineSlider row(QStringLiteral("Title"), flags);
    QCOMPARE(describe(row.layout()), topLevel);
    QCOMPARE(qobject_cast<QVBoxLayout*>(row.layout()) != nullptr, twoLines);
    if (twoLines)
        QCOMPARE(describe(row.layout()->itemAt(1)->layout()), secondLine);
    QCOMPARE(row.property("no_slider").toBool(), noSlider);
    QCOMPARE(row.property("two_lines").toBool(), twoLines);
    QCOMPARE(row.isIntValues(), false);
    QVERIFY(row.testAttribute(Qt::WA_MouseTracking));
}

void TestInputLineSlider::lookFollowsField()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    row->setValueAndInit(3, 0xc2);
    LineEdit* field = fieldOf(row);
    QCOMPARE(row->getStyleType(), QString());
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(3, 5));
    QCOMPARE(row->getStyleType(), QStringLiteral("focus"));
    QCOMPARE(row->property("style_type").toString(), QStringLiteral("focus"));
    auto* label = row->findChild<QWidget*>(QStringLiteral("label"));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(31, 32, 33));
    m_other->setFocus();
    QCOMPARE(row->getStyleType(), QString());
    QTest::keyPress(m_other, Qt::Key_Tab);
    QVERIFY(field->hasFocus());
    QCOMPARE(row->getStyleType(), QStringLiteral("focus"));
}

void TestInputLineSlider::wheelOverSliderNotConsumed()
{
    InputLineSlider* row = makeRow(0xc2, 0, 10);
    row->setValueAndInit(3, 0xc2);
    auto* slider = row->findChild<QSlider*>();
    QVERIFY(!testutils::sendWheel(slider, 120));
    QCOMPARE(slider->value(), 30);
}

void TestInputLineSlider::propertiesAndEnabled()
{
    InputLineSlider* row = makeRow(0x20, 0, 10);
    QVERIFY(row->setProperty("m_maxValue", 20.0f));
    QVERIFY(row->setProperty("m_value", 15.0f));
    QVERIFY(row->setProperty("m_usePercents", false));
    QCOMPARE(row->property("m_value").toFloat(), 15.0f);
    QCOMPARE(fieldOf(row)->text(), QStringLiteral("15"));
    QVERIFY(row->setProperty("style_type", QStringLiteral("focus")));
    QCOMPARE(row->getStyleType(), QStringLiteral("focus"));
    QVERIFY(!row->setProperty("no_slider", false));

    row->setEnabled(false);
    QVERIFY(!fieldOf(row)->isEnabled());
    QVERIFY(!row->isEnabled());
    row->setEnabled(true);
    QVERIFY(fieldOf(row)->isEnabled());
}

void TestInputLineSlider::receiverDeletingRow()
{
    QPointer<InputLineSlider> row = makeRow(0xc2, 0, 10);
    connect(row, qOverload<int>(&InputLineSlider::changed), this, [&] { delete row.data(); });
    fieldOf(row)->setFocus();
    QTest::keyClick(fieldOf(row), Qt::Key_Up);
    QVERIFY(row.isNull());
}

QTEST_MAIN(TestInputLineSlider)
#include "tst_inputlineslider.moc"
