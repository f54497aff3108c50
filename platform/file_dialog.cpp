#include "platform/file_dialog.h"

namespace platform {

namespace {

class CancellingDialogs final : public FileDialogs {
public:
    std::filesystem::path OpenFile(std::string_view, const std::filesystem::path&,
                                   std::string_view) override
    {
        return {};
    }
    std::filesystem::path SaveFile(std::string_view, const std::filesystem::path&,
                                   std::string_view) override
    {
        return {};
    }
    std::filesystem::path ChooseFolder(std::string_view, const std::filesystem::path&) override
    {
        return {};
    }
};

CancellingDialogs gCancelling;
FileDialogs* gDialogs = &gCancelling;

}  // namespace

FileDialogs& GetFileDialogs()
{
    return *gDialogs;
}

void SetFileDialogs(FileDialogs* dialogs)
{
    gDialogs = dialogs ? dialogs : &gCancelling;
}

}  // namespace platform
