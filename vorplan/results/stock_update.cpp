#include "vorplan/results/stock_update.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <utility>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_data_file.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/orders/offcut_table.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStockIni = "VL_STOCK.INI";
constexpr const char* kStockSection = "STOCK";

// The report of one update. Lines that say what was written go only into the
// full report, so a refused or failed update can show the rest alone.
struct Report {
    std::vector<std::string> full;
    std::vector<std::string> base;
    void Add(const std::string& line)
    {
        full.push_back(line);
        base.push_back(line);
    }
    void Update(const std::string& line) { full.push_back(line); }
};

std::string TrimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// A report column: the text left-aligned in `width`, or whole and one blank.
std::string Cell(const std::string& text, std::size_t width)
{
    if (text.size() < width)
        return text + std::string(width - text.size(), ' ');
    return text + " ";
}

std::string Num(long long n)
{
    return std::to_string(n);
}

std::string SizeText(const UsedStockEntry& entry)
{
    return TenthsAsMillimetres(entry.width) + " x " + TenthsAsMillimetres(entry.height);
}

// Adds `count` to the entry of `code`, or a new entry while the list has room.
// Returns false when the list is full.
bool AddByCode(std::vector<UsedStockEntry>& list, long room, const LayoutFileLine& line,
               std::int64_t code, long long count)
{
    for (UsedStockEntry& entry : list) {
        if (entry.code == code) {
            entry.count += count;
            return true;
        }
    }
    if (static_cast<long>(list.size()) >= room)
        return false;
    list.push_back({line.length, line.height, code, count});
    return true;
}

bool AddNewOffcut(std::vector<UsedStockEntry>& list, bool group, const LayoutFileLine& line,
                  long long count)
{
    if (group) {
        for (UsedStockEntry& entry : list) {
            if ((entry.width == line.length && entry.height == line.height) ||
                (entry.width == line.height && entry.height == line.length)) {
                entry.count += count;
                return true;
            }
        }
    }
    if (static_cast<long>(list.size()) >= kNewOffcutRoom)
        return false;
    list.push_back({line.length, line.height, 0, count});
    return true;
}

void AddProblemOnce(UsedStock& used, bool& shown, const std::string& text)
{
    if (!shown)
        used.problems.push_back(text);
    shown = true;
}

// The lines of a file, nothing when it is missing; a file that exists but
// cannot be read throws IoError, so it is never written over.
std::optional<std::vector<std::string>> ExistingLines(const Path& path)
{
    std::error_code error;
    if (!fs::exists(path, error))
        return std::nullopt;
    return ReadTextLinesOrThrow(path);
}

// ---- Sheet table -----------------------------------------------------------

void PlanSheets(const DataFolders& folders, long long material, const UsedStock& used,
                bool bestSizeRun, Report& report, std::vector<FileSetEntry>& writes)
{
    if (used.sheets.empty()) {
        report.Update("Não foram utilizadas chapas.");
        return;
    }
    report.Update("");
    if (bestSizeRun) {
        report.Update("Cálculo do melhor tamanho de chapa: as chapas destas montagens não são");
        report.Update("do estoque, e a tabela de chapas não foi alterada.");
        return;
    }
    report.Update("Atualizando estoque das chapas...");
    const Path path = SheetTableFile(folders, material);
    const std::optional<std::vector<std::string>> lines = ExistingLines(path);
    std::vector<SheetLineFields> rows;
    if (lines) {
        for (const std::string& line : *lines)
            rows.push_back(ParseSheetLine(line));
    }

    bool changed = false;
    for (const UsedStockEntry& entry : used.sheets) {
        // Marked rows of the code first, each in file order.
        std::vector<std::size_t> order;
        if (entry.code != 0) {
            for (const bool marked : {true, false})
                for (std::size_t i = 0; i < rows.size(); ++i)
                    if (rows[i].fieldCount > 0 && rows[i].code == entry.code &&
                        (rows[i].mark > 0) == marked)
                        order.push_back(i);
        }
        if (order.empty()) {
            report.Update("Chapa " + Num(entry.code) + " (" + SizeText(entry) + "), quantidade " +
                          Num(entry.count) + ": não há linha desta chapa na tabela de chapas !");
            continue;
        }
        long long remaining = entry.count;
        for (std::size_t k = 0; k < order.size() && remaining > 0; ++k) {
            SheetLineFields& row = rows[order[k]];
            const bool last = k + 1 == order.size();
            const long long old = row.quantity;
            const long long take = last ? remaining : std::min<long long>(std::max(old, 0LL), remaining);
            if (take == 0)
                continue;
            remaining -= take;
            long long now = old - take;
            const bool shortfall = now < 0;
            if (shortfall)
                now = 0;
            row.quantity = static_cast<int>(now);
            row.description = StockNoteDescription(row.description, '_', shortfall, old, now);
            changed = true;
        }
    }
    if (!changed)
        return;

    std::vector<std::string> newLines;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SheetLineFields& row = rows[i];
        // A line without any field is left as it stands.
        if (row.fieldCount == 0) {
            newLines.push_back((*lines)[i]);
            continue;
        }
        if (row.quantity == 0)
            row.mark = 0;
        newLines.push_back(UnpaddedSheetLine(row));
    }
    writes.push_back({path, EncodeTextLines(newLines)});
    report.Update("Chapas atualizadas !");
    report.Update("As chapas que tiveram suas quantidades modificadas possuem");
    report.Update("no final do campo de descrição o símbolo \"** X>Y\" onde");
    report.Update("o \"X\" indica a quantidade antiga, e o \"Y\" a nova.");
}

