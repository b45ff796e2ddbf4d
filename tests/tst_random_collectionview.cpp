// Collection views with random geometry and contents, driven through random reloads, resizes,
// scrolls and selection changes. After every step the placed cells are checked against the grid
// computed here from the layout formulas, without the view's help.

#include "RandomSeed.h"

#include <corvane/CollectionView.h>

#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <set>

using namespace testutils;
using Index = CollectionViewIndex;

namespace {

// A random grid that serves its cells and headers, taking them from the pools only most of the
// time, and knows where the layout formulas put them.
struct Grid : ICollectionViewDelegate, Random
{
    using Random::Random;
    unsigned long groupCount(CollectionView&) override { return counts.size(); }
    unsigned long itemCount(CollectionView&, unsigned long g) override { return counts.at(g); }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index&) override
    {
        CollectionViewItem* cell = chance(80) ? view.dequeueItem() : nullptr;
        return cell ? cell : made.emplace_back(new CollectionViewItem(nullptr)).data();
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long) override
    {
        QWidget* header = chance(80) ? view.dequeueHeader() : nullptr;
        return header || chance(10) ? header : new QWidget;
    }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>&) override
    {
        return nullptr;
    }
    void selectionActivated(CollectionView&) override { }
    void selectionChanged(CollectionView&) override { }
    void selectionClicked(CollectionView&) override { }
    void itemsLaidOut(CollectionView&, unsigned long visible, unsigned long pooled) override
    {
        lastVisible = visible, lastPooled = pooled;
    }
    void randomCounts()
    {
        counts.resize(pick(8));
        for (auto& c : counts)
            c = chance(25) ? 0 : pick(60);
    }

    long pitchX() const { return item.width() + hSpacing; }
    long pitchY() const { return item.height() + vSpacing; }
    long block(std::size_t g) const
    {
        return long((counts[g] + columns - 1) / columns) * pitchY() - vSpacing;
    }
    long groupTop(std::size_t g) const
    {
        long top = margin + header;
        for (std::size_t k = 0; k < g; ++k)
            top += header + block(k);
        return top;
    }
    QRect cellRect(QPoint at, long visibleWidth) const
    {
        const long cells = columns * pitchX() - hSpacing;
        const long x0 = center ? (std::max(visibleWidth, cells + 2 * margin) - cells) / 2 : margin;
        return QRect(int(x0 + at.y() % columns * pitchX()),
            int(groupTop(std::size_t(at.x())) + at.y() / columns * pitchY()), item.width(),
            item.height());
    }
    // What a pass over the band [top, bottom] places: the walk runs from the row that holds the
    // top edge (less one row when the edge lies in a group's first two rows) to the row that
    // holds the bottom edge, or to item 0 of the group whose header holds it.
    QList<QPoint> placed(const QRect& band) const
    {
        QList<QPoint> result;
        const long t = band.top() - margin, b = band.bottom() - margin;
        long pos = 0;
        std::size_t g = 0;
        for (; g < counts.size() && t >= pos + header + block(g); ++g)
            pos += header + block(g);
        if (g == counts.size() || band.isEmpty())
            return result;
        const std::size_t firstGroup = g;
        const unsigned long firstItem
            = t > pos + header + pitchY() ? columns * ((t - pos - header) / pitchY()) : 0;
        std::size_t lastGroup = counts.size() - 1;
        long lastItem = long(counts.back()) - 1;
        for (; g < counts.size(); pos += header + block(g), ++g) {
            const long itemsTop = pos + header;
            if (b < itemsTop + block(g)) {
                lastGroup = g;
                lastItem = b < itemsTop
                    ? 0
                    : std::min(long(counts[g]), columns * ((b - itemsTop + pitchY()) / pitchY()))
                        - 1;
                break;
            }
        }
        for (g = firstGroup; g <= lastGroup; ++g) {
            for (unsigned long i = g == firstGroup ? firstItem : 0;
                 i < counts[g] && (g < lastGroup || long(i) <= lastItem); ++i)
                result << QPoint(int(g), int(i));
        }
        return result;
    }

    std::vector<unsigned long> counts;
    std::vector<QPointer<CollectionViewItem>> made;
    unsigned long lastVisible = 0, lastPooled = 0;
    QSize item;
    long hSpacing = 0, vSpacing = 0, header = 0, margin = 0, columns = 1, fixedColumns = 0;
    bool center = false;
};

