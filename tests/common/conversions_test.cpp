#include "vorplan/common/conversions.h"

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

using vor::SplitFieldArrays;

// ---- Integer to text -------------------------------------------------------

TEST(ConversionIntToText, ZeroPaddingAndCutting)
{
    struct Case {
        const char* name;
        std::string (*fn)(long long);
        long long n;
        const char* expected;
    };
    const Case cases[] = {
        {"Z3", vor::IntToStrZero3, 7, "007"},
        {"Z3", vor::IntToStrZero3, 0, "000"},
        {"Z3", vor::IntToStrZero3, 1234, "1234"},
        {"Z3", vor::IntToStrZero3, -5, "0-5"},
        {"Z3", vor::IntToStrZero3, -123, "-123"},
        {"Z5", vor::IntToStrZero5, 12, "00012"},
        {"Z5", vor::IntToStrZero5, 123456, "123456"},
        {"Z5", vor::IntToStrZero5, -5, "000-5"},
        {"Z4C", vor::IntToStrZero4Cut, 7, "0007"},
        {"Z4C", vor::IntToStrZero4Cut, 12345, "1234"},
        {"Z5C", vor::IntToStrZero5Cut, 7, "00007"},
        {"Z5C", vor::IntToStrZero5Cut, 123456, "12345"},  // the first 5, not the last
        {"Z5C", vor::IntToStrZero5Cut, -123456, "-1234"},
        {"Z5C", vor::IntToStrZero5Cut, LLONG_MIN, "-9223"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.n), c.expected) << c.name << " " << c.n;
}

TEST(ConversionIntToText, PlainDecimalText)
{
    EXPECT_EQ(vor::IntText(0), "0");
    EXPECT_EQ(vor::IntText(1234567), "1234567");  // never grouped
    EXPECT_EQ(vor::IntText(LLONG_MIN), "-9223372036854775808");
}

