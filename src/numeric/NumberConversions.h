#pragma once

// Number conversions of the numeric rows. Values may be anything a host or a user hands over
// (NaN, infinities, huge numbers), so none of these ever converts out of a type's range.

#include <cmath>
#include <limits>

namespace numeric {

// Rounds halves toward positive infinity: 2.5 gives 3 and -12.5 gives -12 (Qt's qRound gives -13
// there). Non-finite values come back unchanged.
inline double roundHalfUp(double x)
{
    // From 2^52 on every double is an integer, and adding 0.5 could round up to the next one.
    constexpr double AllIntegersFrom = 4503599627370496.0;
    if (!std::isfinite(x) || std::fabs(x) >= AllIntegersFrom)
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

} // namespace numeric
