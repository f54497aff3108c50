// The pick list and the one-line text input, the material window asking
// through the text input, and the Qt launcher with real processes.
#include "vorplan/shell/pick_list_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_process_launcher.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/orders/ui/material_window.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/text_input_window.h"

namespace {

namespace fs = std::filesystem;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;

void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void Erase(QLineEdit* edit)
{
    edit->selectAll();
    PressKey(edit, Qt::Key_Backspace);
}

void ClickItem(QListWidget* list, int row)
{
    QWidget* viewport = list->viewport();
    const QPoint at = list->visualItemRect(list->item(row)).center();
    const QPoint global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

void DoubleClick(QWidget* widget)
{
    const QPoint at = widget->rect().center();
    QMouseEvent event(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Runs `act` as soon as `window()` is shown by the modal call that follows.
void WhenShown(std::function<QWidget*()> window, std::function<void()> act)
{
    QTimer::singleShot(0, [window, act] {
        if (WaitUntil([&] { return window() && window()->isVisible(); }))
            act();
    });
}

QString PicturePath(const QString& name)
{
    const QString folder = QStringLiteral(VOR_BINARY_DIR "/tests/shell/dialog_pictures");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name + QStringLiteral(".png");
}

class DialogsTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedPick = std::make_unique<vor::PickListState>(vor::gPickList);
        vor::gShared.languageIndex = 1;
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        vor::gMainWindow = {};
        vor::gPickList = {};
    }

    void TearDown() override
    {
        delete vor::Form7;
        delete vor::Form19;
        delete vor::Form15;
        ProcessEvents();
        vor::TForm15::SetFieldTitlePrompt(nullptr);
        vor::gMainWindow = {};
        vor::gPickList = *m_savedPick;
        vor::gShared = *m_saved;
    }

    fs::path ListFile() const { return base() / "CFG" / "DESC_PEC.LST"; }

    // Opens the pick list with `parameters` without blocking.
    vor::TForm7& OpenPickList(const vor::PickListParameters& parameters)
    {
        vor::gPickList.parameters = parameters;
        vor::TForm7* form = vor::CreateForm7();
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        return *form;
    }

    vor::PickListParameters ComboParameters() const
    {
        return vor::PickListParameters{vor::kPickCombo, "Descrição", {"Escolha a descrição", "", ""},
                                       ListFile(), 300};
    }

    static QStringList Items(const QComboBox& combo)
    {
        QStringList items;
        for (int i = 0; i < combo.count(); ++i)
            items << combo.itemText(i);
        return items;
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
    std::unique_ptr<vor::PickListState> m_savedPick;
};

TEST_F(DialogsTest, OneInstanceEach)
{
    EXPECT_EQ(vor::Form7, nullptr);
    EXPECT_EQ(vor::Form19, nullptr);
    vor::TForm7* pick = vor::CreateForm7();
    vor::TForm19* input = vor::CreateForm19();
    EXPECT_EQ(vor::CreateForm7(), pick);
    EXPECT_EQ(vor::CreateForm19(), input);
    delete pick;
    EXPECT_EQ(vor::Form7, nullptr);
}

TEST_F(DialogsTest, ThreeEmptyLinesAndNoMinimumGiveTheNarrowestWindow)
{
    vor::TForm7& form = OpenPickList({vor::kPickCombo, "T", {"", "", ""}, {}, 0});
    EXPECT_EQ(form.width(), 200);
    EXPECT_EQ(form.Memo1->width(), 180);
    EXPECT_EQ(form.ComboBox1->width(), 200 - 75 - 40);
    EXPECT_EQ(form.Memo1->toPlainText(), QString());
    const int memo = form.Memo1->height();
    EXPECT_EQ(memo, vor::PickListMemoHeight({form.fontMetrics().height(), form.fontMetrics().height(),
                                             form.fontMetrics().height()}));
    EXPECT_EQ(form.height(), memo + 2 * 25 + 24);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("T"));
    EXPECT_TRUE(form.geometry().right() < form.screen()->availableGeometry().right());
}

TEST_F(DialogsTest, ComboModeOkNeedsATextAndSavesTheTypedTextFirst)
{
    WriteBytes(ListFile(), "A\r\nOak\r\nOak\r\nPine\r\n");
    vor::TForm7& form = OpenPickList(ComboParameters());
    QLineEdit* edit = form.ComboBox1->lineEdit();
    EXPECT_TRUE(form.ComboBox1->isVisible());
    EXPECT_FALSE(form.ListBox1->isVisible());
    EXPECT_EQ(Items(*form.ComboBox1), (QStringList{QStringLiteral("Oak"), QStringLiteral("Pine")}));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("Escolha a descrição"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("msg 25"));
    EXPECT_TRUE(vor::gPickList.results.cancelled);

    // Empty: Ok is off and Enter does nothing.
    EXPECT_FALSE(form.Button1->isEnabled());
    PressKey(edit, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ReadBytes(ListFile()), "A\r\nOak\r\nOak\r\nPine\r\n");

    TypeText(edit, QStringLiteral("El"));
    EXPECT_TRUE(form.Button1->isEnabled());
    Erase(edit);
    EXPECT_EQ(form.ComboBox1->currentText(), QString());
    EXPECT_FALSE(form.Button1->isEnabled());

    // Choosing from the drop-down enables Ok too.
    form.ComboBox1->setCurrentIndex(0);
    emit form.ComboBox1->activated(0);
    EXPECT_TRUE(form.Button1->isEnabled());
    PressKey(edit, Qt::Key_Return);

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ReadBytes(ListFile()), "Oak\r\nPine\r\n");  // no second Oak
    EXPECT_EQ(vor::gPickList.results.pickedText, "Oak");
    EXPECT_TRUE(vor::gPickList.results.confirmed);
    EXPECT_FALSE(vor::gPickList.results.cancelled);
    // Closing clears the lines and the list file; the next caller sets them.
    EXPECT_EQ(vor::gPickList.parameters.lines, (std::array<std::string, 3>{}));
    EXPECT_TRUE(vor::gPickList.parameters.listFile.empty());
}

TEST_F(DialogsTest, ComboTypeAheadCompletesFromTheRememberedEntries)
{
    WriteBytes(ListFile(), "Oak\r\nPine board\r\n");
    vor::TForm7& form = OpenPickList(ComboParameters());
    QLineEdit* edit = form.ComboBox1->lineEdit();
    TypeText(edit, QStringLiteral("pi"));
    // The entry as it is written, the completed part selected.
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("Pine board"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("ne board"));
    form.Button1->click();
    EXPECT_EQ(vor::gPickList.results.pickedText, "Pine board");
    EXPECT_EQ(ReadBytes(ListFile()), "Pine board\r\nOak\r\n");

    // Deleting the completion leaves what was typed.
    vor::TForm7& again = OpenPickList(ComboParameters());
    edit = again.ComboBox1->lineEdit();
    TypeText(edit, QStringLiteral("o"));
    EXPECT_EQ(again.ComboBox1->currentText(), QStringLiteral("Oak"));
    PressKey(edit, Qt::Key_Backspace);
    EXPECT_EQ(again.ComboBox1->currentText(), QStringLiteral("O"));
    TypeText(edit, QStringLiteral("x"));
    EXPECT_EQ(again.ComboBox1->currentText(), QStringLiteral("Ox"));
    again.Button2->click();
}

// Leaving the pick list for another window and coming back keeps what the
// window took at opening: Ok still writes the list file it was opened with.
TEST_F(DialogsTest, ComboModeKeepsItsListFileWhenTheFocusLeaves)
{
    WriteBytes(ListFile(), "Oak\r\nPine\r\n");
    vor::TForm7& form = OpenPickList(ComboParameters());
    TypeText(form.ComboBox1->lineEdit(), QStringLiteral("Elm"));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return other.isActiveWindow(); }));
    form.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return form.isActiveWindow(); }));
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("Elm"));
    EXPECT_EQ(vor::gPickList.parameters.listFile, ListFile());

    vor::gPickList.parameters = {};  // whatever else the program did meanwhile
    form.Button1->click();
    EXPECT_EQ(ReadBytes(ListFile()), "Elm\r\nOak\r\nPine\r\n");
    EXPECT_EQ(vor::gPickList.results.pickedText, "Elm");
}

