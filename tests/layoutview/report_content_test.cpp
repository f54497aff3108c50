#include "vorplan/layoutview/report_content.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/support/test_support.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;

class ReportContentTest : public ::testing::Test {
protected:
    vortest::TempDir dir;
    fs::path File() const { return dir.path() / "VL_RELAT_MONT.INI"; }
};

TEST_F(ReportContentTest, WithoutTheFileEveryFlagIsOnButSaleFactorAndCuttingPrice)
{
    const vor::ReportContentOptions o = vor::LoadReportContent(vor::IniFile(File()));
    for (const vor::ReportContentKey& k : vor::ReportContentKeys()) {
        const bool off = k.key == "USA_PRECO_X_FAT" || k.key == "MOSTRA_PRECO_CORTE";
        EXPECT_EQ(o.*k.flag, !off) << k.key;
    }
    EXPECT_EQ(o.commentText, "");
    // Forty boxes, each once.
    std::set<int> boxes;
    for (const vor::ReportContentKey& k : vor::ReportContentKeys())
        boxes.insert(k.checkBox);
    EXPECT_EQ(boxes.size(), 40u);
    EXPECT_EQ(*boxes.begin(), 1);
    EXPECT_EQ(*boxes.rbegin(), 40);
}

TEST_F(ReportContentTest, SaveWritesEveryKeyInOrderAndEachReadsBack)
{
    vor::ReportContentOptions o;
    o.title = false;
    o.sheetWeight = false;
    o.useSaleFactor = true;
    o.commentText = "Obra Silva";
    {
        vor::IniFile ini(File());
        vor::SaveReportContent(ini, o);
    }
    EXPECT_EQ(ReadBytes(File()),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden/VL_RELAT_MONT.INI"));
    EXPECT_EQ(vor::LoadReportContent(vor::IniFile(File())), o);

    // Every flag away from its default reads back.
    vor::ReportContentOptions flipped;
    for (const vor::ReportContentKey& k : vor::ReportContentKeys())
        flipped.*k.flag = !(flipped.*k.flag);
    {
        vor::IniFile ini(File());
        vor::SaveReportContent(ini, flipped);
    }
    EXPECT_EQ(vor::LoadReportContent(vor::IniFile(File())), flipped);
    for (const char* comment : {" leading", "trailing ", "\"quoted\"", "it's", "Preço ç"}) {
        vor::ReportContentOptions c;
        c.commentText = comment;
        vor::IniFile ini(File());
        vor::SaveReportContent(ini, c);
        EXPECT_EQ(vor::LoadReportContent(vor::IniFile(File())).commentText, comment);
    }
}

}  // namespace
