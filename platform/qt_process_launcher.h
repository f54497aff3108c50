#pragma once

#include <chrono>
#include <string>

#include "platform/process_launcher.h"

namespace platform {

// Programs through QProcess::startDetached; documents through the desktop's
// opener (`xdg-open`), started so that it outlives this program.
//
// The opener either hands the document to a running desktop and ends at once,
// or (without a desktop environment) runs the application itself until the
// user closes it. OpenDocument therefore waits up to `grace` for it: an end
// with a failure code is a failure, an end with 0 or still running after
// `grace` is success.
class QtProcessLauncher final : public ProcessLauncher {
public:
    // `opener` is found through PATH when it names no folder.
    explicit QtProcessLauncher(std::string opener = "xdg-open",
                               std::chrono::milliseconds grace = std::chrono::seconds(2));

    bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& workingFolder) override;
    bool OpenDocument(const std::filesystem::path& document) override;

private:
    std::string m_opener;
    std::chrono::milliseconds m_grace;
};

}  // namespace platform
