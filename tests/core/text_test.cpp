// Tests of the core text utilities: number texts, GBK conversion, short strings and the reasons
// given for failures of the system and of the table store's engine.

#include "core/store/sqlite_handle.h"
#include "core/text/gbk.h"
#include "core/text/number_text.h"
#include "core/text/short_string.h"
#include "core/text/system_error_text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::text {
namespace {

std::string repeat(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// ---------------------------------------------------------------------------------------------
// fixed / fixedPadded

TEST(TextFixed, PadsToWidthLikePrintf) {
    EXPECT_EQ(fixedPadded(3.14159, 6, 2), "  3.14");
    EXPECT_EQ(fixedPadded(0.5, 6, 5), "0.50000");
    EXPECT_EQ(fixedPadded(0, 8, 7), "0.0000000");
    EXPECT_EQ(fixedPadded(-0.5, 6, 5), "-0.50000");
    EXPECT_EQ(fixedPadded(-1.25, 8, 1), "    -1.2");
    EXPECT_EQ(fixedPadded(7, 4, 0), "   7");
}

TEST(TextFixed, WiderTextIsNotCut) {
    EXPECT_EQ(fixedPadded(1234.567, 6, 2), "1234.57");
    EXPECT_EQ(fixedPadded(123456789.0, 3, 1), "123456789.0");
    EXPECT_EQ(fixedPadded(1.5, 0, 1), "1.5");
}

TEST(TextFixed, TrimmedForm) {
    EXPECT_EQ(fixed(3.14159, 6, 2), "3.14");
    EXPECT_EQ(fixed(57.95, 10, 2), "57.95");
    EXPECT_EQ(fixed(-0.5, 12, 3), "-0.500");
    EXPECT_EQ(fixed(120, 8, 0), "120");
}

TEST(TextFixed, HalvesRoundToEvenOnTheExactBinaryValue) {
    EXPECT_EQ(fixed(0.125, 6, 2), "0.12"); // exact half: to even
    EXPECT_EQ(fixed(0.375, 6, 2), "0.38");
    EXPECT_EQ(fixed(2.5, 4, 0), "2");
    EXPECT_EQ(fixed(3.5, 4, 0), "4");
    EXPECT_EQ(fixed(2.675, 6, 2), "2.67"); // binary value is below 2.675
    EXPECT_EQ(fixed(1.005, 6, 2), "1.00"); // binary value is below 1.005
    EXPECT_EQ(fixed(0.15, 6, 1), "0.1");   // binary value is below 0.15
    EXPECT_EQ(fixed(0.35, 6, 1), "0.3");   // binary value is below 0.35
    EXPECT_EQ(fixed(0.45, 6, 1), "0.5");   // binary value is above 0.45
}

TEST(TextFixed, MatchesPrintfOnManyValues) {
    const std::vector<double> values{0.0,    1.0,     -1.0,   0.1,          0.05,
                                     12.345, -99.995, 1e-7,   123456.789,   5e15,
                                     1e300,  -1e-300, 0.9999, 19.999999999, 57.95};
    for (const double value : values) {
        for (int decimals = 0; decimals <= 8; ++decimals) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%*.*f", 10, decimals, value);
            EXPECT_EQ(fixedPadded(value, 10, decimals), expected)
                << "value " << value << " decimals " << decimals;
        }
    }
}

TEST(TextFixed, LargestDoubleFits) {
    const std::string text = fixed(std::numeric_limits<double>::max(), 0, 3);
    EXPECT_EQ(text.size(), 309u + 4u);
    EXPECT_EQ(text.substr(0, 5), "17976");
    EXPECT_EQ(text.substr(text.size() - 4), ".000");
}

TEST(TextFixed, NegativeDecimalsCountAsZero) {
    EXPECT_EQ(fixed(2.5, 0, -3), "2");
}

// ---------------------------------------------------------------------------------------------
// general

TEST(TextGeneral, OrdinaryMagnitudes) {
    EXPECT_EQ(general(19), "19");
    EXPECT_EQ(general(57.95), "57.95");
    EXPECT_EQ(general(0.1 + 0.2), "0.3");
    EXPECT_EQ(general(12.7), "12.7");
    EXPECT_EQ(general(0), "0");
    EXPECT_EQ(general(-3.5), "-3.5");
    EXPECT_EQ(general(0.001), "0.001");
    EXPECT_EQ(general(0.0001), "0.0001");
    EXPECT_EQ(general(100), "100");
    EXPECT_EQ(general(1200.5), "1200.5");
    EXPECT_EQ(general(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(general(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(general(123456789012345.0), "123456789012345");
    EXPECT_EQ(general(-0.25), "-0.25");
}

TEST(TextGeneral, ScientificBelow1eMinus4AndFrom1e15) {
    EXPECT_EQ(general(1e20), "1E20");
    EXPECT_EQ(general(1.5e-5), "1.5E-5");
    EXPECT_EQ(general(1e-5), "1E-5");
    EXPECT_EQ(general(1e15), "1E15");
    EXPECT_EQ(general(-2.5e100), "-2.5E100");
    EXPECT_EQ(general(1.25e-300), "1.25E-300");
    EXPECT_EQ(general(9.99e-5), "9.99E-5");
    EXPECT_EQ(general(999999999999999.0), "999999999999999");
}

TEST(TextGeneral, RoundingDecidesTheForm) {
    // Rounds to 1E15 at 15 digits, so the form is scientific, as with %.15G.
    EXPECT_EQ(general(999999999999999.9), "1E15");
    // Rounds up to 1e-4 at 15 digits, so the form is fixed.
    EXPECT_EQ(general(0.000099999999999999999), "0.0001");
}

TEST(TextGeneral, MatchesPercent15GWithTrailingZerosStripped) {
    const std::vector<double> values{
        1.0,        -1.0, 0.1,   0.05,    12.345, -99.995,     1e-7,  3.7e-4,  1e14,
        123456.789, 5e15, 1e300, -1e-300, 0.9999, 19.99999999, 57.95, 1.0 / 7, 314.159265358979};
    for (const double value : values) {
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.15G", value);
        std::string expected = printed;
        const std::size_t e = expected.find('E');
        std::string mantissa = expected.substr(0, e);
        std::string exponent = e == std::string::npos ? "" : expected.substr(e + 1);
        if (mantissa.find('.') != std::string::npos) {
            while (mantissa.back() == '0')
                mantissa.pop_back();
            if (mantissa.back() == '.')
                mantissa.pop_back();
        }
        if (!exponent.empty()) {
            const bool negative = exponent[0] == '-';
            exponent = exponent.substr(1);
            while (exponent.size() > 1 && exponent[0] == '0')
                exponent.erase(0, 1);
            exponent = std::string("E") + (negative ? "-" : "") + exponent;
        }
        EXPECT_EQ(general(value), mantissa + exponent) << printed;
    }
}

TEST(TextGeneral, NonFiniteValues) {
    EXPECT_EQ(general(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(general(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(general(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(TextGeneral, RoundTripsThroughParseDecimal) {
    for (const double value : {19.0, 57.95, 12.7, 1e20, 1.5e-5, -3.5, 0.001, 1e-4}) {
        const auto parsed = parseDecimal(general(value));
        ASSERT_TRUE(parsed.has_value()) << general(value);
        EXPECT_EQ(*parsed, value);
    }
}

// ---------------------------------------------------------------------------------------------
// Locale independence

TEST(TextLocale, CommaLocaleDoesNotChangeTheSeparator) {
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    struct RestoreLocale {
        ~RestoreLocale() { std::setlocale(LC_ALL, "C"); }
    } restore;
    EXPECT_EQ(fixed(3.14159, 6, 2), "3.14");
    EXPECT_EQ(general(57.95), "57.95");
    EXPECT_EQ(parseDecimal("57.95"), 57.95);
    EXPECT_FALSE(parseDecimal("57,95").has_value());
}

// ---------------------------------------------------------------------------------------------
// parseDecimal / parseInteger

TEST(TextParseDecimal, AcceptsTheStrictGrammar) {
    EXPECT_EQ(parseDecimal("19"), 19.0);
    EXPECT_EQ(parseDecimal("57.95"), 57.95);
    EXPECT_EQ(parseDecimal("-3.5"), -3.5);
    EXPECT_EQ(parseDecimal("+3.5"), 3.5);
    EXPECT_EQ(parseDecimal("1."), 1.0);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_EQ(parseDecimal("-.5"), -0.5);
    EXPECT_EQ(parseDecimal("1e5"), 1e5);
    EXPECT_EQ(parseDecimal("1E-5"), 1e-5);
    EXPECT_EQ(parseDecimal("2.5e+3"), 2500.0);
    EXPECT_EQ(parseDecimal("1.e2"), 100.0);
    EXPECT_EQ(parseDecimal("0"), 0.0);
    EXPECT_EQ(parseDecimal("007"), 7.0);
    EXPECT_EQ(parseDecimal("0.1"), 0.1);
    EXPECT_EQ(parseDecimal("1.7976931348623157e308"), std::numeric_limits<double>::max());
    const auto negativeZero = parseDecimal("-0");
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_TRUE(std::signbit(*negativeZero));
}

TEST(TextParseDecimal, RejectsEverythingElse) {
    for (const char* text :
         {"",     " 1",    "1 ",     "19a",    "1,5",   "+",   "-",        ".",
          "+.",   "-.e5",  "e5",     "1e",     "1e+",   "1e-", "1e5.0",    "1.2.3",
          "++1",  "+-1",   "--1",    "inf",    "-inf",  "nan", "infinity", "0x1p3",
          "0x10", "1e400", "-1e400", "1e-400", "1_000", "\t1", "1\n",      "１"}) {
        EXPECT_FALSE(parseDecimal(text).has_value()) << '"' << text << '"';
    }
    const std::string withNul("1\0", 2);
    EXPECT_FALSE(parseDecimal(withNul).has_value());
}

TEST(TextParseDecimal, DoesNotReadPastTheView) {
    const std::string text = "12.5e3";
    EXPECT_EQ(parseDecimal(std::string_view(text).substr(0, 4)), 12.5);
    EXPECT_FALSE(parseDecimal(std::string_view(text).substr(0, 5)).has_value()); // "12.5e"
}

TEST(TextParseInteger, AcceptsSignAndDigits) {
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("120"), 120);
    EXPECT_EQ(parseInteger("+120"), 120);
    EXPECT_EQ(parseInteger("-120"), -120);
    EXPECT_EQ(parseInteger("0042"), 42);
    EXPECT_EQ(parseInteger("9223372036854775807"), std::numeric_limits<long long>::max());
    EXPECT_EQ(parseInteger("-9223372036854775808"), std::numeric_limits<long long>::min());
}

TEST(TextParseInteger, RejectsEverythingElse) {
    for (const char* text :
         {"", "+", "-", " 1", "1 ", "1.0", "1.", "1e3", "12a", "+-1", "-+1", "--1", "1,000", "0x10",
          "9223372036854775808", "-9223372036854775809", "99999999999999999999"}) {
        EXPECT_FALSE(parseInteger(text).has_value()) << '"' << text << '"';
    }
}

// ---------------------------------------------------------------------------------------------
// roundHalfEven / truncateRoundUp

TEST(TextRounding, RoundHalfEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.4999999999999996), 2);
    EXPECT_EQ(roundHalfEven(2.5000000000000004), 3);
    EXPECT_EQ(roundHalfEven(-2.6), -3);
    EXPECT_EQ(roundHalfEven(7.0), 7);
    EXPECT_EQ(roundHalfEven(0.0), 0);
    EXPECT_EQ(roundHalfEven(4503599627370495.5), 4503599627370496); // 2^52 - 0.5
    EXPECT_EQ(roundHalfEven(9007199254740993.0), 9007199254740992); // not representable: 2^53
    EXPECT_EQ(roundHalfEven(-9223372036854775808.0), std::numeric_limits<long long>::min());
}

TEST(TextRounding, TruncateRoundUp) {
    EXPECT_EQ(truncateRoundUp(120.5), 120);
    EXPECT_EQ(truncateRoundUp(120.51), 121);
    EXPECT_EQ(truncateRoundUp(120.49), 120);
    EXPECT_EQ(truncateRoundUp(120.0), 120);
    EXPECT_EQ(truncateRoundUp(-120.5), -120);
    EXPECT_EQ(truncateRoundUp(-120.51), -121);
    EXPECT_EQ(truncateRoundUp(-120.49), -120);
    EXPECT_EQ(truncateRoundUp(0.7), 1);
    EXPECT_EQ(truncateRoundUp(-0.7), -1);
    EXPECT_EQ(truncateRoundUp(0.5), 0);
}

TEST(TextRounding, OutOfRangeThrows) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(roundHalfEven(inf), std::out_of_range);
    EXPECT_THROW(roundHalfEven(nan), std::out_of_range);
    EXPECT_THROW(roundHalfEven(9223372036854775808.0), std::out_of_range);
    EXPECT_THROW(truncateRoundUp(-inf), std::out_of_range);
    EXPECT_THROW(truncateRoundUp(1e19), std::out_of_range);
}

// ---------------------------------------------------------------------------------------------
// trimmed

TEST(TextTrimmed, RemovesBlanksAtBothEnds) {
    EXPECT_EQ(trimmed("  3.14"), "3.14");
    EXPECT_EQ(trimmed("3.14  "), "3.14");
    EXPECT_EQ(trimmed(" \t a b \t "), "a b");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(trimmed("链条"), "链条");
    EXPECT_EQ(trimmed(" 滚子链 "), "滚子链");
}

// ---------------------------------------------------------------------------------------------
// GBK

TEST(TextGbk, ChineseRoundTrips) {
    const std::string text = "滚子链传动";
    const std::string gbk = utf8ToGbk(text);
    EXPECT_EQ(gbk.size(), 10u);
    EXPECT_EQ(gbkToUtf8(gbk), text);
    EXPECT_EQ(gbkToUtf8(utf8ToGbk("节距 12.7 mm, z=19")), "节距 12.7 mm, z=19");
}

TEST(TextGbk, KnownBytes) {
    EXPECT_EQ(utf8ToGbk("链"), "\xC1\xB4");
    EXPECT_EQ(utf8ToGbk("链条"), "\xC1\xB4\xCC\xF5");
    EXPECT_EQ(utf8ToGbk("abc"), "abc");
    EXPECT_EQ(utf8ToGbk(""), "");
    EXPECT_EQ(gbkToUtf8(""), "");
    EXPECT_EQ(gbkToUtf8("\xC1\xB4"), "链");
}

TEST(TextGbk, NulBytesPassThrough) {
    const std::string text("a\0b", 3);
    EXPECT_EQ(utf8ToGbk(text), text);
    EXPECT_EQ(gbkToUtf8(text), text);
}

TEST(TextGbk, UnmappableCharacterBecomesQuestionMark) {
    EXPECT_EQ(utf8ToGbk("\xF0\x9F\x98\x80"), "?");                     // U+1F600 emoji
    EXPECT_EQ(utf8ToGbk("链\xF0\x9F\x98\x80条"), "\xC1\xB4?\xCC\xF5"); // one '?' per character
    EXPECT_EQ(utf8ToGbk("\xF0\x9F\x98\x80\xF0\x9F\x98\x81"), "??");
}

TEST(TextGbk, InvalidUtf8Throws) {
    for (const std::string& text :
         {std::string("\xFF"), std::string("a\x80"), std::string("\xC1\xB4"), // GBK, not UTF-8
          std::string("\xE9\x93"),                                            // cut off
          std::string("\xC0\xAF"),                                            // overlong
          std::string("\xED\xA0\x80"),                                        // surrogate
          std::string("\xF4\x90\x80\x80"),                                    // above U+10FFFF
          std::string("链\xF0\x9F\x98")}) {
        EXPECT_THROW(utf8ToGbk(text), EncodingError);
    }
    try {
        utf8ToGbk("\xFF");
        FAIL() << "no exception";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()), "文本不是有效的 UTF-8 编码");
    }
}

TEST(TextGbk, InvalidGbkBecomesReplacementCharacter) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(gbkToUtf8("\x81"), replacement);                // lone lead byte
    EXPECT_EQ(gbkToUtf8("\xC1\xB4\xCC"), "链" + replacement); // cut-off end
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b"),
              "a" + replacement + "b"); // never a GBK byte
    EXPECT_EQ(gbkToUtf8("\x81\x30"
                        "b"),
              replacement + "0b");                                // lead, bad trail
    EXPECT_EQ(gbkToUtf8("\xA1\x40\xC1\xB4"), replacement + "链"); // unassigned pair
    EXPECT_NO_THROW(gbkToUtf8(std::string("\xFF\xFE\x81\x00\x80\xFF", 6)));
}

// ---------------------------------------------------------------------------------------------
// Short strings

TEST(TextCutGbk, NeverSplitsACharacter) {
    const std::string chain = utf8ToGbk("链条");
    EXPECT_EQ(cutGbk(chain, 4), chain);
    EXPECT_EQ(cutGbk(chain, 3), "\xC1\xB4");
    EXPECT_EQ(cutGbk(chain, 2), "\xC1\xB4");
    EXPECT_EQ(cutGbk(chain, 1), "");
    EXPECT_EQ(cutGbk(chain, 0), "");
    EXPECT_EQ(cutGbk(chain, 100), chain);
    const std::string mixed = utf8ToGbk("a链b");
    EXPECT_EQ(cutGbk(mixed, 1), "a");
    EXPECT_EQ(cutGbk(mixed, 2), "a");
    EXPECT_EQ(cutGbk(mixed, 3), "a\xC1\xB4");
    EXPECT_EQ(cutGbk("", 5), "");
}

TEST(TextCutGbk, WalksFromTheStart) {
    // 0xB4 is a trail byte here, though it would be a lead byte on its own: only a walk from
    // the start tells the character boundaries apart.
    const std::string text = "\xC1\xB4\xB4\xAB"; // 链传
    EXPECT_EQ(gbkToUtf8(text), "链传");
    EXPECT_EQ(cutGbk(text, 3), "\xC1\xB4");
    // A lead byte as the very last byte stands alone.
    EXPECT_EQ(cutGbk("ab\x81", 3), "ab\x81");
}

TEST(TextShortString, FiftyByteFieldCutsThirtyCharactersToTwentyFive) {
    std::array<std::uint8_t, 51> field{};
    field.fill(0xEE);
    const std::string text = repeat("链", 30);
    EXPECT_EQ(utf8ToGbk(text).size(), 60u);
    EXPECT_EQ(writeShortString(field, 50, text), 50u);
    EXPECT_EQ(field[0], 50);
    EXPECT_EQ(field[1], 0xC1);
    EXPECT_EQ(field[2], 0xB4);
    EXPECT_EQ(field[50], 0xB4);
    EXPECT_EQ(readShortString(field, 50), repeat("链", 25));
}

TEST(TextShortString, OddCapacityDropsTheCharacterThatWouldBeSplit) {
    std::array<std::uint8_t, 10> field{};
    field.fill(0xEE);
    EXPECT_EQ(writeShortString(field, 9, "滚子链传动"), 8u);
    EXPECT_EQ(field[0], 8);
    EXPECT_EQ(field[9], 0); // the unused byte is zero
    EXPECT_EQ(readShortString(field, 9), "滚子链传");
}

TEST(TextShortString, ShortTextIsZeroFilledAndRoundTrips) {
    std::array<std::uint8_t, 21> field{};
    field.fill(0xEE);
    EXPECT_EQ(writeShortString(field, 20, "08A 链条"), 8u);
    const std::array<std::uint8_t, 9> expectedStart{8, '0', '8', 'A', ' ', 0xC1, 0xB4, 0xCC, 0xF5};
    for (std::size_t i = 0; i < expectedStart.size(); ++i)
        EXPECT_EQ(field[i], expectedStart[i]) << i;
    for (std::size_t i = 9; i < field.size(); ++i)
        EXPECT_EQ(field[i], 0) << i;
    EXPECT_EQ(readShortString(field, 20), "08A 链条");
}

TEST(TextShortString, OnlyTheFieldIsWritten) {
    std::array<std::uint8_t, 8> buffer{};
    buffer.fill(0xEE);
    EXPECT_EQ(writeShortString(buffer, 4, "ab"), 2u);
    const std::array<std::uint8_t, 8> expected{2, 'a', 'b', 0, 0, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(buffer, expected);
}

TEST(TextShortString, EmptyTextAndZeroCapacity) {
    std::array<std::uint8_t, 6> field{};
    field.fill(0xEE);
    EXPECT_EQ(writeShortString(field, 5, ""), 0u);
    for (const auto byte : field)
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(readShortString(field, 5), "");

    std::array<std::uint8_t, 1> none{0xEE};
    EXPECT_EQ(writeShortString(none, 0, "链"), 0u);
    EXPECT_EQ(none[0], 0);
    EXPECT_EQ(readShortString(none, 0), "");
}

TEST(TextShortString, UnmappableCharacterIsStoredAsQuestionMark) {
    std::array<std::uint8_t, 11> field{};
    writeShortString(field, 10, "链\xF0\x9F\x98\x80");
    EXPECT_EQ(readShortString(field, 10), "链?");
}

TEST(TextShortString, DamagedLengthByteIsClampedToTheCapacity) {
    std::array<std::uint8_t, 60> record{};
    record.fill(0xEE);
    ASSERT_EQ(writeShortString(std::span(record).first(51), 50, repeat("链", 30)), 50u);
    record[0] = 255;
    // Bytes after the field (0xEE here) must not be read.
    EXPECT_EQ(readShortString(record, 50), repeat("链", 25));
}

TEST(TextShortString, DamagedLengthByteInsideACharacter) {
    std::array<std::uint8_t, 11> field{};
    writeShortString(field, 10, "链条");
    field[0] = 3; // ends in the middle of 条
    EXPECT_EQ(readShortString(field, 10), "链\xEF\xBF\xBD");
}

TEST(TextShortString, BufferSmallerThanTheFieldThrows) {
    std::array<std::uint8_t, 50> tooSmall{};
    EXPECT_THROW(writeShortString(tooSmall, 50, "链"), std::invalid_argument);
    EXPECT_THROW(readShortString(tooSmall, 50), std::invalid_argument);
    std::array<std::uint8_t, 300> large{};
    EXPECT_THROW(writeShortString(large, 256, "a"), std::invalid_argument);
    EXPECT_THROW(readShortString(large, 256), std::invalid_argument);
    EXPECT_NO_THROW(writeShortString(large, 255, "a"));
}

TEST(TextShortString, InvalidUtf8Throws) {
    std::array<std::uint8_t, 11> field{};
    EXPECT_THROW(writeShortString(field, 10, "\xFF"), EncodingError);
}

// ---------------------------------------------------------------------------------------------
// Reasons for system and engine failures

struct FailureReason {
    const char* what;
    std::string reason;
    const char* says; // a part of the reason that tells the user what happened
};

// The failures a user meets when a disk is full, read-only or not there, as the system reports
// them (an errno value) and as the table store's engine does (a result code, with the errno it
// kept for failures to open, read or write).
std::vector<FailureReason> failureReasons() {
    const std::filesystem::path file = "/nowhere/Result_Unnamed.db";
    const auto engine = [&](int code, int systemErrno = 0) {
        return store::detail::sqliteProblem(file, code, "disk I/O error", systemErrno);
    };
    return {
        {"ENOSPC", systemErrorText(ENOSPC), "磁盘空间不足"},
        {"EROFS", systemErrorText(EROFS), "只读"},
        {"EACCES", systemErrorText(EACCES), "没有访问权限"},
        {"ENOTDIR", systemErrorText(ENOTDIR), "不是目录"},
        {"ENOENT", systemErrorText(ENOENT), "不存在"},
        {"EFBIG", systemErrorText(EFBIG), "大小"},
        {"EIO", systemErrorText(EIO), "设备出错"},
        {"EOPNOTSUPP", systemErrorText(EOPNOTSUPP), "不支持"},
        {"unknown errno", systemErrorText(100000), "100000"},
        {"std::errc", systemErrorText(std::make_error_code(std::errc::read_only_file_system)),
         "只读"},
        {"FULL", engine(SQLITE_FULL), "磁盘已满"},
        {"IOERR_WRITE on a full disk", engine(SQLITE_IOERR_WRITE, ENOSPC), "磁盘已满"},
        {"IOERR_WRITE", engine(SQLITE_IOERR_WRITE, EIO), "写入文件时出错：读写设备出错"},
        {"IOERR unknown", engine(SQLITE_IOERR | (99 << 8)), "输入输出错误"},
        {"READONLY", engine(SQLITE_READONLY), "只读"},
        {"READONLY_DIRECTORY", engine(SQLITE_READONLY_DIRECTORY), "目录是只读的"},
        {"CANTOPEN ENOTDIR", engine(SQLITE_CANTOPEN, ENOTDIR), "不是目录"},
        {"CANTOPEN missing", engine(SQLITE_CANTOPEN), "不存在"},
        {"no such table",
         store::detail::sqliteProblem(file, SQLITE_ERROR, "no such table: zv_rows"), "缺少"},
        {"unknown code", engine(12345), "12345"},
    };
}

TEST(FailureReasons, AreChineseAndSayWhatHappened) {
    const std::regex asciiWord("[A-Za-z]{2,}");
    for (const auto& row : failureReasons()) {
        EXPECT_NE(row.reason.find(row.says), std::string::npos) << row.what << ": " << row.reason;
        EXPECT_FALSE(std::regex_search(row.reason, asciiWord)) << row.what << ": " << row.reason;
    }
}

} // namespace
} // namespace zorvane::text