// ---- Offcut table ----------------------------------------------------------

long long OffcutQuantity(const OffcutRow& row)
{
    return Trunc(StrToRealComma(row[kOffcutQuantityColumn]));
}

bool OffcutSizeMatches(const OffcutRow& row, const UsedStockEntry& entry)
{
    return MillimetresToTenths(StrToRealComma(row[kOffcutWidthColumn])) == entry.width &&
           MillimetresToTenths(StrToRealComma(row[kOffcutHeightColumn])) == entry.height;
}

// The offcut table's lines after the used offcuts are taken off; `tableLines`
// is what the table holds before (nothing when missing), and is replaced by
// the new lines when the table changes. Returns whether it changed.
bool PlanUsedOffcuts(const UsedStock& used, bool dropZero,
                     std::optional<std::vector<std::string>>& tableLines, Report& report)
{
    if (used.offcuts.empty()) {
        report.Update("Não foram usados retalhos.");
        return false;
    }
    report.Update("Atualizando estoque dos retalhos...");
    std::vector<OffcutRow> rows;
    std::vector<std::int64_t> codes;
    if (tableLines) {
        for (const std::string& line : *tableLines)
            rows.push_back(ReadOffcutLine(line));
        codes = OffcutRowCodes(*tableLines);
    }

    // The row of the offcut's code; failing that the first of its size
    // marked "+", then the first of its size. That row takes the whole count.
    std::vector<long long> taken(rows.size(), 0);
    bool changed = false;
    for (const UsedStockEntry& entry : used.offcuts) {
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < rows.size() && !found; ++i)
            if (codes[i] == -entry.code && OffcutSizeMatches(rows[i], entry))
                found = i;
        for (std::size_t i = 0; i < rows.size() && !found; ++i)
            if (rows[i][kOffcutMarkColumn] == "+" && OffcutSizeMatches(rows[i], entry))
                found = i;
        for (std::size_t i = 0; i < rows.size() && !found; ++i)
            if (OffcutSizeMatches(rows[i], entry))
                found = i;
        if (!found) {
            report.Update("Retalho " + Num(entry.code) + " (" + SizeText(entry) + "), quantidade " +
                          Num(entry.count) +
                          ": não há linha deste retalho na tabela de retalhos !");
            continue;
        }
        taken[*found] += entry.count;
        changed = true;
    }
    if (!changed)
        return false;

    std::vector<OffcutRow> kept;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        OffcutRow& row = rows[i];
        if (taken[i] > 0) {
            const long long old = OffcutQuantity(row);
            long long now = old - taken[i];
            const bool shortfall = now < 0;
            if (shortfall)
                now = 0;
            row[kOffcutQuantityColumn] = Num(now);
            row[kOffcutDescriptionColumn] =
                StockNoteDescription(row[kOffcutDescriptionColumn], ' ', shortfall, old, now);
        }
        if (OffcutQuantity(row) == 0) {
            row[kOffcutMarkColumn] = " ";
            if (dropZero)
                continue;
        }
        kept.push_back(std::move(row));
    }
    tableLines = OffcutTableLines(std::move(kept));
    report.Update("Retalhos atualizados !");
    report.Update("Os retalhos que tiveram suas quantidades modificadas possuem");
    report.Update("no final do campo de descrição o símbolo \"** X>Y\" onde");
    report.Update("o \"X\" indica a quantidade antiga, e o \"Y\" a nova.");
    return true;
}

