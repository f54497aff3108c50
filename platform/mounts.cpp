#include "platform/mounts.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

// "\040" and the like stand for blanks, TABs, line feeds and backslashes.
std::string DecodeMountField(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                const int value = (digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0');
                if (value < 256) {
                    out += static_cast<char>(value);
                    i += 3;
                    continue;
                }
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<fs::path> ListEntries(const fs::path& folder)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

ProcMounts gProcMounts;
Mounts* gMounts = &gProcMounts;

}  // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text)
{
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::istringstream line{std::string(text.substr(start, end - start))};
        start = end + 1;
        std::string device, folder, type;
        if (!(line >> device >> folder >> type))
            continue;
        entries.push_back({DecodeMountField(device), fs::path(DecodeMountField(folder)), DecodeMountField(type)});
    }
    return entries;
}

bool IsNetworkFileSystem(std::string_view type)
{
    static constexpr std::array<std::string_view, 13> kTypes = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ncpfs", "davfs", "fuse.sshfs", "sshfs",
        "fuse.davfs2", "fuse.rclone"};
    return std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end();
}

bool IsDesktopShareFolder(std::string_view type)
{
    return type == "fuse.gvfsd-fuse";
}

std::vector<fs::path> NetworkFoldersOf(const std::vector<MountEntry>& table,
                                       std::vector<fs::path> (*listFolder)(const fs::path&))
{
    std::vector<fs::path> folders;
    for (const MountEntry& entry : table) {
        if (IsNetworkFileSystem(entry.type))
            folders.push_back(entry.folder);
        else if (IsDesktopShareFolder(entry.type) && listFolder)
            for (fs::path& share : listFolder(entry.folder))
                folders.push_back(std::move(share));
    }
    return folders;
}

std::vector<fs::path> ProcMounts::NetworkFolders() const
{
    std::ifstream file(m_table, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return NetworkFoldersOf(ParseMountTable(text), &ListEntries);
}

Mounts& GetMounts()
{
    return *gMounts;
}

void SetMounts(Mounts* mounts)
{
    gMounts = mounts ? mounts : &gProcMounts;
}

}  // namespace platform
