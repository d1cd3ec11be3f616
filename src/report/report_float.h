#pragma once
#include <string>

// The text of an average in the report: the float, widened to double, in general notation with
// six significant digits — fixed notation when the decimal exponent of the rounded value lies
// between -4 and 5, otherwise exponent notation with a sign and at least three exponent digits
// (1e-005, 1.23457e+010); trailing zeros and a trailing point removed. The same bytes on every
// runtime: the digits come from std::to_chars, never from printf.
//
// An edge without points has averages of 0/0. Such a value is written "nan", whatever its sign
// bit (x86 makes 0/0 a negative NaN, which printf runtimes spell "-nan", "-1.#IND" or
// "-nan(ind)"): "nan" is read back as NaN by strtod, std::stod and Python's float() alike, and
// says plainly that the average is undefined. Infinities are written "inf" and "-inf", which the
// same readers accept.
std::string FormatReportFloat(float value);
