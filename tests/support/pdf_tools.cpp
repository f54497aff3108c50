#include "tests/support/pdf_tools.h"

#include <QProcess>
#include <charconv>

namespace vortest {

std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput().toStdString();
}

std::string PdfInfo(const std::filesystem::path& pdf)
{
    return RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
}

int PdfPages(const std::filesystem::path& pdf)
{
    const std::string info = PdfInfo(pdf);
    const std::size_t at = info.find("Pages:");
    if (at == std::string::npos)
        return -1;
    const std::size_t digits = info.find_first_not_of(' ', at + 6);
    int pages = -1;
    std::from_chars(info.data() + digits, info.data() + info.size(), pages);
    return pages;
}

std::string PageText(const std::filesystem::path& pdf, int page)
{
    const QString n = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                             QStringLiteral("-layout"), QString::fromStdString(pdf.string()),
                                             QStringLiteral("-")});
}

}  // namespace vortest
