#include "collectionview/CollectionView_private.h"

#include "collectionview/CollectionViewAccessible.h"

#include <corvane/Keyboard.h>

#include <QDrag>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

// The views of each delegate, told when it is destroyed.
using DelegateViews = QMultiHash<const ICollectionViewDelegate*, NewInnerWidget*>;
Q_GLOBAL_STATIC(DelegateViews, s_delegateViews)
// The view that holds each cell and header it placed or pooled: no widget is held twice.
using HeldWidgets = QHash<const QObject*, const NewInnerWidget*>;
Q_GLOBAL_STATIC(HeldWidgets, s_heldWidgets)

// Windowed scrolling moves placed widgets by at most this much: the cells a pass keeps lie
// within a screen of the view, so a longer jump moves none of them, and hidden ones moved this
// far are brought back before their positions could overflow.
constexpr qint64 JumpLimit = qint64(1) << 28;

// A delegate that asks for passes from within passes gets this many more, one after the other.
constexpr int MaxRelayouts = 4;

// Passes started from itemsLaidOut may nest this deep; deeper ones are dropped, so that a
// delegate that lays out again from every report cannot recurse without end.
constexpr int MaxReportDepth = 8;

int clampToInt(qint64 v)
{
    return static_cast<int>(std::clamp<qint64>(v, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// Calls f on a snapshot of the cells, skipping those deleted meanwhile; false when the view
// died on the way.
template<class F>
bool forEachCell(NewInnerWidget* self, const std::vector<CollectionViewItem*>& cells,
    const std::map<CollectionViewIndex, CollectionViewItem*>& inPass, F f)
{
    std::vector<QPointer<CollectionViewItem>> snapshot(cells.begin(), cells.end());
    for (const auto& entry : inPass)
        snapshot.emplace_back(entry.second);
    const QPointer<NewInnerWidget> alive(self);
    for (const QPointer<CollectionViewItem>& cell : snapshot) {
        if (cell)
            f(cell.data());
        if (!alive)
            return false;
    }
    return true;
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
{
    installEventFilter(this);
    if (delegate)
        s_delegateViews->insert(delegate, this);
    // The scroll area sets the bar's range from the widget's size; windowed, the range is ours.
    connect(m_owner.verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (m_windowed && !m_syncingBar)
            syncScrollBar();
    });
}

NewInnerWidget::~NewInnerWidget()
{
    if (!s_delegateViews.isDestroyed())
        s_delegateViews->remove(m_delegate, this);
    if (!s_heldWidgets.isDestroyed()) {
        const auto release = [](QWidget* w) { s_heldWidgets->remove(w); };
        std::for_each(m_visibleItemList.begin(), m_visibleItemList.end(), release);
        std::for_each(m_itemPool.begin(), m_itemPool.end(), release);
        std::for_each(m_headerPool.begin(), m_headerPool.end(), release);
        for (const auto& headers : { m_visibleHeaders, m_newHeaders })
            for (const auto& entry : headers)
                release(entry.second);
        for (const auto& entry : m_newCells)
            release(entry.second);
    }
    // The children die after this object's members; they must not call back into them.
    for (QObject* child : children())
        disconnect(child, &QObject::destroyed, this, &NewInnerWidget::forget);
}

void NewInnerWidget::delegateDestroyed(const ICollectionViewDelegate* delegate)
{
    if (s_delegateViews.isDestroyed())
        return;
    for (NewInnerWidget* view : s_delegateViews->values(delegate))
        view->m_delegate = nullptr;
    s_delegateViews->remove(delegate);
}

QSize NewInnerWidget::sizeHint() const
{
    return m_contentSize;
}

int NewInnerWidget::ComputeGroupTop(unsigned long group) const
{
    return clampToInt(m_grid.groupTop(group) - contentOffset());
}

QRect NewInnerWidget::toWidget(const CollectionGrid::Rect& r) const
{
    return QRect(clampToInt(r.x), clampToInt(r.y - contentOffset()), r.width, r.height);
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
    // gets a full pass after this one instead of a pass over half-built state.
    if (m_inLayout) {
        m_relayoutPending = true;
        return;
    }
    if (m_reportDepth > MaxReportDepth)
        return;
    m_inLayout = true;
    if (!layOut(scrollOnly))
        return;
    for (int again = 0; std::exchange(m_relayoutPending, false) && again < MaxRelayouts; ++again) {
        if (!layOut(false))
            return;
    }
    m_relayoutPending = false;
    m_inLayout = false;

    if (m_delegate) {
        const QPointer<NewInnerWidget> alive(this);
        ++m_reportDepth;
        m_delegate->itemsLaidOut(m_owner, static_cast<unsigned long>(m_visibleItemList.size()),
            static_cast<unsigned long>(m_itemPool.size()));
        if (alive)
            --m_reportDepth;
    }
}

// A full pass re-flows the grid and places everything anew; a scroll-only pass keeps what stays
// in view and fills in only what came into it.
bool NewInnerWidget::layOut(bool scrollOnly)
{
    QRect bounds = visibleBounds();
    const int visibleWidth = std::max(0, bounds.width());
    if (!scrollOnly) {
        m_grid.setRightToLeft(layoutDirection() == Qt::RightToLeft);
        m_grid.fitColumns(visibleWidth);
        const bool wasWindowed = m_windowed;
        fitContent();
        if (m_windowed || wasWindowed)
            bounds = visibleBounds();
    }
    m_visibleWidth = visibleWidth;
    const qint64 origin = contentOffset();
    const CollectionGrid::Range range = bounds.isEmpty()
        ? CollectionGrid::Range()
        : m_grid.visibleRange(origin + bounds.top(), origin + bounds.bottom());
    recycle(scrollOnly ? range : CollectionGrid::Range());
    if (!place(range, visibleWidth))
        return false;
    // Windowed, a full pass leaves the widget's size as it was, which would otherwise leave it
    // to the next posted update to paint what the pass placed.
    if (!scrollOnly && m_windowed)
        update();
    return true;
}

// Sizes the widget for the content: as large as the content while a widget can be, else windowed
// at the viewport's size. Switching keeps the content position at the top of the viewport.
void NewInnerWidget::fitContent()
{
    // Empty groups whose spacing exceeds their header can make the sum negative.
    const qint64 height = std::max<qint64>(0, m_grid.contentHeight());
    const bool windowed = height > CollectionGrid::MaxExtent;
    QScrollBar* bar = m_owner.verticalScrollBar();
    if (!windowed) {
        const bool leaving = std::exchange(m_windowed, false);
        const QScopedValueRollback<bool> syncing(m_syncingBar, m_syncingBar || leaving);
        m_contentSize = QSize(m_grid.contentWidth(), static_cast<int>(height));
        setMinimumSize(sizeHint());
        if (leaving)
            bar->setValue(clampToInt(std::exchange(m_offset, 0)));
        return;
    }
    if (!std::exchange(m_windowed, true))
        m_offset = bar->value();
    m_contentSize = QSize(m_grid.contentWidth(), 0);
    setMinimumSize(sizeHint());
    {
        const QScopedValueRollback<bool> syncing(m_syncingBar, true);
        resize(m_owner.viewport()->size().expandedTo(minimumSize()));
        move(x(), 0);
    }
    syncScrollBar();
    m_offset = std::clamp<qint64>(m_offset, 0, m_scrollMap.maxOffset());
}

void NewInnerWidget::syncScrollBar()
{
    QScrollBar* bar = m_owner.verticalScrollBar();
    m_scrollMap = CollectionScrollMap(m_grid.contentHeight() - m_owner.viewport()->height());
    const QScopedValueRollback<bool> syncing(m_syncingBar, true);
    bar->setRange(0, m_scrollMap.barMaximum());
    // Past the end (the content shrank), the bar stands at its end until the content follows.
    bar->setValue(m_scrollMap.barValue(m_offset));
}

bool NewInnerWidget::moveContentTo(qint64 offset)
{
    offset = std::clamp<qint64>(offset, 0, m_scrollMap.maxOffset());
    const qint64 delta = offset - std::exchange(m_offset, offset);
    if (delta == 0)
        return false;
    // Qt keeps the pixels of what stays in view and paints only what came into it.
    scroll(0, static_cast<int>(std::clamp(-delta, -JumpLimit, JumpLimit)));
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->isHidden() && qAbs(w->y()) > JumpLimit)
            w->move(w->x(), 0);
    }
    return true;
}

void NewInnerWidget::followScrollBars()
{
    if (m_syncingBar)
        return;
    if (m_windowed)
        moveContentTo(m_scrollMap.offset(m_owner.verticalScrollBar()->value()));
    updateItems(true);
}

qint64 NewInnerWidget::scrollPosition() const
{
    return m_windowed ? m_offset : m_owner.verticalScrollBar()->value();
}

void NewInnerWidget::setScrollPosition(qint64 y)
{
    if (!m_windowed) {
        m_owner.verticalScrollBar()->setValue(clampToInt(std::max<qint64>(0, y)));
        return;
    }
    if (!moveContentTo(y))
        return;
    syncScrollBar();
    updateItems(true);
}

void NewInnerWidget::moveEvent(QMoveEvent* event)
{
    QFrame::moveEvent(event);
    // The scroll area places its widget by the scroll bar; windowed, the content moves inside
    // the widget instead, which stays at the viewport's top.
    if (m_windowed && y() != 0)
        move(x(), 0);
}

void NewInnerWidget::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    // Windowed, the viewport's height decides how far the content scrolls.
    if (!m_windowed || m_syncingBar)
        return;
    syncScrollBar();
    if (m_inLayout)
        return;
    if (moveContentTo(m_offset))
        syncScrollBar();
    updateItems(true);
}

