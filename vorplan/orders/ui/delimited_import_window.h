#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/orders/delimited_import.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// The delimited file import: a CSV or TAB-separated file, or the external
// system's mrp_in.txt, previewed with a summary and made the piece table of
// a new project on "Ok".
class TForm32 : public QDialog {
    Q_OBJECT

public:
    explicit TForm32(QWidget* parent = nullptr);
    ~TForm32() override;

    QGroupBox* GroupBox1;        // the file's preview
    QLabel* Label1;              // the file's name
    QTableWidget* StringGrid1;   // its lines split into fields
    QWidget* Panel1;             // the separator controls
    QRadioButton* RadioButton1;  // ","
    QRadioButton* RadioButton2;  // TAB
    QRadioButton* RadioButton3;  // ";"
    QRadioButton* RadioButton4;  // blank
    QGroupBox* GroupBox2;        // "Campos necessários:"
    QLabel* Label2;              // the fields in their order
    QLabel* Label3;              // "Projeto novo:"
    QLabel* Label4;              // number and description
    QLabel* Label5;              // the summary
    QPushButton* Button1;        // Ok
    QPushButton* Button2;        // Cancela

    // What to import, set before the window opens; the separator controls
    // are hidden for the external system's file.
    void SetImport(const std::filesystem::path& file, long long number, const std::string& description,
                   bool showSeparators);

    void FormActivate();
    // The file read again and split at the separator found.
    void LoadFile();
    // The preview, summary and "Ok" after a change of separator.
    void SeparatorChange();
    void Button1Click();
    void Button2Click();

    const DelimitedTable& Table() const { return m_table; }
    Delimiter ChosenDelimiter() const;
    // The file operations "Ok" writes through (tests make them fail).
    void UseFileOps(FileOps& ops) { m_ops = &ops; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void SetDelimiter(Delimiter delimiter);
    void ShowTable();

    platform::WindowActivation* m_activation;
    FileOps* m_ops = &DefaultFileOps();
    std::filesystem::path m_file;
    long long m_number = 0;
    std::string m_description;
    bool m_showSeparators = true;
    bool m_loaded = false;
    std::vector<std::string> m_lines;
    DelimitedTable m_table;
};

extern TForm32* Form32;
TForm32* CreateForm32();

}  // namespace vor
