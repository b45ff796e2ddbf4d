#include "numeric/NumericValue.h"

#include <QDoubleValidator>

#include <algorithm>

namespace {

// Cuts the decimals of a number's text after `decimals` digits. An exponent ("1.23457e+06")
// stays: only the mantissa is cut, since dropping the exponent would change the value.
QString cutDecimals(QString text, int decimals)
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

QString significant(double value)
{
    return QString::number(value, 'g', numeric::SignificantDigits);
}

} // namespace

NumericValue::NumericValue(Style style, int decimalDigits, QObject* row)
    : m_style(style)
    , m_validator(new QDoubleValidator(m_minimum, m_maximum, decimalDigits, row))
{
    // The field's text is written and read in the C locale (QString::number, toDouble).
    m_validator->setLocale(QLocale::c());
}

bool NumericValue::setMinimum(float minimum)
{
    if (std::isnan(minimum))
        return false;
    m_minimum = minimum;
    m_validator->setBottom(minimum);
    return true;
}

bool NumericValue::setMaximum(float maximum)
{
    if (std::isnan(maximum))
        return false;
    m_maximum = maximum;
    m_validator->setTop(maximum);
    return true;
}

void NumericValue::setPrecision(int precision)
{
    m_precision = std::clamp(precision, -1, numeric::MaxPrecision);
}

void NumericValue::setDecimalDigits(int digits)
{
    m_validator->setDecimals(digits);
}

QString NumericValue::show(double value)
{
    m_value = value;
    if (m_percents) {
        // The value stays unrounded; only the text is whole percentage points.
        const QString text
            = QString::number(numeric::roundHalfUp(value * numeric::PercentScale), 'f', 0);
        return m_style == Style::Short ? text + QLatin1Char('%') : text;
    }
    if (!m_realValues) {
        m_value = std::floor(value);
        return QString::number(m_value, 'f', 0);
    }
    if (m_precision == 0)
        return QString::number(value, 'f', 0);
    if (m_precision < 0)
        return significant(value);
    if (m_style == Style::Short)
        return cutDecimals(significant(value), m_precision);
    // Rounded to `precision` decimals first, then shown in six significant digits, so that a
    // large value takes the exponent form rather than a long row of digits.
    QString text = significant(QString::number(value, 'f', m_precision).toDouble());
    padDecimals(text);
    return text;
}

void NumericValue::padDecimals(QString& text) const
{
    // Padding an exponent form ("1e+06") or "inf"/"nan" would make it unreadable as a number.
    if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive) || text.contains(QLatin1Char('n')))
        return;
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        text += QLatin1Char('.');
        text += QString(std::max(0, m_precision), QLatin1Char('0'));
        return;
    }
    const int decimals = int(text.size()) - dot - 1;
    if (m_precision > decimals)
        text += QString(m_precision - decimals, QLatin1Char('0'));
}

double NumericValue::typed(QString text) const
{
    if (m_style == Style::Short)
        text.remove(QLatin1Char('%'));
    bool ok = false;
    double number = text.toDouble(&ok);
    if (!ok)
        return m_value;
    if (m_percents)
        number /= numeric::PercentScale;
    if (accepts(m_percents ? significant(number) : text))
        return number;
    if (number < m_minimum)
        return m_minimum;
    if (number > m_maximum)
        return m_maximum;
    return m_value;
}

bool NumericValue::accepts(QString text) const
{
    int pos = 0;
    return m_validator->validate(text, pos) == QValidator::Acceptable;
}

int NumericValue::sliderPosition(double value) const
{
    const double span = m_maximum - m_minimum;
    return span > 0 ? numeric::truncToInt((value - m_minimum) * numeric::SliderPositions / span)
                    : 0;
}

double NumericValue::atSliderPosition(int position) const
{
    return m_minimum + (m_maximum - m_minimum) * position / numeric::SliderPositions;
}

double NumericValue::stepped(int direction, double step) const
{
    if (m_percents)
        return (m_value * numeric::PercentScale + direction) / numeric::PercentScale;
    return m_value + direction * step;
}
