#include "vorplan/optimiser/calc_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/layout_files.h"

namespace {

namespace fs = std::filesystem;
using vor::CalcRequest;
using vor::CalcRunResult;
using vor::StatusCode;

// Records what the run reports, in order, with one line per event.
class RecordingEvents final : public vor::CalcEvents {
public:
    std::vector<std::string> report;
    std::vector<std::string> messages;
    std::vector<std::string> events;
    std::vector<std::string> candidates;
    std::vector<std::string> bestPositions;
    std::vector<std::string> errorTexts;

    void ReportLines(const std::vector<std::string>& lines) override
    {
        report.insert(report.end(), lines.begin(), lines.end());
    }
    void ShowMessage(const std::string& text) override
    {
        messages.push_back(text);
        events.push_back("message");
    }
    void BusyChanged(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
    void CandidateShown(const std::string& text) override { candidates.push_back(text); }
    void BestPositionAdded(const std::string& line) override { bestPositions.push_back(line); }
    void MusicStarted(const vor::Path& file) override
    {
        events.push_back("music " + file.filename().string());
    }
    void MusicStopped() override { events.push_back("music off"); }
    void EndSignalStarted(vor::EndSignal signal, vor::SignalRepeat repeat,
                          const vor::Path& file) override
    {
        events.push_back("signal " + std::to_string(static_cast<int>(signal)) + " " +
                         std::to_string(static_cast<int>(repeat)) + " " +
                         file.filename().string());
    }
    void EndSignalStopped() override { events.push_back("signal off"); }
    void EndPageShown() override { events.push_back("end page"); }
    void Error(const std::string& text) override { errorTexts.push_back(text); }
    void ViewRequested() override { events.push_back("view"); }
    void WaitForOk(const vor::RunFlags&) override { events.push_back("wait"); }

    bool Has(const std::string& event) const
    {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
};

// Sizes in millimetres.
struct Line {
    int mark = 1;
    int quantity = 1;
    int width = 0, height = 0;
    long long material = 0;
    std::string description = "Peca";
};

// An installation with two materials (1 and 2, sheets 1000 x 800, kerf 4 mm)
// and orders written on demand.
class CalcDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders = vor::MakeDataFolders(install.base());
        for (long long code : {1LL, 2LL})
            WriteMaterial(code, 1000, 800);
        request.folders = folders;
        request.internalOrders = true;
        request.options = vor::MakeCalcOptions(request.settings);
        request.options.endSignal = vor::EndSignal::Wave;
        request.options.signalRepeat = vor::SignalRepeat::Repeat;
    }

    void WriteMaterial(long long code, int length, int width)
    {
        vor::WriteTextLines(vor::MaterialFile(folders, code),
                            {"[DESC]", "CAMPO1=Material " + std::to_string(code), "[PROP_FISIC]",
                             "LARG_SERRA=4", "LARG_MIN_D=0", "GIRO=1"});
        vor::WriteTextLines(vor::SheetTableFile(folders, code),
                            {"1 1 50 " + std::to_string(length) + " " + std::to_string(width) +
                             " Chapa X"});
    }

    void WriteOrder(long long order, const std::vector<std::string>& lines)
    {
        vor::WriteTextLines(vor::OrderTableFile(folders, order, true), lines);
    }
    void WriteOrder(long long order, const std::vector<Line>& lines)
    {
        std::vector<std::string> text;
        int code = 1;
        for (const Line& l : lines)
            text.push_back(std::to_string(l.mark) + " " + std::to_string(code++) + " " +
                           std::to_string(l.quantity) + " " + std::to_string(l.width) + " " +
                           std::to_string(l.height) + " " + std::to_string(l.material) + " " +
                           l.description + " " + std::to_string(order));
        WriteOrder(order, text);
    }

    CalcRunResult Run()
    {
        return vor::RunCalculation(request, events, flags);
    }

    fs::path Mont(const std::string& name) const { return folders.mont / name; }

