#include "vorplan/common/conversions.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace vor {

namespace {

std::string ZeroPadFront(std::string s, std::size_t width)
{
    if (s.size() < width)
        s.insert(0, width - s.size(), '0');
    return s;
}

// Blanks after (width > 0) or before (width < 0) the text up to |width|
// characters; never cuts.
std::string PadBlanks(std::string s, int width)
{
    const long long target = width < 0 ? -static_cast<long long>(width) : width;
    const auto length = static_cast<long long>(Utf8Length(s));
    if (length >= target)
        return s;
    const auto missing = static_cast<std::size_t>(target - length);
    if (width > 0)
        s.append(missing, ' ');
    else
        s.insert(0, missing, ' ');
    return s;
}

// Number of decimal digits after the point that the exact value of a finite
// double has: x = mantissa * 2^e with an odd mantissa needs -e digits when e < 0.
int ExactFractionDigits(double x)
{
    if (x == 0.0)
        return 0;
    int exponent = 0;
    const double m = std::frexp(std::fabs(x), &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
    int e2 = exponent - 53 + std::countr_zero(mantissa);
    return e2 < 0 ? -e2 : 0;
}

// Adds one unit in the last digit of the digits of s (a point is skipped),
// growing the integer part when the carry runs off its front.
void IncrementDigits(std::string& s, std::size_t firstDigit)
{
    for (std::size_t i = s.size(); i-- > firstDigit;) {
        if (s[i] == '.')
            continue;
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(firstDigit, 1, '1');
}

std::string WithoutBlanks(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

// Length of the longest prefix of s of the form
// [+-]digits[.digits][(e|E)[+-]digits] with at least one mantissa digit; 0 if none.
std::size_t DecimalPrefixLength(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t expStart = j;
        while (j < s.size() && IsDigit(s[j]))
            ++j;
        if (j > expStart)
            i = j;
    }
    return i;
}

// Walks line + separator; a non-separator after a separator (or at the start)
// opens a field, the next separator closes it. `store` gets each field with
// its number from 1 and returns false to stop the walk.
template <typename Store>
void WalkFields(std::string_view line, char separator, Store store)
{
    long number = 0;
    std::size_t start = 0;
    bool inField = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const bool isSeparator = i == line.size() || line[i] == separator;
        if (!inField && !isSeparator) {
            inField = true;
            start = i;
        } else if (inField && isSeparator) {
            inField = false;
            if (!store(++number, line.substr(start, i - start)))
                return;
        }
    }
}

void StoreField(SplitFieldArrays& out, long number, std::string_view text)
{
    out.texts[number] = std::string(text);
    out.reals[number] = StrToRealComma(text);
    out.ints[number] = StrToIntDef0(text);
    out.count = number;
}

}  // namespace

std::string IntText(long long n)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, res.ptr);
}

// ---- Integer to text -------------------------------------------------------

std::string IntToStrZero3(long long n) { return ZeroPadFront(IntText(n), 3); }

std::string IntToStrZero5(long long n) { return ZeroPadFront(IntText(n), 5); }

std::string IntToStrZero4Cut(long long n) { return ZeroPadFront(IntText(n), 4).substr(0, 4); }

std::string IntToStrZero5Cut(long long n) { return ZeroPadFront(IntText(n), 5).substr(0, 5); }

std::string IntToStrPad(long long n, int width) { return PadBlanks(IntText(n), width); }

// ---- Real to text ----------------------------------------------------------

