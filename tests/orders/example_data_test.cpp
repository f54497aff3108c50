// The example installation must let a new user calculate at once: the order's
// every line is a piece on a shipped material that loads cleanly and has
// sheets in stock that the piece fits on.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/material_record.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/orders/project_description.h"
#include "vorplan/orders/strip_mode.h"
#include "vorplan/orders/table_files.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kExampleOrder = 1;

const fs::path kDist = VOR_DIST_DIR;

// The file's lines; every one must end in CR LF.
std::vector<std::string> CrlfLines(const fs::path& path)
{
    const std::string bytes = vor::ReadFileBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << path << ": last line without CR LF";
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << path << ": bare LF";
        start = end + 2;
    }
    return lines;
}

// Every material file shipped, by code.
std::set<long long> ShippedMaterials()
{
    std::set<long long> codes;
    for (const auto& entry : fs::directory_iterator(kDist / "MAT")) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 5 || name.front() != 'M' || !name.ends_with(".INI")) {
            continue;
        }
        const char* first = name.data() + 1;
        const char* last = name.data() + name.size() - 4;
        long long code = 0;
        const auto [end, error] = std::from_chars(first, last, code);
        if (error == std::errc() && end == last) {
            codes.insert(code);
        }
    }
    return codes;
}

class ExampleDataTest : public ::testing::Test {
protected:
    vor::DataFolders m_folders = vor::MakeDataFolders(kDist);
};

TEST_F(ExampleDataTest, EveryPieceLineParsesOnAShippedMaterial)
{
    const fs::path table = vor::OrderTableFile(m_folders, kExampleOrder, true);
    ASSERT_TRUE(fs::exists(table)) << table;
    const std::vector<std::string> lines = CrlfLines(table);
    ASSERT_GE(lines.size(), 8u);

    const std::set<long long> materials = ShippedMaterials();
    std::set<int> codes;
    std::set<int> usedMaterials;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const vor::PieceLineFields fields = vor::ParsePieceLine(line);
        EXPECT_EQ(fields.fieldCount, 9);
        EXPECT_EQ(fields.mark, 1);
        EXPECT_TRUE(codes.insert(fields.code).second) << "piece code twice";
        EXPECT_GT(fields.quantity, 0);
        EXPECT_GT(fields.width, 0);
        EXPECT_GT(fields.height, 0);
        EXPECT_EQ(fields.orderNumber, kExampleOrder);
        EXPECT_TRUE(materials.contains(fields.material));
        usedMaterials.insert(fields.material);
        // Written as the table editor writes it, so a save changes nothing.
        EXPECT_EQ(vor::PieceLineFromRow(vor::PieceRowFromLine(line, false), kExampleOrder, false),
                  line);
    }
    EXPECT_EQ(usedMaterials, (std::set<int>{99000, 99001}));

    // The table editor and the calculation's loader see the same lines.
    const auto rows = vor::ReadPieceTable(table, false);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->size(), lines.size());
    EXPECT_EQ(vor::ParsePieceListLines(lines).size(), lines.size());
}

TEST_F(ExampleDataTest, EveryMaterialOfTheOrderLoadsAndHasStockThePiecesFit)
{
    const std::vector<std::string> lines =
        CrlfLines(vor::OrderTableFile(m_folders, kExampleOrder, true));
    std::map<int, std::vector<vor::PieceLineFields>> byMaterial;
    for (const std::string& line : lines) {
        const vor::PieceLineFields fields = vor::ParsePieceLine(line);
        byMaterial[fields.material].push_back(fields);
    }
    ASSERT_FALSE(byMaterial.empty());

    for (const auto& [code, pieces] : byMaterial) {
        SCOPED_TRACE(code);
        const vor::MaterialRecord record = vor::LoadMaterial(m_folders, code);
        EXPECT_EQ(record.loadStatus, vor::kMaterialLoaded);
        EXPECT_NE(record.description, "???");

        const std::vector<vor::SheetTableLine> sheets =
            vor::ParseSheetTableLines(CrlfLines(vor::SheetTableFile(m_folders, code)));
        long stock = 0;
        for (const vor::SheetTableLine& sheet : sheets) {
            stock += sheet.quantity;
        }
        ASSERT_GT(stock, 0) << "no marked sheet in stock";

        // Every piece fits on some marked sheet inside its trims, turned if
        // the material allows it (tenths of a millimetre).
        for (const vor::PieceLineFields& piece : pieces) {
            SCOPED_TRACE(piece.description);
            const auto w = static_cast<std::int64_t>(piece.widthWhole) * 10;
            const auto h = static_cast<std::int64_t>(piece.heightWhole) * 10;
            const bool fits = std::any_of(sheets.begin(), sheets.end(), [&](const auto& sheet) {
                const std::int64_t usableW = sheet.length - record.trimLeft - record.trimRight;
                const std::int64_t usableH = sheet.width - record.trimTop - record.trimBottom;
                return sheet.quantity > 0 &&
                       ((w <= usableW && h <= usableH) ||
                        (record.mayRotate && h <= usableW && w <= usableH));
            });
            EXPECT_TRUE(fits);
        }
    }
}

