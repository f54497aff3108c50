#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kalendo/main_window.h"
#include "kalendo/message_set.h"
#include "kalendo/text_viewer_page.h"
#include "kalendo/text_viewer_rules.h"
#include "kalendo/viewer_command.h"
#include "platform/fake_clipboard.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The text of a printed file as pdftotext lays it out; empty when it failed.
std::string PdfText(const fs::path& pdf)
{
    return vortest::RunTool(QStringLiteral("pdftotext"),
                            {QString::fromStdString(pdf.string()), QStringLiteral("-")});
}

// A help text long enough to scroll: contents, then three sections of forty lines.
std::string LongHelpText()
{
    vor::StyledDoc doc;
    vor::StyledRun plain;
    vor::StyledRun link = plain;
    link.underline = true;
    vor::StyledRun bold = plain;
    bold.bold = true;
    const auto add = [&doc](std::initializer_list<std::pair<std::string, vor::StyledRun>> runs) {
        vor::StyledParagraph paragraph;
        for (auto [text, style] : runs) {
            style.text = text;
            paragraph.Append(style);
        }
        doc.paragraphs.push_back(paragraph);
    };
    const char* headings[] = {"1 - Starting", "2 - Orders", "2.1 - Pieces", "3 - Calculation"};
    add({{"Contents", bold}});
    for (const char* heading : headings)
        add({{std::string(heading).find('.') != std::string::npos ? "\t\t" : "\t", plain}, {heading, link}});
    for (const char* heading : headings) {
        add({{heading, bold}});
        for (int i = 1; i <= 40; ++i)
            add({{"Line " + std::to_string(i) + " of a section about the shop.", plain}});
    }
    return vor::StyledDocToRtf(doc);
}

