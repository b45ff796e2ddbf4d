#include <corvane/ThumbnailsList.h>
#include <corvane/ThumbnailsListItem.h>

#include "thumbnails/ThumbnailLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QRgb kLeft = qRgb(250, 0, 0);
const QRgb kRight = qRgb(0, 0, 250);
const QRgb kBackground = qRgb(0, 250, 0);

// Left half red, right half blue, so that a scaled copy shows where its columns went.
QPixmap halves(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(QColor(kRight));
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, width / 2, height, QColor(kLeft));
    return pixmap;
}

// Counts the key presses that reach the object, that is, that nothing consumed before.
class KeyRecorder : public QObject
{
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress)
            keys << static_cast<QKeyEvent*>(e)->key();
        return false;
    }
};

void sendDoubleClick(QWidget* target, QPoint local)
{
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(local), QPointF(target->mapToGlobal(local)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &e);
}

bool sendShortcutOverride(QWidget* target, int key)
{
    QKeyEvent e(QEvent::ShortcutOverride, key, Qt::NoModifier);
    e.ignore();
    QCoreApplication::sendEvent(target, &e);
    return e.isAccepted();
}

} // namespace

class tst_Thumbnails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labelPaint_data();
    void labelPaint();
    void itemLooks();
    void doubleClick_data();
    void doubleClick();
    void editEnds_data();
    void editEnds();
    void destroyWhileEditing();

    void addAndInsert();
    void keys_data();
    void keys();
    void returnEscapeDelete();
    void mousePresses_data();
    void mousePresses();
    void doubleClickInList();
    void removal_data();
    void removal();
    void badIndices();

private:
    void showList(ThumbnailsList& list, int entries);
};

void tst_Thumbnails::labelPaint_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<QSize>("pixmapSize");
    QTest::addColumn<QSize>("drawn");

    QTest::newRow("102 wide, 200x100") << 102 << QSize(200, 100) << QSize(100, 50);
    QTest::newRow("52 wide, 50x100 enlarged") << 52 << QSize(50, 100) << QSize(50, 100);
    QTest::newRow("12 wide, 40x4") << 12 << QSize(40, 4) << QSize(10, 1);
}

void tst_Thumbnails::labelPaint()
{
    QFETCH(int, labelWidth);
    QFETCH(QSize, pixmapSize);
    QFETCH(QSize, drawn);

    const QPixmap pixmap = halves(pixmapSize.width(), pixmapSize.height());
    ThumbnailLabel label(nullptr);
    label.setStyleSheet(QStringLiteral("ThumbnailLabel { background: rgb(0, 250, 0); }"));
    label.setPixmap(pixmap);
    label.resize(labelWidth, 10);

    label.grab(); // the first paint fixes the height
    QCOMPARE(label.height(), drawn.height() + 2);
    QCOMPARE(label.minimumHeight(), drawn.height() + 2);
    QCOMPARE(label.maximumHeight(), drawn.height() + 2);

    const QImage shot = label.grab().toImage();
    QCOMPARE(shot.size(), QSize(labelWidth, drawn.height() + 2));
    const QRect picture(QPoint(1, 1), drawn);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            QRgb expected = kBackground;
            if (picture.contains(x, y))
                expected = x - 1 < drawn.width() / 2 ? kLeft : kRight;
            if (shot.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("unexpected colour at (%1, %2)").arg(x).arg(y)));
        }
    }
}

void tst_Thumbnails::itemLooks()
{
    ThumbnailsListItem item(QStringLiteral("Sunset"), halves(200, 100), nullptr);
    item.resize(137, 200);
    item.show();
    QVERIFY(QTest::qWaitForWindowActive(&item));
    auto* editor = item.findChild<QLineEdit*>();
    auto* del = item.findChild<QPushButton*>(QStringLiteral("del"));
    QCOMPARE(item.text(), QStringLiteral("Sunset"));
    QVERIFY(!editor->isEnabled() && !item.edited());
    QVERIFY(!del->isVisible());
    QCOMPARE(item.property("style_type").toString(), QString());
    QCOMPARE(item.getThumbnailLabel()->objectName(), QStringLiteral("image"));
    // The delete button sits beside the caption and adds no height.
    QCOMPARE(item.sizeHint(),
        QSize(137, item.getThumbnailLabel()->sizeHint().height() + editor->sizeHint().height()));

    item.setSelected(true);
    QCOMPARE(item.getStyleType(), QStringLiteral("active"));
    QVERIFY(del->isVisible() && item.hasFocus() && item.autoFillBackground());
    // Selecting again re-applies the sheet, even one the host took away.
    item.setStyleSheet(QString());
    item.setSelected(true);
    QVERIFY(!item.styleSheet().isEmpty());

    QSignalSpy deleted(&item, &ThumbnailsListItem::deleted);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(deleted.size(), 1);

    item.setSelected(false);
    QCOMPARE(item.getStyleType(), QStringLiteral("default"));
    QVERIFY(!del->isVisible());
}

