// Runs one instance through the calculation driver exactly as the calculation
// window starts it, reads the layout files back and checks every layout.
// Usage: vorbench pieces.csv sheets.csv [--type rapido|completo|intensivo]
//        [--rotation yes|no] [--kerf MM] [--trim MM] [--scale K]
//        [--time-limit MINUTES] [--threads N] [--keep DIR]
// Prints one line of figures; exit status 0 when the layouts are valid, 1 when
// they are not (or the run failed), 2 for bad arguments or an unreadable CSV.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "bench/instance_csv.h"
#include "tests/support/layout_checks.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/calc_status.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/orders/material_file.h"
#include "vorplan/orders/table_files.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterialCode = 1;
constexpr long long kOrderNumber = 1;

const char* const kDataFolderNames[] = {"MONT", "CNC",  "OLD_MONT", "MAT", "PED",
                                        "CHP",  "TMP",  "CFG",      "HLP", "REL",
                                        "EXPORT", "IMPORT", "MRP",  "LANG"};

const char* const kUsage =
    "usage: vorbench PIECES.csv SHEETS.csv [--type rapido|completo|intensivo]\n"
    "                [--rotation yes|no] [--kerf MM] [--trim MM] [--scale K]\n"
    "                [--time-limit MINUTES] [--threads N] [--keep DIR]\n";

struct Arguments {
    fs::path pieces, sheets;
    int calcType = 0;
    bool rotation = true;
    double kerf = 0;
    double trim = 0;
    double scale = 1;
    std::optional<int> timeLimitMinutes;
    int threads = 0;  // all cores
    std::optional<fs::path> keep;
};

class UsageError : public std::exception {
public:
    explicit UsageError(std::string text) : m_text(std::move(text)) {}
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
};

double RealArgument(std::string_view option, std::string_view text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw UsageError(std::string(option) + ": not a number: \"" + std::string(text) + "\"");
    return value;
}

int WholeArgument(std::string_view option, const std::string& text, int minimum,
                  std::string_view expected)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum)
        throw UsageError(std::string(option) + ": " + std::string(expected) + ", not \"" + text +
                         "\"");
    return value;
}

Arguments ParseArguments(int argc, char** argv)
{
    Arguments args;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!arg.starts_with("--")) {
            files.push_back(arg);
            continue;
        }
        if (i + 1 >= argc)
            throw UsageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--type") {
            const std::string v = vor::bench::Lower(value);
            if (v == "rapido")
                args.calcType = 0;
            else if (v == "completo")
                args.calcType = 1;
            else if (v == "intensivo")
                args.calcType = 2;
            else
                throw UsageError("--type: rapido, completo or intensivo, not \"" + value + "\"");
        } else if (arg == "--rotation") {
            const std::string v = vor::bench::Lower(value);
            if (v != "yes" && v != "no")
                throw UsageError("--rotation: yes or no, not \"" + value + "\"");
            args.rotation = v == "yes";
        } else if (arg == "--kerf" || arg == "--trim") {
            const double mm = RealArgument(arg, value);
            if (mm < 0)
                throw UsageError(arg + " may not be negative");
            (arg == "--kerf" ? args.kerf : args.trim) = mm;
        } else if (arg == "--scale") {
            args.scale = RealArgument(arg, value);
            if (args.scale <= 0)
                throw UsageError("--scale must be above 0");
        } else if (arg == "--time-limit") {
            args.timeLimitMinutes =
                WholeArgument(arg, value, 1, "a whole number of minutes from 1");
        } else if (arg == "--threads") {
            args.threads = WholeArgument(arg, value, 0, "a whole number, 0 for all cores");
        } else if (arg == "--keep") {
            args.keep = value;
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
    if (files.size() != 2)
        throw UsageError("two CSV files are needed: the pieces and the sheets");
    args.pieces = files[0];
    args.sheets = files[1];
    return args;
}

// A folder made for the run, removed at the end unless it is to be kept.
class RunFolder {
public:
    RunFolder(const std::string& prefix, std::optional<fs::path> keep)
    {
        if (keep) {
            std::error_code ec;
            if (fs::exists(*keep, ec) && !fs::is_empty(*keep, ec))
                throw UsageError("--keep: " + keep->string() + " exists and is not empty");
            fs::create_directories(*keep);
            m_path = fs::absolute(*keep);
            m_remove = false;
            return;
        }
        std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder in " +
                                     fs::temp_directory_path().string());
        m_path = pattern;
    }
    ~RunFolder()
    {
        if (!m_remove)
            return;
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
    bool m_remove = true;
};

