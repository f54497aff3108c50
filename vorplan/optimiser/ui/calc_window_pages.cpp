// The controls of the calculation window, page by page.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/optimiser/ui/calc_window.h"
#include "vorplan/optimiser/ui/calc_window_parts.h"
#include "vorplan/optimiser/ui/option_pictures.h"
#include "vorplan/shell/record_list.h"

namespace vor {

namespace calc_window {

QLabel* MakePanel(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour,
                  const QColor& textColour, Qt::Alignment alignment)
{
    auto* panel = Make<QLabel>(parent, name, geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(alignment);
    if (colour.isValid())
        SetBackground(*panel, colour);
    if (textColour.isValid())
        SetTextColour(*panel, textColour);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QColor& textColour)
{
    auto* label = Make<QLabel>(parent, name, geometry);
    if (textColour.isValid())
        SetTextColour(*label, textColour);
    return label;
}

QFrame* MakeBlock(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour)
{
    auto* block = Make<QFrame>(parent, name, geometry);
    SetBackground(*block, colour);
    return block;
}

void SetBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget.setPalette(palette);
}

}  // namespace calc_window

using namespace calc_window;

namespace {

const QColor kBlueColour = FromWinColor(kBlue);
const QColor kLimeColour = FromWinColor(kLime);
const QColor kYellowColour = FromWinColor(kYellow);
const QColor kRedColour = FromWinColor(kRed);
const QColor kTealColour = FromWinColor(RgbColor(0, 128, 128));
const QColor kFuchsiaColour = FromWinColor(RgbColor(255, 0, 255));
const QColor kWhiteColour = FromWinColor(kWhite);

// Page sizes: the window less its frame.
constexpr int kPageWidth = kCalcPageWidth;
constexpr int kPageHeight = kCalcPageHeight;
// The option pages beside the option list.
constexpr int kOptionLeft = 292;
constexpr int kOptionTop = 36;
constexpr int kOptionWidth = kPageWidth - kOptionLeft - 4;
constexpr int kOptionHeight = 336;
// The what-if panel's bottom edge on the order page.
constexpr int kWhatIfBottom = 422;

QRadioButton* Radio(QWidget* parent, const char* name, const QRect& geometry,
                    QButtonGroup* group = nullptr)
{
    auto* button = Make<QRadioButton>(parent, name, geometry);
    if (group)
        group->addButton(button);
    return button;
}

QButtonGroup* Group(QWidget* owner)
{
    return new QButtonGroup(owner);
}

// The red "( 0 )" beside a border box.
void ZeroHint(QWidget* parent, const char* name, const QRect& geometry)
{
    MakeLabel(parent, name, geometry, kRedColour)->setText(QStringLiteral("( 0 )"));
}

// A square of the sheet-sequence pictures, blue with its number in white.
void NumberedSquare(QWidget* parent, const char* name, const QRect& geometry, int number)
{
    QLabel* square = MakePanel(parent, name, geometry, kBlueColour, kWhiteColour);
    square->setFrameStyle(QFrame::Box | QFrame::Plain);
    square->setText(QString::number(number));
}

}  // namespace

void TForm_otimi::BuildControls()
{
    setFixedSize(kCalcWindowWidth, kCalcWindowHeight);
    PageControl1 = Make<QStackedWidget>(this, "PageControl1", QRect(4, 0, kPageWidth, kPageHeight));
    TabSheet1 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet5 = new QWidget;
    TabSheet10 = new QWidget;
    TabSheet13 = new QWidget;
    TabSheet14 = new QWidget;
    TabSheet26 = new QWidget;
    TabSheet25 = new QWidget;
    const std::pair<QWidget*, const char*> pages[] = {
        {TabSheet1, "TabSheet1"},   {TabSheet3, "TabSheet3"},   {TabSheet5, "TabSheet5"},
        {TabSheet10, "TabSheet10"}, {TabSheet13, "TabSheet13"}, {TabSheet14, "TabSheet14"},
        {TabSheet26, "TabSheet26"}, {TabSheet25, "TabSheet25"},
    };
    for (const auto& [page, name] : pages) {
        page->setObjectName(QLatin1String(name));
        PageControl1->addWidget(page);
    }

    BuildOrderPage();
    BuildWhatIfPanel();
    BuildReportPage();
    BuildBestSizePage();
    BuildProgressPage();
    BuildEndFlagsPage();
    BuildWaitPage();
    BuildConfigurationPage();
    BuildOptionPages();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
}

void TForm_otimi::BuildOrderPage()
{
    QWidget* p = TabSheet1;
    Panel84 = MakePanel(p, "Panel84", QRect(4, 4, kPageWidth - 8, 24), FromWinColor(kNavy),
                        kWhiteColour);
    GroupBox9 = Make<QGroupBox>(p, "GroupBox9", QRect(4, 32, kPageWidth - 8, 346));
    PaintBox3 = Make<PaintBox>(GroupBox9, "PaintBox3", QRect(8, 20, kPageWidth - 24, 22));
    PaintBox3->SetPainter([](QPainter& painter, QSize) { DrawColumnHeaders(painter); });
    ListBox1 = Make<QListWidget>(GroupBox9, "ListBox1", QRect(8, 42, kPageWidth - 24, 272));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setItemDelegate(new OrderItemDelegate(ListBox1));
    ListBox1->setUniformItemSizes(true);
    Panel85 = MakePanel(GroupBox9, "Panel85", QRect(8, 318, kPageWidth - 24, 22), QColor(),
                        QColor(), Qt::AlignLeft | Qt::AlignVCenter);
    Panel85->setIndent(6);
    RadioButton16 = Radio(GroupBox9, "RadioButton16", QRect(500, 318, 100, 22));
    RadioButton17 = Radio(GroupBox9, "RadioButton17", QRect(600, 318, 100, 22));
    RadioButton16->setVisible(false);
    RadioButton17->setVisible(false);

    Button12 = MakeButton(p, "Button12", QString(), QRect(4, 388, 130, 34));
    Button9 = MakeButton(p, "Button9", QString(), QRect(140, 388, 130, 34));
    CheckBox8 = Make<QCheckBox>(p, "CheckBox8", QRect(280, 394, 140, 22));
}

void TForm_otimi::BuildWhatIfPanel()
{
    // Beside the buttons under the order list; it grows upwards over the list.
    Panel101 = Make<QFrame>(TabSheet1, "Panel101",
                            QRect(kPageWidth - 350, kWhatIfBottom - 27, 346, 27));
    Panel101->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel101->setAutoFillBackground(true);
    QWidget* p = Panel101;
    Panel55 = MakePanel(p, "Panel55", QRect(2, 2, 342 - 46, 23));
    SpeedButton2 = Make<QToolButton>(p, "SpeedButton2", QRect(342 - 42, 2, 22, 23));
    SpeedButton2->setArrowType(Qt::DownArrow);
    SpeedButton1 = Make<QToolButton>(p, "SpeedButton1", QRect(342 - 20, 2, 22, 23));
    SpeedButton1->setArrowType(Qt::UpArrow);

    GroupBox24 = Make<QGroupBox>(p, "GroupBox24", QRect(6, 30, 334, 48));
    auto* rotation = Group(this);
    RadioButton45 = Radio(GroupBox24, "RadioButton45", QRect(8, 20, 190, 22), rotation);
    RadioButton46 = Radio(GroupBox24, "RadioButton46", QRect(204, 20, 60, 22), rotation);
    RadioButton47 = Radio(GroupBox24, "RadioButton47", QRect(268, 20, 60, 22), rotation);

    GroupBox25 = Make<QGroupBox>(p, "GroupBox25", QRect(6, 80, 334, 48));
    auto* quantity = Group(this);
    RadioButton48 = Radio(GroupBox25, "RadioButton48", QRect(8, 20, 190, 22), quantity);
    RadioButton49 = Radio(GroupBox25, "RadioButton49", QRect(204, 20, 124, 22), quantity);

    GroupBox26 = Make<QGroupBox>(p, "GroupBox26", QRect(6, 130, 334, 48));
    Panel77 = MakeLabel(GroupBox26, "Panel77", QRect(8, 20, 170, 22));
    Edit28 = Make<QLineEdit>(GroupBox26, "Edit28", QRect(182, 20, 50, 22));
    Label2 = MakeLabel(GroupBox26, "Label2", QRect(238, 20, 90, 22));

    GroupBox27 = Make<QGroupBox>(p, "GroupBox27", QRect(6, 180, 334, 144));
    ListBox5 = Make<QListWidget>(GroupBox27, "ListBox5", QRect(8, 20, 280, 116));
    ListBox5->setSelectionMode(QAbstractItemView::NoSelection);
    Button14 = MakeButton(GroupBox27, "Button14", QString(), QRect(294, 20, 32, 28));
    Button14->setText(QStringLiteral("?"));
}

void TForm_otimi::BuildReportPage()
{
    QWidget* p = TabSheet5;
    Label20 = MakeLabel(p, "Label20", QRect(8, 4, 400, 20));
    Memo3 = Make<QPlainTextEdit>(p, "Memo3", QRect(4, 26, kPageWidth - 8, 330));
    Memo3->setReadOnly(true);
    Memo3->setFont(QFont(QStringLiteral("Courier New"), 9));
    Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
    Panel11 = Make<QFrame>(p, "Panel11", QRect(4, 360, 360, 66));
    Panel11->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel10 = MakeLabel(Panel11, "Panel10", QRect(8, 6, 240, 24));
    Panel10->setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
    Button1 = MakeButton(Panel11, "Button1", QString(), QRect(256, 14, 92, 38));
    Button1->setText(QStringLiteral("Ok"));
    Label9 = MakeLabel(p, "Label9", QRect(372, 368, kPageWidth - 380 - 80, 50));
    Label9->setWordWrap(true);
}

void TForm_otimi::BuildBestSizePage()
{
    // Left 2, top 0, 8 pixels narrower and lower than PageControl1.
    PageControl2 = Make<QStackedWidget>(TabSheet10, "PageControl2",
                                        QRect(2, 0, kPageWidth - 8, kPageHeight - 8));
    TabSheet11 = new QWidget;
    TabSheet12 = new QWidget;
    TabSheet15 = new QWidget;
    TabSheet11->setObjectName(QStringLiteral("TabSheet11"));
    TabSheet12->setObjectName(QStringLiteral("TabSheet12"));
    TabSheet15->setObjectName(QStringLiteral("TabSheet15"));
    PageControl2->addWidget(TabSheet11);
    PageControl2->addWidget(TabSheet12);
    PageControl2->addWidget(TabSheet15);

    // "Inicial": a width row and a height row of from, to and step.
    QWidget* p = TabSheet11;
    const int w = kPageWidth - 8;
    Panel14 = MakePanel(p, "Panel14", QRect(4, 4, w - 8, 26), FromWinColor(kNavy), kWhiteColour);
    Panel18 = MakePanel(p, "Panel18", QRect(40, 80, 150, 24), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel19 = MakePanel(p, "Panel19", QRect(200, 52, 110, 24));
    Panel20 = MakePanel(p, "Panel20", QRect(316, 52, 110, 24));
    Panel105 = MakePanel(p, "Panel105", QRect(432, 52, 110, 24));
    Edit1 = Make<QLineEdit>(p, "Edit1", QRect(200, 80, 110, 24));
    Edit2 = Make<QLineEdit>(p, "Edit2", QRect(316, 80, 110, 24));
    Edit22 = Make<QLineEdit>(p, "Edit22", QRect(432, 80, 110, 24));
    Panel17 = MakePanel(p, "Panel17", QRect(40, 152, 150, 24), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel21 = MakePanel(p, "Panel21", QRect(200, 124, 110, 24));
    Panel104 = MakePanel(p, "Panel104", QRect(316, 124, 110, 24));
    Panel110 = MakePanel(p, "Panel110", QRect(432, 124, 110, 24));
    Edit3 = Make<QLineEdit>(p, "Edit3", QRect(200, 152, 110, 24));
    Edit4 = Make<QLineEdit>(p, "Edit4", QRect(316, 152, 110, 24));
    Edit18 = Make<QLineEdit>(p, "Edit18", QRect(432, 152, 110, 24));
    Label26 = MakeLabel(p, "Label26", QRect(40, 196, w - 80, 22));
    Label1 = MakeLabel(p, "Label1", QRect(40, 222, w - 80, 22), kRedColour);
    Button7 = MakeButton(p, "Button7", QString(), QRect(40, 270, 130, 34));
    Button13 = MakeButton(p, "Button13", QString(), QRect(180, 270, 130, 34));
    BitBtn1 = MakeButton(p, "BitBtn1", QString(), QRect(320, 270, 130, 34));

    // "Calculando"
    p = TabSheet12;
    Panel107 = MakePanel(p, "Panel107", QRect(4, 8, 200, 24), QColor(), QColor(),
                         Qt::AlignRight | Qt::AlignVCenter);
    Label25 = MakeLabel(p, "Label25", QRect(212, 8, 300, 24));
    Panel108 = MakePanel(p, "Panel108", QRect(4, 36, 200, 24), QColor(), QColor(),
                         Qt::AlignRight | Qt::AlignVCenter);
    Label28 = MakeLabel(p, "Label28", QRect(212, 36, 300, 24));
    Label27 = MakeLabel(p, "Label27", QRect(8, 70, 400, 20));
    ListBox2 = Make<QListWidget>(p, "ListBox2", QRect(4, 92, w - 8, 260));
    Button6 = MakeButton(p, "Button6", QString(), QRect(4, 362, 130, 34));

    BestCandidateLabel = MakeLabel(TabSheet15, "BestCandidateLabel", QRect(8, 8, w - 16, 24));
}

void TForm_otimi::BuildProgressPage()
{
    QWidget* p = TabSheet13;
    Panel2 = MakePanel(p, "Panel2", QRect(40, 40, 220, 26), QColor(), QColor(),
                       Qt::AlignRight | Qt::AlignVCenter);
    Panel3 = MakePanel(p, "Panel3", QRect(266, 40, 200, 26));
    Panel12 = MakePanel(p, "Panel12", QRect(40, 70, 220, 26), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel4 = MakePanel(p, "Panel4", QRect(266, 70, 200, 26));
    Panel57 = MakePanel(p, "Panel57", QRect(40, 110, 426, 28), FromWinColor(kNavy), kYellowColour);
    Panel60 = MakePanel(p, "Panel60", QRect(40, 150, 220, 26), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel62 = MakePanel(p, "Panel62", QRect(266, 150, 200, 26));
    Panel61 = MakePanel(p, "Panel61", QRect(40, 180, 220, 26), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel64 = MakePanel(p, "Panel64", QRect(266, 180, 200, 26));
    Panel63 = MakePanel(p, "Panel63", QRect(40, 210, 220, 26), QColor(), QColor(),
                        Qt::AlignRight | Qt::AlignVCenter);
    Panel65 = MakePanel(p, "Panel65", QRect(266, 210, 200, 26));
    for (QLabel* time : {Panel62, Panel64, Panel65})
        time->setText(QStringLiteral("00:00:00"));
    ProgressBar1 = Make<QProgressBar>(p, "ProgressBar1", QRect(40, 250, 426, 22));
    ProgressBar1->setValue(0);
    PaintBox2 = Make<PaintBox>(p, "PaintBox2", QRect(500, 40, 230, 232));
    Button15 = MakeButton(p, "Button15", QString(), QRect(40, 300, 130, 34));
    BitBtn2 = MakeButton(p, "BitBtn2", QString(), QRect(180, 300, 130, 34));
}

void TForm_otimi::BuildEndFlagsPage()
{
    QWidget* p = TabSheet26;
    Panel98 = MakePanel(p, "Panel98", QRect(40, 30, 500, 26), FromWinColor(kNavy), kWhiteColour);
    // The flags in the colours of their meaning.
    const struct {
        QLabel** panel;
        const char* name;
        const char* flagName;
        QColor colour;
    } flags[] = {
        {&Panel92, "Panel92", "Shape92", kLimeColour},
        {&Panel93, "Panel93", "Shape93", kYellowColour},
        {&Panel94, "Panel94", "Shape94", FromWinColor(kOrange)},
        {&Panel96, "Panel96", "Shape96", FromWinColor(kAqua)},
        {&Panel97, "Panel97", "Shape97", kRedColour},
    };
    int top = 66;
    for (const auto& flag : flags) {
        MakeBlock(p, flag.flagName, QRect(40, top + 3, 24, 20), flag.colour)
            ->setFrameStyle(QFrame::Box | QFrame::Plain);
        *flag.panel = MakePanel(p, flag.name, QRect(72, top, 468, 26), QColor(), QColor(),
                                Qt::AlignLeft | Qt::AlignVCenter);
        (*flag.panel)->setIndent(6);
        top += 32;
    }
    // The yield pie sits on the report page, beside its end panel.
    PaintBox17 = Make<PaintBox>(TabSheet5, "PaintBox17", QRect(kPageWidth - 78, 358, 70, 70));
    Button17 = MakeButton(p, "Button17", QString(), QRect(40, 240, 130, 34));
    Button17->setText(QStringLiteral("Ok"));
}

void TForm_otimi::BuildWaitPage()
{
    QWidget* p = TabSheet25;
    Image2 = Make<QLabel>(p, "Image2", QRect(kPageWidth / 2 - 64, 110, 128, 128));
    Image2->setPixmap(QPixmap(QStringLiteral(":/vorplan/optimiser/wait.png")));
    Image2->setAlignment(Qt::AlignCenter);
    Label12 = MakeLabel(p, "Label12", QRect(0, 250, kPageWidth, 34));
    Label12->setAlignment(Qt::AlignCenter);
    Label12->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Bold));
    PaintBox19 = Make<PaintBox>(p, "PaintBox19", QRect(0, 0, kPageWidth, 20));
}

void TForm_otimi::BuildConfigurationPage()
{
    QWidget* p = TabSheet14;
    Panel13 = MakePanel(p, "Panel13", QRect(4, 4, kPageWidth - 8, 26), FromWinColor(kNavy),
                        kWhiteColour);
    ListBox3 = Make<QListWidget>(p, "ListBox3", QRect(4, kOptionTop, kOptionLeft - 8, kOptionHeight));
    ListBox3->setMouseTracking(true);
    // Long option names wrap rather than hide behind a scroll bar.
    ListBox3->setWordWrap(true);
    ListBox3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PageControl3 = Make<QStackedWidget>(
        p, "PageControl3", QRect(kOptionLeft, kOptionTop, kOptionWidth, kOptionHeight));
    for (int i = 0; i < kOptionPageCount; ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("OptionPage") + QChar::fromLatin1(kOptionPageNames[i]));
        PageControl3->addWidget(page);
        OptionPages[static_cast<std::size_t>(i)] = page;
    }
    Label42 = MakeLabel(p, "Label42", QRect(8, 376, 470, 16));
    Label43 = MakeLabel(p, "Label43", QRect(8, 392, 470, 16));
    Label44 = MakeLabel(p, "Label44", QRect(8, 408, 470, 16));
    Label45 = MakeLabel(p, "Label45", QRect(8, 408, 12, 16), kRedColour);
    Label45->setText(QStringLiteral("*"));
    BitBtn3 = MakeButton(p, "BitBtn3", QString(), QRect(kPageWidth - 284, 384, 150, 36));
    Button10 = MakeButton(p, "Button10", QString(), QRect(kPageWidth - 124, 384, 120, 36));
    Button10->setText(QStringLiteral("Ok"));
}

void TForm_otimi::BuildOptionPages()
{
    auto page = [this](char name) {
        return OptionPages[static_cast<std::size_t>(OptionPageIndex(name))];
    };
    const QRect groupRect(4, 4, kOptionWidth - 8, kOptionHeight - 8);
    const int gw = groupRect.width();

    // 1: calculation type and its dial.
    RadioGroup1 = Make<QGroupBox>(page('1'), "RadioGroup1", groupRect);
    RadioGroup1Items = Group(this);
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "RadioGroup1Item" + QByteArray::number(i);
        auto* button = Radio(RadioGroup1, name.constData(), QRect(16, 30 + i * 30, 200, 24));
        RadioGroup1Items->addButton(button, i);
        RadioGroup1Buttons[static_cast<std::size_t>(i)] = button;
    }
    Panel6 = MakePanel(RadioGroup1, "Panel6", QRect(220, 24, 240, 24));
    PaintBox10 = Make<PaintBox>(RadioGroup1, "PaintBox10", QRect(260, 56, 160, 160));
    PaintBox10->SetPainter([this](QPainter& painter, QSize size) {
        DrawProgressDial(painter, size, CalcTypeDialValue(RadioGroup1Items->checkedId()));
    });

    // 2: raw material.
    GroupBox8 = Make<QGroupBox>(page('2'), "GroupBox8", groupRect);
    CheckBox2 = Make<QCheckBox>(GroupBox8, "CheckBox2", QRect(40, 30, 200, 24));
    CheckBox4 = Make<QCheckBox>(GroupBox8, "CheckBox4", QRect(40, 58, 200, 24));
    auto* mode = Group(this);
    RadioButton44 = Radio(GroupBox8, "RadioButton44", QRect(16, 110, 300, 24), mode);
    RadioButton44->setText(QStringLiteral("Normal"));
    RadioButton9 = Radio(GroupBox8, "RadioButton9", QRect(16, 140, gw - 32, 24), mode);
    Label8 = MakeLabel(GroupBox8, "Label8", QRect(40, 166, gw - 60, 20));
    Label13 = MakeLabel(GroupBox8, "Label13", QRect(40, 186, gw - 60, 20));

    // 3: sheet sequence, with its squares, and the factor.
    GroupBox12 = Make<QGroupBox>(page('3'), "GroupBox12", groupRect);
    auto* order = Group(this);
    RadioButton8 = Radio(GroupBox12, "RadioButton8", QRect(16, 30, 20, 24), order);
    Label41 = MakeLabel(GroupBox12, "Label41", QRect(38, 30, 200, 24));
    RadioButton23 = Radio(GroupBox12, "RadioButton23", QRect(16, 100, 20, 24), order);
    RadioButton24 = Radio(GroupBox12, "RadioButton24", QRect(16, 180, 20, 24), order);
    const int big[][2] = {{69, 62}, {49, 44}, {33, 30}, {19, 19}};
    const int small[][2] = {{16, 18}, {33, 30}, {49, 44}, {69, 62}};
    int x = 44;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Panel3" + QByteArray::number(i) + "d";
        NumberedSquare(GroupBox12, name.constData(),
                       QRect(x, 142 - big[i][1], big[i][0], big[i][1]), i + 1);
        x += big[i][0] + 4;
    }
    x = 44;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Panel3" + QByteArray::number(i) + "i";
        NumberedSquare(GroupBox12, name.constData(),
                       QRect(x, 222 - small[i][1], small[i][0], small[i][1]), i + 1);
        x += small[i][0] + 4;
    }
    GroupBox16 = Make<QGroupBox>(GroupBox12, "GroupBox16", QRect(290, 70, 180, 120));
    auto* factor = Group(this);
    RadioButton30 = Radio(GroupBox16, "RadioButton30", QRect(12, 24, 160, 24), factor);
    RadioButton31 = Radio(GroupBox16, "RadioButton31", QRect(12, 54, 160, 24), factor);
    RadioButton32 = Radio(GroupBox16, "RadioButton32", QRect(12, 84, 160, 24), factor);

