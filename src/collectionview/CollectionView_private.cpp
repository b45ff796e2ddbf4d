#include "collectionview/CollectionView_private.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace {

// Content positions saturate here: far beyond any widget, far below qint64 overflow.
constexpr qint64 kPositionLimit = qint64(1) << 60;
// The tallest content the widget can be sized to: Qt takes a minimum of QWIDGETSIZE_MAX
// itself as no minimum at all.
constexpr int kMaxContentExtent = QWIDGETSIZE_MAX - 1;

int boundedExtent(int value)
{
    return qBound(0, value, QWIDGETSIZE_MAX);
}

int toCoordinate(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

qint64 saturatedAdd(qint64 a, qint64 b)
{
    return qBound(-kPositionLimit, a + b, kPositionLimit);
}

} // namespace

NewInnerWidget::NewInnerWidget(ICollectionViewDelegate* delegate, const QSize& itemSize,
    int horizontalSpacing, int verticalSpacing, int headerHeight, unsigned long fixedColumns,
    bool centerItems, int margin, CollectionView& owner)
    : QFrame(&owner)
    , m_owner(owner)
    , m_delegate(delegate)
    , m_itemSize(boundedExtent(itemSize.width()), boundedExtent(itemSize.height()))
    , m_horizontalSpacing(boundedExtent(horizontalSpacing))
    , m_verticalSpacing(boundedExtent(verticalSpacing))
    , m_headerHeight(boundedExtent(headerHeight))
    , m_fixedColumns(std::min<unsigned long>(fixedColumns, QWIDGETSIZE_MAX))
    , m_centerItems(centerItems)
    , m_margin(boundedExtent(margin))
    , m_columns(m_fixedColumns)
    , m_delegateObject(dynamic_cast<QObject*>(delegate))
    , m_delegateIsObject(!m_delegateObject.isNull())
{
    installEventFilter(this);
    recomputeGroupTops();
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

qint64 NewInnerWidget::pitchX() const
{
    return std::max<qint64>(1, qint64(m_itemSize.width()) + m_horizontalSpacing);
}

qint64 NewInnerWidget::pitchY() const
{
    return std::max<qint64>(1, qint64(m_itemSize.height()) + m_verticalSpacing);
}

qint64 NewInnerWidget::blockHeight(unsigned long group) const
{
    const unsigned long count = m_itemCounts[group];
    const unsigned long columns = std::max(1ul, m_columns);
    const unsigned long rows = count / columns + (count % columns != 0 ? 1 : 0);
    if (rows >= static_cast<unsigned long>(kPositionLimit / pitchY()))
        return kPositionLimit;
    return qint64(rows) * pitchY() - m_verticalSpacing;
}

void NewInnerWidget::recomputeGroupTops()
{
    m_groupTops.assign(1, 0);
    m_maxBottoms.clear();
    m_groupTops.reserve(m_itemCounts.size() + 1);
    m_maxBottoms.reserve(m_itemCounts.size());
    for (unsigned long g = 0; g < m_itemCounts.size(); ++g) {
        const qint64 bottom
            = saturatedAdd(saturatedAdd(m_groupTops.back(), m_headerHeight), blockHeight(g));
        m_groupTops.push_back(bottom);
        m_maxBottoms.push_back(
            m_maxBottoms.empty() ? bottom : std::max(m_maxBottoms.back(), bottom));
    }
}

qint64 NewInnerWidget::groupTop(unsigned long group) const
{
    const size_t g = std::min<size_t>(group, m_groupTops.size() - 1);
    return m_groupTops[g];
}

int NewInnerWidget::ComputeGroupTop(unsigned long group) const
{
    return toCoordinate(saturatedAdd(groupTop(group), qint64(m_margin) + m_headerHeight));
}

unsigned long NewInnerWidget::firstGroupEndingAfter(qint64 y) const
{
    return static_cast<unsigned long>(
        std::upper_bound(m_maxBottoms.begin(), m_maxBottoms.end(), y) - m_maxBottoms.begin());
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

bool NewInnerWidget::visibleRange(
    qint64 top, qint64 bottom, CollectionViewIndex& first, CollectionViewIndex& last) const
{
    const unsigned long groups = static_cast<unsigned long>(m_itemCounts.size());
    const unsigned long firstGroup = firstGroupEndingAfter(top);
    if (bottom < top || firstGroup >= groups)
        return false;
    const qint64 firstItemsTop = m_groupTops[firstGroup] + m_headerHeight;
    unsigned long firstItem = 0;
    if (top > firstItemsTop + pitchY())
        firstItem = m_columns * static_cast<unsigned long>((top - firstItemsTop) / pitchY());
    first = CollectionViewIndex(firstGroup, firstItem);

    const unsigned long lastGroup = firstGroupEndingAfter(bottom);
    if (lastGroup >= groups) {
        last = CollectionViewIndex(groups - 1, m_itemCounts.back() - 1);
        return true;
    }
    const qint64 lastItemsTop = m_groupTops[lastGroup] + m_headerHeight;
    unsigned long lastItem = 0;
    if (bottom >= lastItemsTop) {
        const auto rowsCovered
            = static_cast<quint64>((bottom - lastItemsTop + pitchY()) / pitchY());
        lastItem = static_cast<unsigned long>(
                       std::min<quint64>(m_itemCounts[lastGroup], m_columns * rowsCovered))
            - 1;
    }
    last = CollectionViewIndex(lastGroup, lastItem);
    return true;
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

void NewInnerWidget::layOut(bool scrollOnly)
{
    const QRect bounds = visibleBounds();
    const int visibleWidth = std::max(0, bounds.width());

    if (!scrollOnly) {
        unsigned long columns = m_fixedColumns;
        if (columns == 0)
            columns = static_cast<unsigned long>(
                (qint64(visibleWidth) + m_horizontalSpacing) / pitchX());
        // More columns than the widest widget holds could never be shown.
        const auto widest = static_cast<unsigned long>(
            (qint64(QWIDGETSIZE_MAX) + m_horizontalSpacing) / pitchX());
        m_columns = std::clamp(columns, 1ul, std::max(1ul, widest));
        recomputeGroupTops();
        const qint64 width
            = qint64(m_columns) * pitchX() - m_horizontalSpacing + 2 * qint64(m_margin);
        const qint64 height = saturatedAdd(m_groupTops.back(), 2 * qint64(m_margin));
        m_contentSize = QSize(static_cast<int>(std::clamp<qint64>(width, 0, kMaxContentExtent)),
            static_cast<int>(std::clamp<qint64>(height, 0, kMaxContentExtent)));
        setMinimumSize(sizeHint());
    }

    CollectionViewIndex first;
    CollectionViewIndex last;
    const bool anyVisible = !bounds.isEmpty()
        && visibleRange(
            qint64(bounds.top()) - m_margin, qint64(bounds.bottom()) - m_margin, first, last);
    const auto inRange = [&](const CollectionViewIndex& index) {
        return anyVisible && !(index < first) && !(last < index);
    };

    m_newHeaders.clear();
    for (const auto& [group, header] : std::exchange(m_visibleHeaders, {})) {
        if (scrollOnly && anyVisible && group >= first.group && group <= last.group) {
            m_newHeaders.emplace(group, header);
        } else {
            header->setVisible(false);
            m_headerPool.push_back(header);
        }
    }

    m_newCells.clear();
    for (CollectionViewItem* cell : std::exchange(m_visibleItemList, {})) {
        if (scrollOnly && inRange(cell->index())) {
            m_newCells.emplace(cell->index(), cell);
        } else {
            cell->setVisible(false);
            m_itemPool.push_back(cell);
        }
    }

    const int gridWidth = toCoordinate(qint64(m_columns) * pitchX() - m_horizontalSpacing);
    const int spanWidth = std::max(visibleWidth, m_contentSize.width());
    const int x0 = m_centerItems ? (spanWidth - gridWidth) / 2 : m_margin;

    if (anyVisible && delegate()) {
        for (unsigned long g = first.group; g <= last.group && g < m_itemCounts.size(); ++g) {
            if (m_newHeaders.count(g) == 0)
                placeHeader(g, spanWidth - 2 * m_margin);
            if (!delegate())
                break;
            const unsigned long begin = g == first.group ? first.item : 0;
            for (unsigned long i = begin; i < m_itemCounts[g] && delegate(); ++i) {
                if (g == last.group && i > last.item)
                    break;
                const CollectionViewIndex index(g, i);
                if (m_newCells.count(index) == 0)
                    placeCell(index, x0);
            }
        }
    }

    m_visibleHeaders = std::exchange(m_newHeaders, {});
    m_visibleItemList.reserve(m_newCells.size());
    for (const auto& entry : m_newCells)
        m_visibleItemList.push_back(entry.second);
    m_newCells.clear();
}

void NewInnerWidget::placeHeader(unsigned long group, int width)
{
    QWidget* header = delegate()->headerForGroup(m_owner, group);
    if (!header)
        return;
    m_newHeaders[group] = header;
    adopt(header);
    header->setGeometry(
        m_margin, ComputeGroupTop(group) - m_headerHeight, std::max(0, width), m_headerHeight);
    header->setVisible(true);
}

void NewInnerWidget::placeCell(const CollectionViewIndex& index, int x0)
{
    CollectionViewItem* cell = delegate()->itemForIndex(m_owner, index);
    if (!cell)
        return;
    m_newCells[index] = cell;
    adopt(cell);
    const qint64 x = qint64(x0) + qint64(index.item % m_columns) * pitchX();
    const qint64 y
        = qint64(ComputeGroupTop(index.group)) + qint64(index.item / m_columns) * pitchY();
    cell->setGeometry(toCoordinate(x), toCoordinate(y), m_itemSize.width(), m_itemSize.height());
    cell->setIndex(index);
    cell->installEventFilter(this);
    cell->setSelected(m_selectionSet.count(index) != 0);
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
    m_groupCount = 0;
    m_itemCounts.clear();
    if (auto* d = delegate()) {
        // Past this many groups the content could not be scrolled to even with empty ones
        // of a pixel each; a larger count is taken as that many.
        m_groupCount = std::min<unsigned long>(d->groupCount(m_owner), QWIDGETSIZE_MAX);
        m_itemCounts.reserve(m_groupCount);
        for (unsigned long g = 0; g < m_groupCount && delegate(); ++g)
            m_itemCounts.push_back(d->itemCount(m_owner, g));
    }
    m_anchor = CollectionViewIndex();
    m_selectionSet.clear();
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
    const qint64 y
        = qint64(ComputeGroupTop(index.group)) + qint64(index.item / m_columns) * pitchY();
    m_owner.ensureVisible(0, toCoordinate(y), m_itemSize.width(), m_itemSize.height());
}

void NewInnerWidget::notifySelectionChanged()
{
    if (auto* d = delegate())
        d->selectionChanged(m_owner);
}

void NewInnerWidget::setSelection(const std::set<CollectionViewIndex>& selection)
{
    if (&selection != &m_selectionSet)
        m_selectionSet = selection;
    for (CollectionViewItem* cell : m_visibleItemList)
        cell->setSelected(m_selectionSet.count(cell->index()) != 0);
    m_anchor = m_selectionSet.empty() ? CollectionViewIndex() : *m_selectionSet.begin();
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
    m_selectionSet.clear();
    m_selectionSet.insert(index);
    cell->setSelected(true);
    notifySelectionChanged();
    m_anchor = index;
}

void NewInnerWidget::AddItemToSelection(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    m_selectionSet.insert(index);
    cell->setSelected(true);
    notifySelectionChanged();
    m_anchor = index;
}

void NewInnerWidget::UnselectItem(CollectionViewItem* cell)
{
    const CollectionViewIndex index = cell->index();
    cell->setSelected(false);
    m_selectionSet.erase(index);
    if (m_anchor == index)
        m_anchor = m_selectionSet.empty() ? CollectionViewIndex() : *m_selectionSet.begin();
    notifySelectionChanged();
}

void NewInnerWidget::UnselectAll()
{
    for (CollectionViewItem* cell : m_visibleItemList)
        cell->setSelected(false);
    m_selectionSet.clear();
}

bool NewInnerWidget::IsValid(const CollectionViewIndex& index) const
{
    return index.group != CollectionViewIndex::None && index.item != CollectionViewIndex::None
        && index.group < m_itemCounts.size() && index.item < m_itemCounts[index.group];
}

CollectionViewIndex NewInnerWidget::FindNextItem(const CollectionViewIndex& index) const
{
    if (!IsValid(index))
        return CollectionViewIndex();
    if (index.item + 1 < m_itemCounts[index.group])
        return CollectionViewIndex(index.group, index.item + 1);
    for (unsigned long g = index.group + 1; g < m_itemCounts.size(); ++g) {
        if (m_itemCounts[g] != 0)
            return CollectionViewIndex(g, 0);
    }
    return CollectionViewIndex();
}

CollectionViewIndex NewInnerWidget::FindPrevItem(const CollectionViewIndex& index) const
{
    if (!IsValid(index))
        return CollectionViewIndex();
    if (index.item > 0)
        return CollectionViewIndex(index.group, index.item - 1);
    for (unsigned long g = index.group; g-- > 0;) {
        if (m_itemCounts[g] != 0)
            return CollectionViewIndex(g, m_itemCounts[g] - 1);
    }
    return CollectionViewIndex();
}

CollectionViewIndex NewInnerWidget::FindNextRowItem(const CollectionViewIndex& index) const
{
    if (!IsValid(index))
        return CollectionViewIndex();
    const unsigned long column = index.item % m_columns;
    CollectionViewIndex next = FindNextItem(index);
    while (IsValid(next) && next.item % m_columns != column)
        next = FindNextItem(next);
    return next;
}

CollectionViewIndex NewInnerWidget::FindPrevRowItem(const CollectionViewIndex& index) const
{
    if (!IsValid(index))
        return CollectionViewIndex();
    const unsigned long column = index.item % m_columns;
    CollectionViewIndex prev = FindPrevItem(index);
    while (IsValid(prev) && prev.item % m_columns != column)
        prev = FindPrevItem(prev);
    return prev;
}

void NewInnerWidget::clearSelectionOnPress()
{
    UnselectAll();
    notifySelectionChanged();
}

void NewInnerWidget::selectRange(CollectionViewItem* cell)
{
    const auto from = std::find_if(m_selectionSet.begin(), m_selectionSet.end(),
        [this](const CollectionViewIndex& index) { return IsValid(index); });
    if (from == m_selectionSet.end()) {
        SelectSingleItem(cell);
        return;
    }
    const CollectionViewIndex clicked = cell->index();
    const CollectionViewIndex start = std::min(*from, clicked);
    const CollectionViewIndex end = std::max(*from, clicked);
    std::set<CollectionViewIndex> range;
    for (CollectionViewIndex index = start; IsValid(index) && !(end < index);
         index = FindNextItem(index))
        range.insert(range.end(), index);
    setSelection(range);
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
            if (m_selectionSet.empty())
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
    if (!(event->buttons() & Qt::LeftButton) || m_selectionSet.empty() || !delegate())
        return;
    QMimeData* data = delegate()->mimeDataForSelection(m_owner, m_selectionSet);
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
    if (!IsValid(m_anchor)) {
        const auto firstFilled = std::find_if(m_itemCounts.begin(), m_itemCounts.end(),
            [](unsigned long count) { return count != 0; });
        if (firstFilled == m_itemCounts.end())
            return;
        const CollectionViewIndex first(
            static_cast<unsigned long>(firstFilled - m_itemCounts.begin()), 0);
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
        target = FindPrevItem(m_anchor);
        break;
    case Qt::Key_Right:
        target = FindNextItem(m_anchor);
        break;
    case Qt::Key_Up:
        target = FindPrevRowItem(m_anchor);
        break;
    case Qt::Key_Down:
        target = FindNextRowItem(m_anchor);
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
