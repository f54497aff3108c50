#include <gtest/gtest.h>

#include <string>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/rtf_writer.h"

namespace {

using vor::CharStyle;
using vor::ParagraphAlignment;
using vor::ReadRtf;
using vor::StyledDocument;
using vor::StyledParagraph;

std::string Fixture(const char* name)
{
    return vor::ReadFileBytes(std::string(VOR_FIXTURES_DIR "/help_texts/") + name);
}

std::vector<std::string> PlainTexts(const StyledDocument& doc)
{
    std::vector<std::string> texts;
    for (const StyledParagraph& p : doc.paragraphs)
        texts.push_back(p.PlainText());
    return texts;
}

// The first run whose text is `text`.
const vor::TextRun* RunOf(const StyledDocument& doc, const std::string& text)
{
    for (const StyledParagraph& p : doc.paragraphs)
        for (const vor::TextRun& run : p.runs)
            if (run.text == text)
                return &run;
    return nullptr;
}

TEST(RtfReaderTest, WhatTheWriterWritesReadsBackUnchanged)
{
    StyledDocument doc;
    doc.defaultFont = "Arial";
    CharStyle plain;
    CharStyle bold;
    bold.bold = true;
    bold.halfPoints = 32;
    CharStyle link;
    link.underline = true;
    link.colour = vor::RtfColour{0, 0, 128};
    CharStyle other;
    other.italic = true;
    other.strike = true;
    other.font = "Times New Roman";
    other.colour = vor::RtfColour{200, 10, 0};

    StyledParagraph title;
    title.style.alignment = ParagraphAlignment::Centre;
    title.style.spaceBefore = 120;
    title.style.spaceAfter = 60;
    title.Append("1 - Introdução", bold);
    StyledParagraph entry;
    entry.style.tabStops = {360, 1440};
    entry.Append("\t", plain);
    entry.Append("2 - Peças", link);
    entry.Append("\tpágina {2} \\ €", plain);
    StyledParagraph body;
    body.style.alignment = ParagraphAlignment::Justified;
    body.style.leftIndent = 360;
    body.style.rightIndent = 120;
    body.style.firstIndent = -180;
    body.Append("ĳ and Ω, a line\nbreak, ", other);
    body.Append("😀 and ç ã", plain);
    StyledParagraph right;
    right.style.alignment = ParagraphAlignment::Right;
    right.Append("12", link);
    doc.paragraphs = {title, entry, StyledParagraph{}, body, right};

    const std::string rtf = vor::WriteRtf(doc, "Ajuda");
    EXPECT_EQ(ReadRtf(rtf), doc) << rtf;
    EXPECT_NE(rtf.find("{\\info{\\title Ajuda}}"), std::string::npos);
    // Written again, it is the same text: a save of an unchanged file changes nothing.
    EXPECT_EQ(vor::WriteRtf(ReadRtf(rtf), "Ajuda"), rtf);
}

TEST(RtfReaderTest, WordProcessorSampleShowsTextAndBasicStylesOnly)
{
    const StyledDocument doc = ReadRtf(Fixture("word_processor_sample.rtf"));
    const std::vector<std::string> expected = {
        "Title in Times",
        "Plain, bold, italic, underlined, struck, red and large.",
        "A field: the shown text.",
        "A picture: done.",
        "Unknown words vanish, € euro, café.",
        "",
        "Binary  skipped.",
        "",
    };
    EXPECT_EQ(PlainTexts(doc), expected);
    EXPECT_EQ(doc.defaultFont, "Arial");

    const StyledParagraph& title = doc.paragraphs.at(0);
    EXPECT_EQ(title.style.alignment, ParagraphAlignment::Centre);
    EXPECT_EQ(title.style.spaceAfter, 120);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_TRUE(title.runs[0].style.bold);
    EXPECT_EQ(title.runs[0].style.halfPoints, 28);
    EXPECT_EQ(title.runs[0].style.font, "Times New Roman");

    struct Styled {
        const char* text;
        bool bold, italic, underline, strike;
        int halfPoints;
    };
    const Styled styled[] = {
        {"Plain, ", false, false, false, false, 20},   {"bold", true, false, false, false, 20},
        {"italic", false, true, false, false, 20},     {"underlined", false, false, true, false, 20},
        {"struck", false, false, false, true, 20},     {"large", false, false, false, false, 40},
        {"the shown text", false, false, true, false, 20},
    };
    for (const Styled& s : styled) {
        SCOPED_TRACE(s.text);
        const vor::TextRun* run = RunOf(doc, s.text);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->style.bold, s.bold);
        EXPECT_EQ(run->style.italic, s.italic);
        EXPECT_EQ(run->style.underline, s.underline);
        EXPECT_EQ(run->style.strike, s.strike);
        EXPECT_EQ(run->style.halfPoints, s.halfPoints);
        EXPECT_EQ(run->style.font, "");
    }
    ASSERT_NE(RunOf(doc, "red"), nullptr);
    EXPECT_EQ(RunOf(doc, "red")->style.colour, (vor::RtfColour{255, 0, 0}));
    EXPECT_EQ(RunOf(doc, "the shown text")->style.colour, (vor::RtfColour{0, 128, 0}));
    EXPECT_FALSE(RunOf(doc, "Plain, ")->style.colour.has_value());
}

