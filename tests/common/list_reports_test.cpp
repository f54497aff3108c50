// The order list and material list reports, byte for byte, and their start in ostrel.
#include "vorplan/common/list_reports.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "platform/fake_process_launcher.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

// UTF-8 text of Latin letters as Windows-1252 bytes, kept apart from the
// codec under test: U+00A0..U+00FF are the same single bytes in both.
std::string Cp1252(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
        } else {
            EXPECT_LT(c, 0x80) << "golden text outside Latin-1";
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The bytes of a report file holding `lines`.
std::string Golden(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return Cp1252(text);
}

// The Portuguese texts of the messages the reports use.
void SetPortugueseMessages(vor::MessageTable& m)
{
    m[32] = "Código";
    m[33] = "Descrição";
    m[62] = "Lista de projetos";
    m[63] = "Tabela de materiais";
    m[64] = "Materiais";
    m[102] = "Sim";
    m[103] = "Não";
    m[141] = "Qtd.";
    m[142] = "Largura";
    m[143] = "Altura";
    m[144] = "Material";
    m[174] = "Código";
    m[178] = "Família";
    m[247] = "Preço de compra";
    m[255] = "Largura de serra";
    m[256] = "Largura mínima de destaque";
    m[274] = "Peças";
    m[324] = "PCI";
    m[486] = "Área";
    m[514] = "Chapa";
    m[540] = "Rotação permitida";
    m[542] = "Peso por m2";
    m[556] = "Não há projetos cadastrados.";
    m[557] = "Data";
    m[564] = "Não há materiais cadastrados.";
    m[565] = "Propriedades dos materiais";
    m[583] = "Chapas do material";
    m[584] = "Retalhos do material ";
    m[656] = "Data";
    m[741] = "Hora";
    m[799] = "O arquivo";
    m[800] = "não foi encontrado.";
    m[808] = "Aberto";
    m[809] = "Cortando";
    m[810] = "Concluído";
    m[811] = "Cancelado";
    m[900] = "Não há chapas cadastradas.";
    m[901] = "Não há retalhos cadastrados.";
}

// Gives a file the modification time of a local date at noon.
void SetFileDate(const fs::path& path, int year, int month, int day)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    const auto system = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(path, std::chrono::file_clock::from_sys(system));
}

const char kOrderHeader[] =
    "@T ^Código Descrição___________________ ^Peças  ^_Área_m2  ^Data _Status__ "
    "Materiais_____________";
const char kMaterialHeader[] =
    "@T Código_ Descrição_________________________ Família____ ^Chapa__ ^Chapa_tot___ "
    "^Área_m2_____";
const char kStockHeader[] =
    "@T H _Código___ ^___Qtd._ ^__Largura ^____Altura ^_____Área_m2_ ^__Área_m2_total_";

