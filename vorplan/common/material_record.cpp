#include "vorplan/common/material_record.h"

#include <chrono>
#include <climits>
#include <ctime>
#include <system_error>
#include <utility>

#include "platform/message_service.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/paths.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPhysical = "PROP_FISIC";
constexpr std::string_view kCommercial = "PROP_COMERC";

double IniReal(const IniDocument& doc, std::string_view section, std::string_view key,
               std::string_view def)
{
    return StrToRealComma(IniText(doc, section, key, def));
}

// A millimetre text as whole tenths; the record holds them as int.
int TenthsOf(std::string_view key, const std::string& text)
{
    const double mm = StrToRealComma(text);
    std::int64_t tenths = 0;
    try {
        tenths = MillimetresToTenths(mm);
    } catch (const OverflowError&) {
        tenths = INT64_MAX;
    }
    if (tenths < INT_MIN || tenths > INT_MAX)
        throw OverflowError("Valor fora da faixa: [PROP_FISIC] " + std::string(key) + "=" + text);
    return static_cast<int>(tenths);
}

int Tenths(const IniDocument& doc, std::string_view key, std::string_view def)
{
    return TenthsOf(key, IniText(doc, kPhysical, key, def));
}

MaterialRecord MissingMaterial()
{
    MaterialRecord record = DefaultMaterialRecord();
    record.description = "???";
    record.loadStatus = kMaterialFileMissing;
    return record;
}

bool EndsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::string IniText(const IniDocument& doc, std::string_view section, std::string_view key,
                    std::string_view def)
{
    return doc.ReadString(section, key, def);
}

int IniInteger(const IniDocument& doc, std::string_view section, std::string_view key, int def)
{
    return doc.ReadInteger(section, key, def);
}

bool IniBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def)
{
    return doc.ReadBool(section, key, def);
}

MaterialRecord DefaultMaterialRecord()
{
    return MaterialRecord{};
}

MaterialRecord MaterialRecordFromIni(const IniDocument& doc)
{
    MaterialRecord r;
    r.description = IniText(doc, "DESC", "CAMPO1", "");
    r.family = IniText(doc, "DESC", "FAMILIA", "");
    r.mayRotate = IniBool(doc, kPhysical, "GIRO", true);
    r.mayRotate2 = IniBool(doc, kPhysical, "GIRO", true);
    r.makesOffcuts = IniBool(doc, kPhysical, "GERA_RET", true);
    r.mayDivide = IniBool(doc, kPhysical, "PODE_DIVIDIR", false);
    r.colour = IniInteger(doc, kPhysical, "COR", 16777215);
    r.kerf = Tenths(doc, "LARG_SERRA", "0");
    r.minStripWidth = Tenths(doc, "LARG_MIN_D", "0");
    r.minOffcutWidth = Tenths(doc, "LARG_MIN_R", "0");
    r.minOffcutHeight = Tenths(doc, "ALT_MIN_R", "0");
    // The two axis constants replaced the single one; a file written before
    // them still gets its constant on both axes, as the material window shows it.
    const std::string single = IniText(doc, kPhysical, "CTE_DIM_PC", "0");
    r.pieceConstant = TenthsOf("CTE_DIM_PC", single);
    r.pieceConstantX = Tenths(doc, "CTE_X_DIM_PC", single);
    r.pieceConstantY = Tenths(doc, "CTE_Y_DIM_PC", single);
    r.trimTop = Tenths(doc, "CTE_DIM_CIMA_CHP", "0");
    r.trimBottom = Tenths(doc, "CTE_DIM_BAIXO_CHP", "0");
    r.trimLeft = Tenths(doc, "CTE_DIM_ESQ_CHP", "0");
    r.trimRight = Tenths(doc, "CTE_DIM_DIR_CHP", "0");
    r.thickness = IniReal(doc, kPhysical, "ESPESSURA", "0");
    r.weightPerArea = IniReal(doc, kPhysical, "PESO_ESP", "0");
    r.cutPriceFactor = IniReal(doc, kCommercial, "FATOR_CORTE", "0");
    r.purchasePrice = IniReal(doc, kCommercial, "PRECO_COMPRA", "0");
    r.saleFactor = IniReal(doc, kCommercial, "FATOR_VENDA", "1");
    r.cutLengthLimited = !IniBool(doc, kPhysical, "LIMITA_COMP_CORTE_LIVRE", true);
    r.cutLengthLimit = Tenths(doc, "COMP_LIMITE_CORTE", "10000");

    r.loadStatus = kMaterialLoaded;
    if (r.kerf < 0 || r.kerf > kMaxKerf)
        r.loadStatus = kMaterialKerfOutOfRange;
    if (r.minStripWidth < 0 || r.minStripWidth > kMaxMinStripWidth)
        r.loadStatus = kMaterialStripOutOfRange;
    return r;
}

