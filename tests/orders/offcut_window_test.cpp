#include "vorplan/orders/ui/offcut_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_message_service.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using vor::OffcutRow;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;

constexpr long long kMaterial = 5;

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

std::string Crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

class OffcutWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.languageIndex = 1;
        vor::gShared.currentMaterial = kMaterial;
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        WriteBytes(vor::MaterialFile(vor::gShared.folders, kMaterial),
                   "[DESC]\r\nCAMPO1=Pinho 18mm\r\n");
    }

    void TearDown() override
    {
        delete vor::Form2;
        ProcessEvents();
        vor::gShared = *m_saved;
    }

    fs::path TableFile() const { return vor::OffcutTableFile(vor::gShared.folders, kMaterial); }

    // `n` rows "i,+,1,10,10,row i," in the table file.
    void WriteRows(long n)
    {
        std::vector<std::string> lines;
        for (long i = 1; i <= n; ++i)
            lines.push_back(std::to_string(i) + ",+,1,10,10,row " + std::to_string(i) + ",");
        WriteBytes(TableFile(), Crlf(lines));
    }

    // Opens the window as the F4 key does, without blocking.
    vor::TForm2& Open()
    {
        vor::TForm2* form = vor::CreateForm2();
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        return *form;
    }

    static const std::string& Cell(const vor::TForm2& form, long row, int column)
    {
        return form.Grid().Cell(row, column);
    }

    static void Select(vor::TForm2& form, long row, int column)
    {
        form.StringGrid1->setFocus();
        form.StringGrid1->setCurrentIndex(
            form.StringGrid1->model()->index(static_cast<int>(row - 1), column));
    }

    static void Key(vor::TForm2& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form.StringGrid1, key, modifiers);
        ProcessEvents();
    }

    // The line editor open on the current cell, after typing `first` on the grid.
    static QLineEdit* StartTyping(vor::TForm2& form, char first)
    {
        QTest::keyClick(form.StringGrid1, first);
        ProcessEvents();
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(OffcutWindowTest, OpensTheTableWithItsCaptions)
{
    vor::gShared.settings.showDecimals = false;
    WriteBytes(TableFile(), "7,+,3,500,400,left over,\r\n2, ,1,250.5,100,,\r\n");
    vor::TForm2& form = Open();

    EXPECT_EQ(form.TableFile(), TableFile());
    EXPECT_EQ(form.Grid().RowCount(), 3);
    EXPECT_EQ(form.Grid().Rows()[0], (OffcutRow{"1", "+", "3", "500", "400", "left over"}));
    EXPECT_EQ(form.Grid().Rows()[1], (OffcutRow{"2", " ", "1", "250.5", "100", ""}));
    EXPECT_EQ(form.CurrentRow(), 1);
    EXPECT_EQ(form.CurrentColumn(), 1);
    EXPECT_EQ(form.StringGrid1->currentIndex().row(), 0);

    EXPECT_EQ(form.windowTitle(), Q("msg 584 5:  Pinho 18mm"));
    const QStringList headings = {Q("msg 586"), Q("M"),       Q("msg 141"),
                                  Q("msg 142"), Q("msg 143"), Q("msg 145")};
    const int characters[] = {4, 1, 4, 8, 8, 35};
    const int x = form.StringGrid1->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(form.StringGrid1->model()->headerData(column, Qt::Horizontal), headings[column]);
        EXPECT_EQ(form.StringGrid1->columnWidth(column), characters[column] * x + 5);
    }
    EXPECT_EQ(form.Button1->text(), Q("msg 728"));
    EXPECT_EQ(form.Button2->text(), Q("msg 585"));
    EXPECT_EQ(form.Button3->text(), Q("Ok"));
    EXPECT_EQ(form.Button4->text(), Q("msg 25"));

    // The fixed column can not be chosen.
    EXPECT_FALSE(form.StringGrid1->model()->flags(form.StringGrid1->model()->index(0, 0)) &
                 Qt::ItemIsEnabled);
    form.close();
}

