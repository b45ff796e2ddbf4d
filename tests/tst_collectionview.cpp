#include <corvane/CollectionView.h>

#include "collectionview/CollectionView_private.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <memory>

using Index = CollectionViewIndex;
using Counts = std::vector<unsigned long>;
Q_DECLARE_METATYPE(Index)
Q_DECLARE_METATYPE(Counts)

// Takes pooled cells back first, gives no cell for (3, 1), and records its calls. The log holds
// "c" (selectionChanged), "k" (selectionClicked), "a" (selectionActivated) and "m" with the
// number of items handed to mimeDataForSelection, which gives data only for more than one.
// A QObject, so that the view notices its destruction.
class CountingDelegate : public QObject, public ICollectionViewDelegate
{
public:
    Counts counts;
    std::vector<Index> requested;
    QList<QPoint> laidOut;
    QStringList log;

    void clearRecords() { requested.clear(), laidOut.clear(), log.clear(); }
    unsigned long groupCount(CollectionView&) override { return (unsigned long)(counts.size()); }
    unsigned long itemCount(CollectionView&, unsigned long g) override { return counts.at(g); }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index& index) override
    {
        requested.push_back(index);
        CollectionViewItem* cell = index == Index(3, 1) ? nullptr : view.dequeueItem();
        return cell || index == Index(3, 1) ? cell : new CollectionViewItem;
    }
    QWidget* headerForGroup(CollectionView&, unsigned long) override { return new QWidget; }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>& selection) override
    {
        log << QStringLiteral("m%1").arg(selection.size());
        return selection.size() > 1 ? new QMimeData : nullptr;
    }
    void selectionActivated(CollectionView&) override { log << QStringLiteral("a"); }
    void selectionChanged(CollectionView&) override { log << QStringLiteral("c"); }
    void selectionClicked(CollectionView&) override { log << QStringLiteral("k"); }
    void itemsLaidOut(CollectionView&, unsigned long v, unsigned long p) override
    {
        laidOut << QPoint(int(v), int(p));
    }
};

class tst_CollectionView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void recycling();
    void selection_data();
    void selection();

private:
    // Cells 100 x 80 with spacing 10 (pitch 110 x 90), headers 20, margin 5, in a shown view
    // whose viewport has exactly the given size. A fixed column count is centred.
    static std::unique_ptr<CollectionView> makeView(
        CountingDelegate& d, QSize viewport, unsigned long fixedColumns = 0)
    {
        auto view = std::make_unique<CollectionView>(
            &d, QSize(100, 80), 10, 10, 20, fixedColumns, fixedColumns != 0, 5);
        view->reload();
        view->show();
        for (int i = 0; i < 3; ++i)
            view->resize(view->size() + viewport - view->viewport()->size());
        d.clearRecords();
        return view;
    }
    static auto* inner(CollectionView& v) { return static_cast<NewInnerWidget*>(v.widget()); }
    static std::vector<Index> range(unsigned long first, unsigned long last)
    {
        std::vector<Index> result;
        while (first <= last)
            result.emplace_back(0, first++);
        return result;
    }
    static CollectionViewItem* cellAt(CollectionView& view, const Index& index)
    {
        for (CollectionViewItem* cell : view.visibleItems())
            if (cell->index() == index)
                return cell;
        return nullptr;
    }
};

void tst_CollectionView::layout_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<unsigned long>("fixedColumns");
    QTest::addColumn<int>("width");
    QTest::addColumn<unsigned long>("columns");
    QTest::addColumn<QSize>("content");
    QTest::addColumn<int>("placed");
    QTest::addColumn<Index>("probe");
    QTest::addColumn<QPoint>("cell");

    const auto row
        = [](const char* name, Counts counts, unsigned long fixed, int width, unsigned long columns,
              QSize content, int placed, Index probe, QPoint cell) {
              QTest::newRow(name) << counts << fixed << width << columns << content << placed
                                  << probe << cell;
          };
    // (430 + 10) / 110 = 4 columns, 4 * 110 - 10 + 2 * 5 = 440 wide; a group of 0 items adds its
    // header less one spacing; a fixed grid 320 wide is centred in 600 at 140. Cell (3, 1) is
    // null; the group of ULONG_MAX items is laid out exactly as far as a widget reaches.
    row("width 430 fits 4", { 8 }, 0, 430, 4, { 440, 200 }, 8, { 0, 5 }, { 115, 115 });
    row("group of 0 items", { 3, 0, 2 }, 0, 430, 4, { 440, 220 }, 5, { 2, 1 }, { 115, 135 });
    row("exact multiple", { 8, 1 }, 0, 430, 4, { 440, 300 }, 9, { 1, 0 }, { 5, 215 });
    row("narrower than a cell", { 3 }, 0, 60, 1, { 110, 290 }, 3, { 0, 2 }, { 5, 205 });
    row("fixed, centred", { 5 }, 3, 600, 3, { 330, 200 }, 5, { 0, 4 }, { 250, 115 });
    row("no groups", {}, 0, 430, 4, { 440, 10 }, 0, {}, {});
    row("empty groups, null cell", { 2, 0, 0, 3 }, 0, 430, 4, { 440, 230 }, 4, { 3, 2 },
        { 225, 145 });
    row("huge", { 3, ULONG_MAX, 5 }, 0, 430, 4, { 440, QWIDGETSIZE_MAX - 1 }, 19, { 1, 4 },
        { 5, 215 });
}