TEST(ConversionIntToText, PadNeverCuts)
{
    struct Case {
        long long n;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {12, 5, "12   "},   {12, -5, "   12"}, {12, 0, "12"},   {12345, 3, "12345"},
        {12345, -3, "12345"}, {-7, 3, "-7 "},  {-7, -3, " -7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::IntToStrPad(c.n, c.width), c.expected) << c.n << " width " << c.width;
    EXPECT_EQ(vor::IntToStrPad(LLONG_MIN, 0), "-9223372036854775808");
}

// ---- Fixed-point formatting ------------------------------------------------

struct FixedCase {
    double x;
    int decimals;
    const char* expected;
};

// The tie rule: the exact binary value of x is rounded half away from zero.
// A decimal text that looks like a tie is usually not one in binary: 2.675 is
// stored as 2.67499999..., so it gives 2.67, while 0.125 is exact and gives 0.13.
TEST(ConversionFormatFixed, RoundsTheExactBinaryValueHalfAwayFromZero)
{
    const FixedCase cases[] = {
        {0.125, 2, "0.13"},   // exact tie, away from zero (not to even)
        {-0.125, 2, "-0.13"},
        {0.375, 2, "0.38"},
        {2.675, 2, "2.67"},   // below the tie in binary
        {1.005, 2, "1.00"},   // below the tie in binary
        {0.35, 1, "0.3"},     // 0.34999...
        {0.25, 1, "0.3"},
        {0.5, 0, "1"},
        {1.5, 0, "2"},
        {2.5, 0, "3"},        // half to even would give 2
        {-2.5, 0, "-3"},
        {1.0000000000000002, 15, "1.000000000000000"},
        {1.0000000000000002, 16, "1.0000000000000002"},
    };
    for (const FixedCase& c : cases)
        EXPECT_EQ(vor::FormatFixed(c.x, c.decimals), c.expected) << c.x << " / " << c.decimals;
}

TEST(ConversionFormatFixed, CarriesSignsAndSpecialValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const FixedCase cases[] = {
        {9.999, 2, "10.00"},
        {99.5, 0, "100"},
        {-999.9996, 3, "-1000.000"},
        {0.9996, 3, "1.000"},
        {0, 2, "0.00"},
        {12, 0, "12"},
        {12, 3, "12.000"},
        {-0.0, 2, "0.00"},        // no sign on zero
        {-0.004, 2, "0.00"},      // rounds to zero: no sign
        {-0.005, 2, "-0.01"},
        {-tiny, 4, "0.0000"},
        {nan, 2, "0.00"},
        {inf, 2, "0.00"},
        {-inf, 0, "0"},
        {1.5, -3, "2"},           // negative decimals read as none
        {0.1, 20, "0.10000000000000000555"},
        {0.1, 55, "0.1000000000000000055511151231257827021181583404541015625"},
        {0.1, 58, "0.1000000000000000055511151231257827021181583404541015625000"},
        {1234567.891, 2, "1234567.89"},
    };
    for (const FixedCase& c : cases)
        EXPECT_EQ(vor::FormatFixed(c.x, c.decimals), c.expected) << c.x << " / " << c.decimals;
}

TEST(ConversionFormatFixed, ExtremeMagnitudesAreExact)
{
    const std::string big = vor::FormatFixed(std::numeric_limits<double>::max(), 2);
    EXPECT_EQ(big.size(), 309u + 3u);
    EXPECT_EQ(big.substr(0, 17), "17976931348623157");
    EXPECT_EQ(big.substr(big.size() - 3), ".00");

    // 2^-1074 has exactly 1074 decimals and ends in 5: a true tie one place earlier.
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::string all = vor::FormatFixed(tiny, 1074);
    ASSERT_EQ(all.size(), 1076u);
    EXPECT_EQ(all.back(), '5');
    EXPECT_EQ(all.substr(1074), "25");
    EXPECT_EQ(vor::FormatFixed(tiny, 1073), all.substr(0, 1074) + "3");
    EXPECT_EQ(vor::FormatFixed(tiny, 2), "0.00");
}

// Away from ties, rounding the exact value must agree with to_chars, which
// rounds the exact value too. Random doubles are practically never exact ties.
TEST(ConversionFormatFixed, AgreesWithToCharsAwayFromTies)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i) {
        const double x = value(random) / static_cast<double>(1 << (i % 20));
        const int decimals = i % 7;
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
        std::string expected(buf, res.ptr);
        if (expected.find_first_not_of("-0.") == std::string::npos && expected[0] == '-')
            expected.erase(0, 1);
        ASSERT_EQ(vor::FormatFixed(x, decimals), expected) << x << " / " << decimals;
    }
}

// ---- Real to text ----------------------------------------------------------

