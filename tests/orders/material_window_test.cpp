#include "vorplan/orders/ui/material_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

namespace fs = std::filesystem;
using vortest::ProcessEvents;
using vortest::WaitUntil;

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

platform::LocalTime At(int hour, int minute, int second)
{
    platform::LocalTime t;
    t.year = 2024;
    t.month = 3;
    t.day = 5;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

class MaterialWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.languageIndex = 1;
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        m_clock.SetNow(At(14, 7, 9));
    }

    void TearDown() override
    {
        delete vor::Form15;
        ProcessEvents();
        vor::TForm15::SetFieldTitlePrompt(nullptr);
        vor::gShared = *m_saved;
    }

    fs::path MaterialPath(long long code) const
    {
        return vor::MaterialFile(vor::gShared.folders, code);
    }
    fs::path TitlesPath() const { return base() / "MAT" / "CAMPOS.INI"; }

    // Opens the window for `code` the way the resources window does, without blocking.
    vor::TForm15& Open(long long code)
    {
        vor::gShared.currentMaterial = code;
        vor::TForm15* form = vor::CreateForm15();
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        return *form;
    }

    static void ShowPageOf(vor::TForm15& form, QWidget* control)
    {
        for (int i = 0; i < form.PageControl1->count(); ++i) {
            if (form.PageControl1->widget(i)->isAncestorOf(control))
                form.PageControl1->setCurrentIndex(i);
        }
    }

    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    platform::FakeClock m_clock;
    platform::ScopedClock m_installedClock{m_clock};

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(MaterialWindowTest, OneInstance)
{
    EXPECT_EQ(vor::Form15, nullptr);
    vor::TForm15* form = vor::CreateForm15();
    EXPECT_EQ(vor::Form15, form);
    EXPECT_EQ(vor::CreateForm15(), form);
    EXPECT_EQ(form->PageControl1->count(), 6);
}

