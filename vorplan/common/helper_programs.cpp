#include "vorplan/common/helper_programs.h"

#include <system_error>

#include "kalendo/viewer_command.h"
#include "platform/clipboard.h"
#include "platform/message_service.h"
#include "platform/process_launcher.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"

namespace vor {

namespace {

bool FileExists(const Path& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

Path TextViewerProgram(const DataFolders& folders) { return folders.base / "kalendo"; }

Path ReportViewerProgram(const DataFolders& folders) { return folders.base / "ostrel"; }

bool ShellLaunch(const Path& file, const std::vector<std::string>& arguments, const Path& folder,
                 int /*showMode*/)
{
    // Without a folder the program starts where vorplan works: the base folder.
    const Path workingFolder = folder.empty() ? gShared.folders.base : folder;
    return platform::Launcher().StartProgram(file, arguments, workingFolder);
}

bool ShellOpenDocument(const Path& document)
{
    if (!FileExists(document)) {
        ShowProgramMissingMessage(document.string());
        return false;
    }
    if (platform::Launcher().OpenDocument(document))
        return true;
    platform::ShowMessage("Não foi possível abrir o arquivo " + document.string());
    return false;
}

bool StartTextViewer(const DataFolders& folders, int& startupState)
{
    const Path program = TextViewerProgram(folders);
    // A start that fails counts as a missing program: a start-up left
    // waiting for an answer that never comes would hide the icon bar for good.
    if (FileExists(program) && ShellLaunch(program, {}, folders.base, 1)) {
        startupState = kStartupViewerStarted;
        return true;
    }
    ShowProgramMissingMessage(program.string());
    startupState = kStartupViewerMissing;
    return false;
}

Path IntroTextPath(const DataFolders& folders, int language)
{
    const char* letter = "P";
    switch (language) {
    case 2: letter = "I"; break;
    case 3:
    case 5: letter = "E"; break;
    case 4: letter = "N"; break;
    default: break;
    }
    return folders.hlp / (std::string("INTRO_") + letter + ".RTF");
}

Path IntroTextPath() { return IntroTextPath(gShared.folders, gShared.languageIndex); }

std::string TextViewerCommand(int language, const Path& file)
{
    return kalendo::BuildTextCommand(language, file.string());
}

namespace {

bool SendToTextViewer(const std::string& command, const DataFolders& folders, int& startupState)
{
    platform::GetClipboard().SetText(command);
    return StartTextViewer(folders, startupState);
}

}  // namespace

bool ShowHelpText(const DataFolders& folders, int language, int& startupState)
{
    return SendToTextViewer(TextViewerCommand(language, HelpTextFile(folders, language)), folders,
                            startupState);
}

bool ShowIntroText(const DataFolders& folders, int language, int& startupState)
{
    return SendToTextViewer(TextViewerCommand(language, IntroTextPath(folders, language)), folders,
                            startupState);
}

bool SendStartupCommand(const DataFolders& folders, int language, const std::string& password,
                        int& startupState)
{
    return SendToTextViewer(kalendo::BuildStartupCommand(language, password), folders, startupState);
}

std::string ReportViewerArgument(const DataFolders& folders, const Path& report)
{
    std::string argument = (report.is_absolute() ? report : folders.base / report).string();
    ModifyTextInPlace(argument, ' ', '#');
    return argument;
}

bool StartReportViewer(const DataFolders& folders, const Path& report)
{
    const Path program = ReportViewerProgram(folders);
    if (ShellLaunch(program, {ReportViewerArgument(folders, report)}, folders.base, 1))
        return true;
    // Said, not swallowed: the installation check found ostrel at the start,
    // but it may have gone or lost its permission since.
    ShowProgramMissingMessage(program.string());
    return false;
}

bool ShowCalcHistoryList(const DataFolders& folders, long long material)
{
    return StartReportViewer(folders, CalcHistoryFile(folders, material));
}

bool ShowCalcReportList(const DataFolders& folders, long long material)
{
    const Path list = CalcReportListFile(folders, material);
    if (!FileExists(list)) {
        platform::ShowMessage(Msg(562));
        return false;
    }
    return StartReportViewer(folders, list);
}

}  // namespace vor
