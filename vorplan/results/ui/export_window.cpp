#include "vorplan/results/ui/export_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/file_dialog.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/system_names.h"

namespace vor {

TForm28* Form28 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

constexpr const char* kSettingsFile = "VL_EXPORT.INI";

QString LowerExtension(const std::string& extension)
{
    return ToQString(extension).toLower();
}

}  // namespace

TForm28::TForm28(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form28"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Exporta"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    auto* choices = new QGridLayout;
    choices->setColumnMinimumWidth(0, 22);
    RadioButton6 = new QRadioButton(this);
    RadioButton4 = new QRadioButton(this);
    RadioButton7 = new QRadioButton(this);
    RadioButton1 = new QRadioButton(this);
    CheckBox2 = new QCheckBox(this);
    RadioButton9 = new QRadioButton(this);
    RadioButton2 = new QRadioButton(this);
    RadioButton3 = new QRadioButton(this);
    RadioButton5 = new QRadioButton(this);
    RadioButton3->hide();
    RadioButton5->hide();
    choices->addWidget(RadioButton6, 0, 0, 1, 3);
    choices->addWidget(RadioButton4, 1, 1, 1, 2);
    choices->addWidget(RadioButton7, 2, 0, 1, 3);
    choices->addWidget(RadioButton1, 3, 1);
    choices->addWidget(CheckBox2, 3, 2);
    choices->addWidget(RadioButton9, 4, 1, 1, 2);
    choices->addWidget(RadioButton2, 5, 1, 1, 2);
    outer->addLayout(choices);

    // Each row of radios is a choice of its own, as the controls' groups were.
    auto group = [this](std::initializer_list<QRadioButton*> buttons) {
        auto* g = new QButtonGroup(this);
        for (QRadioButton* b : buttons)
            g->addButton(b);
    };
    group({RadioButton6, RadioButton7});
    group({RadioButton4});
    group({RadioButton1, RadioButton9, RadioButton2});
    group({RadioButton3, RadioButton5});

    Panel1 = new QWidget(this);
    auto* file = new QHBoxLayout(Panel1);
    file->setContentsMargins(0, 6, 0, 0);
    Label1 = new QLabel(Panel1);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setMinimumWidth(380);
    Button3 = new QPushButton(QStringLiteral("..."), Panel1);
    Button3->setFixedWidth(32);
    file->addWidget(Label1);
    file->addWidget(Edit1, 1);
    file->addWidget(Button3);
    outer->addWidget(Panel1);

    auto* editor = new QHBoxLayout;
    CheckBox1 = new QCheckBox(this);
    Label2 = new QLabel(this);
    editor->addWidget(CheckBox1);
    editor->addSpacing(12);
    editor->addWidget(Label2, 1);
    outer->addLayout(editor);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button2 = new QPushButton(this);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);

    const std::pair<QWidget*, const char*> names[] = {
        {RadioButton6, "RadioButton6"}, {RadioButton7, "RadioButton7"}, {RadioButton4, "RadioButton4"},
        {RadioButton1, "RadioButton1"}, {RadioButton9, "RadioButton9"}, {RadioButton2, "RadioButton2"},
        {RadioButton3, "RadioButton3"}, {RadioButton5, "RadioButton5"}, {CheckBox1, "CheckBox1"},
        {CheckBox2, "CheckBox2"},       {Edit1, "Edit1"},               {Label1, "Label1"},
        {Label2, "Label2"},             {Button1, "Button1"},           {Button2, "Button2"},
        {Button3, "Button3"},           {Panel1, "Panel1"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton4, RadioButton5, RadioButton6,
                            RadioButton7, RadioButton9})
        connect(b, &QRadioButton::clicked, this, &TForm28::UpdateExportControls);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm28::UpdateExportControls);
    connect(Button1, &QPushButton::clicked, this, &TForm28::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm28::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm28::Button3Click);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm28::FormActivate);
}

TForm28::~TForm28()
{
    if (Form28 == this)
        Form28 = nullptr;
}

