#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// Layout files in MONT: the temporary file (.MTE) written at each commit of a
// material's final run, the layout file (.MON) made from it once the run has
// ended, and the strip variant the strip mode writes. Lengths are tenths of a
// millimetre; files are Windows-1252 with CR LF and written atomically.

// Element types of the files. The viewer's rewrite adds 2 (offcut) and 15
// (absorbed by a join); the strip variant types its leftovers 2.
constexpr int kLayoutTypeSheet = 0;
constexpr int kLayoutTypePiece = 1;
constexpr int kLayoutTypeOffcut = 2;
constexpr int kLayoutTypeDiscarded = 4;
constexpr int kLayoutTypeBorders = 5;

inline constexpr std::string_view kTempLayoutTitle = "; Arquivo de distribuição temporario";
inline constexpr std::string_view kTempLayoutColumns =
    ";Tipo  Cód.       X       Y       L        H ";
inline constexpr std::string_view kLayoutTitle = "; Arquivo de distribuição ";
inline constexpr std::string_view kLayoutColumns =
    ";Tipo  Cód.     X     Y     L     H   DESC  PED";
inline constexpr std::string_view kStripLayoutTitle = "; Arquivo de distribuição ( Tira para PCI)";
inline constexpr std::string_view kBordersDescription = "Borda_de_seg";

// The most element lines a layout file holds: every element of a layout and
// the borders line.
constexpr long kLayoutFileLineCapacity = kElementCapacity + 1;

// A temporary layout file that could not be written (3003) or read back (2007).
struct LayoutFileProblem {
    int code = 0;
    Path path;

    // "Internal error 3003", or "Internal error 2007: Acesso ao arquivo " and the path.
    std::string Text() const;
    // The calculation report's warning: the text, and the path for 3003.
    std::string WarningLine() const;
};

// A warning line of the calculation report about a layout file.
std::string LayoutFileWarning(std::string_view text);

// "type code X Y L H": right-aligned in 5, 6, 8, 8, 8 and 8 characters. A
// value that fills its column or is longer is written whole after one blank,
// so that it never runs into the value before it.
std::string LayoutElementColumns(long long type, long long code, long long x, long long y,
                                 long long length, long long height);

// A description as layout files store it: the ends trimmed, every inner blank
// (and ";", TAB or line break, which would cut or break the line) written "_",
// an empty text "---", so that every field after it stays in its place.
std::string LayoutFileDescription(std::string_view text);

// ---- Temporary layout file -------------------------------------------------

// The lines of the temporary file of `layout`: the four header lines, then
// elements 1..count as they stand. The commit has already put the extra
// repetitions into the sheet element's X.
std::vector<std::string> TempLayoutFileLines(const BestLayout& layout);

// Writes MONT/<layout Z3>-<material Z5>.MTE. Returns problem 3003 when the
// file cannot be written, the old file then left as it was.
std::optional<LayoutFileProblem> WriteTempLayoutFile(const DataFolders& folders,
                                                     long long layoutNumber, long long material,
                                                     const BestLayout& layout,
                                                     FileOps& ops = DefaultFileOps());

// ---- Order table -------------------------------------------------------------

// The order table from the lines of a material's merged piece list: each line
// cut at ";", and every one with a mark above 0 taken: code, the width and
// height columns in tenths (x 10, rounded half to even, as the piece loader
// does), quantity x multiplier, description (seventh field as stored) and
// order number (eighth field). Never throws.
OrderTable MakeOrderTable(const std::vector<std::string>& lines, int multiplier);

// The same read from the file; an empty table when it cannot be read.
OrderTable ReadOrderTable(const Path& mergedPieceList, int multiplier);

// The sum of the remaining quantities: before any layout is written, the
// material's "pieces selected".
long long PiecesSelected(const OrderTable& orders);

// ---- Layout file -------------------------------------------------------------

// What one material's layout files need besides the temporary files.
struct LayoutFileSettings {
    SheetBorders borders;              // the four safety borders of the material's run
    std::int64_t lengthAllowance = 0;  // piece border of the width box + material length allowance
    std::int64_t widthAllowance = 0;   // piece border of the height box + material width allowance
    std::string stockSheetText;        // message 212, the sheet of a stock line
    std::string offcutSheetText;       // message 213, an offcut used as sheet
};