// The new offcuts on top of the offcut table. Returns the hand-over lines,
// empty when there is nothing to register.
std::vector<std::string> PlanRegistration(const DataFolders& folders, long long material,
                                          const UsedStock& used, const platform::LocalTime& now,
                                          std::optional<std::vector<std::string>>& tableLines,
                                          Report& report, std::vector<FileSetEntry>& writes)
{
    if (used.newOffcuts.empty()) {
        report.Update("Não há retalhos para cadastrar.");
        return {};
    }
    report.Update("Efetuando cadastro dos retalhos...");
    const long long counter = ReadSequenceNumber(folders, material);
    const std::string date = CalcDateText(now);
    std::vector<std::string> handOver;
    long long total = 0;
    long long k = 0;
    for (const UsedStockEntry& entry : used.newOffcuts) {
        ++k;
        total += entry.count;
        // The layouts hold tenths; the offcut table holds millimetres.
        const OffcutRow row = {Num(k), "+", Num(entry.count), TenthsAsMillimetres(entry.width),
                               TenthsAsMillimetres(entry.height),
                               "Ret " + Num(material) + " " + Num(k) + "/" + Num(counter) + " " + date};
        handOver.push_back(OffcutLineText(row));
    }
    tableLines = OffcutLinesOnTop(handOver, tableLines ? *tableLines : std::vector<std::string>{});
    writes.push_back({OffcutCounterFile(folders, material), SequenceNumberFileText(counter + 1)});
    report.Update("Gravadas " + Num(k) + " novas linhas no início da tabela de retalhos,");
    report.Update("totalizando " + Num(total) + " novos retalhos. A descrição destes novos");
    report.Update("retalhos está no formato \"Ret " + Num(material) + " X/" + Num(counter) + " " +
                  date + "\"");
    return handOver;
}

std::string OptionsLine(const StockUpdateOptions& o, const platform::LocalTime& now)
{
    const auto bit = [](bool b) { return b ? std::string("1") : std::string("0"); };
    return Msg(609) + ": ATUALIZA_CHP=" + bit(o.updateSheets) + " CADASTRA_RETA=" +
           bit(o.registerOffcuts) + " CADASTRA_RETA_USADO=" + bit(o.updateUsedOffcuts) +
           " AGRUPA_NEW_RET=" + bit(o.groupNewOffcuts) + " APAGA_RET_QT_ZERO=" +
           bit(o.dropZeroOffcuts) + "  " + CalcDateText(now) + "  " + CalcTimeText(now);
}

long long ItemCode(const std::string& item)
{
    return StrToIntDef0(std::string_view(item).substr(0, item.find(' ')));
}

}  // namespace

// ---- Options ---------------------------------------------------------------

StockUpdateOptions ReadStockUpdateOptions()
{
    const IniFile ini(kStockIni);
    StockUpdateOptions o;
    o.updateSheets = ini.ReadBool(kStockSection, "ATUALIZA_CHP", false);
    o.registerOffcuts = ini.ReadBool(kStockSection, "CADASTRA_RETA", false);
    o.updateUsedOffcuts = ini.ReadBool(kStockSection, "CADASTRA_RETA_USADO", false);
    o.groupNewOffcuts = ini.ReadBool(kStockSection, "AGRUPA_NEW_RET", true);
    o.dropZeroOffcuts = ini.ReadBool(kStockSection, "APAGA_RET_QT_ZERO", true);
    return o;
}

void WriteStockUpdateOptions(const StockUpdateOptions& o)
{
    IniFile ini(kStockIni);
    ini.WriteBool(kStockSection, "ATUALIZA_CHP", o.updateSheets);
    ini.WriteBool(kStockSection, "CADASTRA_RETA", o.registerOffcuts);
    ini.WriteBool(kStockSection, "CADASTRA_RETA_USADO", o.updateUsedOffcuts);
    ini.WriteBool(kStockSection, "AGRUPA_NEW_RET", o.groupNewOffcuts);
    ini.WriteBool(kStockSection, "APAGA_RET_QT_ZERO", o.dropZeroOffcuts);
}

