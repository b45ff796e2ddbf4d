#include <corvane/Toolbar.h>
#include <corvane/TooltipsMenu.h>

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

class tst_Toolbar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void orderAndSprings();
    void indicesOutOfRange();
    void spacings();
    void buttonMirrorsAction();
    void objectNames_data();
    void objectNames();
    void separator();
    void buttonGroups();
    void ownership();
    void destroyedActions();
    void checkableButtonDrivesAction();
    void tooltipFollowsHover();
    void tooltipOutsideActionsPasses();
};

static QList<QPushButton*> buttonsLeftToRight(Toolbar& bar)
{
    QList<QPushButton*> buttons;
    for (int i = 0; i < bar.layout()->count(); ++i) {
        if (auto* button = qobject_cast<QPushButton*>(bar.layout()->itemAt(i)->widget()))
            buttons << button;
    }
    return buttons;
}

static void layOut(Toolbar& bar)
{
    bar.resize(600, 40);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.layout()->activate();
}

void tst_Toolbar::cleanup()
{
    QToolTip::hideText();
}

void tst_Toolbar::orderAndSprings()
{
    Toolbar bar(nullptr);
    QCOMPARE(bar.itemsCount(), 0);
    QAction a(QStringLiteral("a"), nullptr), b(QStringLiteral("b"), nullptr),
        c(QStringLiteral("c"), nullptr);
    for (QAction* action : { &a, &b, &c })
        bar.insertAction(bar.itemsCount(), action);
    QCOMPARE(bar.itemsCount(), 3);
    QCOMPARE(bar.actionAt(0), &a);
    QCOMPARE(bar.actionAt(1), &b);
    QCOMPARE(bar.actionAt(2), &c);
    QCOMPARE(bar.actionAt(3), nullptr);

    layOut(bar);
    QList<QPushButton*> buttons = buttonsLeftToRight(bar);
    QCOMPARE(buttons.size(), 3);
    QCOMPARE(buttons[0]->x(), 0);
    QCOMPARE(buttons[1]->x(), buttons[0]->geometry().right() + 1);
    QCOMPARE(buttons[2]->x(), buttons[1]->geometry().right() + 1);
    QVERIFY(buttons[2]->geometry().right() < 300); // the final stretch takes the rest

    bar.insertSpring(1);
    QCOMPARE(bar.itemsCount(), 4);
    QCOMPARE(bar.actionAt(0), &a);
    QCOMPARE(bar.actionAt(1), nullptr);
    QCOMPARE(bar.actionAt(2), &b);
    bar.layout()->activate();
    QCOMPARE(buttons[0]->x(), 0);
    QCOMPARE(buttons[2]->geometry().right(), bar.width() - 1);
    QCOMPARE(buttons[1]->geometry().right() + 1, buttons[2]->x());

    // Removing the spring brings the buttons back to the left.
    bar.removeAction(1ul);
    QCOMPARE(bar.itemsCount(), 3);
    QCOMPARE(bar.actionAt(1), &b);
    bar.layout()->activate();
    QCOMPARE(buttons[1]->x(), buttons[0]->geometry().right() + 1);
}

void tst_Toolbar::indicesOutOfRange()
{
    Toolbar bar(nullptr);
    QAction a(QStringLiteral("a"), nullptr);
    bar.insertAction(1, &a);
    bar.insertAction(~0ul, &a);
    bar.insertAction(0, nullptr);
    QCOMPARE(bar.itemsCount(), 0);
    QVERIFY(bar.findChildren<QPushButton*>().isEmpty());

    bar.insertAction(0, &a);
    bar.insertSpring(5);
    bar.insertSpring(~0ul);
    bar.insertSpacing(2, 10);
    bar.insertSpacing(1ul << 40, 10);
    bar.setSpacingSize(0, 10); // a button, not a spacing
    bar.setSpacingSize(1, 10); // the final stretch is no position
    bar.setSpacingSize(~0ul, 10);
    bar.removeAction(1ul);
    bar.removeAction(~0ul);
    bar.removeAction(static_cast<QAction*>(nullptr));
    QAction stranger(QStringLiteral("s"), nullptr);
    bar.removeAction(&stranger);
    QCOMPARE(bar.itemsCount(), 1);
    QCOMPARE(bar.layout()->count(), 2);
    QCOMPARE(bar.actionAt(0), &a);
    QCOMPARE(bar.actionAt(1ul << 40), nullptr);
}

