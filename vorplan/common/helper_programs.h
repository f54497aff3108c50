#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"

namespace vor {

// StartupState, the start-up hand-shake with kalendo: 0 not started, 1
// kalendo started (again at every start), 10 kalendo cannot be started; the
// main window closes at its next repaint in state 10.
constexpr int kStartupNotStarted = 0;
constexpr int kStartupViewerStarted = 1;
constexpr int kStartupViewerMissing = 10;

// The programs of the installation: base/kalendo and base/ostrel.
Path TextViewerProgram(const DataFolders& folders);
Path ReportViewerProgram(const DataFolders& folders);

// Starts `file` with `arguments` (each one argument) in `folder`, the base
// folder when `folder` is empty, without waiting. The show mode is kept for
// the callers and means nothing here. Returns whether it was started.
bool ShellLaunch(const Path& file, const std::vector<std::string>& arguments, const Path& folder,
                 int showMode);

// Opens `document` with the desktop's default application. A missing document
// shows message 799 + " [" + path + "] " + message 800, any other failure
// "Não foi possível abrir o arquivo " + path; returns whether it was opened.
bool ShellOpenDocument(const Path& document);

// Starts kalendo with the base folder as working folder: `startupState`
// becomes 1 and true is returned. When the program is missing or cannot be
// started, shows message 799 + " [" + path + "] " + message 800, sets
// `startupState` to 10 and returns false.
bool StartTextViewer(const DataFolders& folders, int& startupState);

// base/HLP/INTRO_<letter>.RTF: P for language 1 and any unknown one, I for 2,
// E for 3 and 5, N for 4.
Path IntroTextPath(const DataFolders& folders, int language);
Path IntroTextPath();  // of the shared folders and language

// The clipboard text that shows `file` in kalendo's text viewer (the whole
// path, however long). Throws RangeError for a language that is not one digit.
std::string TextViewerCommand(int language, const Path& file);

// Puts the command for the help text of `language` (HelpTextFile) on the
// clipboard, replacing what it held, then StartTextViewer. Returns its result.
bool ShowHelpText(const DataFolders& folders, int language, int& startupState);
// The same with IntroTextPath.
bool ShowIntroText(const DataFolders& folders, int language, int& startupState);
// Puts the start-up command with `password` on the clipboard, then
// StartTextViewer: kalendo's splash page, and the password page when one is set.
bool SendStartupCommand(const DataFolders& folders, int language, const std::string& password,
                        int& startupState);

// The one argument ostrel takes: the report's full path (relative paths are
// taken from the base folder) with every blank written as "#". A "#" in the
// path itself reads as a blank to ostrel, so such folders cannot be shown.
std::string ReportViewerArgument(const DataFolders& folders, const Path& report);

// Starts ostrel with `report` in the base folder, without waiting. When it
// cannot be started shows message 799 + " [" + ostrel's path + "] " + message
// 800 and returns false.
bool StartReportViewer(const DataFolders& folders, const Path& report);

// The calculation history list of `material` (REL/ULTIMAS.nnn) in ostrel;
// the file is not checked first.
bool ShowCalcHistoryList(const DataFolders& folders, long long material);
// The calculation report list of `material` (REL/NUSnnnnn.TAB) in ostrel;
// when the file is missing shows message 562 and starts nothing.
bool ShowCalcReportList(const DataFolders& folders, long long material);

}  // namespace vor
