#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/data_folders.h"

namespace vor {

// Where the pieces of a new project come from, remembered in VL_IMPORT.INI
// [IMPORT] with one boolean key each.
enum class ImportSource { Clip, Csv, Txt, Vlnet, Outr };

inline constexpr std::string_view kImportSettingsFile = "VL_IMPORT.INI";
inline constexpr std::string_view kImportSection = "IMPORT";

// The key of `source`: "CLIP", "CSV", "TXT", "VLNET" or "OUTR".
std::string_view ImportSourceKey(ImportSource source);

// True when the external planning system is configured (MRP_NAME set).
bool ExternalInterfaceConfigured(const InterfaceSettings& interfaces);

// The first key that is true in the order CLIP, CSV, TXT, VLNET, OUTR; the
// clipboard when none is, or when it is OUTR and the external system is not
// configured. A missing or unreadable file chooses the clipboard.
ImportSource ReadImportSource(const std::filesystem::path& iniFile, bool externalConfigured);

// Writes all five keys, "1" for `source` and "0" for the others; throws
// IoError when the file cannot be saved.
void WriteImportSource(const std::filesystem::path& iniFile, ImportSource source);

// The caption of the external choice: MRP_NAME + " - " + PRJ_DESCRIPTION when
// configured, else message 959 + " (" + message 969 + ")".
std::string ExternalSourceCaption(const InterfaceSettings& interfaces);

// True for the sources that read a file the user names (CSV and TXT).
bool SourceNeedsFile(ImportSource source);

// The file proposed for CSV and TXT: the import folder's "EXAMPLE.CSV" or
// "EXAMPLE.TXT"; empty for the other sources.
std::filesystem::path ProposedImportFile(const DataFolders& folders, ImportSource source);

// The description proposed for a new project: the external system's project
// description for OUTR, else "PRJ " + number.
std::string ProposedImportDescription(ImportSource source, long long number,
                                      const InterfaceSettings& interfaces);

// The filter of the file dialog: "CSV ( *.csv)" or "TXT ( *.txt)" with the
// patterns of both cases, since the names are compared with case here.
std::string ImportFileFilter(ImportSource source);

// The typed file, found without regard to case, when it is a regular file
// (a folder or a device counts as missing); empty when there is none.
std::filesystem::path ExistingImportFile(const std::filesystem::path& typed);

// The file the external system leaves for an import: MRP/mrp_in.txt.
std::filesystem::path ExternalImportFile(const DataFolders& folders);

}  // namespace vor
