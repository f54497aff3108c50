#include "vorplan/layoutview/layout_model.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <system_error>
#include <utility>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

constexpr std::string_view kEmptyDescription = "---";

bool FitsInt(long long value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// The description as the table keeps it: "_" read as blanks, "---" (the
// empty description) as nothing, one blank in front.
std::string StoredDescription(std::string text)
{
    if (text == kEmptyDescription)
        text.clear();
    UnderscoreToBlank(text);
    return " " + text;
}

void ClearLayout(LayoutState& state)
{
    state.elements.clear();
    state.fileOffcutCount = 0;
    state.distinctPieceCount = 0;
    state.layoutModified = false;
    state.hasOffcuts = false;
    state.sheetCode = 0;
    state.sheetRepetitions = 0;
    state.sheetLength = 0;
    state.sheetHeight = 0;
    state.sheetDescription.clear();
    state.trims = {};
}

void StoreLine(LayoutState& state, const LayoutFileLine& line)
{
    if (line.type == 3)
        return;
    if (line.type == kLayoutTypeSheet) {
        // The sheet's size comes from its line alone, so that scrap read
        // before any sheet line meets an extent of 0 x 0.
        state.sheetCode = line.code;
        state.sheetRepetitions = line.x;
        state.sheetLength = line.length;
        state.sheetHeight = line.height;
        state.sheetDescription = StoredDescription(line.description).substr(1);
    } else if (line.type == kLayoutTypeBorders) {
        state.trims = {line.x, line.y, line.length, line.height};
    }
    const bool stored = StoreElement(state, line.type, line.code, line.x, line.y, line.length,
                                     line.height, false, StoredDescription(line.description),
                                     line.order);
    if (!stored)
        return;
    if (line.type == kLayoutTypePiece) {
        AssignColourGroup(state, state.ElementCount());
    } else if (line.type == kLayoutTypeOffcut) {
        ++state.fileOffcutCount;
    }
}

// Whether the two leftovers lie one above the other across a kerf (or side
// by side), with every sum held in 64 bits.
bool Stacked(const ViewerElement& lower, const ViewerElement& upper, int kerf)
{
    return lower.x == upper.x && lower.length == upper.length &&
           static_cast<long long>(lower.y) + lower.height + kerf == upper.y;
}

bool Beside(const ViewerElement& left, const ViewerElement& right, int kerf)
{
    return left.y == right.y && left.height == right.height &&
           static_cast<long long>(left.x) + left.length + kerf == right.x;
}

// With the leading blank every read description has, so a reread gives the same.
std::string DefaultOffcutDescription() { return " " + Msg(213); }

}  // namespace

LayoutMaterial LayoutMaterialOf(const MaterialRecord& record, long long code)
{
    LayoutMaterial m;
    m.code = code;
    m.description = record.description;
    m.kerf = record.kerf;
    m.minOffcutWidth = record.minOffcutWidth;
    m.minOffcutHeight = record.minOffcutHeight;
    m.minRemainder = record.minStripWidth;
    m.makesOffcuts = record.makesOffcuts;
    m.purchasePrice = record.purchasePrice;
    m.saleFactor = record.saleFactor;
    m.cutPriceFactor = record.cutPriceFactor;
    m.weightPerArea = record.weightPerArea;
    return m;
}

ViewerElement& LayoutState::Element(long i)
{
    if (i < 1 || i > ElementCount())
        throw RangeError("Elemento fora da faixa: " + std::to_string(i));
    return elements[static_cast<std::size_t>(i - 1)];
}

const ViewerElement& LayoutState::Element(long i) const
{
    return const_cast<LayoutState&>(*this).Element(i);
}

long long LayoutState::InnerWidth() const
{
    return static_cast<long long>(sheetLength) - trims.left - trims.right;
}

long long LayoutState::InnerHeight() const
{
    return static_cast<long long>(sheetHeight) - trims.bottom - trims.top;
}

std::string ShownDescription(std::string_view description)
{
    return Utf8Left(description, kShownDescriptionLength);
}

