#include "vorplan/optimiser/calc_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_status.h"
#include "vorplan/optimiser/input_loading.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using vortest::ReadBytes;

constexpr long long kMaterial = 12;

std::string Golden(const char* name)
{
    return ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/optimiser/golden" / name);
}

long Count(const Lines& lines, const std::string& line)
{
    return static_cast<long>(std::count(lines.begin(), lines.end(), line));
}

// Message texts of the Portuguese catalogue for the slots the report uses;
// the status texts carry their slot number so the table below shows the mapping.
class CalcReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = folders;
        auto& m = vor::gShared.messages;
        for (long slot = 430; slot <= 465; ++slot)
            m[slot] = "T" + std::to_string(slot);
        m[430] = "Erro:";
        m[801] = "T801";
        m[804] = "linha";
        m[48] = "Rápido";
        m[49] = "Completo";
        m[50] = "Intensivo";
        m[142] = "Largura";
        m[143] = "Altura";
        m[475] = "Peças selecionadas";
        m[476] = "Peças posicionadas";
        m[480] = "Peças não posicionadas";
        m[481] = "Data do cálculo: ";
        m[482] = "Material: ";
        m[483] = "Projetos calculados: ";
        m[484] = "Quantidade";
        m[485] = "Total de peças não posicionadas: ";
        m[546] = "Histórico de cálculos";
        m[547] = "Material";
        for (long slot = 548; slot <= 555; ++slot)
            m[slot] = "L" + std::to_string(slot);
        m[660] = "Atenção: o cálculo foi abreviado pelo usuário.";
    }
    void TearDown() override { vor::gShared = m_saved; }

    vortest::TestInstallation inst;
    vor::DataFolders folders = vor::MakeDataFolders(inst.base());
    platform::ScriptedMessages messages;
    platform::ScopedMessages messageScope{messages};

private:
    vor::SharedGlobals m_saved;
};

// ---- Status texts ----------------------------------------------------------------

struct StatusCase {
    int code;
    const char* detail;
    const char* expected;
};

TEST_F(CalcReportTest, StatusTextTable)
{
    const StatusCase cases[] = {
        {1, "", "T431"},
        {2, "", "T432"},
        {3, "", "T465 3"},  // no text of its own, and no prefix: 3 is not above 4
        {4, "", "T434"},
        {5, "", "Erro: T435"},
        {7, "", "Erro: T43712"},  // a whole sentence: ends with the material, as 8 does
        {8, "", "Erro: T43712T438"},
        {11, " (31000, linha 7)", "Erro: T441 (31000, linha 7)"},
        {20, "", "Erro: T450"},
        {21, "", "Erro: T451T452"},
        {22, "", "Erro: T453"},
        {33, "", "Erro: T464"},
        {34, " (2, linha 3)", "Erro: T801 (2, linha 3)"},
        {35, " (2, linha 3)", "Erro: T465 35 (2, linha 3)"},
        {60, "", "Erro: T465 60"},
        {400, "", "Erro: T465 400"},
    };
    for (const StatusCase& c : cases)
        EXPECT_EQ(vor::StatusText(c.code, kMaterial, c.detail), c.expected) << "code " << c.code;
    EXPECT_EQ(vor::PieceLineDetailText(31000, 7), " (31000, linha 7)");
}

// ---- Report of a material's run ------------------------------------------------------

// Two pieces (600 x 400 mm x 4, 350,5 x 200 mm x 3) with piece borders of
// 2 and 3 mm, and two sheets, one of them an offcut.
struct SmallRun {
    SmallRun()
    {
        options.pieceBorderWidth = 20;
        options.pieceBorderHeight = 30;
        options.calcType = vor::CalcType::Complete;
        options.material.code = kMaterial;
        options.material.kerf = 44;
        options.material.minimumStrip = 100;
        options.rotation = vor::RotationChoice::NotAllowed;
        input.pieces = vor::ParsePieceListLines({
            "1    101      4    600    400     12 Porta_lateral 77",
            "1    102      3  350,5    200     12 Prateleira 77",
        });
        vor::LoadPieces(input, options, *work);
        vor::RunStatus status;
        work->stock.Append({27500, 18300, 10, 1}, status);
        work->stock.Append({12000, 6005, 1, -30}, status);
        start.day = 24, start.month = 3, start.year = 2025;
        start.hour = 14, start.minute = 15, start.second = 2;
        end = start;
        end.minute = 17;
    }

