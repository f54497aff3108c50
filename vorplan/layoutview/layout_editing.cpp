#include "vorplan/layoutview/layout_editing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/viewer_view.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

using LL = long long;

constexpr int kMaxRepetitions = 2000;
constexpr int kSeparateSteps = 20;

bool FitsInt(LL v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

bool IsPiece(const LayoutState& state, long i)
{
    return i >= 1 && i <= state.ElementCount() && state.Element(i).type == kLayoutTypePiece;
}

// Scrap of no size, or off the sheet, is refused by the store.
void StoreScrap(LayoutState& state, LL x, LL y, LL length, LL height)
{
    if (length <= 0 || height <= 0 || !FitsInt(x) || !FitsInt(y) || !FitsInt(length) ||
        !FitsInt(height))
        return;
    StoreElement(state, kLayoutTypeDiscarded, 0, static_cast<int>(x), static_cast<int>(y),
                 static_cast<int>(length), static_cast<int>(height), false, "", 0);
}

// A pick or a selection never outlives its element.
void DropStalePicks(LayoutState& state)
{
    if (!IsPiece(state, state.selectedPiece))
        state.selectedPiece = 0;
    if (!IsLeftover(state, state.pickedLeftover))
        state.pickedLeftover = 0;
}

}  // namespace

void SplitLeftoverAround(LayoutState& state, long o, long p, int kerf)
{
    const LL k = kerf;
    const ViewerElement O = state.Element(o);
    const ViewerElement P = state.Element(p);
    state.Element(o).type = kLayoutTypeRemoved;
    const LL px = P.x, py = P.y, pl = P.length, ph = P.height;
    const LL ox = O.x, oy = O.y, ol = O.length, oh = O.height;
    StoreScrap(state, std::max(px, ox), py + ph + k, std::min(pl, ol), oy + oh - (py + ph) - k);
    StoreScrap(state, px + pl + k, oy, ox + ol - (px + pl) - k, oh);
    StoreScrap(state, ox, oy, px - ox - k, oh);
    StoreScrap(state, std::max(px, ox), oy, std::min(pl, ol), py - oy - k);
}

namespace {

int PointToUnit(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, 0.0, 2.0e9)));
}

std::optional<LL> ReadMillimetres(const std::string& text)
{
    try {
        return MillimetresToTenths(StrToRealComma(text));
    } catch (const Error&) {
        return std::nullopt;
    }
}

}  // namespace

void ResetNewPieceValues(LayoutEditing& editing) { editing.newPiece = {"", "", "999"}; }

bool OutsideSheet(const LayoutState& state, long i)
{
    const ViewerElement& e = state.Element(i);
    return e.x < 0 || e.y < 0 || e.x > state.InnerWidth() || e.y > state.InnerHeight();
}

EditOutcome ClickLayout(LayoutState& state, const LayoutEditing& editing,
                        const LayoutMaterial& material, const ViewerOptions& options,
                        const ViewerHits& hits, double x, double y, bool autoCentre, bool fitted)
{
    EditOutcome out;
    if (editing.Separated())
        return out;
    state.layoutModified = true;
    out.rewrite = true;
    const long hoveredLeftover = hits.offcut ? hits.offcut : hits.scrap;

    if (state.pickedLeftover == 0) {
        state.pickedLeftover = hoveredLeftover;
        out.redraw = true;
    } else if (hoveredLeftover != 0) {
        out.message = JoinLeftovers(state, material, options, state.pickedLeftover, hoveredLeftover);
        state.pickedLeftover = 0;
        out.redraw = true;
    }

    if (hits.piece != 0 && hits.piece == state.selectedPiece) {
        state.selectedPiece = 0;
    } else if (hits.piece != 0) {
        state.selectedPiece = hits.piece;
        state.pickedLeftover = 0;
    } else if (state.selectedPiece != 0 && hoveredLeftover != 0) {
        // A join just made may have taken the clicked leftover in.
        if (IsLeftover(state, hoveredLeftover)) {
            const EditOutcome placed =
                PlacePiece(state, material, options, state.selectedPiece, hoveredLeftover, y);
            out.message = placed.message ? placed.message : out.message;
            if (autoCentre && !placed.message)
                out.fit = FitKind::View;
        }
    } else if (state.selectedPiece != 0 &&
               (x > static_cast<double>(state.InnerWidth()) ||
                y > static_cast<double>(state.InnerHeight()))) {
        const EditOutcome moved = MovePiece(state, material, options, state.selectedPiece, x, y, fitted);
        out.fit = moved.fit;
    }
    out.redraw = true;
    DropStalePicks(state);
    return out;
}

