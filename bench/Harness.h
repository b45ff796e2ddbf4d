#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace bench {

// One measured variant: given a size and a repetition count it returns the samples in
// milliseconds (one per repetition, or one per step for stepwise cases).
using Run = std::function<std::vector<double>(int size, int reps)>;

struct Case
{
    QString name; // e.g. "sheet.build"
    QString what; // one-line description for the table
    Run library;
    Run baseline;
    std::vector<int> sizes;
    std::vector<int> smokeSizes;
    int reps;
    // Sizes above this have no baseline (it cannot hold them); 0 when every size has one.
    int baselineLimit = 0;
};

std::vector<Case>& registry();
bool registerCase(Case c);

// Shows a top-level widget and returns once it has been exposed and painted for the first time.
void showAndPaint(QWidget* w);
void waitExposed(QWidget* w);

// A measured stretch runs from nowNs() to msSince(). Under callgrind (--callgrind) only the
// instructions inside such stretches are counted, so the two are always called in pairs.
qint64 nowNs();
double msSince(qint64 startNs);

} // namespace bench
