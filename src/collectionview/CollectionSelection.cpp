#include "collectionview/CollectionSelection.h"

#include "collectionview/CollectionGrid.h"

#include <algorithm>

namespace {

const std::set<CollectionViewIndex>& emptySet()
{
    static const std::set<CollectionViewIndex> empty;
    return empty;
}

} // namespace

CollectionSelection::CollectionSelection(const CollectionGrid& grid)
    : m_grid(grid)
{ }

const std::set<CollectionViewIndex>& CollectionSelection::indices(quint64 limit) const
{
    if (count() > limit)
        return emptySet();
    if (!m_setValid) {
        m_set.clear();
        for (const auto& [first, last] : m_runs) {
            for (CollectionViewIndex index = first; isValid(index); index = nextItem(index)) {
                m_set.insert(m_set.end(), index);
                if (index == last)
                    break;
            }
        }
        m_set.insert(m_strays.begin(), m_strays.end());
        m_setValid = true;
    }
    return m_set;
}

bool CollectionSelection::isOwnSet(const std::set<CollectionViewIndex>& indices) const
{
    return &indices == &m_set || &indices == &emptySet();
}

quint64 CollectionSelection::count() const
{
    quint64 total = m_strays.size();
    for (const auto& [first, last] : m_runs) {
        const quint64 items = m_grid.ordinal(last) - m_grid.ordinal(first) + 1;
        total = total > ~quint64(0) - items ? ~quint64(0) : total + items;
    }
    return total;
}

std::vector<CollectionSelection::Run> CollectionSelection::runs() const
{
    std::vector<Run> result(m_runs.begin(), m_runs.end());
    for (const CollectionViewIndex& stray : m_strays)
        result.emplace_back(stray, stray);
    std::inplace_merge(result.begin(), result.begin() + std::ptrdiff_t(m_runs.size()), result.end(),
        [](const Run& a, const Run& b) { return a.first < b.first; });
    return result;
}

bool CollectionSelection::contains(const CollectionViewIndex& index) const
{
    if (!isValid(index))
        return m_strays.count(index) != 0;
    auto run = m_runs.upper_bound(index);
    return run != m_runs.begin() && !(std::prev(run)->second < index);
}

void CollectionSelection::assign(const std::set<CollectionViewIndex>& indices)
{
    // The host may hand back the set it read from selection().
    if (isOwnSet(indices))
        return;
    clear();
    for (const CollectionViewIndex& index : indices) {
        if (!isValid(index))
            m_strays.insert(m_strays.end(), index);
        else if (!m_runs.empty() && nextItem(m_runs.rbegin()->second) == index)
            m_runs.rbegin()->second = index;
        else
            m_runs.emplace_hint(m_runs.end(), index, index);
    }
}

void CollectionSelection::insert(const CollectionViewIndex& index)
{
    if (contains(index))
        return;
    changed();
    if (!isValid(index)) {
        m_strays.insert(index);
        return;
    }
    // Joins the runs that end just before and start just after it.
    CollectionViewIndex first = index;
    CollectionViewIndex last = index;
    auto after = m_runs.upper_bound(index);
    if (after != m_runs.begin() && nextItem(std::prev(after)->second) == index) {
        first = std::prev(after)->first;
        m_runs.erase(std::prev(after));
    }
    if (after != m_runs.end() && prevItem(after->first) == index) {
        last = after->second;
        after = m_runs.erase(after);
    }
    m_runs.emplace_hint(after, first, last);
}

void CollectionSelection::erase(const CollectionViewIndex& index)
{
    if (!contains(index))
        return;
    changed();
    if (!isValid(index)) {
        m_strays.erase(index);
        return;
    }
    const auto run = std::prev(m_runs.upper_bound(index));
    const Run split = *run;
    m_runs.erase(run);
    if (split.first != index)
        m_runs.emplace(split.first, prevItem(index));
    if (split.second != index)
        m_runs.emplace(nextItem(index), split.second);
}

void CollectionSelection::clear()
{
    changed();
    m_runs.clear();
    m_strays.clear();
}

void CollectionSelection::assignSpan(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    clear();
    if (isValid(a) && isValid(b))
        m_runs.emplace(std::min(a, b), std::max(a, b));
}

void CollectionSelection::assignAll()
{
    assignSpan(firstItem(), lastItem());
}

void CollectionSelection::anchorAtFirst()
{
    const CollectionViewIndex run = m_runs.empty() ? CollectionViewIndex() : m_runs.begin()->first;
    if (m_strays.empty())
        m_anchor = run;
    else if (m_runs.empty())
        m_anchor = *m_strays.begin();
    else
        m_anchor = std::min(run, *m_strays.begin());
}

CollectionViewIndex CollectionSelection::firstValid() const
{
    return m_runs.empty() ? CollectionViewIndex() : m_runs.begin()->first;
}

bool CollectionSelection::isValid(const CollectionViewIndex& index) const
{
    // None fails too: no count reaches it, and a group past the last has no items.
    return index.item < m_grid.itemCount(index.group);
}

CollectionViewIndex CollectionSelection::firstItem() const
{
    return m_grid.indexOfOrdinal(0);
}

CollectionViewIndex CollectionSelection::lastItem() const
{
    const quint64 total = m_grid.itemTotal();
    return total == 0 ? CollectionViewIndex() : m_grid.indexOfOrdinal(total - 1);
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