    vor::CalcOptions options;
    vor::MaterialInput input;
    std::unique_ptr<vor::OptimiserWork> work = std::make_unique<vor::OptimiserWork>();
    platform::LocalTime start, end;
};

TEST_F(CalcReportTest, MaterialReportAndReportTextMatchTheGoldenFile)
{
    SmallRun run;
    vor::MaterialRunReport report;
    report.Start(vor::MakeReportRunValues(run.options, true, run.start), *run.work);
    report.LayoutStarted(1);
    report.NewBest(1, {71.5, 3, 123456, 1, 1, 4, 2});
    report.NewBest(1, {88.125, 5, 99999, 3, 2, 5, 17});
    report.LayoutStarted(2);
    report.NewBest(2, {12.0, 1, 30000, 2, 1, 5, 1});
    report.Finish(run.end, vor::StatusText(1, kMaterial, ""));

    vor::CalcReport calc;
    calc.Add("Pedidos: 77");
    calc.AddRun(report);
    calc.AddClosingLines(false, 7, 7);
    vor::SaveReportText(folders, calc);
    EXPECT_EQ(ReadBytes(vor::ReportTextFile(folders)), Golden("calc_report_relat.txt"));
}

// Every trial starts the same report again; what is kept is one report per
// material, that of the last run, whatever the number of trials before it.
TEST_F(CalcReportTest, OnlyTheLastRunOfEachMaterialIsKept)
{
    SmallRun run;
    vor::MaterialRunReport report;
    vor::CalcReport calc;
    std::vector<Lines> seen;
    calc.SetListener([&seen](const Lines& added) { seen.push_back(added); });

    calc.AddRun(report);  // a material whose run never started adds nothing
    EXPECT_TRUE(calc.Lines().empty());
    EXPECT_TRUE(seen.empty());

    calc.Add("Materiais: 12 13");
    for (int material = 0; material < 2; ++material) {
        for (int trial = 1; trial <= 13; ++trial) {
            report.Start(vor::MakeReportRunValues(run.options, false, run.start), *run.work);
            report.LayoutStarted(1);
            report.NewBest(1, {50.0 + trial, 2, 1000, 1, 1, 1, trial});
            report.Finish(run.end, vor::StatusText(trial == 13 ? 1 : 2, kMaterial, ""));
        }
        calc.AddRun(report);
    }
    const Lines& lines = calc.Lines();
    EXPECT_EQ(Count(lines, "** Relatório sobre o último cálculo efetuado **"), 2);
    EXPECT_EQ(Count(lines, " Montagem 1:"), 2);
    EXPECT_EQ(Count(lines, "T432"), 0);
    EXPECT_EQ(Count(lines, "T431"), 4);  // twice per material
    EXPECT_EQ(Count(lines, " 63.00%      2       1.00     1    1    1     13"), 2);
    // The listener saw every line, in the same groups.
    Lines joined;
    for (const Lines& group : seen)
        joined.insert(joined.end(), group.begin(), group.end());
    EXPECT_EQ(joined, lines);
    EXPECT_EQ(seen.size(), 3u);
}

// 150 layouts, two new bests each: detailed lines up to the first best at
// layout 100, which switches the report off with the two warning lines.
TEST_F(CalcReportTest, DetailedReportStopsAtTheFirstBestOfLayout100)
{
    SmallRun run;
    vor::MaterialRunReport report;
    report.Start(vor::MakeReportRunValues(run.options, false, run.start), *run.work);
    for (long layout = 1; layout <= 150; ++layout) {
        report.LayoutStarted(layout);
        EXPECT_EQ(report.Detailed(), layout <= 100) << layout;
        report.NewBest(layout, {80.0, 1, 1000, 1, 1, 1, 1});
        report.NewBest(layout, {90.0, 1, 1000, 1, 1, 1, 2});
        EXPECT_EQ(report.Detailed(), layout < 100) << layout;
    }
    report.Finish(run.end, "T431");
    const Lines lines = report.Lines();

    EXPECT_EQ(Count(lines, " 80.00%      1       1.00     1    1    1      1"), 99);
    EXPECT_EQ(Count(lines, " 90.00%      1       1.00     1    1    1      2"), 99);
    EXPECT_EQ(Count(lines, " Montagem 99:"), 1);
    EXPECT_EQ(Count(lines, " Montagem 101:"), 0);
    const auto at = std::find(lines.begin(), lines.end(), " Montagem 100:");
    ASSERT_NE(at, lines.end());
    const Lines tail(at, lines.end());
    const Lines expected = {" Montagem 100:",
                            "",
                            " Atenção: Número muito grande de montagens.",
                            " Possibilidade de relatório somente parcial.",
                            "",
                            "Fim do cálculo: 24/03/25    14:17:02",
                            "T431",
                            "*** Status final do cálculo: ***",
                            "T431"};
    EXPECT_EQ(tail, expected);

    // A new run switches the detailed report on again.
    report.Start(vor::MakeReportRunValues(run.options, false, run.start), *run.work);
    EXPECT_TRUE(report.Detailed());
}

