// The collection view: grid arithmetic and selection runs; recycling, selection, keys and
// accessibility through views of fixed and random geometry; hostile delegates; huge contents.
#include "CollectionDelegate.h"

#include "collectionview/CollectionViewAccessible.h"

#include <corvane/Keyboard.h>
#include <corvane/Theme.h>

#include <QDrag>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScopeGuard>

using namespace testutils;
using namespace collectiontest;

namespace {

// Plays a step (see play()) and checks what it did: a key is taken while items can be selected,
// a mouse event goes to a cell (but b), and a drag hands over data for more than one item only.
void runStep(CollectionView& view, const QString& s)
{
    const bool taken = play(&view, s);
    QCOMPARE(taken,
        s[0] == QLatin1Char('k') ? view.selectionType() != CollectionViewSelectionNone
                                 : QStringLiteral("prdm").contains(s[0]));
    // The offscreen platform ends a drag at once; the QDrag then waits for deletion.
    std::unique_ptr<QDrag> drag(inner(view)->findChild<QDrag*>());
    const bool copies = drag && drag->mimeData() && drag->supportedActions() == Qt::CopyAction;
    QCOMPARE(copies, s[0] == QLatin1Char('m') && view.selection().size() > 1);
}

// The accessibility events the view sends, as the selection scripts write them.
QStringList s_events;

void recordEvent(QAccessibleEvent* event)
{
    const int at = QList<QAccessible::Event>(
        { QAccessible::Selection, QAccessible::SelectionWithin, QAccessible::SelectionAdd,
            QAccessible::SelectionRemove, QAccessible::Focus, QAccessible::ObjectReorder })
                       .indexOf(event->type());
    s_events << QStringLiteral("%1%2")
                    .arg(QStringLiteral("sw+-fo?").at(at < 0 ? 6 : at))
                    .arg(event->child() < 0 ? QString() : QString::number(event->child()));
}

QString runText(const std::vector<CollectionSelection::Run>& runs)
{
    QStringList parts;
    for (const auto& [a, b] : runs)
        parts << QStringLiteral("%1%2-%3%4").arg(a.group).arg(a.item).arg(b.group).arg(b.item);
    return parts.join(QLatin1Char(' '));
}

const char* const Refusal = "CollectionView: the delegate handed out a widget that the view "
                            "already holds or lives in; it is skipped";

// A delegate that is no QObject, so that nothing but its destructor can tell the view.
struct PlainDelegate : ICollectionViewDelegate
{
    unsigned long groupCount(CollectionView&) override { return 2; }
    unsigned long itemCount(CollectionView&, unsigned long) override { return 40; }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index&) override
    {
        CollectionViewItem* cell = view.dequeueItem();
        return cell ? cell : new CollectionViewItem;
    }
    QWidget* headerForGroup(CollectionView&, unsigned long) override { return new QWidget; }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>&) override
    {
        return nullptr;
    }
    void selectionActivated(CollectionView&) override { }
    void selectionChanged(CollectionView&) override { }
    void selectionClicked(CollectionView&) override { }
    void itemsLaidOut(CollectionView&, unsigned long, unsigned long) override { }
};

// Hands out what `cell` and `header` choose, when they choose anything.
struct Substituting : Delegate
{
    using Delegate::Delegate;
    CollectionViewItem* itemForIndex(CollectionView& view, const Index& index) override
    {
        CollectionViewItem* chosen = cell ? cell(view, index) : nullptr;
        return chosen ? chosen : Delegate::itemForIndex(view, index);
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override
    {
        QWidget* chosen = header ? header(view, group) : nullptr;
        return chosen ? chosen : Delegate::headerForGroup(view, group);
    }
    std::function<CollectionViewItem*(CollectionView&, const Index&)> cell;
    std::function<QWidget*(CollectionView&, unsigned long)> header;
};

// No widget is held twice: placed cells are distinct, alive, shown, in index order, and their
// flags follow the selection; placed headers are distinct and none is also a cell.
void checkHeldOnce(CollectionView& view)
{
    const std::vector<CollectionViewItem*> cells = view.visibleItems();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        QVERIFY(cells[i]->isVisibleTo(view.widget()));
        QCOMPARE(cells[i]->parentWidget(), view.widget());
        QCOMPARE(cells[i]->selected(), view.isSelected(cells[i]->index()));
        QVERIFY(i == 0 || cells[i - 1]->index() < cells[i]->index());
    }
    QSet<QWidget*> shown;
    for (QWidget* child :
        view.widget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(view.widget()))
            shown << child;
    const auto headers = std::count_if(shown.begin(), shown.end(),
        [](QWidget* w) { return !qobject_cast<CollectionViewItem*>(w); });
    QCOMPARE(qsizetype(shown.size()), qsizetype(cells.size() + std::size_t(headers)));
}

constexpr qint64 Cap = QWIDGETSIZE_MAX - 1; // the tallest widget
const QSize Viewport(550, 400);

// Five fixed columns of the delegate's default cells, multiple selection.
std::unique_ptr<CollectionView> showFiveColumns(Delegate& d, Counts counts, int header = 20)
{
    d.counts = std::move(counts);
    d.fixedColumns = 5, d.columns = 5, d.header = header;
    auto view = d.showView(Viewport);
    view->setSelectionType(CollectionViewSelectionMultiple);
    return view;
}

QRect onScreen(CollectionView& view, const QWidget* w)
{
    return QRect(w->mapTo(view.viewport(), QPoint()), w->size());
}

CollectionViewItem* placed(CollectionView& view, const Index& index)
{
    for (CollectionViewItem* cell : view.visibleItems())
        if (cell->index() == index)
            return cell;
    return nullptr;
}

// Every placed cell sits where the 64-bit formulas put it, relative to the scroll position, and
// the placed cells are exactly those the band of the viewport shows.
void checkPlaced(Delegate& d, CollectionView& view)
{
    const std::vector<qint64> tops = d.groupTops();
    const qint64 top = view.scrollPosition();
    QList<QPoint> got;
    for (const CollectionViewItem* cell : view.visibleItems()) {
        const Index i = cell->index();
        QCOMPARE(onScreen(view, cell),
            QRect(int(5 + i.item % 5 * 110), int(d.cellY(tops, i) - top), 100, 80));
        QCOMPARE(cell->y() + view.contentOffset(), d.cellY(tops, i));
        QCOMPARE(cell->selected(), view.isSelected(i));
        got << QPoint(int(i.group), int(i.item));
    }
    if (top + Viewport.height() < 1LL << 31)
        QCOMPARE(got, d.placed(QRect(0, int(top), Viewport.width(), Viewport.height())));
}

} // namespace

class tst_CollectionView : public QObject
{
    Q_OBJECT
private Q_SLOTS:

