#include "vorplan/results/ui/calc_information_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/results/calc_information.h"

namespace vor {

TForm20* Form20 = nullptr;

namespace {

using platform::ToQString;

QLabel* Panel(QWidget* parent, bool raised)
{
    auto* panel = new QLabel(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
    panel->setMargin(3);
    panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return panel;
}

}  // namespace

TForm20::TForm20(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form20"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QString::fromUtf8("Informações sobre o cálculo"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int row = 0; row < kRows; ++row) {
        Captions[static_cast<std::size_t>(row)] = Panel(this, true);
        Values[static_cast<std::size_t>(row)] = Panel(this, false);
        Captions[static_cast<std::size_t>(row)]->setMinimumWidth(150);
        Values[static_cast<std::size_t>(row)]->setMinimumWidth(360);
        grid->addWidget(Captions[static_cast<std::size_t>(row)], row, 0);
        grid->addWidget(Values[static_cast<std::size_t>(row)], row, 1);
    }
    outer->addLayout(grid);
    Panel1 = Panel(this, false);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    outer->addWidget(Panel1);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMinimumHeight(200);
    outer->addWidget(Memo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    buttons->addWidget(Button1);
    outer->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm20::FormActivate);
}

TForm20::~TForm20()
{
    if (Form20 == this)
        Form20 = nullptr;
}

void TForm20::FormActivate()
{
    setWindowTitle(ToQString(Msg(292)));
    const long captions[kRows] = {144, 293, 294, 295, 296, 297, 298};
    for (int row = 0; row < kRows; ++row)
        Captions[static_cast<std::size_t>(row)]->setText(ToQString(Msg(captions[row])));

    const CalcInformation info = ReadCalcInformation(gShared.folders, gShared.settings.showDecimals);
    const std::string values[kRows] = {std::to_string(info.lastMaterial), info.piecesSelected,
                                       info.piecesPlaced, info.orders, info.status, info.start,
                                       info.identification};
    for (int row = 0; row < kRows; ++row)
        Values[static_cast<std::size_t>(row)]->setText(ToQString(values[row]));
    Panel1->setText(ToQString(info.file.string()));
    QString text = ToQString(info.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Memo1->setPlainText(text);
}

TForm20* CreateForm20()
{
    if (!Form20)
        Form20 = new TForm20;
    return Form20;
}

}  // namespace vor