// The shortest text that reads back as the same value, never with an exponent,
// so that the table readers take it exactly.
std::string NumberText(double value)
{
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("0");
}

// A run that must not wait for anybody: the end page's "Ok" is pressed at once.
class SilentEvents final : public vor::CalcEvents {
public:
    void WaitForOk(const vor::RunFlags&) override {}
};

void WriteInstallation(const vor::DataFolders& folders, const Arguments& args,
                       const std::vector<vor::bench::CsvItem>& pieces,
                       const std::vector<vor::bench::CsvItem>& sheets)
{
    for (const char* name : kDataFolderNames)
        fs::create_directories(folders.base / name);

    vor::MaterialFileValues material;
    material.fields[0] = "vorbench";
    material.kerf = NumberText(args.kerf);
    material.mayRotate = args.rotation;
    material.trimTop = material.trimBottom = material.trimLeft = material.trimRight =
        NumberText(args.trim);
    vor::WriteMaterialFile(vor::MaterialFile(folders, kMaterialCode), material,
                           "01/01/26  00:00:00");

    std::vector<vor::SheetRow> sheetRows;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        vor::SheetRow row;
        row.mark = "+";
        row.code = std::to_string(i + 1);
        row.quantity = std::to_string(sheets[i].copies.value_or(vor::kMaxLineQuantity));
        row.width = NumberText(sheets[i].width * args.scale);
        row.height = NumberText(sheets[i].height * args.scale);
        sheetRows.push_back(row);
    }
    vor::WriteTextLines(vor::SheetTableFile(folders, kMaterialCode),
                        vor::SheetTableLines(sheetRows, false));

    std::vector<vor::PieceRow> pieceRows;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        vor::PieceRow row;
        row.mark = "+";
        row.code = std::to_string(i + 1);
        row.quantity = std::to_string(pieces[i].copies.value_or(1));
        row.width = NumberText(pieces[i].width * args.scale);
        row.height = NumberText(pieces[i].height * args.scale);
        row.material = std::to_string(kMaterialCode);
        pieceRows.push_back(row);
    }
    vor::WriteTextLines(vor::OrderTableFile(folders, kOrderNumber, true),
                        vor::PieceTableLines(pieceRows, kOrderNumber, false));
}

// What the layout files hold, and every fault found in them.
struct Figures {
    long long sheets = 0, layouts = 0, placed = 0, pieces = 0;
    std::int64_t usedArea = 0, sheetArea = 0;
    bool guillotine = true;
    std::vector<std::string> faults;
};

// Tenths as the loaders take them; a size no sheet could hold (which the run
// refuses anyway) is held at the largest working length.
int Tenths(double mm)
{
    constexpr int kLargest = std::numeric_limits<std::int32_t>::max();
    return mm >= kLargest / 10.0 ? kLargest : static_cast<int>(vor::MillimetresToTenths(mm));
}

// The validator checks demand per size: every line stands for the first line
// of its size (either way round when pieces may turn). Each order line's own
// count is checked besides, since a piece line names one order line of its
// size, the first whose quantity left covers the layout's repetitions.
struct SizeClasses {
    std::map<std::pair<int, int>, int> firstOfSize;
    std::map<int, int> classOfCode;
};

// Every order line got what it asked for (at most that when `finished` is
// false); the faults found.
std::vector<std::string> CheckOrderLines(const std::map<int, long long>& placedPerLine,
                                         const std::vector<vor::bench::CsvItem>& pieces,
                                         bool finished)
{
    std::vector<std::string> faults;
    for (const auto& [code, placed] : placedPerLine)
        if (code < 1 || code > static_cast<int>(pieces.size()))
            faults.push_back("pieces labelled with order line " + std::to_string(code) +
                             ", which the order does not have");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int code = static_cast<int>(i + 1);
        const auto found = placedPerLine.find(code);
        const long long placed = found == placedPerLine.end() ? 0 : found->second;
        const long long copies = pieces[i].copies.value_or(1);
        if (placed > copies || (finished && placed != copies))
            faults.push_back("order line " + std::to_string(code) + " asked for " +
                             std::to_string(copies) + " pieces, the layout files give it " +
                             std::to_string(placed));
    }
    return faults;
}

