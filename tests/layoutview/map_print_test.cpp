// Cutting maps printed on the recording canvas through the fake print jobs:
// an A4 page at 600 dpi, text 8 pixels per point wide and twice that high.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake_print_jobs.h"
#include "platform/fake_sound.h"
#include "tests/layoutview/drawing_fixture.h"
#include "tests/layoutview/layoutview_support.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/layoutview/map_print.h"

namespace {

using Kind = vortest::RecordingCanvas::Kind;
using Op = vortest::RecordingCanvas::Op;

constexpr int kW = 4724;  // the fake's printable A4 area
constexpr int kH = 6780;

// Layout n: a 2000 x 1000 sheet with `pieces` pieces of distinct codes, each
// too small for its texts so that it gets a letter key.
vor::LayoutState MapLayout(long long n, int pieces)
{
    vor::LayoutState state;
    state.sheetLength = 2000;
    state.sheetHeight = 1000;
    vor::ViewerElement sheet;
    sheet.type = vor::kLayoutTypeSheet;
    sheet.length = 2000;
    sheet.height = 1000;
    state.elements.push_back(sheet);
    for (int i = 0; i < pieces; ++i)
        state.elements.push_back(vortest::Piece(static_cast<int>(n) * 100 + i, (i % 20) * 100,
                                                (i / 20) * 100, 90, 90, " Peça_" + std::to_string(i), i + 1));
    state.elements.push_back(vortest::Element(vor::kLayoutTypeOffcut, 0, 0, 600, 2000, 400, " <213>"));
    state.currentLayout = n;
    state.figures.repetitions = static_cast<int>(n) - 1;
    state.figures.pieceCount = pieces;
    state.figures.offcutCount = 1;
    state.figures.pieceArea = 8100LL * pieces;
    state.figures.offcutArea = 800000;
    state.figures.yield = 12.5;
    state.figures.loss = 87.5;
    return state;
}

// A sheet of paper as the run left it: the canvas calls between two page starts.
struct Sheet {
    std::vector<Op> ops;
    std::vector<Op> Texts() const
    {
        std::vector<Op> texts;
        for (const Op& op : ops)
            if (op.kind == Kind::Text)
                texts.push_back(op);
        return texts;
    }
    const Op* Find(const std::string& text) const
    {
        for (const Op& op : ops)
            if (op.kind == Kind::Text && op.text == text)
                return &op;
        return nullptr;
    }
    std::vector<Op> StartingWith(const std::string& prefix) const
    {
        std::vector<Op> found;
        for (const Op& op : Texts())
            if (op.text.rfind(prefix, 0) == 0)
                found.push_back(op);
        return found;
    }
};

class MapPrintTest : public ::testing::Test {
protected:
    MapPrintTest() : canvas(8), jobs(canvas), installedSound(sound)
    {
        jobs.SetOnPage([this] { pageStarts.push_back(canvas.Ops().size()); });
        viewer.state = &state;
        viewer.view = &fixture.view;
        viewer.display = &fixture.display;
        viewer.readLayout = [this](long long n) { state = MapLayout(n, piecesPerLayout); };
        inputs.date = "10/12/26";
        inputs.time = "21:30:00";
        inputs.listName = "Cozinha~x~y";
        inputs.materialDescription = "MDF 15 mm";
    }

    vor::MapPrintResult Print(int layouts)
    {
        std::vector<long long> chosen;
        for (int n = 1; n <= layouts; ++n)
            chosen.push_back(n);
        vor::MapPrinter printer(options, inputs, viewer, jobs, pdf);
        return printer.Run(chosen);
    }

    std::vector<Sheet> Sheets() const
    {
        std::vector<Sheet> sheets;
        const auto& ops = canvas.Ops();
        for (std::size_t i = 0; i < pageStarts.size(); ++i) {
            const std::size_t end = i + 1 < pageStarts.size() ? pageStarts[i + 1] : ops.size();
            sheets.push_back({std::vector<Op>(ops.begin() + static_cast<long>(pageStarts[i]),
                                              ops.begin() + static_cast<long>(end))});
        }
        return sheets;
    }

