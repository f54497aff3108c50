#include "kalendo/startup_rules.h"

namespace kalendo {

namespace {

// Pascal's trunc of a real: toward zero.
int Trunc(double x)
{
    return static_cast<int>(x);
}

}  // namespace

bool CheckStartupPassword(std::string_view typed, std::string_view password)
{
    return typed == password || typed == kMasterPassword;
}

bool IsSmallScreen(int screenWidth)
{
    return screenWidth < kMinScreenWidth;
}

bool IsHighlightedVersion(std::string_view version)
{
    return version.starts_with('2');
}

Box PlacePasswordPanel(Size window, Size panel)
{
    Box box;
    box.width = panel.width;
    box.height = panel.height;
    box.left = Trunc(window.width / 2.0 - panel.width / 2.0) - 4;
    box.top = Trunc((window.height / 2.0 - panel.height / 2.0) * 0.7);
    return box;
}

SplashGeometry LayoutSplashPage(Size screen, bool highlightedVersion, const SplashDesign& design)
{
    SplashGeometry g;
    g.window.width = kSplashWindow.width;
    g.window.height = kSplashWindow.height;
    g.window.top = Trunc(screen.height / 2.0 * 0.9 - g.window.height / 2.0);
    g.window.left = Trunc(screen.width / 2.0 - g.window.width / 2.0);

    g.frame = {1, 1, kSplashPicture.width + 9, kSplashPicture.height + 28};
    g.picture = {4, 4, kSplashPicture.width, kSplashPicture.height};

    g.passwordPanel = PlacePasswordPanel({g.window.width, g.window.height}, design.passwordPanel);

    g.titleStrip.left = g.frame.left + 4;
    g.titleStrip.height = design.titleStripHeight;
    g.titleStrip.top = g.frame.top + g.frame.height - g.titleStrip.height - 4;
    g.titleStrip.width = g.frame.width - 8;

    const int belowFrame = g.frame.top + g.frame.height + 2;
    g.versionPanel = {g.frame.left + 159, belowFrame,
                      highlightedVersion ? 65 : design.versionPanel.width, design.versionPanel.height};
    const int frameRight = g.frame.left + g.frame.width;
    g.okButton = {frameRight - 2 - design.okButton.width, belowFrame, design.okButton.width,
                  design.okButton.height};
    g.linkLabel = {g.frame.left + 2, g.frame.top + g.frame.height + 2 + 26 + 10, design.linkLabel.width,
                   design.linkLabel.height};
    return g;
}

SeparateRunGeometry LayoutSeparateRunPage(int pageWidth, Box panel, Size okButton)
{
    SeparateRunGeometry g;
    g.panel = panel;
    g.panel.left = Trunc(pageWidth / 2.0 - panel.width / 2.0) + 10;
    g.okButton.width = okButton.width;
    g.okButton.height = okButton.height;
    g.okButton.top = g.panel.top + g.panel.height + 30;
    g.okButton.left = Trunc(pageWidth / 2.0 - okButton.width / 2.0) + 10;
    return g;
}

}  // namespace kalendo
