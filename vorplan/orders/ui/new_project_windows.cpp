#include "vorplan/orders/ui/new_project_windows.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/ui/import_controls.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm26* Form26 = nullptr;
TForm12* Form12 = nullptr;
TForm33* Form33 = nullptr;

namespace {

using import_controls::MakeLabel;
using platform::FromQString;
using platform::ToQString;

}  // namespace

// ---- TForm26 ----------------------------------------------------------------

TForm26::TForm26(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form26"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Label1 = MakeLabel(this, QStringLiteral("Código para o novo projeto ?"), QRect(12, 10, 300, 18));
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(12, 30, 100, 24);
    Label3 = MakeLabel(this, QString(), QRect(120, 33, 300, 18));
    Label2 = MakeLabel(this, QStringLiteral("Descrição"), QRect(12, 62, 300, 18));
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(12, 82, 400, 24);
    Button1 = MakeButton(this, nullptr, QStringLiteral("Ok"), QRect(256, 118, 75, 25));
    Button2 = MakeButton(this, nullptr, QStringLiteral("Cancela"), QRect(337, 118, 75, 25));
    Button1->setDefault(true);
    setFixedSize(426, 154);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    connect(Button1, &QPushButton::clicked, this, &TForm26::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm26::Button2Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm26::FormActivate);
}

TForm26::~TForm26()
{
    if (Form26 == this)
        Form26 = nullptr;
}

void TForm26::FormActivate()
{
    setWindowTitle(QString());
    Label1->setText(ToQString(Msg(51)));
    Label2->setText(ToQString(Msg(537)));
    Button2->setText(ToQString(Msg(25)));
    if (Edit1->text().trimmed().isEmpty()) {
        std::string number, caption;
        SetProjectCaption(number, caption);
        Edit1->setText(ToQString(number));
        Edit2->setText(ToQString(caption));
    }
    Label3->setText(ToQString("(" + Msg(53) + "0 .. " + std::to_string(kLargestUserProjectNumber) +
                              Msg(54) + ")"));
    Edit1->setFocus();
}

void TForm26::Button1Click()
{
    if (CheckProjectNumberInput(FromQString(Edit1->text())).empty()) {
        Edit1->setFocus();
        return;
    }
    accept();
}

void TForm26::Button2Click()
{
    reject();
}

void TForm26::reject()
{
    // Callers read an empty number as a cancelled prompt, however it closed.
    Edit1->clear();
    QDialog::reject();
}

TForm26* CreateForm26()
{
    if (!Form26)
        Form26 = new TForm26;
    return Form26;
}

bool AskNewProject(std::string& number, std::string& description)
{
    TForm26* form = CreateForm26();
    form->Edit1->setText(ToQString(number));
    form->Edit2->setText(ToQString(description));
    if (form->exec() != QDialog::Accepted || form->Edit1->text().trimmed().isEmpty())
        return false;
    number = FromQString(form->Edit1->text());
    description = FromQString(form->Edit2->text());
    return true;
}

// ---- TForm12 ----------------------------------------------------------------

TForm12::TForm12(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Mesclar"));
    Label1 = MakeLabel(this, QStringLiteral("Projetos a serem \"somados\""), QRect(12, 8, 400, 18));
    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(12, 28, 430, 170);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Label3 = MakeLabel(this, QStringLiteral("Para modificar os multiplicadores,"), QRect(12, 206, 430, 18));
    Label4 = MakeLabel(this, QStringLiteral("selecione um dos projetos"), QRect(12, 224, 430, 18));
    Panel1 = new QWidget(this);
    Panel1->setGeometry(12, 204, 430, 40);
    Label5 = MakeLabel(Panel1, QString(), QRect(0, 10, 300, 18));
    Edit3 = new QLineEdit(Panel1);
    Edit3->setGeometry(310, 6, 110, 24);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit3));
    Label2 = MakeLabel(this, QStringLiteral("Código para o novo projeto:"), QRect(12, 254, 430, 18));
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(12, 274, 90, 24);
    Edit1->setReadOnly(true);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(108, 274, 250, 24);
    Edit2->setReadOnly(true);
    Button3 = MakeButton(this, nullptr, QStringLiteral("Mudar"), QRect(366, 274, 76, 25));
    Button1 = MakeButton(this, nullptr, QStringLiteral("Ok"), QRect(286, 312, 75, 25));
    Button2 = MakeButton(this, nullptr, QStringLiteral("Cancela"), QRect(367, 312, 75, 25));
    setFixedSize(454, 348);

    // The selection, not the current row: focus alone makes a row current.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm12::ListBox1Click);
    connect(Edit3, &QLineEdit::textEdited, this, &TForm12::Edit3Change);
    connect(Button3, &QPushButton::clicked, this, &TForm12::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm12::Button2Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm12::FormActivate);
}

