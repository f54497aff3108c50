#include "vorplan/orders/ui/import_chooser_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/file_dialog.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/ui/clipboard_import_window.h"
#include "vorplan/orders/ui/delimited_import_window.h"
#include "vorplan/orders/ui/installation_import_window.h"
#include "vorplan/orders/ui/import_controls.h"
#include "vorplan/orders/ui/new_project_windows.h"

namespace vor {

TForm25* Form25 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;
using import_controls::MakeEdit;
using import_controls::MakeLabel;

}  // namespace

TForm25::TForm25(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form25"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Importar"));

    GroupBox1 = new QGroupBox(QStringLiteral("Fonte de dados"), this);
    GroupBox1->setGeometry(8, 8, 504, 156);
    QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5};
    const char* names[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5"};
    for (int i = 0; i < 5; ++i) {
        *radios[i] = new QRadioButton(GroupBox1);
        (*radios[i])->setObjectName(QLatin1String(names[i]));
        (*radios[i])->setGeometry(12, 24 + i * 25, 484, 22);
        connect(*radios[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                UpdateControls();
        });
    }

    Label1 = MakeLabel(this, QStringLiteral("Nome do arquivo"), QRect(8, 174, 504, 18));
    Edit1 = MakeEdit(this, "Edit1", QRect(8, 194, 458, 25));
    Button3 = MakeButton(this, "Button3", QStringLiteral("..."), QRect(472, 194, 40, 25));

    Label2 = MakeLabel(this, QStringLiteral("Projeto"), QRect(8, 230, 504, 18));
    Edit2 = MakeEdit(this, "Edit2", QRect(8, 250, 80, 25));
    Edit2->setReadOnly(true);
    Edit3 = MakeEdit(this, "Edit3", QRect(94, 250, 320, 25));
    Edit3->setReadOnly(true);
    Button4 = MakeButton(this, "Button4", QStringLiteral("Mudar"), QRect(420, 250, 92, 25));

    Button1 = MakeButton(this, "Button1", QStringLiteral("Continua"), QRect(316, 292, 95, 28));
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancela"), QRect(417, 292, 95, 28));
    Button1->setDefault(true);
    setFixedSize(520, 330);

    connect(Button3, &QPushButton::clicked, this, &TForm25::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm25::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm25::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm25::Button2Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm25::FormActivate);
}

TForm25::~TForm25()
{
    if (Form25 == this)
        Form25 = nullptr;
}

ImportSource TForm25::Source() const
{
    if (RadioButton2->isChecked())
        return ImportSource::Csv;
    if (RadioButton3->isChecked())
        return ImportSource::Txt;
    if (RadioButton4->isChecked())
        return ImportSource::Vlnet;
    if (RadioButton5->isChecked() && RadioButton5->isEnabled())
        return ImportSource::Outr;
    return ImportSource::Clip;
}

void TForm25::SetSource(ImportSource source)
{
    QRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
    QRadioButton* chosen = radios[static_cast<int>(source)];
    {
        const QSignalBlocker block(chosen);
        chosen->setChecked(true);
    }
    // The others un-check through the group; their signals only act when checked.
    UpdateControls();
}

long long TForm25::Number() const
{
    return Edit2->text().trimmed().toLongLong();
}

void TForm25::FormActivate()
{
    // Back from "Mudar", the file dialog or a box, the user's choices stay.
    if (!m_prepared)
        Prepare();
}

void TForm25::Prepare()
{
    m_prepared = true;
    setWindowTitle(ToQString(Msg(936)));
    GroupBox1->setTitle(ToQString(Msg(938)));
    RadioButton1->setText(ToQString(Msg(940)));
    RadioButton2->setText(ToQString(Msg(941)));
    RadioButton3->setText(ToQString(Msg(958)));
    RadioButton4->setText(ToQString(Msg(942)));
    Label2->setText(ToQString(Msg(943)));
    Button1->setText(ToQString(Msg(937)));
    Button2->setText(ToQString(Msg(25)));
    Button4->setText(ToQString(Msg(939)));

    ReadMrpSettings();
    const bool external = ExternalInterfaceConfigured(gShared.interfaces);
    RadioButton5->setText(ToQString(ExternalSourceCaption(gShared.interfaces)));
    RadioButton5->setEnabled(external);

    std::string number, caption;
    SetProjectCaption(number, caption);
    Edit2->setText(ToQString(number));
    Edit3->setText(ToQString(caption));
    SetSource(ReadImportSource(IniPath(kImportSettingsFile), external));
}

void TForm25::UpdateControls()
{
    const ImportSource source = Source();
    const bool file = SourceNeedsFile(source);
    Label1->setVisible(file);
    Edit1->setVisible(file);
    Button3->setVisible(file);
    Edit1->setText(ToQString(ProposedImportFile(gShared.folders, source).string()));
    Edit3->setText(ToQString(ProposedImportDescription(source, Number(), gShared.interfaces)));
}

void TForm25::Button3Click()
{
    const std::filesystem::path chosen = platform::GetFileDialogs().OpenFile(
        FromQString(Label1->text()), gShared.folders.importDir, ImportFileFilter(Source()));
    if (!chosen.empty())
        Edit1->setText(ToQString(chosen.string()));
}

void TForm25::Button4Click()
{
    std::string number = FromQString(Edit2->text());
    std::string description = FromQString(Edit3->text());
    if (AskNewProject(number, description)) {
        Edit2->setText(ToQString(number));
        Edit3->setText(ToQString(description));
    }
}

void TForm25::Button1Click()
{
    const ImportSource source = Source();
    std::filesystem::path file;
    if (SourceNeedsFile(source)) {
        const std::string typed = FromQString(Edit1->text());
        file = ExistingImportFile(typed);
        if (file.empty()) {
            ShowProgramMissingMessage(typed);
            return;
        }
    }
    const std::string description = FromQString(Edit3->text());
    switch (source) {
    case ImportSource::Clip: {
        TForm27* form = CreateForm27();
        form->SetProject(Number(), description);
        form->exec();
        break;
    }
    case ImportSource::Csv:
    case ImportSource::Txt:
    case ImportSource::Outr: {
        const bool external = source == ImportSource::Outr;
        TForm32* form = CreateForm32();
        form->SetImport(external ? ExternalImportFile(gShared.folders) : file, Number(), description, !external);
        form->exec();
        break;
    }
    case ImportSource::Vlnet:
        CreateForm29()->exec();
        break;
    }
    // The proposed number may have been taken meanwhile.
    Prepare();
}

void TForm25::Button2Click()
{
    reject();
}

void TForm25::done(int result)
{
    try {
        WriteImportSource(IniPath(kImportSettingsFile), Source());
    } catch (const IoError& error) {
        platform::ShowMessage(error.what());
    }
    QDialog::done(result);
}

void TForm25::hideEvent(QHideEvent* event)
{
    m_prepared = false;
    QDialog::hideEvent(event);
}

TForm25* CreateForm25()
{
    if (!Form25)
        Form25 = new TForm25;
    return Form25;
}

void ShowImportChooser()
{
    CreateForm25()->exec();
}

}  // namespace vor