    vortest::TestInstallation install;
    vor::DataFolders folders;
    CalcRequest request;
    RecordingEvents events;
    vor::RunFlags flags;
};

TEST_F(CalcDriverTest, RefusedStartsTouchNothing)
{
    struct Case {
        const char* name;
        int multiplier;
        int orders;
        const char* messagePart;
    };
    const Case cases[] = {
        {"multiplier 0", 0, 1, "100"},
        {"multiplier 101", 101, 1, "100"},
        {"no order", 1, 0, ""},
        {"31 orders", 1, 31, "30"},
    };
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vortest::WriteBytes(vor::LastCalcMaterialsFile(folders), std::string(8, '\0'));
        request.options.multiplier = c.multiplier;
        request.orders.assign(static_cast<std::size_t>(c.orders), 1);
        events = RecordingEvents{};
        ASSERT_TRUE(vor::CheckCalcStart(request).has_value());
        const CalcRunResult result = Run();
        EXPECT_FALSE(result.started);
        ASSERT_EQ(events.messages.size(), 1u);
        EXPECT_NE(events.messages[0].find(c.messagePart), std::string::npos);
        EXPECT_FALSE(events.Has("busy"));
        EXPECT_FALSE(fs::exists(Mont("PRJ.SEQ")));
        EXPECT_FALSE(fs::exists(vor::MergedPieceListFile(folders, 1, 1)));
        // The materials of the last calculation are forgotten at every start.
        EXPECT_FALSE(fs::exists(vor::LastCalcMaterialsFile(folders)));
    }
    request.options.multiplier = 100;
    request.orders.assign(30, 1);
    EXPECT_FALSE(vor::CheckCalcStart(request).has_value());
}

TEST_F(CalcDriverTest, MissingFirstOrderFileStopsWithItsMessage)
{
    request.orders = {7};
    const CalcRunResult result = Run();
    EXPECT_FALSE(result.started);
    ASSERT_EQ(events.messages.size(), 1u);
    EXPECT_TRUE(events.messages[0].ends_with("Error 778843")) << events.messages[0];
    EXPECT_EQ(events.events.back(), "idle");
    EXPECT_FALSE(fs::exists(Mont("PRJ.SEQ")));
}

TEST_F(CalcDriverTest, MergedListsTakeEveryLineOfTheirMaterialWithTheOrderNumber)
{
    WriteOrder(5, std::vector<std::string>{
                      "1 1 2 300 200 1 Porta 5",
                      "0 2 1 100 100 2 Sem_marca 5",             // unmarked: listed, not a material
                      "1 3 1 150 150 2 Lado 5 ;comentario 1 2",  // the comment stays in the line
                      "0 4 1 100 100 9 Rascunho 5",              // material 9 has no marked line
                      "0 1 1 0 0 0",                             // an empty table's placeholder
                  });
    WriteOrder(3, std::vector<std::string>{"1 1 1 400 300 1 Tampo 3"});

    const vor::CalcListsResult lists = vor::CalcMaterialsOfOrders(folders, true, {5, 3});
    EXPECT_EQ(lists.status, StatusCode::None);
    const std::vector<vor::MaterialEntry> expectedMaterials = {{1, true}, {2, true}};
    EXPECT_EQ(lists.materials, expectedMaterials);

    EXPECT_EQ(vor::BuildMergedPieceLists(folders, true, {5, 3}, lists.materials),
              StatusCode::None);
    EXPECT_EQ(vor::ReadTextLines(vor::MergedPieceListFile(folders, 1, 1)),
              (std::vector<std::string>{"1 1 2 300 200 1 Porta 5 5", "1 1 1 400 300 1 Tampo 3 3"}));
    EXPECT_EQ(vor::ReadTextLines(vor::MergedPieceListFile(folders, 2, 2)),
              (std::vector<std::string>{"0 2 1 100 100 2 Sem_marca 5 5",
                                        "1 3 1 150 150 2 Lado 5 ;comentario 1 2 5"}));
    EXPECT_FALSE(fs::exists(vor::MergedPieceListFile(folders, 3, 9)));

    // A table that cannot be read is skipped and named by its status.
    const vor::CalcListsResult missing = vor::CalcMaterialsOfOrders(folders, true, {5, 8});
    EXPECT_EQ(missing.status, StatusCode::OrderTableUnreadable);
    EXPECT_EQ(missing.materials, expectedMaterials);
    EXPECT_EQ(vor::BuildMergedPieceLists(folders, true, {5, 8}, missing.materials),
              StatusCode::OrderTableUnreadable);
}

