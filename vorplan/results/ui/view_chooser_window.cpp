#include "vorplan/results/ui/view_chooser_window.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/message_service.h"
#include "platform/print_jobs.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/rtf/styled_doc_pages.h"
#include "vorplan/common/rtf/ui/styled_text.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/results/export_options.h"
#include "vorplan/results/ui/calc_information_window.h"
#include "vorplan/results/ui/export_window.h"
#include "vorplan/results/ui/own_dialog.h"
#include "vorplan/results/ui/saved_calculations_window.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/record_list.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm23* Form23 = nullptr;

namespace {

using platform::ToQString;

constexpr int kListWidth = 260;
// The summary's last tab stop (518 points) and its yield column fit in this.
constexpr int kSummaryWidth = 770;

}  // namespace

TForm23::TForm23(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form23"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QString::fromUtf8("Visualização das montagens"));

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setMargin(3);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFixedWidth(kListWidth);
    ListBox1->setItemDelegate(new RecordItemDelegate(false, &m_columns, ListBox1));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setFixedWidth(kListWidth);
    left->addWidget(Panel1);
    left->addWidget(ListBox1, 1);
    left->addWidget(Label1);
    top->addLayout(left);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setMinimumSize(kSummaryWidth + 30, 440);
    RichEdit1->setLineWrapMode(QTextEdit::FixedPixelWidth);
    RichEdit1->setLineWrapColumnOrWidth(kSummaryWidth);
    top->addWidget(RichEdit1, 1);
    outer->addLayout(top, 1);

    auto* buttons = new QHBoxLayout;
    Button2 = MakeButton(this, "Button2");
    Button7 = MakeButton(this, "Button7");
    Button8 = MakeButton(this, "Button8");
    Button3 = MakeButton(this, "Button3");
    Button5 = MakeButton(this, "Button5");
    Button4 = MakeButton(this, "Button4");
    Button6 = MakeButton(this, "Button6");
    Button1 = MakeButton(this, "Button1");
    for (QPushButton* b : {Button2, Button8, Button7, Button3, Button5, Button4, Button6})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(Button1, &QPushButton::clicked, this, &TForm23::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm23::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm23::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm23::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm23::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm23::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm23::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm23::Button8Click);

    showViewer = ShowLayoutViewer;
    savedCalculations = [](QWidget* owner) { return CreateForm18()->ShowSelection(*owner); };
    saveCalculation = [](QWidget* owner) { CreateForm18()->ShowSave(*owner); };

    m_activation = new platform::WindowActivation(this);
    m_activation->SetCloseOnDeactivation(true);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm23::FormActivate);
}

TForm23::~TForm23()
{
    if (Form23 == this)
        Form23 = nullptr;
}

void TForm23::FormActivate()
{
    WaitCursor wait;
    gMainWindow.windowOpenFlags.calculationChoice = true;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    move(static_cast<int>(screenWidth * 0.5 - width() * 0.5), gMainWindow.geometry.belowIconBarTop);

    setWindowTitle(ToQString(Msg(214)));
    Panel1->setText(ToQString(Msg(215)));
    Button1->setText(ToQString(Msg(25)));
    Button2->setText(ToQString(Msg(216)));
    Button3->setText(ToQString(Msg(217)));
    Button5->setText(ToQString(Msg(193)));
    Button4->setText(ToQString(Msg(952)));
    Button6->setText(ToQString(Msg(966)));
    Button7->setText(ToQString(Msg(218)));
    Button8->setText(ToQString(Msg(292)));
    Label1->setText(ToQString(Msg(219)));
    Label1->setVisible(gShared.languageIndex == 1);

    FillMaterialList();
    BuildCalcSummary();
}

void TForm23::FillMaterialList()
{
    ReadMaterialSelection();
    const QFontMetrics metrics(ListBox1->font());
    m_columns.count = 2;
    m_columns.x[1] = 1;
    m_columns.x[2] = metrics.horizontalAdvance(QStringLiteral("99999   *")) + 12;
    ListBox1->clear();
    for (const std::string& item : vor::FillMaterialList(
             gShared.folders, gShared.calcLists.materials, ReadLastCalcMaterials(gShared.folders)))
        ListBox1->addItem(ToQString(item));
    // The records were read aside: the current record stays the current material's.
    LoadMaterial(gShared.currentMaterial);
}

