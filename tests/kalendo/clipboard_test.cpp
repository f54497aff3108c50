#include <gtest/gtest.h>

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <vector>

#include "platform/clipboard.h"
#include "platform/clipboard_linger.h"
#include "platform/fake_clipboard.h"
#include "platform/qt_clipboard.h"
#include "tests/support/ui_fixture.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

TEST(ClipboardListeners, RunAfterEachChangeAndCanRemoveThemselves)
{
    FakeClipboard clipboard;
    std::vector<std::string> seen;
    Clipboard::ListenerId second = 0;
    const Clipboard::ListenerId first = clipboard.AddListener([&] {
        seen.push_back("first:" + clipboard.Text());
        clipboard.RemoveListener(second);  // before it would run
    });
    second = clipboard.AddListener([&] { seen.push_back("second"); });
    clipboard.SetText("a");
    clipboard.RemoveListener(first);
    clipboard.SetText("b");
    EXPECT_EQ(seen, std::vector<std::string>{"first:a"});
}

TEST(ClipboardLinger, EndsWhenAnotherProgramTakesTheClipboard)
{
    vortest::EnsureApplication();
    FakeClipboard clipboard;
    clipboard.SetText("VL#OK");
    int done = 0;
    ClipboardLinger linger(clipboard, [&] { ++done; }, 10s);
    clipboard.SetText("VL#OK");  // our own change is no take-over
    vortest::ProcessEvents();
    EXPECT_EQ(done, 0);
    clipboard.TakeOverByOtherProgram("INICIA");
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(linger.Finished());
    clipboard.TakeOverByOtherProgram("");
    EXPECT_EQ(done, 1);
}

TEST(ClipboardLinger, EndsWhenItsTimeIsUp)
{
    vortest::EnsureApplication();
    FakeClipboard clipboard;
    clipboard.SetText("VL#FIM");
    int done = 0;
    ClipboardLinger linger(clipboard, [&] { ++done; }, 50ms);
    EXPECT_TRUE(vortest::WaitUntil([&] { return done == 1; }, 3s));
    clipboard.TakeOverByOtherProgram("x");
    EXPECT_EQ(done, 1);
}

TEST(ClipboardLinger, GoneLingerHearsNothing)
{
    vortest::EnsureApplication();
    FakeClipboard clipboard;
    int done = 0;
    {
        ClipboardLinger linger(clipboard, [&] { ++done; }, 10s);
    }
    clipboard.TakeOverByOtherProgram("x");
    EXPECT_EQ(done, 0);
}

TEST(QtClipboard, TextRoundTripAndChangeNotice)
{
    vortest::EnsureApplication();
    QtClipboard clipboard;
    int changes = 0;
    clipboard.AddListener([&] { ++changes; });
    clipboard.SetText("VA2001-ENT#2.18#1#1#0#não");
    vortest::ProcessEvents();
    EXPECT_EQ(clipboard.Text(), "VA2001-ENT#2.18#1#1#0#não");
    EXPECT_GE(changes, 1);

    clipboard.SetImage(ClipboardImage{2, 1, {255, 0, 0, 0, 0, 255}});
    vortest::ProcessEvents();
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 255));

    clipboard.Clear();
    vortest::ProcessEvents();
    EXPECT_EQ(clipboard.Text(), "");
}

TEST(ShouldUseXcb, OnlyOnWaylandWithXWaylandAndNoChoiceMade)
{
    struct Case {
        const char* wayland;
        const char* display;
        const char* qpa;
        bool xcb;
    };
    const Case cases[] = {
        {"wayland-0", ":0", nullptr, true},
        {"wayland-0", ":0", "", true},
        {"wayland-0", ":0", "wayland", false},
        {"wayland-0", nullptr, nullptr, false},
        {"wayland-0", "", nullptr, false},
        {nullptr, ":0", nullptr, false},
        {"", ":0", nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShouldUseXcb(c.wayland, c.display, c.qpa), c.xcb)
            << (c.wayland ? c.wayland : "-") << " " << (c.display ? c.display : "-") << " "
            << (c.qpa ? c.qpa : "-");
}

}  // namespace
}  // namespace platform