// Write calls fail as on a full disk.
class FullDisk final : public vor::FileOps {
public:
    ssize_t Write(int, const char*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

class TextViewerPageTest : public vortest::UiTest {
protected:
    // vorplan's help command on the clipboard, kalendo started on it.
    void Open(const std::string& file, char language = '2', QSize screen = {1280, 1024})
    {
        clipboard.TakeOverByOtherProgram(BuildTextCommand(language - '0', file));
        form = std::make_unique<TForm1>(clipboard, [this] { ++quits; }, 200ms);
        form->SetScreenSize(screen);
        form->show();
        ASSERT_TRUE(vortest::WaitUntil([this] { return form->Page() == TForm1::CurrentPage::TextViewer; }));
        vortest::ProcessEvents();
    }

    void WriteText(const std::string& name, const std::string& rtf)
    {
        fs::create_directories((base() / name).parent_path());
        vor::WriteFileAtomically(base() / name, rtf);
    }

    std::string Text() const { return form->RichEdit1->toPlainText().toStdString(); }
    int Caret() const { return form->RichEdit1->textCursor().selectionStart(); }
    int BlockOfCaret() const { return form->RichEdit1->textCursor().blockNumber(); }

    int BlockOf(const QString& text) const
    {
        for (QTextBlock b = form->RichEdit1->document()->begin(); b.isValid(); b = b.next())
            if (b.text() == text)
                return b.blockNumber();
        return -1;
    }

    platform::FakeClipboard clipboard;
    std::unique_ptr<TForm1> form;
    int quits = 0;
};

TEST_F(TextViewerPageTest, ShowsTheTextWithItsHeadingListAndPlacesTheWindow)
{
    fs::copy_file(VOR_FIXTURES_DIR "/help_texts/help_en.rtf", base() / "HLP" / "help_en.rtf",
                  fs::copy_options::overwrite_existing);
    Open("HLP/help_en.rtf");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2);
    ASSERT_EQ(form->ListBox1->count(), 5);
    EXPECT_EQ(form->ListBox1->item(0)->text(), QStringLiteral("1 - Starting the program"));
    EXPECT_EQ(form->ListBox1->item(2)->text(), QStringLiteral("2.1 - Pieces and sheets"));
    // A heading is 5 pixels taller than a sub-heading.
    EXPECT_EQ(form->ListBox1->visualItemRect(form->ListBox1->item(0)).height(),
              form->ListBox1->visualItemRect(form->ListBox1->item(2)).height() + 5);
    EXPECT_NE(Text().find("The calculation places the pieces"), std::string::npos);

    // As wide as the screen, at its left edge; the controls where the page puts them.
    // Sizes with the frame, as the user sees the window.
    const QRect outer = form->frameGeometry();
    const QSize page = form->PageControl1->size();
    EXPECT_EQ(outer.left(), 0);
    EXPECT_EQ(outer.width(), 1280);
    EXPECT_EQ(form->height(), 430);  // the design size
    EXPECT_EQ(form->ListBox1->geometry(), QRect(0, 0, kHeadingListWidth, page.height() - 12));
    EXPECT_EQ(form->RichEdit1->geometry(), QRect(kHeadingListWidth + 3, 0, page.width() - kHeadingListWidth - 12,
                                                 page.height() - 44));
    EXPECT_EQ(form->Button2->geometry(), QRect(page.width() - 87, page.height() - 40, 75, 30));
    EXPECT_EQ(form->Panel3->geometry().topLeft(), QPoint(kHeadingListWidth + 3, page.height() - 36 - 7));
    EXPECT_FALSE(form->Button6->isVisible());

    form->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/kalendo_text_viewer.png"));

    // Ok closes the program without a reply.
    form->Button2->click();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(clipboard.Text(), BuildTextCommand(2, "HLP/help_en.rtf"));
}

TEST_F(TextViewerPageTest, SmallScreenCapsTheHeight)
{
    Open("HLP/none.rtf", '2', {800, 600});
    EXPECT_LE(form->frameGeometry().height(), 480);
    EXPECT_EQ(form->frameGeometry().width(), 800);
}

TEST_F(TextViewerPageTest, HeadingAndLinkClicksScroll)
{
    WriteText("HLP/long.rtf", LongHelpText());
    Open("HLP/long.rtf");
    ASSERT_EQ(form->ListBox1->count(), 4);
    QScrollBar* scroll = form->RichEdit1->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    EXPECT_EQ(scroll->value(), 0);

    const int heading = BlockOf(QStringLiteral("3 - Calculation"));
    QListWidgetItem* item = form->ListBox1->item(3);
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {},
                      form->ListBox1->visualItemRect(item).center());
    vortest::ProcessEvents();
    EXPECT_GT(scroll->value(), 0);
    EXPECT_EQ(BlockOfCaret(), heading + 5);
    EXPECT_TRUE(form->ListBox1->selectedItems().isEmpty());

    // Back to the top, then a click on the contents link "2 - Orders".
    form->BitBtn1->click();
    EXPECT_EQ(Caret(), 0);
    form->RichEdit1->ensureCursorVisible();
    vortest::ProcessEvents();
    QTextCursor entry = form->RichEdit1->document()->find(QStringLiteral("2 - Orders"));
    entry.setPosition(entry.selectionStart() + 3);
    const QPoint click = form->RichEdit1->cursorRect(entry).center();
    QTest::mouseClick(form->RichEdit1->viewport(), Qt::LeftButton, {}, click);
    vortest::ProcessEvents();
    EXPECT_EQ(BlockOfCaret(), BlockOf(QStringLiteral("2 - Orders")) + 4);

    // A click on plain text leaves the caret where the click put it.
    form->BitBtn1->click();
    vortest::ProcessEvents();
    QTextCursor plain = form->RichEdit1->document()->find(QStringLiteral("Contents"));
    const QPoint plainClick = form->RichEdit1->cursorRect(plain).center();
    QTest::mouseClick(form->RichEdit1->viewport(), Qt::LeftButton, {}, plainClick);
    EXPECT_EQ(BlockOfCaret(), 0);
}

