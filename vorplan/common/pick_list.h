#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vor {

// ---- The pick list's shared parameters and results -------------------------
// A caller sets the parameters, shows the pick list modally and reads the
// results. The window takes its own copy of the parameters when it opens and
// clears the line texts and the list file when it closes, so every use sets
// them again.

constexpr int kPickCombo = 1;     // combo box with the remembered entries of the list file
constexpr int kPickQuestion = 2;  // a question answered by the two buttons
constexpr int kPickRecords = 3;   // a list of records, chosen by a click
// Any other mode shows only the text lines.

struct PickListParameters {
    int mode = 0;
    std::string title;                // the window caption
    std::array<std::string, 3> lines; // explanation lines 1 to 3; empty ones are not shown
    std::filesystem::path listFile;   // mode 1 and 3: the list's file; mode 3 without it: filled by the caller
    int minWidth = 0;                 // pixels
};

struct PickListResults {
    std::string pickedText;   // PickedText: typed or chosen, empty when cancelled
    bool confirmed = false;   // PickConfirmed: Ok of modes 1 and 2
    bool cancelled = true;    // PickCancelled: left without a choice
};

struct PickListState {
    PickListParameters parameters;
    PickListResults results;
};

extern PickListState gPickList;

// The results as the opening leaves them: nothing picked, not confirmed, cancelled.
PickListResults OpeningResults();
// Ok of mode 1: the combo box text, confirmed.
PickListResults ComboResults(std::string text);
// Ok of mode 2: confirmed, no text.
PickListResults QuestionResults();
// A click on an item of mode 3: the item's text, not cancelled; PickConfirmed
// stays false, so callers of mode 3 test PickCancelled.
PickListResults RecordResults(std::string itemText);
// Cancel in any mode: no text, not confirmed, cancelled.
PickListResults CancelResults();

// What closing clears: the line texts and the list file.
void ClearAfterClose(PickListParameters& parameters);

// ---- Layout, in pixels ---------------------------------------------------------------

constexpr int kPickMinWidth = 200;
constexpr int kPickMaxWidth = 700;
// The heights below count the title bar as this many pixels.
constexpr int kPickTitleBarHeight = 30;

// The largest of `minWidth` and each line's pixel width + 70, limited to 200..700.
int PickListWidth(int minWidth, const std::array<int, 3>& lineWidths);

// Trunc((h1 + h2 + h3) x 1.3 x 1.6), computed exactly.
int PickListMemoHeight(const std::array<int, 3>& lineHeights);

// The window height, title bar included: mode 1 memo + 2 x button + 24 + 30;
// mode 3 memo + 180; any other mode (one row of buttons) memo + button + 18 + 30.
int PickListHeight(int mode, int memoHeight, int buttonHeight);

// Mode 3: the list's height, window height - memo - 50.
int PickListRecordsHeight(int windowHeight, int memoHeight);

// The window's left edge: moved left to end 10 pixels before `screenRight`
// (the first pixel past the screen) when it would pass it.
int PickListLeft(int left, int width, int screenRight);

// Mode 1: Ok is enabled exactly while the combo box holds a text.
bool PickComboOkEnabled(std::string_view text);

// ---- The list file --------------------------------------------------------------------

// The two columns of a mode 3 item: the text before the first "\" and at most
// 100 characters after it; an item without "\" is all first column.
struct PickItemColumns {
    std::string first;
    std::string second;
};
PickItemColumns SplitPickItem(std::string_view item);

// The lines a list file gets on Ok: the typed text, then the items up to the
// first empty one, each earlier entry equal to the typed text left out, so
// that picking the same entries in turn never grows the file.
std::vector<std::string> PickListFileLines(const std::string& typed, const std::vector<std::string>& items);

// Writes PickListFileLines to `path`. Throws IoError when it cannot be written;
// the old file stays then.
void SavePickListFile(const std::filesystem::path& path, const std::string& typed,
                      const std::vector<std::string>& items);

// ---- The one-line text input ----------------------------------------------------------

// The window width: the edit's width + 22, and never too narrow for the Ok
// button (its width + 20) that stands at its right edge.
int TextInputWidth(int editWidth, int buttonWidth);
// The left edge of Ok and Cancela: window width - button width - 10.
int TextInputButtonLeft(int windowWidth, int buttonWidth);

}  // namespace vor
