#include "platform/qt_process_launcher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {

namespace fs = std::filesystem;

namespace {

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

enum class Outcome { NotStarted, Running, Succeeded, Failed };

// Starts argv[0] (a path) so that it belongs to no process of ours: a first
// child makes a watcher in a new session and leaves at once; the watcher runs
// the program, waits for it and writes its exit code into a pipe. This
// program reads that pipe for up to `grace` and then stops listening; the
// watcher, adopted by init, is never our zombie. Only async-signal-safe calls
// run after the fork.
Outcome StartWatched(const std::vector<std::string>& args, std::chrono::milliseconds grace)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return Outcome::NotStarted;
    const pid_t first = ::fork();
    if (first < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return Outcome::NotStarted;
    }
    if (first == 0) {
        ::setsid();
        // Nothing of ours stays open in the watcher and the program: a
        // terminal or a pipe someone reads to its end is let go at once.
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            if (null > 2)
                ::close(null);
        }
        const pid_t watcher = ::fork();
        if (watcher != 0)
            ::_exit(watcher < 0 ? 1 : 0);
        ::close(fds[0]);
        const pid_t child = ::fork();
        if (child == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int code = -1;
        if (child > 0) {
            int status = 0;
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            code = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        }
        // Nobody may listen any more; a lost write is of no account.
        [[maybe_unused]] const ssize_t written = ::write(fds[1], &code, sizeof code);
        ::_exit(0);
    }

    ::close(fds[1]);
    int status = 0;
    while (::waitpid(first, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ::close(fds[0]);
        return Outcome::NotStarted;
    }

    const auto deadline = std::chrono::steady_clock::now() + grace;
    Outcome outcome = Outcome::Running;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd watched{fds[0], POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        int code = -1;
        const ssize_t got = ::read(fds[0], &code, sizeof code);
        if (got < 0 && errno == EINTR)
            continue;
        if (got == static_cast<ssize_t>(sizeof code))
            outcome = code == 0 ? Outcome::Succeeded : code < 0 ? Outcome::NotStarted : Outcome::Failed;
        // A watcher that ended without a word was killed: nothing is known.
        break;
    }
    ::close(fds[0]);
    return outcome;
}

}  // namespace

QtProcessLauncher::QtProcessLauncher(std::string opener, std::chrono::milliseconds grace)
    : m_opener(std::move(opener)), m_grace(grace)
{
}

bool QtProcessLauncher::StartProgram(const fs::path& program, const std::vector<std::string>& arguments,
                                     const fs::path& workingFolder)
{
    std::error_code ec;
    if (!fs::is_regular_file(program, ec) || !fs::is_directory(workingFolder, ec))
        return false;
    QStringList args;
    for (const std::string& arg : arguments)
        args << ToQ(arg);
    QProcess process;
    process.setProgram(ToQ(program.string()));
    process.setArguments(args);
    process.setWorkingDirectory(ToQ(workingFolder.string()));
    // False also when the file cannot be executed: Qt reports a failed exec.
    return process.startDetached();
}

bool QtProcessLauncher::OpenDocument(const fs::path& document)
{
    std::error_code ec;
    if (document.empty() || !fs::exists(document, ec))
        return false;
    std::string opener = m_opener;
    if (opener.find('/') == std::string::npos) {
        opener = QStandardPaths::findExecutable(ToQ(m_opener)).toStdString();
        if (opener.empty())
            return false;
    }
    if (::access(opener.c_str(), X_OK) != 0)
        return false;
    // The path as one argument, made absolute: the opener runs elsewhere.
    const fs::path absolute = fs::absolute(document, ec);
    const Outcome outcome =
        StartWatched({opener, (ec ? document : absolute).string()}, m_grace);
    return outcome == Outcome::Succeeded || outcome == Outcome::Running;
}

}  // namespace platform