// An installation whose base folder has a blank in its name, Portuguese
// messages, a fixed clock and fake launcher and message boxes.
class ListReportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedLists = std::make_unique<vor::SharedListData>(vor::gListData);
        SetPortugueseMessages(vor::gShared.messages);
        folders = vor::MakeDataFolders(m_dir.path() / "Vorlane dados");
        for (const fs::path& folder : {folders.ped, folders.mat, folders.chp})
            fs::create_directories(folder);
        vor::gShared.folders = folders;
        vor::gShared.orderList = vor::OrderList{};
        vor::gShared.materialTable = vor::MaterialTable{};
        vor::gShared.settings.showDecimals = false;
        vor::gListData.chosen = vor::ChosenMaterials{};
        clock.SetNow({2024, 3, 18, 9, 5, 7, 0});
    }

    void TearDown() override
    {
        vor::gShared = *m_saved;
        vor::gListData = *m_savedLists;
    }

    // Order `number`: its piece table (lines in the data-file encoding) of
    // `date`, and its description file.
    void AddOrder(int number, const Lines& pieces, const std::string& description, int status,
                  bool pcb, int day) const
    {
        const fs::path table = vor::OrderTableFile(folders, number, true);
        vor::WriteTextLines(table, pieces);
        SetFileDate(table, 2024, 3, day);
        vor::WriteTextLines(vor::ProjectDescriptionFile(folders, number),
                            {"[PED]", "STATUS=" + std::to_string(status),
                             std::string("PCI=") + (pcb ? "1" : "0"), "CAMPO1=" + description});
    }

    void AddThreeOrders() const
    {
        AddOrder(12, {"1      1      2    600    400      7 Porta ABCD"},
                 "Armário de cozinha com portas de correr e gavetas", 3, false, 17);
        AddOrder(3, {"1      1     12   1000    500      7 Tampo ABCD"}, "Mesa de canto", 0, false, 15);
        AddOrder(10,
                 {"1      1      4  200.5    100     12 Placa ABCD",
                  "0      2      6    300    150      7 Borda ABCD"},
                 "Placa PCI", 1, true, 16);
    }

    // Materials 7 and 12 with sheets, material 7 with offcuts too.
    void AddTwoMaterials() const
    {
        vor::WriteTextLines(vor::MaterialFile(folders, 7),
                            {"[DESC]", "CAMPO1=Aglomerado 15mm", "FAMILIA=Painéis", "[PROP_FISIC]",
                             "GIRO=0", "LARG_SERRA=3.2", "LARG_MIN_D=10", "CTE_DIM_CIMA_CHP=5",
                             "CTE_DIM_BAIXO_CHP=5", "CTE_DIM_ESQ_CHP=10", "PESO_ESP=10.5",
                             "[PROP_COMERC]", "PRECO_COMPRA=1234.5"});
        vor::WriteTextLines(vor::MaterialFile(folders, 12),
                            {"[DESC]", "CAMPO1=MDF cru", "[PROP_FISIC]", "LARG_SERRA=4"});
        vor::WriteTextLines(vor::SheetTableFile(folders, 7),
                            {"1      3      2   2750   1830 Chapa_inteira ABCDEFG12345",
                             "0      4      1 2750.5   1000 --- ABCDEFG12345"});
        vor::WriteTextLines(vor::OffcutTableFile(folders, 7),
                            {"1,+,2,500,300,sobra,", "2, ,1,800.5,400,canto de chapa,"});
        vor::WriteTextLines(vor::SheetTableFile(folders, 12), {"1 1 5 1220 2440 MDF ABCDEFG12345"});
    }

    void Choose(std::initializer_list<long long> codes) const
    {
        vor::gListData.chosen.count = 0;
        for (long long code : codes)
            vor::gListData.chosen.codes[++vor::gListData.chosen.count] = code;
    }

    // The one start of ostrel with `report`, from the base folder.
    void ExpectOstrelStartedWith(const fs::path& report) const
    {
        ASSERT_EQ(launcher.Started().size(), 1u);
        const platform::StartedProgram& start = launcher.Started()[0];
        EXPECT_EQ(start.program, folders.base / "ostrel");
        ASSERT_EQ(start.arguments.size(), 1u);
        std::string expected = report.string();
        for (char& c : expected) {
            if (c == ' ')
                c = '#';
        }
        EXPECT_EQ(start.arguments[0], expected);
        EXPECT_EQ(start.arguments[0].find(' '), std::string::npos);
        EXPECT_EQ(start.workingFolder, folders.base);
    }

    vor::DataFolders folders;
    platform::FakeClock clock;
    platform::FakeProcessLauncher launcher;
    platform::ScriptedMessages messages;

private:
    vortest::TempDir m_dir;
    std::unique_ptr<vor::SharedGlobals> m_saved;
    std::unique_ptr<vor::SharedListData> m_savedLists;
    platform::ScopedClock m_installedClock{clock};
    platform::ScopedLauncher m_installedLauncher{launcher};
    platform::ScopedMessages m_installedMessages{messages};
};

// ---- Order list ---------------------------------------------------------------

