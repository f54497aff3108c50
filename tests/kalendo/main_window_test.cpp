#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "kalendo/main_window.h"
#include "kalendo/startup_rules.h"
#include "platform/fake_clipboard.h"
#include "tests/support/ui_fixture.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class KalendoWindowTest : public vortest::UiTest {
protected:
    // Starts kalendo as vorplan does: the command on the clipboard, owned by
    // vorplan, and the splash picture in the current folder unless told not to.
    void Open(const std::string& command, bool withPicture = true, QSize screen = {1024, 768})
    {
        if (withPicture)
            fs::copy_file(VOR_SOURCE_DIR "/dist/vl_2002.jpg", base() / "vl_2002.jpg",
                          fs::copy_options::overwrite_existing);
        clipboard.TakeOverByOtherProgram(command);
        form = std::make_unique<TForm1>(clipboard, [this] { ++quits; }, 200ms);
        form->SetScreenSize(screen);
        form->show();
        ASSERT_TRUE(vortest::WaitUntil([this] { return form->Page() != TForm1::CurrentPage::None; }));
        vortest::ProcessEvents();
    }

    // The user comes back to kalendo from another program.
    void ComeBack()
    {
        QApplication::setActiveWindow(nullptr);
        vortest::ProcessEvents();
        QApplication::setActiveWindow(form.get());
        vortest::ProcessEvents();
        vortest::ProcessEvents();
    }

    void TypePassword(const char* text)
    {
        ASSERT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
        form->Edit1->setText(QString::fromUtf8(text));
        form->Button1->click();
        vortest::ProcessEvents();
    }

    platform::FakeClipboard clipboard;
    std::unique_ptr<TForm1> form;
    int quits = 0;
};

TEST_F(KalendoWindowTest, PasswordMatrix)
{
    struct Case {
        const char* name;
        const char* typed;  // nullptr: Cancela
        const char* reply;  // nullptr: refused, the page stays
    };
    const Case cases[] = {
        {"the password", "Segredo", "VL#OK"},
        {"the master password", "tq84mw", "VL#OK"},
        {"other letter case", "segredo", nullptr},
        {"empty", "", nullptr},
        {"Cancela", nullptr, "VL#FIM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages().ClearShown();
        Open("VA2001-ENT#2.18#2#1#0#Segredo");
        ASSERT_EQ(form->Page(), TForm1::CurrentPage::Startup);
        form->Button7->click();
        ASSERT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
        EXPECT_TRUE(form->Edit1->text().isEmpty());

        if (c.typed) {
            TypePassword(c.typed);
        } else {
            form->Button5->click();
            vortest::ProcessEvents();
        }
        if (c.reply) {
            EXPECT_EQ(clipboard.Text(), c.reply);
            EXPECT_TRUE(clipboard.Owns());
            EXPECT_TRUE(form->Finished());
            EXPECT_FALSE(form->isVisible());
            EXPECT_EQ(messages().Count(), 0u);
        } else {
            EXPECT_EQ(messages().Texts(), std::vector<std::string>{"invalid password"});
            EXPECT_EQ(clipboard.Text(), "VA2001-ENT#2.18#2#1#0#Segredo");
            EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
            EXPECT_EQ(form->Edit1->text().toStdString(), c.typed);
            EXPECT_FALSE(form->Finished());
            // Retries are unlimited.
            TypePassword("Segredo");
            EXPECT_EQ(clipboard.Text(), "VL#OK");
        }
        EXPECT_EQ(quits, 0);  // lingering for vorplan
        form.reset();
        quits = 0;
    }
}

TEST_F(KalendoWindowTest, EmptyPasswordRepliesAtOnce)
{
    Open("VA2001-ENT#2.18#1#1#0#");
    form->Button7->click();
    EXPECT_EQ(clipboard.Text(), "VL#OK");
    EXPECT_TRUE(form->Finished());
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(KalendoWindowTest, EnterPressesTheFocusedOk)
{
    Open("VA2001-ENT#2.18#1#1#0#");
    EXPECT_TRUE(form->Button7->hasFocus());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form->Button7, &press);
    EXPECT_EQ(clipboard.Text(), "VL#OK");
}

TEST_F(KalendoWindowTest, EnterInThePasswordBoxChecksIt)
{
    Open("VA2001-ENT#2.18#1#1#0#abc");
    form->Button7->click();
    form->Edit1->setText(QStringLiteral("abc"));
    emit form->Edit1->returnPressed();
    EXPECT_EQ(clipboard.Text(), "VL#OK");
}

TEST_F(KalendoWindowTest, MissingPictureStillAsksForThePassword)
{
    Open("VA2001-ENT#2.18#1#1#0#Segredo", false);
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::StartupWithoutPicture);
    EXPECT_EQ(messages().Texts(), std::vector<std::string>{"Arquivo vl_2002.jpg\nnão localizado"});
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    form->Button7->click();
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
    EXPECT_EQ(clipboard.Text(), "VA2001-ENT#2.18#1#1#0#Segredo");
}

TEST_F(KalendoWindowTest, ASplashPictureThatIsAFifoCountsAsMissing)
{
    // Opening it would wait for a writer for ever, and vorplan for the reply.
    ASSERT_EQ(::mkfifo((base() / "vl_2002.jpg").c_str(), 0600), 0);
    Open("VA2001-ENT#2.18#1#1#0#", false);
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::StartupWithoutPicture);
    EXPECT_EQ(messages().Texts(), std::vector<std::string>{"Arquivo vl_2002.jpg\nnão localizado"});
    form->Button7->click();
    EXPECT_EQ(clipboard.Text(), "VL#OK");
}

