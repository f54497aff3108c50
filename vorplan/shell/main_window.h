#pragma once

#include <QMainWindow>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "vorplan/common/main_window_geometry.h"
#include "vorplan/shell/main_window_hooks.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

namespace platform {
class WindowActivation;
}

namespace vor {

// The icons of the bar, left to right.
enum MainIcon : int {
    kIconProjects = 0,   // Projetos
    kIconResources,      // Recursos
    kIconCalculation,    // Cálculo
    kIconView,           // Visualiza
    kIconReport,         // Relatório
    kIconLabels,         // Etiqueta
    kIconSettings,       // Configura
    kIconHelp,           // Ajuda
    kIconExit            // Saída
};

// The windows later work brings. Each icon or key reaches its window through
// one of these; an empty one does nothing, as an icon whose window does not
// exist yet.
struct MainWindowTargets {
    std::function<void()> projectManager;  // TForm21
    std::function<void()> resources;       // TForm22 (the material-window mode cleared first)
    std::function<void()> calculation;     // TForm_otimi
    // Leaving the program: a running calculation is cut short and waited
    // for, with the event loop turning, so that it ends with its files written.
    std::function<void()> endCalculation;
    std::function<void()> viewChoice;      // TForm23
    std::function<void()> layoutViewer;    // Tvisualiz
    std::function<void()> labels;          // TForm8
    // Ttabela, shown modally: kind 1 the piece table, 2 the sheet table, with
    // the TableRequest value it was opened for (already cleared in the globals).
    std::function<void(int kind, int tableRequest)> table;
};

// The drop-down menu's grid: two owner-drawn columns, the row under the
// mouse in yellow, a fixed silver heading row.
class MenuGrid final : public QWidget {
    Q_OBJECT

public:
    MenuGrid(const MenuItems& items, QWidget* parent);

    // Takes the current menu: rows, columns, widths.
    void Refresh(const MenuColumns& columns);
    int RowAt(int y) const;
    int RowCount() const { return m_rows; }
    int MenuRow() const { return m_menuRow; }

    static constexpr int kRowHeight = 24;

signals:
    void RowClicked(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int FirstScrolledRow() const;

    const MenuItems& m_items;
    MenuColumns m_columns;
    QScrollBar* m_scroll;
    int m_rows = 0;
    bool m_heading = false;
    int m_menuRow = -1;
};

// The paint box whose painting drives the start-up hand-shake.
class StartupPaintBox final : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

signals:
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// The main window: icon bar, drop-down menu, introduction panel, status
// lines, the start-up hand-shake with kalendo and the closing question.
class TForm1 final : public QMainWindow, public MainWindowHooks {
    Q_OBJECT

public:
    // Runs FormCreate: folders, settings, language, installation check and
    // the in-use warning.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    MainWindowTargets& Targets() { return m_targets; }

    QFrame* Panel16;  // the icon bar
    std::array<QFrame*, kIconCount> IconPanels;     // Panel17, 18, 20 .. 26
    std::array<QLabel*, kIconCount> IconImages;     // Image1, 2, 4 .. 10
    std::array<QLabel*, kIconCount> IconCaptions;   // the caption under each icon
    QLabel* Panel27;       // the hover-text strip
    QFrame* Panel1;        // the drop-down menu
    MenuGrid* DrawGrid1;
    QPushButton* Button1;  // Cancela
    QFrame* Panel2;        // information panel
    QLabel* Panel2Text;
    QFrame* Panel3;        // shown while a view request is served
    QLabel* Image3;
    QFrame* Panel6;        // Introdução
    QLabel* Panel7;        // the blinking invitation
    QLabel* Image11;       // Panel7's picture
    QPushButton* Button2;  // shows the introduction text
    StartupPaintBox* PaintBox1;
    QLabel* Label3;        // computer - user
    QLabel* Label4;        // network
    QTimer* Timer1;        // 1000 ms: seconds, blinking text
    QTimer* Timer2;        // 200 ms: the hover strip
    QTimer* StartupPoll;   // while the reply is awaited

    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void FormResize();

    // One pass of the start-up hand-shake. Runs queued from the paint box's
    // paint, from activation and from StartupPoll.
    void RunStartupStep();
    // Queues RunStartupStep once (several requests before it runs make one).
    void QueueStartupStep();

    // Installation check: hides the first seven pictures and shows message
    // 498 or 501 when it fails; returns whether it passed.
    bool InstallationCheck();
    // All nine pictures again, when the last check passed.
    void ShowAllIconImages();

    void IconClick(int icon);
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    // The application's hint changed to `hint` (the mouse entered a control).
    void HintChanged(const std::string& hint);
    void Timer1Timer();
    void Timer2Timer();
    bool HintPanelFlag() const { return m_hintPanelFlag; }

    void HighlightIcon(int icon);
    bool IconIsHighlighted(int icon) const;

    // The drop-down menu.
    void OpenMenu(int kind, int icon);
    void DrawGrid1Click(int row);
    void Button1Click();
    int MenuKind() const { return m_menuKind; }
    const MenuItems& Menu() const { return m_menu; }

    void RecomputeGeometry();
    void LayOutPanels();
    void UpdateIntroPanel();
    void ViewStep();  // F12
    void OpenPieceTable();
    void OpenSheetTable();

    // MainWindowHooks
    void HideDropDownMenu() override;
    void ShowHelpText() override;
    void ResetIconHighlight() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ApplyCaptions();
    void ReplyReceived();
    void ServeViewRequest();
    void RequestClose();
    void ClosesAtNextPaint();
    void OpenReportMenuOrMaterials(int icon);
    void ReportMenuClick(int row);
    void FillStatusLines();

    enum class IconColour { Face, Yellow, Aqua };

    MainWindowTargets m_targets;
    platform::WindowActivation* m_activation;
    std::array<IconColour, kIconCount> m_iconColours{};
    std::string m_hint;
    bool m_hintPanelFlag = false;
    MenuItems m_menu;
    int m_menuKind = 0;
    int m_menuIcon = 0;
    std::vector<long long> m_menuCodes;  // the material of each row of a material menu
    IntroBlink m_blink;
    bool m_replyReceived = false;
    bool m_stepQueued = false;
    bool m_stepRunning = false;
    bool m_closePending = false;
    bool m_closeQuestionOpen = false;
    bool m_active = false;
};

// The one instance, made first at program start by CreateForm1 and left null
// until then. Destroying the window clears it.
extern TForm1* Form1;

// Makes the one instance (once; later calls return it) and installs it as
// the main window's hooks. The caller owns the window.
TForm1* CreateForm1();

}  // namespace vor
