#include "ostrel/markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ostrel/fake_metrics.h"

using namespace ostrel;

namespace {

const Rect kRow{0, 0, 600, 20};

struct Rendered {
    DrawOps ops;
    std::vector<DrawOp> Texts() const
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == OpKind::Text)
                out.push_back(op);
        return out;
    }
    std::vector<DrawOp> OfKind(OpKind kind) const
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
};

class MarkupTest : public ::testing::Test {
protected:
    Rendered Draw(const std::vector<std::string>& lines, int row, char mark = ' ', bool pointer = false)
    {
        const ReportDocument doc(lines);
        MarkupRenderer renderer(metrics, settings);
        LineGeometry g;
        g.rect = kRow;
        g.originX = kScreenOriginX;
        g.areaWidth = 600;
        g.mark = mark;
        g.underPointer = pointer;
        Rendered r;
        renderer.Render(doc, row, g, r.ops);
        return r;
    }

    ostreltest::FixedMetrics metrics;
    RenderSettings settings;
};

// ---- Prefix codes ------------------------------------------------------------------

struct PrefixCase {
    const char* text;
    bool bold;
    bool filled;
    Rgb colour;
    int size;
    bool centred;
    const char* rest;
};

TEST(MarkupPrefix, CodesInOrderAtLetterSize8)
{
    const PrefixCase cases[] = {
        {"@B@F@C3@**Title", true, true, colours::kBlue, 12, false, "Title"},
        {"@C9Text", false, false, colours::kBlack, 8, false, "Text"},
        {"@C2", false, false, colours::kRed, 8, false, ""},
        {"@C1g", false, false, colours::kGrey, 8, false, "g"},
        {"@C4n", false, false, colours::kNavy, 8, false, "n"},
        {"@C5v", false, false, colours::kGreen, 8, false, "v"},
        {"@***Head", false, false, colours::kBlack, 13, false, "Head"},
        {"@/a", false, false, colours::kBlack, 6, false, "a"},
        {"@//a", false, false, colours::kBlack, 5, false, "a"},
        {"@///a", false, false, colours::kBlack, 4, false, "a"},
        {"@////a", false, false, colours::kBlack, 4, false, "a"},
        {"@**@/x", false, false, colours::kBlack, 10, false, "x"},
        {"@HCentre", false, false, colours::kBlack, 8, true, "Centre"},
        // Out of order: the later code is text.
        {"@F@B x", false, true, colours::kBlack, 8, false, "@B x"},
        {"@C3@B x", false, false, colours::kBlue, 8, false, "@B x"},
        // "@C" before a non-digit is text, and nothing after it is a code.
        {"@Cx @B", false, false, colours::kBlack, 8, false, "@Cx @B"},
        // Blanks and TABs before codes are skipped; without codes they stay.
        {"  @B text", true, false, colours::kBlack, 8, false, " text"},
        {"\t@*****Título", false, false, colours::kBlack, 15, false, "Título"},
        {" @T ^N__ x", false, false, colours::kBlack, 8, false, "@T ^N__ x"},
        {"   indented", false, false, colours::kBlack, 8, false, "   indented"},
        {"plain @B", false, false, colours::kBlack, 8, false, "plain @B"},
    };
    for (const PrefixCase& c : cases) {
        SCOPED_TRACE(c.text);
        const LineStyle s = ParsePrefix(c.text, 8);
        EXPECT_EQ(s.bold, c.bold);
        EXPECT_EQ(s.filled, c.filled);
        EXPECT_EQ(s.colour, c.colour);
        EXPECT_EQ(s.fontSize, c.size);
        EXPECT_EQ(s.centred, c.centred);
        EXPECT_EQ(s.rest, c.rest);
    }
}

TEST(MarkupPrefix, SmallerTextNeverBelowFour)
{
    EXPECT_EQ(ParsePrefix("@/x", 3).fontSize, 4);
    EXPECT_EQ(ParsePrefix("@/x", 11).fontSize, 9);
}

