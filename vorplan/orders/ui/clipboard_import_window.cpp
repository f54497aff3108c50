#include "vorplan/orders/ui/clipboard_import_window.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/import_lines.h"
#include "vorplan/orders/ui/import_controls.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm27* Form27 = nullptr;

namespace {

using platform::ToQString;
using import_controls::MakeLabel;

}  // namespace

TForm27::TForm27(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form27"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Importar"));

    GroupBox1 = new QGroupBox(QStringLiteral("Dados da área de transferência"), this);
    GroupBox1->setGeometry(8, 8, 624, 250);
    Memo1 = new QPlainTextEdit(GroupBox1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(10, 22, 604, 196);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Label8 = MakeLabel(GroupBox1, QString(), QRect(10, 222, 604, 20));
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));

    GroupBox2 = new QGroupBox(QStringLiteral("Instruções"), this);
    GroupBox2->setGeometry(8, 266, 624, 138);
    QLabel** lines[] = {&Label1, &Label2, &Label3, &Label4, &Label5};
    for (int i = 0; i < 5; ++i)
        *lines[i] = MakeLabel(GroupBox2, QString(), QRect(10, 22 + i * 22, 604, 20));

    Label7 = MakeLabel(this, QString(), QRect(8, 414, 624, 20));
    Label7->setObjectName(QStringLiteral("Label7"));
    Label6 = MakeLabel(this, QString(), QRect(8, 444, 440, 20));
    Button1 = MakeButton(this, "Button1", QStringLiteral("Salva"), QRect(456, 440, 85, 28));
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancela"), QRect(547, 440, 85, 28));
    Button1->setEnabled(false);
    setFixedSize(640, 478);

    connect(Button1, &QPushButton::clicked, this, &TForm27::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm27::Button2Click);
    m_activation = new platform::WindowActivation(this);
    // The user copies the cells in another program and comes back.
    m_activation->SetCountOtherProgram(true);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm27::FormActivate);
}

TForm27::~TForm27()
{
    if (m_listenedClipboard)
        m_listenedClipboard->RemoveListener(m_listener);
    if (Form27 == this)
        Form27 = nullptr;
}

void TForm27::SetProject(long long number, const std::string& description)
{
    m_number = number;
    m_description = description;
}

void TForm27::showEvent(QShowEvent* event)
{
    if (!m_listenedClipboard) {
        m_listenedClipboard = &platform::GetClipboard();
        m_listener = m_listenedClipboard->AddListener([this] { ReadClipboard(); });
    }
    QDialog::showEvent(event);
}

void TForm27::hideEvent(QHideEvent* event)
{
    // The next opening is a new import: its first faulty text shows the box again.
    m_parsed = false;
    m_errorShown = false;
    if (m_listenedClipboard) {
        m_listenedClipboard->RemoveListener(m_listener);
        m_listenedClipboard = nullptr;
    }
    QDialog::hideEvent(event);
}

void TForm27::FormActivate()
{
    setWindowTitle(ToQString(Msg(936)));
    GroupBox1->setTitle(ToQString(Msg(971)));
    GroupBox2->setTitle(ToQString(Msg(972)));
    const std::vector<std::string> instructions = ClipboardInstructionLines(gShared.languageIndex);
    QLabel* lines[] = {Label1, Label2, Label3, Label4, Label5};
    for (std::size_t i = 0; i < 5; ++i)
        lines[i]->setText(ToQString(instructions[i]));
    Label6->setText(ToQString(Msg(973) + " \"" + Msg(25) + "\""));
    Label7->setText(ToQString(Msg(943) + ": " + std::to_string(m_number) + " - " + m_description));
    Button1->setText(ToQString(Msg(585)));
    Button2->setText(ToQString(Msg(25)));
    ReadClipboard();
}

void TForm27::ReadClipboard()
{
    if (m_inMessage) {
        // Read once the box is closed, so boxes never stack.
        m_readAgain = true;
        return;
    }
    const std::string text = platform::GetClipboard().Text();
    if (!m_parsed || text != m_parsedText) {
        m_parse = ParseClipboardText(text);
        m_parsedText = text;
        m_parsed = true;
    }
    ShowParse();
    if (!m_parse.codeOrderError || (m_errorShown && m_errorShownFor == m_parsedText))
        return;
    m_errorShownFor = m_parsedText;
    m_errorShown = true;
    m_inMessage = true;
    platform::ShowMessage(kCodeOrderErrorText);
    m_inMessage = false;
    if (m_readAgain) {
        m_readAgain = false;
        ReadClipboard();
    }
}

void TForm27::ShowParse()
{
    QString shown;
    for (const std::string& line : m_parse.displayLines) {
        shown += ToQString(line);
        shown += QLatin1Char('\n');
    }
    if (Memo1->toPlainText() != shown)
        Memo1->setPlainText(shown);
    Label8->setText(m_parse.codeOrderError ? ToQString(kCodeOrderErrorText) : QString());
    Button1->setEnabled(m_parse.CanSave());
}

void TForm27::Button1Click()
{
    if (!m_parse.CanSave())
        return;
    ImportSaveResult result = ImportSaveResult::WriteFailed;
    {
        WaitCursor wait;
        result = SaveImportedProject(m_number, m_description, m_parse.outputLines, *m_ops);
    }
    if (result != ImportSaveResult::Written)
        return;
    ShowFieldMessage(std::to_string(m_number), m_description);
    accept();
}

void TForm27::Button2Click()
{
    reject();
}

TForm27* CreateForm27()
{
    if (!Form27)
        Form27 = new TForm27;
    return Form27;
}

}  // namespace vor
