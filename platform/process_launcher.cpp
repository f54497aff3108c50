#include "platform/process_launcher.h"

namespace platform {

namespace {

// Nothing is started before the program has installed its launcher, and
// saying so is the only honest answer.
class NoLauncher final : public ProcessLauncher {
public:
    bool StartProgram(const std::filesystem::path&, const std::vector<std::string>&,
                      const std::filesystem::path&) override
    {
        return false;
    }
    bool OpenDocument(const std::filesystem::path&) override { return false; }
};

NoLauncher gNone;
ProcessLauncher* gLauncher = &gNone;

}  // namespace

ProcessLauncher& Launcher()
{
    return *gLauncher;
}

void SetLauncher(ProcessLauncher* launcher)
{
    gLauncher = launcher ? launcher : &gNone;
}

}  // namespace platform