TEST(MarkupPrefix, TitleAndBlockMarkers)
{
    EXPECT_TRUE(IsTableTitle("@T a b"));
    EXPECT_TRUE(IsTableTitle("@B@T a b"));
    EXPECT_TRUE(IsTableTitle(" @T ^N__ x"));
    EXPECT_FALSE(IsTableTitle("x @T a"));
    EXPECT_TRUE(IsBlockMarker("@D"));
    EXPECT_TRUE(IsBlockMarker("x @d y"));
    EXPECT_FALSE(IsBlockMarker("@B"));
}

// ---- Headings and the index -------------------------------------------------------

TEST(MarkupHeadings, IndexIndentCountsFromTheStarRun)
{
    struct Case {
        const char* text;
        bool indexed;
        const char* entry;
    };
    const Case cases[] = {
        {"@B@F@C3@**Title", true, "                Title"},
        {"@**Two", true, "                Two"},
        {"@***Three", true, "            Three"},
        {"@****Four", true, "        Four"},
        {"@*****Five", true, "    Five"},
        {"@******Six", true, "Six"},
        {"@********Eight", true, "Eight"},
        {"text @** mid", true, "                 mid"},
        {"@*One", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto h = FindHeading(c.text);
        ASSERT_TRUE(h.has_value());
        EXPECT_EQ(IsIndexed(*h), c.indexed);
        if (c.indexed) {
            EXPECT_EQ(IndexEntryText(*h), c.entry);
        }
    }
    EXPECT_FALSE(FindHeading("no heading * here @ *").has_value());
}

TEST(MarkupHeadings, IndexTextAtMost100Characters)
{
    const auto h = FindHeading("@**" + std::string(150, 'a'));
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->text.size(), 100u);
}

TEST(MarkupHeadings, RowHeightOfEveryStarLine)
{
    const ostreltest::FixedMetrics m;
    EXPECT_EQ(RowHeight("@*One star", m, 8, 8), 2 * 11);  // heading size 8 + 1 + 2
    EXPECT_EQ(RowHeight("@***Three", m, 8, 8), 2 * 13);
    EXPECT_EQ(RowHeight("mid @** line", m, 8, 8), 2 * 12);
    EXPECT_EQ(RowHeight("plain", m, 8, 5), 13);
    EXPECT_EQ(RowHeight("", m, 9, 8), 17);
}

// ---- Colour schemes ---------------------------------------------------------------

TEST(MarkupColours, TableSchemes)
{
    using namespace colours;
    struct Case {
        int corTab;
        Rgb h1, h2, e1, e2, o1, o2;
    };
    const Case cases[] = {
        {0, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite},
        {1, kWhite, kWhite, {240, 240, 240}, {240, 240, 240}, kWhite, kWhite},
        {2, kWhite, kWhite, kSilver, kSilver, kWhite, kWhite},
        {3, kWhite, kWhite, kLime, kLime, kWhite, kWhite},
        {4, kWhite, kWhite, kYellow, kYellow, kWhite, kWhite},
        {5, {160, 160, 255}, {255, 160, 160}, {210, 210, 255}, {255, 210, 210}, {200, 200, 230}, {230, 200, 200}},
        {6, {160, 160, 255}, {160, 255, 160}, {220, 220, 255}, {220, 255, 220}, {210, 210, 240}, {210, 240, 210}},
        {7, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corTab);
        const TableColours t = TableScheme(c.corTab);
        EXPECT_EQ(t.header[0], c.h1);
        EXPECT_EQ(t.header[1], c.h2);
        EXPECT_EQ(t.evenRow[0], c.e1);
        EXPECT_EQ(t.evenRow[1], c.e2);
        EXPECT_EQ(t.oddRow[0], c.o1);
        EXPECT_EQ(t.oddRow[1], c.o2);
    }
    EXPECT_EQ(TitleFill(0), kWhite);
    EXPECT_EQ(TitleFill(1), (Rgb{230, 230, 230}));
    EXPECT_EQ(TitleFill(2), kSilver);
    EXPECT_EQ(TitleFill(-1), kWhite);
}

// ---- Tables -----------------------------------------------------------------------------