TEST_F(DialogsTest, ComboModeShowsOnlyTheEntriesOfItsOwnFile)
{
    WriteBytes(ListFile(), "Oak\r\nPine\r\n");
    OpenPickList(ComboParameters()).Button2->click();
    vor::PickListParameters other = ComboParameters();
    other.listFile = base() / "CFG" / "missing.lst";
    vor::TForm7& form = OpenPickList(other);
    EXPECT_EQ(form.ComboBox1->count(), 0);
    TypeText(form.ComboBox1->lineEdit(), QStringLiteral("Ash"));
    form.Button1->click();
    EXPECT_EQ(ReadBytes(other.listFile), "Ash\r\n");
}

TEST_F(DialogsTest, CtrlDeleteRemovesTheChosenEntryAfterYes)
{
    WriteBytes(ListFile(), "Oak\r\nPine\r\nAsh\r\n");
    vor::TForm7& form = OpenPickList(ComboParameters());
    QLineEdit* edit = form.ComboBox1->lineEdit();
    form.ComboBox1->setCurrentIndex(1);

    messages().Script({platform::Answer::No});
    PressKey(edit, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(messages().Last().text, "Apagar o registro \"Pine\"");
    EXPECT_EQ(form.ComboBox1->count(), 3);

    messages().Script({platform::Answer::Yes});
    PressKey(edit, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Items(*form.ComboBox1), (QStringList{QStringLiteral("Oak"), QStringLiteral("Ash")}));
    EXPECT_TRUE(form.isVisible());

    Erase(edit);
    TypeText(edit, QStringLiteral("Elm"));
    form.Button1->click();
    EXPECT_EQ(ReadBytes(ListFile()), "Elm\r\nOak\r\nAsh\r\n");
}

TEST_F(DialogsTest, QuestionModeAnswers)
{
    const vor::PickListParameters question{vor::kPickQuestion, "msg 558", {"msg 559", "msg 560", "msg 561"},
                                           {}, 310};
    vor::TForm7& form = OpenPickList(question);
    EXPECT_EQ(form.width(), 310);
    EXPECT_FALSE(form.ComboBox1->isVisible());
    EXPECT_FALSE(form.ListBox1->isVisible());
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_EQ(form.Button1->text(), QStringLiteral("msg 102"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("msg 103"));
    EXPECT_EQ(form.Button1->y(), form.Button2->y());
    // Side by side and centred.
    EXPECT_EQ(form.Button1->x() + form.Button2->geometry().right() + 1, form.width());
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("msg 559\nmsg 560\nmsg 561"));
    form.Button1->click();
    EXPECT_TRUE(vor::gPickList.results.confirmed);
    EXPECT_FALSE(vor::gPickList.results.cancelled);
    EXPECT_EQ(vor::gPickList.results.pickedText, "");

    OpenPickList(question).Button2->click();
    EXPECT_FALSE(vor::gPickList.results.confirmed);
    EXPECT_TRUE(vor::gPickList.results.cancelled);
}

TEST_F(DialogsTest, RecordModeClickPicksWithoutConfirming)
{
    WriteBytes(base() / "TMP" / "records.lst", "12\\Pine 18 mm\r\n7\\Oak\r\nNo column\r\n");
    vor::TForm7& form =
        OpenPickList({vor::kPickRecords, "Material", {"Escolha", "", ""}, base() / "TMP" / "records.lst", 550});
    EXPECT_TRUE(form.ListBox1->isVisible());
    EXPECT_FALSE(form.ComboBox1->isVisible());
    EXPECT_FALSE(form.Button1->isVisible());
    EXPECT_EQ(form.width(), 550);
    EXPECT_EQ(form.ListBox1->height(), 130);
    EXPECT_EQ(form.height(), form.Memo1->height() + 150);
    ASSERT_EQ(form.ListBox1->count(), 3);
    EXPECT_TRUE(form.grab().save(PicturePath(QStringLiteral("pick_list_records_numbered"))));

    ClickItem(form.ListBox1, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(vor::gPickList.results.pickedText, "12\\Pine 18 mm");
    EXPECT_FALSE(vor::gPickList.results.cancelled);
    EXPECT_FALSE(vor::gPickList.results.confirmed);
}

TEST_F(DialogsTest, RecordModeFilledByTheCallerOrEmptiedByAMissingFile)
{
    vor::CreateForm7()->SetRecordItems({"1\\Pine", "2\\Oak"});
    vor::TForm7& form = OpenPickList({vor::kPickRecords, "Material", {"", "", ""}, {}, 0});
    ASSERT_EQ(form.ListBox1->count(), 2);
    ClickItem(form.ListBox1, 1);
    EXPECT_EQ(vor::gPickList.results.pickedText, "2\\Oak");

    const fs::path missing = base() / "TMP" / "none.lst";
    vor::TForm7& again = OpenPickList({vor::kPickRecords, "Material", {"", "", ""}, missing, 0});
    EXPECT_EQ(messages().Texts(), (std::vector<std::string>{"Não achei \"" + missing.string() + "\""}));
    EXPECT_EQ(again.ListBox1->count(), 0);
    again.Button2->click();
    EXPECT_TRUE(vor::gPickList.results.cancelled);
}

TEST_F(DialogsTest, CloseBoxAndEscapeLeaveThePickCancelled)
{
    WriteBytes(ListFile(), "Oak\r\n");
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        vor::TForm7& form = OpenPickList(ComboParameters());
        TypeText(form.ComboBox1->lineEdit(), QStringLiteral("Elm"));
        if (way == 0)
            form.close();
        else
            PressKey(form.ComboBox1->lineEdit(), Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(vor::gPickList.results.cancelled);
        EXPECT_FALSE(vor::gPickList.results.confirmed);
        EXPECT_EQ(vor::gPickList.results.pickedText, "");
        EXPECT_EQ(ReadBytes(ListFile()), "Oak\r\n");
    }
}

TEST_F(DialogsTest, ShowPickListIsModalAndReturnsTheResults)
{
    WhenShown([] { return vor::Form7; }, [] { vor::Form7->Button1->click(); });
    const vor::PickListResults results =
        vor::ShowPickList({vor::kPickQuestion, "Q", {"Apagar?", "", ""}, {}, 0});
    EXPECT_TRUE(results.confirmed);
    EXPECT_FALSE(vor::Form7->isVisible());
}

TEST_F(DialogsTest, PickListStaysInsideTheScreen)
{
    const QRect screen = vor::CreateForm7()->screen()->availableGeometry();
    vor::gMainWindow.geometry.fullWidth = screen.width();
    vor::gMainWindow.geometry.centreX = screen.right() - 20;
    vor::gMainWindow.geometry.listTop = 120;
    vor::TForm7& form = OpenPickList({vor::kPickQuestion, "Q", {"", "", ""}, {}, 400});
    EXPECT_EQ(form.x() + form.width(), screen.x() + screen.width() - 10);
    EXPECT_EQ(form.y(), 120);
}

// ---- The one-line text input ---------------------------------------------------------

TEST_F(DialogsTest, TextInputConfirmsByOkOrEnterAndCancels)
{
    struct Case {
        const char* name;
        std::function<void()> act;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Enter",
         [] {
             Erase(vor::Form19->Edit1);
             TypeText(vor::Form19->Edit1, QStringLiteral("Espessura"));
             PressKey(vor::Form19->Edit1, Qt::Key_Return);
         },
         "Espessura"},
        {"Ok",
         [] {
             TypeText(vor::Form19->Edit1, QStringLiteral(" 2"));
             vor::Form19->Button1->click();
         },
         "Cor 2"},
        {"Cancela",
         [] {
             TypeText(vor::Form19->Edit1, QStringLiteral("x"));
             vor::Form19->Button2->click();
         },
         std::nullopt},
        {"Escape", [] { PressKey(vor::Form19->Edit1, Qt::Key_Escape); }, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WhenShown([] { return vor::Form19; }, c.act);
        EXPECT_EQ(vor::AskTextInput("Cor", 250), c.expected);
        EXPECT_FALSE(vor::Form19->isVisible());
    }
}

TEST_F(DialogsTest, TextInputLayout)
{
    vor::TForm19* form = vor::CreateForm19();
    form->Edit1->setText(QStringLiteral("Cor"));
    form->Edit1->resize(250, form->Edit1->height());
    form->show();
    ASSERT_TRUE(WaitUntil([form] { return form->isVisible(); }));
    EXPECT_FALSE(form->InputConfirmed);
    EXPECT_EQ(form->width(), 272);
    EXPECT_EQ(form->Button1->x(), 272 - 75 - 10);
    EXPECT_EQ(form->Button2->x(), form->Button1->x());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("msg 817"));
    EXPECT_EQ(form->Button2->text(), QStringLiteral("msg 25"));
    EXPECT_EQ(form->windowTitle(), QString());
    EXPECT_FALSE(form->CheckBox1->isVisible());
    EXPECT_EQ(form->focusWidget(), form->Edit1);
    form->close();
}

// The material window's double click on a yellow title asks through the
// text input once the prompts are installed; what the user typed elsewhere
// in the material window stays.
TEST_F(DialogsTest, MaterialWindowTitleDoubleClickAsksThroughTheTextInput)
{
    vor::InstallMaterialWindowPrompts();
    vor::gShared.currentMaterial = 12;
    vor::TForm15* material = vor::CreateForm15();
    material->show();
    material->activateWindow();
    ASSERT_TRUE(WaitUntil([material] { return material->isActiveWindow(); }));
    material->TitleLabels[2]->setText(QStringLiteral("Cor"));
    TypeText(material->Edit1, QStringLiteral("Chapa"));

    QString shownText;
    int shownWidth = 0;
    WhenShown([] { return vor::Form19; }, [&] {
        shownText = vor::Form19->Edit1->text();
        shownWidth = vor::Form19->Edit1->width();
        Erase(vor::Form19->Edit1);
        TypeText(vor::Form19->Edit1, QStringLiteral("Veio"));
        PressKey(vor::Form19->Edit1, Qt::Key_Return);
    });
    DoubleClick(material->TitleLabels[2]);
    EXPECT_EQ(shownText, QStringLiteral("Cor"));
    EXPECT_EQ(shownWidth, vor::kFieldTitleInputWidth);
    EXPECT_EQ(material->TitleLabels[2]->text(), QStringLiteral("Veio"));

    WhenShown([] { return vor::Form19; }, [] {
        TypeText(vor::Form19->Edit1, QStringLiteral("zzz"));
        vor::Form19->Button2->click();
    });
    DoubleClick(material->TitleLabels[2]);
    EXPECT_EQ(material->TitleLabels[2]->text(), QStringLiteral("Veio"));

    ProcessEvents();
    EXPECT_TRUE(material->isVisible());
    EXPECT_EQ(material->Edit1->text(), QStringLiteral("Chapa"));
    material->Button1->click();
    EXPECT_NE(ReadBytes(base() / "MAT" / "CAMPOS.INI").find("CAMPO3=Veio\r\n"), std::string::npos);
}

// ---- Pictures with the shipped language files --------------------------------------

TEST_F(DialogsTest, ShippedLanguagesScreenshots)
{
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    WriteBytes(ListFile(), "Porta\r\nGaveta\r\nLateral esquerda\r\n");
    WriteBytes(base() / "TMP" / "records.lst", "12\\Pinho 18 mm\r\n7\\Carvalho\r\n99001\\MDF branco\r\n");
    for (int language = 1; language <= 5; ++language) {
        SCOPED_TRACE(language);
        fs::copy_file(vor::LanguageFile(shipped, language), vor::LanguageFile(vor::gShared.folders, language),
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages, vor::gShared.iconCaptions);
        const QString suffix = QStringLiteral("_%1").arg(language);

        vor::TForm7& combo = OpenPickList(ComboParameters());
        TypeText(combo.ComboBox1->lineEdit(), QStringLiteral("Ga"));
        EXPECT_FALSE(combo.Button2->text().isEmpty());
        EXPECT_TRUE(combo.grab().save(PicturePath(QStringLiteral("pick_list_combo") + suffix)));
        combo.Button2->click();

        vor::TForm7& question =
            OpenPickList({vor::kPickQuestion, vor::Msg(558), {vor::Msg(559), vor::Msg(560), vor::Msg(561)}, {}, 310});
        EXPECT_FALSE(question.Button1->text().isEmpty());
        EXPECT_FALSE(question.Button2->text().isEmpty());
        EXPECT_TRUE(question.grab().save(PicturePath(QStringLiteral("pick_list_question") + suffix)));
        question.Button2->click();

        vor::TForm7& records = OpenPickList(
            {vor::kPickRecords, "Material", {"Escolha o material", "", ""}, base() / "TMP" / "records.lst", 550});
        EXPECT_TRUE(records.grab().save(PicturePath(QStringLiteral("pick_list_records") + suffix)));
        records.Button2->click();

        vor::TForm19* input = vor::CreateForm19();
        input->Edit1->setText(QStringLiteral("Cor"));
        input->Edit1->resize(vor::kFieldTitleInputWidth, input->Edit1->height());
        input->show();
        ASSERT_TRUE(WaitUntil([input] { return input->isVisible(); }));
        EXPECT_FALSE(input->Label1->text().isEmpty());
        EXPECT_FALSE(input->Button2->text().isEmpty());
        EXPECT_TRUE(input->grab().save(PicturePath(QStringLiteral("text_input") + suffix)));
        input->close();
        ProcessEvents();
    }
}

// ---- The Qt launcher with real processes ---------------------------------------------

class QtLauncherTest : public vortest::UiTest {
protected:
    fs::path Script(const std::string& name, const std::string& body) const
    {
        const fs::path file = m_dir.path() / name;
        WriteBytes(file, "#!/bin/sh\n" + body + "\n");
        fs::permissions(file, fs::perms::owner_all, fs::perm_options::replace);
        return file;
    }

    const fs::path& dir() const { return m_dir.path(); }

private:
    vortest::TempDir m_dir;
};

TEST_F(QtLauncherTest, StartsInTheWorkingFolderWithEachArgumentWhole)
{
    platform::QtProcessLauncher launcher;
    const fs::path program = Script("helper", "printf '%s\\n' \"$@\" > started.txt");
    const fs::path folder = dir() / "work dir";
    fs::create_directories(folder);
    ASSERT_TRUE(launcher.StartProgram(program, {"/a b/RELAT.TXT", "x#y"}, folder));
    const std::string expected = "/a b/RELAT.TXT\nx#y\n";
    EXPECT_TRUE(WaitUntil([&] {
        return fs::exists(folder / "started.txt") && ReadBytes(folder / "started.txt") == expected;
    }));
}

TEST_F(QtLauncherTest, StartsThatCannotWorkAreFailures)
{
    platform::QtProcessLauncher launcher;
    const fs::path program = Script("helper", "exit 0");
    const fs::path plain = dir() / "plain";
    WriteBytes(plain, "#!/bin/sh\n");
    EXPECT_FALSE(launcher.StartProgram(dir() / "missing", {}, dir()));
    EXPECT_FALSE(launcher.StartProgram(plain, {}, dir()));  // not executable
    EXPECT_FALSE(launcher.StartProgram(program, {}, dir() / "no folder"));
    EXPECT_FALSE(launcher.StartProgram(dir(), {}, dir()));  // a folder
}

TEST_F(QtLauncherTest, OpenDocumentFollowsTheOpenersAnswer)
{
    const fs::path document = dir() / "plano de corte.rtf";
    WriteBytes(document, "{\\rtf1}");
    const fs::path seen = dir() / "seen.txt";

    platform::QtProcessLauncher opens(Script("opens", "printf '%s' \"$1\" > '" + seen.string() + "'").string(),
                                      std::chrono::milliseconds(5000));
    EXPECT_TRUE(opens.OpenDocument(document));
    EXPECT_EQ(ReadBytes(seen), document.string());

    platform::QtProcessLauncher refuses(Script("refuses", "exit 3").string(), std::chrono::milliseconds(5000));
    EXPECT_FALSE(refuses.OpenDocument(document));

    // An opener that runs the application itself counts as opened once the
    // grace time has passed, without waiting for its end.
    platform::QtProcessLauncher stays(Script("stays", "sleep 3").string(), std::chrono::milliseconds(200));
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(stays.OpenDocument(document));
    EXPECT_LT(timer.elapsed(), 5000);

    fs::remove(seen);
    EXPECT_FALSE(opens.OpenDocument(dir() / "missing.rtf"));
    EXPECT_FALSE(fs::exists(seen));
    platform::QtProcessLauncher none((dir() / "no-opener").string());
    EXPECT_FALSE(none.OpenDocument(document));
    platform::QtProcessLauncher unknown("vorlane-no-such-opener");
    EXPECT_FALSE(unknown.OpenDocument(document));
}

}  // namespace
