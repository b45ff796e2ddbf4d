#pragma once

/// @file
/// InputLineSlider, the property sheet's drag-editable numeric row.

#include <corvane/CorvaneExport.h>
#include <corvane/IInputLine.h>

#include <memory>

class MixedState;
class Label;
class LineEdit;
class NumericValue;
class QFocusEvent;
class QSlider;

/// The numeric row of the property sheet: a title, an optional slider and a drag-editable field.
/// Values are typed (committed by Return or by leaving the field), stepped with Up/Down, dragged
/// on the field or set with the slider; every user change emits changed(int), then changed(float).
/// Values set by the program emit nothing. The range starts as 0 to 10. The slider never takes
/// the mouse wheel.
///
/// The flags given to the constructor fix the layout: the slider exists only with
/// eSliderInsteadSpinner, and the title stands above the slider and field with eTwoLines. A
/// one-line row without a slider has an empty frame named "space" between title and field.
///
/// Theming: class `InputLineSlider`; properties `style_type` ("focus" while the field is being
/// edited after a click, a key or Tab, else empty), `no_slider` and `two_lines`; parts named
/// "label", "edit" (a LineEdit with its own looks) and "space"; the slider is a QSlider.
class CORVANE_WIDGETS_EXPORT InputLineSlider : public IInputLine
{
    Q_OBJECT
    /// The value; writing it is setValue() with no flags.
    Q_PROPERTY(float m_value READ getValue WRITE setValueProperty)
    /// The lower bound.
    Q_PROPERTY(float m_minValue READ getMinValue WRITE setMinValue)
    /// The upper bound.
    Q_PROPERTY(float m_maxValue READ getMaxValue WRITE setMaxValue)
    /// The decimals shown; -1 for six significant digits.
    Q_PROPERTY(int m_precision READ getPrecision WRITE setPrecision)
    /// Percent presentation.
    Q_PROPERTY(bool m_usePercents READ isPercents WRITE setPercents)
    /// For the style sheet: true unless eSliderInsteadSpinner was given or set.
    Q_PROPERTY(bool no_slider READ isNoSlider)
    /// For the style sheet: whether eTwoLines was given or set.
    Q_PROPERTY(bool two_lines READ isTwoLines)
    /// The look for the style sheet: "focus" while editing, else empty.
    Q_PROPERTY(QString style_type READ getStyleType WRITE setStyleType)
public:
    /// A row titled `title` with the options of `flags`, showing nothing until a value is set.
    InputLineSlider(QString const& title, eInputLineFlags flags, QWidget* parent = nullptr);
    /// A row showing `value`; typed text may then have two decimals, not five.
    InputLineSlider(
        QString const& title, eInputLineFlags flags, int value, QWidget* parent = nullptr);
    /// The first constructor, taking the flags as a plain int.
    InputLineSlider(QString const& title, int flags, QWidget* parent = nullptr);
    ~InputLineSlider() override;

    /// The text of the title.
    void setTitle(QString const& title);

    void setMinValue(float value) override;
    void setMaxValue(float value) override;
    void setPercents(bool on) override;
    void setIntValues(bool on) override;
    void setRealValues(bool on) override;
    /// Values beyond [-1, 100] are clamped: -1 already means six significant digits, and a
    /// double has nothing to show beyond a hundred decimals.
    void setPrecision(int precision) override;
    /// setValue(), then gives the field the drag step rule of the current range.
    void setValueAndInit(float value, eInputLineFlags flags) override;
    /// Shows `value` if it lies within the range and drops it otherwise; emits nothing. ePercents
    /// and eFineStep in `flags` switch their option on for good.
    void setValue(float value, eInputLineFlags flags) override;
    /// Sets `no_slider` for the style sheet; whether a slider exists is fixed at construction.
    void setSliderInsteadSpinner(bool on) override;
    /// Sets `two_lines` for the style sheet; the layout is fixed at construction.
    void setTwoLines(bool on) override;
    void setSliderIntStep(bool on) override;
    using IInputLine::setValue;
    using IInputLine::setValueAndInit;

    /// The value, in value units also in percent presentation.
    float getValue() const;
    /// The lower bound.
    float getMinValue() const;
    /// The upper bound.
    float getMaxValue() const;
    /// The decimals shown; -1 for six significant digits.
    int getPrecision() const;
    /// Whether the row shows percentages.
    bool isPercents() const;
    /// Whether the row has real values.
    bool isRealValues() const;
    /// Whether the row has integer values.
    bool isIntValues() const;
    /// The `no_slider` property.
    bool isNoSlider() const;
    /// The `two_lines` property.
    bool isTwoLines() const;
    /// The `style_type` property.
    QString getStyleType() const;

