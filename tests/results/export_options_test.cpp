#include "vorplan/results/export_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/results/results_support.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;

enum class Format { Rtf, Csv, Others, Cnc };

vor::ExportChoices Choose(Format format, bool openEditor = true, std::string name = {})
{
    vor::ExportChoices c;
    c.textReport = format == Format::Rtf;
    c.csv = format == Format::Csv;
    c.others = format == Format::Others;
    c.cnc = format == Format::Cnc;
    c.openEditor = openEditor;
    c.fileName = std::move(name);
    return c;
}

TEST(ExportControls, EnablingFollowsKindFormatAndInterfaces)
{
    struct Case {
        Format format;
        bool mrp, cnc;
        bool rtfOn, csvOn, othersOn, cncOn, fileOn, headerOn;
        std::string extension;
        Format shown;  // the format the controls keep
    };
    const Case cases[] = {
        {Format::Rtf, false, false, true, false, false, false, true, false, "RTF", Format::Csv},
        {Format::Rtf, true, true, true, false, false, false, true, false, "RTF", Format::Csv},
        {Format::Csv, false, false, false, true, false, false, true, true, "CSV", Format::Csv},
        {Format::Csv, true, true, false, true, true, true, true, true, "CSV", Format::Csv},
        {Format::Others, true, false, false, true, true, false, false, false, "???", Format::Others},
        // A purchasing interface no longer configured: back to CSV.
        {Format::Others, false, false, false, true, false, false, true, true, "CSV", Format::Csv},
        {Format::Cnc, false, true, false, true, false, true, true, false, "???", Format::Cnc},
        {Format::Cnc, false, false, false, true, false, false, true, true, "CSV", Format::Csv},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension + " " + std::to_string(static_cast<int>(c.format)));
        vor::ExportContext context{c.mrp, c.cnc, "/inst/EXPORT", ""};
        vor::ExportChoices choices = Choose(c.format);
        if (c.format == Format::Rtf)
            choices.csv = true;  // the numeric choice kept while the text report is chosen
        const vor::ExportControls s = vor::UpdateExportControls(choices, context);
        EXPECT_EQ(s.rtfEnabled, c.rtfOn);
        EXPECT_EQ(s.csvEnabled, c.csvOn);
        EXPECT_EQ(s.othersEnabled, c.othersOn);
        EXPECT_EQ(s.cncEnabled, c.cncOn);
        EXPECT_EQ(s.fileNameEnabled, c.fileOn);
        EXPECT_EQ(s.headerEnabled, c.headerOn);
        EXPECT_EQ(s.extension, c.extension);
        EXPECT_EQ(s.fileName, "/inst/EXPORT/EXAMPLE." + c.extension);
        EXPECT_EQ(s.csv, c.shown == Format::Csv);
        EXPECT_EQ(s.others, c.shown == Format::Others);
        EXPECT_EQ(s.cnc, c.shown == Format::Cnc);
    }
}

TEST(ExportControls, TheTypedNameStaysWhileTheExtensionStays)
{
    vor::ExportContext context{false, false, "/inst/EXPORT", "RTF"};
    vor::ExportChoices choices = Choose(Format::Rtf, false, "/home/ana/resumo.rtf");
    vor::ExportControls s = vor::UpdateExportControls(choices, context);
    EXPECT_EQ(s.fileName, "/home/ana/resumo.rtf");
    EXPECT_FALSE(s.programVisible);
    choices.openEditor = true;
    EXPECT_TRUE(vor::UpdateExportControls(choices, context).programVisible);
    choices.textReport = false;
    EXPECT_EQ(vor::UpdateExportControls(choices, context).fileName, "/inst/EXPORT/EXAMPLE.CSV");
}

TEST(ExportSettings, RoundTripWithSummaryOnEveryRead)
{
    vortest::TempDir dir;
    const fs::path path = dir.path() / "VL_EXPORT.INI";
    {
        vor::ExportChoices defaults = Choose(Format::Rtf);
        defaults.csv = true;
        EXPECT_EQ(vor::ReadExportChoices(vor::IniFile(path)), defaults);
    }
    vor::ExportChoices c = Choose(Format::Others, false);
    c.withHeader = false;
    c.summary = false;
    {
        vor::IniFile ini(path);
        vor::WriteExportChoices(ini, c);
    }
    const std::string text = ReadBytes(path);
    for (const char* line : {"RELAT_TEXT=0", "RTF=1", "VALORES=1", "CSV=0", "OUTROS=1", "CNC=0",
                             "ABRIR_EDITOR=0", "CSV_COM_CAB=0", "CSV_RESUMO=0", "CSV_COMPLETO=1"})
        EXPECT_NE(text.find(std::string(line) + "\r\n"), std::string::npos) << line;
    vor::ExportChoices read = vor::ReadExportChoices(vor::IniFile(path));
    EXPECT_TRUE(read.summary);
    read.summary = false;
    EXPECT_EQ(read, c);
}

