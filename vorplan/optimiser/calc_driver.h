#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/material_record.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/calc_report.h"
#include "vorplan/optimiser/calc_settings.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/optimiser/run_job.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

class IniFile;

// One whole calculation as the calculation window starts it: the checks of
// the selection, the calculation's order and material lists and their merged
// piece lists, every chosen material (or the best sheet-size search), the
// layout files, CALC_DAT.INI, the stamp and the end of the run. It runs on the
// calculation's own thread, never touches a window or the shared globals, and
// reports through CalcEvents; the window turns those into what it shows.

// The sound files of an installation, looked up in the base folder.
inline constexpr const char* kMusicFileName = "musica.wav";
inline constexpr const char* kEndSignalFileName = "fim.wav";

// What the window hands the driver when the calculation starts.
struct CalcRequest {
    DataFolders folders;
    bool internalOrders = true;   // INTERNO: which order table files the orders use
    CalcSettings settings;        // the options as typed, recorded in CALC_DAT.INI
    CalcOptions options;          // MakeCalcOptions(settings); its material slot is set per material
    std::vector<long long> orders;             // selected in the order list, in list order
    std::vector<long long> unchosenMaterials;  // toggled off in the what-if list
    bool decimalPlaces = false;                // the decimal-precision setting (report header)
    bool deleteFirstLayoutWhenIncomplete = false;  // CALC APAGA_MAPA1_INCOMPLETO of VL_.INI
    // The trials' threads, CALC THREADS of VL_.INI: 0 all cores. Results never depend on it.
    int threads = 0;
};

// The general setting that makes status text 2 also remove layout file 1 of
// every material: CALC APAGA_MAPA1_INCOMPLETO = 1 (not written unless set).
bool DeleteFirstLayoutWhenIncomplete(const IniFile& mainSettings);

// CALC THREADS of VL_.INI (never written): the threads the trials may use,
// 0 (the default, and for any value below 1) meaning every core.
int CalcThreadsSetting(const IniFile& mainSettings);

// A request from the shared state: the shared folders, INTERNO and the
// setting above read from VL_.INI now, the dimension precision, the options
// converted from `settings`. Throws OverflowError like MakeCalcOptions.
CalcRequest MakeCalcRequest(const CalcSettings& settings, std::vector<long long> orders,
                            std::vector<long long> unchosenMaterials);

// Where the calculation reports; called on the calculation's thread. Every
// method does nothing unless overridden.
class CalcEvents {
public:
    virtual ~CalcEvents() = default;

    // Lines added to the calculation report (the memo of the report page).
    virtual void ReportLines(const std::vector<std::string>& lines);
    // A message box. Returns when the user has dismissed it (or at once).
    virtual void ShowMessage(const std::string& text);
    // The busy flag of the main window: set when the run starts, cleared at its end.
    virtual void BusyChanged(bool busy);
    // The calculation-type choice is disabled while the materials run.
    virtual void CalcTypeChoiceEnabled(bool enabled);
    virtual void MaterialStarted(long long code);
    virtual void StatusPanel(int message);
    virtual void LayoutStarted(long layoutNumber);
    virtual void TimeDisplayChanged(const TimeDisplay& display);
    virtual void AbbreviateEnabled();
    // A trial beat the best one of its material (a short beep).
    virtual void BetterTrial();
    // "error ABXX (r)" of the search, or a layout file that failed.
    virtual void Error(const std::string& text);
    // The best sheet-size search: "Testanto a chapa: " and the sizes, and a
    // line of the "Posição até o momento:" list.
    virtual void CandidateShown(const std::string& text);
    virtual void BestPositionAdded(const std::string& line);
    // The closing run of the search starts with the best candidate: its
    // yield and sizes, as in its list line.
    virtual void BestCandidateRun(const std::string& line);
    // Sounds: the music loop and the end signal (the window runs its timer).
    virtual void MusicStarted(const Path& waveFile);
    virtual void MusicStopped();
    virtual void EndSignalStarted(EndSignal signal, SignalRepeat repeat, const Path& waveFile);
    virtual void EndSignalStopped();
    // The calculation's yield, pooled over its materials, right before the
    // end page: used area over sheet area, percent.
    virtual void YieldShown(double percent);
    // The end page (the report page with its "Ok") is shown.
    virtual void EndPageShown();
    // "Mostrar mapas" with a finished run: the main window is to open the
    // layouts (ViewRequest) and the calculation window closes.
    virtual void ViewRequested();
    // Waits until "Ok" is pressed or the window closes. The default polls the
    // flags every 20 ms.
    virtual void WaitForOk(const RunFlags& flags);
};

// One material's part in the run.
struct MaterialOutcome {
    long long code = 0;
    long position = 0;            // in the calculation's material list, from 1
    int statusText = 0;
    long long layouts = 0;        // distinct layouts of the final run
    long long sheetsUsed = 0;
    std::int64_t usedArea = 0;    // tenths squared
    std::int64_t sheetArea = 0;
    long long trials = 0;         // trials run, without the final run
    long long attempts = 0;       // attempts of the final run
    double seconds = 0;           // the material's whole time, trials and final run
};