TEST_F(OffcutWindowTest, MissingFileOpensWithOneEmptyRowAndAMissingMaterialShowsQuestionMarks)
{
    fs::remove(vor::MaterialFile(vor::gShared.folders, kMaterial));
    vor::TForm2& form = Open();
    ASSERT_EQ(form.Grid().RowCount(), 2);
    EXPECT_EQ(form.Grid().Rows()[0], (OffcutRow{"1", " ", " ", " ", " ", " "}));
    EXPECT_EQ(form.windowTitle(), Q("msg 584 5:  ???"));
    form.Button3->click();  // Ok with nothing to keep
    EXPECT_EQ(ReadBytes(TableFile()), "");
}

TEST_F(OffcutWindowTest, EnterMovesRightWrapsAndAddsAMarkedRow)
{
    WriteRows(1);
    vor::TForm2& form = Open();
    Select(form, 1, 1);
    for (int column = 2; column <= 5; ++column) {
        Key(form, Qt::Key_Return);
        EXPECT_EQ(form.CurrentRow(), 1);
        EXPECT_EQ(form.CurrentColumn(), column);
    }
    Key(form, Qt::Key_Enter);  // from the last column
    EXPECT_EQ(form.Grid().RowCount(), 3);
    EXPECT_EQ(form.CurrentRow(), 2);
    EXPECT_EQ(form.CurrentColumn(), 1);
    EXPECT_EQ(form.Grid().Rows()[1], (OffcutRow{"2", "+", " ", " ", " ", " "}));
    EXPECT_EQ(form.StringGrid1->currentIndex(), form.StringGrid1->model()->index(1, 1));
    // The widths were normalised on the way.
    EXPECT_EQ(Cell(form, 1, 3), "10.0");

    // Typed into a cell: "500,50" becomes 500.5 on Enter.
    Select(form, 2, 3);
    QLineEdit* editor = StartTyping(form, '5');
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("00,50"));
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(Cell(form, 2, 3), "500.5");
    EXPECT_EQ(form.CurrentRow(), 2);
    EXPECT_EQ(form.CurrentColumn(), 4);
    EXPECT_EQ(QApplication::focusWidget(), form.StringGrid1);
    form.close();
}

TEST_F(OffcutWindowTest, AddingStopsAtNineHundredRows)
{
    WriteRows(898);
    vor::TForm2& form = Open();
    ASSERT_EQ(form.Grid().RowCount(), 899);
    Select(form, 1, 2);
    Key(form, Qt::Key_Plus);
    EXPECT_EQ(form.Grid().RowCount(), 900);
    Key(form, Qt::Key_Plus);
    EXPECT_EQ(form.Grid().RowCount(), 900);

    Select(form, 899, 5);
    Key(form, Qt::Key_Return);
    EXPECT_EQ(form.Grid().RowCount(), 900);
    EXPECT_EQ(form.CurrentRow(), 899);
    EXPECT_EQ(form.CurrentColumn(), 1);
    form.close();
}

TEST_F(OffcutWindowTest, LongerFileLoadsAndSavesWhole)
{
    WriteRows(1000);
    vor::TForm2& form = Open();
    EXPECT_EQ(form.Grid().RowCount(), 1001);
    form.Button2->click();
    EXPECT_EQ(form.Grid().RowsToSave().size(), 1000u);
    EXPECT_NE(ReadBytes(TableFile()).find("1000,+,1,10.0,10.0,row 1000,\r\n"), std::string::npos);
    form.close();
}

