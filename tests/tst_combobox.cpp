#include "TestUtils.h"

#include <corvane/ComboBox.h>

#include <QComboBox>
#include <QSignalSpy>

using Entries = QMap<QString, QVariant>;

class tst_ComboBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyedOrdering_data()
    {
        QTest::addColumn<Entries>("map");
        QTest::addColumn<QString>("expected");
        QTest::newRow("collapse, last key wins")
            << Entries { { "b"_q, 2 }, { "a"_q, 1 }, { "c"_q, 1.0 } } << "first c=1 b=2"_q;
        QTest::newRow("non-numbers and NaN count as 0") << Entries { { "a"_q, "none"_q },
            { "b"_q, qQNaN() }, { "hi"_q, qInf() }, { "lo"_q, -qInf() }, { "m"_q, "0.5"_q } }
                                                        << "first lo=-inf b=0 m=0.5 hi=inf"_q;
    }
    void keyedOrdering()
    {
        QFETCH(Entries, map);
        ComboBox row("Mode"_q, false);
        row.setValues(QStringList { "first"_q }); // entries already there stay in front
        row.setValues(map);
        auto* box = row.findChild<QComboBox*>();
        QStringList shown; // "text=number", the number stored as a float
        for (int i = 0; i < box->count(); ++i) {
            const QVariant data = box->itemData(i);
            const bool isFloat = data.userType() == QMetaType::Float;
            shown << box->itemText(i)
                    + (isFloat ? "="_q + QString::number(data.toFloat()) : QString());
        }
        QTEST(shown.join(QLatin1Char(' ')), "expected");
    }

    void setValue_data()
    {
        QTest::addColumn<Entries>("map"); // none: the plain list x, y, z
        QTest::addColumn<bool>("editable");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        const Entries thirds { { "third"_q, 0.33 }, { "half"_q, 0.5 } };
        const Entries lowHigh { { "Low"_q, 1 }, { "High"_q, 2 } };
        const Entries offHigh { { "Off"_q, 0 }, { "High"_q, 2 } };
        QTest::newRow("0.333 within 0.01") << thirds << false << 1 << "0.333"_q << 0 << "third"_q;
        QTest::newRow("0.35 unmatched, fixed") << thirds << false << 1 << "0.35"_q << 1 << "half"_q;
        QTest::newRow("High reads as 0") << offHigh << false << 1 << "High"_q << 0 << "Off"_q;
        QTest::newRow("text when no number") << lowHigh << false << 0 << "High"_q << 1 << "High"_q;
        QTest::newRow("plain list") << Entries() << false << 2 << "y"_q << 0 << "x"_q;
        QTest::newRow("unmatched, editable") << lowHigh << true << 0 << "7.5"_q << 0 << "7.5"_q;
    }
    void setValue()
    {
        QFETCH(Entries, map);
        QFETCH(bool, editable);
        QFETCH(int, start);
        QFETCH(QString, value);
        ComboBox row(QString(), false);
        row.setEditable(editable);
        row.setValues(map.isEmpty() ? QStringList { "x"_q, "y"_q, "z"_q } : QStringList());
        row.setValues(map);
        row.setCurrentIndex(start);
        QSignalSpy spy(&row, &ComboBox::currentIndexChanged);
        row.setValue(value);
        QTEST(row.currentIndex(), "index");
        QTEST(row.currentValue(), "text");
        QCOMPARE(spy.count(), 0);
    }

    // Qt 6 dropped QComboBox::currentIndexChanged(QString); the row's own one must not change.
    void currentIndexChangedWithText()
    {
        auto* row = new ComboBox("Mode"_q, false);
        QStringList log;
        connect(row, &ComboBox::currentIndexChanged, this, [&log](QString const& t) { log << t; });
        row->setValues(QStringList { "one"_q, "two"_q, "Two"_q }); // selects "one"
        row->setCurrentIndex(2);
        auto* box = row->findChild<QComboBox*>();
        box->blockSignals(true);
        row->setValue("1"_q); // matches nothing, leaves the box unblocked
        row->setCurrentValue("TWO"_q); // exact text only: nothing selected
        row->setCurrentIndex(0);
        row->setEditable(true);
        testutils::HostWindow w(row);
        QVERIFY(w.showActive());
        for (QString typed : { QString(), "42"_q }) { // leaving emits, changed or not
            QVERIFY(testutils::focus(box));
            QTest::keyClicks(box, typed);
            QVERIFY(testutils::focus(w.other));
        }
        QVERIFY(!testutils::sendWheel(box, -120)); // left to the parents
        QCOMPARE(log, "one Two  one one one42"_q.split(QLatin1Char(' ')));
    }
};

QTEST_MAIN(tst_ComboBox)
#include "tst_combobox.moc"
