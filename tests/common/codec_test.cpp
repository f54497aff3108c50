#include "vorplan/common/codec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vor {
namespace {

using namespace std::string_literals;

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST(CodecTest, EveryByteSurvivesARoundTrip)
{
    const std::string bytes = AllBytes();
    const std::string text = Cp1252ToUtf8(bytes);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(Utf8Length(text), 256u);
    EXPECT_EQ(Utf8ToCp1252(text), bytes);

    // Each byte on its own is one character that comes back unchanged.
    for (char c : bytes) {
        const std::string one(1, c);
        const std::string decoded = Cp1252ToUtf8(one);
        EXPECT_EQ(Utf8Length(decoded), 1u) << int(static_cast<unsigned char>(c));
        EXPECT_EQ(Utf8ToCp1252(decoded), one) << int(static_cast<unsigned char>(c));
    }
}

struct Mapping {
    std::string cp1252;
    std::string utf8;
};

TEST(CodecTest, MapsBytesBothWays)
{
    const Mapping cases[] = {
        {"\x80", "€"},
        {"\xE7", "ç"},
        {"\x9F", "Ÿ"},
        {"\x8A", "Š"},
        {"\x99", "™"},
        {"\x85", "…"},
        {"\xA0", "\u00A0"},
        {"\xFF", "ÿ"},
        // The bytes Windows-1252 leaves undefined become the C1 controls.
        {"\x81", "\u0081"},
        {"\x8D", "\u008D"},
        {"\x8F", "\u008F"},
        {"\x90", "\u0090"},
        {"\x9D", "\u009D"},
        {"A\x7F", "A\x7F"},
        {"a\0b"s, "a\0b"s},
        {"Pe\xE7" "a 18\xB0", "Peça 18°"},
    };
    for (const Mapping& m : cases) {
        EXPECT_EQ(Cp1252ToUtf8(m.cp1252), m.utf8) << m.utf8;
        EXPECT_EQ(Utf8ToCp1252(m.utf8), m.cp1252) << m.utf8;
    }
}

TEST(CodecTest, WhatWindows1252CannotHoldBecomesQuestionMark)
{
    const Mapping cases[] = {
        {"?", "\u4E2D"},              // CJK
        {"a?b", "a\u4E2Db"},
        {"?", "\U0001F600"},          // outside the BMP
        {"?", "\u0080"},              // a C1 control that 0x80 does not stand for
        {"?", "\u009F"},
        {"?", "\u0100"},
        // Invalid UTF-8: one "?" per broken sequence or stray byte.
        {"?", "\xFF"},
        {"?", "\x80"},
        {"a?", "a\xC3"},
        {"?", "\xE4\xB8"},            // character cut short
        {"?x", "\xE4\xB8x"},
        {"?", "\xF0\x9F\x98"},
        {"??", "\xC0\xAF"},           // overlong "/"
        {"???", "\xED\xA0\x80"},      // surrogate
        {"????", "\xF4\x90\x80\x80"}, // above U+10FFFF
        {"?(", "\xC3("},
        {"\xE7?\xE7", "ç\xFFç"},
    };
    for (const Mapping& m : cases)
        EXPECT_EQ(Utf8ToCp1252(m.utf8), m.cp1252) << m.cp1252;
}

TEST(CodecTest, IsValidUtf8IsStrict)
{
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"plain", true},
        {"a\0b"s, true},
        {"ação €", true},
        {"\xED\x9F\xBF", true},          // U+D7FF, just below the surrogates
        {"\xEE\x80\x80", true},          // U+E000, just above
        {"\xEF\xBF\xBF", true},          // U+FFFF
        {"\xF4\x8F\xBF\xBF", true},      // U+10FFFF
        {"\xC0\x80", false},             // overlong NUL
        {"\xC1\xBF", false},
        {"\xE0\x80\xAF", false},
        {"\xE0\x9F\xBF", false},
        {"\xF0\x80\x80\xAF", false},
        {"\xF0\x8F\xBF\xBF", false},
        {"\xED\xA0\x80", false},         // U+D800
        {"\xED\xBF\xBF", false},         // U+DFFF
        {"\xF4\x90\x80\x80", false},     // U+110000
        {"\xF5\x80\x80\x80", false},
        {"\xF8\x88\x80\x80\x80", false},
        {"\xC3", false},                 // truncated
        {"\xE2\x82", false},
        {"\xF0\x9F\x98", false},
        {"ab\xE2\x82", false},
        {"\x80", false},                 // lone continuation
        {"\xBF", false},
        {"\xC3\x28", false},             // bad continuation
        {"\xE2\x28\xA1", false},
        {"\xFE", false},
        {"\xFF", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
}

TEST(CodecTest, StopsAtTheEndOfAView)
{
    // The cut-off "€" is followed in memory by its last byte; a decoder that
    // reads past the view would see a whole character.
    const std::string buffer = "a\xE2\x82\xAC";
    const std::string_view cut(buffer.data(), 3);
    EXPECT_FALSE(IsValidUtf8(cut));
    EXPECT_EQ(Utf8Length(cut), 3u);
    EXPECT_EQ(Utf8Left(cut, 5), "a\xE2\x82");
    EXPECT_EQ(Utf8ToCp1252(cut), "a?");
    EXPECT_EQ(DecodeFileText(cut), "a\u00E2\u201A");
}

TEST(CodecTest, Utf8LengthCountsCharacters)
{
    struct Case {
        std::string text;
        std::size_t length;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {"ação", 4},
        {"€", 1},
        {"中文", 2},
        {"\U0001F600", 1},
        {"a\0b"s, 3},
        // Each invalid byte is a character of its own.
        {"a\xC3", 2},
        {"\xE4\xB8", 2},
        {"\xFF\xFE", 2},
        {"\xC0\xAF", 2},
        {"a\xE4\xB8z€", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8Length(c.text), c.length) << ::testing::PrintToString(c.text);
}

TEST(CodecTest, Utf8LeftKeepsWholeCharacters)
{
    struct Case {
        std::string text;
        std::size_t count;
        std::string left;
    };
    const Case cases[] = {
        {"ação", 0, ""},
        {"ação", 2, "aç"},
        {"ação", 3, "açã"},
        {"ação", 4, "ação"},
        {"ação", 100, "ação"},
        {"€x", 1, "€"},
        {"\U0001F600a", 1, "\U0001F600"},
        {"", 3, ""},
        {"a\xE4\xB8z", 2, "a\xE4"},
        {"a\xE4\xB8z", 3, "a\xE4\xB8"},
        {"a\xE4\xB8z", 4, "a\xE4\xB8z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8Left(c.text, c.count), c.left) << c.text << " " << c.count;

    // Every prefix of valid text is itself valid and as long as asked.
    const std::string text = "Ação: 18 € — 中 \U0001F600!";
    const std::size_t length = Utf8Length(text);
    for (std::size_t n = 0; n <= length + 1; ++n) {
        const std::string left = Utf8Left(text, n);
        EXPECT_TRUE(IsValidUtf8(left)) << n;
        EXPECT_EQ(Utf8Length(left), std::min(n, length)) << n;
        EXPECT_TRUE(std::string_view(text).starts_with(left)) << n;
    }
}

TEST(CodecTest, DecodeFileTextChoosesTheEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"ascii", "abc\r\n", "abc\r\n"},
        {"utf-8 kept", "a\xC3\xA7\xE2\x82\xAC", "aç€"},
        {"cp1252", "a\xE7\x80", "aç€"},
        {"cp1252 that starts like utf-8", "\xC3\xA7\xE7", "Ã§ç"},
        {"cp1252 undefined byte", "\x81", "\u0081"},
        {"bom and utf-8", "\xEF\xBB\xBF" "a\xC3\xA7", "aç"},
        {"bom only", "\xEF\xBB\xBF", ""},
        {"bom and cp1252", "\xEF\xBB\xBF" "a\xE7", "aç"},
        {"only the first bom dropped", "\xEF\xBB\xBF\xEF\xBB\xBFx", "\uFEFFx"},
        {"bom later, nothing cp1252 holds", "a\xEF\xBB\xBF", "a\u00EF\u00BB\u00BF"},
        {"half a bom is cp1252", "\xEF\xBBx", "ï»x"},
        {"nul kept", "a\0b"s, "a\0b"s},
    };
    for (const Case& c : cases) {
        const std::string text = DecodeFileText(c.bytes);
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_TRUE(IsValidUtf8(text)) << c.name;
    }
}

// "Furo Ø½" was stored as Furo_\xD8\xBD, which is also valid UTF-8 ("Furo_ؽ"),
// and came back as an Arabic letter; saved again it became "Furo_?".
TEST(CodecTest, Cp1252TextThatIsValidUtf8ReadsBackAsWritten)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"Furo Ø½", "Furo_\xD8\xBD", "Furo_Ø½", TextEncoding::Windows1252},
        {"Chapa Ø¼ pol", "Chapa_\xD8\xBC_pol", "Chapa_Ø¼_pol", TextEncoding::Windows1252},
        {"PÉ”", "P\xC9\x94", "PÉ”", TextEncoding::Windows1252},
        {"utf-8 Porta ação", "Porta a\xC3\xA7\xC3\xA3o", "Porta ação", TextEncoding::Utf8},
        // Only a typed "Ã" or "Â" before a byte 0x80..0xBF stays ambiguous.
        {"CafÃ© reads as utf-8", "Caf\xC3\xA9", "Café", TextEncoding::Utf8},
        {"utf-8 with a character cp1252 lacks", "\xC3\xA9 \xE2\x80\xA6 \xE2\x89\xA4", "é … ≤",
         TextEncoding::Utf8},
        {"utf-8 only outside cp1252", "\xCE\xA9\xCE\xBC", "Î©Î¼", TextEncoding::Windows1252},
        {"bom means utf-8", "\xEF\xBB\xBF\xCE\xA9", "Ω", TextEncoding::Utf8WithBom},
        {"ascii is cp1252", "abc", "abc", TextEncoding::Windows1252},
        {"not utf-8", "a\xE7", "aç", TextEncoding::Windows1252},
    };
    for (const Case& c : cases) {
        const DecodedText decoded = DecodeFileTextAndEncoding(c.bytes);
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(decoded.encoding, c.encoding) << c.name;
        EXPECT_EQ(EncodeFileText(decoded.text, decoded.encoding), c.bytes) << c.name;
    }
}