void TForm28::FormActivate()
{
    setWindowTitle(ToQString(Msg(952)));
    RadioButton6->setText(ToQString(Msg(962)));
    RadioButton7->setText(ToQString(Msg(963)));
    RadioButton4->setText(ToQString(Msg(965) + " (Rich Text Format)"));
    RadioButton1->setText(ToQString(Msg(941)));
    RadioButton3->setText(ToQString(Msg(970)));
    RadioButton5->setText(ToQString(Msg(49)));
    CheckBox2->setText(ToQString(Msg(968)));
    CheckBox1->setText(ToQString(Msg(964)));
    Label1->setText(ToQString(Msg(226)));
    Button2->setText(ToQString(Msg(25)));

    m_interfaces = {};
    ReadMrpSettings(gShared.folders, m_interfaces);
    ReadCncSettings(gShared.folders, m_interfaces);
    RadioButton9->setText(ToQString(
        m_interfaces.mrpName.empty() ? Msg(959) + " (" + Msg(969) + ")"
                                     : m_interfaces.mrpName + " - " + m_interfaces.prjDescription));
    RadioButton2->setText(ToQString(m_interfaces.cncDriverName.empty()
                                        ? Msg(967) + " (" + Msg(969) + ")"
                                        : m_interfaces.cncDriverName));

    cancelled = false;
    SetChoices(ReadExportChoices(IniFile(kSettingsFile)));
    m_shownExtension.clear();
    UpdateExportControls();
    adjustSize();
}

void TForm28::SetChoices(const ExportChoices& c)
{
    m_updating = true;
    (c.textReport ? RadioButton6 : RadioButton7)->setChecked(true);
    RadioButton4->setChecked(c.rtf);
    (c.cnc ? RadioButton2 : c.others ? RadioButton9 : RadioButton1)->setChecked(true);
    (c.summary ? RadioButton3 : RadioButton5)->setChecked(true);
    CheckBox1->setChecked(c.openEditor);
    CheckBox2->setChecked(c.withHeader);
    m_updating = false;
}

ExportChoices TForm28::Choices() const
{
    ExportChoices c;
    c.textReport = RadioButton6->isChecked();
    c.rtf = RadioButton4->isChecked();
    c.csv = RadioButton1->isChecked();
    c.others = RadioButton9->isChecked();
    c.cnc = RadioButton2->isChecked();
    c.openEditor = CheckBox1->isChecked();
    c.withHeader = CheckBox2->isChecked();
    c.summary = RadioButton3->isChecked();
    c.fileName = FromQString(Edit1->text());
    return c;
}

void TForm28::UpdateExportControls()
{
    if (m_updating)
        return;
    ExportContext context;
    context.mrpConfigured = !m_interfaces.mrpName.empty();
    context.cncConfigured = !m_interfaces.cncDriverName.empty();
    context.exportFolder = gShared.folders.exportDir;
    context.shownExtension = m_shownExtension;
    const ExportControls s = vor::UpdateExportControls(Choices(), context);

    m_updating = true;
    (s.cnc ? RadioButton2 : s.others ? RadioButton9 : RadioButton1)->setChecked(true);
    m_updating = false;
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Button3)})
        w->setEnabled(s.fileNameEnabled);
    RadioButton4->setEnabled(s.rtfEnabled);
    RadioButton1->setEnabled(s.csvEnabled);
    RadioButton9->setEnabled(s.othersEnabled);
    RadioButton2->setEnabled(s.cncEnabled);
    for (QWidget* w : {static_cast<QWidget*>(CheckBox2), static_cast<QWidget*>(RadioButton3),
                       static_cast<QWidget*>(RadioButton5)})
        w->setEnabled(s.headerEnabled);
    Edit1->setText(ToQString(s.fileName));
    m_shownExtension = s.extension;
    const std::string program =
        s.extension == "???" ? std::string() : FindAssociatedProgram(FromQString(LowerExtension(s.extension)));
    Label2->setText(ToQString(program));
    Label2->setVisible(s.programVisible);
}

void TForm28::Button1Click()
{
    ExportChoices c = Choices();
    if (c.others && !c.textReport) {
        c.fileName = PurchasingFile(gShared.folders).string();
        Edit1->setText(ToQString(c.fileName));
    }
    IniFile ini(kSettingsFile);
    WriteExportChoices(ini, c);
    accept();
}

void TForm28::Button2Click()
{
    reject();
}

void TForm28::reject()
{
    // Esc and the title bar's close button cancel as "Cancela" does.
    cancelled = true;
    QDialog::reject();
}

void TForm28::Button3Click()
{
    const char* filter = RadioButton6->isChecked() ? "rtf (*.rtf)" : "text (*.txt)";
    const std::filesystem::path chosen =
        platform::GetFileDialogs().SaveFile("", gShared.folders.exportDir, filter);
    if (!chosen.empty())
        Edit1->setText(ToQString(chosen.string()));
}

TForm28* CreateForm28()
{
    if (!Form28)
        Form28 = new TForm28;
    return Form28;
}

}  // namespace vor
