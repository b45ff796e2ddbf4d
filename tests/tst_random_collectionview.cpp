// Collection views with random geometry and contents, driven through random reloads, resizes,
// scrolls and selection changes. After every step the placed cells are checked against an
// independent computation of the grid.

#include "RandomSeed.h"

#include <corvane/CollectionView.h>

#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <random>
#include <set>

namespace {

using Rng = std::mt19937;

long pick(Rng& rng, long n)
{
    return std::uniform_int_distribution<long>(0, n - 1)(rng);
}

bool chance(Rng& rng, int percent)
{
    return pick(rng, 100) < percent;
}

class Delegate : public ICollectionViewDelegate
{
public:
    explicit Delegate(Rng& rng)
        : m_rng(rng)
    { }

    unsigned long groupCount(CollectionView&) override { return counts.size(); }
    unsigned long itemCount(CollectionView&, unsigned long group) override
    {
        return counts.at(group);
    }
    CollectionViewItem* itemForIndex(CollectionView& view, const CollectionViewIndex&) override
    {
        CollectionViewItem* cell = chance(m_rng, 80) ? view.dequeueItem() : nullptr;
        if (!cell) {
            cell = new CollectionViewItem(nullptr);
            made.emplace_back(cell);
        }
        return cell;
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override
    {
        if (chance(m_rng, 10))
            return nullptr;
        QWidget* header = chance(m_rng, 80) ? view.dequeueHeader() : nullptr;
        if (!header) {
            header = new QWidget;
            headers.emplace_back(header);
        }
        header->setProperty("group", qulonglong(group));
        return header;
    }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<CollectionViewIndex>&) override
    {
        return nullptr;
    }
    void selectionActivated(CollectionView&) override { }
    void selectionChanged(CollectionView&) override { }
    void selectionClicked(CollectionView&) override { }
    void itemsLaidOut(CollectionView&, unsigned long visible, unsigned long pooled) override
    {
        lastVisible = visible;
        lastPooled = pooled;
    }

    std::vector<unsigned long> counts;
    std::vector<QPointer<CollectionViewItem>> made;
    std::vector<QPointer<QWidget>> headers;
    unsigned long lastVisible = 0;
    unsigned long lastPooled = 0;

private:
    Rng& m_rng;
};

struct Params
{
    QSize itemSize;
    int hSpacing;
    int vSpacing;
    int headerHeight;
    unsigned long fixedColumns;
    bool center;
    int margin;
};

// The grid as the layout formulas define it, computed here without the view's help.
struct Grid
{
    Params p;
    std::vector<unsigned long> counts;
    long columns = 1;

    long pitchX() const { return p.itemSize.width() + p.hSpacing; }
    long pitchY() const { return p.itemSize.height() + p.vSpacing; }
    long rows(unsigned long g) const { return long((counts[g] + columns - 1) / columns); }
    long block(unsigned long g) const { return rows(g) * pitchY() - p.vSpacing; }
    long groupTop(unsigned long g) const
    {
        long top = p.margin + p.headerHeight;
        for (unsigned long k = 0; k < g; ++k)
            top += p.headerHeight + block(k);
        return top;
    }
    bool overlaps() const
    {
        return p.headerHeight < p.vSpacing
            && std::find(counts.begin(), counts.end(), 0ul) != counts.end();
    }
    long contentWidth() const { return columns * pitchX() - p.hSpacing + 2 * p.margin; }
    long x0(long visibleWidth) const
    {
        if (!p.center)
            return p.margin;
        return (std::max(visibleWidth, contentWidth()) - (columns * pitchX() - p.hSpacing)) / 2;
    }
    QRect cellRect(const CollectionViewIndex& index, long visibleWidth) const
    {
        return QRect(int(x0(visibleWidth) + long(index.item % columns) * pitchX()),
            int(groupTop(index.group) + long(index.item / columns) * pitchY()), p.itemSize.width(),
            p.itemSize.height());
    }