TEST_F(CalcReportTest, ClosingLinesWithAndWithoutTheAbbreviationNotice)
{
    // Two materials: 40 and 25 pieces selected, 38 and 25 placed.
    const long long selected = 40 + 25, placed = 38 + 25;
    EXPECT_EQ(vor::ClosingLines(false, selected, placed),
              (Lines{"Total: 65 Peças selecionadas", "Total: 63 Peças posicionadas"}));
    EXPECT_EQ(vor::ClosingLines(true, selected, placed),
              (Lines{"Atenção: o cálculo foi abreviado pelo usuário.", "Total: 65 Peças selecionadas",
                     "Total: 63 Peças posicionadas"}));
}

TEST_F(CalcReportTest, ReportTextThatCannotBeSavedThrows)
{
    fs::remove_all(folders.rel);
    vor::CalcReport calc;
    calc.Add("x");
    EXPECT_THROW(vor::SaveReportText(folders, calc), vor::IoError);
}

// ---- End of a final run ------------------------------------------------------------

class FinalRunEnd : public CalcReportTest {
protected:
    // The small run after one layout: piece 101 placed 3 times, 102 once; the
    // extra piece is no order piece and is never listed.
    vor::MaterialRunSummary Summary(vor::StatusCode text)
    {
        run.options.extraProduction = true;
        vor::LoadPieces(run.input, run.options, *run.work);
        run.work->pieces.pieces[1].quantity = 1;
        run.work->pieces.pieces[2].quantity = 2;
        run.work->status.text = text;
        run.work->statistics.distinctLayouts = 3;
        run.work->statistics.stockSheetsUsed = 4;
        run.work->statistics.offcutSheetsUsed = 1;
        run.work->statistics.usedArea = 2;
        run.work->statistics.sheetArea = 3;
        run.work->best.score = 45.678;
        return vor::SummariseRun(*run.work, run.input, kMaterial);
    }

    vor::FinalRunContext Context() const
    {
        vor::FinalRunContext context;
        context.now = run.end;
        context.materialDescription = "MDF 15 mm";
        context.comment = "lote de março  2";
        context.orders = {77, 78};
        return context;
    }

    fs::path NusFile() const { return folders.rel / "NUS00012.TAB"; }
    fs::path HistoryFile() const { return folders.rel / "ULTIMAS.012"; }

    SmallRun run;
};

TEST_F(FinalRunEnd, PiecesLeftAreListedAtTheSizesOfTheOrder)
{
    const vor::MaterialRunSummary summary = Summary(vor::StatusCode::NoSheetForRemainingPieces);
    // The working sizes carry the borders (6020 x 4030); the list shows the order's.
    EXPECT_EQ(run.work->pieces.pieces[1].length, 6020);
    EXPECT_EQ(summary.unplaced,
              (std::vector<vor::UnplacedPiece>{{6000, 4000, 1}, {3505, 2000, 2}}));
    EXPECT_DOUBLE_EQ(summary.yield, 200.0 / 3.0);

    vor::RecordFinalRunEnd(folders, summary, Context());
    EXPECT_EQ(ReadBytes(NusFile()), Golden("calc_report_nus.tab"));
}

TEST_F(FinalRunEnd, HistoryLineOfAFinalRun)
{
    const vor::MaterialRunSummary summary = Summary(vor::StatusCode::Finished);
    EXPECT_EQ(vor::HistoryLine(run.end, summary, "lote de março  2"),
              "24/03/25 14:17:02 3 4 1 45.68 66.67 lote_de_março__2");

    vortest::WriteBytes(NusFile(), "old list\r\n");
    vor::RecordFinalRunEnd(folders, summary, Context());
    EXPECT_FALSE(fs::exists(NusFile()));  // everything placed: the old list goes
    const Lines history = vor::ReadTextLinesOrThrow(HistoryFile());
    ASSERT_EQ(history.size(), 18u);
    EXPECT_EQ(history[2], "@*Material 12 MDF 15 mm");
    EXPECT_EQ(history[5], "001 24/03/25 14:17:02 3 4 1 45.68 66.67 lote_de_março__2");
    EXPECT_EQ(messages.Count(), 0u);

    // An empty comment still ends the line with its separator.
    EXPECT_EQ(vor::HistoryLine(run.end, summary, ""), "24/03/25 14:17:02 3 4 1 45.68 66.67 ");
}

