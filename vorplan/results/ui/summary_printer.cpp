#include "vorplan/results/ui/summary_printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "vorplan/common/rtf/styled_doc_pages.h"
#include "vorplan/common/ui/painter_canvas.h"

namespace vor {

SummaryPrinter::SummaryPrinter() : m_printer(QPrinter::HighResolution)
{
    if (QPrinterInfo::availablePrinters().isEmpty())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setDocName(QStringLiteral("Vorlane"));
}

void SummaryPrinter::UsePdfOutput(const QString& file)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
}

bool SummaryPrinter::Setup(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return m_printer.outputFormat() != QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
}

bool SummaryPrinter::Print(const StyledDoc& doc)
{
    QPainter painter;
    if (!painter.begin(&m_printer))
        return false;
    bool printed = true;
    {
        // The canvas keeps the painter's state until it goes, before the job ends.
        PainterCanvas canvas(painter);
        const std::vector<PlacedPage> pages = LayOutStyledDoc(
            doc, canvas, m_printer.width(), m_printer.height(), m_printer.resolution());
        for (std::size_t i = 0; i < pages.size() && printed; ++i) {
            if (i > 0)
                printed = m_printer.newPage();
            if (printed)
                DrawPlacedPage(pages[i], canvas);
        }
    }
    return painter.end() && printed;
}

}  // namespace vor
