#pragma once

#include "runtime/core/types.h"

#include <string>
#include <string_view>

// Text is UTF-8 throughout; a malformed byte sequence reads as characters that are no number.

namespace rt {

/// The number at the start of `s`; blanks, tabs and line feeds are skipped, 0 if there is none.
/// Never fails: a value beyond the double range comes back as an infinity.
double Val(std::string_view s);

/// The number's text, led by a blank when it is not negative, with no zero before the point.
std::string Str(double x);

/// `x` in a fixed-point format such as "0.00" (digits after the point set the decimals).
std::string Format(double x, std::string_view format);

/// A numeric string formatted as a number; any other string comes back unchanged.
std::string Format(const std::string &s, std::string_view format);

/// `s` with the figures a Japanese input method types in full width, "０" to "９" and "．",
/// as their ASCII forms; everything else stays.
std::string asciiFigures(std::string_view s);

/// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double x);

/// Converts to a 16-bit integer, halves to even; out of range raises Overflow.
Integer CInt(double x);

/// Converts to a 32-bit integer, halves to even, clamping instead of failing (NaN gives 0).
Long clampToLong(double x);

/// Checked 16-bit arithmetic: a result outside the range raises Overflow.
Integer add(Integer a, Integer b);
Integer sub(Integer a, Integer b);
Integer mul(Integer a, Integer b);

/// Passes a floating-point result through: NaN raises InvalidFloat, an infinity Overflow.
double checked(double x);

/// One of the sixteen classic palette colours (15 is white).
Colour QBColor(int index);

} // namespace rt
