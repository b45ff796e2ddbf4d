#include <corvane/ColorPicker.h>

#include "controls/ColorPicker_PushButton.h"

#include <QApplication>
#include <QColorDialog>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

class tst_ColorPicker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshPickerIsWhite();
    void dialog_data();
    void dialog();
    void disabledShowsGrey_data();
    void disabledShowsGrey();
    void enablingRestoresStoredColour();
    void frameBand();
    void hoverCursors();
    void destroyedWhileDialogOpen();
};

namespace {

// Waits (from inside the dialog's own event loop) for the modal colour dialog and hands it on.
void whenDialogOpens(std::function<void(QColorDialog*)> action, int attempts = 200)
{
    QTimer::singleShot(10, qApp, [action, attempts] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget()))
            action(dialog);
        else if (attempts > 0)
            whenDialogOpens(action, attempts - 1);
    });
}

ColorPicker_PushButton* swatch(ColorPicker& picker)
{
    return picker.findChild<ColorPicker_PushButton*>(QStringLiteral("button"));
}

} // namespace

void tst_ColorPicker::freshPickerIsWhite()
{
    ColorPicker picker(QStringLiteral("Colour"));
    QVERIFY(swatch(picker));
    QCOMPARE(picker.getValue(), QColor(Qt::white));
    QCOMPARE(swatch(picker)->getValue(), QColor(255, 255, 255, 255));
}

void tst_ColorPicker::dialog_data()
{
    QTest::addColumn<QColor>("start");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QColor>("after");

    QTest::newRow("blue accepted")
        << QColor(Qt::red) << QColor(Qt::blue) << true << QColor(Qt::blue);
    QTest::newRow("same colour accepted")
        << QColor(Qt::red) << QColor(Qt::red) << true << QColor(Qt::red);
    QTest::newRow("cancelled") << QColor(Qt::red) << QColor(Qt::blue) << false << QColor(Qt::red);
}

void tst_ColorPicker::dialog()
{
    QFETCH(QColor, start);
    QFETCH(QColor, chosen);
    QFETCH(bool, accept);
    QFETCH(QColor, after);

    ColorPicker picker(QStringLiteral("Colour"));
    picker.setColor(start);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    QSignalSpy fromSwatch(swatch(picker), &ColorPicker_PushButton::colorChanged);
    QSignalSpy fromPicker(&picker, &ColorPicker::colorChanged);
    QSignalSpy clicked(swatch(picker), &QPushButton::clicked);

    QColor offered;
    QWidget* dialogParent = nullptr;
    bool seen = false;
    whenDialogOpens([&](QColorDialog* dialog) {
        seen = true;
        offered = dialog->currentColor();
        dialogParent = dialog->parentWidget();
        dialog->setCurrentColor(chosen);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    QTest::mouseClick(swatch(picker), Qt::LeftButton);

    QVERIFY(seen);
    QCOMPARE(offered, start);
    QCOMPARE(dialogParent, static_cast<QWidget*>(swatch(picker)));
    QCOMPARE(picker.getValue(), after);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!swatch(picker)->isDown());
    QCOMPARE(fromSwatch.count(), accept ? 1 : 0);
    QCOMPARE(fromPicker.count(), accept ? 1 : 0);
    if (accept) {
        QCOMPARE(fromSwatch.at(0).at(0).value<QColor>(), chosen);
        QCOMPARE(fromPicker.at(0).at(0).value<QColor>(), chosen);
    }
    // The dialog does not outlive its use.
    QVERIFY(swatch(picker)->findChildren<QColorDialog*>().isEmpty());
}

void tst_ColorPicker::disabledShowsGrey_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << QColor(Qt::red);
    QTest::newRow("translucent") << QColor(0, 128, 0, 100);
    QTest::newRow("invalid") << QColor();
}

