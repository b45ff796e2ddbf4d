// Collection views taller than any widget: where the content widget stops holding the whole
// content, contents of up to 2^32 items reached by every means of scrolling, and scrolling,
// keys and selections across the line where the content no longer fits a widget. Positions are
// checked against 64-bit layout formulas computed here.
#include "CollectionDelegate.h"

#include <corvane/Keyboard.h>

#include <QScopeGuard>

using namespace testutils;
using namespace collectiontest;

namespace {

constexpr qint64 Cap = QWIDGETSIZE_MAX - 1; // the tallest widget
const QSize Viewport(550, 400);

// Five fixed columns of the delegate's default cells.
std::unique_ptr<CollectionView> showFiveColumns(Delegate& d, Counts counts, int header = 20)
{
    d.counts = std::move(counts);
    d.fixedColumns = 5, d.columns = 5, d.header = header;
    auto view = d.showView(Viewport);
    view->setSelectionType(CollectionViewSelectionMultiple);
    return view;
}

QRect onScreen(CollectionView& view, const CollectionViewItem* cell)
{
    return QRect(cell->mapTo(view.viewport(), QPoint()), cell->size());
}

const CollectionViewItem* placed(CollectionView& view, const Index& index)
{
    for (CollectionViewItem* cell : view.visibleItems())
        if (cell->index() == index)
            return cell;
    return nullptr;
}

// Every placed cell sits where the formulas put it, relative to the scroll position, and the
// placed cells are exactly those the band of the viewport shows.
void checkPlaced(Delegate& d, CollectionView& view)
{
    const std::vector<qint64> tops = d.groupTops();
    const qint64 top = view.scrollPosition();
    for (const CollectionViewItem* cell : view.visibleItems()) {
        const Index i = cell->index();
        QCOMPARE(onScreen(view, cell),
            QRect(int(5 + i.item % 5 * 110), int(d.cellY(tops, i) - top), 100, 80));
        QCOMPARE(cell->y() + view.contentOffset(), d.cellY(tops, i));
        QCOMPARE(cell->selected(), view.isSelected(i));
    }
    if (top + Viewport.height() < 1LL << 31) {
        QList<QPoint> got;
        for (const CollectionViewItem* cell : view.visibleItems())
            got << QPoint(int(cell->index().group), int(cell->index().item));
        QCOMPARE(got, d.placed(QRect(0, int(top), Viewport.width(), Viewport.height())));
    }
}

void click(CollectionView& view, const Index& index, Qt::KeyboardModifiers modifiers)
{
    const CollectionViewItem* cell = placed(view, index);
    QVERIFY(cell);
    QTest::mouseClick(const_cast<CollectionViewItem*>(cell), Qt::LeftButton, modifiers);
}

} // namespace

class tst_CollectionScale : public QObject
{
    Q_OBJECT
private Q_SLOTS:

    void scrollMap_data()
    {
        columns<qint64, int, Positions, QList<int>>("maxOffset", "barMaximum", "offsets", "bars");
        // offsets: those of bar values 0, 1, max / 2 and max; bars: the bar values of offsets 1,
        // maxOffset / 3 and maxOffset.
        QTest::newRow("one to one")
            << qint64(1000) << 1000 << Positions { 0, 1, 500, 1000 } << QList<int> { 1, 333, 1000 };
        QTest::newRow("at the limit")
            << qint64(CollectionScrollMap::BarLimit) << CollectionScrollMap::BarLimit
            << Positions { 0, 1, 1065353216, 2130706432 }
            << QList<int> { 1, 710235477, 2130706432 };
        QTest::newRow("twice the limit")
            << 2 * qint64(CollectionScrollMap::BarLimit) + 1 << CollectionScrollMap::BarLimit
            << Positions { 0, 2, 2130706432, 4261412865 }
            << QList<int> { 0, 710235477, 2130706432 };
        QTest::newRow("2^60") << (qint64(1) << 60) << CollectionScrollMap::BarLimit
                              << Positions { 0, 541098242, 576460752303423488, qint64(1) << 60 }
                              << QList<int> { 0, 710235477, 2130706432 };
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
        QTest::newRow("at the cap") << 44 << rows << false << int(Cap - 400);
        QTest::newRow("a pixel past it") << 45 << rows << true << int(Cap + 1 - 400);
        QTest::newRow("far past it") << 20 << Counts { 100000000 } << true << 1800000020 - 400;
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

        // Reloading into the other regime keeps the content position at the top of the viewport.
        view->setScrollPosition(1234567);
        d.counts = windowed ? Counts { 100000 } : Counts { 100000000 };
        view->reload();
        QCOMPARE(in->isWindowed(), !windowed);
        QCOMPARE(view->scrollPosition(), 1234567);
        QCOMPARE(bar->value(), 1234567);
        checkPlaced(d, *view);
        d.counts = counts;
        view->reload();
        QCOMPARE(view->scrollPosition(), 1234567);
        checkPlaced(d, *view);
    }