EditOutcome PlacePiece(LayoutState& state, const LayoutMaterial& material,
                       const ViewerOptions& options, long p, long o, double y)
{
    EditOutcome out;
    if (!IsPiece(state, p) || !IsLeftover(state, o))
        return out;
    const ViewerElement P = state.Element(p);
    const ViewerElement O = state.Element(o);
    const LL k = material.kerf, m = material.minRemainder;
    const LL px = P.x, py = P.y, pl = P.length, ph = P.height;
    const LL ox = O.x, oy = O.y, ol = O.length, oh = O.height;
    const bool lengthRoom = pl <= ol - k - m;
    const bool heightRoom = ph <= oh - k - m;
    const bool fits = (lengthRoom && heightRoom) || (pl == ol && heightRoom) ||
                      (lengthRoom && ph == oh) || (pl == ol && ph == oh);
    LL nx = px, ny = py;
    if (fits) {
        if (!OutsideSheet(state, p))
            StoreScrap(state, px, py, pl, ph);
        nx = ox;
        ny = y >= oy + oh * 0.5 ? oy + oh - ph : oy;
    } else {
        if (pl < ol && ph < oh) {
            out.message = 772;
            return out;
        }
        // O lies against P across one kerf: P slides into it; the last side that matches wins.
        const bool xWithin = ox <= px && px + pl <= ox + ol;
        const bool yWithin = oy <= py && py + ph <= oy + oh;
        enum class Side { None, Above, Below, Right, Left } side = Side::None;
        if (xWithin && py + ph + k == oy)
            side = Side::Above;
        if (xWithin && oy + oh + k == py)
            side = Side::Below;
        if (yWithin && px + pl + k == ox)
            side = Side::Right;
        if (yWithin && ox + ol + k == px)
            side = Side::Left;
        if (side == Side::None)
            return out;
        // The strip left behind ends one kerf before P's new place, and never
        // reaches into O, which is split around P below.
        const LL along = std::min(side == Side::Above || side == Side::Below ? ph : pl,
                                  side == Side::Above || side == Side::Below ? oh : ol);
        switch (side) {
        case Side::Above:
            ny = oy + oh - ph;
            StoreScrap(state, px, py, pl, along);
            break;
        case Side::Below:
            ny = oy;
            StoreScrap(state, px, py + ph - along, pl, along);
            break;
        case Side::Right:
            nx = ox + ol - pl;
            StoreScrap(state, px, py, along, ph);
            break;
        case Side::Left:
            nx = ox;
            StoreScrap(state, px + pl - along, py, along, ph);
            break;
        case Side::None:
            break;
        }
    }
    ViewerElement& piece = state.Element(p);
    piece.x = static_cast<int>(nx);
    piece.y = static_cast<int>(ny);
    SplitLeftoverAround(state, o, p, material.kerf);
    state.selectedPiece = 0;
    state.pickedLeftover = 0;
    state.layoutModified = true;
    TidyLeftovers(state, material, options);
    out.redraw = true;
    return out;
}

EditOutcome MovePiece(LayoutState& state, const LayoutMaterial& material,
                      const ViewerOptions& options, long p, double x, double y, bool fitted)
{
    EditOutcome out;
    if (!IsPiece(state, p))
        return out;
    if (!OutsideSheet(state, p)) {
        const ViewerElement P = state.Element(p);
        StoreScrap(state, P.x, P.y, P.length, P.height);
    }
    // Kept at 0 or more: a reading drops negative positions.
    ViewerElement& piece = state.Element(p);
    piece.x = PointToUnit(x);
    piece.y = PointToUnit(y);
    state.selectedPiece = 0;
    state.layoutModified = true;
    TidyLeftovers(state, material, options);
    DropStalePicks(state);
    if (fitted)
        out.fit = FitKind::View;
    out.redraw = true;
    return out;
}