void NewInnerWidget::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() != QEvent::LayoutDirectionChange || !isVisible())
        return;
    // The scroll area places its widget from the other side now, once asked to lay out again.
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(&m_owner, &layoutRequest);
    updateItems(false);
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

// Asks the delegate for what the range shows and is not placed yet: the headers of its groups,
// then its cells in index order.
bool NewInnerWidget::place(const CollectionGrid::Range& range, int visibleWidth)
{
    if (!range.isEmpty()) {
        const CollectionViewIndex& first = range.first;
        const CollectionViewIndex& last = range.last;
        for (unsigned long g = first.group; g <= last.group && g < m_grid.groupCount(); ++g) {
            if (m_delegate && m_newHeaders.count(g) == 0 && !placeHeader(g, visibleWidth))
                return false;
        }
        for (unsigned long g = first.group; g <= last.group && g < m_grid.groupCount(); ++g) {
            const unsigned long begin = g == first.group ? first.item : 0;
            for (unsigned long i = begin; i < m_grid.itemCount(g) && m_delegate; ++i) {
                if (g == last.group && i > last.item)
                    break;
                const CollectionViewIndex index(g, i);
                if (m_newCells.count(index) == 0 && !placeCell(index, visibleWidth))
                    return false;
            }
        }
    }
    m_visibleHeaders = std::exchange(m_newHeaders, {});
    m_visibleItemList.reserve(m_newCells.size());
    for (const auto& entry : m_newCells)
        m_visibleItemList.push_back(entry.second);
    m_newCells.clear();
    return true;
}

