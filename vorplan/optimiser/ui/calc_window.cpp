#include "vorplan/optimiser/ui/calc_window.h"

#include <QApplication>
#include <algorithm>
#include <climits>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/sound.h"
#include "platform/window_activation.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/order_items.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/ui/calc_events_bridge.h"
#include "vorplan/optimiser/ui/calc_window_parts.h"
#include "vorplan/optimiser/ui/option_pictures.h"
#include "vorplan/optimiser/ui/run_controller.h"
#include "vorplan/shell/record_list.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm_otimi* Form_otimi = nullptr;

using platform::FromQString;
using platform::ToQString;

namespace {

constexpr int kWhatIfCollapsed = 27;
constexpr int kWhatIfExpanded = 330;

const QColor kWhatIfNormal = FromWinColor(kNavy);
const QColor kWhatIfHighlight = FromWinColor(kOrange);

class FontTextMetrics final : public TextMetrics {
public:
    explicit FontTextMetrics(const QFontMetrics& metrics) : m_metrics(metrics) {}
    int Width(const std::string& text) const override
    {
        return m_metrics.horizontalAdvance(ToQString(text));
    }

private:
    QFontMetrics m_metrics;
};

// Shows `group` on its buttons; a group with none checked unchecks them all.
template <typename Button, std::size_t N>
void ShowGroup(const RadioGroup<Button, N>& group, const std::array<QRadioButton*, N>& buttons)
{
    QButtonGroup* exclusive = buttons[0]->group();
    if (exclusive)
        exclusive->setExclusive(false);
    for (std::size_t i = 0; i < N; ++i)
        buttons[i]->setChecked(group.IsChecked(static_cast<Button>(i)));
    if (exclusive)
        exclusive->setExclusive(true);
}

template <typename Button, std::size_t N>
void ReadGroup(RadioGroup<Button, N>& group, const std::array<QRadioButton*, N>& buttons)
{
    for (std::size_t i = 0; i < N; ++i)
        group.SetChecked(static_cast<Button>(i), false);
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons[i]->isChecked())
            group.Check(static_cast<Button>(i));
    }
}

std::string Text(const QLineEdit* edit)
{
    return FromQString(edit->text());
}

void SetText(QLineEdit* edit, const std::string& text)
{
    edit->setText(ToQString(text));
}

// The order number of an order item: its first "~" field.
long long OrderNumberOf(const QListWidgetItem* item)
{
    return StrToIntDef0(SplitTilde(FromQString(item->text())).fields[1]);
}

}  // namespace

void OrderItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    TildeFields fields = SplitTilde(FromQString(index.data().toString()));
    if (fields.count >= 2)
        fields.fields[2] = FitTextToWidth(fields.fields[2], FontTextMetrics(option.fontMetrics));
    std::string joined = fields.fields[1];
    for (long i = 2; i <= fields.count; ++i)
        joined += "~" + fields.fields[i];

    const bool selected = option.state & QStyle::State_Selected;
    const QBrush background = selected ? option.palette.highlight() : option.palette.base();
    const QColor textColour =
        selected ? option.palette.color(QPalette::HighlightedText) : option.palette.color(QPalette::Text);
    DrawTildeListItem(*painter, option.rect, ToQString(joined), gListData.columns, std::nullopt,
                      background, textColour);
}

TForm_otimi::TForm_otimi(QWidget* parent) : QDialog(parent), m_run(std::make_unique<RunController>())
{
    setObjectName(QStringLiteral("Form_otimi"));
    setWindowTitle(QStringLiteral("Cálculo de corte"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    BuildControls();
    ConnectHandlers();
    m_endSignal.emplace(platform::Sound());

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm_otimi::FormActivate);

    FormCreate();
}

TForm_otimi::~TForm_otimi()
{
    if (Form_otimi == this)
        Form_otimi = nullptr;
}

void TForm_otimi::ConnectHandlers()
{
    connect(PaintBox19, &PaintBox::Painted, this, &TForm_otimi::PaintBox19Paint);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm_otimi::ListBox1Change);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    connect(Button12, &QPushButton::clicked, this, &TForm_otimi::Button12Click);
    connect(Button7, &QPushButton::clicked, this, &TForm_otimi::Button7Click);
    for (QPushButton* b : {Button15, BitBtn2, Button6})
        connect(b, &QPushButton::clicked, this, &TForm_otimi::AbbreviateClick);
    connect(m_run.get(), &RunController::runEnded, this, &TForm_otimi::OnRunEnded);
    PaintBox2->SetPainter([this](QPainter& painter, QSize) {
        if (!m_figure.isNull())
            painter.drawImage(0, 0, m_figure);
    });
    PaintBox17->SetPainter([this](QPainter& painter, QSize size) {
        if (m_yield)
            DrawPercentPie(painter, size, kLime, *m_yield);
    });
    m_displayTimer = new QTimer(this);
    m_displayTimer->setSingleShot(true);
    m_displayTimer->setInterval(100);
    connect(m_displayTimer, &QTimer::timeout, this, &TForm_otimi::FlushRunDisplay);
    connect(ListBox3, &QListWidget::currentRowChanged, this, &TForm_otimi::ListBox3Select);
    connect(ListBox3, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { ListBox3->setCurrentItem(item); });
    connect(ListBox5, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox5Click(ListBox5->row(item)); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm_otimi::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm_otimi::SpeedButton2Click);
    connect(Button9, &QPushButton::clicked, this, &TForm_otimi::Button9Click);
    connect(Button10, &QPushButton::clicked, this, &TForm_otimi::Button10Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm_otimi::SaveButtonClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_otimi::SaveButtonClick);
    connect(Button14, &QPushButton::clicked, this, &TForm_otimi::Button14Click);
    connect(Button11, &QPushButton::clicked, this, &TForm_otimi::Button11Click);
    connect(Button2, &QPushButton::clicked, this, &TForm_otimi::Button2Click);
    connect(Timer1, &QTimer::timeout, this, &TForm_otimi::Timer1Timer);
    connect(Button13, &QPushButton::clicked, this, &TForm_otimi::CancelBestSizeClick);
    connect(Button1, &QPushButton::clicked, m_run.get(), &RunController::ConfirmOk);
    connect(Button17, &QPushButton::clicked, m_run.get(), &RunController::ConfirmOk);
    connect(RadioGroup1Items, &QButtonGroup::idClicked, this, &TForm_otimi::RadioGroup1Click);
    for (QRadioButton* b : {RadioButton4, RadioButton5, RadioButton6})
        connect(b, &QRadioButton::clicked, this, &TForm_otimi::ComplexityClick);
    for (QRadioButton* b : {RadioButton44, RadioButton9})
        connect(b, &QRadioButton::clicked, this, &TForm_otimi::RawMaterialClick);
    for (QRadioButton* b : {RadioButton8, RadioButton23, RadioButton24})
        connect(b, &QRadioButton::clicked, this, &TForm_otimi::SheetOrderClick);
    for (QRadioButton* b : {RadioButton10, RadioButton11, RadioButton12, RadioButton1, RadioButton2,
                            RadioButton22, RadioButton13, RadioButton14, RadioButton15})
        connect(b, &QRadioButton::clicked, this, &TForm_otimi::PreCutClick);
    for (QRadioButton* b : {RadioButton42, RadioButton43})
        connect(b, &QRadioButton::clicked, this, &TForm_otimi::ExtraProductionClick);
    for (QRadioButton* b : {RadioButton45, RadioButton46, RadioButton47, RadioButton48, RadioButton49})
        connect(b, &QRadioButton::toggled, this, &TForm_otimi::WhatIfChanged);
    connect(Edit28, &QLineEdit::textChanged, this, &TForm_otimi::WhatIfChanged);
}