void tst_Thumbnails::doubleClick_data()
{
    QTest::addColumn<bool>("onCaption");
    QTest::newRow("picture activates") << false;
    QTest::newRow("caption edits") << true;
}

void tst_Thumbnails::doubleClick()
{
    QFETCH(bool, onCaption);

    ThumbnailsListItem item(QStringLiteral("Holiday"), halves(200, 100), nullptr);
    item.resize(102, 200);
    item.show();
    QVERIFY(QTest::qWaitForWindowActive(&item));
    auto* editor = item.findChild<QLineEdit*>();
    QSignalSpy activate(&item, &ThumbnailsListItem::activate);

    // The caption's last pixel still counts as the caption.
    QWidget* target = onCaption ? static_cast<QWidget*>(editor) : item.getThumbnailLabel();
    const QPoint local
        = onCaption ? QPoint(editor->width() - 1, editor->height() - 1) : QPoint(5, 5);
    sendDoubleClick(&item, item.mapFromGlobal(target->mapToGlobal(local)));

    QCOMPARE(activate.size(), onCaption ? 0 : 1);
    QCOMPARE(item.edited(), onCaption);
    QCOMPARE(editor->hasFocus(), onCaption);
    QCOMPARE(editor->selectedText(), onCaption ? QStringLiteral("Holiday") : QString());
}

enum EditEnd { FocusLoss, Finished, Revert, Deselect, Disable };

void tst_Thumbnails::editEnds_data()
{
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reported"); // null: nothing reported
    QTest::addColumn<QString>("caption");

    const QString old = QStringLiteral("Old"), typed = QStringLiteral("New");
    QTest::newRow("focus loss, unchanged") << int(FocusLoss) << QString() << old << old;
    QTest::newRow("focus loss, changed") << int(FocusLoss) << typed << typed << typed;
    QTest::newRow("finished") << int(Finished) << typed << typed << typed;
    QTest::newRow("revert") << int(Revert) << typed << QString() << old;
    QTest::newRow("deselection") << int(Deselect) << typed << typed << typed;
    QTest::newRow("enableEdit(false)") << int(Disable) << typed << QString() << typed;
}

