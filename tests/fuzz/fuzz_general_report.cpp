// The general report of all layouts built from a fuzzed layout file, project
// line and piece table. The input is cut at its first two NUL bytes into the
// layout file (used as layouts 1 and 2), the N_L_P.TXT line and the piece
// table of the one order. Only the typed errors may come out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/layoutview/general_report.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterial = 7;
constexpr long long kOrder = 12;

// One installation for the whole run, removed at its end.
struct Installation {
    Installation()
    {
        std::string dir = (fs::temp_directory_path() / "vor_fuzz_report_XXXXXX").string();
        if (!mkdtemp(dir.data()))
            std::abort();
        folders = vor::MakeDataFolders(dir);
        for (const fs::path& p : {folders.mont, folders.tmp, folders.ped, folders.mat})
            fs::create_directories(p);
    }
    ~Installation()
    {
        std::error_code ignored;
        fs::remove_all(folders.base, ignored);
    }
    vor::DataFolders folders;
};

const vor::DataFolders& Folders()
{
    static const Installation installation;
    return installation.folders;
}

// Nothing here needs to survive a crash: skipping the flushes keeps the runs quick.
class NoFlush final : public vor::FileOps {
public:
    int Sync(int) override { return 0; }
};

std::string_view TakePart(std::string_view& rest)
{
    const std::size_t cut = rest.find('\0');
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view layout = TakePart(rest);
    const std::string_view projectLine = TakePart(rest);
    const std::string_view pieces = rest;

    const vor::DataFolders& f = Folders();
    static NoFlush ops;
    vor::WriteFileAtomically(vor::LayoutFile(f, 1, kMaterial), layout, ops);
    vor::WriteFileAtomically(vor::LayoutFile(f, 2, kMaterial), layout, ops);
    vor::WriteFileAtomically(vor::LastListNameFile(f), projectLine, ops);
    vor::WriteFileAtomically(f.mont / "PRJ.SEQ", "12\r\n", ops);
    vor::WriteFileAtomically(vor::OrderTableFile(f, kOrder, true), pieces, ops);

    vor::LayoutInputs inputs;
    inputs.folders = f;
    inputs.material.code = kMaterial;
    inputs.material.kerf = 40;
    inputs.material.minOffcutWidth = 2500;
    inputs.material.minOffcutHeight = 3000;
    inputs.material.minRemainder = 500;
    inputs.pieceBorder = 25;
    vor::LayoutState state;
    try {
        vor::GeneralReportInput input = vor::LoadGeneralReportInput(f, true, true);
        input.content.cuttingPrice = true;
        input.content.useSaleFactor = true;
        input.material.description = "fuzz";
        input.currency = "R$";
        const vor::GeneralReport report = vor::BuildGeneralReport(input, state, inputs, true, ops);
        if (report.noLayouts != report.lines.empty())
            std::abort();
        if (!report.noLayouts && state.layoutCount != 2)
            std::abort();
    } catch (const vor::IoError&) {
    } catch (const vor::OverflowError&) {
    } catch (const vor::RangeError&) {
    }
    return 0;
}