void TForm_otimi::FormCreate()
{
    // Enabled by the selection rule once the orders are listed.
    Button12->setEnabled(false);
    Button15->setEnabled(false);
    BitBtn2->setEnabled(false);
    PageControl1->setCurrentWidget(TabSheet1);
    PageControl2->setCurrentWidget(TabSheet11);
    ListBox3->setCurrentRow(-1);
    PageControl3->setCurrentIndex(OptionPageIndex('D'));
    // Page A's cut lines.
    Shape1->setGeometry(Shape1->x() - 1, Shape1->y(), 3, Shape1->height());
    Shape2->setGeometry(Shape2->x(), Shape2->y() - 1, Shape2->width(), 3);
    SetSheetBorders(QStringLiteral("0"));
    ShowSettings(LoadCalcSettings());
    CollapseWhatIf();
}

void TForm_otimi::SetSheetBorders(const QString& value)
{
    for (QLineEdit* edit : {Edit14, Edit15, Edit16, Edit17})
        edit->setText(value);
}

void TForm_otimi::SetCaptions()
{
    setWindowTitle(M(39));
    // Order page
    TabSheet1->setWindowTitle(QStringLiteral("  ") + M(36));
    Panel84->setText(M(41));
    GroupBox9->setTitle(M(42));
    RadioButton16->setText(M(43));
    RadioButton17->setText(M(44));
    Button12->setText(M(45));
    Button9->setText(M(193));
    CheckBox8->setText(M(155) + QStringLiteral(" ") + M(156));
    // What-if panel
    Panel55->setText(M(993));
    GroupBox24->setTitle(QStringLiteral(" ") + M(257) + QStringLiteral(":  (") + M(274) +
                         QStringLiteral(") "));
    const QString asConfigured = M(912) + QStringLiteral(" ") + M(913);
    RadioButton45->setText(asConfigured);
    RadioButton48->setText(asConfigured);
    RadioButton46->setText(M(102));
    RadioButton47->setText(M(103));
    GroupBox25->setTitle(QStringLiteral(" ") + M(488) + QStringLiteral("  (") + M(98) +
                         QStringLiteral(") "));
    RadioButton49->setText(QStringLiteral("\"") + M(1000) + QStringLiteral("\""));
    GroupBox26->setTitle(QStringLiteral(" ") + M(488) + QStringLiteral("  (") + M(274) +
                         QStringLiteral(") "));
    Panel77->setText(M(911));
    Label2->setText(QStringLiteral("(") + M(274) + QStringLiteral(")"));
    GroupBox27->setTitle(QStringLiteral("Materiais a serem calculados"));
    // Report page
    Label20->setText(M(377));
    Panel10->setText(M(376));
    Label9->setText(M(646));
    // Progress page
    Panel2->setText(M(144) + QStringLiteral(" :"));
    Panel12->setText(M(191) + QStringLiteral("  "));
    Panel57->setText(M(632));
    Panel60->setText(M(592) + QStringLiteral(" :"));
    Panel61->setText(M(593) + QStringLiteral(" :"));
    Panel63->setText(M(650) + QStringLiteral(" :"));
    Button15->setText(M(659));
    BitBtn2->setText(M(25));
    // Best sheet-size page
    Panel14->setText(M(919));
    Panel17->setText(M(143) + QStringLiteral(" "));
    Panel18->setText(M(142) + QStringLiteral(" "));
    Panel19->setText(M(920));
    Panel21->setText(M(920));
    Panel20->setText(M(921));
    Panel104->setText(M(921));
    Panel105->setText(M(922));
    Panel110->setText(M(922));
    Button7->setText(M(45));
    Button13->setText(M(25));
    Button6->setText(M(25));
    Label1->setText(M(924));
    Label26->setText(M(925));
    Panel107->setText(M(926) + QStringLiteral(": "));
    Panel108->setText(M(36) + QStringLiteral(": "));
    Label27->setText(M(927) + QStringLiteral(":"));
    // Wait page, end flags page
    Label12->setText(M(647));
    Panel98->setText(M(672));
    Panel92->setText(M(673));
    Panel93->setText(M(674));
    Panel94->setText(M(675));
    Panel96->setText(M(676));
    Panel97->setText(M(677));
    // Configuration page
    TabSheet14->setWindowTitle(M(193));
    Panel13->setText(M(638));
    Label42->setText(M(634));
    Label43->setText(M(635));
    Label44->setText(M(636));
    BitBtn3->setText(M(585));
    BitBtn1->setText(M(585));
    // 1
    RadioGroup1->setTitle(M(47));
    for (int i = 0; i < 3; ++i)
        RadioGroup1Buttons[static_cast<std::size_t>(i)]->setText(M(48 + i));
    Panel6->setText(M(750));
    // 2
    GroupBox8->setTitle(M(97));
    CheckBox2->setText(M(98));
    CheckBox4->setText(M(99));
    RadioButton9->setText(M(923));
    Label8->setText(QStringLiteral("( ") + M(932));
    Label13->setText(M(933) + QStringLiteral(" )"));
    // 3
    GroupBox12->setTitle(M(631));
    Label41->setText(M(396));
    GroupBox16->setTitle(M(666));
    RadioButton30->setText(M(667));
    RadioButton31->setText(M(668));
    RadioButton32->setText(M(669));
    // 4
    GroupBox11->setTitle(M(587));
    RadioButton4->setText(M(588));
    RadioButton5->setText(M(589));
    RadioButton6->setText(M(590));
    // 5
    GroupBox4->setTitle(M(400));
    Panel35->setText(M(384));
    Panel46->setText(M(384));
    Label39->setText(M(142));
    Label38->setText(M(143));
    // 6
    GroupBox10->setTitle(M(401));
    Label47->setText(M(212));
    Label48->setText(M(274));
    // 7
    GroupBox2->setTitle(M(395));
    RadioButton18->setText(M(396));
    RadioButton19->setText(M(397));
    RadioButton20->setText(M(398));
    RadioButton21->setText(M(399));
    GroupBox18->setTitle(M(717));
    RadioButton36->setText(M(718));
    RadioButton37->setText(M(719));
    // 8
    GroupBox6->setTitle(M(378));
    RadioButton10->setText(M(379));
    RadioButton11->setText(M(380));
    RadioButton12->setText(M(381));
    Label5->setText(M(382));
    // 9
    GroupBox1->setTitle(M(387));
    RadioButton1->setText(M(379));
    RadioButton2->setText(M(388));
    RadioButton22->setText(M(389));
    Label10->setText(M(382));
    // A
    GroupBox7->setTitle(M(390));
    RadioButton13->setText(M(391));
    RadioButton14->setText(M(392));
    RadioButton15->setText(M(393));
    Label6->setText(M(394));
    // B
    GroupBox3->setTitle(M(402));
    CheckBox6->setText(M(403));
    Label24->setText(M(404) + QStringLiteral(" "));
    Label31->setText(M(405));
    Label32->setText(M(406));
    Label7->setText(M(407));
    Label30->setText(M(408));
    Label33->setText(M(409));
    // C
    GroupBox13->setTitle(M(100));
    Label11->setText(M(101));
    // D
    Panel113->setText(M(751));
    for (std::size_t i = 0; i < StartLabels.size(); ++i)
        StartLabels[i]->setText(M(752 + static_cast<long>(i)));
    // E
    GroupBox14->setTitle(M(640));
    RadioButton3->setText(M(653));
    GroupBox15->setTitle(M(641));
    RadioButton27->setText(M(654));
    RadioButton28->setText(M(655));
    Button11->setText(M(642));
    Button2->setText(M(642));
    CheckBox10->setText(M(780));
    Label14->setText(M(287));
    Label18->setText(M(288));
    Label19->setText(M(289));
    // F
    GroupBox17->setTitle(M(671));
    RadioButton34->setText(M(678));
    RadioButton35->setText(M(679));
    // G
    GroupBox19->setTitle(M(724));
    RadioButton38->setText(M(725));
    RadioButton39->setText(M(726));
    // H
    GroupBox20->setTitle(M(746));
    GroupBox21->setTitle(M(747));
    RadioButton40->setText(M(102));
    RadioButton41->setText(M(103));
    Label37->setText(M(748));
    // I
    GroupBox22->setTitle(M(760));
    RadioButton42->setText(M(103));
    RadioButton43->setText(M(102));
    Label56->setText(M(762));
    Label57->setText(M(763));
    Label59->setText(M(815));
    Label63->setText(M(142));
    Label58->setText(M(143));
}

