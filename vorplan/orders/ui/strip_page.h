#pragma once

#include <QFrame>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "vorplan/orders/strip_mode.h"

class QAbstractListModel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace vor {

class RunController;
class Ttabela;
struct StripJobResult;

// The strip tab "Definição da tira" of the table editor: the parameters, the
// strip options with their yields, the direct strip cutting with its cut list.
// The work is the strip engine's; yields and cuts run on a worker thread.
class StripPage : public QWidget {
    Q_OBJECT

public:
    StripPage(Ttabela& window, QWidget& page);
    ~StripPage() override;

    // The window opened (fills the fields and settings) or closes.
    void Opened();
    void Closing();
    // "Ok" in strip mode; true when the window was saved and closed.
    bool StripOk();

    void Generate();            // "Gera opções de tiras"
    void TakeOption(int row);   // double click on an option
    void Button10Click();       // "Calcula corte"
    void Button8Click();        // "Visualiza"
    void CheckBox14Click();     // "Cálculo automático" ticked or unticked by the user

    const std::vector<StripOption>& Options() const { return m_options; }
    const std::optional<StripRunResult>& LastCut() const { return m_lastCut; }
    int GenerationCount() const { return m_generations; }
    bool Running() const;
    RunController& Runner() { return *m_runner; }
    const StripDisplayOptions& Display() const { return m_display; }
    double OptionScale() const { return m_scale; }

    // Parameters.
    QLineEdit *Edit11, *Edit12, *Edit28, *Edit32;
    QCheckBox* CheckBox7;
    QLabel* MaterialName;
    QLineEdit *Edit13, *Edit15, *Edit29, *Edit30, *Edit22;
    QLineEdit *Edit26, *Edit23, *Edit27, *Edit24, *Edit31, *Edit25;
    QCheckBox* CheckBox14;
    QPushButton* GenerateButton;  // "Gera opções de tiras"
    QListView* ListBox1;
    // The strip to be cut.
    QGroupBox* StripGroup;
    QLineEdit *Edit33, *Edit34, *Edit35, *Edit36;
    QPushButton* Button10;
    QPushButton* Button8;
    // The cut list and its options.
    QGroupBox* GroupBox8;
    QListView* ListBox2;
    QPushButton* DisplayButton;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton6;
    QFrame* Panel44;
    QCheckBox *CheckBox16, *CheckBox9, *CheckBox12, *CheckBox10, *CheckBox13, *CheckBox11,
        *CheckBox17, *CheckBox15;
    QPushButton* Panel44Ok;
    QLabel* Panel46;  // "Aguarde ..."

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Build();
    QWidget* BuildParameters();
    QWidget* BuildOptions();
    QWidget* BuildCuts();
    void ApplyAutomatic();
    void ShowMaterialName();
    void ParameterLeft(QLineEdit* edit);
    void ParameterChanged();
    void StoreValues();
    PcbStripValues ValuesOfFields() const;
    void FillFields(const PcbStripValues& values);
    void ReadSettings();
    StripTabSettings SettingsOfControls() const;
    void DisplayChanged();
    void GenerateOnOpening();
    void StartYields();
    void StartCut(std::int64_t width, std::int64_t height, long long quantity);
    bool StartJob(std::shared_ptr<StripJobResult> result);
    void RunEnded();
    void SetRunning(bool running);
    void Abandon();
    bool SaveAndClose();
    void PlaceOverlays();
    long long MaterialCode() const;
    SheetKindOrder SheetOrder() const;
    void ResetOptionsList();
    void ResetCutList();

    Ttabela& m_window;
    RunController* m_runner;
    QAbstractListModel* m_optionsModel;
    QAbstractListModel* m_cutsModel;
    std::vector<QLineEdit*> m_parameterEdits;
    std::vector<QLabel*> m_parameterTitles;
    std::vector<QLabel*> m_stripTitles;
    std::vector<QString> m_lastTexts;  // of m_parameterEdits, as last generated
    std::vector<StripOption> m_options;
    StripGeneration m_generation;
    double m_scale = 0.5;
    std::optional<StripRunResult> m_lastCut;
    StripDisplayOptions m_display;
    std::shared_ptr<StripJobResult> m_job;
    bool m_pendingYields = false;
    bool m_discard = false;
    bool m_generateOnShow = false;
    bool m_filling = false;
    bool m_generateEnabled = true;  // until a generation, then until a parameter changes
    int m_generations = 0;
};

// Builds the strip tab into every table editor and plugs in its "Ok".
void InstallStripModeHooks();

}  // namespace vor