    // 4: cut complexity and its sketch.
    GroupBox11 = Make<QGroupBox>(page('4'), "GroupBox11", groupRect);
    auto* complexity = Group(this);
    RadioButton4 = Radio(GroupBox11, "RadioButton4", QRect(16, 40, 200, 24), complexity);
    RadioButton5 = Radio(GroupBox11, "RadioButton5", QRect(16, 74, 200, 24), complexity);
    RadioButton6 = Radio(GroupBox11, "RadioButton6", QRect(16, 108, 200, 24), complexity);
    QFrame* sketchPanel = MakeBlock(GroupBox11, "Panel40", QRect(260, 36, 180, 180), kWhiteColour);
    sketchPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    PaintBox13 = Make<PaintBox>(sketchPanel, "PaintBox13", sketchPanel->rect());
    PaintBox13->SetPainter([this](QPainter& painter, QSize size) {
        DrawCutComplexitySketch(painter, size, RadioButton4->isChecked(), RadioButton5->isChecked());
    });

    // 5: piece borders; each box in the colour of the margin it sets.
    GroupBox4 = Make<QGroupBox>(page('5'), "GroupBox4", groupRect);
    QFrame* limePanel = MakeBlock(GroupBox4, "Panel34", QRect(30, 40, 150, 110), kLimeColour);
    Panel35 = MakePanel(limePanel, "Panel35", QRect(0, 14, 150, 82), kBlueColour, kWhiteColour);
    QFrame* yellowPanel = MakeBlock(GroupBox4, "Panel45", QRect(250, 40, 150, 110), kYellowColour);
    Panel46 = MakePanel(yellowPanel, "Panel46", QRect(14, 0, 122, 110), kBlueColour, kWhiteColour);
    Label38 = MakeLabel(GroupBox4, "Label38", QRect(30, 166, 150, 20));
    Edit12 = Make<QLineEdit>(GroupBox4, "Edit12", QRect(30, 188, 80, 24));
    SetBackground(*Edit12, kLimeColour);
    ZeroHint(GroupBox4, "Label12Hint", QRect(116, 188, 60, 24));
    Label39 = MakeLabel(GroupBox4, "Label39", QRect(250, 166, 150, 20));
    Edit13 = Make<QLineEdit>(GroupBox4, "Edit13", QRect(250, 188, 80, 24));
    SetBackground(*Edit13, kYellowColour);
    ZeroHint(GroupBox4, "Label13Hint", QRect(336, 188, 60, 24));
    MakeLabel(GroupBox4, "Label12Range", QRect(30, 230, 300, 20))
        ->setText(QStringLiteral("( -100 .. 100 mm )"));