void tst_CollectionView::layout()
{
    QFETCH(Counts, counts);
    QFETCH(unsigned long, fixedColumns);
    QFETCH(int, width);
    CountingDelegate d;
    d.counts = counts;
    auto view = makeView(d, QSize(width, 400), fixedColumns);
    view->reload();
    NewInnerWidget* w = inner(*view);
    QTEST(w->grid().columns(), "columns");
    QTEST(w->sizeHint(), "content");
    QTEST(int(view->visibleItems().size()), "placed");
    QFETCH(Index, probe);
    QFETCH(QPoint, cell);
    QVERIFY(probe == Index() || (cellAt(*view, probe) && cellAt(*view, probe)->pos() == cell));

    // Scrolled to the end, each placed cell is in view and where the grid puts it.
    const int x0 = cell.x() - int(probe.item % w->grid().columns()) * 110;
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const QRect seen(w->mapFrom(view->viewport(), QPoint()), view->viewport()->size());
    for (CollectionViewItem* c : view->visibleItems()) {
        const Index i = c->index();
        const int y = w->ComputeGroupTop(i.group) + int(i.item / w->grid().columns()) * 90;
        QCOMPARE(c->geometry(), QRect(x0 + int(i.item % w->grid().columns()) * 110, y, 100, 80));
        QVERIFY(c->geometry().intersects(seen));
    }
}

void tst_CollectionView::recycling()
{
    // Rows at 25, 115, 205 and 295 meet a viewport 300 tall.
    auto* d = new CountingDelegate;
    d->counts = { 100 };
    auto view = makeView(*d, QSize(430, 300));
    view->reload();
    QCOMPARE(d->requested, range(0, 15));
    const std::vector<CollectionViewItem*> before = view->visibleItems();

    // One column fewer: every cell is asked for again. The delegate takes back 12, the last
    // pooled first, so the first four wait in the pool, newest on top.
    d->clearRecords();
    view->resize(view->size() - QSize(110, 0));
    QCOMPARE(d->requested, range(0, 11));
    QCOMPARE(d->laidOut.back(), QPoint(12, 4));
    for (int i = 3; i >= 0; --i)
        QCOMPARE(view->dequeueItem(), before[size_t(i)]);
    QCOMPARE(view->dequeueItem(), nullptr);

    // Scrolling to 500 shows rows 5 to 8 only; a few pixels more place nothing new.
    QScrollBar* bar = view->verticalScrollBar();
    d->clearRecords();
    bar->setValue(500);
    QCOMPARE(d->requested, range(15, 26));
    d->clearRecords();
    bar->setValue(503);
    QVERIFY(d->requested.empty());
    QCOMPARE(d->laidOut, QList<QPoint>({ QPoint(12, 0) }));

    // Ten rows down from (0, 2): row 10 starts at 925 and comes into view with one cell height
    // to spare. The selection follows the index, not the recycled widgets. Invalid indices do
    // not scroll.
    view->setSelectionType(CollectionViewSelectionMultiple);
    view->setSelection({ { 0, 2 }, { 0, 5 } });
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(view.get(), Qt::Key_Down);
    QCOMPARE(view->selection(), std::set<Index>({ { 0, 32 } }));
    QCOMPARE(bar->value(), 925 + 80 - 300);
    for (CollectionViewItem* placed : view->visibleItems())
        QCOMPARE(placed->selected(), placed->index() == Index(0, 32));
    for (const Index& index : { Index(0, 100), Index(1, 0), Index(0, Index::None), Index() })
        view->ensureItemVisible(index);
    QCOMPARE(bar->value(), 925 + 80 - 300);

    // A reload forgets the selection without telling the delegate. A cell and a delegate that
    // the host destroys are forgotten.
    d->log.clear();
    view->reload();
    QVERIFY(view->selection().empty() && d->log.isEmpty() && inner(*view)->anchor() == Index());
    delete view->visibleItems()[3];
    bar->setValue(0);
    QCOMPARE(view->visibleItems().size(), size_t(12));
    delete d;
    view->reload();
    QVERIFY(view->visibleItems().empty());
}