bool NewInnerWidget::placeHeader(unsigned long group, int visibleWidth)
{
    const QPointer<NewInnerWidget> alive(this);
    QWidget* header = m_delegate->headerForGroup(m_owner, group);
    if (!alive)
        return false;
    if (!header || !accept(header, m_headerPool))
        return true;
    m_newHeaders[group] = header;
    adopt(header);
    header->setGeometry(toWidget(m_grid.headerRect(group, visibleWidth)));
    header->setVisible(true);
    return alive;
}

bool NewInnerWidget::placeCell(const CollectionViewIndex& index, int visibleWidth)
{
    const QPointer<NewInnerWidget> alive(this);
    CollectionViewItem* cell = m_delegate->itemForIndex(m_owner, index);
    if (!alive)
        return false;
    if (!cell || !accept(cell, m_itemPool))
        return true;
    m_newCells[index] = cell;
    adopt(cell);
    cell->setGeometry(toWidget(m_grid.cellRect(index, visibleWidth)));
    cell->setIndex(index);
    cell->installEventFilter(this);
    const QPointer<CollectionViewItem> placed(cell);
    cell->setSelected(m_selection.contains(index));
    if (alive && placed)
        cell->setVisible(true);
    return alive;
}

// Whether a widget the delegate handed out may be placed: one that no view holds, or one still
// waiting in this view's pool of its kind, which it leaves. A widget placed already, held as the
// other kind or by another view, or one the view lives in, is refused like a null result.
template<class Pool> bool NewInnerWidget::accept(QWidget* w, Pool& pool)
{
    const NewInnerWidget* holder = s_heldWidgets->value(w);
    if (holder == this) {
        const auto pooled = std::find(pool.begin(), pool.end(), w);
        if (pooled != pool.end()) {
            pool.erase(pooled);
            return true;
        }
    }
    if (holder || w == this || w->isAncestorOf(this)) {
        if (!std::exchange(m_warnedTwice, true))
            qWarning("CollectionView: the delegate handed out a widget that the view already "
                     "holds or lives in; it is skipped");
        return false;
    }
    s_heldWidgets->insert(w, this);
    return true;
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
    if (!s_heldWidgets.isDestroyed() && s_heldWidgets->value(object) == this)
        s_heldWidgets->remove(object);
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
    const QPointer<NewInnerWidget> alive(this);
    // The delegate's calls below see an empty view, never a mix of old and new counts.
    m_grid.setItemCounts({});
    std::vector<unsigned long> counts;
    if (ICollectionViewDelegate* d = m_delegate) {
        // Group bookkeeping is kept per group: a larger count is taken as this many.
        const unsigned long groups
            = std::min<unsigned long>(d->groupCount(m_owner), QWIDGETSIZE_MAX);
        if (!alive)
            return;
        counts.reserve(groups);
        for (unsigned long g = 0; g < groups && m_delegate == d; ++g) {
            const unsigned long count = d->itemCount(m_owner, g);
            if (!alive)
                return;
            counts.push_back(count);
        }
    }
    m_grid.setItemCounts(std::move(counts));
    m_selection.setAnchor(CollectionViewIndex());
    m_selection.clear();
    // From inside a pass, the cells placed so far keep their places until a later pass, which
    // a delegate that keeps reloading may never let come: their flags follow at once.
    if (m_inLayout && !refreshFlags())
        return;
    if (CollectionViewAccessible::isActive())
        CollectionViewAccessible::notify(&m_owner, QAccessible::ObjectReorder);
    updateItems(false);
}

