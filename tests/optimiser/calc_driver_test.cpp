#include "vorplan/optimiser/calc_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "tests/optimiser/seeded_jobs.h"
#include "tests/support/test_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/trial_pool.h"

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
    std::function<void(long long)> onMaterialStarted;

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
    void CandidateShown(const std::string& text) override
    {
        candidates.push_back(text);
        if (onCandidate)
            onCandidate();
    }
    std::function<void()> onCandidate;
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
    void MaterialStarted(long long code) override
    {
        if (onMaterialStarted)
            onMaterialStarted(code);
    }
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
        WriteSheets(code, {{length, width, 50}});
    }

    void WriteSheets(long long code, const std::vector<vortest::SheetSize>& sheets)
    {
        std::vector<std::string> lines;
        int number = 1;
        for (const vortest::SheetSize& s : sheets)
            lines.push_back("1 " + std::to_string(number++) + " " + std::to_string(s.quantity) +
                            " " + std::to_string(s.length) + " " + std::to_string(s.width) +
                            " Chapa X");
        vor::WriteTextLines(vor::SheetTableFile(folders, code), lines);
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

    // Order 1 with one 500 x 400 piece, searched over 2 x 2 candidate sheets.
    void SetUpTwoByTwoSearch()
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

// Message n reads "m<n>" while it lives, so that texts built of them can be told apart.
class ScopedMessages {
public:
    explicit ScopedMessages(std::initializer_list<long> numbers) : m_saved(vor::gShared.messages)
    {
        for (long n : numbers)
            vor::gShared.messages[n] = "m" + std::to_string(n);
    }
    ~ScopedMessages() { vor::gShared.messages = m_saved; }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

private:
    vor::MessageTable m_saved;
};

TEST_F(CalcDriverTest, RegressionLayoutFileThatFailsEndsTheRunUnfinishedAndInTheReport)
{
    const ScopedMessages messages({465});
    // Material 1 needs two layouts (one piece fills a sheet); material 2 one.
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        const char* error;    // the message shown
        const char* warning;  // what the report's warning line holds
        long long placed;     // material 2's piece, unless the run stopped
    };
    const Case cases[] = {
        {"a temporary file that cannot be written (3003)",
         [this] { fs::create_directories(vor::TempLayoutFile(folders, 2, 1)); },
         "Internal error 3003", "002-00001.MTE", 0},
        {"a temporary file that cannot be read back (2007)",
         [this] {
             events.onMaterialStarted = [this](long long code) {
                 if (code == 2)
                     fs::remove(vor::TempLayoutFile(folders, 2, 1));
             };
         },
         "Internal error 2007: Acesso ao arquivo ", "002-00001.MTE", 1},
        {"a layout file that cannot be written",
         [this] { fs::create_directories(vor::LayoutFile(folders, 2, 1)); },
         "002-00001.MON", "002-00001.MON", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folders.mont);
        fs::create_directories(folders.mont);
        WriteOrder(1, std::vector<Line>{{1, 1, 950, 750, 1}, {1, 1, 900, 700, 1},
                                        {1, 1, 300, 200, 2}});
        request.orders = {1};
        events = RecordingEvents{};
        c.breakIt();

        const CalcRunResult result = Run();
        EXPECT_EQ(result.statusText, 3);
        EXPECT_FALSE(fs::exists(vor::LayoutFile(folders, 1, 1)));  // nothing claims a result
        EXPECT_FALSE(fs::is_regular_file(vor::LayoutFile(folders, 2, 1)));
        EXPECT_EQ(fs::exists(vor::LayoutFile(folders, 1, 2)), c.placed == 1);
        EXPECT_EQ(result.piecesPlaced, c.placed);
        ASSERT_FALSE(events.errorTexts.empty());
        EXPECT_NE(events.errorTexts.front().find(c.error), std::string::npos)
            << events.errorTexts.front();
        const auto warning = std::find_if(
            events.report.begin(), events.report.end(), [&](const std::string& line) {
                return line.starts_with(" Atenção: ") && line.find(c.warning) != std::string::npos;
            });
        EXPECT_NE(warning, events.report.end());
        vor::IniFile calcData(vor::CalcDataFile(folders));
        EXPECT_EQ(calcData.ReadInteger("DADOS_ULT_CALC", "STATUS", 0), 3);
        EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "S_STATUS", ""), "m465 3");
        EXPECT_TRUE(events.Has("wait"));  // not "finished": the window waits for "Ok"
    }
}

