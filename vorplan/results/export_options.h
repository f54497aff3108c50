#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/results/calc_summary.h"

namespace vor {

class IniFile;

// The choices of the export window, as its controls hold them.
struct ExportChoices {
    bool textReport = true;  // RadioButton6; numeric values (RadioButton7) otherwise
    bool rtf = true;         // RadioButton4, the text report's one format
    // The numeric formats, one of them: RadioButton1, RadioButton9, RadioButton2.
    bool csv = true;
    bool others = false;
    bool cnc = false;
    bool openEditor = true;  // CheckBox1
    bool withHeader = true;  // CheckBox2
    bool summary = true;     // RadioButton3; RadioButton5 "Completo" otherwise
    std::string fileName;    // Edit1
    bool operator==(const ExportChoices&) const = default;
};

// VL_EXPORT.INI [EXPORT] into the choices, "Resumo" set on every read; the
// file name is not stored.
ExportChoices ReadExportChoices(const IniFile& ini);
// Writes every key of the choices; throws IoError when it cannot.
void WriteExportChoices(IniFile& ini, const ExportChoices& choices);

// What UpdateExportControls works from besides the choices.
struct ExportContext {
    bool mrpConfigured = false;  // a purchasing interface named in MRP.INI
    bool cncConfigured = false;  // a machine driver named in CNC.INI
    Path exportFolder;
    std::string shownExtension;  // the extension the file box was last given; empty at opening
};

// The states of the export window's controls.
struct ExportControls {
    bool fileNameEnabled = true;  // Label1, Edit1 and "..."
    bool rtfEnabled = true, csvEnabled = false, othersEnabled = false, cncEnabled = false;
    bool headerEnabled = false;  // CheckBox2, with RadioButton3 and RadioButton5
    std::string extension;       // "RTF", "CSV" or "???"
    std::string fileName;        // the file box's text afterwards
    bool programVisible = true;  // Label2
    // The numeric format, moved to "Arquivo CSV" when the chosen one cannot be used.
    bool csv = true, others = false, cnc = false;
    bool operator==(const ExportControls&) const = default;
};

// The control states for `choices`. The file box gets EXPORT/EXAMPLE.<ext>
// when the extension differs from context.shownExtension, and keeps the
// name typed otherwise.
ExportControls UpdateExportControls(const ExportChoices& choices, const ExportContext& context);

// The purchasing interface's hand-over file: MRP/mrp_out.txt.
Path PurchasingFile(const DataFolders& folders);

// ".RTF" appended when the file's own name holds no ".".
Path RtfExportName(const Path& file);

// What an export did.
struct ExportResult {
    std::optional<Path> written;  // the file written
    bool open = false;            // to be opened in the desktop's program
    std::string message;          // to be shown; the export did not happen when set with no file
};

// The export the confirmed choices ask for (the chooser's Button4Click):
// the summary as an RTF document (`rtf` gives its bytes), the necessary
// sheets or the calculated layouts file, the purchasing hand-over file with
// data lines only, or the note on machine files. A file that cannot be
// written gives a message with its path and nothing to open.
ExportResult RunExport(const ExportChoices& choices, const std::function<std::string()>& rtf,
                       const std::vector<MaterialLayoutSums>& materials,
                       FileOps& ops = DefaultFileOps());

}  // namespace vor