void tst_Thumbnails::editEnds()
{
    QFETCH(int, end);
    QFETCH(QString, typed);
    QFETCH(QString, reported);
    QFETCH(QString, caption);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* item = new ThumbnailsListItem(QStringLiteral("Old"), halves(20, 10), &window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(item);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* editor = item->findChild<QLineEdit*>();
    QSignalSpy editingText(item, &ThumbnailsListItem::editingText);

    item->setSelected(true);
    item->enableEdit();
    item->setTextSelected();
    QVERIFY(item->isEdited() && editor->hasFocus());
    if (!typed.isEmpty())
        QTest::keyClicks(editor, typed);

    switch (end) {
    case FocusLoss:
        other->setFocus(Qt::TabFocusReason);
        break;
    case Finished:
        item->editingFinished();
        break;
    case Revert:
        item->revertText();
        QVERIFY(item->hasFocus());
        break;
    case Deselect:
        item->setSelected(false);
        break;
    case Disable:
        item->enableEdit(false);
        break;
    }
    QVERIFY(!item->edited());
    QCOMPARE(item->text(), caption);
    QCOMPARE(editor->cursorPosition(), 0);
    // Exactly once, although Qt 5 also reports the focus loss itself.
    QCOMPARE(editingText.size(), reported.isNull() ? 0 : 1);
    if (!reported.isNull())
        QCOMPARE(editingText.at(0).at(0).toString(), reported);

    // The next edit reports again; ending twice reports once.
    item->enableEdit(true);
    item->editingFinished();
    item->editingFinished();
    QCOMPARE(editingText.size(), reported.isNull() ? 1 : 2);
}

void tst_Thumbnails::destroyWhileEditing()
{
    auto* list = new ThumbnailsList(nullptr);
    showList(*list, 2);
    QSignalSpy renamed(list, qOverload<const QString&>(&ThumbnailsList::renameItem));
    list->initRename(1);
    QVERIFY(list->getItem(1)->edited());
    delete list; // the focused editor goes with it without calling back

    auto* item = new ThumbnailsListItem(QStringLiteral("x"), QPixmap(), nullptr);
    item->show();
    QVERIFY(QTest::qWaitForWindowActive(item));
    item->enableEdit(true);
    item->grab(); // no pixmap: nothing to draw
    delete item;
}

void tst_Thumbnails::showList(ThumbnailsList& list, int entries)
{
    list.resize(300, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    for (int i = 0; i < entries; ++i)
        list.addItem(halves(40, 20), QString(QLatin1Char('a' + i)));
}

static QString selectedTexts(const ThumbnailsList& list)
{
    QString texts;
    for (int i = 0; i < list.count(); ++i) {
        if (list.getItem(i)->selected())
            texts += list.getItem(i)->text();
    }
    return texts;
}

void tst_Thumbnails::addAndInsert()
{
    ThumbnailsList list(nullptr);
    QSignalSpy selectionChanged(&list, &ThumbnailsList::selectionChanged);
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.current(), nullptr);
    showList(list, 3);
    QCOMPARE(list.count(), 3);
    QCOMPARE(selectionChanged.size(), 3);
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(list.current()->text(), QStringLiteral("c"));
    QCOMPARE(selectedTexts(list), QStringLiteral("c"));
    QCOMPARE(list.current()->getStyleType(), QStringLiteral("active"));
    QCOMPARE(list.getItem(0)->getStyleType(), QStringLiteral("default"));
    QCOMPARE(list.getItem(0)->parentWidget()->objectName(), QStringLiteral("content"));

    list.insertItem(0, halves(40, 20), QStringLiteral("new"), false);
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.getItem(0)->text(), QStringLiteral("new"));
    QCOMPARE(selectionChanged.size(), 3);
    QCOMPARE(list.currentIndex(), 2); // not adjusted for the shift
    QCOMPARE(selectedTexts(list), QStringLiteral("c"));
    QVERIFY(list.getItem(0)->hasFocus());

    // Many entries: the newest one is scrolled into view.
    for (int i = 0; i < 20; ++i)
        list.addItem(halves(40, 20), QStringLiteral("more"));
    auto* area = list.findChild<QScrollArea*>();
    QVERIFY(area->verticalScrollBar()->value() > 0);
    ThumbnailsListItem* last = list.getItem(list.count() - 1);
    const QRect visible = area->viewport()->rect();
    QVERIFY(visible.contains(QRect(last->mapTo(area->viewport(), QPoint()), last->size())));
    QCOMPARE(list.currentIndex(), list.count() - 1);
}

void tst_Thumbnails::keys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("editing");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<bool>("editingAfter");

    QTest::newRow("up") << 1 << false << int(Qt::Key_Up) << 0 << true << false;
    QTest::newRow("up on first") << 0 << false << int(Qt::Key_Up) << 0 << true << false;
    QTest::newRow("up while editing") << 1 << true << int(Qt::Key_Up) << 1 << true << true;
    QTest::newRow("down") << 1 << false << int(Qt::Key_Down) << 2 << true << false;
    QTest::newRow("down on last") << 2 << false << int(Qt::Key_Down) << 2 << true << false;
    QTest::newRow("down while editing") << 0 << true << int(Qt::Key_Down) << 0 << true << true;
    QTest::newRow("tab") << 0 << false << int(Qt::Key_Tab) << 1 << true << false;
    QTest::newRow("tab wraps") << 2 << false << int(Qt::Key_Tab) << 0 << true << false;
    QTest::newRow("tab while editing") << 1 << true << int(Qt::Key_Tab) << 2 << true << false;
    QTest::newRow("f2") << 1 << false << int(Qt::Key_F2) << 1 << true << true;
    QTest::newRow("escape idle") << 1 << false << int(Qt::Key_Escape) << 1 << true << false;
    QTest::newRow("left passes") << 1 << false << int(Qt::Key_Left) << 1 << false << false;
    QTest::newRow("letter passes") << 1 << false << int(Qt::Key_X) << 1 << false << false;
}