TEST_F(MaterialWindowTest, OpeningShowsTheMaterialWithItsCaptions)
{
    vortest::WriteBytes(MaterialPath(12),
                        "[DESC]\r\nCAMPO1=Chapa\r\nCAMPO3=terceiro\r\nFAMILIA=Fam\r\n"
                        "ACABAMENTO=Lixado\r\n[PED]\r\nCRIACAO=01/01/20  01:02:03\r\n"
                        "[PROP_FISIC]\r\nCTE_DIM_PC=5\r\nLIMITA_COMP_CORTE_LIVRE=0\r\n"
                        "COMP_LIMITE_CORTE=2500\r\nGERA_RET=0\r\nGIRO=0\r\nPODE_DIVIDIR=1\r\n"
                        "[PROP_COMERC]\r\nPRECO_COMPRA=1234,5\r\nFATOR_VENDA=2\r\n");
    vortest::WriteBytes(TitlesPath(), "[DESC]\r\nCAMPO2=Segundo titulo\r\n");
    vor::gShared.settings.money = "US$";
    vor::TForm15& form = Open(12);

    EXPECT_EQ(form.windowTitle(), Q("msg 823 - msg 241 12"));
    EXPECT_EQ(form.Panel2->text(), Q("12"));
    EXPECT_EQ(form.Label1->text(), Q("msg 241"));
    EXPECT_EQ(form.x(), 4);
    EXPECT_EQ(form.PageControl1->currentIndex(), 0);
    EXPECT_TRUE(form.PageControl1->isTabVisible(0));
    EXPECT_TRUE(form.PageControl1->isTabVisible(1));
    EXPECT_TRUE(form.PageControl1->isTabVisible(2));
    EXPECT_FALSE(form.PageControl1->isTabVisible(3));  // Propriedades 3
    EXPECT_FALSE(form.PageControl1->isTabVisible(4));  // Cálculos especiais
    EXPECT_FALSE(form.PageControl1->isTabVisible(5));  // Material duplo
    EXPECT_EQ(form.PageControl1->tabText(1), Q("msg 824 1"));
    EXPECT_EQ(QApplication::focusWidget(), form.Edit1);

    EXPECT_EQ(form.Edit1->text(), Q("Chapa"));
    EXPECT_EQ(form.FieldEdits[1]->text(), Q("terceiro"));
    EXPECT_EQ(form.TitleLabels[1]->text(), Q("Segundo titulo"));
    EXPECT_EQ(form.Edit2->text(), Q("Fam"));
    EXPECT_EQ(form.Edit4->text(), Q("Lixado"));
    EXPECT_EQ(form.Panel3->text(), Q("01/01/20  01:02:03"));
    EXPECT_EQ(form.Panel4->text(), Q("05/03/24  14:07:09"));  // no stamp yet: now
    // The single piece constant on both axes.
    EXPECT_EQ(form.Edit18->text(), Q("5"));
    EXPECT_EQ(form.Edit16->text(), Q("5"));
    EXPECT_EQ(form.Edit17->text(), Q("5"));
    EXPECT_TRUE(form.RadioButton4->isChecked());  // Limitado
    EXPECT_EQ(form.Edit19->text(), Q("2500"));
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_FALSE(form.Edit14->isEnabled());
    EXPECT_TRUE(form.RadioButton6->isChecked());
    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_TRUE(form.RadioButton7->isChecked());

    EXPECT_EQ(form.Panel6->text(), Q("2.469,00"));
    EXPECT_EQ(form.Label31->text(), Q("US$"));
    EXPECT_EQ(form.Label35->text(), Q("US$"));
    EXPECT_EQ(form.Label32->text(), Q("/ m2"));
    EXPECT_EQ(form.Label36->text(), Q("/ m2"));
    // 953 is one of the texts fixed in the program for Portuguese.
    const QString price = platform::ToQString(vor::Msg(953));
    EXPECT_EQ(form.Label37->text(), price + Q(" = ( msg 143 x msg 142 ) x K"));
    EXPECT_EQ(form.Label39->text(), price + Q("= ( ( ( msg 143 x msg 142 ) / 2 ) + 0.75 ) x Qtd x C"));
    EXPECT_EQ(form.Button2->text(), Q("msg 25"));
    EXPECT_EQ(form.CheckBox1->text(), platform::ToQString(vor::Msg(931)));
    form.close();
}

TEST_F(MaterialWindowTest, MissingFileShowsTheDefaults)
{
    vor::TForm15& form = Open(12);
    EXPECT_EQ(form.Edit1->text(), QString());
    EXPECT_EQ(form.Edit12->text(), Q("0"));
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.Edit14->isEnabled());
    EXPECT_TRUE(form.RadioButton3->isChecked());  // Livre
    EXPECT_EQ(form.Edit19->text(), Q("10000"));
    EXPECT_TRUE(form.RadioButton5->isChecked());
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_EQ(form.Edit27->text(), Q("1"));
    EXPECT_EQ(form.Edit33->text(), Q("---"));
    EXPECT_EQ(form.Panel6->text(), Q("0,00"));
    EXPECT_EQ(form.Panel5->palette().color(QPalette::Window), QColor(255, 255, 255));
    form.close();
}

