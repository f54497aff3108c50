#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/data_folders.h"

class QImage;
class QWidget;

namespace vor {

// The document the viewer sends to the word processor: the title block, the
// picture (PNG bytes of `width` x `height` pixels) and the four figure lines.
std::string LayoutExportRtf(const std::string& dateTime, const std::string& png, int width,
                            int height, const std::array<std::string, 4>& figureLines);

// EXPORT/"MAPAS_" + material (5 digits) + "_" + yymmdd-hhmmss + ".rtf"; a
// name already taken gets "_2", "_3", ... so that no file is overwritten.
Path LayoutExportPath(const DataFolders& folders, long long material, const platform::LocalTime& t);

// The paint box's own picture on the clipboard.
QImage CaptureLayoutToClipboard(QWidget& paintBox);

// Writes the document of `picture` into EXPORT and opens it with the desktop's
// word processor. A failed write shows the file error and a failed open the
// document's path; returns the path written, if any.
std::optional<Path> ExportLayoutToDocument(const QImage& picture, long long material,
                                           const std::array<std::string, 4>& figureLines);

// `RealToText` of `value`, a blank, padded on the left to `width`.
std::string FormatNumberRight(int width, double value);

// Starts `file` with `arguments` in the base folder; ostrel with a report goes
// through the report viewer's starter. A failed start is reported once.
bool StartProgram(const Path& file, const std::vector<std::string>& arguments);

}  // namespace vor
