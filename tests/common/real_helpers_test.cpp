#include "vorplan/common/real_helpers.h"

#include <gtest/gtest.h>
#include <limits>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

TEST(RealHelpers, RoundIsHalfToEvenAndTruncTowardZero)
{
    struct Case {
        double x;
        long long round, trunc;
    };
    const Case cases[] = {{2.5, 2, 2},  {3.5, 4, 3},   {-2.5, -2, -2}, {0.5, 0, 0},
                          {1.49, 1, 1}, {-1.7, -2, -1}, {0.0, 0, 0},    {1e15 + 0.5, 1000000000000000, 1000000000000000}};
    for (const Case& c : cases) {
        EXPECT_EQ(vor::Round(c.x), c.round) << c.x;
        EXPECT_EQ(vor::Trunc(c.x), c.trunc) << c.x;
    }
    EXPECT_THROW(vor::Round(std::numeric_limits<double>::quiet_NaN()), vor::OverflowError);
    EXPECT_THROW(vor::Trunc(1e300), vor::OverflowError);
}

TEST(RealHelpers, MillimetreTextToTenthsOnTheDecimalValue)
{
    struct Case {
        const char* text;
        long long rounded, truncated;
    };
    const Case cases[] = {
        {"0,35", 4, 3}, {"0.25", 2, 2}, {"0.75", 8, 7}, {"0,7", 7, 7},   {"3,2", 32, 32},
        {"12,5", 125, 125}, {"0.05", 0, 0}, {"0.15", 2, 1}, {"-0.35", -4, -3}, {"1.26", 13, 12},
        {"2440", 24400, 24400},
    };
    for (const Case& c : cases) {
        const double mm = vor::StrToRealComma(c.text);
        EXPECT_EQ(vor::MillimetresToTenths(mm), c.rounded) << c.text;
        EXPECT_EQ(vor::MillimetresToTenthsTrunc(mm), c.truncated) << c.text;
    }
}

TEST(RealHelpers, Constants)
{
    EXPECT_EQ(vor::UnitsPerMillimetre(), 10);
    EXPECT_EQ(vor::GetHundred(), 100.0);
}

TEST(RealHelpers, TextsOfRealsAndLengths)
{
    EXPECT_EQ(vor::RealToRoundedText(2.5), "2");
    EXPECT_EQ(vor::RealToRoundedText(3.5), "4");
    EXPECT_EQ(vor::RealToRoundedText(-2.5), "-2");
    EXPECT_EQ(vor::RealToRoundedText(-0.4), "0");

    struct Case {
        double x;
        bool showDecimals;
        const char* format;   // FormatRealText
        const char* length;   // RealToText
    };
    const Case cases[] = {
        {12.0, false, "12", "1.2"},     {12.0, true, "12.0", "1.2"},  {12.5, false, "12.5", "1.2"},
        {-0.1, false, "-0.1", ".0"},     {125, true, "125.0", "12.5"}, {120, false, "120", "12"},
        {120, true, "120.0", "12.0"},   {5, false, "5", ".5"},        {7, true, "7.0", ".7"},
        {0, false, "0", ".0"},          {0, true, "0.0", ".0"},       {-5, true, "-5.0", "-.5"},
        {10, false, "10", "1"},         {-120, false, "-120", "-12"}, {125.5, true, "125.5", "12.6"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vor::FormatRealText(c.x, c.showDecimals), c.format) << c.x << " " << c.showDecimals;
        EXPECT_EQ(vor::RealToText(c.x, c.showDecimals), c.length) << c.x << " " << c.showDecimals;
    }
}

// Report columns, labels and the calculation's messages all show lengths this way.
TEST(RealHelpers, TenthsAsMillimetresShowsADecimalOnlyWhenThereIsOne)
{
    const std::pair<long long, const char*> cases[] = {
        {125, "12.5"},     {120, "12"},
        {0, "0"},          {5, "0.5"},
        {-5, "-0.5"},      {-120, "-12"},
        {27555, "2755.5"}, {std::numeric_limits<long long>::min(), "-922337203685477580.8"},
    };
    for (const auto& [tenths, text] : cases)
        EXPECT_EQ(vor::TenthsAsMillimetres(tenths), text) << tenths;
}

