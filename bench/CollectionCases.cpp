// Collection view reload, first paint, scrolling and scrolling to an item, against QListView in
// icon mode with uniform item sizes over a model of the same count, as far as it holds it (its
// icon mode keeps an entry per item). Cells are 100 x 80 in an 800 x 600 view.
#include "Harness.h"

#include <corvane/CollectionView.h>

#include <QAbstractListModel>
#include <QAccessible>
#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr unsigned long ItemsPerGroup = 1000;
const QSize CellSize(100, 80);

class SwatchCell : public CollectionViewItem
{
public:
    explicit SwatchCell(QWidget* parent)
        : CollectionViewItem(parent)
    { }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const CollectionViewIndex i = index();
        p.fillRect(
            rect().adjusted(2, 2, -2, -20), QColor::fromHsv(int(i.item * 37 % 360), 160, 220));
        p.drawText(rect().adjusted(0, 62, 0, 0), Qt::AlignCenter, QString::number(i.item));
    }
};

class Delegate : public ICollectionViewDelegate
{
public:
    explicit Delegate(unsigned long items, unsigned long perGroup = ItemsPerGroup)
        : m_items(items)
        , m_perGroup(perGroup)
    { }
    unsigned long groupCount(CollectionView&) override
    {
        return (m_items + m_perGroup - 1) / m_perGroup;
    }
    unsigned long itemCount(CollectionView&, unsigned long group) override
    {
        return std::min(m_perGroup, m_items - group * m_perGroup);
    }
    CollectionViewItem* itemForIndex(CollectionView& view, CollectionViewIndex const&) override
    {
        CollectionViewItem* cell = view.dequeueItem();
        return cell ? cell : new SwatchCell(nullptr);
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long) override
    {
        QWidget* header = view.dequeueHeader();
        return header ? header : new QWidget;
    }
    QMimeData* mimeDataForSelection(CollectionView&, std::set<CollectionViewIndex> const&) override
    {
        return nullptr;
    }
    void selectionActivated(CollectionView&) override { }
    void selectionChanged(CollectionView&) override { }
    void selectionClicked(CollectionView&) override { }
    void itemsLaidOut(CollectionView&, unsigned long, unsigned long) override { }

private:
    unsigned long m_items;
    unsigned long m_perGroup;
};

class CountModel : public QAbstractListModel
{
public:
    explicit CountModel(int rows)
        : m_rows(rows)
    { }
    int rowCount(QModelIndex const& parent) const override { return parent.isValid() ? 0 : m_rows; }
    QVariant data(QModelIndex const& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return QString::number(index.row() % ItemsPerGroup);
        if (role == Qt::DecorationRole)
            return QColor::fromHsv(index.row() % ItemsPerGroup * 37 % 360, 160, 220);
        return QVariant();
    }

private:
    int m_rows;
};

CollectionView* makeView(Delegate& delegate)
{
    auto* view = new CollectionView(&delegate, CellSize, 10, 10, 24, 0, false, 5, nullptr);
    view->resize(800, 600);
    bench::showAndPaint(view);
    return view;
}

QListView* makeListView()
{
    auto* view = new QListView;
    view->setViewMode(QListView::IconMode);
    view->setMovement(QListView::Static);
    view->setResizeMode(QListView::Adjust);
    view->setUniformItemSizes(true);
    view->setGridSize(CellSize + QSize(10, 10));
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->resize(800, 600);
    bench::showAndPaint(view);
    return view;
}

// Apart so that callgrind can count it alone (--toggle-collect=*reloadAndPaint*). The viewport
// is what shows the items: a repaint of the scroll area leaves its opaque viewport out.
Q_NEVER_INLINE void reloadAndPaint(CollectionView* view)
{
    view->reload();
    view->viewport()->repaint();
}

