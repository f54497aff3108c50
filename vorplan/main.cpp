#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/clipboard.h"
#include "platform/fake_message_service.h"
#include "platform/guarded_application.h"
#include "platform/message_service.h"
#include "platform/process_launcher.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_message_service.h"
#include "platform/qt_print_jobs.h"
#include "platform/qt_process_launcher.h"
#include "platform/qt_sound.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/file_set.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/ui/map_print_window.h"
#include "vorplan/layoutview/ui/colour_legend_window.h"
#include "vorplan/layoutview/ui/report_content_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/layoutview/ui/yield_options_window.h"
#include "vorplan/optimiser/ui/calc_window.h"
#include "vorplan/orders/ui/clipboard_import_window.h"
#include "vorplan/orders/ui/delimited_import_window.h"
#include "vorplan/orders/ui/import_chooser_window.h"
#include "vorplan/orders/ui/installation_import_window.h"
#include "vorplan/orders/ui/material_window.h"
#include "vorplan/orders/ui/new_material_window.h"
#include "vorplan/orders/ui/new_project_windows.h"
#include "vorplan/orders/ui/offcut_window.h"
#include "vorplan/orders/ui/piece_listing_action.h"
#include "vorplan/orders/ui/strip_page.h"
#include "vorplan/orders/ui/project_manager_window.h"
#include "vorplan/orders/ui/resources_report_window.h"
#include "vorplan/orders/ui/resources_window.h"
#include "vorplan/orders/ui/table_window.h"
#include "vorplan/results/ui/calc_information_window.h"
#include "vorplan/results/ui/export_window.h"
#include "vorplan/results/ui/own_dialog.h"
#include "vorplan/results/ui/saved_calculations_window.h"
#include "vorplan/results/ui/view_chooser_window.h"
#include "vorplan/results/ui/stock_update_window.h"
#include "vorplan/results/ui/label_format_window.h"
#include "vorplan/results/ui/label_print_window.h"
#include "vorplan/shell/main_window.h"
#include "vorplan/shell/pick_list_window.h"
#include "vorplan/shell/settings_window.h"
#include "vorplan/shell/text_input_window.h"

namespace {

namespace fs = std::filesystem;

// ---- Test hooks for the tests that run the real program ----------------------------------
//
// VORLANE_VORPLAN_TEST_DIR=<folder>: every message box is answered with its
// first button (Yes for the closing question) and its text appended to
// <folder>/messages.txt. Once the icon bar shows, <folder>/icons.txt holds
// each icon's number (0 to 8) and centre on the screen. These command files are served
// (and removed) every 100 ms:
//   close     close the main window, once the hand-shake has begun
//   activate  activate and repaint the main window
//   grab      write <folder>/main_window.png, the main window's picture
// VORLANE_VORPLAN_NO_HELPERS=1: kalendo and ostrel are not started (the
// start is reported as done), for a start without a display of its own.

class AnsweringMessages final : public platform::MessageService {
public:
    explicit AnsweringMessages(fs::path log) : m_log(std::move(log)) {}