Figures CheckLayouts(const vor::DataFolders& folders, const Arguments& args,
                     const std::vector<vor::bench::CsvItem>& pieces,
                     const std::vector<vor::bench::CsvItem>& sheets, bool finished)
{
    Figures f;
    // The values the driver took for the material, read back as it reads them.
    vor::CalcOptions options;
    options.rotation =
        args.rotation ? vor::RotationChoice::Allowed : vor::RotationChoice::NotAllowed;
    options.material =
        vor::MaterialValuesOf(kMaterialCode, vor::LoadMaterial(folders, kMaterialCode));
    vortest::CheckInput input;
    input.borders = options.EffectiveSheetBorders();
    input.kerf = options.material.kerf;
    input.mayRotate = options.RotationAllowed();

    SizeClasses classes;
    std::map<int, long long> demand;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int code = static_cast<int>(i + 1);
        const int l = Tenths(pieces[i].width * args.scale);
        const int w = Tenths(pieces[i].height * args.scale);
        const std::pair<int, int> size =
            input.mayRotate ? std::make_pair(std::min(l, w), std::max(l, w)) : std::make_pair(l, w);
        const auto [it, fresh] = classes.firstOfSize.emplace(size, code);
        classes.classOfCode[code] = it->second;
        const long long copies = pieces[i].copies.value_or(1);
        demand[it->second] += copies;
        f.pieces += copies;
        if (fresh)
            input.pieces.push_back({code, l, w, 0});
    }
    for (vortest::PieceDemand& d : input.pieces)
        d.quantity = demand[d.code];
    std::map<int, std::pair<int, int>> sheetSizes;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const int code = static_cast<int>(i + 1);
        input.sheets.push_back({code, sheets[i].copies.value_or(vor::kMaxLineQuantity)});
        sheetSizes[code] = {Tenths(sheets[i].width * args.scale),
                            Tenths(sheets[i].height * args.scale)};
    }

    std::vector<vortest::CheckedLayout> layouts;
    std::map<int, long long> placedPerLine;
    for (long long number = 1;; ++number) {
        const fs::path path = vor::LayoutFile(folders, number, kMaterialCode);
        std::error_code ec;
        if (!fs::exists(path, ec))
            break;
        const std::string where = path.filename().string() + ": ";
        const std::optional<vor::LayoutFileContents> contents = vor::ReadLayoutFileContents(path);
        if (!contents) {
            f.faults.push_back(where + "cannot be read");
            continue;
        }
        if (contents->linesLeftOut > 0)
            f.faults.push_back(where + "more element lines than a layout file holds");
        vortest::CheckedLayout layout;
        long long times = 1;
        for (const vor::LayoutFileLine& line : contents->lines) {
            if (line.type == vor::kLayoutTypeBorders) {
                const vor::SheetBorders b{line.x, line.y, line.length, line.height};
                if (b != input.borders)
                    f.faults.push_back(where + "borders line differs from the material's trims");
                continue;
            }
            vortest::CheckedElement e{line.type, line.code, line.x, line.y, line.length,
                                      line.height};
            if (line.type == vor::kLayoutTypeSheet) {
                times = static_cast<long long>(line.x) + 1;
                f.sheets += times;
                f.sheetArea += times * std::int64_t{line.length} * line.height;
                const auto size = sheetSizes.find(line.code);
                if (size == sheetSizes.end())
                    f.faults.push_back(where + "sheet " + std::to_string(line.code) +
                                       " is not in the stock");
                else if (size->second != std::make_pair(line.length, line.height))
                    f.faults.push_back(where + "sheet " + std::to_string(line.code) +
                                       " has a size that is not its stock line's");
            } else if (line.type == vor::kLayoutTypePiece) {
                f.placed += times;
                f.usedArea += times * std::int64_t{line.length} * line.height;
                placedPerLine[line.code] += times;
                const auto cls = classes.classOfCode.find(line.code);
                if (cls != classes.classOfCode.end())
                    e.code = cls->second;
            }
            layout.push_back(e);
        }
        std::vector<vortest::CheckedElement> placed;
        for (const vortest::CheckedElement& e : layout)
            if (e.type == vor::kLayoutTypePiece)
                placed.push_back(e);
        if (vortest::GuillotineStages(placed, input.kerf) < 0)
            f.guillotine = false;
        layouts.push_back(std::move(layout));
    }
    f.layouts = static_cast<long long>(layouts.size());
    for (std::string& fault : vortest::ValidateLayouts(layouts, input))
        f.faults.push_back(std::move(fault));
    for (std::string& fault : CheckOrderLines(placedPerLine, pieces, finished))
        f.faults.push_back(std::move(fault));
    return f;
}

