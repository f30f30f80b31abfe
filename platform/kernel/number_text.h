#pragma once
// Numbers as text in the C locale ("." decimal point, no digit grouping),
// whatever locale the process runs under.
#include <string>
#include <string_view>

namespace quelmar::kernel {

enum class NumberParse { Ok, Invalid, Overflow };

// Decimal text with optional blanks around it, an optional "+" or "-", digits
// with an optional "." and an optional exponent ("1.5e3"). "inf", "nan" and
// hexadecimal are not numbers here. Magnitudes below the smallest double read
// as zero; above the largest they are Overflow.
NumberParse ParseDouble(std::string_view text, double* out);

// printf("%.*G") style: at most `significantDigits` digits, trailing zeros
// dropped, exponent form "1.5E+20" when the exponent is below -4 or not below
// the number of digits. Negative zero is written "0".
std::string FormatSignificant(double value, int significantDigits);

// The shortest text that reads back as the same value ("0.1", "1e+20").
std::string FormatShortest(double value);
std::string FormatShortest(float value);

}  // namespace quelmar::kernel
