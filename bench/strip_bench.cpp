// Times the strip options' yields: for each option, the direct strip cutting
// on the strip material's sheet kinds, as the strip tab runs it after every
// generation. Prints one line per case:
//   case=NAME options=N kinds=N seconds=S best=P
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "vorplan/orders/strip_mode.h"

namespace {

struct Case {
    const char* name;
    vor::PcbStripValues values;
    std::vector<vor::SheetKind> kinds;
};

vor::PcbStripValues Crowded()
{
    // Small boards, many strips wanted: 400 options, each cut on three kinds.
    vor::PcbStripValues v;
    v.boardWidth = "12";
    v.boardHeight = "8";
    v.boardGap = "1";
    v.borderLeft = v.borderRight = v.borderTop = v.borderBottom = "1";
    v.minStripWidth = "1";
    v.maxBoardsPerStrip = "100";
    v.wantedBoards = "200000";
    return v;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    // The sheet sizes of the shipped strip material 99010.
    const std::vector<vor::SheetKind> shipped = {{12450, 10410, 20}, {12200, 10200, 10}, {6200, 5200, 30}};
    const std::vector<Case> cases = {
        {"default", vor::PcbStripValues{}, shipped},
        {"crowded", Crowded(), shipped},
    };
    for (const Case& c : cases) {
        const vor::StripGeneration g = vor::GenerateStripOptions(vor::StripParametersOf(c.values));
        double best = 1e9;
        double bestYield = 0;
        for (int r = 0; r < repeats; ++r) {
            std::vector<vor::StripOption> options = g.options;
            const auto start = std::chrono::steady_clock::now();
            vor::ComputeOptionYields(options, c.kinds);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
            vor::OrderOptionsByYield(options);
            bestYield = options.empty() ? 0 : options.front().yield;
        }
        std::printf("case=%s options=%zu kinds=%zu seconds=%.3f best=%.2f\n", c.name, g.options.size(),
                    c.kinds.size(), best, bestYield);
    }
    return 0;
}