struct CalcRunResult {
    bool started = false;         // false: refused by a check, its message shown
    std::string refusal;          // that message
    int statusText = 0;           // the run's final status text code
    bool abbreviated = false;     // "Abreviar" confirmed
    bool timeLimitReached = false;
    bool closed = false;          // the window closed during the run
    std::vector<long long> orders;           // that took part, in list order
    std::vector<MaterialEntry> materials;    // of the calculation, marked when chosen
    std::vector<MaterialOutcome> outcomes;   // of the last material run (the closing run)
    long long piecesSelected = 0;
    long long piecesPlaced = 0;
    long long candidatesTried = 0;           // best sheet-size search
    std::optional<CandidateSheet> bestCandidate;
    double bestCandidateYield = 0;
    std::string elapsed;                     // "hh:mm:ss" of the whole run
};

// The message that refuses a start, or nullopt when the request may start:
// a multiplier outside 1..100, no order, more orders than a calculation
// takes. The window calls it before it starts the thread; RunCalculation
// checks again.
std::optional<std::string> CheckCalcStart(const CalcRequest& request);

// The order table of `order` could not be read (status 26) or a merged piece
// list could not be written (27).
struct CalcListsResult {
    std::vector<MaterialEntry> materials;  // in the order found, all marked
    StatusCode status = StatusCode::None;
};

// The piece tables of the calculation's orders (the first 30), read once:
// a table that cannot be read stands as empty and gives status 26.
struct OrderTables {
    std::vector<long long> orders;
    std::vector<std::vector<std::string>> lines;  // one table per order
    StatusCode status = StatusCode::None;
};
OrderTables ReadOrderTables(const DataFolders& folders, bool internalOrders,
                            const std::vector<long long>& orders);

// The codes of the marked lines (mark above 0) of `tables`, in the order
// found, each once, all marked.
std::vector<MaterialEntry> MaterialsOfTables(const OrderTables& tables);

// Writes TMP/ALL<position>.<code> of every material of `materials` from
// `tables`; the status of the tables, or 27 when a list could not be written
// (that list is left out). Never throws.
StatusCode WriteMergedPieceLists(const DataFolders& folders, const OrderTables& tables,
                                 const std::vector<MaterialEntry>& materials);

// The materials of the calculation: the codes of the marked lines (mark
// above 0) of the orders' piece tables, in the order found, each once.
// Unreadable tables are skipped and give status 26. Used for the what-if
// list too. Never throws.
CalcListsResult CalcMaterialsOfOrders(const DataFolders& folders, bool internalOrders,
                                      const std::vector<long long>& orders);

// The lines of material `code`'s merged piece list from one order's piece
// table: every line whose sixth field (after cutting at ";", split at blanks)
// is the code, unchanged, plus " " and the order number.
void AppendMergedLines(const std::vector<std::string>& tableLines, long long code,
                       long long order, std::vector<std::string>& merged);

// Writes TMP/ALL<position>.<code> of every material of `materials` from the
// orders' tables. A table that cannot be read is skipped (status 26); a list
// that cannot be written is left out (status 27). Never throws.
StatusCode BuildMergedPieceLists(const DataFolders& folders, bool internalOrders,
                                 const std::vector<long long>& orders,
                                 const std::vector<MaterialEntry>& materials);

// The values of a material record that a run uses.
MaterialValues MaterialValuesOf(long long code, const MaterialRecord& record);

// The best sheet-size search's ranges after their rules: "to" raised to
// "from", a step below 1 or above its range made the range, then at least 1.
struct SearchRange {
    std::int64_t from = 0, to = 0, step = 1;
    // The offsets 0, step, ... up to the range.
    std::vector<std::int64_t> Offsets() const;
};
SearchRange NormaliseSearchRange(std::int64_t from, std::int64_t to, std::int64_t step);

// The candidate sheets of the search in the order they are tried: for each
// width ("Largura") offset, each height ("Altura") offset; the candidate is
// the width long and the height wide.
std::vector<CandidateSheet> SearchCandidates(const CalcOptions& options);

// Runs the whole calculation. A file it cannot write is reported through
// CalcEvents::Error (and the report); one of a material's final run stops the
// calculation with status text 3, so no layout file claims a result. Never
// throws but for a lack of memory.
CalcRunResult RunCalculation(const CalcRequest& request, CalcEvents& events, RunFlags& flags);

// The calculation as a job of the run controller: the report lines go to the
// controller's progress lines as well as to `events`.
class CalcJob final : public RunJob {
public:
    CalcJob(CalcRequest request, CalcEvents& events);
    int Run(RunProgressSink& progress, RunFlags& flags) override;
    const CalcRunResult& Result() const { return m_result; }

private:
    CalcRequest m_request;
    CalcEvents& m_events;
    CalcRunResult m_result;
};

}  // namespace vor
