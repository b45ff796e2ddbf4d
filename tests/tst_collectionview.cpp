#include <corvane/CollectionView.h>

#include "collectionview/CollectionView_private.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <memory>
#include <numeric>

using Index = CollectionViewIndex;
using IndexList = std::vector<Index>;
using Counts = std::vector<unsigned long>;
using IndexSet = std::set<Index>;
Q_DECLARE_METATYPE(Index)
Q_DECLARE_METATYPE(IndexList)
Q_DECLARE_METATYPE(Counts)
Q_DECLARE_METATYPE(IndexSet)

namespace {

class Cell : public CollectionViewItem
{
public:
    QList<bool> changes;
    int presses = 0;
    void OnSelectionChanged(bool selected) override { changes.append(selected); }

protected:
    bool event(QEvent* e) override
    {
        presses += e->type() == QEvent::MouseButtonPress;
        return CollectionViewItem::event(e);
    }
};

// Hands out pooled cells first, records every call and its arguments.
class CountingDelegate : public ICollectionViewDelegate
{
public:
    std::vector<unsigned long> counts;
    std::set<Index> nullCells;
    std::function<void(CollectionView&)> onItem;
    bool headers = true;
    bool mime = true;

    int groupCountCalls = 0;
    std::vector<unsigned long> itemCountCalls;
    IndexList requested;
    std::vector<unsigned long> headerRequests;
    std::map<unsigned long, QWidget*> headerFor;
    std::vector<CollectionViewItem*> reused;
    std::vector<std::pair<unsigned long, unsigned long>> laidOut;
    QStringList log;
    std::set<Index> mimeSelection;
    QPointer<QMimeData> lastMime;

    void clearRecords()
    {
        groupCountCalls = 0;
        itemCountCalls.clear();
        requested.clear();
        headerRequests.clear();
        reused.clear();
        laidOut.clear();
        log.clear();
        mimeSelection.clear();
    }

    unsigned long groupCount(CollectionView&) override
    {
        ++groupCountCalls;
        return static_cast<unsigned long>(counts.size());
    }
    unsigned long itemCount(CollectionView&, unsigned long group) override
    {
        itemCountCalls.push_back(group);
        return counts.at(group);
    }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index& index) override
    {
        requested.push_back(index);
        if (onItem)
            onItem(view);
        if (nullCells.count(index))
            return nullptr;
        if (CollectionViewItem* cell = view.dequeueItem()) {
            reused.push_back(cell);
            return cell;
        }
        return new Cell;
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override
    {
        headerRequests.push_back(group);
        if (!headers)
            return nullptr;
        QWidget* header = view.dequeueHeader();
        return headerFor[group] = header ? header : new QWidget;
    }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>& selection) override
    {
        log << QStringLiteral("mime");
        mimeSelection = selection;
        lastMime = mime ? new QMimeData : nullptr;
        return lastMime;
    }
    void selectionActivated(CollectionView&) override { log << QStringLiteral("activated"); }
    void selectionChanged(CollectionView&) override { log << QStringLiteral("changed"); }
    void selectionClicked(CollectionView&) override { log << QStringLiteral("clicked"); }
    void itemsLaidOut(CollectionView&, unsigned long visible, unsigned long pooled) override
    {
        laidOut.emplace_back(visible, pooled);
    }
};

class ObjectDelegate : public QObject, public CountingDelegate
{
};

struct Geometry
{
    QSize item { 100, 80 };
    int hSpacing = 10;
    int vSpacing = 10;
    int header = 20;
    unsigned long fixedColumns = 0;
    bool center = false;
    int margin = 5;
};

// A shown view whose viewport has exactly the given size, reloaded with the delegate's counts.
std::unique_ptr<CollectionView> makeView(
    CountingDelegate& delegate, QSize viewport, const Geometry& g = Geometry())
{
    auto view = std::make_unique<CollectionView>(
        &delegate, g.item, g.hSpacing, g.vSpacing, g.header, g.fixedColumns, g.center, g.margin);
    view->reload();
    view->show();
    for (int i = 0; i < 3; ++i) {
        view->resize(view->size() + viewport - view->viewport()->size());
        QCoreApplication::processEvents();
    }
    delegate.clearRecords();
    return view;
}

NewInnerWidget* inner(CollectionView& view)
{
    return dynamic_cast<NewInnerWidget*>(view.widget());
}

IndexList indices(const std::vector<CollectionViewItem*>& cells)
{
    IndexList result;
    for (CollectionViewItem* cell : cells)
        result.push_back(cell->index());
    return result;
}