    void reachLast_data()
    {
        columns<unsigned long, unsigned long, QString, int>(
            "groups", "perGroup", "means", "rowTop");
        // The last row's top on screen: 320 where a scroll brings the row and a cell's height into
        // view (keys, ensureItemVisible), 315 at the content's end (bar, wheel, position).
        const struct
        {
            const char* name;
            unsigned long groups, perGroup;
        } contents[] = { { "10^7 in one group", 1, 10000000 },
            { "10^8 in groups of 1000", 100000, 1000 }, { "2^31-1", 1, 2147483647 },
            { "2^32+7", 1, 4294967303 }, { "a million groups of one", 1000000, 1 },
            { "a thousand groups of a million", 1000, 1000000 } };
        for (const auto& c : contents) {
            for (const auto& [means, top] :
                { std::pair("bar", 315), std::pair("wheel", 315), std::pair("position", 315),
                    std::pair("end key", 320), std::pair("ensureItemVisible", 320) })
                QTest::addRow("%s, %s", c.name, means)
                    << c.groups << c.perGroup << QString::fromLatin1(means) << top;
        }
    }

    void reachLast()
    {
        auto [groups, perGroup, means, rowTop] = fetch<unsigned long, unsigned long, QString, int>(
            "groups", "perGroup", "means", "rowTop");
        Delegate d;
        auto view = showFiveColumns(d, Counts(groups, perGroup));
        const Index last(groups - 1, perGroup - 1);
        const qint64 end = view->contentHeight() - Viewport.height();
        QScrollBar* bar = view->verticalScrollBar();
        corvane::setFullKeyboardAccess(true);
        const auto restore = qScopeGuard([] { corvane::setFullKeyboardAccess(false); });
        if (means == QLatin1String("bar")) {
            bar->setValue(bar->maximum());
        } else if (means == QLatin1String("wheel")) {
            view->setScrollPosition(end - 5000);
            for (int i = 0; i < 5000 && view->scrollPosition() < end; ++i)
                sendWheel(view->viewport(), -120);
        } else if (means == QLatin1String("position")) {
            view->setScrollPosition(end + 1000);
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
        QTest::newRow("just below") << Counts { 186413 * 5, 50, 1000000 } << qint64(16777185);
        QTest::newRow("just above") << Counts { 186414 * 5, 50, 1000000 } << qint64(16777275);
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
        const QWidget* header = d.lastHeader;
        QCOMPARE(QRect(header->mapTo(view->viewport(), QPoint()), header->size()),
            QRect(5, 200, 540, 20));
        QCOMPARE(onScreen(*view, placed(*view, Index(1, 0))).top(), 220);
    }

    void scrollStepsAcrossCap()
    {
        // Thirty-pixel steps of the bar from below to above the line: each step places only the
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

    void keysAcrossCap_data()
    {
        columns<QString, int, int>("key", "startRow", "rows");
        // Row 186414 is the first whose top lies past the line (25 + 90 * 186414 > 16777214).
        QTest::newRow("down") << "kD"_q << 186413 << 1;
        QTest::newRow("up") << "kU"_q << 186414 << -1;
        QTest::newRow("page down") << "kQ"_q << 186412 << 4;
        QTest::newRow("page up") << "kP"_q << 186416 << -4;
    }

    void keysAcrossCap()
    {
        auto [key, startRow, rows] = fetch<QString, int, int>("key", "startRow", "rows");
        Delegate d;
        auto view = showFiveColumns(d, { 1000000 });
        corvane::setFullKeyboardAccess(true);
        const auto restore = qScopeGuard([] { corvane::setFullKeyboardAccess(false); });
        const Index start(0, static_cast<unsigned long>(startRow) * 5 + 2);
        view->ensureItemVisible(start);
        click(*view, start, Qt::NoModifier);
        play(view.get(), key);
        // A page is 400 pixels: four rows of 90 and a bit.
        const Index target(0, start.item + 5 * rows);
        QCOMPARE(
            view->selectionRanges(), decltype(view->selectionRanges())({ { target, target } }));
        QCOMPARE(inner(*view)->anchor(), target);
        const CollectionViewItem* cell = placed(*view, target);
        QVERIFY(cell);
        QVERIFY(QRect(QPoint(), Viewport).contains(onScreen(*view, cell)));
        checkPlaced(d, *view);
    }

    void selectionAcrossCap()
    {
        // A range from a row above the line to one below it is one run, its flags set on every
        // placed cell; the delegate still receives it as a set.
        Delegate d;
        auto view = showFiveColumns(d, { 1000000 });
        view->setScrollPosition(Cap - 200);
        const Index from(0, 186412 * 5 + 1), to(0, 186415 * 5 + 3);
        click(*view, from, Qt::NoModifier);
        click(*view, to, Qt::ShiftModifier);
        QCOMPARE(view->selectionCount(), quint64(to.item - from.item + 1));
        QCOMPARE(view->selectionRanges(), decltype(view->selectionRanges())({ { from, to } }));
        QCOMPARE(view->selection().size(), size_t(to.item - from.item + 1));
        QCOMPARE(*view->selection().rbegin(), to);
        QCOMPARE(d.log, QStringList({ "c"_q, "k"_q, "c"_q, "k"_q }));
        checkPlaced(d, *view);
    }

    void selectAllOfHundredMillion()
    {
        // Ctrl+A selects a hundred million items as one run, with one notice; past the set's limit
        // the selection reads as an empty set and a drag hands over an empty one.
        Delegate d;
        auto view = showFiveColumns(d, Counts(100000, 1000));
        corvane::setFullKeyboardAccess(true);
        const auto restore = qScopeGuard([] { corvane::setFullKeyboardAccess(false); });
        click(*view, Index(0, 3), Qt::NoModifier);
        d.log.clear();
        play(view.get(), "kAC"_q);
        QCOMPARE(d.log, QStringList({ "c"_q }));
        QCOMPARE(view->selectionCount(), quint64(100000000));
        QCOMPARE(view->selectionRanges(),
            decltype(view->selectionRanges())({ { Index(0, 0), Index(99999, 999) } }));
        QVERIFY(view->selection().empty());
        QCOMPARE(inner(*view)->anchor(), Index(0, 3));
        mouseMoveHeld(view->visibleItems()[4], QPoint(2, 2));
        QCOMPARE(d.log, QStringList({ "c"_q, "m0"_q }));
        // Shift+End runs from the anchor to the last item; a small selection reads as a set again.
        play(view.get(), "kZS"_q);
        QCOMPARE(view->selectionCount(), quint64(99999997));
        view->setSelection({ { 0, 1 }, { 0, 2 } });
        QCOMPARE(view->selection(), std::set<Index>({ { 0, 1 }, { 0, 2 } }));
        checkPlaced(d, *view);
    }
};

QTEST_MAIN(tst_CollectionScale)
#include "tst_collectionscale.moc"
