#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <string>
#include <vector>

#include "ostrel/about_window.h"
#include "ostrel/index_window.h"
#include "ostrel/ostrel_settings.h"
#include "ostrel/ostrel_texts.h"
#include "tests/ostrel/ostrel_test_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/ini_file.h"

namespace ostreltest {
namespace {

using namespace ostrel;
using namespace std::chrono_literals;

using OstrelWindowTest = OstrelTest;

// ---- Opening ----------------------------------------------------------------------------------

TEST_F(OstrelWindowTest, LoadsTheReportIntoTheGrid)
{
    const fs::path report = CopySample();
    Open(Command(report));
    ASSERT_TRUE(form->Loaded());
    const auto fileLines = SplitCrlf(vortest::ReadBytes(report));
    // The first line is a heading, so a blank row 0 stands before it.
    EXPECT_EQ(form->Store().RowCount(), static_cast<int>(fileLines.size()) + 1);
    EXPECT_TRUE(form->Store().IsSynthetic(0));
    EXPECT_EQ(form->Store().Text(1), "@B@F@C3@**Relatório de exemplo do Vorlane");
    EXPECT_TRUE(form->IndexButton->isVisible());
    EXPECT_TRUE(form->SearchButton->isVisible());
    EXPECT_EQ(form->LinesInfo->text().toStdString(), "Linhas: " + std::to_string(form->Store().RowCount()));
    EXPECT_EQ(form->width(), kWindowWidth);
    EXPECT_EQ(form->height(), StartWindowHeight(Mode::Normal, QGuiApplication::primaryScreen()->geometry().height()));
    EXPECT_TRUE(messages().Texts().empty());
    // Heading rows are as tall as their font, other rows spacing + letter size.
    EXPECT_GT(form->Store().Height(1), 16);
    EXPECT_EQ(form->Store().Height(3), 16);
}

TEST_F(OstrelWindowTest, AShortReportWithoutHeadingsHidesIndexAndSearch)
{
    vortest::WriteBytes(base() / "curto.txt", "a\r\nlinha dois\r\n");
    Open(Command(base() / "curto.txt"));
    ASSERT_TRUE(form->Loaded());
    EXPECT_EQ(form->Store().RowCount(), 2);  // "a" is too short to get a blank row before it
    EXPECT_FALSE(form->IndexButton->isVisible());
    EXPECT_FALSE(form->SearchButton->isVisible());
}

TEST_F(OstrelWindowTest, APathWithHashesOpensTheFolderWithBlanks)
{
    const fs::path report = CopySample("pasta com brancos/relat.txt");
    std::string arg = report.string();
    for (char& c : arg)
        if (c == ' ')
            c = '#';
    Open(ParseCommandLine({arg, "N", "F"}));
    ASSERT_TRUE(form->Loaded());
    EXPECT_EQ(form->Store().Path(), report);
}

TEST_F(OstrelWindowTest, WithoutAReportTheWindowTellsAndCloses)
{
    Open(ParseCommandLine({"ab"}));
    ASSERT_TRUE(vortest::WaitUntil([this] { return !form->isVisible(); }));
    EXPECT_EQ(messages().Texts(), (std::vector<std::string>{NoReportMessage(Language::Portuguese)}));
    EXPECT_EQ(messages().Last().text, "Este arquivo faz parte do Vorlane\ne não deve ser executado em separado.");
}

TEST_F(OstrelWindowTest, AMissingReportTellsItsPathAndCloses)
{
    const fs::path missing = base() / "nada.txt";
    Open(Command(missing));
    ASSERT_TRUE(vortest::WaitUntil([this] { return !form->isVisible(); }));
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "Arquivo não disponível [" + missing.string() + "]");
    EXPECT_FALSE(form->Loaded());
}

TEST_F(OstrelWindowTest, AReportTooLongOpensReadOnlyWithAMessage)
{
    std::string text;
    for (int i = 0; i < kMaxRows + 5; ++i)
        text += "linha\r\n";
    vortest::WriteBytes(base() / "longo.txt", text);
    Open(Command(base() / "longo.txt"));
    ASSERT_TRUE(form->Loaded());
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, TooLongMessage(Language::Portuguese));
    Click(3, Qt::RightButton);
    EXPECT_FALSE(form->InsertLineItem->isEnabled());
    EXPECT_FALSE(form->EditLineItem->isEnabled());
    EXPECT_FALSE(form->DeleteLineItem->isEnabled());
    form->PopupMenu->hide();
}