std::string FormatFixed(double x, int decimals)
{
    const auto wanted = static_cast<std::size_t>(std::max(decimals, 0));
    if (!std::isfinite(x))
        return wanted == 0 ? std::string("0") : "0." + std::string(wanted, '0');

    // Printed exactly first, so the rounding below sees the true binary value
    // and not a value already rounded once (2.675 is below 2.675 and gives 2.67).
    const int exact = ExactFractionDigits(x);
    char buf[1500];  // 309 integer digits, sign, point and 1074 decimals at most
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, exact);
    std::string s(buf, res.ptr);
    const std::size_t firstDigit = s[0] == '-' ? 1 : 0;

    if (static_cast<std::size_t>(exact) <= wanted) {
        if (wanted > 0) {
            if (exact == 0)
                s += '.';
            s.append(wanted - static_cast<std::size_t>(exact), '0');
        }
    } else {
        const std::size_t point = s.find('.');
        const std::size_t keep = wanted == 0 ? point : point + 1 + wanted;
        const bool roundUp = s[point + 1 + wanted] >= '5';  // half away from zero
        s.resize(keep);
        if (roundUp)
            IncrementDigits(s, firstDigit);
    }

    if (firstDigit == 1 && s.find_first_not_of("0.", 1) == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string RealToStr1(double x) { return FormatFixed(x, 1); }

std::string RealToStr2(double x) { return FormatFixed(x, 2); }

std::string RealToStr4(double x) { return FormatFixed(x, 4); }

std::string RealToStr2Pad(int width, double x) { return PadBlanks(FormatFixed(x, 2), width); }

std::string RealToStrTrim(bool trim, double x)
{
    if (!trim)
        return FormatFixed(x, 2);
    std::string s = FormatFixed(x, 12);
    // The cut to 10 characters only shortens decimals: an integer part of 10
    // or more characters is kept whole, and its zeros are no trailing zeros.
    const std::size_t point = s.find('.');
    if (point >= 10) {
        s.resize(point);
    } else {
        if (s.size() > 10)
            s.resize(10);
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    // The cut can leave "-0" from a tiny negative value.
    if (s == "-0")
        s = "0";
    return s;
}

std::string RealToStrBr(int width, double x)
{
    const std::string s = FormatFixed(x, 2);
    const std::size_t firstDigit = s[0] == '-' ? 1 : 0;
    const std::size_t point = s.find('.');
    const std::string_view integer(s.data() + firstDigit, point - firstDigit);

    std::string out(s, 0, firstDigit);
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += '.';
        out += integer[i];
    }
    out += ',';
    out.append(s, point + 1);
    return PadBlanks(std::move(out), width);
}

std::string AreaToM2Text(double area, int precision)
{
    // One division by an exact power of ten keeps the value closest to the
    // decimal result; multiplying by 0.01 and 0.000001 rounds twice.
    double divisor = 1e6;
    if (precision == 1)
        divisor = 1e8;
    else if (precision == 2)
        divisor = 1e10;
    return FormatFixed(area / divisor, 4);
}

std::string AreaToM2Text(double area) { return AreaToM2Text(area, gShared.dimensionPrecision); }

std::string BoolToSimNao(bool b) { return b ? "Sim" : "Não"; }

std::string SignChar(int n)
{
    if (n == 0)
        return " ";
    if (n == 1)
        return "+";
    return "?";
}

// ---- Text to number --------------------------------------------------------

bool IsSignedIntegerText(std::string_view s)
{
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

int StrToIntDef0(std::string_view text)
{
    const std::string s = WithoutBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    if (i < s.size() && s[i] == '$') {
        // Up to 8 hex digits make a 32-bit pattern, read as a signed int.
        ++i;
        std::uint32_t value = 0;
        for (int count = 0; i < s.size(); ++count, ++i) {
            const int digit = HexValue(s[i]);
            if (digit < 0)
                break;
            if (count == 8)
                return 0;  // a ninth digit does not fit: no number, not its first digits
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        if (negative)
            value = 0u - value;
        return static_cast<int>(static_cast<std::int32_t>(value));
    }

    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        value = value * 10 + (s[i] - '0');
        // A value that does not fit is no number: its leading digits would
        // name another order or size.
        if (value > limit)
            return 0;
    }
    return static_cast<int>(negative ? -value : value);
}

double StrToRealComma(std::string_view text)
{
    std::string s = WithoutBlanks(text);
    if (const std::size_t comma = s.find(','); comma != std::string::npos)
        s[comma] = '.';

    std::string_view number(s.data(), DecimalPrefixLength(s));
    if (number.empty())
        return 0.0;
    if (number.front() == '+')
        number.remove_prefix(1);  // from_chars takes no plus sign

    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value == 0.0 ? 0.0 : value;  // "-0" reads as plain 0
}

// ---- Text cleaning (in place) ---------------------------------------------

void RemoveBlanks(std::string& s) { std::erase(s, ' '); }

void TrimBlanks(std::string& s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, first);
}

void BlankToUnderscore(std::string& s) { std::replace(s.begin(), s.end(), ' ', '_'); }

void UnderscoreToBlank(std::string& s) { std::replace(s.begin(), s.end(), '_', ' '); }

void TildeToBlank(std::string& s) { std::replace(s.begin(), s.end(), '~', ' '); }

void CutAtLastTilde(std::string& s)
{
    // A "~" as the first character does not count. No UTF-8 byte after the
    // first character can be "~", so the byte position tells.
    const std::size_t pos = s.rfind('~');
    if (pos == std::string::npos || pos == 0)
        s.clear();
    else
        s.resize(pos);
}

void CutAtSemicolon(std::string& s)
{
    if (const std::size_t pos = s.find(';'); pos != std::string::npos)
        s.resize(pos);
}

void UpperCaseText(std::string& s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

std::string FoldCaseAndAccents(std::string_view s)
{
    // U+00C0 to U+00FF as plain capitals; '*' keeps a non-letter as it is.
    static constexpr char kLatin1[] =
        "AAAAAAACEEEEIIII"   // C0..CF
        "DNOOOOO*OUUUUYTS"   // D0..DF
        "AAAAAAACEEEEIIII"   // E0..EF
        "DNOOOOO*OUUUUYTY";  // F0..FF
    std::u32string points = Utf8ToCodePoints(s);
    for (char32_t& c : points) {
        if (c >= U'a' && c <= U'z')
            c = c - U'a' + U'A';
        else if (c >= 0xC0 && c <= 0xFF && kLatin1[c - 0xC0] != '*')
            c = static_cast<unsigned char>(kLatin1[c - 0xC0]);
        else if (c == 0x160 || c == 0x161)
            c = U'S';
        else if (c == 0x17D || c == 0x17E)
            c = U'Z';
        else if (c == 0x178)
            c = U'Y';
        else if (c == 0x152 || c == 0x153)
            c = U'O';  // the OE ligature, by its first letter
    }
    return CodePointsToUtf8(points);
}

void PadNumberField(std::string& s)
{
    RemoveBlanks(s);
    s = " " + PadBlanks(std::move(s), -6);
}

// ---- Field splitting -------------------------------------------------------

void SplitFieldArrays::Clear()
{
    reals.Fill(0.0);
    ints.Fill(0);
    texts.Fill(std::string());
    count = 0;
}

void SplitFields(std::string_view line, char separator, SplitFieldArrays& out)
{
    out.Clear();
    WalkFields(line, separator, [&out](long number, std::string_view text) {
        // A 16th field is already an error, so the limit of 75 opened fields
        // (kSplitFieldOpenMax) can never be reached.
        static_assert(kSplitFieldCount < kSplitFieldOpenMax);
        if (number > kSplitFieldCount)
            throw RangeError("Erro de intervalo: campo " + std::to_string(number) +
                             " fora de 1.." + std::to_string(kSplitFieldCount));
        StoreField(out, number, text);
        return true;
    });
}

void SplitFieldsFirst15(std::string_view line, char separator, SplitFieldArrays& out)
{
    out.Clear();
    WalkFields(line, separator, [&out](long number, std::string_view text) {
        if (number > kSplitFieldCount)
            return false;
        StoreField(out, number, text);
        return true;
    });
}

void SplitFields(std::string_view line, char separator)
{
    SplitFields(line, separator, gShared.splitFields);
}

// ---- Small numeric helpers --------------------------------------------------

void ClampDrawCoords(int& x1, int& y1, int& x2, int& y2, int drawingSize)
{
    constexpr long long kLow = -10;
    const long long high = std::max(1900LL, static_cast<long long>(drawingSize) + 10);
    for (int* v : {&x1, &y1, &x2, &y2})
        *v = static_cast<int>(std::clamp(static_cast<long long>(*v), kLow, high));
}

int ClassifyDelta(int x1, int y1, int x2, int y2, double a, double b)
{
    const auto dx = static_cast<double>(static_cast<long long>(x2) - x1);
    const auto dy = static_cast<double>(static_cast<long long>(y2) - y1);
    const bool wide = a < dx;
    const bool tall = b < dy;
    if (wide)
        return tall ? 3 : 2;
    return tall ? 4 : 1;
}

}  // namespace vor
