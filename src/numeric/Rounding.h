#pragma once

// Number conversions shared by the numeric rows. Values may be anything a host or a user hands
// over (NaN, infinities, huge numbers), so none of these ever converts out of a type's range.

#include <QDoubleValidator>
#include <QString>

#include <cmath>
#include <limits>

namespace numeric {

// Decimals a row shows at most; a larger stray precision would only build huge texts.
constexpr int MaxPrecision = 100;

// Rounds halves toward positive infinity: 2.5 gives 3 and -12.5 gives -12 (Qt's qRound gives -13
// there). Non-finite values come back unchanged.
inline double roundHalfUp(double x)
{
    // From 2^52 on every double is an integer, and adding 0.5 could round up to the next one.
    if (!std::isfinite(x) || std::fabs(x) >= 4503599627370496.0)
        return x;
    return std::floor(x + 0.5);
}

// int(x) truncating toward zero, saturated to the int range; NaN gives 0.
inline int truncToInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (x <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(x);
}

// float(x), with values beyond the float range becoming infinities instead of undefined.
inline float toFloat(double x)
{
    if (x > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (x < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(x);
}

// Cuts the decimals of a number's text after `decimals` digits. An exponent ("1.23457e+06")
// stays: only the mantissa is cut, since dropping the exponent would change the value.
inline QString cutDecimals(QString text, int decimals)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0 || decimals < 0)
        return text;
    int mantissaEnd = text.indexOf(QLatin1Char('e'), dot, Qt::CaseInsensitive);
    if (mantissaEnd < 0)
        mantissaEnd = text.size();
    const int keepEnd = dot + 1 + decimals;
    if (mantissaEnd > keepEnd)
        text.remove(keepEnd, mantissaEnd - keepEnd);
    return text;
}

// Whether the validator takes `text` as it stands (not merely as a beginning).
inline bool isAcceptable(QDoubleValidator const* validator, QString text)
{
    int pos = 0;
    return validator->validate(text, pos) == QValidator::Acceptable;
}

// The value typed text stands for: unparsable text keeps `current`; in percent presentation the
// number counts hundredths; a number the validator refuses is clamped when it lies outside
// [minValue, maxValue], and otherwise (too many decimals, say) keeps `current`.
inline double typedValue(QString const& text, bool percent, QDoubleValidator const* validator,
    double minValue, double maxValue, double current)
{
    bool ok = false;
    double number = text.toDouble(&ok);
    if (!ok)
        return current;
    if (percent)
        number /= 100;
    if (isAcceptable(validator, percent ? QString::number(number, 'g', 6) : text))
        return number;
    if (number < minValue)
        return minValue;
    if (number > maxValue)
        return maxValue;
    return current;
}

} // namespace numeric
