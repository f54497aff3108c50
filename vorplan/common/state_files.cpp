#include "vorplan/common/state_files.h"

#include <optional>
#include <system_error>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

// The first line of a file, or nullopt when it cannot be read.
std::optional<std::string> FirstLine(const fs::path& path)
{
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    return lines->empty() ? std::string() : std::move(lines->front());
}

}  // namespace

void WriteInUseMarker(const DataFolders& folders)
{
    WriteTextLines(InUseMarkerFile(folders), {"ON"});
}

void WriteInUseMarker()
{
    WriteInUseMarker(gShared.folders);
}

void DeleteInUseMarker(const DataFolders& folders)
{
    std::error_code ec;
    fs::remove(InUseMarkerFile(folders), ec);
}

void DeleteInUseMarker()
{
    DeleteInUseMarker(gShared.folders);
}

bool InUseMarkerExists(const DataFolders& folders)
{
    std::error_code ec;
    return fs::exists(InUseMarkerFile(folders), ec);
}

bool InUseMarkerExists()
{
    return InUseMarkerExists(gShared.folders);
}

void WriteLanguageNumber(const DataFolders& folders, int language)
{
    WriteTextLines(LanguageNumberFile(folders), {std::to_string(language)});
}

void WriteLanguageNumber()
{
    WriteLanguageNumber(gShared.folders, gShared.languageIndex);
}

void WriteDataCoStamp(const DataFolders& folders, const platform::Clock& clock)
{
    try {
        WriteTextLines(CalcStampFile(folders), {DateTimeText(clock)});
    } catch (const IoError&) {
        // The stamp only informs the general report; a calculation never fails for it.
    }
}

void WriteDataCoStamp()
{
    WriteDataCoStamp(gShared.folders, platform::GetClock());
}

std::string ReadDataCoStamp(const DataFolders& folders)
{
    return FirstLine(CalcStampFile(folders)).value_or(std::string());
}

std::string ReadDataCoStamp()
{
    return ReadDataCoStamp(gShared.folders);
}

long long ReadSequenceNumber(const DataFolders& folders, long long code)
{
    const std::optional<std::string> line = FirstLine(OffcutCounterFile(folders, code));
    if (!line)
        return 0;
    // Read as a real and cut, so "12,7" counts as 12.
    return Trunc(StrToRealComma(*line));
}

long long ReadSequenceNumber(long long code)
{
    return ReadSequenceNumber(gShared.folders, code);
}

std::string SequenceNumberFileText(long long value)
{
    return EncodeTextLines({std::to_string(value)});
}

void WriteSequenceNumber(const DataFolders& folders, long long value, long long code)
{
    WriteFileAtomically(OffcutCounterFile(folders, code), SequenceNumberFileText(value));
}

void WriteSequenceNumber(long long value, long long code)
{
    WriteSequenceNumber(gShared.folders, value, code);
}

}  // namespace vor