IndexList range(unsigned long group, unsigned long first, unsigned long last)
{
    IndexList result;
    for (unsigned long i = first; i <= last; ++i)
        result.emplace_back(group, i);
    return result;
}

CollectionViewItem* cellAt(CollectionView& view, const Index& index)
{
    for (CollectionViewItem* cell : view.visibleItems()) {
        if (cell->index() == index)
            return cell;
    }
    return nullptr;
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButtons buttons,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPoint pos(2, 2);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

} // namespace

class tst_CollectionView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void indexOrdering_data();
    void indexOrdering();
    void itemSelectedFlag();
    void layoutArithmetic_data();
    void layoutArithmetic();
    void onlyVisibleIndicesRequested();
    void hugeCountsPlaceOnlyVisible();
    void scrollWithinRowPlacesNothing();
    void columnChangeReRequestsEveryCell();
    void emptyGroupsAndNullWidgetsAreSkipped();
    void contentBeyondLargestWidget();
    void hostMisbehaviour();
    void mouseSelection_data();
    void mouseSelection();
    void dragCarriesWholeSelection();
    void arrowKeys_data();
    void arrowKeys();
    void firstKeyWithoutAnchor_data();
    void firstKeyWithoutAnchor();
    void keysScrollAndOtherKeys();
    void selectionSurvivesScrollingAndReload();
};

void tst_CollectionView::indexOrdering_data()
{
    QTest::addColumn<Index>("a");
    QTest::addColumn<Index>("b");
    QTest::addColumn<bool>("less");

    QTest::newRow("group first") << Index(0, 9) << Index(1, 0) << true;
    QTest::newRow("then item") << Index(2, 3) << Index(2, 4) << true;
    QTest::newRow("equal") << Index(2, 3) << Index(2, 3) << false;
    QTest::newRow("later group") << Index(3, 0) << Index(2, 7) << false;
    QTest::newRow("none before all") << Index() << Index(0, 0) << true;
    QTest::newRow("none item first") << Index(1, Index::None) << Index(1, 0) << true;
}

void tst_CollectionView::indexOrdering()
{
    QFETCH(Index, a);
    QFETCH(Index, b);
    QFETCH(bool, less);
    QCOMPARE(a < b, less);
    QCOMPARE(a == b, !less && !(b < a));
}

void tst_CollectionView::itemSelectedFlag()
{
    Cell cell;
    QCOMPARE(cell.index(), Index());
    cell.setSelected(true);
    cell.setSelected(true);
    QVERIFY(cell.property("selected").toBool());
    cell.setSelected(false);
    QCOMPARE(cell.changes, QList<bool>({ true, false }));
}

void tst_CollectionView::layoutArithmetic_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<unsigned long>("fixedColumns");
    QTest::addColumn<bool>("center");
    QTest::addColumn<int>("width");
    QTest::addColumn<unsigned long>("columns");
    QTest::addColumn<QSize>("content");
    QTest::addColumn<Index>("probe");
    QTest::addColumn<QRect>("cell");
    QTest::addColumn<QRect>("header");

    // Cells 100 x 80, spacing 10, headers 20, margin 5.
    QTest::newRow("width 430 fits 4")
        << Counts { 8 } << 0ul << false << 430 << 4ul << QSize(440, 200) << Index(0, 5)
        << QRect(115, 115, 100, 80) << QRect(5, 5, 430, 20);
    QTest::newRow("group of 0 items")
        << Counts { 3, 0, 2 } << 0ul << false << 430 << 4ul << QSize(440, 220) << Index(2, 1)
        << QRect(115, 135, 100, 80) << QRect(5, 115, 430, 20);
    QTest::newRow("exact multiple")
        << Counts { 8, 1 } << 0ul << false << 430 << 4ul << QSize(440, 300) << Index(1, 0)
        << QRect(5, 215, 100, 80) << QRect(5, 195, 430, 20);
    QTest::newRow("narrower than a cell")
        << Counts { 3 } << 0ul << false << 60 << 1ul << QSize(110, 290) << Index(0, 2)
        << QRect(5, 205, 100, 80) << QRect(5, 5, 100, 20);
    QTest::newRow("fixed centred")
        << Counts { 5 } << 3ul << true << 600 << 3ul << QSize(330, 200) << Index(0, 4)
        << QRect(250, 115, 100, 80) << QRect(5, 5, 590, 20);
    QTest::newRow("fixed at margin")
        << Counts { 5 } << 2ul << false << 600 << 2ul << QSize(220, 290) << Index(0, 3)
        << QRect(115, 115, 100, 80) << QRect(5, 5, 590, 20);
    QTest::newRow("no groups") << Counts {} << 0ul << false << 430 << 4ul << QSize(440, 10)
                               << Index() << QRect() << QRect();
}