bool StoreElement(LayoutState& state, int type, int code, int x, int y, int length, int height,
                  bool force, std::string description, int order)
{
    bool accepted = length > 0 && height > 0 && y >= 0 && x >= 0;
    if (length > 0 && height > 0 && force)
        accepted = true;
    // Offcuts too: tidying may turn one into scrap, which the next reading
    // would drop, so both kinds of leftover meet the same test.
    if ((type == kLayoutTypeDiscarded || type == kLayoutTypeOffcut) &&
        (y >= state.InnerHeight() || x >= state.InnerWidth()))
        accepted = false;
    // The sheet line is kept whatever its values, so that a rewrite never
    // drops the size the other elements are measured against.
    if (type == kLayoutTypeBorders || type == kLayoutTypeSheet)
        accepted = true;
    if (!accepted)
        return false;
    ViewerElement e;
    e.type = type;
    e.code = code;
    e.x = x;
    e.y = y;
    e.length = length;
    e.height = height;
    e.description = std::move(description);
    e.order = order;
    state.elements.push_back(std::move(e));
    return true;
}

void AssignColourGroup(LayoutState& state, long i)
{
    ViewerElement& piece = state.Element(i);
    piece.colourGroup = 0;
    // One group for all pieces of one code: only earlier pieces count.
    for (long j = 2; j < i; ++j) {
        const ViewerElement& e = state.Element(j);
        if (e.type == kLayoutTypePiece && e.code == piece.code)
            piece.colourGroup = e.colourGroup;
    }
    if (piece.colourGroup == 0)
        piece.colourGroup = static_cast<int>(++state.distinctPieceCount);
}

bool IsLeftover(const LayoutState& state, long i)
{
    if (i < 1 || i > state.ElementCount())
        return false;
    const int type = state.Element(i).type;
    return type == kLayoutTypeOffcut || type == kLayoutTypeDiscarded;
}

bool ClassifyLeftover(const LayoutState& state, const LayoutMaterial& material, long i)
{
    const ViewerElement& e = state.Element(i);
    return (e.height >= material.minOffcutHeight && e.length >= material.minOffcutWidth) ||
           (e.height >= material.minOffcutWidth && e.length >= material.minOffcutHeight);
}

void TidyLeftovers(LayoutState& state, const LayoutMaterial& material, const ViewerOptions& options)
{
    const long count = state.ElementCount();
    for (long i = 1; i <= count; ++i) {
        ViewerElement& e = state.Element(i);
        if (!IsLeftover(state, i))
            continue;
        if (e.length == 0 || e.height == 0)
            e.type = kLayoutTypeRemoved;
        else if (e.type == kLayoutTypeOffcut && e.description.find('/') == std::string::npos)
            e.description = DefaultOffcutDescription();
    }

    const int kerf = material.kerf;
    bool changed = options.unifyLeftovers;
    while (changed) {
        changed = false;
        for (long j = 1; j <= count; ++j) {
            for (long k = 1; k <= count; ++k) {
                if (k == j || !IsLeftover(state, j) || !IsLeftover(state, k))
                    continue;
                ViewerElement& upper = state.Element(j);
                ViewerElement& lower = state.Element(k);
                if (Stacked(lower, upper, kerf)) {
                    const long long height = static_cast<long long>(upper.height) + lower.height + kerf;
                    if (!FitsInt(height))
                        continue;
                    upper.y = lower.y;
                    upper.height = static_cast<int>(height);
                } else if (Beside(lower, upper, kerf)) {
                    const long long length = static_cast<long long>(upper.length) + lower.length + kerf;
                    if (!FitsInt(length))
                        continue;
                    upper.x = lower.x;
                    upper.length = static_cast<int>(length);
                } else {
                    continue;
                }
                lower.type = kLayoutTypeRemoved;
                changed = true;
            }
        }
    }

    state.hasOffcuts = false;
    for (ViewerElement& e : state.elements)
        if (e.type == kLayoutTypeOffcut)
            e.type = kLayoutTypeDiscarded;
    for (long i = 1; i <= count; ++i) {
        ViewerElement& e = state.Element(i);
        if (!material.makesOffcuts || e.type != kLayoutTypeDiscarded ||
            !ClassifyLeftover(state, material, i))
            continue;
        e.type = kLayoutTypeOffcut;
        if (Utf8Length(e.description) < 2)
            e.description = DefaultOffcutDescription();
        state.hasOffcuts = true;
    }
}

