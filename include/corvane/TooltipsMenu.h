#pragma once

#include <corvane/CorvaneExport.h>

#include <QMenu>

// A menu that shows each entry's tooltip while the pointer rests on it.
class CORVANE_WIDGETS_EXPORT TooltipsMenu : public QMenu
{
    Q_OBJECT
public:
    explicit TooltipsMenu(QWidget* parent = nullptr);

    bool event(QEvent* e) override;
};
