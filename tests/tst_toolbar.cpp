#include <corvane/Toolbar.h>
#include <corvane/TooltipsMenu.h>

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

class tst_Toolbar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void orderAndSprings();
    void badIndices();
    void buttonLooks_data();
    void buttonLooks();
    void buttonGroups();
    void ownership();
    void checkableButton();
    void tooltipFollowsHover();
};

static QPushButton* buttonAt(Toolbar& bar, int index)
{
    return qobject_cast<QPushButton*>(bar.layout()->itemAt(index)->widget());
}

void tst_Toolbar::orderAndSprings()
{
    QObject host; // the host owns its actions
    Toolbar bar(nullptr);
    QAction a(QStringLiteral("a"), &host), b(QStringLiteral("b"), &host),
        c(QStringLiteral("c"), &host);
    for (QAction* action : { &a, &b, &c })
        bar.insertAction(bar.itemsCount(), action);
    QCOMPARE(bar.itemsCount(), 3);
    QCOMPARE(bar.actionAt(1), &b);
    QCOMPARE(bar.actionAt(3), nullptr);

    bar.resize(600, 40);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QPushButton* first = buttonAt(bar, 0);
    QPushButton* second = buttonAt(bar, 1);
    QPushButton* third = buttonAt(bar, 2);
    QCOMPARE(first->x(), 0);
    QCOMPARE(second->x(), first->geometry().right() + 1);
    QCOMPARE(third->x(), second->geometry().right() + 1);
    QVERIFY(third->geometry().right() < 300); // the final stretch takes the rest

    bar.insertSpring(1);
    QCOMPARE(bar.itemsCount(), 4);
    QCOMPARE(bar.actionAt(1), nullptr);
    QCOMPARE(bar.actionAt(2), &b);
    bar.layout()->activate();
    QCOMPARE(first->x(), 0);
    QCOMPARE(third->geometry().right(), bar.width() - 1);
    QCOMPARE(second->geometry().right() + 1, third->x());

    // A spacing of 25 in place of the spring, then resized to 40.
    bar.removeAction(1ul);
    bar.insertSpacing(1, 25);
    QCOMPARE(bar.actionAt(1), nullptr);
    bar.layout()->activate();
    QCOMPARE(second->x(), first->geometry().right() + 1 + 25);
    bar.setSpacingSize(1, 40);
    bar.layout()->invalidate();
    bar.layout()->activate();
    QCOMPARE(second->x(), first->geometry().right() + 1 + 40);
    bar.setSpacingSize(1, -30); // no negative gaps
    QCOMPARE(bar.layout()->itemAt(1)->sizeHint(), QSize(0, 0));
}

void tst_Toolbar::badIndices()
{
    QObject host;
    Toolbar bar(nullptr);
    QAction a(QStringLiteral("a"), &host), stranger(QStringLiteral("s"), &host);
    bar.insertAction(1, &a);
    bar.insertAction(~0ul, &a);
    bar.insertAction(0, nullptr);
    QCOMPARE(bar.itemsCount(), 0);

    bar.insertAction(0, &a);
    bar.insertSpring(1);
    bar.insertSpring(5);
    bar.insertSpacing(3, 10);
    bar.insertSpacing(1ul << 40, 10);
    bar.setSpacingSize(0, 10); // a button
    bar.setSpacingSize(1, 10); // a spring: it keeps stretching
    bar.setSpacingSize(2, 10); // the final stretch is no position
    bar.setSpacingSize(~0ul, 10);
    bar.removeAction(2ul);
    bar.removeAction(static_cast<QAction*>(nullptr));
    bar.removeAction(&stranger);
    QCOMPARE(bar.itemsCount(), 2);
    QCOMPARE(bar.layout()->count(), 3);
    QCOMPARE(bar.actionAt(0), &a);
    QCOMPARE(bar.layout()->itemAt(1)->spacerItem()->sizePolicy().horizontalPolicy(),
        QSizePolicy::Expanding);
    QCOMPARE(bar.findChildren<QPushButton*>().size(), 1);
}

