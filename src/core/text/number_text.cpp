#include "core/text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace zorvane::text {

namespace {

// The largest finite double has 309 integer digits; add sign, point and the decimals.
std::string toFixed(double value, int decimals) {
    std::string buffer(static_cast<std::size_t>(decimals) + 320, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc{})
        throw std::logic_error("fixed: number text does not fit its buffer");
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}

// Drops the trailing zeros of a text with a decimal point, and the point itself if nothing
// remains after it. A text without a point is returned as is.
void stripTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos)
        return;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Throws when a truncated value cannot be held in a long long.
void requireLongLongRange(double truncatedValue) {
    // -2^63 is exactly representable; 2^63 is the first value above the range.
    constexpr double lowest = -9223372036854775808.0;
    constexpr double beyond = 9223372036854775808.0;
    if (!(truncatedValue >= lowest && truncatedValue < beyond))
        throw OutOfComputableRange();
}

} // namespace

std::string fixedPadded(double value, int width, int decimals) {
    if (decimals < 0)
        decimals = 0;
    std::string text;
    if (std::isnan(value))
        text = std::signbit(value) ? "-nan" : "nan";
    else if (std::isinf(value))
        text = value < 0 ? "-inf" : "inf";
    else
        text = toFixed(value, decimals);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string fixed(double value, int width, int decimals) {
    return trimmed(fixedPadded(value, width, decimals));
}

std::string general(double value) {
    constexpr int significantDigits = 15;
    if (std::isnan(value))
        return std::signbit(value) ? "-NAN" : "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    // The scientific form rounded to 15 significant digits gives the decimal exponent after
    // rounding, which decides the form exactly as %G does.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, significantDigits - 1);
    if (result.ec != std::errc{})
        throw std::logic_error("general: number text does not fit its buffer");
    const std::string scientific(buffer.data(), result.ptr);
    const std::size_t ePosition = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + ePosition + 1);

    if (exponent < -4 || exponent >= significantDigits) {
        std::string mantissa = scientific.substr(0, ePosition);
        stripTrailingZeros(mantissa);
        std::string text = mantissa + 'E';
        if (exponent < 0)
            text += '-';
        text += std::to_string(exponent < 0 ? -exponent : exponent);
        return text;
    }
    std::string text = toFixed(value, significantDigits - 1 - exponent);
    stripTrailingZeros(text);
    return text;
}

std::optional<double> parseDecimal(std::string_view text) {
    // Validate the whole grammar first: from_chars alone would accept a prefix, "inf", "nan"
    // and would stop silently before an incomplete exponent.
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    // from_chars takes no sign other than '-', so parse the unsigned part and apply the sign.
    double magnitude = 0.0;
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + n;
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != last || !std::isfinite(magnitude))
        return std::nullopt; // out of range: overflow, or underflow to zero
    return negative ? -magnitude : magnitude;
}

std::optional<long long> parseInteger(std::string_view text) {
    std::size_t start = 0;
    if (!text.empty() && text[0] == '+')
        start = 1;
    else if (!text.empty() && text[0] == '-')
        start = 1;
    if (start == text.size())
        return std::nullopt;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
    }
    // Keep '-' for from_chars, so that the lowest long long parses.
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    long long value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc{} || result.ptr != last)
        return std::nullopt;
    return value;
}

long long roundHalfEven(double value) {
    if (!std::isfinite(value))
        throw OutOfComputableRange();
    // trunc and the subtraction are exact for every double, so no rounding mode matters.
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    double rounded = whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        rounded = value < 0 ? whole - 1.0 : whole + 1.0;
    requireLongLongRange(rounded);
    return static_cast<long long>(rounded);
}

long long truncateRoundUp(double value) {
    if (!std::isfinite(value))
        throw OutOfComputableRange();
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    double rounded = whole;
    if (fraction > 0.5)
        rounded = value < 0 ? whole - 1.0 : whole + 1.0;
    requireLongLongRange(rounded);
    return static_cast<long long>(rounded);
}

std::string trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

bool isNonFiniteText(std::string_view text) {
    // The number texts write them as inf and nan in either case, with an optional sign, within
    // a longer text too ("inf,可上调").
    std::string lower;
    for (const char c : text) {
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const std::string_view word : {"inf", "nan"}) {
        for (auto at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
            const auto end = at + word.size();
            const auto letter = [](char c) { return c >= 'a' && c <= 'z'; };
            if ((at == 0 || !letter(lower[at - 1])) &&
                (end == lower.size() || !letter(lower[end]))) {
                return true;
            }
        }
    }
    return false;
}

} // namespace zorvane::text
