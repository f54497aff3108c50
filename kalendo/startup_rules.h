#pragma once

#include <string_view>

namespace kalendo {

// A published master password that opens every start-up password page; kept
// because installations in the field rely on it.
inline constexpr std::string_view kMasterPassword = "tq84mw";

// Screens narrower than this get the small-screen warning.
inline constexpr int kMinScreenWidth = 800;

// The splash picture, looked for in the current folder.
inline constexpr std::string_view kSplashPictureName = "vl_2002.jpg";

// True when the typed text equals the command's password or the master
// password, compared exactly (case-sensitive).
bool CheckStartupPassword(std::string_view typed, std::string_view password);

// True when a screen of this width gets the small-screen warning.
bool IsSmallScreen(int screenWidth);

// True when the version panel is drawn black with white bold text: the
// version text starts with "2".
bool IsHighlightedVersion(std::string_view version);

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
};

// Sizes of the controls that the layout keeps from their design.
struct SplashDesign {
    Size passwordPanel{260, 150};
    int titleStripHeight = 20;
    Size versionPanel{89, 26};  // 65 wide when highlighted
    Size okButton{81, 58};
    Size linkLabel{200, 16};
};

// Where every control of the start-up and password pages goes, in pixels;
// the window in screen coordinates, the rest in page coordinates except the
// picture, which is inside its frame.
struct SplashGeometry {
    Box window;
    Box frame;
    Box picture;
    Box titleStrip;
    Box versionPanel;
    Box okButton;
    Box linkLabel;
    Box passwordPanel;
};

inline constexpr Size kSplashWindow{366, 420};
inline constexpr Size kSplashPicture{340, 295};

// The start-up page on a screen of the given size.
SplashGeometry LayoutSplashPage(Size screen, bool highlightedVersion, const SplashDesign& design = {});

// The password panel centred in a window of the given size.
Box PlacePasswordPanel(Size window, Size panel);

// The separate-run page: the panel centred (its top kept), the Ok button
// 30 pixels below it.
struct SeparateRunGeometry {
    Box panel;
    Box okButton;
};
SeparateRunGeometry LayoutSeparateRunPage(int pageWidth, Box panel, Size okButton);

}  // namespace kalendo
