#include <gtest/gtest.h>

#include <string>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace {

using vor::ParagraphAlign;
using vor::ReadRtf;
using vor::StyledDoc;
using vor::StyledParagraph;
using vor::StyledRun;

std::string Fixture(const char* name)
{
    return vor::ReadFileBytes(std::string(VOR_FIXTURES_DIR "/help_texts/") + name);
}

std::vector<std::string> PlainTexts(const StyledDoc& doc)
{
    std::vector<std::string> texts;
    for (const StyledParagraph& p : doc.paragraphs)
        texts.push_back(vor::StyledParagraphText(p));
    return texts;
}

// The first run whose text is `text`.
const StyledRun* RunOf(const StyledDoc& doc, const std::string& text)
{
    for (const StyledParagraph& p : doc.paragraphs)
        for (const StyledRun& run : p.runs)
            if (run.text == text)
                return &run;
    return nullptr;
}

StyledRun Styled(std::string text, StyledRun style = {})
{
    style.text = std::move(text);
    return style;
}

TEST(RtfReaderTest, WhatTheWriterWritesReadsBackUnchanged)
{
    StyledRun plain;
    StyledRun bold;
    bold.bold = true;
    bold.size = 16;
    StyledRun link;
    link.underline = true;
    link.colour = vor::RgbColor(0, 0, 128);
    StyledRun other;
    other.italic = true;
    other.strike = true;
    other.font = "Times New Roman";
    other.colour = vor::RgbColor(200, 10, 0);
    other.size = 11;

    StyledParagraph title;
    title.align = ParagraphAlign::Centre;
    title.spaceBefore = 6;
    title.spaceAfter = 3;
    title.Append(Styled("1 - Introdução", bold));
    StyledParagraph entry;
    entry.tabStops = {18, 72};
    entry.Append(Styled("\t", plain));
    entry.Append(Styled("2 - Peças", link));
    entry.Append(Styled("\tpágina {2} \\ €", plain));
    StyledParagraph body;
    body.align = ParagraphAlign::Justified;
    body.leftIndent = 18;
    body.rightIndent = 6;
    body.firstIndent = -9;
    body.Append(Styled("ĳ and Ω, a line\nbreak, ", other));
    body.Append(Styled("😀 and ç ã", plain));
    StyledParagraph right;
    right.align = ParagraphAlign::Right;
    right.Append(Styled("12", link));
    StyledDoc doc;
    doc.paragraphs = {title, entry, StyledParagraph{}, body, right, StyledParagraph{}};

    const std::string rtf = vor::StyledDocToRtf(doc, "Ajuda");
    EXPECT_EQ(ReadRtf(rtf), doc) << rtf;
    EXPECT_NE(rtf.find("{\\info{\\title Ajuda}}"), std::string::npos);
    // Written again, it is the same text: a save of an unchanged file changes nothing.
    EXPECT_EQ(vor::StyledDocToRtf(ReadRtf(rtf), "Ajuda"), rtf);
}

TEST(RtfReaderTest, WordProcessorSampleShowsTextAndBasicStylesOnly)
{
    const StyledDoc doc = ReadRtf(Fixture("word_processor_sample.rtf"));
    const std::vector<std::string> expected = {
        "Title in Times",
        "Plain, bold, italic, underlined, struck, red and large.",
        "A field: the shown text.",
        "A picture: done.",
        "Unknown words vanish, € euro, café.",
        "",
        "Binary  skipped.",
    };
    EXPECT_EQ(PlainTexts(doc), expected);

    const StyledParagraph& title = doc.paragraphs.at(0);
    EXPECT_EQ(title.align, ParagraphAlign::Centre);
    EXPECT_EQ(title.spaceAfter, 6);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_TRUE(title.runs[0].bold);
    EXPECT_EQ(title.runs[0].size, 14);
    EXPECT_EQ(title.runs[0].font, "Times New Roman");

    struct Styled {
        const char* text;
        bool bold, italic, underline, strike;
        int size;
    };
    const Styled styled[] = {
        {"Plain, ", false, false, false, false, 10},   {"bold", true, false, false, false, 10},
        {"italic", false, true, false, false, 10},     {"underlined", false, false, true, false, 10},
        {"struck", false, false, false, true, 10},     {"large", false, false, false, false, 20},
        {"the shown text", false, false, true, false, 10},
    };
    for (const Styled& s : styled) {
        SCOPED_TRACE(s.text);
        const StyledRun* run = RunOf(doc, s.text);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->bold, s.bold);
        EXPECT_EQ(run->italic, s.italic);
        EXPECT_EQ(run->underline, s.underline);
        EXPECT_EQ(run->strike, s.strike);
        EXPECT_EQ(run->size, s.size);
        EXPECT_EQ(run->font, "");  // the default font, Arial
    }
    ASSERT_NE(RunOf(doc, "red"), nullptr);
    EXPECT_EQ(RunOf(doc, "red")->colour, vor::RgbColor(255, 0, 0));
    EXPECT_EQ(RunOf(doc, "the shown text")->colour, vor::RgbColor(0, 128, 0));
    EXPECT_EQ(RunOf(doc, "Plain, ")->colour, vor::kBlack);
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
        {"control word at the end", "{\\rtf1 a\\par", {"a"}},
        {"an empty paragraph before the last", "{\\rtf1 a\\par\\par}", {"a", ""}},
        {"nothing", "{\\rtf1 }", {}},
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
    const StyledDoc doc = ReadRtf(deep);
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    EXPECT_EQ(vor::StyledParagraphText(doc.paragraphs[0]), "top" + std::string(199, 'x'));

    // Past 16 MiB the input is not read.
    std::string big = "{\\rtf1 ";
    big.append(vor::kRtfMaxInputBytes, 'a');
    big += "\\par tail}";
    const StyledDoc bigDoc = ReadRtf(big);
    ASSERT_EQ(bigDoc.paragraphs.size(), 1u);
    EXPECT_EQ(vor::StyledParagraphText(bigDoc.paragraphs[0]).size(), vor::kRtfMaxInputBytes - 7);
}

TEST(RtfReaderTest, TextThatIsNoRtfIsReadLineByLine)
{
    EXPECT_EQ(PlainTexts(ReadRtf("first\r\nsecond\nPe\xe7" "as")),
              (std::vector<std::string>{"first", "second", "Peças"}));
    EXPECT_EQ(PlainTexts(ReadRtf("")), (std::vector<std::string>{""}));
}

}  // namespace