TEST_F(OffcutWindowTest, PlusInsertsMinusDeletesCtrlMinusClears)
{
    WriteRows(3);
    vor::TForm2& form = Open();
    Select(form, 2, 3);
    Key(form, Qt::Key_Plus);
    ASSERT_EQ(form.Grid().RowCount(), 5);
    EXPECT_EQ(form.Grid().Rows()[2], (OffcutRow{"3", " ", " ", " ", " ", " "}));
    EXPECT_EQ(Cell(form, 4, 5), "row 3");

    Select(form, 3, 3);
    Key(form, Qt::Key_Minus);
    ASSERT_EQ(form.Grid().RowCount(), 4);
    EXPECT_EQ(Cell(form, 3, 5), "row 3");
    EXPECT_EQ(Cell(form, 3, 0), "3");
    // The last row deleted: the cursor stays in the table.
    Select(form, 3, 2);
    Key(form, Qt::Key_Minus);
    EXPECT_EQ(form.Grid().RowCount(), 3);
    EXPECT_EQ(form.CurrentRow(), 2);

    // Ctrl with Shift is not Ctrl alone: one row goes, not the table.
    Key(form, Qt::Key_Minus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.Grid().RowCount(), 2);
    Key(form, Qt::Key_Minus);
    EXPECT_EQ(form.Grid().RowCount(), 2);  // the last data row stays

    Select(form, 1, 1);
    Key(form, Qt::Key_Plus);
    Key(form, Qt::Key_Plus);
    ASSERT_EQ(form.Grid().RowCount(), 4);
    Key(form, Qt::Key_Minus, Qt::ControlModifier);
    ASSERT_EQ(form.Grid().RowCount(), 2);
    EXPECT_EQ(form.Grid().Rows()[0], (OffcutRow{"1", "", "", "", "", ""}));
    EXPECT_EQ(form.CurrentRow(), 1);
    // The keypad minus with Ctrl clears too.
    Key(form, Qt::Key_Plus);
    Key(form, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(form.Grid().RowCount(), 2);
    form.close();
}

TEST_F(OffcutWindowTest, ClickOnAMarkTogglesIt)
{
    WriteRows(2);
    vor::TForm2& form = Open();
    const auto click = [&form](int row, int column) {
        const QRect cell = form.StringGrid1->visualRect(form.StringGrid1->model()->index(row, column));
        QTest::mouseClick(form.StringGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        ProcessEvents();
    };
    click(1, 1);
    EXPECT_EQ(Cell(form, 2, 1), " ");
    EXPECT_EQ(form.CurrentRow(), 2);
    EXPECT_EQ(form.CurrentColumn(), 1);
    click(1, 1);
    EXPECT_EQ(Cell(form, 2, 1), "+");
    click(0, 3);
    EXPECT_EQ(Cell(form, 1, 3), "10.0");
    EXPECT_EQ(Cell(form, 1, 1), "+");
    EXPECT_EQ(form.CurrentRow(), 1);
    EXPECT_EQ(form.CurrentColumn(), 3);
    form.close();
}

TEST_F(OffcutWindowTest, ConfirmationBoxNeitherReloadsNorClosesTheTable)
{
    WriteRows(2);
    vor::TForm2& form = Open();
    form.StringGrid1->model()->setData(form.StringGrid1->model()->index(0, 5), Q("edited"));
    WriteRows(7);  // a reload would show these
    const std::string onDisk = ReadBytes(TableFile());

    messages().Script({Answer::No});
    form.Button1->click();
    ProcessEvents();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "msg 173");
    EXPECT_EQ(messages().Last().buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Grid().RowCount(), 3);
    EXPECT_EQ(Cell(form, 1, 5), "edited");

    // Another window of the program and back: still the same table.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(WaitUntil([&other] { return other.isActiveWindow(); }));
    form.activateWindow();
    ASSERT_TRUE(WaitUntil([&form] { return form.isActiveWindow(); }));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Cell(form, 1, 5), "edited");

    messages().Script({Answer::Yes});
    form.Button1->click();
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(form.Grid().RowCount(), 2);
    EXPECT_EQ(form.Grid().Rows()[0], (OffcutRow{"1", "", "", "", "", ""}));
    EXPECT_EQ(ReadBytes(TableFile()), onDisk);  // clearing is no saving
    form.close();
}

