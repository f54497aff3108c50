#include "kalendo/rich_text.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <cmath>

#include "platform/qt_text.h"

namespace kalendo {

namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 per inch at 96 pixels per inch

double Pixels(int twips)
{
    return twips / kTwipsPerPixel;
}

int Twips(double pixels)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

QTextBlockFormat BlockFormat(const vor::ParagraphStyle& style)
{
    QTextBlockFormat format;
    switch (style.alignment) {
    case vor::ParagraphAlignment::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case vor::ParagraphAlignment::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case vor::ParagraphAlignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case vor::ParagraphAlignment::Justified:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    format.setLeftMargin(Pixels(style.leftIndent));
    format.setRightMargin(Pixels(style.rightIndent));
    format.setTextIndent(Pixels(style.firstIndent));
    format.setTopMargin(Pixels(style.spaceBefore));
    format.setBottomMargin(Pixels(style.spaceAfter));
    QList<QTextOption::Tab> tabs;
    for (int stop : style.tabStops)
        tabs.append(QTextOption::Tab(Pixels(stop), QTextOption::LeftTab));
    format.setTabPositions(tabs);
    return format;
}

QTextCharFormat CharFormat(const vor::CharStyle& style, const QString& defaultFont)
{
    QTextCharFormat format;
    const QString family = style.font.empty() ? defaultFont : platform::ToQString(style.font);
    if (!family.isEmpty())
        format.setFontFamilies({family});
    format.setFontPointSize(style.halfPoints / 2.0);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setFontStrikeOut(style.strike);
    if (style.colour)
        format.setForeground(QColor(style.colour->red, style.colour->green, style.colour->blue));
    return format;
}

vor::ParagraphStyle ParagraphStyleOf(const QTextBlockFormat& format)
{
    vor::ParagraphStyle style;
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        style.alignment = vor::ParagraphAlignment::Centre;
    else if (horizontal & Qt::AlignRight)
        style.alignment = vor::ParagraphAlignment::Right;
    else if (horizontal & Qt::AlignJustify)
        style.alignment = vor::ParagraphAlignment::Justified;
    style.leftIndent = Twips(format.leftMargin());
    style.rightIndent = Twips(format.rightMargin());
    style.firstIndent = Twips(format.textIndent());
    style.spaceBefore = Twips(format.topMargin());
    style.spaceAfter = Twips(format.bottomMargin());
    for (const QTextOption::Tab& tab : format.tabPositions())
        style.tabStops.push_back(Twips(tab.position));
    return style;
}

QString DocumentFont(const QTextDocument& document)
{
    return document.defaultFont().family();
}

}  // namespace

vor::CharStyle CharStyleOf(const QTextCharFormat& format, const QString& defaultFont)
{
    vor::CharStyle style;
    style.bold = format.fontWeight() >= QFont::Bold;
    style.italic = format.fontItalic();
    style.underline = format.fontUnderline();
    style.strike = format.fontStrikeOut();
    if (format.fontPointSize() > 0)
        style.halfPoints = static_cast<int>(std::lround(format.fontPointSize() * 2));
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        style.colour = vor::RtfColour{colour.red(), colour.green(), colour.blue()};
    }
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && families.first() != defaultFont)
        style.font = platform::FromQString(families.first());
    return style;
}

void FillTextDocument(QTextDocument& document, const vor::StyledDocument& text)
{
    document.clear();
    const QString defaultFont = platform::ToQString(text.defaultFont);
    if (!defaultFont.isEmpty()) {
        QFont font = document.defaultFont();
        font.setFamilies({defaultFont});
        document.setDefaultFont(font);
    }
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const vor::StyledParagraph& paragraph : text.paragraphs) {
        const QTextBlockFormat blockFormat = BlockFormat(paragraph.style);
        const QTextCharFormat startFormat =
            CharFormat(paragraph.runs.empty() ? vor::CharStyle{} : paragraph.runs.front().style, defaultFont);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(startFormat);
        } else {
            cursor.insertBlock(blockFormat, startFormat);
        }
        first = false;
        for (const vor::TextRun& run : paragraph.runs) {
            QString piece = platform::ToQString(run.text);
            piece.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(piece, CharFormat(run.style, defaultFont));
        }
    }
    cursor.endEditBlock();
}

vor::StyledDocument ReadTextDocument(const QTextDocument& document)
{
    vor::StyledDocument text;
    const QString defaultFont = DocumentFont(document);
    text.defaultFont = platform::FromQString(defaultFont);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        vor::StyledParagraph paragraph;
        paragraph.style = ParagraphStyleOf(block.blockFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString piece = fragment.text();
            piece.replace(QChar::LineSeparator, QLatin1Char('\n'));
            paragraph.Append(platform::FromQString(piece), CharStyleOf(fragment.charFormat(), defaultFont));
        }
        text.paragraphs.push_back(std::move(paragraph));
    }
    return text;
}

}  // namespace kalendo