namespace {

// One way two leftovers can touch: `b` lies after `a` along one axis across
// a kerf, and one of them spans the other on the other axis.
struct JoinGeometry {
    bool along = false;  // b follows a along X (cases 1, 2) or along Y (cases 3, 4)
    bool aCovers = false;
};

long long Start(const ViewerElement& e, bool xAxis) { return xAxis ? e.x : e.y; }
long long Size(const ViewerElement& e, bool xAxis) { return xAxis ? e.length : e.height; }

std::optional<JoinGeometry> FindJoin(const ViewerElement& a, const ViewerElement& b, int kerf)
{
    for (const bool xAxis : {true, false}) {
        if (Start(b, xAxis) != Start(a, xAxis) + Size(a, xAxis) + kerf)
            continue;
        const bool across = !xAxis;
        const long long a0 = Start(a, across), a1 = a0 + Size(a, across);
        const long long b0 = Start(b, across), b1 = b0 + Size(b, across);
        if (a0 <= b0 && a1 >= b1)
            return JoinGeometry{xAxis, true};
        if (b0 <= a0 && b1 >= a1)
            return JoinGeometry{xAxis, false};
    }
    return std::nullopt;
}

// A remainder of minus one kerf is the covering element ending flush.
bool TooNarrow(long long remainder, const LayoutMaterial& material)
{
    if (remainder == -static_cast<long long>(material.kerf))
        remainder = 0;
    return remainder != 0 && remainder < material.minRemainder;
}

}  // namespace

std::optional<std::string> JoinSelectedElements(LayoutState& state, const LayoutMaterial& material,
                                                const ViewerOptions& options, long a, long b)
{
    const int refusal = JoinLeftovers(state, material, options, a, b);
    if (refusal == 0)
        return std::nullopt;
    return Msg(refusal);
}

