#include <corvane/Theme.h>

#include "platform/ThemeRegistry.h"

namespace corvane {

void setTheme(QString const& css)
{
    ThemeRegistry::instance().setHostText(css);
}

void resetTheme()
{
    ThemeRegistry::instance().useResource();
}

QString theme()
{
    return ThemeRegistry::instance().text();
}

void applyTheme(QWidget* widget)
{
    if (widget)
        ThemeRegistry::instance().carry(widget);
}

void setSharedTheme(bool on)
{
    ThemeRegistry::instance().setShared(on);
}

bool sharedTheme()
{
    return ThemeRegistry::instance().shared();
}

} // namespace corvane
