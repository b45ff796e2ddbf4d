#include "TestUtils.h"

#include <corvane/ComboBox.h>

#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <limits>

using Entries = QMap<QString, QVariant>;

class tst_ComboBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyedOrdering_data();
    void keyedOrdering();
    void setValue_data();
    void setValue();
    void setCurrentValueAndRemove();
    void forwardsIndexChangesWithText();
    void focusOutEmits_data();
    void focusOutEmits();
    void wheelIgnored();
};

static QComboBox* inner(ComboBox& row)
{
    return row.findChild<QComboBox*>();
}

static QStringList texts(QComboBox* box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

void tst_ComboBox::keyedOrdering_data()
{
    QTest::addColumn<Entries>("map");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<float>>("numbers");

    QTest::newRow("equal numbers collapse, last key wins")
        << Entries { { QStringLiteral("b"), 2 }, { QStringLiteral("a"), 1 },
               { QStringLiteral("c"), 1.0 } }
        << QStringList { QStringLiteral("c"), QStringLiteral("b") } << QList<float> { 1.f, 2.f };
    QTest::newRow("ordered by number, not text")
        << Entries { { QStringLiteral("ten"), 10 }, { QStringLiteral("two"), 2.5 },
               { QStringLiteral("minus"), -1 } }
        << QStringList { QStringLiteral("minus"), QStringLiteral("two"), QStringLiteral("ten") }
        << QList<float> { -1.f, 2.5f, 10.f };
    QTest::newRow("numeric strings convert")
        << Entries { { QStringLiteral("x"), QStringLiteral("0.5") },
               { QStringLiteral("y"), QStringLiteral("0.25") } }
        << QStringList { QStringLiteral("y"), QStringLiteral("x") } << QList<float> { 0.25f, 0.5f };
    QTest::newRow("non-number counts as 0")
        << Entries { { QStringLiteral("off"), QStringLiteral("none") },
               { QStringLiteral("on"), 1 } }
        << QStringList { QStringLiteral("off"), QStringLiteral("on") } << QList<float> { 0.f, 1.f };
    QTest::newRow("NaN counts as 0 and collapses with 0") << Entries { { QStringLiteral("a"), 0 },
        { QStringLiteral("b"), std::numeric_limits<double>::quiet_NaN() },
        { QStringLiteral("c"), 3 } } << QStringList { QStringLiteral("b"), QStringLiteral("c") }
                                                          << QList<float> { 0.f, 3.f };
    QTest::newRow("infinities keep their place")
        << Entries { { QStringLiteral("hi"), std::numeric_limits<double>::infinity() },
               { QStringLiteral("lo"), -std::numeric_limits<double>::infinity() },
               { QStringLiteral("mid"), 0 } }
        << QStringList { QStringLiteral("lo"), QStringLiteral("mid"), QStringLiteral("hi") }
        << QList<float> { -std::numeric_limits<float>::infinity(), 0.f,
               std::numeric_limits<float>::infinity() };
    QTest::newRow("empty map") << Entries() << QStringList() << QList<float>();
}

void tst_ComboBox::keyedOrdering()
{
    QFETCH(Entries, map);
    QFETCH(QStringList, texts);
    QFETCH(QList<float>, numbers);

    ComboBox row(QStringLiteral("Mode"), false);
    row.setValues(map);
    QCOMPARE(::texts(inner(row)), texts);
    for (int i = 0; i < numbers.size(); ++i) {
        const QVariant data = inner(row)->itemData(i);
        QCOMPARE(data.userType(), int(QMetaType::Float));
        QCOMPARE(data.toFloat(), numbers.at(i));
    }
}

void tst_ComboBox::setValue_data()
{
    QTest::addColumn<Entries>("map");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("blockedBefore");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    const Entries thirds { { QStringLiteral("third"), 0.33 }, { QStringLiteral("half"), 0.5 } };
    const Entries offHigh { { QStringLiteral("Off"), 0 }, { QStringLiteral("High"), 2 } };
    const Entries lowHigh { { QStringLiteral("Low"), 1 }, { QStringLiteral("High"), 2 } };
    const QStringList plain { QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z") };

    QTest::newRow("0.333 is within 0.01 of 0.33")
        << thirds << QStringList() << false << false << 1 << QStringLiteral("0.333") << 0
        << QStringLiteral("third");
    QTest::newRow("0.35 is not") << thirds << QStringList() << false << false << 1
                                 << QStringLiteral("0.35") << 1 << QStringLiteral("half");
    QTest::newRow("High reads as 0 and selects Off")
        << offHigh << QStringList() << false << false << 1 << QStringLiteral("High") << 0
        << QStringLiteral("Off");
    QTest::newRow("text matches when no number does")
        << lowHigh << QStringList() << false << false << 0 << QStringLiteral("High") << 1
        << QStringLiteral("High");
    QTest::newRow("plain list: any text matches the first entry")
        << Entries() << plain << false << false << 2 << QStringLiteral("y") << 0
        << QStringLiteral("x");
    QTest::newRow("editable: unmatched number becomes the text")
        << lowHigh << QStringList() << true << false << 0 << QStringLiteral("7.5") << 0
        << QStringLiteral("7.5");
    QTest::newRow("fixed: unmatched number changes nothing")
        << lowHigh << QStringList() << false << false << 1 << QStringLiteral("7.5") << 1
        << QStringLiteral("High");
    QTest::newRow("NaN text matches no number")
        << lowHigh << QStringList() << false << false << 1 << QStringLiteral("nan") << 1
        << QStringLiteral("High");
    QTest::newRow("empty box, editable") << Entries() << QStringList() << true << false << -1
                                         << QStringLiteral("free") << -1 << QStringLiteral("free");
    QTest::newRow("signals end unblocked even if blocked before")
        << thirds << QStringList() << false << true << 0 << QStringLiteral("0.5") << 1
        << QStringLiteral("half");
}

void tst_ComboBox::setValue()
{
    QFETCH(Entries, map);
    QFETCH(QStringList, list);
    QFETCH(bool, editable);
    QFETCH(bool, blockedBefore);
    QFETCH(int, startIndex);
    QFETCH(QString, value);
    QFETCH(int, index);
    QFETCH(QString, text);

    ComboBox row(QString(), false);
    row.setEditable(editable);
    row.setValues(list);
    row.setValues(map);
    row.setCurrentIndex(startIndex);
    QSignalSpy spy(&row, &ComboBox::currentIndexChanged);
    inner(row)->blockSignals(blockedBefore);

    row.setValue(value);
    QCOMPARE(row.currentIndex(), index);
    QCOMPARE(row.currentValue(), text);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!inner(row)->signalsBlocked());
}

void tst_ComboBox::setCurrentValueAndRemove()
{
    ComboBox row(QString(), false);
    row.setValues(QStringList { QStringLiteral("Alpha"), QStringLiteral("Beta"),
        QStringLiteral("Beta"), QStringLiteral("Gamma") });
    QSignalSpy spy(&row, &ComboBox::currentIndexChanged);

    row.setCurrentValue(QStringLiteral("Beta"));
    QCOMPARE(row.currentIndex(), 1);
    row.setCurrentValue(QStringLiteral("gamma")); // case matters: nothing selected
    QCOMPARE(row.currentIndex(), -1);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Beta"));
    QCOMPARE(spy.at(1).at(0).toString(), QString());

    row.removeValue(QStringLiteral("Bet")); // no partial match
    row.removeValue(QStringLiteral("beta"));
    QCOMPARE(row.count(), 4);
    row.removeValue(QStringLiteral("Beta"));
    QCOMPARE(texts(inner(row)),
        (QStringList { QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma") }));
}

void tst_ComboBox::forwardsIndexChangesWithText()
{
    ComboBox row(QString(), false);
    QSignalSpy spy(&row, &ComboBox::currentIndexChanged);
    QSignalSpy edits(&row, &ComboBox::editTextChanged);

    // Filling an empty fixed box selects its first entry, and that is reported.
    row.setValues(QStringList { QStringLiteral("one"), QStringLiteral("two") });
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("one"));

    row.setCurrentIndex(1);
    row.setCurrentIndex(1);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("two"));

    inner(row)->setCurrentIndex(0); // as a user choice would
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2).at(0).toString(), QStringLiteral("one"));
    QCOMPARE(edits.count(), 0);
}

