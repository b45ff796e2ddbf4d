#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

class CollectionGrid;

// The selected indices of a collection view and its anchor, the current item that keys move
// from, with the walks over the grid's indices that keys and range selections take. It holds
// indices, not widgets, so the selection survives scrolling and recycling; the view keeps the
// placed cells' flags in step and tells the delegate.
//
// Selected items are kept as runs: a run holds every item from its first to its last index, so
// selecting a range or everything costs the same for ten items as for a billion. Indices that
// are not valid (a host may select any) are kept one by one, as given. The selection reads as a
// std::set only while it is small enough to be handed over.
//
// The walks step over empty groups, so every index they return is either valid or none.
class CORVANE_AUTOTEST_EXPORT CollectionSelection
{
public:
    using Run = std::pair<CollectionViewIndex, CollectionViewIndex>;

    explicit CollectionSelection(const CollectionGrid& grid);

    // Every selected index while there are at most `limit` of them, else an empty set.
    const std::set<CollectionViewIndex>& indices(quint64 limit) const;
    // Whether `indices` is a set this object handed out.
    bool isOwnSet(const std::set<CollectionViewIndex>& indices) const;
    quint64 count() const;
    // The selection in ascending runs; an index that is not valid is a run of its own.
    std::vector<Run> runs() const;
    bool contains(const CollectionViewIndex& index) const;
    void assign(const std::set<CollectionViewIndex>& indices);
    void insert(const CollectionViewIndex& index);
    void erase(const CollectionViewIndex& index);
    // Empties the selection; the anchor stays.
    void clear();
    // Selects every item from `a` to `b`, either way round, and nothing else. Both are valid.
    void assignSpan(const CollectionViewIndex& a, const CollectionViewIndex& b);
    void assignAll();

    CollectionViewIndex anchor() const { return m_anchor; }
    void setAnchor(const CollectionViewIndex& index) { m_anchor = index; }
    // Anchors at the smallest selected index, or at none.
    void anchorAtFirst();

    // The smallest selected index that is valid, or none.
    CollectionViewIndex firstValid() const;

    bool isValid(const CollectionViewIndex& index) const;
    // Item 0 of the first group that has items (the last item of the last), or none.
    CollectionViewIndex firstItem() const;
    CollectionViewIndex lastItem() const;
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
    void changed() { m_setValid = false; }

    const CollectionGrid& m_grid;
    // First index to last, disjoint and never adjacent, both ends valid.
    std::map<CollectionViewIndex, CollectionViewIndex> m_runs;
    std::set<CollectionViewIndex> m_strays;
    CollectionViewIndex m_anchor;
    // What indices() handed out, rebuilt after a change.
    mutable std::set<CollectionViewIndex> m_set;
    mutable bool m_setValid = true;
};
