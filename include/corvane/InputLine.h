#pragma once

/// @file
/// InputLine, a numeric row with a popup slider or a spinner.

#include <corvane/CorvaneExport.h>
#include <corvane/IInputLine.h>

#include <memory>

class LineEdit;
class NumericValue;
class QFocusEvent;
class QLabel;
class QPushButton;
class Slider;
class Spinner;

/// A numeric row with a right-aligned title, a text field and either a "V" button that opens a
/// popup slider under the pointer or a two-arrow spinner. Percentages show with a "%" sign; there
/// is no drag stepping. The layout option setTwoLines() is left to the deriving class. Values
/// are typed (committed by Return or by leaving the field), stepped with Up/Down while the field
/// has the focus, picked on the popup slider or stepped with the spinner; every user change
/// emits changed(int), then changed(float). The range starts as 0 to 10.
///
/// Theming: class `InputLine`; its parts are named "label", "edit" (a LineEdit), "button" and
/// "spin".
class CORVANE_WIDGETS_EXPORT InputLine : public IInputLine
{
    Q_OBJECT
    /// The value; writing it is setValue() with no flags.
    Q_PROPERTY(float m_value READ getValue WRITE setValueProperty)
    /// The lower bound.
    Q_PROPERTY(float m_minValue READ getMinValue WRITE setMinValue)
    /// The upper bound.
    Q_PROPERTY(float m_maxValue READ getMaxValue WRITE setMaxValue)
    /// The decimals shown at most; -1 for six significant digits.
    Q_PROPERTY(int m_precision READ getPrecision WRITE setPrecision)
    /// Percent presentation.
    Q_PROPERTY(bool m_usePercents READ isPercents WRITE setPercents)
    /// Whether the "V" button with the popup slider shows.
    Q_PROPERTY(bool m_slider READ isSlider WRITE setSlider)
    /// Whether the spinner shows.
    Q_PROPERTY(bool m_spinner READ isSpinner WRITE setSpinner)
public:
    /// A row without a title, showing the "V" button.
    explicit InputLine(QWidget* parent = nullptr);
    /// A row titled `title`.
    InputLine(QString const& title, QWidget* parent = nullptr);
    /// A row titled `title` showing `value`; typed text may then have two decimals, not five.
    InputLine(QString const& title, int value, QWidget* parent = nullptr);
    ~InputLine() override;

    /// The text of the title.
    void setTitle(QString const& title);
    /// Fixes the title's width, so that the fields of several rows line up.
    void setTitleWidth(int width);

    void setMinValue(float value) override;
    void setMaxValue(float value) override;
    void setPercents(bool on) override;
    void setIntValues(bool on) override;
    void setRealValues(bool on) override;
    /// Values beyond [-1, 100] are clamped: -1 already means six significant digits.
    void setPrecision(int precision) override;
    /// Same as setValue().
    void setValueAndInit(float value, eInputLineFlags flags) override;
    /// Shows `value` unless it is above the maximum (one below the minimum is shown as well), and
    /// emits nothing. Percent presentation comes on only with flags of exactly ePercents.
    void setValue(float value, eInputLineFlags flags) override;
    /// True shows the "V" button and sets isSlider(), false shows the spinner and sets
    /// isSpinner(); neither clears the other.
    void setSliderInsteadSpinner(bool on) override;
    /// Does nothing: the popup slider always moves in steps of setStep().
    void setSliderIntStep(bool on) override;
    using IInputLine::setValue;
    using IInputLine::setValueAndInit;

    /// The decimals that typed text may have (five by default).
    void setDecimalDigits(int digits);
    /// The popup slider's page step; ignored unless below the maximum.
    void setStep(int step);
    /// Shows the "V" button (true) or the spinner (false).
    void setSlider(bool on);
    /// Shows the spinner (true) or the "V" button (false).
    void setSpinner(bool on);

    /// The value, in value units also in percent presentation.
    float getValue() const;
    /// The lower bound.
    float getMinValue() const;
    /// The upper bound.
    float getMaxValue() const;
    /// The decimals shown at most; -1 for six significant digits.
    int getPrecision() const;
    /// Whether the row shows percentages.
    bool isPercents() const;
    /// Whether the row has real values.
    bool isRealValues() const;
    /// Whether the row has integer values.
    bool isIntValues() const;
    /// Whether the popup slider is in use.
    bool isSlider() const;
    /// Whether the spinner is in use.
    bool isSpinner() const;

    /// Makes `value` the value and shows it (floored on an integer row); with `emitChanged`
    /// emits changed(int) and changed(float) as a user edit does.
    void setEditValue(double value, bool emitChanged);
    /// The value the field's text stands for; text that cannot be read keeps the value, a
    /// number outside the range is clamped.
    double getEditValue();
    /// Whether `text` is a complete number within the range and the decimals allowed.
    bool validate(QString const& text);

    /// Connects the field, the button, the slider and the spinner; the constructor calls it.
    void connectAll();
    /// Breaks the connections of connectAll(), so that programmatic changes emit nothing.
    void disconnectAll();
    /// Connects (true) or disconnects the popup slider, while it is in use.
    void connectSlider(bool on);
    /// Connects (true) or disconnects the spinner, while it is in use.
    void connectSpinner(bool on);

Q_SIGNALS:
    /// A user change, with the value truncated toward zero; always followed by changed(float).
    void changed(int value);
    /// A user change, with the value.
    void changed(float value);

protected:
    /// Steps the value by one (a percentage point in percent presentation) with Up and Down
    /// while the field has the focus, within the range.
    void keyPressEvent(QKeyEvent* ev) override;

private Q_SLOTS:
    void onClickButton();
    void onReturnPressed();
    void onFocusLost(QFocusEvent* ev);
    void onSliderChanged(int position);
    void onSpinnerChanged(int delta);
    void onEditingAbandoned();

private:
    friend class NumericAccessible;

    void makeGui();
    void setValueProperty(float value);
    void commit();
    void showControls(bool button);

    QLabel* m_label = nullptr;
    LineEdit* m_edit = nullptr;
    std::unique_ptr<NumericValue> m_number;
    QPushButton* m_button = nullptr;
    Spinner* m_spinnerWidget = nullptr;
    Slider* m_sliderWidget = nullptr;
    QFrame* m_popup = nullptr;
    int m_step = 1;
    bool m_slider = true;
    bool m_spinner = false;
    // Esc abandoned the typed text: the next focus loss commits only if there was more typing.
    bool m_abandoned = false;
};
