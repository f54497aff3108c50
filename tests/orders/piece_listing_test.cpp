// The piece listing and budget of an order, byte for byte, their figures, how
// ostrel reads them, and their start in ostrel.
#include "vorplan/orders/piece_listing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ostrel/markup.h"
#include "platform/fake_message_service.h"
#include "platform/fake_process_launcher.h"
#include "tests/orders/piece_listing_messages.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using Lines = std::vector<std::string>;

// UTF-8 text of Latin letters as Windows-1252 bytes, kept apart from the
// codec the writer uses: U+00A0..U+00FF are the same single bytes in both.
std::string Golden(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines) {
        const std::string utf8 = line + "\r\n";
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
                const auto next = static_cast<unsigned char>(utf8[++i]);
                out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

vor::PieceRow Row(const std::string& mark, const std::string& code, const std::string& quantity,
                  const std::string& width, const std::string& height, const std::string& material,
                  const std::string& description)
{
    return {mark, code, quantity, width, height, material, description, ""};
}

// Materials 5, 7 and 5 again; an unmarked row, a marked row of quantity 0, a
// two-word description and an empty height cell.
std::vector<vor::PieceRow> FixtureRows()
{
    return {Row("+", "1", "2", "1000", "500", "5", "Tampo"),
            Row("+", "2", "1", "1234", "567", " 7", "Porta de correr"),
            Row(" ", "3", "5", "800", "400", "5", "Sobra"),
            Row("+", "4", "0", "600", "300", "5", "Nada"),
            Row("+", "5", "3", "400", "", "5", "Prateleira")};
}

const char kHeading[] =
    "@T Código  Quantidade  Largura Altura m2_real_   m2_arred. _____________________Descrição";

const Lines kIdentification = {"@D",
                               "@* Descrição: Cozinha Silva",
                               "Cliente: Ana Souza",
                               "Telefone: 5555-1234",
                               ": ",
                               ": ",
                               ": ",
                               ": "};

// An installation whose base folder has a blank in its name, Portuguese
// messages, material 5 with a price and a cutting factor, material 7 without
// a file, and fake launcher and message boxes.
class PieceListingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vortest::SetPieceListingMessages(vor::gShared.messages);
        folders = vor::MakeDataFolders(m_dir.path() / "Vorlane dados");
        for (const fs::path& folder : {folders.mat, folders.tmp})
            fs::create_directories(folder);
        vor::gShared.folders = folders;
        vor::WriteTextLines(vor::MaterialFile(folders, 5),
                            {"[DESC]", "CAMPO1=MDF branco 15mm", "[PROP_COMERC]",
                             "PRECO_COMPRA=1234,5", "FATOR_CORTE=2"});
    }

    void TearDown() override { vor::gShared = *m_saved; }

    static vor::PieceListingInput Input(bool budget)
    {
        vor::PieceListingInput in;
        in.rows = FixtureRows();
        in.orderNumber = 42;
        in.description = "Cozinha Silva";
        in.fields = {"Ana Souza", "5555-1234", "", "", "", "", "sete", "oito"};
        in.fieldTitles = {"Cliente", "Telefone:", "", "", "", "", "", ""};
        in.budget = budget;
        in.printPerimeter = true;
        in.roundedArea = true;
        in.currency = "R$";
        in.roundingTypeOne = false;
        return in;
    }

    vor::DataFolders folders;
    platform::FakeProcessLauncher launcher;
    platform::ScriptedMessages messages;

private:
    vortest::TempDir m_dir;
    std::unique_ptr<vor::SharedGlobals> m_saved;
    platform::ScopedLauncher m_installedLauncher{launcher};
    platform::ScopedMessages m_installedMessages{messages};
};

