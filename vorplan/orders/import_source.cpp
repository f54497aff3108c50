#include "vorplan/orders/import_source.h"

#include <array>
#include <system_error>

#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/paths.h"

namespace vor {

namespace {

constexpr std::array kSources = {ImportSource::Clip, ImportSource::Csv, ImportSource::Txt,
                                 ImportSource::Vlnet, ImportSource::Outr};

}  // namespace

std::string_view ImportSourceKey(ImportSource source)
{
    switch (source) {
    case ImportSource::Clip:
        return "CLIP";
    case ImportSource::Csv:
        return "CSV";
    case ImportSource::Txt:
        return "TXT";
    case ImportSource::Vlnet:
        return "VLNET";
    case ImportSource::Outr:
        return "OUTR";
    }
    return "CLIP";
}

bool ExternalInterfaceConfigured(const InterfaceSettings& interfaces)
{
    return !interfaces.mrpName.empty();
}

ImportSource ReadImportSource(const std::filesystem::path& iniFile, bool externalConfigured)
{
    const IniFile ini(iniFile);
    for (const ImportSource source : kSources) {
        if (!ini.ReadBool(kImportSection, ImportSourceKey(source), false))
            continue;
        if (source == ImportSource::Outr && !externalConfigured)
            return ImportSource::Clip;
        return source;
    }
    return ImportSource::Clip;
}

void WriteImportSource(const std::filesystem::path& iniFile, ImportSource source)
{
    IniFile ini(iniFile);
    ini.Update([source](IniDocument& doc) {
        for (const ImportSource each : kSources)
            doc.Set(kImportSection, ImportSourceKey(each), each == source ? "1" : "0");
    });
}

std::string ExternalSourceCaption(const InterfaceSettings& interfaces)
{
    if (ExternalInterfaceConfigured(interfaces))
        return interfaces.mrpName + " - " + interfaces.prjDescription;
    return Msg(959) + " (" + Msg(969) + ")";
}

bool SourceNeedsFile(ImportSource source)
{
    return source == ImportSource::Csv || source == ImportSource::Txt;
}

std::filesystem::path ProposedImportFile(const DataFolders& folders, ImportSource source)
{
    if (!SourceNeedsFile(source))
        return {};
    return folders.importDir / (source == ImportSource::Csv ? "EXAMPLE.CSV" : "EXAMPLE.TXT");
}

std::string ProposedImportDescription(ImportSource source, long long number,
                                      const InterfaceSettings& interfaces)
{
    if (source == ImportSource::Outr)
        return interfaces.prjDescription;
    return BuildProjectCaption(number);
}

std::string ImportFileFilter(ImportSource source)
{
    return source == ImportSource::Txt ? "TXT ( *.txt) (*.txt *.TXT)" : "CSV ( *.csv) (*.csv *.CSV)";
}

std::filesystem::path ExistingImportFile(const std::filesystem::path& typed)
{
    if (typed.empty() || !typed.has_filename())
        return {};
    const std::filesystem::path found = FindNoCase(typed.parent_path(), typed.filename().string());
    std::error_code error;
    if (!std::filesystem::is_regular_file(found, error))
        return {};
    return found;
}

std::filesystem::path ExternalImportFile(const DataFolders& folders)
{
    return FindNoCase(folders.mrp, "mrp_in.txt");
}

}  // namespace vor