// The most recently pooled widget, which the view then no longer holds; null when none waits.
template<class W> W* NewInnerWidget::dequeue(std::vector<W*>& pool)
{
    if (pool.empty())
        return nullptr;
    W* w = pool.back();
    pool.pop_back();
    s_heldWidgets->remove(w);
    return w;
}

CollectionViewItem* NewInnerWidget::dequeueItem()
{
    return dequeue(m_itemPool);
}

QWidget* NewInnerWidget::dequeueHeader()
{
    return dequeue(m_headerPool);
}

CollectionViewItem* NewInnerWidget::placedItem(const CollectionViewIndex& index) const
{
    const auto placed = std::lower_bound(m_visibleItemList.begin(), m_visibleItemList.end(), index,
        [](const CollectionViewItem* cell, const CollectionViewIndex& i) {
            return cell->index() < i;
        });
    if (placed != m_visibleItemList.end() && (*placed)->index() == index)
        return *placed;
    const auto inPass = m_newCells.find(index);
    return inPass == m_newCells.end() ? nullptr : inPass->second;
}

QRect NewInnerWidget::itemRect(const CollectionViewIndex& index) const
{
    return toWidget(m_grid.cellRect(index, m_visibleWidth));
}

CollectionViewIndex NewInnerWidget::indexAt(const QPoint& point) const
{
    return m_grid.indexAt(point.x(), point.y() + contentOffset(), m_visibleWidth);
}

void NewInnerWidget::scrollTo(const CollectionViewIndex& index)
{
    if (!IsValid(index))
        return;
    const QSize size = m_grid.itemSize();
    const qint64 top = m_grid.rowTop(index);
    if (!m_windowed) {
        m_owner.ensureVisible(0, clampToInt(top), size.width(), size.height());
        return;
    }
    // Horizontally as below the cap; a y at the bar's value needs no vertical move.
    const QPointer<NewInnerWidget> alive(this);
    m_owner.ensureVisible(0, m_owner.verticalScrollBar()->value(), size.width(), 0);
    if (!alive)
        return;
    // Vertically the same rule in content coordinates: the row and a cell's height around it.
    const qint64 height = m_owner.viewport()->height();
    qint64 offset = m_offset;
    if (top - size.height() < offset)
        offset = std::max<qint64>(0, top - size.height());
    else if (top > offset + height - size.height())
        offset = top - height + size.height();
    setScrollPosition(offset);
}

const std::set<CollectionViewIndex>& NewInnerWidget::selection() const
{
    return m_selection.indices(CollectionView::SelectionSetLimit);
}

bool NewInnerWidget::notifySelectionChanged(
    QAccessible::Event event, const CollectionViewIndex& item)
{
    if (CollectionViewAccessible::isActive()) {
        CollectionViewIndex changed = item;
        if (event == QAccessible::SelectionWithin && m_selection.count() == 1)
            event = QAccessible::Selection, changed = m_selection.firstValid();
        CollectionViewAccessible::notify(&m_owner, event, changed);
    }
    if (!m_delegate)
        return true;
    const QPointer<NewInnerWidget> alive(this);
    m_delegate->selectionChanged(m_owner);
    return alive;
}

