#include "collectionview/CollectionGrid.h"

#include <algorithm>
#include <utility>

namespace {

// Content positions saturate here: far beyond any widget, far below qint64 overflow.
constexpr qint64 PositionLimit = qint64(1) << 60;

int boundedExtent(int value)
{
    return qBound(0, value, QWIDGETSIZE_MAX);
}

qint64 saturated(qint64 value)
{
    return qBound(-PositionLimit, value, PositionLimit);
}

// Both terms stay within a few times the limit, so the sum itself cannot overflow.
qint64 saturatedAdd(qint64 a, qint64 b)
{
    return saturated(a + b);
}

quint64 saturatedCount(quint64 a, quint64 b)
{
    return a > ~quint64(0) - b ? ~quint64(0) : a + b;
}

} // namespace

bool CollectionGrid::Range::contains(const CollectionViewIndex& index) const
{
    return !isEmpty() && !(index < first) && !(last < index);
}

bool CollectionGrid::Range::containsGroup(unsigned long group) const
{
    return !isEmpty() && group >= first.group && group <= last.group;
}

CollectionGrid::CollectionGrid(const QSize& itemSize, int horizontalSpacing, int verticalSpacing,
    int headerHeight, unsigned long fixedColumns, bool centerItems, int margin)
    : m_itemSize(boundedExtent(itemSize.width()), boundedExtent(itemSize.height()))
    , m_horizontalSpacing(boundedExtent(horizontalSpacing))
    , m_verticalSpacing(boundedExtent(verticalSpacing))
    , m_headerHeight(boundedExtent(headerHeight))
    , m_fixedColumns(std::min<unsigned long>(fixedColumns, QWIDGETSIZE_MAX))
    , m_centerItems(centerItems)
    , m_margin(boundedExtent(margin))
    , m_columns(std::max(1ul, m_fixedColumns))
{
    recomputeGroupTops();
}

void CollectionGrid::setItemCounts(std::vector<unsigned long> counts)
{
    m_itemCounts = std::move(counts);
    m_itemsBefore.clear();
    recomputeGroupTops();
}

const std::vector<quint64>& CollectionGrid::itemsBefore() const
{
    // Counted when first asked for: a reload and its first paint need none of it.
    if (m_itemsBefore.size() != m_itemCounts.size() + 1) {
        m_itemsBefore.clear();
        m_itemsBefore.reserve(m_itemCounts.size() + 1);
        quint64 before = 0;
        m_itemsBefore.push_back(before);
        for (unsigned long count : m_itemCounts)
            m_itemsBefore.push_back(before = saturatedCount(before, count));
    }
    return m_itemsBefore;
}

quint64 CollectionGrid::ordinal(const CollectionViewIndex& index) const
{
    return saturatedCount(itemsBefore()[index.group], index.item);
}

CollectionViewIndex CollectionGrid::indexOfOrdinal(quint64 ordinal) const
{
    if (ordinal >= itemTotal())
        return CollectionViewIndex();
    // The last group that starts at or before the ordinal: empty groups start where the next
    // one does, so this is the one that holds it.
    const std::vector<quint64>& before = itemsBefore();
    const auto after = std::upper_bound(before.begin(), before.end(), ordinal);
    const auto group = static_cast<unsigned long>(after - before.begin() - 1);
    const quint64 item = std::min<quint64>(ordinal - before[group], itemCount(group) - 1);
    return CollectionViewIndex(group, static_cast<unsigned long>(item));
}

unsigned long CollectionGrid::itemCount(unsigned long group) const
{
    return group < m_itemCounts.size() ? m_itemCounts[group] : 0;
}

void CollectionGrid::fitColumns(int visibleWidth)
{
    unsigned long columns = m_fixedColumns;
    if (columns == 0)
        columns = static_cast<unsigned long>(
            (qint64(std::max(0, visibleWidth)) + m_horizontalSpacing) / pitchX());
    // More columns than the widest widget holds could never be shown.
    const auto widest
        = static_cast<unsigned long>((qint64(QWIDGETSIZE_MAX) + m_horizontalSpacing) / pitchX());
    columns = std::clamp(columns, 1ul, std::max(1ul, widest));
    // The tops take a walk over every group: only a new column count moves them.
    if (std::exchange(m_columns, columns) != columns)
        recomputeGroupTops();
}