namespace {

// The piece buttons ask for a selected piece lying off the sheet.
std::optional<EditOutcome> RefuseOnSheet(const LayoutState& state, int message)
{
    EditOutcome out;
    if (!IsPiece(state, state.selectedPiece)) {
        out.beep = true;
        return out;
    }
    if (!OutsideSheet(state, state.selectedPiece)) {
        out.message = message;
        return out;
    }
    return std::nullopt;
}

}  // namespace

EditOutcome RemovePiece(LayoutState& state, LayoutEditing& editing, bool showDecimals)
{
    if (auto refused = RefuseOnSheet(state, 773))
        return *refused;
    ViewerElement& piece = state.Element(state.selectedPiece);
    editing.newPiece = {RealToText(piece.length, showDecimals), RealToText(piece.height, showDecimals),
                        std::to_string(piece.code)};
    piece.type = kLayoutTypeRemoved;
    state.selectedPiece = 0;
    state.layoutModified = true;
    EditOutcome out;
    out.redraw = true;
    out.rewrite = true;
    return out;
}

EditOutcome RotatePiece(LayoutState& state)
{
    if (auto refused = RefuseOnSheet(state, 774))
        return *refused;
    ViewerElement& piece = state.Element(state.selectedPiece);
    std::swap(piece.length, piece.height);
    state.selectedPiece = 0;
    state.layoutModified = true;
    EditOutcome out;
    out.redraw = true;
    return out;
}

EditOutcome OpenResizePanel(const LayoutState& state, PiecePanel& panel, bool showDecimals)
{
    if (auto refused = RefuseOnSheet(state, 775))
        return *refused;
    const ViewerElement& piece = state.Element(state.selectedPiece);
    panel.values = {RealToText(piece.length, showDecimals), RealToText(piece.height, showDecimals),
                    std::to_string(piece.code)};
    panel.codeEnabled = false;
    panel.piece = state.selectedPiece;
    return {};
}

PiecePanel NewPiecePanel(const LayoutEditing& editing)
{
    PiecePanel panel;
    panel.values = editing.newPiece;
    panel.codeEnabled = true;
    return panel;
}

EditOutcome AcceptPiecePanel(LayoutState& state, const PiecePanel& panel, bool fitted)
{
    EditOutcome out;
    const std::optional<LL> width = ReadMillimetres(panel.values.width);
    const std::optional<LL> height = ReadMillimetres(panel.values.height);
    if (!width || !height || *width < 10 || *height < 10 || *width > state.sheetLength ||
        *height > state.sheetHeight) {
        out.message = 776;
        return out;
    }
    if (!panel.codeEnabled) {
        if (IsPiece(state, panel.piece)) {
            ViewerElement& piece = state.Element(panel.piece);
            piece.length = static_cast<int>(*width);
            piece.height = static_cast<int>(*height);
            state.layoutModified = true;
        }
    } else {
        // Parked above the sheet, where the user picks it up.
        const LL x = Round(state.sheetLength * 0.1);
        const LL y = Trunc(state.sheetHeight * 0.1) + state.sheetHeight;
        if (FitsInt(y) &&
            StoreElement(state, kLayoutTypePiece, StrToIntDef0(panel.values.code),
                         static_cast<int>(x), static_cast<int>(y), static_cast<int>(*width),
                         static_cast<int>(*height), false, "", 0)) {
            AssignColourGroup(state, state.ElementCount());
            state.layoutModified = true;
            if (fitted)
                out.fit = FitKind::View;
        }
    }
    out.redraw = true;
    out.hidePanel = true;
    return out;
}