TEST(RtfReaderTest, HostileInputNeverBreaksTheReader)
{
    struct Case {
        const char* name;
        std::string rtf;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"unclosed groups", "{\\rtf1 a{\\b b{\\i c", {"abc"}},
        {"text after the document", "{\\rtf1 a}b\\par c", {"a"}},
        {"stray closing braces", "{\\rtf1 a}}}}", {"a"}},
        {"binary longer than the input", "{\\rtf1 a\\bin999999 bcd", {"a"}},
        {"negative binary", "{\\rtf1 a\\bin-5 b}", {"ab"}},
        {"huge parameters", "{\\rtf1\\fs99999999999999999999 a\\li-99999999999999 b\\u99999999?c}", {"abc"}},
        {"lone surrogates", "{\\rtf1 \\u-9000?x\\u-10000?\\u65?}", {"xA"}},
        {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", {"😀"}},
        {"stand-ins of \\uc2", "{\\rtf1\\uc2 \\u233\\'3f\\'3fb\\uc0 \\u233 c}", {"ébéc"}},
        {"broken hex", "{\\rtf1 \\'zz\\'4}", {"zz4"}},
        {"backslash at the end", "{\\rtf1 a\\", {"a"}},
        {"control word at the end", "{\\rtf1 a\\par", {"a", ""}},
        {"a skipped group with braces in text", "{\\rtf1 {\\*\\x \\{ a\\} }b}", {"b"}},
        {"colour index out of range", "{\\rtf1{\\colortbl;\\red1;}\\cf7 a\\cf-1 b}", {"ab"}},
        {"font without a table", "{\\rtf1\\f3 a}", {"a"}},
        {"control characters", std::string("{\\rtf1 a\x01\x7f\0b}", 12), {"a\x7f" "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlainTexts(ReadRtf(c.rtf)), c.texts);
    }

    // Deeper than 200 groups: the rest is left out.
    std::string deep = "{\\rtf1 top";
    for (int i = 0; i < 300; ++i)
        deep += "{x";
    const StyledDocument doc = ReadRtf(deep);
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].PlainText(), "top" + std::string(199, 'x'));

    // Past 16 MiB the input is not read.
    std::string big = "{\\rtf1 ";
    big.append(vor::kRtfMaxInputBytes, 'a');
    big += "\\par tail}";
    const StyledDocument bigDoc = ReadRtf(big);
    ASSERT_EQ(bigDoc.paragraphs.size(), 1u);
    EXPECT_EQ(bigDoc.paragraphs[0].PlainText().size(), vor::kRtfMaxInputBytes - 7);
}

TEST(RtfReaderTest, TextThatIsNoRtfIsReadLineByLine)
{
    EXPECT_EQ(PlainTexts(ReadRtf("first\r\nsecond\nPe\xe7" "as")),
              (std::vector<std::string>{"first", "second", "Peças"}));
    EXPECT_EQ(PlainTexts(ReadRtf("")), (std::vector<std::string>{""}));
}

}  // namespace