void TForm_otimi::FormActivate()
{
    // 1.
    SetCaptions();
    {
        const QSignalBlocker block(ListBox3);
        ListBox3->clear();
        for (int i = 0; i < kOptionItemCount; ++i)
            ListBox3->addItem(M(OptionItemMessage(i)));
        ListBox3->setCurrentRow(-1);
    }
    ListBox3Select(ListBox3->currentRow());
    Label45->move(Label44->x() + Label44->fontMetrics().horizontalAdvance(Label44->text()),
                  Label45->y());

    // 3. Not while a calculation runs: the run disables the type choice.
    if (RadioGroup1->isEnabled()) {
        // A run waiting for "Ok" ends its wait: the orders come back.
        if (m_run->IsRunning())
            m_run->ConfirmOk();
        PageControl1->setCurrentWidget(TabSheet25);
        (gShared.settings.internalTables ? RadioButton16 : RadioButton17)->setChecked(true);
        Edit8->clear();
        Panel11->setVisible(false);
        PlaceWindow();
        Panel84->setText(M(41));
        Memo3->clear();
    }

    // 4.
    PageControl1->move(PageControl1->x(), PageControlTop(height(), PageControl1->height()));

    // 5. to 7.
    ApplyEnableRules();
    PageControl1->setCurrentWidget(gShared.busy ? TabSheet13 : TabSheet25);
}