const char* const kOkGolden =
    "[DESC]\r\nCAMPO1=Chapa de teste\r\nCAMPO2=\r\nCAMPO3=\r\nCAMPO4=\r\nCAMPO5=\r\nCAMPO6=\r\n"
    "CAMPO7=\r\nCAMPO8=oito\r\nFAMILIA=MDF\r\nFORNECEDOR=\r\nACABAMENTO=\r\n"
    "[PED]\r\nCRIACAO=05/03/24  14:07:09\r\nULT_MODIF=05/03/24  14:30:00\r\n"
    "[PROP_FISIC]\r\nLARG_SERRA=3,2\r\nLARG_MIN_D=0\r\nGERA_RET=0\r\nLARG_MIN_R=0\r\n"
    "ALT_MIN_R=0\r\nCTE_DIM_PC=0\r\nCTE_X_DIM_PC=0\r\nCTE_Y_DIM_PC=1.5\r\n"
    "LIMITA_COMP_CORTE_LIVRE=0\r\nCOMP_LIMITE_CORTE=2500\r\nGIRO=1\r\nPODE_DIVIDIR=0\r\n"
    "COR=16777215\r\nCTE_DIM_CIMA_CHP=0\r\nCTE_DIM_BAIXO_CHP=0\r\nCTE_DIM_ESQ_CHP=0\r\n"
    "CTE_DIM_DIR_CHP=10\r\nESPESSURA=0\r\nPESO_ESP=0\r\n"
    "[PROP_COMERC]\r\nPRECO_COMPRA=1234,5\r\nFATOR_VENDA=2\r\nFATOR_CORTE=0\r\n"
    "[TEMPOS]\r\nT1=0\r\nT2=0\r\nT3=0\r\nT4=0\r\n"
    "[MAT_DUPLO]\r\nDESC=---\r\nMAT1=\r\nMAT2=\r\n";

TEST_F(MaterialWindowTest, OkOnAMissingFileWritesEveryKeyGolden)
{
    vor::TForm15::SetFieldTitlePrompt(
        [](const std::string&) { return std::optional<std::string>("Cor"); });
    vor::TForm15& form = Open(12);
    QTest::keyClicks(form.Edit1, Q("Chapa de teste"));
    QTest::keyClicks(form.Edit2, Q("MDF"));
    QTest::keyClicks(form.FieldEdits[6], Q("oito"));
    QTest::mouseDClick(form.TitleLabels[0], Qt::LeftButton);
    Retype(form.Edit12, Q("3,2"));
    form.RadioButton2->click();
    form.RadioButton4->click();
    Retype(form.Edit19, Q("2500"));
    Retype(form.Edit17, Q("1.5"));
    Retype(form.Edit23, Q("10"));
    Retype(form.Edit26, Q("1234,5"));
    Retype(form.Edit27, Q("2"));
    EXPECT_EQ(form.Panel6->text(), Q("2.469,00"));

    m_clock.SetNow(At(14, 30, 0));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.OkPressed());
    EXPECT_EQ(vortest::ReadBytes(MaterialPath(12)), kOkGolden);
    EXPECT_EQ(vortest::ReadBytes(TitlesPath()),
              "[DESC]\r\nCAMPO1=Cor\r\nCAMPO2=\r\nCAMPO3=\r\nCAMPO4=\r\nCAMPO5=\r\nCAMPO6=\r\n"
              "CAMPO7=\r\n");

    // The record loads what the window wrote.
    vor::LoadMaterial(12);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.kerf, 32);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.pieceConstantY, 15);
    EXPECT_TRUE(vor::gShared.currentMaterialRecord.cutLengthLimited);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.cutLengthLimit, 25000);
}

TEST_F(MaterialWindowTest, OkWritesTheSinglePieceConstantToBothAxesAndKeepsOtherKeys)
{
    vortest::WriteBytes(MaterialPath(12),
                        "[PROP_FISIC]\r\nCTE_DIM_PC=5\r\nOWN_KEY=kept\r\n[MINE]\r\nA=1\r\n");
    vor::TForm15& form = Open(12);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    const vor::IniFile ini(MaterialPath(12));
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "CTE_X_DIM_PC", ""), "5");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "CTE_Y_DIM_PC", ""), "5");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "CTE_DIM_PC", ""), "5");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "OWN_KEY", ""), "kept");
    EXPECT_EQ(ini.ReadString("MINE", "A", ""), "1");
    // Keys of the pages not shown are written too.
    EXPECT_EQ(ini.ReadString("TEMPOS", "T4", "missing"), "0");
    EXPECT_EQ(ini.ReadString("MAT_DUPLO", "DESC", ""), "---");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "PODE_DIVIDIR", ""), "0");
}