// The settings of the material in `options.material`: its borders in effect
// (boxes plus trims), the piece borders plus its piece allowances. Throws
// OverflowError like EffectiveSheetBorders.
LayoutFileSettings MakeLayoutFileSettings(const CalcOptions& options, std::string stockSheetText,
                                          std::string offcutSheetText);

// The lines of a layout file made from the lines of its temporary file. Each
// piece line is matched to an order line whose sizes plus the allowances equal
// its L and H, else its H and L (a turned piece): the first whose quantity
// left covers the sheet's repetitions (X + 1), else the first with any left.
// A match takes that line's code, description and order number, adds the
// repetitions to `piecesPlaced` and takes them from the line's remaining
// quantity. The extra piece (negative
// code) is never matched. Lines of 3 characters or fewer after cutting at ";"
// and lines without a field are skipped. Never throws.
std::vector<std::string> LayoutFileLines(const std::vector<std::string>& tempLines,
                                         const LayoutFileSettings& settings, OrderTable& orders,
                                         long long& piecesPlaced);

struct LayoutFilesResult {
    long long piecesPlaced = 0;
    std::vector<LayoutFileProblem> problems;  // one 2007 per temporary file not read
};

// Writes the layout files 1..layoutCount of `material` from their temporary
// files, consuming `orders` across them in layout order. A temporary file that
// cannot be read is reported as 2007 and its number skipped; a layout file of
// that number left from an earlier calculation is removed, so it is never
// shown as this one's. Throws IoError when a layout file cannot be written
// (that file then left as it was).
LayoutFilesResult WriteLayoutFiles(const DataFolders& folders, long long material,
                                   long long layoutCount, const LayoutFileSettings& settings,
                                   OrderTable& orders, FileOps& ops = DefaultFileOps());

// ---- Strip variant -----------------------------------------------------------

struct StripLayoutEntry {
    std::int32_t x = 0, y = 0, width = 0, height = 0;  // x along the sheet width
    int state = 1;  // 1 a strip, 2 a leftover piece or an extra strip
};

// The layout of one sheet kind of the direct strip cutting.
struct StripLayout {
    std::int32_t sheetWidth = 0, sheetHeight = 0;
    long long furtherSheets = 0;            // sheets of this kind used minus 1
    std::vector<StripLayoutEntry> entries;  // in recorded order
};

// True when the layout holds at least one strip (state 1).
bool HoldsStrips(const StripLayout& layout);

// The strip variant: three header lines, the sheet line, the strips, then the
// leftovers, each in recorded order; fields separated by one blank, numbers
// unpadded.
std::vector<std::string> StripLayoutFileLines(const StripLayout& layout);

// Writes one file per layout that holds strips, numbered 1, 2, ... over those
// only, then removes the layout file of the next number. Returns the numbers
// that could not be written ("Erro PCI 45" for the caller); never throws.
std::vector<long long> WriteStripLayoutFiles(const DataFolders& folders, long long material,
                                             const std::vector<StripLayout>& layouts,
                                             FileOps& ops = DefaultFileOps());

// ---- Reading -----------------------------------------------------------------

// One element line of any layout file, as stored.
struct LayoutFileLine {
    int type = 0;
    int code = 0;
    int x = 0, y = 0, length = 0, height = 0;
    std::string description;  // seventh field as stored ("_" for blanks); empty when missing
    int order = 0;            // eighth field; 0 when missing or not a number
    long fieldCount = 0;
    bool numberTooLarge = false;  // a number field past the int range; its value is cut short
    bool operator==(const LayoutFileLine&) const = default;
};

// The element line in `line`, or nullopt when readers skip it: 3 characters
// or fewer after cutting at the first ";", or no field. Fields past the 15th
// are ignored; a field that is no number reads 0. Never throws.
std::optional<LayoutFileLine> ParseLayoutLine(std::string_view line);

struct LayoutFileContents {
    std::vector<LayoutFileLine> lines;  // at most kLayoutFileLineCapacity, in file order
    long long linesLeftOut = 0;  // element lines past the capacity; above 0 the file is too big
};

// Every element line of a layout file in file order. Never throws.
LayoutFileContents ParseLayoutFileContents(const std::vector<std::string>& lines);

// The same read from a file (Windows-1252 or UTF-8, any line end); nullopt
// when it cannot be read.
std::optional<LayoutFileContents> ReadLayoutFileContents(const Path& path);

}  // namespace vor