    void grid_data()
    {
        columns<Counts, unsigned long, int, unsigned long, Positions, Index, Positions>(
            "counts", "fixedColumns", "width", "columns", "tops", "probe", "cell");
        // tops: the content width, each group's first row, the content height; cell: the probe's x
        // and y, its header's y and width. (430 + 10) / 110 = 4 columns, 440 wide; a group of 0
        // items adds its header less one spacing; columns beyond a widget's width are cut.
        const auto row = [](const char* name, Counts counts, unsigned long fixed, int width,
                             unsigned long columns, Positions tops, Index probe, Positions cell) {
            QTest::newRow(name) << counts << fixed << width << columns << tops << probe << cell;
        };
        row("width 430 fits 4", { 8 }, 0, 430, 4, { 440, 25, 200 }, { 0, 5 }, { 115, 115, 5, 430 });
        row("group of 0 items", { 3, 0, 2 }, 0, 430, 4, { 440, 25, 125, 135, 220 }, { 2, 1 },
            { 115, 135, 115, 430 });
        row("exact multiple", { 8, 1 }, 0, 430, 4, { 440, 25, 215, 300 }, { 1, 0 },
            { 5, 215, 195, 430 });
        row("narrower than a cell", { 3 }, 0, 60, 1, { 110, 25, 290 }, { 0, 2 },
            { 5, 205, 5, 100 });
        row("fixed, centred", { 5 }, 3, 600, 3, { 330, 25, 200 }, { 0, 4 }, { 250, 115, 5, 590 });
        row("no groups", {}, 0, 430, 4, { 440, 10 }, { 0, 0 }, { 5, 25, 5, 430 });
        row("empty groups", { 2, 0, 0, 3 }, 0, 430, 4, { 440, 25, 125, 135, 145, 230 }, { 3, 2 },
            { 225, 145, 125, 430 });
        row("widest widget", { 1 }, ULONG_MAX, 430, 152520, { 16777200, 25, 110 }, { 0, 0 },
            { 5, 25, 5, 16777190 });
        row("huge", { 3, ULONG_MAX, 5 }, 0, 430, 4, { 440, 25, 125, Limit, Limit }, { 1, 4 },
            { 5, 215, 105, 430 });
        row("saturated", { 3, ULONG_MAX }, 0, 430, 4, { 440, 25, 125, Limit }, { 1, ULONG_MAX - 1 },
            { 225, Limit, 105, 430 });
    }

    void grid()
    {
        QFETCH(Counts, counts);
        QFETCH(unsigned long, fixedColumns);
        QFETCH(int, width);
        QFETCH(Index, probe);
        const CollectionGrid grid = makeGrid(counts, fixedColumns, width);
        QTEST(grid.columns(), "columns");
        Positions tops { grid.contentWidth() };
        for (unsigned long g = 0; g < counts.size(); ++g)
            tops << grid.groupTop(g);
        QTEST(tops << grid.contentHeight(), "tops");
        const CollectionGrid::Rect c = grid.cellRect(probe, width);
        const CollectionGrid::Rect h = grid.headerRect(probe.group, width);
        QTEST(Positions({ c.x, c.y, h.y, h.width }), "cell");
        QCOMPARE(Positions({ c.width, c.height, h.x, h.height }), Positions({ 100, 80, 5, 20 }));
        // Below the saturated part, a hit on the probe's first or last pixel is the probe, one
        // on the spacing around it, or on the free place after a short last row, is nothing.
        const bool exists = probe.group < counts.size() && probe.item < counts[probe.group];
        if (c.y < Limit) {
            QCOMPARE(grid.indexAt(c.x, c.y, width), exists ? probe : Index());
            QCOMPARE(grid.indexAt(c.x + 99, c.y + 79, width), exists ? probe : Index());
            for (const auto& [x, y] :
                { std::pair(c.x - 1, c.y), { c.x + 100, c.y }, { c.x, c.y - 1 } })
                QCOMPARE(grid.indexAt(x, y, width), Index());
        }
        for (unsigned long g = 0; g < counts.size() && counts[g] < 1000; ++g) {
            const CollectionGrid::Rect free = grid.cellRect(Index(g, counts[g]), width);
            if (counts[g] % grid.columns())
                QCOMPARE(grid.indexAt(free.x, free.y, width), Index());
        }
        // Far below the content and right of its columns, the nearest item is the last one.
        const auto last
            = std::find_if(counts.rbegin(), counts.rend(), [](auto n) { return n > 0; });
        if (grid.contentHeight() < Limit)
            QCOMPARE(grid.itemNear(grid.contentHeight() + 100, ULONG_MAX),
                last == counts.rend() ? Index() : Index(counts.rend() - last - 1, *last - 1));
    }

    void visibleRange_data()
    {
        columns<Counts, Positions, Index, Index>("counts", "band", "first", "last");
        // With 4 columns, row r of group 0 spans 25 + 90 r to 104 + 90 r.
        const auto row
            = [](const char* name, Counts counts, Positions band, Index first, Index last) {
                  QTest::newRow(name) << counts << band << first << last;
              };
        const Index none;
        row("all", { 20 }, { 0, 469 }, { 0, 0 }, { 0, 19 });
        row("bottom inside a row", { 20 }, { 0, 150 }, { 0, 0 }, { 0, 7 });
        row("bottom in a row gap", { 20 }, { 0, 114 }, { 0, 0 }, { 0, 3 });
        row("bottom on a row's first pixel", { 20 }, { 0, 115 }, { 0, 0 }, { 0, 7 });
        row("bottom on the first row's first pixel", { 20 }, { 0, 25 }, { 0, 0 }, { 0, 3 });
        row("bottom inside a short last row", { 6 }, { 0, 150 }, { 0, 0 }, { 0, 5 });
        row("bottom in the next header", { 3, 5 }, { 0, 110 }, { 0, 0 }, { 1, 0 });
        row("top one pitch down", { 20 }, { 115, 300 }, { 0, 0 }, { 0, 15 });
        row("top past one pitch", { 20 }, { 116, 300 }, { 0, 4 }, { 0, 15 });
        row("top in row 3", { 20 }, { 300, 301 }, { 0, 12 }, { 0, 15 });
        row("top just below a group", { 3, 5 }, { 105, 300 }, { 1, 0 }, { 1, 4 });
        row("top in a later group", { 3, 0, 6 }, { 230, 240 }, { 2, 4 }, { 2, 5 });
        row("empty last group", { 3, 0 }, { 0, 400 }, { 0, 0 }, { 1, Index::None });
        row("past the content", { 3 }, { 110, 400 }, none, none);
        row("bottom above top", { 20 }, { 50, 40 }, none, none);
        row("no groups", {}, { 0, 400 }, none, none);
        row("saturated", { 3, ULONG_MAX }, { Limit * 4, Limit * 4 }, { 1, 51240955760304304 },
            { 1, 51240955760304307 });
    }

    void visibleRange()
    {
        QFETCH(Counts, counts);
        QFETCH(Positions, band);
        const CollectionGrid::Range r = makeGrid(counts, 0, 430).visibleRange(band[0], band[1]);
        QTEST(r.first, "first");
        QTEST(r.last, "last");
    }

    void recycling()
    {
        const auto range = [](bool header, unsigned long first, unsigned long last) {
            std::vector<Index> result;
            if (header)
                result.emplace_back(0, Index::None);
            while (first <= last)
                result.emplace_back(0, first++);
            return result;
        };
        // Rows at 25, 115, 205 and 295 meet a viewport 300 tall; the header spans the content.
        Delegate d;
        d.counts = { 100 };
        auto view = d.showView(QSize(430, 300));
        view->reload();
        QCOMPARE(d.requested, range(true, 0, 15));
        QCOMPARE(d.lastHeader->geometry(), QRect(5, 5, 430, 20));
        const std::vector<CollectionViewItem*> before = view->visibleItems();

        // One column fewer: every cell is asked for again; the delegate takes back 12, the last
        // pooled first, so the first four wait in the pool.
        d.clearRecords();
        view->resize(view->size() - QSize(110, 0));
        QCOMPARE(d.requested, range(true, 0, 11));
        QCOMPARE(d.laidOut.back(), QPoint(12, 4));
        for (int i = 3; i >= 0; --i)
            QCOMPARE(view->dequeueItem(), before[size_t(i)]);
        QCOMPARE(view->dequeueItem(), nullptr);

        // Scrolling to 500 shows rows 5 to 8 and keeps the header; 3 pixels more place nothing.
        QScrollBar* bar = view->verticalScrollBar();
        d.clearRecords();
        bar->setValue(500);
        QCOMPARE(d.requested, range(false, 15, 26));
        d.clearRecords();
        bar->setValue(503);
        QVERIFY(d.requested.empty());
        QCOMPARE(d.laidOut, QList<QPoint>({ QPoint(12, 0) }));

        // Ten rows down from (0, 2): row 10 (at 925) comes into view to its cell's bottom; the
        // selection follows the index, not the recycled widgets. Invalid indices do not scroll.
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

        // A reload forgets the selection silently; a cell the host destroys is forgotten.
        d.log.clear();
        view->reload();
        QVERIFY(view->selection().empty() && d.log.isEmpty() && inner(*view)->anchor() == Index());
        delete view->visibleItems()[3];
        bar->setValue(0);
        QCOMPARE(view->visibleItems().size(), size_t(12));
    }