    vortest::StubMessages stub;
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs;
    platform::RecordingSound sound;
    platform::ScopedSound installedSound;
    std::vector<std::size_t> pageStarts;
    vortest::DrawingFixture fixture{1000, vor::DrawTarget::Printer};
    vor::LayoutState state;
    vor::MapPrintViewer viewer;
    vor::MapPrintOptions options;
    vor::MapPrintInputs inputs;
    std::filesystem::path pdf;
    int piecesPerLayout = 3;
};

TEST(MapPrintRules, DrawingWidthFooterAndHeaderSizes)
{
    struct Case {
        int perSheet;
        bool large;
        bool pcb;
        int width;
    } cases[] = {
        {1, false, false, 3071}, {1, true, false, 4724}, {2, false, false, 1536},
        {2, true, false, 1536},  {4, false, false, 1181}, {4, true, false, 1181},
        {4, true, true, 3071},   {2, false, true, 3071},
    };
    for (const Case& c : cases) {
        vor::MapPrintOptions o;
        o.mapsPerSheet = c.perSheet;
        o.largeDrawing = c.large;
        EXPECT_EQ(vor::MapDrawingWidth(kW, o, c.pcb), c.width)
            << c.perSheet << " large " << c.large << " pcb " << c.pcb;
    }
    for (const auto& [text, size] : std::vector<std::pair<std::string, int>>{
             {"5", 8}, {"40", 30}, {"abc", 8}, {"12", 12}, {"30", 30}})
        EXPECT_EQ(vor::FooterFontSize(text), size) << text;
    for (const auto& [text, size] : std::vector<std::pair<std::string, int>>{
             {"6", 10}, {"21", 10}, {"7", 7}, {"20", 20}, {"x", 10}})
        EXPECT_EQ(vor::ExtraHeaderFontSize(text), size) << text;
    for (const auto& [typed, shown] : std::vector<std::pair<std::string, std::string>>{
             {"0.3", "0.50"}, {"1,2", "1.00"}, {"abc", "0.50"}, {"0.7", "0.70"}, {"0,855", "0.85"}})
        EXPECT_EQ(vor::VerticalFactorText(typed), shown) << typed;
    EXPECT_EQ(vor::MapProductLine(), "Vorlane  v.2.18  www.vorlane.example");
}

TEST(MapPrintRules, EnablingAndColourModels)
{
    const vor::MapPrintEnabling four = vor::MapPrintControlsEnabled(4, false, true);
    EXPECT_FALSE(four.normal || four.large || four.sheetMargins || four.pieceList);
    const vor::MapPrintEnabling one = vor::MapPrintControlsEnabled(1, false, false);
    EXPECT_TRUE(one.normal && one.large && one.sheetMargins && one.pieceList);
    EXPECT_FALSE(one.intensity);
    const vor::MapPrintEnabling pcb = vor::MapPrintControlsEnabled(1, true, true);
    EXPECT_FALSE(pcb.twoPerSheet || pcb.fourPerSheet || pcb.large);
    EXPECT_TRUE(pcb.normal && pcb.intensity);

    EXPECT_EQ(vor::ColourModel(vor::MapColourModel::BlackAndWhite), (vor::MapPrintColours{}));
    EXPECT_EQ(vor::ColourModel(vor::MapColourModel::Colour1),
              (vor::MapPrintColours{0, 0x0000FF, 0xFF0000, 0x008000, 0x0000FF, 0xFF0000}));
    EXPECT_EQ(vor::ColourModel(vor::MapColourModel::Colour2),
              (vor::MapPrintColours{0x800000, 0xFF0000, 0, 0xFF0000, 0x0000FF, 0x008000}));
    vor::MapPrintSettings s;
    vor::SetPrintColours(s, vor::ColourModel(vor::MapColourModel::Colour2));
    EXPECT_EQ(s.totalsColour, 0x800000);
    EXPECT_EQ(s.userTitleColour, 0xFF0000);
    EXPECT_EQ(s.pieceOutlineColour, 0x008000);
    EXPECT_EQ(vor::PrintColoursOf(s), vor::ColourModel(vor::MapColourModel::Colour2));
}

TEST(MapPrintRules, PdfNameNeverWritesOverAFile)
{
    vortest::TempDir dir;
    const platform::LocalTime now{2026, 12, 10, 21, 5, 9, 0};
    const auto first = vor::FreeMapPdfFile(dir.path(), 7, now);
    EXPECT_EQ(first.filename(), "MAPAS_7_261210-210509.pdf");
    vortest::WriteBytes(first, "x");
    EXPECT_EQ(vor::FreeMapPdfFile(dir.path(), 7, now).filename(), "MAPAS_7_261210-210509_2.pdf");
}

TEST_F(MapPrintTest, TwoPerSheetGivesAJobPerSheetWithTheSecondMapHalfAPageLower)
{
    options.mapsPerSheet = 2;
    const vor::MapPrintResult result = Print(3);
    EXPECT_EQ(result.outcome, vor::MapPrintOutcome::Printed);
    ASSERT_EQ(jobs.Jobs().size(), 2u);
    EXPECT_TRUE(jobs.Jobs()[0].ended && jobs.Jobs()[1].ended);
    EXPECT_EQ(jobs.PageCount(), 2);
    const std::vector<Sheet> sheets = Sheets();
    ASSERT_EQ(sheets.size(), 2u);

    const int half = kH / 2;
    const Sheet& first = sheets[0];
    // Header: the product line on the first map only, at the margins (20, 0).
    const Op* product = first.Find(vor::MapProductLine());
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->points[0], (vor::Point{20, 0}));
    EXPECT_EQ(product->font.size, 7);
    const auto layoutLines = first.StartingWith("<487>");
    ASSERT_EQ(layoutLines.size(), 2u);
    EXPECT_EQ(layoutLines[0].text, "<487>1  - <488>: 0");
    EXPECT_EQ(layoutLines[1].points[0].y - layoutLines[0].points[0].y, half);
    // The statistics' time line on the first map, a blank on the second.
    const auto times = first.StartingWith("  21:30:00");
    ASSERT_EQ(times.size(), 1u);
    EXPECT_EQ(times[0].points[0].x, 20 + (kW - 20) / 2);
    const auto headings = first.StartingWith("<516>");
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[1].points[0].y - headings[0].points[0].y, half);
    // The drawings: the second one (its offcut at X 0 here) half a page lower.
    std::vector<int> offcutTops;
    for (const Op& op : first.ops)
        if (op.kind == Kind::Rectangle && op.rect.left == 270 && op.rect.right - op.rect.left > 1000)
            offcutTops.push_back(op.rect.top);
    ASSERT_EQ(offcutTops.size(), 2u);
    EXPECT_EQ(offcutTops[1] - offcutTops[0], half);
    std::vector<int> keyTitles;
    for (const Op& op : first.Texts())
        if (op.text == "<764>")
            keyTitles.push_back(op.points[0].y);
    ASSERT_EQ(keyTitles.size(), 2u);  // the key list with both maps
    EXPECT_LT(keyTitles[0], half);
    EXPECT_GT(keyTitles[1], half);
    EXPECT_EQ(first.Find("<765>"), nullptr);  // no piece list at 2 per sheet
    // The second sheet starts afresh at the top.
    EXPECT_EQ(sheets[1].Find(vor::MapProductLine())->points[0].y, 0);
    EXPECT_EQ(sheets[1].StartingWith("<487>").size(), 1u);
}

