#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/orders/project_description.h"
#include "vorplan/orders/table_files.h"

namespace vor {

class IniFile;

// The strip mode of an order: boards laid out in strips, the strips cut
// directly from the sheets of the strip material. Lengths are tenths of a
// millimetre, areas doubles.

inline constexpr int kStripOptionCapacity = 400;
inline constexpr int kMaxBoardsAcross = 50;
inline constexpr int kMaxBoardsAlong = 100;
inline constexpr int kSheetKindCapacity = 20;
inline constexpr int kFreeRectangleCapacity = 1100;

// ---- Parameters and options -------------------------------------------------------

struct StripParameters {
    std::int64_t boardWidth = 0, boardHeight = 0;
    bool mayTurn = false;
    long long wanted = 0;
    long long minBoards = 0, maxBoards = 0;
    std::int64_t borderLeft = 0, borderRight = 0, borderTop = 0, borderBottom = 0;
    std::int64_t gap = 0;
    std::int64_t minWidth = 0, maxWidth = 0, minHeight = 0, maxHeight = 0;
};

// A typed length in tenths: rounded (halves to even) or cut toward zero;
// text that is no number reads 0, and a length too large to hold is kept at
// a bound beyond every limit.
std::int64_t StripLengthRounded(const std::string& millimetres);
std::int64_t StripLengthCut(const std::string& millimetres);

// The parameters of the description file's values; never fails.
StripParameters StripParametersOf(const PcbStripValues& values);

// The number (1..14) of the last failing check, 0 when all pass.
int StripParameterError(const StripParameters& p);
// The text of check `number` (1..14), shown after "Erro ".
std::string StripCheckText(int number);

struct StripOption {
    int number = 0;  // from 1
    int across = 0, along = 0;
    std::int64_t boardWidth = 0, boardHeight = 0;  // as laid (exchanged when turned)
    std::int64_t width = 0, height = 0;            // the strip
    std::int64_t borderLeft = 0, borderRight = 0, borderTop = 0, borderBottom = 0;
    std::int64_t gapAcross = 0, gapAlong = 0;
    double yield = -1.0;  // percent; -1 until computed
    bool selected = false;
    long long stripsNeeded = 0;
    bool operator==(const StripOption&) const = default;
};

struct StripGeneration {
    int error = 0;  // StripParameterError; no options then
    std::vector<StripOption> options;
    std::int64_t greatestWidth = 0, greatestHeight = 0;
};

// The smallest s with s x perStrip >= wanted (0 for no boards wanted).
long long StripsNeeded(long long wanted, long long perStrip);

// Every strip that fits the limits: the board as given, then turned when it
// may turn; nx 1..50, ny 1..100. At most 400 are kept, later fits replacing
// the 400th. A board without area gives none.
StripGeneration GenerateStripOptions(const StripParameters& p);

// The options list's drawing scale for a list of the given size.
double StripListScale(const StripGeneration& g, int listWidth, int listHeight);

// The rows that replace the order's piece table: one per option, "+" for a
// selected one, the option number as code, the strips needed as quantity,
// the strip size in millimetres with one decimal, the material text and
// "Tira nxXny".
std::vector<PieceRow> StripOptionRows(const std::vector<StripOption>& options,
                                      const std::string& material);

// ---- Sheet kinds ------------------------------------------------------------------------

struct SheetKind {
    std::int64_t width = 0, height = 0;  // tenths, rounded
    int quantity = 0;
    bool operator==(const SheetKind&) const = default;
};

enum class SheetKindOrder { List, LargestFirst, SmallestFirst };

struct SheetKindsRead {
    int status = 0;  // 1 too many, 2 quantity, 3 width, 4 height, 5 no file, 6 no kind
    std::vector<SheetKind> kinds;
};

// The marked lines of a sheet table's text as sheet kinds, checked and
// sorted by area as `order` asks (equal areas keep table order).
SheetKindsRead ReadSheetKinds(const std::vector<std::string>& lines, SheetKindOrder order);
// The same from the sheet table of `material`; status 5 when it cannot be read.
SheetKindsRead ReadSheetKinds(const DataFolders& folders, long long material,
                              SheetKindOrder order);
// Message 430, a blank and the status's text (messages 890..895).
std::string SheetKindStatusMessage(int status);

// ---- Direct strip cutting ----------------------------------------------------------------

// The layout search on one sheet kind: the layout with the most strips on one
// sheet (fewest rectangles on a tie); `strips` 0 when none fits.
struct StripSheetLayout {
    StripLayout layout;
    long long strips = 0;
    long long leftovers = 0;  // 0 when the layout holds no strip
};
StripSheetLayout SearchStripLayout(std::int64_t sheetWidth, std::int64_t sheetHeight,
                                   std::int64_t width, std::int64_t height, long long remaining);

struct StripKindResult {
    StripLayout layout;     // sheet size always that of the kind read
    long long strips = 0;   // on one sheet
    long long leftovers = 0;
    double yield = 0.0;
    bool tried = false;
};

struct StripRunResult {
    std::int64_t width = 0, height = 0;
    long long quantity = 0;
    std::vector<StripKindResult> kinds;
    long long stripsPlaced = 0;
    long long validLayouts = 0;
    double totalSheetArea = 0.0;  // square millimetres
    double scale = 0.0;           // the cut list's drawing scale
    bool zeroStrip = false;       // "Erro A1" was met
};

// Cuts `quantity` strips of width x height from `kinds` in order. `stop`, when
// given and set, abandons the run between kinds (the result is then partial).
StripRunResult RunStripCut(std::int64_t width, std::int64_t height, long long quantity,
                           const std::vector<SheetKind>& kinds,
                           const std::atomic<bool>* stop = nullptr);

// Strips placed against the total sheet area, percent; -1 when that area is 0.
double StripRunYield(const StripRunResult& run);

// Computes each option's yield on `kinds`, until `stop` is set. Returns
// whether a zero strip was met. Options not reached keep their yield.
bool ComputeOptionYields(std::vector<StripOption>& options, const std::vector<SheetKind>& kinds,
                         const std::atomic<bool>* stop = nullptr);

// Highest yield first; equal yields keep their order, so -1 comes last.
void OrderOptionsByYield(std::vector<StripOption>& options);

// The layouts the files are written from: one per kind read.
std::vector<StripLayout> StripRunLayouts(const StripRunResult& run);

// ---- The cut list ------------------------------------------------------------------------

struct StripDisplayOptions {
    bool layoutNumber = false;   // CheckBox16 N_MONT
    bool dimensions = true;      // CheckBox9, not stored
    bool area = false;           // CheckBox12 AREA
    bool stripCount = false;     // CheckBox10 QTD_TIRA
    bool stripArea = false;      // CheckBox13 AREA_TIRAS
    bool leftoverCount = false;  // CheckBox11 QTD_RET
    bool sheetCount = true;      // CheckBox17 QTD_MONT
    bool yield = true;           // CheckBox15 APROV
    bool operator==(const StripDisplayOptions&) const = default;
};

struct CutListLine {
    int offset = 0;  // below the item top
    std::string text;
    WinColor colour = kBlack;
    bool bold = false;
    int pointSize = 8;
    bool operator==(const CutListLine&) const = default;
};

inline constexpr int kStripSummaryHeight = 179;

// The summary item's lines.
std::vector<CutListLine> StripSummaryLines(const StripRunResult& run, bool showDecimals);
// The lines of sheet kind `index` (0-based; shown as "Montagem " index + 1).
std::vector<CutListLine> StripKindLines(const StripRunResult& run, std::size_t index,
                                        const StripDisplayOptions& display, bool showDecimals);
// The height of that kind's item.
int StripKindItemHeight(const StripRunResult& run, std::size_t index,
                        const StripDisplayOptions& display);

// ---- Settings and records ------------------------------------------------------------------

struct StripTabSettings {
    SheetKindOrder sheetOrder = SheetKindOrder::List;
    bool orderByYield = true;  // ORD_TIRA_REND, else NAO_ORD_TIRA
    StripDisplayOptions display;
    bool operator==(const StripTabSettings&) const = default;
};

// Sections CALC_PCB and OSTREL_PCB; "Dimensões" is not stored.
StripTabSettings ReadStripTabSettings(const IniFile& ini);
// Throws IoError when the file cannot be saved.
void WriteStripTabSettings(IniFile& ini, const StripTabSettings& settings);

// What a finished calculation leaves for the viewer, for the strip material:
// PRJ.SEQ holds `order`, MAT.SEQ and MAT_USAD.BIN the material alone, checked,
// and arq_ult_mat_calc.aum is deleted. Throws IoError when PRJ.SEQ cannot be
// written.
void SetStripCalculated(const DataFolders& folders, long long order, long long material);

// The keys "Visualiza" writes into DADOS_ULT_CALC; other keys stay. Throws
// IoError when the file cannot be saved.
void WriteStripViewRecord(IniFile& calcData, long long order, long long wanted,
                          long long stripsPlaced, const platform::LocalTime& now);

// The strip-mode save: the rows replace the piece table when there are
// options (else the table file stays as it is), then the description file is
// written. Throws IoError.
void SaveStripOrder(const Path& tableFile, const Path& descriptionFile,
                    const std::vector<StripOption>& options, const std::string& material,
                    long long order, const ProjectDescription& description,
                    const std::string& now, bool showDecimals);

}  // namespace vor
