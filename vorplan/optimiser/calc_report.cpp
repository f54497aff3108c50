#include "vorplan/optimiser/calc_report.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "vorplan/common/conversions.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/history_list.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_data_file.h"

namespace vor {

namespace {

constexpr std::size_t kReservedEvents = 2048;

std::string CalcTypeText(CalcType type)
{
    switch (type) {
    case CalcType::Complete:
        return Msg(49);
    case CalcType::Intensive:
        return Msg(50);
    case CalcType::Fast:
        break;
    }
    return Msg(48);
}

// "Altura   Largura  Qtd.": each value ends under the end of its title.
std::string SizeRow(std::int64_t height, std::int64_t width, std::int64_t quantity)
{
    return LeftPad(TenthsAsMillimetres(height), " ", 6) +
           LeftPad(TenthsAsMillimetres(width), " ", 10) + LeftPad(std::to_string(quantity), " ", 6);
}

// Under " Aprov.  Peças     Lcort. Crit. Chp. Mét.  Tent.".
std::string DetailedLine(const BestAttemptLine& line)
{
    return LeftPad(RealToStr2(line.yield) + "%", " ", 7) +
           LeftPad(std::to_string(line.pieces), " ", 7) +
           LeftPad(RealToStr2(static_cast<double>(line.cutLength) * 0.001), " ", 11) +
           LeftPad(std::to_string(line.stage), " ", 6) +
           LeftPad(std::to_string(line.stockEntry), " ", 5) +
           LeftPad(std::to_string(line.orderingKey), " ", 5) +
           LeftPad(std::to_string(line.attempts), " ", 7);
}

std::string WithUnderscores(std::string_view text)
{
    std::string s(text);
    BlankToUnderscore(s);
    return s;
}

}  // namespace

ReportRunValues MakeReportRunValues(const CalcOptions& options, bool decimalPlaces,
                                    const platform::LocalTime& start)
{
    ReportRunValues values;
    values.calcType = options.calcType;
    values.decimalPlaces = decimalPlaces;
    values.pieceBorderWidth = options.pieceBorderWidth;
    values.pieceBorderHeight = options.pieceBorderHeight;
    values.start = start;
    values.materialCode = options.material.code;
    values.kerf = options.material.kerf;
    values.minimumStrip = options.material.minimumStrip;
    values.rotation = options.RotationAllowed();
    return values;
}

// ---- MaterialRunReport ------------------------------------------------------------

MaterialRunReport::MaterialRunReport()
{
    m_pieces.reserve(kPieceTableSize);
    m_stock.reserve(kStockTableSize);
    m_events.reserve(kReservedEvents);
}

void MaterialRunReport::Start(const ReportRunValues& values, const OptimiserWork& work)
{
    m_started = true;
    m_detailed = true;
    m_finished = false;
    m_values = values;
    m_pieces.clear();
    for (long i = 1; i <= work.pieces.count; ++i) {
        const Piece& piece = work.pieces.pieces[i];
        m_pieces.push_back({piece.width, piece.length, piece.quantity});
    }
    m_stock.clear();
    for (long i = 1; i <= std::min(work.stock.count, kStockCapacity); ++i) {
        const StockEntry& entry = work.stock.entries[i];
        m_stock.push_back({entry.width, entry.length, entry.quantity});
    }
    m_totalPieces = work.totalPieces;
    m_smallest = work.smallestDimension;
    m_largest = work.largestDimension;
    m_events.clear();
    m_statusText.clear();
}

void MaterialRunReport::LayoutStarted(long layoutNumber)
{
    if (m_detailed)
        m_events.push_back({EventKind::Layout, layoutNumber, {}});
}

void MaterialRunReport::NewBest(long layoutNumber, const BestAttemptLine& line)
{
    if (!m_detailed)
        return;
    if (layoutNumber >= kDetailedReportLayoutLimit) {
        m_detailed = false;
        m_events.push_back({EventKind::Warning, layoutNumber, {}});
        return;
    }
    m_events.push_back({EventKind::Best, layoutNumber, line});
}

void MaterialRunReport::Finish(const platform::LocalTime& end, std::string statusText)
{
    m_finished = true;
    m_end = end;
    m_statusText = std::move(statusText);
}

std::vector<std::string> MaterialRunReport::Lines() const
{
    std::vector<std::string> lines;
    if (!m_started)
        return lines;
    lines.reserve(80 + m_pieces.size() + m_stock.size() + 2 * m_events.size());
    const auto add = [&lines](std::string line) { lines.push_back(std::move(line)); };

    add("***********************************************");
    add("** Relatório sobre o último cálculo efetuado **");
    add("***********************************************");
    add("");
    add("                Vorlane 2000 versão : 2.18");
    add("                        Tipo de cálculo : " + CalcTypeText(m_values.calcType));
    add("            Uso de casa decimal ativado : " + BoolToSimNao(m_values.decimalPlaces));
    add("Faixa de lapidação na largura das peças : " +
        TenthsAsMillimetres(m_values.pieceBorderWidth));
    add("  Faixa de lapidação na alturadas peças : " +
        TenthsAsMillimetres(m_values.pieceBorderHeight));
    add("                      Início do cálculo : " + CalcDateText(m_values.start) + "   " +
        CalcTimeText(m_values.start));
    add("");
    add("** Material ulilizado ( matéria prima ): **");
    add("*******************************************");
    add("");
    add("                  Código : " + std::to_string(m_values.materialCode));
    add("      Espessura de corte : " + TenthsAsMillimetres(m_values.kerf));
    add("Larg. mínima de destaque : " + TenthsAsMillimetres(m_values.minimumStrip));
    add("       Rotação permitida : " + BoolToSimNao(m_values.rotation));
    add("");
    add("** Peças habilitadas para o corte: ********");
    add("*******************************************");
    add("  ( em ordem decrescente de área )");
    add("Altura   Largura  Qtd.");
    // Areas in double: a 32-bit side times a side times a quantity has no 64-bit room.
    double area = 0;
    for (const Size& piece : m_pieces) {
        add(SizeRow(piece.height, piece.width, piece.quantity));
        area += static_cast<double>(piece.height) * static_cast<double>(piece.width) *
                static_cast<double>(piece.quantity);
    }
    add("");
    add("Total de peças diferentes : " + std::to_string(m_pieces.size()));
    add("         Quantidade total : " + std::to_string(m_totalPieces));
    add("               Área Total : " + AreaToM2Text(area, 1) + " m2");
    add("           Menor dimensão : " + std::to_string(m_smallest) + " mm");
    add("           Maior dimensão : " + std::to_string(m_largest) + " mm");
    add("");
    add("** Chapas habilitadas para o corte: *******");
    add("*******************************************");
    add("");
    add("Altura   Largura  Qtd.");
    long long sheets = 0;
    for (const Size& entry : m_stock) {
        add(SizeRow(entry.height, entry.width, entry.quantity));
        sheets += entry.quantity;
    }
    add("");
    add("Total de chapas diferentes:" + std::to_string(m_stock.size()));
    add("Quantidade total de chapas:" + std::to_string(sheets));
    // The detailed report is always on when a run starts.
    add("");
    add("");
    add("** Dados sobre o cálculo: ");
    add("");
    add(" Aprov.  Peças     Lcort. Crit. Chp. Mét.  Tent.");

    for (const Event& event : m_events) {
        switch (event.kind) {
        case EventKind::Layout:
            add("");
            add(" Montagem " + std::to_string(event.layoutNumber) + ":");
            break;
        case EventKind::Best:
            add(DetailedLine(event.best));
            break;
        case EventKind::Warning:
            add("");
            add(" Atenção: Número muito grande de montagens.");
            add(" Possibilidade de relatório somente parcial.");
            add("");
            break;
        }
    }

    if (m_finished) {
        add("Fim do cálculo: " + CalcDateText(m_end) + "    " + CalcTimeText(m_end));
        add(m_statusText);
        add("*** Status final do cálculo: ***");
        add(m_statusText);
    }
    return lines;
}

// ---- CalcReport -------------------------------------------------------------------

std::vector<std::string> ClosingLines(bool abbreviatedByUser, long long piecesSelected,
                                      long long piecesPlaced)
{
    std::vector<std::string> lines;
    if (abbreviatedByUser)
        lines.push_back(Msg(660));
    lines.push_back("Total: " + std::to_string(piecesSelected) + " " + Msg(475));
    lines.push_back("Total: " + std::to_string(piecesPlaced) + " " + Msg(476));
    return lines;
}

void CalcReport::Add(std::string line)
{
    Add(std::vector<std::string>{std::move(line)});
}

void CalcReport::Add(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    if (m_listener)
        m_listener(lines);
}

void CalcReport::AddRun(const MaterialRunReport& run)
{
    if (run.Started())
        Add(run.Lines());
}

void CalcReport::AddClosingLines(bool abbreviatedByUser, long long piecesSelected,
                                 long long piecesPlaced)
{
    Add(ClosingLines(abbreviatedByUser, piecesSelected, piecesPlaced));
}

void SaveReportText(const DataFolders& folders, const CalcReport& report)
{
    WriteTextLines(ReportTextFile(folders), report.Lines());
}

void SaveReportText(const CalcReport& report)
{
    SaveReportText(gShared.folders, report);
}

// ---- End of a final run -------------------------------------------------------------

std::vector<UnplacedPiece> UnplacedPieces(const PieceList& pieces, const MaterialInput& input)
{
    std::vector<UnplacedPiece> left;
    for (long i = 1; i <= pieces.count; ++i) {
        const Piece& piece = pieces.pieces[i];
        if (piece.quantity <= 0 || piece.id < 1)
            continue;
        const auto line = static_cast<std::size_t>(piece.id);
        if (line <= input.pieces.size())
            left.push_back({input.pieces[line - 1].width, input.pieces[line - 1].height,
                            piece.quantity});
        else  // not from these lines: its working sizes are all there is
            left.push_back({piece.length, piece.width, piece.quantity});
    }
    return left;
}

MaterialRunSummary SummariseRun(const OptimiserWork& work, const MaterialInput& input,
                                long long materialCode)
{
    MaterialRunSummary summary;
    summary.materialCode = materialCode;
    summary.statusText = work.status.text;
    summary.distinctLayouts = work.statistics.distinctLayouts;
    summary.stockSheetsUsed = work.statistics.stockSheetsUsed;
    summary.offcutSheetsUsed = work.statistics.offcutSheetsUsed;
    summary.lastLayoutScore = work.best.score;
    summary.yield = work.statistics.sheetArea == 0
                        ? 0.0
                        : static_cast<double>(work.statistics.usedArea) /
                              static_cast<double>(work.statistics.sheetArea) * 100.0;
    summary.unplaced = UnplacedPieces(work.pieces, input);
    return summary;
}

std::string HistoryLine(const platform::LocalTime& now, const MaterialRunSummary& summary,
                        std::string_view comment)
{
    return CalcDateText(now) + " " + CalcTimeText(now) + " " +
           std::to_string(summary.distinctLayouts) + " " + std::to_string(summary.stockSheetsUsed) +
           " " + std::to_string(summary.offcutSheetsUsed) + " " +
           RealToStr2(summary.lastLayoutScore) + " " + RealToStr2(summary.yield) + " " +
           WithUnderscores(comment);
}

std::vector<std::string> PiecesNotPlacedLines(const PiecesNotPlacedHeader& header,
                                              const std::vector<UnplacedPiece>& pieces)
{
    std::string material = std::to_string(header.materialCode);
    if (!header.materialDescription.empty())
        material += " " + header.materialDescription;

    std::vector<std::string> lines;
    lines.reserve(pieces.size() + 12);
    lines.push_back("@*** " + Msg(480));
    lines.emplace_back();
    lines.emplace_back("@D");
    lines.push_back(Msg(481) + CalcDateText(header.date) + "  " + CalcTimeText(header.date));
    lines.push_back(Msg(482) + material);
    lines.push_back(Msg(483) + JoinOrderNumbers(header.orders));
    lines.emplace_back("@d");
    lines.emplace_back();
    lines.push_back("@T   ^" + WithUnderscores(Msg(142)) + "___" + "  ^" + WithUnderscores(Msg(143)) +
                    "   ^" + WithUnderscores(Msg(484)));
    long long total = 0;
    for (const UnplacedPiece& piece : pieces) {
        lines.push_back(" " + TenthsAsMillimetres(piece.width) + " " +
                        TenthsAsMillimetres(piece.height) + " " + std::to_string(piece.quantity));
        total += piece.quantity;
    }
    // An empty line ends the table, so the total is no row of it.
    lines.emplace_back();
    lines.push_back(Msg(485) + std::to_string(total));
    return lines;
}

void RecordFinalRunEnd(const DataFolders& folders, const MaterialRunSummary& summary,
                       const FinalRunContext& context)
{
    const StatusCode text = summary.statusText;
    const bool finished = text == StatusCode::Finished;
    const bool piecesLeft =
        text == StatusCode::NoSheetForRemainingPieces || text == StatusCode::SheetsWithoutArea;
    if (!finished && !piecesLeft)
        return;

    const Path list = CalcReportListFile(folders, summary.materialCode);
    if (piecesLeft) {
        const PiecesNotPlacedHeader header{context.now, summary.materialCode,
                                           context.materialDescription, context.orders};
        WriteTextLines(list, PiecesNotPlacedLines(header, summary.unplaced));
    } else {
        std::error_code ec;
        if (std::filesystem::symlink_status(list, ec).type() != std::filesystem::file_type::not_found)
            DeleteFileWithMessage(list);
    }
    if (context.writeHistory)
        WriteCalcHistoryListing(CalcHistoryFile(folders, summary.materialCode), summary.materialCode,
                                context.materialDescription,
                                HistoryLine(context.now, summary, context.comment));
}

// ---- Time display -------------------------------------------------------------------

std::string ElapsedText(std::chrono::milliseconds elapsed)
{
    const long long seconds =
        std::max<long long>(0, std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
    const auto two = [](long long n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); };
    return two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

TimeDisplay MakeTimeDisplay(std::chrono::milliseconds elapsed, long long done, long long planned)
{
    const long long ms = std::max<long long>(0, elapsed.count());
    TimeDisplay display;
    display.elapsed = ElapsedText(std::chrono::milliseconds(ms));
    display.progressMaximum = std::max<long long>(0, planned);
    display.progress = std::clamp<long long>(done, 0, display.progressMaximum);
    if (done > 0 && planned > 0) {
        // planned x ms / done without the product, which can pass 64 bits.
        const long long estimate = ms / done * planned + ms % done * planned / done;
        display.estimated = ElapsedText(std::chrono::milliseconds(estimate));
        display.remaining = ElapsedText(std::chrono::milliseconds(std::max(0LL, estimate - ms)));
    }
    return display;
}

}  // namespace vor
