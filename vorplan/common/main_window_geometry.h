#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/shell/main_window_hooks.h"

namespace vor {

// ---- What other windows ask of the main window ----------------------------------

// The main window's requests and start-up state, set by other windows and
// served by the main window.
struct MainWindowRequests {
    int startupState = 0;           // StartupState: 0, 1 or 10 (helper_programs.h)
    bool installFailed = false;     // InstallFailed: the last installation check failed
    int viewRequest = 0;            // ViewRequest: > 0 opens the layout views at the next repaint
    int tableRequest = 0;           // TableRequest: > 0 opens the piece table at the next activation
    bool sheetTableRequest = false; // SheetTableRequest: opens the sheet table at the next activation
    bool showOverview = false;      // the layout views open on the overview of all layouts
};

extern MainWindowRequests gMainRequests;

// ---- Geometry, in pixels ---------------------------------------------------------

// MainWindowGeometry from the main window's Left, Top, Width, Height and the
// icon bar's Top and Height (Round is half to even).
MainWindowGeometry ComputeMainWindowGeometry(int left, int top, int width, int height, int barTop,
                                             int barHeight);

constexpr int kIconCount = 9;
constexpr int kIconWidth = 42;
constexpr int kIconHeight = 39;
constexpr int kIconGap = 35;         // between one icon's right edge and the next one's left
constexpr int kIconBarMargin = 16;   // left of the first icon and right of the last
constexpr int kIconTop = 4;          // icon panels' top inside the bar
constexpr int kIconBarHeight = 62;   // icons and their captions
constexpr int kIconsShownOnFailure = 2;  // Ajuda and Saída keep their pictures

// The left edge of icon `index` (0 .. 8) inside the icon bar.
int IconLeft(int index);
// The icon bar's width, margins included.
int IconBarWidth();
// Centred inside `outerWidth`: Trunc(outer / 2) - Trunc(inner / 2).
int CentredLeft(int outerWidth, int innerWidth);

// The hover strip's left edge: under the icon, moved left to end at the
// icon's right edge when it would pass `windowWidth` - 10.
int HoverStripLeft(int barLeft, int iconLeft, int iconWidth, int stripWidth, int windowWidth);

// Panel2's and Panel6's tops under the icon bar.
int InfoPanelTop(int barTop, int barHeight);
int IntroPanelTop(int infoPanelTop, int introPanelHeight);

// ---- The introduction panel's blinking text ---------------------------------------

// One tick of Timer1: the seconds count advances; while the panel is shown
// the second counter advances on every even second.
struct IntroBlink {
    long long seconds = 0;
    long long counter = 0;
};
IntroBlink NextIntroBlink(IntroBlink blink, bool panelVisible);
// Even counter: the bold welcome (message 648); odd: the red invitation (649).
bool IntroShowsWelcome(long long counter);

// ---- Installation check and in-use warning -----------------------------------------

constexpr int kInstallOk = 0;
constexpr int kInstallFolderMissing = 1;
constexpr int kInstallReportViewerMissing = 6;

// 0 when the installation is whole; 1 when a data folder of CheckDataFolders
// is missing; 6 when the ostrel program is missing (this hides a missing folder).
int InstallationCheckCode(const DataFolders& folders);
// The message slot of a failed check: 498 for code 1, 501 for code 6, 0 otherwise.
int InstallationMessageSlot(int code);

// The warning shown when the in-use marker is found at start, lines
// separated by CR: Portuguese for language 1, English for 2 and 4, Spanish
// for 3 and 5; empty for any other language.
std::string InUseWarningText(int language);

// The language after `language` for F5: 1 .. 5, 5 wraps to 1.
int NextLanguage(int language);

// ---- The start-up hand-shake on the clipboard ---------------------------------------

// What the hand-shake does with a clipboard text read while the reply is
// awaited.
enum class HandshakeRead {
    Reply,  // "VL#OK": show the icon bar
    Keep,   // our own outgoing command, not yet read by kalendo
    Clear,  // anything else: emptied
    Nothing // already empty
};
HandshakeRead ClassifyHandshakeText(std::string_view clipboardText);

// ---- The drop-down menu -------------------------------------------------------------

constexpr int kMenuHelp = 2;
constexpr int kMenuReport = 5;
constexpr int kMenuMaterialForReport = 11;
constexpr int kMenuMaterialForLabels = 12;

constexpr std::size_t kMenuItemCount = 3506;   // entries 0 .. 3505
constexpr std::size_t kMenuRowLimit = 3500;
constexpr std::size_t kMenuTextLength = 70;
constexpr std::size_t kMenuClearedEntries = 101;  // filling clears entries 0 .. 100

struct MenuEntry {
    std::string first;
    std::string second;
};

// MenuItems with its title. Entry 0 is a heading row when its first text is
// not empty; an empty first text after it ends the list.
struct MenuItems {
    std::vector<MenuEntry> entries = std::vector<MenuEntry>(kMenuItemCount);
    std::string title;
};

// Clears the title and entries 0 .. 100, then puts `rows` into entries 1 ..
// and `heading` (when its first text is not empty) into entry 0, and an
// empty terminator after the last row, so that the rows of a longer earlier
// menu never show. Texts are cut to 70 characters; rows past 3500 are left out.
void FillMenu(MenuItems& items, std::string_view title, const MenuEntry& heading,
              const std::vector<MenuEntry>& rows);

// True when entry 0 is a heading row.
bool MenuHasHeading(const MenuItems& items);
// Rows of the grid: the entries from 1 up to the first empty first text (at
// most 3500), plus the heading row.
int MenuRowCount(const MenuItems& items);
// True when the grid shows a second column.
bool MenuHasSecondColumn(const MenuItems& items);
// The entry grid row `row` shows: row + 1 without a heading, row with one.
int MenuEntryOfRow(int row, bool hasHeading);
// A cell's text: cut before its first "~".
std::string MenuCellText(std::string_view text);
// The grid's height for `rows` rows: 1 to 7 rows 30, 54, 80, 104, 140, 156,
// 180; 0 rows 30; more 280 (with a scroll bar).
int MenuGridHeight(int rows);
bool MenuNeedsScrollBar(int rows);

struct MenuColumns {
    int first = 0;
    int second = 0;
    int gridWidth = 0;   // both + 10, at least the cancel button's width + 12
    int panelWidth = 0;  // grid + 15
};
// Column widths from the width of "X" times the longest first text and the
// longest second text (never more characters than the title).
MenuColumns MenuColumnWidths(const MenuItems& items, int xWidth, int cancelButtonWidth);

// The drop-down panel's left edge under icon `iconLeft` of the bar.
int MenuLeft(int barLeft, int iconLeft);

}  // namespace vor
