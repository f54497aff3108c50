#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <QStyledItemDelegate>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "vorplan/optimiser/calc_settings.h"
#include "vorplan/optimiser/calc_window_logic.h"
#include "vorplan/optimiser/end_signal.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace platform {
class WindowActivation;
}

namespace vor {

class PaintBox;
class QueuedCalcEvents;
class RunController;
struct CalcRequest;

// Draws an order item: its description cut to its column by FitTextToWidth,
// then the fields in the shared columns with their separators.
class OrderItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// The calculation window ("Cálculo de corte"): the order list with the
// what-if panel, the option pages kept in CONFCALC.INI, and the pages a run
// shows (progress, report, end flags, the best sheet-size search). Not modal;
// one instance for the whole program run.
class TForm_otimi : public QDialog {
    Q_OBJECT

public:
    explicit TForm_otimi(QWidget* parent = nullptr);
    ~TForm_otimi() override;

    // ---- Pages ----------------------------------------------------------------
    QStackedWidget* PageControl1;
    QWidget* TabSheet1;   // orders
    QWidget* TabSheet3;   // unused, kept hidden
    QWidget* TabSheet5;   // report
    QWidget* TabSheet10;  // best sheet-size search
    QWidget* TabSheet13;  // progress
    QWidget* TabSheet14;  // configuration
    QWidget* TabSheet26;  // end flags
    QWidget* TabSheet25;  // wait

    // Orders
    QLabel* Panel84;         // header
    QGroupBox* GroupBox9;    // "Projetos"
    PaintBox* PaintBox3;     // column titles
    QListWidget* ListBox1;   // orders, multi-select
    QLabel* Panel85;         // selection status
    QRadioButton* RadioButton16;  // "Internos", hidden
    QRadioButton* RadioButton17;  // "Externos", hidden
    QPushButton* Button12;   // "Iniciar"
    QPushButton* Button9;    // "Configura"
    QCheckBox* CheckBox8;    // "Mostrar mapas"

    // What-if panel
    QFrame* Panel101;
    QLabel* Panel55;              // title
    QToolButton* SpeedButton1;    // collapse
    QToolButton* SpeedButton2;    // expand
    QGroupBox* GroupBox24;        // rotation
    QRadioButton* RadioButton45;  // "Conforme configuração"
    QRadioButton* RadioButton46;  // "Sim"
    QRadioButton* RadioButton47;  // "Não"
    QGroupBox* GroupBox25;        // sheet quantity
    QRadioButton* RadioButton48;  // "Conforme configuração"
    QRadioButton* RadioButton49;  // infinite
    QGroupBox* GroupBox26;        // multiplier
    QLabel* Panel77;
    QLineEdit* Edit28;
    QLabel* Label2;
    QGroupBox* GroupBox27;        // materials
    QListWidget* ListBox5;
    QPushButton* Button14;        // "?"

    // Report
    QLabel* Label20;
    QPlainTextEdit* Memo3;
    QFrame* Panel11;     // end panel
    QLabel* Panel10;     // "Cálculo concluido"
    QPushButton* Button1;  // "Ok"
    QLabel* Label9;

    // Best sheet-size search
    QStackedWidget* PageControl2;
    QWidget* TabSheet11;  // "Inicial"
    QWidget* TabSheet12;  // "Calculando"
    QWidget* TabSheet15;  // "Fim"
    QLabel* Panel14;
    QLabel* Panel18;  // width row
    QLabel* Panel17;  // height row
    QLabel* Panel19;
    QLabel* Panel20;
    QLabel* Panel105;
    QLabel* Panel21;
    QLabel* Panel104;
    QLabel* Panel110;
    QLineEdit* Edit1;   // width from
    QLineEdit* Edit2;   // width to
    QLineEdit* Edit22;  // width step
    QLineEdit* Edit3;   // height from
    QLineEdit* Edit4;   // height to
    QLineEdit* Edit18;  // height step
    QPushButton* Button7;   // "Inicia"
    QPushButton* Button13;  // "Cancela"
    QPushButton* BitBtn1;   // save
    QLabel* Label1;         // the warning
    QLabel* Label26;
    QLabel* Panel107;       // "Testanto a chapa: "
    QLabel* Label25;        // the candidate tried
    QLabel* Panel108;       // "Cálculo: "
    QLabel* Label28;        // the search's progress
    QLabel* Label27;        // "Posição até o momento:"
    QListWidget* ListBox2;
    QPushButton* Button6;   // "Cancela"
    QLabel* BestCandidateLabel;  // "Fim": the best candidate's yield and sizes

