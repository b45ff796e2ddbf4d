#pragma once

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

// A numeric row with a right-aligned title, a text field and either a "V" button that opens a
// popup slider under the pointer or a two-arrow spinner. Percentages show with a "%" sign; there
// is no drag stepping. The layout option setTwoLines() is left to the deriving class.
class CORVANE_WIDGETS_EXPORT InputLine : public IInputLine
{
    Q_OBJECT
    Q_PROPERTY(float m_value READ getValue WRITE setValueProperty)
    Q_PROPERTY(float m_minValue READ getMinValue WRITE setMinValue)
    Q_PROPERTY(float m_maxValue READ getMaxValue WRITE setMaxValue)
    Q_PROPERTY(int m_precision READ getPrecision WRITE setPrecision)
    Q_PROPERTY(bool m_usePercents READ isPercents WRITE setPercents)
    Q_PROPERTY(bool m_slider READ isSlider WRITE setSlider)
    Q_PROPERTY(bool m_spinner READ isSpinner WRITE setSpinner)
public:
    explicit InputLine(QWidget* parent = nullptr);
    InputLine(QString const& title, QWidget* parent = nullptr);
    InputLine(QString const& title, int value, QWidget* parent = nullptr);
    ~InputLine() override;

    void setTitle(QString const& title);
    void setTitleWidth(int width);

    void setMinValue(float value) override;
    void setMaxValue(float value) override;
    void setPercents(bool on) override;
    void setIntValues(bool on) override;
    void setRealValues(bool on) override;
    // Values beyond [-1, 100] are clamped: -1 already means six significant digits.
    void setPrecision(int precision) override;
    void setValueAndInit(float value, eInputLineFlags flags) override;
    // Shows `value` unless it is above the maximum (one below the minimum is shown as well), and
    // emits nothing. Percent presentation comes on only with flags of exactly ePercents.
    void setValue(float value, eInputLineFlags flags) override;
    void setSliderInsteadSpinner(bool on) override;
    void setSliderIntStep(bool on) override;
    using IInputLine::setValue;
    using IInputLine::setValueAndInit;

    void setDecimalDigits(int digits);
    void setStep(int step);
    void setSlider(bool on);
    void setSpinner(bool on);

    float getValue() const;
    float getMinValue() const;
    float getMaxValue() const;
    int getPrecision() const;
    bool isPercents() const;
    bool isRealValues() const;
    bool isIntValues() const;
    bool isSlider() const;
    bool isSpinner() const;

    void setEditValue(double value, bool emitChanged);
    double getEditValue();
    bool validate(QString const& text);

    void connectAll();
    void disconnectAll();
    void connectSlider(bool on);
    void connectSpinner(bool on);

Q_SIGNALS:
    void changed(int value);
    void changed(float value);

protected:
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