TEST(CodecTest, EveryWindows1252CharacterRoundTripsByteForByte)
{
    const std::string all = AllBytes();
    const DecodedText decoded = DecodeFileTextAndEncoding(all);
    EXPECT_EQ(decoded.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(EncodeFileText(decoded.text, decoded.encoding), all);
    // Every pair of bytes too: whichever pairs form valid UTF-8, the file
    // still holds the others, so it reads as Windows-1252.
    std::string pairs;
    for (int a = 0x80; a < 0x100; ++a)
        for (int b = 0x80; b < 0x100; ++b)
            pairs += {static_cast<char>(a), static_cast<char>(b), ' '};
    EXPECT_EQ(Utf8ToCp1252(DecodeFileText(pairs)), pairs);
}

TEST(CodecTest, UndecodableTextIsUtf16Utf32OrHoldsANul)
{
    EXPECT_TRUE(IsUndecodableText("\xFF\xFE[\0S\0]\0"s));
    EXPECT_TRUE(IsUndecodableText("\xFE\xFF\0[\0S"s));
    EXPECT_TRUE(IsUndecodableText("\0\0\xFE\xFF"s));
    EXPECT_TRUE(IsUndecodableText("[S]\r\nK=\0"s));
    EXPECT_FALSE(IsUndecodableText(""));
    EXPECT_FALSE(IsUndecodableText(AllBytes().substr(1)));
    EXPECT_FALSE(IsUndecodableText("\xEF\xBB\xBF[S]"));
}

}  // namespace
}  // namespace vor
