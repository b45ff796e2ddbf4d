#pragma once

/// @file
/// The numeric row interface and its options, eInputLineFlags.

#include <corvane/CorvaneExport.h>

#include <QFrame>

/// Options of a numeric row, combined as a bit set and passed around as an int. A property
/// record carries them under `w_flags`; a `number` record without the key gets 0xc2.
enum eInputLineFlags : int {
    ePercents = 0x001, ///< Show 0.25 as 25.
    eIntValues = 0x020, ///< Integer values.
    eRealValues = 0x040, ///< Real values; applied before eIntValues, which wins with both.
    eSliderInsteadSpinner = 0x080, ///< A slider beside the field.
    eTwoLines = 0x200, ///< Title above, slider and field below.
    eSliderIntStep = 0x400, ///< Values taken from the slider are rounded to integers.
    eFineStep = 0x800, ///< Drag steps of 10^-precision, arrow-key steps of 0.1.
};

/// A row editing one number within a range, announced through changed(int) and changed(float) of
/// the implementing class: InputLineSlider, or InputLine, which leaves setTwoLines() to a class
/// derived from it.
class CORVANE_WIDGETS_EXPORT IInputLine : public QFrame
{
    Q_OBJECT
public:
    /// An empty frame; the implementing class builds the row.
    explicit IInputLine(QWidget* parent = nullptr);
    ~IInputLine() override;

    /// The lower bound; NaN leaves it as it is.
    virtual void setMinValue(float value) = 0;
    /// The upper bound; NaN leaves it as it is.
    virtual void setMaxValue(float value) = 0;
    /// Percent presentation: the value 0.25 shows and is typed as 25.
    virtual void setPercents(bool on) = 0;
    /// Integer values: shown and typed without decimals. The opposite of setRealValues().
    virtual void setIntValues(bool on) = 0;
    /// Real values; the opposite of setIntValues().
    virtual void setRealValues(bool on) = 0;
    /// The decimals shown; -1 shows six significant digits.
    virtual void setPrecision(int precision) = 0;
    /// Shows `value` as setValue() does and prepares the row for editing it.
    virtual void setValueAndInit(float value, eInputLineFlags flags) = 0;
    /// Shows `value` without emitting a change; `flags` may switch options on.
    virtual void setValue(float value, eInputLineFlags flags) = 0;
    /// Whether the row offers a slider rather than a spinner.
    virtual void setSliderInsteadSpinner(bool on) = 0;
    /// Whether the title stands above the controls.
    virtual void setTwoLines(bool on) = 0;
    /// Whether values taken from the slider are rounded to integers.
    virtual void setSliderIntStep(bool on) = 0;

    /// Flags usually arrive as a plain int (a property record, or a combination of the values
    /// above); this takes them as such.
    void setValueAndInit(float value, int flags) { setValueAndInit(value, eInputLineFlags(flags)); }
    /// setValue() taking the flags as a plain int.
    void setValue(float value, int flags) { setValue(value, eInputLineFlags(flags)); }
};
