#include "vorplan/common/calc_lists.h"

#include <fstream>
#include <optional>
#include <system_error>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCodeBytes = 4;
constexpr std::size_t kLastCalcRecordBytes = 8;

// Indexing one past the end throws RangeError before the count moves, so the
// entries already taken are kept.
template <typename Array, typename T>
void Append(Array& items, long& count, const T& value)
{
    items[count + 1] = value;
    ++count;
}

std::int32_t ReadInt32Le(std::string_view bytes, std::size_t at)
{
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < kCodeBytes; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

void AppendInt32Le(std::string& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kCodeBytes; ++i)
        out += static_cast<char>((u >> (8 * i)) & 0xFFu);
}

// The first `limit` bytes of a file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadLeadingBytes(const fs::path& path, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    if (in.bad())
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// The silent writers of the selection files: a file that cannot be written is
// left as it was and the caller learns it from the result.
bool WriteSilently(const fs::path& path, std::string_view bytes)
{
    try {
        WriteFileAtomically(path, bytes);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

bool WriteLinesSilently(const fs::path& path, const std::vector<std::string>& lines)
{
    try {
        WriteTextLines(path, lines);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

bool Contains(const MaterialSelection& selection, std::int32_t code)
{
    for (long i = 1; i <= selection.count; ++i) {
        if (selection.entries[i].code == code)
            return true;
    }
    return false;
}

long long ItemOrderNumber(const ListControl& list, int index)
{
    return StrToIntDef0(SplitTilde(list.Text(index)).fields[1]);
}

}  // namespace

// ---- Pure forms -----------------------------------------------------------------------

void FillOrderSelection(const std::vector<std::string>& lines, OrderSelection& selection)
{
    selection.count = 0;
    for (const std::string& line : lines)
        Append(selection.orders, selection.count, StrToIntDef0(line));
}

void FillMaterialSelection(const std::vector<std::string>& lines, MaterialSelection& selection)
{
    selection.count = 0;
    for (const std::string& line : lines) {
        const std::int32_t code = StrToIntDef0(line);
        if (Contains(selection, code))
            continue;
        MaterialEntry& next = selection.entries[selection.count + 1];
        next.code = code;
        ++selection.count;
    }
}

std::vector<std::int32_t> DecodeMaterialsUsed(std::string_view bytes, std::size_t limit)
{
    std::vector<std::int32_t> codes;
    for (std::size_t at = 0; at + kCodeBytes <= bytes.size() && codes.size() < limit;
         at += kCodeBytes)
        codes.push_back(ReadInt32Le(bytes, at));
    return codes;
}

std::string EncodeMaterialsUsed(const MaterialSelection& selection, bool onlyMarked)
{
    std::string bytes;
    for (long i = 1; i <= selection.count; ++i) {
        const MaterialEntry& entry = selection.entries[i];
        if (!onlyMarked || entry.marked)
            AppendInt32Le(bytes, entry.code);
    }
    return bytes;
}

std::vector<LastCalcMaterial> DecodeLastCalcMaterials(std::string_view bytes)
{
    std::vector<LastCalcMaterial> records;
    for (std::size_t at = 0; at + kLastCalcRecordBytes <= bytes.size(); at += kLastCalcRecordBytes)
        records.push_back({ReadInt32Le(bytes, at), bytes[at + kCodeBytes] != '\0'});
    return records;
}

std::string EncodeLastCalcMaterials(const std::vector<LastCalcMaterial>& records)
{
    std::string bytes;
    bytes.reserve(records.size() * kLastCalcRecordBytes);
    for (const LastCalcMaterial& record : records) {
        AppendInt32Le(bytes, record.code);
        bytes += record.viewed ? '\x01' : '\0';
        bytes.append(3, '\0');
    }
    return bytes;
}

// ---- Order and material selection -------------------------------------------------------

void ReadOrderSelection(const DataFolders& folders, OrderSelection& selection)
{
    selection.count = 0;
    if (const auto lines = ReadTextLines(CalcOrdersFile(folders)))
        FillOrderSelection(*lines, selection);
}

void ReadOrderSelection()
{
    ReadOrderSelection(gShared.folders, gShared.calcLists.orders);
}

bool WriteMaterialSelection(const DataFolders& folders, const MaterialSelection& selection)
{
    std::vector<std::string> lines;
    for (long i = 1; i <= selection.count; ++i)
        lines.push_back(std::to_string(selection.entries[i].code));
    return WriteLinesSilently(CalcMaterialsTextFile(folders), lines);
}

bool WriteMaterialSelection()
{
    return WriteMaterialSelection(gShared.folders, gShared.calcLists.materials);
}

void ReadMaterialSelection(const DataFolders& folders, MaterialSelection& selection,
                           long long& currentMaterial)
{
    selection.count = 0;
    const auto lines = ReadTextLines(CalcMaterialsTextFile(folders));
    if (!lines)
        return;
    FillMaterialSelection(*lines, selection);
    // An empty file names no material, so the current one stays.
    if (selection.count > 0)
        currentMaterial = selection.entries[1].code;
}

void ReadMaterialSelection()
{
    ReadMaterialSelection(gShared.folders, gShared.calcLists.materials, gShared.currentMaterial);
}

bool SaveMaterialsUsed(const DataFolders& folders, const MaterialSelection& selection,
                       bool onlyMarked)
{
    return WriteSilently(CalcMaterialsBinFile(folders), EncodeMaterialsUsed(selection, onlyMarked));
}

bool SaveMaterialsUsed(bool onlyMarked)
{
    return SaveMaterialsUsed(gShared.folders, gShared.calcLists.materials, onlyMarked);
}

void LoadMaterialsUsed(const DataFolders& folders, MaterialSelection& selection) noexcept
{
    selection.count = 0;
    try {
        // Runs while the main window is made: only the room of the list is read.
        const auto bytes = ReadLeadingBytes(CalcMaterialsBinFile(folders),
                                            kCodeBytes * static_cast<std::size_t>(kSelectionCapacity));
        if (!bytes)
            return;
        for (const std::int32_t code : DecodeMaterialsUsed(*bytes))
            selection.entries[++selection.count].code = code;
    } catch (...) {
        // The start of the program goes on with what was read.
    }
}

void LoadMaterialsUsed() noexcept
{
    LoadMaterialsUsed(gShared.folders, gShared.calcLists.materials);
}

void SortMaterialSelection(MaterialSelection& selection)
{
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (long i = 1; i < selection.count; ++i) {
            if (selection.entries[i].code > selection.entries[i + 1].code) {
                std::swap(selection.entries[i], selection.entries[i + 1]);
                swapped = true;
            }
        }
    }
}

void SortMaterialSelection()
{
    SortMaterialSelection(gShared.calcLists.materials);
}

void CheckAllMaterials(MaterialSelection& selection)
{
    for (long i = 1; i <= selection.count; ++i)
        selection.entries[i].marked = true;
}

void CheckAllMaterials()
{
    CheckAllMaterials(gShared.calcLists.materials);
}

void UniqueMaterialSelection(MaterialSelection& selection)
{
    long kept = 0;
    for (long i = 1; i <= selection.count; ++i) {
        bool seen = false;
        for (long j = 1; j <= kept && !seen; ++j)
            seen = selection.entries[j].code == selection.entries[i].code;
        if (!seen)
            selection.entries[++kept] = selection.entries[i];
    }
    selection.count = kept;
}

void UniqueMaterialSelection()
{
    UniqueMaterialSelection(gShared.calcLists.materials);
}

// ---- Materials of the last calculation ----------------------------------------------------

std::vector<LastCalcMaterial> ReadLastCalcMaterials(const DataFolders& folders)
{
    try {
        return DecodeLastCalcMaterials(ReadFileBytes(LastCalcMaterialsFile(folders)));
    } catch (const IoError&) {
        return {};
    }
}

void WriteLastCalcMaterials(const DataFolders& folders,
                            const std::vector<LastCalcMaterial>& records)
{
    WriteFileAtomically(LastCalcMaterialsFile(folders), EncodeLastCalcMaterials(records));
}

bool WasInLastCalculation(const DataFolders& folders, std::int32_t code)
{
    for (const LastCalcMaterial& record : ReadLastCalcMaterials(folders)) {
        if (record.code == code && record.viewed)
            return true;
    }
    return false;
}

bool WasInLastCalculation(std::int32_t code)
{
    return WasInLastCalculation(gShared.folders, code);
}

// ---- Recent projects ---------------------------------------------------------------------------

void ReadRecentProjects(const DataFolders& folders, RecentProjects& recent)
{
    const fs::path path = RecentProjectsFile(folders);
    std::error_code ec;
    if (!fs::exists(path, ec))
        return;
    const auto lines = ReadTextLines(path);
    if (!lines)
        return;
    recent.count = 0;
    for (const std::string& line : *lines)
        Append(recent.orders, recent.count, StrToIntDef0(line));
}

void ReadRecentProjects()
{
    ReadRecentProjects(gShared.folders, gShared.calcLists.recent);
}

bool WriteRecentProjects(const DataFolders& folders, const RecentProjects& recent)
{
    std::vector<std::string> lines;
    for (long i = 1; i <= recent.count; ++i)
        lines.push_back(std::to_string(recent.orders[i]));
    return WriteLinesSilently(RecentProjectsFile(folders), lines);
}

bool WriteRecentProjects()
{
    return WriteRecentProjects(gShared.folders, gShared.calcLists.recent);
}

bool IsRecentProject(const RecentProjects& recent, long long order)
{
    for (long i = 1; i <= recent.count; ++i) {
        if (recent.orders[i] == order)
            return true;
    }
    return false;
}

bool IsRecentProject(long long order)
{
    return IsRecentProject(gShared.calcLists.recent, order);
}

void MarkRecentProjects(SelectableListControl& list, const RecentProjects& recent)
{
    const int count = list.Count();
    for (int i = 0; i < count; ++i)
        list.SetSelected(i, false);
    for (int i = 0; i < count; ++i) {
        if (IsRecentProject(recent, ItemOrderNumber(list, i)))
            list.SetSelected(i, true);
    }
}

void MarkRecentProjects(SelectableListControl& list)
{
    MarkRecentProjects(list, gShared.calcLists.recent);
}

void TakeRecentProjects(const ListControl& list, RecentProjects& recent)
{
    recent.count = 0;
    const int count = list.Count();
    for (int i = 0; i < count && recent.count < kRecentProjectCapacity; ++i) {
        if (list.IsSelected(i))
            recent.orders[++recent.count] = static_cast<std::int32_t>(ItemOrderNumber(list, i));
    }
}

void TakeRecentProjects(const ListControl& list)
{
    TakeRecentProjects(list, gShared.calcLists.recent);
}

}  // namespace vor
