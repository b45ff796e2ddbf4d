#include "TwoLineInputLine.h"

#include <QStyle>

TwoLineInputLine::TwoLineInputLine(QString const& title, int titleWidth, QWidget* parent)
    : InputLine(title, parent)
    , m_titleWidth(titleWidth)
{
    setTitleWidth(m_titleWidth);
}

void TwoLineInputLine::setTwoLines(bool on)
{
    m_twoLines = on;
    style()->unpolish(this);
    style()->polish(this);
}
