// The collection view: its grid arithmetic on its own; recycling, selection and keys through
// views; and views of random geometry driven through random steps, checked after each against
// the layout formulas computed here without the view's help.
#include "CollectionDelegate.h"

#include "collectionview/CollectionViewAccessible.h"

#include <corvane/Keyboard.h>

#include <QDrag>
#include <QMouseEvent>
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
        // and y, its header's y and width. (430 + 10) / 110 = 4 columns, 4 * 110 - 10 + 2 * 5 = 440
        // wide; a group of 0 items adds its header less one spacing; a fixed grid 320 wide is
        // centred in 600 at 140; more columns than a widget holds are cut to those that fit.
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
    }

    void visibleRange_data()
    {
        columns<Counts, Positions, Index, Index>("counts", "band", "first", "last");
        // With 4 columns, row r of group 0 spans 25 + 90 r to 104 + 90 r. The walk runs from the
        // row whose pitch holds the top (item 0 while that is within one pitch of the first row) to
        // the row that holds the bottom, or item 0 of the group whose header holds it.
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
        // The requests of a pass: group 0's header when it is asked for, then cells.
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

        // One column fewer: every cell is asked for again. The delegate takes back 12, the last
        // pooled first, so the first four wait in the pool, newest on top.
        d.clearRecords();
        view->resize(view->size() - QSize(110, 0));
        QCOMPARE(d.requested, range(true, 0, 11));
        QCOMPARE(d.laidOut.back(), QPoint(12, 4));
        for (int i = 3; i >= 0; --i)
            QCOMPARE(view->dequeueItem(), before[size_t(i)]);
        QCOMPARE(view->dequeueItem(), nullptr);

        // Scrolling to 500 shows rows 5 to 8 only and keeps the header; a few pixels more place
        // nothing new.
        QScrollBar* bar = view->verticalScrollBar();
        d.clearRecords();
        bar->setValue(500);
        QCOMPARE(d.requested, range(false, 15, 26));
        d.clearRecords();
        bar->setValue(503);
        QVERIFY(d.requested.empty());
        QCOMPARE(d.laidOut, QList<QPoint>({ QPoint(12, 0) }));

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

        // A reload forgets the selection without telling the delegate. A cell that the host
        // destroys is forgotten.
        d.log.clear();
        view->reload();
        QVERIFY(view->selection().empty() && d.log.isEmpty() && inner(*view)->anchor() == Index());
        delete view->visibleItems()[3];
        bar->setValue(0);
        QCOMPARE(view->visibleItems().size(), size_t(12));

        // A group of 10^8 items no longer fits a widget: the content widget keeps the viewport's
        // size and the end of the content scrolls into it, group 2's cells exactly at its bottom.
        d.counts = { 3, 100000000, 5 };
        d.columns = 4;
        view->resize(view->size() + QSize(110, 100));
        view->reload();
        QCOMPARE(inner(*view)->sizeHint(), QSize(440, 0));
        QCOMPARE(inner(*view)->geometry(), QRect(0, 0, 440, view->viewport()->height()));
        QCOMPARE(view->visibleItems().size(), size_t(19));
        bar->setValue(bar->maximum());
        const std::vector<qint64> tops = d.groupTops();
        QCOMPARE(view->contentHeight(), tops[3] - d.header + d.margin);
        QCOMPARE(view->scrollPosition(), view->contentHeight() - 400);
        for (CollectionViewItem* c : view->visibleItems()) {
            const int i = int(c->index().item);
            const qint64 y = d.cellY(tops, c->index()) - view->scrollPosition();
            QCOMPARE(c->geometry(), QRect(5 + i % 4 * 110, int(y), 100, 80));
        }
        QCOMPARE(view->visibleItems().back()->index(), Index(2, 4));
        QCOMPARE(view->visibleItems().back()->geometry().bottom(), 400 - 5 - 1);
    }

    void selection_data()
    {
        columns<Counts, QString>("counts", "script");

        // With 3 columns: the selection type (N, S or M, then + for full keyboard access and < for
        // right to left), the steps (see play()), then after "=" the selection, "/" the anchor
        // (-1-1 for none), "|" the delegate's log and, after "!", the accessibility events:
        // s(election), w(ithin), +/- (added, removed), f(ocus) and o (children changed), with the
        // child number.
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
        row("first key", Counts { 0, 0, 4 }, "S kA = 20 /20 |c");
        row("first key, all empty", Counts { 0, 0 }, "M kD = /-1-1 |");
        // Full keyboard access, multiple selection: Shift extends a run from where it started;
        // Home, End and the page keys move; Ctrl+A selects everything with one notice.
        const Counts pages { 40 };
        row("without full access", pages, "M p04 kH kZ kP kQ kAC kDS = 07 /07 |c c");
        row("shift right twice", m, "M+ p03 kRS kRS = 03 04 05 /05 |c c c");
        row("shift down, up past start", k, "M+ p04 kDS kUS kUS = 01 02 03 04 /01 |c c c c");
        row("run restarts after a move", m, "M+ p02 kRS kR kRS = 04 05 /05 |c c c c");
        row("run restarts after a click", m, "M+ p02 kRS p05 kLS = 04 05 /04 |c c c c");
        row("home", k, "M+ p12 kH = 00 /00 |c c");
        row("end", k, "M+ p02 kZ = 15 /15 |c c");
        row("shift end", k, "M+ p04 kZS = 04 10 11 12 13 14 15 /15 |c c");
        row("shift home over empty group", gap, "M+ p21 kHS = 00 01 02 03 04 20 21 /00 |c c");
        row("ctrl+a keeps anchor", k, "M+ p02 kAC = 00 01 02 03 04 10 11 12 13 14 15 /02 |c c");
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
        row("events: press", k, "M+ p03 = 03 /03 |c ! s3 f3");
        row("events: control toggles", k, "M+ p02 p04C p04C = 02 /02 |c c c ! s2 f2 +4 f4 -4 f2");
        row("events: shift range", k, "M+ p01 p03S = 01 02 03 /01 |c c ! s1 f1 w");
        row("events: arrow", k, "M+ p04 kR = 10 /10 |c c ! s4 f4 s5 f5");
        row("events: shift arrow", k, "M+ p01 kDS = 01 02 03 04 /04 |c c ! s1 f1 w f4");
        row("events: select all", k,
            "M+ p01 kAC = 00 01 02 03 04 10 11 12 13 14 15 /01 |c c ! s1 f1 w");
        row("events: background", k, "M+ p01 b = /01 |c c ! s1 f1 w");
        row("events: first key", k, "M+ kD = 00 /00 |c ! s0 f0");
        row("events: reload", k, "M+ p01 o = /-1-1 |c ! s1 f1 o");
    }

    void selection()
    {
        QFETCH(Counts, counts);
        QFETCH(QString, script);
        Delegate d;
        d.counts = counts;
        d.fixedColumns = 3;
        auto view = d.showView(QSize(430, 600));
        QStringList steps = script.section(QStringLiteral(" = "), 0, 0).split(QLatin1Char(' '));
        const QString mode = steps.takeFirst();
        const int type = int(QStringLiteral("NSM").indexOf(mode[0]));
        view->setSelectionType(CollectionViewSelectionType(type));
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
        const QString expected = script.section(QStringLiteral(" = "), 1);
        if (expected.contains(QStringLiteral(" ! ")))
            result += QStringLiteral(" ! ") + s_events.join(QLatin1Char(' '));
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
        // Groups of 2 in 3 columns are 100 pixels tall: a pass asks for the headers of every group
        // that came into view, then for their cells (and again for (3, 1), which got none).
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
        QTest::newRow("left to right")
            << false << 0ul << 450 << QList<int> { 5, 115, 225, 335 } << 5;
        QTest::newRow("right to left")
            << true << 0ul << 450 << QList<int> { 345, 235, 125, 15 } << 345;
        QTest::newRow("centred") << false << 3ul << 600 << QList<int> { 140, 250, 360 } << 140;
        QTest::newRow("centred, right to left")
            << true << 3ul << 600 << QList<int> { 360, 250, 140 } << 360;
        QTest::newRow("wider, right to left")
            << true << 5ul << 300 << QList<int> { 445, 335, 225, 115, 5 } << 195;
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
        // A list of every item, placed or not; names from the delegate's default, a cell's own
        // name or the delegate; states that follow selection and focus.
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
        // Indices of all kinds, including ones just past a group's end or the last group.
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

            // The content's size; exactly the expected cells, each once, in ascending order, each
            // where it belongs.
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
};

QTEST_MAIN(tst_CollectionView)
#include "tst_collectionview.moc"
