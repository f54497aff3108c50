// Times the layout search on a seeded 20-line workshop job (2750 x 1830 mm,
// kerf 4 mm, borders 10 mm) and prints attempts per second, the yield and a
// digest of every committed layout, so that two builds can be shown to lay
// out alike. Then times whole materials on every core.
// Usage: optimiser_bench [seed] [--search-only]
// --search-only runs each search once and skips the whole materials, for an
// instruction count under callgrind that does not depend on the timing.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "tests/support/layout_checks.h"
#include "vorplan/common/conversions.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/optimiser/layout_search.h"
#include "vorplan/optimiser/material_calculation.h"
#include "vorplan/optimiser/placement.h"
#include "vorplan/optimiser/working_data.h"

namespace {

struct Line {
    std::int32_t length, width, quantity;
};

struct Outcome {
    long long attempts = 0;
    long long layouts = 0;
    long long sheets = 0;
    double yield = 0;
    double seconds = 0;
    long long left = 0;
    std::vector<vortest::CheckedLayout> committed;
    std::uint64_t digest = 14695981039346656037ULL;  // FNV-1a over every committed element
};

void Mix(std::uint64_t& digest, std::int64_t value)
{
    for (int byte = 0; byte < 8; ++byte) {
        digest ^= static_cast<std::uint64_t>(value >> (8 * byte)) & 0xFF;
        digest *= 1099511628211ULL;
    }
}

std::string Hex(std::uint64_t value)
{
    char text[17];
    const auto [end, ec] = std::to_chars(text, text + 16, value, 16);
    return std::string(text, end);
}

// One trial as the material's state machine runs it, with ordering window 1
// (keys 1 and 2 at every entry), T = 0 and M = 0.
Outcome RunTrial(const vor::CalcOptions& options, const std::vector<Line>& lines)
{
    auto work = std::make_unique<vor::OptimiserWork>();
    vor::OptimiserWork& w = *work;
    w.stock.entries[++w.stock.count] = {27500, 18300, vor::kInfiniteSheetQuantity, 1};
    std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
    for (const Line& l : lines) {
        w.pieces.Append({static_cast<std::int32_t>(w.pieces.count + 1), l.length, l.width,
                         l.quantity});
        w.totalPieces += l.quantity;
        smallest = std::min({smallest, l.length / 10, l.width / 10});  // millimetres at first
    }
    w.smallestDimension = smallest;
    w.status.Set(vor::MachineState::Running);
    w.best.Reset();
    const vor::PlacementSettings placement = vor::MakePlacementSettings(options);

    std::vector<vortest::CheckedLayout> committed;
    std::uint64_t digest = Outcome{}.digest;
    const auto start = std::chrono::steady_clock::now();
    for (w.layoutNumber = 1; w.layoutNumber <= vor::kLayoutLimit; ++w.layoutNumber) {
        for (w.currentEntry = 1; w.currentEntry <= w.stock.count; ++w.currentEntry)
            for (int key = 1; key <= 2 && w.status.IsRunning(); ++key)
                vor::RunLayoutStep(w, options, placement, key);
        if (!w.status.IsRunning() || w.best.pieces == 0)
            break;
        vor::CommitBest(w);
        committed.push_back(vortest::ElementsOf(w.best));
        for (long e = 1; e <= w.best.count; ++e) {
            const vor::LayoutElement& el = w.best.elements[e];
            for (std::int64_t v : {std::int64_t{static_cast<std::int32_t>(el.type)},
                                   std::int64_t{el.code}, std::int64_t{el.x}, std::int64_t{el.y},
                                   std::int64_t{el.length}, std::int64_t{el.height}})
                Mix(digest, v);
        }
        if (w.totalPieces <= 0)
            break;
        w.best.Reset();
    }
    Outcome out;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.attempts = w.search.totalAttempts;
    out.layouts = w.statistics.distinctLayouts;
    out.sheets = w.statistics.sheetsUsed;
    out.yield = w.statistics.sheetArea > 0 ? static_cast<double>(w.statistics.usedArea) /
                                                 static_cast<double>(w.statistics.sheetArea) * 100
                                           : 0;
    out.left = w.totalPieces;
    out.committed = std::move(committed);
    out.digest = digest;
    return out;
}

// One whole material as the calculation runs it: every planned trial, then
// the final run that repeats the best one.
void TimeWholeMaterial(const std::vector<Line>& lines)
{
    vor::MaterialInput input;
    input.sheets.push_back({1, vor::kMaxLineQuantity, 2750, 1830, 27500, 18300});
    long lineNumber = 1;
    for (const Line& l : lines)
        input.pieces.push_back({lineNumber++, l.quantity, l.length / 10, l.width / 10, l.length,
                                l.width});
    for (vor::CalcType type : {vor::CalcType::Fast, vor::CalcType::Complete, vor::CalcType::Intensive}) {
        vor::CalcOptions options;
        options.calcType = type;
        options.calcTypeIndex = static_cast<int>(type);
        options.type = vor::ParametersOf(type);
        options.sheetBorders = {100, 100, 100, 100};
        options.material.kerf = 40;
        options.material.code = 1;
        vor::RunFlags flags;
        vor::MaterialCalcRequest request;
        request.options = &options;
        request.input = &input;
        request.flags = &flags;
        auto work = std::make_unique<vor::OptimiserWork>();
        auto result = std::make_unique<vor::MaterialCalcResult>();
        const auto start = std::chrono::steady_clock::now();
        vor::CalculateMaterial(request, *work, *result);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const char* name = type == vor::CalcType::Fast       ? "Rapido   "
                           : type == vor::CalcType::Complete ? "Completo "
                                                             : "Intensivo";
        std::cout << "whole material " << name << ": trials " << result->trialsRun << " of "
                  << result->plannedTrials << " + final run, " << vor::FormatFixed(seconds, 3) << " s, layouts "
                  << result->finalResult.distinctLayouts << ", sheets "
                  << result->finalResult.sheetsUsed << ", yield "
                  << vor::FormatFixed(result->finalResult.yield, 2) << " %, final == best "
                  << (vor::SameLayouts(result->bestLayouts, result->finalLayouts) ? "yes" : "NO")
                  << ", status text " << static_cast<int>(result->status.text) << "\n";
    }
}

}  // namespace