TEST(MarkupTables, SplitColumnTexts)
{
    struct Case {
        const char* text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {" 12 3 Left_door", {"12", "3", "Left door"}},
        {"  12   3 ", {"12", "3"}},
        {"_", {" "}},
        {"__x y_", {"x", "y "}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitColumnTexts(c.text), c.words);
    }
    const auto longWord = SplitColumnTexts(std::string(200, 'w'));
    ASSERT_EQ(longWord.size(), 1u);
    EXPECT_EQ(longWord[0].size(), 160u);
}

TEST(MarkupTables, LayoutColumnsStartAfterBlankRuns)
{
    const ostreltest::FixedMetrics m;
    Font f;
    const auto cols = ComputeTableLayout(" Code ^Qty Description_of_item", f, m);
    ASSERT_EQ(cols.size(), 3u);
    EXPECT_EQ(cols[0].left, 8);
    EXPECT_EQ(cols[0].right, 48);
    EXPECT_FALSE(cols[0].rightAligned);
    EXPECT_EQ(cols[1].left, 48);
    EXPECT_TRUE(cols[1].rightAligned);
    EXPECT_EQ(cols[2].left, 88);
    EXPECT_EQ(cols[2].right, 240);

    // Without a leading blank the first word is no column; a trailing blank opens none.
    const auto noLead = ComputeTableLayout("Code Qty ", f, m);
    ASSERT_EQ(noLead.size(), 1u);
    EXPECT_EQ(noLead[0].left, 40);
    EXPECT_EQ(noLead[0].right, 72);
    EXPECT_TRUE(ComputeTableLayout("", f, m).empty());
}

TEST_F(MarkupTest, ThreeColumnTitleWithRightAlignedColumn)
{
    const std::vector<std::string> lines{"@T Code ^Qty Description_of_item", " 12 3 Left_door"};

    const Rendered header = Draw(lines, 0);
    const auto ht = header.Texts();
    ASSERT_EQ(ht.size(), 3u);
    EXPECT_EQ(ht[0].text, "Code");
    EXPECT_EQ(ht[0].x, 12);
    EXPECT_EQ(ht[1].text, " Qty");
    EXPECT_EQ(ht[1].x, 91 - 1 - 32);
    EXPECT_EQ(ht[2].text, "Description of item");
    EXPECT_EQ(ht[2].x, 92);
    EXPECT_EQ(ht[0].y, 10 - 8);  // centred: row height / 2 - height of "X" / 2

    const Rendered data = Draw(lines, 1);
    const auto dt = data.Texts();
    ASSERT_EQ(dt.size(), 3u);
    EXPECT_EQ(dt[0].text, "12");
    EXPECT_EQ(dt[0].x, 12);
    EXPECT_EQ(dt[0].rect, (Rect{11, 0, 51, 20}));
    EXPECT_EQ(dt[1].text, "3");
    EXPECT_EQ(dt[1].x, 91 - 1 - 8);
    EXPECT_EQ(dt[2].text, "Left door");
    EXPECT_EQ(dt[2].rect, (Rect{91, 0, 243, 20}));
}

TEST_F(MarkupTest, RowsWithTooFewOrTooManyWords)
{
    const std::vector<std::string> lines{"@T a b c", " 1", " 1 2 3 4"};
    const auto few = Draw(lines, 1).Texts();
    ASSERT_EQ(few.size(), 3u);
    EXPECT_EQ(few[0].text, "1");
    EXPECT_EQ(few[1].text, " ");
    EXPECT_EQ(few[2].text, " ");
    const auto many = Draw(lines, 2).Texts();
    ASSERT_EQ(many.size(), 3u);
    EXPECT_EQ(many[2].text, "3");
}

