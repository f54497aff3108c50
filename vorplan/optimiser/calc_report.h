#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/calc_status.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// The calculation report (the memo of the report page, saved as REL/RELAT.TXT),
// the pieces-not-placed list, the history line of a material's final run and
// the time display of a running calculation. Status texts: calc_status.h.
//
// A material's run records its report as values (MaterialRunReport), so that
// a trial formats nothing; only the report that is kept, that of the final run
// or of the trial that ended in error, is turned into lines (CalcReport::AddRun).

// A new best of the detailed report is taken at this layout number or later
// only to switch the detailed report off.
constexpr long kDetailedReportLayoutLimit = 100;

// ---- Report of one material's run -----------------------------------------------

// The values the header of a material's report names.
struct ReportRunValues {
    CalcType calcType = CalcType::Fast;
    bool decimalPlaces = false;          // the decimal-precision setting
    std::int64_t pieceBorderWidth = 0;   // tenths
    std::int64_t pieceBorderHeight = 0;  // tenths
    platform::LocalTime start;           // the material's start
    long long materialCode = 0;
    std::int32_t kerf = 0;               // tenths
    std::int32_t minimumStrip = 0;       // tenths
    bool rotation = true;
};

// The header values of `options` (its material slot included) for a material
// that started at `start`. Never throws.
ReportRunValues MakeReportRunValues(const CalcOptions& options, bool decimalPlaces,
                                    const platform::LocalTime& start);

// One line of the detailed report: a new best attempt of the layout step.
struct BestAttemptLine {
    double yield = 0;             // percent, without the sheet factor
    long pieces = 0;              // pieces placed
    std::int64_t cutLength = 0;   // tenths; shown x 0.001
    int stage = 1;                // tie-break stage (1..3) that made it the best
    long stockEntry = 1;
    int orderingKey = 1;
    long attempts = 0;            // attempt count of the step
};

class MaterialRunReport {
public:
    // The tables are reserved at their capacities once, so later runs reuse them.
    MaterialRunReport();

    // Starts the report of a run (the initialise state): records the header
    // values and the piece and stock lists of `work` as they stand, clears the
    // rest and turns the detailed report on.
    void Start(const ReportRunValues& values, const OptimiserWork& work);
    bool Started() const { return m_started; }
    // True until a new best is found at layout 100 or later.
    bool Detailed() const { return m_detailed; }

    // " Montagem n:" while the detailed report is on (the run starts layout n).
    void LayoutStarted(long layoutNumber);
    // A detailed line while the report is on; at layout 100 or later the report
    // is switched off instead and the two warning lines are added.
    void NewBest(long layoutNumber, const BestAttemptLine& line);
    // The final status, recorded when the run ends (`statusText` as StatusText gives it).
    void Finish(const platform::LocalTime& end, std::string statusText);

    // The report's lines: header, detailed lines, final status. Empty when not started.
    std::vector<std::string> Lines() const;

private:
    struct Size {
        std::int64_t height = 0, width = 0, quantity = 0;  // tenths
    };
    enum class EventKind { Layout, Best, Warning };
    struct Event {
        EventKind kind = EventKind::Layout;
        long layoutNumber = 0;
        BestAttemptLine best;
    };

    bool m_started = false;
    bool m_detailed = true;
    ReportRunValues m_values;
    std::vector<Size> m_pieces;
    std::vector<Size> m_stock;
    long long m_totalPieces = 0;
    std::int32_t m_smallest = 0, m_largest = 0;
    std::vector<Event> m_events;
    bool m_finished = false;
    platform::LocalTime m_end;
    std::string m_statusText;
};

// ---- The calculation report --------------------------------------------------

// The closing lines: message 660 when the user abbreviated the calculation,
// then "Total: " + selected + " " + message 475 and "Total: " + placed + " " +
// message 476.
std::vector<std::string> ClosingLines(bool abbreviatedByUser, long long piecesSelected,
                                      long long piecesPlaced);

// The lines of the whole calculation: the driver's own lines and the kept
// report of each material. Written by the thread that runs the calculation;
// the listener gets a copy of every group of lines added, so a window can
// append them to its memo through queued signals.
class CalcReport {
public:
    using Listener = std::function<void(const std::vector<std::string>& added)>;

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    // At the start of a calculation.
    void Clear() { m_lines.clear(); }
    void Add(std::string line);
    void Add(const std::vector<std::string>& lines);
    // Adds a material's kept report; nothing when that run never started.
    void AddRun(const MaterialRunReport& run);
    void AddClosingLines(bool abbreviatedByUser, long long piecesSelected, long long piecesPlaced);
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    Listener m_listener;
};

