#include "platform/window_activation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/qt_message_service.h"
#include "tests/support/ui_fixture.h"

namespace {

using platform::WindowActivation;

// Activation the way the window system delivers it.
void Activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(vortest::WaitUntil([&] { return window.isActiveWindow(); }));
}

// The user switches to another program: no window of ours stays active.
// Offscreen there is no other program, so this goes straight to the point
// where the window system's report ends up.
void LeaveProgram()
{
    QApplication::setActiveWindow(nullptr);
    vortest::ProcessEvents();
}

// ...and comes back into `window`.
void ComeBackTo(QWidget& window)
{
    QApplication::setActiveWindow(&window);
    vortest::ProcessEvents();
    ASSERT_TRUE(window.isActiveWindow());
}

// Two windows of the program; `a` carries the helper.
class Activation : public vortest::UiTest {
protected:
    Activation()
    {
        m_b.show();
        Activate(m_b);
        QObject::connect(m_activation, &WindowActivation::Activated, [this] { ++m_activated; });
    }

    QWidget m_a;
    QWidget m_b;
    WindowActivation* m_activation = new WindowActivation(&m_a);
    int m_activated = 0;
};

TEST_F(Activation, OpeningCountsOnceAtEveryShow)
{
    m_a.show();
    EXPECT_EQ(m_activated, 1) << "runs while show() runs";
    Activate(m_a);
    EXPECT_EQ(m_activated, 1) << "the activation of the opening is not a second one";

    m_a.hide();
    Activate(m_b);
    m_a.show();
    Activate(m_a);
    EXPECT_EQ(m_activated, 2);
}

TEST_F(Activation, ComingFromAnotherWindowCounts)
{
    m_a.show();
    Activate(m_a);
    Activate(m_b);
    Activate(m_a);
    EXPECT_EQ(m_activated, 2);

    // From the other window by way of another program still counts.
    Activate(m_b);
    LeaveProgram();
    ComeBackTo(m_a);
    EXPECT_EQ(m_activated, 3);
}

TEST_F(Activation, ReturningFromItsOwnDialogDoesNotCount)
{
    // Qt leaves no window active when a dialog closes; that must not pass
    // for a return from another program either.
    for (const bool countOtherProgram : {false, true}) {
        SCOPED_TRACE(countOtherProgram);
        m_activation->SetCountOtherProgram(countOtherProgram);
        m_activated = 0;
        m_a.show();
        Activate(m_a);

        QDialog dialog(&m_a);
        dialog.show();
        Activate(dialog);
        dialog.hide();
        Activate(m_a);
        EXPECT_EQ(m_activated, 1);

        // A dialog of a dialog is the window's own too.
        QDialog inner(&dialog);
        dialog.show();
        inner.show();
        Activate(inner);
        inner.hide();
        dialog.hide();
        Activate(m_a);
        EXPECT_EQ(m_activated, 1);
        m_a.hide();
        Activate(m_b);
    }
}

TEST_F(Activation, ReturningFromAMessageBoxThatIsGoneDoesNotCount)
{
    m_a.show();
    Activate(m_a);

    platform::QtMessageService service;
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    service.Show("Saved.", {}, platform::MessageKind::Information, platform::Buttons::Ok);
    vortest::ProcessEvents();  // the box is deleted before the window is active again
    Activate(m_a);
    EXPECT_EQ(m_activated, 1);
}

TEST_F(Activation, ComingBackFromAnotherProgramCountsOnlyWhenAsked)
{
    struct Case {
        bool countOtherProgram;
        int expected;
    };
    for (const Case c : {Case{false, 1}, Case{true, 2}}) {
        SCOPED_TRACE(c.countOtherProgram);
        m_activated = 0;
        m_activation->SetCountOtherProgram(c.countOtherProgram);
        m_a.show();
        Activate(m_a);
        LeaveProgram();
        ComeBackTo(m_a);
        EXPECT_EQ(m_activated, c.expected);

        // Leaving from its own dialog and coming back to the window is the same.
        QDialog dialog(&m_a);
        dialog.show();
        Activate(dialog);
        LeaveProgram();
        dialog.hide();
        Activate(m_a);
        EXPECT_EQ(m_activated, 2 * c.expected - 1);
        m_a.hide();
        Activate(m_b);
    }
}

// The same two windows, `a` closing itself when the user leaves it.
class CloseOnDeactivation : public Activation {
protected:
    CloseOnDeactivation()
    {
        m_activation->SetCloseOnDeactivation(true);
        m_activation->SetBeforeClose([this] { m_saves.push_back(m_a.isVisible()); });
        m_a.show();
        Activate(m_a);
    }

    std::vector<bool> m_saves;  // whether the window was still open at each save
};

TEST_F(CloseOnDeactivation, AnotherWindowClosesItAfterSaving)
{
    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_FALSE(m_a.isVisible());
    EXPECT_EQ(m_saves, std::vector<bool>{true});
}

TEST_F(CloseOnDeactivation, AnotherProgramDoesNotCloseItButTheNextWindowDoes)
{
    LeaveProgram();
    EXPECT_TRUE(m_a.isVisible());
    EXPECT_TRUE(m_saves.empty());

    ComeBackTo(m_b);
    vortest::ProcessEvents();
    EXPECT_FALSE(m_a.isVisible());
    EXPECT_EQ(m_saves.size(), 1u);
}

TEST_F(CloseOnDeactivation, NeverWhileItsOwnDialogIsOpen)
{
    QDialog dialog(&m_a);
    dialog.show();
    Activate(dialog);
    vortest::ProcessEvents();
    EXPECT_TRUE(m_a.isVisible()) << "its own dialog took the focus";

    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_TRUE(m_a.isVisible()) << "the dialog is still open";
    EXPECT_TRUE(m_saves.empty());

    dialog.hide();
    Activate(m_a);
    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_FALSE(m_a.isVisible());
}

TEST_F(CloseOnDeactivation, LeavingFromItsClosedDialogToAnotherWindowClosesIt)
{
    // The window system need not give the focus back to the window when its
    // dialog closes; the user left it all the same.
    QDialog dialog(&m_a);
    dialog.show();
    Activate(dialog);
    dialog.hide();
    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_FALSE(m_a.isVisible());
}

TEST_F(CloseOnDeactivation, AFailedSaveKeepsTheWindowOpenAndIsShown)
{
    m_activation->SetBeforeClose([] { throw std::runtime_error("Disco cheio"); });
    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_TRUE(m_a.isVisible());
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "Disco cheio");
}

TEST_F(CloseOnDeactivation, WithoutTheOptionNothingCloses)
{
    m_activation->SetCloseOnDeactivation(false);
    Activate(m_b);
    vortest::ProcessEvents();
    EXPECT_TRUE(m_a.isVisible());
    EXPECT_TRUE(m_saves.empty());
}

}  // namespace
