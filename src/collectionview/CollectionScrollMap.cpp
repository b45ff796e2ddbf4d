#include "collectionview/CollectionScrollMap.h"

#include <algorithm>

CollectionScrollMap::CollectionScrollMap(qint64 maxOffset)
    : m_maxOffset(std::max<qint64>(0, maxOffset))
    , m_barMaximum(static_cast<int>(std::min<qint64>(m_maxOffset, BarLimit)))
{ }

qint64 CollectionScrollMap::offset(int barValue) const
{
    const qint64 v = std::clamp(barValue, 0, m_barMaximum);
    if (!isScaled())
        return v;
    // v * maxOffset / barMaximum without overflowing: the remainder's product stays below 2^62.
    const qint64 whole = m_maxOffset / m_barMaximum;
    const qint64 rest = m_maxOffset % m_barMaximum;
    return v * whole + v * rest / m_barMaximum;
}

int CollectionScrollMap::barValue(qint64 offset) const
{
    if (!isScaled())
        return static_cast<int>(std::clamp<qint64>(offset, 0, m_barMaximum));
    // Scaled, each bar step covers at least one pixel, so a search finds the one bar value.
    int low = 0;
    int high = m_barMaximum;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (this->offset(mid) <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}