TEST(ConversionRealToText, FixedDecimalsAndPadding)
{
    EXPECT_EQ(vor::RealToStr1(2.25), "2.3");
    EXPECT_EQ(vor::RealToStr1(-0.04), "0.0");
    EXPECT_EQ(vor::RealToStr2(1234.5), "1234.50");
    EXPECT_EQ(vor::RealToStr2(0.125), "0.13");
    EXPECT_EQ(vor::RealToStr4(1.00005), "1.0001");  // 1.0000500000000001 in binary
    EXPECT_EQ(vor::RealToStr4(-3), "-3.0000");

    struct Case {
        int width;
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {8, 1.5, "1.50    "}, {-8, 1.5, "    1.50"}, {0, 1.5, "1.50"}, {2, 123.456, "123.46"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::RealToStr2Pad(c.width, c.x), c.expected) << c.x << " width " << c.width;
}

TEST(ConversionRealToText, TrimNeverCutsTheIntegerPart)
{
    struct Case {
        bool trim;
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {false, 3, "3.00"},
        {true, 3, "3"},
        {true, 2.5, "2.5"},
        {true, 100, "100"},
        {true, 10, "10"},
        {true, 0.125, "0.125"},
        {true, -1.5, "-1.5"},
        {true, 0.1, "0.1"},
        {true, 1.0 / 3.0, "0.33333333"},
        {true, 1234567.891, "1234567.89"},
        {true, 123456789.5, "123456789"},   // ten characters cut before the decimals
        {true, 1000000000, "1000000000"},  // cutting to 10 and stripping zeros gave "1"
        {true, -123456780, "-123456780"},  // and here "-12345678"
        {true, 1e15, "1000000000000000"},
        {true, 0, "0"},
        {true, -1e-10, "0"},               // the cut leaves no digit but zeros: no sign
        {false, 1000000000, "1000000000.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::RealToStrTrim(c.trim, c.x), c.expected) << c.x << " trim " << c.trim;
}

TEST(ConversionRealToText, BrazilianMarksGroupEveryThreeDigits)
{
    struct Case {
        int width;
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {0, 1234567.891, "1.234.567,89"},
        {0, -123.4, "-123,40"},
        {0, 12, "12,00"},
        {0, -123.45, "-123,45"},
        {0, -1234.5, "-1.234,50"},
        {0, 0, "0,00"},
        {0, 999.995, "1.000,00"},              // the carry opens a group (999.995 is above the tie)
        {0, 1234567890, "1.234.567.890,00"},   // the two-mark limit gave "1234.567.890,00"
        {0, -123456789012.0, "-123.456.789.012,00"},
        {12, 1234.5, "1.234,50    "},
        {-12, 1234.5, "    1.234,50"},
        {-12, -1234.5, "   -1.234,50"},
        {3, 1234.5, "1.234,50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::RealToStrBr(c.width, c.x), c.expected) << c.x << " width " << c.width;
}

TEST(ConversionRealToText, AreaInSquareMetres)
{
    struct Case {
        double area;
        int precision;
        const char* expected;
    };
    const Case cases[] = {
        {1e8, 1, "1.0000"},         // tenths of a millimetre squared
        {1234567, 1, "0.0123"},
        {5000000, 1, "0.0500"},
        {1e10, 2, "1.0000"},        // hundredths squared
        {2.5e6, 0, "2.5000"},       // any other value: square millimetres
        {2.5e6, 3, "2.5000"},
        {-3e8, 1, "-3.0000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::AreaToM2Text(c.area, c.precision), c.expected) << c.area << " / " << c.precision;

    const int saved = vor::gShared.dimensionPrecision;
    vor::gShared.dimensionPrecision = 1;
    EXPECT_EQ(vor::AreaToM2Text(1e8), "1.0000");
    vor::gShared.dimensionPrecision = 2;
    EXPECT_EQ(vor::AreaToM2Text(1e8), "0.0100");
    vor::gShared.dimensionPrecision = saved;
}

TEST(ConversionRealToText, SmallWords)
{
    EXPECT_EQ(vor::BoolToSimNao(true), "Sim");
    EXPECT_EQ(vor::BoolToSimNao(false), "N\xC3\xA3o");
    EXPECT_EQ(vor::SignChar(0), " ");
    EXPECT_EQ(vor::SignChar(1), "+");
    EXPECT_EQ(vor::SignChar(-1), "?");
    EXPECT_EQ(vor::SignChar(2), "?");
}

// ---- Text to number --------------------------------------------------------

TEST(ConversionTextToNumber, IntegerStopsAtTheFirstMisfit)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {" 1 2 ", 12},
        {"12a", 12},
        {"1,5", 1},
        {"1.000", 1},
        {"-7", -7},
        {"+5", 5},
        {" - 4 2", -42},
        {"-", 0},
        {"+", 0},
        {"--5", 0},
        {"+-5", 0},
        {"5-", 5},
        {"1e3", 1},
        {"\t5", 0},  // only the blank is removed
        {"0000000000000000000012", 12},
        // Hexadecimal.
        {"$1F", 31},
        {"$1f", 31},
        {"-$10", -16},
        {"$", 0},
        {"$G", 0},
        {"$1G", 1},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", INT_MIN},
        {"$FFFFFFFF", -1},
        {"-$80000000", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"000000000002147483647x", INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::StrToIntDef0(c.text), c.expected) << "'" << c.text << "'";
}

// "4000000000" in PRJ.SEQ once read as order 400000000: a value that does not
// fit is no number at all, never its leading digits.
TEST(ConversionTextToNumber, IntegerThatDoesNotFitReadsZeroNotItsLeadingDigits)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"4000000000", 0},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"99999999999", 0},
        {"99999999999x", 0},
        {" 4 000 000 000 ", 0},
        {"$123456789", 0},
        {"$100000000", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::StrToIntDef0(c.text), c.expected) << "'" << c.text << "'";
}

// The characters next to each range in ASCII are the likely slips.
TEST(ConversionTextToNumber, DigitAndHexDigitRanges)
{
    const std::string_view digits = "0123456789abcdefABCDEF";
    for (std::size_t i = 0; i < digits.size(); ++i)
        EXPECT_EQ(vor::HexValue(digits[i]), i < 16 ? static_cast<int>(i) : static_cast<int>(i) - 6)
            << digits[i];
    for (char c : std::string_view("/:@G`g x\x80\xff"))
        EXPECT_EQ(vor::HexValue(c), -1) << static_cast<int>(c);
    EXPECT_TRUE(vor::IsDigit('0') && vor::IsDigit('9'));
    EXPECT_FALSE(vor::IsDigit('/') || vor::IsDigit(':') || vor::IsDigit('a') ||
                 vor::IsDigit('\xb2'));
}

TEST(ConversionTextToNumber, RealReadsTheLongestDecimalPrefix)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},
        {"2,5", 2.5},
        {" 2 , 5 ", 2.5},
        {"1,5", 1.5},
        {"1.5", 1.5},
        {"0.1", 0.1},         // the decimal value as read
        {"0,35", 0.35},
        {"1 000,5", 1000.5},
        {"2,5x", 2.5},
        {".5", 0.5},
        {"5.", 5},
        {"-7", -7},
        {"+5", 5},
        {"-,5", -0.5},
        {"1e3", 1000},
        {"1E-2", 0.01},
        {"+1,5e+2", 150},
        {"2e", 2},            // an exponent needs digits
        {"2e+", 2},
        {"2ex", 2},
        {"1,5,3", 1.5},       // only the first comma is a point
        {"1.5,3", 1.5},
        {"1.5.3", 1.5},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        // No numbers.
        {"abc", 0},
        {".", 0},
        {"-", 0},
        {"e5", 0},
        {".e5", 0},
        {"inf", 0},
        {"-inf", 0},
        {"infinity", 0},
        {"nan", 0},
        {"NAN", 0},
        {"0x1p3", 0},         // reads "0" and stops at the x
        {"0x10", 0},
        {"1e400", 0},         // out of range
        {"-1e400", 0},
        {"1e-400", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::StrToRealComma(c.text), c.expected) << "'" << c.text << "'";

    EXPECT_FALSE(std::signbit(vor::StrToRealComma("-0")));
    EXPECT_EQ(vor::StrToRealComma("1" + std::string(300, '0')), 1e300);
    EXPECT_EQ(vor::StrToRealComma("0," + std::string(400, '0') + "1"), 0.0);
}

// ---- Text cleaning ---------------------------------------------------------

TEST(ConversionTextCleaning, InPlaceEdits)
{
    struct Case {
        const char* name;
        void (*fn)(std::string&);
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"RemoveBlanks", vor::RemoveBlanks, " a b  c ", "abc"},
        {"TrimBlanks", vor::TrimBlanks, "  a b  ", "a b"},
        {"TrimBlanks", vor::TrimBlanks, "   ", ""},
        {"TrimBlanks", vor::TrimBlanks, "", ""},
        {"BlankToUnderscore", vor::BlankToUnderscore, " a b ", "_a_b_"},
        {"UnderscoreToBlank", vor::UnderscoreToBlank, "_a_b_", " a b "},
        {"TildeToBlank", vor::TildeToBlank, "a~b~", "a b "},
        {"CutAtLastTilde", vor::CutAtLastTilde, "a~b~c", "a~b"},
        {"CutAtLastTilde", vor::CutAtLastTilde, "abc", ""},
        {"CutAtLastTilde", vor::CutAtLastTilde, "~abc", ""},  // the first character does not count
        {"CutAtLastTilde", vor::CutAtLastTilde, "~", ""},
        {"CutAtLastTilde", vor::CutAtLastTilde, "~~", "~"},
        {"CutAtLastTilde", vor::CutAtLastTilde, "a~", "a"},
        {"CutAtLastTilde", vor::CutAtLastTilde, "\xC3\xA7~x", "\xC3\xA7"},
        {"CutAtSemicolon", vor::CutAtSemicolon, "a;b;c", "a"},
        {"CutAtSemicolon", vor::CutAtSemicolon, "abc", "abc"},
        {"CutAtSemicolon", vor::CutAtSemicolon, ";x", ""},
        {"UpperCaseText", vor::UpperCaseText, "a\xC3\xA7\xC3\xA3o", "A\xC3\xA7\xC3\xA3O"},  // ação
        {"UpperCaseText", vor::UpperCaseText, "az AZ 09 {`@[", "AZ AZ 09 {`@["},
        {"PadNumberField", vor::PadNumberField, " 12 ", "     12"},
        {"PadNumberField", vor::PadNumberField, "1 2", "     12"},
        {"PadNumberField", vor::PadNumberField, "", "       "},
        {"PadNumberField", vor::PadNumberField, "123456", " 123456"},
        {"PadNumberField", vor::PadNumberField, "1234567", " 1234567"},
        // Characters, not bytes: four blanks make the six.
        {"PadNumberField", vor::PadNumberField, "\xC3\xA7\xC3\xA7", "     \xC3\xA7\xC3\xA7"},
    };
    for (const Case& c : cases) {
        std::string s = c.text;
        c.fn(s);
        EXPECT_EQ(s, c.expected) << c.name << " '" << c.text << "'";
    }
}

