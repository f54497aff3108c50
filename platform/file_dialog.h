#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The dialogs in which the user picks a file or a folder. The program
// installs the Qt one; tests install a ScriptedFileDialogs.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The file the user chose to open, or an empty path when cancelled. The
    // dialog starts in `folder`; `filter` is one entry "caption (pattern
    // pattern ...)".
    virtual std::filesystem::path OpenFile(std::string_view title, const std::filesystem::path& folder,
                                           std::string_view filter) = 0;
    // The file the user chose to write, or an empty path when cancelled; as
    // OpenFile, but the file need not exist.
    virtual std::filesystem::path SaveFile(std::string_view title, const std::filesystem::path& folder,
                                           std::string_view filter) = 0;
    // The folder the user chose, or an empty path when cancelled.
    virtual std::filesystem::path ChooseFolder(std::string_view title,
                                               const std::filesystem::path& folder) = 0;
};

// The dialogs in use. Until a program installs some, every dialog is
// cancelled at once.
FileDialogs& GetFileDialogs();
// Installs `dialogs` (nullptr restores the cancelling ones). UI thread only.
void SetFileDialogs(FileDialogs* dialogs);

}  // namespace platform