MaterialRecord LoadMaterial(const DataFolders& folders, long long code)
{
    const fs::path path = MaterialFile(folders, code);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return MissingMaterial();
    // A file that cannot be read is no material either: its defaults would
    // calculate with a kerf of 0 as if all were well.
    const auto lines = ReadTextLines(path);
    if (!lines)
        return MissingMaterial();
    std::string text;
    for (const auto& line : *lines) {
        text += line;
        text += '\n';
    }
    try {
        return MaterialRecordFromIni(IniDocument::Parse(text));
    } catch (const OverflowError& e) {
        throw OverflowError(path.string() + ": " + e.what());
    }
}

void LoadMaterial(long long code)
{
    gShared.currentMaterialRecord = LoadMaterial(gShared.folders, code);
}

// ---- Material table ---------------------------------------------------------

long long MaterialCodeOfFileName(const std::string& name)
{
    if (name.size() <= 5)
        return 0;
    return StrToIntDef0(std::string_view(name).substr(1, name.size() - 5));
}

void LoadMaterialTable(const DataFolders& folders, bool withStock, MaterialTable& table)
{
    table.count = 0;
    table.problems.clear();
    // In name order, so the same 500 are kept whatever order the folder
    // lists them in. The loader opens "M<code>.INI" exactly, so only names of
    // that case are material files.
    bool limitReached = false;
    for (const std::string& name : ListFolder(folders.mat, "M*.INI", EntryKind::Files)) {
        if (name.front() != 'M' || !EndsWith(name, ".INI"))
            continue;
        if (table.count == kMaterialTableSize) {
            limitReached = true;
            break;
        }
        const long long code = MaterialCodeOfFileName(name);
        MaterialRecord record;
        try {
            record = LoadMaterial(folders, code);
        } catch (const OverflowError& e) {
            // One broken file must not take the whole catalogue with it.
            table.problems.emplace_back(e.what());
            continue;
        }
        ++table.count;
        MaterialTableEntry& entry = table.entries[table.count];
        entry = MaterialTableEntry{};
        entry.code = code;
        entry.description = Utf8Left(record.description, kMaterialDescriptionLength);
        entry.family = Utf8Left(record.family, kMaterialFamilyLength);
        entry.colour = record.colour;
    }
    if (limitReached)
        platform::ShowMessage(Msg(598));
    if (!table.problems.empty()) {
        std::string text;
        for (const std::string& problem : table.problems)
            text += (text.empty() ? "" : "\n") + problem;
        platform::ShowMessage(text);
    }

    SortMaterialTable(table);
    if (withStock) {
        for (long i = 1; i <= table.count; ++i)
            MaterialStockSummary(folders, table, i);
    }
}

void LoadMaterialTable(bool withStock)
{
    // Loads into its own records, so the current material stays as it was.
    LoadMaterialTable(gShared.folders, withStock, gShared.materialTable);
}

void SortMaterialTable(MaterialTable& table)
{
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (long i = 1; i < table.count; ++i) {
            if (table.entries[i].code > table.entries[i + 1].code) {
                std::swap(table.entries[i], table.entries[i + 1]);
                swapped = true;
            }
        }
    }
}

void SortMaterialTable()
{
    SortMaterialTable(gShared.materialTable);
}

void MaterialStockSummary(const DataFolders& folders, MaterialTable& table, long i)
{
    MaterialTableEntry& entry = table.entries[i];
    entry.sheetLines = 0;
    entry.sheetQuantity = 0;
    entry.sheetArea = 0;
    const auto lines = ReadTextLines(SheetTableFile(folders, entry.code));
    if (!lines)
        return;
    SplitFieldArrays fields;
    for (const std::string& line : *lines) {
        ++entry.sheetLines;
        SplitFields(line, ' ', fields);
        entry.sheetQuantity += fields.ints[3];
        entry.sheetArea += fields.reals[4] * fields.reals[5] * 0.000001 * fields.ints[3];
    }
}

void MaterialStockSummary(long i)
{
    MaterialStockSummary(gShared.folders, gShared.materialTable, i);
}

std::optional<platform::LocalTime> FileDateTime(const fs::path& path)
{
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(stamp);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(system));
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return std::nullopt;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        system - std::chrono::floor<std::chrono::seconds>(system));
    platform::LocalTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(ms.count());
    return t;
}

}  // namespace vor
