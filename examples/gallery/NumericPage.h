#pragma once

#include <QWidget>

class IInputLine;
class QBoxLayout;
class QLabel;

// The numeric rows: InputLine with its popup slider or spinner, and stand-alone InputLineSlider
// rows in each of their layouts. A read-out follows every change.
class NumericPage : public QWidget
{
    Q_OBJECT
public:
    explicit NumericPage(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void watch(IInputLine* row, QString const& name);

    QLabel* m_readout;
    QBoxLayout* m_columns;
};