    /// Sets `style_type` without applying the theme again; see forceStyles().
    void setStyleType(QString const& styleType);
    /// Sets `style_type` and applies the theme again, so that the new look shows.
    void forceStyles(QString const& styleType);
    /// The decimals that typed text may have (five by default).
    void setDecimalDigits(int digits);
    /// The slider's page step; ignored without a slider or unless below the maximum.
    void setStep(int step);
    /// Gives the field the drag step rule of the current range (see LineEdit::setStep()).
    void setStepForMouse();

    /// Makes `value` the value and shows it in the field and on the slider (floored on an
    /// integer row); with `emitChanged` emits changed(int) and changed(float) as a user edit does.
    void setEditValue(double value, bool emitChanged);
    /// Shows `value` in the field only and emits the changed() pair for it.
    void setAndEmit(double value);
    /// Emits changed(int) with `value` truncated toward zero, then changed(float).
    void emitSignals(double value);
    /// Makes `value` the value, shows it in the field only, ends the mixed state and returns the
    /// value as kept.
    double fillLineEdit(double value);
    /// Appends the zeros that fill `text` up to the precision's decimals.
    void addZeroAtEnd(QString& text);
    /// The value the field's text stands for; text that cannot be read keeps the value, a
    /// number outside the range is clamped.
    double getEditValue();
    /// Whether `text` is a complete number within the range and the decimals allowed.
    bool validate(QString const& text);
    /// Moves the slider to show `value`, emitting nothing.
    void setSliderValue(float value);

    /// Connects the field and the slider; the constructor calls it.
    void connectAll();
    /// Breaks the connections of connectAll(), so that programmatic changes emit nothing.
    void disconnectAll();

    /// True while the user drags on the field or holds the slider's handle: the changed() signals
    /// emitted meanwhile are steps of one movement, which adjustmentFinished() closes. Typing,
    /// arrow keys and single slider steps are changes of their own.
    bool isAdjusting() const;

    /// Mixed: the row stands for several values that differ. The field is empty and shows "Mixed"
    /// as its placeholder and accessible description; the slider stays where the value last put
    /// it. While the field is still empty, Return and leaving it emit nothing. Any value the row
    /// shows again (typed, dragged, stepped, slid or set) ends the state. Off by default, and
    /// without any effect on a row that never turns it on.
    void setMixed(bool mixed);
    /// Whether the row is in the mixed state.
    bool isMixed() const;

public Q_SLOTS:
    /// Enables or disables the row and its field.
    void setEnabled(bool on);

Q_SIGNALS:
    /// A user change, with the value truncated toward zero; always followed by changed(float)
    /// unless a receiver destroyed the row.
    void changed(int value);
    /// A user change, with the value. The property sheet writes it into the bound property.
    void changed(float value);
    /// A drag on the field or a movement of the slider's handle ended with the button's release,
    /// after the movement's last changed() pair. A movement that Return or leaving the field ends
    /// closes with that commit's pair instead.
    void adjustmentFinished();

protected:
    /// Leaves the wheel on the slider to the parent and switches the `style_type` look.
    bool eventFilter(QObject* obj, QEvent* ev) override;
    /// Steps the value with Up and Down while the field has the focus: by one, by 0.1 with
    /// eFineStep, by a percentage point in percent presentation; within the range.
    void keyPressEvent(QKeyEvent* ev) override;

private Q_SLOTS:
    void onReturnPressed();
    void onFocusLost(QFocusEvent* ev);
    void onMouseDraging(double delta);
    void onSliderChanged(int position);
    void onEditingAbandoned();
    void onMovementReleased();

private:
    friend class NumericAccessible;

    InputLineSlider(QString const& title, eInputLineFlags flags, int decimalDigits, bool hasValue,
        int value, QWidget* parent);
    void buildLayout(eInputLineFlags flags, int decimalDigits);
    void setValueProperty(float value);
    // Sets the look, applying the theme again only when it changed.
    void setLook(QString const& styleType);
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
    // Esc abandoned the typed text: the next focus loss commits only if there was more typing.
    bool m_abandoned = false;
    // How far the drag step that the field is about to report goes, after its modifiers.
    double m_dragFactor = 1.0;
    bool m_adjusting = false;
    std::unique_ptr<MixedState> m_mixed;
};