// The same with a real box, which takes the activation and gives it back.
TEST_F(OffcutWindowTest, RealConfirmationBoxKeepsTheEdits)
{
    WriteRows(2);
    vor::TForm2& form = Open();
    form.StringGrid1->model()->setData(form.StringGrid1->model()->index(1, 5), Q("edited"));
    WriteRows(7);

    platform::QtMessageService boxes;
    platform::ScopedMessages real(boxes);
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        WaitUntil([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); });
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::No)->click();
            answered = true;
        }
    });
    form.Button1->click();
    ProcessEvents();
    ASSERT_TRUE(answered);
    form.activateWindow();
    ASSERT_TRUE(WaitUntil([&form] { return form.isActiveWindow(); }));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Grid().RowCount(), 3);
    EXPECT_EQ(Cell(form, 2, 5), "edited");
    form.close();
}

TEST_F(OffcutWindowTest, SalvaKeepsOpenOkClosesCancelaDiscards)
{
    vor::gShared.settings.showDecimals = false;
    WriteBytes(TableFile(), Crlf({"7,+,3,500,400,left over,", "8,+,,1,1,no quantity,"}));
    vor::TForm2& form = Open();
    QAbstractItemModel* model = form.StringGrid1->model();
    model->setData(model->index(1, 2), Q("2"));
    form.Button2->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ReadBytes(TableFile()), Crlf({"1,+,3,500,400,left over,", "2,+,2,1,1,no quantity,"}));

    model->setData(model->index(0, 2), Q(" "));
    form.Button4->click();  // Cancela
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ReadBytes(TableFile()), Crlf({"1,+,3,500,400,left over,", "2,+,2,1,1,no quantity,"}));

    // Each opening reads the file again.
    Open();
    EXPECT_EQ(Cell(form, 1, 2), "3");
    model->setData(model->index(0, 2), Q(""));  // dropped on saving
    form.Button3->click();  // Ok
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ReadBytes(TableFile()), Crlf({"1,+,2,1,1,no quantity,"}));
}

TEST_F(OffcutWindowTest, TypedTextIsSavedEvenWhileStillInTheCell)
{
    vor::TForm2& form = Open();
    Select(form, 1, 2);
    form.StringGrid1->model()->setData(form.StringGrid1->model()->index(0, 3), Q("500"));
    form.StringGrid1->model()->setData(form.StringGrid1->model()->index(0, 4), Q("300"));
    Select(form, 1, 2);
    QLineEdit* editor = StartTyping(form, '4');
    ASSERT_NE(editor, nullptr);
    form.Button2->click();  // the cell being typed in counts
    EXPECT_EQ(ReadBytes(TableFile()), "1, ,4,500,300, ,\r\n");
    form.close();
}

TEST_F(OffcutWindowTest, CommaRefusedInADescriptionAndReplacedOnPaste)
{
    vor::TForm2& form = Open();
    Select(form, 1, 5);
    QLineEdit* editor = StartTyping(form, 'a');
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral(",b"));
    EXPECT_EQ(editor->text(), Q("ab"));
    EXPECT_EQ(sound().Count(platform::RecordingSound::Call::Beep), 1u);

    QGuiApplication::clipboard()->setText(Q("c,d;e"));
    editor->paste();
    EXPECT_EQ(editor->text(), Q("abc d e"));
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(Cell(form, 1, 5), "abc d e");

    // A comma is the decimal mark in a width.
    Select(form, 1, 3);
    editor = StartTyping(form, '1');
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral(",5"));
    EXPECT_EQ(editor->text(), Q("1,5"));
    form.close();
}