void TForm_otimi::PlaceWindow()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const CalcWindowPlacement place = PlaceCalcWindow(
        available.width(), PageControl1->width(), PageControl1->height(),
        gMainWindow.geometry.belowIconBarTop);
    setFixedSize(place.width, place.height);
    move(available.x() + place.left, place.top);
}

void TForm_otimi::ApplyEnableRules()
{
    const CalcSettings s = Settings();
    const bool extra = ExtraPieceEnabled(s);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit21, Edit20, Label63, Label58, Label57})
        w->setEnabled(extra);
    const bool factor = SheetFactorEnabled(s);
    for (QRadioButton* b : {RadioButton30, RadioButton31, RadioButton32})
        b->setEnabled(factor);
    edit5->setEnabled(PreCutSizeEnabled(s.forcedStrip));
    Edit7->setEnabled(PreCutSizeEnabled(s.minimumStrip));
    edit6->setEnabled(PreCutSizeEnabled(s.forcedCut));
}

void TForm_otimi::PaintBox19Paint()
{
    if (m_fillQueued || m_filling || PageControl1->currentWidget() != TabSheet25)
        return;
    // Never inside the paint event: the fill shows a cursor and may show messages.
    m_fillQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_fillQueued = false;
        if (PageControl1->currentWidget() != TabSheet25 || !isVisible())
            return;
        if (gShared.orderList.dirty)
            Image2->repaint();
        FillOrderList();
        PageControl1->setCurrentWidget(TabSheet1);
        CollapseWhatIf();
    });
}

void TForm_otimi::FillOrderList()
{
    m_filling = true;
    WaitCursor wait;
    SetupOrderListColumns(gListData.columns,
                          QFontMetrics(ListBox1->font()).horizontalAdvance(QLatin1Char('x')));
    PaintBox3->update();
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        RefreshOrderListIfDirty();
        for (const std::string& item : OrderItems(gShared.orderList))
            ListBox1->addItem(ToQString(item));
        SelectableListWidgetControl list(*ListBox1);
        MarkRecentProjects(list);
    }
    m_filling = false;
    ListBox1Change();
}

void TForm_otimi::ListBox1Change()
{
    const auto selected = static_cast<long>(ListBox1->selectedItems().size());
    m_selection = SelectionStateOf(selected, ListBox1->count());
    Panel85->setText(ToQString(m_selection.statusText));
    Button12->setEnabled(m_selection.startEnabled);
    Panel101->setVisible(m_selection.whatIfVisible);
    m_whatIf.Invalidate();
    if (WhatIfExpanded() && Panel101->isVisible())
        RefillWhatIfMaterials();
    UpdateWhatIfIndicator();
}

bool TForm_otimi::WhatIfExpanded() const
{
    return Panel101->height() == kWhatIfExpanded;
}

// The panel keeps its bottom edge: it grows over the list above it.
void TForm_otimi::SetWhatIfHeight(int height)
{
    const int bottom = Panel101->y() + Panel101->height();
    Panel101->setGeometry(Panel101->x(), bottom - height, Panel101->width(), height);
}

void TForm_otimi::CollapseWhatIf()
{
    SetWhatIfHeight(kWhatIfCollapsed);
    SpeedButton1->setEnabled(false);
    SpeedButton2->setEnabled(true);
}

void TForm_otimi::SpeedButton1Click()
{
    CollapseWhatIf();
}

void TForm_otimi::SpeedButton2Click()
{
    SetWhatIfHeight(kWhatIfExpanded);
    Panel101->raise();
    SpeedButton1->setEnabled(true);
    SpeedButton2->setEnabled(false);
    RefillWhatIfMaterials();
}

void TForm_otimi::RefillWhatIfMaterials()
{
    std::vector<long long> orders;
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (ListBox1->item(i)->isSelected())
            orders.push_back(OrderNumberOf(ListBox1->item(i)));
    }
    std::vector<long long> codes;
    {
        WaitCursor wait;
        for (const MaterialEntry& entry :
             CalcMaterialsOfOrders(gShared.folders, RadioButton16->isChecked(), orders).materials)
            codes.push_back(entry.code);
    }
    m_whatIf.Refill(std::move(codes));
    ShowWhatIfMaterials();
    UpdateWhatIfIndicator();
}

const WhatIfMaterials& TForm_otimi::CurrentWhatIfMaterials()
{
    if (!m_whatIf.current)
        RefillWhatIfMaterials();
    return m_whatIf;
}

