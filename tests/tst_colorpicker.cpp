#include "TestUtils.h"

#include <corvane/ColorPicker.h>

#include "controls/ColorPicker_PushButton.h"

#include <QColorDialog>
#include <QPointer>
#include <QTimer>

// Clicks the swatch and hands the modal colour dialog, from inside its own event loop, to
// `action`, which must close it.
template<class Action> static void clickSwatch(ColorPicker* picker, Action action)
{
    auto* timer = new QTimer(picker);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            action(dialog);
        }
    });
    timer->start(10);
    QTest::mouseClick(picker->findChild<ColorPicker_PushButton*>("button"_q), Qt::LeftButton);
}

class tst_ColorPicker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dialog()
    {
        QPointer<ColorPicker> picker = new ColorPicker("Colour"_q);
        picker->setColor(Qt::red);
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker));
        QStringList log;
        connect(picker, &ColorPicker::colorChanged, this,
            [&log](QColor const& colour) { log << "picker:"_q + colour.name(); });
        // Cancelled, then accepted twice (the second time with the same colour).
        for (bool accept : { false, true, true })
            clickSwatch(picker, [&](QColorDialog* dialog) {
                log << "offered:"_q + dialog->currentColor().name();
                dialog->setCurrentColor(Qt::blue);
                accept ? dialog->accept() : dialog->reject();
            });
        QCOMPARE(log.join(QLatin1Char(' ')),
            "offered:#ff0000 offered:#ff0000 picker:#0000ff offered:#0000ff picker:#0000ff"_q);
        QCOMPARE(picker->getValue(), QColor(Qt::blue));
        picker->setEnabled(true); // back to the colour last set, not the one picked
        QCOMPARE(picker->getValue(), QColor(Qt::red));

        clickSwatch(picker, [picker](QColorDialog*) { delete picker.data(); });
        QVERIFY(!picker); // and nothing more was announced
        QCOMPARE(log.size(), 5);
    }

    void swatchColours()
    {
        ColorPicker picker { QString() };
        picker.setStyleSheet("#button { border: 1px solid #00ff00; background: black; }"_q);
        picker.resize(120, 40);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* swatch = picker.findChild<ColorPicker_PushButton*>("button"_q);
        const int w = swatch->width(), h = swatch->height();
        const auto at
            = [swatch](int x, int y) { return swatch->grab().toImage().pixelColor(x, y).name(); };
        QCOMPARE(at(w / 2, h / 2), "#ffffff"_q);
        picker.setColor(Qt::red);
        // The style's frame, the 2-pixel band, and the colour from 2 pixels in on every side.
        QCOMPARE(QStringList({ at(0, h / 2), at(1, h / 2), at(2, h / 2), at(w - 2, 1),
                                 at(w - 3, h - 3), at(w / 2, 1), at(w / 2, 2) })
                     .join(QLatin1Char(' ')),
            "#00ff00 #000000 #ff0000 #000000 #ff0000 #000000 #ff0000"_q);
        picker.setEnabled(false);
        QVERIFY(!swatch->isEnabled());
        picker.setValue(Qt::yellow); // kept, but grey while disabled
        QCOMPARE(at(w / 2, h / 2) + picker.getValue().name(), "#f0f0f0#f0f0f0"_q);
        picker.setEnabled(true);
        QCOMPARE(at(w / 2, h / 2) + picker.getValue().name(), "#ffff00#ffff00"_q);
    }
};

QTEST_MAIN(tst_ColorPicker)
#include "tst_colorpicker.moc"