    // The indices a pass over the band [top, bottom] places: whole rows from the one holding
    // the top edge to the one holding the bottom edge. Empty groups place nothing.
    std::set<CollectionViewIndex> placed(long top, long bottom) const
    {
        std::set<CollectionViewIndex> result;
        if (counts.empty() || bottom < top)
            return result;
        const long t = top - p.margin;
        const long b = bottom - p.margin;
        long pos = 0;
        unsigned long g = 0;
        unsigned long firstItem = 0;
        for (; g < counts.size(); ++g) {
            const long itemsTop = pos + p.headerHeight;
            const long bot = itemsTop + block(g);
            if (t < bot) {
                if (t > itemsTop + pitchY())
                    firstItem = columns * ((t - itemsTop) / pitchY());
                break;
            }
            pos = bot;
        }
        if (g == counts.size())
            return result;
        const unsigned long firstGroup = g;
        unsigned long lastGroup = counts.size() - 1;
        long lastItem = long(counts.back()) - 1;
        for (; g < counts.size(); ++g) {
            const long itemsTop = pos + p.headerHeight;
            const long bot = itemsTop + block(g);
            if (b < bot) {
                lastGroup = g;
                lastItem = b < itemsTop
                    ? 0
                    : std::min(long(counts[g]), columns * ((b - itemsTop + pitchY()) / pitchY()))
                        - 1;
                break;
            }
            pos = bot;
        }
        for (g = firstGroup; g <= lastGroup; ++g) {
            for (unsigned long i = g == firstGroup ? firstItem : 0; i < counts[g]; ++i) {
                if (g == lastGroup && long(i) > lastItem)
                    break;
                result.insert(CollectionViewIndex(g, i));
            }
        }
        return result;
    }
};

} // namespace

class tst_RandomCollectionView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testutils::baseSeed(); }
    void randomView_data();
    void randomView();

private:
    void checkInvariants(CollectionView& view, Delegate& d, Grid& grid);
};

void tst_RandomCollectionView::randomView_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    for (int round = 0; round < 30; ++round) {
        const std::uint32_t seed = testutils::roundSeed(round);
        QTest::addRow("round %d (seed %u)", round, seed) << seed;
    }
}

void tst_RandomCollectionView::checkInvariants(CollectionView& view, Delegate& d, Grid& grid)
{
    QWidget* inner = view.widget();
    const QRect visible
        = QRect(inner->mapFrom(view.viewport(), QPoint(0, 0)), view.viewport()->size())
        & inner->rect();
    const long width = visible.width();

    const std::vector<CollectionViewItem*> placed = view.visibleItems();
    QCOMPARE(d.lastVisible, placed.size());

    // Placed once each, in ascending order, exactly the expected indices.
    std::set<CollectionViewIndex> got;
    for (size_t k = 0; k < placed.size(); ++k) {
        if (k > 0)
            QVERIFY(placed[k - 1]->index() < placed[k]->index());
        got.insert(placed[k]->index());
    }
    const std::set<CollectionViewIndex> want = visible.isEmpty()
        ? std::set<CollectionViewIndex>()
        : grid.placed(visible.top(), visible.bottom());
    if (got != want) {
        QString text;
        const auto dump = [](const std::set<CollectionViewIndex>& s) {
            QStringList parts;
            for (const auto& i : s)
                parts << QStringLiteral("(%1,%2)").arg(i.group).arg(i.item);
            return parts.join(QLatin1Char(' '));
        };
        QFAIL(qPrintable(QStringLiteral("band %1..%2: placed %3, expected %4")
                             .arg(visible.top())
                             .arg(visible.bottom())
                             .arg(dump(got), dump(want))));
    }

    const std::set<CollectionViewIndex>& selection = view.selection();
    for (CollectionViewItem* cell : placed) {
        QCOMPARE(cell->parentWidget(), inner);
        QVERIFY(cell->isVisibleTo(inner));
        QCOMPARE(cell->geometry(), grid.cellRect(cell->index(), width));
        QCOMPARE(cell->selected(), selection.count(cell->index()) != 0);
    }
    // Every cell that meets the visible band is placed (the band is widened to whole rows).
    // An empty group whose header is lower than the row spacing has a negative height, so the
    // next group overlaps the previous one's last row; the walk then stops early by design.
    for (unsigned long g = 0; g < grid.counts.size() && !grid.overlaps(); ++g) {
        for (unsigned long i = 0; i < grid.counts[g]; ++i) {
            const QRect r = grid.cellRect(CollectionViewIndex(g, i), width);
            if (r.top() > visible.bottom())
                break;
            if (r.bottom() >= visible.top() && !visible.isEmpty())
                QVERIFY2(got.count(CollectionViewIndex(g, i)),
                    qPrintable(QStringLiteral("cell (%1,%2) meets the band %3..%4 but is missing")
                                   .arg(g)
                                   .arg(i)
                                   .arg(visible.top())
                                   .arg(visible.bottom())));
        }
    }

    // No cell the delegate made is lost: it is placed or waits hidden in the pool.
    size_t hidden = 0;
    for (const auto& cell : d.made) {
        QVERIFY2(cell, "the view deleted a cell");
        QCOMPARE(cell->parentWidget(), inner);
        if (std::find(placed.begin(), placed.end(), cell.data()) == placed.end()) {
            QVERIFY(!cell->isVisibleTo(inner));
            ++hidden;
        }
    }
    QCOMPARE(size_t(d.lastPooled), hidden);

    for (const auto& header : d.headers) {
        QVERIFY2(header, "the view deleted a header");
        if (header->isVisibleTo(inner)) {
            const auto g = header->property("group").toULongLong();
            QCOMPARE(header->geometry(),
                QRect(grid.p.margin, int(grid.groupTop(g) - grid.p.headerHeight),
                    int(std::max(width, grid.contentWidth()) - 2 * grid.p.margin),
                    grid.p.headerHeight));
        }
    }
}

