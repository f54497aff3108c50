#include "platform/qt_print_jobs.h"

#include <QApplication>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <stdexcept>

#include "platform/qt_text.h"
#include "vorplan/common/canvas.h"

namespace platform {

namespace {

QString NativePath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}  // namespace

QtPrintJobs::QtPrintJobs(CanvasMaker makeCanvas)
    : m_makeCanvas(std::move(makeCanvas)), m_printer(QPrinter::HighResolution)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    }
    m_printer.setResolution(kPrintDotsPerInch);
}

QtPrintJobs::~QtPrintJobs()
{
    m_canvas.reset();
    if (m_painter.isActive())
        m_painter.end();
}

bool QtPrintJobs::PrintsToFile() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat;
}

std::filesystem::path QtPrintJobs::OutputFile() const
{
    return std::filesystem::path(m_printer.outputFileName().toStdString());
}

bool QtPrintJobs::BeginJob(const std::string& title, const std::filesystem::path& file)
{
    if (m_painter.isActive())
        throw std::logic_error("a print job is already open");
    m_chosenFile = m_printer.outputFileName();
    m_jobFile.clear();
    if (PrintsToFile()) {
        m_jobFile = file.empty() ? m_chosenFile : NativePath(file);
        if (m_jobFile.isEmpty())
            return false;  // nowhere to write
        m_printer.setOutputFileName(m_jobFile);
    }
    m_printer.setResolution(kPrintDotsPerInch);
    m_printer.setDocName(ToQString(title));
    if (!m_painter.begin(&m_printer)) {
        m_printer.setOutputFileName(m_chosenFile);
        return false;
    }
    m_canvas = m_makeCanvas(m_painter, kPrintDotsPerInch);
    return true;
}

bool QtPrintJobs::NewPage()
{
    if (!m_painter.isActive())
        throw std::logic_error("no print job is open");
    // The canvas keeps the painter's state around its life: a fresh one per page.
    m_canvas.reset();
    const bool ok = m_printer.newPage();
    m_canvas = m_makeCanvas(m_painter, kPrintDotsPerInch);
    return ok;
}

bool QtPrintJobs::EndJob()
{
    if (!m_painter.isActive())
        throw std::logic_error("no print job is open");
    m_canvas.reset();
    bool ok = m_painter.end();
    if (!m_jobFile.isEmpty()) {
        // The PDF engine reports a failed write only through the file it left.
        const QFileInfo written(m_jobFile);
        ok = ok && written.exists() && written.size() > 0;
        m_printer.setOutputFileName(m_chosenFile);
    }
    m_jobFile.clear();
    return ok && m_printer.printerState() != QPrinter::Error;
}

PrintPageMetrics QtPrintJobs::Metrics() const
{
    const QPageLayout layout = m_printer.pageLayout();
    const int dpi = m_printer.resolution();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect paint = m_printer.fullPage() ? paper : layout.paintRectPixels(dpi);
    return {paint.width(), paint.height(), paint.left(), paint.top(), paper.width(), paper.height(), dpi};
}

vor::Canvas& QtPrintJobs::JobCanvas()
{
    if (!m_canvas)
        throw std::logic_error("no print job is open");
    return *m_canvas;
}

void QtPrintJobs::SetFullPage(bool on)
{
    m_printer.setFullPage(on);
}

bool QtPrintJobs::PrintSetup()
{
    QPrintDialog dialog(&m_printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_printer.setResolution(kPrintDotsPerInch);
    return accepted;
}

bool QtPrintJobs::PageSetup()
{
    QPageSetupDialog dialog(&m_printer, QApplication::activeWindow());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_printer.setResolution(kPrintDotsPerInch);
    return accepted;
}

void QtPrintJobs::UsePdfOutput(const QString& file)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
    m_printer.setResolution(kPrintDotsPerInch);
}

}  // namespace platform