void tst_Thumbnails::keys()
{
    QFETCH(int, start);
    QFETCH(bool, editing);
    QFETCH(int, key);
    QFETCH(int, current);
    QFETCH(bool, consumed);
    QFETCH(bool, editingAfter);

    ThumbnailsList list(nullptr);
    showList(list, 3);
    list.setSelected(list.getItem(start));
    if (editing)
        list.initRename(start);
    QCOMPARE(list.getItem(start)->edited(), editing);

    KeyRecorder recorder;
    list.findChild<QFrame*>(QStringLiteral("content"))->installEventFilter(&recorder);
    QSignalSpy selectionChanged(&list, &ThumbnailsList::selectionChanged);
    QSignalSpy renamed(&list, qOverload<const QString&>(&ThumbnailsList::renameItem));

    ThumbnailsListItem* entry = list.getItem(start);
    QTest::keyClick(entry, Qt::Key(key));

    QCOMPARE(list.currentIndex(), current);
    QCOMPARE(selectedTexts(list), list.getItem(current)->text());
    QCOMPARE(recorder.keys.contains(key), !consumed);
    QCOMPARE(list.getItem(current)->edited(), editingAfter);
    QCOMPARE(selectionChanged.size(), 0); // keyboard moves do not report
    // An edit left by a move is reported as a rename.
    QCOMPARE(renamed.size(), editing && !editingAfter ? 1 : 0);
    if (key == Qt::Key_F2)
        QCOMPARE(entry->findChild<QLineEdit*>()->selectedText(), entry->text());
}

void tst_Thumbnails::returnEscapeDelete()
{
    ThumbnailsList list(nullptr);
    showList(list, 3);
    list.setSelected(list.getItem(1));
    QSignalSpy activated(&list, &ThumbnailsList::activateItem);
    QSignalSpy renamed(&list, qOverload<const QString&>(&ThumbnailsList::renameItem));
    QSignalSpy deleted(&list, &ThumbnailsList::deleted);
    ThumbnailsListItem* entry = list.getItem(1);
    auto* editor = entry->findChild<QLineEdit*>();

    QTest::keyClick(entry, Qt::Key_Return);
    QTest::keyClick(entry, Qt::Key_Enter);
    QCOMPARE(activated.size(), 2);
    QCOMPARE(activated.at(1).at(0).toInt(), 1);

    // Delete asks the host and removes nothing.
    QTest::keyClick(entry, Qt::Key_Delete);
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(list.count(), 3);
    QVERIFY(!sendShortcutOverride(entry, Qt::Key_Backspace));

    // Return during an edit ends it and reports the text, without activating.
    QTest::keyClick(entry, Qt::Key_F2);
    entry->setText(QStringLiteral("renamed"));
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(renamed.size(), 1);
    QCOMPARE(renamed.at(0).at(0).toString(), QStringLiteral("renamed"));
    QCOMPARE(activated.size(), 2);
    QVERIFY(!entry->edited() && entry->hasFocus());

    // While the caption is edited, Delete belongs to the editor.
    list.initRename(1);
    QVERIFY(editor->hasFocus());
    editor->setCursorPosition(0);
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(entry->text(), QStringLiteral("enamed"));

    // Escape restores the caption the edit started with and reports nothing.
    QTest::keyClicks(editor, QStringLiteral("oops"));
    QTest::keyClick(entry, Qt::Key_Escape);
    QCOMPARE(entry->text(), QStringLiteral("renamed"));
    QVERIFY(!entry->edited());
    QCOMPARE(renamed.size(), 1);

    // An empty list takes the override too, with nothing to delete.
    ThumbnailsList empty(nullptr);
    QSignalSpy emptyDeleted(&empty, &ThumbnailsList::deleted);
    QVERIFY(sendShortcutOverride(&empty, Qt::Key_Delete));
    QCOMPARE(emptyDeleted.size(), 0);
}

void tst_Thumbnails::mousePresses_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("editTarget");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("reports");

    QTest::newRow("left on another") << int(Qt::LeftButton) << 0 << false << 0 << 1;
    QTest::newRow("left on the current") << int(Qt::LeftButton) << 2 << false << 2 << 1;
    QTest::newRow("right selects nothing") << int(Qt::RightButton) << 0 << false << 2 << 0;
    QTest::newRow("left on an edited entry") << int(Qt::LeftButton) << 0 << true << 2 << 0;
    QTest::newRow("left outside entries") << int(Qt::LeftButton) << -1 << false << 2 << 0;
}

void tst_Thumbnails::mousePresses()
{
    QFETCH(int, button);
    QFETCH(int, target);
    QFETCH(bool, editTarget);
    QFETCH(int, current);
    QFETCH(int, reports);

    ThumbnailsList list(nullptr);
    showList(list, 3);
    if (editTarget)
        list.getItem(target)->enableEdit(true);
    QSignalSpy selectionChanged(&list, &ThumbnailsList::selectionChanged);

    QWidget* receiver = target >= 0 ? static_cast<QWidget*>(list.getItem(target))
                                    : list.findChild<QFrame*>(QStringLiteral("content"));
    // In the gap below the first entry when outside; on the picture otherwise.
    const QPoint local
        = target >= 0 ? QPoint(3, 3) : QPoint(3, list.getItem(0)->geometry().bottom() + 5);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local),
        QPointF(receiver->mapToGlobal(local)), Qt::MouseButton(button), Qt::MouseButton(button),
        Qt::NoModifier);
    QVERIFY(list.findSelecting(receiver->mapToGlobal(local)) == (target >= 0 ? receiver : nullptr));
    press.ignore();
    QCoreApplication::sendEvent(target >= 0 ? receiver : &list, &press);

    QCOMPARE(list.currentIndex(), current);
    QCOMPARE(selectedTexts(list), list.getItem(current)->text());
    QCOMPARE(selectionChanged.size(), reports);
    // Swallowed: the event never reached the widget's own handler, which would ignore it.
    QVERIFY(press.isAccepted());
}

