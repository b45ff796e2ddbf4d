// Collection view reload, first paint and scrolling, against QListView in icon mode with uniform
// item sizes over a model of the same count. Cells are 100 x 80 in an 800 x 600 view.
#include "Harness.h"

#include <corvane/CollectionView.h>

#include <QAbstractListModel>
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
    explicit Delegate(unsigned long items)
        : m_items(items)
    { }
    unsigned long groupCount(CollectionView&) override
    {
        return (m_items + ItemsPerGroup - 1) / ItemsPerGroup;
    }
    unsigned long itemCount(CollectionView&, unsigned long group) override
    {
        return std::min(ItemsPerGroup, m_items - group * ItemsPerGroup);
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

std::vector<double> reloadLibrary(int items, int reps)
{
    std::vector<double> samples;
    for (int r = 0; r < reps; ++r) {
        Delegate delegate(items);
        std::unique_ptr<CollectionView> view(makeView(delegate));
        const qint64 start = bench::nowNs();
        view->reload();
        view->repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
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
        view->repaint();
        samples.push_back(bench::msSince(start));
    }
    return samples;
}

// Scrolls down in 30-pixel steps from the middle of the content, one sample per step.
std::vector<double> scrollSteps(QAbstractScrollArea* area, int steps)
{
    std::vector<double> samples;
    QScrollBar* bar = area->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    area->repaint();
    for (int s = 0; s < steps; ++s) {
        const qint64 start = bench::nowNs();
        bar->setValue(bar->value() + 30);
        area->viewport()->repaint();
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

std::vector<double> scrollStock(int items, int reps)
{
    CountModel model(items);
    std::unique_ptr<QListView> view(makeListView());
    view->setModel(&model);
    view->doItemsLayout();
    view->repaint();
    return scrollSteps(view.get(), reps);
}

const bool registered = bench::registerCase({ QStringLiteral("collection.reload+paint"),
                            QStringLiteral("reload() and first paint of N items in groups of 1000, "
                                           "vs QListView setModel() and first paint"),
                            reloadLibrary, reloadStock, { 10000, 100000, 1000000 }, { 50 }, 5 })
    && bench::registerCase({ QStringLiteral("collection.scrollStep"),
        QStringLiteral("one 30 px scroll step and repaint (median of 200 steps), vs QListView"),
        scrollLibrary, scrollStock, { 10000, 100000, 1000000 }, { 50 }, 200 });

} // namespace
