#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"

namespace vor {

// Up to nine projects summed into a new one, each project's quantities
// multiplied by its own multiplier.

constexpr long kMaxMergedProjects = 9;
constexpr int kMinMergeMultiplier = 1;
constexpr int kMaxMergeMultiplier = 10000;

struct MergeEntry {
    long long number = 0;
    std::string description;
    int multiplier = 1;
};

// A typed multiplier brought into 1..10000.
int ClampMultiplier(long long value);

// The list text of an entry: number, description and multiplier.
std::string MergeEntryText(const MergeEntry& entry);

// One merged table line: mark, code, quantity x multiplier and material as
// whole numbers, width and height as stored (so decimals survive), then the
// description ("---" when empty), separated by single blanks. Fields after
// the 15th are ignored. A blank line gives an empty text (no piece).
std::string MergedPieceLine(std::string_view line, int multiplier);

// Every piece line of each entry's table, in order. A project without a
// readable table shows "erro mix1" and is skipped.
std::vector<std::string> MergedPieceLines(const DataFolders& folders,
                                          const std::vector<MergeEntry>& entries);

enum class MergeResult { Done, NumberTaken, WriteFailed };

// The merge's "Ok" in the shared installation: refuses a number in use with
// message 767 and the number; writes the new project through the new-project
// writer ("erro mix2" when it cannot, leaving no file of it); then the order
// list is marked as changed and the recent projects become the new project.
// The current order stays.
MergeResult MergeProjects(const std::vector<MergeEntry>& entries, long long newNumber,
                          std::string_view newDescription, FileOps& ops = DefaultFileOps());

}  // namespace vor
