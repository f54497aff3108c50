#include "vorplan/results/export_options.h"

#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/results/export_files.h"

namespace vor {

namespace {

constexpr const char* kSection = "EXPORT";

}  // namespace

ExportChoices ReadExportChoices(const IniFile& ini)
{
    ExportChoices c;
    c.textReport = ini.ReadBool(kSection, "RELAT_TEXT", true);
    const bool values = ini.ReadBool(kSection, "VALORES", false);
    c.csv = ini.ReadBool(kSection, "CSV", true);
    c.others = ini.ReadBool(kSection, "OUTROS", false);
    c.cnc = ini.ReadBool(kSection, "CNC", false);
    c.openEditor = ini.ReadBool(kSection, "ABRIR_EDITOR", true);
    c.withHeader = ini.ReadBool(kSection, "CSV_COM_CAB", true);
    c.summary = true;
    // A radio pair holds one choice: the later key wins, as the controls set last win.
    if (values)
        c.textReport = false;
    if (c.cnc) {
        c.csv = c.others = false;
    } else if (c.others) {
        c.csv = false;
    } else {
        c.csv = true;
    }
    // RTF is the text report's only format, whatever the file says.
    c.rtf = true;
    return c;
}

void WriteExportChoices(IniFile& ini, const ExportChoices& c)
{
    ini.WriteBool(kSection, "RELAT_TEXT", c.textReport);
    ini.WriteBool(kSection, "RTF", c.rtf);
    ini.WriteBool(kSection, "VALORES", !c.textReport);
    ini.WriteBool(kSection, "CSV", c.csv);
    ini.WriteBool(kSection, "OUTROS", c.others);
    ini.WriteBool(kSection, "CNC", c.cnc);
    ini.WriteBool(kSection, "ABRIR_EDITOR", c.openEditor);
    ini.WriteBool(kSection, "CSV_COM_CAB", c.withHeader);
    ini.WriteBool(kSection, "CSV_RESUMO", c.summary);
    ini.WriteBool(kSection, "CSV_COMPLETO", !c.summary);
}

ExportControls UpdateExportControls(const ExportChoices& choices, const ExportContext& context)
{
    ExportControls s;
    const bool values = !choices.textReport;
    s.rtfEnabled = !values;
    s.csvEnabled = values;
    s.othersEnabled = values && context.mrpConfigured;
    s.cncEnabled = values && context.cncConfigured;
    s.csv = choices.csv;
    s.others = choices.others && context.mrpConfigured;
    s.cnc = choices.cnc && context.cncConfigured;
    if (!s.others && !s.cnc)
        s.csv = true;
    s.fileNameEnabled = !(values && s.others);
    s.headerEnabled = values && s.csv;
    s.extension = !values ? "RTF" : s.csv ? "CSV" : "???";
    s.fileName = s.extension == context.shownExtension
                     ? choices.fileName
                     : (context.exportFolder / ("EXAMPLE." + s.extension)).string();
    s.programVisible = choices.openEditor;
    return s;
}

Path PurchasingFile(const DataFolders& folders)
{
    return folders.mrp / "mrp_out.txt";
}

Path RtfExportName(const Path& file)
{
    if (file.filename().string().find('.') != std::string::npos)
        return file;
    return Path(file.string() + ".RTF");
}

ExportResult RunExport(const ExportChoices& choices, const std::function<std::string()>& rtf,
                       const std::vector<MaterialLayoutSums>& materials, FileOps& ops)
{
    ExportResult result;
    Path file(choices.fileName);
    try {
        if (choices.textReport) {
            file = RtfExportName(file);
            WriteFileAtomically(file, rtf(), ops);
        } else if (choices.cnc) {
            result.message = Msg(224);
            return result;
        } else if (choices.others) {
            WriteNecessarySheetsFile(file, materials, false, ops);
        } else if (choices.summary) {
            WriteNecessarySheetsFile(file, materials, choices.withHeader, ops);
        } else {
            WriteCalculatedLayoutsFile(file, materials, ops);
        }
    } catch (const IoError&) {
        result.message = Msg(223) + " [" + file.string() + "]";
        return result;
    }
    result.written = file;
    result.open = choices.openEditor;
    return result;
}

}  // namespace vor
