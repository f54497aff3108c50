#include "vorplan/common/rtf/ui/styled_text.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <cmath>

#include "platform/qt_text.h"

namespace vor {

namespace {

const QString kDocumentFont = QStringLiteral("Arial");

// Tab stops and indents are points; the text box lays out in pixels of 96 to the inch.
qreal Pixels(int points)
{
    return points * 96.0 / 72.0;
}

int Points(qreal pixels)
{
    return static_cast<int>(std::lround(pixels * 72.0 / 96.0));
}

Qt::Alignment AlignmentOf(ParagraphAlign align)
{
    switch (align) {
    case ParagraphAlign::Centre:
        return Qt::AlignHCenter;
    case ParagraphAlign::Right:
        return Qt::AlignRight;
    case ParagraphAlign::Justified:
        return Qt::AlignJustify;
    case ParagraphAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

ParagraphAlign AlignOf(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return ParagraphAlign::Centre;
    if (horizontal & Qt::AlignRight)
        return ParagraphAlign::Right;
    if (horizontal & Qt::AlignJustify)
        return ParagraphAlign::Justified;
    return ParagraphAlign::Left;
}

}  // namespace

void FillTextDocument(QTextDocument& target, const StyledDoc& doc)
{
    target.clear();
    target.setDefaultFont(QFont(kDocumentFont));
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool first = true;
    for (const StyledParagraph& p : doc.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(AlignmentOf(p.align));
        block.setTextIndent(Pixels(p.firstIndent));
        block.setLeftMargin(Pixels(p.leftIndent));
        block.setRightMargin(Pixels(p.rightIndent));
        block.setTopMargin(Pixels(p.spaceBefore));
        block.setBottomMargin(Pixels(p.spaceAfter));
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
            format.setFontFamilies({run.font.empty() ? kDocumentFont : platform::ToQString(run.font)});
            format.setFontPointSize(run.size);
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setFontUnderline(run.underline);
            format.setFontStrikeOut(run.strike);
            format.setForeground(QColor(RedOf(run.colour), GreenOf(run.colour), BlueOf(run.colour)));
            QString text = platform::ToQString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);  // a line break, not a new paragraph
            cursor.insertText(text, format);
        }
    }
    cursor.endEditBlock();
}

StyledRun RunStyleOf(const QTextCharFormat& format)
{
    StyledRun run;
    if (format.fontPointSize() > 0)
        run.size = static_cast<int>(std::lround(format.fontPointSize()));
    run.bold = format.fontWeight() >= QFont::Bold;
    run.italic = format.fontItalic();
    run.underline = format.fontUnderline();
    run.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        run.colour = RgbColor(colour.red(), colour.green(), colour.blue());
    }
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && families.first() != kDocumentFont)
        run.font = platform::FromQString(families.first());
    return run;
}

StyledDoc ReadTextDocument(const QTextDocument& source)
{
    StyledDoc doc;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        StyledParagraph p;
        p.align = AlignOf(format.alignment());
        p.firstIndent = Points(format.textIndent());
        p.leftIndent = Points(format.leftMargin());
        p.rightIndent = Points(format.rightMargin());
        p.spaceBefore = Points(format.topMargin());
        p.spaceAfter = Points(format.bottomMargin());
        for (const QTextOption::Tab& tab : format.tabPositions())
            p.tabStops.push_back(Points(tab.position));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            StyledRun run = RunStyleOf(fragment.charFormat());
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            run.text = platform::FromQString(text);
            p.Append(run);
        }
        doc.paragraphs.push_back(std::move(p));
    }
    return doc;
}

}  // namespace vor