    // Progress
    QLabel* Panel2;    // "Material :"
    QLabel* Panel3;    // the material
    QLabel* Panel12;   // "Montagem"
    QLabel* Panel4;    // the layout number
    QLabel* Panel57;   // status
    QLabel* Panel60;   // "Tempo de cálculo :"
    QLabel* Panel61;   // "Tempo total estimado :"
    QLabel* Panel63;   // "Tempo restante estimado :"
    QLabel* Panel62;   // elapsed
    QLabel* Panel64;   // estimated
    QLabel* Panel65;   // remaining
    QProgressBar* ProgressBar1;
    PaintBox* PaintBox2;
    QPushButton* Button15;  // "Abreviar"
    QPushButton* BitBtn2;   // "Cancela"

    // End flags
    QLabel* Panel98;
    QLabel* Panel92;
    QLabel* Panel93;
    QLabel* Panel94;
    QLabel* Panel96;
    QLabel* Panel97;
    PaintBox* PaintBox17;
    QPushButton* Button17;  // "Ok"

    // Wait
    QLabel* Label12;  // "Aguarde ..."
    QLabel* Image2;   // the wait picture
    PaintBox* PaintBox19;

    // Configuration
    QLabel* Panel13;
    QListWidget* ListBox3;
    QStackedWidget* PageControl3;
    std::array<QWidget*, kOptionPageCount> OptionPages{};  // "1".."9", "A".."J"
    QPushButton* Button10;  // "Ok"
    QPushButton* BitBtn3;   // save
    QLabel* Label42;
    QLabel* Label43;
    QLabel* Label44;
    QLabel* Label45;  // the red "*"