TEST_F(MaterialWindowTest, CancelaAndEscapeLeaveTheFilesByteIdentical)
{
    const std::string original =
        "; hand-written\n[DESC]\nCAMPO1 = \"Chapa\"\ncampo2=x\n[PROP_FISIC]\nLARG_SERRA=3,2\n"
        "[OTHER]\nkey=value";
    vortest::WriteBytes(MaterialPath(12), original);
    vor::TForm15::SetFieldTitlePrompt(
        [](const std::string&) { return std::optional<std::string>("T"); });
    for (int round = 0; round < 2; ++round) {
        vor::TForm15& form = Open(12);
        QTest::keyClicks(form.Edit1, Q(" mais"));
        Retype(form.Edit12, Q("5"));
        form.RadioButton6->click();
        QTest::mouseDClick(form.TitleLabels[3], Qt::LeftButton);
        if (round == 0)
            QTest::mouseClick(form.Button2, Qt::LeftButton);
        else
            QTest::keyClick(form.Edit1, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << round;
        EXPECT_FALSE(form.OkPressed());
        EXPECT_EQ(vortest::ReadBytes(MaterialPath(12)), original) << round;
        EXPECT_FALSE(fs::exists(TitlesPath()));
    }
}

// Special materials: read-only fields and the key message; a key filter
// alone would let a paste through.
TEST_F(MaterialWindowTest, SpecialMaterialsRefuseTypingAndPastingInTheProtectedFields)
{
    struct Case {
        long long code;
        bool special;
    };
    const Case cases[] = {{50001, true}, {99001, true}, {49999, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        vortest::WriteBytes(MaterialPath(c.code), "[DESC]\r\nCAMPO1=abc\r\n");
        vor::TForm15& form = Open(c.code);
        std::vector<QLineEdit*> protectedEdits = {form.Edit1,  form.Edit2,  form.Edit3,
                                                  form.Edit12, form.Edit13, form.Edit14,
                                                  form.Edit15, form.Edit24, form.Edit25};
        protectedEdits.insert(protectedEdits.end(), form.FieldEdits.begin(), form.FieldEdits.end());
        EXPECT_EQ(form.Edit18->isReadOnly(), c.special);

        QGuiApplication::clipboard()->setText(Q("PASTED"));
        for (QLineEdit* edit : protectedEdits) {
            SCOPED_TRACE(edit->objectName().toStdString());
            ShowPageOf(form, edit);
            const QString before = edit->text();
            messages().ClearShown();
            EXPECT_EQ(edit->isReadOnly(), c.special);
            edit->end(false);
            QTest::keyClicks(edit, Q("x"));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            // The context menu offers no Paste, nor any other change.
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            for (QAction* action : menu->actions()) {
                const QString name = action->objectName();
                if (name == QLatin1String("edit-paste")) {
                    EXPECT_EQ(action->isEnabled(), !c.special);
                } else if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-delete")) {
                    EXPECT_FALSE(action->isEnabled()) << name.toStdString();  // nothing selected
                }
            }
            if (c.special) {
                EXPECT_EQ(edit->text(), before);
                ASSERT_GE(messages().Count(), 1u);
                EXPECT_EQ(messages().Last().text, vor::SpecialMaterialText(c.code));
                QTest::keyClick(edit, Qt::Key_Backspace);
                EXPECT_EQ(edit->text(), before);
            } else {
                EXPECT_EQ(edit->text(), before + Q("xPASTEDPASTED"));
                EXPECT_EQ(messages().Count(), 0u);
            }
        }
        // The prices are not protected.
        messages().ClearShown();
        QTest::keyClicks(form.Edit26, Q("5"));
        EXPECT_EQ(form.Edit26->text(), Q("05"));
        EXPECT_EQ(messages().Count(), 0u);
        form.close();
        ProcessEvents();
    }
    // The two special ranges explain themselves differently.
    EXPECT_NE(vor::SpecialMaterialText(50001), vor::SpecialMaterialText(99001));
}

TEST_F(MaterialWindowTest, SalePriceFollowsPriceAndFactor)
{
    vor::TForm15& form = Open(12);
    Retype(form.Edit26, Q("1234,5"));
    EXPECT_EQ(form.Panel6->text(), Q("1.234,50"));
    Retype(form.Edit27, Q("2"));
    EXPECT_EQ(form.Panel6->text(), Q("2.469,00"));
    Retype(form.Edit26, Q("1234.5"));
    EXPECT_EQ(form.Panel6->text(), Q("2.469,00"));
    Retype(form.Edit27, Q("x"));
    EXPECT_EQ(form.Panel6->text(), Q("0,00"));
    form.close();
}

TEST_F(MaterialWindowTest, OffcutChoiceEnablesTheMinimumSizes)
{
    vor::TForm15& form = Open(12);
    form.PageControl1->setCurrentIndex(1);
    form.RadioButton2->click();
    EXPECT_FALSE(form.Edit14->isEnabled());
    EXPECT_FALSE(form.Edit15->isEnabled());
    EXPECT_EQ(form.Label17->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(form.Label18->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    form.RadioButton1->click();
    EXPECT_TRUE(form.Edit14->isEnabled());
    EXPECT_TRUE(form.Edit15->isEnabled());
    EXPECT_EQ(form.Label17->palette().color(QPalette::WindowText), QColor(Qt::black));
    form.close();
}

TEST_F(MaterialWindowTest, FinishIsNotTypedHereAndDoubleDescriptionCopies)
{
    vortest::WriteBytes(MaterialPath(12), "[DESC]\r\nACABAMENTO=Lixado\r\n");
    vor::TForm15& form = Open(12);
    QTest::keyClicks(form.Edit4, Q("a"));
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "msg 761");
    EXPECT_EQ(form.Edit4->text(), QString());

    form.Edit33->setText(Q("Duplo"));
    EXPECT_EQ(form.Edit1->text(), QString());  // filled, not typed
    form.Edit33->setCursorPosition(5);
    QTest::keyClicks(form.Edit33, Q("X"));
    EXPECT_EQ(form.Edit1->text(), Q("DuploX"));
    form.close();
}

TEST_F(MaterialWindowTest, ColourIsChosenInTheColourDialogAndStoredAsBgr)
{
    vortest::WriteBytes(MaterialPath(12), "[PROP_FISIC]\r\nCOR=5649426\r\n");  // 0x563412
    vor::TForm15& form = Open(12);
    form.PageControl1->setCurrentIndex(1);
    EXPECT_EQ(form.Panel5->palette().color(QPalette::Window), QColor(18, 52, 86));

    // Cancelled: nothing changes.
    QColor shownFirst;
    QTimer::singleShot(0, [&shownFirst] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownFirst = dialog->currentColor();
        dialog->reject();
    });
    QTest::mouseClick(form.Panel5, Qt::LeftButton);
    EXPECT_EQ(shownFirst, QColor(18, 52, 86));
    EXPECT_EQ(form.Values().colour, 5649426);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    QTest::mouseClick(form.Panel5, Qt::LeftButton);
    EXPECT_EQ(form.Panel5->palette().color(QPalette::Window), QColor(10, 20, 30));
    // Coming back from its own dialog does not load the file again.
    EXPECT_EQ(form.Values().colour, (30 << 16) | (20 << 8) | 10);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(vor::IniFile(MaterialPath(12)).ReadString("PROP_FISIC", "COR", ""), "1971210");
}

TEST_F(MaterialWindowTest, SpecialMaterialsOpenNoColourDialog)
{
    vor::TForm15& form = Open(50001);
    form.PageControl1->setCurrentIndex(1);
    bool dialogShown = false;
    QTimer::singleShot(50, [&dialogShown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogShown = qobject_cast<QColorDialog*>(modal) != nullptr;
            modal->close();
        }
    });
    QTest::mouseClick(form.Panel5, Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_FALSE(dialogShown);
    form.close();
}

TEST_F(MaterialWindowTest, DoubleClickOnATitleAsksForItsNewText)
{
    vortest::WriteBytes(TitlesPath(), "[DESC]\r\nCAMPO3=Velha\r\n");
    vor::TForm15& form = Open(12);
    QTest::mouseDClick(form.TitleLabels[2], Qt::LeftButton);  // no prompt installed: nothing
    EXPECT_EQ(form.TitleLabels[2]->text(), Q("Velha"));

    std::string asked;
    std::optional<std::string> answer = "Nova";
    vor::TForm15::SetFieldTitlePrompt([&](const std::string& title) {
        asked = title;
        return answer;
    });
    answer = std::nullopt;  // cancelled
    QTest::mouseDClick(form.TitleLabels[2], Qt::LeftButton);
    EXPECT_EQ(asked, "Velha");
    EXPECT_EQ(form.TitleLabels[2]->text(), Q("Velha"));
    answer = "Nova";
    QTest::mouseDClick(form.TitleLabels[2], Qt::LeftButton);
    EXPECT_EQ(form.TitleLabels[2]->text(), Q("Nova"));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(vor::ReadFieldTitles(TitlesPath())[2], "Nova");
}

TEST_F(MaterialWindowTest, ReturningFromAnotherWindowKeepsWhatWasTyped)
{
    vortest::WriteBytes(MaterialPath(12), "[DESC]\r\nCAMPO1=one\r\n");
    QWidget other;
    other.show();
    vor::TForm15& form = Open(12);
    QTest::keyClick(form.Edit1, Qt::Key_End);
    QTest::keyClicks(form.Edit1, Q(" typed"));
    other.activateWindow();
    ASSERT_TRUE(WaitUntil([&other] { return other.isActiveWindow(); }));
    form.activateWindow();
    ASSERT_TRUE(WaitUntil([&form] { return form.isActiveWindow(); }));
    EXPECT_EQ(form.Edit1->text(), Q("one typed"));
    form.close();

    // A new opening reads the file again.
    vortest::WriteBytes(MaterialPath(12), "[DESC]\r\nCAMPO1=two\r\n");
    Open(12);
    EXPECT_EQ(form.Edit1->text(), Q("two"));
    form.close();
}

TEST_F(MaterialWindowTest, OkThatCannotWriteReportsAndStaysOpen)
{
    fs::create_directory(MaterialPath(12));  // a folder where the file should be
    vor::TForm15& form = Open(12);
    QTest::keyClicks(form.Edit1, Q("kept"));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    ProcessEvents();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.OkPressed());
    EXPECT_EQ(form.Edit1->text(), Q("kept"));
    form.close();
}