void tst_CollectionView::layoutArithmetic()
{
    QFETCH(Counts, counts);
    QFETCH(unsigned long, fixedColumns);
    QFETCH(bool, center);
    QFETCH(int, width);

    CountingDelegate delegate;
    delegate.counts = counts;
    Geometry g;
    g.fixedColumns = fixedColumns;
    g.center = center;
    auto view = makeView(delegate, QSize(width, 400), g);
    view->reload();

    QCOMPARE(delegate.groupCountCalls, 1);
    std::vector<unsigned long> ascending(counts.size());
    std::iota(ascending.begin(), ascending.end(), 0ul);
    QCOMPARE(delegate.itemCountCalls, ascending);
    QTEST(inner(*view)->columns(), "columns");
    QTEST(inner(*view)->sizeHint(), "content");
    QCOMPARE(inner(*view)->minimumSize(), inner(*view)->sizeHint());

    QFETCH(Index, probe);
    if (probe == Index()) {
        QVERIFY(view->visibleItems().empty());
        return;
    }
    QVERIFY(cellAt(*view, probe));
    QTEST(cellAt(*view, probe)->geometry(), "cell");
    QVERIFY(cellAt(*view, probe)->isVisible());
    QFETCH(QRect, cell);
    QCOMPARE(inner(*view)->ComputeGroupTop(probe.group),
        cell.y() - int(probe.item / inner(*view)->columns()) * 90);
    QTEST(delegate.headerFor.at(probe.group)->geometry(), "header");
}

void tst_CollectionView::onlyVisibleIndicesRequested()
{
    // 4 columns of rows 90 apart starting at y 25; the viewport is 300 tall.
    CountingDelegate delegate;
    delegate.counts = { 100 };
    auto view = makeView(delegate, QSize(430, 300));
    view->reload();
    QCOMPARE(delegate.requested, range(0, 0, 15));
    QCOMPARE(delegate.headerRequests, std::vector<unsigned long>({ 0 }));
    QCOMPARE(delegate.laidOut.back(), std::make_pair(16ul, 0ul));
    const std::vector<CollectionViewItem*> before = view->visibleItems();

    // Rows 5 (y 475..555) to 8 (y 745..825) meet 500..799.
    delegate.clearRecords();
    view->verticalScrollBar()->setValue(500);
    QCOMPARE(delegate.requested, range(0, 20, 35));
    QCOMPARE(delegate.headerRequests, std::vector<unsigned long>());
    QCOMPARE(indices(view->visibleItems()), range(0, 20, 35));
    QCOMPARE(
        delegate.laidOut, (std::vector<std::pair<unsigned long, unsigned long>> { { 16, 0 } }));
    // Recycled last in, first out.
    QCOMPARE(delegate.reused.front(), before.back());
    QCOMPARE(delegate.reused.back(), before.front());

    // A top edge exactly one pitch into the group still counts its first row as visible.
    view->verticalScrollBar()->setValue(5 + 20 + 90);
    QCOMPARE(view->visibleItems().front()->index(), Index(0, 0));
    view->verticalScrollBar()->setValue(5 + 20 + 91);
    QCOMPARE(view->visibleItems().front()->index(), Index(0, 4));
}

void tst_CollectionView::hugeCountsPlaceOnlyVisible()
{
    // Nothing is requested while nothing is visible.
    CountingDelegate delegate;
    delegate.counts = { 1000000 };
    CollectionView hidden(&delegate, QSize(100, 80), 10, 10, 20, 0, false, 5);
    hidden.reload();
    QVERIFY(delegate.requested.empty());
    QCOMPARE(delegate.laidOut.back(), std::make_pair(0ul, 0ul));

    for (const Counts& counts : { Counts { 1000000 }, Counts(10000, 100) }) {
        delegate.counts = counts;
        auto view = makeView(delegate, QSize(430, 300));
        view->reload();
        QCOMPARE(delegate.requested, range(0, 0, 15));
        QScrollBar* bar = view->verticalScrollBar();
        for (int value : { bar->maximum() / 3, bar->maximum() / 3 + 1000, bar->maximum() }) {
            delegate.clearRecords();
            bar->setValue(value);
            QVERIFY(delegate.requested.size() <= 20);
            QVERIFY(view->visibleItems().size() <= 20);
            QVERIFY(delegate.laidOut.back().second <= 20);
        }
    }
}