    // 1
    QGroupBox* RadioGroup1;
    QButtonGroup* RadioGroup1Items;
    std::array<QRadioButton*, 3> RadioGroup1Buttons{};
    QLabel* Panel6;
    PaintBox* PaintBox10;
    // 2
    QGroupBox* GroupBox8;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox4;
    QRadioButton* RadioButton44;  // "Normal"
    QRadioButton* RadioButton9;   // best sheet size
    QLabel* Label8;
    QLabel* Label13;
    // 3
    QGroupBox* GroupBox12;
    QRadioButton* RadioButton8;   // "Livre"
    QRadioButton* RadioButton23;  // decreasing
    QRadioButton* RadioButton24;  // increasing
    QLabel* Label41;
    QGroupBox* GroupBox16;        // "Fator"
    QRadioButton* RadioButton30;
    QRadioButton* RadioButton31;
    QRadioButton* RadioButton32;
    // 4
    QGroupBox* GroupBox11;
    QRadioButton* RadioButton4;  // "Complexo"
    QRadioButton* RadioButton5;  // "Médio"
    QRadioButton* RadioButton6;  // "Fácil"
    PaintBox* PaintBox13;
    // 5
    QGroupBox* GroupBox4;
    QLabel* Panel35;
    QLabel* Panel46;
    QLabel* Label39;
    QLabel* Label38;
    QLineEdit* Edit12;  // height border, lime
    QLineEdit* Edit13;  // width border, yellow
    // 6
    QGroupBox* GroupBox10;
    QLabel* Label47;
    QLabel* Label48;
    PaintBox* PaintBox4;
    QLineEdit* Edit14;  // top
    QLineEdit* Edit15;  // bottom
    QLineEdit* Edit16;  // left
    QLineEdit* Edit17;  // right
    // 7
    QGroupBox* GroupBox2;
    QRadioButton* RadioButton18;
    QRadioButton* RadioButton19;
    QRadioButton* RadioButton20;
    QRadioButton* RadioButton21;
    PaintBox* PaintBox15;
    PaintBox* PaintBox16;
    QGroupBox* GroupBox18;
    QRadioButton* RadioButton36;
    QRadioButton* RadioButton37;
    // 8
    QGroupBox* GroupBox6;
    QRadioButton* RadioButton10;
    QRadioButton* RadioButton11;
    QRadioButton* RadioButton12;
    QLabel* Label5;
    QLineEdit* edit5;
    PaintBox* PaintBox6;
    // 9
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton22;
    QLabel* Label10;
    QLineEdit* Edit7;
    PaintBox* PaintBox7;
    // A
    QGroupBox* GroupBox7;
    QRadioButton* RadioButton13;
    QRadioButton* RadioButton14;
    QRadioButton* RadioButton15;
    QLabel* Label6;
    QLineEdit* edit6;
    PaintBox* PaintBox8;
    QFrame* Shape1;  // the vertical cut line
    QFrame* Shape2;  // the horizontal cut line
    // B
    QGroupBox* GroupBox3;
    QCheckBox* CheckBox6;
    QLabel* Label24;
    QLabel* Label31;
    QLabel* Label32;
    QLabel* Label7;
    QLabel* Label30;
    QLabel* Label33;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    PaintBox* PaintBox9;
    PaintBox* PaintBox11;
    PaintBox* PaintBox12;
    // C
    QGroupBox* GroupBox13;
    QLabel* Label11;
    QLineEdit* Edit8;
    // D
    QLabel* Panel113;
    std::array<QLabel*, 7> StartLabels{};  // Label49 .. Label55
    // E
    QGroupBox* GroupBox14;
    QRadioButton* RadioButton3;   // "Sem som"
    QRadioButton* RadioButton7;   // "Beep"
    QRadioButton* RadioButton25;  // "1"
    QRadioButton* RadioButton26;  // "2"
    QRadioButton* RadioButton29;  // "3"
    QRadioButton* RadioButton33;  // "WAV"
    QPushButton* Button11;        // "Teste"
    QGroupBox* GroupBox15;
    QRadioButton* RadioButton27;  // "Uma vez"
    QRadioButton* RadioButton28;  // "Repete"
    QCheckBox* CheckBox10;
    QPushButton* Button2;         // music "Teste"
    QLabel* Label14;
    QLabel* Label18;
    QLabel* Label19;
    // F
    QGroupBox* GroupBox17;
    QRadioButton* RadioButton34;
    QRadioButton* RadioButton35;
    QLineEdit* Edit19;
    // G
    QGroupBox* GroupBox19;
    QRadioButton* RadioButton38;
    QRadioButton* RadioButton39;
    // H
    QGroupBox* GroupBox20;
    QGroupBox* GroupBox21;
    QRadioButton* RadioButton40;
    QRadioButton* RadioButton41;
    QLabel* Label37;
    // I
    QGroupBox* GroupBox22;
    QRadioButton* RadioButton42;  // "Não"
    QRadioButton* RadioButton43;  // "SIM"
    QLabel* Label56;
    QLabel* Label57;
    QLabel* Label59;
    QLabel* Label63;
    QLabel* Label58;
    QLineEdit* Edit21;  // width
    QLineEdit* Edit20;  // height

    QTimer* Timer1;  // 500 ms: the end signal's ticks

    // ---- Handlers ----------------------------------------------------------------
    void FormCreate();
    void FormActivate();
    void FormClose();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void PaintBox19Paint();
    void FillOrderList();
    void ListBox1Change();
    void ListBox3Select(int item);
    void ListBox5Click(int row);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button9Click();
    void Button10Click();
    void SaveButtonClick();
    void Button14Click();
    void CancelBestSizeClick();  // "Cancela" of the best sheet-size pages
    void Button11Click();
    void Button2Click();
    void Timer1Timer();
    void Button12Click();        // "Iniciar"
    void Button7Click();         // "Inicia" of the best sheet-size search
    void ListBox1DblClick();
    void AbbreviateClick();      // "Abreviar", its neighbour and "Cancela" on "Calculando"
    void RadioGroup1Click();
    void ComplexityClick();
    void RawMaterialClick();
    void SheetOrderClick();
    void PreCutClick();
    void ExtraProductionClick();
    void WhatIfChanged();