// ---- Field splitting -------------------------------------------------------

std::string Fields(int count, char separator)
{
    std::string line;
    for (int i = 1; i <= count; ++i)
        line += std::to_string(i) + separator;
    return line;
}

class ConversionSplitFields : public ::testing::Test {
protected:
    // Every entry holds something, so a split that forgets to clear shows.
    void SetUp() override
    {
        for (long i = 1; i <= vor::kSplitFieldCount; ++i) {
            m_out.reals[i] = 99.5;
            m_out.ints[i] = 99;
            m_out.texts[i] = "old";
        }
        m_out.count = vor::kSplitFieldCount;
    }

    void ExpectClearedFrom(long first) const
    {
        for (long i = first; i <= vor::kSplitFieldCount; ++i) {
            EXPECT_EQ(m_out.reals[i], 0.0) << i;
            EXPECT_EQ(m_out.ints[i], 0) << i;
            EXPECT_EQ(m_out.texts[i], "") << i;
        }
    }

    SplitFieldArrays m_out;
};

TEST_F(ConversionSplitFields, RunsOfSeparatorsMakeNoEmptyFields)
{
    vor::SplitFields(" 1  2 x", ' ', m_out);
    ASSERT_EQ(m_out.count, 3);
    EXPECT_EQ(m_out.texts[1], "1");
    EXPECT_EQ(m_out.texts[2], "2");
    EXPECT_EQ(m_out.texts[3], "x");
    EXPECT_EQ(m_out.ints[1], 1);
    EXPECT_EQ(m_out.ints[2], 2);
    EXPECT_EQ(m_out.ints[3], 0);
    EXPECT_EQ(m_out.reals[2], 2.0);
    EXPECT_EQ(m_out.reals[3], 0.0);
    ExpectClearedFrom(4);

    vor::SplitFields("a;;b;", ';', m_out);
    EXPECT_EQ(m_out.count, 2);
    EXPECT_EQ(m_out.texts[2], "b");
    ExpectClearedFrom(3);

    for (const char* empty : {"", ";", ";;;"}) {
        SetUp();
        vor::SplitFields(empty, ';', m_out);
        EXPECT_EQ(m_out.count, 0) << "'" << empty << "'";
        ExpectClearedFrom(1);
    }
}

