#pragma once

#include <QPrinter>
#include <QString>
#include <functional>
#include <vector>

#include "ostrel/print_layout.h"

class QWidget;

namespace ostrel {

// The printer ostrel prints on: the system's default printer, or PDF output
// when none is installed. One print command is one job titled "OSTREL" with
// a page break between pages.
class ReportPrinter {
public:
    ReportPrinter();

    QPrinter& Printer() { return m_printer; }

    // Page size in pixels and millimetres for the orientation, as the page pass needs it.
    PrinterGeometry Geometry(bool landscape);

    // Prints into the PDF file without asking (tests and unattended runs).
    void UsePdfOutput(const QString& file);
    // False for PDF output without a file: there is nowhere to print yet.
    bool HasTarget() const;
    // The printer dialog ("Configuração da impressora"): printer, or PDF and its file.
    bool Setup(QWidget* parent);

    // Paints the pages; `onPage` runs before each page with its number. False
    // when the printer could not start the job (nothing was printed).
    bool Print(const std::vector<PrintedPage>& pages, const std::function<void(int)>& onPage);

private:
    QPrinter m_printer;
};

}  // namespace ostrel
