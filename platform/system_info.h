#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What the desktop has registered to open a file type.
struct FileAssociation {
    std::string desktopId;  // the default application's desktop file name; empty: none
    std::string command;    // its Exec line; empty when its desktop file has none
};

// Who and where the program runs, and the desktop's file associations.
// The program uses the POSIX one; tests install a fixed one.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The logged-on user's name; empty when it cannot be found.
    virtual std::string UserName() const = 0;
    // The computer's name without its domain; empty when it cannot be found.
    virtual std::string ComputerName() const = 0;
    // True when a network interface other than the loopback is up.
    virtual bool NetworkPresent() const = 0;
    // The default application for files with extension `ext` (without the
    // dot); empty when none is registered or the desktop does not answer in time.
    virtual FileAssociation Association(std::string_view ext) const = 0;
};

// The user from the password database (effective user), else $USER; the host
// name cut at the first "."; interfaces from getifaddrs; associations from the
// shared MIME database, `xdg-mime query default` and the desktop files in
// $XDG_DATA_HOME and $XDG_DATA_DIRS.
class PosixSystemInfo final : public SystemInfo {
public:
    // `xdgMime` is the program asked for the default application (found
    // through PATH when it has no folder); it is given `timeout` to answer.
    explicit PosixSystemInfo(std::string xdgMime = "xdg-mime",
                             std::chrono::milliseconds timeout = std::chrono::seconds(2));

    std::string UserName() const override;
    std::string ComputerName() const override;
    bool NetworkPresent() const override;
    FileAssociation Association(std::string_view ext) const override;

private:
    std::string m_xdgMime;
    std::chrono::milliseconds m_timeout;
};

// Fixed answers, for tests.
class FixedSystemInfo final : public SystemInfo {
public:
    std::string user;
    std::string computer;
    bool network = false;
    // Answered for extension `associationExt` only (compared as given).
    std::string associationExt;
    FileAssociation association;

    std::string UserName() const override { return user; }
    std::string ComputerName() const override { return computer; }
    bool NetworkPresent() const override { return network; }
    FileAssociation Association(std::string_view ext) const override
    {
        return ext == associationExt ? association : FileAssociation{};
    }
};

// The service in use: a PosixSystemInfo until one is installed.
SystemInfo& GetSystemInfo();
// Installs `info` (nullptr restores the POSIX one). Call from the UI thread.
void SetSystemInfo(SystemInfo* info);

// The MIME type the shared MIME database gives files named "*.ext": the
// heaviest glob of the globs2 files in $XDG_DATA_HOME/mime and each
// $XDG_DATA_DIRS/mime, the earlier folder winning a tie; empty when none.
std::string MimeTypeOfExtension(std::string_view ext);

// The desktop file of `desktopId` in the applications folders of
// $XDG_DATA_HOME and $XDG_DATA_DIRS ("a-b.desktop" also as "a/b.desktop");
// empty when there is none.
std::filesystem::path FindDesktopFile(std::string_view desktopId);

// The Exec value of the [Desktop Entry] group of a desktop file; empty when
// the file or the key is missing.
std::string DesktopFileExec(const std::filesystem::path& file);

// Runs `program` with `args` (no shell), the environment inherited, and returns
// what it wrote on its standard output; false when it could not be started,
// failed, or did not end within `timeout` (it is killed then, with anything it
// started).
bool RunForOutput(const std::string& program, const std::vector<std::string>& args,
                  std::chrono::milliseconds timeout, std::string& output);

}  // namespace platform