TEST_F(TextViewerPageTest, SaveButtonShowsOnItsKeysAndAFailedSaveKeepsTheFile)
{
    fs::copy_file(VOR_FIXTURES_DIR "/help_texts/help_en.rtf", base() / "HLP" / "help_en.rtf",
                  fs::copy_options::overwrite_existing);
    const std::string before = vor::ReadFileBytes(base() / "HLP" / "help_en.rtf");
    Open("HLP/help_en.rtf");
    for (const Qt::KeyboardModifiers keys : {Qt::KeyboardModifiers(Qt::AltModifier),
                                              Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)}) {
        form->Button6->hide();
        QTest::keyClick(form->RichEdit1, Qt::Key_F5, keys);  // the window sees it first
        EXPECT_TRUE(form->Button6->isVisible());
    }

    FullDisk fullDisk;
    form->SetFileOps(fullDisk);
    form->RichEdit1->moveCursor(QTextCursor::End);
    form->RichEdit1->insertPlainText(QStringLiteral("An edit."));
    form->Button6->click();
    ASSERT_EQ(messages().Count(), 1u);
    const std::string shown = messages().Last().text;
    EXPECT_EQ(shown.rfind("File [HLP/help_en.rtf]", 0), 0u) << shown;
    EXPECT_NE(shown.find(std::strerror(ENOSPC)), std::string::npos) << shown;
    EXPECT_EQ(vor::ReadFileBytes(base() / "HLP" / "help_en.rtf"), before);

    // A sound save keeps text, headings and links.
    form->SetFileOps(vor::DefaultFileOps());
    form->Button6->click();
    EXPECT_EQ(messages().Count(), 1u);
    const vor::StyledDoc saved = vor::ReadRtf(vor::ReadFileBytes(base() / "HLP" / "help_en.rtf"));
    EXPECT_EQ(vor::StyledParagraphText(saved.paragraphs.back()), "The last line of the text.An edit.");
    EXPECT_EQ(vor::StyledParagraphText(saved.paragraphs.at(4)), "\t2 - Orders");
    EXPECT_TRUE(saved.paragraphs.at(4).runs.at(1).underline);
}

TEST_F(TextViewerPageTest, MissingFileShowsTheNotFoundLineAndFindPrintWorkOnIt)
{
    Open("HLP/AJUDA_X.RTF", '1');
    EXPECT_EQ(Text(), "Arquivo [HLP/AJUDA_X.RTF] não localizado");
    EXPECT_EQ(form->ListBox1->count(), 0);

    // Find: from the top, not minding case; a miss shows the not-found text alone.
    form->BitBtn2->click();
    ASSERT_TRUE(form->FindDialog1->isVisible());
    EXPECT_EQ(form->FindDialog1->FindButton->text(), QStringLiteral("Localizar próxima"));
    form->FindDialog1->SetFindText(QStringLiteral("AJUDA"));
    form->FindDialog1->FindButton->click();
    EXPECT_EQ(form->RichEdit1->textCursor().selectedText(), QStringLiteral("AJUDA"));
    form->FindDialog1->SetFindText(QStringLiteral("ajuda"));
    form->FindDialog1->FindButton->click();  // after the selection: no second one
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "não localizado");
    EXPECT_EQ(form->RichEdit1->textCursor().selectedText(), QStringLiteral("AJUDA"));
    form->FindDialog1->reject();

    const QString pdf = QString::fromStdString((base() / "print.pdf").string());
    form->SetPrintOutput(pdf);
    form->BitBtn3->click();
    ASSERT_TRUE(fs::exists(pdf.toStdString()));
    EXPECT_NE(PdfText(pdf.toStdString()).find("não localizado"), std::string::npos);
}

