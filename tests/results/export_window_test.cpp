#include "vorplan/results/ui/export_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/fake_file_dialog.h"
#include "platform/qt_text.h"
#include "platform/system_info.h"
#include "tests/results/results_window_support.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;
using platform::FromQString;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WriteBytes;

class ExportWindowTest : public vortest::ResultsWindowTest {
protected:
    void TearDown() override
    {
        platform::SetSystemInfo(nullptr);
        delete vor::Form28;
        ResultsWindowTest::TearDown();
    }

    void Interfaces(bool mrp, bool cnc)
    {
        fs::remove(vor::MrpSettingsFile(folders()));
        fs::remove(vor::CncSettingsFile(folders()));
        if (mrp)
            WriteBytes(vor::MrpSettingsFile(folders()),
                       vor::EncodeTextLines({"[MRP]", "MRP_NAME=Compras", "PRJ_DESCRIPTION=Pedidos"}));
        if (cnc)
            WriteBytes(vor::CncSettingsFile(folders()),
                       vor::EncodeTextLines({"[CNC]", "CNC_DRIVER_NAME=Serra X"}));
    }

    vor::TForm28& Open()
    {
        vor::TForm28* form = vor::CreateForm28();
        form->show();
        ProcessEvents();
        return *form;
    }

    static void Click(QAbstractButton* button)
    {
        button->click();
        ProcessEvents();
    }

    std::string Example(const char* extension) const
    {
        return (folders().exportDir / (std::string("EXAMPLE.") + extension)).string();
    }
};

TEST_F(ExportWindowTest, ControlsFollowTheKindTheFormatAndTheInterfaces)
{
    platform::FixedSystemInfo info;
    info.associationExt = "rtf";
    info.association = {"writer.desktop", "lowriter %U"};
    platform::SetSystemInfo(&info);
    for (bool configured : {false, true}) {
        SCOPED_TRACE(configured);
        Interfaces(configured, configured);
        vor::TForm28& form = Open();
        EXPECT_EQ(FromQString(form.Edit1->text()), Example("RTF"));
        EXPECT_TRUE(form.RadioButton4->isEnabled());
        EXPECT_FALSE(form.RadioButton1->isEnabled());
        EXPECT_FALSE(form.CheckBox2->isEnabled());
        EXPECT_EQ(FromQString(form.RadioButton4->text()), "Arquivo RTF (Rich Text Format)");
        EXPECT_EQ(FromQString(form.RadioButton9->text()),
                  configured ? "Compras - Pedidos" : "Sistema de orçamentos / MRP  (não instalado)");
        EXPECT_EQ(FromQString(form.RadioButton2->text()),
                  configured ? "Serra X" : "Máquina de corte CNC (não instalado)");

        Click(form.RadioButton7);
        EXPECT_FALSE(form.RadioButton4->isEnabled());
        EXPECT_TRUE(form.RadioButton1->isEnabled());
        EXPECT_TRUE(form.RadioButton1->isChecked());
        EXPECT_TRUE(form.CheckBox2->isEnabled());
        EXPECT_EQ(form.RadioButton9->isEnabled(), configured);
        EXPECT_EQ(form.RadioButton2->isEnabled(), configured);
        EXPECT_EQ(FromQString(form.Edit1->text()), Example("CSV"));
        if (configured) {
            Click(form.RadioButton9);
            EXPECT_EQ(FromQString(form.Edit1->text()), Example("???"));
            EXPECT_FALSE(form.Edit1->isEnabled());
            EXPECT_FALSE(form.Button3->isEnabled());
            EXPECT_FALSE(form.CheckBox2->isEnabled());
            Click(form.RadioButton2);
            EXPECT_TRUE(form.Edit1->isEnabled());
        }
        Click(form.RadioButton6);
        EXPECT_EQ(FromQString(form.Edit1->text()), Example("RTF"));
        if (configured) {
            EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/export_window.png")));
            EXPECT_TRUE(vortest::ControlsWithoutText(form).empty())
                << vortest::JoinNames(vortest::ControlsWithoutText(form));
        }
        form.close();
        delete vor::Form28;
    }
}

