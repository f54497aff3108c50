#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QImage>
#include <array>
#include <functional>

#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/layout_editing.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/overview.h"
#include "vorplan/layoutview/viewer_settings.h"
#include "vorplan/layoutview/viewer_view.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimer;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

class PaintBox;

// A sunken panel that shows one figure.
QLabel* DataPanel(QWidget* parent, const char* name);

// The drawing surface: shows the backing image and hands the mouse on.
class LayoutPaintBox final : public QWidget {
public:
    LayoutPaintBox(const QImage& image, QWidget* parent);
    std::function<void(int, int)> moved, doubleClicked, pressed;
    std::function<void()> resized;
    std::function<void(QPainter&)> overlay;  // drawn over the picture: the move preview

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent*) override;

private:
    const QImage& m_image;
};

// A label or panel that answers a click (Image2, the overview's hint panel).
class ClickLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class ClickPanel final : public QFrame {
public:
    using QFrame::QFrame;
    std::function<void()> clicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The hover detail panel: the element's data, in its colour, around a small
// sketch of the sheet with the distances to its four edges.
class ElementDetailPanel final : public QFrame {
public:
    explicit ElementDetailPanel(QWidget* parent);
    void SetDetail(const ElementDetail& detail, const QString& sheetWord);
    const ElementDetail& Detail() const { return m_detail; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ElementDetail m_detail;
    QString m_sheetWord;
};

// The window in which the user looks at the layouts of the current material:
// one layout at a time with its figures. Thin over the layout model and the
// view logic; everything timed runs in Timer1's ticks.
class Tvisualiz : public QDialog {
    Q_OBJECT

public:
    explicit Tvisualiz(QWidget* parent = nullptr);
    ~Tvisualiz() override;

    // The opening: a clean view of layout 1 of the current material.
    void FormActivate();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Tick();

    void NextLayout();
    void PreviousLayout();
    void GoToLayout(long long n);
    void FitViewAndRedraw();
    void RedrawView();
    // The step buttons: a step, then the silent element check.
    void StepButton(bool next);

    const LayoutState& State() const { return m_state; }
    LayoutState& State() { return m_state; }
    ViewerView& View() { return m_view; }
    const MapPrintSettings& PrintSettings() const { return m_print; }
    const QImage& Picture() const { return m_image; }

    bool reportStarted = false;  // set after a report went to ostrel

    // The reports handed to ostrel: the general report of all layouts and
    // the current layout's. `reportOps` writes the report file.
    void Button3Click(FileOps& reportOps = DefaultFileOps());
    void Button1Click(FileOps& reportOps = DefaultFileOps());
    // "Configura": what the general report holds.
    void Button18Click();
    // "Caminho do corte": the cut route drawn and written for the machine.
    void Button12Click(FileOps& ops = DefaultFileOps());
    const std::vector<RouteLine>& Route() const { return m_route; }
    // The lines of the last general report.
    const std::vector<std::string>& GeneralReportLines() const { return m_generalReport; }

    // Panel13 with the drawing.
    QWidget* Panel13;
    LayoutPaintBox* PaintBox1;
    // Panel2: the current layout's figures.
    QLabel* Panel11;  // "Dimensões:"
    QLabel* Panel9;   // repetitions
    QLabel* Panel7;   // sheet used
    QLabel* Panel10;  // yield
    QLabel* Panel15;  // loss
    QLabel* Panel12;  // pieces on the sheet
    QLabel* Panel16;  // "Peças diferentes"
    PaintBox* PaintBox3;  // yield pie
    QSlider* TrackBar1;
    QPushButton* BitBtn9;  // previous
    QLabel* Panel8;        // "n / count"
    QPushButton* BitBtn8;  // next
    QPushButton* Button24; // "Todas"
    QTabWidget* PageControl1;
    QWidget* TabEdit;      // "Edição"
    QWidget* TabConfig;    // "Configuração"
    QWidget* TabPrint;     // "Impressão"
    QWidget* TabReports;   // "Relatórios"
    std::array<QPushButton*, 6> ZoomPanButtons;  // BitBtn2 .. BitBtn7
    QPushButton* Button10;  // fit
    std::array<QRadioButton*, 3> ShowButtons;  // "Tudo", "Peças", "Retalhos e Sobras"
    std::array<QRadioButton*, 4> CutButtons;   // "Não indicar" .. "Corte inicial"
    QCheckBox* CheckDimensions;
    QCheckBox* CheckShowDy;
    QCheckBox* CheckAutoCentre;
    QCheckBox* CheckLeftoverMarks;   // "Indicações de sobra"
    QCheckBox* CheckIdentification;  // "Identificação"
    QCheckBox* CheckUnify;           // "Unifica sobras (auto)"
    std::array<QRadioButton*, 2> IdentButtons;   // "Código", "Descr."
    std::array<QRadioButton*, 2> LegendButtons;  // "Legenda tipo 1", "Legenda tipo 2"
    std::array<QRadioButton*, 2> ColourButtons;  // "Cor única", "Cores agrupadas"
    QSlider* TrackBar2;        // "Luminosidade"
    QPushButton* ButtonDefault;  // "padrão"
    QPushButton* ButtonLegend;   // "?"
    // The editing controls, acted on by the layout editing.
    QPushButton* ButtonSeparate;  // "Separa peças"
    QPushButton* ButtonJoin;      // "Junta peças"
    QPushButton* ButtonRouting;   // "Caminho do corte"
    QPushButton* BitBtn10;
    QPushButton* BitBtn11;
    QPushButton* ButtonTurn;      // "+/-"
    QPushButton* ButtonNew;       // "Nova"
    QPushButton* ButtonDivide;    // "/"
    QPushButton* ButtonRepeat;    // "Qtd rpt"
    QWidget* Panel38;
    ClickLabel* Image2;
    QWidget* Panel59;  // piece dimensions
    QWidget* Panel60;  // repetitions of this layout
    QListWidget* ListBox1;
    QPushButton* BitBtn1;   // "Imprime"
    QPushButton* Button9;   // "Configura impressão"
    QPushButton* Button3;   // general report
    QPushButton* Button18;  // "Configura"
    QPushButton* Button1;   // current layout's report
    // Hover detail panel with the cursor read-out.
    ElementDetailPanel* Panel21;
    QLabel* Panel1;   // X
    QLabel* Panel6;   // Y
    QLabel* Panel65;  // DY
    QTimer* Timer1;
    // The overview of all layouts: its data panel under the drawing, the
    // hint panel with the calculation's totals, the sheet-group sample.
    QFrame* Panel31;
    std::array<QLabel*, 6> OverviewData{};  // layout, repetitions, yield, loss, width, height
    ClickPanel* Panel61;
    QLabel* Panel67;  // layouts
    QLabel* Panel70;  // sheets
    QLabel* Panel71;  // yield
    QLabel* Panel73;  // loss
    QRadioButton* ViewPieces;  // "Visualizar": "Peças"
    QRadioButton* ViewSheets;  //               "Chapas"
    QCheckBox* CheckLevel;     // "Nivelar"
    QFrame* Panel77;

