#pragma once

#include "vorplan/common/rtf/styled_document.h"

#include <QString>

class QTextCharFormat;
class QTextDocument;

namespace kalendo {

// Fills `document` with the styled text; lengths in twips become pixels at 96
// per inch, line breaks inside a paragraph line separators.
void FillTextDocument(QTextDocument& document, const vor::StyledDocument& text);

// The document's text and styles, for writing it back as RTF.
vor::StyledDocument ReadTextDocument(const QTextDocument& document);

// The style of characters of this format; a family equal to `defaultFont`
// counts as the default font.
vor::CharStyle CharStyleOf(const QTextCharFormat& format, const QString& defaultFont);

}  // namespace kalendo