    // 6: the sheet's safety borders around the textured pieces.
    GroupBox10 = Make<QGroupBox>(page('6'), "GroupBox10", groupRect);
    QFrame* sheet = MakeBlock(GroupBox10, "Panel47", QRect(100, 50, 270, 210), kBlueColour);
    sheet->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label47 = MakeLabel(sheet, "Label47", QRect(8, 4, 120, 18), kYellowColour);
    QFrame* pieces = MakeBlock(sheet, "Panel48", QRect(35, 40, 200, 130), kTealColour);
    PaintBox4 = Make<PaintBox>(pieces, "PaintBox4", pieces->rect());
    PaintBox4->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
    Label48 = MakeLabel(sheet, "Label48", QRect(35, 172, 200, 18), kYellowColour);
    Label48->setAlignment(Qt::AlignCenter);
    Edit14 = Make<QLineEdit>(GroupBox10, "Edit14", QRect(195, 22, 80, 24));
    ZeroHint(GroupBox10, "Label14Hint", QRect(281, 22, 50, 24));
    Edit15 = Make<QLineEdit>(GroupBox10, "Edit15", QRect(195, 264, 80, 24));
    ZeroHint(GroupBox10, "Label15Hint", QRect(281, 264, 50, 24));
    Edit16 = Make<QLineEdit>(GroupBox10, "Edit16", QRect(12, 142, 80, 24));
    ZeroHint(GroupBox10, "Label16Hint", QRect(12, 168, 50, 24));
    Edit17 = Make<QLineEdit>(GroupBox10, "Edit17", QRect(378, 142, 80, 24));
    ZeroHint(GroupBox10, "Label17Hint", QRect(378, 168, 50, 24));

