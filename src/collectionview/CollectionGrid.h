#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <QSize>

#include <vector>

// Where a collection view's groups, headers and cells lie and which of them a band of the
// content shows. Every group starts with a header band and its cells follow in rows; the
// content has a margin on all four sides.
//
// Positions are content coordinates: 64-bit, from the content's top-left corner, margins
// included, saturating far beyond any widget. The view converts them to widget coordinates
// where it places widgets. Widths always fit a widget: the grid never has more columns than
// the widest widget holds. Right to left, a row starts at the right: x mirrors within the wider
// of the visible width and the content; nothing else changes.
//
// Items are also counted through all groups (an item's ordinal), so that runs of items and
// counts need no walk over them.
class CORVANE_AUTOTEST_EXPORT CollectionGrid
{
public:
    // The largest size a widget can take: Qt reads a minimum of QWIDGETSIZE_MAX as no minimum.
    static constexpr int MaxExtent = QWIDGETSIZE_MAX - 1;

    // A rectangle of the content.
    struct Rect
    {
        qint64 x = 0;
        qint64 y = 0;
        int width = 0;
        int height = 0;
    };

    // The indices a pass places for a band of the content, in index order from first to last.
    // Both are none when the band meets no group. `last` may lie in a group's header band, as
    // item 0 of that group.
    struct Range
    {
        CollectionViewIndex first;
        CollectionViewIndex last;

        bool isEmpty() const { return first == CollectionViewIndex(); }
        bool contains(const CollectionViewIndex& index) const;
        bool containsGroup(unsigned long group) const;
    };

    // Negative sizes count as 0, sizes past a widget's as a widget's.
    CollectionGrid(const QSize& itemSize, int horizontalSpacing, int verticalSpacing,
        int headerHeight, unsigned long fixedColumns, bool centerItems, int margin);

    void setItemCounts(std::vector<unsigned long> counts);
    unsigned long groupCount() const { return static_cast<unsigned long>(m_itemCounts.size()); }
    unsigned long itemCount(unsigned long group) const;
    const std::vector<unsigned long>& itemCounts() const { return m_itemCounts; }

    // Sets the columns for a visible width: the fixed count, or as many as fit, at least one.
    void fitColumns(int visibleWidth);
    unsigned long columns() const { return m_columns; }
    void setRightToLeft(bool rightToLeft) { m_rightToLeft = rightToLeft; }
    bool isRightToLeft() const { return m_rightToLeft; }

    // The number of items in all groups, and the ordinal of a valid index among them (both
    // saturate past 2^64 items).
    quint64 itemTotal() const { return itemsBefore().back(); }
    quint64 ordinal(const CollectionViewIndex& index) const;
    // The index of an ordinal, or none past the last item.
    CollectionViewIndex indexOfOrdinal(quint64 ordinal) const;

    QSize itemSize() const { return m_itemSize; }
    qint64 pitchX() const;
    qint64 pitchY() const;
    int contentWidth() const;
    qint64 contentHeight() const;

    // The top of a group's first cell row; past the last group, the end of the content less the
    // margin and one header.
    qint64 groupTop(unsigned long group) const;
    // The top of the row that holds `index`.
    qint64 rowTop(const CollectionViewIndex& index) const;
    // The left of the first column: the margin, or centred in the wider of the visible width and
    // the content.
    int x0(int visibleWidth) const;
    Rect cellRect(const CollectionViewIndex& index, int visibleWidth) const;
    Rect headerRect(unsigned long group, int visibleWidth) const;

    // The item in `column` of the row at content y, or the last item of that row when it is
    // shorter; above the first row the first row's, below the last row the last row's. Empty
    // groups are stepped over (towards the end, then back). None without items.
    CollectionViewIndex itemNear(qint64 y, unsigned long column) const;
    // The index whose cell holds the content point, or none.
    CollectionViewIndex indexAt(qint64 x, qint64 y, int visibleWidth) const;

    // The indices a pass places for the band from `top` to `bottom` (inclusive). It starts at the
    // row whose pitch (the row and the spacing below it) holds `top`, or at item 0 while `top` is
    // at most one pitch below the group's first row. It ends with the row that holds `bottom`,
    // at item 0 of the group whose header band holds it, or at the last item of the content.
    Range visibleRange(qint64 top, qint64 bottom) const;

private:
    const std::vector<quint64>& itemsBefore() const;
    qint64 rowsHeight(quint64 rows) const;
    qint64 blockHeight(unsigned long group) const;
    void recomputeGroupTops();
    unsigned long firstGroupEndingAfter(qint64 y) const;

    QSize m_itemSize;
    int m_horizontalSpacing;
    int m_verticalSpacing;
    int m_headerHeight;
    unsigned long m_fixedColumns;
    bool m_centerItems;
    int m_margin;
    unsigned long m_columns;
    bool m_rightToLeft = false;
    std::vector<unsigned long> m_itemCounts;
    // Items before each group, one past the last group giving the total; counted when asked.
    mutable std::vector<quint64> m_itemsBefore;
    // Top of each group's header band (without the margin), one past the last group giving the
    // content height. The visible range is searched in the group bottoms; where some group ends
    // above the one before it (an empty group whose spacing exceeds its header), in their
    // running maximum, kept only then.
    std::vector<qint64> m_groupTops;
    std::vector<qint64> m_maxBottoms;
};