void NewInnerWidget::announceCurrent(const CollectionViewIndex& before)
{
    const CollectionViewIndex current = m_selection.anchor();
    if (current != before && IsValid(current) && m_owner.hasFocus()
        && CollectionViewAccessible::isActive())
        CollectionViewAccessible::notify(&m_owner, QAccessible::Focus, current);
}

bool NewInnerWidget::refreshFlags()
{
    return forEachCell(this, m_visibleItemList, m_newCells, [this](CollectionViewItem* cell) {
        cell->setSelected(m_selection.contains(cell->index()));
    });
}

// The flags, the anchor and the notice that every replacement of the selection gives.
bool NewInnerWidget::applySelection()
{
    if (!refreshFlags())
        return false;
    m_selection.anchorAtFirst();
    return notifySelectionChanged();
}

void NewInnerWidget::setSelection(const std::set<CollectionViewIndex>& selection)
{
    m_selection.assign(selection);
    applySelection();
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
    const QPointer<CollectionViewItem> selected(cell);
    if (!forEachCell(this, m_visibleItemList, m_newCells,
            [](CollectionViewItem* placed) { placed->setSelected(false); }))
        return;
    m_selection.clear();
    m_selection.insert(index);
    const QPointer<NewInnerWidget> alive(this);
    if (selected)
        selected->setSelected(true);
    if (alive && notifySelectionChanged())
        m_selection.setAnchor(index);
}

void NewInnerWidget::AddItemToSelection(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    m_selection.insert(index);
    const QPointer<NewInnerWidget> alive(this);
    cell->setSelected(true);
    if (alive && notifySelectionChanged(QAccessible::SelectionAdd, index))
        m_selection.setAnchor(index);
}

void NewInnerWidget::UnselectItem(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    const QPointer<NewInnerWidget> alive(this);
    cell->setSelected(false);
    if (!alive)
        return;
    m_selection.erase(index);
    if (m_selection.anchor() == index)
        m_selection.anchorAtFirst();
    notifySelectionChanged(QAccessible::SelectionRemove, index);
}

void NewInnerWidget::UnselectAll()
{
    unselectAll();
}

bool NewInnerWidget::unselectAll()
{
    if (!forEachCell(this, m_visibleItemList, m_newCells,
            [](CollectionViewItem* cell) { cell->setSelected(false); }))
        return false;
    m_selection.clear();
    return true;
}

void NewInnerWidget::selectAll()
{
    if (m_grid.itemTotal() == 0)
        return;
    const CollectionViewIndex anchor = m_selection.anchor();
    m_selection.assignAll();
    if (!refreshFlags())
        return;
    if (!IsValid(anchor))
        m_selection.setAnchor(m_selection.firstItem());
    notifySelectionChanged();
}

bool NewInnerWidget::extendSelectionTo(const CollectionViewIndex& target)
{
    // A run starts again from the anchor once something else has moved it.
    if (m_selection.anchor() != m_extendTo || !IsValid(m_extendFrom))
        m_extendFrom = m_selection.anchor();
    m_extendTo = target;
    m_selection.assignSpan(m_extendFrom, target);
    if (!refreshFlags())
        return false;
    m_selection.setAnchor(target);
    return notifySelectionChanged();
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

// The item in the same column a viewport's height away: down, the row that holds that line;
// up, the first row at or below it, so that both move by the rows a viewport shows.
CollectionViewIndex NewInnerWidget::pageTarget(const CollectionViewIndex& from, int pages) const
{
    qint64 y = m_grid.rowTop(from) + qint64(pages) * m_owner.viewport()->height();
    if (pages < 0)
        y += m_grid.pitchY() - 1;
    return m_grid.itemNear(y, from.item % m_grid.columns());
}

bool NewInnerWidget::clearSelectionOnPress()
{
    return unselectAll() && notifySelectionChanged();
}

bool NewInnerWidget::selectRange(CollectionViewItem* cell)
{
    const CollectionViewIndex from = m_selection.firstValid();
    const QPointer<NewInnerWidget> alive(this);
    if (!IsValid(from)) {
        SelectSingleItem(cell);
        return alive;
    }
    m_selection.assignSpan(from, cell->index());
    if (!applySelection())
        return false;
    m_pendingSingleSelect = false;
    return true;
}

bool NewInnerWidget::handlePress(CollectionViewItem* cell, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const QPointer<NewInnerWidget> alive(this);
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
            if (m_selection.count() == 0)
                SelectSingleItem(cell);
            else
                return selectRange(cell);
        } else if (cell->selected()) {
            // Keep the selection until release, so that a drag can carry all of it.
            m_pendingSingleSelect = true;
        } else {
            SelectSingleItem(cell);
        }
        break;
    }
    return alive;
}