Lines Join(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(PieceListingTest, ListingAndBudgetAreTheGoldenFilesAndOpenInOstrel)
{
    vor::gShared.currentMaterial = 9;
    vor::gShared.currentMaterialRecord.description = "Vidro";
    const fs::path report = folders.tmp / "mont_inf.txt";

    const Lines listing = Join(
        Join({"@*** Listagem de peças do projeto 42"}, kIdentification),
        {"@* Como matéria prima, utilizar: (5) MDF branco 15mm",
         kHeading,
         " 1 2 1000 500 1.00 1.00 Tampo",
         "",
         "@d",
         "MDF branco 15mm",
         "@D",
         "Total de peças: 2",
         "Área total: 1.00 m2",
         "Área total arredondada: 1.00 m2",
         "Perímetro total: 6.00 m",
         "@* Como matéria prima, utilizar: (7) ???",
         kHeading,
         " 2 1 1234 567 0.70 0.75 Porta_de_correr",
         "",
         "@d",
         "???",
         "@D",
         "Total de peças: 1",
         "Área total: 0.70 m2",
         "Área total arredondada: 0.75 m2",
         "Perímetro total: 3.60 m",
         "@* Como matéria prima, utilizar: (5) MDF branco 15mm",
         kHeading,
         " 4 0 600 300 0.00 0.00 Nada",
         " 5 3 400 0 0.00 0.00 Prateleira",
         "",
         "@d",
         "MDF branco 15mm",
         "@D",
         "Total de peças: 3",
         "Área total: 0.00 m2",
         "Área total arredondada: 0.00 m2",
         "Perímetro total: 2.40 m",
         "",
         "@* Total geral",
         "Total de peças: 6",
         "Área total: 1.70 m2",
         "Área total arredondada: 1.75 m2",
         "Perímetro total: 12.00 m",
         "@d"});

    ASSERT_TRUE(vor::ShowPieceListing(Input(false)));
    EXPECT_EQ(ReadBytes(report), Golden(listing));

    const Lines budget = Join(
        Join({"@*** Orçamento do projeto 42"}, kIdentification),
        {"@* Como matéria prima, utilizar: (5) MDF branco 15mm",
         "Preço de compra (m2) R$ 1.234,50",
         kHeading,
         " 1 2 1000 500 1.00 1.00 Tampo",
         "",
         "@d",
         "MDF branco 15mm",
         "@D",
         "Total de peças: 2",
         "Área total: 1.00 m2",
         "Área total arredondada: 1.00 m2",
         "Perímetro total: 6.00 m",
         "Preço de material: R$ 1.234,50",
         "Preço de corte: R$ 4,00",
         "@* Como matéria prima, utilizar: (7) ???",
         "Preço de compra (m2) R$ 0,00",
         kHeading,
         " 2 1 1234 567 0.70 0.75 Porta_de_correr",
         "",
         "@d",
         "???",
         "@D",
         "Total de peças: 1",
         "Área total: 0.70 m2",
         "Área total arredondada: 0.75 m2",
         "Perímetro total: 3.60 m",
         "Preço de material: R$ 0,00",
         "@* Como matéria prima, utilizar: (5) MDF branco 15mm",
         "Preço de compra (m2) R$ 1.234,50",
         kHeading,
         " 4 0 600 300 0.00 0.00 Nada",
         " 5 3 400 0 0.00 0.00 Prateleira",
         "",
         "@d",
         "MDF branco 15mm",
         "@D",
         "Total de peças: 3",
         "Área total: 0.00 m2",
         "Área total arredondada: 0.00 m2",
         "Perímetro total: 2.40 m",
         "Preço de material: R$ 0,00",
         "Preço de corte: R$ 4,50",
         "",
         "@* Total geral",
         "Total de peças: 6",
         "Área total: 1.70 m2",
         "Área total arredondada: 1.75 m2",
         "Perímetro total: 12.00 m",
         "Preço de corte: R$ 8,50",
         "Preço total: R$ 1.243,00",
         "@d"});

    ASSERT_TRUE(vor::ShowPieceListing(Input(true)));
    EXPECT_EQ(ReadBytes(report), Golden(budget));

    // Each group had a record of its own.
    EXPECT_EQ(vor::gShared.currentMaterial, 9);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, "Vidro");

    ASSERT_EQ(launcher.Started().size(), 2u);
    for (const platform::StartedProgram& start : launcher.Started()) {
        EXPECT_EQ(start.program, folders.base / "ostrel");
        std::string expected = report.string();
        for (char& c : expected)
            if (c == ' ')
                c = '#';
        ASSERT_EQ(start.arguments.size(), 1u);
        EXPECT_EQ(start.arguments[0], expected);
        EXPECT_NE(expected, report.string()) << "the fixture's path should hold a blank";
        EXPECT_EQ(start.workingFolder, folders.base);
    }
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(PieceListingTest, TableWithoutMarkedRowsGivesTitleIdentificationAndZeroTotals)
{
    vor::PieceListingInput in = Input(true);
    in.printPerimeter = false;
    in.roundedArea = false;
    for (vor::PieceRow& row : in.rows)
        row.mark = " ";
    ASSERT_TRUE(vor::ShowPieceListing(in));
    EXPECT_EQ(ReadBytes(folders.tmp / "mont_inf.txt"),
              Golden(Join(Join({"@*** Orçamento do projeto 42"}, kIdentification),
                          {"", "@* Total geral", "Total de peças: 0", "Área total: 0.00 m2",
                           "Preço de corte: R$ 0,00", "Preço total: R$ 0,00", "@d"})));
}

TEST_F(PieceListingTest, ReportThatCannotBeWrittenStartsNothing)
{
    fs::remove_all(folders.tmp);
    vortest::WriteBytes(folders.tmp, "a file where the folder should be");
    EXPECT_THROW(vor::ShowPieceListing(Input(false)), vor::IoError);
    EXPECT_TRUE(launcher.Started().empty());
}

// The lines of a one-row budget that start with `prefix`.
Lines LinesOfOneRow(const vor::PieceRow& row, bool typeOne, const vor::MaterialRecord& material,
                    const std::string& prefix)
{
    vor::PieceListingInput in;
    in.rows = {row};
    in.budget = true;
    in.printPerimeter = true;
    in.roundedArea = true;
    in.roundingTypeOne = typeOne;
    in.currency = "R$";
    in.material = [&](long long) { return material; };
    Lines found;
    for (const std::string& line : vor::PieceListingLines(in))
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

TEST_F(PieceListingTest, FiguresOfOneRow)
{
    vor::MaterialRecord plain;
    vor::MaterialRecord priced;
    priced.purchasePrice = 1234.5;
    priced.cutPriceFactor = 3;
    struct Case {
        const char* what;
        vor::PieceRow row;
        bool typeOne;
        const vor::MaterialRecord* material;
        std::string prefix;
        Lines expected;
    };
    const Case cases[] = {
        {"1000 x 500 x 2: area", Row("+", "1", "2", "1000", "500", "1", ""), false, &plain,
         " 1 ", {" 1 2 1000 500 1.00 1.00 "}},
        {"1000 x 500 x 2: perimeter", Row("+", "1", "2", "1000", "500", "1", ""), false, &plain,
         "Perímetro", {"Perímetro total: 6.00 m", "Perímetro total: 6.00 m"}},
        {"2 x 1234 x 567 rounded, type 0", Row("+", "1", "2", "1234", "567", "1", ""), false,
         &plain, "Área total arr", {"Área total arredondada: 1.50 m2", "Área total arredondada: 1.50 m2"}},
        {"2 x 1234 x 567 rounded, type 1", Row("+", "1", "2", "1234", "567", "1", ""), true,
         &plain, "Área total arr", {"Área total arredondada: 1.50 m2", "Área total arredondada: 1.50 m2"}},
        {"1250 stays under type 0", Row("+", "1", "1", "1250", "1000", "1", ""), false, &plain,
         "Área total arr", {"Área total arredondada: 1.25 m2", "Área total arredondada: 1.25 m2"}},
        {"1250 goes up under type 1", Row("+", "1", "1", "1250", "1000", "1", ""), true, &plain,
         "Área total arr", {"Área total arredondada: 1.30 m2", "Área total arredondada: 1.30 m2"}},
        {"cells with blanks and commas", Row("+", " 1", " 2 ", "1 000,5", "500", "1", "a b"),
         false, &plain, " 1 ", {" 1 2 1000,5 500 1.00 1.00 a_b"}},
        {"purchase price", Row("+", "1", "1", "1000", "1000", "1", ""), false, &priced,
         "Preço de compra", {"Preço de compra (m2) R$ 1.234,50"}},
        // 1 m2 at 1234,50; handling 0.5 x 1 + 0.75 x 1 = 1.25, times 3.
        {"money with a cutting factor", Row("+", "1", "1", "1000", "1000", "1", ""), false,
         &priced, "Preço de",
         {"Preço de compra (m2) R$ 1.234,50", "Preço de material: R$ 1.234,50",
          "Preço de corte: R$ 3,75", "Preço de corte: R$ 3,75"}},
        {"money without a cutting factor", Row("+", "1", "1", "1000", "1000", "1", ""), false,
         &plain, "Preço", {"Preço de compra (m2) R$ 0,00", "Preço de material: R$ 0,00",
                           "Preço de corte: R$ 0,00", "Preço total: R$ 0,00"}},
        {"quantity 0 adds no handling", Row("+", "1", "", "1000", "1000", "1", ""), false,
         &priced, "Preço de corte", {"Preço de corte: R$ 0,00", "Preço de corte: R$ 0,00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LinesOfOneRow(c.row, c.typeOne, *c.material, c.prefix), c.expected);
    }
}

TEST_F(PieceListingTest, OstrelReadsPieceRowsAsTableRowsAndTotalsAsPlainLines)
{
    vor::PieceListingInput in = Input(true);
    in.material = [](long long code) {
        vor::MaterialRecord r;
        r.description = code == 5 ? "MDF" : "Vidro";
        r.cutPriceFactor = 1;
        return r;
    };
    const ostrel::ReportDocument doc(vor::PieceListingLines(in));

    int tables = 0;
    int pieceRows = 0;
    std::size_t columns = 0;
    for (int row = 0; row < doc.Count(); ++row) {
        const std::string& text = doc.Text(row);
        if (doc.IsTitle(row)) {
            ++tables;
            columns = ostrel::SplitColumnTexts(ostrel::DropChars(text, 2)).size();
            EXPECT_EQ(columns, 7u);
        } else if (!text.empty() && text[0] == ' ') {
            ++pieceRows;
            EXPECT_TRUE(doc.InTable(row)) << text;
            EXPECT_EQ(ostrel::SplitColumnTexts(text).size(), columns) << text;
        } else {
            EXPECT_FALSE(doc.InTable(row)) << text;
        }
    }
    EXPECT_EQ(tables, 3);
    EXPECT_EQ(pieceRows, 4);
}

}  // namespace
