#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// Starts other programs and opens documents; nothing waits for them to end.
// The programs install the Qt one; tests install a FakeProcessLauncher.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // Starts `program` with `arguments`, each passed as one argument (no
    // shell), in `workingFolder`. False when it could not be started: missing,
    // not executable, or the folder is missing.
    virtual bool StartProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::filesystem::path& workingFolder) = 0;

    // Opens `document` with the desktop's default application for its type.
    // False when the document is missing, the desktop cannot be asked, or it
    // answers that it could not open the document.
    virtual bool OpenDocument(const std::filesystem::path& document) = 0;
};

// The launcher in use. Until a program installs one, a launcher that starts
// nothing and answers every call with false.
ProcessLauncher& Launcher();
// Installs `launcher` (nullptr restores the one that starts nothing). UI thread only.
void SetLauncher(ProcessLauncher* launcher);

}  // namespace platform
