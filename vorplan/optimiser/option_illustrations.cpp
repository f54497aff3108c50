#include "vorplan/optimiser/option_illustrations.h"

#include <algorithm>
#include <random>

#include "vorplan/common/real_helpers.h"

namespace vor {

int ProgramRandom(int range)
{
    static std::mt19937 generator{std::random_device{}()};
    if (range <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(generator);
}

std::vector<ShadedBlock> SheetTextureGeometry(int width, int height, const RandomSource& random)
{
    std::vector<ShadedBlock> cells;
    if (width <= 0 || height <= 0)
        return cells;
    // A box too small for five columns still gets cells of one pixel, so the
    // loops always advance.
    const int cw = std::max(1, static_cast<int>(Round(width * 0.2)));
    const int ch = std::max(1, static_cast<int>(Round(height * 0.25)));
    for (int y = 0; y < height; y += ch) {
        for (int x = 0; x < width; x += cw) {
            const int v = 80 + static_cast<int>(Trunc(random(20) * 2.5));
            cells.push_back({{x, y, x + cw, y + ch}, RgbColor(v, v, v + 90)});
        }
    }
    return cells;
}

std::vector<ShadedBlock> CutComplexitySketchGeometry(int width, int height, bool complex,
                                                     bool medium)
{
    const int w = width;
    const int h = height;
    const auto a = static_cast<int>(Round(w / 3.0));
    const auto b = static_cast<int>(Round(w * 0.2));
    const auto c = static_cast<int>(Round(h / 3.0));
    const auto d = static_cast<int>(Round(h * 0.25));

    std::vector<Rect> rects;
    if (!complex && !medium) {
        rects = {{0, 0, a, d},          {a, 0, 2 * a, d},         {2 * a, 0, 3 * a - 6, d},
                 {0, d, 2 * a, c + d},  {2 * a, d, 3 * a - 6, c + d}, {0, c + d, w, h}};
    } else {
        const Rect second = complex ? Rect{a - 3, 0, 2 * a - 6, d} : Rect{a, 0, 2 * a - 3, d};
        rects = {{0, 0, a - 3, d},      second,                    {2 * a, 0, 3 * a, 3 * d},
                 {0, d, a, 2 * d},      {a, d, 2 * a, c + d},      {0, 2 * d, a, 3 * d},
                 {a, c + d, 2 * a, 3 * d}, {0, 3 * d, w - b, h},   {w - b, 3 * d, w, h}};
    }

    std::vector<ShadedBlock> blocks;
    int shade = 40;
    for (const Rect& r : rects) {
        shade += 10;
        blocks.push_back({r, RgbColor(shade, shade, shade + 90)});
    }
    return blocks;
}

}  // namespace vor
