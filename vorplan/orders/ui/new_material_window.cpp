#include "vorplan/orders/ui/new_material_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "platform/qt_text.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/orders/resources.h"

namespace vor {

TForm14* Form14 = nullptr;

TForm14::TForm14(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    outer->addWidget(Label1);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(12);
    outer->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    // Enter in the field acts as Ok, through the field's own signal.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm14::Edit1Change);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (Button1->isEnabled())
            Button1Click();
    });
    connect(Button1, &QPushButton::clicked, this, &TForm14::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm14::Button2Click);
    Prepare();
}

TForm14::~TForm14()
{
    if (Form14 == this)
        Form14 = nullptr;
}

void TForm14::Prepare()
{
    setWindowTitle(platform::ToQString(Msg(842)));
    Label1->setText(platform::ToQString(Msg(32)));
    Button2->setText(platform::ToQString(Msg(25)));
    m_code = -1;
    Edit1->clear();
    Button1->setEnabled(false);
    Edit1->setFocus();
}

long long TForm14::Ask()
{
    Prepare();
    exec();
    return m_code;
}

void TForm14::Edit1Change()
{
    Button1->setEnabled(true);
}

void TForm14::Button1Click()
{
    const std::optional<long long> code = AcceptNewMaterialCode(
        gShared.folders, platform::FromQString(Edit1->text()), gShared.currentMaterial);
    if (!code) {
        Edit1->setFocus();
        return;
    }
    m_code = *code;
    accept();
}

void TForm14::Button2Click()
{
    m_code = -1;
    reject();
}

TForm14* CreateForm14()
{
    if (!Form14)
        Form14 = new TForm14;
    return Form14;
}

}  // namespace vor
