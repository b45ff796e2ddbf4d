#include <corvane/SeparatorLine.h>

SeparatorLine::SeparatorLine(QWidget* parent, char const* name)
    : QFrame(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
}