    void selection_data()
    {
        columns<Counts, QString>("counts", "script");

        // With 3 columns: the selection type (N, S or M, + for full keyboard access, < for right to
        // left), steps (see play()), then after "=" the selection, "/" the anchor, "|" the
        // delegate's log and after "!" the accessibility events: s(election), w(ithin), +/- (added,
        // removed), f(ocus) and o (children changed), with the child number.
        const Counts m { 7, 0, 6 }, k { 5, 6 }, gap { 5, 0, 6 };
        row("click, release, background", m, "M p03 r03 b = /03 |c k c ! s3 f3 w");
        row("shift range", m, "M p03 r03 p05S r05S = 03 04 05 /03 |c k c k ! s3 f3 w");
        row("shift range from smallest", m, "M p03 p05S p02S = 02 03 /02 |c c c");
        row("shift range to the end", m, "M p05 p25S = 05 06 20 21 22 23 24 25 /05 |c c");
        row("shift, nothing selected", m, "M p04S = 04 /04 |c");
        row("release on selected", m, "M p01 p03S p02 r02 = 02 /02 |c c k c ! s1 f1 w s2 f2");
        row("drag of selection", m, "M p01 p03S p02 m02 r02 = 01 02 03 /01 |c c m3 k");
        row("drag without data", m, "M p01 m01 r01 = 01 /01 |c m1 k");
        row("control toggles", m,
            "M p03 p05C p01C r01C p01C = 03 05 /03 |c c c c ! s3 f3 +5 f5 +1 f1 -1 f3");
        row("single: again, another", m, "S p01 r01 p01 r01 p02 r02 = 02 /02 |c k k c k");
        row("single: control, background", m, "S p01 p01C r01 b = /01 |c k c c");
        row("none: press", m, "N p01 r01 kD = /-1-1 |");
        row("none: double click", m, "N p02 r02 d02 r02 = 02 /02 |c a k");
        row("double click", m, "M d01 = 01 /01 |c a ! s1 f1");
        row("none: background", m, "N d01 b = /01 |c a c");
        row("modifiers, no selection", m, "M d02S d02C m01 = /-1-1 |");
        row("down into next group", k, "S p04 kD = 11 /11 |c c");
        row("up into short row", k, "S p12 kU = 02 /02 |c c");
        row("right across groups", k, "S p04 kR = 10 /10 |c c ! s4 f4 s5 f5");
        row("left across groups", k, "S p10 kL = 04 /04 |c c");
        row("down past short row", k, "S p02 kD = 12 /12 |c c");
        row("keys at the ends", k, "S p00 kL kU p15 kR kD = 15 /15 |c c");
        row("shift arrow, return, escape", k, "M p03 kRS kE kX = 04 /04 |c c a");
        row("over empty group", gap, "S p04 kR kL kD kU = 04 /04 |c c c c c");
        row("first key", Counts { 0, 0, 4 }, "S kA = 20 /20 |c ! s0 f0");
        row("first key, all empty", Counts { 0, 0 }, "M kD = /-1-1 |");
        // Full keyboard access, multiple selection: Shift extends a run from where it started;
        // Home, End and the page keys move; Ctrl+A selects everything with one notice.
        const Counts pages { 40 };
        row("without full access", pages, "M p04 kH kZ kP kQ kAC kDS = 07 /07 |c c");
        row("shift right twice", m, "M+ p03 kRS kRS = 03 04 05 /05 |c c c");
        row("shift down, up past start", k,
            "M+ p04 kDS kUS kUS = 01 02 03 04 /01 |c c c c ! s4 f4 w f6 s4 f4 w f1");
        row("run restarts after a move", m, "M+ p02 kRS kR kRS = 04 05 /05 |c c c c");
        row("run restarts after a click", m, "M+ p02 kRS p05 kLS = 04 05 /04 |c c c c");
        row("home", k, "M+ p12 kH = 00 /00 |c c");
        row("end", k, "M+ p02 kZ = 15 /15 |c c");
        row("shift end", k, "M+ p04 kZS = 04 10 11 12 13 14 15 /15 |c c");
        row("shift home over empty group", gap, "M+ p21 kHS = 00 01 02 03 04 20 21 /00 |c c");
        row("ctrl+a keeps anchor", k,
            "M+ p02 kAC = 00 01 02 03 04 10 11 12 13 14 15 /02 |c c ! s2 f2 w");
        row("ctrl+a first", k, "M+ kAC = 00 01 02 03 04 10 11 12 13 14 15 /00 |c");
        row("ctrl+a, nothing to select", Counts { 0 }, "M+ kAC = /-1-1 |");
        row("page down, up", pages, "M+ p01 kQ kP = 01 /01 |c c c");
        row("page down to the end", pages, "M+ p01 kQ kQ kQ = 039 /039 |c c c c");
        row("page up to the top", pages, "M+ p01 kZ kP kP kP = 00 /00 |c c c c c");
        row("single: keys of multiple", pages, "S+ p04 kH kZ kAC kDS = 07 /07 |c c");
        // Right to left, Left moves to the next item and Right to the previous one.
        row("mirrored left", k, "S< p04 kL = 10 /10 |c c");
        row("mirrored right", k, "S< p10 kR = 04 /04 |c c");
        row("mirrored, shift left", k, "M+< p03 kLS kLS = 03 04 10 /10 |c c c");
        row("reload", k, "M+ p01 o = /-1-1 |c ! s1 f1 o");
    }

    void selection()
    {
        QFETCH(Counts, counts);
        QFETCH(QString, script);
        Delegate d;
        d.counts = counts;
        d.fixedColumns = 3;
        auto view = d.showView(QSize(430, 600));
        QStringList steps = script.section(" = "_q, 0, 0).split(QLatin1Char(' '));
        const QString mode = steps.takeFirst();
        view->setSelectionType(CollectionViewSelectionType(int("NSM"_q.indexOf(mode[0]))));
        corvane::setFullKeyboardAccess(mode.contains(QLatin1Char('+')));
        QVERIFY(focus(view.get()));
        s_events.clear();
        CollectionViewAccessible::setObserver(recordEvent);
        const auto restore = qScopeGuard([] {
            corvane::setFullKeyboardAccess(false);
            CollectionViewAccessible::setObserver(nullptr);
        });
        if (mode.contains(QLatin1Char('<')))
            view->setLayoutDirection(Qt::RightToLeft);
        for (const QString& s : steps) {
            runStep(*view, s);
            if (QTest::currentTestFailed())
                return;
        }

        QString result;
        for (const Index& i : view->selection())
            result += QStringLiteral("%1%2 ").arg(i.group).arg(i.item);
        const Index a = inner(*view)->anchor();
        result += QStringLiteral("/%1%2 |").arg(long(a.group)).arg(long(a.item))
            + d.log.join(QLatin1Char(' '));
        const QString expected = script.section(" = "_q, 1);
        if (expected.contains(" ! "_q))
            result += " ! "_q + s_events.join(QLatin1Char(' '));
        QCOMPARE(result, expected);
        for (CollectionViewItem* cell : view->visibleItems())
            QCOMPARE(cell->selected(), view->selection().count(cell->index()) == 1);
    }