    platform::Answer Show(std::string_view text, std::string_view, platform::MessageKind,
                          platform::Buttons buttons) override
    {
        std::ofstream out(m_log, std::ios::app | std::ios::binary);
        out << text << "\n";
        return platform::FirstButtonAnswer(buttons);
    }

private:
    fs::path m_log;
};

class NoStartLauncher final : public platform::ProcessLauncher {
public:
    bool StartProgram(const fs::path&, const std::vector<std::string>&, const fs::path&) override
    {
        return true;
    }
    bool OpenDocument(const fs::path&) override { return true; }
};

bool TakeCommand(const fs::path& dir, const char* name)
{
    std::error_code ec;
    return fs::remove(dir / name, ec);
}

void WriteIconCentres(const fs::path& file)
{
    std::ofstream out(file, std::ios::binary);
    int index = 0;
    for (QFrame* panel : vor::Form1->IconPanels) {
        const QPoint centre = panel->mapToGlobal(panel->rect().center());
        out << index++ << ' ' << centre.x() << ' ' << centre.y() << "\n";
    }
}

void ServeTestCommands(const fs::path& dir, bool& iconsWritten)
{
    vor::TForm1* form = vor::Form1;
    if (!form)
        return;
    if (!iconsWritten && form->Panel16->isVisible()) {
        WriteIconCentres(dir / "icons.txt.tmp");
        std::error_code ec;
        fs::rename(dir / "icons.txt.tmp", dir / "icons.txt", ec);
        iconsWritten = true;
    }
    if (TakeCommand(dir, "grab"))
        form->grab().save(QString::fromStdString((dir / "main_window.png").string()));
    if (TakeCommand(dir, "activate")) {
        form->activateWindow();
        form->FormActivate();
        form->repaint();
    }
    if (vor::gMainRequests.startupState != vor::kStartupNotStarted && TakeCommand(dir, "close"))
        form->close();
}

}  // namespace

