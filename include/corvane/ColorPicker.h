#pragma once

#include <corvane/CorvaneExport.h>

#include <QColor>
#include <QFrame>

class ColorPicker_PushButton;

// A titled colour swatch. Clicking the swatch opens the colour dialog; an accepted choice is
// announced with colorChanged(). While disabled through setEnabled() the swatch shows grey.
class CORVANE_WIDGETS_EXPORT ColorPicker : public QFrame
{
    Q_OBJECT
public:
    explicit ColorPicker(QString const& title, QWidget* parent = nullptr);

    void makeGui(QString const& title);
    void connectAll();

    void setValue(QColor const& color);
    void setColor(QColor const& color);
    QColor getValue();

    // Mixed: the picker stands for several colours that differ. The swatch is hatched and its
    // accessible description reads "Mixed"; the dialog starts from the colour last set. A colour
    // chosen in the dialog, setColor() and setValue() end the state; setEnabled() keeps it.
    void setMixed(bool mixed);
    bool isMixed() const;

    // Hides QWidget::setEnabled so that the swatch can turn grey; called through a QWidget
    // pointer it enables and disables without touching the swatch.
    void setEnabled(bool enabled);

Q_SIGNALS:
    void colorChanged(QColor const& color);

private:
    void showColor();

    QColor m_color;
    ColorPicker_PushButton* m_button;
    bool m_enabled;
};
