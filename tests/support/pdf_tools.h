#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

namespace vortest {

// The standard output of a tool of poppler-utils; empty when it failed.
std::string RunTool(const QString& program, const QStringList& args);
// The page count pdfinfo reports; -1 when it could not read the file.
int PdfPages(const std::filesystem::path& pdf);
std::string PdfInfo(const std::filesystem::path& pdf);
// The text of one page (1-based) as pdftotext lays it out.
std::string PageText(const std::filesystem::path& pdf, int page);

}  // namespace vortest
