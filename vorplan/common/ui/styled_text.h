#pragma once

#include "vorplan/common/rtf/styled_doc.h"

class QTextDocument;

namespace vor {

// Replaces the contents of `target` with the styled document, so that a
// read-only text box shows what the RTF file and the printout hold.
void FillTextDocument(QTextDocument& target, const StyledDoc& doc);

}  // namespace vor
