#include <corvane/TooltipsMenu.h>

#include <QAction>
#include <QHelpEvent>
#include <QToolTip>

TooltipsMenu::TooltipsMenu(QWidget* parent)
    : QMenu(parent)
{ }

bool TooltipsMenu::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        if (QAction* action = actionAt(help->pos())) {
            QToolTip::showText(help->globalPos(), action->toolTip(), this);
            return true;
        }
    }
    return QMenu::event(e);
}
