#include "Harness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

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
    waitExposed(w);
}

void waitExposed(QWidget* w)
{
    // Until the platform has exposed the window nothing is painted at all; handling the expose
    // event paints the window synchronously.
    while (!w->windowHandle() || !w->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
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
    const qint64 now = clock().nsecsElapsed();
    CALLGRIND_TOGGLE_COLLECT;
    return now;
}

double msSince(qint64 startNs)
{
    CALLGRIND_TOGGLE_COLLECT;
    return double(clock().nsecsElapsed() - startNs) / 1e6;
}

} // namespace bench