void tst_Toolbar::spacings()
{
    Toolbar bar(nullptr);
    QAction a(QStringLiteral("a"), nullptr), b(QStringLiteral("b"), nullptr);
    bar.insertAction(0, &a);
    bar.insertAction(1, &b);
    bar.insertSpacing(1, 25);
    bar.insertSpring(3);
    QCOMPARE(bar.itemsCount(), 4);
    QCOMPARE(bar.actionAt(1), nullptr);
    QCOMPARE(bar.actionAt(3), nullptr);

    layOut(bar);
    const QList<QPushButton*> buttons = buttonsLeftToRight(bar);
    QCOMPARE(buttons[1]->x(), buttons[0]->geometry().right() + 1 + 25);

    bar.setSpacingSize(1, 40);
    QCOMPARE(bar.layout()->itemAt(1)->sizeHint(), QSize(40, 0));
    bar.layout()->invalidate();
    bar.layout()->activate();
    QCOMPARE(buttons[1]->x(), buttons[0]->geometry().right() + 1 + 40);

    // A spring is no spacing and keeps stretching.
    bar.setSpacingSize(3, 5);
    QCOMPARE(bar.layout()->itemAt(3)->spacerItem()->sizePolicy().horizontalPolicy(),
        QSizePolicy::Expanding);

    // Negative sizes make no sense for a gap; they count as none.
    bar.setSpacingSize(1, -30);
    QCOMPARE(bar.layout()->itemAt(1)->sizeHint(), QSize(0, 0));
}

void tst_Toolbar::buttonMirrorsAction()
{
    Toolbar bar(nullptr);
    QAction action(QStringLiteral("Zoom"), nullptr);
    action.setCheckable(true);
    action.setChecked(true);
    action.setEnabled(false);
    action.setToolTip(QStringLiteral("Zoom in"));
    bar.insertAction(0, &action);
    QPushButton* button = bar.findChild<QPushButton*>();
    QVERIFY(button);
    QVERIFY(button->text().isEmpty());
    QVERIFY(button->isCheckable());
    QVERIFY(button->isChecked());
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->toolTip(), QStringLiteral("Zoom in"));
    QVERIFY(button->icon().isNull());

    // Enabled state and tooltip are copied once.
    action.setEnabled(true);
    action.setToolTip(QStringLiteral("other"));
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->toolTip(), QStringLiteral("Zoom in"));

    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::green);
    QAction withIcon(QIcon(pixmap), QStringLiteral("icon"), nullptr);
    bar.insertAction(1, &withIcon);
    auto* iconButton = qobject_cast<QPushButton*>(bar.layout()->itemAt(1)->widget());
    QVERIFY(!iconButton->icon().isNull());
    QCOMPARE(iconButton->iconSize(), QSize(32, 32));
}

void tst_Toolbar::objectNames_data()
{
    QTest::addColumn<QVariant>("buttonId");
    QTest::addColumn<QString>("name");

    QTest::newRow("number") << QVariant(7) << QStringLiteral("btn7");
    QTest::newRow("text") << QVariant(QStringLiteral("Save")) << QStringLiteral("btnSave");
    QTest::newRow("unset") << QVariant() << QStringLiteral("btn");
    QTest::newRow("not convertible") << QVariant(QPoint(1, 2)) << QStringLiteral("btn");
}

void tst_Toolbar::objectNames()
{
    QFETCH(QVariant, buttonId);
    QFETCH(QString, name);

    Toolbar bar(nullptr);
    QAction action(QStringLiteral("a"), nullptr);
    if (buttonId.isValid())
        action.setProperty("buttonId", buttonId);
    bar.insertAction(0, &action);
    QCOMPARE(bar.layout()->itemAt(0)->widget()->objectName(), name);
}

void tst_Toolbar::separator()
{
    Toolbar bar(nullptr);
    QAction separator(nullptr);
    separator.setSeparator(true);
    bar.insertAction(0, &separator);
    QCOMPARE(bar.actionAt(0), &separator);
    QWidget* frame = bar.layout()->itemAt(0)->widget();
    QCOMPARE(frame->metaObject(), &QFrame::staticMetaObject);
    QCOMPARE(frame->objectName(), QStringLiteral("separator"));
    QVERIFY(frame->testAttribute(Qt::WA_LayoutUsesWidgetRect));
    QVERIFY(bar.findChildren<QPushButton*>().isEmpty());

    bar.removeAction(&separator);
    QCOMPARE(bar.itemsCount(), 0);
    QVERIFY(bar.findChildren<QFrame*>(QStringLiteral("separator")).isEmpty());
}

void tst_Toolbar::buttonGroups()
{
    Toolbar bar(nullptr);
    QActionGroup group(nullptr);
    auto* first = new QAction(QStringLiteral("1"), &group);
    auto* second = new QAction(QStringLiteral("2"), &group);
    first->setCheckable(true);
    second->setCheckable(true);
    bar.insertAction(0, first);
    bar.insertAction(1, second);

    QCOMPARE(bar.findChildren<QButtonGroup*>().size(), 1);
    QPointer<QButtonGroup> buttons = bar.findChild<QButtonGroup*>();
    QCOMPARE(buttons->buttons().size(), 2);
    QVERIFY(buttons->exclusive());

    bar.removeAction(first);
    QVERIFY(buttons);
    QCOMPARE(buttons->buttons().size(), 1);
    QCOMPARE(first->parent(), &group); // never the toolbar's

    bar.removeAction(second);
    QVERIFY(!buttons);
    QVERIFY(bar.findChildren<QButtonGroup*>().isEmpty());

    // Actions of another parent get no group.
    QObject host;
    bar.insertAction(0, new QAction(QStringLiteral("h"), &host));
    QVERIFY(bar.findChildren<QButtonGroup*>().isEmpty());
}

