#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "platform/fake_sound.h"
#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"

class QString;
class QWidget;

namespace platform {
class GuardedApplication;
}

namespace vortest {

// The one application object of the test process, made at the first call on
// the offscreen platform and kept until the process ends.
platform::GuardedApplication& EnsureApplication();

// Runs the posted events, deferred deletes included.
void ProcessEvents();

// Processes events until `done` holds or `timeout` passes; returns `done()`.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Everything a window test needs, for the life of the object: the
// application, a fresh installation (base folder with every data folder,
// VORLANE_INI_DIR in another folder) as the shared folders and the current
// directory, scripted message boxes and a recording sound service. What it
// changed is put back at the end.
class UiEnvironment {
    struct Application {
        Application() { EnsureApplication(); }
    };

public:
    UiEnvironment();
    ~UiEnvironment();
    UiEnvironment(const UiEnvironment&) = delete;
    UiEnvironment& operator=(const UiEnvironment&) = delete;

    const fs::path& base() const { return m_installation.base(); }
    const fs::path& iniDir() const { return m_installation.iniDir(); }
    platform::ScriptedMessages& messages() { return m_messages; }
    platform::RecordingSound& sound() { return m_sound; }

private:
    Application m_application;  // first: everything below may need it
    TestInstallation m_installation;
    ScopedCwd m_cwd;
    vor::DataFolders m_oldFolders;
    platform::ScriptedMessages m_messages;
    platform::RecordingSound m_sound;
    platform::ScopedMessages m_installedMessages;
    platform::ScopedSound m_installedSound;
};

// The gtest fixture form: derive a window test's fixture from it.
class UiTest : public ::testing::Test {
protected:
    const fs::path& base() const { return m_ui.base(); }
    const fs::path& iniDir() const { return m_ui.iniDir(); }
    platform::ScriptedMessages& messages() { return m_ui.messages(); }
    platform::RecordingSound& sound() { return m_ui.sound(); }

private:
    UiEnvironment m_ui;
};

// The names of the visible controls of `window` that show no text: buttons,
// labels (a picture counts as shown), group boxes, visible tabs and the column headings of grids.
std::vector<QString> ControlsWithoutText(const QWidget& window);

// Names joined for a failure message.
std::string JoinNames(const std::vector<QString>& names);

// Writes a language file whose every line names its slot ("msg 56"), so each
// caption shows which message it is.
void WriteNumberedLanguageFile(const fs::path& file);

}  // namespace vortest