int main(int argc, char* argv[])
{
    // kalendo answers on the clipboard from a hidden window: both programs
    // must share one clipboard a hidden window may set.
    platform::PreferXcbOnWayland();
    platform::GuardedApplication app(argc, argv);
    platform::GuardedApplication::setApplicationName(QStringLiteral("vorplan"));

    const char* testDir = std::getenv("VORLANE_VORPLAN_TEST_DIR");
    const bool noHelpers = std::getenv("VORLANE_VORPLAN_NO_HELPERS") != nullptr;

    platform::QtMessageService qtMessages;
    std::unique_ptr<AnsweringMessages> testMessages;
    if (testDir)
        testMessages = std::make_unique<AnsweringMessages>(fs::path(testDir) / "messages.txt");
    platform::SetMessages(testMessages ? static_cast<platform::MessageService*>(testMessages.get())
                                       : &qtMessages);
    platform::QtSoundService sound;
    platform::SetSound(&sound);
    platform::QtClipboard clipboard;
    platform::SetClipboard(&clipboard);
    platform::QtFileDialogs fileDialogs;
    platform::SetFileDialogs(&fileDialogs);
    platform::QtProcessLauncher qtLauncher;
    NoStartLauncher noLauncher;
    platform::SetLauncher(noHelpers ? static_cast<platform::ProcessLauncher*>(&noLauncher)
                                    : &qtLauncher);
    platform::QtPrintJobs printJobs([](QPainter& painter, int dotsPerInch) -> std::unique_ptr<vor::Canvas> {
        return std::make_unique<vor::PainterCanvas>(painter, dotsPerInch);
    });
    platform::SetPrintService(&printJobs);

    int status = 0;
    {
        // The windows in the program's order, the main window first; each
        // lives to the end of the run.
        std::unique_ptr<vor::TForm1> form1;
        std::unique_ptr<vor::TForm26> form26;
        std::unique_ptr<vor::TForm12> form12;
        std::unique_ptr<vor::TForm_otimi> formOtimi;
        std::unique_ptr<vor::Tvisualiz> formVisualiz;
        std::unique_ptr<vor::Ttabela> tabela;
        std::unique_ptr<vor::TForm6> form6;
        std::unique_ptr<vor::TForm8> form8;
        std::unique_ptr<vor::TForm13> form13;
        std::unique_ptr<vor::TForm2> form2;
        std::unique_ptr<vor::TForm7> form7;
        std::unique_ptr<vor::TForm9> form9;
        std::unique_ptr<vor::TForm15> form15;
        std::unique_ptr<vor::TForm16> form16;
        std::unique_ptr<vor::TForm18> form18;
        std::unique_ptr<vor::TForm20> form20;
        std::unique_ptr<vor::TForm21> form21;
        std::unique_ptr<vor::TForm22> form22;
        std::unique_ptr<vor::TForm19> form19;
        std::unique_ptr<vor::TForm11> form11;
        std::unique_ptr<vor::TForm14> form14;
        std::unique_ptr<vor::TForm23> form23;
        std::unique_ptr<vor::TForm24> form24;
        std::unique_ptr<vor::TForm25> form25;
        std::unique_ptr<vor::TForm27> form27;
        std::unique_ptr<vor::TForm28> form28;
        std::unique_ptr<vor::TForm29> form29;
        std::unique_ptr<vor::TForm30> form30;
        std::unique_ptr<vor::TForm31> form31;
        std::unique_ptr<vor::TForm32> form32;
        std::unique_ptr<vor::TForm33> form33;
        try {
            form1.reset(vor::CreateForm1());
            // A set of files a killed run left half renamed is finished first.
            vor::FinishFileSet(vor::FileSetJournalFile());
            form26.reset(vor::CreateForm26());
            form12.reset(vor::CreateForm12());
            formOtimi.reset(vor::CreateForm_otimi());
            form1->Targets().calculation = vor::ShowCalculationWindow;
            form1->Targets().endCalculation = vor::EndCalculationForExit;
            formVisualiz.reset(vor::CreateVisualiz());
            form1->Targets().layoutViewer = vor::ShowLayoutViewer;
            vor::InstallStripModeHooks();  // the strip tab is built with the window
            tabela.reset(vor::CreateTabela());
            form1->Targets().table = vor::ShowTableEditor;
            vor::InstallPieceListingHooks();
            form6.reset(vor::CreateForm6());
            form8.reset(vor::CreateForm8());
            form1->Targets().labels = vor::ShowLabelWindow;
            form13.reset(vor::CreateForm13());
            form2.reset(vor::CreateForm2());
            form7.reset(vor::CreateForm7());
            form9.reset(vor::CreateForm9());
            form15.reset(vor::CreateForm15());
            form16.reset(vor::CreateForm16());
            form18.reset(vor::CreateForm18());
            form20.reset(vor::CreateForm20());
            form21.reset(vor::CreateForm21());
            form1->Targets().projectManager = vor::ShowProjectManager;
            form22.reset(vor::CreateForm22());
            form1->Targets().resources = vor::ShowResourcesWindow;
            form19.reset(vor::CreateForm19());
            form11.reset(vor::CreateForm11());
            form14.reset(vor::CreateForm14());
            form23.reset(vor::CreateForm23());
            form1->Targets().viewChoice = vor::ShowViewChooser;
            form24.reset(vor::CreateForm24());
            form25.reset(vor::CreateForm25());
            form27.reset(vor::CreateForm27());
            form28.reset(vor::CreateForm28());
            form29.reset(vor::CreateForm29());
            form30.reset(vor::CreateForm30());
            form23->yieldOptions = [] { return vor::Form30->Options(); };
            form23->configure = [](QWidget* owner) { vor::ExecOwnDialog(*vor::Form30, *owner); };
            form31.reset(vor::CreateForm31());
            form23->stockUpdate = vor::ShowStockUpdate;
            form32.reset(vor::CreateForm32());
            form33.reset(vor::CreateForm33());
            vor::InstallMaterialWindowPrompts();
        } catch (const std::exception& error) {
            platform::ShowMessage(error.what());
            status = 1;
        }
        if (status == 0) {
            form1->showMaximized();
            QTimer testTimer;
            bool iconsWritten = false;
            if (testDir) {
                const fs::path dir(testDir);
                QObject::connect(&testTimer, &QTimer::timeout,
                                 [dir, &iconsWritten] { ServeTestCommands(dir, iconsWritten); });
                testTimer.start(100);
            }
            status = app.exec();
        }
    }
    platform::SetPrintService(nullptr);
    platform::SetLauncher(nullptr);
    platform::SetFileDialogs(nullptr);
    platform::SetClipboard(nullptr);
    platform::SetSound(nullptr);
    platform::SetMessages(nullptr);
    return status;
}