TEST_F(ConversionSplitFields, EachFieldIsReadAsTextRealAndInteger)
{
    vor::SplitFields("2,5;$1F;-3 ;abc", ';', m_out);
    ASSERT_EQ(m_out.count, 4);
    EXPECT_EQ(m_out.reals[1], 2.5);
    EXPECT_EQ(m_out.ints[1], 2);
    EXPECT_EQ(m_out.reals[2], 0.0);
    EXPECT_EQ(m_out.ints[2], 31);
    EXPECT_EQ(m_out.texts[3], "-3 ");
    EXPECT_EQ(m_out.reals[3], -3.0);
    EXPECT_EQ(m_out.ints[3], -3);
    EXPECT_EQ(m_out.texts[4], "abc");

    vor::SplitFields("1,5,7", ',', m_out);
    EXPECT_EQ(m_out.count, 3);
    EXPECT_EQ(m_out.reals[2], 5.0);
}

TEST_F(ConversionSplitFields, SixteenthFieldIsARangeError)
{
    vor::SplitFields(Fields(15, ';'), ';', m_out);
    EXPECT_EQ(m_out.count, 15);
    EXPECT_EQ(m_out.ints[15], 15);

    for (int count : {16, 75, 76, 200})
        EXPECT_THROW(vor::SplitFields(Fields(count, ';'), ';', m_out), vor::RangeError) << count;
    EXPECT_THROW(vor::SplitFields(";;" + Fields(16, ';') + ";;", ';', m_out), vor::RangeError);
}