TEST_F(MarkupTest, TableEndsAtShortLineAndNewTitle)
{
    const ReportDocument doc({"@T a b", " 1 2", "x", " 3 4", "@T x y z", " 1 2 3", "@T p", " 9", "", "plain"});
    EXPECT_EQ(doc.TitleOf(1), 0);
    EXPECT_EQ(doc.TitleOf(2), -1);
    EXPECT_EQ(doc.TitleOf(3), -1);
    EXPECT_EQ(doc.TitleOf(5), 4);
    EXPECT_EQ(doc.TitleOf(7), 6);
    EXPECT_EQ(doc.TitleOf(9), -1);
    ASSERT_TRUE(doc.TableAt(1).has_value());
    EXPECT_EQ(doc.TableAt(1)->last, 1);
    EXPECT_EQ(doc.TableAt(5)->first, 4);
    EXPECT_EQ(doc.TableAt(5)->last, 5);
    EXPECT_EQ(doc.TableAt(7)->last, 7);
    EXPECT_FALSE(doc.TableAt(3).has_value());

    MarkupRenderer renderer(metrics, settings);
    EXPECT_EQ(renderer.Layout(doc, 0).size(), 2u);
    EXPECT_EQ(renderer.Layout(doc, 4).size(), 3u);
    // A row after the table is drawn plain: one text, the whole line.
    const auto plain = Draw(doc.Lines(), 3).Texts();
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].text, " 3 4");
}

TEST_F(MarkupTest, CellColoursByRowKindMarkAndBand)
{
    using namespace colours;
    struct Case {
        const char* name;
        int row;
        char mark;
        bool pointer;
        bool band;
        bool yellowBand;
        Rgb odd, even;
    };
    const Case cases[] = {
        {"header", 0, ' ', false, true, false, {160, 160, 255}, {255, 160, 160}},
        {"odd row", 1, ' ', false, true, false, {200, 200, 230}, {230, 200, 200}},
        {"even row", 2, ' ', false, true, false, {210, 210, 255}, {255, 210, 210}},
        {"hit", 2, 'X', false, true, false, kRed, kRed},
        {"selected", 2, 'A', false, true, false, kYellow, kYellow},
        {"band", 2, ' ', true, true, false, kAqua, kAqua},
        {"band in M", 2, ' ', true, true, true, kYellow, kYellow},
        {"band off", 2, ' ', true, false, false, {210, 210, 255}, {255, 210, 210}},
        {"band over hit", 2, 'X', true, true, false, kAqua, kAqua},
    };
    const std::vector<std::string> lines{"@T a b", " 1 2", " 3 4"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.corTab = 5;
        settings.cursorBand = c.band;
        settings.yellowBand = c.yellowBand;
        const auto fills = Draw(lines, c.row, c.mark, c.pointer).OfKind(OpKind::Fill);
        ASSERT_EQ(fills.size(), 3u);  // the row, then one per cell
        EXPECT_EQ(fills[0].colour, kWhite);
        EXPECT_EQ(fills[1].colour, c.odd);
        EXPECT_EQ(fills[2].colour, c.even);
    }
}

TEST_F(MarkupTest, HorizontalRulesUnderTableRows)
{
    const std::vector<std::string> lines{"@T a b", " 1 2"};
    const auto titleRule = Draw(lines, 0).OfKind(OpKind::Line);
    ASSERT_EQ(titleRule.size(), 1u);
    EXPECT_EQ(titleRule[0].penWidth, 2);
    EXPECT_EQ(titleRule[0].x, 4 + 8 - 1);
    EXPECT_EQ(titleRule[0].x2, 4 + 32 - 1);  // the whole title " a b" is 32 wide
    EXPECT_EQ(titleRule[0].y, 19);
    const auto rowRule = Draw(lines, 1).OfKind(OpKind::Line);
    ASSERT_EQ(rowRule.size(), 1u);
    EXPECT_EQ(rowRule[0].penWidth, 1);
    settings.tableRules = false;
    EXPECT_TRUE(Draw(lines, 1).OfKind(OpKind::Line).empty());
}

// ---- Plain lines ---------------------------------------------------------------------------

TEST_F(MarkupTest, CombinedPrefixLine)
{
    const Rendered r = Draw({"@B@F@C3@**Title"}, 0);
    ASSERT_EQ(r.ops.size(), 2u);
    EXPECT_EQ(r.ops[0].kind, OpKind::Fill);
    EXPECT_EQ(r.ops[0].colour, (Rgb{230, 230, 230}));
    const DrawOp& t = r.ops[1];
    EXPECT_EQ(t.text, "Title");
    EXPECT_TRUE(t.font.bold);
    EXPECT_EQ(t.font.pointSize, 12);
    EXPECT_EQ(t.font.family, "arial");
    EXPECT_EQ(t.colour, colours::kBlue);
    EXPECT_EQ(t.x, 5);
    EXPECT_EQ(t.rect, kRow);
}

