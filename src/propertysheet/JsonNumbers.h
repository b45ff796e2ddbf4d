#pragma once

#include <QString>

// Spellings of numbers in description JSON that read back as the same number and the same type:
// a float in the fewest digits that give it back, a double in the fewest that give the double,
// both with a fraction or an exponent so that they stay reals. NaN and the infinities are
// spelled NaN, Infinity and -Infinity, as JavaScript names them.
namespace JsonNumbers {
QString floatText(float value);
QString doubleText(double value);
// True when a real read as `value` is the value of a float's spelling: it then reads as that
// float, else as a double.
bool isFloatSpelling(double value);
} // namespace JsonNumbers
