#include "vorplan/common/main_window_geometry.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "kalendo/viewer_command.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

MainWindowRequests gMainRequests;

MainWindowGeometry ComputeMainWindowGeometry(int left, int top, int width, int height, int barTop,
                                             int barHeight)
{
    MainWindowGeometry g;
    g.centreX = static_cast<int>(Round(width * 0.5)) + left;
    g.centreY = static_cast<int>(Round(height * 0.5)) + top + 32;
    g.fullWidth = width;
    g.freeHeight = height - barHeight - barTop - 16;
    g.left = left;
    g.left2 = left;
    g.listTop = top + 120;
    g.belowIconBarTop = top + barHeight + barTop + 25;
    g.upperTop = top + 10;
    g.lowerHeight = height - 20;
    return g;
}

int IconLeft(int index)
{
    return kIconBarMargin + index * (kIconWidth + kIconGap);
}

int IconBarWidth()
{
    return IconLeft(kIconCount - 1) + kIconWidth + kIconBarMargin;
}

int CentredLeft(int outerWidth, int innerWidth)
{
    // Trunc of each half, as the window rules say (not of the difference).
    return outerWidth / 2 - innerWidth / 2;
}

int HoverStripLeft(int barLeft, int iconLeft, int iconWidth, int stripWidth, int windowWidth)
{
    const int left = barLeft + iconLeft;
    if (left + stripWidth > windowWidth - 10)
        return left + iconWidth - stripWidth;
    return left;
}

int InfoPanelTop(int barTop, int barHeight)
{
    return barTop + 2 * barHeight;
}

int IntroPanelTop(int infoPanelTop, int introPanelHeight)
{
    return infoPanelTop + introPanelHeight + 15;
}

IntroBlink NextIntroBlink(IntroBlink blink, bool panelVisible)
{
    ++blink.seconds;
    if (panelVisible && blink.seconds % 2 == 0)
        ++blink.counter;
    return blink;
}

bool IntroShowsWelcome(long long counter)
{
    return counter % 2 == 0;
}

int InstallationCheckCode(const DataFolders& folders)
{
    int code = kInstallOk;
    if (CheckDataFolders(folders) > 0)
        code = kInstallFolderMissing;
    std::error_code ec;
    if (!std::filesystem::exists(ReportViewerProgram(folders), ec))
        code = kInstallReportViewerMissing;
    return code;
}

int InstallationMessageSlot(int code)
{
    switch (code) {
    case kInstallFolderMissing: return 498;
    case kInstallReportViewerMissing: return 501;
    default: return 0;
    }
}

std::string InUseWarningText(int language)
{
    switch (language) {
    case 1:
        return "O Vorlane já está sendo utilizado por outro usuário ou\r"
               "o Windows foi desligado de forma incorreta.\r"
               "\r"
               "Atenção: Não é possível dois ou mais usuários ao mesmo tempo:\r"
               "arquivos importantes do Vorlane podem ser destruídos";
    case 2:
    case 4:
        return "The Vorlane is already being used by other user or\r"
               "the Windows was turned off in an incorrect way.\r"
               "\r"
               "Attention: It is not possible two or more users at the same time :\r"
               "important files from Vorlane can be destroyed";
    case 3:
    case 5:
        return "El Vorlane ya es estado usando por otro usuario o\r"
               "el Windows se apagó de una manera incorrecta.\r"
               "\r"
               "Atención: No es al mismo tiempo posible dos o más usuarios:\r"
               "pueden destruirse archivos importantes del Vorlane";
    default:
        return {};
    }
}

int NextLanguage(int language)
{
    return language >= 5 || language < 1 ? 1 : language + 1;
}

HandshakeRead ClassifyHandshakeText(std::string_view clipboardText)
{
    if (clipboardText == kalendo::kReplyOk)
        return HandshakeRead::Reply;
    if (clipboardText.empty())
        return HandshakeRead::Nothing;
    // Our command waits there for kalendo to read it at its start; emptying
    // it would leave kalendo without a page and the icon bar hidden for good.
    if (kalendo::IsViewerCommand(clipboardText))
        return HandshakeRead::Keep;
    return HandshakeRead::Clear;
}

namespace {

std::string Cut(std::string_view text, std::size_t length)
{
    // Characters, not bytes: never split a UTF-8 sequence.
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            if (chars == length)
                return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

std::size_t CharCount(std::string_view text)
{
    std::size_t chars = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++chars;
    return chars;
}

}  // namespace

void FillMenu(MenuItems& items, std::string_view title, const MenuEntry& heading,
              const std::vector<MenuEntry>& rows)
{
    items.title = std::string(title);
    for (std::size_t i = 0; i < kMenuClearedEntries; ++i)
        items.entries[i] = {};
    items.entries[0] = {Cut(heading.first, kMenuTextLength), Cut(heading.second, kMenuTextLength)};
    std::size_t entry = 1;
    for (const MenuEntry& row : rows) {
        if (entry > kMenuRowLimit)
            break;
        items.entries[entry++] = {Cut(row.first, kMenuTextLength), Cut(row.second, kMenuTextLength)};
    }
    items.entries[entry] = {};
}

bool MenuHasHeading(const MenuItems& items)
{
    return !items.entries[0].first.empty();
}

int MenuRowCount(const MenuItems& items)
{
    int rows = 0;
    for (std::size_t i = 1; i <= kMenuRowLimit && !items.entries[i].first.empty(); ++i)
        ++rows;
    return rows + (MenuHasHeading(items) ? 1 : 0);
}

bool MenuHasSecondColumn(const MenuItems& items)
{
    // The first row the grid shows decides.
    const std::size_t first = MenuHasHeading(items) ? 0 : 1;
    return !items.entries[first].second.empty();
}

int MenuEntryOfRow(int row, bool hasHeading)
{
    return hasHeading ? row : row + 1;
}

std::string MenuCellText(std::string_view text)
{
    const std::size_t tilde = text.find('~');
    return std::string(tilde == std::string_view::npos ? text : text.substr(0, tilde));
}

int MenuGridHeight(int rows)
{
    static constexpr std::array<int, 7> kHeights{30, 54, 80, 104, 140, 156, 180};
    if (rows <= 0)
        return kHeights[0];
    if (rows <= 7)
        return kHeights[static_cast<std::size_t>(rows - 1)];
    return 280;
}

bool MenuNeedsScrollBar(int rows)
{
    return rows > 7;
}

MenuColumns MenuColumnWidths(const MenuItems& items, int xWidth, int cancelButtonWidth)
{
    std::size_t first = 0;
    std::size_t second = 0;
    const int rows = MenuRowCount(items);
    const bool heading = MenuHasHeading(items);
    for (int r = 0; r < rows; ++r) {
        const MenuEntry& e = items.entries[static_cast<std::size_t>(MenuEntryOfRow(r, heading))];
        first = std::max(first, CharCount(MenuCellText(e.first)));
        second = std::max(second, CharCount(MenuCellText(e.second)));
    }
    second = std::min(second, CharCount(items.title));
    MenuColumns c;
    c.first = xWidth * static_cast<int>(first);
    c.second = MenuHasSecondColumn(items) ? xWidth * static_cast<int>(second) : 0;
    c.gridWidth = std::max(c.first + c.second + 10, cancelButtonWidth + 12);
    c.panelWidth = c.gridWidth + 15;
    return c;
}

int MenuLeft(int barLeft, int iconLeft)
{
    return barLeft + iconLeft - 16;
}

}  // namespace vor
