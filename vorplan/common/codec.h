#pragma once

#include <string>
#include <string_view>

namespace vor {

// Windows-1252 bytes to UTF-8. Every byte maps to one code point; the five
// bytes Windows-1252 leaves undefined map to the C1 controls of the same value,
// so that decoding and encoding again gives back every byte.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. A character Windows-1252 cannot hold, or a byte that
// is not valid UTF-8, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 as code points; each invalid sequence reads as one U+FFFD.
std::u32string Utf8ToCodePoints(std::string_view text);

// Code points as UTF-8.
std::string CodePointsToUtf8(std::u32string_view codePoints);

// Number of characters (code points) of a UTF-8 text; limits count these.
std::size_t Utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string Utf8Left(std::string_view text, std::size_t count);

// Text read from a data file to UTF-8: a UTF-8 byte-order mark is dropped, a
// text that is valid UTF-8 is kept, anything else is read as Windows-1252.
std::string DecodeFileText(std::string_view bytes);

}  // namespace vor