struct EndCase {
    vor::StatusCode text;
    bool writeHistory;
    bool nusWritten;
    bool historyWritten;
};

TEST_F(FinalRunEnd, WhichFilesEachEndTouches)
{
    const EndCase cases[] = {
        {vor::StatusCode::Finished, true, false, true},
        {vor::StatusCode::NoSheetForRemainingPieces, true, true, true},
        {vor::StatusCode::SheetsWithoutArea, true, true, true},
        {vor::StatusCode::NoSheetForRemainingPieces, false, true, false},  // a best-size candidate
        {vor::StatusCode::Finished, false, false, false},
        {vor::StatusCode::TooManyLayoutElements, true, false, false},
        {vor::StatusCode::Abbreviated, true, false, false},
    };
    for (const EndCase& c : cases) {
        fs::remove(NusFile());
        fs::remove(HistoryFile());
        vor::FinalRunContext context = Context();
        context.writeHistory = c.writeHistory;
        vor::RecordFinalRunEnd(folders, Summary(c.text), context);
        EXPECT_EQ(fs::exists(NusFile()), c.nusWritten) << vor::ToInt(c.text);
        EXPECT_EQ(fs::exists(HistoryFile()), c.historyWritten) << vor::ToInt(c.text);
    }
    EXPECT_EQ(messages.Count(), 0u);  // a missing list to delete is no error
}

// A list that cannot be written stops the action before the history line.
TEST_F(FinalRunEnd, ListThatCannotBeWrittenThrowsAndWritesNoHistory)
{
    fs::create_directory(NusFile());
    EXPECT_THROW(vor::RecordFinalRunEnd(folders, Summary(vor::StatusCode::NoSheetForRemainingPieces),
                                        Context()),
                 vor::IoError);
    EXPECT_TRUE(fs::is_directory(NusFile()));
    EXPECT_FALSE(fs::exists(HistoryFile()));
}

// ---- Time display -------------------------------------------------------------------

struct TimeCase {
    std::chrono::milliseconds elapsed;
    long long done, planned;
    const char* elapsedText;
    const char* estimated;
    const char* remaining;
    long long progress;
};

TEST(TimeDisplay, ElapsedEstimateRemainingAndProgress)
{
    const TimeCase cases[] = {
        {0ms, 0, 12, "00:00:00", "", "", 0},
        {999ms, 0, 12, "00:00:00", "", "", 0},           // seconds are whole, cut
        {90s, 3, 12, "00:01:30", "00:06:00", "00:04:30", 3},
        {59999ms, 12, 12, "00:00:59", "00:00:59", "00:00:00", 12},
        {3723s, 1, 2, "01:02:03", "02:04:06", "01:02:03", 1},
        {100h, 1, 1, "100:00:00", "100:00:00", "00:00:00", 1},  // hours not cut at 24
        {10s, 13, 12, "00:00:10", "00:00:09", "00:00:00", 12},  // overrun: never below 0
        {-5s, 0, 12, "00:00:00", "", "", 0},
        {10s, 2, 0, "00:00:10", "", "", 0},
    };
    for (const TimeCase& c : cases) {
        const vor::TimeDisplay d = vor::MakeTimeDisplay(c.elapsed, c.done, c.planned);
        EXPECT_EQ(d.elapsed, c.elapsedText) << c.elapsed.count();
        EXPECT_EQ(d.estimated, c.estimated) << c.elapsed.count();
        EXPECT_EQ(d.remaining, c.remaining) << c.elapsed.count();
        EXPECT_EQ(d.progress, c.progress) << c.elapsed.count();
        EXPECT_EQ(d.progressMaximum, c.planned) << c.elapsed.count();
    }
}

// The estimate of a long Intensivo run does not overflow.
TEST(TimeDisplay, LargeEstimateStaysExact)
{
    const long long planned = 21LL * 501 * 2 * 30;  // Intensivo with 500 free stock entries
    const vor::TimeDisplay d = vor::MakeTimeDisplay(std::chrono::hours(24 * 365), 1, planned);
    EXPECT_EQ(d.estimated, std::to_string(24LL * 365 * planned) + ":00:00");
}

}  // namespace