bool NewInnerWidget::eventFilter(QObject* watched, QEvent* event)
{
    // A view deleted from a delegate call consumes the event: there is nothing left to pass it
    // to when the cell went with it.
    const QPointer<NewInnerWidget> alive(this);
    const CollectionViewIndex before = m_selection.anchor();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* cell = qobject_cast<CollectionViewItem*>(watched);
        if (!cell)
            return !clearSelectionOnPress();
        if (handlePress(cell, static_cast<QMouseEvent*>(event)->modifiers()))
            announceCurrent(before);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const QPointer<CollectionViewItem> cell = qobject_cast<CollectionViewItem*>(watched);
        if (!cell || (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier))
            return false;
        if (cell->selected() && m_delegate) {
            m_delegate->selectionClicked(m_owner);
            if (!alive)
                return true;
        }
        if (m_pendingSingleSelect) {
            m_pendingSingleSelect = false;
            if (cell)
                SelectSingleItem(cell);
            if (!alive)
                return true;
        }
        announceCurrent(before);
        return !cell;
    }
    case QEvent::MouseButtonDblClick: {
        const QPointer<CollectionViewItem> cell = qobject_cast<CollectionViewItem*>(watched);
        const auto modifiers = static_cast<QMouseEvent*>(event)->modifiers();
        if (!cell || (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            return false;
        SelectSingleItem(cell);
        if (alive && m_delegate)
            m_delegate->selectionActivated(m_owner);
        if (!alive)
            return true;
        announceCurrent(before);
        return !cell;
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
    if (!(event->buttons() & Qt::LeftButton) || m_selection.count() == 0 || !m_delegate)
        return;
    const QPointer<NewInnerWidget> alive(this);
    QMimeData* data = m_delegate->mimeDataForSelection(m_owner, selection());
    if (!alive) {
        delete data;
        return;
    }
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
    const CollectionViewIndex before = m_selection.anchor();
    if (handleKey(event))
        announceCurrent(before);
}

// False when the delegate deleted the view.
bool NewInnerWidget::handleKey(QKeyEvent* event)
{
    const QPointer<NewInnerWidget> alive(this);
    // Full keyboard access adds ranges, jumps and select-all to multiple selection.
    const bool fullAccess
        = corvane::fullKeyboardAccess() && m_selectionType == CollectionViewSelectionMultiple;
    if (fullAccess && event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return alive;
    }
    const CollectionViewIndex anchor = m_selection.anchor();
    if (!IsValid(anchor)) {
        const CollectionViewIndex first = m_selection.firstItem();
        if (!IsValid(first))
            return true;
        SelectByIndex(first);
        if (alive)
            scrollTo(first);
        return alive;
    }
    // Right to left, the next item is on the left.
    const bool mirrored = m_grid.isRightToLeft();
    CollectionViewIndex target;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_delegate)
            m_delegate->selectionActivated(m_owner);
        return alive;
    case Qt::Key_Left:
        target = mirrored ? FindNextItem(anchor) : FindPrevItem(anchor);
        break;
    case Qt::Key_Right:
        target = mirrored ? FindPrevItem(anchor) : FindNextItem(anchor);
        break;
    case Qt::Key_Up:
        target = FindPrevRowItem(anchor);
        break;
    case Qt::Key_Down:
        target = FindNextRowItem(anchor);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!fullAccess)
            return true;
        if (event->key() == Qt::Key_Home)
            target = m_selection.firstItem();
        else if (event->key() == Qt::Key_End)
            target = m_selection.lastItem();
        else
            target = pageTarget(anchor, event->key() == Qt::Key_PageUp ? -1 : 1);
        break;
    default:
        // Swallowed, so that keys such as Escape do not leave a view that takes selection.
        return true;
    }
    if (!IsValid(target))
        return true;
    if (fullAccess && (event->modifiers() & Qt::ShiftModifier)) {
        if (!extendSelectionTo(target))
            return false;
    } else {
        SelectByIndex(target);
        if (!alive)
            return false;
    }
    scrollTo(target);
    return alive;
}