TEST_F(CalcDriverTest, RegressionStatusInCalcDataKeepsItsDetailAndMaterial)
{
    const ScopedMessages messages({430, 437, 438, 448, 804});
    struct Case {
        std::vector<Line> lines;
        std::string expected;
    };
    const Case cases[] = {
        // Quantity 0 on the second line of the merged list.
        {{{1, 1, 300, 200, 2}, {1, 0, 300, 200, 2}}, "m430 m448 (0, m804 2)"},
        // A material whose only lines carry no quantity has no pieces.
        {{{1, 1, 300, 200, 1}, {1, -1, 300, 200, 2}}, "m430 m448 (-1, m804 1)"},
    };
    for (const Case& c : cases) {
        WriteOrder(1, c.lines);
        request.orders = {1};
        events = RecordingEvents{};
        const CalcRunResult result = Run();
        EXPECT_EQ(result.statusText, 18);
        vor::IniFile calcData(vor::CalcDataFile(folders));
        EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "S_STATUS", ""), c.expected);
    }
    // Texts 7 and 8 name the material of the calculation they are about.
    WriteMaterial(5, 1000, 800);
    vor::WriteTextLines(vor::SheetTableFile(folders, 5), {});
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 1}, {1, 1, 300, 200, 5}});
    request.orders = {1};
    EXPECT_EQ(Run().statusText, 8);
    EXPECT_EQ(vor::IniFile(vor::CalcDataFile(folders)).ReadString("DADOS_ULT_CALC", "S_STATUS", ""),
              "m430 m4375m438");
    WriteOrder(1, std::vector<Line>{{1, 1, 300, 200, 5}});
    request.unchosenMaterials = {5};
    EXPECT_EQ(Run().statusText, 7);
    EXPECT_EQ(vor::IniFile(vor::CalcDataFile(folders)).ReadString("DADOS_ULT_CALC", "S_STATUS", ""),
              "m430 m4375");
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

TEST(CalcDriverThreads, SettingZeroMeansEveryCoreAndLargerValuesAreCapped)
{
    vortest::TempDir dir;
    vor::IniFile main(dir.path() / "VL_.INI");
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"0", 0}, {"-4", 0}, {"1", 1}, {"6", 6}, {"256", 256}, {"257", 256},
        {"99999999999", 0},  // no integer: the default
    };
    for (const auto& [text, expected] : cases) {
        main.WriteString("CALC", "THREADS", text);
        EXPECT_EQ(vor::CalcThreadsSetting(main), expected) << text;
    }
    EXPECT_EQ(vor::TrialThreads(300), vor::kMaxTrialThreads);
    EXPECT_EQ(vor::TrialThreads(3), 3);
    EXPECT_GE(vor::TrialThreads(0), 1);
    EXPECT_EQ(vor::TrialPool(0).Size(), 1);
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

TEST_F(CalcDriverTest, AbbreviatingTheSearchTriesNoFurtherCandidateAndRunsTheBestInFull)
{
    SetUpTwoByTwoSearch();
    // "Cancela" confirmed while the second candidate runs.
    events.onCandidate = [&] {
        if (events.candidates.size() == 2)
            flags.abbreviate = true;
    };

    const CalcRunResult result = Run();
    EXPECT_EQ(result.candidatesTried, 2);
    EXPECT_EQ(events.candidates.size(), 2u);
    ASSERT_TRUE(result.bestCandidate.has_value());
    EXPECT_EQ(result.bestCandidate->length, 5000);
    EXPECT_EQ(result.bestCandidate->width, 4000);
    // The closing run was not cut short: its layouts are the result.
    EXPECT_EQ(result.statusText, 1);
    ASSERT_EQ(result.outcomes.size(), 1u);
    EXPECT_GT(result.outcomes[0].layouts, 0);
    EXPECT_TRUE(fs::exists(vor::LayoutFile(folders, 1, 1)));
}

TEST_F(CalcDriverTest, BestSheetSizeSearchTriesEveryCandidateThenRunsTheBest)
{
    SetUpTwoByTwoSearch();

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

// ---- The same files whatever the number of threads ------------------------------

using Files = std::map<std::string, std::string>;

// Every file below `root` by its path relative to it, with its bytes.
Files FilesBelow(const fs::path& root)
{
    Files files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            files[fs::relative(e.path(), root).generic_string()] = vortest::ReadBytes(e.path());
    }
    return files;
}

// Leaves below `root` exactly the files of `files`.
void ResetFiles(const fs::path& root, const Files& files)
{
    std::vector<fs::path> present;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            present.push_back(e.path());
    }
    for (const fs::path& path : present)
        fs::remove(path);
    for (const auto& [name, bytes] : files)
        vortest::WriteBytes(root / name, bytes);
}

