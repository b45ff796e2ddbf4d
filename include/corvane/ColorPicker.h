#pragma once

/// @file
/// ColorPicker, a titled colour swatch.

#include <corvane/CorvaneExport.h>

#include <QColor>
#include <QFrame>

class ColorPicker_PushButton;

/// A titled colour swatch. Clicking the swatch, or Space, Return or Enter on it, opens a
/// QColorDialog; an accepted choice is announced with colorChanged(). While disabled through
/// setEnabled() the swatch shows light grey. The property sheet's `color` rows are ColorPickers.
///
/// Theming: class `ColorPicker`; the swatch is a push button named "button".
class CORVANE_WIDGETS_EXPORT ColorPicker : public QFrame
{
    Q_OBJECT
public:
    /// A picker titled `title`, its swatch white until a colour is set.
    explicit ColorPicker(QString const& title, QWidget* parent = nullptr);

    /// Builds the title and the swatch; the constructor calls it, later calls change nothing.
    void makeGui(QString const& title);
    /// Forwards the swatch's choices to colorChanged(); the constructor calls it.
    void connectAll();

    /// Same as setColor().
    void setValue(QColor const& color);
    /// Shows `color` and ends the mixed state; emits nothing.
    void setColor(QColor const& color);
    /// The colour the swatch shows: the last one set or chosen, or light grey while disabled.
    QColor getValue();

    /// Mixed: the picker stands for several colours that differ. The swatch is hatched and its
    /// accessible description reads "Mixed"; the dialog starts from the colour last set. A colour
    /// chosen in the dialog, setColor() and setValue() end the state; setEnabled() keeps it.
    void setMixed(bool mixed);
    /// Whether the picker is in the mixed state.
    bool isMixed() const;

    /// Hides QWidget::setEnabled so that the swatch can turn grey; called through a QWidget
    /// pointer it enables and disables without touching the swatch.
    void setEnabled(bool enabled);

Q_SIGNALS:
    /// The user accepted `color` in the dialog, even if it was the colour shown. Never emitted
    /// by setColor() or setValue().
    void colorChanged(QColor const& color);

private:
    void showColor();

    QColor m_color;
    ColorPicker_PushButton* m_button;
    bool m_enabled;
};