void tst_Toolbar::buttonLooks_data()
{
    QTest::addColumn<QVariant>("buttonId");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<QString>("name");

    QTest::newRow("number") << QVariant(7) << false << QStringLiteral("btn7");
    QTest::newRow("text") << QVariant(QStringLiteral("Save")) << false << QStringLiteral("btnSave");
    QTest::newRow("unset") << QVariant() << false << QStringLiteral("btn");
    QTest::newRow("no string") << QVariant(QPoint(1, 2)) << false << QStringLiteral("btn");
    QTest::newRow("separator") << QVariant(7) << true << QStringLiteral("separator");
}

void tst_Toolbar::buttonLooks()
{
    QFETCH(QVariant, buttonId);
    QFETCH(bool, separator);
    QFETCH(QString, name);

    QObject host;
    Toolbar bar(nullptr);
    QAction action(QStringLiteral("Zoom"), &host);
    action.setProperty("buttonId", buttonId);
    action.setSeparator(separator);
    action.setCheckable(true);
    action.setChecked(true);
    action.setEnabled(false);
    action.setToolTip(QStringLiteral("Zoom in"));
    bar.insertAction(0, &action);

    QWidget* widget = bar.layout()->itemAt(0)->widget();
    QCOMPARE(widget->objectName(), name);
    QVERIFY(widget->testAttribute(Qt::WA_LayoutUsesWidgetRect));
    auto* button = qobject_cast<QPushButton*>(widget);
    QCOMPARE(button == nullptr, separator);
    if (!button)
        return;
    QVERIFY(button->text().isEmpty());
    QVERIFY(button->isCheckable() && button->isChecked() && !button->isEnabled());
    QVERIFY(button->icon().isNull());
    // Enabled state and tooltip are copied once.
    action.setEnabled(true);
    action.setToolTip(QStringLiteral("other"));
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->toolTip(), QStringLiteral("Zoom in"));

    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::green);
    QAction withIcon(QIcon(pixmap), QStringLiteral("icon"), &host);
    bar.insertAction(1, &withIcon);
    QVERIFY(!buttonAt(bar, 1)->icon().isNull());
    QCOMPARE(buttonAt(bar, 1)->iconSize(), QSize(32, 32));
}

void tst_Toolbar::buttonGroups()
{
    Toolbar bar(nullptr);
    QActionGroup group(nullptr);
    auto* first = new QAction(QStringLiteral("1"), &group);
    auto* second = new QAction(QStringLiteral("2"), &group);
    bar.insertAction(0, first);
    bar.insertAction(1, second);
    QCOMPARE(bar.findChildren<QButtonGroup*>().size(), 1);
    QPointer<QButtonGroup> buttons = bar.findChild<QButtonGroup*>();
    QCOMPARE(buttons->buttons().size(), 2);
    QVERIFY(buttons->exclusive());

    bar.removeAction(first);
    QVERIFY(buttons);
    QCOMPARE(buttons->buttons().size(), 1);
    QCOMPARE(first->parent(), &group);
    bar.removeAction(second);
    QVERIFY(!buttons);

    // Deleting the action group takes its buttons and their button group along.
    QObject host;
    QAction kept(QStringLiteral("k"), &host);
    auto* doomed = new QActionGroup(nullptr);
    bar.insertAction(0, new QAction(QStringLiteral("g"), doomed));
    bar.insertAction(1, &kept);
    bar.insertAction(2, new QAction(QStringLiteral("h"), doomed));
    QCOMPARE(bar.findChildren<QButtonGroup*>().size(), 1);
    delete doomed;
    QCOMPARE(bar.itemsCount(), 1);
    QCOMPARE(bar.actionAt(0), &kept);
    QVERIFY(bar.findChildren<QButtonGroup*>().isEmpty());
    QCOMPARE(bar.findChildren<QPushButton*>().size(), 1);
}