void tst_ComboBox::focusOutEmits_data()
{
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fixed, unchanged") << false << QString() << QStringLiteral("one");
    QTest::newRow("editable, unchanged") << true << QString() << QStringLiteral("one");
    QTest::newRow("editable, typed") << true << QStringLiteral("42") << QStringLiteral("one42");
}

void tst_ComboBox::focusOutEmits()
{
    QFETCH(bool, editable);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* row = new ComboBox(QStringLiteral("Mode"), false);
    row->setEditable(editable);
    row->setValues(QStringList { QStringLiteral("one"), QStringLiteral("two") });
    row->setCurrentIndex(0);
    auto* other = new QLineEdit;
    layout->addWidget(row);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QComboBox* box = inner(*row);
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QSignalSpy spy(row, &ComboBox::currentIndexChanged);
    if (!typed.isEmpty()) {
        box->lineEdit()->end(false);
        QTest::keyClicks(box, typed);
    }
    QCOMPARE(spy.count(), 0);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), expected);
    QCOMPARE(row->currentIndex(), 0);
}

void tst_ComboBox::wheelIgnored()
{
    QScrollArea area;
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* row = new ComboBox(QStringLiteral("Mode"), false);
    row->setValues(QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    row->setCurrentIndex(1);
    layout->addWidget(row);
    layout->addSpacing(2000);
    area.setWidget(content);
    area.resize(300, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));

    QSignalSpy spy(row, &ComboBox::currentIndexChanged);
    testutils::sendWheel(inner(*row), -120);
    testutils::sendWheel(inner(*row), -120);
    QCOMPARE(row->currentIndex(), 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(area.verticalScrollBar()->value() > 0);
}

QTEST_MAIN(tst_ComboBox)
#include "tst_combobox.moc"
