#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/process_launcher.h"

namespace platform {

// One start as the program asked for it.
struct StartedProgram {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;
};

// A launcher for tests: every call is recorded; starts succeed unless made to
// fail, and a hook can look at the program's state at the moment of a start.
class FakeProcessLauncher final : public ProcessLauncher {
public:
    bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& workingFolder) override
    {
        m_started.push_back({program, arguments, workingFolder});
        if (m_onStart)
            m_onStart(m_started.back());
        return !m_failStarts;
    }

    bool OpenDocument(const std::filesystem::path& document) override
    {
        m_opened.push_back(document);
        return !m_failOpens;
    }

    void SetFailStarts(bool on) { m_failStarts = on; }
    void SetFailOpens(bool on) { m_failOpens = on; }
    void SetOnStart(std::function<void(const StartedProgram&)> onStart) { m_onStart = std::move(onStart); }

    const std::vector<StartedProgram>& Started() const { return m_started; }
    const std::vector<std::filesystem::path>& Opened() const { return m_opened; }
    void ClearCalls()
    {
        m_started.clear();
        m_opened.clear();
    }

private:
    std::vector<StartedProgram> m_started;
    std::vector<std::filesystem::path> m_opened;
    std::function<void(const StartedProgram&)> m_onStart;
    bool m_failStarts = false;
    bool m_failOpens = false;
};

// Installs a launcher for the life of the object, then restores the one that
// was installed before.
class ScopedLauncher {
public:
    explicit ScopedLauncher(ProcessLauncher& launcher) : m_previous(&Launcher())
    {
        SetLauncher(&launcher);
    }
    ~ScopedLauncher() { SetLauncher(m_previous); }
    ScopedLauncher(const ScopedLauncher&) = delete;
    ScopedLauncher& operator=(const ScopedLauncher&) = delete;

private:
    ProcessLauncher* m_previous;
};

}  // namespace platform
