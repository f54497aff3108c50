#pragma once

#include <functional>

#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/markup.h"
#include "ostrel/ostrel_captions.h"
#include "ostrel/ostrel_settings.h"
#include "ostrel/qt_metrics.h"
#include "ostrel/report_printer.h"
#include "ostrel/report_store.h"
#include "platform/clipboard.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;

namespace platform {
class WindowActivation;
}

namespace ostrel {

class ReportGrid;
class Tvars_;

// ostrel's main window: the report grid with its button bar, the right-button
// menu and the line editor, the search, settings and notice panels. It loads
// the report of the command line when it opens and, unless started with "F",
// closes when the program is left, with "OSTRELFIM" on the clipboard.
class TOstrel final : public QWidget {
    Q_OBJECT

public:
    TOstrel(CommandLine command, platform::Clipboard& clipboard, QWidget* parent = nullptr);
    ~TOstrel() override;

    const CommandLine& Command() const { return m_command; }
    const ReportStore& Store() const { return m_store; }
    // The settings as the controls hold them now.
    const OstrelSettings& Settings() const { return m_settings; }
    int LanguageNumber() const { return m_languageNumber; }
    Language Lang() const { return m_lang; }
    const Captions& Texts() const { return *m_captions; }
    ReportPrinter& Printer() { return m_printer; }
    const RenderSettings& Rendering() const { return m_renderer.Settings(); }
    // True once the report of the command line was read.
    bool Loaded() const { return m_loaded; }
    std::vector<std::string> ComboItems() const;

    // The commands behind the buttons, the menu and the panels.
    void PrintButtonClick();
    void ConfigureButtonClick();
    void SearchButtonClick();
    void IndexButtonClick();
    void InsertLineClick();
    void EditLineClick();
    void DeleteLineClick();
    void DeleteTableClick();
    void EditorOkClick();
    void EditorCancelClick();
    void SearchOkClick();
    void SearchCancelClick();
    void StandardClick();
    void SettingsOkClick();
    // The line edit of a print setting typed in millimetres.
    QLineEdit* FieldEdit(PrintField field) const;
    void PrinterSetupClick();
    void ShowAbout();

    // Button bar.
    QPushButton* PrintButton;
    QPushButton* ConfigureButton;
    QPushButton* SearchButton;
    QPushButton* IndexButton;
    QPushButton* CloseButton;

    // Information panel ("Arquivo:", "Linhas:").
    QFrame* InfoPanel;
    QLabel* FileInfo;
    QLabel* LinesInfo;

    ReportGrid* Grid;

    // Right-button menu of the grid.
    QMenu* PopupMenu;
    QAction* InsertLineItem;
    QAction* EditLineItem;
    QAction* DeleteLineItem;
    QAction* DeleteTableItem;

    // Line editor panel.
    QFrame* EditorPanel;
    QLabel* EditorCaption;
    QComboBox* ComboBox1;
    QPushButton* EditorOk;
    QPushButton* EditorCancel;

    // Search panel.
    QFrame* SearchPanel;
    QLineEdit* SearchEdit;
    QCheckBox* MatchCaseBox;
    QPushButton* SearchOk;
    QPushButton* SearchCancel;

    // Notice panel while printing.
    QFrame* NoticePanel;
    QLabel* NoticeWait;
    QLabel* NoticePage;

    // Settings panel.
    struct PictureControls {
        QLineEdit* file = nullptr;
        QLineEdit* x = nullptr;
        QLineEdit* y = nullptr;
        QLineEdit* width = nullptr;
        QLineEdit* height = nullptr;
    };
    QFrame* SettingsPanel;
    QSlider* LineSpacingBar;
    QSlider* LetterSizeBar;
    QButtonGroup* TableColourGroup;
    QButtonGroup* TitleColourGroup;
    QCheckBox* TableRulesBox;
    QCheckBox* CursorBandBox;
    QLineEdit* MarginLeftEdit;
    QLineEdit* MarginTopEdit;
    QLineEdit* MarginBottomEdit;
    QLineEdit* HeaderEdit;
    QCheckBox* HeaderRuleBox;
    QLineEdit* FooterEdit;
    QCheckBox* FooterRuleBox;
    PictureControls Picture1;
    PictureControls Picture2;
    QLabel* PageWidthPixels;
    QLabel* PageHeightPixels;
    QLabel* PageWidthMm;
    QLabel* PageHeightMm;
    QPushButton* PrinterSetupButton;
    QCheckBox* SaveBox;
    QPushButton* StandardButton;
    QPushButton* SettingsOk;

    Tvars_* About;

signals:
    // The report was loaded (at opening or after a change).
    void ReportLoaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class EditorMode { Idle, Insert, Edit };

    void FormCreate();
    void BuildButtonBar();
    void BuildPanels();
    void BuildSettingsPanel();
    void SetTexts();
    void ControlsFromSettings();
    void ControlsChanged();
    void ShowPrinterGeometry();
    PrinterGeometry PageGeometry();
    std::string FieldName(PrintField field) const;
    bool CheckTypedField(PrintField field);
    void FormActivate();
    void ApplyMode();
    void CenterOnScreen();
    bool LoadReport();
    void AfterLoad();
    void ApplyEdit(const EditResult& result, int topRow);
    void RunMenuEdit(const std::function<EditResult()>& edit);
    void GridPressed(int row, Qt::MouseButton button, QPoint globalPos);
    void ShowEditor(EditorMode mode);
    void PlacePanels();
    void ApplicationStateChanged(Qt::ApplicationState state);
    void CloseOnDeactivation();
    void WriteSettingsOnClose();
    void CloseLater();
    void Message(const std::string& text);

    CommandLine m_command;
    platform::Clipboard& m_clipboard;
    ModeRules m_rules;
    OstrelSettings m_settings;
    std::filesystem::path m_programFolder;  // COMBO.REL and IDIO.NUM live here
    int m_languageNumber = 1;
    Language m_lang = Language::Portuguese;
    const Captions* m_captions;

    QtMetrics m_screenMetrics;
    ReportStore m_store;
    MarkupRenderer m_renderer;
    ReportPrinter m_printer;
    platform::WindowActivation* m_activation = nullptr;

    bool m_loaded = false;
    bool m_syncingControls = false;
    bool m_checkingField = false;  // its message box takes the focus, which finishes the edit again
    bool m_applicationActive = true;
    bool m_closing = false;
    EditorMode m_editorMode = EditorMode::Idle;
    int m_menuRow = -1;    // the row the right-button menu was opened on
    int m_editorRow = -1;  // the insert or edit row of the open editor
};

}  // namespace ostrel
