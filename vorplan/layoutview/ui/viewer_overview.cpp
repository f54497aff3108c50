// The viewer's overview of all layouts: its panels and the way in and out.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/optimiser/ui/option_pictures.h"

namespace vor {

using platform::FromQString;
using platform::ToQString;

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    if (clicked)
        clicked();
}

void ClickPanel::mousePressEvent(QMouseEvent* event)
{
    QFrame::mousePressEvent(event);
    if (clicked)
        clicked();
}

namespace {

constexpr int kHintPanelWidth = 160;

}  // namespace

void Tvisualiz::BuildOverviewPanels()
{
    // The hovered layout's figures float at the bottom of the drawing.
    Panel31 = new QFrame(Panel13);
    Panel31->setObjectName(QStringLiteral("Panel31"));
    Panel31->setFrameShape(QFrame::Box);
    Panel31->setAutoFillBackground(true);
    auto* grid = new QGridLayout(Panel31);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    const char* names[] = {"OverviewLayout", "OverviewRepetitions", "OverviewYield",
                           "OverviewLoss", "OverviewWidth", "OverviewHeight"};
    const int rows[] = {0, 1, 2, 3, 5, 6};
    for (std::size_t i = 0; i < m_overviewTitles.size(); ++i) {
        m_overviewTitles[i] = new QLabel(Panel31);
        grid->addWidget(m_overviewTitles[i], static_cast<int>(i), 0);
    }
    for (std::size_t i = 0; i < OverviewData.size(); ++i) {
        OverviewData[i] = new QLabel(Panel31);
        OverviewData[i]->setObjectName(QString::fromLatin1(names[i]));
        OverviewData[i]->setMinimumWidth(80);
        grid->addWidget(OverviewData[i], rows[i], 1);
    }
    Panel31->hide();
    Panel77 = new QFrame(Panel13);
    Panel77->setObjectName(QStringLiteral("Panel77"));
    Panel77->setFrameShape(QFrame::Box);
    Panel77->setAutoFillBackground(true);
    Panel77->setFixedSize(40, 40);
    Panel77->hide();

    // The hint panel with the calculation's totals and the overview's options.
    // It stands at the left of the drawing, in the room the grid leaves there.
    Panel61 = new ClickPanel(Panel13);
    Panel61->setObjectName(QStringLiteral("Panel61"));
    Panel61->setFrameShape(QFrame::Box);
    Panel61->setAutoFillBackground(true);
    Panel61->setFixedWidth(kHintPanelWidth);
    auto* hint = new QVBoxLayout(Panel61);
    hint->setContentsMargins(4, 4, 4, 4);
    for (QLabel*& line : m_overviewHint) {
        line = new QLabel(Panel61);
        line->setWordWrap(true);
        hint->addWidget(line);
    }
    auto* totals = new QGridLayout;
    Panel67 = DataPanel(Panel61, "Panel67");
    Panel70 = DataPanel(Panel61, "Panel70");
    Panel71 = DataPanel(Panel61, "Panel71");
    Panel73 = DataPanel(Panel61, "Panel73");
    const std::array<QLabel*, 4> figures{Panel67, Panel70, Panel71, Panel73};
    for (std::size_t i = 0; i < figures.size(); ++i) {
        m_totalsTitles[i] = new QLabel(Panel61);
        totals->addWidget(m_totalsTitles[i], static_cast<int>(2 * i), 0);
        totals->addWidget(figures[i], static_cast<int>(2 * i + 1), 0);
    }
    hint->addSpacing(8);
    hint->addLayout(totals);
    m_viewBox = new QGroupBox(Panel61);
    auto* view = new QVBoxLayout(m_viewBox);
    ViewPieces = new QRadioButton(m_viewBox);
    ViewSheets = new QRadioButton(m_viewBox);
    ViewPieces->setChecked(true);
    view->addWidget(ViewPieces);
    view->addWidget(ViewSheets);
    hint->addWidget(m_viewBox);
    CheckLevel = new QCheckBox(Panel61);
    CheckLevel->setObjectName(QStringLiteral("CheckLevel"));
    hint->addWidget(CheckLevel);
    Panel61->hide();
    // Without the options beside it the drawing takes the whole width.
    Panel13->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    connect(Button24, &QPushButton::clicked, this, &Tvisualiz::EnterOverview);
    Image2->clicked = [this] { EnterOverview(); };
    Panel61->clicked = [this] {
        if (m_view.overviewMode)
            OverviewClick();
    };
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{ViewSheets, CheckLevel})
        connect(option, &QAbstractButton::toggled, this, [this] {
            if (m_view.overviewMode)
                RedrawView();
        });
}

void Tvisualiz::SetOverviewCaptions()
{
    const std::array<long, 7> titles{191, 484, 704, 705, 212, 142, 143};
    for (std::size_t i = 0; i < titles.size(); ++i)
        m_overviewTitles[i]->setText(M(titles[i]));
    for (std::size_t i = 0; i < m_overviewHint.size(); ++i)
        m_overviewHint[i]->setText(M(699 + static_cast<long>(i)));
    const std::array<long, 4> totals{702, 703, 704, 705};
    for (std::size_t i = 0; i < totals.size(); ++i)
        m_totalsTitles[i]->setText(M(totals[i]));
    m_viewBox->setTitle(M(707));
    ViewPieces->setText(M(274));
    ViewSheets->setText(M(98));
    CheckLevel->setText(M(708));
}

