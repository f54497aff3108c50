// The text viewer page of kalendo's window: a help text with its heading list.
#include "kalendo/text_viewer_page.h"

#include <QAbstractTextDocumentLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>
#include <cstring>
#include <filesystem>

#include "kalendo/help_text_check.h"
#include "kalendo/main_window.h"
#include "kalendo/message_set.h"
#include "platform/qt_text.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/styled_doc.h"
#include "vorplan/common/rtf/ui/styled_text.h"
#include "vorplan/common/user_file.h"

namespace kalendo {

namespace {

using platform::FromQString;
using platform::ToQString;

// The print job's title.
const char kPrintJobTitle[] = "Vorlane";
// A help text larger than this is no help text; the reader stops at 16 MiB anyway.
constexpr std::uintmax_t kMaxTextFileBytes = 64u * 1024u * 1024u;
const QColor kSilver(192, 192, 192);

QRect ToRect(const Box& box)
{
    return {box.left, box.top, box.width, box.height};
}

// Small pictures of the button panel, drawn rather than shipped.
QIcon TopIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 170));
    p.drawRect(3, 2, 14, 3);
    p.drawPolygon(QPolygonF({QPointF(10, 6), QPointF(17, 13), QPointF(3, 13)}));
    p.drawRect(8, 12, 4, 6);
    return QIcon(pixmap);
}

QIcon FindIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.5, 12.5), QPointF(17.5, 17.5));
    return QIcon(pixmap);
}

QIcon PrintIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(1, 7, 18, 8);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 10, 7);
    p.drawLine(7, 15, 13, 15);
    return QIcon(pixmap);
}

}  // namespace

// ViewerTextEdit

ViewerTextEdit::ViewerTextEdit(QWidget* parent) : QTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAcceptRichText(true);
    // The selection stays visible while the heading list or the find dialog has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void ViewerTextEdit::mousePressEvent(QMouseEvent* event)
{
    QTextEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit ClickedAfterCaretMoved();
}

// QtViewerText

int QtViewerText::Length() const
{
    return m_edit.document()->characterCount() - 1;
}

std::optional<ViewerText::Match> QtViewerText::Find(std::string_view needle, int from, bool caseSensitive) const
{
    const QTextCursor found = m_edit.document()->find(
        ToQString(needle), std::max(0, from),
        caseSensitive ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags());
    if (found.isNull())
        return std::nullopt;
    return Match{found.selectionStart(), found.selectionEnd() - found.selectionStart()};
}

int QtViewerText::SelectionStart() const
{
    return m_edit.textCursor().selectionStart();
}