    // 7: the first cut, beside textured squares crossed by the cut.
    GroupBox2 = Make<QGroupBox>(page('7'), "GroupBox2", groupRect);
    auto* firstCut = Group(this);
    RadioButton18 = Radio(GroupBox2, "RadioButton18", QRect(16, 30, 200, 24), firstCut);
    RadioButton19 = Radio(GroupBox2, "RadioButton19", QRect(16, 80, 200, 24), firstCut);
    RadioButton20 = Radio(GroupBox2, "RadioButton20", QRect(16, 150, 200, 24), firstCut);
    RadioButton21 = Radio(GroupBox2, "RadioButton21", QRect(16, 216, 200, 24), firstCut);
    PaintBox15 = Make<PaintBox>(GroupBox2, "PaintBox15", QRect(220, 62, 72, 60));
    PaintBox15->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
    MakeBlock(PaintBox15, "Shape3", QRect(32, 0, 7, 60), kLimeColour);
    PaintBox16 = Make<PaintBox>(GroupBox2, "PaintBox16", QRect(220, 132, 72, 60));
    PaintBox16->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
    MakeBlock(PaintBox16, "Shape4", QRect(0, 26, 72, 7), kLimeColour);
    GroupBox18 = Make<QGroupBox>(GroupBox2, "GroupBox18", QRect(300, 62, 160, 96));
    auto* scope = Group(this);
    RadioButton36 = Radio(GroupBox18, "RadioButton36", QRect(12, 26, 140, 24), scope);
    RadioButton37 = Radio(GroupBox18, "RadioButton37", QRect(12, 58, 140, 24), scope);

