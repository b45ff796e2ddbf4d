#include "collectionview/CollectionView_private.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace {

// The widget is the content, so a content position is a widget position, pinned to what a
// widget can hold.
int toWidget(qint64 y)
{
    return static_cast<int>(std::clamp<qint64>(y, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

QRect toWidget(const CollectionGrid::Rect& r)
{
    return QRect(toWidget(r.x), toWidget(r.y), r.width, r.height);
}

int toWidgetExtent(qint64 extent)
{
    return static_cast<int>(std::clamp<qint64>(extent, 0, CollectionGrid::MaxExtent));
}

} // namespace

NewInnerWidget::NewInnerWidget(ICollectionViewDelegate* delegate, const QSize& itemSize,
    int horizontalSpacing, int verticalSpacing, int headerHeight, unsigned long fixedColumns,
    bool centerItems, int margin, CollectionView& owner)
    : QFrame(&owner)
    , m_owner(owner)
    , m_delegate(delegate)
    , m_grid(itemSize, horizontalSpacing, verticalSpacing, headerHeight, fixedColumns, centerItems,
          margin)
    , m_selection(m_grid)
    , m_delegateObject(dynamic_cast<QObject*>(delegate))
    , m_delegateIsObject(!m_delegateObject.isNull())
{
    installEventFilter(this);
}

NewInnerWidget::~NewInnerWidget()
{
    // The children die after this object's members; they must not call back into them.
    for (QObject* child : children())
        disconnect(child, &QObject::destroyed, this, &NewInnerWidget::forget);
}

QSize NewInnerWidget::sizeHint() const
{
    return m_contentSize;
}

ICollectionViewDelegate* NewInnerWidget::delegate() const
{
    if (m_delegateIsObject && m_delegateObject.isNull())
        return nullptr;
    return m_delegate;
}

int NewInnerWidget::ComputeGroupTop(unsigned long group) const
{
    return toWidget(m_grid.groupTop(group));
}

QRect NewInnerWidget::visibleBounds() const
{
    // The bounding rectangle of the visible region, clipped by every ancestor, without letting
    // opaque cells punch holes into it.
    if (!isVisible())
        return QRect();
    QRect r = rect();
    QPoint origin;
    for (const QWidget* w = this; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        origin -= w->pos();
        r &= QRect(origin, w->parentWidget()->size());
    }
    return r;
}

void NewInnerWidget::updateItems(bool scrollOnly)
{
    // A delegate that lays out again from inside a pass (say, by reloading from itemForIndex)
    // gets one full pass after this one instead of a pass over half-built state.
    if (m_inLayout) {
        m_relayoutPending = true;
        return;
    }
    m_inLayout = true;
    layOut(scrollOnly);
    if (std::exchange(m_relayoutPending, false))
        layOut(false);
    m_relayoutPending = false;
    m_inLayout = false;

    if (auto* d = delegate())
        d->itemsLaidOut(m_owner, static_cast<unsigned long>(m_visibleItemList.size()),
            static_cast<unsigned long>(m_itemPool.size()));
}

// A full pass re-flows the grid and places everything anew; a scroll-only pass keeps what stays
// in view and fills in only what came into it.
void NewInnerWidget::layOut(bool scrollOnly)
{
    const QRect bounds = visibleBounds();
    const int visibleWidth = std::max(0, bounds.width());
    if (!scrollOnly) {
        m_grid.fitColumns(visibleWidth);
        m_contentSize = QSize(m_grid.contentWidth(), toWidgetExtent(m_grid.contentHeight()));
        setMinimumSize(sizeHint());
    }
    const CollectionGrid::Range range = bounds.isEmpty()
        ? CollectionGrid::Range()
        : m_grid.visibleRange(bounds.top(), bounds.bottom());
    recycle(scrollOnly ? range : CollectionGrid::Range());
    place(range, visibleWidth);
}

// Pools every placed header and cell outside `kept`, in ascending order.
void NewInnerWidget::recycle(const CollectionGrid::Range& kept)
{
    m_newHeaders.clear();
    for (const auto& [group, header] : std::exchange(m_visibleHeaders, {})) {
        if (kept.containsGroup(group)) {
            m_newHeaders.emplace(group, header);
        } else {
            header->setVisible(false);
            m_headerPool.push_back(header);
        }
    }
    m_newCells.clear();
    for (CollectionViewItem* cell : std::exchange(m_visibleItemList, {})) {
        if (kept.contains(cell->index())) {
            m_newCells.emplace(cell->index(), cell);
        } else {
            cell->setVisible(false);
            m_itemPool.push_back(cell);
        }
    }
}

// Asks the delegate for what the range shows and is not placed yet, group by group: each
// group's header, then its cells in index order.
void NewInnerWidget::place(const CollectionGrid::Range& range, int visibleWidth)
{
    if (!range.isEmpty() && delegate()) {
        const CollectionViewIndex& first = range.first;
        const CollectionViewIndex& last = range.last;
        for (unsigned long g = first.group; g <= last.group && g < m_grid.groupCount(); ++g) {
            if (m_newHeaders.count(g) == 0)
                placeHeader(g, visibleWidth);
            if (!delegate())
                break;
            const unsigned long begin = g == first.group ? first.item : 0;
            for (unsigned long i = begin; i < m_grid.itemCount(g) && delegate(); ++i) {
                if (g == last.group && i > last.item)
                    break;
                const CollectionViewIndex index(g, i);
                if (m_newCells.count(index) == 0)
                    placeCell(index, visibleWidth);
            }
        }
    }
    m_visibleHeaders = std::exchange(m_newHeaders, {});
    m_visibleItemList.reserve(m_newCells.size());
    for (const auto& entry : m_newCells)
        m_visibleItemList.push_back(entry.second);
    m_newCells.clear();
}

void NewInnerWidget::placeHeader(unsigned long group, int visibleWidth)
{
    QWidget* header = delegate()->headerForGroup(m_owner, group);
    if (!header)
        return;
    m_newHeaders[group] = header;
    adopt(header);
    header->setGeometry(toWidget(m_grid.headerRect(group, visibleWidth)));
    header->setVisible(true);
}

void NewInnerWidget::placeCell(const CollectionViewIndex& index, int visibleWidth)
{
    CollectionViewItem* cell = delegate()->itemForIndex(m_owner, index);
    if (!cell)
        return;
    m_newCells[index] = cell;
    adopt(cell);
    cell->setGeometry(toWidget(m_grid.cellRect(index, visibleWidth)));
    cell->setIndex(index);
    cell->installEventFilter(this);
    cell->setSelected(m_selection.contains(index));
    cell->setVisible(true);
}

void NewInnerWidget::adopt(QWidget* w)
{
    if (w->parentWidget() != this)
        w->setParent(this);
    connect(w, &QObject::destroyed, this, &NewInnerWidget::forget, Qt::UniqueConnection);
}

void NewInnerWidget::forget(QObject* object)
{
    // A host that deletes a cell or header it handed over must not leave a dangling pointer.
    const auto same = [object](QObject* w) { return w == object; };
    const auto eraseFrom = [&](auto& list) {
        list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
    };
    eraseFrom(m_visibleItemList);
    eraseFrom(m_itemPool);
    eraseFrom(m_headerPool);
    const auto eraseValues = [&](auto& map) {
        for (auto it = map.begin(); it != map.end();)
            it = same(it->second) ? map.erase(it) : std::next(it);
    };
    eraseValues(m_visibleHeaders);
    eraseValues(m_newHeaders);
    eraseValues(m_newCells);
}

void NewInnerWidget::reload()
{
    // The delegate's calls below see an empty view, never a mix of old and new counts.
    m_grid.setItemCounts({});
    std::vector<unsigned long> counts;
    if (auto* d = delegate()) {
        // Past this many groups the content could not be scrolled to even with empty ones
        // of a pixel each; a larger count is taken as that many.
        const unsigned long groups
            = std::min<unsigned long>(d->groupCount(m_owner), QWIDGETSIZE_MAX);
        counts.reserve(groups);
        for (unsigned long g = 0; g < groups && delegate(); ++g)
            counts.push_back(d->itemCount(m_owner, g));
    }
    m_grid.setItemCounts(std::move(counts));
    m_selection.setAnchor(CollectionViewIndex());
    m_selection.clear();
    updateItems(false);
}

CollectionViewItem* NewInnerWidget::dequeueItem()
{
    if (m_itemPool.empty())
        return nullptr;
    CollectionViewItem* cell = m_itemPool.back();
    m_itemPool.pop_back();
    return cell;
}

QWidget* NewInnerWidget::dequeueHeader()
{
    if (m_headerPool.empty())
        return nullptr;
    QWidget* header = m_headerPool.back();
    m_headerPool.pop_back();
    return header;
}

void NewInnerWidget::scrollTo(const CollectionViewIndex& index)
{
    if (!IsValid(index))
        return;
    const QSize size = m_grid.itemSize();
    m_owner.ensureVisible(0, toWidget(m_grid.rowTop(index)), size.width(), size.height());
}

void NewInnerWidget::notifySelectionChanged()
{
    if (auto* d = delegate())
        d->selectionChanged(m_owner);
}

void NewInnerWidget::setSelection(const std::set<CollectionViewIndex>& selection)
{
    m_selection.assign(selection);
    for (CollectionViewItem* cell : m_visibleItemList)
        cell->setSelected(m_selection.contains(cell->index()));
    m_selection.anchorAtFirst();
    notifySelectionChanged();
}

void NewInnerWidget::setSelectionType(CollectionViewSelectionType type)
{
    switch (type) {
    case CollectionViewSelectionNone:
    case CollectionViewSelectionSingle:
    case CollectionViewSelectionMultiple:
        m_selectionType = type;
        return;
    }
    m_selectionType = CollectionViewSelectionNone;
}

void NewInnerWidget::SelectByIndex(const CollectionViewIndex& index)
{
    setSelection({ index });
}

void NewInnerWidget::SelectSingleItem(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    for (CollectionViewItem* placed : m_visibleItemList)
        placed->setSelected(false);
    m_selection.clear();
    m_selection.insert(index);
    cell->setSelected(true);
    notifySelectionChanged();
    m_selection.setAnchor(index);
}

void NewInnerWidget::AddItemToSelection(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    m_selection.insert(index);
    cell->setSelected(true);
    notifySelectionChanged();
    m_selection.setAnchor(index);
}

void NewInnerWidget::UnselectItem(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    cell->setSelected(false);
    m_selection.erase(index);
    if (m_selection.anchor() == index)
        m_selection.anchorAtFirst();
    notifySelectionChanged();
}

void NewInnerWidget::UnselectAll()
{
    for (CollectionViewItem* cell : m_visibleItemList)
        cell->setSelected(false);
    m_selection.clear();
}

bool NewInnerWidget::IsValid(const CollectionViewIndex& index) const
{
    return m_selection.isValid(index);
}

CollectionViewIndex NewInnerWidget::FindNextItem(const CollectionViewIndex& index) const
{
    return m_selection.nextItem(index);
}

CollectionViewIndex NewInnerWidget::FindPrevItem(const CollectionViewIndex& index) const
{
    return m_selection.prevItem(index);
}

CollectionViewIndex NewInnerWidget::FindNextRowItem(const CollectionViewIndex& index) const
{
    return m_selection.nextRowItem(index);
}

CollectionViewIndex NewInnerWidget::FindPrevRowItem(const CollectionViewIndex& index) const
{
    return m_selection.prevRowItem(index);
}

void NewInnerWidget::clearSelectionOnPress()
{
    UnselectAll();
    notifySelectionChanged();
}

void NewInnerWidget::selectRange(CollectionViewItem* cell)
{
    const CollectionViewIndex from = m_selection.firstValid();
    if (!IsValid(from)) {
        SelectSingleItem(cell);
        return;
    }
    setSelection(m_selection.span(from, cell->index()));
    m_pendingSingleSelect = false;
}

void NewInnerWidget::handlePress(CollectionViewItem* cell, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (m_selectionType) {
    case CollectionViewSelectionNone:
        break;
    case CollectionViewSelectionSingle:
        if (!cell->selected())
            SelectSingleItem(cell);
        else if (control)
            m_pendingSingleSelect = true;
        break;
    case CollectionViewSelectionMultiple:
        if (control) {
            if (cell->selected())
                UnselectItem(cell);
            else
                AddItemToSelection(cell);
        } else if (shift) {
            if (selection().empty())
                SelectSingleItem(cell);
            else
                selectRange(cell);
        } else if (cell->selected()) {
            // Keep the selection until release, so that a drag can carry all of it.
            m_pendingSingleSelect = true;
        } else {
            SelectSingleItem(cell);
        }
        break;
    }
}

bool NewInnerWidget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* cell = qobject_cast<CollectionViewItem*>(watched);
        if (!cell) {
            clearSelectionOnPress();
            return false;
        }
        handlePress(cell, static_cast<QMouseEvent*>(event)->modifiers());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        QPointer<CollectionViewItem> cell = qobject_cast<CollectionViewItem*>(watched);
        if (!cell || (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier))
            return false;
        if (cell->selected()) {
            if (auto* d = delegate())
                d->selectionClicked(m_owner);
        }
        if (m_pendingSingleSelect) {
            m_pendingSingleSelect = false;
            if (cell)
                SelectSingleItem(cell);
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        auto* cell = qobject_cast<CollectionViewItem*>(watched);
        const auto modifiers = static_cast<QMouseEvent*>(event)->modifiers();
        if (!cell || (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            return false;
        SelectSingleItem(cell);
        if (auto* d = delegate())
            d->selectionActivated(m_owner);
        return false;
    }
    case QEvent::MouseMove:
        m_pendingSingleSelect = false;
        return false;
    default:
        return QFrame::eventFilter(watched, event);
    }
}

void NewInnerWidget::mouseMoveEvent(QMouseEvent* event)
{
    // No minimum distance: the first move with the button held starts the drag.
    if (!(event->buttons() & Qt::LeftButton) || selection().empty() || !delegate())
        return;
    QMimeData* data = delegate()->mimeDataForSelection(m_owner, selection());
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

void NewInnerWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_selectionType == CollectionViewSelectionNone) {
        QFrame::keyPressEvent(event);
        return;
    }
    const CollectionViewIndex anchor = m_selection.anchor();
    if (!IsValid(anchor)) {
        const CollectionViewIndex first = m_selection.firstItem();
        if (!IsValid(first))
            return;
        SelectByIndex(first);
        scrollTo(first);
        return;
    }
    CollectionViewIndex target;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* d = delegate())
            d->selectionActivated(m_owner);
        return;
    case Qt::Key_Left:
        target = FindPrevItem(anchor);
        break;
    case Qt::Key_Right:
        target = FindNextItem(anchor);
        break;
    case Qt::Key_Up:
        target = FindPrevRowItem(anchor);
        break;
    case Qt::Key_Down:
        target = FindNextRowItem(anchor);
        break;
    default:
        // Swallowed, so that keys such as Escape do not leave a view that takes selection.
        return;
    }
    if (!IsValid(target))
        return;
    SelectByIndex(target);
    scrollTo(target);
}