TEST_F(CalcDriverTest, FinishedRunWritesItsFilesAndOpensTheLayouts)
{
    WriteOrder(1, std::vector<Line>{{1, 2, 300, 200, 1}, {1, 1, 250, 250, 2}});
    WriteOrder(2, std::vector<Line>{{1, 3, 200, 100, 1}});
    request.orders = {1, 2};
    request.options.music = true;
    vor::gShared.currentOrder = 77;
    vor::gShared.currentMaterial = 88;

    const CalcRunResult result = Run();
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.statusText, 1);
    EXPECT_EQ(result.piecesSelected, 6);
    EXPECT_EQ(result.piecesPlaced, 6);
    EXPECT_EQ(vor::gShared.currentOrder, 77);
    EXPECT_EQ(vor::gShared.currentMaterial, 88);

    EXPECT_EQ(vor::ReadTextLines(Mont("PRJ.SEQ")), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(vor::ReadTextLines(Mont("MAT.SEQ")), (std::vector<std::string>{"1", "2"}));
    vor::MaterialSelection used;
    vor::LoadMaterialsUsed(folders, used);
    EXPECT_EQ(used.count, 2);
    for (long long code : {1LL, 2LL}) {
        EXPECT_TRUE(fs::exists(vor::LayoutFile(folders, 1, code))) << code;
        EXPECT_TRUE(fs::exists(vor::CalcHistoryFile(folders, code))) << code;
    }
    EXPECT_TRUE(fs::exists(vor::CalcDataFile(folders)));
    EXPECT_TRUE(fs::exists(vor::CalcStampFile(folders)));
    EXPECT_TRUE(fs::exists(vor::ReportTextFile(folders)));
    vor::IniFile calcData(vor::CalcDataFile(folders));
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "PEDIDOS", ""), "1, 2");

    EXPECT_EQ(events.report.front(), "Pedidos : 1, 2");
    EXPECT_EQ(events.report[1], "Materiais : 1, 2");
    EXPECT_EQ(events.report.back(), "Total: 6 ");  // the message texts are not loaded here
    const std::vector<std::string> expected = {
        "busy", "music musica.wav", "music off", "end page", "signal 5 1 fim.wav", "idle", "view"};
    EXPECT_EQ(events.events, expected);
}

TEST_F(CalcDriverTest, UnchosenMaterialIsNotCalculatedNorListedAsUsed)
{
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}, {1, 1, 250, 250, 2}});
    request.orders = {1};
    request.unchosenMaterials = {1};
    vortest::WriteBytes(vor::LayoutFile(folders, 1, 1), "stale");

    const CalcRunResult result = Run();
    EXPECT_EQ(result.statusText, 1);
    ASSERT_EQ(result.outcomes.size(), 1u);
    EXPECT_EQ(result.outcomes[0].code, 2);
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));  // no result of an earlier run
    EXPECT_TRUE(fs::exists(vor::LayoutFile(folders, 1, 2)));
    EXPECT_EQ(vor::ReadTextLines(Mont("MAT.SEQ")), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(vor::DecodeMaterialsUsed(vortest::ReadBytes(vor::CalcMaterialsBinFile(folders))),
              (std::vector<std::int32_t>{2}));
    // With every material unchosen there is nothing to calculate.
    request.unchosenMaterials = {1, 2};
    const CalcRunResult none = Run();
    EXPECT_EQ(none.statusText, 7);
    EXPECT_TRUE(none.outcomes.empty());
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 2)));
}