TEST_F(OffcutWindowTest, SaveThatCannotWriteReportsAndKeepsTheTable)
{
    fs::create_directory(TableFile());  // a folder where the file should be
    vor::TForm2& form = Open();
    for (const auto& [column, text] : {std::pair{2, "3"}, {3, "500"}, {4, "300"}})
        form.StringGrid1->model()->setData(form.StringGrid1->model()->index(0, column), Q(text));
    QTest::mouseClick(form.Button3, Qt::LeftButton);  // Ok, through the guard
    ProcessEvents();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().kind, platform::MessageKind::Error);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Cell(form, 1, 2), "3");
    form.close();
}

// After "Apaga" and a typed row, "Salva" wrote 1,,2,500.0,300.0,offcut A, and
// the list report read quantity 500 and height 0; an emptied width stopped the
// calculation of the material.
TEST_F(OffcutWindowTest, SaveNeverWritesAnEmptyFieldAndRefusesARowWithoutASize)
{
    const std::string original = Crlf({"1,+,3,500,400,left over,"});
    WriteBytes(TableFile(), original);
    vor::TForm2& form = Open();
    QAbstractItemModel* model = form.StringGrid1->model();
    messages().Script({Answer::Yes});
    form.Button1->click();  // Apaga
    ProcessEvents();
    for (const auto& [column, text] : {std::pair{2, "2"}, {3, "500"}, {4, "300"}, {5, "offcut A"}})
        model->setData(model->index(0, column), Q(text));

    struct Case {
        const char* width;
        const char* height;
        const char* message;  // nullptr: saved
    };
    const Case cases[] = {
        {"", "300", "msg 443 (msg 586 1)"},
        {"500", " ", "msg 442 (msg 586 1)"},
        {"0", "300", "msg 443 (msg 586 1)"},
        {"-5", "300", "msg 443 (msg 586 1)"},
        {"abc", "300", "msg 443 (msg 586 1)"},
        {"500", "300", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        model->setData(model->index(0, 3), Q(c.width));
        model->setData(model->index(0, 4), Q(c.height));
        for (QPushButton* button : {form.Button2, form.Button3}) {  // Salva, Ok
            if (!c.message)
                break;
            messages().ClearShown();
            button->click();
            ProcessEvents();
            ASSERT_EQ(messages().Count(), 1u);
            EXPECT_EQ(messages().Last().text, c.message);
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(ReadBytes(TableFile()), original);
        }
    }
    form.Button2->click();
    EXPECT_EQ(ReadBytes(TableFile()), "1, ,2,500,300,offcut A,\r\n");
    form.close();
}

// The shared check, and the window's own caption.
std::vector<QString> ControlsWithoutText(const vor::TForm2& form)
{
    std::vector<QString> missing = vortest::ControlsWithoutText(form);
    if (form.windowTitle().trimmed().isEmpty())
        missing.push_back(QStringLiteral("caption"));
    return missing;
}

// With the language files the installation ships, in every language.
TEST_F(OffcutWindowTest, ShippedLanguagesGiveEveryControlATextScreenshots)
{
    WriteBytes(TableFile(), Crlf({"1,+,3,500,400,left over,", "2, ,1,250.5,100,,",
                                  "3,+,2,1830,600,Sobra da chapa 12,"}));
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        fs::copy_file(vor::LanguageFile(shipped, language),
                      vor::LanguageFile(vor::gShared.folders, language),
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        vor::TForm2& form = Open();
        form.StringGrid1->setFocus();
        ProcessEvents();
        const std::vector<QString> missing = ControlsWithoutText(form);
        EXPECT_TRUE(missing.empty()) << "language " << language << ", without a text: "
                                     << QStringList(missing.begin(), missing.end()).join(Q(", ")).toStdString();
        const QString picture =
            QStringLiteral(VOR_TEST_OUTPUT_DIR "/offcut_window_%1.png").arg(language);
        EXPECT_TRUE(form.grab().save(picture));
        form.close();
        ProcessEvents();
    }
}

}  // namespace
