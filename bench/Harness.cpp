#include "Harness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

namespace bench {

std::vector<Case>& registry()
{
    static std::vector<Case> cases;
    return cases;
}

bool registerCase(Case c)
{
    registry().push_back(std::move(c));
    return true;
}

void showAndPaint(QWidget* w)
{
    w->show();
    w->repaint();
}

namespace {
QElapsedTimer& clock()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
} // namespace

qint64 nowNs()
{
    return clock().nsecsElapsed();
}

double msSince(qint64 startNs)
{
    return double(nowNs() - startNs) / 1e6;
}

} // namespace bench
