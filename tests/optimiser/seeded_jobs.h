#pragma once

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vorplan/optimiser/calc_options.h"

// Small cutting jobs drawn from a seed, for the tests that compare whole
// calculations: the same seed always gives the same jobs.

namespace vortest {

// Sizes in millimetres, as the table lines hold them.
struct SheetSize {
    int length = 0, width = 0, quantity = 0;
};
struct PieceSize {
    int width = 0, height = 0, quantity = 0;
};

struct SeededJob {
    std::vector<SheetSize> sheets;
    std::vector<PieceSize> pieces;
};

// Up to `maxSheets` sheet sizes and `maxLines` piece lines of up to
// `maxQuantity` pieces each.
inline SeededJob RandomJob(std::mt19937& rng, int maxSheets, int maxLines, int maxQuantity)
{
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    SeededJob job;
    const int sheetCount = pick(1, maxSheets);
    for (int i = 0; i < sheetCount; ++i)
        job.sheets.push_back({pick(800, 2800), pick(600, 2000), pick(1, 6)});
    const int lines = pick(1, maxLines);
    for (int i = 0; i < lines; ++i)
        job.pieces.push_back({pick(50, 1300), pick(50, 900), pick(1, maxQuantity)});
    return job;
}

// A family of seeded jobs of one calculation type.
struct SeededCase {
    const char* name;
    vor::CalcType type;
    int instances;
    int maxSheets;
    int maxLines;
    int maxQuantity;
    unsigned seed;
};

// The case's name as the test's name: the sanitizer runs select by it.
inline std::string SeededCaseName(const testing::TestParamInfo<SeededCase>& param)
{
    return param.param.name;
}

}  // namespace vortest
