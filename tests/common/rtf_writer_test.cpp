#include <gtest/gtest.h>

#include <string>

#include "vorplan/common/rtf/rtf_writer.h"

namespace {

TEST(RtfWriterTest, TextIsEscapedAsWindows1252)
{
    struct Case {
        std::string text, rtf;
    };
    const Case cases[] = {
        {"plain 1.5", "plain 1.5"},
        {"a{b}\\c", "a\\{b\\}\\\\c"},
        {"Peças ção", "Pe\\'e7as \\'e7\\'e3o"},
        {"€ 5", "\\'80 5"},                      // in Windows-1252 above 127
        {"Ω", "\\u937?"},                        // not in Windows-1252
        {"\xEF\xBC\x81", "\\u-255?"},            // above 32767: signed
        {"two\nlines\t", "two\\line lines"},     // other control characters go
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::RtfText(c.text), c.rtf) << c.text;
}

TEST(RtfWriterTest, DocumentHoldsTitleSizesShadowAndPicture)
{
    vor::RtfWriter rtf("Título {1}");
    rtf.FontSize(20);
    rtf.Shadow(true);
    rtf.Text("A");
    rtf.Paragraph();
    rtf.PngPicture(std::string("\x89PNG\x00\xff", 6), 3, 2);
    rtf.Shadow(false);
    const std::string doc = rtf.Document();
    EXPECT_EQ(doc.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(doc.find("{\\info{\\title T\\'edtulo \\{1\\}}}"), std::string::npos);
    EXPECT_NE(doc.find("\\fs40 \\shad A\\par\n"), std::string::npos);
    EXPECT_NE(doc.find("{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30\n89504e4700ff}\\shad0 "),
              std::string::npos);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\')
            ++i;  // an escaped brace is no group
        else
            depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

}  // namespace