TEST_F(ExampleDataTest, TheOrderHasItsDescription)
{
    const fs::path file = vor::ProjectDescriptionFile(m_folders, kExampleOrder);
    ASSERT_TRUE(fs::exists(file)) << file;
    CrlfLines(file);
    const vor::ProjectDescription description =
        vor::ReadProjectDescription(file, kExampleOrder, "now", "me");
    EXPECT_EQ(description.description, "Armário de cozinha (exemplo)");
    EXPECT_EQ(description.status, 0);
    EXPECT_EQ(description.created, "02/01/24  08:00:00");
    EXPECT_EQ(description.modifiedBy, "Exemplo");
}

// The strip mode works with its defaults in a new installation: the default
// strip material is shipped, loads, and its sheets take the default strips.
TEST_F(ExampleDataTest, TheDefaultStripMaterialCutsTheDefaultStrips)
{
    const long long code = std::stoll(vor::PcbStripValues{}.material);
    const vor::MaterialRecord record = vor::LoadMaterial(m_folders, code);
    EXPECT_EQ(record.loadStatus, vor::kMaterialLoaded);
    EXPECT_NE(record.description, "???");
    CrlfLines(vor::MaterialFile(m_folders, code));
    CrlfLines(vor::SheetTableFile(m_folders, code));

    const vor::SheetKindsRead read = vor::ReadSheetKinds(m_folders, code, vor::SheetKindOrder::List);
    ASSERT_EQ(read.status, 0);
    EXPECT_GE(read.kinds.size(), 2u);
    EXPECT_LE(read.kinds.size(), 3u);
    std::vector<vor::StripOption> options =
        vor::GenerateStripOptions(vor::StripParametersOf({})).options;
    ASSERT_FALSE(options.empty());
    vor::ComputeOptionYields(options, read.kinds);
    for (const vor::StripOption& option : options)
        EXPECT_GT(option.yield, 40.0) << option.across << " x " << option.along;
}

// Little-endian unsigned of `size` bytes at `at`.
std::uint32_t Le(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

TEST_F(ExampleDataTest, TheSoundsInTheBaseFolderAreSmallPlainPcm)
{
    struct Sound {
        const char* name;
        double minSeconds;
        double maxSeconds;
    };
    const Sound sounds[] = {{"musica.wav", 2.0, 10.0}, {"fim.wav", 0.2, 2.0}};
    for (const Sound& sound : sounds) {
        SCOPED_TRACE(sound.name);
        const std::string bytes = vor::ReadFileBytes(kDist / sound.name);
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_LT(bytes.size(), 200u * 1024u);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(Le(bytes, 4, 4), bytes.size() - 8);
        EXPECT_EQ(bytes.substr(8, 4), "WAVE");
        EXPECT_EQ(bytes.substr(12, 4), "fmt ");
        EXPECT_EQ(Le(bytes, 20, 2), 1u);      // PCM
        EXPECT_EQ(Le(bytes, 22, 2), 1u);      // mono
        EXPECT_EQ(Le(bytes, 24, 4), 22050u);  // samples a second
        EXPECT_EQ(Le(bytes, 34, 2), 16u);     // bits a sample
        const std::size_t data = 20 + Le(bytes, 16, 4);
        ASSERT_LE(data + 8, bytes.size());
        EXPECT_EQ(bytes.substr(data, 4), "data");
        const std::uint32_t dataSize = Le(bytes, data + 4, 4);
        EXPECT_EQ(data + 8 + dataSize, bytes.size());
        const double seconds = dataSize / 2.0 / 22050.0;
        EXPECT_GE(seconds, sound.minSeconds);
        EXPECT_LE(seconds, sound.maxSeconds);
    }
}

}  // namespace