TEST_F(CalcDriverTest, IncompleteRunShowsItsMessageAndWaitsEvenWithShowLayouts)
{
    // The second piece fits no sheet.
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}, {1, 1, 1500, 900, 1}});
    request.orders = {1};
    request.options.showLayouts = true;

    const CalcRunResult result = Run();
    EXPECT_EQ(result.statusText, 2);
    EXPECT_EQ(events.messages.size(), 1u);
    const std::vector<std::string> expected = {"busy",   "music off",          "message",
                                               "end page", "signal 5 1 fim.wav", "idle",
                                               "wait",   "signal off"};
    EXPECT_EQ(events.events, expected);
    EXPECT_TRUE(fs::exists(vor::LayoutFile(folders, 1, 1)));

    // With the general setting the incomplete result is not offered.
    request.deleteFirstLayoutWhenIncomplete = true;
    events = RecordingEvents{};
    Run();
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));
}

TEST_F(CalcDriverTest, StopCodeWritesNoLayoutFilesAndRemovesLayoutOne)
{
    // Material 3 has no material file: its load status stops the calculation.
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}, {1, 1, 300, 200, 3}});
    WriteMaterial(3, 1000, 800);
    std::filesystem::remove(vor::MaterialFile(folders, 3));
    vortest::WriteBytes(vor::LayoutFile(folders, 1, 1), "stale");
    request.orders = {1};

    const CalcRunResult result = Run();
    EXPECT_EQ(result.statusText, 15);
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 3)));
    // The run of material 1 made its temporary files; none became a layout file.
    EXPECT_TRUE(fs::exists(vor::TempLayoutFile(folders, 1, 1)));
    EXPECT_EQ(result.piecesPlaced, 0);
    EXPECT_TRUE(events.Has("wait"));
}

TEST_F(CalcDriverTest, UnwritableFileOfAFinalRunStopsTheRunAndSaysWhy)
{
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}, {1, 1, 300, 200, 2}});
    request.orders = {1};
    // The history line of material 1 cannot be written.
    fs::create_directories(vor::CalcHistoryFile(folders, 1));

    const CalcRunResult result = Run();
    EXPECT_EQ(result.statusText, 3);
    EXPECT_EQ(result.outcomes.size(), 0u);  // material 2 never ran
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 2)));
    ASSERT_FALSE(events.errorTexts.empty());
    EXPECT_NE(events.errorTexts.front().find("ULTIMAS"), std::string::npos)
        << events.errorTexts.front();
    // The run still ends as a run does: the busy flag cleared, the wait for "Ok".
    EXPECT_EQ(events.events.back(), "signal off");
    EXPECT_TRUE(events.Has("idle"));
}

TEST_F(CalcDriverTest, UnreadableOrderTableEndsTheRunWithItsStatus)
{
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}});
    request.orders = {1, 4};  // order 4 has no table
    const CalcRunResult result = Run();
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.statusText, 26);
    EXPECT_TRUE(result.outcomes.empty());
    EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));
    EXPECT_TRUE(fs::exists(vor::CalcDataFile(folders)));
    EXPECT_EQ(events.report.back(), vor::StatusText(26, 0, {}));
}

TEST_F(CalcDriverTest, RequestOfTheSharedStateReadsTheSettingsFileNow)
{
    vor::gShared.folders = folders;
    vor::gShared.dimensionPrecision = 1;
    vor::CalcSettings settings;
    settings.multiplier = "3";
    vor::CalcRequest made = vor::MakeCalcRequest(settings, {4, 2}, {9});
    EXPECT_EQ(made.folders.mont, folders.mont);
    EXPECT_TRUE(made.internalOrders);
    EXPECT_FALSE(made.deleteFirstLayoutWhenIncomplete);
    EXPECT_TRUE(made.decimalPlaces);
    EXPECT_EQ(made.options.multiplier, 3);
    EXPECT_EQ(made.orders, (std::vector<long long>{4, 2}));
    EXPECT_EQ(made.unchosenMaterials, (std::vector<long long>{9}));

    vor::IniFile main(vor::MainSettingsFile());
    main.WriteString("CALC", "INTERNO", "0");
    main.WriteString("CALC", "APAGA_MAPA1_INCOMPLETO", "1");
    made = vor::MakeCalcRequest(settings, {4}, {});
    EXPECT_FALSE(made.internalOrders);
    EXPECT_TRUE(made.deleteFirstLayoutWhenIncomplete);
}