void tst_CollectionView::selection_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<QString>("script");

    // With 3 columns: the selection type (N, S or M), the steps, then after "=" the selection,
    // "/" the anchor (-1-1 for none) and "|" the delegate's log. Steps: p(ress), r(elease),
    // d(ouble click) or m(ove with the left button) on cell "gi", or b, a press on the
    // background; k with one of DULREXA sends Down, Up, Left, Right, Return, Escape or A. A
    // trailing S or C holds Shift or Control.
    const auto row = [](const char* name, Counts counts, const char* script) {
        QTest::newRow(name) << counts << QString::fromLatin1(script);
    };
    const Counts m { 7, 0, 6 }, k { 5, 6 }, gap { 5, 0, 6 };
    row("click, release, background", m, "M p03 r03 b = /03 |c k c");
    row("shift range", m, "M p03 r03 p05S r05S = 03 04 05 /03 |c k c k");
    row("shift range from smallest", m, "M p03 p05S p02S = 02 03 /02 |c c c");
    row("shift range to the end", m, "M p05 p25S = 05 06 20 21 22 23 24 25 /05 |c c");
    row("shift, nothing selected", m, "M p04S = 04 /04 |c");
    row("release on selected", m, "M p01 p03S p02 r02 = 02 /02 |c c k c");
    row("drag of selection", m, "M p01 p03S p02 m02 r02 = 01 02 03 /01 |c c m3 k");
    row("drag without data", m, "M p01 m01 r01 = 01 /01 |c m1 k");
    row("control toggles", m, "M p03 p05C p01C r01C p01C = 03 05 /03 |c c c c");
    row("single: again, another", m, "S p01 r01 p01 r01 p02 r02 = 02 /02 |c k k c k");
    row("single: control, background", m, "S p01 p01C r01 b = /01 |c k c c");
    row("none: press", m, "N p01 r01 kD = /-1-1 |");
    row("none: double click", m, "N p02 r02 d02 r02 = 02 /02 |c a k");
    row("none: background", m, "N d01 b = /01 |c a c");
    row("modifiers, no selection", m, "M d02S d02C m01 = /-1-1 |");
    row("down into next group", k, "S p04 kD = 11 /11 |c c");
    row("up into short row", k, "S p12 kU = 02 /02 |c c");
    row("right across groups", k, "S p04 kR = 10 /10 |c c");
    row("left across groups", k, "S p10 kL = 04 /04 |c c");
    row("down past short row", k, "S p02 kD = 12 /12 |c c");
    row("keys at the ends", k, "S p00 kL kU p15 kR kD = 15 /15 |c c");
    row("shift arrow, return, escape", k, "M p03 kRS kE kX = 04 /04 |c c a");
    row("over empty group", gap, "S p04 kR kL kD kU = 04 /04 |c c c c c");
    row("first key", { 0, 0, 4 }, "S kA = 20 /20 |c");
    row("first key, all empty", { 0, 0 }, "M kD = /-1-1 |");
}

void tst_CollectionView::selection()
{
    QFETCH(Counts, counts);
    QFETCH(QString, script);
    CountingDelegate d;
    d.counts = counts;
    auto view = makeView(d, QSize(430, 600), 3);
    QStringList steps = script.section(QStringLiteral(" = "), 0, 0).split(QLatin1Char(' '));
    const int type = int(QStringLiteral("NSM").indexOf(steps.takeFirst()));
    view->setSelectionType(CollectionViewSelectionType(type));
    const int keys[] = { Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return,
        Qt::Key_Escape, Qt::Key_A };
    for (const QString& s : steps) {
        const auto modifiers = s.endsWith(QLatin1Char('S')) ? Qt::ShiftModifier
            : s.endsWith(QLatin1Char('C'))                  ? Qt::ControlModifier
                                                            : Qt::NoModifier;
        if (s[0] == QLatin1Char('k')) {
            QKeyEvent e(QEvent::KeyPress, keys[QStringLiteral("DULREXA").indexOf(s[1])], modifiers);
            QApplication::sendEvent(view.get(), &e);
            QCOMPARE(e.isAccepted(), type != CollectionViewSelectionNone);
            continue;
        }
        QWidget* w = s[0] == QLatin1Char('b')
            ? view->widget()
            : cellAt(*view, Index(s[1].digitValue(), s[2].digitValue()));
        QVERIFY(w);
        // Press, release, double click and move follow each other in QEvent::Type.
        const auto event = QEvent::Type(
            QEvent::MouseButtonPress + std::max<int>(0, QStringLiteral("prdm").indexOf(s[0])));
        QMouseEvent e(event, QPointF(2, 2), QPointF(w->mapToGlobal(QPoint(2, 2))),
            event == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            event == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
        QApplication::sendEvent(w, &e);
        // The offscreen platform ends a drag at once; the QDrag then waits for deletion.
        std::unique_ptr<QDrag> drag(inner(*view)->findChild<QDrag*>());
        const bool copies = drag && drag->mimeData() && drag->supportedActions() == Qt::CopyAction;
        QCOMPARE(copies, event == QEvent::MouseMove && view->selection().size() > 1);
    }

    QString result;
    for (const Index& i : view->selection())
        result += QStringLiteral("%1%2 ").arg(i.group).arg(i.item);
    const Index a = inner(*view)->anchor();
    result += QStringLiteral("/%1%2 |").arg(long(a.group)).arg(long(a.item))
        + d.log.join(QLatin1Char(' '));
    QCOMPARE(result, script.section(QStringLiteral(" = "), 1));
    for (CollectionViewItem* cell : view->visibleItems())
        QCOMPARE(cell->selected(), view->selection().count(cell->index()) == 1);
}

QTEST_MAIN(tst_CollectionView)
#include "tst_collectionview.moc"