void TForm_otimi::ShowWhatIfMaterials()
{
    ListBox5->clear();
    const MaterialTable& table = gShared.materialTable;
    for (std::size_t i = 0; i < m_whatIf.codes.size(); ++i) {
        const long long code = m_whatIf.codes[i];
        QString text = QString::number(code);
        for (long t = 1; t <= table.count; ++t) {
            if (table.entries[t].code == code) {
                text += QStringLiteral("  ") + ToQString(table.entries[t].description);
                break;
            }
        }
        auto* item = new QListWidgetItem(text, ListBox5);
        item->setForeground(m_whatIf.chosen[i] ? palette().color(QPalette::Text)
                                               : palette().color(QPalette::Disabled, QPalette::Text));
    }
}

void TForm_otimi::ListBox5Click(int row)
{
    if (row < 0)
        return;
    m_whatIf.Toggle(static_cast<std::size_t>(row));
    if (QListWidgetItem* item = ListBox5->item(row)) {
        const bool chosen = m_whatIf.chosen[static_cast<std::size_t>(row)];
        item->setForeground(chosen ? palette().color(QPalette::Text)
                                   : palette().color(QPalette::Disabled, QPalette::Text));
    }
    UpdateWhatIfIndicator();
}

void TForm_otimi::WhatIfChanged()
{
    UpdateWhatIfIndicator();
}

void TForm_otimi::UpdateWhatIfIndicator()
{
    m_whatIfHighlighted = WhatIfOverridesActive(Settings(), m_whatIf);
    calc_window::SetBackground(*Panel55, m_whatIfHighlighted ? kWhatIfHighlight : kWhatIfNormal);
    calc_window::SetTextColour(*Panel55, m_whatIfHighlighted ? QColor(Qt::black) : QColor(Qt::white));
}

void TForm_otimi::ListBox3Select(int item)
{
    PageControl3->setCurrentIndex(OptionPageIndex(OptionPageOfItem(item)));
}

void TForm_otimi::Button9Click()
{
    PageControl1->setCurrentWidget(TabSheet14);
}

void TForm_otimi::Button10Click()
{
    PageControl1->setCurrentWidget(TabSheet1);
}

void TForm_otimi::SaveButtonClick()
{
    SaveCalcSettings(Settings());
    platform::ShowMessage(CalcSettingsSavedText());
}

// Nothing has started yet on "Inicial": back to the orders, selection kept.
void TForm_otimi::CancelBestSizeClick()
{
    PageControl1->setCurrentWidget(TabSheet1);
}

std::vector<long long> TForm_otimi::SelectedOrders() const
{
    std::vector<long long> orders;
    for (int row = 0; row < ListBox1->count(); ++row) {
        const QListWidgetItem* item = ListBox1->item(row);
        if (item->isSelected())
            orders.push_back(OrderNumberOf(item));
    }
    return orders;
}

void TForm_otimi::ListBox1DblClick()
{
    // Only a selection that "Iniciar" accepts starts, and never over a run.
    if (Button12->isEnabled())
        Button12Click();
}

void TForm_otimi::Button12Click()
{
    if (gShared.busy || m_run->IsRunning())
        return;
    CalcRequest request;
    if (!CheckedRequest(request))
        return;
    if (!RadioButton44->isChecked()) {
        // The search starts from its own page, with the busy flag still clear.
        ListBox2->clear();
        Label25->clear();
        Label28->clear();
        PageControl2->setCurrentWidget(TabSheet11);
        PageControl1->setCurrentWidget(TabSheet10);
        return;
    }
    StartRun(std::move(request), false);
}

void TForm_otimi::Button7Click()
{
    if (gShared.busy || m_run->IsRunning())
        return;
    CalcRequest request;
    if (CheckedRequest(request))
        StartRun(std::move(request), true);
}

bool TForm_otimi::CheckedRequest(CalcRequest& request)
{
    // The options are taken from the controls now, as the run starts.
    try {
        std::vector<long long> unchosen;
        const WhatIfMaterials& whatIf = CurrentWhatIfMaterials();
        for (std::size_t i = 0; i < whatIf.codes.size(); ++i)
            if (!whatIf.chosen[i])
                unchosen.push_back(whatIf.codes[i]);
        request = MakeCalcRequest(Settings(), SelectedOrders(), std::move(unchosen));
    } catch (const OverflowError& error) {
        platform::ShowMessage(error.what());
        return false;
    }
    if (const std::optional<std::string> refusal = CheckCalcStart(request)) {
        platform::ShowMessage(*refusal);
        return false;
    }
    return true;
}

void TForm_otimi::StartRun(CalcRequest request, bool bestSizeSearch)
{
    // The driver's own busy event arrives queued; the icons must wait from now.
    gShared.busy = true;
    RadioGroup1->setEnabled(false);
    Button15->setEnabled(false);
    BitBtn2->setEnabled(false);
    Button6->setEnabled(bestSizeSearch);
    Panel11->setVisible(false);
    Memo3->clear();
    m_pendingReport.clear();
    for (QLabel* l : {Panel3, Panel4, Panel57})
        l->clear();
    for (QLabel* l : {Panel62, Panel64, Panel65})
        l->setText(QStringLiteral("00:00:00"));
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    m_yield.reset();
    PaintBox17->update();
    m_figureStep = 0;
    m_figure = QImage(PaintBox2->size(), QImage::Format_RGB32);
    m_figure.fill(palette().color(QPalette::Window));
    StepFigure();
    m_candidate = 0;
    m_endShown = false;
    m_candidateTotal = bestSizeSearch ? static_cast<int>(SearchCandidates(request.options).size()) : 0;
    if (bestSizeSearch) {
        BestCandidateLabel->clear();
        ListBox2->clear();
        Label25->clear();
        Label28->clear();
        PageControl2->setCurrentWidget(TabSheet12);
        PageControl1->setCurrentWidget(TabSheet10);
    } else {
        PageControl1->setCurrentWidget(TabSheet13);
    }

    // One bridge per run: a released bridge shows no more boxes.
    m_events = std::make_unique<QueuedCalcEvents>();
    m_events->WatchFlags(&m_run->Flags());
    if (m_tickInterval > 0)
        m_events->SetTickInterval(m_tickInterval);
    ConnectRunEvents(bestSizeSearch);
    if (!m_run->Start(std::make_unique<CalcJob>(std::move(request), *m_events))) {
        gShared.busy = false;
        RadioGroup1->setEnabled(true);
    }
}