void tst_CollectionView::scrollWithinRowPlacesNothing()
{
    CountingDelegate delegate;
    delegate.counts = { 100 };
    auto view = makeView(delegate, QSize(430, 300));
    view->verticalScrollBar()->setValue(20);
    const auto placed = view->visibleItems();
    delegate.clearRecords();
    view->verticalScrollBar()->setValue(23);
    QVERIFY(delegate.requested.empty());
    QCOMPARE(view->visibleItems(), placed);
    QCOMPARE(delegate.laidOut.size(), size_t(1));
    QCOMPARE(delegate.laidOut.back(), std::make_pair(16ul, 0ul));
}

void tst_CollectionView::columnChangeReRequestsEveryCell()
{
    CountingDelegate delegate;
    delegate.counts = { 100 };
    auto view = makeView(delegate, QSize(430, 300));
    const std::vector<CollectionViewItem*> before = view->visibleItems();
    QCOMPARE(before.size(), size_t(16));

    view->resize(view->size() - QSize(110, 0));
    QCoreApplication::processEvents();
    QCOMPARE(inner(*view)->columns(), 3ul);
    QCOMPARE(indices(view->visibleItems()), range(0, 0, 11));
    QCOMPARE(delegate.requested.front(), Index(0, 0));
    QCOMPARE(delegate.reused.front(), before.back());
    QCOMPARE(delegate.laidOut.back(), std::make_pair(12ul, 4ul));
    QCOMPARE(cellAt(*view, Index(0, 4))->pos(), QPoint(115, 115));

    // What the delegate did not take back waits in the pool, newest first.
    for (int i = 3; i >= 0; --i)
        QCOMPARE(view->dequeueItem(), before[size_t(i)]);
    QCOMPARE(view->dequeueItem(), nullptr);
    QVERIFY(!before.front()->isVisible());
}

void tst_CollectionView::emptyGroupsAndNullWidgetsAreSkipped()
{
    CountingDelegate delegate;
    delegate.counts = { 2, 0, 0, 3 };
    delegate.nullCells = { Index(3, 1) };
    delegate.headers = false;
    auto view = makeView(delegate, QSize(430, 400));
    view->reload();
    QCOMPARE(delegate.headerRequests, std::vector<unsigned long>({ 0, 1, 2, 3 }));
    QCOMPARE(delegate.requested, IndexList({ { 0, 0 }, { 0, 1 }, { 3, 0 }, { 3, 1 }, { 3, 2 } }));
    QCOMPARE(indices(view->visibleItems()), IndexList({ { 0, 0 }, { 0, 1 }, { 3, 0 }, { 3, 2 } }));
    QCOMPARE(delegate.laidOut.back(), std::make_pair(4ul, 0ul));

    // Groups still without a header, and indices still without a cell, are asked again by the
    // next pass.
    delegate.clearRecords();
    view->updateItems(true);
    QCOMPARE(delegate.headerRequests, std::vector<unsigned long>({ 0, 1, 2, 3 }));
    QCOMPARE(delegate.requested, IndexList({ { 3, 1 } }));
}

void tst_CollectionView::contentBeyondLargestWidget()
{
    CountingDelegate delegate;
    delegate.counts = { 3, ULONG_MAX, 5 };
    auto view = makeView(delegate, QSize(430, 300));
    view->reload();
    NewInnerWidget* w = inner(*view);
    QCOMPARE(w->minimumHeight(), QWIDGETSIZE_MAX - 1);
    QCOMPARE(w->sizeHint().height(), QWIDGETSIZE_MAX - 1);
    QCOMPARE(w->ComputeGroupTop(1), 5 + 20 + 80 + 20);
    QCOMPARE(w->ComputeGroupTop(2), QWIDGETSIZE_MAX);

    // The last reachable rows are laid out exactly; the third group lies beyond reach.
    view->ensureItemVisible(Index(2, 4));
    QScrollBar* bar = view->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    const std::vector<CollectionViewItem*> cells = view->visibleItems();
    QVERIFY(!cells.empty() && cells.size() <= 20);
    for (CollectionViewItem* cell : cells) {
        QCOMPARE(cell->index().group, 1ul);
        QCOMPARE(cell->y(), w->ComputeGroupTop(1) + int(cell->index().item / 4) * 90);
    }
    view->verticalScrollBar()->setValue(bar->maximum() / 2);
    QVERIFY(!view->visibleItems().empty() && view->visibleItems().size() <= 20);
}