TEST_F(MapPrintTest, FourPerSheetStacksDrawingsAndCaptionsInQuarters)
{
    options.mapsPerSheet = 4;
    ASSERT_EQ(Print(5).outcome, vor::MapPrintOutcome::Printed);
    ASSERT_EQ(jobs.Jobs().size(), 2u);
    const std::vector<Sheet> sheets = Sheets();
    ASSERT_EQ(sheets.size(), 2u);
    const int h = 1695;  // round(6780 x 0.25)
    const auto captions = sheets[0].StartingWith("Vorlane  - <782>");
    ASSERT_EQ(captions.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(captions[static_cast<std::size_t>(k)].points[0].x, kW / 2);
        EXPECT_EQ(captions[static_cast<std::size_t>(k)].points[0].y, h / 4 + k * h);
    }
    const auto fifth = sheets[1].StartingWith("Vorlane  - <782>");
    ASSERT_EQ(fifth.size(), 1u);
    EXPECT_EQ(fifth[0].points[0].y, h / 4);
    EXPECT_EQ(sheets[1].StartingWith("<191>: 5").size(), 1u);
    // Only drawings and captions: no header, key list, statistics or footer.
    for (const Sheet& s : sheets) {
        EXPECT_EQ(s.Find(vor::MapProductLine()), nullptr);
        EXPECT_EQ(s.Find("<764>"), nullptr);
        EXPECT_TRUE(s.StartingWith("<516>").empty());
    }
    // Each drawing sits in its own quarter: the sheet outlines step down by h.
    std::vector<int> bottoms;
    for (const Op& op : sheets[0].ops)
        if (op.kind == Kind::Rectangle && op.rect.right - op.rect.left > 500 && op.rect.left == 270)
            bottoms.push_back(op.rect.bottom);
    ASSERT_GE(bottoms.size(), 4u);
    for (std::size_t k = 1; k < bottoms.size(); ++k)
        EXPECT_EQ(bottoms[k] - bottoms[k - 1], h) << k;
}