// ---- Languages and modes ------------------------------------------------------------------------

TEST_F(OstrelWindowTest, IdioNumChoosesTheCaptions)
{
    struct Case {
        const char* idio;
        const char* printCaption;
        const char* languageLine;
    };
    const Case cases[] = {
        {nullptr, "Imprimir", "Idioma=1"},
        {"2\r\n", "Print", "Idioma=2"},
        {"3\r\n", "Imprimir", "Idioma=3"},
        {"4\r\n", "Print", "Idioma=4"},
        {"5\r\n", "Imprimir", "Idioma=5"},
    };
    const fs::path report = CopySample();
    for (const Case& c : cases) {
        if (c.idio)
            vortest::WriteBytes(base() / "IDIO.NUM", c.idio);
        Open(Command(report));
        EXPECT_EQ(form->PrintButton->text().toStdString(), c.printCaption) << c.languageLine;
        EXPECT_EQ(form->About->LanguageLabel->text().toStdString(), c.languageLine);
        EXPECT_EQ(form->InsertLineItem->text().toStdString(), form->Texts().insertLine);
        EXPECT_NE(form->About->FileLabel->text().toStdString().find(report.string()), std::string::npos);
        form.reset();
    }
    vortest::WriteBytes(base() / "IDIO.NUM", "3\r\n");
    Open(Command(report));
    EXPECT_EQ(form->SearchButton->text().toStdString(), "Buscar en el texto");
}

TEST_F(OstrelWindowTest, ModesShowWhatTheyAllow)
{
    struct Case {
        Mode mode;
        bool configure;
        bool print;
        bool about;
        bool marks;  // the right button marks and opens the menu
    };
    const Case cases[] = {
        {Mode::Normal, true, true, true, true},
        {Mode::Help, false, true, true, false},
        {Mode::NoPrint, false, false, false, true},
    };
    const fs::path report = CopySample();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Open(Command(report, c.mode));
        EXPECT_EQ(form->ConfigureButton->isVisible(), c.configure);
        EXPECT_EQ(form->PrintButton->isVisible(), c.print);
        EXPECT_EQ(form->About->EditingHint->isVisibleTo(form->About), c.mode != Mode::Help);

        PressKey(Qt::Key_F1);
        EXPECT_EQ(form->About->isVisible(), c.about);
        form->About->hide();

        const int row = RowOf("Cliente: Marcenaria Boa Vista");
        Click(row, Qt::RightButton);
        EXPECT_EQ(form->Store().Mark(row), c.marks ? kMarkSelected : kMarkNone);
        EXPECT_EQ(form->PopupMenu->isVisible(), c.marks);
        form->PopupMenu->hide();

        // F10 shows the configure button in every mode.
        PressKey(Qt::Key_F10);
        EXPECT_TRUE(form->ConfigureButton->isVisible());
        form.reset();
    }
}

TEST_F(OstrelWindowTest, HelpModeUsesTheHelpDefaultsWhateverTheFileHolds)
{
    vor::IniFile ini{fs::path(std::string(kSettingsFileName))};
    ini.WriteInteger("GERAL", "TAM_LETRAS", 11);
    ini.WriteInteger("GERAL", "COR_TAB", 2);
    ini.WriteString("RODAPE", "TEXTO", "meu rodapé");
    Open(Command(CopySample(), Mode::Help));
    EXPECT_EQ(form->Settings().letterSize, 8);
    EXPECT_EQ(form->Settings().corTab, 6);
    EXPECT_EQ(form->Settings().footerText, "Página <PG> / <TPG>");
    EXPECT_FALSE(form->Settings().cursorBand);
    EXPECT_EQ(form->LetterSizeBar->value(), 8);

    form.reset();
    Open(Command(CopySample()));
    EXPECT_EQ(form->Settings().letterSize, 11);
    EXPECT_EQ(form->LetterSizeBar->value(), 11);
    EXPECT_EQ(form->FooterEdit->text().toStdString(), "meu rodapé");
}