std::vector<double> reloadInGroups(int items, int reps, unsigned long perGroup)
{
    std::vector<double> samples;
    for (int r = 0; r < reps; ++r) {
        Delegate delegate(items, perGroup);
        std::unique_ptr<CollectionView> view(makeView(delegate));
        const qint64 start = bench::nowNs();
        reloadAndPaint(view.get());
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> reloadLibrary(int items, int reps)
{
    return reloadInGroups(items, reps, ItemsPerGroup);
}

std::vector<double> reloadInLargeGroups(int items, int reps)
{
    return reloadInGroups(items, reps, 100000);
}

std::vector<double> reloadStock(int items, int reps)
{
    std::vector<double> samples;
    for (int r = 0; r < reps; ++r) {
        CountModel model(items);
        std::unique_ptr<QListView> view(makeListView());
        const qint64 start = bench::nowNs();
        view->setModel(&model);
        // QListView lays its items out from a timer; run that layout now so the paint shows them.
        view->doItemsLayout();
        view->viewport()->repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

// One 30-pixel step, apart so that callgrind can count it alone (--toggle-collect=*stepDown*).
Q_NEVER_INLINE void stepDown(QAbstractScrollArea* area)
{
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() + 30);
    area->viewport()->repaint();
}

// Scrolls down step by step from the middle of the content, one sample per step, after a few
// steps that fill what the first paints fill (fonts, pools).
std::vector<double> scrollSteps(QAbstractScrollArea* area, int steps)
{
    std::vector<double> samples;
    QScrollBar* bar = area->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    area->repaint();
    for (int s = 0; s < 10; ++s)
        stepDown(area);
    for (int s = 0; s < steps; ++s) {
        const qint64 start = bench::nowNs();
        stepDown(area);
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> scrollLibrary(int items, int reps)
{
    Delegate delegate(items);
    std::unique_ptr<CollectionView> view(makeView(delegate));
    view->reload();
    view->repaint();
    return scrollSteps(view.get(), reps);
}

// A step and what a screen reader then reads: the list's size and the name of the item at the
// viewport's centre (--toggle-collect=*stepAndRead*).
Q_NEVER_INLINE void stepAndRead(CollectionView* view, QAccessibleInterface* list, QPoint centre)
{
    stepDown(view);
    if (QAccessibleInterface* item = list->childAt(centre.x(), centre.y()))
        item->text(QAccessible::Name);
    list->childCount();
}

// The scroll steps with accessibility switched on: an update handler installed and activation
// requested, and the tree read after each step.
std::vector<double> scrollAccessible(int items, int reps)
{
    QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
    QAccessible::setActive(true);
    Delegate delegate(items);
    std::unique_ptr<CollectionView> view(makeView(delegate));
    view->reload();
    view->repaint();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view.get());
    const QPoint centre = view->viewport()->mapToGlobal(view->viewport()->rect().center());
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    view->repaint();
    for (int s = 0; s < 10; ++s)
        stepAndRead(view.get(), list, centre);
    std::vector<double> samples;
    for (int s = 0; s < reps; ++s) {
        const qint64 start = bench::nowNs();
        stepAndRead(view.get(), list, centre);
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

// Item numbers spread over the whole content, the same for every run.
std::vector<int> farItems(int items, int count)
{
    std::vector<int> result;
    quint64 x = 88172645463325252ull;
    for (int i = 0; i < count; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        result.push_back(int(x % quint64(items)));
    }
    return result;
}

std::vector<double> ensureVisibleLibrary(int items, int reps)
{
    Delegate delegate(items);
    std::unique_ptr<CollectionView> view(makeView(delegate));
    view->reload();
    view->repaint();
    std::vector<double> samples;
    for (int item : farItems(items, reps)) {
        const CollectionViewIndex index(static_cast<unsigned long>(item) / ItemsPerGroup,
            static_cast<unsigned long>(item) % ItemsPerGroup);
        const qint64 start = bench::nowNs();
        view->ensureItemVisible(index);
        view->viewport()->repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> ensureVisibleStock(int items, int reps)
{
    CountModel model(items);
    std::unique_ptr<QListView> view(makeListView());
    view->setModel(&model);
    view->doItemsLayout();
    view->repaint();
    std::vector<double> samples;
    for (int item : farItems(items, reps)) {
        const qint64 start = bench::nowNs();
        view->scrollTo(model.index(item));
        view->viewport()->repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

std::vector<double> scrollStock(int items, int reps)
{
    CountModel model(items);
    std::unique_ptr<QListView> view(makeListView());
    view->setModel(&model);
    view->doItemsLayout();
    view->repaint();
    return scrollSteps(view.get(), reps);
}

const std::vector<int> Sizes { 10000, 100000, 1000000, 100000000 };
constexpr int StockLimit = 1000000;

const bool registered = bench::registerCase({ QStringLiteral("collection.reload+paint"),
                            QStringLiteral("reload() and first paint of N items in groups of 1000, "
                                           "vs QListView setModel() and first paint"),
                            reloadLibrary, reloadStock, Sizes, { 50 }, 15, StockLimit })
    && bench::registerCase({ QStringLiteral("collection.reload+paint.groups100k"),
        QStringLiteral("the same in groups of 100,000: a reload reads every group's count, so "
                       "this shows what the item count alone costs"),
        reloadInLargeGroups, reloadStock, { 10000, 100000000 }, { 50 }, 15, StockLimit })
    && bench::registerCase({ QStringLiteral("collection.scrollStep"),
        QStringLiteral("one 30 px scroll step and repaint (median of 200 steps), vs QListView"),
        scrollLibrary, scrollStock, Sizes, { 50 }, 200, StockLimit })
    && bench::registerCase({ QStringLiteral("collection.ensureItemVisible"),
        QStringLiteral("ensureItemVisible() of an item anywhere and repaint (median of 200), vs "
                       "QListView scrollTo()"),
        ensureVisibleLibrary, ensureVisibleStock, Sizes, { 50 }, 200, StockLimit })
    && bench::registerCase({ QStringLiteral("collection.scrollStep.accessible"),
        QStringLiteral("the scroll step with accessibility on and the tree read after each "
                       "step, vs the same view without"),
        scrollAccessible, scrollLibrary, { 10000, 100000000 }, { 50 }, 200 });

} // namespace