void tst_RandomCollectionView::randomView()
{
    QFETCH(std::uint32_t, seed);
    Rng rng(seed);

    Params p;
    p.itemSize = QSize(1 + int(pick(rng, 120)), 1 + int(pick(rng, 100)));
    p.hSpacing = int(pick(rng, 20));
    p.vSpacing = int(pick(rng, 20));
    p.headerHeight = chance(rng, 20) ? 0 : int(pick(rng, 40));
    p.fixedColumns = chance(rng, 60) ? 0 : 1 + pick(rng, 8);
    p.center = chance(rng, 50);
    p.margin = int(pick(rng, 20));

    Delegate d(rng);
    const auto randomCounts = [&] {
        std::vector<unsigned long> counts(pick(rng, 8));
        for (auto& c : counts)
            c = chance(rng, 25) ? 0 : pick(rng, 60);
        return counts;
    };
    d.counts = randomCounts();

    Grid grid { p, d.counts, 1 };
    CollectionView view(
        &d, p.itemSize, p.hSpacing, p.vSpacing, p.headerHeight, p.fixedColumns, p.center, p.margin);
    view.setHorizontalScrollBarPolicy(
        chance(rng, 50) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    view.setSelectionType(CollectionViewSelectionType(pick(rng, 3)));
    view.resize(100 + int(pick(rng, 500)), 80 + int(pick(rng, 400)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const auto relayoutGrid = [&] {
        const long width = view.viewport()->width();
        grid.columns = p.fixedColumns ? long(p.fixedColumns)
                                      : std::max(1L, (width + p.hSpacing) / grid.pitchX());
    };
    const auto randomIndex = [&] {
        const unsigned long g = d.counts.empty() ? 0 : pick(rng, long(d.counts.size()) + 1);
        const unsigned long count = g < d.counts.size() ? d.counts[g] : 3;
        return CollectionViewIndex(g, pick(rng, long(count) + 1));
    };

    view.reload();
    relayoutGrid();
    for (int step = 0; step < 40; ++step) {
        switch (pick(rng, 9)) {
        case 0:
            d.counts = randomCounts();
            grid.counts = d.counts;
            view.reload();
            break;
        case 1:
            view.resize(60 + int(pick(rng, 700)), 40 + int(pick(rng, 500)));
            relayoutGrid();
            break;
        case 2:
        case 3: {
            QScrollBar* bar = view.verticalScrollBar();
            bar->setValue(chance(rng, 50) ? int(pick(rng, bar->maximum() + 1))
                                          : bar->value() + int(pick(rng, 61)) - 30);
            break;
        }
        case 4: {
            std::set<CollectionViewIndex> selection;
            for (long n = pick(rng, 6); n > 0; --n)
                selection.insert(randomIndex());
            view.setSelection(selection);
            break;
        }
        case 5: {
            const std::vector<CollectionViewItem*> placed = view.visibleItems();
            if (!placed.empty()) {
                CollectionViewItem* cell = placed[pick(rng, long(placed.size()))];
                static const Qt::KeyboardModifiers mods[]
                    = { Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier };
                const Qt::KeyboardModifiers mod = mods[pick(rng, 3)];
                const QPoint at(1, 1);
                QMouseEvent press(QEvent::MouseButtonPress, QPointF(at),
                    QPointF(cell->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton, mod);
                QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
                    QPointF(cell->mapToGlobal(at)), Qt::LeftButton, Qt::NoButton, mod);
                QCoreApplication::sendEvent(cell, &press);
                QCoreApplication::sendEvent(cell, &release);
            }
            break;
        }
        case 6: {
            static const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down };
            QTest::keyClick(&view, keys[pick(rng, 4)]);
            break;
        }
        case 7:
            view.ensureItemVisible(randomIndex());
            break;
        default:
            view.setSelectionType(CollectionViewSelectionType(pick(rng, 3)));
            if (chance(rng, 30))
                view.updateItems(false);
            break;
        }
        QCoreApplication::processEvents();
        checkInvariants(view, d, grid);
        if (QTest::currentTestFailed()) {
            qWarning("failed after step %d", step);
            return;
        }
    }
}

QTEST_MAIN(tst_RandomCollectionView)
#include "tst_random_collectionview.moc"