void tst_Toolbar::ownership()
{
    QObject host;
    QPointer<QAction> adopted = new QAction(QStringLiteral("adopted"));
    QPointer<QAction> hosted = new QAction(QStringLiteral("hosted"), &host);
    {
        Toolbar bar(nullptr);
        bar.insertAction(0, adopted);
        bar.insertAction(1, hosted);
        QCOMPARE(adopted->parent(), &bar);
        QCOMPARE(hosted->parent(), &host);
        bar.removeAction(0ul);
        QVERIFY(!adopted);
        bar.removeAction(0ul);
        QVERIFY(hosted);
        QCOMPARE(bar.itemsCount(), 0);

        // A host action deleted behind the toolbar's back takes its button along.
        auto* early = new QAction(QStringLiteral("early"), &host);
        bar.insertAction(0, early);
        delete early;
        QCOMPARE(bar.itemsCount(), 0);
        QVERIFY(bar.findChildren<QPushButton*>().isEmpty());

        adopted = new QAction(QStringLiteral("again"));
        bar.insertAction(0, adopted);
        bar.insertAction(1, hosted);
    }
    QVERIFY(!adopted);
    QVERIFY(hosted);
}

void tst_Toolbar::checkableButton()
{
    Toolbar bar(nullptr);
    QObject host;
    QAction action(QStringLiteral("a"), &host);
    QPointer<QAction> plain = new QAction(QStringLiteral("p")); // adopted by the toolbar
    action.setCheckable(true);
    bar.insertAction(0, &action);
    bar.insertAction(1, plain);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QPushButton* button = buttonAt(bar, 0);

    QSignalSpy triggered(&action, &QAction::triggered);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(action.isChecked());
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(triggered.at(0).at(0).toBool(), true);

    action.setChecked(false);
    QVERIFY(!button->isChecked());
    action.setChecked(true);
    QVERIFY(button->isChecked());
    QCOMPARE(triggered.size(), 1);

    QSignalSpy plainTriggered(plain.data(), &QAction::triggered);
    QTest::mouseClick(buttonAt(bar, 1), Qt::LeftButton);
    QCOMPARE(plainTriggered.size(), 1);
    QCOMPARE(plainTriggered.at(0).at(0).toBool(), false);
    QVERIFY(!plain->isChecked());

    // A host may remove the action, and so the clicked button, from its own handler.
    connect(plain, &QAction::triggered, &bar, [&bar, &plain] { bar.removeAction(plain); });
    QTest::mouseClick(buttonAt(bar, 1), Qt::LeftButton);
    QCOMPARE(bar.itemsCount(), 1);
    QCOMPARE(plainTriggered.size(), 2);
    QVERIFY(!plain);
}

void tst_Toolbar::tooltipFollowsHover()
{
    TooltipsMenu menu(nullptr);
    menu.setToolTip(QStringLiteral("the menu's own"));
    menu.setContentsMargins(8, 8, 8, 8);
    QAction* open = menu.addAction(QStringLiteral("&Open"));
    QAction* save = menu.addAction(QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("Save the picture"));
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    const auto hover = [&menu](QPoint pos) {
        QHelpEvent help(QEvent::ToolTip, pos, menu.mapToGlobal(pos));
        QCoreApplication::sendEvent(&menu, &help);
    };
    hover(menu.actionGeometry(open).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Open")); // no mnemonic marker

    hover(menu.actionGeometry(save).center());
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Save the picture"));
    QVERIFY(QToolTip::isVisible());

    // The margin holds no action: QMenu handles the event as any widget would.
    QCOMPARE(menu.actionAt(QPoint(2, 2)), nullptr);
    hover(QPoint(2, 2));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("the menu's own"));
    QToolTip::hideText();
}

QTEST_MAIN(tst_Toolbar)
#include "tst_toolbar.moc"
