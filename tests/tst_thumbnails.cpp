#include "TestUtils.h"

#include <corvane/ThumbnailsList.h>
#include <corvane/ThumbnailsListItem.h>

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

// A shown list of entries "a", "b" and "c", the last one selected, that logs its signals in order.
struct Fixture : QObject
{
    QStringList log;
    ThumbnailsList list { nullptr };
    QHash<QObject*, int> styleChanges; // while the fixture filters the application's events

    bool eventFilter(QObject* o, QEvent* e) override
    {
        styleChanges[o] += e->type() == QEvent::StyleChange;
        return false;
    }

    bool show()
    {
        const auto note = [this](const QString& entry) { return [this, entry] { log << entry; }; };
        connect(&list, &ThumbnailsList::selectionChanged, this, note(QStringLiteral("selection")));
        connect(&list, &ThumbnailsList::deleted, this, note(QStringLiteral("deleted")));
        connect(&list, &ThumbnailsList::activateItem, this,
            [this](int index) { log << QStringLiteral("activate %1").arg(index); });
        connect(&list, qOverload<const QString&>(&ThumbnailsList::renameItem), this,
            [this](const QString& text) { log << QStringLiteral("rename ") + text; });
        list.show();
        for (const char* text : { "a", "b", "c" })
            list.addItem(QPixmap(40, 20), QString::fromLatin1(text));
        return QTest::qWaitForWindowActive(&list);
    }

    // The captions in order, "[...]" around one being edited, "|" after one at rest that does not
    // show its start, "*" after the selected one ("?" when its look disagrees), then "@" and the
    // current index.
    QString state() const
    {
        QString s;
        for (int i = 0; i < list.count(); ++i) {
            ThumbnailsListItem* item = list.getItem(i);
            s += item->edited() ? QLatin1Char('[') + item->text() + QLatin1Char(']') : item->text();
            if (!item->edited() && item->findChild<QLineEdit*>()->cursorPosition() != 0)
                s += QLatin1Char('|');
            const int look = int(item->selected())
                + int(item->findChild<QPushButton*>()->isVisible())
                + int(item->getStyleType() == QLatin1String("active"));
            s += look == 3 ? QStringLiteral("*") : look ? QStringLiteral("?") : QString();
        }
        return s + QLatin1Char('@') + QString::number(list.currentIndex());
    }
};