void TForm_otimi::ConnectRunEvents(bool bestSizeSearch)
{
    QueuedCalcEvents* e = m_events.get();
    connect(e, &QueuedCalcEvents::reportLines, this, [this](const QStringList& lines) {
        m_pendingReport += lines;
        if (!m_displayTimer->isActive())
            m_displayTimer->start();
    });
    connect(e, &QueuedCalcEvents::busyChanged, this, [](bool busy) { gShared.busy = busy; });
    connect(e, &QueuedCalcEvents::calcTypeChoiceEnabled, RadioGroup1, &QWidget::setEnabled);
    connect(e, &QueuedCalcEvents::materialStarted, this,
            [this](qint64 code) { Panel3->setText(QString::number(code)); });
    connect(e, &QueuedCalcEvents::layoutStarted, this,
            [this](qint64 layout) { Panel4->setText(QString::number(layout)); });
    connect(e, &QueuedCalcEvents::statusPanel, this,
            [this](int message) { Panel57->setText(M(message)); });
    connect(e, &QueuedCalcEvents::timeDisplay, this,
            [this](const QString& elapsed, const QString& estimated, const QString& remaining,
                   qint64 progress, qint64 maximum) {
                Panel62->setText(elapsed);
                Panel64->setText(estimated);
                Panel65->setText(remaining);
                const int top = static_cast<int>(std::clamp<qint64>(maximum, 1, INT_MAX));
                ProgressBar1->setRange(0, top);
                ProgressBar1->setValue(static_cast<int>(std::clamp<qint64>(progress, 0, top)));
                StepFigure();
            });
    connect(e, &QueuedCalcEvents::yieldShown, this, [this](double percent) {
        m_yield = percent;
        PaintBox17->update();
    });
    connect(e, &QueuedCalcEvents::abbreviateEnabled, this, [this] {
        if (m_run->Flags().abbreviate.load())
            return;
        Button15->setEnabled(true);
        BitBtn2->setEnabled(true);
    });
    if (bestSizeSearch) {
        connect(e, &QueuedCalcEvents::candidateShown, this, [this](const QString& text) {
            ++m_candidate;
            // Panel107 already carries the caption; the label shows the sizes.
            static const QString prefix = QStringLiteral("Testanto a chapa: ");
            Label25->setText(text.startsWith(prefix) ? text.mid(prefix.size()) : text);
            Label28->setText(QString::number(m_candidate) + QStringLiteral(" / ") +
                             QString::number(m_candidateTotal));
            PageControl2->setCurrentWidget(TabSheet12);
            PageControl1->setCurrentWidget(TabSheet10);
        });
        connect(e, &QueuedCalcEvents::bestPositionAdded, this,
                [this](const QString& line) { ListBox2->addItem(line); });
        connect(e, &QueuedCalcEvents::bestCandidateRun, this, [this](const QString& line) {
            BestCandidateLabel->setText(line);
            PageControl2->setCurrentWidget(TabSheet15);
        });
    }
    connect(e, &QueuedCalcEvents::endPageShown, this, [this] {
        m_endShown = true;
        FlushRunDisplay();
        Panel11->setVisible(true);
        PageControl1->setCurrentWidget(TabSheet5);
    });
    connect(e, &QueuedCalcEvents::viewRequested, this, [this] {
        // No wait for "Ok" follows: a repeating signal sounds one round.
        m_events->EndSignalOnce();
        gMainRequests.viewRequest = 1;
        close();
    });
}

// One step of the progress page's figure per progress report, scheme 1.
void TForm_otimi::StepFigure()
{
    QPainter painter(&m_figure);
    DrawAnimatedFigure(painter, m_figure.size(), 1, m_figureStep++);
    PaintBox2->update();
}

void TForm_otimi::FlushRunDisplay()
{
    m_displayTimer->stop();
    if (m_pendingReport.isEmpty())
        return;
    Memo3->appendPlainText(m_pendingReport.join(QLatin1Char('\n')));
    m_pendingReport.clear();
}

void TForm_otimi::AbbreviateClick()
{
    if (!m_run->IsRunning() || m_run->Flags().abbreviate.load())
        return;
    const platform::Answer answer = platform::Messages().Show(
        Msg(659) + ": " + Msg(561), "", platform::MessageKind::Question, platform::Buttons::YesNo);
    if (answer != platform::Answer::Yes)
        return;
    m_run->Abbreviate();
    Button15->setEnabled(false);
    BitBtn2->setEnabled(false);
    Button6->setEnabled(false);
}