void tst_CollectionView::hostMisbehaviour()
{
    auto* delegate = new ObjectDelegate;
    delegate->counts = { 40 };
    auto view = makeView(*delegate, QSize(430, 300));

    // A reload from inside a layout pass runs after it, not within it.
    delegate->onItem = [delegate](CollectionView& v) {
        delegate->onItem = nullptr;
        v.reload();
    };
    view->updateItems(false);
    QCOMPARE(delegate->groupCountCalls, 1);
    QCOMPARE(indices(view->visibleItems()), range(0, 0, 15));
    QCOMPARE(delegate->laidOut.size(), size_t(1));

    // Cells, headers and the delegate destroyed by the host are forgotten.
    delete view->visibleItems()[3];
    QCOMPARE(view->visibleItems().size(), size_t(15));
    view->verticalScrollBar()->setValue(400);
    delete view->dequeueItem();
    delete delegate->headerFor.at(0);
    view->reload();
    QCOMPARE(view->visibleItems().size(), size_t(16));

    // Without its delegate the view shows nothing and calls nobody.
    delete delegate;
    view->reload();
    view->resize(200, 200);
    QCoreApplication::processEvents();
    QVERIFY(view->visibleItems().empty());
}

void tst_CollectionView::mouseSelection_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<IndexList>("selection");
    QTest::addColumn<Index>("anchor");
    QTest::addColumn<QStringList>("log");

    // Steps: p(ress), r(elease), d(ouble click), m(ove with the left button) on "g,i", on
    // "bg" (background) or "h0" (header of group 0); a trailing S or C holds Shift or Control.
    const int none = CollectionViewSelectionNone;
    const int single = CollectionViewSelectionSingle;
    const int multi = CollectionViewSelectionMultiple;
    const QString c = QStringLiteral("changed");
    const QString k = QStringLiteral("clicked");
    const QString a = QStringLiteral("activated");
    const auto steps
        = [](const char* text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };

    QTest::newRow("click selects, release on it clicks")
        << multi << steps("p0,3 r0,3") << IndexList { { 0, 3 } } << Index(0, 3)
        << QStringList { c, k };
    QTest::newRow("shift range") << multi << steps("p0,3 r0,3 p0,5S r0,5S") << range(0, 3, 5)
                                 << Index(0, 3) << QStringList { c, k, c, k };
    QTest::newRow("shift range from smallest")
        << multi << steps("p0,3 p0,5S p0,2S") << range(0, 2, 3) << Index(0, 2)
        << QStringList { c, c, c };
    QTest::newRow("shift range grows from smallest")
        << multi << steps("p0,1 p0,3S p0,5S") << range(0, 1, 5) << Index(0, 1)
        << QStringList { c, c, c };
    QTest::newRow("shift range to last item")
        << multi << steps("p0,3 p1,5S")
        << IndexList { { 0, 3 }, { 0, 4 }, { 0, 5 }, { 0, 6 }, { 1, 0 }, { 1, 1 }, { 1, 2 },
               { 1, 3 }, { 1, 4 }, { 1, 5 } }
        << Index(0, 3) << QStringList { c, c };
    QTest::newRow("shift on empty selection")
        << multi << steps("p0,4S") << IndexList { { 0, 4 } } << Index(0, 4) << QStringList { c };
    QTest::newRow("release on selected reduces")
        << multi << steps("p0,1 p0,3S p0,2 r0,2") << IndexList { { 0, 2 } } << Index(0, 2)
        << QStringList { c, c, k, c };
    QTest::newRow("move cancels reduction")
        << multi << steps("p0,1 p0,3S p0,2 m0,2 r0,2") << range(0, 1, 3) << Index(0, 1)
        << QStringList { c, c, QStringLiteral("mime"), k };
    QTest::newRow("control toggles, anchor moves")
        << multi << steps("p0,1 p0,3C r0,3C p0,3C") << IndexList { { 0, 1 } } << Index(0, 1)
        << QStringList { c, c, c };
    QTest::newRow("control unselects other")
        << multi << steps("p0,1 p0,3C p0,1C") << IndexList { { 0, 3 } } << Index(0, 3)
        << QStringList { c, c, c };
    QTest::newRow("single: another replaces")
        << single << steps("p0,1 r0,1 p0,2 r0,2") << IndexList { { 0, 2 } } << Index(0, 2)
        << QStringList { c, k, c, k };
    QTest::newRow("single: again keeps")
        << single << steps("p0,1 r0,1 p0,1 r0,1") << IndexList { { 0, 1 } } << Index(0, 1)
        << QStringList { c, k, k };
    QTest::newRow("single: shift does not extend")
        << single << steps("p0,1 p0,3S") << IndexList { { 0, 3 } } << Index(0, 3)
        << QStringList { c, c };
    QTest::newRow("single: control press pends")
        << single << steps("p0,1 p0,1C r0,1") << IndexList { { 0, 1 } } << Index(0, 1)
        << QStringList { c, k, c };
    QTest::newRow("none: press swallowed")
        << none << steps("p0,1 r0,1") << IndexList {} << Index() << QStringList {};
    QTest::newRow("none: double click")
        << none << steps("p0,2 r0,2 d0,2 r0,2") << IndexList { { 0, 2 } } << Index(0, 2)
        << QStringList { c, a, k };
    QTest::newRow("double click with shift ignored")
        << multi << steps("d0,2S d0,2C") << IndexList {} << Index() << QStringList {};
    for (int type : { none, single, multi }) {
        const QByteArray name = "background clears " + QByteArray::number(type);
        QTest::newRow(name.constData())
            << type << steps("d0,1 bg") << IndexList {} << Index(0, 1) << QStringList { c, a, c };
    }
    QTest::newRow("header clears") << multi << steps("p0,1 p0,2S h0") << IndexList {} << Index(0, 1)
                                   << QStringList { c, c, c };
}