TEST(RealHelpers, SharedDecimalSettingIsUsed)
{
    vor::gShared.settings.showDecimals = false;
    EXPECT_EQ(vor::RealToText(120), "12");
    EXPECT_EQ(vor::FormatRealText(12.0), "12");
    vor::gShared.settings.showDecimals = true;
    EXPECT_EQ(vor::RealToText(120), "12.0");
}

TEST(RealHelpers, RoundUpDimensionBothTypes)
{
    struct Case {
        long long length, typeOne, typeTwo;  // before the final x 100
    };
    const Case cases[] = {
        {1200, 1200, 1200}, {1234, 1250, 1250}, {1250, 1300, 1250}, {1270, 1300, 1300},
        {0, 0, 0},          {1, 50, 50},        {50, 100, 50},      {99, 100, 100},
        {100, 100, 100},    {149, 150, 150},    {150, 200, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vor::RoundUpDimension(c.length, true), c.typeOne * 100) << c.length;
        EXPECT_EQ(vor::RoundUpDimension(c.length, false), c.typeTwo * 100) << c.length;
    }
}

TEST(RealHelpers, Areas)
{
    EXPECT_DOUBLE_EQ(vor::RoundedAreaM2(2, 1234, 567, true), 1.5);
    EXPECT_DOUBLE_EQ(vor::RoundedAreaM2(2, 1234, 567, false), 1.5);
    EXPECT_DOUBLE_EQ(vor::AreaM2(3, 1000, 500), 1.5);
    EXPECT_DOUBLE_EQ(vor::RoundedAreaM2(1, 1250, 1000, true), 1.3);
    EXPECT_DOUBLE_EQ(vor::RoundedAreaM2(1, 1250, 1000, false), 1.25);
}

// 1 x 2750 x 1850 x 0.000001 was 5.08749999..., shown "5.087"; the area is
// the exact 5.0875 and shows "5.088".
TEST(RealHelpers, AreasAreTheNearestDoubleToTheExactDecimalValue)
{
    struct Case {
        long long q, w, h;
        double exact;
        const char* shown;
    };
    const Case cases[] = {
        {1, 2750, 1850, 5.0875, "5.088"},
        {3, 1000, 500, 1.5, "1.500"},
        {7, 333, 333, 0.776223, "0.776"},
        {2, 0, 1850, 0.0, "0.000"},
    };
    for (const Case& c : cases) {
        const double area = vor::AreaM2(c.q, c.w, c.h);
        EXPECT_EQ(area, c.exact) << c.w << " x " << c.h;
        EXPECT_EQ(vor::FormatFixed(area, 3), c.shown) << c.w << " x " << c.h;
    }
    // Rounded to 2750 x 1850 (type 2) and 2800 x 1850 (type 1).
    EXPECT_EQ(vor::RoundedAreaM2(1, 2750, 1830, false), 5.0875);
    EXPECT_EQ(vor::RoundedAreaM2(1, 2750, 1830, true), 5.18);
    EXPECT_EQ(vor::RoundedAreaM2(3, 1234, 567, false), 2.25);
    // Too big for 64-bit integers: still a finite, close value.
    EXPECT_NEAR(vor::AreaM2(4000000000LL, 4000000000LL, 4000000000LL), 6.4e22, 1e10);
}

TEST(RealHelpers, LeftPadAndClampByte)
{
    EXPECT_EQ(vor::LeftPad("7", "0", 3), "007");
    EXPECT_EQ(vor::LeftPad("1234", "0", 3), "1234");
    EXPECT_EQ(vor::LeftPad("7", "", 3), "7");  // an empty pad must not loop
    EXPECT_EQ(vor::LeftPad("7", "ab", 4), "abab7");
    EXPECT_EQ(vor::LeftPad("é", " ", 2), " é");  // characters, not bytes
    EXPECT_EQ(vor::ClampByte(-1), 0);
    EXPECT_EQ(vor::ClampByte(128), 128);
    EXPECT_EQ(vor::ClampByte(256), 255);
}

}  // namespace
