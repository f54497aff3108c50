#include "vorplan/results/ui/stock_update_window.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/results/ui/own_dialog.h"

namespace vor {

TForm31* Form31 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

constexpr const char* kConfirmText =
    "As tabelas dos objetos selecionados (chapas e/ou retalhos) serão atualizadas.  Confirma ?";

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    return box;
}

}  // namespace

TForm31::TForm31(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form31"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Atualiza estoque"));
    Label1 = new QLabel(this);
    Label1->setGeometry(12, 8, 300, 18);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(12, 28, 300, 150);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The boxes that only matter with another one stand indented under it.
    CheckBox1 = MakeCheckBox(this, "CheckBox1", QRect(326, 28, 540, 22));
    CheckBox3 = MakeCheckBox(this, "CheckBox3", QRect(326, 54, 540, 38));
    CheckBox5 = MakeCheckBox(this, "CheckBox5", QRect(348, 94, 518, 22));
    CheckBox2 = MakeCheckBox(this, "CheckBox2", QRect(326, 124, 540, 22));
    CheckBox4 = MakeCheckBox(this, "CheckBox4", QRect(348, 150, 518, 22));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(12, 188, 916, 300);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The lists report lines up its columns with blanks.
    Memo1->setFont(QFont(QStringLiteral("Courier New"), 9));
    Button1 = MakeButton(this, nullptr, QString(), QRect(690, 498, 75, 25));
    Button2 = MakeButton(this, nullptr, QString(), QRect(771, 498, 75, 25));
    Button3 = MakeButton(this, nullptr, QString(), QRect(852, 498, 75, 25));
    Button3->setText(QStringLiteral("Ok"));
    setFixedSize(940, 534);

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm31::ListBox1Click);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm31::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm31::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::clicked, this, &TForm31::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::clicked, this, &TForm31::CheckBox4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm31::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm31::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm31::Button3Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm31::FormActivate);
}

TForm31::~TForm31()
{
    if (Form31 == this)
        Form31 = nullptr;
}

void TForm31::SetMaterials(const std::vector<std::string>& items)
{
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    for (const std::string& item : items)
        ListBox1->addItem(ToQString(item));
}

StockUpdateOptions TForm31::Options() const
{
    return {CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
            CheckBox4->isChecked(), CheckBox5->isChecked()};
}

void TForm31::SetOptions(const StockUpdateOptions& options)
{
    CheckBox1->setChecked(options.updateSheets);
    CheckBox2->setChecked(options.registerOffcuts);
    CheckBox3->setChecked(options.updateUsedOffcuts);
    CheckBox4->setChecked(options.groupNewOffcuts);
    CheckBox5->setChecked(options.dropZeroOffcuts);
}

void TForm31::FormActivate()
{
    Button3->setEnabled(false);
    Button2->setEnabled(true);
    Memo1->clear();
    setWindowTitle(ToQString(Msg(966)));
    Label1->setText(ToQString(Msg(607)));
    CheckBox1->setText(ToQString(Msg(603)));
    CheckBox2->setText(ToQString(Msg(604)));
    CheckBox3->setText(ToQString(Msg(1006) + "\n" + Msg(1007)));
    CheckBox4->setText(ToQString(Msg(605)));
    CheckBox5->setText(ToQString(Msg(606)));
    Button1->setText(ToQString(Msg(608)));
    Button2->setText(ToQString(Msg(25)));
    SetOptions(ReadStockUpdateOptions());
    if (ListBox1->count() == 1) {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->item(0)->setSelected(true);
    }
    RunStockUpdate(false);
}

StockUpdateResult TForm31::RunStockUpdate(bool apply)
{
    StockUpdateRequest request;
    request.folders = gShared.folders;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected())
            request.materials.push_back(FromQString(ListBox1->item(i)->text()));
    request.options = Options();
    request.now = platform::GetClock().Now();
    StockUpdateResult result = vor::RunStockUpdate(request, apply);
    m_refused = result.refused;
    QStringList lines;
    for (const std::string& line : result.report)
        lines.push_back(ToQString(line));
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    Memo1->moveCursor(QTextCursor::Start);
    for (const std::string& message : result.messages)
        platform::ShowMessage(message);
    UpdateButtons();
    return result;
}

void TForm31::UpdateButtons()
{
    const bool anyTable = CheckBox1->isChecked() || CheckBox2->isChecked() || CheckBox3->isChecked();
    Button1->setEnabled(anyTable && !ListBox1->selectedItems().isEmpty() && !m_refused);
    CheckBox4->setEnabled(CheckBox2->isChecked());
    CheckBox5->setEnabled(CheckBox3->isChecked());
}

void TForm31::ListBox1Click()
{
    RunStockUpdate(false);
}

void TForm31::CheckBox1Click()
{
    RunStockUpdate(false);
}

void TForm31::CheckBox2Click()
{
    UpdateButtons();
}

void TForm31::CheckBox3Click()
{
    RunStockUpdate(false);
}

void TForm31::CheckBox4Click()
{
    RunStockUpdate(false);
}

void TForm31::Button1Click()
{
    if (platform::Messages().Show(kConfirmText, {}, platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    try {
        WriteStockUpdateOptions(Options());
    } catch (const Error& error) {
        platform::ShowMessage(error.what());
        return;
    }
    // A failed write has changed nothing; the update can be tried again.
    if (!RunStockUpdate(true).applied)
        return;
    Button3->setEnabled(true);
    Button1->setEnabled(false);
    Button2->setEnabled(false);
}

void TForm31::Button2Click()
{
    reject();
}

void TForm31::Button3Click()
{
    accept();
}

TForm31* CreateForm31()
{
    if (!Form31)
        Form31 = new TForm31;
    return Form31;
}

void ShowStockUpdate(QWidget* owner, const std::vector<std::string>& items)
{
    TForm31* form = CreateForm31();
    form->SetMaterials(items);
    if (owner)
        ExecOwnDialog(*form, *owner);
    else
        form->exec();
}

}  // namespace vor