TEST(ExportNames, RtfIsAppendedWhenTheFilesOwnNameHasNoDot)
{
    EXPECT_EQ(vor::RtfExportName("/a/resumo"), fs::path("/a/resumo.RTF"));
    EXPECT_EQ(vor::RtfExportName("/a/v1.2/resumo"), fs::path("/a/v1.2/resumo.RTF"));
    EXPECT_EQ(vor::RtfExportName("/a/resumo.doc"), fs::path("/a/resumo.doc"));
    EXPECT_EQ(vor::RtfExportName("/a/resumo."), fs::path("/a/resumo."));
}

class RunExportTest : public ::testing::Test {
protected:
    vortest::TempDir dir;
    vortest::StubMessages messages;
    std::vector<vor::MaterialLayoutSums> materials = [] {
        vor::MaterialLayoutSums m;
        m.code = 12;
        m.sizes = {{27500, 18300, 3, "Chapa"}};
        return std::vector<vor::MaterialLayoutSums>{m};
    }();
    std::function<std::string()> rtf = [] { return std::string("{\\rtf1 x}"); };
};

TEST_F(RunExportTest, EachChoiceWritesItsFileAndOpensItWhenAsked)
{
    struct Case {
        vor::ExportChoices choices;
        std::string written;  // relative to dir; empty: nothing
        std::string bytes;
        bool open;
    };
    vor::ExportChoices complete = Choose(Format::Csv, true, (dir.path() / "all.csv").string());
    complete.summary = false;
    vor::ExportChoices bare = Choose(Format::Csv, false, (dir.path() / "bare.csv").string());
    bare.withHeader = false;
    vor::ExportChoices others = Choose(Format::Others, true, (dir.path() / "mrp_out.txt").string());
    const Case cases[] = {
        {Choose(Format::Rtf, true, (dir.path() / "resumo").string()), "resumo.RTF", "{\\rtf1 x}", true},
        {Choose(Format::Rtf, false, (dir.path() / "r.rtf").string()), "r.rtf", "{\\rtf1 x}", false},
        {Choose(Format::Csv, true, (dir.path() / "s.csv").string()), "s.csv", "", true},
        {bare, "bare.csv", "12,3,2750,1830\r\n", false},
        {complete, "all.csv", "", true},
        {others, "mrp_out.txt", "12,3,2750,1830\r\n", true},
        {Choose(Format::Cnc, true, (dir.path() / "m.cnc").string()), "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choices.fileName);
        const vor::ExportResult r = vor::RunExport(c.choices, rtf, materials);
        if (c.written.empty()) {
            EXPECT_FALSE(r.written);
            EXPECT_EQ(r.message, "<224>");
            EXPECT_FALSE(fs::exists(c.choices.fileName));
            continue;
        }
        ASSERT_TRUE(r.written);
        EXPECT_EQ(*r.written, dir.path() / c.written);
        EXPECT_EQ(r.open, c.open);
        EXPECT_TRUE(r.message.empty());
        if (!c.bytes.empty()) {
            EXPECT_EQ(ReadBytes(*r.written), c.bytes);
        }
    }
    EXPECT_EQ(ReadBytes(dir.path() / "s.csv").rfind("/ Vorlane v.2.18", 0), 0u);
    EXPECT_EQ(ReadBytes(dir.path() / "all.csv").rfind("; Vorlane v.2.18", 0), 0u);
}

TEST_F(RunExportTest, AFileThatCannotBeWrittenIsNamedAndNotOpened)
{
    vortest::FailingWrites failing;
    const vor::ExportResult r =
        vor::RunExport(Choose(Format::Rtf, true, (dir.path() / "resumo").string()), rtf, materials, failing);
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.message, "<223> [" + (dir.path() / "resumo.RTF").string() + "]");
    EXPECT_FALSE(fs::exists(dir.path() / "resumo.RTF"));
}

}  // namespace
