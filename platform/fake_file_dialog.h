#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_dialog.h"

namespace platform {

// One dialog as the program asked for it.
struct ShownFileDialog {
    bool folder = false;  // ChooseFolder, else OpenFile or SaveFile
    std::string title;
    std::filesystem::path start;
    std::string filter;
    bool save = false;  // SaveFile
};

// File dialogs for tests: every dialog is recorded and answered from a queue
// of scripted paths; with the queue empty it is cancelled.
class ScriptedFileDialogs final : public FileDialogs {
public:
    std::filesystem::path OpenFile(std::string_view title, const std::filesystem::path& folder,
                                   std::string_view filter) override
    {
        m_shown.push_back({false, std::string(title), folder, std::string(filter)});
        return Next();
    }
    std::filesystem::path SaveFile(std::string_view title, const std::filesystem::path& folder,
                                   std::string_view filter) override
    {
        m_shown.push_back({false, std::string(title), folder, std::string(filter), true});
        return Next();
    }
    std::filesystem::path ChooseFolder(std::string_view title,
                                       const std::filesystem::path& folder) override
    {
        m_shown.push_back({true, std::string(title), folder, {}});
        return Next();
    }

    // The answers of the next dialogs, in order; an empty path cancels.
    void Script(std::filesystem::path answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<ShownFileDialog>& Shown() const { return m_shown; }

private:
    std::filesystem::path Next()
    {
        if (m_answers.empty())
            return {};
        std::filesystem::path answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }

    std::vector<ShownFileDialog> m_shown;
    std::deque<std::filesystem::path> m_answers;
};

// Installs file dialogs for the life of the object, then restores the ones
// installed before.
class ScopedFileDialogs {
public:
    explicit ScopedFileDialogs(FileDialogs& dialogs) : m_previous(&GetFileDialogs())
    {
        SetFileDialogs(&dialogs);
    }
    ~ScopedFileDialogs() { SetFileDialogs(m_previous); }
    ScopedFileDialogs(const ScopedFileDialogs&) = delete;
    ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

private:
    FileDialogs* m_previous;
};

}  // namespace platform