int JoinLeftovers(LayoutState& state, const LayoutMaterial& material, const ViewerOptions& options,
                  long a, long b)
{
    int refusal = 0;
    std::optional<JoinGeometry> join;
    if (a != b && IsLeftover(state, a) && IsLeftover(state, b)) {
        join = FindJoin(state.Element(a), state.Element(b), material.kerf);
        if (!join) {
            std::swap(a, b);
            join = FindJoin(state.Element(a), state.Element(b), material.kerf);
        }
    }
    if (!join) {
        refusal = 771;
    } else {
        const ViewerElement first = state.Element(a);
        const ViewerElement second = state.Element(b);
        const long grownIndex = join->aCovers ? b : a;
        const ViewerElement& covering = join->aCovers ? first : second;
        const ViewerElement& covered = join->aCovers ? second : first;
        const bool across = !join->along;
        const long long kerf = material.kerf;
        const long long before = Start(covered, across) - Start(covering, across) - kerf;
        const long long after = Start(covering, across) + Size(covering, across) -
                                (Start(covered, across) + Size(covered, across)) - kerf;
        const long long grownSize = Size(first, join->along) + Size(second, join->along) + kerf;
        if (TooNarrow(before, material) || TooNarrow(after, material)) {
            refusal = 770;
        } else if (FitsInt(grownSize) && FitsInt(before) && FitsInt(after)) {
            ViewerElement& grown = state.Element(grownIndex);
            state.Element(grownIndex == a ? b : a).type = kLayoutTypeRemoved;
            if (join->along) {
                grown.x = std::min(first.x, second.x);
                grown.length = static_cast<int>(grownSize);
            } else {
                grown.y = std::min(first.y, second.y);
                grown.height = static_cast<int>(grownSize);
            }
            // What the grown element does not span of the covering one is
            // cut off as scrap; a part of no size is refused by the store.
            const long long afterStart = Start(covered, across) + Size(covered, across) + kerf;
            const int s0 = static_cast<int>(Start(covering, across));
            const int s1 = static_cast<int>(std::clamp<long long>(
                afterStart, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
            if (join->along) {
                StoreElement(state, kLayoutTypeDiscarded, 0, covering.x, s0, covering.length,
                             static_cast<int>(before), false, "", 0);
                StoreElement(state, kLayoutTypeDiscarded, 0, covering.x, s1, covering.length,
                             static_cast<int>(after), false, "", 0);
            } else {
                StoreElement(state, kLayoutTypeDiscarded, 0, s0, covering.y,
                             static_cast<int>(before), covering.height, false, "", 0);
                StoreElement(state, kLayoutTypeDiscarded, 0, s1, covering.y,
                             static_cast<int>(after), covering.height, false, "", 0);
            }
            state.layoutModified = true;
        }
    }
    TidyLeftovers(state, material, options);
    return refusal;
}

std::vector<std::string> LayoutRewriteLines(const LayoutState& state)
{
    std::vector<std::string> lines;
    lines.reserve(state.elements.size() + 4);
    lines.emplace_back(kModifiedLayoutTitle);
    lines.emplace_back();
    lines.emplace_back(kModifiedLayoutColumns);
    lines.emplace_back();
    for (const ViewerElement& e : state.elements)
        lines.push_back(LayoutElementColumns(e.type, e.code, e.x, e.y, e.length, e.height) + " " +
                        LayoutFileDescription(e.description) + " " + std::to_string(e.order));
    return lines;
}

std::optional<std::string> RewriteLayoutFile(LayoutState& state, FileOps& ops)
{
    const std::string bytes = EncodeTextLines(LayoutRewriteLines(state));
    std::error_code ec;
    try {
        if (std::filesystem::exists(state.path, ec)) {
            // A file that cannot be read is never written over; one that
            // already holds these bytes needs no write.
            if (ReadFileBytes(state.path) == bytes) {
                state.layoutModified = false;
                return std::nullopt;
            }
        } else if (ec) {
            throw IoError(state.path, ec.value(), "read");
        }
        WriteFileAtomically(state.path, bytes, ops);
    } catch (const IoError&) {
        return "Internal error 2008: Acesso ao arquivo " + state.path.string();
    }
    state.layoutModified = false;
    return std::nullopt;
}

void StoreLayoutLines(LayoutState& state, const std::vector<std::string>& lines)
{
    ClearLayout(state);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::optional<LayoutFileLine> line = ParseLayoutLine(lines[n]);
        if (!line)
            continue;
        if (line->numberTooLarge) {
            ClearLayout(state);
            throw OverflowError(state.path.string() + ": valor fora da faixa na linha " +
                                std::to_string(n + 1));
        }
        StoreLine(state, *line);
    }
}

void StoreLayoutLines(LayoutState& state, const std::vector<LayoutFileLine>& lines)
{
    ClearLayout(state);
    for (const LayoutFileLine& line : lines) {
        if (line.numberTooLarge) {
            ClearLayout(state);
            throw OverflowError(state.path.string() + ": valor fora da faixa");
        }
        StoreLine(state, line);
    }
}

std::optional<std::string> ReadLayoutFile(LayoutState& state, const LayoutInputs& inputs,
                                          bool writeReport, LayoutReading reading, FileOps& ops)
{
    ClearLayout(state);
    state.path = LayoutFile(inputs.folders, state.currentLayout, inputs.material.code);
    state.selectedPiece = 0;
    state.pickedLeftover = 0;

    std::error_code ec;
    const bool exists = std::filesystem::exists(state.path, ec);
    if (ec)
        throw IoError(state.path, ec.value(), "read");
    if (!exists) {
        state.figures = {};
        state.report.clear();
        return std::nullopt;
    }

    try {
        StoreLayoutLines(state, ReadTextLinesOrThrow(state.path));
    } catch (const Error&) {
        state.figures = {};
        state.report.clear();
        throw;
    }

    std::optional<std::string> message;
    if (reading == LayoutReading::View) {
        TidyLeftovers(state, inputs.material, inputs.options);
        message = RewriteLayoutFile(state, ops);
    }
    ComputeLayoutStatistics(state, inputs, reading == LayoutReading::View && writeReport);
    return message;
}

}  // namespace vor
