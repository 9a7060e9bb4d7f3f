#pragma once
// Number texts shown and stored by the program: every value that a step records goes through
// these helpers, so that the same number always reads the same way.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::text {

// A number that cannot be computed with: infinite, not a number, or beyond the range of a long
// long where a whole number is needed. The message is the user's and names the quantity when
// it is known.
class OutOfComputableRange : public std::out_of_range {
public:
    OutOfComputableRange() : std::out_of_range("计算结果超出了可计算的数值范围") {}
    explicit OutOfComputableRange(const std::string& quantity)
        : std::out_of_range("“" + quantity + "”的计算结果超出了可计算的数值范围") {}
};

// Whether a number text stands for an infinity or a NaN ("inf", "-nan", "INF" ...).
bool isNonFiniteText(std::string_view text);

// The number with `decimals` digits after the point, right-aligned in `width` characters
// (a wider text is not cut). Halves round to even on the exact binary value, as printf does.
std::string fixedPadded(double value, int width, int decimals);

// fixedPadded with the blanks trimmed off: the form of almost every result row.
std::string fixed(double value, int width, int decimals);

// The shortest general text of a number: at most 15 significant digits, no trailing zeros,
// no exponent for ordinary magnitudes (19, 57.95, 0.001, -3.5); scientific form like "1E-5"
// only below 1e-4 or at 1e15 and above.
std::string general(double value);

// Strict decimal parse: optional sign, digits with an optional point and an optional exponent,
// nothing else. "19a", "", " 1", "1 ", "1,5" all fail. Infinities and NaN fail too.
std::optional<double> parseDecimal(std::string_view text);

// Whole-number parse with the same strictness (no point, no exponent).
std::optional<long long> parseInteger(std::string_view text);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Throws
// OutOfComputableRange for a value that has no such integer.
long long roundHalfEven(double value);

// Truncate toward zero, then add one when the dropped fraction exceeds 0.5
// (120.5 -> 120, 120.51 -> 121). For negative values the step goes away from zero.
long long truncateRoundUp(double value);

// Blanks removed from both ends.
std::string trimmed(std::string_view text);

} // namespace zorvane::text
