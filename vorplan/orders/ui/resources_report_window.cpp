#include "vorplan/orders/ui/resources_report_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"

namespace vor {

TForm24* Form24 = nullptr;

TForm24::TForm24(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QString::fromUtf8("Relatório de recursos - Configuração"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(QStringLiteral("Materiais para chapas / retalhos"), this);
    auto* group = new QVBoxLayout(GroupBox1);
    CheckBox1 = new QCheckBox(QStringLiteral("Lista de materiais"), GroupBox1);
    CheckBox2 = new QCheckBox(QStringLiteral("Propriedades "), GroupBox1);
    CheckBox3 = new QCheckBox(QStringLiteral("Chapas cadastradas"), GroupBox1);
    CheckBox4 = new QCheckBox(QStringLiteral("Retalhos cadastrados"), GroupBox1);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4})
        group->addWidget(box);
    outer->addWidget(GroupBox1);
    CheckBox5 = new QCheckBox(QStringLiteral("Data"), this);
    outer->addWidget(CheckBox5);
    auto* header = new QHBoxLayout;
    CheckBox6 = new QCheckBox(QString::fromUtf8("Cabeçalho"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setMinimumWidth(260);
    header->addWidget(CheckBox6);
    header->addWidget(Edit1, 1);
    outer->addLayout(header);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    int n = 1;
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6})
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n++));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1->setObjectName(QStringLiteral("Button1"));

    // A list of the materials with the date, until the user chooses otherwise.
    CheckBox1->setChecked(true);
    CheckBox5->setChecked(true);
}

TForm24::~TForm24()
{
    if (Form24 == this)
        Form24 = nullptr;
}

MaterialListOptions TForm24::Options() const
{
    MaterialListOptions options;
    options.title = platform::FromQString(Edit1->text());
    options.withTitle = CheckBox6->isChecked();
    options.withDate = CheckBox5->isChecked();
    options.materialTable = CheckBox1->isChecked();
    options.properties = CheckBox2->isChecked();
    options.sheets = CheckBox3->isChecked();
    options.offcuts = CheckBox4->isChecked();
    return options;
}

TForm24* CreateForm24()
{
    if (!Form24)
        Form24 = new TForm24;
    return Form24;
}

}  // namespace vor
