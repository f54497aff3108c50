#include "vorplan/layoutview/ui/yield_options_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/message_text.h"

namespace vor {

TForm30* Form30 = nullptr;

TForm30::TForm30(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form30"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(this);
    auto* yield = new QVBoxLayout(GroupBox1);
    RadioButton1 = new QRadioButton(GroupBox1);
    RadioButton2 = new QRadioButton(GroupBox1);
    yield->addWidget(RadioButton1);
    yield->addWidget(RadioButton2);
    outer->addWidget(GroupBox1);
    CheckBox1 = new QCheckBox(this);
    CheckBox2 = new QCheckBox(this);
    CheckBox3 = new QCheckBox(this);
    auto* perimeter = new QHBoxLayout;
    perimeter->addSpacing(20);
    perimeter->addWidget(CheckBox3);
    outer->addWidget(CheckBox1);
    outer->addLayout(perimeter);
    outer->addWidget(CheckBox2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(this);
    BitBtn1->hide();
    Button1 = new QPushButton(this);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    int n = 1;
    for (QWidget* w : {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(RadioButton2)})
        w->setObjectName(QStringLiteral("RadioButton%1").arg(n++));
    n = 1;
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3})
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n++));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    const YieldDisplayOptions defaults;
    RadioButton1->setChecked(!defaults.roundedYield);
    RadioButton2->setChecked(defaults.roundedYield);
    CheckBox1->setChecked(defaults.sheetsAndOffcuts);
    CheckBox2->setChecked(defaults.projects);
    CheckBox3->setChecked(defaults.perimeter);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm30::ApplyEnabling);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    ApplyEnabling();

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm30::FormActivate);
}

TForm30::~TForm30()
{
    if (Form30 == this)
        Form30 = nullptr;
}

YieldDisplayOptions TForm30::Options() const
{
    YieldDisplayOptions options;
    options.roundedYield = RadioButton2->isChecked();
    options.sheetsAndOffcuts = CheckBox1->isChecked();
    options.projects = CheckBox2->isChecked();
    options.perimeter = CheckBox3->isChecked();
    return options;
}

void TForm30::ApplyEnabling()
{
    CheckBox3->setEnabled(Options().PerimeterEnabled());
}

void TForm30::FormActivate()
{
    setWindowTitle(M(423));
    GroupBox1->setTitle(M(704));
    RadioButton1->setText(M(704) + QStringLiteral(" ") + M(424));
    RadioButton2->setText(M(704) + QStringLiteral(" ") + M(425));
    CheckBox1->setText(M(426));
    CheckBox2->setText(M(427));
    CheckBox3->setText(M(428));
    Button1->setText(M(421));
    ApplyEnabling();
}

TForm30* CreateForm30()
{
    if (!Form30)
        Form30 = new TForm30;
    return Form30;
}

}  // namespace vor