EditOutcome HalveLeftover(LayoutState& state, const LayoutMaterial& material)
{
    EditOutcome out;
    const long o = state.pickedLeftover;
    if (!IsLeftover(state, o)) {
        out.beep = true;
        return out;
    }
    const ViewerElement O = state.Element(o);
    const LL k = material.kerf;
    const LL lower = Round(O.height * 0.5) - k;
    // The two parts and the kerf between them fill the old leftover exactly.
    const LL upper = O.height - lower - k;
    if (lower < 1 || upper < 1 ||
        !StoreElement(state, kLayoutTypeDiscarded, 0, O.x, static_cast<int>(O.y + lower + k),
                      O.length, static_cast<int>(upper), false, "", 0)) {
        out.beep = true;
        return out;
    }
    state.Element(o).height = static_cast<int>(lower);
    state.pickedLeftover = 0;
    state.layoutModified = true;
    out.redraw = true;
    return out;
}

EditOutcome SetRepetitions(LayoutState& state, const std::string& text)
{
    EditOutcome out;
    out.hidePanel = true;
    std::string digits = text;
    RemoveBlanks(digits);
    int value = -1;
    if (IsSignedIntegerText(digits)) {
        const std::size_t from = digits.front() == '+' ? 1 : 0;
        const auto [end, ec] = std::from_chars(digits.data() + from, digits.data() + digits.size(), value);
        if (ec != std::errc() || end != digits.data() + digits.size())
            value = -1;
    }
    if (value < 0 || value > kMaxRepetitions) {
        out.message = 785;
        return out;
    }
    for (ViewerElement& e : state.elements) {
        if (e.type != kLayoutTypeSheet)
            continue;
        e.x = value;
        state.sheetRepetitions = value;
        state.figures.repetitions = value;
        state.layoutModified = true;
        out.rewrite = true;
        out.redraw = true;
        break;
    }
    return out;
}

EditOutcome StartSeparate(LayoutEditing& editing)
{
    EditOutcome out;
    if (editing.pullApart != PullApart::Together)
        return out;
    editing.pullApart = PullApart::Separating;
    editing.separateStep = 0;
    out.fit = FitKind::View;
    return out;
}

EditOutcome StartJoin(LayoutEditing& editing)
{
    if (editing.pullApart == PullApart::Separated)
        editing.pullApart = PullApart::Joining;
    return {};
}

EditOutcome PullApartTick(LayoutState& state, LayoutEditing& editing)
{
    EditOutcome out;
    if (editing.pullApart == PullApart::Separating) {
        const int s = ++editing.separateStep;
        // At the last step each element stands two thirds of its own position further out.
        for (ViewerElement& e : state.elements) {
            e.dx = static_cast<int>(Round(static_cast<double>(e.x) * s / 30));
            e.dy = static_cast<int>(Round(static_cast<double>(e.y) * s / 30));
        }
        if (s >= kSeparateSteps)
            editing.pullApart = PullApart::Separated;
        out.fit = FitKind::Layout;
        out.redraw = true;
    } else if (editing.pullApart == PullApart::Joining) {
        bool apart = false;
        for (ViewerElement& e : state.elements) {
            e.dx = static_cast<int>(static_cast<LL>(e.dx) * 2 / 3);
            e.dy = static_cast<int>(static_cast<LL>(e.dy) * 2 / 3);
            apart = apart || e.dx != 0 || e.dy != 0;
        }
        out.redraw = true;
        out.fit = FitKind::Layout;
        if (!apart) {
            editing.pullApart = PullApart::Together;
            editing.separateStep = 0;
            out.fit = FitKind::View;
        }
    }
    return out;
}

void ResetPullApart(LayoutState& state, LayoutEditing& editing)
{
    for (ViewerElement& e : state.elements)
        e.dx = e.dy = 0;
    editing.pullApart = PullApart::Together;
    editing.separateStep = 0;
}

EditButtons EditButtonStates(const LayoutState& state, const LayoutEditing& editing)
{
    EditButtons b;
    b.remove = b.rotate = b.resize = state.selectedPiece > 0;
    b.divide = state.pickedLeftover > 0;
    b.separate = editing.pullApart == PullApart::Together;
    b.join = editing.pullApart == PullApart::Separated;
    b.routing = editing.pullApart == PullApart::Together;
    return b;
}

}  // namespace vor
