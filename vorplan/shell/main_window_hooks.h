#pragma once

// What the other windows of vorplan need from the main window, kept free of
// Qt so that windows and tests can use it without the main window existing.

namespace vor {

// Positions every other window places itself by. The main window recomputes
// them at every activation, deactivation, paint and icon action from its
// Left, Top, Width, Height and the icon bar's Top and Height.
struct MainWindowGeometry {
    int centreX = 0;          // Round(Width * 0.5) + Left
    int centreY = 0;          // Round(Height * 0.5) + Top + 32
    int fullWidth = 0;        // Width
    int freeHeight = 0;       // Height - icon bar Height - icon bar Top - 16
    int left = 0;             // Left
    int left2 = 0;            // Left again, a second copy some windows read
    int listTop = 0;          // Top + 120, top of a list area
    int belowIconBarTop = 0;  // Top + icon bar Height + icon bar Top + 25
    int upperTop = 0;         // Top + 10
    int lowerHeight = 0;      // Height - 20
};

// Set while certain windows are open; while any is set the main window does
// not look for the start-up reply. The main window clears the first three
// when it is created and whenever it is activated.
struct WindowOpenFlags {
    bool resources = false;          // by the Recursos icon
    bool settings = false;           // by the Configura icon, cleared when the settings window closes
    bool projectManager = false;
    bool calculationChoice = false;  // the choice of a calculation to view

    bool Any() const { return resources || settings || projectManager || calculationChoice; }
};

// The main window's part of the shared globals.
struct MainWindowState {
    MainWindowGeometry geometry;
    WindowOpenFlags windowOpenFlags;
};

inline MainWindowState gMainWindow;

// The main window's operations other windows call. The main window installs
// its implementation when it is created; until then every call does nothing.
class MainWindowHooks {
public:
    virtual ~MainWindowHooks() = default;

    // Hides the drop-down menu of the icon bar.
    virtual void HideDropDownMenu() {}
    // Shows the help text of the current language through kalendo.
    virtual void ShowHelpText() {}
    // Gives every icon its button colour back (a window an icon opened closes).
    virtual void ResetIconHighlight() {}
};

namespace detail {
inline MainWindowHooks gNoMainWindow;
inline MainWindowHooks* gMainWindowHooks = &gNoMainWindow;
}  // namespace detail

// The installed main window operations (the do-nothing ones when none is).
inline MainWindowHooks& MainWindowCalls()
{
    return *detail::gMainWindowHooks;
}

// Installs `hooks` (nullptr restores the do-nothing ones).
inline void SetMainWindowHooks(MainWindowHooks* hooks)
{
    detail::gMainWindowHooks = hooks ? hooks : &detail::gNoMainWindow;
}

}  // namespace vor