TEST_F(ListReportsTest, OrderListReportOfThreeOrdersIsTheGoldenFileAndOpensInOstrel)
{
    AddThreeOrders();

    ASSERT_TRUE(vor::ShowOrderListReport());

    const fs::path report = folders.base / "LIST_PED.REL";
    EXPECT_EQ(ReadBytes(report),
              Golden({"@*** Lista de projetos",
                      "",
                      kOrderHeader,
                      "3 Mesa_de_canto___ 12 6.00 15/03/24 Aberto _7",
                      "10 Placa_PCI___(PCI) 10 0.35 16/03/24 Cortando _12_7",
                      "12 Armário_de_cozinha_com_portas_de_correr_... 2 0.48 17/03/24 Cancelado _7",
                      ""}));
    ExpectOstrelStartedWith(report);
    EXPECT_FALSE(vor::gShared.orderList.dirty);
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(ListReportsTest, OrderListReportWithoutOrdersHasFiveLines)
{
    const fs::path report = vor::WriteOrderListReport();

    EXPECT_EQ(report, folders.base / "LIST_PED.REL");
    EXPECT_EQ(ReadBytes(report), Golden({"@*** Não há projetos cadastrados.", "@*** Lista de projetos",
                                         "", kOrderHeader, ""}));
}

TEST_F(ListReportsTest, OrderListReportIsWindows1252WithCrLf)
{
    vor::WriteOrderListReport();

    const std::string bytes = ReadBytes(folders.base / "LIST_PED.REL");
    // "Não" and the "Á" of the area heading as single bytes.
    EXPECT_NE(bytes.find("N\xE3o h\xE1 projetos"), std::string::npos);
    EXPECT_NE(bytes.find("^_\xC1rea_m2"), std::string::npos);
    EXPECT_EQ(bytes.find('\xC3'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
}

struct OrderLineCase {
    const char* what;
    const char* description;  // the list text: description and "~" + pieces
    int status;
    const char* expected;
};

TEST_F(ListReportsTest, OrderLineWordsKeepTheirColumns)
{
    vor::gShared.messages[809] = "Wordt gezaagd";
    const OrderLineCase cases[] = {
        {"the words before the last tilde", "Mesa de canto   ~12", 0,
         "4 Mesa_de_canto___ 12 6.00 01/02/24 Aberto _7"},
        {"a tilde inside the description", "Mesa~nova   ~12", 0,
         "4 Mesa~nova___ 12 6.00 01/02/24 Aberto _7"},
        {"nothing before the tilde", "~12", 0, "4 ??? 12 6.00 01/02/24 Aberto _7"},
        {"no tilde at all", "Mesa", 0, "4 ??? 12 6.00 01/02/24 Aberto _7"},
        {"a status text of two words", "Mesa   ~12", 1, "4 Mesa___ 12 6.00 01/02/24 Wordt_gezaagd _7"},
        {"an unknown status", "Mesa   ~12", 7, "4 Mesa___ 12 6.00 01/02/24 error _7"},
    };
    for (const OrderLineCase& c : cases) {
        vor::OrderList list;
        list.count = 1;
        vor::OrderRecord& record = list.records[1];
        record.number = 4;
        record.description = c.description;
        record.pieces = 12;
        record.area = 6000000;
        record.date = "01/02/24";
        record.status = c.status;
        record.materials = "_7";
        const Lines lines = vor::OrderListReportLines(list);
        ASSERT_EQ(lines.size(), 5u) << c.what;
        EXPECT_EQ(lines[3], c.expected) << c.what;
    }
}

TEST_F(ListReportsTest, OrderListReportThatCannotBeWrittenThrowsAndStartsNothing)
{
    fs::create_directories(folders.base / "LIST_PED.REL" / "in the way");

    EXPECT_THROW(vor::ShowOrderListReport(), vor::IoError);
    EXPECT_TRUE(launcher.Started().empty());
}

TEST_F(ListReportsTest, OstrelThatCannotStartIsSaidAndTheReportStays)
{
    AddThreeOrders();
    launcher.SetFailStarts(true);

    EXPECT_FALSE(vor::ShowOrderListReport());

    ASSERT_EQ(messages.Count(), 1u);
    EXPECT_EQ(messages.Last().text,
              "O arquivo [" + (folders.base / "ostrel").string() + "] não foi encontrado.");
    EXPECT_TRUE(fs::exists(folders.base / "LIST_PED.REL"));
}

// ---- Material list ------------------------------------------------------------

TEST_F(ListReportsTest, MaterialListReportWithEverySectionIsTheGoldenFileAndOpensInOstrel)
{
    AddTwoMaterials();
    Choose({12, 7});

    ASSERT_TRUE(vor::ShowMaterialListReport("Estoque de março", true, true, true, true, true, true));

    const fs::path report = folders.base / "LIST_MAT.REL";
    EXPECT_EQ(ReadBytes(report),
              Golden({"@**** Estoque de março",
                      "",
                      "@** Data:18/03/24  Hora:09:05:07",
                      "",
                      "@** Tabela de materiais:",
                      "",
                      kMaterialHeader,
                      "7 Aglomerado_15mm Painéis 2 3 12.8155",
                      "12 MDF_cru _ 1 5 14.8840",
                      "",
                      "Chapas do material 7: Aglomerado 15mm",
                      kStockHeader,
                      "+ 3 2 2750 1830 5.0325 10.0650",
                      "- 4 1 2750.5 1000 2.7505 2.7505",
                      "",
                      "Área total das chapas: 12.8155 m2",
                      "",
                      "Retalhos do material 7: Aglomerado 15mm",
                      kStockHeader,
                      "+ 1 2 500 300 0.1500 0.3000",
                      "- 2 1 800.5 400 0.3202 0.3202",
                      "",
                      "Área total dos retalhos: 0.6202 m2",
                      "",
                      "Chapas do material 12: MDF cru",
                      kStockHeader,
                      "+ 1 5 1220 2440 2.9768 14.8840",
                      "",
                      "Área total das chapas: 14.8840 m2",
                      "",
                      "Retalhos do material 12: MDF cru",
                      "Não há retalhos cadastrados.",
                      "",
                      "",
                      "@** Propriedades dos materiais",
                      "@D",
                      "Material : 7",
                      "Descrição : Aglomerado 15mm",
                      "Largura de serra : 3.2 mm",
                      "Largura mínima de destaque : 10 mm",
                      "Borda superior da chapa : 5 mm",
                      "Borda inferior da chapa : 5 mm",
                      "Borda esquerda da chapa : 10 mm",
                      "Borda direita da chapa : 0 mm",
                      "Rotação permitida Não",
                      "Preço de compra : 1.234,50",
                      "Peso por m2 : 10.50",
                      "",
                      "@D",
                      "Material : 12",
                      "Descrição : MDF cru",
                      "Largura de serra : 4 mm",
                      "Largura mínima de destaque : 0 mm",
                      "Borda superior da chapa : 0 mm",
                      "Borda inferior da chapa : 0 mm",
                      "Borda esquerda da chapa : 0 mm",
                      "Borda direita da chapa : 0 mm",
                      "Rotação permitida Sim",
                      "Preço de compra : 0,00",
                      "Peso por m2 : 0.00",
                      ""}));
    ExpectOstrelStartedWith(report);
    EXPECT_EQ(vor::gShared.materialTable.count, 2);
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(ListReportsTest, MaterialListReportLeavesTheCurrentMaterialAsItWas)
{
    AddTwoMaterials();
    Choose({7, 12});
    vor::gShared.currentMaterial = 42;
    vor::gShared.currentMaterialRecord = vor::DefaultMaterialRecord();
    vor::gShared.currentMaterialRecord.description = "Vidro";
    vor::gShared.currentMaterialRecord.kerf = 25;
    const vor::MaterialRecord before = vor::gShared.currentMaterialRecord;

    vor::WriteMaterialListReport("", false, false, true, true, true, true);

    EXPECT_EQ(vor::gShared.currentMaterial, 42);
    EXPECT_EQ(vor::gShared.currentMaterialRecord, before);
}

TEST_F(ListReportsTest, MaterialListReportWithoutMaterialsIsOneLine)
{
    Choose({7});

    vor::WriteMaterialListReport("Título", true, true, true, true, true, true);

    EXPECT_EQ(ReadBytes(folders.base / "LIST_MAT.REL"), Golden({"@*** Não há materiais cadastrados."}));
}

TEST_F(ListReportsTest, MaterialListReportShowsOnlyTheChosenMaterialsAndTheAskedSections)
{
    AddTwoMaterials();
    Choose({12});

    vor::WriteMaterialListReport("ignored without a title", false, false, false, false, true, false);

    EXPECT_EQ(ReadBytes(folders.base / "LIST_MAT.REL"),
              Golden({"Retalhos do material 12: MDF cru", "Não há retalhos cadastrados.", ""}));
}

TEST_F(ListReportsTest, MaterialListReportOfMaterialsWithoutStock)
{
    AddTwoMaterials();
    fs::remove(vor::SheetTableFile(folders, 12));
    Choose({12});

    vor::WriteMaterialListReport("", false, false, true, true, false, false);

    EXPECT_EQ(ReadBytes(folders.base / "LIST_MAT.REL"),
              Golden({"@** Tabela de materiais:", "", kMaterialHeader, "12 MDF_cru _ 0 0 0.0000", "",
                      "Chapas do material 12: MDF cru", "Não há chapas cadastradas.", ""}));
}

TEST_F(ListReportsTest, LengthsFollowTheDecimalsSetting)
{
    AddTwoMaterials();
    Choose({7});
    vor::gShared.settings.showDecimals = true;

    vor::WriteMaterialListReport("", false, false, false, true, false, true);

    const Lines lines = vor::ReadTextLinesOrThrow(folders.base / "LIST_MAT.REL");
    ASSERT_GE(lines.size(), 14u);
    EXPECT_EQ(lines[2], "+ 3 2 2750.0 1830.0 5.0325 10.0650");
    EXPECT_EQ(lines[3], "- 4 1 2750.5 1000.0 2.7505 2.7505");
    EXPECT_EQ(lines[12], "Largura de serra : 3.2 mm");
    EXPECT_EQ(lines[13], "Largura mínima de destaque : 10.0 mm");
}

TEST_F(ListReportsTest, MaterialListReportThatCannotBeWrittenThrowsAndStartsNothing)
{
    AddTwoMaterials();
    Choose({7});
    fs::create_directories(folders.base / "LIST_MAT.REL" / "in the way");

    EXPECT_THROW(vor::ShowMaterialListReport("", false, false, true, false, false, false), vor::IoError);
    EXPECT_TRUE(launcher.Started().empty());
}

// ---- Helpers ------------------------------------------------------------------

TEST_F(ListReportsTest, ReportDateLineFromTheClock)
{
    EXPECT_EQ(vor::ReportDateLine(), "Data:18/03/24  Hora:09:05:07");
    clock.SetNow({2031, 12, 1, 23, 59, 0, 999});
    EXPECT_EQ(vor::ReportDateLine(clock), "Data:01/12/31  Hora:23:59:00");
}

TEST_F(ListReportsTest, IsMaterialChosenLooksAtTheCountedEntriesOnly)
{
    Choose({7, 12});
    vor::gListData.chosen.codes[3] = 99;  // beyond the count

    EXPECT_TRUE(vor::IsMaterialChosen(7));
    EXPECT_TRUE(vor::IsMaterialChosen(12));
    EXPECT_FALSE(vor::IsMaterialChosen(99));
    EXPECT_FALSE(vor::IsMaterialChosen(0));
    EXPECT_FALSE(vor::IsMaterialChosen(vor::ChosenMaterials{}, 7));
}

struct StockLineCase {
    const char* what;
    bool sheets;
    const char* line;
    vor::StockRow expected;
};

TEST_F(ListReportsTest, LoadStockRowsReadsSheetAndOffcutLines)
{
    const StockLineCase cases[] = {
        {"padded sheet line", true, "1      3      2   2750   1830 Chapa ABCDEFG12345", {1, 3, 2, 2750, 1830}},
        {"unmarked sheet, decimal comma", true, "0 4 1 2750,5 1000.5 ---", {0, 4, 1, 2750.5, 1000.5}},
        {"other sheet mark kept", true, "2 5 1 100 100", {2, 5, 1, 100, 100}},
        {"offcut marked", false, "1,+,2,500,300,sobra,", {1, 1, 2, 500, 300}},
        {"offcut blank mark", false, "1, ,2,500,300,x,", {0, 1, 2, 500, 300}},
        {"offcut other mark", false, "3,x,1,10,20,", {0, 3, 1, 10, 20}},
        {"empty line", true, "", {0, 0, 0, 0, 0}},
        {"twenty fields", true, "1 6 1 10 20 a b c d e f g h i j k l m n o", {1, 6, 1, 10, 20}},
    };
    for (const StockLineCase& c : cases) {
        const fs::path file = c.sheets ? vor::SheetTableFile(folders, 8) : vor::OffcutTableFile(folders, 8);
        vor::WriteTextLines(file, {c.line});
        const std::vector<vor::StockRow> rows = vor::LoadStockRows(c.sheets, 8);
        ASSERT_EQ(rows.size(), 1u) << c.what;
        EXPECT_EQ(rows[0].mark, c.expected.mark) << c.what;
        EXPECT_EQ(rows[0].code, c.expected.code) << c.what;
        EXPECT_EQ(rows[0].quantity, c.expected.quantity) << c.what;
        EXPECT_DOUBLE_EQ(rows[0].width, c.expected.width) << c.what;
        EXPECT_DOUBLE_EQ(rows[0].height, c.expected.height) << c.what;
        fs::remove(file);
    }
}

TEST_F(ListReportsTest, LoadStockRowsStopsAfter1099LinesAndGivesNothingForAMissingTable)
{
    Lines lines;
    for (int i = 1; i <= 1200; ++i)
        lines.push_back("1 " + std::to_string(i) + " 1 100 100");
    vor::WriteTextLines(vor::SheetTableFile(folders, 9), lines);
    vor::gShared.currentMaterial = 5;

    const std::vector<vor::StockRow> rows = vor::LoadStockRows(true, 9);

    ASSERT_EQ(rows.size(), static_cast<std::size_t>(vor::kStockRowSlots));
    EXPECT_EQ(rows.back().code, 1099);
    EXPECT_TRUE(vor::LoadStockRows(false, 9).empty());
    EXPECT_TRUE(vor::LoadStockRows(true, 10).empty());
    EXPECT_EQ(vor::gShared.currentMaterial, 5);
}

}  // namespace
