#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <set>

class CollectionGrid;

// The selected indices of a collection view and its anchor, the current item that keys move
// from, with the walks over the grid's indices that keys and range selections take. It holds
// indices, not widgets, so the selection survives scrolling and recycling; the view keeps the
// placed cells' flags in step and tells the delegate.
//
// The walks step over empty groups, so every index they return is either valid or none.
class CORVANE_AUTOTEST_EXPORT CollectionSelection
{
public:
    explicit CollectionSelection(const CollectionGrid& grid);

    const std::set<CollectionViewIndex>& indices() const { return m_indices; }
    bool contains(const CollectionViewIndex& index) const { return m_indices.count(index) != 0; }
    void assign(const std::set<CollectionViewIndex>& indices);
    void insert(const CollectionViewIndex& index) { m_indices.insert(index); }
    void erase(const CollectionViewIndex& index) { m_indices.erase(index); }
    // Empties the set; the anchor stays.
    void clear() { m_indices.clear(); }

    CollectionViewIndex anchor() const { return m_anchor; }
    void setAnchor(const CollectionViewIndex& index) { m_anchor = index; }
    // Anchors at the smallest selected index, or at none.
    void anchorAtFirst();

    // The smallest selected index that is valid, or none.
    CollectionViewIndex firstValid() const;
    // Every index from `a` to `b`, either way round, stepping as nextItem() does.
    std::set<CollectionViewIndex> span(
        const CollectionViewIndex& a, const CollectionViewIndex& b) const;

    bool isValid(const CollectionViewIndex& index) const;
    // Item 0 of the first group that has items, or none.
    CollectionViewIndex firstItem() const;
    CollectionViewIndex nextItem(const CollectionViewIndex& index) const;
    CollectionViewIndex prevItem(const CollectionViewIndex& index) const;
    // The nearest item after (before) `index` in the same column; columns count within a group,
    // since every group starts a new row.
    CollectionViewIndex nextRowItem(const CollectionViewIndex& index) const;
    CollectionViewIndex prevRowItem(const CollectionViewIndex& index) const;

private:
    // Steps from `index` until an item in its column, or one that is not valid.
    CollectionViewIndex sameColumn(const CollectionViewIndex& index,
        CollectionViewIndex (CollectionSelection::*step)(const CollectionViewIndex&) const) const;

    const CollectionGrid& m_grid;
    std::set<CollectionViewIndex> m_indices;
    CollectionViewIndex m_anchor;
};