class tst_Thumbnails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Steps: "select i", "edit i", "name i text" (as the host does), "type text", "key k", "blur",
    // "remove i", "add" (logs "1" for each entry whose style changed, "0" for the others),
    // "focus i" (entry i reports its focus), and "click", "rclick" or "dclick" on entry i's
    // "image", "del" button or "caption".
    void list_data()
    {
        testutils::columns<QString, QString, QString>("steps", "state", "log");
        using testutils::row;
        // Keys go to the current entry.
        row("up", "select 1, key Up", "a*bc@0", "");
        row("up from the last entry", "key Up", "ab*c@1", ""); // one step, not on to the next
        row("down", "select 1, key Down", "abc*@2", "");
        row("up on the first entry", "select 0, key Up", "a*bc@0", "");
        row("down on the last entry", "key Down", "abc*@2", "");
        row("tab wraps", "key Tab", "a*bc@0", "");
        row("f2 selects the caption", "select 1, key F2, type New", "a[New]*c@1", "");
        row("return", "select 1, key Return", "ab*c@1", "activate 1");
        row("return while editing", "edit 2, type New, key Return", "abNew*@2", "rename New");
        row("escape while editing", "edit 2, type New, key Esc", "abc*@2", "");
        row("renamed by the host, then selected", "name 1 New, select 1", "aNew*c@1", "");
        row("delete", "key Del", "abc*@2", "deleted");
        row("delete button", "click 2 del", "abc*@2", "deleted");
        // The current index follows an entry's focus report, without restyling.
        row("focus reported", "focus 0", "abc*@0", "");
        row("focus loss, unchanged", "select 1, edit 1, blur", "ab*c@1", "rename b");
        // An edit away from the selection is ended by the next selection change too.
        row("edit elsewhere, then select", "select 0, edit 1, select 2", "abc*@2", "rename b");

        row("left press", "click 0 image", "a*bc@0", "selection");
        row("right press", "rclick 0 image", "abc*@2", "");
        // The press moves the focus first, which ends the edit.
        row("press on an edited entry", "edit 0, click 0 image", "a*bc@0", "rename a; selection");
        row("double click on the picture", "dclick 0 image", "a*bc@0", "selection; activate 0");
        row("double click on the caption", "dclick 0 caption, type N", "[N]*bc@0", "selection");

        row("remove the middle", "select 0, remove 3, remove 1", "ac*@1", "some left; some left");
        row("remove the last", "select 0, remove 2", "ab*@1", "some left");
        // The new entry takes its look, the one selected before gives it up; the others, already at
        // rest, are not touched.
        row("add", "select 1, add", "abcd*@3", "selection; restyled 0101");
        row("remove all", "remove 2, remove 0, remove 0, remove 0", "@-1",
            "some left; some left; none left; none left");
    }
    void list()
    {
        QFETCH(QString, steps);
        Fixture f;
        QVERIFY(f.show());
        QCOMPARE(f.log.count(QStringLiteral("selection")), 3);
        f.log.clear();
        for (const QString& step : steps.split(QStringLiteral(", "))) {
            const QStringList words = step.split(QLatin1Char(' ')) << QString();
            const QByteArray verb = words.at(0).toLatin1();
            const int index = words.at(1).toInt();
            if (verb == "select") {
                f.list.setSelected(f.list.getItem(index));
            } else if (verb == "name") {
                f.list.renameItem(index, words.at(2));
            } else if (verb == "edit") {
                f.list.initRename(index);
            } else if (verb == "type") {
                QTest::keyClicks(QApplication::focusWidget(), words.at(1));
            } else if (verb == "key") {
                QTest::keySequence(f.list.current(), QKeySequence(words.at(1)));
            } else if (verb == "blur") {
                f.list.setFocus();
            } else if (verb == "focus") {
                Q_EMIT f.list.getItem(index)->focusChanged(f.list.getItem(index));
            } else if (verb == "add") {
                qApp->installEventFilter(&f);
                f.list.addItem(QPixmap(40, 20), QStringLiteral("d"));
                qApp->removeEventFilter(&f);
                QString restyled;
                for (int i = 0; i < f.list.count(); ++i)
                    restyled += QString::number(int(f.styleChanges.value(f.list.getItem(i)) > 0));
                f.log << QStringLiteral("restyled ") + restyled;
            } else if (verb == "remove") {
                f.log << QLatin1String(f.list.removeItem(index) ? "some left" : "none left");
            } else {
                ThumbnailsListItem* item = f.list.getItem(index);
                QWidget* target = words.at(2) == QLatin1String("caption")
                    ? item->findChild<QLineEdit*>()
                    : item->findChild<QWidget*>(words.at(2));
                QTest::mouseClick(target, verb == "rclick" ? Qt::RightButton : Qt::LeftButton);
                if (verb == "dclick")
                    QTest::mouseDClick(target, Qt::LeftButton);
            }
        }
        QTEST(f.state(), "state");
        QTEST(f.log.join(QLatin1String("; ")), "log");
    }

    // The scroll area fills the list and keeps the current entry in view; an entry's caption
    // sits right under its picture at the top of a taller entry.
    void geometry()
    {
        Fixture f;
        f.list.resize(120, 90);
        QVERIFY(f.show());
        auto* area = f.list.findChild<QScrollArea*>();
        QCOMPARE(area->geometry(), f.list.rect());
        QCOMPARE(area->frameWidth(), 0);
        QScrollBar* bar = area->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum()); // the entry added last is in view
        bar->setValue(0);
        QTest::keyClick(f.list.current(), Qt::Key_Escape);
        QCOMPARE(bar->value(), bar->maximum());
        f.list.initRename(0);
        QCOMPARE(bar->value(), 0);
        // In a list taller than its entries they keep their own height, 10 pixels apart at the top.
        f.list.resize(120, 1000);
        QCoreApplication::processEvents();
        const QRect first = f.list.getItem(0)->geometry();
        QCOMPARE(first.height(), f.list.getItem(0)->sizeHint().height());
        QCOMPARE(f.list.getItem(1)->y(), first.bottom() + 1 + 10);

        ThumbnailsListItem entry(QStringLiteral("e"), QPixmap(40, 20), nullptr);
        auto* caption = entry.findChild<QLineEdit*>();
        entry.resize(100, 300);
        entry.layout()->activate();
        QCOMPARE(caption->geometry().bottom() + 1, entry.sizeHint().height());
        QVERIFY(!caption->hasFrame() && !caption->testAttribute(Qt::WA_MacShowFocusRect));
        entry.enableEdit();
        QVERIFY(entry.isEdited());
        entry.forceStyles(QStringLiteral("active")); // the look style sheets select on
        QCOMPARE(entry.property("style_type").toString(), QStringLiteral("active"));
    }
};

QTEST_MAIN(tst_Thumbnails)
#include "tst_thumbnails.moc"
