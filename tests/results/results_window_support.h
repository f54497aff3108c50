#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/results/results_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/shell/main_window_hooks.h"

namespace vortest {

// Runs `act` once `window()` shows, from inside the modal call that follows.
inline void WhenShown(std::function<QWidget*()> window, std::function<void()> act)
{
    QTimer::singleShot(0, [window, act] {
        if (WaitUntil([&] { return window() && window()->isVisible(); })) {
            ProcessEvents();
            act();
        }
    });
}

// A Portuguese installation whose last calculation cut materials 12 and 30:
// 12 has two layouts, 30 none.
class ResultsWindowTest : public UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gMainWindow = {};
        vor::gShared.languageIndex = 1;
        vor::gShared.calcLists = vor::CalcLists{};
        vor::gShared.interfaces = {};
        const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
        fs::copy_file(vor::LanguageFile(shipped, 1), vor::LanguageFile(folders(), 1),
                      fs::copy_options::overwrite_existing);
        vor::LoadLanguage(folders(), 1, vor::gShared.messages, vor::gShared.iconCaptions);
        WriteMaterialFile(folders(), 12, "MDF branco 15 mm");
        WriteMaterialFile(folders(), 30, "Vidro temperado incolor 6 mm");
        WriteLayout(folders(), 12, 1,
                    {SheetLine(3, 1, 27500, 18300), PieceLine(1, 0, 0, 10000, 5000),
                     PieceLine(2, 10040, 0, 7000, 5000)});
        WriteLayout(folders(), 12, 2,
                    {SheetLine(-2, 0, 12000, 8000, "Retalho"), PieceLine(1, 0, 0, 10000, 5000)});
        WriteBytes(vor::CalcMaterialsTextFile(folders()), vor::EncodeTextLines({"12", "30"}));
    }

    void TearDown() override
    {
        ProcessEvents();
        vor::gMainWindow = {};
        vor::gShared = *m_saved;
    }

    static const vor::DataFolders& folders() { return vor::gShared.folders; }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

}  // namespace vortest