    // 8 and 9: the strips a forced or minimum remnant can take.
    struct StripPage {
        char page;
        QGroupBox** group;
        const char* groupName;
        std::array<QRadioButton**, 3> buttons;
        std::array<const char*, 3> buttonNames;
        QLabel** label;
        const char* labelName;
        QLineEdit** edit;
        const char* editName;
        PaintBox** box;
        const char* boxName;
        QSize boxSize;
        bool bottomLeft;  // forced strips: left and bottom; minimum: right and top
    };
    const StripPage strips[] = {
        {'8', &GroupBox6, "GroupBox6", {&RadioButton10, &RadioButton11, &RadioButton12},
         {"RadioButton10", "RadioButton11", "RadioButton12"}, &Label5, "Label5", &edit5, "edit5",
         &PaintBox6, "PaintBox6", QSize(133, 169), true},
        {'9', &GroupBox1, "GroupBox1", {&RadioButton1, &RadioButton2, &RadioButton22},
         {"RadioButton1", "RadioButton2", "RadioButton22"}, &Label10, "Label10", &Edit7, "Edit7",
         &PaintBox7, "PaintBox7", QSize(137, 165), false},
    };
    for (const StripPage& s : strips) {
        auto* group = Make<QGroupBox>(page(s.page), s.groupName, groupRect);
        *s.group = group;
        auto* choice = Group(this);
        for (std::size_t i = 0; i < 3; ++i)
            *s.buttons[i] = Radio(group, s.buttonNames[i], QRect(16, 34 + static_cast<int>(i) * 34, 250, 26), choice);
        SetBackground(**s.buttons[1], kYellowColour);
        SetBackground(**s.buttons[2], kLimeColour);
        *s.label = MakeLabel(group, s.labelName, QRect(16, 150, 200, 20));
        *s.edit = Make<QLineEdit>(group, s.editName, QRect(16, 172, 90, 24));
        QFrame* frame = MakeBlock(group, s.boxName == std::string("PaintBox6") ? "Panel66" : "Panel67",
                                  QRect(300, 40, s.boxSize.width() + 8, s.boxSize.height() + 8),
                                  kBlueColour);
        *s.box = Make<PaintBox>(frame, s.boxName, QRect(QPoint(4, 4), s.boxSize));
        (*s.box)->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
        const int bw = s.boxSize.width();
        const int bh = s.boxSize.height();
        if (s.bottomLeft) {
            MakeBlock(*s.box, "Shape5", QRect(0, 0, 19, bh), kLimeColour);
            MakeBlock(*s.box, "Shape6", QRect(0, bh - 17, bw, 17), kYellowColour);
        } else {
            MakeBlock(*s.box, "Shape7", QRect(bw - 21, 0, 21, bh), kLimeColour);
            MakeBlock(*s.box, "Shape8", QRect(0, 0, bw, 19), kYellowColour);
        }
    }

