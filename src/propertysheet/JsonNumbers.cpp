#include "propertysheet/JsonNumbers.h"

#include <QLocale>

#include <cmath>

namespace JsonNumbers {

namespace {

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
}

// "2" would read back as an integer.
QString real(QString text)
{
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QStringLiteral(".0");
    return text;
}

} // namespace

QString floatText(float value)
{
    if (!std::isfinite(value))
        return nonFinite(double(value));
    constexpr int FloatDigits = 9; // enough for any float
    QString text;
    for (int digits = 1; digits <= FloatDigits; ++digits) {
        text = QString::number(double(value), 'g', digits);
        if (float(text.toDouble()) == value)
            break;
    }
    // The same digits, with an exponent only where it is shorter: 240, not 2.4e+02.
    return real(QString::number(text.toDouble(), 'g', QLocale::FloatingPointShortest));
}

QString doubleText(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    return real(QString::number(value, 'g', QLocale::FloatingPointShortest));
}

bool isFloatSpelling(double value)
{
    // Beyond the largest float the conversion gives an infinity, which IEEE arithmetic defines.
    const float single = float(value);
    return std::isfinite(single) && floatText(single).toDouble() == value;
}

} // namespace JsonNumbers
