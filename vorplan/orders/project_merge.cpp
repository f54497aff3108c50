#include "vorplan/orders/project_merge.h"

#include <algorithm>
#include <charconv>

#include "platform/message_service.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/new_project.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

// A width or height as stored when it is a number, otherwise the value read.
std::string LengthField(const std::string& text, double value)
{
    if (IsRealText(text))
        return text;
    char buffer[64];
    const auto done = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, done.ptr);
}

}  // namespace

int ClampMultiplier(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, kMinMergeMultiplier, kMaxMergeMultiplier));
}

std::string MergeEntryText(const MergeEntry& entry)
{
    return std::to_string(entry.number) + " - " + entry.description + " x " +
           std::to_string(entry.multiplier);
}

std::string MergedPieceLine(std::string_view line, int multiplier)
{
    if (line.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {};
    const PieceLineFields f = ParsePieceLine(line);
    // The same split, for width and height as they stand in the file.
    SplitFieldArrays texts;
    SplitFieldsFirst15(line, ' ', texts);
    const long long quantity = static_cast<long long>(f.quantity) * multiplier;
    const std::string description = f.description.empty() ? "---" : f.description;
    return std::to_string(f.mark) + " " + std::to_string(f.code) + " " + std::to_string(quantity) +
           " " + LengthField(texts.texts[4], f.width) + " " + LengthField(texts.texts[5], f.height) +
           " " + std::to_string(f.material) + " " + description;
}

std::vector<std::string> MergedPieceLines(const DataFolders& folders,
                                          const std::vector<MergeEntry>& entries)
{
    std::vector<std::string> out;
    for (const MergeEntry& entry : entries) {
        const auto lines = ReadTextLines(OrderTableFile(folders, entry.number, true));
        if (!lines) {
            platform::ShowMessage("erro mix1");
            continue;
        }
        for (const std::string& line : *lines) {
            std::string merged = MergedPieceLine(line, ClampMultiplier(entry.multiplier));
            if (!merged.empty())
                out.push_back(std::move(merged));
        }
    }
    return out;
}

MergeResult MergeProjects(const std::vector<MergeEntry>& entries, long long newNumber,
                          std::string_view newDescription, FileOps& ops)
{
    // Checked first, so a taken number reads no table and shows no other message.
    if (OrderNumberExists(newNumber)) {
        platform::ShowMessage(Msg(767) + " (" + std::to_string(newNumber) + ")");
        return MergeResult::NumberTaken;
    }
    const std::vector<std::string> lines = MergedPieceLines(gShared.folders, entries);
    switch (CreateNewProject(newNumber, newDescription, lines, false, ops)) {
    case NewProjectResult::Written:
        return MergeResult::Done;
    case NewProjectResult::NumberTaken:
        platform::ShowMessage(Msg(767) + " (" + std::to_string(newNumber) + ")");
        return MergeResult::NumberTaken;
    case NewProjectResult::WriteFailed:
        break;
    }
    platform::ShowMessage("erro mix2");
    return MergeResult::WriteFailed;
}

}  // namespace vor
