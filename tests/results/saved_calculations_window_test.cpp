#include "vorplan/results/ui/saved_calculations_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "platform/fake_clock.h"
#include "platform/qt_text.h"
#include "tests/results/results_window_support.h"
#include "vorplan/results/saved_calculations.h"
#include "vorplan/results/ui/calc_information_window.h"
#include "vorplan/results/ui/view_chooser_window.h"

namespace {

namespace fs = std::filesystem;
using platform::FromQString;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WhenShown;
using vortest::WriteBytes;

class SavedCalculationsWindowTest : public vortest::ResultsWindowTest {
protected:
    void SetUp() override
    {
        ResultsWindowTest::SetUp();
        clock.SetNow({2026, 3, 24, 14, 15, 2});
        vor::TForm23* form = vor::CreateForm23();
        form->showViewer = [this] { viewerShownFor.push_back(vor::gShared.currentMaterial); };
    }

    void TearDown() override
    {
        delete vor::Form18;
        delete vor::Form20;
        delete vor::Form23;
        ResultsWindowTest::TearDown();
    }

    static QWidget* Form18Shown() { return vor::Form18; }
    static QWidget* Form20Shown() { return vor::Form20; }

    platform::FakeClock clock;
    platform::ScopedClock installedClock{clock};
    std::vector<long long> viewerShownFor;
};

TEST_F(SavedCalculationsWindowTest, SaveIsOfferedOnlyWithACommentAndEnterSaves)
{
    vor::TForm23& chooser = OpenChooser();
    bool checked = false;
    WhenShown(Form18Shown, [&] {
        vor::TForm18& form = *vor::Form18;
        EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet2);
        EXPECT_FALSE(form.Button3->isEnabled());
        QTest::keyClicks(form.Edit1, QStringLiteral("Cozinha da Ana"));
        EXPECT_TRUE(form.Button3->isEnabled());
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/saved_calculations_save.png")));
        checked = true;
        QTest::keyClick(form.Edit1, Qt::Key_Return);
    });
    chooser.Button7->click();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(vor::Form18->isVisible());
    const fs::path saved = folders().oldMont / "M_240326_141502";
    EXPECT_EQ(ReadBytes(saved / "ident.txt"), "Cozinha da Ana\r\n");
    EXPECT_TRUE(fs::exists(saved / "001-00012.MON"));
    EXPECT_EQ(messages().Last().text, "Ok");
    EXPECT_TRUE(chooser.isVisible());
}

TEST_F(SavedCalculationsWindowTest, ChoosingDeletingAndRestoringThenTheViewer)
{
    ASSERT_TRUE(vor::SaveCalculation(folders(), "Primeiro", clock).saved);
    clock.SetNow({2026, 3, 25, 9, 0, 0});
    WriteBytes(folders().mont / "MAT.SEQ", vor::EncodeTextLines({"30", "12"}));
    ASSERT_TRUE(vor::SaveCalculation(folders(), "Segundo", clock).saved);
    WriteBytes(folders().mont / "MAT.SEQ", vor::EncodeTextLines({"12"}));
    WriteBytes(folders().mont / "005-00012.MON", "only in MONT");

    vor::TForm23& chooser = OpenChooser();
    WhenShown(Form18Shown, [&] {
        vor::TForm18& form = *vor::Form18;
        EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
        ASSERT_EQ(form.ListBox1->count(), 2);
        EXPECT_FALSE(form.Button1->isEnabled());
        EXPECT_FALSE(form.Button5->isEnabled());
        form.ListBox1->setCurrentRow(0);
        form.ListBox1Click();
        EXPECT_EQ(form.Current(), "M_240326_141502");
        EXPECT_TRUE(form.Button1->isEnabled());
        EXPECT_TRUE(form.Button5->isEnabled());
        EXPECT_EQ(form.ListBox2->count(), 4);  // two layouts, MAT.SEQ, ident.txt
        EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/saved_calculations_select.png")));

        messages().Script({platform::Answer::No});
        form.Button5->click();
        EXPECT_TRUE(fs::exists(folders().oldMont / "M_240326_141502"));
        EXPECT_EQ(form.ListBox1->count(), 2);

        messages().Script({platform::Answer::Yes});
        form.Button5->click();
        EXPECT_FALSE(fs::exists(folders().oldMont / "M_240326_141502"));
        EXPECT_EQ(form.ListBox1->count(), 1);
        EXPECT_EQ(form.ListBox2->count(), 0);
        EXPECT_FALSE(form.Button1->isEnabled());
        EXPECT_FALSE(form.Button5->isEnabled());
        EXPECT_EQ(form.Current(), "");

        form.ListBox1->setCurrentRow(0);
        emit form.ListBox1->itemDoubleClicked(form.ListBox1->item(0));
    });
    chooser.Button2->click();
    EXPECT_TRUE(vor::Form18->Restored());
    EXPECT_FALSE(fs::exists(folders().mont / "005-00012.MON"));
    EXPECT_EQ(ReadBytes(folders().mont / "ident.txt"), "Segundo\r\n");
    EXPECT_EQ(viewerShownFor, std::vector<long long>{30});
    EXPECT_EQ(vor::gShared.calcLists.materials.count, 2);
}

TEST_F(SavedCalculationsWindowTest, InformationShowsTheRecordOrItsDefaults)
{
    vor::TForm23& chooser = OpenChooser();
    auto values = [] {
        std::vector<std::string> v;
        for (QLabel* label : vor::Form20->Values)
            v.push_back(FromQString(label->text()));
        return v;
    };
    WhenShown(Form20Shown, [&] {
        EXPECT_EQ(values(), (std::vector<std::string>{"-1", "-1", "-1", "-1", "---", "---    ---", "---"}));
        EXPECT_TRUE(vor::Form20->Memo1->toPlainText().isEmpty());
        EXPECT_TRUE(chooser.isVisible());
        vor::Form20->Button1->click();
    });
    chooser.Button8->click();

    WriteBytes(vor::CalcDataFile(folders()),
               "[DADOS_ULT_CALC]\r\nULTIMO_MATERIAL_USADO=30\r\nPECAS_SELECIONADAS=12\r\n"
               "PECAS_POSICIONADAS=11\r\nS_STATUS=Conclu\xed"
               "do\r\nDATA_INI_CALC=24/03/26\r\nHORA_INI_CALC=14:15:02\r\nPEDIDOS=5, 7\r\n");
    WriteBytes(folders().mont / "ident.txt", "Cozinha da Ana\r\n");
    WhenShown(Form20Shown, [&] {
        EXPECT_EQ(values(), (std::vector<std::string>{"30", "12", "11", "5, 7", "Concluído",
                                                      "24/03/26    14:15:02", "Cozinha da Ana"}));
        EXPECT_EQ(FromQString(vor::Form20->Panel1->text()), vor::CalcDataFile(folders()).string());
        EXPECT_TRUE(vor::Form20->Memo1->toPlainText().contains(QStringLiteral("S_STATUS=Concluído")));
        EXPECT_TRUE(vortest::ControlsWithoutText(*vor::Form20).empty())
            << vortest::JoinNames(vortest::ControlsWithoutText(*vor::Form20));
        EXPECT_TRUE(vor::Form20->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/calc_information.png")));
        vor::Form20->Button1->click();
    });
    chooser.Button8->click();
    EXPECT_FALSE(vor::Form20->isVisible());
}

}  // namespace
