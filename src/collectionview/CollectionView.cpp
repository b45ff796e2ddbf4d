#include <corvane/CollectionView.h>

#include "collectionview/CollectionViewAccessible.h"
#include "collectionview/CollectionView_private.h"

ICollectionViewDelegate::~ICollectionViewDelegate()
{
    NewInnerWidget::delegateDestroyed(this);
}

QString ICollectionViewDelegate::accessibleName(
    CollectionView& view, const CollectionViewIndex& index)
{
    return CollectionItemAccessible::defaultName(view, index);
}

CollectionView::CollectionView(ICollectionViewDelegate* delegate, const QSize& itemSize,
    int horizontalSpacing, int verticalSpacing, int headerHeight, unsigned long fixedColumns,
    bool centerItems, int margin, QWidget* parent)
    : QScrollArea(parent)
{
    CollectionViewAccessible::install();
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_inner = new NewInnerWidget(delegate, itemSize, horizontalSpacing, verticalSpacing,
        headerHeight, fixedColumns, centerItems, margin, *this);
    setWidget(m_inner);
    setWidgetResizable(true);
}

CollectionView::~CollectionView() = default;

void CollectionView::reload()
{
    m_inner->reload();
}

void CollectionView::updateItems(bool scrollOnly)
{
    m_inner->updateItems(scrollOnly);
}

CollectionViewItem* CollectionView::dequeueItem()
{
    return m_inner->dequeueItem();
}

QWidget* CollectionView::dequeueHeader()
{
    return m_inner->dequeueHeader();
}

std::vector<CollectionViewItem*> CollectionView::visibleItems() const
{
    return m_inner->visibleItems();
}

const std::set<CollectionViewIndex>& CollectionView::selection() const
{
    return m_inner->selection();
}

void CollectionView::setSelection(const std::set<CollectionViewIndex>& selection)
{
    m_inner->setSelection(selection);
}

CollectionViewSelectionType CollectionView::selectionType() const
{
    return m_inner->selectionType();
}

void CollectionView::setSelectionType(CollectionViewSelectionType type)
{
    m_inner->setSelectionType(type);
}

quint64 CollectionView::selectionCount() const
{
    return m_inner->selectionState().count();
}

std::vector<std::pair<CollectionViewIndex, CollectionViewIndex>>
CollectionView::selectionRanges() const
{
    return m_inner->selectionState().runs();
}

bool CollectionView::isSelected(const CollectionViewIndex& index) const
{
    return m_inner->selectionState().contains(index);
}

void CollectionView::selectAll()
{
    m_inner->selectAll();
}

void CollectionView::ensureItemVisible(const CollectionViewIndex& index)
{
    m_inner->scrollTo(index);
}

qint64 CollectionView::contentHeight() const
{
    return std::max<qint64>(0, m_inner->grid().contentHeight());
}

qint64 CollectionView::scrollPosition() const
{
    return m_inner->scrollPosition();
}

void CollectionView::setScrollPosition(qint64 y)
{
    m_inner->setScrollPosition(y);
}

qint64 CollectionView::contentOffset() const
{
    return m_inner->contentOffset();
}

void CollectionView::keyPressEvent(QKeyEvent* event)
{
    m_inner->keyPressEvent(event);
}

void CollectionView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    m_inner->updateItems(false);
}

void CollectionView::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    m_inner->updateItems(false);
}

void CollectionView::scrollContentsBy(int dx, int dy)
{
    // Windowed, the content widget stays at the top and its content follows the bar instead.
    if (!m_inner->isWindowed() || dx != 0)
        QScrollArea::scrollContentsBy(dx, dy);
    m_inner->followScrollBars();
}
