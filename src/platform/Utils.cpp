#include "platform/Utils_p.h"

#include "platform/ThemeRegistry.h"

#include <corvane/Utils.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// A window keeps its place when more than this many square pixels of it (50 x 50) lie on one
// screen; otherwise it is centred on the primary screen.
constexpr qint32 MinVisibleArea = 2500;

} // namespace

void forceStyles(QWidget* widget)
{
    ThemeRegistry::instance().restyle(widget, true);
}

QRect AdjustWindowRectToScreens(QRect rect)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        const QRect overlap = rect.intersected(screen->geometry());
        // A 32-bit product, as the overlap of real screens never exceeds it.
        const qint32 area = overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
        if (area > MinVisibleArea)
            return rect;
    }

    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect geometry = primary ? primary->geometry() : QRect();
    rect.moveCenter(
        QPoint((geometry.left() + geometry.right()) / 2, (geometry.top() + geometry.bottom()) / 2));
    return rect;
}

void ActivateWindow(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->activateWindow();
    QApplication::alert(window, 0);
}