void TForm_otimi::OnRunEnded(int /*status*/, const QString& failure)
{
    FlushRunDisplay();
    // The driver has returned: whatever it did not clear is over now.
    gShared.busy = false;
    RadioGroup1->setEnabled(true);
    Button15->setEnabled(false);
    BitBtn2->setEnabled(false);
    Button6->setEnabled(false);
    if (!failure.isEmpty())
        platform::ShowMessage(FromQString(failure));
}

void TForm_otimi::Button14Click()
{
    platform::ShowMessage(WhatIfExplanationText());
}

void TForm_otimi::Button11Click()
{
    const CalcSettings s = Settings();
    const std::optional<EndSignal> signal = s.endSignal.Checked();
    if (!signal)
        return;
    m_endSignal->Test(*signal, gShared.folders.base / kEndSignalFileName);
    if (m_endSignal->Ticking())
        Timer1->start();
}

void TForm_otimi::Button2Click()
{
    m_endSignal->TestMusic(gShared.folders.base / kMusicFileName);
}

void TForm_otimi::Timer1Timer()
{
    m_endSignal->Tick();
    if (!m_endSignal->Ticking())
        Timer1->stop();
}

void TForm_otimi::RadioGroup1Click()
{
    PaintBox10->update();
}

void TForm_otimi::ComplexityClick()
{
    PaintBox13->update();
}

void TForm_otimi::RawMaterialClick()
{
    CalcSettings s = Settings();
    ApplyRawMaterialRule(s);
    CheckBox2->setEnabled(s.stockSourcesEnabled);
    CheckBox4->setEnabled(s.stockSourcesEnabled);
}

void TForm_otimi::SheetOrderClick()
{
    ApplyEnableRules();
}

void TForm_otimi::PreCutClick()
{
    ApplyEnableRules();
}

void TForm_otimi::ExtraProductionClick()
{
    ApplyEnableRules();
}

CalcSettings TForm_otimi::Settings() const
{
    CalcSettings s = m_loaded;
    s.calcType = RadioGroup1Items->checkedId();
    s.useSheets = CheckBox2->isChecked();
    s.useOffcuts = CheckBox4->isChecked();
    s.bestWidthFrom = Text(Edit1);
    s.bestWidthTo = Text(Edit2);
    s.bestWidthStep = Text(Edit22);
    s.bestHeightFrom = Text(Edit3);
    s.bestHeightTo = Text(Edit4);
    s.bestHeightStep = Text(Edit18);
    ReadGroup(s.goal, {RadioButton38, RadioButton39});
    ReadGroup(s.sheetOrder, {RadioButton8, RadioButton23, RadioButton24});
    ReadGroup(s.complexity, {RadioButton4, RadioButton5, RadioButton6});
    s.pieceBorderWidth = Text(Edit13);
    s.pieceBorderHeight = Text(Edit12);
    s.sheetBorderLeft = Text(Edit16);
    s.sheetBorderRight = Text(Edit17);
    s.sheetBorderBottom = Text(Edit15);
    s.sheetBorderTop = Text(Edit14);
    ReadGroup(s.firstCut, {RadioButton18, RadioButton19, RadioButton20});
    ReadGroup(s.firstCutScope, {RadioButton36, RadioButton37});
    ReadGroup(s.timeLimit, {RadioButton34, RadioButton35});
    s.timeLimitMinutes = Text(Edit19);
    ReadGroup(s.edgeCuts, {RadioButton40, RadioButton41});
    ReadGroup(s.extraProduction, {RadioButton42, RadioButton43});
    s.extraPieceWidth = Text(Edit21);
    s.extraPieceHeight = Text(Edit20);
    ReadGroup(s.endSignal, {RadioButton3, RadioButton7, RadioButton25, RadioButton26, RadioButton29,
                            RadioButton33});
    ReadGroup(s.signalRepeat, {RadioButton27, RadioButton28});
    s.music = CheckBox10->isChecked();
    s.showLayouts = CheckBox8->isChecked();
    ReadGroup(s.stockMode, {RadioButton44, RadioButton9});
    ReadGroup(s.sheetFactor, {RadioButton30, RadioButton31, RadioButton32});
    ReadGroup(s.forcedStrip, {RadioButton10, RadioButton11, RadioButton12});
    s.forcedStripSize = Text(edit5);
    ReadGroup(s.minimumStrip, {RadioButton1, RadioButton2, RadioButton22});
    s.minimumStripSize = Text(Edit7);
    ReadGroup(s.forcedCut, {RadioButton13, RadioButton14, RadioButton15});
    s.forcedCutSize = Text(edit6);
    s.cleavage = CheckBox6->isChecked();
    s.cleavageWidth = Text(Edit9);
    s.cleavageMinimum = Text(Edit10);
    s.cleavageMaximum = Text(Edit11);
    s.comment = Text(Edit8);
    ReadGroup(s.rotation, {RadioButton45, RadioButton46, RadioButton47});
    ReadGroup(s.sheetQuantity, {RadioButton48, RadioButton49});
    s.multiplier = Text(Edit28);
    s.internalOrders = RadioButton16->isChecked();
    s.stockSourcesEnabled = CheckBox2->isEnabled();
    return s;
}

