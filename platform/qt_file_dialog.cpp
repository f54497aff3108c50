#include "platform/qt_file_dialog.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/qt_text.h"

namespace platform {

namespace {

std::filesystem::path PathOf(const QString& chosen)
{
    if (chosen.isEmpty())
        return {};
    return std::filesystem::path(FromQString(chosen));
}

}  // namespace

std::filesystem::path QtFileDialogs::OpenFile(std::string_view title, const std::filesystem::path& folder,
                                              std::string_view filter)
{
    return PathOf(QFileDialog::getOpenFileName(QApplication::activeWindow(), ToQString(title),
                                               ToQString(folder.string()), ToQString(filter)));
}

std::filesystem::path QtFileDialogs::SaveFile(std::string_view title, const std::filesystem::path& folder,
                                              std::string_view filter)
{
    return PathOf(QFileDialog::getSaveFileName(QApplication::activeWindow(), ToQString(title),
                                               ToQString(folder.string()), ToQString(filter)));
}

std::filesystem::path QtFileDialogs::ChooseFolder(std::string_view title,
                                                  const std::filesystem::path& folder)
{
    return PathOf(QFileDialog::getExistingDirectory(QApplication::activeWindow(), ToQString(title),
                                                    ToQString(folder.string())));
}

}  // namespace platform
