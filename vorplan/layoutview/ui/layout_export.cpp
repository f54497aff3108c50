#include "vorplan/layoutview/ui/layout_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <exception>
#include <filesystem>

#include "platform/clipboard.h"
#include "platform/message_service.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/rtf/rtf_writer.h"
#include "vorplan/layoutview/map_print.h"
#include "vorplan/layoutview/viewer_view.h"

namespace vor {

std::string LayoutExportRtf(const std::string& dateTime, const std::string& png, int width,
                            int height, const std::array<std::string, 4>& figureLines)
{
    RtfWriter rtf("Vorlane 2.18");
    rtf.FontSize(20);
    rtf.Shadow(true);
    rtf.Text("Vorlane ");
    rtf.FontSize(15);
    rtf.Text("v. 2.18   ");
    rtf.FontSize(10);
    rtf.Text(dateTime);
    rtf.Paragraph();
    rtf.Paragraph();
    rtf.PngPicture(png, width, height);
    rtf.Paragraph();
    rtf.Paragraph();
    rtf.Shadow(false);
    for (const std::string& line : figureLines) {
        rtf.Text(line);
        rtf.Paragraph();
    }
    return rtf.Document();
}

Path LayoutExportPath(const DataFolders& folders, long long material, const platform::LocalTime& t)
{
    std::string code = std::to_string(material);
    if (code.size() < 5)
        code.insert(0, 5 - code.size(), '0');
    const std::string stem = "MAPAS_" + code + "_" + FileStamp(t);
    Path path = folders.exportDir / (stem + ".rtf");
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n)
        path = folders.exportDir / (stem + "_" + std::to_string(n) + ".rtf");
    return path;
}

QImage CaptureLayoutToClipboard(QWidget& paintBox)
{
    const QImage image = paintBox.grab().toImage().convertToFormat(QImage::Format_RGB888);
    platform::ClipboardImage out;
    out.width = image.width();
    out.height = image.height();
    out.rgb.reserve(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        out.rgb.insert(out.rgb.end(), row, row + static_cast<std::ptrdiff_t>(out.width) * 3);
    }
    platform::GetClipboard().SetImage(out);
    return image;
}

std::optional<Path> ExportLayoutToDocument(const QImage& picture, long long material,
                                           const std::array<std::string, 4>& figureLines)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const Path path = LayoutExportPath(gShared.folders, material, platform::GetClock().Now());
    try {
        WriteFileAtomically(path, LayoutExportRtf(DateTimeText(),
                                                  std::string(png.constData(), static_cast<std::size_t>(png.size())),
                                                  picture.width(), picture.height(), figureLines));
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
        return std::nullopt;
    }
    ShellOpenDocument(path);  // reports a failed open itself; the file stays
    return path;
}

std::string FormatNumberRight(int width, double value)
{
    return FormatNumberRight(width, value, gShared.settings.showDecimals);
}

bool StartProgram(const Path& file, const std::vector<std::string>& arguments)
{
    if (file == ReportViewerProgram(gShared.folders) && arguments.size() == 1)
        return StartReportViewer(gShared.folders, arguments.front());
    if (ShellLaunch(file, arguments, gShared.folders.base, 1))
        return true;
    ShowProgramMissingMessage(file.string());
    return false;
}

}  // namespace vor