int Run(const Arguments& args)
{
    std::vector<vor::bench::CsvItem> pieces, sheets;
    try {
        pieces = vor::bench::ReadInstanceCsv(args.pieces, vor::bench::CsvKind::Pieces);
        sheets = vor::bench::ReadInstanceCsv(args.sheets, vor::bench::CsvKind::Sheets);
    } catch (const vor::bench::CsvError& e) {
        std::cerr << "vorbench: " << e.what() << "\n";
        return 2;
    }

    std::optional<RunFolder> installation;
    try {
        installation.emplace("vorbench", args.keep);
    } catch (const UsageError& e) {
        std::cerr << "vorbench: " << e.what() << "\n";
        return 2;
    }
    RunFolder settingsFolder("vorbench-ini", std::nullopt);
    setenv("VORLANE_INI_DIR", settingsFolder.Path().c_str(), 1);

    const vor::DataFolders folders = vor::MakeDataFolders(installation->Path());
    WriteInstallation(folders, args, pieces, sheets);

    vor::CalcSettings settings;
    settings.calcType = args.calcType;
    settings.rotation.Check(args.rotation ? vor::RotationChoice::Allowed
                                          : vor::RotationChoice::NotAllowed);
    if (args.timeLimitMinutes) {
        settings.timeLimit.Check(vor::TimeLimit::Limited);
        settings.timeLimitMinutes = std::to_string(*args.timeLimitMinutes);
    }
    vor::CalcRequest request;
    request.folders = folders;
    request.internalOrders = true;
    request.settings = settings;
    request.options = vor::MakeCalcOptions(settings);
    request.orders = {kOrderNumber};
    request.threads = args.threads;

    SilentEvents events;
    vor::RunFlags flags;
    const auto start = std::chrono::steady_clock::now();
    const vor::CalcRunResult result = vor::RunCalculation(request, events, flags);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    Figures f = CheckLayouts(folders, args, pieces, sheets,
                             result.statusText == vor::ToInt(vor::StatusCode::Finished));

    long long trials = 0, attempts = 0, sheetsUsed = 0, layouts = 0;
    std::int64_t usedArea = 0, sheetArea = 0;
    for (const vor::MaterialOutcome& o : result.outcomes) {
        trials += o.trials;
        attempts += o.attempts;
        sheetsUsed += o.sheetsUsed;
        layouts += o.layouts;
        usedArea += o.usedArea;
        sheetArea += o.sheetArea;
    }
    if (!result.started) {
        f.faults.push_back("the calculation did not start: " + result.refusal);
    } else if (const int status = result.statusText;
               status != vor::ToInt(vor::StatusCode::Finished) &&
               status != vor::ToInt(vor::StatusCode::NoSheetForRemainingPieces) &&
               status != vor::ToInt(vor::StatusCode::Abbreviated)) {
        const std::string text = vor::StatusText(status, kMaterialCode, {});
        f.faults.push_back("the calculation ended with status text " + std::to_string(status) +
                           (text.find_first_not_of(' ') != std::string::npos ? ": " + text : ""));
    } else {
        // The files must say what the run says it did.
        const auto agree = [&f](const char* what, long long mine, long long run) {
            if (mine != run)
                f.faults.push_back(std::string(what) + ": " + std::to_string(mine) +
                                   ", the run says " + std::to_string(run));
        };
        agree("layout files", f.layouts, layouts);
        agree("sheets in the layout files", f.sheets, sheetsUsed);
        agree("pieces in the layout files", f.placed, result.piecesPlaced);
        agree("pieces in the instance", f.pieces, result.piecesSelected);
        agree("piece area in the layout files", f.usedArea, usedArea);
        agree("sheet area in the layout files", f.sheetArea, sheetArea);
    }

    const bool valid = f.faults.empty();
    const double yield =
        f.sheetArea > 0
            ? static_cast<double>(f.usedArea) / static_cast<double>(f.sheetArea) * 100.0
            : 0.0;
    std::cout << "sheets=" << f.sheets << " layouts=" << f.layouts << " placed=" << f.placed
              << " pieces=" << f.pieces << " yield=" << vor::FormatFixed(yield, 2)
              << " seconds=" << vor::FormatFixed(seconds, 3) << " trials=" << trials
              << " attempts=" << attempts << " valid=" << (valid ? "yes" : "no")
              << " guillotine=" << (f.guillotine ? "yes" : "no") << "\n";
    for (const std::string& fault : f.faults)
        std::cerr << "vorbench: " << fault << "\n";
    if (args.keep)
        std::cerr << "vorbench: installation kept in " << installation->Path().string() << "\n";
    return valid ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments args;
    try {
        const std::string_view first = argc == 2 ? argv[1] : "";
        if (first == "--help" || first == "-h") {
            std::cout << kUsage;
            return 0;
        }
        args = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "vorbench: " << e.what() << "\n" << kUsage;
        return 2;
    }
    try {
        return Run(args);
    } catch (const std::exception& e) {
        std::cerr << "vorbench: " << e.what() << "\n";
        return 1;
    }
}
