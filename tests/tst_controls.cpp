#include "TestUtils.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/Label.h>
#include <corvane/SeparatorLine.h>
#include <corvane/Utils.h>

#include "platform/Utils_p.h"

#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QVBoxLayout>

class tst_Controls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void adjustOneScreen_data();
    void adjustOneScreen();
    void adjustOverlapsAreNotAdded();
    void activateWindow();
    void buttonSignalOrder();
    void wheelPassesToScrollArea_data();
    void wheelPassesToScrollArea();
    void checkBoxStyleType_data();
    void checkBoxStyleType();
    void labelWraps();
    void separatorLine();
};

static QPoint primaryCentre()
{
    const QRect g = QGuiApplication::primaryScreen()->geometry();
    return QPoint((g.left() + g.right()) / 2, (g.top() + g.bottom()) / 2);
}

void tst_Controls::adjustOneScreen_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("kept");

    const QRect g = QGuiApplication::primaryScreen()->geometry();
    // Hanging off the bottom-left corner by everything but a 50 x 50 or 50 x 51 square.
    QTest::newRow("50x50 overlap moves")
        << QRect(g.left() - 50, g.bottom() - 49, 100, 100) << false;
    QTest::newRow("50x51 overlap stays") << QRect(g.left() - 50, g.bottom() - 50, 100, 100) << true;
    QTest::newRow("51x50 overlap stays") << QRect(g.left() - 49, g.bottom() - 49, 100, 100) << true;
    QTest::newRow("wholly off screen moves")
        << QRect(g.left(), g.bottom() + 5000, 300, 200) << false;
    QTest::newRow("inside stays") << QRect(g.left() + 10, g.top() + 10, 300, 200) << true;
    QTest::newRow("empty rect moves") << QRect(g.left() + 10, g.top() + 10, 0, 0) << false;
}

void tst_Controls::adjustOneScreen()
{
    QFETCH(QRect, rect);
    QFETCH(bool, kept);

    const QRect result = AdjustWindowRectToScreens(rect);
    if (kept) {
        QCOMPARE(result, rect);
    } else {
        QCOMPARE(result.size(), rect.size());
        QRect expected = rect;
        expected.moveCenter(primaryCentre());
        QCOMPARE(result, expected);
    }
}

void tst_Controls::adjustOverlapsAreNotAdded()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        QSKIP("This platform plugin offers a single screen (Qt 5's offscreen plugin)");

    // The test's screen layout: 1440 x 900 at (0, 0), primary, and 1280 x 1024 at (1440, 0).
    QCOMPARE(screens.at(0)->geometry(), QRect(0, 0, 1440, 900));
    QCOMPARE(primaryCentre(), QPoint(719, 449));

    // 40 x 40 on each screen: 3200 square pixels visible, but not 2500 on any one of them.
    const QRect straddling(1400, -40, 80, 80);
    const QRect moved = AdjustWindowRectToScreens(straddling);
    QCOMPARE(moved, QRect(680, 410, 80, 80));
    QCOMPARE(moved.center(), QPoint(719, 449));
    // 40 x 80 on the second screen alone is enough.
    const QRect lower(1400, 0, 80, 80);
    QCOMPARE(AdjustWindowRectToScreens(lower), lower);
}

void tst_Controls::activateWindow()
{
    QWidget window;
    window.resize(200, 100);
    window.showMinimized();
    QVERIFY(window.isMinimized());

    ActivateWindow(&window);
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&window));

    ActivateWindow(&window);
    QVERIFY(window.isActiveWindow());
    QVERIFY(!window.isMinimized());
}

void tst_Controls::buttonSignalOrder()
{
    Button button(QStringLiteral("Go"));
    QStringList order;
    QObject* argument = nullptr;
    connect(&button, qOverload<>(&Button::buttonClicked), this,
        [&] { order << QStringLiteral("plain"); });
    connect(&button, qOverload<QObject*>(&Button::buttonClicked), this, [&](QObject* sender) {
        order << QStringLiteral("with sender");
        argument = sender;
    });

    button.resize(80, 30);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order, QStringList({ QStringLiteral("plain"), QStringLiteral("with sender") }));
    QCOMPARE(argument, &button);
    QVERIFY(button.testAttribute(Qt::WA_LayoutUsesWidgetRect));

    Button withIcon(QIcon(), QStringLiteral("Icon"));
    QSignalSpy spy(&withIcon, qOverload<QObject*>(&Button::buttonClicked));
    withIcon.click();
    QCOMPARE(spy.count(), 1);
}

