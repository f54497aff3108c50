#pragma once

#include <string>

#include "vorplan/common/data_folders.h"

namespace platform {
class Clock;
}

namespace vor {

// One-line state files. Each routine has a form taking the folders (and the
// clock where the time is needed) and one using the shared folders.

// Writes "ON" into TRV.USU in the base folder; throws IoError on failure.
void WriteInUseMarker(const DataFolders& folders);
void WriteInUseMarker();

// Deletes TRV.USU; a missing file or a failure is ignored.
void DeleteInUseMarker(const DataFolders& folders);
void DeleteInUseMarker();

// True when TRV.USU exists, whatever it holds.
bool InUseMarkerExists(const DataFolders& folders);
bool InUseMarkerExists();

// Writes the language number into IDIO.NUM in the base folder, for ostrel;
// throws IoError on failure. The shared form writes gShared.languageIndex.
void WriteLanguageNumber(const DataFolders& folders, int language);
void WriteLanguageNumber();

// Writes the clock's DateTimeText into MONT/DATA_CO.INF; a file that cannot
// be written is left alone without a word.
void WriteDataCoStamp(const DataFolders& folders, const platform::Clock& clock);
void WriteDataCoStamp();  // shared folders, shared clock

// The first line of MONT/DATA_CO.INF; empty when it cannot be read.
std::string ReadDataCoStamp(const DataFolders& folders);
std::string ReadDataCoStamp();

// The offcut counter of a material (CFG/N_SEQ_R.nnn): its first line read as
// a real (blanks removed, comma as decimal mark) and truncated; 0 when the
// file cannot be read. Throws OverflowError when the value has no integer.
long long ReadSequenceNumber(const DataFolders& folders, long long code);
long long ReadSequenceNumber(long long code);

// The bytes of a counter file holding `value`.
std::string SequenceNumberFileText(long long value);

// Writes the offcut counter of a material; throws IoError on failure.
void WriteSequenceNumber(const DataFolders& folders, long long value, long long code);
void WriteSequenceNumber(long long value, long long code);

}  // namespace vor