    void selectionRuns_data()
    {
        columns<QString, QString, quint64>("ops", "runs", "count");
        // Counts 5, 0 and 6: ops insert (+gi), erase (-gi), select all (a), select a span (sgi:gi)
        // or assign a set (=gi,gi). Group 1 is empty, so 19 and 26 (or 30) are not valid.
        const auto row = [](const char* name, const char* ops, const char* runs, quint64 count) {
            QTest::newRow(name) << QString::fromLatin1(ops) << QString::fromLatin1(runs) << count;
        };
        row("joins across an empty group", "+04 +20 +03", "03-20", 3);
        row("joins both neighbours", "+02 +04 +03", "02-04", 3);
        row("inside a run", "s00:04 +02", "00-04", 5);
        row("erase splits", "s00:25 -03", "00-02 04-25", 10);
        row("erase ends", "s25:00 -00 -25", "01-24", 9);
        row("assign keeps strays", "=01,02,19,20,26", "01-02 19-19 20-20 26-26", 5);
        row("strays in and out", "+19 +30 -19 -02", "30-30", 1);
        row("all", "+19 a", "00-25", 11);
    }

    void selectionRuns()
    {
        auto [ops, runs, count] = fetch<QString, QString, quint64>("ops", "runs", "count");
        const CollectionGrid grid = makeGrid({ 5, 0, 6 }, 0, 430);
        CollectionSelection selection(grid);
        const auto index
            = [](const QString& gi) { return Index(gi[0].digitValue(), gi[1].digitValue()); };
        for (const QString& op : ops.split(QLatin1Char(' '))) {
            selection.indices(100); // a set handed out before must not outlive the next change
            const QString arg = op.mid(1);
            if (op[0] == QLatin1Char('+'))
                selection.insert(index(arg));
            else if (op[0] == QLatin1Char('-'))
                selection.erase(index(arg));
            else if (op[0] == QLatin1Char('a'))
                selection.assignAll();
            else if (op[0] == QLatin1Char('s'))
                selection.assignSpan(index(arg.left(2)), index(arg.mid(3)));
            else {
                std::set<Index> set;
                for (const QString& gi : arg.split(QLatin1Char(',')))
                    set.insert(index(gi));
                selection.assign(set);
            }
        }
        QCOMPARE(runText(selection.runs()), runs);
        QCOMPARE(selection.count(), count);
        // The anchor goes to the first index held, in a run or not.
        selection.anchorAtFirst();
        QCOMPARE(selection.anchor(), index(runs.left(2)));
        // The set holds what the runs hold, and only while it fits the limit.
        const std::set<Index>& set = selection.indices(count);
        QCOMPARE(quint64(set.size()), count);
        for (unsigned long g = 0; g < 4; ++g)
            for (unsigned long i = 0; i < 8; ++i)
                QCOMPARE(selection.contains(Index(g, i)), set.count(Index(g, i)) == 1);
        QVERIFY(selection.indices(count - 1).empty());
    }

    void headersFirst()
    {
        // Groups of 2 in 3 columns are 100 pixels tall: a pass asks for the headers in view first,
        // then for their cells (and again for (3, 1), which got none).
        Delegate d;
        d.counts = { 2, 2, 2, 2, 2, 2 };
        d.fixedColumns = 3;
        auto view = d.showView(QSize(430, 400));
        view->reload();
        const auto h = [](unsigned long g) { return Index(g, Index::None); };
        QCOMPARE(d.requested,
            std::vector<Index>({ h(0), h(1), h(2), h(3), { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 },
                { 2, 0 }, { 2, 1 }, { 3, 0 }, { 3, 1 } }));
        d.clearRecords();
        view->verticalScrollBar()->setValue(200);
        QCOMPARE(d.requested,
            std::vector<Index>({ h(4), h(5), { 3, 1 }, { 4, 0 }, { 4, 1 }, { 5, 0 }, { 5, 1 } }));
    }

    void mirrored_data()
    {
        columns<bool, unsigned long, int, QList<int>, int>("rtl", "fixed", "width", "xs", "shownX");
        // The first row's cells, left to right in the content widget, and where cell 0 shows. A
        // viewport 300 wide shows the right end of 5 fixed columns (550 wide) first.
        row("left to right", false, 0ul, 450, QList<int> { 5, 115, 225, 335 }, 5);
        row("right to left", true, 0ul, 450, QList<int> { 345, 235, 125, 15 }, 345);
        row("centred", false, 3ul, 600, QList<int> { 140, 250, 360 }, 140);
        row("centred, right to left", true, 3ul, 600, QList<int> { 360, 250, 140 }, 360);
        row("wider, right to left", true, 5ul, 300, QList<int> { 445, 335, 225, 115, 5 }, 195);
    }

    void mirrored()
    {
        auto [rtl, fixed, width, xs, shownX] = fetch<bool, unsigned long, int, QList<int>, int>(
            "rtl", "fixed", "width", "xs", "shownX");
        Delegate d;
        d.counts = { 12 };
        d.fixedColumns = fixed, d.center = fixed != 0;
        auto view = d.showView(QSize(width, 400));
        if (rtl)
            view->setLayoutDirection(Qt::RightToLeft);
        QList<int> got;
        for (const CollectionViewItem* cell : view->visibleItems())
            if (cell->index().item < unsigned(xs.size()))
                got << cell->x();
        QCOMPARE(got, xs);
        QCOMPARE(d.lastHeader->geometry().x(), 5);
        QCOMPARE(d.lastHeader->geometry().right(), view->widget()->width() - 6);
        // What the pointer hits is the cell drawn there.
        CollectionViewItem* first = view->visibleItems().front();
        const QPoint shown = first->mapTo(view->viewport(), QPoint());
        QCOMPARE(shown, QPoint(shownX, 25));
        QCOMPARE(view->viewport()->childAt(shown + QPoint(99, 79)), first);
        QCOMPARE(inner(*view)->indexAt(first->pos() + QPoint(99, 79)), Index(0, 0));
        QCOMPARE(inner(*view)->indexAt(first->pos() + QPoint(rtl ? -1 : 100, 0)), Index());
    }

    void accessibility()
    {
        // A list of every item, placed or not, named by default, by the cell or by the delegate.
        Delegate d;
        d.counts = { 5, 200 };
        d.fixedColumns = 3;
        auto view = d.showView(QSize(430, 300));
        view->setSelectionType(CollectionViewSelectionMultiple);
        view->visibleItems()[1]->setAccessibleName("Teal"_q);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view.get());
        QCOMPARE(heard(list) + QString::number(list->childCount()), "List 205"_q);
        QVERIFY(list->state().multiSelectable);
        d.requested.clear();
        for (const auto& [child, line] : { std::pair(0, "ListItem Group 1, item 1"),
                 std::pair(1, "ListItem Teal"), std::pair(5, "ListItem Group 2, item 1"),
                 std::pair(204, "ListItem Group 2, item 200") }) {
            QAccessibleInterface* item = list->child(child);
            QCOMPARE(heard(item), QLatin1String(line));
            QVERIFY(item->isValid() && item->state().selectable);
            QCOMPARE(item->state().offscreen, child == 204);
            QCOMPARE(item->parent(), list);
            QCOMPARE(list->indexOfChild(item), child);
            QCOMPARE(list->child(child), item);
        }
        QVERIFY(d.requested.empty());
        QCOMPARE(list->child(205), nullptr);
        QCOMPARE(list->child(-1), nullptr);
        d.names = [](const Index& i) {
            return QStringLiteral("Swatch %1.%2").arg(i.group).arg(i.item);
        };
        QCOMPARE(list->child(204)->text(QAccessible::Name), "Swatch 1.199"_q);