    // "Todas" and Image2: an edited layout written, then every layout at once.
    void EnterOverview();
    void ShowOverview();
    // A click in the overview: the hovered layout (1 when none) in the single view.
    void OverviewClick();
    const OverviewCells& Cells() const { return m_cells; }
    const LayoutTotals& Totals() const { return m_totals; }

    // Alt+F10 in overview mode: the picture on the clipboard and into a document.
    void CaptureAndExport();

    // Editing the layout by hand.
    void EditClick(int px, int py);
    void RotateSelected();  // BitBtn11 and Ctrl+R
    // Empty sizes and code 999; also after the print settings window closes.
    void ResetNewPieceValues();
    const LayoutEditing& Editing() const { return m_editing; }
    QLineEdit* EditWidth;   // Panel59: "Largura" (mm)
    QLineEdit* EditHeight;  // "Altura" (mm)
    QLineEdit* EditCode;    // "Código"
    QPushButton* Panel59Ok;
    QPushButton* Panel59Cancel;
    QLineEdit* Edit6;  // Panel60: repetitions
    QPushButton* Panel60Ok;
    QPushButton* Panel60Cancel;
    QTimer* PullApartTimer = nullptr;  // one step of "Separa peças" or "Junta peças" a tick

    // "Imprime": the layouts chosen in ListBox1 as cutting maps.
    void PrintMaps();
    // "Configura impressão": the print settings window, then its colours and factor.
    void ConfigureMapPrint();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildOverviewPanels();
    void SetCaptions();
    void SetOverviewCaptions();
    void DrawOverviewNow();
    void SetOverviewPanels(bool overview);
    void OverviewMouseMove(int px, int py);
    void OverviewTick(const ViewerTick& tick);
    void LayOut();
    void ShowDisplaySettings();
    void DrawDy(DrawContext& context);
    void FirstDisplay();
    void ResetAfterStep();
    void RefreshPanels();
    void ReadCurrentLayout();
    void SaveOnClose();
    void CloseWithRequest();
    void MouseMove(int px, int py);
    void MouseDoubleClick(int px, int py);
    void MousePress(int px, int py);
    void BuildEditing();
    void ApplyEdit(const EditOutcome& outcome);
    void UpdateEditButtons();
    void OpenPiecePanel(const PiecePanel& panel);
    void ResetEditing();
    void DrawPreview(QPainter& painter);
    void TrackPreview(int px, int py);
    LayoutInputs Inputs() const;
    DrawContext Context(class Canvas& canvas);
    void RereadAfterReport(long long layout);

    std::array<QLabel*, 6> m_figureTitles{};
    QGroupBox* m_showBox = nullptr;
    QGroupBox* m_piecesBox = nullptr;
    QGroupBox* m_sheetsBox = nullptr;
    QLabel* m_lightLabel = nullptr;

    std::array<QLabel*, 7> m_overviewTitles{};
    std::array<QLabel*, 3> m_overviewHint{};
    std::array<QLabel*, 4> m_totalsTitles{};
    QGroupBox* m_viewBox = nullptr;
    OverviewCells m_cells;
    LayoutTotals m_totals;

    LayoutState m_state;
    ViewerView m_view;
    ViewerDisplaySettings m_display;
    MapPrintSettings m_print;
    ViewerPanels m_panels;
    CutLineList m_cutLines;
    std::vector<RouteLine> m_route;
    std::vector<std::string> m_generalReport;
    PrintLetterKeys m_keys;
    ShowElements m_show = ShowElements::All;
    QImage m_image;
    long m_hovered = 0;
    long m_dyHovered = 0;  // the element the drawn DY measures to
    bool m_selectedLowerHalf = false;
    bool m_saved = true;  // the closing steps ran since the last opening
    bool m_settingTrackBar = false;
    bool m_suspendDraw = false;  // while the panels settle around the overview
    platform::WindowActivation* m_activation;
    LayoutEditing m_editing;
    PiecePanel m_piecePanel;
    bool m_previewShown = false;  // the move preview at m_previewPoint (pixels)
    QPoint m_previewPoint;
    long m_previewPiece = 0;
};

// The one instance, made at program start by CreateVisualiz.
extern Tvisualiz* visualiz;
Tvisualiz* CreateVisualiz();
// The main window's way to the viewer: with one material in the last
// calculation that material becomes the current one, then the window shows.
void ShowLayoutViewer();

}  // namespace vor
