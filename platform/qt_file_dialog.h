#pragma once

#include "platform/file_dialog.h"

namespace platform {

// QFileDialog, modal over the active window.
class QtFileDialogs final : public FileDialogs {
public:
    std::filesystem::path OpenFile(std::string_view title, const std::filesystem::path& folder,
                                   std::string_view filter) override;
    std::filesystem::path SaveFile(std::string_view title, const std::filesystem::path& folder,
                                   std::string_view filter) override;
    std::filesystem::path ChooseFolder(std::string_view title,
                                       const std::filesystem::path& folder) override;
};

}  // namespace platform