    // The options as the controls hold them, and the controls from `settings`.
    CalcSettings Settings() const;
    void ShowSettings(const CalcSettings& settings);

    // The what-if list, refilled for the current selection when it is not.
    const WhatIfMaterials& CurrentWhatIfMaterials();
    const WhatIfMaterials& WhatIfList() const { return m_whatIf; }
    bool WhatIfExpanded() const;
    bool WhatIfHighlighted() const { return m_whatIfHighlighted; }
    // The rule for "Iniciar"; applied to the button once the run is wired.
    const OrderSelectionState& SelectionState() const { return m_selection; }

    RunController& Run() { return *m_run; }
    // The bridge of the current (or last) run; null before the first run.
    QueuedCalcEvents* Events() const { return m_events.get(); }
    // The interval of the end signal's ticks for the runs to come (500 ms
    // unless set; tests drive it fast).
    void SetEndSignalTickInterval(int milliseconds) { m_tickInterval = milliseconds; }
    // The candidates of the best sheet-size search tried so far in this run.
    int CandidatesShown() const { return m_candidate; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildOrderPage();
    void BuildWhatIfPanel();
    void BuildReportPage();
    void BuildBestSizePage();
    void BuildProgressPage();
    void BuildEndFlagsPage();
    void BuildWaitPage();
    void BuildConfigurationPage();
    void BuildOptionPages();
    void ConnectHandlers();
    void SetCaptions();
    void CollapseWhatIf();
    void SetWhatIfHeight(int height);
    void RefillWhatIfMaterials();
    void ShowWhatIfMaterials();
    void UpdateWhatIfIndicator();
    void ApplyEnableRules();
    void PlaceWindow();
    void SetSheetBorders(const QString& value);
    bool CheckedRequest(CalcRequest& request);
    void StartRun(CalcRequest request, bool bestSizeSearch);
    void ConnectRunEvents(bool bestSizeSearch);
    void OnRunEnded(int status, const QString& failure);
    void FlushRunDisplay();
    void StepFigure();
    std::vector<long long> SelectedOrders() const;

    platform::WindowActivation* m_activation;
    // Declared before the controller, so that it outlives the worker thread
    // that the controller's destructor waits for.
    std::unique_ptr<QueuedCalcEvents> m_events;
    std::unique_ptr<RunController> m_run;
    // What the run reported since the last repaint; shown at most ten times
    // a second, so that a fast run does not flood the UI thread.
    QTimer* m_displayTimer = nullptr;
    QStringList m_pendingReport;
    int m_candidate = 0;
    int m_tickInterval = 0;
    bool m_endShown = false;
    // The waving figure of the progress page: each step draws on the last.
    QImage m_figure;
    int m_figureStep = 0;
    std::optional<double> m_yield;  // of the last run, for the report's pie  // the run has reached its end page
    int m_candidateTotal = 0;
    std::optional<EndSignalPlayer> m_endSignal;
    CalcSettings m_loaded;  // what loading set that no control shows
    WhatIfMaterials m_whatIf;
    OrderSelectionState m_selection;
    bool m_whatIfHighlighted = false;
    bool m_fillQueued = false;
    bool m_filling = false;
};

// The one instance, made at program start by CreateForm_otimi and left null
// until then. Destroying the window clears it.
extern TForm_otimi* Form_otimi;

// Makes the one instance (once; later calls return it). The caller owns it.
TForm_otimi* CreateForm_otimi();

// Opens the calculation window, as the Cálculo icon does.
void ShowCalculationWindow();

// The program is leaving: a running calculation is cut short as by
// "Abreviar", its wait for "Ok" ended, and this returns once the driver has
// finished and written its files; the event loop turns meanwhile.
void EndCalculationForExit();

}  // namespace vor
