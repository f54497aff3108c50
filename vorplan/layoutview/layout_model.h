#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/layoutview/layout_figures.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

struct MaterialRecord;

// The layout the viewer shows: one layout file read into an element table,
// tidied, edited and written back. Lengths are tenths of a millimetre;
// positions are in the file's frame, inside the sheet's trims.

// Element types besides those of the layout files.
constexpr int kLayoutTypeBeep = 6;
constexpr int kLayoutTypeRemoved = 15;  // absorbed by a join; kept, not drawn, not counted

// Descriptions are kept whole; only what is shown is cut to this.
constexpr std::size_t kShownDescriptionLength = 30;

inline constexpr std::string_view kModifiedLayoutTitle = "; Arquivo de distribuição ( Modificado )";
inline constexpr std::string_view kModifiedLayoutColumns = ";Tipo  Cód.     X     Y     L     H ";

struct ViewerElement {
    int type = 0;
    int code = 0;
    int x = 0, y = 0, length = 0, height = 0;
    std::string description;  // whole; read as " " + the file's text
    int order = 0;
    int colourGroup = 0;  // pieces: one group per code
    int dx = 0, dy = 0;   // offsets of the exploded view
    bool operator==(const ViewerElement&) const = default;
};

struct SheetTrims {
    int left = 0, right = 0, bottom = 0, top = 0;
    bool operator==(const SheetTrims&) const = default;
};

// The material values the layout routines read, taken from the record.
struct LayoutMaterial {
    long long code = 0;
    std::string description;
    int kerf = 0;             // LARG_SERRA
    int minOffcutWidth = 0;   // LARG_MIN_R
    int minOffcutHeight = 0;  // ALT_MIN_R
    int minRemainder = 0;     // LARG_MIN_D
    bool makesOffcuts = true; // GERA_RET
    double purchasePrice = 0; // PRECO_COMPRA
    double saleFactor = 1;    // FATOR_VENDA
    double cutPriceFactor = 0;// FATOR_CORTE
    double weightPerArea = 0; // PESO_ESP
};

LayoutMaterial LayoutMaterialOf(const MaterialRecord& record, long long code);

// The options the layout routines read.
struct ViewerOptions {
    bool unifyLeftovers = true;     // "Unifica sobras (auto)"
    bool longNumbers = false;       // "99.999..." chosen instead of "99.99"
    bool deductPieceBorder = true;  // areas taken without the piece border
    bool showDecimals = true;       // SHOW_D
    bool roundingTypeOne = false;   // ARREDONDAMENTO_1
};

// Everything besides the state that reading a layout needs.
struct LayoutInputs {
    DataFolders folders;
    LayoutMaterial material;
    ViewerOptions options;
    long long pieceBorder = 0;  // EqualPieceBorder of the calculation data
};

// The viewer's one layout and what it keeps between layouts.
struct LayoutState {
    std::vector<ViewerElement> elements;  // element i is elements[i - 1]
    long fileOffcutCount = 0;             // type 2 lines read
    long distinctPieceCount = 0;          // "Peças diferentes"
    bool layoutModified = false;
    bool hasOffcuts = false;
    Path path;  // the file read last, written back by RewriteLayoutFile

    // From the type 0 and type 5 lines; 0 x 0 until a sheet line is read.
    int sheetCode = 0;
    int sheetRepetitions = 0;  // the sheet line's X: times cut minus 1
    int sheetLength = 0, sheetHeight = 0;
    std::string sheetDescription;
    SheetTrims trims;

    long long currentLayout = 1;
    long long layoutCount = 0;
    std::vector<long long> layoutList;  // the layouts the pass found
    int largestSheetSide = 0;

    long selectedPiece = 0;   // first pick: a piece, 0 none
    long pickedLeftover = 0;  // second pick: an offcut or scrap, 0 none

    LayoutFigures figures;
    RunTotals runTotals;
    std::vector<std::string> report;  // the current layout's report lines

    long ElementCount() const { return static_cast<long>(elements.size()); }
    // Element i, 1-based; throws RangeError outside 1..count.
    ViewerElement& Element(long i);
    const ViewerElement& Element(long i) const;
    // The sheet inside its trims: the frame of every position.
    long long InnerWidth() const;
    long long InnerHeight() const;
};

// A description as labels and the detail panel show it.
std::string ShownDescription(std::string_view description);

// Appends the element when it is acceptable: positive size at X, Y >= 0, or
// positive size with `force`; a leftover not inside the sheet's inner extent is
// refused; a sheet or borders element is always taken. Returns whether it
// was taken.
bool StoreElement(LayoutState& state, int type, int code, int x, int y, int length, int height,
                  bool force, std::string description, int order);

// Gives piece i the colour group of the last earlier piece of its code, or a
// new group, which counts one more distinct piece.
void AssignColourGroup(LayoutState& state, long i);

// True when element i is an offcut or scrap.
bool IsLeftover(const LayoutState& state, long i);
// True when element i meets the minimum offcut size, also turned.
bool ClassifyLeftover(const LayoutState& state, const LayoutMaterial& material, long i);

// Gives empty leftovers type 15, joins touching leftovers (when unifying),
// then tells usable offcuts from scrap.
void TidyLeftovers(LayoutState& state, const LayoutMaterial& material, const ViewerOptions& options);

// Joins leftovers a and b, which must touch across one kerf. Returns the text
// to show when refused (771 not touching or not two leftovers, 770 a too
// narrow remainder); the leftovers are tidied in every case.
std::optional<std::string> JoinSelectedElements(LayoutState& state, const LayoutMaterial& material,
                                                const ViewerOptions& options, long a, long b);
// The same, giving the refusal's message number (0 when joined).
int JoinLeftovers(LayoutState& state, const LayoutMaterial& material, const ViewerOptions& options,
                  long a, long b);

// The lines the table is written as: the four header lines, then every
// element, removed ones included.
std::vector<std::string> LayoutRewriteLines(const LayoutState& state);

// Writes the table to the remembered path atomically; a file that already
// holds these bytes is left alone. On failure returns "Internal error 2008:
// Acesso ao arquivo " + path, leaves the file and keeps layoutModified.
std::optional<std::string> RewriteLayoutFile(LayoutState& state, FileOps& ops = DefaultFileOps());

// Fills the table from the lines of a layout file, every line through the
// layout-file reader. Throws OverflowError at a number too large for its
// field, the table then empty.
void StoreLayoutLines(LayoutState& state, const std::vector<std::string>& lines);
// The same from lines the layout-file reader already parsed.
void StoreLayoutLines(LayoutState& state, const std::vector<LayoutFileLine>& lines);

enum class LayoutReading {
    View,     // tidy, rewrite, statistics (with the report when asked)
    SumOnly,  // elements and statistics only: the file is not tidied nor written
};

// Reads layout state.currentLayout of the material into the table. A missing
// file gives an empty table. Throws IoError when the file exists but cannot
// be read and OverflowError at a number too large for its field; the table is
// then empty and the file untouched. Returns the rewrite's message, if any.
std::optional<std::string> ReadLayoutFile(LayoutState& state, const LayoutInputs& inputs,
                                          bool writeReport,
                                          LayoutReading reading = LayoutReading::View,
                                          FileOps& ops = DefaultFileOps());

}  // namespace vor