// ---- Index, search, keys ---------------------------------------------------------------------------

TEST_F(OstrelWindowTest, TheIndexJumpsToTheHeadingChosen)
{
    Open(Command(CopySample()));
    const auto& index = form->Store().Index();
    ASSERT_GE(index.size(), 4u);
    EXPECT_EQ(index[0].text, std::string(16, ' ') + "Relatório de exemplo do Vorlane");
    EXPECT_EQ(index[1].text, std::string(12, ' ') + "Lista de peças");

    form->IndexButtonClick();
    auto* window = form->findChild<TForm1*>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(vortest::WaitUntil([window] { return window->isVisible(); }));
    EXPECT_EQ(window->windowTitle().toStdString(), "Indice");
    ASSERT_EQ(window->ListBox1->count(), static_cast<int>(index.size()));
    window->ListBox1->setCurrentRow(2);
    window->OkButton->click();
    vortest::ProcessEvents();
    EXPECT_EQ(form->Grid->TopRow(), index[2].row - 1);

    // A double click chooses as well; Cancela leaves the grid where it is.
    form->IndexButtonClick();
    window = form->findChild<TForm1*>();
    ASSERT_NE(window, nullptr);
    emit window->ListBox1->itemDoubleClicked(window->ListBox1->item(1));
    vortest::ProcessEvents();
    EXPECT_EQ(form->Grid->TopRow(), index[1].row - 1);
    form->IndexButtonClick();
    window = form->findChild<TForm1*>();
    ASSERT_NE(window, nullptr);
    window->ListBox1->setCurrentRow(3);
    window->CancelButton->click();
    vortest::ProcessEvents();
    EXPECT_EQ(form->Grid->TopRow(), index[1].row - 1);
}

TEST_F(OstrelWindowTest, SearchMarksTheLinesAndF3WalksThemWrapping)
{
    Open(Command(CopySample()));
    form->SearchButtonClick();
    ASSERT_TRUE(form->SearchPanel->isVisible());
    form->SearchEdit->setText(QStringLiteral("PEÇA p00"));
    form->SearchOkClick();
    EXPECT_FALSE(form->SearchPanel->isVisible());
    // Only ASCII letters lose their case: "Ç" must match as typed.
    EXPECT_EQ(messages().Last().text, SearchNotFoundMessage(Language::Portuguese));

    form->SearchButtonClick();
    form->SearchEdit->setText(QStringLiteral("peça p00"));
    form->SearchOkClick();
    EXPECT_EQ(messages().Last().text, SearchFoundMessage(Language::Portuguese, 9));
    std::vector<int> hits;
    for (int r = 0; r < form->Store().RowCount(); ++r)
        if (form->Store().Mark(r) == kMarkHit)
            hits.push_back(r);
    ASSERT_EQ(hits.size(), 9u);
    EXPECT_EQ(form->Store().Text(hits[0]), "Observação 1: conferir o sentido do veio e a fita de borda da peça P001.");

    for (int i = 0; i < 10; ++i) {
        PressKey(Qt::Key_F3);
        EXPECT_EQ(form->Grid->TopRow(), hits[static_cast<std::size_t>(i % 9)]) << i;
    }

    // With the case box ticked only the exact text counts.
    form->SearchButtonClick();
    form->MatchCaseBox->setChecked(true);
    form->SearchEdit->setText(QStringLiteral("peça p00"));
    form->SearchOkClick();
    EXPECT_EQ(messages().Last().text, SearchNotFoundMessage(Language::Portuguese));
    form->SearchEdit->setText(QStringLiteral("peça P00"));
    form->SearchOkClick();
    EXPECT_EQ(messages().Last().text, SearchFoundMessage(Language::Portuguese, 9));

    PressKey(Qt::Key_F5);
    for (int r = 0; r < form->Store().RowCount(); ++r)
        ASSERT_EQ(form->Store().Mark(r), kMarkNone) << r;
}