// ---- Collecting ------------------------------------------------------------

UsedStock CollectUsedStock(const DataFolders& folders, long long material, bool groupNewOffcuts)
{
    UsedStock used;
    bool sheetsFull = false, offcutsFull = false, newFull = false;
    for (long long b = 1; b <= kLastStockLayoutNumber; ++b) {
        const Path file = LayoutFile(folders, b, material);
        std::error_code error;
        if (!fs::exists(file, error))
            break;
        const std::string name = file.filename().string();
        const std::optional<std::vector<std::string>> lines = ReadTextLines(file);
        if (!lines) {
            used.problems.push_back("Arquivo " + name + " não pôde ser lido !");
            break;
        }
        ++used.layoutFiles;
        const LayoutFileContents contents = ParseLayoutFileContents(*lines);
        // The stock is never lowered from a layout read in part.
        if (contents.linesLeftOut > 0) {
            used.problems.push_back("Arquivo " + name + " grande demais: não foi lido por inteiro !");
            continue;
        }
        const bool untyped =
            !lines->empty() && TrimRight(lines->front()) == TrimRight(std::string(kLayoutTitle));
        if (untyped)
            used.untypedLayouts.push_back(file);
        long long count = 1;
        for (const LayoutFileLine& line : contents.lines) {
            if (line.type == kLayoutTypeSheet) {
                count = static_cast<long long>(std::max(line.x, 0)) + 1;
                if (line.code < 0) {
                    if (!AddByCode(used.offcuts, kUsedOffcutRoom, line, -static_cast<std::int64_t>(line.code), count))
                        AddProblemOnce(used, offcutsFull, "Erro MAX_RET");
                } else if (!AddByCode(used.sheets, kUsedSheetRoom, line, line.code, count)) {
                    AddProblemOnce(used, sheetsFull, "Erro MAX_CHP");
                }
            } else if (line.type == kLayoutTypeOffcut && !untyped) {
                if (!AddNewOffcut(used.newOffcuts, groupNewOffcuts, line, count))
                    AddProblemOnce(used, newFull, "Erro MAX_NEW_RET");
            }
        }
    }
    return used;
}

std::vector<std::string> UsedStockReport(const UsedStock& used)
{
    std::vector<std::string> lines;
    lines.push_back("Tipos de chapas utilizadas:");
    lines.push_back("N   Cod   Qtd      L         A");
    long n = 0;
    for (const UsedStockEntry& e : used.sheets)
        lines.push_back(Cell(Num(++n), 4) + Cell(Num(e.code), 6) + Cell(Num(e.count), 9) +
                        Cell(TenthsAsMillimetres(e.width), 10) + TenthsAsMillimetres(e.height));
    lines.push_back("Tipos de retalhos utilizados:");
    lines.push_back("N   Qtd      L         A");
    n = 0;
    for (const UsedStockEntry& e : used.offcuts)
        lines.push_back(Cell(Num(++n), 4) + Cell(Num(e.count), 9) +
                        Cell(TenthsAsMillimetres(e.width), 10) + TenthsAsMillimetres(e.height));
    lines.push_back("Tipos de retalhos criados:");
    lines.push_back("N    Qtd      L         A");
    n = 0;
    for (const UsedStockEntry& e : used.newOffcuts)
        lines.push_back(Cell(Num(++n), 5) + Cell(Num(e.count), 9) +
                        Cell(TenthsAsMillimetres(e.width), 10) + TenthsAsMillimetres(e.height));
    return lines;
}

std::string StockNoteDescription(const std::string& description, char separator, bool shortfall,
                                 long long oldQuantity, long long newQuantity)
{
    std::string text = description;
    const std::size_t stars = text.find("**");
    // The character before "**" is the separator of the earlier note.
    if (stars != std::string::npos)
        text.resize(stars == 0 ? 0 : stars - 1);
    text += separator;
    text += "**";
    if (shortfall)
        text += '!';
    text += separator;
    text += Num(oldQuantity) + ">" + Num(newQuantity);
    return text;
}

// ---- The update ------------------------------------------------------------