class SeededCalculation : public CalcDriverTest,
                          public testing::WithParamInterface<vortest::SeededCase> {};

TEST_P(SeededCalculation, LeavesTheSameFilesWithAnyNumberOfThreads)
{
    const vortest::SeededCase& c = GetParam();
    platform::FakeClock clock;  // the times of the report, the history line and the stamp
    clock.SetNow({2026, 12, 11, 9, 30, 15, 0});
    platform::ScopedClock scoped(clock);
    request.settings.calcType = static_cast<int>(c.type);
    request.options = vor::MakeCalcOptions(request.settings);
    request.orders = {1};
    std::mt19937 rng(c.seed);
    for (int i = 0; i < c.instances; ++i) {
        // One order for both materials, each with a job of its own.
        std::vector<Line> lines;
        for (long long code : {1LL, 2LL}) {
            const vortest::SeededJob job =
                vortest::RandomJob(rng, c.maxSheets, c.maxLines, c.maxQuantity);
            WriteSheets(code, job.sheets);
            for (const vortest::PieceSize& p : job.pieces)
                lines.push_back({1, p.quantity, p.width, p.height, code});
        }
        WriteOrder(1, lines);
        // Both goals over the cases (odd and even seeds), so both comparison
        // orders choose trials.
        request.options.goal = (c.seed + static_cast<unsigned>(i)) % 2 == 0
                                   ? vor::OptimisationGoal::BestArea
                                   : vor::OptimisationGoal::FewestLayouts;
        const Files job = FilesBelow(install.base());
        const Files settings = FilesBelow(install.iniDir());

        Files sequentialFiles, sequentialSettings;
        std::vector<long long> sequentialTrials;
        for (int threads : {1, 2, 3, 8}) {
            const std::string what = std::string(c.name) + " instance " + std::to_string(i) +
                                     " threads " + std::to_string(threads);
            SCOPED_TRACE(what);
            ResetFiles(install.base(), job);
            ResetFiles(install.iniDir(), settings);
            request.threads = threads;
            events = RecordingEvents{};
            const CalcRunResult result = Run();
            ASSERT_TRUE(result.started);
            std::vector<long long> trials;
            for (const vor::MaterialOutcome& o : result.outcomes)
                trials.push_back(o.trials);
            const Files files = FilesBelow(install.base());
            if (threads == 1) {
                ASSERT_LE(result.statusText, 2);  // layouts were written
                // Every kind of file is there to compare.
                auto has = [&files](const std::string& ending) {
                    return std::any_of(files.begin(), files.end(), [&](const auto& f) {
                        return f.first.ends_with(ending);
                    });
                };
                for (const char* ending : {".MON", ".MTE", "RELAT.TXT", "ULTIMAS.001",
                                           "ULTIMAS.002", "CALC_DAT.INI"})
                    EXPECT_TRUE(has(ending)) << ending;
                sequentialFiles = files;
                sequentialSettings = FilesBelow(install.iniDir());
                sequentialTrials = trials;
                continue;
            }
            EXPECT_EQ(trials, sequentialTrials);
            EXPECT_EQ(FilesBelow(install.iniDir()), sequentialSettings);
            ASSERT_EQ(files.size(), sequentialFiles.size());
            for (const auto& [name, bytes] : sequentialFiles) {
                const auto found = files.find(name);
                ASSERT_NE(found, files.end()) << name;
                EXPECT_EQ(found->second, bytes) << name;
            }
        }
    }
}

// Intensivo with one piece line a material: its full search of longer jobs
// is compared by the material calculation's own tests.
INSTANTIATE_TEST_SUITE_P(
    CalcDriver, SeededCalculation,
    testing::Values(vortest::SeededCase{"Rapido", vor::CalcType::Fast, 1, 3, 5, 6, 4004},
                    vortest::SeededCase{"Completo", vor::CalcType::Complete, 1, 2, 3, 3, 5005},
                    vortest::SeededCase{"Intensivo", vor::CalcType::Intensive, 1, 1, 1, 2, 6006}),
    vortest::SeededCaseName);

}  // namespace

// ---- Pieces labelled with their own order line --------------------------------

// The order lines of one size as the layout files label them: the pieces each
// got, and the repetitions of every piece line of that size.
struct SizeGroup {
    std::vector<std::pair<long long, int>> lines;  // (order, quantity) in merged-list order
    std::vector<long long> repetitions;            // one per piece line of the size
};

