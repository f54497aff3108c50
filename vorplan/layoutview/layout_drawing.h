#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/canvas.h"
#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/view_transform.h"

namespace vor {

struct LayoutState;
struct ViewerElement;
struct ViewerDisplaySettings;
struct MapPrintSettings;

enum class DrawTarget { Screen = 1, Printer = 2 };

// "Mostrar": "Tudo", "Peças", "Retalhos e Sobras".
enum class ShowElements { All, Pieces, Leftovers };

// The drawing indicator's colours while a redraw runs.
enum class DrawIndicator { Elements, CutLines, Finishing, Idle };

// What an element is drawn as; selects the label rules.
enum class ElementKind { Piece = 1, Offcut = 2, Scrap = 3 };

// The letter keys of one printed page.
constexpr std::size_t kLetterKeyCapacity = 38;

struct PrintLetterKey {
    int code = 0;
    int width = 0;
    int height = 0;
    std::string description;  // at most 22 characters
    int letter = 0;           // 1 = "A"
    bool operator==(const PrintLetterKey&) const = default;
};

struct PrintLetterKeys {
    std::vector<PrintLetterKey> entries;
};

// The letter of an element: reused when an entry of the same code and size
// (either way round) exists, else a new entry. 0 when the page's table is full.
int LetterKeyFor(PrintLetterKeys& keys, int code, int width, int height,
                 std::string_view description);
// "A".."Z" for 1..26, then "a" on for 27 and above.
std::string LetterKeyText(int letter);

// Everything a drawing reads besides the layout.
struct DrawContext {
    Canvas* canvas = nullptr;
    DrawTarget target = DrawTarget::Screen;
    const ViewTransform* view = nullptr;
    ViewerDisplaySettings* display = nullptr;  // the cut display is switched off at 400 lines
    MapPrintSettings* print = nullptr;         // the pen width is corrected in place
    bool printInitialCuts = false;             // the print window's "Cortes iniciais"
    int kerf = 0;                              // LARG_SERRA
    bool specialPerimeter = false;             // PERIM_ESPECIAL
    bool showDecimals = true;                  // SHOW_D, for lengths in millimetres
    ShowElements show = ShowElements::All;
    // The viewer's animation and editing state.
    bool overviewMode = false;
    int pendingPanSteps = 0;
    int pendingZoomSteps = 0;
    bool separated = false;  // pieces pulled apart: the scaled redraw of that animation
    WinColor background = 0xF0F0F0;  // the paint box's face, for clearing
    PrintLetterKeys* keys = nullptr;  // the printed page's table
    CutLineList* cutLines = nullptr;  // rebuilt by the redraw
    std::function<void(DrawIndicator)> indicator;
};

// A layout point as a pixel of the context's target (clamped and offset on the screen).
Point DevicePoint(const DrawContext& context, double x, double y);
// A line between two layout points with the canvas's pen.
void DrawLayoutLine(DrawContext& context, double x1, double y1, double x2, double y2);

// The larger of the sheet's sides, raised to the far corners (with their
// display offsets) of every piece, offcut and scrap element.
long long LayoutExtent(const LayoutState& state);

// One element at layout position (x, y) of size `length` x `height`, with its
// labels when `labels` is set; the canvas's pen and brush are the element's.
void DrawElement(DrawContext& context, const LayoutState& state, const ViewerElement& element,
                 double x, double y, ElementKind kind, bool labels);

// The whole layout: sheet, elements, and the cut lines, initial cuts and trims
// that the options ask for. `clearFirst` clears the paint box first.
void RedrawLayout(DrawContext& context, const LayoutState& state, bool clearFirst);

// Overlays on the screen drawing.
// The selected element outlined 3 pixels wide: red for the selected piece,
// fuchsia for the picked leftover.
void DrawSelectionHighlight(DrawContext& context, const LayoutState& state, long element,
                            bool picked);
// The move preview: a dashed black outline of `length` x `height` centred on
// the layout point (x, y).
void DrawMovePreview(DrawContext& context, double x, double y, int length, int height);
// A dimension line from (x, y1) to (x, y2) with end ticks and `text` beside it.
void DrawDimensionLine(DrawContext& context, double x, double y1, double y2,
                       const std::string& text);

}  // namespace vor