TEST_F(KalendoWindowTest, SmallScreenWarningOncePerActivation)
{
    struct Case {
        int width;
        bool warned;
    };
    for (const Case c : {Case{799, true}, Case{800, false}, Case{640, true}, Case{1920, false}}) {
        SCOPED_TRACE(c.width);
        messages().ClearShown();
        Open("VA2001-ENT#2.18#3#1#0#", true, {c.width, 600});
        const std::vector<std::string> warning = {
            "Atención: para la ejecución, uso\nresolución de video 800x600 o más grande."};
        EXPECT_EQ(messages().Texts(), c.warned ? warning : std::vector<std::string>{});
        ComeBack();
        EXPECT_EQ(messages().Count(), c.warned ? 2u : 0u);
        form.reset();
    }
}

TEST_F(KalendoWindowTest, SplashPageShowsPictureVersionAndTitle)
{
    Open("VA2001-ENT#2.18#4#1#0#");
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::Startup);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->geometry(), QRect(329, 135, 366, 420));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Image1->pixmap().size(), QSize(340, 295));
    EXPECT_EQ(form->Image1->geometry(), QRect(4, 4, 340, 295));
    EXPECT_EQ(form->Button7->geometry(), QRect(267, 326, 81, 58));
    EXPECT_EQ(form->Panel4->text(), QStringLiteral("2.18"));
    EXPECT_EQ(form->Panel4->width(), 65);
    EXPECT_TRUE(form->Panel4->font().bold());
    EXPECT_EQ(form->Panel2->text(),
              QStringLiteral("Systeem voor de optimisatie van het snijden van rechthoekige onderdelen"));
    EXPECT_EQ(form->Panel2->font().pointSize(), 7);
    EXPECT_EQ(messages().Count(), 0u);

    // What the window draws is the picture, not an empty frame.
    const QImage shot = form->grab().toImage();
    const QColor corner = shot.pixelColor(form->Panel1->x() + 4 + 5, form->Panel1->y() + 4 + 5);
    EXPECT_GT(corner.lightness(), 200);
}

TEST_F(KalendoWindowTest, OtherVersionKeepsThePlainPanel)
{
    Open("VA2001-ENT#3.01#1#1#0#");
    EXPECT_EQ(form->Panel4->text(), QStringLiteral("3.01"));
    EXPECT_EQ(form->Panel4->width(), SplashDesign{}.versionPanel.width);
    EXPECT_FALSE(form->Panel4->font().bold());
    EXPECT_EQ(form->Panel2->font().pointSize(), 9);
}

TEST_F(KalendoWindowTest, PictureThatIsNoJpegIsLeftEmptySilently)
{
    vortest::WriteBytes(base() / "vl_2002.jpg", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    Open("VA2001-ENT#2.18#2#1#0#", false);
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::Startup);
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    EXPECT_EQ(messages().Count(), 0u);
    form->Button7->click();
    EXPECT_EQ(clipboard.Text(), "VL#OK");
}

TEST_F(KalendoWindowTest, LingersUntilAnotherProgramTakesTheClipboard)
{
    Open("VA2001-ENT#2.18#2#1#0#");
    form->Button7->click();
    ASSERT_EQ(clipboard.Text(), "VL#OK");
    vortest::ProcessEvents();
    EXPECT_EQ(quits, 0);
    clipboard.TakeOverByOtherProgram("INICIA");
    EXPECT_EQ(quits, 1);
    // The linger time passing afterwards ends nothing twice.
    vortest::WaitUntil([] { return false; }, 300ms);
    EXPECT_EQ(quits, 1);
}

TEST_F(KalendoWindowTest, LingerEndsAfterItsTime)
{
    Open("VA2001-ENT#2.18#2#1#0#");
    form->Button7->click();
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(vortest::WaitUntil([this] { return quits == 1; }, 3s));
    EXPECT_EQ(clipboard.Text(), "VL#OK");
}

TEST_F(KalendoWindowTest, SeparateRunPageShowsTheClipboardAndClosesWithoutReply)
{
    const std::string text = "<b>texto</b> qualquer";
    Open(text);
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::SeparateRun);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet3);
    const std::string caption = form->Panel5->text().toStdString();
    EXPECT_EQ(caption, SeparateRunText() + "\n" + text + std::string(45, ' '));
    EXPECT_EQ(form->Panel5->textFormat(), Qt::PlainText);
    EXPECT_EQ(form->Button3->y(), form->Panel5->y() + form->Panel5->height() + 30);

    form->Button3->click();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(clipboard.Writes(), 0);
    EXPECT_EQ(clipboard.Text(), text);
}

TEST_F(KalendoWindowTest, LaterActivationReadsOnlyACommand)
{
    Open("VA2001-ENT#2.18#2#1#0#");
    ASSERT_EQ(form->Page(), TForm1::CurrentPage::Startup);

    // vorplan emptied the clipboard: coming back keeps the start-up page.
    clipboard.TakeOverByOtherProgram("");
    ComeBack();
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::Startup);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);

    // A new command is read again.
    clipboard.TakeOverByOtherProgram("VA2001-TXT#2.18#2#1#0#/tmp/help.rtf");
    ComeBack();
    EXPECT_EQ(form->Page(), TForm1::CurrentPage::TextViewer);
    EXPECT_EQ(form->Command().fileName, "/tmp/help.rtf");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2);
}

TEST_F(KalendoWindowTest, ClosingThroughTheWindowManager)
{
    Open("VA2001-ENT#2.18#2#1#0#Segredo");
    form->Button7->click();
    form->close();
    EXPECT_EQ(clipboard.Text(), "VL#FIM");  // as Cancela
    EXPECT_EQ(quits, 0);
    form.reset();

    Open("");
    const int writes = clipboard.Writes();
    form->close();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(clipboard.Writes(), writes);
}

}  // namespace
}  // namespace kalendo