TForm12::~TForm12()
{
    if (Form12 == this)
        Form12 = nullptr;
}

void TForm12::SetProjects(std::vector<MergeEntry> entries)
{
    if (entries.size() > static_cast<std::size_t>(kMaxMergedProjects))
        entries.resize(static_cast<std::size_t>(kMaxMergedProjects));
    m_entries = std::move(entries);
    Edit1->clear();
}

void TForm12::FormActivate()
{
    setWindowTitle(ToQString(Msg(935)));
    Label1->setText(ToQString(Msg(947)));
    Label2->setText(ToQString(Msg(51)));
    Label3->setText(ToQString(Msg(948)));
    Label4->setText(ToQString(Msg(949)));
    Button3->setText(ToQString(Msg(939)));
    Button2->setText(ToQString(Msg(25)));
    if (Edit1->text().isEmpty()) {
        std::string number, caption;
        SetProjectCaption(number, caption);
        Edit1->setText(ToQString(number));
        Edit2->setText(ToQString(caption));
    }
    FillList();
    Panel1->setVisible(false);
    Label3->setVisible(true);
    Label4->setVisible(true);
}

void TForm12::FillList()
{
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    for (const MergeEntry& entry : m_entries)
        ListBox1->addItem(ToQString(MergeEntryText(entry)));
}

void TForm12::ListBox1Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    const int row = selected.isEmpty() ? -1 : ListBox1->row(selected.front());
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    Label3->setVisible(false);
    Label4->setVisible(false);
    Panel1->setVisible(true);
    Label5->setText(ToQString(Msg(943) + " " + std::to_string(m_entries[static_cast<std::size_t>(row)].number) +
                              " - " + Msg(946) + ":"));
    Edit3->setText(QString::number(m_entries[static_cast<std::size_t>(row)].multiplier));
    Edit3->setFocus();
    Edit3->selectAll();
}

void TForm12::Edit3Change()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    const int row = selected.isEmpty() ? -1 : ListBox1->row(selected.front());
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    const QString typed = Edit3->text().trimmed();
    // An emptied field is being retyped: the multiplier waits for a digit.
    if (typed.isEmpty())
        return;
    // The validator lets only digits in, so a failed reading is a huge number.
    bool ok = false;
    const long long value = typed.toLongLong(&ok);
    const int kept = ClampMultiplier(ok ? value : kMaxMergeMultiplier);
    m_entries[static_cast<std::size_t>(row)].multiplier = kept;
    if (Edit3->text() != QString::number(kept))
        Edit3->setText(QString::number(kept));
    ListBox1->item(row)->setText(ToQString(MergeEntryText(m_entries[static_cast<std::size_t>(row)])));
}

void TForm12::Button3Click()
{
    std::string number = FromQString(Edit1->text());
    std::string description = FromQString(Edit2->text());
    if (AskNewProject(number, description)) {
        Edit1->setText(ToQString(number));
        Edit2->setText(ToQString(description));
    }
}

void TForm12::Button1Click()
{
    // The number is the proposal or one the prompt checked; read it all the same.
    bool ok = false;
    const long long number = Edit1->text().trimmed().toLongLong(&ok);
    if (!ok) {
        CheckProjectNumberInput(FromQString(Edit1->text()));
        return;
    }
    MergeResult result = MergeResult::NumberTaken;
    {
        WaitCursor wait;
        result = MergeProjects(m_entries, number, FromQString(Edit2->text()));
    }
    if (result == MergeResult::Done) {
        Edit1->clear();
        accept();
    }
}

void TForm12::Button2Click()
{
    Edit1->clear();
    reject();
}

TForm12* CreateForm12()
{
    if (!Form12)
        Form12 = new TForm12;
    return Form12;
}

// ---- TForm33 ----------------------------------------------------------------

TForm33::TForm33(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form33"));
    Label1 = MakeLabel(this, QStringLiteral("Origem : "), QRect(12, 12, 200, 18));
    Label2 = MakeLabel(this, QStringLiteral("Descrição do projeto : "), QRect(12, 36, 200, 18));
    Label3 = MakeLabel(this, QStringLiteral("Novo projeto : "), QRect(12, 60, 200, 18));
    Label4 = MakeLabel(this, QStringLiteral("Descrição : "), QRect(12, 84, 200, 18));
}

TForm33::~TForm33()
{
    if (Form33 == this)
        Form33 = nullptr;
}

TForm33* CreateForm33()
{
    if (!Form33)
        Form33 = new TForm33;
    return Form33;
}

}  // namespace vor
