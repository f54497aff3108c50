#include "vorplan/common/pick_list.h"

#include <algorithm>
#include <utility>

#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"

namespace vor {

PickListState gPickList;

PickListResults OpeningResults() { return PickListResults{{}, false, true}; }

PickListResults ComboResults(std::string text) { return PickListResults{std::move(text), true, false}; }

PickListResults QuestionResults() { return PickListResults{{}, true, false}; }

PickListResults RecordResults(std::string itemText)
{
    return PickListResults{std::move(itemText), false, false};
}

PickListResults CancelResults() { return PickListResults{{}, false, true}; }

void ClearAfterClose(PickListParameters& parameters)
{
    for (std::string& line : parameters.lines)
        line.clear();
    parameters.listFile.clear();
}

int PickListWidth(int minWidth, const std::array<int, 3>& lineWidths)
{
    int width = minWidth;
    for (const int lineWidth : lineWidths)
        width = std::max(width, lineWidth + 70);
    return std::clamp(width, kPickMinWidth, kPickMaxWidth);
}

int PickListMemoHeight(const std::array<int, 3>& lineHeights)
{
    long long sum = 0;
    for (const int height : lineHeights)
        sum += height;
    // 1.3 x 1.6 = 208 / 100, in integers so that no rounding of a double
    // decides the truncation; toward zero like Trunc.
    return static_cast<int>(sum * 208 / 100);
}

int PickListHeight(int mode, int memoHeight, int buttonHeight)
{
    if (mode == kPickCombo)
        return memoHeight + 2 * buttonHeight + 24 + kPickTitleBarHeight;
    if (mode == kPickRecords)
        return memoHeight + 180;
    return memoHeight + buttonHeight + 18 + kPickTitleBarHeight;
}

int PickListRecordsHeight(int windowHeight, int memoHeight) { return windowHeight - memoHeight - 50; }

int PickListLeft(int left, int width, int screenRight)
{
    if (left + width > screenRight)
        return screenRight - 10 - width;
    return left;
}

bool PickComboOkEnabled(std::string_view text) { return !text.empty(); }

PickItemColumns SplitPickItem(std::string_view item)
{
    const std::size_t slash = item.find('\\');
    if (slash == std::string_view::npos)
        return PickItemColumns{std::string(item), {}};
    return PickItemColumns{std::string(item.substr(0, slash)), Utf8Left(item.substr(slash + 1), 100)};
}

std::vector<std::string> PickListFileLines(const std::string& typed, const std::vector<std::string>& items)
{
    std::vector<std::string> lines{typed};
    for (const std::string& item : items) {
        if (item.empty())
            break;
        if (item != typed)
            lines.push_back(item);
    }
    return lines;
}

void SavePickListFile(const std::filesystem::path& path, const std::string& typed,
                      const std::vector<std::string>& items)
{
    WriteTextLines(path, PickListFileLines(typed, items));
}

int TextInputWidth(int editWidth, int buttonWidth) { return std::max(editWidth + 22, buttonWidth + 20); }

int TextInputButtonLeft(int windowWidth, int buttonWidth) { return windowWidth - buttonWidth - 10; }

}  // namespace vor