TEST_F(OstrelWindowTest, SearchCancelClearsTheMarks)
{
    Open(Command(CopySample()));
    form->SearchButtonClick();
    form->SearchEdit->setText(QStringLiteral("nota"));
    form->SearchOkClick();
    form->SearchButtonClick();
    form->SearchCancelClick();
    EXPECT_FALSE(form->SearchPanel->isVisible());
    for (int r = 0; r < form->Store().RowCount(); ++r)
        ASSERT_EQ(form->Store().Mark(r), kMarkNone) << r;
}

TEST_F(OstrelWindowTest, ShiftF4ShowsTheRawLinesAndTheFilePanel)
{
    const fs::path report = CopySample();
    Open(Command(report));
    EXPECT_FALSE(form->InfoPanel->isVisible());
    PressKey(Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_TRUE(form->Grid->RawView());
    EXPECT_TRUE(form->InfoPanel->isVisible());
    EXPECT_EQ(form->FileInfo->text().toStdString(), "Arquivo: " + report.string());
    const QImage shot = form->Grid->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 20, shot.height() - 2), QColor(255, 0, 0));
    PressKey(Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_FALSE(form->Grid->RawView());
    EXPECT_FALSE(form->InfoPanel->isVisible());
}

TEST_F(OstrelWindowTest, PointerMarksTheRowAndShapesTheCursor)
{
    Open(Command(CopySample()));
    const int plain = RowOf("Cliente: Marcenaria Boa Vista");
    MoveTo(plain);
    EXPECT_EQ(form->Grid->PointedRow(), plain);
    EXPECT_EQ(form->Grid->viewport()->cursor().shape(), Qt::CrossCursor);
    const int title = RowOf("@T Código ^Qtd ^Comprimento ^Largura Descrição_da_peça_do_armário");
    ASSERT_GT(title, 0);
    MoveTo(title + 1);
    EXPECT_EQ(form->Grid->PointedRow(), title + 1);
    EXPECT_EQ(form->Grid->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(OstrelWindowTest, TheCursorBandColoursTheTableRowUnderThePointer)
{
    struct Case {
        Mode mode;
        QColor band;
    };
    const Case cases[] = {{Mode::Normal, QColor(0, 255, 255)}, {Mode::NoPrint, QColor(255, 255, 0)}};
    for (const Case& c : cases) {
        Open(Command(CopySample(), c.mode));
        const int title = RowOf("@T Código ^Qtd ^Comprimento ^Largura Descrição_da_peça_do_armário");
        form->Grid->SetTopRow(title);
        vortest::ProcessEvents();
        const int row = title + 2;
        const int y = form->Grid->RowTop(row) + 1;
        // Inside the first cell, above its text.
        const QImage before = form->Grid->viewport()->grab().toImage();
        const int x = 10;
        const QColor plain = before.pixelColor(x, y);
        EXPECT_NE(plain, c.band);
        MoveTo(row);
        const QImage after = form->Grid->viewport()->grab().toImage();
        EXPECT_EQ(after.pixelColor(x, y), c.band);
        form.reset();
    }
}

// ---- Line editing ------------------------------------------------------------------------------------

TEST_F(OstrelWindowTest, EditingALineRewritesOnlyThatLine)
{
    const fs::path report = CopySample();
    const std::string before = vortest::ReadBytes(report);
    Open(Command(report));
    const int row = RowOf("Cliente: Marcenaria Boa Vista");
    ASSERT_GT(row, 0);
    Click(row, Qt::RightButton);
    ASSERT_TRUE(form->PopupMenu->isVisible());
    ASSERT_TRUE(form->EditLineItem->isEnabled());
    EXPECT_FALSE(form->DeleteTableItem->isEnabled());
    form->EditLineItem->trigger();
    form->PopupMenu->hide();
    ASSERT_TRUE(form->EditorPanel->isVisible());
    EXPECT_EQ(form->ComboBox1->currentText().toStdString(), "Cliente: Marcenaria Boa Vista");
    form->ComboBox1->setEditText(QStringLiteral("Cliente: Marcenaria São José"));
    form->EditorOk->click();
    vortest::ProcessEvents();
    EXPECT_FALSE(form->EditorPanel->isVisible());

    auto expected = SplitCrlf(before);
    // Row r holds file line r: row 0 is the blank row loading put first.
    expected[static_cast<std::size_t>(row - 1)] = vor::Utf8ToCp1252("Cliente: Marcenaria São José");
    EXPECT_EQ(vortest::ReadBytes(report), JoinCrlf(expected));
    EXPECT_EQ(form->Store().Text(row), "Cliente: Marcenaria São José");
    EXPECT_TRUE(messages().Texts().empty());
}

TEST_F(OstrelWindowTest, ShiftF5EditsThePointedLineAndCancelaChangesNothing)
{
    const fs::path report = CopySample();
    const std::string before = vortest::ReadBytes(report);
    Open(Command(report));
    const int row = RowOf("Projeto número: 1042");
    MoveTo(row);
    PressKey(Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(form->EditorPanel->isVisible());
    EXPECT_EQ(form->ComboBox1->currentText().toStdString(), "Projeto número: 1042");
    form->EditorCancel->click();
    EXPECT_FALSE(form->EditorPanel->isVisible());
    EXPECT_EQ(vortest::ReadBytes(report), before);

    // A line with codes is not offered for editing.
    MoveTo(RowOf("@***Lista de peças"));
    PressKey(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_FALSE(form->EditorPanel->isVisible());
}

TEST_F(OstrelWindowTest, EditingALongLineKeepsItsEndPastWhatIsShown)
{
    const std::string longLine = "Obs: " + std::string(240, 'x') + " fim da nota";
    const fs::path report = base() / "longo.txt";
    vortest::WriteBytes(report, JoinCrlf({"Relatório", longLine, "Total: 3"}));
    Open(Command(report));
    MoveTo(2);
    PressKey(Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(form->EditorPanel->isVisible());
    EXPECT_EQ(form->ComboBox1->currentText().toStdString(), longLine);
    form->ComboBox1->setEditText(QStringLiteral("Nota: ") + form->ComboBox1->currentText());
    form->EditorOk->click();
    vortest::ProcessEvents();
    // The report was typed in UTF-8, and an edit keeps the encoding it was read in.
    EXPECT_EQ(SplitCrlf(vortest::ReadBytes(report)),
              (std::vector<std::string>{"Relatório", "Nota: " + longLine, "Total: 3"}));
    EXPECT_TRUE(messages().Texts().empty());
}

TEST_F(OstrelWindowTest, InsertingAnIncludeAddsItsLinesAndRewritesComboRel)
{
    vortest::WriteBytes(base() / "COMBO.REL", "A\r\nTotal\r\nTotal\r\nSub\r\n");
    const fs::path include = base() / "trecho.txt";
    vortest::WriteBytes(include, "um\r\ndois\r\ntr\xEAs\r\n");
    const fs::path report = CopySample();
    const auto original = SplitCrlf(vortest::ReadBytes(report));
    Open(Command(report));
    EXPECT_EQ(form->ComboItems(), (std::vector<std::string>{"Total", "Sub"}));

    const int row = RowOf("Observação 3: conferir o sentido do veio e a fita de borda da peça P003.");
    ASSERT_GT(row, 0);
    Click(row, Qt::RightButton);
    const int top = form->Grid->TopRow();
    ASSERT_TRUE(form->InsertLineItem->isEnabled());
    form->InsertLineItem->trigger();
    form->PopupMenu->hide();
    ASSERT_TRUE(form->EditorPanel->isVisible());
    const std::string command = "<ARQ>" + include.string();
    form->ComboBox1->setEditText(QString::fromStdString(command));
    form->EditorOk->click();
    vortest::ProcessEvents();

    auto expected = original;
    expected.insert(expected.begin() + (row - 1), {"um", "dois", "tr\xEAs"});
    EXPECT_EQ(SplitCrlf(vortest::ReadBytes(report)), expected);
    EXPECT_EQ(form->Store().Text(row + 2), "três");
    EXPECT_EQ(form->Grid->TopRow(), top);
    EXPECT_EQ(SplitCrlf(vortest::ReadBytes(base() / "COMBO.REL")),
              (std::vector<std::string>{command, "Total", "Sub"}));

    // A missing include inserts nothing and says so.
    const std::string written = vortest::ReadBytes(report);
    Click(row, Qt::RightButton);
    form->InsertLineItem->trigger();
    form->PopupMenu->hide();
    form->ComboBox1->setEditText(QStringLiteral("<ARQ>/nao/existe.txt"));
    form->EditorOk->click();
    vortest::ProcessEvents();
    EXPECT_EQ(messages().Last().text, "Arquivo [/nao/existe.txt] não localizado.");
    EXPECT_EQ(vortest::ReadBytes(report), written);
}

TEST_F(OstrelWindowTest, DeletingALineAndATable)
{
    const fs::path report = CopySample();
    auto lines = SplitCrlf(vortest::ReadBytes(report));
    Open(Command(report));

    const int plain = RowOf("Observação 2: conferir o sentido do veio e a fita de borda da peça P002.");
    Click(plain, Qt::RightButton);
    ASSERT_TRUE(form->DeleteLineItem->isEnabled());
    form->DeleteLineItem->trigger();
    form->PopupMenu->hide();
    lines.erase(lines.begin() + (plain - 1));
    EXPECT_EQ(SplitCrlf(vortest::ReadBytes(report)), lines);

    const int title = RowOf("@T Sobra ^Comprimento ^Largura Destino");
    ASSERT_GT(title, 0);
    form->Grid->SetTopRow(title);
    vortest::ProcessEvents();
    Click(title + 5, Qt::RightButton);
    // The whole table is selected, and only deleting it is offered there.
    for (int r = title; r <= title + 40; ++r)
        ASSERT_EQ(form->Store().Mark(r), kMarkSelected) << r;
    EXPECT_EQ(form->Store().Mark(title + 41), kMarkNone);
    EXPECT_TRUE(form->DeleteTableItem->isEnabled());
    EXPECT_FALSE(form->DeleteLineItem->isEnabled());
    EXPECT_FALSE(form->EditLineItem->isEnabled());
    form->DeleteTableItem->trigger();
    form->PopupMenu->hide();
    lines.erase(lines.begin() + (title - 1), lines.begin() + (title - 1) + 41);
    EXPECT_EQ(SplitCrlf(vortest::ReadBytes(report)), lines);
    EXPECT_EQ(RowOf("@T Sobra ^Comprimento ^Largura Destino"), -1);
    for (int r = 0; r < form->Store().RowCount(); ++r)
        ASSERT_EQ(form->Store().Mark(r), kMarkNone) << r;
}

TEST_F(OstrelWindowTest, ALeftClickClearsTheMarks)
{
    Open(Command(CopySample()));
    const int row = RowOf("Cliente: Marcenaria Boa Vista");
    Click(row, Qt::RightButton);
    form->PopupMenu->hide();
    ASSERT_EQ(form->Store().Mark(row), kMarkSelected);
    Click(row, Qt::LeftButton);
    EXPECT_EQ(form->Store().Mark(row), kMarkNone);
}

// ---- Settings panel ----------------------------------------------------------------------------------

TEST_F(OstrelWindowTest, LetterSizeAndSpacingChangeTheRowHeights)
{
    Open(Command(CopySample()));
    const int plain = RowOf("Cliente: Marcenaria Boa Vista");
    EXPECT_EQ(form->LetterSizeBar->value(), 8);  // no ostrel.ini yet
    form->ConfigureButtonClick();
    EXPECT_TRUE(form->SettingsPanel->isVisible());
    form->LineSpacingBar->setValue(12);
    EXPECT_EQ(form->Store().Height(plain), 20);
    form->StandardButton->click();
    EXPECT_EQ(form->LetterSizeBar->value(), 9);
    EXPECT_EQ(form->LineSpacingBar->value(), 8);
    EXPECT_EQ(form->Store().Height(plain), 17);
    EXPECT_EQ(form->Rendering().letterSize, 9);

    form->TableColourGroup->button(2)->click();
    EXPECT_EQ(form->Rendering().corTab, 2);
    form->CursorBandBox->setChecked(false);
    EXPECT_FALSE(form->Rendering().cursorBand);
    form->SettingsOk->click();
    EXPECT_FALSE(form->SettingsPanel->isVisible());
}

// ---- Closing --------------------------------------------------------------------------------------------

TEST_F(OstrelWindowTest, SettingsAreWrittenOnCloseAsTheModeAndTheBoxSay)
{
    struct Case {
        Mode mode;
        bool ticked;
        bool written;
    };
    const Case cases[] = {
        {Mode::Normal, true, true},
        {Mode::Normal, false, false},
        {Mode::Help, true, false},
        {Mode::NoPrint, true, true},
    };
    const fs::path ini = iniDir() / "ostrel.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 10 + (c.ticked ? 1 : 0));
        fs::remove(ini);
        Open(Command(CopySample(), c.mode));
        form->SaveBox->setChecked(c.ticked);
        form->LetterSizeBar->setValue(10);
        form->resize(form->width(), 450);
        form->close();
        vortest::ProcessEvents();
        EXPECT_EQ(fs::exists(ini), c.written);
        if (c.written) {
            const vor::IniFile file(ini);
            EXPECT_EQ(file.ReadInteger("GERAL", "TAM_LETRAS", 0), 10);
            EXPECT_EQ(file.ReadInteger("GERAL", "ALTURA_JANELA", 0), 450);
            const OstrelSettings read = ReadSettings(file);
            OstrelSettings expected = form->Settings();
            expected.windowHeight = 450;
            EXPECT_EQ(read, expected);
        }
        form.reset();
    }
}

TEST_F(OstrelWindowTest, LeavingTheProgramClosesWithTheClipboardReply)
{
    Open(Command(CopySample(), Mode::Normal, false));
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    ASSERT_TRUE(vortest::WaitUntil([this] { return !form->isVisible(); }));
    EXPECT_EQ(clipboard.Text(), "OSTRELFIM");
    EXPECT_EQ(clipboard.Writes(), 1);
    // Closing saved the settings.
    EXPECT_TRUE(fs::exists(iniDir() / "ostrel.ini"));
}

TEST_F(OstrelWindowTest, ComingBackAtOnceKeepsTheWindowOpen)
{
    Open(Command(CopySample(), Mode::Normal, false));
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    vortest::WaitUntil([] { return false; }, 400ms);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clipboard.Writes(), 0);
}

TEST_F(OstrelWindowTest, StartedWithFLeavingKeepsTheWindowOpen)
{
    Open(Command(CopySample(), Mode::Normal, true));
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    vortest::WaitUntil([] { return false; }, 400ms);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clipboard.Writes(), 0);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
}

TEST_F(OstrelWindowTest, AnOpenDialogKeepsTheWindowOpenWhenLeaving)
{
    Open(Command(CopySample(), Mode::Normal, false));
    form->IndexButtonClick();
    auto* window = form->findChild<TForm1*>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(vortest::WaitUntil([window] { return window->isVisible(); }));
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    vortest::WaitUntil([] { return false; }, 400ms);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clipboard.Writes(), 0);
    window->CancelButton->click();
    vortest::ProcessEvents();
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    ASSERT_TRUE(vortest::WaitUntil([this] { return !form->isVisible(); }));
    EXPECT_EQ(clipboard.Text(), "OSTRELFIM");
}

TEST_F(OstrelWindowTest, ScreenshotOfTheSampleReport)
{
    Open(Command(CopySample()));
    MoveTo(RowOf(" P002 3 374 206 Lateral_direita"));
    const QString file = QStringLiteral(VOR_TEST_OUTPUT_DIR "/ostrel_window.png");
    const QImage shot = form->grab().toImage();
    EXPECT_TRUE(shot.save(file));
    // The heading fill, the blue heading text and a coloured table band are on the picture.
    const auto has = [&shot](QColor c) {
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) == c)
                    return true;
        return false;
    };
    EXPECT_TRUE(has(QColor(230, 230, 230)));  // "@F" with COR_TIT 1
    EXPECT_TRUE(has(QColor(192, 192, 192)));  // the boxes
    EXPECT_TRUE(has(QColor(160, 160, 255)));  // table header, scheme 6
    EXPECT_TRUE(has(QColor(220, 255, 220)));  // even data row, even column

    form->ConfigureButtonClick();
    EXPECT_TRUE(form->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/ostrel_settings.png")));
}

}  // namespace
}  // namespace ostreltest