TEST_F(TextViewerPageTest, PrintsTheTextAndEscOnlyOpensThePrintDialog)
{
    fs::copy_file(VOR_FIXTURES_DIR "/help_texts/help_en.rtf", base() / "HLP" / "help_en.rtf",
                  fs::copy_options::overwrite_existing);
    Open("HLP/help_en.rtf");

    const fs::path pdf = base() / "help.pdf";
    form->SetPrintOutput(QString::fromStdString(pdf.string()));
    form->BitBtn3->click();
    EXPECT_NE(PdfText(pdf).find("1 - Starting the program"), std::string::npos);
    EXPECT_TRUE(QString::fromStdString(vortest::PdfInfo(pdf))
                    .contains(QRegularExpression(QStringLiteral("^Title: *Vorlane$"),
                                                 QRegularExpression::MultilineOption)));

    // Esc: the print dialog, closed unanswered, and nothing printed.
    form->SetPrintOutput(QString());
    bool dialogShown = false;
    QTimer::singleShot(100, [&dialogShown] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    QTest::keyClick(form->RichEdit1, Qt::Key_Escape);
    EXPECT_TRUE(dialogShown);
}

// Every shipped help and introduction text opens with its heading list, and a
// click on the last heading scrolls down to it.
TEST_F(TextViewerPageTest, ShippedTextsOpenWithTheirHeadingsAndTheLastHeadingIsReached)
{
    int opened = 0;
    for (const auto& entry : fs::directory_iterator(VOR_SOURCE_DIR "/dist/HLP")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".RTF")
            continue;
        SCOPED_TRACE(name);
        // The letter before ".RTF" names the language whose command opens it.
        const char letter = name[name.size() - 5];
        const char language = letter == 'I' ? '2' : letter == 'E' ? '3' : letter == 'N' ? '4' : '1';
        fs::copy_file(entry.path(), base() / "HLP" / name, fs::copy_options::overwrite_existing);
        Open("HLP/" + name, language);
        ++opened;

        std::vector<std::string> paragraphs;
        for (const vor::StyledParagraph& p : vor::ReadRtf(vor::ReadFileBytes(entry.path())).paragraphs)
            paragraphs.push_back(vor::StyledParagraphText(p));
        const std::vector<std::string> headings = BuildHeadingList(paragraphs);
        ASSERT_GT(headings.size(), 4u);
        ASSERT_EQ(form->ListBox1->count(), static_cast<int>(headings.size()));
        EXPECT_EQ(form->ListBox1->item(0)->text().toStdString(), headings.front());

        QScrollBar* scroll = form->RichEdit1->verticalScrollBar();
        QListWidgetItem* last = form->ListBox1->item(form->ListBox1->count() - 1);
        form->ListBox1->scrollToItem(last);
        QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {},
                          form->ListBox1->visualItemRect(last).center());
        vortest::ProcessEvents();
        EXPECT_GT(scroll->value(), 0);
        const int heading = BlockOf(QString::fromStdString(headings.back()));
        const int lastBlock = form->RichEdit1->document()->blockCount() - 1;
        EXPECT_EQ(BlockOfCaret(), std::min(heading + 5, lastBlock));
        form->RichEdit1->ensureCursorVisible();
        vortest::ProcessEvents();
        const QRect shown = form->RichEdit1->viewport()->rect();
        QTextCursor at(form->RichEdit1->document()->findBlockByNumber(heading));
        EXPECT_TRUE(shown.contains(form->RichEdit1->cursorRect(at).center()));

        form->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/kalendo_shipped_") + QString::fromStdString(name) +
                          QStringLiteral(".png"));
        if (name == "VA2001_P.RTF") {
            const fs::path pdf = base() / "help_pt.pdf";
            form->SetPrintOutput(QString::fromStdString(pdf.string()));
            form->BitBtn3->click();
            EXPECT_NE(PdfText(pdf).find(headings.front()), std::string::npos) << headings.front();
            form->SetPrintOutput(QString());
        }
        form.reset();
    }
    EXPECT_EQ(opened, 8);
}

}  // namespace
}  // namespace kalendo