void TForm23::BuildCalcSummary()
{
    const YieldDisplayOptions options = yieldOptions ? yieldOptions() : YieldDisplayOptions{};
    m_data = GatherCalcSummary(gShared.folders, gShared.calcLists.materials, options.projects,
                               gShared.settings.internalTables, gShared.settings.roundingTypeOne);
    try {
        EnsureLastCalcMaterials(gShared.folders, gShared.calcLists.materials);
    } catch (const IoError& error) {
        platform::ShowMessage(error.what());
    }
    std::string problems;
    for (const std::string& line : m_data.Problems())
        problems += (problems.empty() ? "" : "\n") + line;
    if (!problems.empty())
        platform::ShowMessage(problems);
    m_summary = vor::BuildCalcSummary(m_data, options);
    FillTextDocument(*RichEdit1->document(), m_summary);
}

void TForm23::ListBox1Click(int row)
{
    if (row < 0 || row >= gShared.calcLists.materials.count)
        return;
    const std::int32_t code = gShared.calcLists.materials.entries[row + 1].code;
    gShared.currentMaterial = code;
    LoadMaterial(code);
    try {
        MarkMaterialViewed(gShared.folders, code);
    } catch (const IoError& error) {
        platform::ShowMessage(error.what());
    }
    if (showViewer)
        showViewer();
}

void TForm23::Button1Click()
{
    close();
}

void TForm23::Button2Click()
{
    if (savedCalculations && savedCalculations(this) && showViewer)
        showViewer();
}

void TForm23::Button3Click()
{
    platform::PrintJobs& jobs = platform::PrintService();
    if (!jobs.PrintSetup())
        return;
    // PDF output with no file chosen has nowhere to go.
    if (jobs.PrintsToFile() && jobs.OutputFile().empty())
        return;
    if (PrintStyledDoc(jobs, m_summary, "Vorlane"))
        platform::ShowMessage("Ok");
    else
        platform::ShowMessage(Msg(225));
}

void TForm23::Button4Click()
{
    TForm28* form = CreateForm28();
    const int result = ExecOwnDialog(*form, *this);
    if (result != QDialog::Accepted || form->cancelled)
        return;
    const ExportResult done = RunExport(
        form->Choices(), [this] { return StyledDocToRtf(m_summary, Msg(377)); }, MaterialSums());
    if (!done.message.empty())
        platform::ShowMessage(done.message);
    if (done.written && done.open)
        ShellOpenDocument(*done.written);
}

void TForm23::Button5Click()
{
    if (configure)
        configure(this);
    BuildCalcSummary();
}

void TForm23::Button6Click()
{
    std::vector<std::string> items;
    for (int i = 0; i < ListBox1->count(); ++i)
        items.push_back(platform::FromQString(ListBox1->item(i)->text()));
    if (stockUpdate)
        stockUpdate(this, StockUpdateItems(items));
}

void TForm23::Button7Click()
{
    if (saveCalculation)
        saveCalculation(this);
}

void TForm23::Button8Click()
{
    ExecOwnDialog(*CreateForm20(), *this);
}

void TForm23::hideEvent(QHideEvent* event)
{
    gMainWindow.windowOpenFlags.calculationChoice = false;
    QDialog::hideEvent(event);
}

std::vector<MaterialLayoutSums> TForm23::MaterialSums() const
{
    std::vector<MaterialLayoutSums> sums;
    for (const SummaryMaterial& m : m_data.materials)
        sums.push_back(m.sums);
    return sums;
}

TForm23* CreateForm23()
{
    if (!Form23)
        Form23 = new TForm23;
    return Form23;
}

void ShowViewChooser()
{
    TForm23* form = CreateForm23();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace vor
