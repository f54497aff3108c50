#include "tests/support/layout_checks.h"

#include <algorithm>
#include <map>

#include "vorplan/optimiser/sheet_preparation.h"

namespace vortest {

CheckedLayout ElementsOf(const vor::BestLayout& best)
{
    CheckedLayout out;
    for (long i = 1; i <= best.count; ++i) {
        const vor::LayoutElement& e = best.elements[i];
        out.push_back({static_cast<int>(e.type), e.code, e.x, e.y, e.length, e.height});
    }
    return out;
}

namespace {

enum class Cut { None, Vertical, Horizontal };

int Stages(const std::vector<CheckedElement>& pieces, int kerf, Cut parent)
{
    if (pieces.size() <= 1)
        return 0;
    for (const Cut dir : {Cut::Vertical, Cut::Horizontal}) {
        const bool vertical = dir == Cut::Vertical;
        for (const CheckedElement& p : pieces) {
            const long long c = vertical ? static_cast<long long>(p.x) + p.l
                                         : static_cast<long long>(p.y) + p.h;
            std::vector<CheckedElement> low, high;
            bool crossed = false;
            for (const CheckedElement& q : pieces) {
                const long long start = vertical ? q.x : q.y;
                const long long end = vertical ? static_cast<long long>(q.x) + q.l
                                               : static_cast<long long>(q.y) + q.h;
                if (end <= c)
                    low.push_back(q);
                else if (start >= c + kerf)
                    high.push_back(q);
                else
                    crossed = true;
            }
            if (crossed || low.empty() || high.empty())
                continue;
            const int a = Stages(low, kerf, dir);
            const int b = Stages(high, kerf, dir);
            if (a < 0 || b < 0)
                return -1;
            return (dir != parent ? 1 : 0) + std::max(a, b);
        }
    }
    return -1;
}

}  // namespace

int GuillotineStages(const std::vector<CheckedElement>& pieces, int kerf)
{
    return Stages(pieces, kerf, Cut::None);
}

std::vector<std::string> ValidateLayouts(const std::vector<CheckedLayout>& layouts,
                                         const CheckInput& input)
{
    std::vector<std::string> faults;
    std::map<int, long long> placed;
    std::map<int, long long> sheetsUsed;
    for (std::size_t n = 0; n < layouts.size(); ++n) {
        const CheckedLayout& layout = layouts[n];
        const std::string where = "layout " + std::to_string(n + 1) + ": ";
        if (layout.empty() || layout[0].type != 0) {
            faults.push_back(where + "no sheet line first");
            continue;
        }
        const CheckedElement& sheet = layout[0];
        const long long times = static_cast<long long>(sheet.x) + 1;
        sheetsUsed[sheet.code] += times;
        const vor::UsableArea usable =
            vor::UsableAreaOf({sheet.l, sheet.h, 0, sheet.code}, input.borders);
        std::vector<CheckedElement> pieces;
        for (const CheckedElement& e : layout) {
            if (e.type != 1)
                continue;
            pieces.push_back(e);
            const auto demand = std::find_if(input.pieces.begin(), input.pieces.end(),
                                             [&e](const PieceDemand& d) { return d.code == e.code; });
            if (demand == input.pieces.end()) {
                faults.push_back(where + "piece " + std::to_string(e.code) + " was not asked for");
                continue;
            }
            const bool normal = e.l == demand->length && e.h == demand->width;
            const bool turned = e.l == demand->width && e.h == demand->length;
            if (!normal && !(input.mayRotate && turned))
                faults.push_back(where + "piece " + std::to_string(e.code) + " has a wrong size");
            if (e.x < 0 || e.y < 0 || e.x + e.l > usable.length || e.y + e.h > usable.width)
                faults.push_back(where + "piece " + std::to_string(e.code) + " leaves the sheet");
            placed[e.code] += times;
        }
        const long long k = input.kerf;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            for (std::size_t j = i + 1; j < pieces.size(); ++j) {
                const CheckedElement& a = pieces[i];
                const CheckedElement& b = pieces[j];
                const bool apart = a.x + a.l + k <= b.x || b.x + b.l + k <= a.x ||
                                   a.y + a.h + k <= b.y || b.y + b.h + k <= a.y;
                if (!apart)
                    faults.push_back(where + "pieces " + std::to_string(i + 1) + " and " +
                                     std::to_string(j + 1) + " overlap or lie within the kerf");
            }
        }
        if (GuillotineStages(pieces, input.kerf) < 0)
            faults.push_back(where + "not cut by guillotine cuts");
    }
    for (const PieceDemand& d : input.pieces) {
        if (placed[d.code] > d.quantity)
            faults.push_back("piece " + std::to_string(d.code) + " placed more often than asked");
    }
    for (const SheetStock& s : input.sheets) {
        if (sheetsUsed[s.code] > s.quantity)
            faults.push_back("sheet " + std::to_string(s.code) + " used more often than stocked");
    }
    return faults;
}

}  // namespace vortest