void tst_ColorPicker::disabledShowsGrey()
{
    QFETCH(QColor, colour);
    const QColor grey(0xF0, 0xF0, 0xF0);

    ColorPicker picker { QString() };
    picker.setColor(colour);
    QCOMPARE(picker.getValue(), colour);

    picker.setEnabled(false);
    QCOMPARE(picker.getValue(), grey);
    QVERIFY(!swatch(picker)->isEnabled());
    picker.setValue(QColor(Qt::yellow)); // stored, but still grey while disabled
    QCOMPARE(picker.getValue(), grey);

    picker.setEnabled(true);
    QCOMPARE(picker.getValue(), QColor(Qt::yellow));
    QVERIFY(swatch(picker)->isEnabled());

    // Through QWidget the widgets follow, the swatch's colour does not.
    static_cast<QWidget&>(picker).setEnabled(false);
    QVERIFY(!swatch(picker)->isEnabled());
    QCOMPARE(picker.getValue(), QColor(Qt::yellow));
}

void tst_ColorPicker::enablingRestoresStoredColour()
{
    ColorPicker picker { QString() };
    picker.setColor(Qt::red);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    whenDialogOpens([](QColorDialog* dialog) {
        dialog->setCurrentColor(Qt::blue);
        dialog->accept();
    });
    QTest::mouseClick(swatch(picker), Qt::LeftButton);
    QCOMPARE(picker.getValue(), QColor(Qt::blue));
    picker.setEnabled(true);
    QCOMPARE(picker.getValue(), QColor(Qt::red));
}

void tst_ColorPicker::frameBand()
{
    ColorPicker picker { QString() };
    picker.setStyleSheet(
        QStringLiteral("#button { border: 1px solid rgb(0, 255, 0); background: black; }"));
    picker.setColor(QColor(255, 0, 0));
    picker.resize(120, 40);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    ColorPicker_PushButton* button = swatch(picker);
    const QImage image = button->grab().toImage();
    const int w = image.width() / int(button->devicePixelRatioF());
    const int h = image.height() / int(button->devicePixelRatioF());
    QVERIFY(w > 8 && h > 8);
    const auto at = [&](int x, int y) {
        const qreal dpr = button->devicePixelRatioF();
        return image.pixelColor(int(x * dpr), int(y * dpr));
    };
    const QColor red(255, 0, 0);
    // The style's frame is drawn along the edge...
    QCOMPARE(at(0, h / 2), QColor(0, 255, 0));
    QCOMPARE(at(w / 2, 0), QColor(0, 255, 0));
    // ...the colour starts exactly 2 pixels in on every side.
    for (const QPoint& p : { QPoint(1, h / 2), QPoint(w - 2, h / 2), QPoint(w / 2, 1),
             QPoint(w / 2, h - 2), QPoint(1, 1), QPoint(w - 2, h - 2) })
        QVERIFY2(at(p.x(), p.y()) != red,
            qPrintable(QStringLiteral("band at %1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint& p : { QPoint(2, h / 2), QPoint(w - 3, h / 2), QPoint(w / 2, 2),
             QPoint(w / 2, h - 3), QPoint(2, 2), QPoint(w - 3, h - 3) })
        QCOMPARE(at(p.x(), p.y()), red);
}

void tst_ColorPicker::hoverCursors()
{
    ColorPicker picker { QString() };
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    ColorPicker_PushButton* button = swatch(picker);

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
#else
    QEvent enter(QEvent::Enter);
#endif
    QApplication::sendEvent(button, &enter);
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(button->testAttribute(Qt::WA_SetCursor));
}

void tst_ColorPicker::destroyedWhileDialogOpen()
{
    QPointer<ColorPicker> picker = new ColorPicker(QString());
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    int emitted = 0;
    connect(picker, &ColorPicker::colorChanged, this, [&emitted] { ++emitted; });
    whenDialogOpens([picker](QColorDialog*) { delete picker.data(); });
    QTest::mouseClick(swatch(*picker), Qt::LeftButton);
    QVERIFY(!picker);
    QCOMPARE(emitted, 0);
}

QTEST_MAIN(tst_ColorPicker)
#include "tst_colorpicker.moc"