void tst_CollectionView::mouseSelection()
{
    QFETCH(int, type);
    QFETCH(QStringList, steps);

    CountingDelegate delegate;
    delegate.counts = { 7, 6 };
    delegate.mime = false;
    auto view = makeView(delegate, QSize(430, 400));
    view->setSelectionType(CollectionViewSelectionType(type));
    for (QString step : steps) {
        Qt::KeyboardModifiers modifiers;
        if (step.endsWith(QLatin1Char('S')))
            modifiers = Qt::ShiftModifier;
        if (step.endsWith(QLatin1Char('C')))
            modifiers = Qt::ControlModifier;
        if (modifiers)
            step.chop(1);
        QWidget* target = inner(*view);
        QEvent::Type event = QEvent::MouseButtonPress;
        if (step == QLatin1String("h0")) {
            target = delegate.headerFor.at(0);
        } else if (step != QLatin1String("bg")) {
            const QStringList gi = step.mid(1).split(QLatin1Char(','));
            target = cellAt(*view, Index(gi[0].toULong(), gi[1].toULong()));
            QVERIFY(target);
            const QMap<QChar, QEvent::Type> types { { QLatin1Char('p'), QEvent::MouseButtonPress },
                { QLatin1Char('r'), QEvent::MouseButtonRelease },
                { QLatin1Char('d'), QEvent::MouseButtonDblClick },
                { QLatin1Char('m'), QEvent::MouseMove } };
            event = types.value(step[0]);
        }
        const bool held = event != QEvent::MouseButtonRelease;
        sendMouse(target, event, held ? Qt::LeftButton : Qt::NoButton, modifiers);
    }

    QFETCH(IndexList, selection);
    QCOMPARE(IndexList(view->selection().begin(), view->selection().end()), selection);
    QTEST(inner(*view)->anchor(), "anchor");
    QTEST(delegate.log, "log");
    for (CollectionViewItem* cell : view->visibleItems()) {
        QCOMPARE(cell->selected(), view->selection().count(cell->index()) == 1);
        QCOMPARE(static_cast<Cell*>(cell)->presses, 0);
    }
}