    // A: the forced cut, crossing the texture.
    GroupBox7 = Make<QGroupBox>(page('A'), "GroupBox7", groupRect);
    auto* cut = Group(this);
    RadioButton13 = Radio(GroupBox7, "RadioButton13", QRect(16, 34, 250, 26), cut);
    RadioButton14 = Radio(GroupBox7, "RadioButton14", QRect(16, 68, 250, 26), cut);
    RadioButton15 = Radio(GroupBox7, "RadioButton15", QRect(16, 102, 250, 26), cut);
    SetBackground(*RadioButton14, kFuchsiaColour);
    SetBackground(*RadioButton15, kLimeColour);
    Label6 = MakeLabel(GroupBox7, "Label6", QRect(16, 150, 200, 20));
    edit6 = Make<QLineEdit>(GroupBox7, "edit6", QRect(16, 172, 90, 24));
    PaintBox8 = Make<PaintBox>(GroupBox7, "PaintBox8", QRect(300, 40, 150, 150));
    PaintBox8->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
    Shape1 = MakeBlock(PaintBox8, "Shape1", QRect(90, 0, 1, 150), kLimeColour);
    Shape2 = MakeBlock(PaintBox8, "Shape2", QRect(0, 60, 150, 1), kFuchsiaColour);

    // B: cleaving cuts.
    GroupBox3 = Make<QGroupBox>(page('B'), "GroupBox3", groupRect);
    CheckBox6 = Make<QCheckBox>(GroupBox3, "CheckBox6", QRect(16, 26, 200, 24));
    Label24 = MakeLabel(GroupBox3, "Label24", QRect(16, 56, 330, 22));
    SetBackground(*Label24, kLimeColour);
    Edit9 = Make<QLineEdit>(GroupBox3, "Edit9", QRect(352, 55, 70, 24));
    MakeBlock(GroupBox3, "Panel70", QRect(30, 100, 97, 97), kBlueColour);
    QFrame* special = MakeBlock(GroupBox3, "Panel71", QRect(170, 100, 97, 97), kBlueColour);
    MakeBlock(special, "Shape9", QRect(22, 0, 9, 97), kLimeColour);
    MakeBlock(special, "Shape10", QRect(66, 0, 9, 97), kLimeColour);
    MakeLabel(GroupBox3, "Label29", QRect(170, 198, 97, 16))->setText(QStringLiteral("<- L ->"));
    GroupBox3->findChild<QLabel*>(QStringLiteral("Label29"))->setAlignment(Qt::AlignCenter);
    PaintBox9 = Make<PaintBox>(GroupBox3, "PaintBox9", QRect(310, 100, 28, 97));
    PaintBox11 = Make<PaintBox>(GroupBox3, "PaintBox11", QRect(346, 100, 30, 97));
    PaintBox12 = Make<PaintBox>(GroupBox3, "PaintBox12", QRect(384, 100, 26, 97));
    for (PaintBox* strip : {PaintBox9, PaintBox11, PaintBox12})
        strip->SetPainter([](QPainter& painter, QSize size) { DrawSheetTexture(painter, size); });
    Label31 = MakeLabel(GroupBox3, "Label31", QRect(16, 78, 140, 20));
    Label32 = MakeLabel(GroupBox3, "Label32", QRect(150, 78, 150, 20));
    Label7 = MakeLabel(GroupBox3, "Label7", QRect(306, 78, 150, 20));
    Label30 = MakeLabel(GroupBox3, "Label30", QRect(16, 226, 300, 22));
    Edit10 = Make<QLineEdit>(GroupBox3, "Edit10", QRect(320, 225, 70, 24));
    Label33 = MakeLabel(GroupBox3, "Label33", QRect(16, 256, 300, 22));
    Edit11 = Make<QLineEdit>(GroupBox3, "Edit11", QRect(320, 255, 70, 24));

