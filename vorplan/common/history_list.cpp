#include "vorplan/common/history_list.h"

#include <system_error>
#include <vector>

#include "vorplan/common/conversions.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderLines = 5;

// An entry's text without its number ("001") and the blanks that follow it.
std::string EntryText(const std::string& line)
{
    std::size_t at = 0;
    for (int skipped = 0; skipped < 3 && at < line.size(); ++skipped) {
        ++at;
        while (at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80)
            ++at;
    }
    while (at < line.size() && line[at] == ' ')
        ++at;
    return line.substr(at);
}

// History lines always start with a date, so the first empty line after the
// header ends them, whatever was edited in the file.
std::vector<std::string> OldEntries(const std::vector<std::string>& lines)
{
    std::vector<std::string> entries;
    for (std::size_t i = kHeaderLines; i < lines.size() && entries.size() < kHistoryEntries - 1; ++i) {
        if (lines[i].empty())
            break;
        entries.push_back(EntryText(lines[i]));
    }
    return entries;
}

}  // namespace

void WriteCalcHistoryListing(const Path& file, long long code, std::string_view description,
                             std::string_view line)
{
    std::vector<std::string> old;
    std::error_code ec;
    if (fs::exists(file, ec))
        old = OldEntries(ReadTextLinesOrThrow(file));

    std::vector<std::string> lines;
    lines.reserve(kHeaderLines + 1 + old.size() + 12);
    lines.push_back("@****" + Msg(546));
    lines.emplace_back();
    lines.push_back("@*" + Msg(547) + " " + std::to_string(code) + " " + std::string(description));
    lines.emplace_back();
    lines.emplace_back("@T NS_ Data____ Hora____ Qt.Mo Qt.Chp Qt.Ret ^Ultima% ^Aprov%__ Coment__________");
    lines.push_back("001 " + std::string(line));
    for (std::size_t k = 1; k <= old.size(); ++k)
        lines.push_back(IntToStrZero3(static_cast<long long>(k) + 1) + " " + old[k - 1]);
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(Msg(548));
    lines.emplace_back("@D");
    lines.push_back(Msg(549));
    lines.push_back(Msg(550));
    lines.push_back(Msg(551));
    lines.push_back(Msg(552));
    lines.push_back(Msg(553));
    lines.push_back(Msg(554));
    lines.push_back(Msg(555));
    lines.emplace_back("@d");
    WriteTextLines(file, lines);
}

void WriteCalcHistoryListing(std::string_view line)
{
    WriteCalcHistoryListing(CalcHistoryFile(), gShared.currentMaterial,
                            gShared.currentMaterialRecord.description, line);
}

bool DeleteHistoryList(const Path& file)
{
    std::error_code ec;
    if (fs::symlink_status(file, ec).type() == fs::file_type::not_found)
        return true;
    return DeleteFileWithMessage(file);
}

bool DeleteHistoryList()
{
    return DeleteHistoryList(CalcHistoryFile());
}

}  // namespace vor