void tst_Toolbar::ownership()
{
    QObject host;
    QPointer<QAction> adopted = new QAction(QStringLiteral("adopted"), nullptr);
    QPointer<QAction> hosted = new QAction(QStringLiteral("hosted"), &host);
    {
        Toolbar bar(nullptr);
        bar.insertAction(0, adopted);
        bar.insertAction(1, hosted);
        QCOMPARE(adopted->parent(), &bar);
        QCOMPARE(hosted->parent(), &host);

        bar.removeAction(0ul);
        QVERIFY(!adopted);
        QCOMPARE(bar.itemsCount(), 1);
        bar.removeAction(0ul);
        QVERIFY(hosted);
        QCOMPARE(bar.itemsCount(), 0);

        // An adopted action still in place dies with the toolbar.
        adopted = new QAction(QStringLiteral("again"), nullptr);
        bar.insertAction(0, adopted);
        bar.insertAction(1, hosted);
    }
    QVERIFY(!adopted);
    QVERIFY(hosted);
}

void tst_Toolbar::destroyedActions()
{
    Toolbar bar(nullptr);
    QActionGroup* group = new QActionGroup(nullptr);
    auto* grouped = new QAction(QStringLiteral("g"), group);
    auto* loose = new QAction(QStringLiteral("l"), nullptr);
    QAction kept(QStringLiteral("k"), nullptr);
    bar.insertAction(0, grouped);
    bar.insertAction(1, loose);
    bar.insertAction(2, &kept);
    bar.insertAction(3, grouped);
    QCOMPARE(bar.itemsCount(), 4);

    // An action deleted behind the toolbar's back takes its buttons along.
    delete loose;
    QCOMPARE(bar.itemsCount(), 3);
    QCOMPARE(bar.actionAt(1), &kept);

    delete group;
    QCOMPARE(bar.itemsCount(), 1);
    QCOMPARE(bar.actionAt(0), &kept);
    QCOMPARE(buttonsLeftToRight(bar).size(), 1);
    QVERIFY(bar.findChildren<QButtonGroup*>().isEmpty());
}

void tst_Toolbar::checkableButtonDrivesAction()
{
    Toolbar bar(nullptr);
    QAction action(QStringLiteral("a"), nullptr);
    action.setCheckable(true);
    bar.insertAction(0, &action);
    layOut(bar);
    QPushButton* button = buttonsLeftToRight(bar).value(0);
    QVERIFY(button);

    QSignalSpy triggered(&action, &QAction::triggered);
    QSignalSpy toggled(&action, &QAction::toggled);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(action.isChecked());
    QCOMPARE(toggled.size(), 1);
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(triggered.at(0).at(0).toBool(), true);

    action.setChecked(false);
    QVERIFY(!button->isChecked());
    QCOMPARE(triggered.size(), 1);

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!action.isChecked());
    QCOMPARE(triggered.size(), 3);
    QCOMPARE(triggered.at(2).at(0).toBool(), false);

    // A plain action is triggered with false and stays unchecked.
    QAction plain(QStringLiteral("p"), nullptr);
    bar.insertAction(1, &plain);
    QSignalSpy plainTriggered(&plain, &QAction::triggered);
    bar.layout()->activate();
    QTest::mouseClick(buttonsLeftToRight(bar).value(1), Qt::LeftButton);
    QCOMPARE(plainTriggered.size(), 1);
    QCOMPARE(plainTriggered.at(0).at(0).toBool(), false);
}

static void hover(TooltipsMenu& menu, QAction* action)
{
    const QPoint pos = menu.actionGeometry(action).center();
    QHelpEvent help(QEvent::ToolTip, pos, menu.mapToGlobal(pos));
    QVERIFY(QCoreApplication::sendEvent(&menu, &help));
}

void tst_Toolbar::tooltipFollowsHover()
{
    TooltipsMenu menu(nullptr);
    QAction* open = menu.addAction(QStringLiteral("&Open"));
    QAction* save = menu.addAction(QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("Save the picture"));
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    hover(menu, open);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Open"));

    hover(menu, save);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Save the picture"));
    QVERIFY(QToolTip::isVisible());
}

void tst_Toolbar::tooltipOutsideActionsPasses()
{
    TooltipsMenu menu(nullptr);
    menu.setToolTip(QStringLiteral("the menu's own"));
    menu.setContentsMargins(8, 8, 8, 8);
    QAction* first = menu.addAction(QStringLiteral("first"));
    menu.addAction(QStringLiteral("last"));
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    hover(menu, first);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("first"));

    // The menu's margin holds no action: QMenu handles the event as any widget would.
    const QPoint pos(2, 2);
    QCOMPARE(menu.actionAt(pos), nullptr);
    QHelpEvent help(QEvent::ToolTip, pos, menu.mapToGlobal(pos));
    QCoreApplication::sendEvent(&menu, &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("the menu's own"));
}

QTEST_MAIN(tst_Toolbar)
#include "tst_toolbar.moc"