    // C: the comment.
    GroupBox13 = Make<QGroupBox>(page('C'), "GroupBox13", groupRect);
    Label11 = MakeLabel(GroupBox13, "Label11", QRect(16, 34, gw - 32, 40));
    Label11->setWordWrap(true);
    Edit8 = Make<QLineEdit>(GroupBox13, "Edit8", QRect(16, 80, gw - 32, 24));

    // D: the start page.
    Panel113 = MakePanel(page('D'), "Panel113", QRect(4, 4, kOptionWidth - 8, 28),
                         FromWinColor(kNavy), kWhiteColour);
    for (std::size_t i = 0; i < StartLabels.size(); ++i) {
        const QByteArray name = "Label" + QByteArray::number(49 + static_cast<int>(i));
        StartLabels[i] = MakeLabel(page('D'), name.constData(),
                                   QRect(16, 46 + static_cast<int>(i) * 36, kOptionWidth - 32, 32));
        StartLabels[i]->setWordWrap(true);
    }

    // E: the end signal and the music.
    QWidget* e = page('E');
    GroupBox14 = Make<QGroupBox>(e, "GroupBox14", QRect(4, 4, 250, 210));
    auto* signal = Group(this);
    RadioButton3 = Radio(GroupBox14, "RadioButton3", QRect(12, 24, 150, 24), signal);
    RadioButton7 = Radio(GroupBox14, "RadioButton7", QRect(12, 52, 150, 24), signal);
    RadioButton25 = Radio(GroupBox14, "RadioButton25", QRect(12, 80, 60, 24), signal);
    RadioButton26 = Radio(GroupBox14, "RadioButton26", QRect(12, 108, 60, 24), signal);
    RadioButton29 = Radio(GroupBox14, "RadioButton29", QRect(12, 136, 60, 24), signal);
    RadioButton33 = Radio(GroupBox14, "RadioButton33", QRect(12, 164, 80, 24), signal);
    RadioButton7->setText(QStringLiteral("Beep"));
    RadioButton25->setText(QStringLiteral("1"));
    RadioButton26->setText(QStringLiteral("2"));
    RadioButton29->setText(QStringLiteral("3"));
    RadioButton33->setText(QStringLiteral("WAV"));
    Button11 = MakeButton(GroupBox14, "Button11", QString(), QRect(150, 164, 88, 30));
    GroupBox15 = Make<QGroupBox>(e, "GroupBox15", QRect(262, 4, kOptionWidth - 270, 100));
    auto* repeat = Group(this);
    RadioButton27 = Radio(GroupBox15, "RadioButton27", QRect(12, 26, 220, 24), repeat);
    RadioButton28 = Radio(GroupBox15, "RadioButton28", QRect(12, 58, 220, 24), repeat);
    Label14 = MakeLabel(e, "Label14", QRect(266, 112, kOptionWidth - 274, 32));
    Label18 = MakeLabel(e, "Label18", QRect(266, 146, kOptionWidth - 274, 32));
    Label19 = MakeLabel(e, "Label19", QRect(266, 180, kOptionWidth - 274, 32));
    for (QLabel* note : {Label14, Label18, Label19})
        note->setWordWrap(true);
    CheckBox10 = Make<QCheckBox>(e, "CheckBox10", QRect(12, 240, 300, 24));
    Button2 = MakeButton(e, "Button2", QString(), QRect(320, 236, 88, 30));