void TForm_otimi::ShowSettings(const CalcSettings& s)
{
    m_loaded = s;
    {
        QButtonGroup* types = RadioGroup1Items;
        types->setExclusive(false);
        for (int i = 0; i < 3; ++i)
            RadioGroup1Buttons[static_cast<std::size_t>(i)]->setChecked(i == s.calcType);
        types->setExclusive(true);
    }
    CheckBox2->setChecked(s.useSheets);
    CheckBox4->setChecked(s.useOffcuts);
    CheckBox2->setEnabled(s.stockSourcesEnabled);
    CheckBox4->setEnabled(s.stockSourcesEnabled);
    SetText(Edit1, s.bestWidthFrom);
    SetText(Edit2, s.bestWidthTo);
    SetText(Edit22, s.bestWidthStep);
    SetText(Edit3, s.bestHeightFrom);
    SetText(Edit4, s.bestHeightTo);
    SetText(Edit18, s.bestHeightStep);
    ShowGroup(s.goal, {RadioButton38, RadioButton39});
    ShowGroup(s.sheetOrder, {RadioButton8, RadioButton23, RadioButton24});
    ShowGroup(s.complexity, {RadioButton4, RadioButton5, RadioButton6});
    SetText(Edit13, s.pieceBorderWidth);
    SetText(Edit12, s.pieceBorderHeight);
    SetText(Edit16, s.sheetBorderLeft);
    SetText(Edit17, s.sheetBorderRight);
    SetText(Edit15, s.sheetBorderBottom);
    SetText(Edit14, s.sheetBorderTop);
    ShowGroup(s.firstCut, {RadioButton18, RadioButton19, RadioButton20});
    ShowGroup(s.firstCutScope, {RadioButton36, RadioButton37});
    ShowGroup(s.timeLimit, {RadioButton34, RadioButton35});
    SetText(Edit19, s.timeLimitMinutes);
    ShowGroup(s.edgeCuts, {RadioButton40, RadioButton41});
    ShowGroup(s.extraProduction, {RadioButton42, RadioButton43});
    SetText(Edit21, s.extraPieceWidth);
    SetText(Edit20, s.extraPieceHeight);
    ShowGroup(s.endSignal, {RadioButton3, RadioButton7, RadioButton25, RadioButton26, RadioButton29,
                            RadioButton33});
    ShowGroup(s.signalRepeat, {RadioButton27, RadioButton28});
    CheckBox10->setChecked(s.music);
    CheckBox8->setChecked(s.showLayouts);
    ShowGroup(s.stockMode, {RadioButton44, RadioButton9});
    ShowGroup(s.sheetFactor, {RadioButton30, RadioButton31, RadioButton32});
    ShowGroup(s.forcedStrip, {RadioButton10, RadioButton11, RadioButton12});
    SetText(edit5, s.forcedStripSize);
    ShowGroup(s.minimumStrip, {RadioButton1, RadioButton2, RadioButton22});
    SetText(Edit7, s.minimumStripSize);
    ShowGroup(s.forcedCut, {RadioButton13, RadioButton14, RadioButton15});
    SetText(edit6, s.forcedCutSize);
    CheckBox6->setChecked(s.cleavage);
    SetText(Edit9, s.cleavageWidth);
    SetText(Edit10, s.cleavageMinimum);
    SetText(Edit11, s.cleavageMaximum);
    SetText(Edit8, s.comment);
    ShowGroup(s.rotation, {RadioButton45, RadioButton46, RadioButton47});
    ShowGroup(s.sheetQuantity, {RadioButton48, RadioButton49});
    SetText(Edit28, s.multiplier);
    (s.internalOrders ? RadioButton16 : RadioButton17)->setChecked(true);
    ApplyEnableRules();
    PaintBox10->update();
    PaintBox13->update();
}

void TForm_otimi::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (gShared.busy)
        return;
    switch (key) {
    case Qt::Key_F1: {
        WaitCursor wait;
        MainWindowCalls().ShowHelpText();
        break;
    }
    case Qt::Key_F2:
        gMainRequests.tableRequest = 1;
        close();
        break;
    case Qt::Key_F3:
        gMainRequests.sheetTableRequest = true;
        close();
        break;
    case Qt::Key_F12:
        gMainRequests.viewRequest = 1;
        if (modifiers & Qt::ControlModifier)
            gMainRequests.showOverview = true;
        close();
        break;
    default:
        break;
    }
}

void TForm_otimi::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F12:
        FormKeyDown(event->key(), event->modifiers());
        event->accept();
        return;
    default:
        // Enter in a field starts nothing.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
}

void TForm_otimi::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm_otimi::FormClose()
{
    // A run goes on behind a closed window and writes its files; closing only
    // ends the wait for "Ok".
    if (m_run->IsRunning()) {
        // Before the end the signal is still to come: nobody is left to
        // stop it, so it sounds once. In the end wait, "Ok" stops it.
        if (!m_endShown)
            m_events->EndSignalOnce();
        m_run->ConfirmOk();
    } else {
        m_run->Close();
    }
    if (RadioButton33->isChecked()) {
        m_endSignal->Stop();
        if (m_events && !m_run->IsRunning())
            m_events->Release();
    }
    ReadRecentProjects();
    Timer1->stop();
}

TForm_otimi* CreateForm_otimi()
{
    if (!Form_otimi)
        Form_otimi = new TForm_otimi;
    return Form_otimi;
}

void ShowCalculationWindow()
{
    TForm_otimi* form = CreateForm_otimi();
    form->show();
    form->raise();
    form->activateWindow();
}

void EndCalculationForExit()
{
    if (!Form_otimi || !Form_otimi->Run().IsRunning())
        return;
    RunController& run = Form_otimi->Run();
    QEventLoop loop;
    QObject::connect(&run, &RunController::runEnded, &loop, &QEventLoop::quit);
    run.Abbreviate();
    run.ConfirmOk();
    if (run.IsRunning())
        loop.exec();
}

}  // namespace vor