void checkInvariants(CollectionView& view, const Grid& grid)
{
    QWidget* inner = view.widget();
    const QRect visible
        = QRect(inner->mapFrom(view.viewport(), QPoint(0, 0)), view.viewport()->size())
        & inner->rect();
    const std::vector<CollectionViewItem*> placed = view.visibleItems();
    QCOMPARE(grid.lastVisible, placed.size());

    // Exactly the expected indices, each once, in ascending order, each where it belongs.
    QList<QPoint> got;
    for (CollectionViewItem* cell : placed) {
        got << QPoint(int(cell->index().group), int(cell->index().item));
        QVERIFY(cell->isVisibleTo(inner));
        QCOMPARE(cell->geometry(), grid.cellRect(got.last(), visible.width()));
        QCOMPARE(cell->selected(), view.selection().count(cell->index()) != 0);
    }
    QCOMPARE(got, grid.placed(visible));
    // Every cell that meets the band is among them. When an empty group's header is lower than
    // the row spacing, the next group overlaps the previous one's last row and the walk stops
    // early by design.
    const bool overlaps
        = grid.header < grid.vSpacing && std::count(grid.counts.begin(), grid.counts.end(), 0ul);
    for (int g = 0; g < int(grid.counts.size()) && !overlaps && !visible.isEmpty(); ++g) {
        for (QPoint at(g, 0); at.y() < int(grid.counts[g]); ++at.ry()) {
            const QRect r = grid.cellRect(at, visible.width());
            if (r.top() <= visible.bottom() && r.bottom() >= visible.top())
                QVERIFY2(got.contains(at),
                    qPrintable(QStringLiteral("%1,%2 is missing").arg(g).arg(at.y())));
        }
    }
    // No cell the delegate made is lost: it is placed or waits hidden in the pool.
    unsigned long pooled = 0;
    for (const auto& cell : grid.made) {
        QVERIFY2(cell, "the view deleted a cell");
        QCOMPARE(cell->parentWidget(), inner);
        if (std::find(placed.begin(), placed.end(), cell.data()) == placed.end()) {
            QVERIFY(!cell->isVisibleTo(inner));
            ++pooled;
        }
    }
    QCOMPARE(grid.lastPooled, pooled);
}

} // namespace

class tst_RandomCollectionView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomView_data() { addSeedRows(30); }
    void randomView();
};

void tst_RandomCollectionView::randomView()
{
    QFETCH(std::uint32_t, seed);
    Grid d(seed);
    d.randomCounts();
    d.item = QSize(1 + int(d.pick(120)), 1 + int(d.pick(100)));
    d.hSpacing = d.pick(20), d.vSpacing = d.pick(20), d.margin = d.pick(20);
    d.header = d.chance(20) ? 0 : d.pick(40), d.center = d.chance(50);
    d.fixedColumns = d.chance(60) ? 0 : 1 + d.pick(8);
    CollectionView view(&d, d.item, int(d.hSpacing), int(d.vSpacing), int(d.header), d.fixedColumns,
        d.center, int(d.margin));
    view.setHorizontalScrollBarPolicy(
        d.chance(50) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    view.resize(100 + int(d.pick(500)), 80 + int(d.pick(400)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.reload();

    const Qt::KeyboardModifier mods[] = { Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier };
    // Indices of all kinds, including ones just past a group's end or the last group.
    const auto anyIndex = [&] {
        const std::size_t g = d.pick(long(d.counts.size()) + 1);
        return Index(g, d.pick(long(g < d.counts.size() ? d.counts[g] : 3) + 1));
    };
    for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
        QScrollBar* bar = view.verticalScrollBar();
        const std::vector<CollectionViewItem*> placed = view.visibleItems();
        const long kind = d.pick(6);
        if (kind == 0) {
            d.randomCounts();
            view.reload();
        } else if (kind == 1) {
            view.resize(60 + int(d.pick(700)), 40 + int(d.pick(500)));
        } else if (kind == 2) {
            bar->setValue(d.chance(50) ? int(d.pick(bar->maximum() + 1))
                                       : bar->value() + int(d.pick(61)) - 30);
        } else if (kind == 3) {
            std::set<Index> selection;
            for (long n = d.pick(6); n > 0; --n)
                selection.insert(anyIndex());
            view.setSelection(selection);
            view.setSelectionType(CollectionViewSelectionType(d.pick(3)));
        } else if (kind == 4) {
            // A click, with or without modifiers, on a placed cell, then a key press.
            if (!placed.empty())
                QTest::mouseClick(placed[d.pick(long(placed.size()))], Qt::LeftButton,
                    d.oneOf(mods), QPoint(1, 1));
            QTest::keyClick(&view, Qt::Key(Qt::Key_Left + d.pick(4))); // left, up, right, down
        } else {
            view.ensureItemVisible(anyIndex());
            if (d.chance(30))
                view.updateItems(false);
        }
        d.columns = d.fixedColumns
            ? d.fixedColumns
            : std::max(1L, (view.viewport()->width() + d.hSpacing) / d.pitchX());
        QCoreApplication::processEvents();
        checkInvariants(view, d);
    }
}

QTEST_MAIN(tst_RandomCollectionView)
#include "tst_random_collectionview.moc"