TEST_F(MarkupTest, ColourCodesNineAndEmpty)
{
    const auto nine = Draw({"@C9 text"}, 0).Texts();
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_EQ(nine[0].colour, colours::kBlack);
    EXPECT_EQ(nine[0].text, " text");
    const auto empty = Draw({"@C2"}, 0).Texts();
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].text, "");
}

TEST_F(MarkupTest, BlockMarkersDrawnEmptyAndColonsAligned)
{
    const std::vector<std::string> lines{"@D", "Name: x", "Longer name: y", "@d", "Out: z", "@F@D"};
    const Rendered start = Draw(lines, 0);
    ASSERT_EQ(start.ops.size(), 1u);
    EXPECT_EQ(start.ops[0].kind, OpKind::Fill);
    EXPECT_EQ(Draw(lines, 3).ops.size(), 1u);
    const Rendered filled = Draw(lines, 5);
    ASSERT_EQ(filled.ops.size(), 1u);
    EXPECT_EQ(filled.ops[0].colour, TitleFill(settings.corTit));

    EXPECT_EQ(Draw(lines, 1).Texts()[0].x, 5 + (96 - 40));
    EXPECT_EQ(Draw(lines, 2).Texts()[0].x, 5);
    EXPECT_EQ(Draw(lines, 4).Texts()[0].x, 5);  // outside: "@d" comes first walking up
}

TEST_F(MarkupTest, ColonShiftOnlyInsideItsBlock)
{
    // The block after "@D" ends before the next line holding "@d", even when
    // that line is not "@d" itself; a line below it is not shifted.
    const std::vector<std::string> lines{"@D", "a: 1", "x @d y", "bbbb: 2", "cc: 3"};
    EXPECT_EQ(Draw(lines, 1).Texts()[0].x, 5);
    EXPECT_EQ(Draw(lines, 3).Texts()[0].x, 5);
    EXPECT_EQ(Draw(lines, 4).Texts()[0].x, 5);
    // Without any "@D" above there is no block.
    EXPECT_EQ(Draw({"Name: x", "Longer name: y"}, 0).Texts()[0].x, 5);
    // Block lines with codes are measured without them, in their own font.
    const std::vector<std::string> coded{"@D", "@Ba: 1", "bb: 2", "@d"};
    EXPECT_EQ(Draw(coded, 1).Texts()[0].x, 5 + (24 - 18));  // bold "a:" is 18 wide
    EXPECT_EQ(Draw(coded, 2).Texts()[0].x, 5);
}

TEST_F(MarkupTest, OpenBlocksWithoutCloseAlignToTheWidestColonBelowThem)
{
    // Each "@D" opens a block that runs to the next line holding "@d": row 1's
    // block holds rows 1 to 5, row 3's rows 3 to 5, row 8's rows 8 and 9.
    const std::vector<std::string> lines{"@D", "a: 1", "@D", "bbbb: 2", "@D", "cc: 3",
                                         "@d", "@D", "dd: 4",   "e: 5"};
    struct Case {
        int row;
        int shift;
    };
    for (const Case c : {Case{1, 40 - 16}, Case{3, 0}, Case{5, 0}, Case{8, 0}, Case{9, 24 - 16}}) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(Draw(lines, c.row).Texts()[0].x, 5 + c.shift);
    }
}

// Counts what is measured: the colon alignment must measure a line once,
// not once for every "@D" above it.
class CountingMetrics final : public TextMetrics {
public:
    int TextWidth(const Font& font, std::string_view text) const override
    {
        ++widths;
        return m_inner.TextWidth(font, text);
    }
    int TextHeight(const Font& font, std::string_view text) const override { return m_inner.TextHeight(font, text); }
    mutable long long widths = 0;

private:
    ostreltest::FixedMetrics m_inner;
};