void tst_CollectionView::dragCarriesWholeSelection()
{
    CountingDelegate delegate;
    delegate.counts = { 8 };
    auto view = makeView(delegate, QSize(430, 400));
    view->setSelectionType(CollectionViewSelectionMultiple);
    view->setSelection({ { 0, 1 }, { 0, 2 }, { 0, 6 } });
    CollectionViewItem* cell = cellAt(*view, Index(0, 2));

    // Moves without the left button, or with nothing selected, start nothing.
    sendMouse(cell, QEvent::MouseMove, Qt::RightButton);
    QVERIFY(delegate.mimeSelection.empty());

    // The offscreen platform ends a drag at once, so exec() returns and the drag object waits
    // for deferred deletion: it can be inspected here.
    sendMouse(cell, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(cell, QEvent::MouseMove, Qt::LeftButton);
    QCOMPARE(delegate.mimeSelection, view->selection());
    QVERIFY(delegate.lastMime);
    auto* drag = inner(*view)->findChild<QDrag*>();
    QVERIFY(drag);
    QCOMPARE(drag->mimeData(), delegate.lastMime.data());
    QCOMPARE(drag->supportedActions(), Qt::CopyAction);
    sendMouse(cell, QEvent::MouseButtonRelease, Qt::NoButton);
    QCOMPARE(view->selection().size(), size_t(3));
    QCOMPARE(delegate.log,
        QStringList(
            { QStringLiteral("changed"), QStringLiteral("mime"), QStringLiteral("clicked") }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!delegate.lastMime);

    // No data, no drag.
    delegate.mime = false;
    sendMouse(cell, QEvent::MouseMove, Qt::LeftButton);
    QVERIFY(!inner(*view)->findChild<QDrag*>());
    view->setSelection({});
    delegate.log.clear();
    sendMouse(cell, QEvent::MouseMove, Qt::LeftButton);
    QVERIFY(delegate.log.isEmpty());
}

void tst_CollectionView::arrowKeys_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<Index>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<Index>("to");

    const Counts plain { 5, 6 };
    const Counts gap { 5, 0, 6 };
    QTest::newRow("down into next group")
        << plain << Index(0, 4) << int(Qt::Key_Down) << Index(1, 1);
    QTest::newRow("up into short row") << plain << Index(1, 2) << int(Qt::Key_Up) << Index(0, 2);
    QTest::newRow("right across groups")
        << plain << Index(0, 4) << int(Qt::Key_Right) << Index(1, 0);
    QTest::newRow("left across groups") << plain << Index(1, 0) << int(Qt::Key_Left) << Index(0, 4);
    QTest::newRow("down past short row")
        << plain << Index(0, 2) << int(Qt::Key_Down) << Index(1, 2);
    QTest::newRow("down within group") << plain << Index(1, 1) << int(Qt::Key_Down) << Index(1, 4);
    QTest::newRow("left at start") << plain << Index(0, 0) << int(Qt::Key_Left) << Index(0, 0);
    QTest::newRow("up from first row") << plain << Index(0, 1) << int(Qt::Key_Up) << Index(0, 1);
    QTest::newRow("right at end") << plain << Index(1, 5) << int(Qt::Key_Right) << Index(1, 5);
    QTest::newRow("down from last row") << plain << Index(1, 4) << int(Qt::Key_Down) << Index(1, 4);
    QTest::newRow("gap: right") << gap << Index(0, 4) << int(Qt::Key_Right) << Index(2, 0);
    QTest::newRow("gap: left") << gap << Index(2, 0) << int(Qt::Key_Left) << Index(0, 4);
    QTest::newRow("gap: down") << gap << Index(0, 4) << int(Qt::Key_Down) << Index(2, 1);
    QTest::newRow("gap: up") << gap << Index(2, 2) << int(Qt::Key_Up) << Index(0, 2);
}

void tst_CollectionView::arrowKeys()
{
    QFETCH(Counts, counts);
    QFETCH(Index, from);
    QFETCH(int, key);
    QFETCH(Index, to);

    CountingDelegate delegate;
    delegate.counts = counts;
    Geometry g;
    g.fixedColumns = 3;
    auto view = makeView(delegate, QSize(430, 400), g);
    view->setSelectionType(CollectionViewSelectionSingle);
    view->setSelection({ from });
    delegate.log.clear();

    QTest::keyClick(view.get(), Qt::Key(key), Qt::ShiftModifier);
    QCOMPARE(view->selection(), std::set<Index>({ to }));
    QCOMPARE(inner(*view)->anchor(), to);
    QCOMPARE(delegate.log, to == from ? QStringList() : QStringList { QStringLiteral("changed") });
    QCOMPARE(cellAt(*view, to)->selected(), true);
}

void tst_CollectionView::firstKeyWithoutAnchor_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<IndexSet>("preset");
    QTest::addColumn<int>("key");
    QTest::addColumn<IndexList>("selection");

    const IndexSet nothing;
    QTest::newRow("left") << Counts { 0, 0, 4 } << nothing << int(Qt::Key_Left)
                          << IndexList { { 2, 0 } };
    QTest::newRow("any key") << Counts { 3 } << nothing << int(Qt::Key_A) << IndexList { { 0, 0 } };
    QTest::newRow("anchor out of range")
        << Counts { 3 } << IndexSet { { 0, 7 } } << int(Qt::Key_Return) << IndexList { { 0, 0 } };
    QTest::newRow("all empty") << Counts { 0, 0 } << nothing << int(Qt::Key_Down) << IndexList {};
}