void tst_Thumbnails::doubleClickInList()
{
    ThumbnailsList list(nullptr);
    showList(list, 3);
    QSignalSpy activated(&list, &ThumbnailsList::activateItem);
    QSignalSpy selectionChanged(&list, &ThumbnailsList::selectionChanged);

    // QTest sends the double click alone; a real one follows a click.
    ThumbnailsListItem* entry = list.getItem(0);
    QTest::mouseClick(entry->getThumbnailLabel(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QTest::mouseDClick(entry->getThumbnailLabel(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(selectionChanged.size(), 1);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 0);
    QVERIFY(!entry->edited());

    auto* editor = entry->findChild<QLineEdit*>();
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(selectionChanged.size(), 2);
    QCOMPARE(activated.size(), 1);
    QVERIFY(entry->edited());
    QVERIFY(editor->hasFocus());
}

void tst_Thumbnails::removal_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("removed");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("texts");

    QTest::newRow("middle selects the successor")
        << 3 << 0 << 1 << true << 1 << QStringLiteral("c");
    QTest::newRow("middle, itself selected") << 3 << 1 << 1 << true << 1 << QStringLiteral("c");
    QTest::newRow("first") << 3 << 2 << 0 << true << 0 << QStringLiteral("b");
    QTest::newRow("last selects the new last") << 3 << 0 << 2 << true << 1 << QStringLiteral("b");
    QTest::newRow("only entry") << 1 << 0 << 0 << false << -1 << QString();
    QTest::newRow("index past the end") << 2 << 0 << 2 << true << 0 << QStringLiteral("a");
    QTest::newRow("negative index") << 2 << 1 << -1 << true << 1 << QStringLiteral("b");
    QTest::newRow("empty list") << 0 << -1 << 0 << false << -1 << QString();
}

void tst_Thumbnails::removal()
{
    QFETCH(int, entries);
    QFETCH(int, selected);
    QFETCH(int, removed);
    QFETCH(bool, result);
    QFETCH(int, current);
    QFETCH(QString, texts);

    ThumbnailsList list(nullptr);
    showList(list, entries);
    if (selected >= 0)
        list.setSelected(list.getItem(selected));
    QPointer<ThumbnailsListItem> gone = list.getItem(removed);
    QSignalSpy selectionChanged(&list, &ThumbnailsList::selectionChanged);
    QSignalSpy activated(&list, &ThumbnailsList::activateItem);

    QCOMPARE(list.removeItem(removed), result);
    QCOMPARE(list.currentIndex(), current);
    QCOMPARE(selectedTexts(list), texts);
    QCOMPARE(selectionChanged.size(), 0);
    if (gone) {
        QCOMPARE(gone->parent(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!gone);
    }

    list.currentActivate();
    QCOMPARE(activated.size(), current >= 0 ? 1 : 0);
}

void tst_Thumbnails::badIndices()
{
    ThumbnailsList list(nullptr);
    showList(list, 2);
    QCOMPARE(list.getItem(-1), nullptr);
    QCOMPARE(list.getItem(2), nullptr);
    list.initRename(5);
    list.renameItem(-1, QStringLiteral("x"));
    QVERIFY(!list.getItem(0)->edited() && !list.getItem(1)->edited());
    list.setSelected(static_cast<QWidget*>(nullptr));
    list.setSelected(&list);
    QCOMPARE(list.currentIndex(), 1);

    // setSelected(int) only moves the index; keys pass while it names no entry.
    list.setSelected(42);
    QCOMPARE(list.current(), nullptr);
    KeyRecorder recorder;
    list.findChild<QFrame*>(QStringLiteral("content"))->installEventFilter(&recorder);
    QTest::keyClick(list.getItem(0), Qt::Key_Down);
    QCOMPARE(recorder.keys, QList<int>() << Qt::Key_Down);

    list.setSelected(list.getItem(0)->globalRect().center());
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(selectedTexts(list), QStringLiteral("a"));
}

QTEST_MAIN(tst_Thumbnails)
#include "tst_thumbnails.moc"