qint64 CollectionGrid::pitchX() const
{
    return std::max<qint64>(1, qint64(m_itemSize.width()) + m_horizontalSpacing);
}

qint64 CollectionGrid::pitchY() const
{
    return std::max<qint64>(1, qint64(m_itemSize.height()) + m_verticalSpacing);
}

int CollectionGrid::contentWidth() const
{
    const qint64 width = qint64(m_columns) * pitchX() - m_horizontalSpacing + 2 * qint64(m_margin);
    return static_cast<int>(std::clamp<qint64>(width, 0, MaxExtent));
}

qint64 CollectionGrid::contentHeight() const
{
    return saturatedAdd(m_groupTops.back(), 2 * qint64(m_margin));
}

qint64 CollectionGrid::rowsHeight(quint64 rows) const
{
    if (rows >= quint64(PositionLimit / pitchY()))
        return PositionLimit;
    return qint64(rows) * pitchY();
}

qint64 CollectionGrid::blockHeight(unsigned long group) const
{
    const unsigned long count = m_itemCounts[group];
    const quint64 rows = count / m_columns + (count % m_columns != 0 ? 1 : 0);
    return saturatedAdd(rowsHeight(rows), -qint64(m_verticalSpacing));
}

void CollectionGrid::recomputeGroupTops()
{
    // Runs once per group of a reload or a new column count: a plain loop, and one division for
    // each run of groups of the same count.
    const std::size_t groups = m_itemCounts.size();
    m_groupTops.clear();
    m_groupTops.reserve(groups + 1);
    m_groupTops.push_back(0);
    m_maxBottoms.clear();
    qint64 top = 0;
    bool descends = false;
    bool known = false;
    unsigned long knownCount = 0;
    qint64 block = 0;
    for (std::size_t g = 0; g < groups; ++g) {
        if (!known || m_itemCounts[g] != knownCount) {
            known = true;
            knownCount = m_itemCounts[g];
            block = blockHeight(static_cast<unsigned long>(g));
        }
        // Each term stays below 2^61, so the sum cannot overflow before it saturates.
        const qint64 bottom = saturated(top + m_headerHeight + block);
        descends = descends || bottom < top;
        m_groupTops.push_back(top = bottom);
    }
    if (!descends)
        return;
    m_maxBottoms.reserve(groups);
    for (std::size_t g = 1; g <= groups; ++g)
        m_maxBottoms.push_back(
            std::max(m_maxBottoms.empty() ? m_groupTops[g] : m_maxBottoms.back(), m_groupTops[g]));
}

qint64 CollectionGrid::groupTop(unsigned long group) const
{
    const size_t g = std::min<size_t>(group, m_groupTops.size() - 1);
    return saturatedAdd(m_groupTops[g], qint64(m_margin) + m_headerHeight);
}

qint64 CollectionGrid::rowTop(const CollectionViewIndex& index) const
{
    return saturatedAdd(groupTop(index.group), rowsHeight(index.item / m_columns));
}

int CollectionGrid::x0(int visibleWidth) const
{
    if (!m_centerItems)
        return m_margin;
    // The column count keeps the cells' span within a widget's width.
    const qint64 cells = qint64(m_columns) * pitchX() - m_horizontalSpacing;
    return static_cast<int>((std::max(visibleWidth, contentWidth()) - cells) / 2);
}

CollectionGrid::Rect CollectionGrid::cellRect(
    const CollectionViewIndex& index, int visibleWidth) const
{
    qint64 x = x0(visibleWidth) + qint64(index.item % m_columns) * pitchX();
    if (m_rightToLeft)
        x = std::max(visibleWidth, contentWidth()) - x - m_itemSize.width();
    return { x, rowTop(index), m_itemSize.width(), m_itemSize.height() };
}

CollectionGrid::Rect CollectionGrid::headerRect(unsigned long group, int visibleWidth) const
{
    const int width = std::max(visibleWidth, contentWidth()) - 2 * m_margin;
    return { m_margin, saturatedAdd(groupTop(group), -qint64(m_headerHeight)), std::max(0, width),
        m_headerHeight };
}