TEST_F(MapPrintTest, ListsFollowTheMapsPerSheetAndThePcbOption)
{
    struct Case {
        int perSheet;
        bool pcb;
        bool keys, pieces, pcbInfo;
    } cases[] = {
        {1, false, true, true, false},
        {2, false, true, false, false},
        {4, false, false, false, false},
        {4, true, true, false, true},  // the PCB option prints one map per sheet
    };
    for (const Case& c : cases) {
        canvas.Clear();
        pageStarts.clear();
        options.mapsPerSheet = c.perSheet;
        inputs.pcbOption = c.pcb;
        inputs.pcbCaptions = {"Cliente", "Pedido"};
        ASSERT_EQ(Print(1).outcome, vor::MapPrintOutcome::Printed);
        EXPECT_EQ(canvas.HasText("<764>"), c.keys) << c.perSheet;
        EXPECT_EQ(canvas.HasText("<765>"), c.pieces) << c.perSheet;
        EXPECT_EQ(canvas.HasText("<272>"), c.pcbInfo) << c.perSheet;
        EXPECT_EQ(canvas.HasText("Cliente :"), c.pcbInfo) << c.perSheet;
    }
    // Without "Lista de todas as peças" the key list stands alone.
    canvas.Clear();
    options.mapsPerSheet = 1;
    inputs.pcbOption = false;
    options.stored.listAllPieces = false;
    Print(1);
    EXPECT_TRUE(canvas.HasText("<764>"));
    EXPECT_FALSE(canvas.HasText("<765>"));
}

TEST_F(MapPrintTest, HeaderFooterAndPenWidthAreCorrectedAndWrittenBack)
{
    options.stored.footerText = "Rodapé da oficina";
    options.stored.footerFontSize = "5";
    options.stored.extraHeaders = {"Extra 1", "", "Extra 3", "", ""};
    options.stored.extraHeaderFontSize = "6";
    options.stored.penWidth = "9";
    options.stored.headerText = "Oficina Silva";
    options.stored.userTitleColour = 0x0000FF;
    ASSERT_EQ(Print(1).outcome, vor::MapPrintOutcome::Printed);
    EXPECT_EQ(options.stored.footerFontSize, "8");
    EXPECT_EQ(options.stored.penWidth, "4");
    const Sheet sheet = Sheets().at(0);
    const Op* footer = sheet.Find("Rodapé da oficina");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->font.size, 8);
    EXPECT_EQ(footer->points[0], (vor::Point{20, kH - 2 * 8 * 8}));
    const Op* header = sheet.Find("Oficina Silva");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->font.name, "Times New Roman");
    EXPECT_EQ(header->font.size, 10);
    EXPECT_EQ(header->font.colour, 0x0000FFu);
    ASSERT_NE(sheet.Find("Extra 3"), nullptr);
    EXPECT_EQ(sheet.Find("Extra 3")->font.size, 10);
    EXPECT_NE(sheet.Find("<11> : Cozinha"), nullptr);  // cut twice at the last "~"

    options.stored.footerFontSize = "40";
    Print(1);
    EXPECT_EQ(options.stored.footerFontSize, "30");
}

