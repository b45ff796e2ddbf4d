#pragma once

#include <corvane/InputLine.h>

// InputLine leaves its layout option to the deriving class. This one keeps a fixed title column
// so that rows line up, and names the option through the `two_lines` property, from which the
// style sheet draws the title as a heading.
class TwoLineInputLine : public InputLine
{
    Q_OBJECT
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    TwoLineInputLine(QString const& title, int titleWidth, QWidget* parent = nullptr);

    void setTwoLines(bool on) override;
    bool isTwoLines() const { return m_twoLines; }

private:
    int m_titleWidth;
    bool m_twoLines = false;
};