TEST_F(ExportWindowTest, SettingsRoundTripWithSummaryOnEveryReadAndOutrosGoesToTheMrpFolder)
{
    Interfaces(true, false);
    vor::TForm28& form = Open();
    Click(form.RadioButton7);
    Click(form.RadioButton9);
    Click(form.CheckBox1);
    Click(form.Button1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.cancelled);
    EXPECT_EQ(FromQString(form.Edit1->text()), (folders().mrp / "mrp_out.txt").string());
    EXPECT_EQ(form.Choices().fileName, (folders().mrp / "mrp_out.txt").string());

    const fs::path ini = iniDir() / "VL_EXPORT.INI";
    const std::string text = ReadBytes(ini);
    for (const char* line : {"[EXPORT]", "RELAT_TEXT=0", "VALORES=1", "OUTROS=1", "CSV=0",
                             "ABRIR_EDITOR=0", "CSV_RESUMO=1", "CSV_COMPLETO=0"})
        EXPECT_NE(text.find(std::string(line) + "\r\n"), std::string::npos) << line;

    {
        vor::IniFile settings(ini);
        settings.WriteBool("EXPORT", "CSV_RESUMO", false);
        settings.WriteBool("EXPORT", "CSV_COMPLETO", true);
    }
    form.cancelled = true;
    Open();
    EXPECT_FALSE(form.cancelled);
    EXPECT_TRUE(form.RadioButton7->isChecked());
    EXPECT_TRUE(form.RadioButton9->isChecked());
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_TRUE(form.RadioButton3->isChecked());
    EXPECT_EQ(FromQString(form.Edit1->text()), Example("???"));
}

TEST_F(ExportWindowTest, AChosenNameStaysAndTheProgramShowsWhileOpeningIsTicked)
{
    platform::FixedSystemInfo info;
    info.associationExt = "rtf";
    info.association = {"writer.desktop", "lowriter %U"};
    platform::SetSystemInfo(&info);
    vor::TForm28& form = Open();
    EXPECT_EQ(FromQString(form.Label2->text()), "lowriter");
    EXPECT_TRUE(form.Label2->isVisible());

    platform::ScriptedFileDialogs dialogs;
    platform::ScopedFileDialogs installed(dialogs);
    dialogs.Script("/home/ana/resumo.rtf");
    dialogs.Script("/home/ana/resumo.rtf");
    QString askedFolder, askedFilter;
    const auto asked = [&] {
        askedFolder = QString::fromStdString(dialogs.Shown().back().start.string());
        askedFilter = QString::fromStdString(dialogs.Shown().back().filter);
    };
    Click(form.Button3);
    asked();
    EXPECT_EQ(FromQString(askedFolder), folders().exportDir.string());
    EXPECT_EQ(askedFilter, QStringLiteral("rtf (*.rtf)"));
    Click(form.CheckBox1);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("/home/ana/resumo.rtf"));
    EXPECT_FALSE(form.Label2->isVisible());
    Click(form.RadioButton6);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("/home/ana/resumo.rtf"));

    Click(form.RadioButton7);
    EXPECT_EQ(FromQString(form.Label2->text()), "");
    Click(form.Button3);
    asked();
    EXPECT_EQ(askedFilter, QStringLiteral("text (*.txt)"));
    // Cancelled: the name stays.
    Click(form.Button3);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("/home/ana/resumo.rtf"));
    EXPECT_TRUE(dialogs.Shown().back().save);
}

TEST_F(ExportWindowTest, EscAndTheTitleBarCancel)
{
    vor::TForm28& form = Open();
    QTest::keyClick(&form, Qt::Key_Escape);
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.cancelled);
    Open();
    EXPECT_FALSE(form.cancelled);
    form.close();
    ProcessEvents();
    EXPECT_TRUE(form.cancelled);
}

}  // namespace
