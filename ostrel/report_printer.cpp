#include "ostrel/report_printer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "ostrel/qt_metrics.h"
#include "platform/qt_text.h"

namespace ostrel {

ReportPrinter::ReportPrinter() : m_printer(QPrinter::HighResolution)
{
    if (QPrinterInfo::availablePrinters().isEmpty())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setDocName(platform::ToQString(kPrintJobTitle));
}

PrinterGeometry ReportPrinter::Geometry(bool landscape)
{
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return MakePrinterGeometry(m_printer.width(), m_printer.height(), m_printer.widthMM(),
                               m_printer.heightMM());
}

void ReportPrinter::UsePdfOutput(const QString& file)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
}

bool ReportPrinter::HasTarget() const
{
    return m_printer.outputFormat() != QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
}

bool ReportPrinter::Setup(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

bool ReportPrinter::Print(const std::vector<PrintedPage>& pages, const std::function<void(int)>& onPage)
{
    m_printer.setDocName(platform::ToQString(kPrintJobTitle));
    QPainter painter;
    if (!painter.begin(&m_printer))
        return false;
    const QtMetrics metrics(&m_printer);
    bool first = true;
    for (const PrintedPage& page : pages) {
        if (!first && !m_printer.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        if (onPage)
            onPage(page.number);
        PaintOps(painter, page.ops, metrics);
    }
    return painter.end();
}

}  // namespace ostrel