int QtViewerText::SelectionLength() const
{
    const QTextCursor cursor = m_edit.textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void QtViewerText::Select(int start, int length)
{
    QTextCursor cursor(m_edit.document());
    cursor.setPosition(std::clamp(start, 0, Length()));
    cursor.setPosition(std::clamp(start + length, 0, Length()), QTextCursor::KeepAnchor);
    m_edit.setTextCursor(cursor);
}

void QtViewerText::SetCaret(int position)
{
    Select(position, 0);
}

int QtViewerText::VisualLine(int position) const
{
    QTextDocument* document = m_edit.document();
    document->documentLayout()->documentSize();  // lays the whole text out
    const QTextBlock block = document->findBlock(position);
    int line = 0;
    for (QTextBlock b = document->begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    if (block.isValid() && block.layout()) {
        const QTextLine within = block.layout()->lineForTextPosition(position - block.position());
        if (within.isValid())
            line += within.lineNumber();
    }
    return line;
}

int QtViewerText::ParagraphOf(int position) const
{
    return std::max(0, m_edit.document()->findBlock(position).blockNumber());
}

int QtViewerText::ParagraphStart(int paragraph) const
{
    const QTextBlock block = m_edit.document()->findBlockByNumber(paragraph);
    return block.isValid() ? block.position() : Length();
}

std::string QtViewerText::ParagraphText(int paragraph) const
{
    QString text = m_edit.document()->findBlockByNumber(paragraph).text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return FromQString(text);
}

bool QtViewerText::ExactlyUnderlinedAt(int position) const
{
    if (position < 0 || position >= Length())
        return false;
    QTextCursor cursor(m_edit.document());
    cursor.setPosition(position + 1);  // a cursor's format is the character's before it
    return IsExactlyUnderlined(vor::RunStyleOf(cursor.charFormat()));
}

void QtViewerText::Focus()
{
    m_edit.setFocus();
}

// HeadingDelegate

void HeadingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data().toString();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    QFont font = option.font;
    const bool sub = IsSubHeading(FromQString(text));
    font.setBold(!sub);
    painter->setFont(font);
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    const QRect textRect = option.rect.adjusted(2, sub ? 0 : 4, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

QSize HeadingDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool sub = IsSubHeading(FromQString(index.data().toString()));
    const int height = std::max(kItemHeight, option.fontMetrics.height());
    return {option.rect.width(), sub ? height : height + 5};
}

// FindDialog

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QHBoxLayout(this);
    Edit = new QLineEdit(this);
    Edit->setMinimumWidth(220);
    FindButton = new QPushButton(this);
    FindButton->setDefault(true);
    CancelButton = new QPushButton(this);
    layout->addWidget(Edit, 1);
    layout->addWidget(FindButton);
    layout->addWidget(CancelButton);
    connect(FindButton, &QPushButton::clicked, this, [this] { emit Find(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void FindDialog::SetTexts(const MessageSet& texts)
{
    // A language digit outside the known ones leaves the set empty: English then.
    setWindowTitle(ToQString(texts.findTitle.empty() ? "Find" : texts.findTitle));
    FindButton->setText(ToQString(texts.findNext.empty() ? "Find next" : texts.findNext));
    CancelButton->setText(ToQString(texts.cancel.empty() ? "Cancel" : texts.cancel));
}

QString FindDialog::FindText() const
{
    return Edit->text();
}

void FindDialog::SetFindText(const QString& text)
{
    Edit->setText(text);
}

// The page in kalendo's window.

void TForm1::CreateViewerPage()
{
    ListBox1 = new QListWidget(TabSheet2);
    ListBox1->setItemDelegate(new HeadingDelegate(ListBox1));
    ListBox1->setUniformItemSizes(false);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette listColours = ListBox1->palette();
    listColours.setColor(QPalette::Base, kSilver);
    ListBox1->setPalette(listColours);

    RichEdit1 = new ViewerTextEdit(TabSheet2);
    m_viewerText = std::make_unique<QtViewerText>(*RichEdit1);

    Panel3 = new QFrame(TabSheet2);
    Panel3->setFrameStyle(QFrame::NoFrame);  // no bevel
    Panel3->resize(kViewerButtonPanel.width, kViewerButtonPanel.height);
    BitBtn1 = new QPushButton(TopIcon(), QString(), Panel3);
    BitBtn2 = new QPushButton(FindIcon(), QString(), Panel3);
    BitBtn3 = new QPushButton(PrintIcon(), QString(), Panel3);
    Button6 = new QPushButton(QStringLiteral("Salva"), Panel3);
    BitBtn1->setGeometry(2, 2, 34, 32);
    BitBtn2->setGeometry(38, 2, 34, 32);
    BitBtn3->setGeometry(74, 2, 34, 32);
    Button6->setGeometry(112, 2, 46, 32);
    Button6->hide();
    Button2 = new QPushButton(QStringLiteral("Ok"), TabSheet2);
    Button2->resize(kViewerOkButton.width, kViewerOkButton.height);
    FindDialog1 = new FindDialog(this);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(item); });
    connect(RichEdit1, &ViewerTextEdit::ClickedAfterCaretMoved, this, [this] { RichEdit1MouseDown(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(FindDialog1, &FindDialog::Find, this, [this] { FindDialog1Find(); });
}

void TForm1::PlaceViewerWindow()
{
    const QSize screenSize = ScreenSize();
    const QSize outer = frameGeometry().size();
    const Box box = kalendo::PlaceViewerWindow({screenSize.width(), screenSize.height()},
                                               {outer.width(), outer.height()});
    move(box.left, box.top);
}

void TForm1::LayoutViewerPage()
{
    // Sizes are the window's with its frame, as the user sees it.
    const QSize screenSize = ScreenSize();
    const QRect outer = frameGeometry();
    const QSize frame = outer.size() - size();
    const ViewerGeometry g = kalendo::LayoutViewerPage(
        {screenSize.width(), screenSize.height()}, {outer.x(), outer.y(), outer.width(), outer.height()},
        {frame.width(), frame.height()}, PageControl1->currentWidget() == TabSheet2);
    if (ToRect(g.window) != outer) {
        move(g.window.left, g.window.top);
        resize(g.window.width - frame.width(), g.window.height - frame.height());
    }
    ListBox1->setGeometry(ToRect(g.list));
    RichEdit1->setGeometry(ToRect(g.text));
    Button2->setGeometry(ToRect(g.okButton));
    Panel3->setGeometry(ToRect(g.buttonPanel));
}

void TForm1::LoadViewerText()
{
    // The page first, so the layout is that of the viewer.
    PageControl1->setCurrentWidget(TabSheet2);
    LayoutViewerPage();
    RichEdit1->clear();
    ListBox1->clear();
    const std::filesystem::path path(m_command.fileName);
    bool loaded = false;
    if (!m_command.fileName.empty() && vor::IsRegularFileWithin(path, kMaxTextFileBytes)) {
        try {
            vor::FillTextDocument(*RichEdit1->document(), vor::ReadRtf(vor::ReadFileBytes(path)));
            loaded = true;
        } catch (const vor::IoError&) {
            loaded = false;  // unreadable: shown as missing
        }
    }
    if (loaded) {
        std::vector<std::string> paragraphs;
        for (QTextBlock block = RichEdit1->document()->begin(); block.isValid(); block = block.next())
            paragraphs.push_back(FromQString(block.text()));
        for (const std::string& heading : BuildHeadingList(paragraphs))
            ListBox1->addItem(ToQString(heading));
    } else {
        RichEdit1->setPlainText(ToQString(NotFoundLine(m_texts.file, m_command.fileName, m_texts.notFound)));
    }
    RichEdit1->moveCursor(QTextCursor::Start);
    FindDialog1->SetTexts(m_texts);
}

void TForm1::ListBox1Click(QListWidgetItem* item)
{
    if (!item)
        return;
    JumpToHeading(*m_viewerText, FromQString(item->text()));
    ListBox1->clearSelection();
    ListBox1->setCurrentItem(nullptr, QItemSelectionModel::Clear);
}

void TForm1::RichEdit1MouseDown()
{
    FollowUnderlinedLink(*m_viewerText);
}

void TForm1::BitBtn1Click()
{
    RichEdit1->setFocus();
    m_viewerText->SetCaret(0);
}

void TForm1::BitBtn2Click()
{
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
    FindDialog1->Edit->setFocus();
}

void TForm1::FindDialog1Find()
{
    if (!FindNext(*m_viewerText, FromQString(FindDialog1->FindText())))
        ShowMessage(m_texts.notFound);
}

void TForm1::BitBtn3Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QLatin1String(kPrintJobTitle));
    if (!m_printOutput.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_printOutput);
    } else {
        if (QPrinterInfo::availablePrinters().isEmpty())
            printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    RichEdit1->document()->print(&printer);
}

void TForm1::Button6Click()
{
    const std::filesystem::path path(m_command.fileName);
    try {
        vor::WriteFileAtomically(path, vor::StyledDocToRtf(vor::ReadTextDocument(*RichEdit1->document())),
                                 *m_fileOps);
    } catch (const vor::IoError& error) {
        std::string reason = error.code() > 0 ? std::strerror(error.code()) : error.what();
        ShowMessage(m_texts.file + " [" + m_command.fileName + "]\n" + reason);
    }
}

void TForm1::Button2Click()
{
    CloseProgram();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    const bool viewer = PageControl1->currentWidget() == TabSheet2;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Desktops take Alt+F5 for themselves; Ctrl+Shift+F5 does the same.
    if (viewer && event->key() == Qt::Key_F5 &&
        (modifiers == Qt::AltModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        Button6->show();
        return;
    }
    if (viewer && event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        BitBtn3->click();  // the page's cancel button: the print dialog, never a print unasked
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kalendo
