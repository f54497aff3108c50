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

// The encoding a data file was read in, so that a rewrite in place keeps it.
enum class TextEncoding { Windows1252, Utf8, Utf8WithBom };

struct DecodedText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::Windows1252;
};

// Text read from a data file to UTF-8. A UTF-8 byte-order mark means UTF-8
// (dropped). Otherwise valid UTF-8 is UTF-8 only when at least one of its
// non-ASCII characters is one Windows-1252 holds; else, and for anything that
// is not valid UTF-8, the bytes are Windows-1252, so every file this system
// wrote reads back as written. Pure ASCII counts as Windows-1252.
DecodedText DecodeFileTextAndEncoding(std::string_view bytes);
std::string DecodeFileText(std::string_view bytes);

// True for bytes that are no text in either encoding: a UTF-16 or UTF-32
// byte-order mark, or a NUL byte.
bool IsUndecodableText(std::string_view bytes);

// UTF-8 text in `encoding`: unchanged for UTF-8, with the byte-order mark put
// back for Utf8WithBom, through Utf8ToCp1252 for Windows-1252.
std::string EncodeFileText(std::string_view text, TextEncoding encoding);

}  // namespace vor