// The shipped example material in the shipped languages: every control of
// every page shown carries a text, and pictures are left in the build tree.
TEST_F(MaterialWindowTest, ShippedLanguagesGiveEveryControlATextScreenshots)
{
    fs::copy_file(fs::path(VOR_SOURCE_DIR) / "dist" / "MAT" / "M99000.INI", MaterialPath(99000));
    vortest::WriteBytes(TitlesPath(), "[DESC]\r\nCAMPO1=Cor\r\nCAMPO2=Veio\r\nCAMPO3=Norma\r\n"
                                      "CAMPO4=Origem\r\nCAMPO5=Lote\r\nCAMPO6=Uso\r\nCAMPO7=Nota\r\n");
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        fs::copy_file(vor::LanguageFile(shipped, language),
                      vor::LanguageFile(vor::gShared.folders, language),
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        vor::TForm15& form = Open(99000);
        for (int page = 0; page < 3; ++page) {
            form.PageControl1->setCurrentIndex(page);
            ProcessEvents();
            const std::vector<QString> missing = vortest::ControlsWithoutText(form);
            EXPECT_TRUE(missing.empty())
                << "language " << language << ", page " << page << ", without a text: " << vortest::JoinNames(missing);
            const QString picture = QStringLiteral(VOR_TEST_OUTPUT_DIR "/material_window_%1_%2.png")
                                        .arg(language)
                                        .arg(page + 1);
            EXPECT_TRUE(form.grab().save(picture));
        }
        form.close();
        ProcessEvents();
    }
}

}  // namespace