TEST(CalcDriverSearch, CandidatesFollowTheRangeRules)
{
    struct Case {
        const char* name;
        std::int64_t widthFrom, widthTo, widthStep, heightFrom, heightTo, heightStep;
        std::size_t count;
        vor::CandidateSheet first, last;
    };
    const Case cases[] = {
        {"36 candidates", 10000, 15000, 1000, 15000, 20000, 1000, 36, {10000, 15000}, {15000, 20000}},
        {"to below from", 10000, 9000, 1000, 15000, 12000, 500, 1, {10000, 15000}, {10000, 15000}},
        {"step 0 is the range", 10000, 15000, 0, 15000, 20000, 0, 4, {10000, 15000}, {15000, 20000}},
        {"step above the range", 10000, 12000, 5000, 15000, 15000, 100, 2, {10000, 15000}, {12000, 15000}},
        {"uneven step", 10000, 12500, 1000, 15000, 15000, 1, 3, {10000, 15000}, {12000, 15000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vor::CalcOptions options;
        options.bestWidthFrom = c.widthFrom;
        options.bestWidthTo = c.widthTo;
        options.bestWidthStep = c.widthStep;
        options.bestHeightFrom = c.heightFrom;
        options.bestHeightTo = c.heightTo;
        options.bestHeightStep = c.heightStep;
        const std::vector<vor::CandidateSheet> candidates = vor::SearchCandidates(options);
        ASSERT_EQ(candidates.size(), c.count);
        EXPECT_EQ(candidates.front().length, c.first.length);
        EXPECT_EQ(candidates.front().width, c.first.width);
        EXPECT_EQ(candidates.back().length, c.last.length);
        EXPECT_EQ(candidates.back().width, c.last.width);
    }
    // The width offset is the outer loop.
    vor::CalcOptions options;
    const std::vector<vor::CandidateSheet> c = vor::SearchCandidates(options);
    EXPECT_EQ(c[1].length, 10000);
    EXPECT_EQ(c[1].width, 16000);
}

TEST_F(CalcDriverTest, BestSheetSizeSearchTriesEveryCandidateThenRunsTheBest)
{
    WriteOrder(1, std::vector<Line>{{1, 4, 500, 400, 1}});
    request.orders = {1};
    request.options.bestSheetSizeMode = true;
    request.options.bestWidthFrom = 5000;
    request.options.bestWidthTo = 10000;
    request.options.bestWidthStep = 5000;
    request.options.bestHeightFrom = 4000;
    request.options.bestHeightTo = 8000;
    request.options.bestHeightStep = 4000;

    const CalcRunResult result = Run();
    EXPECT_EQ(result.statusText, 1);
    EXPECT_EQ(result.candidatesTried, 4);
    ASSERT_EQ(events.candidates.size(), 4u);
    EXPECT_EQ(events.candidates[0], "Testanto a chapa: 500 x 400");
    // 500 x 400 holds one piece exactly; no other candidate beats it.
    ASSERT_TRUE(result.bestCandidate.has_value());
    EXPECT_EQ(result.bestCandidate->length, 5000);
    EXPECT_EQ(result.bestCandidate->width, 4000);
    ASSERT_EQ(events.bestPositions.size(), 1u);
    EXPECT_EQ(events.bestPositions[0], "100.00 %   500 x 400");
    EXPECT_TRUE(fs::exists(vor::LayoutFile(folders, 1, 1)));
    // Only the closing run adds a history line.
    const std::vector<std::string> history = *vor::ReadTextLines(vor::CalcHistoryFile(folders, 1));
    EXPECT_EQ(std::count_if(history.begin(), history.end(),
                            [](const std::string& l) { return l.starts_with("00"); }),
              1);
}

}  // namespace
