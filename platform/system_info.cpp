#include "platform/system_info.h"

#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string EnvText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::vector<fs::path> SplitFolders(const std::string& list)
{
    std::vector<fs::path> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        // Relative entries of an XDG folder list are ignored.
        if (end > start && list[start] == '/')
            folders.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

// $XDG_DATA_HOME, then every folder of $XDG_DATA_DIRS, with their defaults.
std::vector<fs::path> DataFolders()
{
    std::vector<fs::path> folders;
    const std::string home = EnvText("XDG_DATA_HOME");
    if (!home.empty() && home.front() == '/')
        folders.emplace_back(home);
    else if (const std::string user = EnvText("HOME"); !user.empty())
        folders.push_back(fs::path(user) / ".local/share");
    std::string dirs = EnvText("XDG_DATA_DIRS");
    if (dirs.empty())
        dirs = "/usr/local/share/:/usr/share/";
    for (fs::path& folder : SplitFolders(dirs))
        folders.push_back(std::move(folder));
    return folders;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// The escapes a desktop file's string values may hold.
std::string Unescaped(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's': out += ' '; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '\\': out += '\\'; break;
            default: out += '\\'; out += value[i]; break;
        }
    }
    return out;
}

void KillGroup(pid_t pid)
{
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

PosixSystemInfo::PosixSystemInfo(std::string xdgMime, std::chrono::milliseconds timeout)
    : m_xdgMime(std::move(xdgMime)), m_timeout(timeout)
{
}

std::string PosixSystemInfo::UserName() const
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && found->pw_name[0] != '\0')
        return found->pw_name;
    return EnvText("USER");
}

std::string PosixSystemInfo::ComputerName() const
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    std::string host(name);
    return host.substr(0, host.find('.'));
}

bool PosixSystemInfo::NetworkPresent() const
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return false;
    bool present = false;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if ((entry->ifa_flags & IFF_UP) && !(entry->ifa_flags & IFF_LOOPBACK)) {
            present = true;
            break;
        }
    }
    ::freeifaddrs(list);
    return present;
}

FileAssociation PosixSystemInfo::Association(std::string_view ext) const
{
    const std::string mime = MimeTypeOfExtension(ext);
    if (mime.empty())
        return {};
    std::string output;
    if (!RunForOutput(m_xdgMime, {"query", "default", mime}, m_timeout, output))
        return {};
    FileAssociation association;
    association.desktopId = std::string(Trimmed(output.substr(0, output.find('\n'))));
    if (!association.desktopId.empty()) {
        const fs::path file = FindDesktopFile(association.desktopId);
        if (!file.empty())
            association.command = DesktopFileExec(file);
    }
    return association;
}

namespace {

PosixSystemInfo gPosix;
SystemInfo* gInfo = &gPosix;

}  // namespace

SystemInfo& GetSystemInfo() { return *gInfo; }

void SetSystemInfo(SystemInfo* info) { gInfo = info ? info : &gPosix; }

std::string MimeTypeOfExtension(std::string_view ext)
{
    if (ext.empty())
        return {};
    const std::string glob = "*." + std::string(ext);
    std::string best;
    int bestWeight = -1;
    for (const fs::path& folder : DataFolders()) {
        std::ifstream in(folder / "mime" / "globs2");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.front() == '#')
                continue;
            // weight:type:glob[:flags]
            const std::size_t first = line.find(':');
            if (first == std::string::npos)
                continue;
            const std::size_t second = line.find(':', first + 1);
            if (second == std::string::npos)
                continue;
            const std::size_t third = line.find(':', second + 1);
            const std::string_view text(line);
            const std::string_view pattern = text.substr(second + 1, third == std::string::npos
                                                                         ? std::string::npos
                                                                         : third - second - 1);
            const std::string_view flags =
                third == std::string::npos ? std::string_view() : text.substr(third + 1);
            const bool caseSensitive = flags.find("cs") != std::string_view::npos;
            if (!(caseSensitive ? pattern == glob : SameIgnoringCase(pattern, glob)))
                continue;
            int weight = 0;
            const auto [end, error] = std::from_chars(line.data(), line.data() + first, weight);
            if (error != std::errc() || end != line.data() + first)
                continue;
            if (weight > bestWeight) {
                bestWeight = weight;
                best = line.substr(first + 1, second - first - 1);
            }
        }
    }
    return best;
}

fs::path FindDesktopFile(std::string_view desktopId)
{
    const std::string id(desktopId);
    if (id.empty() || id == "." || id == ".." || id.find('/') != std::string::npos)
        return {};
    for (const fs::path& folder : DataFolders()) {
        std::string candidate = id;
        for (;;) {
            const fs::path file = folder / "applications" / candidate;
            std::error_code ec;
            if (fs::is_regular_file(file, ec))
                return file;
            const std::size_t dash = candidate.find('-');
            if (dash == std::string::npos)
                break;
            candidate[dash] = '/';
        }
    }
    return {};
}

std::string DesktopFileExec(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        const std::string_view text = Trimmed(line);
        if (text.empty() || text.front() == '#')
            continue;
        if (text.front() == '[') {
            if (inEntry)
                break;
            inEntry = text == "[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && Trimmed(text.substr(0, equals)) == "Exec")
            return Unescaped(Trimmed(text.substr(equals + 1)));
    }
    return {};
}

bool RunForOutput(const std::string& program, const std::vector<std::string>& args,
                  std::chrono::milliseconds timeout, std::string& output)
{
    output.clear();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // Its own process group, so that a timeout ends whatever it started.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return false;
    }

    bool open = true;
    while (open) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd watched{pipeFds[0], POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char chunk[4096];
        const ssize_t got = ::read(pipeFds[0], chunk, sizeof chunk);
        if (got > 0)
            output.append(chunk, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            open = false;
    }
    ::close(pipeFds[0]);
    if (open) {
        KillGroup(pid);
        output.clear();
        return false;
    }

    // The output is complete; the program itself still has to end in time.
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR) {
            output.clear();
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            KillGroup(pid);
            output.clear();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        output.clear();
        return false;
    }
    return true;
}

}  // namespace platform
