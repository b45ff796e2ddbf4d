#pragma once

/// @file
/// TooltipsMenu, a menu that shows its entries' tooltips.

#include <corvane/CorvaneExport.h>

#include <QMenu>

/// A menu that shows each entry's tooltip (QAction::toolTip()) while the pointer rests on it.
class CORVANE_WIDGETS_EXPORT TooltipsMenu : public QMenu
{
    Q_OBJECT
public:
    /// An empty menu.
    explicit TooltipsMenu(QWidget* parent = nullptr);

    /// Shows the tooltip of the entry under the pointer on QEvent::ToolTip.
    bool event(QEvent* e) override;
};
