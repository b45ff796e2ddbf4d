#include <corvane/Toolbar.h>
#include <corvane/TooltipsMenu.h>

#include <QActionGroup>
#include <QButtonGroup>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

// The toolbar's widgets in layout order, as object name "@" left edge.
static QString placement(Toolbar& bar)
{
    bar.layout()->activate();
    QStringList widgets;
    for (int i = 0; i < bar.layout()->count(); ++i)
        if (QWidget* w = bar.layout()->itemAt(i)->widget())
            widgets << w->objectName() + QLatin1Char('@') + QString::number(w->x());
    return widgets.join(QLatin1Char(' '));
}

class tst_Toolbar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        QObject host; // the host owns these actions
        QAction a(QStringLiteral("a"), &host), b(QStringLiteral("b"), &host);
        b.setProperty("buttonId", 7);
        Toolbar bar(nullptr);
        bar.resize(600, 40);
        bar.setStyleSheet(QStringLiteral("QPushButton { width: 50px; padding: 0; border: none; }"));
        bar.insertAction(0, &a);
        bar.insertAction(bar.itemsCount(), &b);
        // Positions past the end are ignored.
        bar.insertAction(3, &a);
        bar.insertSpring(3);
        bar.insertSpacing(~0ul, 5);
        bar.setSpacingSize(9, 5);
        bar.removeAction(2ul);
        QCOMPARE(placement(bar), QStringLiteral("btn@0 btn7@50"));
        bar.insertSpring(1);
        QCOMPARE(placement(bar), QStringLiteral("btn@0 btn7@550"));
        QCOMPARE(bar.itemsCount(), 3);
        QCOMPARE(bar.actionAt(1), nullptr);
        QCOMPARE(bar.actionAt(2), &b);
        bar.insertSpacing(1, 5);
        bar.setSpacingSize(1, 20);
        bar.removeAction(2ul); // the spring
        QCOMPARE(placement(bar), QStringLiteral("btn@0 btn7@70"));
    }

    void buttonsAndOwnership()
    {
        QObject host;
        QActionGroup group(nullptr);
        QPointer<QAction> adopted = new QAction(QStringLiteral("adopted"));
        QPointer<QAction> hosted = new QAction(QStringLiteral("hosted"), &host);
        QPointer<QAction> first = new QAction(QStringLiteral("1"), &group);
        auto* second = new QAction(QStringLiteral("2"), &group);
        hosted->setCheckable(true);
        adopted->setIcon(QIcon(QPixmap(8, 8)));
        Toolbar bar(nullptr);
        for (QAction* action : { adopted.data(), first.data(), hosted.data(), second })
            bar.insertAction(bar.itemsCount(), action);
        // A button shows its action's icon at 32 by 32.
        QCOMPARE(qobject_cast<QPushButton*>(bar.layout()->itemAt(0)->widget())->iconSize(),
            QSize(32, 32));
        QPointer<QButtonGroup> buttons = bar.findChild<QButtonGroup*>();
        QCOMPARE(buttons->buttons().size(), 2);

        // A click checks the action and reaches the host as triggered(true); the button follows.
        QSignalSpy triggered(hosted.data(), &QAction::triggered);
        auto* button = qobject_cast<QPushButton*>(bar.layout()->itemAt(2)->widget());
        button->click();
        QVERIFY(hosted->isChecked());
        hosted->setChecked(false);
        QVERIFY(!button->isChecked());
        QCOMPARE(QList<QVariantList>(triggered), QList<QVariantList> { { true } });

        bar.removeAction(first);
        QCOMPARE(buttons->buttons().size(), 1);
        bar.removeAction(second);
        QVERIFY(!buttons);
        bar.removeAction(0ul);
        bar.removeAction(hosted);
        QVERIFY(!adopted && first && hosted);
        // An action the host deletes takes its button with it.
        bar.insertAction(0, hosted);
        delete hosted;
        QCOMPARE(bar.itemsCount(), 0);
    }

    void tooltipFollowsHover()
    {
        TooltipsMenu menu(nullptr);
        QAction* open = menu.addAction(QStringLiteral("&Open"));
        menu.addAction(QStringLiteral("Save"))->setToolTip(QStringLiteral("Save the picture"));
        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        for (QAction* action : menu.actions()) {
            const QPoint pos = menu.actionGeometry(action).center();
            QHelpEvent help(QEvent::ToolTip, pos, menu.mapToGlobal(pos));
            QVERIFY(QCoreApplication::sendEvent(&menu, &help));
            QTRY_COMPARE(
                QToolTip::text(), action == open ? QStringLiteral("Open") : action->toolTip());
        }
    }
};

QTEST_MAIN(tst_Toolbar)
#include "tst_toolbar.moc"