int main(int argc, char** argv)
{
    unsigned seed = 20;
    bool searchOnly = false;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--search-only")
            searchOnly = true;
        else
            std::from_chars(arg.data(), arg.data() + arg.size(), seed);
    }
    std::mt19937 rng(seed);
    auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    std::vector<Line> lines;
    std::int64_t pieceArea = 0;
    for (int i = 0; i < 20; ++i) {
        lines.push_back({pick(100, 1200) * 10, pick(100, 900) * 10, pick(1, 20)});
        pieceArea += std::int64_t{lines.back().length} * lines.back().width * lines.back().quantity;
    }
    const double bound = static_cast<double>(pieceArea) / (27500.0 * 18300.0);

    std::cout << "optimiser_bench: 20 lines, seed " << seed << ", sheet 2750 x 1830, kerf 4, "
              << "borders 10, lower bound " << vor::FormatFixed(bound, 2) << " sheets\n";
    for (vor::CalcType type : {vor::CalcType::Fast, vor::CalcType::Intensive}) {
        for (bool rotation : {true, false}) {
            vor::CalcOptions options;
            options.calcType = type;
            options.type = vor::ParametersOf(type);
            options.rotation =
                rotation ? vor::RotationChoice::Allowed : vor::RotationChoice::NotAllowed;
            options.sheetBorders = {100, 100, 100, 100};
            options.material.kerf = 40;
            options.material.minimumStrip = 0;
            // Short runs are repeated so the rate rests on at least 0.3 s.
            const Outcome o = RunTrial(options, lines);
            double seconds = o.seconds;
            long long attempts = o.attempts;
            for (int run = 1; !searchOnly && seconds < 0.3 && run < 1000; ++run) {
                const Outcome again = RunTrial(options, lines);
                seconds += again.seconds;
                attempts += again.attempts;
            }
            const double rate = seconds > 0 ? static_cast<double>(attempts) / seconds : 0;

            // Every layout must be sound before its figures mean anything.
            vortest::CheckInput check;
            check.borders = options.EffectiveSheetBorders();
            check.kerf = options.material.kerf;
            check.mayRotate = options.RotationAllowed();
            for (std::size_t i = 0; i < lines.size(); ++i)
                check.pieces.push_back({static_cast<int>(i + 1), lines[i].length, lines[i].width,
                                        lines[i].quantity});
            check.sheets.push_back({1, vor::kInfiniteSheetQuantity});
            const std::vector<std::string> faults = vortest::ValidateLayouts(o.committed, check);
            int stages = 0;
            for (const vortest::CheckedLayout& layout : o.committed) {
                std::vector<vortest::CheckedElement> pieces;
                for (const vortest::CheckedElement& e : layout)
                    if (e.type == 1)
                        pieces.push_back(e);
                stages = std::max(stages, vortest::GuillotineStages(pieces, check.kerf));
            }
            std::cout << (type == vor::CalcType::Fast ? "Rapido   " : "Intensivo")
                      << (rotation ? " rotation on " : " rotation off") << ": attempts "
                      << o.attempts << ", " << vor::FormatFixed(o.seconds, 3) << " s, "
                      << vor::FormatFixed(rate, 0) << " attempts/s, layouts " << o.layouts << ", sheets "
                      << o.sheets << ", yield " << vor::FormatFixed(o.yield, 2) << " %, left " << o.left
                      << ", stages " << stages << ", digest " << Hex(o.digest) << ", "
                      << (faults.empty() ? std::string("valid") : "INVALID: " + faults.front())
                      << "\n";
            if (!faults.empty())
                return 1;
        }
    }
    if (!searchOnly)
        TimeWholeMaterial(lines);
    return 0;
}