void tst_CollectionView::firstKeyWithoutAnchor()
{
    QFETCH(Counts, counts);
    QFETCH(IndexSet, preset);
    QFETCH(int, key);
    QFETCH(IndexList, selection);

    CountingDelegate delegate;
    delegate.counts = counts;
    auto view = makeView(delegate, QSize(430, 400));
    view->setSelectionType(CollectionViewSelectionMultiple);
    if (!preset.empty())
        view->setSelection(preset);
    delegate.log.clear();

    QTest::keyClick(view.get(), Qt::Key(key));
    QCOMPARE(IndexList(view->selection().begin(), view->selection().end()),
        selection.empty() ? IndexList(preset.begin(), preset.end()) : selection);
    QCOMPARE(delegate.log.size(), selection.empty() ? 0 : 1);
}

void tst_CollectionView::keysScrollAndOtherKeys()
{
    CountingDelegate delegate;
    delegate.counts = { 100 };
    auto view = makeView(delegate, QSize(430, 300));
    QScrollBar* bar = view->verticalScrollBar();

    // Without selection keys pass on to the parent.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &down);
    QVERIFY(!down.isAccepted());
    QVERIFY(view->selection().empty());

    view->setSelectionType(CollectionViewSelectionSingle);
    view->setSelection({ { 0, 0 } });
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(view.get(), Qt::Key_Down);
    QCOMPARE(inner(*view)->anchor(), Index(0, 40));
    // Row 10 starts at 925: brought into view with one cell height to spare below.
    QCOMPARE(bar->value(), 925 + 80 - 300);
    view->ensureItemVisible(Index(0, 0));
    QCOMPARE(bar->value(), 0);
    bar->setValue(300);
    for (const Index& index : { Index(0, 100), Index(1, 0), Index(0, Index::None), Index() }) {
        view->ensureItemVisible(index);
        QCOMPARE(bar->value(), 300);
    }

    delegate.log.clear();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &escape);
    QVERIFY(escape.isAccepted());
    QTest::keyClick(view.get(), Qt::Key_Enter);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QCOMPARE(
        delegate.log, QStringList({ QStringLiteral("activated"), QStringLiteral("activated") }));
    QCOMPARE(inner(*view)->anchor(), Index(0, 40));

    // An unknown type is taken as none; changing the type keeps the selection.
    view->setSelectionType(CollectionViewSelectionType(7));
    QCOMPARE(view->selectionType(), CollectionViewSelectionNone);
    QCOMPARE(view->selection(), IndexSet({ { 0, 40 } }));
}

void tst_CollectionView::selectionSurvivesScrollingAndReload()
{
    CountingDelegate delegate;
    delegate.counts = { 100 };
    auto view = makeView(delegate, QSize(430, 300));
    view->setSelectionType(CollectionViewSelectionMultiple);
    view->setSelection({ { 0, 2 }, { 0, 41 } });
    QCOMPARE(inner(*view)->anchor(), Index(0, 2));
    auto* cell = static_cast<Cell*>(cellAt(*view, Index(0, 2)));
    QCOMPARE(cell->changes, QList<bool>({ true }));
    view->setSelection(view->selection());
    QCOMPARE(cell->changes, QList<bool>({ true }));

    view->ensureItemVisible(Index(0, 41));
    QVERIFY(cellAt(*view, Index(0, 41))->selected());
    for (CollectionViewItem* placed : view->visibleItems())
        QCOMPARE(placed->selected(), placed->index() == Index(0, 41));
    QCOMPARE(delegate.log, QStringList({ QStringLiteral("changed"), QStringLiteral("changed") }));

    view->reload();
    QVERIFY(view->selection().empty());
    QCOMPARE(inner(*view)->anchor(), Index());
    QCOMPARE(delegate.log.size(), 2);
    for (CollectionViewItem* placed : view->visibleItems())
        QVERIFY(!placed->selected());
}

QTEST_MAIN(tst_CollectionView)
#include "tst_collectionview.moc"
