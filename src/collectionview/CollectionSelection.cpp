#include "collectionview/CollectionSelection.h"

#include "collectionview/CollectionGrid.h"

#include <algorithm>

CollectionSelection::CollectionSelection(const CollectionGrid& grid)
    : m_grid(grid)
{ }

void CollectionSelection::assign(const std::set<CollectionViewIndex>& indices)
{
    // The host may hand back the set it read from selection().
    if (&indices != &m_indices)
        m_indices = indices;
}

void CollectionSelection::anchorAtFirst()
{
    m_anchor = m_indices.empty() ? CollectionViewIndex() : *m_indices.begin();
}

CollectionViewIndex CollectionSelection::firstValid() const
{
    const auto it = std::find_if(m_indices.begin(), m_indices.end(),
        [this](const CollectionViewIndex& index) { return isValid(index); });
    return it == m_indices.end() ? CollectionViewIndex() : *it;
}

std::set<CollectionViewIndex> CollectionSelection::span(
    const CollectionViewIndex& a, const CollectionViewIndex& b) const
{
    const CollectionViewIndex end = std::max(a, b);
    std::set<CollectionViewIndex> result;
    for (CollectionViewIndex index = std::min(a, b); isValid(index) && !(end < index);
         index = nextItem(index))
        result.insert(result.end(), index);
    return result;
}

bool CollectionSelection::isValid(const CollectionViewIndex& index) const
{
    // None fails too: no count reaches it, and a group past the last has no items.
    return index.item < m_grid.itemCount(index.group);
}

CollectionViewIndex CollectionSelection::firstItem() const
{
    const std::vector<unsigned long>& counts = m_grid.itemCounts();
    const auto filled = std::find_if(
        counts.begin(), counts.end(), [](unsigned long count) { return count != 0; });
    if (filled == counts.end())
        return CollectionViewIndex();
    return CollectionViewIndex(static_cast<unsigned long>(filled - counts.begin()), 0);
}

CollectionViewIndex CollectionSelection::nextItem(const CollectionViewIndex& index) const
{
    if (!isValid(index))
        return CollectionViewIndex();
    if (index.item + 1 < m_grid.itemCount(index.group))
        return CollectionViewIndex(index.group, index.item + 1);
    for (unsigned long g = index.group + 1; g < m_grid.groupCount(); ++g) {
        if (m_grid.itemCount(g) != 0)
            return CollectionViewIndex(g, 0);
    }
    return CollectionViewIndex();
}

CollectionViewIndex CollectionSelection::prevItem(const CollectionViewIndex& index) const
{
    if (!isValid(index))
        return CollectionViewIndex();
    if (index.item > 0)
        return CollectionViewIndex(index.group, index.item - 1);
    for (unsigned long g = index.group; g-- > 0;) {
        if (m_grid.itemCount(g) != 0)
            return CollectionViewIndex(g, m_grid.itemCount(g) - 1);
    }
    return CollectionViewIndex();
}

CollectionViewIndex CollectionSelection::nextRowItem(const CollectionViewIndex& index) const
{
    return sameColumn(index, &CollectionSelection::nextItem);
}

CollectionViewIndex CollectionSelection::prevRowItem(const CollectionViewIndex& index) const
{
    return sameColumn(index, &CollectionSelection::prevItem);
}

CollectionViewIndex CollectionSelection::sameColumn(const CollectionViewIndex& index,
    CollectionViewIndex (CollectionSelection::*step)(const CollectionViewIndex&) const) const
{
    if (!isValid(index))
        return CollectionViewIndex();
    const unsigned long column = index.item % m_grid.columns();
    CollectionViewIndex found = (this->*step)(index);
    while (isValid(found) && found.item % m_grid.columns() != column)
        found = (this->*step)(found);
    return found;
}
