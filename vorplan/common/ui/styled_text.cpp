#include "vorplan/common/ui/styled_text.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "platform/qt_text.h"

namespace vor {

namespace {

// Tab stops and indents are points; the text box lays out in pixels of 96 to the inch.
qreal Pixels(int points)
{
    return points * 96.0 / 72.0;
}

Qt::Alignment AlignmentOf(ParagraphAlign align)
{
    switch (align) {
    case ParagraphAlign::Centre:
        return Qt::AlignHCenter;
    case ParagraphAlign::Right:
        return Qt::AlignRight;
    case ParagraphAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

}  // namespace

void FillTextDocument(QTextDocument& target, const StyledDoc& doc)
{
    target.clear();
    target.setDefaultFont(QFont(QStringLiteral("Arial")));
    QTextCursor cursor(&target);
    bool first = true;
    for (const StyledParagraph& p : doc.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(AlignmentOf(p.align));
        block.setTextIndent(Pixels(p.firstIndent));
        QList<QTextOption::Tab> tabs;
        for (int stop : p.tabStops)
            tabs.append(QTextOption::Tab(Pixels(stop), QTextOption::LeftTab));
        block.setTabPositions(tabs);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const StyledRun& run : p.runs) {
            QTextCharFormat format;
            format.setFontFamilies({QStringLiteral("Arial")});
            format.setFontPointSize(run.size);
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontUnderline(run.underline);
            format.setForeground(QColor(RedOf(run.colour), GreenOf(run.colour), BlueOf(run.colour)));
            cursor.insertText(platform::ToQString(run.text), format);
        }
    }
}

}  // namespace vor
