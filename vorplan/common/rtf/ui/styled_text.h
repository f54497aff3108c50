#pragma once

#include <QString>

#include "vorplan/common/rtf/styled_doc.h"

class QTextCharFormat;
class QTextDocument;

namespace vor {

// Replaces the contents of `target` with the styled document, so that a text
// box shows what the RTF file and the printout hold.
void FillTextDocument(QTextDocument& target, const StyledDoc& doc);

// The text document's text and styles, as FillTextDocument put them, for
// writing back as RTF.
StyledDoc ReadTextDocument(const QTextDocument& source);

// The look of characters of this format (the run's text stays empty).
StyledRun RunStyleOf(const QTextCharFormat& format);

}  // namespace vor
