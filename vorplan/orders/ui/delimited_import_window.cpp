#include "vorplan/orders/ui/delimited_import_window.h"

#include <QBrush>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/import_lines.h"
#include "vorplan/orders/import_source.h"
#include "vorplan/orders/ui/import_controls.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm32* Form32 = nullptr;

namespace {

using import_controls::MakeLabel;
using platform::ToQString;

constexpr int kColumns = static_cast<int>(kImportCells);

}  // namespace

TForm32::TForm32(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form32"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Importar arquivo"));

    GroupBox1 = new QGroupBox(QStringLiteral("Visualização do arquivo"), this);
    GroupBox1->setGeometry(8, 8, 744, 330);
    Label1 = MakeLabel(GroupBox1, QString(), QRect(10, 22, 724, 18));
    Label1->setObjectName(QStringLiteral("Label1"));
    StringGrid1 = new QTableWidget(0, kColumns, GroupBox1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(10, 44, 724, 244);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {70, 70, 90, 90, 130};
    for (int column = 0; column < kColumns - 1; ++column)
        StringGrid1->setColumnWidth(column, widths[column]);

    Panel1 = new QWidget(GroupBox1);
    Panel1->setGeometry(10, 294, 724, 28);
    QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
    const char* names[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
    const QString captions[] = {QStringLiteral("  ,  "), QStringLiteral("Tab"), QStringLiteral("  ;  "),
                                QStringLiteral("' '")};
    for (int i = 0; i < 4; ++i) {
        *radios[i] = new QRadioButton(captions[i], Panel1);
        (*radios[i])->setObjectName(QLatin1String(names[i]));
        (*radios[i])->setGeometry(i * 90, 3, 84, 22);
        connect(*radios[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                SeparatorChange();
        });
    }

    GroupBox2 = new QGroupBox(QStringLiteral("Campos necessários:"), this);
    GroupBox2->setGeometry(8, 346, 744, 50);
    Label2 = MakeLabel(GroupBox2, QString(), QRect(10, 22, 724, 20));

    Label3 = MakeLabel(this, QStringLiteral("Projeto novo:"), QRect(8, 406, 120, 20));
    Label4 = MakeLabel(this, QString(), QRect(130, 406, 622, 20));
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5 = MakeLabel(this, QString(), QRect(8, 434, 560, 20));
    Label5->setObjectName(QStringLiteral("Label5"));
    Button1 = MakeButton(this, "Button1", QStringLiteral("Ok"), QRect(576, 430, 85, 28));
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancela"), QRect(667, 430, 85, 28));
    Button1->setEnabled(false);
    setFixedSize(760, 468);

    connect(Button1, &QPushButton::clicked, this, &TForm32::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm32::Button2Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm32::FormActivate);
}

TForm32::~TForm32()
{
    if (Form32 == this)
        Form32 = nullptr;
}

void TForm32::SetImport(const std::filesystem::path& file, long long number, const std::string& description,
                        bool showSeparators)
{
    m_file = file;
    m_number = number;
    m_description = description;
    m_showSeparators = showSeparators;
    m_loaded = false;
}

void TForm32::FormActivate()
{
    // Back from a box or another window, the user's separator stays.
    if (m_loaded)
        return;
    GroupBox1->setTitle(ToQString(Msg(981)));
    GroupBox2->setTitle(ToQString(Msg(986) + ":"));
    Label2->setText(ToQString(Msg(982)));
    Button2->setText(ToQString(Msg(25)));
    QStringList headings;
    for (const std::string& name : RequiredFieldNames(Msg(982)))
        headings << ToQString(name);
    StringGrid1->setHorizontalHeaderLabels(headings);
    Label4->setText(ToQString(std::to_string(m_number) + " - " + m_description));
    Panel1->setVisible(m_showSeparators);
    LoadFile();
}

void TForm32::LoadFile()
{
    m_loaded = true;
    m_lines.clear();
    Label1->setText(ToQString(m_file.string()));
    const std::filesystem::path found = ExistingImportFile(m_file);
    std::optional<std::vector<std::string>> lines;
    if (!found.empty()) {
        WaitCursor wait;
        lines = ReadDelimitedFile(found);
    }
    if (!lines) {
        SetDelimiter(Delimiter::Blank);
        if (found.empty())
            ShowProgramMissingMessage(m_file.string());
        else
            platform::ShowMessage(UnreadableFileText(found));
        return;
    }
    m_lines = std::move(*lines);
    const DelimiterFound separator = FindDelimiter(m_lines.empty() ? std::string_view() : m_lines.front());
    SetDelimiter(separator.delimiter);
    if (!separator.found)
        platform::ShowMessage(DelimiterErrorText(separator.counts));
}

Delimiter TForm32::ChosenDelimiter() const
{
    if (RadioButton1->isChecked())
        return Delimiter::Comma;
    if (RadioButton2->isChecked())
        return Delimiter::Tab;
    if (RadioButton3->isChecked())
        return Delimiter::Semicolon;
    return Delimiter::Blank;
}

void TForm32::SetDelimiter(Delimiter delimiter)
{
    QRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    {
        const QSignalBlocker block(radios[static_cast<int>(delimiter)]);
        radios[static_cast<int>(delimiter)]->setChecked(true);
    }
    SeparatorChange();
}

void TForm32::SeparatorChange()
{
    m_table = SplitDelimitedLines(m_lines, ChosenDelimiter());
    ShowTable();
}

void TForm32::ShowTable()
{
    StringGrid1->setRowCount(static_cast<int>(m_table.rows.size()));
    const QBrush skipped(QColor(0x90, 0x90, 0x90));
    for (int row = 0; row < static_cast<int>(m_table.rows.size()); ++row) {
        const DelimitedRow& fields = m_table.rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kColumns; ++column) {
            const auto at = static_cast<std::size_t>(column);
            auto* item = new QTableWidgetItem(at < fields.fields.size() ? ToQString(fields.fields[at]) : QString());
            if (!fields.imported)
                item->setForeground(skipped);
            StringGrid1->setItem(row, column, item);
        }
    }
    Label5->setText(ToQString(DelimitedSummaryText(m_table)));
    Button1->setEnabled(!m_table.outputLines.empty());
}

void TForm32::Button1Click()
{
    if (m_table.outputLines.empty())
        return;
    ImportSaveResult result = ImportSaveResult::WriteFailed;
    {
        WaitCursor wait;
        result = SaveImportedProject(m_number, m_description, m_table.outputLines, *m_ops);
    }
    if (result != ImportSaveResult::Written)
        return;
    platform::ShowMessage(m_description + " (" + std::to_string(m_number) + ")");
    accept();
}

void TForm32::Button2Click()
{
    reject();
}

void TForm32::hideEvent(QHideEvent* event)
{
    m_loaded = false;
    QDialog::hideEvent(event);
}

TForm32* CreateForm32()
{
    if (!Form32)
        Form32 = new TForm32;
    return Form32;
}

}  // namespace vor
