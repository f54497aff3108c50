#include "vorplan/common/codec.h"

#include <array>

namespace vor {

namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined keep their own value so that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, char32_t cp)
{
    auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

struct Sequence {
    char32_t codePoint;
    std::size_t length;  // bytes taken; for an invalid one, its longest valid-looking start
    bool valid;
};

// Reads one sequence at `pos` (pos < text.size()). The ranges of the second
// byte exclude overlongs, surrogates and values above U+10FFFF. An invalid
// sequence covers the lead byte and the continuation bytes that still fit,
// so a cut-off character counts as one fault, not several.
Sequence NextSequence(std::string_view text, std::size_t pos)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1, true};

    std::size_t needed = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {0, 1, false};
    }

    for (std::size_t i = 1; i <= needed; ++i) {
        if (pos + i >= text.size())
            return {0, i, false};
        const unsigned next = byte(pos + i);
        const unsigned lo = i == 1 ? low : 0x80;
        const unsigned hi = i == 1 ? high : 0xBF;
        if (next < lo || next > hi)
            return {0, i, false};
        cp = (cp << 6) | (next & 0x3F);
    }
    return {cp, needed + 1, true};
}

// The Windows-1252 byte of a code point, or -1 when Windows-1252 lacks it.
int Cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Valid UTF-8 in which at least one non-ASCII character is one Windows-1252
// holds. Windows-1252 text that happens to be valid UTF-8 ("Ø½" is D8 BD)
// decodes only to characters Windows-1252 lacks, so it fails this test.
bool ReadsAsUtf8(std::string_view bytes)
{
    bool held = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const Sequence seq = NextSequence(bytes, pos);
        if (!seq.valid)
            return false;
        if (seq.codePoint >= 0x80 && Cp1252Byte(seq.codePoint) >= 0)
            held = true;
        pos += seq.length;
    }
    return held;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            AppendUtf8(out, kHighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Sequence seq = NextSequence(text, pos);
        pos += seq.length;
        const int byte = seq.valid ? Cp1252Byte(seq.codePoint) : -1;
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const Sequence seq = NextSequence(bytes, pos);
        if (!seq.valid)
            return false;
        pos += seq.length;
    }
    return true;
}

std::u32string Utf8ToCodePoints(std::string_view text)
{
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const Sequence seq = NextSequence(text, pos);
        out.push_back(seq.valid ? seq.codePoint : char32_t{0xFFFD});
        pos += seq.length;
    }
    return out;
}

std::string CodePointsToUtf8(std::u32string_view codePoints)
{
    std::string out;
    for (const char32_t cp : codePoints)
        AppendUtf8(out, cp);
    return out;
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Sequence seq = NextSequence(text, pos);
        // Each byte of a broken sequence is a character of its own.
        count += seq.valid ? 1 : seq.length;
        pos += seq.length;
    }
    return count;
}

std::string Utf8Left(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    while (pos < text.size() && count > 0) {
        const Sequence seq = NextSequence(text, pos);
        if (seq.valid) {
            pos += seq.length;
            --count;
        } else {
            const std::size_t take = seq.length < count ? seq.length : count;
            pos += take;
            count -= take;
        }
    }
    return std::string(text.substr(0, pos));
}

DecodedText DecodeFileTextAndEncoding(std::string_view bytes)
{
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        if (IsValidUtf8(bytes))
            return {std::string(bytes), TextEncoding::Utf8WithBom};
    } else if (ReadsAsUtf8(bytes)) {
        return {std::string(bytes), TextEncoding::Utf8};
    }
    return {Cp1252ToUtf8(bytes), TextEncoding::Windows1252};
}

std::string DecodeFileText(std::string_view bytes)
{
    return DecodeFileTextAndEncoding(bytes).text;
}

bool IsUndecodableText(std::string_view bytes)
{
    // UTF-16 and UTF-32 byte-order marks (FF FE also starts UTF-32 LE).
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
        return true;
    // No text of ours holds a NUL; a file with one is UTF-16 or not text.
    return bytes.find('\0') != std::string_view::npos;
}

std::string EncodeFileText(std::string_view text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return std::string(text);
    case TextEncoding::Utf8WithBom:
        return std::string(kBom) + std::string(text);
    case TextEncoding::Windows1252:
        break;
    }
    return Utf8ToCp1252(text);
}

}  // namespace vor
