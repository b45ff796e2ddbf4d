#pragma once

#include <corvane/IInputLine.h>
#include <corvane/Keyboard.h>

#include "numeric/InputLineFlags.h"
#include "numeric/NumberConversions.h"

#include <QKeyEvent>
#include <QPointer>
#include <QString>

#include <algorithm>

class QDoubleValidator;

namespace numeric {

// Decimals that typed text may have; a row made with an initial value accepts fewer.
constexpr int DecimalDigits = 5;
constexpr int DecimalDigitsWithValue = 2;
// Decimals a row shows at most; a larger stray precision would only build huge texts.
constexpr int MaxPrecision = 100;
// Significant digits of a value shown without a fixed count of decimals.
constexpr int SignificantDigits = 6;
// Percent presentation shows, and reads, the value times this.
constexpr double PercentScale = 100;
// A row's slider runs from 0 to this over the whole range.
constexpr int SliderPositions = 100;

// Emits a row's changed(int), then changed(float), for `value`: the int truncated toward zero,
// the float narrowed. Returns false if a receiver destroyed the row, which ends the pair early.
template<class Row> bool emitChanged(Row* row, double value)
{
    QPointer<Row> self(row);
    Q_EMIT row->changed(truncToInt(value));
    if (!self)
        return false;
    Q_EMIT row->changed(toFloat(value));
    return !self.isNull();
}

// +1 for Up and -1 for Down while `field` has the focus; otherwise 0, and the event is ignored.
inline int arrowDirection(QKeyEvent* ev, QWidget const* field)
{
    const int key = ev->key();
    if (field->hasFocus() && (key == Qt::Key_Up || key == Qt::Key_Down))
        return key == Qt::Key_Up ? 1 : -1;
    ev->ignore();
    return 0;
}

// How much further a drag step goes with `modifiers` held: with full keyboard access a tenth with
// Shift, ten times with Ctrl (Shift wins when both are held); otherwise modifiers play no part.
inline double dragFactor(Qt::KeyboardModifiers modifiers)
{
    if (!corvane::fullKeyboardAccess())
        return 1.0;
    if (modifiers & Qt::ShiftModifier)
        return 0.1;
    if (modifiers & Qt::ControlModifier)
        return 10.0;
    return 1.0;
}

} // namespace numeric

// The number a numeric row edits: the value (in value units, also in percent presentation), its
// range, how it is shown, and the validator, a child of the row, that checks typed text.
class NumericValue
{
public:
    // How the row writes its numbers; each row has always shown them its own way.
    enum class Style {
        // The property sheet's row: `precision` decimals filled up with zeros (3 as "3.00"),
        // percentages as bare numbers ("25").
        Padded,
        // InputLine: at most `precision` decimals of six significant digits, without zeros added
        // (3 as "3"), percentages with a sign ("25%"), which typed text may carry too.
        Short,
    };

    NumericValue(Style style, int decimalDigits, QObject* row);

    double value() const { return m_value; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    int precision() const { return m_precision; }
    bool percents() const { return m_percents; }
    bool realValues() const { return m_realValues; }

    // NaN bounds nothing: these leave the range as it is and return false.
    bool setMinimum(float minimum);
    bool setMaximum(float maximum);
    void setPercents(bool on) { m_percents = on; }
    void setRealValues(bool on) { m_realValues = on; }
    // Clamped to [-1, MaxPrecision]: -1 already means six significant digits.
    void setPrecision(int precision);
    void setDecimalDigits(int digits);

    // Makes `value` the value (floored on an integer row) and returns the text that shows it.
    QString show(double value);
    // Appends the zeros that fill `text` up to `precision` decimals; a text without a point gets
    // one. Exponent forms, "inf" and "nan" stay as they are.
    void padDecimals(QString& text) const;
    // The value typed text stands for: unparsable text keeps the value; in percent presentation
    // the number counts hundredths; a number the validator refuses is clamped when it lies
    // outside the range, and otherwise (too many decimals, say) keeps the value.
    double typed(QString text) const;
    // Whether the validator takes `text` as it stands (not merely as a beginning).
    bool accepts(QString text) const;

    // The slider position that shows `value`; an empty or inverted range has none but 0.
    int sliderPosition(double value) const;
    double atSliderPosition(int position) const;
    double clamped(double value) const { return std::min(m_maximum, std::max(m_minimum, value)); }
    // The value one arrow-key step up (`direction` 1) or down (-1): a percentage point in percent
    // presentation, else `step`.
    double stepped(int direction, double step) const;

private:
    Style m_style;
    double m_value = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 10.0;
    // After the bounds, which it starts from.
    QDoubleValidator* m_validator;
    int m_precision = -1;
    bool m_percents = false;
    bool m_realValues = true;
};