// Saves the report as REL/RELAT.TXT (atomically); throws IoError and leaves
// the old file when it cannot be written.
void SaveReportText(const DataFolders& folders, const CalcReport& report);
void SaveReportText(const CalcReport& report);  // shared folders

// ---- End of a material's final run -------------------------------------------

// A piece still to place, at the sizes of the order (no borders, no allowances).
struct UnplacedPiece {
    std::int64_t width = 0;   // width column, tenths
    std::int64_t height = 0;  // height column, tenths
    long long quantity = 0;   // left to place
    bool operator==(const UnplacedPiece&) const = default;
};

// The pieces of `pieces` with quantity left, in list order, at the sizes of
// their lines in `input` (piece id n is line n). The extra piece is no piece
// of an order and is left out. Never throws.
std::vector<UnplacedPiece> UnplacedPieces(const PieceList& pieces, const MaterialInput& input);

// What a finished run leaves for the history line and the pieces-not-placed list.
struct MaterialRunSummary {
    long long materialCode = 0;
    StatusCode statusText = StatusCode::None;
    long long distinctLayouts = 0;
    long long stockSheetsUsed = 0;
    long long offcutSheetsUsed = 0;
    double lastLayoutScore = 0;  // percent
    double yield = 0;            // used area / sheet area x 100, percent
    std::vector<UnplacedPiece> unplaced;
};

// The summary of the run in `work` of material `materialCode`: its status
// text, statistics, the best's stored score and the pieces left. Never throws.
MaterialRunSummary SummariseRun(const OptimiserWork& work, const MaterialInput& input,
                                long long materialCode);

// date + " " + time + " " + layouts + " " + stock sheets + " " + offcut sheets
// + " " + last score (2 decimals) + " " + yield (2 decimals) + " " + the
// comment with every blank written "_".
std::string HistoryLine(const platform::LocalTime& now, const MaterialRunSummary& summary,
                        std::string_view comment);

// What the pieces-not-placed list names besides its pieces.
struct PiecesNotPlacedHeader {
    platform::LocalTime date;
    long long materialCode = 0;
    std::string materialDescription;
    std::vector<long long> orders;  // of the calculation
};

// The pieces-not-placed list as a report text: heading (480), a colon block
// with the date (481), material (482) and orders (483), a table of width,
// height (millimetres, decimals as needed) and quantity, and the total (485).
std::vector<std::string> PiecesNotPlacedLines(const PiecesNotPlacedHeader& header,
                                              const std::vector<UnplacedPiece>& pieces);

struct FinalRunContext {
    platform::LocalTime now;
    std::string materialDescription;
    std::string comment;            // of page C
    std::vector<long long> orders;  // of the calculation
    bool writeHistory = true;       // false for the candidates of the best sheet-size search
};

// The files of a final run that has ended: with status text 2 or 21 the
// pieces-not-placed list REL/NUS<code>.TAB is written, with 1 it is deleted
// (a missing file is no error; one that cannot be deleted is reported by
// message), and with any of the three the history line is added. Other status
// texts touch nothing. Throws IoError when a file cannot be written (an old
// file then stays as it was).
void RecordFinalRunEnd(const DataFolders& folders, const MaterialRunSummary& summary,
                       const FinalRunContext& context);

// ---- Time display -------------------------------------------------------------

// "hh:mm:ss" of whole seconds (negative taken as 0); the hours are not cut at 24.
std::string ElapsedText(std::chrono::milliseconds elapsed);

// What the calculation window shows after each trial.
struct TimeDisplay {
    std::string elapsed;    // "Tempo de cálculo: "
    std::string estimated;  // "Tempo total estimado: ", empty until a trial is done
    std::string remaining;  // "Tempo restante estimado: ", likewise
    long long progress = 0; // trials done, at most the maximum
    long long progressMaximum = 0;
};

// The display for `elapsed` since the material started with `done` of
// `planned` trials: estimate = planned x elapsed / done, remaining = estimate -
// elapsed (never below 0). Never throws.
TimeDisplay MakeTimeDisplay(std::chrono::milliseconds elapsed, long long done, long long planned);

}  // namespace vor