unsigned long CollectionGrid::firstGroupEndingAfter(qint64 y) const
{
    return static_cast<unsigned long>(m_maxBottoms.empty()
            ? std::upper_bound(m_groupTops.begin() + 1, m_groupTops.end(), y) - m_groupTops.begin()
                - 1
            : std::upper_bound(m_maxBottoms.begin(), m_maxBottoms.end(), y) - m_maxBottoms.begin());
}

CollectionViewIndex CollectionGrid::itemNear(qint64 y, unsigned long column) const
{
    if (itemTotal() == 0)
        return CollectionViewIndex();
    const qint64 t = saturated(y) - m_margin;
    const unsigned long groups = groupCount();
    unsigned long group = firstGroupEndingAfter(t);
    while (group < groups && m_itemCounts[group] == 0)
        ++group;
    const bool pastEnd = group >= groups;
    if (pastEnd) {
        group = groups - 1;
        while (m_itemCounts[group] == 0)
            --group;
    }
    const unsigned long count = m_itemCounts[group];
    const quint64 rows = count / m_columns + (count % m_columns != 0 ? 1 : 0);
    const qint64 itemsTop = m_groupTops[group] + m_headerHeight;
    quint64 row = 0;
    if (pastEnd)
        row = rows - 1;
    else if (t > itemsTop)
        row = std::min<quint64>(quint64((t - itemsTop) / pitchY()), rows - 1);
    const quint64 item = row * m_columns + std::min(column, m_columns - 1);
    return CollectionViewIndex(
        group, static_cast<unsigned long>(std::min<quint64>(item, count - 1)));
}

CollectionViewIndex CollectionGrid::indexAt(qint64 x, qint64 y, int visibleWidth) const
{
    const qint64 t = saturated(y) - m_margin;
    const unsigned long group = firstGroupEndingAfter(t);
    if (group >= groupCount())
        return CollectionViewIndex();
    const qint64 intoRows = t - (m_groupTops[group] + m_headerHeight);
    // Mirrored, a cell spans the mirror image of its left-to-right span.
    const qint64 logicalX
        = m_rightToLeft ? std::max(visibleWidth, contentWidth()) - 1 - saturated(x) : saturated(x);
    const qint64 intoColumns = logicalX - x0(visibleWidth);
    if (intoRows < 0 || intoRows % pitchY() >= m_itemSize.height() || intoColumns < 0
        || intoColumns % pitchX() >= m_itemSize.width()
        || quint64(intoColumns / pitchX()) >= m_columns)
        return CollectionViewIndex();
    const quint64 item = quint64(intoRows / pitchY()) * m_columns + quint64(intoColumns / pitchX());
    if (item >= m_itemCounts[group])
        return CollectionViewIndex();
    return CollectionViewIndex(group, static_cast<unsigned long>(item));
}

CollectionGrid::Range CollectionGrid::visibleRange(qint64 top, qint64 bottom) const
{
    // The walk measures from below the top margin.
    const qint64 t = saturated(top) - m_margin;
    const qint64 b = saturated(bottom) - m_margin;
    const unsigned long groups = groupCount();
    const unsigned long firstGroup = firstGroupEndingAfter(t);
    if (b < t || firstGroup >= groups)
        return {};
    Range range;
    const qint64 firstItemsTop = m_groupTops[firstGroup] + m_headerHeight;
    unsigned long firstItem = 0;
    if (t > firstItemsTop + pitchY())
        firstItem = m_columns * static_cast<unsigned long>((t - firstItemsTop) / pitchY());
    range.first = CollectionViewIndex(firstGroup, firstItem);

    const unsigned long lastGroup = firstGroupEndingAfter(b);
    if (lastGroup >= groups) {
        range.last = CollectionViewIndex(groups - 1, m_itemCounts.back() - 1);
        return range;
    }
    const qint64 lastItemsTop = m_groupTops[lastGroup] + m_headerHeight;
    unsigned long lastItem = 0;
    if (b >= lastItemsTop) {
        // The items up to the end of the row that holds b, without overflowing past the count.
        const auto rows = quint64((b - lastItemsTop + pitchY()) / pitchY());
        const unsigned long count = m_itemCounts[lastGroup];
        lastItem
            = (rows > count / m_columns ? count : static_cast<unsigned long>(rows) * m_columns) - 1;
    }
    range.last = CollectionViewIndex(lastGroup, lastItem);
    return range;
}
