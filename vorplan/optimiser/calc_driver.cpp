#include "vorplan/optimiser/calc_driver.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/clock.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/optimiser/calc_data_file.h"
#include "vorplan/optimiser/calc_status.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/material_calculation.h"
#include "vorplan/optimiser/trial_pool.h"
#include "vorplan/orders/table_files.h"

namespace vor {

// ---- Events: nothing unless overridden ----------------------------------------------

void CalcEvents::ReportLines(const std::vector<std::string>&) {}
void CalcEvents::ShowMessage(const std::string&) {}
void CalcEvents::BusyChanged(bool) {}
void CalcEvents::CalcTypeChoiceEnabled(bool) {}
void CalcEvents::MaterialStarted(long long) {}
void CalcEvents::StatusPanel(int) {}
void CalcEvents::LayoutStarted(long) {}
void CalcEvents::TimeDisplayChanged(const TimeDisplay&) {}
void CalcEvents::AbbreviateEnabled() {}
void CalcEvents::BetterTrial() {}
void CalcEvents::Error(const std::string&) {}
void CalcEvents::CandidateShown(const std::string&) {}
void CalcEvents::BestPositionAdded(const std::string&) {}
void CalcEvents::BestCandidateRun(const std::string&) {}
void CalcEvents::MusicStarted(const Path&) {}
void CalcEvents::MusicStopped() {}
void CalcEvents::EndSignalStarted(EndSignal, SignalRepeat, const Path&) {}
void CalcEvents::EndSignalStopped() {}
void CalcEvents::EndPageShown() {}
void CalcEvents::YieldShown(double) {}
void CalcEvents::ViewRequested() {}

void CalcEvents::WaitForOk(const RunFlags& flags)
{
    while (!flags.ok.load() && !flags.closing.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

namespace {

// Messages of the driver's own checks.
constexpr long kMultiplierRangeMessage = 466;
constexpr long kNoOrderMessage = 467;
constexpr long kOrderFileMissingMessage = 468;
constexpr long kTooManyOrdersMessage = 469;
constexpr long kIncompleteMessage = 470;
constexpr long kTooManyMaterialsMessage = 471;
constexpr long kStockSheetText = 212;
// A failure the status table has no text of its own for.
constexpr StatusCode kErrorWithoutText = static_cast<StatusCode>(3);
constexpr long kOffcutSheetText = 213;

std::string Number(long long n)
{
    return std::to_string(n);
}

std::string JoinCodes(const std::vector<MaterialEntry>& materials)
{
    std::string text;
    for (const MaterialEntry& m : materials) {
        if (!text.empty())
            text += ", ";
        text += Number(m.code);
    }
    return text;
}

// The sixth field of a piece table line, cut at ";" and split at blanks.
bool MarkedLineMaterial(const std::string& line, long long& material)
{
    const PieceLineFields fields = ParsePieceLine(std::string_view(line).substr(0, line.find(';')));
    material = fields.material;
    return fields.mark > 0;
}

long long LineMaterial(const std::string& line)
{
    long long material = 0;
    MarkedLineMaterial(line, material);
    return material;
}

bool Contains(const std::vector<long long>& list, long long value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The yield of a set of runs: their used area over their sheet area, percent.
double PooledYield(const std::vector<MaterialOutcome>& outcomes)
{
    std::int64_t used = 0, sheets = 0;
    for (const MaterialOutcome& o : outcomes) {
        used += o.usedArea;
        sheets += o.sheetArea;
    }
    return sheets > 0 ? static_cast<double>(used) / static_cast<double>(sheets) * 100.0 : 0.0;
}

// The status text a material leaves for the whole run: the latest, except
// that a finished material never hides one that ended otherwise.
StatusCode CombineStatus(StatusCode overall, StatusCode material)
{
    if (overall == StatusCode::None || overall == StatusCode::Finished)
        return material;
    return material == StatusCode::Finished || material == StatusCode::None ? overall : material;
}

// One calculation from its start to its end.
class CalcRun {
public:
    CalcRun(const CalcRequest& request, CalcEvents& events, RunFlags& flags)
        : m_request(request), m_folders(request.folders), m_events(events), m_flags(flags),
          m_options(request.options), m_work(std::make_unique<OptimiserWork>()),
          m_material(std::make_unique<MaterialCalcResult>())
    {
        m_report.SetListener(
            [this](const std::vector<std::string>& lines) { m_events.ReportLines(lines); });
    }

    CalcRunResult Run()
    {
        DeleteFileQuiet(LastCalcMaterialsFile(m_folders));
        if (std::optional<std::string> refusal = CheckCalcStart(m_request)) {
            m_result.refusal = *refusal;
            m_events.ShowMessage(*refusal);
            return std::move(m_result);
        }
        platform::Clock& clock = platform::GetClock();
        m_start = clock.Now();
        m_startMonotonic = clock.Monotonic();
        m_events.BusyChanged(true);
        m_report.Clear();
        if (m_options.music)
            m_events.MusicStarted(m_folders.base / kMusicFileName);

        if (!PrepareLists()) {
            m_events.MusicStopped();
            m_events.BusyChanged(false);
            return std::move(m_result);
        }
        m_result.started = true;

        if (m_stop == StatusCode::None && m_materials.count > 0) {
            m_events.CalcTypeChoiceEnabled(false);
            if (m_options.bestSheetSizeMode)
                RunBestSheetSizeSearch();
            else
                RunMaterials(std::nullopt, true);
            m_events.CalcTypeChoiceEnabled(true);
        } else {
            DeleteFirstLayouts();
        }
        Finish();
        return std::move(m_result);
    }

private:
    // The calculation's orders and materials, their files and merged lists.
    // False when the run stops before anything is calculated.
    bool PrepareLists()
    {
        const long long firstOrder = m_request.orders.front();
        const Path firstTable = OrderTableFile(m_folders, firstOrder, m_request.internalOrders);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(firstTable, ec)) {
            m_events.ShowMessage(Msg(kOrderFileMissingMessage) + " " + firstTable.string() +
                                 "  Error 778843");
            return false;
        }
        m_result.orders = m_request.orders;
        std::vector<std::string> orderLines;
        for (long long order : m_result.orders)
            orderLines.push_back(Number(order));
        try {
            WriteTextLines(CalcOrdersFile(m_folders), orderLines);
        } catch (const IoError& e) {
            m_events.Error(e.what());
        }

        // Every order table is read once, for the materials and the merged lists.
        const OrderTables tables =
            ReadOrderTables(m_folders, m_request.internalOrders, m_result.orders);
        CalcListsResult lists{MaterialsOfTables(tables), tables.status};
        if (static_cast<long>(lists.materials.size()) > kSelectionCapacity) {
            m_events.ShowMessage(Msg(kTooManyMaterialsMessage) + " " + Number(kSelectionCapacity));
            return false;
        }
        for (MaterialEntry& m : lists.materials)
            m.marked = !Contains(m_request.unchosenMaterials, m.code);
        m_result.materials = lists.materials;
        m_materials.count = 0;
        for (const MaterialEntry& m : lists.materials)
            m_materials.entries[++m_materials.count] = m;
        m_files.assign(lists.materials.size(), std::nullopt);

        m_report.Add("Pedidos : " + JoinOrderNumbers(m_result.orders));
        m_report.Add("Materiais : " + JoinCodes(m_result.materials));
        WriteMaterialSelection(m_folders, m_materials);

        StatusCode status = WriteMergedPieceLists(m_folders, tables, m_result.materials);
        // Nothing to calculate: no marked line, or every material unchosen.
        const bool anyChosen = std::any_of(m_result.materials.begin(), m_result.materials.end(),
                                           [](const MaterialEntry& m) { return m.marked; });
        if (status == StatusCode::None && !anyChosen)
            status = StatusCode::NoPieces;
        if (status != StatusCode::None)
            SetRunStop(status);
        return true;
    }

    // The message of a layout file that failed, and its warning in the report.
    void ReportFileProblem(const std::string& message, const std::string& warning)
    {
        m_report.Add(warning);
        m_events.Error(message);
    }

    // A status of the driver itself, before any material runs or for a
    // layout file that failed.
    void SetRunStop(StatusCode status)
    {
        m_statusText = status;
        m_statusDetail.clear();
        m_statusMaterial = FirstMaterial();
        m_stop = status;
        const std::string text = StatusText(ToInt(status), m_statusMaterial, {});
        const platform::LocalTime now = platform::GetClock().Now();
        m_report.Add("Fim do cálculo: " + CalcDateText(now) + "    " + CalcTimeText(now));
        m_report.Add(text);
        m_report.Add("*** Status final do cálculo: ***");
        m_report.Add(text);
    }

    // The code status texts name when no material's run set them.
    long long FirstMaterial() const
    {
        return m_result.materials.empty() ? 0 : m_result.materials.front().code;
    }

    void DeleteFirstLayouts()
    {
        for (long i = 1; i <= m_materials.count; ++i)
            DeleteFileQuiet(LayoutFile(m_folders, 1, m_materials.entries[i].code));
    }

    MaterialCalcCallbacks Callbacks()
    {
        MaterialCalcCallbacks cb;
        cb.search.progress = [this](const SearchProgress& p) {
            if (p.layoutNumber != m_shownLayout) {
                m_shownLayout = p.layoutNumber;
                m_events.LayoutStarted(p.layoutNumber);
            }
        };
        cb.timeDisplay = [this](const TimeDisplay& d) { m_events.TimeDisplayChanged(d); };
        cb.betterTrial = [this] { m_events.BetterTrial(); };
        cb.enableAbbreviate = [this] { m_events.AbbreviateEnabled(); };
        cb.error = [this](const std::string& text) { m_events.Error(text); };
        cb.statusPanel = [this](int message) { m_events.StatusPanel(message); };
        return cb;
    }

    // One pool for every material and candidate sheet of the run; none when
    // the trials run on this thread.
    TrialPool* Pool()
    {
        const int threads = TrialThreads(m_request.threads);
        if (!m_pool && threads > 1)
            m_pool = std::make_unique<TrialPool>(threads);
        return m_pool.get();
    }

    // Every chosen material once, then their layout files. The outcomes of
    // this run replace those of the one before.
    void RunMaterials(const std::optional<CandidateSheet>& candidate, bool writeHistory)
    {
        m_statusText = StatusCode::None;
        m_statusDetail.clear();
        m_statusMaterial = 0;
        m_stop = StatusCode::None;
        m_result.outcomes.clear();
        std::vector<MaterialValues> values;
        DeleteFirstLayouts();

        for (long i = 1; i <= m_materials.count && m_stop == StatusCode::None; ++i) {
            const MaterialEntry entry = m_materials.entries[i];
            if (!entry.marked)
                continue;
            const MaterialFiles& files = FilesOf(i);
            const MaterialRecord& record = files.record;
            const MaterialInput& input = files.input;
            m_options.material = MaterialValuesOf(entry.code, record);
            m_events.MaterialStarted(entry.code);

            MaterialCalcRequest request;
            request.options = &m_options;
            request.input = &input;
            request.candidate = candidate;
            request.flags = &m_flags;
            request.decimalPlaces = m_request.decimalPlaces;
            request.folders = &m_folders;
            request.pool = Pool();
            // Without a pool the material must not make one of its own: one
            // thread asked for is one thread.
            request.threads = m_request.threads;
            FinalRunContext context;
            context.now = platform::GetClock().Now();
            context.materialDescription = record.description;
            context.comment = m_options.comment;
            context.orders = m_result.orders;
            context.writeHistory = writeHistory;
            request.finalContext = context;
            request.callbacks = Callbacks();

            const auto started = std::chrono::steady_clock::now();
            try {
                CalculateMaterial(request, *m_work, *m_material);
            } catch (const std::exception& e) {
                // A file of the final run could not be written: the run stops
                // here and shows why, and no layout file claims a result.
                m_report.Add(e.what());
                m_events.Error(e.what());
                m_statusText = kErrorWithoutText;
                m_statusDetail.clear();
                m_stop = kErrorWithoutText;
                break;
            }
            const MaterialCalcResult& r = *m_material;
            m_report.AddRun(r.report);

            m_result.abbreviated = m_result.abbreviated || r.abbreviated;
            m_result.timeLimitReached = m_result.timeLimitReached || r.timeLimitReached;
            if (r.closed) {
                m_result.closed = true;
                break;
            }
            if (!r.fileProblems.empty()) {
                // A layout that was not kept: the run is not finished, and no
                // layout file is written from the rest.
                for (const LayoutFileProblem& problem : r.fileProblems)
                    ReportFileProblem(problem.Text(), problem.WarningLine());
                SetRunStop(kErrorWithoutText);
                break;
            }
            const StatusCode combined = CombineStatus(m_statusText, r.status.text);
            if (combined == r.status.text && combined != StatusCode::None) {
                m_statusDetail = r.status.detail;
                m_statusMaterial = entry.code;
            }
            m_statusText = combined;
            if (r.status.stop != StatusCode::None)
                m_stop = r.status.stop;

            MaterialOutcome outcome;
            outcome.code = entry.code;
            outcome.position = i;
            outcome.statusText = ToInt(r.status.text);
            outcome.trials = r.trialsRun;
            outcome.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (r.finalRun) {
                outcome.layouts = r.finalResult.distinctLayouts;
                outcome.sheetsUsed = m_work->statistics.sheetsUsed;
                outcome.usedArea = m_work->statistics.usedArea;
                outcome.sheetArea = m_work->statistics.sheetArea;
                outcome.attempts = m_work->search.totalAttempts;
            }
            m_result.outcomes.push_back(outcome);
            values.push_back(m_options.material);
        }
        if (m_result.closed)
            return;

        if (m_stop == StatusCode::None)
            WriteLayouts(values);
        if (ToInt(m_statusText) > 3)
            DeleteFirstLayouts();
    }

    // What a material's run reads, read at its first run: the candidates of the
    // best sheet-size search run every material again on the same files.
    struct MaterialFiles {
        MaterialRecord record;
        MaterialInput input;
    };
    const MaterialFiles& FilesOf(long position)
    {
        std::optional<MaterialFiles>& files = m_files[static_cast<std::size_t>(position - 1)];
        if (!files) {
            const long long code = m_materials.entries[position].code;
            files = MaterialFiles{LoadMaterial(m_folders, code),
                                  ReadMaterialInput(m_folders, code, position)};
        }
        return *files;
    }

    void WriteLayouts(const std::vector<MaterialValues>& values)
    {
        long long selected = 0, placed = 0;
        for (std::size_t k = 0; k < m_result.outcomes.size(); ++k) {
            const MaterialOutcome& o = m_result.outcomes[k];
            OrderTable orders = ReadOrderTable(MergedPieceListFile(m_folders, o.position, o.code),
                                               m_options.multiplier);
            selected += PiecesSelected(orders);
            if (o.layouts <= 0)
                continue;
            m_options.material = values[k];
            try {
                const LayoutFileSettings settings = MakeLayoutFileSettings(
                    m_options, Msg(kStockSheetText), Msg(kOffcutSheetText));
                const LayoutFilesResult written =
                    WriteLayoutFiles(m_folders, o.code, o.layouts, settings, orders);
                if (written.problems.empty()) {
                    placed += written.piecesPlaced;
                    continue;
                }
                for (const LayoutFileProblem& problem : written.problems)
                    ReportFileProblem(problem.Text(), problem.WarningLine());
            } catch (const std::exception& e) {
                ReportFileProblem(e.what(), LayoutFileWarning(e.what()));
            }
            // A material with a layout missing offers none of its layouts as
            // this calculation's result.
            for (long long n = 1; n <= o.layouts; ++n)
                DeleteFileQuiet(LayoutFile(m_folders, n, o.code));
            m_statusText = kErrorWithoutText;
            m_statusDetail.clear();
        }
        m_report.AddClosingLines(m_flags.abbreviate.load(), selected, placed);
        m_result.piecesSelected = selected;
        m_result.piecesPlaced = placed;
    }

    void RunBestSheetSizeSearch()
    {
        double bestYield = 0;
        CandidateSheet best;
        std::string bestLine;
        for (const CandidateSheet& candidate : SearchCandidates(m_options)) {
            if (ToInt(m_statusText) >= 4 || m_result.closed)
                break;
            m_events.CandidateShown("Testanto a chapa: " + TenthsAsMillimetres(candidate.length) +
                                    " x " + TenthsAsMillimetres(candidate.width));
            RunMaterials(candidate, false);
            ++m_result.candidatesTried;
            if (m_result.closed)
                break;
            // Cut short: this candidate still counts, no further one is tried.
            const bool stop = m_flags.abbreviate.load();
            const double yield = PooledYield(m_result.outcomes);
            if (yield > bestYield) {
                bestYield = yield;
                best = candidate;
                bestLine = FormatFixed(yield, 2) + " %   " + TenthsAsMillimetres(candidate.length) +
                           " x " + TenthsAsMillimetres(candidate.width);
                m_events.BestPositionAdded(bestLine);
            }
            if (stop)
                break;
        }
        if (bestYield > 0 && !m_result.closed) {
            m_result.bestCandidate = best;
            m_result.bestCandidateYield = bestYield;
            // The closing run with the best candidate runs in full.
            m_flags.abbreviate = false;
            m_events.BestCandidateRun(bestLine);
            RunMaterials(best, true);
        }
    }

    void Finish()
    {
        m_events.MusicStopped();
        m_result.statusText = ToInt(m_statusText);
        m_result.elapsed = ElapsedText(std::chrono::duration_cast<std::chrono::milliseconds>(
            platform::GetClock().Monotonic() - m_startMonotonic));
        if (m_result.closed) {
            // Nobody is left to see the end; no half-written result is offered.
            DeleteFirstLayouts();
            m_events.BusyChanged(false);
            return;
        }

        try {
            SaveReportText(m_folders, m_report);
        } catch (const IoError& e) {
            m_events.Error(e.what());
        }
        SaveMaterialsUsed(m_folders, m_materials, true);

        if (m_statusText == StatusCode::NoSheetForRemainingPieces) {
            m_events.ShowMessage(StatusText(ToInt(m_statusText), 0, {}) + "\n" +
                                 Msg(kIncompleteMessage));
            if (m_request.deleteFirstLayoutWhenIncomplete)
                DeleteFirstLayouts();
        }
        // Text 5 skips the end page and the records, as the window always had it.
        if (m_statusText != StatusCode::TooManyPiecesInLayout) {
            m_events.YieldShown(PooledYield(m_result.outcomes));
            m_events.EndPageShown();
            try {
                WriteCalcData();
            } catch (const std::exception& e) {
                m_events.Error(e.what());
            }
            try {
                WriteDataCoStamp(m_folders, platform::GetClock());
            } catch (const IoError& e) {
                m_events.Error(e.what());
            }
            if (m_options.endSignal)
                m_events.EndSignalStarted(*m_options.endSignal,
                                          m_options.signalRepeat.value_or(SignalRepeat::Once),
                                          m_folders.base / kEndSignalFileName);
        }
        m_events.BusyChanged(false);
        if (m_options.showLayouts && m_statusText == StatusCode::Finished) {
            m_events.ViewRequested();
            return;
        }
        m_events.WaitForOk(m_flags);
        m_events.EndSignalStopped();
    }

    void WriteCalcData()
    {
        LastCalculation last;
        last.multiplier = m_options.multiplier;
        for (const MaterialEntry& m : m_result.materials)
            last.materials.push_back(m.code);
        last.start = m_start;
        last.elapsed = m_result.elapsed;
        last.statusText = ToInt(m_statusText);
        // As the report shows it, with the piece loader's detail.
        last.statusMessage = StatusText(ToInt(m_statusText), m_statusMaterial, m_statusDetail);
        last.piecesSelected = m_result.piecesSelected;
        last.piecesPlaced = m_result.piecesPlaced;
        last.orders = m_result.orders;
        IniFile calcData(CalcDataFile(m_folders));
        WriteLastCalculation(calcData, last, m_request.settings);
    }

    const CalcRequest& m_request;
    const DataFolders& m_folders;
    CalcEvents& m_events;
    RunFlags& m_flags;
    CalcOptions m_options;
    std::unique_ptr<OptimiserWork> m_work;
    std::unique_ptr<MaterialCalcResult> m_material;
    std::unique_ptr<TrialPool> m_pool;
    CalcReport m_report;
    MaterialSelection m_materials;
    std::vector<std::optional<MaterialFiles>> m_files;  // by position in m_materials
    StatusCode m_statusText = StatusCode::None;
    std::string m_statusDetail;     // of the material that set m_statusText
    long long m_statusMaterial = 0; // likewise
    StatusCode m_stop = StatusCode::None;
    long m_shownLayout = 0;
    platform::LocalTime m_start;
    std::chrono::steady_clock::time_point m_startMonotonic;
    CalcRunResult m_result;
};

}  // namespace

// ---- The request ----------------------------------------------------------------------

bool DeleteFirstLayoutWhenIncomplete(const IniFile& mainSettings)
{
    return mainSettings.ReadInteger("CALC", "APAGA_MAPA1_INCOMPLETO", 0) == 1;
}

int CalcThreadsSetting(const IniFile& mainSettings)
{
    const long long value = mainSettings.ReadInteger("CALC", "THREADS", 0);
    return value >= 1 ? ClampTrialThreads(value) : 0;
}

CalcRequest MakeCalcRequest(const CalcSettings& settings, std::vector<long long> orders,
                            std::vector<long long> unchosenMaterials)
{
    CalcRequest request;
    request.folders = gShared.folders;
    const IniFile mainSettings(MainSettingsFile());
    request.internalOrders = mainSettings.ReadBool("CALC", "INTERNO", true);
    request.deleteFirstLayoutWhenIncomplete = DeleteFirstLayoutWhenIncomplete(mainSettings);
    request.threads = CalcThreadsSetting(mainSettings);
    request.settings = settings;
    request.options = MakeCalcOptions(settings);
    request.orders = std::move(orders);
    request.unchosenMaterials = std::move(unchosenMaterials);
    request.decimalPlaces = gShared.dimensionPrecision == 1;
    return request;
}

// ---- Checks and lists -------------------------------------------------------------------

std::optional<std::string> CheckCalcStart(const CalcRequest& request)
{
    if (request.options.multiplier < 1 || request.options.multiplier > kMaxMultiplier)
        return Msg(kMultiplierRangeMessage) + " 1 - " + Number(kMaxMultiplier);
    if (request.orders.empty())
        return Msg(kNoOrderMessage);
    if (static_cast<long>(request.orders.size()) > kCalcOrderLimit)
        return Msg(kTooManyOrdersMessage) + " " + Number(kCalcOrderLimit);
    return std::nullopt;
}

OrderTables ReadOrderTables(const DataFolders& folders, bool internalOrders,
                            const std::vector<long long>& orders)
{
    OrderTables tables;
    for (std::size_t k = 0; k < orders.size() && static_cast<long>(k) < kCalcOrderLimit; ++k) {
        std::optional<std::vector<std::string>> lines =
            ReadTextLines(OrderTableFile(folders, orders[k], internalOrders));
        if (!lines)
            tables.status = StatusCode::OrderTableUnreadable;
        tables.orders.push_back(orders[k]);
        tables.lines.push_back(lines ? std::move(*lines) : std::vector<std::string>{});
    }
    return tables;
}

std::vector<MaterialEntry> MaterialsOfTables(const OrderTables& tables)
{
    std::vector<MaterialEntry> materials;
    for (const std::vector<std::string>& table : tables.lines) {
        for (const std::string& line : table) {
            long long material = 0;
            if (!MarkedLineMaterial(line, material))
                continue;
            const bool known = std::any_of(materials.begin(), materials.end(),
                                           [&](const MaterialEntry& m) { return m.code == material; });
            if (!known)
                materials.push_back({static_cast<std::int32_t>(material), true});
        }
    }
    return materials;
}

CalcListsResult CalcMaterialsOfOrders(const DataFolders& folders, bool internalOrders,
                                      const std::vector<long long>& orders)
{
    const OrderTables tables = ReadOrderTables(folders, internalOrders, orders);
    return {MaterialsOfTables(tables), tables.status};
}

void AppendMergedLines(const std::vector<std::string>& tableLines, long long code,
                       long long order, std::vector<std::string>& merged)
{
    for (const std::string& line : tableLines) {
        if (LineMaterial(line) == code)
            merged.push_back(line + " " + Number(order));
    }
}

StatusCode WriteMergedPieceLists(const DataFolders& folders, const OrderTables& tables,
                                 const std::vector<MaterialEntry>& materials)
{
    StatusCode status = tables.status;
    for (std::size_t i = 0; i < materials.size(); ++i) {
        std::vector<std::string> merged;
        for (std::size_t k = 0; k < tables.lines.size(); ++k)
            AppendMergedLines(tables.lines[k], materials[i].code, tables.orders[k], merged);
        try {
            WriteTextLines(
                MergedPieceListFile(folders, static_cast<long long>(i + 1), materials[i].code),
                merged);
        } catch (const IoError&) {
            status = StatusCode::TooManyPiecesInTotal;
        }
    }
    return status;
}

StatusCode BuildMergedPieceLists(const DataFolders& folders, bool internalOrders,
                                 const std::vector<long long>& orders,
                                 const std::vector<MaterialEntry>& materials)
{
    return WriteMergedPieceLists(folders, ReadOrderTables(folders, internalOrders, orders),
                                 materials);
}

MaterialValues MaterialValuesOf(long long code, const MaterialRecord& record)
{
    MaterialValues v;
    v.code = code;
    v.loadStatus = record.loadStatus;
    v.kerf = record.kerf;
    v.minimumStrip = record.minStripWidth;
    v.mayRotate = record.mayRotate;
    v.pieceAllowanceLength = record.pieceConstantX;
    v.pieceAllowanceWidth = record.pieceConstantY;
    v.trimLeft = record.trimLeft;
    v.trimRight = record.trimRight;
    v.trimBottom = record.trimBottom;
    v.trimTop = record.trimTop;
    v.cutLengthLimited = record.cutLengthLimited;
    v.cutLengthLimit = record.cutLengthLimit;
    return v;
}

std::vector<std::int64_t> SearchRange::Offsets() const
{
    std::vector<std::int64_t> offsets;
    for (std::int64_t offset = 0; offset <= to - from; offset += step)
        offsets.push_back(offset);
    return offsets;
}

SearchRange NormaliseSearchRange(std::int64_t from, std::int64_t to, std::int64_t step)
{
    SearchRange r;
    r.from = from;
    r.to = std::max(to, from);
    const std::int64_t range = r.to - r.from;
    r.step = step < 1 || step > range ? range : step;
    r.step = std::max<std::int64_t>(r.step, 1);
    return r;
}

std::vector<CandidateSheet> SearchCandidates(const CalcOptions& options)
{
    const SearchRange widths =
        NormaliseSearchRange(options.bestWidthFrom, options.bestWidthTo, options.bestWidthStep);
    const SearchRange heights =
        NormaliseSearchRange(options.bestHeightFrom, options.bestHeightTo, options.bestHeightStep);
    std::vector<CandidateSheet> candidates;
    for (std::int64_t w : widths.Offsets())
        for (std::int64_t h : heights.Offsets())
            candidates.push_back({widths.from + w, heights.from + h});
    return candidates;
}

CalcRunResult RunCalculation(const CalcRequest& request, CalcEvents& events, RunFlags& flags)
{
    return CalcRun(request, events, flags).Run();
}

// ---- The job of the run controller --------------------------------------------------------

namespace {

// Passes every event on and copies the report lines to the progress lines.
class ForwardingEvents final : public CalcEvents {
public:
    ForwardingEvents(CalcEvents& inner, RunProgressSink& progress)
        : m_inner(inner), m_progress(progress)
    {
    }
    void ReportLines(const std::vector<std::string>& lines) override
    {
        for (const std::string& line : lines)
            m_progress.Line(line);
        m_inner.ReportLines(lines);
    }
    void ShowMessage(const std::string& text) override { m_inner.ShowMessage(text); }
    void BusyChanged(bool busy) override { m_inner.BusyChanged(busy); }
    void CalcTypeChoiceEnabled(bool enabled) override { m_inner.CalcTypeChoiceEnabled(enabled); }
    void MaterialStarted(long long code) override { m_inner.MaterialStarted(code); }
    void StatusPanel(int message) override { m_inner.StatusPanel(message); }
    void LayoutStarted(long layout) override { m_inner.LayoutStarted(layout); }
    void TimeDisplayChanged(const TimeDisplay& d) override { m_inner.TimeDisplayChanged(d); }
    void AbbreviateEnabled() override { m_inner.AbbreviateEnabled(); }
    void BetterTrial() override { m_inner.BetterTrial(); }
    void Error(const std::string& text) override { m_inner.Error(text); }
    void CandidateShown(const std::string& text) override { m_inner.CandidateShown(text); }
    void BestPositionAdded(const std::string& line) override { m_inner.BestPositionAdded(line); }
    void BestCandidateRun(const std::string& line) override { m_inner.BestCandidateRun(line); }
    void MusicStarted(const Path& file) override { m_inner.MusicStarted(file); }
    void MusicStopped() override { m_inner.MusicStopped(); }
    void EndSignalStarted(EndSignal signal, SignalRepeat repeat, const Path& file) override
    {
        m_inner.EndSignalStarted(signal, repeat, file);
    }
    void EndSignalStopped() override { m_inner.EndSignalStopped(); }
    void YieldShown(double percent) override { m_inner.YieldShown(percent); }
    void EndPageShown() override { m_inner.EndPageShown(); }
    void ViewRequested() override { m_inner.ViewRequested(); }
    void WaitForOk(const RunFlags& flags) override { m_inner.WaitForOk(flags); }

private:
    CalcEvents& m_inner;
    RunProgressSink& m_progress;
};

}  // namespace

CalcJob::CalcJob(CalcRequest request, CalcEvents& events)
    : m_request(std::move(request)), m_events(events)
{
}

int CalcJob::Run(RunProgressSink& progress, RunFlags& flags)
{
    ForwardingEvents events(m_events, progress);
    m_result = RunCalculation(m_request, events, flags);
    return m_result.statusText;
}

}  // namespace vor
