#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "vorplan/common/bounded_array.h"
#include "vorplan/common/data_folders.h"

namespace vor {

constexpr long kMessageSlots = 1100;
constexpr long kMessageFileLines = 1000;
constexpr std::size_t kMessageLength = 85;
// Characters of a language-file line looked at before the slot's own limit.
constexpr std::size_t kLanguageLineLength = 200;
constexpr int kLanguageCount = 5;
// Slots the translation template writes: the ones a translator supplies.
constexpr long kTemplateLines = 929;

// Every text the program shows, by slot number ("message n").
using MessageTable = BoundedArray<std::string, kMessageSlots>;

// Captions under the main window's icons (entries 1 and 4 to 10 are shown).
using IconCaptionTable = BoundedArray<std::string, 10>;

// The text of slot n of the shared message table. The one lookup routine for
// every use of a message, so that the catalogue check finds them all.
// Throws RangeError outside 1..1100.
const std::string& Msg(long slot);

// The language used for `language`: 1 to 5 as they are, anything else 1.
int ValidLanguageIndex(int language);

// The language file of language 1..5: base/LANG/PORT.PTC, ENG.PTC, ESPA.PTC,
// NEED.PTC or ESPA2.PTC. Throws RangeError for any other language.
std::filesystem::path LanguageFile(const DataFolders& folders, int language);

// Fills slots 1 to 1000 from lines 1 to 1000 of the file: the text after the
// first TAB (the whole line without one), cut to 200 and then 85 characters,
// never trimmed; missing lines give empty slots. A missing file shows
// "File not found ! [path]" and leaves the table as it was; an existing file
// that cannot be read throws IoError.
void LoadLanguageFile(const std::filesystem::path& path, MessageTable& table);

// The icon captions of language 1..5 (5 takes those of 3). Throws RangeError
// for any other language.
IconCaptionTable IconCaptionsOf(int language);

// Puts the texts the program fixes itself for `language` into their slots:
// 359 and 930-1008 for Portuguese, 359 and 1001-1008 for the others (English
// for 2 and 4, Spanish for 3 and 5), and 617 and 618 for every language.
void WriteFixedTexts(int language, MessageTable& table);

// Loads a language into the given tables: its icon captions, its file and its
// fixed texts. A language outside 1..5 is taken as 1; returns the one used.
int LoadLanguage(const DataFolders& folders, int language, MessageTable& messages,
                 IconCaptionTable& captions);

// Applies gShared.languageIndex (set to 1 when outside 1..5) to the shared
// message and icon caption tables, runs the language-applied hook and writes
// the language number file. Throws IoError when that file cannot be written.
void ApplyLanguage();

// Called by ApplyLanguage once the shared tables hold the new language, so
// that the main window can set its captions (icon labels from
// gShared.iconCaptions, Recursos Msg(834), introduction button Msg(90), menu
// cancel Msg(25)). An empty function removes the hook.
void SetLanguageAppliedHook(std::function<void()> hook);

// Sets the language to 4, applies it and writes lines 1 to 929 of the table as
// "n" TAB text into NEED.PTC in the base folder. The language stays 4.
// Throws IoError when the file cannot be written.
void ExportTranslationTemplate();

}  // namespace vor