StockUpdatePlan PlanStockUpdate(const StockUpdateRequest& request, bool apply)
{
    StockUpdatePlan plan;
    Report report;
    report.Add(">>> Vorlane 2.18   " + Msg(602) + " <<<");
    report.Add(OptionsLine(request.options, request.now));
    report.Add("");
    report.Add("");

    const StockUpdateOptions& options = request.options;
    const bool bestSizeRun =
        IniFile(CalcDataFile(request.folders)).ReadBool("DADOS_CONF_CALC", "TESTA_BEST_ALT", false);
    std::vector<FileSetEntry> writes;
    std::vector<std::string> lastHandOver;
    std::set<long long> done;
    for (const std::string& item : request.materials) {
        const long long code = ItemCode(item);
        // A material named twice is taken out of stock once.
        if (!done.insert(code).second)
            continue;
        report.Add("> " + Msg(144) + " " + item);
        if (!WasInLastCalculation(request.folders, static_cast<std::int32_t>(code))) {
            report.Add("Material " + Num(code) + " ainda não foi visualizado !");
            plan.refused = true;
            continue;
        }
        const UsedStock used = CollectUsedStock(request.folders, code, options.groupNewOffcuts);
        if (used.layoutFiles == 0)
            report.Add("Erro !!!! não há layouts criados !!!");
        for (const Path& file : used.untypedLayouts)
            report.Add("Layout " + file.filename().string() +
                       " ainda não foi visualizado: seus retalhos não são cadastrados.");
        for (const std::string& problem : used.problems) {
            report.Add(problem);
            plan.messages.push_back(problem);
            plan.refused = true;
        }
        for (const std::string& line : UsedStockReport(used))
            report.Add(line);
        report.Add("");
        if (apply && used.problems.empty()) {
            try {
                if (options.updateSheets)
                    PlanSheets(request.folders, code, used, bestSizeRun, report, writes);
                const Path offcutTable = OffcutTableFile(request.folders, code);
                std::optional<std::vector<std::string>> tableLines;
                if (options.updateUsedOffcuts || options.registerOffcuts)
                    tableLines = ExistingLines(offcutTable);
                bool tableChanged = false;
                if (options.updateUsedOffcuts)
                    tableChanged = PlanUsedOffcuts(used, options.dropZeroOffcuts, tableLines, report);
                if (options.registerOffcuts) {
                    std::vector<std::string> handOver = PlanRegistration(
                        request.folders, code, used, request.now, tableLines, report, writes);
                    if (!handOver.empty()) {
                        tableChanged = true;
                        lastHandOver = std::move(handOver);
                    }
                }
                if (tableChanged)
                    writes.push_back({offcutTable, EncodeTextLines(*tableLines)});
            } catch (const Error& error) {
                report.Add(error.what());
                plan.messages.push_back(error.what());
                plan.refused = true;
            }
        }
        report.Add("");
        report.Add("Fim.");
    }
    if (!lastHandOver.empty())
        writes.push_back({OffcutHandOverFile(request.folders), EncodeTextLines(lastHandOver)});

    if (request.materials.empty()) {
        report.Add("Selecionar um ou mais materiais !");
    } else if (!apply || plan.refused) {
        report.Add("");
        if (plan.refused)
            report.Add("Atualização de estoque não é possível.");
        else
            report.Add("Para efetivar a atualização do estoque, selecione o botão \"Atualizar\"");
    }
    plan.reportWithoutUpdates = report.base;
    if (apply && !plan.refused) {
        plan.report = std::move(report.full);
        plan.writes = std::move(writes);
    } else {
        plan.report = std::move(report.base);
    }
    return plan;
}

StockUpdateResult RunStockUpdate(const StockUpdateRequest& request, bool apply, FileOps& ops)
{
    StockUpdatePlan plan = PlanStockUpdate(request, apply);
    StockUpdateResult result;
    result.messages = std::move(plan.messages);
    result.refused = plan.refused;
    result.report = std::move(plan.report);
    if (!apply || plan.refused)
        return result;
    try {
        if (!plan.writes.empty())
            WriteFileSet(FileSetJournalFile(request.folders), plan.writes, ops);
        result.applied = true;
    } catch (const IoError& error) {
        result.report = std::move(plan.reportWithoutUpdates);
        result.report.push_back("");
        result.report.push_back("Erro de gravação: nenhuma tabela foi alterada.");
        result.report.push_back(error.what());
        result.messages.push_back(error.what());
    }
    return result;
}

}  // namespace vor