// True when the piece lines can be shared out so that every order line gets
// exactly its quantity (two lines a size: a subset of the repetitions sums to
// the first line's quantity).
bool RepetitionsAllowExactLabels(const SizeGroup& group)
{
    if (group.lines.size() == 1)
        return true;
    std::vector<bool> reachable(static_cast<std::size_t>(group.lines[0].second) + 1, false);
    reachable[0] = true;
    for (long long r : group.repetitions)
        for (long long s = static_cast<long long>(reachable.size()) - 1; s >= r; --s)
            if (reachable[static_cast<std::size_t>(s - r)])
                reachable[static_cast<std::size_t>(s)] = true;
    return reachable.back();
}

TEST_F(CalcDriverTest, RegressionRepeatedLayoutsLabelEachCustomersPiecesWithTheirOwnLine)
{
    // Two customers (orders 1 and 2) ask for pieces of the same sizes in
    // different quantities, one of them at times with width and height
    // exchanged, so that the search may place the second customer's pieces
    // first. A layout repeated several times must not be labelled with a line
    // that asked for fewer pieces than it holds.
    // Sheets of 1000 x 800 mm take 4, 2, 2 and 6 of these: layouts repeat.
    const int sizes[][2] = {{490, 390}, {990, 390}, {490, 790}, {320, 390}};
    long long checked = 0, faultsOfTheOldRule = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&rng](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(rng);
        };
        std::vector<Line> a, b;
        const int kinds = pick(1, 2);
        for (int k = 0; k < kinds; ++k) {
            const int* size = sizes[(seed + static_cast<unsigned>(k)) % 4];
            const bool turned = pick(0, 2) != 0;
            a.push_back({1, pick(1, 4), size[0], size[1], 1, "Cliente_A"});
            b.push_back({1, pick(4, 16), turned ? size[1] : size[0], turned ? size[0] : size[1], 1,
                         "Cliente_B"});
        }
        WriteOrder(1, a);
        WriteOrder(2, b);
        request.orders = {1, 2};
        events = RecordingEvents{};
        const CalcRunResult result = Run();
        ASSERT_EQ(result.statusText, 1) << "seed " << seed;

        // Per size k: what each order got, the repetitions of its piece lines,
        // and what the old rule (the first line of the size with any left, as
        // placed before turned) would have left on each line.
        std::map<std::pair<int, long long>, long long> placed;  // (k, order)
        std::vector<SizeGroup> groups(static_cast<std::size_t>(kinds));
        std::vector<std::vector<long long>> oldLeft(static_cast<std::size_t>(kinds));
        for (std::size_t k = 0; k < groups.size(); ++k) {
            groups[k].lines = {{1, a[k].quantity}, {2, b[k].quantity}};
            oldLeft[k] = {a[k].quantity, b[k].quantity};
        }
        for (long long n = 1; fs::exists(vor::LayoutFile(folders, n, 1)); ++n) {
            const auto contents = vor::ReadLayoutFileContents(vor::LayoutFile(folders, n, 1));
            ASSERT_TRUE(contents.has_value());
            long long times = 1;
            for (const vor::LayoutFileLine& line : contents->lines) {
                if (line.type == vor::kLayoutTypeSheet)
                    times = line.x + 1LL;
                if (line.type != vor::kLayoutTypePiece)
                    continue;
                const int k = line.code - 1;  // codes are 1.. in each order
                ASSERT_TRUE(k >= 0 && k < kinds) << line.code;
                const auto ks = static_cast<std::size_t>(k);
                placed[{k, line.order}] += times;
                groups[ks].repetitions.push_back(times);
                const Line* lines[] = {&a[ks], &b[ks]};
                long long* left = nullptr;
                for (bool asPlaced : {true, false})
                    for (std::size_t i = 0; i < 2 && !left; ++i) {
                        const int w = lines[i]->width * 10, h = lines[i]->height * 10;
                        const bool fits = asPlaced ? (w == line.length && h == line.height)
                                                   : (h == line.length && w == line.height);
                        if (fits && oldLeft[ks][i] > 0)
                            left = &oldLeft[ks][i];
                    }
                ASSERT_NE(left, nullptr);
                *left -= times;
            }
        }
        for (int k = 0; k < kinds; ++k) {
            const auto ks = static_cast<std::size_t>(k);
            if (oldLeft[ks][0] != 0)
                ++faultsOfTheOldRule;
            if (!RepetitionsAllowExactLabels(groups[ks]))
                continue;
            ++checked;
            EXPECT_EQ((placed[{k, 1}]), a[ks].quantity) << "seed " << seed << " size " << k;
            EXPECT_EQ((placed[{k, 2}]), b[ks].quantity) << "seed " << seed << " size " << k;
        }
    }
    EXPECT_GT(checked, 16);
    EXPECT_GT(faultsOfTheOldRule, 2) << "the jobs do not show the fault";
}