TEST_F(MapPrintTest, SixtyPiecesPrintEveryEntryOutsideTheDrawingAndAboveTheFooter)
{
    piecesPerLayout = 60;
    options.stored.footerText = "Rodapé";
    ASSERT_EQ(Print(1).outcome, vor::MapPrintOutcome::Printed);
    const std::vector<Sheet> sheets = Sheets();
    ASSERT_GE(sheets.size(), 1u);
    // The drawing's area on the first sheet, as the run placed it.
    const int drawingBottom = vor::ToPrinterY(fixture.view, 0);
    ASSERT_GT(drawingBottom, 1000);
    std::vector<std::string> listed;
    for (const Sheet& s : sheets) {
        const Op* footer = s.Find("Rodapé");
        ASSERT_NE(footer, nullptr);
        bool inList = &s != &sheets[0];  // further sheets hold lists only
        for (const Op& op : s.Texts()) {
            if (op.text == "<764>")
                inList = true;
            if (!inList || op.text == "Rodapé")
                continue;
            listed.push_back(op.text);
            const int y = op.points[0].y;
            EXPECT_LT(y + 2 * 9 * 8, footer->points[0].y) << op.text;
            if (&s == &sheets[0]) {
                EXPECT_GT(y, drawingBottom) << op.text;
            }
        }
    }
    for (int i = 0; i < 60; ++i) {
        const std::string code = std::to_string(100 + i);
        const long n = std::count_if(listed.begin(), listed.end(), [&](const std::string& t) {
            return t.find(code) != std::string::npos;
        });
        EXPECT_GE(n, 1) << "piece " << code << " is missing from the lists";
    }
    EXPECT_GT(sheets.size(), 1u);  // the lists went on to a further sheet
}

TEST_F(MapPrintTest, NothingChosenBeepsAndARefusedJobPrintsNothing)
{
    EXPECT_EQ(Print(0).outcome, vor::MapPrintOutcome::NothingChosen);
    EXPECT_EQ(sound.Count(platform::RecordingSound::Call::Beep), 1u);
    EXPECT_TRUE(jobs.Jobs().empty());

    jobs.SetRefuseJobs(true);
    EXPECT_EQ(Print(2).outcome, vor::MapPrintOutcome::JobRefused);
    EXPECT_TRUE(jobs.Jobs().empty());
    EXPECT_TRUE(canvas.Ops().empty());

    jobs.SetRefuseJobs(false);
    jobs.SetFailEnds(true);
    EXPECT_EQ(Print(1).outcome, vor::MapPrintOutcome::OutputFailed);

    // A page refused inside the one PDF job: the job is ended, none left open
    // for the next run.
    jobs.SetFailEnds(false);
    jobs.SetPrintsToFile(true);
    pdf = "/tmp/maps.pdf";
    jobs.SetRefusePages(true);
    EXPECT_EQ(Print(3).outcome, vor::MapPrintOutcome::OutputFailed);
    EXPECT_FALSE(jobs.JobOpen());
    EXPECT_TRUE(jobs.Jobs().back().ended);
    jobs.SetRefusePages(false);
    EXPECT_EQ(Print(3).outcome, vor::MapPrintOutcome::Printed);
}

TEST_F(MapPrintTest, IntoAPdfFileAllSheetsAreOneJob)
{
    jobs.SetPrintsToFile(true);
    pdf = "/tmp/maps.pdf";
    options.mapsPerSheet = 2;
    ASSERT_EQ(Print(5).outcome, vor::MapPrintOutcome::Printed);
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].pages, 3);
    EXPECT_EQ(jobs.Jobs()[0].file, pdf);
    EXPECT_TRUE(jobs.Jobs()[0].ended);
    // The page outline when asked, in the text colour.
    canvas.Clear();
    options.pageOutline = true;
    options.mapsPerSheet = 1;
    Print(1);
    EXPECT_EQ(canvas.OpsOf(Kind::Rectangle).front().rect, (vor::Rect{0, 0, kW, kH}));
}

}  // namespace
