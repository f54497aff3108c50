#include "vorplan/common/real_helpers.h"

#include <cmath>
#include <limits>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"

namespace vor {

namespace {

// The doubles exactly representable as int64 end just below 2^63.
constexpr double kInt64Limit = 9223372036854775808.0;

std::int64_t ToInt64(double integral, double original)
{
    if (!std::isfinite(integral) || integral >= kInt64Limit || integral < -kInt64Limit)
        throw OverflowError("Erro de conversão: " + FormatFixed(original, 4) +
                            " não cabe num inteiro");
    return static_cast<std::int64_t>(integral);
}

}  // namespace

std::int64_t Round(double x)
{
    // nearbyint follows the current rounding mode; the default is to nearest, ties to even.
    return ToInt64(std::nearbyint(x), x);
}

std::int64_t Trunc(double x)
{
    return ToInt64(std::trunc(x), x);
}

std::int64_t MillimetresToTenths(double mm)
{
    const double scaled = mm * UnitsPerMillimetre();
    const double half = std::floor(scaled) + 0.5;
    if (std::fabs(scaled - half) < 1e-9)
        return Round(half);
    return Round(scaled);
}

std::int64_t MillimetresToTenthsTrunc(double mm)
{
    const double scaled = mm * UnitsPerMillimetre();
    const double nearest = std::nearbyint(scaled);
    if (std::fabs(scaled - nearest) < 1e-9)
        return Trunc(nearest);
    return Trunc(scaled);
}

int UnitsPerMillimetre() { return 10; }

double GetHundred() { return 100.0; }

std::string RealToRoundedText(double x)
{
    if (!std::isfinite(x))
        return "0";
    return FormatFixed(std::nearbyint(x), 0);
}

std::string FormatRealText(double x, bool showDecimals)
{
    std::string text = RealToStr1(x);
    if (!showDecimals && !text.empty() && text.back() == '0')
        text.resize(text.size() - 2);
    return text;
}

std::string FormatRealText(double x) { return FormatRealText(x, gShared.settings.showDecimals); }

std::string RealToText(double tenths, bool showDecimals)
{
    std::string text = RealToRoundedText(tenths);
    text.insert(text.size() - 1, ".");
    if (!showDecimals && text.size() >= 3 && text.back() == '0')
        text.resize(text.size() - 2);
    return text;
}

std::string RealToText(double tenths) { return RealToText(tenths, gShared.settings.showDecimals); }

long long RoundUpDimension(long long length, bool typeOne)
{
    // Whole hundreds and the remainder below them, as the fraction of length / 100.
    const long long hundreds = length / 100 * 100;
    const long long rest = length - hundreds;
    long long rounded;
    if (typeOne) {
        if (rest == 0)
            rounded = hundreds;
        else if (rest < 50)
            rounded = hundreds + 50;
        else
            rounded = hundreds + 100;
    } else {
        if (length % 50 == 0)
            rounded = length;
        else if (rest < 50)
            rounded = hundreds + 50;
        else
            rounded = hundreds + 100;
    }
    return rounded * 100;
}

long long RoundUpDimension(long long length)
{
    return RoundUpDimension(length, gShared.settings.roundingTypeOne);
}

namespace {

// q x a x b / divisor: the product in exact integers, scaled once, so the
// result is the double nearest the decimal value (2750 x 1850 mm is 5.0875
// m2, not 5.08749999...). A product past 64 bits has no exact digits to keep.
double ExactAreaM2(long long q, long long a, long long b, double divisor)
{
    long long ab = 0;
    long long product = 0;
    if (__builtin_mul_overflow(a, b, &ab) || __builtin_mul_overflow(q, ab, &product))
        return static_cast<double>(q) * static_cast<double>(a) * static_cast<double>(b) / divisor;
    return static_cast<double>(product) / divisor;
}

}  // namespace

double RoundedAreaM2(long long quantity, long long width, long long height, bool typeOne)
{
    // RoundUpDimension gives millimetres x 100, so the product is in mm2 x 10^4.
    return ExactAreaM2(quantity, RoundUpDimension(width, typeOne),
                       RoundUpDimension(height, typeOne), 1e10);
}

double RoundedAreaM2(long long quantity, long long width, long long height)
{
    return RoundedAreaM2(quantity, width, height, gShared.settings.roundingTypeOne);
}

double AreaM2(long long quantity, long long width, long long height)
{
    return ExactAreaM2(quantity, width, height, 1e6);
}

std::string TenthsAsMillimetres(long long tenths)
{
    // Unsigned, so that the most negative value has a magnitude too.
    const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                                    : static_cast<unsigned long long>(tenths);
    std::string text = (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10);
    if (magnitude % 10 != 0)
        text += "." + std::to_string(magnitude % 10);
    return text;
}

std::string LeftPad(const std::string& text, const std::string& pad, int width)
{
    if (pad.empty() || width <= 0)
        return text;
    std::string result = text;
    std::size_t length = Utf8Length(result);
    const std::size_t padLength = Utf8Length(pad);
    while (length < static_cast<std::size_t>(width)) {
        result.insert(0, pad);
        length += padLength;
    }
    return result;
}

int ClampByte(int value)
{
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

}  // namespace vor