void tst_Controls::wheelPassesToScrollArea_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("check box") << QStringLiteral("check") << true;
    QTest::newRow("disabled button") << QStringLiteral("disabledButton") << true;
    QTest::newRow("plain label") << QStringLiteral("label") << true;
    QTest::newRow("spin box keeps it") << QStringLiteral("spin") << false;
}

void tst_Controls::wheelPassesToScrollArea()
{
    QFETCH(QString, control);
    QFETCH(bool, scrolls);

    QScrollArea area;
    area.resize(200, 150);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    QWidget* target = nullptr;
    if (control == QLatin1String("check")) {
        target = new CheckBox(QStringLiteral("Check"), ePrimary);
    } else if (control == QLatin1String("label")) {
        target = new QLabel(QStringLiteral("Label"));
    } else if (control == QLatin1String("spin")) {
        target = new QSpinBox;
    } else {
        auto* button = new Button(QStringLiteral("Button"));
        button->setEnabled(false);
        target = button;
    }
    layout->addWidget(target);
    layout->addSpacing(2000);
    area.setWidget(content);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));

    auto* check = qobject_cast<CheckBox*>(target);
    const bool checkedBefore = check && check->isChecked();
    QCOMPARE(area.verticalScrollBar()->value(), 0);
    testutils::sendWheel(target, -120);
    QCOMPARE(area.verticalScrollBar()->value() > 0, scrolls);
    if (check)
        QCOMPARE(check->isChecked(), checkedBefore);
}

void tst_Controls::checkBoxStyleType_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("styleType");
    QTest::addColumn<QColor>("text"); // as the test sheet colours each variant

    const QColor unstyled = QApplication::palette().color(QPalette::WindowText);
    QTest::newRow("primary") << 0 << QStringLiteral("primary") << QColor(10, 20, 30);
    QTest::newRow("primary light") << 1 << QStringLiteral("primary_light") << QColor(40, 50, 60);
    QTest::newRow("secondary") << 2 << QStringLiteral("secondary") << QColor(70, 80, 90);
    QTest::newRow("out of range") << 7 << QString() << unstyled;
    QTest::newRow("negative") << -1 << QString() << unstyled;
}

void tst_Controls::checkBoxStyleType()
{
    QFETCH(int, order);
    QFETCH(QString, styleType);

    QWidget window;
    auto* box = new CheckBox(QStringLiteral("Box"), static_cast<eOrder>(order), &window);
    QCOMPARE(box->property("style_type").toString(), styleType);
    forceStyles(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTEST(box->palette().color(QPalette::WindowText), "text");
}

void tst_Controls::labelWraps()
{
    Label label(QStringLiteral("A rather long title that cannot possibly fit on one line of a "
                               "narrow property sheet row"));
    QVERIFY(label.wordWrap());
    QCOMPARE(label.indent(), 0);
    QCOMPARE(label.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(label.sizePolicy().verticalPolicy(), QSizePolicy::Preferred);

    const int oneLine = label.fontMetrics().height();
    QVERIFY(label.heightForWidth(80) >= 3 * oneLine);
    QVERIFY(label.heightForWidth(2000) < 2 * oneLine);
}

void tst_Controls::separatorLine()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* unnamed = new SeparatorLine(&window, nullptr);
    auto* named = new SeparatorLine(&window, "thin");
    layout->addWidget(unnamed);
    layout->addWidget(named);
    forceStyles(&window);
    window.resize(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(unnamed->objectName().isEmpty());
    QCOMPARE(named->objectName(), QStringLiteral("thin"));
    QCOMPARE(unnamed->frameShape(), QFrame::NoFrame);
    // Height and colour come from the sheet alone.
    QCOMPARE(unnamed->height(), 3);
    const QImage image = unnamed->grab().toImage();
    QCOMPARE(QColor(image.pixel(image.width() / 2, 1)), QColor(255, 0, 0));
}

// Two screens where the platform plugin can be configured for them.
static void configureScreens()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    static QTemporaryFile config;
    if (config.open()) {
        config.write(R"({ "screens": [
            { "name": "left", "x": 0, "y": 0, "width": 1440, "height": 900,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 },
            { "name": "right", "x": 1440, "y": 0, "width": 1280, "height": 1024,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })");
        config.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    }
#endif
}

int main(int argc, char** argv)
{
    configureScreens();
    QApplication app(argc, argv);
    tst_Controls test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_controls.moc"
