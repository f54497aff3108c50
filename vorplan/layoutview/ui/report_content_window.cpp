#include "vorplan/layoutview/ui/report_content_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

namespace vor {

using platform::ToQString;

TForm9* Form9 = nullptr;

namespace {

// The boxes of each group, in the order shown; the hidden ones are in none.
constexpr int kCalculated[] = {7, 8, 9, 10, 11};
constexpr int kDates[] = {3, 12};
constexpr int kTotals[] = {15, 16, 17, 18, 40};
constexpr int kYield[] = {19, 20, 5};
constexpr int kUsed[] = {1, 4, 21, 22, 6, 39, 23, 24, 25, 26, 27, 29};
constexpr int kCalculation[] = {37, 38, 36, 2};
constexpr int kHidden[] = {30, 31, 32, 33, 34, 35};

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Indicar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    for (int n = 1; n <= 40; ++n) {
        m_boxes[static_cast<std::size_t>(n)] = new QCheckBox(this);
        m_boxes[static_cast<std::size_t>(n)]->setObjectName(QStringLiteral("CheckBox%1").arg(n));
    }
    for (std::size_t i = 0; i < GroupBoxes.size(); ++i) {
        GroupBoxes[i] = new QGroupBox(this);
        GroupBoxes[i]->setObjectName(QStringLiteral("GroupBox%1").arg(i + 1));
    }
    const auto fill = [&](QGroupBox* group, std::span<const int> boxes) {
        auto* layout = new QVBoxLayout(group);
        for (int n : boxes)
            layout->addWidget(CheckBox(n));
    };
    fill(GroupBoxes[0], kCalculated);
    fill(GroupBoxes[1], kDates);
    fill(GroupBoxes[2], kTotals);
    fill(GroupBoxes[3], kYield);
    fill(GroupBoxes[4], kUsed);
    fill(GroupBoxes[5], kCalculation);
    for (int n : kHidden)
        CheckBox(n)->hide();

    auto* outer = new QVBoxLayout(this);
    auto* head = new QGridLayout;
    head->addWidget(CheckBox(13), 0, 0);
    head->addWidget(CheckBox(28), 0, 1);
    head->addWidget(CheckBox(14), 1, 0);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(300);
    head->addWidget(Edit1, 1, 1);
    head->setColumnStretch(1, 1);
    outer->addLayout(head);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (QGroupBox* g : {GroupBoxes[0], GroupBoxes[1], GroupBoxes[2], GroupBoxes[3]})
        left->addWidget(g);
    left->addStretch(1);
    for (QGroupBox* g : {GroupBoxes[4], GroupBoxes[5]})
        right->addWidget(g);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
    outer->addLayout(columns, 1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm9::FormActivate);
    FormActivate();
    FormCreate();
}

TForm9::~TForm9()
{
    if (Form9 == this)
        Form9 = nullptr;
}

void TForm9::FormCreate()
{
    try {
        SetOptions(LoadReportContent(IniFile(kReportContentFile)));
    } catch (const std::exception&) {
        SetOptions({});  // no settings folder: the defaults for this run
    }
}

void TForm9::FormActivate()
{
    setWindowTitle(ToQString(Msg(65)));
    GroupBoxes[0]->setTitle(ToQString(Msg(66)));
    GroupBoxes[1]->setTitle(ToQString(Msg(656)));
    GroupBoxes[2]->setTitle(ToQString(Msg(516)));
    GroupBoxes[3]->setTitle(ToQString(Msg(67)));
    GroupBoxes[4]->setTitle(ToQString(Msg(68)));
    GroupBoxes[5]->setTitle(ToQString(Msg(36)));
    const std::pair<int, std::string> captions[] = {
        {13, Msg(69)}, {14, Msg(100)}, {3, Msg(70)}, {12, Msg(71)}, {28, Msg(72)},
        {7, Msg(73)}, {8, Msg(33)}, {9, Msg(848)}, {10, Msg(849)}, {11, Msg(851)},
        {1, Msg(74)}, {4, Msg(75)}, {15, Msg(76)}, {16, Msg(77)}, {17, Msg(78)},
        {18, Msg(79)}, {21, Msg(80)}, {22, Msg(81)}, {6, Msg(313)}, {23, Msg(314)},
        {24, Msg(315)}, {25, Msg(316)}, {26, Msg(317)}, {27, Msg(318)}, {29, Msg(319)},
        {19, Msg(320)}, {20, Msg(321)}, {5, Msg(322)}, {2, Msg(323)}, {30, Msg(325)},
        {31, Msg(326)}, {32, Msg(327)}, {33, Msg(328)}, {34, Msg(329)}, {35, Msg(330)},
        {36, Msg(331)}, {37, Msg(976)}, {38, Msg(332)}, {40, Msg(333)}, {39, Msg(334)}};
    for (const auto& [n, text] : captions)
        CheckBox(n)->setText(ToQString(text));
    BitBtn1->setText(ToQString(Msg(335)));
}

void TForm9::BitBtn1Click()
{
    try {
        IniFile ini(kReportContentFile);
        SaveReportContent(ini, Options());
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
}

ReportContentOptions TForm9::Options() const
{
    ReportContentOptions o;
    for (const ReportContentKey& k : ReportContentKeys())
        o.*k.flag = CheckBox(k.checkBox)->isChecked();
    o.commentText = platform::FromQString(Edit1->text());
    return o;
}

void TForm9::SetOptions(const ReportContentOptions& options)
{
    for (const ReportContentKey& k : ReportContentKeys())
        CheckBox(k.checkBox)->setChecked(options.*k.flag);
    Edit1->setText(ToQString(options.commentText));
}

TForm9* CreateForm9()
{
    if (!Form9)
        Form9 = new TForm9;
    return Form9;
}

ReportContentOptions CurrentReportContent()
{
    return Form9 ? Form9->Options() : ReportContentOptions{};
}

}  // namespace vor
