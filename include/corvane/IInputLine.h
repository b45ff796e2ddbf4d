#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

// Options of a numeric row, combined as a bit set and passed around as an int.
enum eInputLineFlags : int {
    ePercents = 0x001, // show 0.25 as 25
    eIntValues = 0x020,
    eRealValues
    = 0x040, // applied before eIntValues: a row is integer-valued exactly with eIntValues
    eSliderInsteadSpinner = 0x080,
    eTwoLines = 0x200, // title above, slider and field below
    eSliderIntStep = 0x400, // values taken from the slider are rounded to integers
    eFineStep = 0x800, // drag steps of 10^-precision, arrow-key steps of 0.1
};

// A row editing one number within a range, announced through changed(int) and changed(float).
class CORVANE_WIDGETS_EXPORT IInputLine : public QFrame
{
    Q_OBJECT
public:
    explicit IInputLine(QWidget* parent = nullptr);
    ~IInputLine() override;

    virtual void setMinValue(float value) = 0;
    virtual void setMaxValue(float value) = 0;
    virtual void setPercents(bool on) = 0;
    virtual void setIntValues(bool on) = 0;
    virtual void setRealValues(bool on) = 0;
    virtual void setPrecision(int precision) = 0;
    virtual void setValueAndInit(float value, eInputLineFlags flags) = 0;
    virtual void setValue(float value, eInputLineFlags flags) = 0;
    virtual void setSliderInsteadSpinner(bool on) = 0;
    virtual void setTwoLines(bool on) = 0;
    virtual void setSliderIntStep(bool on) = 0;

    // Flags usually arrive as a plain int (a property record, or a combination of the values
    // above); these take them as such.
    void setValueAndInit(float value, int flags) { setValueAndInit(value, eInputLineFlags(flags)); }
    void setValue(float value, int flags) { setValue(value, eInputLineFlags(flags)); }
};