TEST_F(ConversionSplitFields, First15IgnoresTheRest)
{
    for (int count : {15, 16, 76, 200}) {
        SetUp();
        vor::SplitFieldsFirst15(Fields(count, ' '), ' ', m_out);
        EXPECT_EQ(m_out.count, 15) << count;
        EXPECT_EQ(m_out.texts[15], "15") << count;
        EXPECT_EQ(m_out.reals[15], 15.0) << count;
    }
    vor::SplitFieldsFirst15("a b", ' ', m_out);
    EXPECT_EQ(m_out.count, 2);
    ExpectClearedFrom(3);
}

TEST_F(ConversionSplitFields, ClearAndSharedArrays)
{
    m_out.Clear();
    EXPECT_EQ(m_out.count, 0);
    ExpectClearedFrom(1);

    vor::SplitFields("7|8", '|');
    EXPECT_EQ(vor::gShared.splitFields.count, 2);
    EXPECT_EQ(vor::gShared.splitFields.ints[2], 8);
    vor::gShared.splitFields.Clear();
}

// ---- Small numeric helpers --------------------------------------------------

TEST(ConversionNumericHelpers, ClampDrawCoordsFollowsTheDrawingWidth)
{
    struct Case {
        int in[4];
        int drawingSize;
        int expected[4];
    };
    const Case cases[] = {
        {{-20, 0, 1900, 2000}, 0, {-10, 0, 1900, 1900}},
        {{-20, 0, 1900, 2000}, 100, {-10, 0, 1900, 1900}},
        {{-20, 2000, 2510, 3000}, 2500, {-10, 2000, 2510, 2510}},
        {{INT_MIN, INT_MAX, -10, -11}, INT_MAX, {-10, INT_MAX, -10, -10}},
        {{5, 5, 5, 5}, -500, {5, 5, 5, 5}},
    };
    for (const Case& c : cases) {
        int v[4] = {c.in[0], c.in[1], c.in[2], c.in[3]};
        vor::ClampDrawCoords(v[0], v[1], v[2], v[3], c.drawingSize);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(v[i], c.expected[i]) << "size " << c.drawingSize << " coordinate " << i;
    }
}

TEST(ConversionNumericHelpers, ClassifyDelta)
{
    struct Case {
        int x1, y1, x2, y2;
        double a, b;
        int expected;
    };
    const Case cases[] = {
        {0, 0, 10, 10, 5, 20, 2},   // a < dx, not b < dy
        {0, 0, 10, 10, 5, 5, 3},    // both
        {0, 0, 10, 10, 20, 20, 1},  // neither
        {0, 0, 10, 10, 20, 5, 4},   // only b < dy
        {0, 0, 10, 10, 10, 10, 1},  // equal is not less
        {10, 10, 0, 0, -11, -9, 2},
        {INT_MIN, 0, INT_MAX, 0, 4e9, -1, 3},  // dx does not overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ClassifyDelta(c.x1, c.y1, c.x2, c.y2, c.a, c.b), c.expected)
            << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " a " << c.a << " b " << c.b;
}

}  // namespace
