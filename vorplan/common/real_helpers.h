#pragma once

#include <cstdint>
#include <string>

namespace vor {

// Round half to even, as the processor does; throws OverflowError when the
// value is not finite or does not fit.
std::int64_t Round(double x);
// Toward zero; throws OverflowError like Round.
std::int64_t Trunc(double x);

// Millimetres to tenths on the decimal value: a value within 1e-9 of a half
// is taken as that half, then rounded half to even ("0.35" -> 4, "0.25" -> 2).
std::int64_t MillimetresToTenths(double mm);
// Millimetres to whole tenths, cut toward zero; within 1e-9 of an integer it
// is that integer ("0.7" -> 7).
std::int64_t MillimetresToTenthsTrunc(double mm);

// The internal length unit: tenths of a millimetre.
int UnitsPerMillimetre();
double GetHundred();

// The value rounded half to even, as decimal text.
std::string RealToRoundedText(double x);
// One decimal with a point; without decimals shown a trailing ".0" goes.
std::string FormatRealText(double x, bool showDecimals);
std::string FormatRealText(double x);  // with the shared SHOW_D
// A length in tenths as millimetre text: 125 -> "12.5", 5 -> ".5", -5 -> "-.5";
// without decimals shown "12.0" becomes "12".
std::string RealToText(double tenths, bool showDecimals);
std::string RealToText(double tenths);  // with the shared SHOW_D
// A length in tenths as millimetres, decimals only when there are any:
// 125 -> "12.5", 120 -> "12", -5 -> "-0.5".
std::string TenthsAsMillimetres(long long tenths);

// A length in whole millimetres rounded up to 50 or 100 mm, times 100.
// typeOne (ARREDONDAMENTO_1) also takes a remainder of exactly 50 to the next hundred.
long long RoundUpDimension(long long length, bool typeOne);
long long RoundUpDimension(long long length);  // with the shared ARREDONDAMENTO_1

// quantity x rounded width x rounded height, in square metres. Both areas are
// formed in integers and scaled once, so they are the nearest double to the
// exact decimal value.
double RoundedAreaM2(long long quantity, long long width, long long height, bool typeOne);
double RoundedAreaM2(long long quantity, long long width, long long height);
// quantity x width x height x 0.000001.
double AreaM2(long long quantity, long long width, long long height);

// `pad` put in front of `text` until it has at least `width` characters; an
// empty pad returns the text.
std::string LeftPad(const std::string& text, const std::string& pad, int width);

int ClampByte(int value);

}  // namespace vor