TEST(MarkupBlocks, ManyOpenBlocksAreMeasuredInTimeLinearInTheReport)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 4000; ++i)
        lines.push_back(i % 2 == 0 ? "@D" : "Campo " + std::to_string(i) + ": valor");
    const ReportDocument doc(lines);
    CountingMetrics metrics;
    MarkupRenderer renderer(metrics, RenderSettings{});
    DrawOps ops;
    for (int row = 0; row < doc.Count(); ++row) {
        LineGeometry g;
        g.rect = Rect{0, 0, 600, 16};
        renderer.Render(doc, row, g, ops);
    }
    // Two measures per colon line (its block's widest, its own); 4 million before.
    EXPECT_LE(metrics.widths, 2 * 2000);
    // The first block holds every line: all align on the widest colon, "Campo 3999:".
    const auto x = [&ops](std::size_t text) {
        std::size_t seen = 0;
        for (const DrawOp& op : ops)
            if (op.kind == OpKind::Text && seen++ == text)
                return op.x;
        return -1;
    };
    EXPECT_EQ(x(0), 5 + 8 * 3);  // "Campo 3999:" is three characters wider than "Campo 1:"
}

TEST_F(MarkupTest, BoxesAroundBracketedWords)
{
    const Rendered r = Draw({"See [A] and [B] then [C"}, 0);
    const auto boxes = r.OfKind(OpKind::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rect, (Rect{5 + 4 * 8, 0, 5 + 4 * 8 + 24, 19}));
    EXPECT_EQ(boxes[0].colour, colours::kSilver);
    EXPECT_EQ(boxes[0].border, colours::kNavy);
    EXPECT_EQ(boxes[1].rect.left, 5 + 12 * 8);
    const auto texts = r.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "See [A] and [B] then [C");
    EXPECT_EQ(texts[1].text, "A");
    EXPECT_EQ(texts[1].x, 5 + 4 * 8 + 5);
    EXPECT_EQ(texts[2].text, "B");
    EXPECT_EQ(texts[2].colour, colours::kBlack);
}

TEST_F(MarkupTest, CentredLineAndMarks)
{
    const auto centred = Draw({"@HAB"}, 0).Texts();
    ASSERT_EQ(centred.size(), 1u);
    EXPECT_EQ(centred[0].x, 278);  // round(600 / 2.1 - 16 / 2)
    EXPECT_EQ(Draw({"hit"}, 0, 'X').ops[0].colour, colours::kRed);
    EXPECT_EQ(Draw({"@Fsel"}, 0, 'A').ops[0].colour, colours::kYellow);
    EXPECT_EQ(Draw({"none"}, 0).ops[0].colour, colours::kWhite);
}

TEST_F(MarkupTest, RawViewShowsTheCodes)
{
    MarkupRenderer renderer(metrics, settings);
    LineGeometry g;
    g.rect = kRow;
    DrawOps ops;
    renderer.RenderRaw("@B@T x", g, ops);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].colour, colours::kRed);
    EXPECT_EQ(ops[1].text, "@B@T x");
    EXPECT_EQ(ops[1].font.pointSize, 9);
}

TEST_F(MarkupTest, LayoutFollowsItsOwnTitleNotTheLastDrawn)
{
    // Two tables with different titles: drawing a row of the first after the
    // second's title still uses the first layout.
    const std::vector<std::string> lines{"@T a bbbbbbbb", " 1 2", "", "@T cccccccc d", " 3 4"};
    const ReportDocument doc(lines);
    MarkupRenderer renderer(metrics, settings);
    LineGeometry g;
    g.rect = kRow;
    DrawOps ops;
    renderer.Render(doc, 3, g, ops);
    ops.clear();
    renderer.Render(doc, 1, g, ops);
    std::vector<int> xs;
    for (const DrawOp& op : ops)
        if (op.kind == OpKind::Text)
            xs.push_back(op.x);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_EQ(xs[1], 4 + 24 - 1 + 1);  // " a " is 3 characters wide
}

}  // namespace
