#pragma once

#include <string>

#include "vorplan/layoutview/layout_model.h"

namespace vor {

struct ViewerHits;

// Editing a layout by hand in the viewer: picks, placing a piece into a
// leftover, moving it off the sheet, the piece buttons, the repetitions and
// pulling the layout apart. Every operation changes the element table and
// says what the window must do; the window does nothing else.

// View: pan and scale to the whole layout; Layout: the scale alone, the pan kept.
enum class FitKind { None, Layout, View };

// What the window does after an edit, in this order: show the message, beep,
// fit the view (without drawing), redraw, rewrite the layout file.
struct EditOutcome {
    int message = 0;  // message number, 0 none
    bool beep = false;
    FitKind fit = FitKind::None;
    bool redraw = false;
    bool rewrite = false;
    bool hidePanel = false;  // the piece or repetitions panel closes
};

// The texts the piece panel shows, in millimetres.
struct PieceValues {
    std::string width, height, code;
};

// The piece panel while open: for the selected piece (code box disabled) or a new one.
struct PiecePanel {
    PieceValues values;
    bool codeEnabled = false;
    long piece = 0;  // the piece being resized
};

enum class PullApart { Together, Separating, Separated, Joining };

// The editing state the window keeps besides the picks of the layout state.
struct LayoutEditing {
    PullApart pullApart = PullApart::Together;
    int separateStep = 0;  // steps of "Separa peças" done
    PieceValues newPiece{"", "", "999"};

    // The pieces are drawn pulled apart: clicks and "Caminho do corte" do nothing.
    bool Separated() const { return pullApart != PullApart::Together; }
};

// The new-piece values as at opening: empty sizes and code 999.
void ResetNewPieceValues(LayoutEditing& editing);

// True when the lower-left corner of element i lies outside the sheet's inner extent.
bool OutsideSheet(const LayoutState& state, long i);

// The click on the layout at (x, y) of the file's frame with the hits there:
// pick or join leftovers, select or deselect a piece, place the selected piece
// into the clicked leftover, or move it off the sheet. Nothing while separated.
EditOutcome ClickLayout(LayoutState& state, const LayoutEditing& editing,
                        const LayoutMaterial& material, const ViewerOptions& options,
                        const ViewerHits& hits, double x, double y, bool autoCentre, bool fitted);

// Places piece p into leftover o at its left edge, the click's height y
// choosing its upper or lower half; a piece that does not fit slides in across one kerf or gives
// message 772. Clears the selection and the pick after a placement.
EditOutcome PlacePiece(LayoutState& state, const LayoutMaterial& material,
                       const ViewerOptions& options, long p, long o, double y);

// Leftover o gives way to piece p: o is removed and the strips above, right,
// left and below p (one kerf from it, within o) are stored as scrap.
void SplitLeftoverAround(LayoutState& state, long o, long p, int kerf);

// Moves piece p to (x, y), kept at X, Y >= 0; its place on the sheet becomes scrap.
EditOutcome MovePiece(LayoutState& state, const LayoutMaterial& material,
                      const ViewerOptions& options, long p, double x, double y, bool fitted);

// BitBtn10: takes the selected piece lying off the sheet out of the layout and
// remembers its values for "Nova"; a beep without a selection, 773 on the sheet.
EditOutcome RemovePiece(LayoutState& state, LayoutEditing& editing, bool showDecimals);
// BitBtn11 and Ctrl+R: turns the selected piece lying off the sheet; 774 on the sheet.
EditOutcome RotatePiece(LayoutState& state);
// "+/-": opens the panel with the selected piece's size; 775 on the sheet.
EditOutcome OpenResizePanel(const LayoutState& state, PiecePanel& panel, bool showDecimals);
// "Nova": the panel with the remembered new-piece values.
PiecePanel NewPiecePanel(const LayoutEditing& editing);
// The panel's "Ok": resizes the panel's piece or stores a new piece above the
// sheet; message 776 for a size below 1 mm or beyond the sheet, nothing changed.
EditOutcome AcceptPiecePanel(LayoutState& state, const PiecePanel& panel, bool fitted);

// "/": halves the picked leftover across one kerf; a beep when a half would
// be smaller than 1 unit.
EditOutcome HalveLeftover(LayoutState& state, const LayoutMaterial& material);

// The repetitions panel's "Ok": an integer text from 0 to 2000, else 785.
EditOutcome SetRepetitions(LayoutState& state, const std::string& text);

// "Separa peças" and "Junta peças": each starts an animation that the window
// runs one PullApartTick per timer tick. Starting while another runs does nothing.
EditOutcome StartSeparate(LayoutEditing& editing);
EditOutcome StartJoin(LayoutEditing& editing);
// One step: the display offsets of every element grow or shrink, then fit and redraw.
EditOutcome PullApartTick(LayoutState& state, LayoutEditing& editing);
// Back together at once, every offset 0 (a new layout or a new opening).
void ResetPullApart(LayoutState& state, LayoutEditing& editing);

// Which editing buttons are enabled.
struct EditButtons {
    bool remove = false, rotate = false, resize = false, divide = false;
    bool separate = true, join = false, routing = true;
};
EditButtons EditButtonStates(const LayoutState& state, const LayoutEditing& editing);

}  // namespace vor