        // Where item 4 is drawn, and what lies at a point.
        const CollectionViewItem* cell = view->visibleItems()[4];
        const QRect onScreen(cell->mapToGlobal(QPoint()), cell->size());
        QCOMPARE(list->child(4)->rect(), onScreen);
        QCOMPARE(list->childAt(onScreen.center().x(), onScreen.center().y()), list->child(4));
        QCOMPARE(list->childAt(onScreen.right() + 5, onScreen.center().y()), nullptr);

        QVERIFY(focus(view.get()));
        QTest::mouseClick(view->visibleItems()[2], Qt::LeftButton);
        QCOMPARE(heard(list->child(2)) + heard(list->child(3)),
            "ListItem Swatch 0.2 {selected focused}ListItem Swatch 0.3"_q);
        QCOMPARE(list->focusChild(), list->child(2));
        view->setSelectionType(CollectionViewSelectionNone);
        QVERIFY(!list->child(2)->state().selectable && !list->state().multiSelectable);
        // Children count only to INT_MAX; reloading to fewer items makes old children invalid.
        QAccessibleInterface* last = list->child(204);
        d.counts = { 4294967303ul };
        view->reload();
        QCOMPARE(list->childCount(), INT_MAX);
        QVERIFY(!last->isValid());
        QCOMPARE(list->child(INT_MAX - 1)->text(QAccessible::Name), "Swatch 0.2147483646"_q);
    }

    void randomView_data() { addSeedRows(30); }
    void randomView()
    {
        QFETCH(std::uint32_t, seed);
        Delegate d(seed);
        d.pooling = 80, d.nullHeaders = 10;
        const auto randomCounts = [&d] {
            d.counts.resize(std::size_t(d.pick(8)));
            for (auto& c : d.counts)
                c = d.chance(25) ? 0 : d.pick(60);
        };
        randomCounts();
        d.item = QSize(1 + int(d.pick(120)), 1 + int(d.pick(100)));
        d.hSpacing = d.pick(20), d.vSpacing = d.pick(20), d.margin = d.pick(20);
        d.header = d.chance(20) ? 0 : d.pick(40), d.center = d.chance(50);
        d.fixedColumns = d.chance(60) ? 0 : 1 + d.pick(8);
        auto view = d.showView(QSize(100 + int(d.pick(500)), 80 + int(d.pick(400))));
        view->setHorizontalScrollBarPolicy(
            d.chance(50) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        view->reload();

        const Qt::KeyboardModifier mods[]
            = { Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier };
        // Any index, including ones just past a group's end or the last group.
        const auto anyIndex = [&] {
            const std::size_t g = d.pick(long(d.counts.size()) + 1);
            return Index(g, d.pick(long(g < d.counts.size() ? d.counts[g] : 3) + 1));
        };
        QWidget* inner = view->widget();
        for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
            QScrollBar* bar = view->verticalScrollBar();
            std::vector<CollectionViewItem*> placed = view->visibleItems();
            const long kind = d.pick(6);
            if (kind == 0) {
                randomCounts();
                view->reload();
            } else if (kind == 1) {
                view->resize(60 + int(d.pick(700)), 40 + int(d.pick(500)));
            } else if (kind == 2) {
                bar->setValue(d.chance(50) ? int(d.pick(bar->maximum() + 1))
                                           : bar->value() + int(d.pick(61)) - 30);
            } else if (kind == 3) {
                std::set<Index> selection;
                for (long n = d.pick(6); n > 0; --n)
                    selection.insert(anyIndex());
                view->setSelection(selection);
                view->setSelectionType(CollectionViewSelectionType(d.pick(3)));
            } else if (kind == 4) {
                // A click, with or without modifiers, on a placed cell, then a key press.
                if (!placed.empty())
                    QTest::mouseClick(placed[std::size_t(d.pick(long(placed.size())))],
                        Qt::LeftButton, d.oneOf(mods), QPoint(1, 1));
                QTest::keyClick(
                    view.get(), Qt::Key(Qt::Key_Left + d.pick(4))); // left, up, right, down
            } else {
                view->ensureItemVisible(anyIndex());
                if (d.chance(30))
                    view->updateItems(false);
            }
            d.columns = d.fixedColumns
                ? long(d.fixedColumns)
                : std::max(1L, (view->viewport()->width() + d.hSpacing) / d.pitchX());
            QCoreApplication::processEvents();

            // The content's size; exactly the expected cells, in order, where they belong.
            QCOMPARE(inner->sizeHint(),
                QSize(int(d.columns * d.pitchX() - d.hSpacing + 2 * d.margin),
                    int(std::max<qint64>(0, d.groupTops().back() - d.header + d.margin))));
            const QRect visible
                = QRect(inner->mapFrom(view->viewport(), QPoint()), view->viewport()->size())
                & inner->rect();
            placed = view->visibleItems();
            QCOMPARE(d.laidOut.back().x(), int(placed.size()));
            QList<QPoint> got;
            for (CollectionViewItem* cell : placed) {
                got << QPoint(int(cell->index().group), int(cell->index().item));
                QVERIFY(cell->isVisibleTo(inner));
                QCOMPARE(cell->geometry(), d.cellRect(got.last(), visible.width()));
                QCOMPARE(cell->selected(), view->selection().count(cell->index()) != 0);
            }
            QCOMPARE(got, d.placed(visible));
            // No cell the delegate made is lost: it is placed or waits hidden in the pool.
            int pooled = 0;
            for (const auto& cell : d.made) {
                QVERIFY2(cell, "the view deleted a cell");
                QCOMPARE(cell->parentWidget(), inner);
                if (std::find(placed.begin(), placed.end(), cell.data()) == placed.end()) {
                    QVERIFY(!cell->isVisibleTo(inner));
                    ++pooled;
                }
            }
            QCOMPARE(d.laidOut.back().y(), pooled);
        }
    }

    // Hostile delegates. Run under AddressSanitizer, a use after free fails.
    // In the shared theme mode, the theme of the window picks selected cells by their "selected"
    // property as they change.
    void selectedCellLook()
    {
        corvane::setSharedTheme(true);
        corvane::setTheme("CollectionViewItem[selected=\"true\"] { color: rgb(1, 2, 3); }"_q);
        const auto restore = qScopeGuard([] {
            corvane::resetTheme();
            corvane::setSharedTheme(false);
        });
        Delegate d;
        auto view = showFiveColumns(d, { 3 });
        corvane::applyTheme(view->window());
        CollectionViewItem* cell = placed(*view, Index(0, 1));
        const auto colour = [cell] { return cell->palette().color(cell->foregroundRole()); };
        QVERIFY(colour() != QColor(1, 2, 3));
        play(view.get(), "p01"_q);
        QCOMPARE(colour(), QColor(1, 2, 3));
    }

    void deleteView_data()
    {
        columns<QString, QString>("callback", "steps");
        // The delegate deletes the view from `callback` during the last step.
        const auto row = [](const char* callback, const char* how, const char* steps) {
            QTest::addRow("%s from %s", callback, how)
                << QString::fromLatin1(callback) << QString::fromLatin1(steps);
        };
        row("selectionChanged", "an arrow key", "p01 r01 kD");
        row("selectionChanged", "the first key", "kD");
        row("selectionChanged", "Ctrl+A", "p01 kAC");
        row("selectionChanged", "a press", "p01");
        row("selectionChanged", "a control press", "p01 r01 p02C");
        row("selectionChanged", "a control press on a selected cell", "p01 r01 p02C p02C");
        row("selectionChanged", "a shift press", "p01 r01 p05S");
        row("selectionChanged", "a press on the background", "p01 b");
        row("selectionChanged", "a release", "p01 r01 p02C r02C p02 r02");
        row("selectionChanged", "a double click", "d01");
        row("selectionChanged", "setSelection", "t");
        row("selectionClicked", "a release", "p01 r01");
        row("selectionActivated", "a double click", "d01");
        row("selectionActivated", "Return", "p01 kE");
        row("mimeDataForSelection", "a drag", "p01 r01 p02C m02");
        // Not from a scroll: Qt's scroll area goes on using itself once its scroll bar has moved.
        for (const char* callback :
            { "itemForIndex", "headerForGroup", "itemsLaidOut", "groupCount", "itemCount" })
            row(callback, "a reload", "o");
        row("accessibleName", "a screen reader", "n");
    }

    void deleteView()
    {
        auto [callback, steps] = fetch<QString, QString>("callback", "steps");
        Delegate d;
        d.counts = { 40, 40 };
        d.fixedColumns = 3;
        QPointer<CollectionView> view = d.showView(QSize(430, 300)).release();
        view->setSelectionType(CollectionViewSelectionMultiple);
        corvane::setFullKeyboardAccess(true);
        const auto cleanup = qScopeGuard([&view] {
            corvane::setFullKeyboardAccess(false);
            delete view;
        });
        QStringList all = steps.split(QLatin1Char(' '));
        const QString last = all.takeLast();
        for (const QString& step : all)
            play(view, step);
        d.onCall = [&](const char* name) {
            if (view && callback == QLatin1String(name))
                delete view;
            return !view;
        };
        play(view, last);
        QVERIFY(!view);
    }

    void delegateDestroyed_data()
    {
        columns<bool, QString>("plain", "step");
        // The view then resizes, reloads, scrolls, takes a key or is read by a screen reader.
        for (const bool plain : { false, true })
            for (const char* step : { "resize", "o", "s", "kD", "n" })
                QTest::addRow("%s, %s", plain ? "plain" : "QObject", step)
                    << plain << QString::fromLatin1(step);
    }

    void delegateDestroyed()
    {
        auto [plain, step] = fetch<bool, QString>("plain", "step");
        std::unique_ptr<ICollectionViewDelegate> d(
            plain ? static_cast<ICollectionViewDelegate*>(new PlainDelegate) : new Delegate);
        if (!plain)
            static_cast<Delegate*>(d.get())->counts = { 40, 40 };
        QPointer<CollectionView> view
            = new CollectionView(d.get(), QSize(100, 80), 10, 10, 20, 3, false, 5);
        const auto cleanup = qScopeGuard([&view] { delete view; });
        view->resize(430, 300);
        view->show();
        view->reload();
        view->setSelectionType(CollectionViewSelectionSingle);
        QVERIFY(!view->visibleItems().empty());
        d.reset();
        if (step == QLatin1String("resize"))
            view->resize(300, 500);
        else
            play(view, step);
        QVERIFY(view);
        view->updateItems(false);
        QVERIFY(view->visibleItems().empty());
        QCOMPARE(QAccessible::queryAccessibleInterface(view)->childCount(),
            step == QLatin1String("o") ? 0 : 80);
    }

    void handedOutTwice_data()
    {
        columns<int, bool>("kind", "warns");
        // What the delegate hands out, and whether the view warns that it refuses it.
        row("one cell for every index", 0, true);
        row("one header for every group", 1, true);
        row("a cell as a header", 2, true);
        row("cells of another view", 3, true);
        row("the view as a header", 4, true);
        row("a pooled cell without dequeuing", 5, false);
    }

    void handedOutTwice()
    {
        auto [kind, warns] = fetch<int, bool>("kind", "warns");
        Substituting d, other;
        d.counts = other.counts = { 3, 3, 3, 3, 3, 3 };
        d.fixedColumns = other.fixedColumns = 3;
        auto view = d.showView(QSize(430, 400));
        auto otherView = other.showView(QSize(430, 400));
        const std::vector<CollectionViewItem*> others = otherView->visibleItems();
        QPointer<CollectionViewItem> one;
        QPointer<QWidget> oneHeader;
        std::map<Index, QPointer<CollectionViewItem>> kept;
        if (kind == 0)
            d.cell = [&](CollectionView&, const Index&) {
                return one ? one : (one = new CollectionViewItem);
            };
        else if (kind == 1)
            d.header = [&](CollectionView&, unsigned long) {
                return oneHeader ? oneHeader : (oneHeader = new QWidget);
            };
        else if (kind == 2)
            d.header = [&](CollectionView&, unsigned long) -> QWidget* {
                return d.made.empty() ? nullptr : d.made.front().data();
            };
        else if (kind == 3)
            d.cell = [&](CollectionView&, const Index& i) {
                return others.at(i.item % others.size());
            };
        else if (kind == 4)
            d.header = [&](CollectionView& v, unsigned long) -> QWidget* { return &v; };
        else // keeps the cell it made for each index and hands it back, pooled or not
            d.cell = [&](CollectionView&, const Index& i) {
                return kept[i] ? kept[i].data() : (kept[i] = new CollectionViewItem).data();
            };
        if (warns)
            QTest::ignoreMessage(QtWarningMsg, Refusal);
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        QTest::failOnWarning(QRegularExpression(QStringLiteral("CollectionView")));
#endif
        // A reload, a scroll that brings new groups and cells, and a resize that re-flows all.
        view->reload();
        checkHeldOnce(*view);
        view->verticalScrollBar()->setValue(300);
        checkHeldOnce(*view);
        const std::vector<CollectionViewItem*> before = view->visibleItems();
        view->resize(view->size() + QSize(0, 1));
        checkHeldOnce(*view);
        checkHeldOnce(*otherView);
        QCOMPARE(otherView->visibleItems(), others);
        // A cell kept for its index comes back out of the pool, where it waited.
        if (kind == 5)
            QCOMPARE(view->visibleItems(), before);
        if (kind == 0)
            QCOMPARE(view->visibleItems(), std::vector<CollectionViewItem*>({ one.data() }));
    }

    void randomHostile_data()
    {
        addSeedRows(300);
    }
    void randomHostile()
    {
        // From any callback the delegate may reload, scroll, ask for a cell to be shown, change
        // the selection, delete a cell it made, hand out a widget again or delete the view.
        QFETCH(std::uint32_t, seed);
        Substituting d(seed);
        QPointer<CollectionView> view;
        const auto anyMade = [&d]() -> CollectionViewItem* {
            return d.made.empty() ? nullptr
                                  : d.made[std::size_t(d.pick(long(d.made.size())))].data();
        };
        d.cell = [&](CollectionView&, const Index&) { return d.chance(5) ? anyMade() : nullptr; };
        d.header = [&](CollectionView&, unsigned long) -> QWidget* {
            return d.chance(5)
                ? (d.chance(50) ? static_cast<QWidget*>(anyMade()) : d.lastHeader.data())
                : nullptr;
        };
        int depth = 0;
        // Qt goes on using a widget after its resize event or the move of its scroll bar (which
        // any call may come from): a resize is no time to delete it, and else only later.
        bool mayDelete = true;
        const std::function<void()> acts[] = { [&] { view->reload(); },
            [&] {
                QScrollBar* bar = view->verticalScrollBar();
                bar->setValue(int(d.pick(bar->maximum() + 1)));
            },
            [&] {
                view->ensureItemVisible(Index(std::size_t(d.pick(3)), std::size_t(d.pick(60))));
            },
            [&] { view->setSelection({ Index(0, std::size_t(d.pick(9))) }); },
            [&] { view->updateItems(d.chance(50)); }, [&] { delete anyMade(); },
            [&] { delete d.lastHeader; },
            [&] {
                if (mayDelete && d.chance(30))
                    view->deleteLater();
            } };
        d.onCall = [&](const char*) {
            if (view && depth <= 3 && d.chance(12)) {
                ++depth;
                d.oneOf(acts)();
                --depth;
            }
            return !view;
        };
        d.counts
            = { 1 + std::size_t(d.pick(60)), std::size_t(d.pick(30)), 1 + std::size_t(d.pick(60)) };
        d.fixedColumns = 1 + d.pick(4);
        d.pooling = 70;
        view = d.showView(QSize(200 + int(d.pick(300)), 150 + int(d.pick(300)))).release();
        const auto cleanup = qScopeGuard([&view] { delete view; });
        const MessageLog silenced; // the refusals the view warns of
        const char* const steps[] = { "p01", "r01", "p12C", "r12C", "d02", "p00", "m00", "b", "kD",
            "kR", "kE", "o", "s", "e", "t", "n" };
        for (int i = 0; i < 30 && view && !QTest::currentTestFailed(); ++i) {
            if (d.chance(15))
                view->setSelectionType(CollectionViewSelectionType(d.pick(3)));
            if (d.chance(10)) {
                mayDelete = false;
                view->resize(150 + int(d.pick(400)), 100 + int(d.pick(400)));
                mayDelete = true;
            } else
                play(view, QString::fromLatin1(d.oneOf(steps)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (view)
                checkHeldOnce(*view);
        }
    }

    // Contents taller than any widget, checked against 64-bit layout formulas.
    void scrollMap_data()
    {
        columns<qint64, int, Positions, QList<int>>("maxOffset", "barMaximum", "offsets", "bars");
        // offsets: those of bar values 0, 1, max / 2 and max; bars: the bar values of offsets 1,
        // maxOffset / 3 and maxOffset.
        const int limit = CollectionScrollMap::BarLimit;
        row("one to one", qint64(1000), 1000, Positions { 0, 1, 500, 1000 },
            QList<int> { 1, 333, 1000 });
        row("at the limit", qint64(limit), limit, Positions { 0, 1, 1065353216, 2130706432 },
            QList<int> { 1, 710235477, 2130706432 });
        row("twice the limit", 2 * qint64(limit) + 1, limit,
            Positions { 0, 2, 2130706432, 4261412865 }, QList<int> { 0, 710235477, 2130706432 });
        row("2^60", qint64(1) << 60, limit,
            Positions { 0, 541098242, qint64(1) << 59, qint64(1) << 60 },
            QList<int> { 0, 710235477, 2130706432 });
    }

    void scrollMap()
    {
        QFETCH(qint64, maxOffset);
        const CollectionScrollMap map(maxOffset);
        QTEST(map.barMaximum(), "barMaximum");
        const int max = map.barMaximum();
        QTEST(Positions({ map.offset(0), map.offset(1), map.offset(max / 2), map.offset(max) }),
            "offsets");
        QTEST(QList<int>({ map.barValue(1), map.barValue(maxOffset / 3), map.barValue(maxOffset) }),
            "bars");
        // Every bar value comes back from its own offset, and an offset past the end stays at it.
        for (int v : { 1, 7, max / 3, max - 1 })
            QCOMPARE(map.barValue(map.offset(v)), v);
        QCOMPARE(map.barValue(maxOffset + 5), max);
    }

    void regimes_data()
    {
        columns<int, Counts, bool, int>("header", "counts", "windowed", "barMaximum");
        // 186413 rows of pitch 90 and a header of 44 fill the tallest widget exactly; one more
        // pixel of header and the content is windowed, its bar still one unit per pixel.
        const Counts rows { 186413 * 5 };
        row("at the cap", 44, rows, false, int(Cap - 400));
        row("a pixel past it", 45, rows, true, int(Cap + 1 - 400));
        row("far past it", 20, Counts { 100000000 }, true, 1800000020 - 400);
    }

    void regimes()
    {
        auto [header, counts, windowed, barMaximum]
            = fetch<int, Counts, bool, int>("header", "counts", "windowed", "barMaximum");
        Delegate d;
        auto view = showFiveColumns(d, counts, header);
        NewInnerWidget* in = inner(*view);
        QScrollBar* bar = view->verticalScrollBar();
        QCOMPARE(in->isWindowed(), windowed);
        QCOMPARE(bar->maximum(), barMaximum);
        QCOMPARE(in->sizeHint(), QSize(550, windowed ? 0 : int(Cap)));
        QCOMPARE(in->height(), windowed ? Viewport.height() : int(Cap));
        // The bar's end is the content's end: the last cell's bottom a margin above the viewport's.
        bar->setValue(bar->maximum());
        QCOMPARE(view->scrollPosition(), view->contentHeight() - Viewport.height());
        QCOMPARE(onScreen(*view, view->visibleItems().back()).bottom(), Viewport.height() - 5 - 1);
        QCOMPARE(in->pos(), QPoint(0, windowed ? 0 : -bar->value()));
        checkPlaced(d, *view);
        // Reloading into the other regime and back keeps the content position at the top.
        view->setScrollPosition(1234567);
        for (const Counts& c : { windowed ? Counts { 100000 } : Counts { 100000000 }, counts }) {
            d.counts = c;
            view->reload();
            QCOMPARE(in->isWindowed(), windowed == (c == counts));
            QCOMPARE(view->scrollPosition(), 1234567);
            QCOMPARE(bar->value(), 1234567);
            checkPlaced(d, *view);
        }
    }

    void reachLast_data()
    {
        columns<unsigned long, unsigned long, QString, int>(
            "groups", "perGroup", "means", "rowTop");
        // The last row's top on screen: 320 where a scroll brings the row and a cell's height into
        // view (keys, ensureItemVisible), 315 at the content's end (bar, wheel, position, a
        // shrinking content).
        const std::tuple<const char*, unsigned long, unsigned long> contents[]
            = { { "10^7 in one group", 1, 10000000 }, { "10^8 in groups of 1000", 100000, 1000 },
                  { "2^31-1", 1, 2147483647 }, { "2^32+7", 1, 4294967303 },
                  { "a million groups of one", 1000000, 1 },
                  { "a thousand groups of a million", 1000, 1000000 } };
        for (const auto& [name, groups, perGroup] : contents)
            for (const auto& [means, top] : { std::pair("bar", 315), std::pair("wheel", 315),
                     std::pair("position", 315), std::pair("end key", 320),
                     std::pair("ensureItemVisible", 320), std::pair("shrunk", 315) })
                QTest::addRow("%s, %s", name, means)
                    << groups << perGroup << QString::fromLatin1(means) << top;
    }

    void reachLast()
    {
        auto [groups, perGroup, means, rowTop] = fetch<unsigned long, unsigned long, QString, int>(
            "groups", "perGroup", "means", "rowTop");
        Delegate d;
        auto view = showFiveColumns(d, Counts(groups, perGroup));
        const Index last(groups - 1, perGroup - 1);
        const qint64 end = view->contentHeight() - Viewport.height();
        corvane::setFullKeyboardAccess(true);
        const auto restore = qScopeGuard([] { corvane::setFullKeyboardAccess(false); });
        if (means == QLatin1String("bar")) {
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        } else if (means == QLatin1String("wheel")) {
            view->setScrollPosition(end - 5000);
            for (int i = 0; i < 5000 && view->scrollPosition() < end; ++i)
                sendWheel(view->viewport(), -120);
        } else if (means == QLatin1String("position")) {
            view->setScrollPosition(end + 1000);
        } else if (means == QLatin1String("shrunk")) {
            // At the end of twice the content when it shrinks back: the end of what is left.
            d.counts = Counts(groups, perGroup * 2);
            view->reload();
            view->setScrollPosition(view->contentHeight());
            d.counts = Counts(groups, perGroup);
            view->reload();
        } else if (means == QLatin1String("end key")) {
            play(view.get(), "kH"_q);
            play(view.get(), "kZ"_q);
            QCOMPARE(
                view->selectionRanges(), decltype(view->selectionRanges())({ { last, last } }));
        } else {
            view->ensureItemVisible(last);
        }
        QCOMPARE(
            view->scrollPosition(), rowTop == 315 ? end : d.cellY(d.groupTops(), last) + 80 - 400);
        const CollectionViewItem* cell = placed(*view, last);
        QVERIFY(cell);
        QCOMPARE(view->visibleItems().back(), cell);
        QCOMPARE(onScreen(*view, cell), QRect(5 + int(last.item % 5) * 110, rowTop, 100, 80));
        QVERIFY(view->visibleItems().size() <= 30);
        QCOMPARE(d.laidOut.back().x(), int(view->visibleItems().size()));
        QVERIFY(d.laidOut.back().y() <= 30);
        checkPlaced(d, *view);
    }

    void groupBoundaryAtCap_data()
    {
        columns<Counts, qint64>("counts", "boundary");
        // Group 1's header starts 29 pixels above, then 61 below, the tallest widget's height.
        row("just below", Counts { 186413 * 5, 50, 1000000 }, qint64(16777185));
        row("just above", Counts { 186414 * 5, 50, 1000000 }, qint64(16777275));
    }

    void groupBoundaryAtCap()
    {
        auto [counts, boundary] = fetch<Counts, qint64>("counts", "boundary");
        Delegate d;
        auto view = showFiveColumns(d, counts);
        view->setScrollPosition(boundary - 200);
        checkPlaced(d, *view);
        // Group 0's last row ends where group 1's header starts, whose cells follow it.
        QCOMPARE(onScreen(*view, placed(*view, Index(0, d.counts[0] - 1))).bottom(), 199);
        QCOMPARE(onScreen(*view, d.lastHeader), QRect(5, 200, 540, 20));
        QCOMPARE(onScreen(*view, placed(*view, Index(1, 0))).top(), 220);
    }

    void scrollStepsAcrossCap()
    {
        // Thirty-pixel steps of the bar from below to above the cap: each step places only the
        // cells that came into view and keeps the others exactly where they belong.
        Delegate d;
        auto view = showFiveColumns(d, { 1000000 });
        QScrollBar* bar = view->verticalScrollBar();
        bar->setValue(int(Cap) - 600);
        for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
            const std::vector<CollectionViewItem*> before = view->visibleItems();
            d.clearRecords();
            bar->setValue(bar->value() + 30);
            QCOMPARE(view->scrollPosition(), qint64(bar->value()));
            checkPlaced(d, *view);
            for (const Index& asked : d.requested)
                for (const CollectionViewItem* kept : before)
                    QVERIFY(kept->index() != asked);
        }
        QVERIFY(view->scrollPosition() > Cap + 500);
    }

    void selectionAtScale_data()
    {
        columns<Counts, QString, QString>("counts", "script", "result");
        // Steps on items of group 0: y scrolls to a position, e shows, c clicks and s Shift-clicks
        // an item, m drags the fifth placed cell, T selects items 1 and 2; others as in play().
        // Then the count, the runs, "/" the anchor and "|" the log. Row 186414 is the first whose
        // top lies past the cap.
        const Counts million { 1000000 }, huge(100000, 1000);
        row("down across the cap", million, "e932067 c932067 kD",
            "1 0.932072-0.932072 /0.932072 |c k c");
        row("up across the cap", million, "e932072 c932072 kU",
            "1 0.932067-0.932067 /0.932067 |c k c");
        row("page down across the cap", million, "e932062 c932062 kQ",
            "1 0.932082-0.932082 /0.932082 |c k c");
        row("page up across the cap", million, "e932082 c932082 kP",
            "1 0.932062-0.932062 /0.932062 |c k c");
        row("range across the cap", million, "y16777014 c932061 s932078",
            "18 0.932061-0.932078 /0.932061 |c k c k");
        row("all of a hundred million", huge, "c3 kAC m", "100000000 0.0-99999.999 /0.3 |c k c m0");
        row("shift end from the anchor", huge, "c3 kAC kZS",
            "99999997 0.3-99999.999 /99999.999 |c k c c");
        row("small again", huge, "c3 kAC T", "2 0.1-0.2 /0.1 |c k c c");
    }

    void selectionAtScale()
    {
        // Selections of any size are runs; the set holds them only up to its limit.
        auto [counts, script, result]
            = fetch<Counts, QString, QString>("counts", "script", "result");
        Delegate d;
        auto view = showFiveColumns(d, counts);
        corvane::setFullKeyboardAccess(true);
        const auto restore = qScopeGuard([] { corvane::setFullKeyboardAccess(false); });
        for (const QString& step : script.split(QLatin1Char(' '))) {
            const Index i(0, step.mid(1).toULong());
            if (step[0] == QLatin1Char('y'))
                view->setScrollPosition(step.mid(1).toLongLong());
            else if (step[0] == QLatin1Char('e'))
                view->ensureItemVisible(i);
            else if (step[0] == QLatin1Char('c') || step[0] == QLatin1Char('s'))
                QTest::mouseClick(placed(*view, i), Qt::LeftButton,
                    step[0] == QLatin1Char('s') ? Qt::ShiftModifier : Qt::NoModifier);
            else if (step[0] == QLatin1Char('m'))
                mouseMoveHeld(view->visibleItems()[4], QPoint(2, 2));
            else if (step[0] == QLatin1Char('T'))
                view->setSelection({ { 0, 1 }, { 0, 2 } });
            else
                play(view.get(), step);
        }
        QString got = QString::number(view->selectionCount());
        for (const auto& [a, b] : view->selectionRanges())
            got += QStringLiteral(" %1.%2-%3.%4").arg(a.group).arg(a.item).arg(b.group).arg(b.item);
        const Index anchor = inner(*view)->anchor();
        QCOMPARE(got + QStringLiteral(" /%1.%2 |").arg(anchor.group).arg(anchor.item)
                + d.log.join(QLatin1Char(' ')),
            result);
        QCOMPARE(quint64(view->selection().size()),
            view->selectionCount() > CollectionView::SelectionSetLimit ? 0
                                                                       : view->selectionCount());
        QVERIFY(view->selectionCount() > CollectionView::SelectionSetLimit
            || *view->selection().rbegin() == view->selectionRanges().back().second);
        const CollectionViewItem* cell = placed(*view, anchor);
        QVERIFY(cell && QRect(QPoint(), Viewport).contains(onScreen(*view, cell)));
        checkPlaced(d, *view);
    }
};

QTEST_MAIN(tst_CollectionView)
#include "tst_collectionview.moc"
