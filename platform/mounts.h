#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The network shares mounted on this computer, where another installation
// may lie. The program uses the mount table; tests install fixed folders.
class Mounts {
public:
    virtual ~Mounts() = default;
    // The mount folders of the network file systems, in mount-table order;
    // nothing below them is opened.
    virtual std::vector<std::filesystem::path> NetworkFolders() const = 0;
};

// One line of a mount table.
struct MountEntry {
    std::string device;
    std::filesystem::path folder;
    std::string type;
};

// The lines of a mount table (/proc/self/mounts): blank-separated fields, the
// octal escapes of blanks and the like decoded; malformed lines are skipped.
std::vector<MountEntry> ParseMountTable(std::string_view text);

// True for the network file systems: nfs, nfs4, cifs, smb3, smbfs, 9p, afs,
// ncpfs, davfs, fuse.sshfs and the like.
bool IsNetworkFileSystem(std::string_view type);

// True for the folder in which the desktop (gvfs) mounts the shares it opened.
bool IsDesktopShareFolder(std::string_view type);

// The network folders of a mount table: each network mount's folder, and for
// the desktop's share folder each of its entries (as `listFolder` gives them).
std::vector<std::filesystem::path> NetworkFoldersOf(
    const std::vector<MountEntry>& table,
    std::vector<std::filesystem::path> (*listFolder)(const std::filesystem::path&));

// The mount table of this process.
class ProcMounts final : public Mounts {
public:
    explicit ProcMounts(std::filesystem::path table = "/proc/self/mounts") : m_table(std::move(table)) {}
    std::vector<std::filesystem::path> NetworkFolders() const override;

private:
    std::filesystem::path m_table;
};

// Fixed folders, for tests.
class FixedMounts final : public Mounts {
public:
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> NetworkFolders() const override { return folders; }
};

// The service in use: a ProcMounts until one is installed.
Mounts& GetMounts();
// Installs `mounts` (nullptr restores the mount table). UI thread only.
void SetMounts(Mounts* mounts);

}  // namespace platform