void Tvisualiz::SetOverviewPanels(bool overview)
{
    m_view.overviewMode = overview;
    std::vector<QWidget*> single{Panel11, Panel9,  Panel7, Panel10, Panel15, Panel12, Panel16,
                                 PageControl1, BitBtn9, Panel8, BitBtn8, TrackBar1, Panel38,
                                 Panel1, Panel6};
    single.push_back(PaintBox3);
    single.insert(single.end(), m_figureTitles.begin(), m_figureTitles.end());
    for (QWidget* w : single)
        w->setVisible(!overview);
    Panel61->setVisible(overview);
    if (overview) {
        Panel61->adjustSize();
        Panel61->move(2, 1);
        Panel61->raise();
    } else {
        Panel65->hide();
        Panel31->hide();
        Panel77->hide();
    }
}

void Tvisualiz::EnterOverview()
{
    if (m_state.elements.empty())
        return;
    if (m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    Panel21->hide();
    ShowOverview();
}

void Tvisualiz::ShowOverview()
{
    m_view.overviewCountdown = 0;
    Panel31->hide();
    m_view.slideShow = 0;
    SetOverviewPanels(true);
    // The drawing takes the room the options left, then is drawn once.
    m_suspendDraw = true;
    if (layout())
        layout()->activate();
    m_suspendDraw = false;
    LayOut();
    ButtonJoin->setEnabled(false);
    ButtonSeparate->setEnabled(true);
}

void Tvisualiz::DrawOverviewNow()
{
    m_image.fill(Panel13->palette().window().color());
    OverviewOptions options;
    options.level = CheckLevel->isChecked();
    options.sheets = ViewSheets->isChecked();
    options.cutLines = PageControl1->currentWidget() == TabConfig;
    OverviewResult result;
    {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter);
        DrawContext context = Context(canvas);
        try {
            result = DrawOverview(context, m_view.transform, m_state, Inputs(), m_cells, options);
        } catch (const std::exception& error) {
            result.message = error.what();
        }
    }
    PaintBox1->update();
    const OverviewTotalsTexts totals = MakeOverviewTotalsTexts(m_totals);
    Panel67->setText(ToQString(totals.layouts));
    Panel70->setText(ToQString(totals.sheets));
    Panel71->setText(ToQString(totals.yield));
    Panel73->setText(ToQString(totals.loss));
    if (result.message)
        platform::ShowMessage(*result.message);
}

void Tvisualiz::OverviewMouseMove(int px, int py)
{
    const long long n = m_cells.HitTest(px, py);
    const OverviewCell* cell = m_cells.Cell(n);
    if (n == 0 || !cell) {
        for (QLabel* label : OverviewData)
            label->clear();
        OverviewCountdownMiss(m_view.overviewCountdown);
        return;
    }
    const OverviewHoverTexts t = MakeOverviewHoverTexts(n, *cell, gShared.settings.showDecimals);
    const std::array<std::string, 6> texts{t.layout, t.repetitions, t.yield, t.loss, t.width, t.height};
    for (std::size_t i = 0; i < texts.size(); ++i)
        OverviewData[i]->setText(ToQString(texts[i]));
    m_view.overviewCountdown = kOverviewCountdownHit;
    // Panel77 shows the sheet group's colour as the "Chapas" view draws it.
    QPalette palette = Panel77->palette();
    palette.setColor(QPalette::Window,
                     FromWinColor(GroupColour(cell->group, m_display.brightness, false).screenBrush));
    Panel77->setPalette(palette);
}

void Tvisualiz::OverviewTick(const ViewerTick& tick)
{
    if (tick.showDataPanel && m_view.overviewMode) {
        Panel31->adjustSize();
        Panel31->move(4, Panel13->height() - Panel31->height() - 4);
        Panel77->move(Panel31->x() + Panel31->width() + 6, Panel13->height() - Panel77->height() - 4);
        Panel31->show();
        Panel31->raise();
        Panel77->setVisible(ViewSheets->isChecked());
        Panel77->raise();
    }
    if (tick.hideDataPanel) {
        Panel31->hide();
        Panel77->hide();
    }
    if (tick.showOverview)
        ShowOverview();
}

void Tvisualiz::OverviewClick()
{
    const long long n = OverviewClickTarget(FromQString(OverviewData[0]->text()));
    ResetViewerPanels(m_panels);
    SetOverviewPanels(false);
    m_view.overviewCountdown = 0;
    m_view.transform.deviceOffsetX = m_view.transform.deviceOffsetY = 0;
    for (QLabel* label : OverviewData)
        label->clear();
    m_state.currentLayout = n;
    try {
        ReadCurrentLayout();
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    ResetAfterStep();
}

}  // namespace vor
