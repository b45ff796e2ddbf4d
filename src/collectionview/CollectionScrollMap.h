#pragma once

#include <corvane/CorvaneExport.h>

#include <QWidget>

#include <climits>

// How a vertical scroll bar, whose values are ints, covers a scrolling distance that may not fit
// them: one bar unit per pixel while the distance fits the bar, proportionally beyond. The
// distance itself is exact: the last bar value is the last offset, and offsets that the view
// sets are kept as they are, only the bar rounding them.
class CORVANE_AUTOTEST_EXPORT CollectionScrollMap
{
public:
    // The largest bar maximum; adding a page step of a widget's height to it still fits an int.
    static constexpr int BarLimit = INT_MAX - QWIDGETSIZE_MAX;

    explicit CollectionScrollMap(qint64 maxOffset = 0);

    qint64 maxOffset() const { return m_maxOffset; }
    int barMaximum() const { return m_barMaximum; }
    bool isScaled() const { return m_maxOffset > m_barMaximum; }
    // The offset a bar value stands for: exact at both ends, increasing in between.
    qint64 offset(int barValue) const;
    // The bar value that shows an offset: the largest whose offset is not past it.
    int barValue(qint64 offset) const;

private:
    qint64 m_maxOffset;
    int m_barMaximum;
};
