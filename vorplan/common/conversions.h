#pragma once

#include <string>
#include <string_view>

#include "vorplan/common/bounded_array.h"

namespace vor {

// ---- Integer to text -------------------------------------------------------

// Decimal text of n, never with the locale's grouping.
std::string IntText(long long n);

// Decimal text of n, "0" put in front until it has at least 3 characters;
// longer texts are kept whole (7 -> "007", -5 -> "0-5").
std::string IntToStrZero3(long long n);
// The same with at least 5 characters.
std::string IntToStrZero5(long long n);
// Padded with "0" to 4 characters, then only the first 4 kept (12345 -> "1234").
std::string IntToStrZero4Cut(long long n);
// Padded with "0" to 5 characters, then only the first 5 kept (123456 -> "12345").
std::string IntToStrZero5Cut(long long n);
// width > 0 appends blanks, width < 0 puts them in front, up to |width|
// characters; 0 changes nothing; never cuts.
std::string IntToStrPad(long long n, int width);

// ---- Real to text ----------------------------------------------------------

// Fixed-point text with `decimals` digits after a point, a leading "-" for
// negatives, no grouping. Rounds the exact value of x half away from zero
// (0.125 -> "0.13"); a value that rounds to zero has no sign. Every real
// formatting of the system goes through here.
std::string FormatFixed(double x, int decimals);

std::string RealToStr1(double x);
std::string RealToStr2(double x);
std::string RealToStr4(double x);
// Two decimals, padded like IntToStrPad.
std::string RealToStr2Pad(int width, double x);
// trim false: 2 decimals. trim true: 12 decimals cut to 10 characters (never
// into the integer part), then trailing "0"s after the point and a last "."
// removed (2.5 -> "2.5", 100 -> "100").
std::string RealToStrTrim(bool trim, double x);
// Two decimals with Brazilian marks: "," for the point and "." between every
// three integer digits (-1234.5 -> "-1.234,50"), padded like IntToStrPad.
std::string RealToStrBr(int width, double x);
// An area in square dimension units as square metres with 4 decimals; the
// unit follows the dimension precision value (1: tenths of a millimetre).
std::string AreaToM2Text(double area, int precision);
std::string AreaToM2Text(double area);  // with the shared precision value

std::string BoolToSimNao(bool b);  // "Sim" or "Não"
std::string SignChar(int n);       // 0 " ", 1 "+", other "?"

// ---- Text to number --------------------------------------------------------

// '0' to '9' and nothing else, whatever the locale.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Every blank removed; an optional sign, decimal digits ("$" before them reads
// hexadecimal, at most 8 digits); reading stops at the first character that
// does not belong and the value read so far is returned. A value that does not
// fit in an int reads 0, as any other non-number.
int StrToIntDef0(std::string_view s);

// An optional sign and decimal digits, nothing else (blanks included).
bool IsSignedIntegerText(std::string_view s);

// Every blank removed, the first "," read as the point; then the longest
// prefix of the form [+-]digits[.digits][e[+-]digits] is read. "inf", "nan"
// and hexadecimal floats are no numbers; no digits, or a value out of the
// range of a double, gives 0.
double StrToRealComma(std::string_view s);

// ---- Text cleaning (in place) ---------------------------------------------

void RemoveBlanks(std::string& s);
void TrimBlanks(std::string& s);
void BlankToUnderscore(std::string& s);
void UnderscoreToBlank(std::string& s);
void TildeToBlank(std::string& s);
// Keeps the text before the last "~" at position 2 or later; else empty.
void CutAtLastTilde(std::string& s);
// Keeps the text before the first ";".
void CutAtSemicolon(std::string& s);
// ASCII a..z to A..Z; every other character stays.
void UpperCaseText(std::string& s);
// For searches that ignore case and accents: letters upper-cased, and the
// accented letters of Windows-1252 as their plain letters ("ção" -> "CAO").
std::string FoldCaseAndAccents(std::string_view s);
// Blanks removed, left-padded with blanks to 6 characters, one more blank in front.
void PadNumberField(std::string& s);

// ---- Field splitting -------------------------------------------------------

constexpr long kSplitFieldCount = 15;
constexpr long kSplitFieldOpenMax = 75;

// The fields of one split line, numbered 1 to 15.
struct SplitFieldArrays {
    BoundedArray<double, kSplitFieldCount> reals;
    BoundedArray<int, kSplitFieldCount> ints;
    BoundedArray<std::string, kSplitFieldCount> texts;
    long count = 0;  // number of fields found

    void Clear();
};

// Splits `line` at `separator` into fields (runs of separators make no empty
// fields) and fills text, real and integer entry i of `out` from field i.
// A 16th field throws RangeError, as does a line of more than 75 fields.
void SplitFields(std::string_view line, char separator, SplitFieldArrays& out);

// The same for readers that must survive long lines: fields after the 15th
// are ignored.
void SplitFieldsFirst15(std::string_view line, char separator, SplitFieldArrays& out);

// SplitFields into the shared field arrays.
void SplitFields(std::string_view line, char separator);

// ---- Small numeric helpers --------------------------------------------------

// Limits each coordinate to -10 .. max(1900, drawingSize + 10), so a drawing
// wider than 1900 pixels is not cut off.
void ClampDrawCoords(int& x1, int& y1, int& x2, int& y2, int drawingSize = 0);

// dx = x2 - x1, dy = y2 - y1: 2 when a < dx and not b < dy, 3 when a < dx and
// b < dy, 1 when neither, 4 when not a < dx and b < dy.
int ClassifyDelta(int x1, int y1, int x2, int y2, double a, double b);

}  // namespace vor
