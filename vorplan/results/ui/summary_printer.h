#pragma once

#include <QPrinter>
#include <QString>

#include "vorplan/common/rtf/styled_doc.h"

class QWidget;

namespace vor {

// Prints the calculation summary as one job: the system's printer, or PDF
// output when none is installed. Kept small and apart, so that the shared
// print-job service can take its place.
class SummaryPrinter {
public:
    SummaryPrinter();

    QPrinter& Printer() { return m_printer; }
    // Prints into the PDF file (tests and unattended runs); the dialog still asks.
    void UsePdfOutput(const QString& file);
    // The print dialog; true when confirmed with somewhere to print.
    bool Setup(QWidget* parent);
    // Lays the document out on the pages and prints them; false when the job
    // could not be started or finished.
    bool Print(const StyledDoc& doc);

private:
    QPrinter m_printer;
};

}  // namespace vor