    // F: time limit.
    GroupBox17 = Make<QGroupBox>(page('F'), "GroupBox17", groupRect);
    auto* limit = Group(this);
    RadioButton34 = Radio(GroupBox17, "RadioButton34", QRect(16, 34, 300, 24), limit);
    RadioButton35 = Radio(GroupBox17, "RadioButton35", QRect(16, 68, 300, 24), limit);
    Edit19 = Make<QLineEdit>(GroupBox17, "Edit19", QRect(40, 98, 80, 24));

    // G: optimisation goal.
    GroupBox19 = Make<QGroupBox>(page('G'), "GroupBox19", groupRect);
    auto* goal = Group(this);
    RadioButton38 = Radio(GroupBox19, "RadioButton38", QRect(16, 34, gw - 32, 24), goal);
    RadioButton39 = Radio(GroupBox19, "RadioButton39", QRect(16, 68, gw - 32, 24), goal);

    // H: cuts on the sheet edges.
    GroupBox20 = Make<QGroupBox>(page('H'), "GroupBox20", groupRect);
    GroupBox21 = Make<QGroupBox>(GroupBox20, "GroupBox21", QRect(16, 30, 220, 90));
    auto* edges = Group(this);
    RadioButton40 = Radio(GroupBox21, "RadioButton40", QRect(12, 26, 180, 24), edges);
    RadioButton41 = Radio(GroupBox21, "RadioButton41", QRect(12, 56, 180, 24), edges);
    Label37 = MakeLabel(GroupBox20, "Label37", QRect(16, 130, gw - 32, 40));
    Label37->setWordWrap(true);

    // I: extra production.
    GroupBox22 = Make<QGroupBox>(page('I'), "GroupBox22", groupRect);
    auto* extra = Group(this);
    RadioButton42 = Radio(GroupBox22, "RadioButton42", QRect(16, 30, 150, 24), extra);
    RadioButton43 = Radio(GroupBox22, "RadioButton43", QRect(16, 60, 150, 24), extra);
    Label56 = MakeLabel(GroupBox22, "Label56", QRect(16, 96, gw - 32, 36));
    Label56->setWordWrap(true);
    Label57 = MakeLabel(GroupBox22, "Label57", QRect(16, 136, gw - 32, 20));
    Label63 = MakeLabel(GroupBox22, "Label63", QRect(16, 162, 120, 22));
    Edit21 = Make<QLineEdit>(GroupBox22, "Edit21", QRect(140, 161, 80, 24));
    Label58 = MakeLabel(GroupBox22, "Label58", QRect(16, 192, 120, 22));
    Edit20 = Make<QLineEdit>(GroupBox22, "Edit20", QRect(140, 191, 80, 24));
    Label59 = MakeLabel(GroupBox22, "Label59", QRect(16, 230, gw - 32, 40));
    Label59->setWordWrap(true);
}

}  // namespace vor
