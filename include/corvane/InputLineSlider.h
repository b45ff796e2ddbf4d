#pragma once

#include <corvane/CorvaneExport.h>
#include <corvane/IInputLine.h>

#include <memory>

class MixedState;
class Label;
class LineEdit;
class NumericValue;
class QFocusEvent;
class QSlider;

// The numeric row of the property sheet: a title, an optional slider and a drag-editable field.
// Values are typed (committed by Return or by leaving the field), stepped with Up/Down, dragged
// on the field or set with the slider; every user change emits changed(int), then changed(float).
class CORVANE_WIDGETS_EXPORT InputLineSlider : public IInputLine
{
    Q_OBJECT
    Q_PROPERTY(float m_value READ getValue WRITE setValueProperty)
    Q_PROPERTY(float m_minValue READ getMinValue WRITE setMinValue)
    Q_PROPERTY(float m_maxValue READ getMaxValue WRITE setMaxValue)
    Q_PROPERTY(int m_precision READ getPrecision WRITE setPrecision)
    Q_PROPERTY(bool m_usePercents READ isPercents WRITE setPercents)
    Q_PROPERTY(bool no_slider READ isNoSlider)
    Q_PROPERTY(bool two_lines READ isTwoLines)
    Q_PROPERTY(QString style_type READ getStyleType WRITE setStyleType)
public:
    InputLineSlider(QString const& title, eInputLineFlags flags, QWidget* parent = nullptr);
    InputLineSlider(
        QString const& title, eInputLineFlags flags, int value, QWidget* parent = nullptr);
    InputLineSlider(QString const& title, int flags, QWidget* parent = nullptr);
    ~InputLineSlider() override;

    void setTitle(QString const& title);

    void setMinValue(float value) override;
    void setMaxValue(float value) override;
    void setPercents(bool on) override;
    void setIntValues(bool on) override;
    void setRealValues(bool on) override;
    // Values beyond [-1, 100] are clamped: -1 already means six significant digits, and a
    // double has nothing to show beyond a hundred decimals.
    void setPrecision(int precision) override;
    void setValueAndInit(float value, eInputLineFlags flags) override;
    // Shows `value` if it lies within the range and drops it otherwise; emits nothing. ePercents
    // and eFineStep in `flags` switch their option on for good.
    void setValue(float value, eInputLineFlags flags) override;
    void setSliderInsteadSpinner(bool on) override;
    void setTwoLines(bool on) override;
    void setSliderIntStep(bool on) override;
    using IInputLine::setValue;
    using IInputLine::setValueAndInit;

    float getValue() const;
    float getMinValue() const;
    float getMaxValue() const;
    int getPrecision() const;
    bool isPercents() const;
    bool isRealValues() const;
    bool isIntValues() const;
    bool isNoSlider() const;
    bool isTwoLines() const;
    QString getStyleType() const;

    void setStyleType(QString const& styleType);
    void forceStyles(QString const& styleType);
    void setDecimalDigits(int digits);
    void setStep(int step);
    void setStepForMouse();

    void setEditValue(double value, bool emitChanged);
    void setAndEmit(double value);
    void emitSignals(double value);
    double fillLineEdit(double value);
    void addZeroAtEnd(QString& text);
    double getEditValue();
    bool validate(QString const& text);
    void setSliderValue(float value);

    void connectAll();
    void disconnectAll();

    // True while the user drags on the field or holds the slider's handle: the changed() signals
    // emitted meanwhile are steps of one movement, which adjustmentFinished() closes. Typing,
    // arrow keys and single slider steps are changes of their own.
    bool isAdjusting() const;

    // Mixed: the row stands for several values that differ. The field is empty and shows "Mixed"
    // as its placeholder and accessible description; the slider stays where the value last put
    // it. While the field is still empty, Return and leaving it emit nothing. Any value the row
    // shows again (typed, dragged, stepped, slid or set) ends the state. Off by default, and
    // without any effect on a row that never turns it on.
    void setMixed(bool mixed);
    bool isMixed() const;

public Q_SLOTS:
    void setEnabled(bool on);

Q_SIGNALS:
    void changed(int value);
    void changed(float value);
    // A drag on the field or a movement of the slider's handle ended with the button's release,
    // after the movement's last changed() pair. A movement that Return or leaving the field ends
    // closes with that commit's pair instead.
    void adjustmentFinished();

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;

private Q_SLOTS:
    void onReturnPressed();
    void onFocusLost(QFocusEvent* ev);
    void onMouseDraging(double delta);
    void onSliderChanged(int position);
    void onMovementReleased();

private:
    InputLineSlider(QString const& title, eInputLineFlags flags, int decimalDigits, bool hasValue,
        int value, QWidget* parent);
    void buildLayout(eInputLineFlags flags, int decimalDigits);
    void setValueProperty(float value);
    void commit();

    QString m_styleType;
    Label* m_label = nullptr;
    LineEdit* m_edit = nullptr;
    std::unique_ptr<NumericValue> m_number;
    QSlider* m_slider = nullptr;
    QFrame* m_space = nullptr;
    int m_fineStep = 0;
    bool m_sliderInsteadSpinner = false;
    bool m_twoLines = false;
    bool m_sliderDriven = false;
    bool m_sliderIntStep = false;
    bool m_clickPending = false;
    bool m_adjusting = false;
    std::unique_ptr<MixedState> m_mixed;
};
