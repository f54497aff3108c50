// The viewer's "Impressão" page: printing the chosen layouts as cutting maps
// and opening the print settings.
#include <QListWidget>
#include <QPushButton>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/print_jobs.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/layoutview/map_print.h"
#include "vorplan/layoutview/ui/map_print_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace vor {

namespace {

// The captions of the PCB information, as the settings file holds them.
std::vector<std::string> PcbCaptions()
{
    std::vector<std::string> captions;
    const IniFile settings(MainSettingsFile());
    for (const char* key : {"CAMPO0", "PEDIDO", "CAMPO1", "CAMPO2", "CAMPO3", "CAMPO4", "CAMPO5",
                            "CAMPO6", "CAMPO7", "CAMPO8", "CAMPO9"})
        captions.push_back(settings.ReadString("PEDIDO", key, "---"));
    return captions;
}

std::string TwoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

// Both print buttons come back on every way out of a run.
class ButtonsOff {
public:
    ButtonsOff(QPushButton* a, QPushButton* b) : m_a(a), m_b(b)
    {
        m_a->setEnabled(false);
        m_b->setEnabled(false);
    }
    ~ButtonsOff()
    {
        m_a->setEnabled(true);
        m_b->setEnabled(true);
    }
    ButtonsOff(const ButtonsOff&) = delete;
    ButtonsOff& operator=(const ButtonsOff&) = delete;

private:
    QPushButton* m_a;
    QPushButton* m_b;
};

}  // namespace

void Tvisualiz::PrintMaps()
{
    std::vector<long long> chosen;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected())
            chosen.push_back(i + 1);
    MapPrintOptions& options = CurrentMapPrintOptions();
    options.stored = m_print;
    if (chosen.empty()) {
        Beep();
        return;
    }
    const ButtonsOff off(BitBtn1, Button9);
    // The file is what the run reads: an edit of the shown layout goes in first.
    if (m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    const long long current = m_state.currentLayout;

    MapPrintInputs inputs;
    inputs.pcbOption = gShared.settings.pcbOption;
    inputs.aspect = VerticalFactor(gShared.settings.viewerFactor);
    inputs.showDecimals = gShared.settings.showDecimals;
    inputs.longNumbers = !m_display.twoDecimals;
    try {
        inputs.listName = ReadLastListName();
        if (inputs.pcbOption)
            inputs.pcbCaptions = PcbCaptions();
    } catch (const std::exception&) {
        // a missing list name or caption leaves its line out, nothing more
    }
    inputs.materialDescription = gShared.currentMaterialRecord.description;
    const platform::LocalTime now = platform::GetClock().Now();
    inputs.date = TwoDigits(now.day) + "/" + TwoDigits(now.month) + "/" + TwoDigits(now.year);
    inputs.time = TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second);
    inputs.kerf = Inputs().material.kerf;
    inputs.specialPerimeter = gShared.settings.specialPerimeter > 0;

    platform::PrintJobs& jobs = platform::PrintService();
    std::filesystem::path pdf;
    if (jobs.PrintsToFile()) {
        pdf = jobs.OutputFile();
        if (pdf.empty())
            pdf = FreeMapPdfFile(gShared.folders.exportDir, gShared.currentMaterial, now);
    }

    MapPrintViewer viewer;
    viewer.state = &m_state;
    viewer.view = &m_view.transform;
    viewer.display = &m_display;
    viewer.readLayout = [this](long long layout) {
        m_state.currentLayout = layout;
        try {
            ReadCurrentLayout();
        } catch (const std::exception& error) {
            m_state.elements.clear();
            platform::ShowMessage(error.what());
        }
    };
    viewer.redrawScreen = [this] { RedrawView(); };

    MapPrintResult result;
    {
        MapPrinter printer(options, inputs, viewer, jobs, pdf);
        result = printer.Run(chosen);
    }
    m_print = options.stored;

    // The layout that was shown is shown again.
    m_state.currentLayout = current;
    try {
        ReadCurrentLayout();
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    ResetAfterStep();

    switch (result.outcome) {
    case MapPrintOutcome::Printed:
        platform::ShowMessage(pdf.empty() ? Msg(478) : Msg(478) + "\n" + pdf.string());
        break;
    case MapPrintOutcome::JobRefused:
    case MapPrintOutcome::OutputFailed:
        if (pdf.empty())
            ShowPrinterWarning();
        else
            platform::ShowMessage(IoError(pdf, EIO, "gravar").what());
        break;
    case MapPrintOutcome::NothingChosen: break;
    }
}

void Tvisualiz::ConfigureMapPrint()
{
    TForm16* form = CreateForm16();
    form->options.stored = m_print;
    form->exec();
    // The window's colours and factor are what the next print uses.
    m_print = form->options.stored;
    m_view.transform.printerAspect = VerticalFactor(gShared.settings.viewerFactor);
    // The new-piece values start afresh after the print settings, as after opening.
    ResetNewPieceValues();
}

}  // namespace vor
