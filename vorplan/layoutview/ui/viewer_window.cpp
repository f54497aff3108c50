#include "vorplan/layoutview/ui/viewer_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/ui/colour_legend_window.h"
#include "vorplan/layoutview/ui/layout_export.h"
#include "vorplan/layoutview/ui/report_content_window.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/ui/option_pictures.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

using platform::ToQString;
using platform::FromQString;

Tvisualiz* visualiz = nullptr;

QLabel* DataPanel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(20);
    return label;
}

LayoutPaintBox::LayoutPaintBox(const QImage& image, QWidget* parent) : QWidget(parent), m_image(image)
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void LayoutPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    if (overlay)
        overlay(painter);
}

void LayoutPaintBox::mouseMoveEvent(QMouseEvent* e)
{
    if (moved)
        moved(e->position().toPoint().x(), e->position().toPoint().y());
}

void LayoutPaintBox::mousePressEvent(QMouseEvent* e)
{
    if (pressed)
        pressed(e->position().toPoint().x(), e->position().toPoint().y());
}

void LayoutPaintBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (doubleClicked)
        doubleClicked(e->position().toPoint().x(), e->position().toPoint().y());
}

void LayoutPaintBox::resizeEvent(QResizeEvent*)
{
    if (resized)
        resized();
}

namespace {

constexpr int kSketchWidth = 120;
constexpr int kSketchHeight = 70;
constexpr int kSketchSide = 70;  // room for a distance beside the sketch

}  // namespace

ElementDetailPanel::ElementDetailPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ElementDetailPanel::SetDetail(const ElementDetail& detail, const QString& sheetWord)
{
    m_detail = detail;
    m_sheetWord = sheetWord;
    const QFontMetrics metrics(font());
    int textWidth = 0;
    for (const std::string& line : {detail.title, detail.identity, detail.description, detail.size})
        textWidth = std::max(textWidth, metrics.horizontalAdvance(ToQString(line)));
    const int width = std::max(textWidth, kSketchWidth + 2 * kSketchSide) + 12;
    const int height = 4 * metrics.height() + kSketchHeight + 2 * metrics.height() + 16;
    resize(width, height);
    update();
}

void ElementDetailPanel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(rect(), FromWinColor(m_detail.fill));
    p.setPen(FromWinColor(m_detail.text));
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    int y = 4;
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRect(6, y, width() - 12, line), Qt::AlignLeft, ToQString(m_detail.title));
    p.setFont(font());
    for (const std::string& text : {m_detail.identity, m_detail.description, m_detail.size}) {
        y += line;
        p.drawText(QRect(6, y, width() - 12, line), Qt::AlignLeft, ToQString(text));
    }
    // The sheet, with the element in its place and the four distances around it.
    y += line + line + 4;
    const QRect sheet((width() - kSketchWidth) / 2, y, kSketchWidth, kSketchHeight);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    QRect piece(sheet.left() + static_cast<int>(std::lround(m_detail.sketchX * kSketchWidth)),
                sheet.bottom() - static_cast<int>(std::lround((m_detail.sketchY + m_detail.sketchHeight) * kSketchHeight)),
                std::max(2, static_cast<int>(std::lround(m_detail.sketchWidth * kSketchWidth))),
                std::max(2, static_cast<int>(std::lround(m_detail.sketchHeight * kSketchHeight))));
    p.setBrush(FromWinColor(m_detail.fill));
    p.drawRect(piece.intersected(sheet));
    p.setPen(Qt::darkGray);
    p.drawText(sheet.adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignTop, m_sheetWord);
    p.setPen(FromWinColor(m_detail.text));
    p.drawText(QRect(sheet.left(), sheet.top() - line - 1, kSketchWidth, line), Qt::AlignCenter,
               ToQString(m_detail.top));
    p.drawText(QRect(sheet.left(), sheet.bottom() + 2, kSketchWidth, line), Qt::AlignCenter,
               ToQString(m_detail.bottom));
    p.drawText(QRect(sheet.left() - kSketchSide, sheet.top(), kSketchSide - 4, kSketchHeight),
               Qt::AlignRight | Qt::AlignVCenter, ToQString(m_detail.left));
    p.drawText(QRect(sheet.right() + 5, sheet.top(), kSketchSide - 4, kSketchHeight),
               Qt::AlignLeft | Qt::AlignVCenter, ToQString(m_detail.right));
    p.end();
    QFrame::paintEvent(event);
}

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

Tvisualiz::Tvisualiz(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("visualiz"));
    setWindowTitle(QStringLiteral("Visualização gráfica"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    BuildControls();
    m_activation = new platform::WindowActivation(this);
    m_activation->SetCloseOnDeactivation(true);
    m_activation->SetBeforeClose([this] { SaveOnClose(); });
    connect(m_activation, &platform::WindowActivation::Activated, this, &Tvisualiz::FormActivate);
    // FormCreate: zoom 1, the display shift cleared.
    SetZoom(m_view.transform, 1.0);
    resize(1000, 700);
}

Tvisualiz::~Tvisualiz()
{
    if (visualiz == this)
        visualiz = nullptr;
}

void Tvisualiz::BuildControls()
{
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    root->addLayout(left, 1);

    Panel13 = new QWidget(this);
    Panel13->setObjectName(QStringLiteral("Panel13"));
    Panel13->setAutoFillBackground(true);
    auto* drawLayout = new QVBoxLayout(Panel13);
    drawLayout->setContentsMargins(2, 2, 2, 2);
    PaintBox1 = new LayoutPaintBox(m_image, Panel13);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    drawLayout->addWidget(PaintBox1);
    left->addWidget(Panel13, 1);

    // The layout choice under the drawing.
    auto* stepRow = new QHBoxLayout;
    BitBtn9 = Button(this, "BitBtn9", QStringLiteral("<<"));
    Panel8 = DataPanel(this, "Panel8");
    Panel8->setAlignment(Qt::AlignCenter);
    Panel8->setMinimumWidth(80);
    BitBtn8 = Button(this, "BitBtn8", QStringLiteral(">>"));
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 20);
    TrackBar1->setFocusPolicy(Qt::NoFocus);
    Panel38 = new QWidget(this);
    Panel38->setObjectName(QStringLiteral("Panel38"));
    auto* overviewRow = new QHBoxLayout(Panel38);
    overviewRow->setContentsMargins(0, 0, 0, 0);
    Image2 = new ClickLabel(Panel38);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedSize(20, 20);
    Image2->setFrameShape(QFrame::Box);
    {
        // A small grid of sheets: the way to all layouts at once.
        QPixmap grid(18, 18);
        grid.fill(Qt::white);
        QPainter p(&grid);
        p.setPen(Qt::black);
        p.setBrush(QColor(0x80, 0, 0));
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                p.drawRect(2 + column * 8, 2 + row * 8, 6, 6);
        p.end();
        Image2->setPixmap(grid);
    }
    overviewRow->addWidget(Image2);
    Button24 = Button(Panel38, "Button24", QStringLiteral("Todas"));
    overviewRow->addWidget(Button24);
    stepRow->addWidget(BitBtn9);
    stepRow->addWidget(Panel8);
    stepRow->addWidget(BitBtn8);
    stepRow->addWidget(TrackBar1, 1);
    stepRow->addWidget(Panel38);
    left->addLayout(stepRow);

    // Panel2: the figures, the pie and the pages.
    auto* side = new QVBoxLayout;
    root->addLayout(side);
    Panel11 = DataPanel(this, "Panel11");
    Panel9 = DataPanel(this, "Panel9");
    Panel9->setToolTip(QStringLiteral("Número de repetições  da montagem sendo vizualizada"));
    Panel7 = DataPanel(this, "Panel7");
    Panel10 = DataPanel(this, "Panel10");
    Panel10->setStyleSheet(QStringLiteral("QLabel { background: black; color: lime; }"));
    Panel15 = DataPanel(this, "Panel15");
    Panel15->setStyleSheet(QStringLiteral("QLabel { background: black; color: red; }"));
    Panel12 = DataPanel(this, "Panel12");
    Panel16 = DataPanel(this, "Panel16");
    auto* figures = new QFormLayout;
    const std::pair<const char*, QLabel*> rows[] = {
        {"Dimensões:", Panel11}, {"Qtd.", Panel9}, {"Matéria-Prima utilizada:", Panel7},
        {"Aproveitamento:", Panel10}, {"Perda:", Panel15}, {"Qtd. de peças na chapa:", Panel12}};
    std::size_t titleIndex = 0;
    for (const auto& [title, panel] : rows) {
        panel->setMinimumWidth(160);
        m_figureTitles[titleIndex] = new QLabel(QString::fromUtf8(title), this);
        figures->addRow(m_figureTitles[titleIndex++], panel);
    }
    figures->addRow(Panel16);
    auto* figureRow = new QHBoxLayout;
    figureRow->addLayout(figures, 1);
    side->addLayout(figureRow);
    PaintBox3 = new PaintBox(this, [this](QPainter& p, QSize size) {
        DrawPercentPie(p, size, kLime, m_state.figures.yield);
    });
    PaintBox3->setObjectName(QStringLiteral("PaintBox3"));
    PaintBox3->setFixedSize(80, 80);
    figureRow->addWidget(PaintBox3, 0, Qt::AlignVCenter);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFocusPolicy(Qt::NoFocus);
    PageControl1->setMinimumWidth(400);
    side->addWidget(PageControl1, 1);

    TabEdit = new QWidget;
    auto* edit = new QVBoxLayout(TabEdit);
    auto* show = m_showBox = new QGroupBox(QStringLiteral("Mostrar"), TabEdit);
    auto* showLayout = new QVBoxLayout(show);
    const char* showTexts[] = {"Tudo", "Peças", "Retalhos e Sobras"};
    for (int i = 0; i < 3; ++i) {
        ShowButtons[static_cast<std::size_t>(i)] = new QRadioButton(QString::fromUtf8(showTexts[i]), show);
        ShowButtons[static_cast<std::size_t>(i)]->setFocusPolicy(Qt::NoFocus);
        showLayout->addWidget(ShowButtons[static_cast<std::size_t>(i)]);
    }
    ShowButtons[0]->setChecked(true);
    edit->addWidget(show);
    auto* zoomBox = new QGroupBox(TabEdit);
    auto* zoomGrid = new QGridLayout(zoomBox);
    const char* names[] = {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"};
    const char* texts[] = {"+", "-", "\u2191", "\u2190", "\u2193", "\u2192"};
    for (std::size_t i = 0; i < 6; ++i)
        ZoomPanButtons[i] = Button(zoomBox, names[i], QString::fromUtf8(texts[i]));
    Button10 = Button(zoomBox, "Button10", QStringLiteral("[ ]"));
    zoomGrid->addWidget(ZoomPanButtons[0], 0, 0);
    zoomGrid->addWidget(ZoomPanButtons[1], 0, 2);
    zoomGrid->addWidget(ZoomPanButtons[2], 1, 1);
    zoomGrid->addWidget(ZoomPanButtons[3], 2, 0);
    zoomGrid->addWidget(Button10, 2, 1);
    zoomGrid->addWidget(ZoomPanButtons[5], 2, 2);
    zoomGrid->addWidget(ZoomPanButtons[4], 3, 1);
    edit->addWidget(zoomBox);
    auto* editing = new QGroupBox(TabEdit);
    auto* editingGrid = new QGridLayout(editing);
    ButtonSeparate = Button(editing, "ButtonSeparate", QStringLiteral("Separa peças"));
    ButtonJoin = Button(editing, "ButtonJoin", QStringLiteral("Junta peças"));
    ButtonRouting = Button(editing, "ButtonRouting", QStringLiteral("Caminho do corte"));
    editingGrid->addWidget(ButtonSeparate, 0, 0);
    editingGrid->addWidget(ButtonJoin, 0, 1);
    editingGrid->addWidget(ButtonRouting, 1, 0, 1, 2);
    edit->addWidget(editing);
    auto* piecesBox = m_piecesBox = new QGroupBox(QStringLiteral("Peças"), TabEdit);
    auto* piecesRow = new QHBoxLayout(piecesBox);
    BitBtn10 = Button(piecesBox, "BitBtn10", QStringLiteral("\u21ba"));
    BitBtn11 = Button(piecesBox, "BitBtn11", QStringLiteral("\u21bb"));
    ButtonTurn = Button(piecesBox, "ButtonTurn", QStringLiteral("+/-"));
    ButtonNew = Button(piecesBox, "ButtonNew", QStringLiteral("Nova"));
    ButtonDivide = Button(piecesBox, "ButtonDivide", QStringLiteral("/"));
    for (QPushButton* b : {BitBtn10, BitBtn11, ButtonTurn, ButtonNew, ButtonDivide})
        piecesRow->addWidget(b);
    edit->addWidget(piecesBox);
    auto* sheetsBox = m_sheetsBox = new QGroupBox(QStringLiteral("Chapas"), TabEdit);
    auto* sheetsRow = new QHBoxLayout(sheetsBox);
    ButtonRepeat = Button(sheetsBox, "ButtonRepeat", QStringLiteral("Qtd rpt"));
    sheetsRow->addWidget(ButtonRepeat);
    edit->addWidget(sheetsBox);
    edit->addStretch(1);
    PageControl1->addTab(TabEdit, QStringLiteral("Edição"));

    TabConfig = new QWidget;
    auto* config = new QVBoxLayout(TabConfig);
    CheckDimensions = new QCheckBox(QStringLiteral("Dimensões"), TabConfig);
    config->addWidget(CheckDimensions);
    auto* cuts = new QGroupBox(TabConfig);
    auto* cutLayout = new QVBoxLayout(cuts);
    const char* cutTexts[] = {"Não indicar", "Cortes iniciais", "Todos os cortes", "Corte inicial"};
    for (std::size_t i = 0; i < 4; ++i) {
        CutButtons[i] = new QRadioButton(QString::fromUtf8(cutTexts[i]), cuts);
        CutButtons[i]->setFocusPolicy(Qt::NoFocus);
        cutLayout->addWidget(CutButtons[i]);
    }
    config->addWidget(cuts);
    CheckLeftoverMarks = new QCheckBox(QStringLiteral("Indicações de sobra"), TabConfig);
    config->addWidget(CheckLeftoverMarks);
    auto pair = [&](std::array<QRadioButton*, 2>& buttons, const char* first, const char* second,
                    QCheckBox* lead) {
        auto* box = new QGroupBox(TabConfig);
        auto* row = new QHBoxLayout(box);
        if (lead)
            row->addWidget(lead);
        buttons[0] = new QRadioButton(QString::fromUtf8(first), box);
        buttons[1] = new QRadioButton(QString::fromUtf8(second), box);
        for (QRadioButton* b : buttons) {
            b->setFocusPolicy(Qt::NoFocus);
            row->addWidget(b);
        }
        config->addWidget(box);
    };
    pair(LegendButtons, "Legenda tipo 1", "Legenda tipo 2", nullptr);
    CheckIdentification = new QCheckBox(QStringLiteral("Identificação"), TabConfig);
    pair(IdentButtons, "Código", "Descr.", CheckIdentification);
    pair(ColourButtons, "Cor única", "Cores agrupadas", nullptr);
    auto* lightRow = new QHBoxLayout;
    m_lightLabel = new QLabel(QStringLiteral("Luminosidade"), TabConfig);
    lightRow->addWidget(m_lightLabel);
    TrackBar2 = new QSlider(Qt::Horizontal, TabConfig);
    TrackBar2->setObjectName(QStringLiteral("TrackBar2"));
    TrackBar2->setRange(-50, 230);
    TrackBar2->setFocusPolicy(Qt::NoFocus);
    lightRow->addWidget(TrackBar2, 1);
    ButtonDefault = Button(TabConfig, "ButtonDefault", QStringLiteral("padrão"));
    lightRow->addWidget(ButtonDefault);
    ButtonLegend = Button(TabConfig, "ButtonLegend", QStringLiteral("?"));
    lightRow->addWidget(ButtonLegend);
    config->addLayout(lightRow);
    CheckUnify = new QCheckBox(QStringLiteral("Unifica sobras (auto)"), TabConfig);
    config->addWidget(CheckUnify);
    CheckShowDy = new QCheckBox(QStringLiteral("Mostra DY"), TabConfig);
    CheckAutoCentre = new QCheckBox(QStringLiteral("Centraliza (auto)"), TabConfig);
    config->addWidget(CheckShowDy);
    config->addWidget(CheckAutoCentre);
    config->addStretch(1);
    PageControl1->addTab(TabConfig, QStringLiteral("Configuração"));

    TabPrint = new QWidget;
    auto* print = new QVBoxLayout(TabPrint);
    ListBox1 = new QListWidget(TabPrint);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    BitBtn1 = Button(TabPrint, "BitBtn1", QStringLiteral("Imprime"));
    Button9 = Button(TabPrint, "Button9", QStringLiteral("Configura impressão"));
    print->addWidget(ListBox1, 1);
    print->addWidget(BitBtn1);
    print->addWidget(Button9);
    PageControl1->addTab(TabPrint, QStringLiteral("Impressão"));

    TabReports = new QWidget;
    auto* reports = new QVBoxLayout(TabReports);
    Button3 = Button(TabReports, "Button3", QStringLiteral("Relatório geral ( valores totais )"));
    Button18 = Button(TabReports, "Button18", QStringLiteral("Configura"));
    Button1 = Button(TabReports, "Button1", QStringLiteral("Relatório da montagem atual"));
    reports->addWidget(Button3);
    reports->addWidget(Button18);
    reports->addWidget(Button1);
    reports->addStretch(1);
    PageControl1->addTab(TabReports, QStringLiteral("Relatórios"));

    // The hover detail panel floats over the drawing.
    Panel21 = new ElementDetailPanel(Panel13);
    Panel21->setObjectName(QStringLiteral("Panel21"));
    Panel21->hide();
    Panel1 = DataPanel(this, "Panel1");
    Panel1->setToolTip(QStringLiteral("Coordenadas do cursor (mm)"));
    Panel6 = DataPanel(this, "Panel6");
    Panel65 = DataPanel(this, "Panel65");
    Panel65->hide();
    auto* readOut = new QHBoxLayout;
    readOut->addWidget(Panel1);
    readOut->addWidget(Panel6);
    readOut->addWidget(Panel65);
    side->addLayout(readOut);

    // The editing panels float over the drawing at (20, 20), hidden until asked for.
    Panel59 = new QGroupBox(QStringLiteral("Largura / Altura / Código"), Panel13);
    Panel59->setObjectName(QStringLiteral("Panel59"));
    Panel59->move(20, 20);
    Panel59->hide();
    Panel60 = new QGroupBox(QStringLiteral("Repetições desta montagem ( 0 - 2000 )"), Panel13);
    Panel60->setObjectName(QStringLiteral("Panel60"));
    Panel60->move(20, 20);
    Panel60->hide();

    BuildOverviewPanels();

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tvisualiz::Tick);

    PaintBox1->moved = [this](int x, int y) { MouseMove(x, y); };
    PaintBox1->doubleClicked = [this](int x, int y) { MouseDoubleClick(x, y); };
    PaintBox1->pressed = [this](int x, int y) { MousePress(x, y); };
    PaintBox1->resized = [this] { LayOut(); };

    connect(BitBtn8, &QPushButton::clicked, this, [this] { StepButton(true); });
    connect(BitBtn9, &QPushButton::clicked, this, [this] { StepButton(false); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        if (!m_settingTrackBar)
            GoToLayout(position + 1);
    });
    // Zoom buttons act on the click and repeat while held.
    connect(ZoomPanButtons[0], &QPushButton::pressed, this, [this] { m_view.heldZoomIn = 1; });
    connect(ZoomPanButtons[0], &QPushButton::released, this, [this] {
        m_view.heldZoomIn = 0;
        if (ZoomStep(m_view, m_state, true))
            RedrawView();
    });
    connect(ZoomPanButtons[1], &QPushButton::pressed, this, [this] { m_view.heldZoomOut = 1; });
    connect(ZoomPanButtons[1], &QPushButton::released, this, [this] {
        m_view.heldZoomOut = 0;
        if (ZoomStep(m_view, m_state, false))
            RedrawView();
    });
    const std::array<std::pair<int, int>, 4> pans{{{0, 1}, {1, 0}, {0, -1}, {-1, 0}}};
    for (std::size_t i = 0; i < 4; ++i)
        connect(ZoomPanButtons[i + 2], &QPushButton::clicked, this, [this, d = pans[i]] {
            if (PanButton(m_view, d.first, d.second))
                RedrawView();
            Panel21->hide();
        });
    connect(Button10, &QPushButton::clicked, this, &Tvisualiz::FitViewAndRedraw);
    for (std::size_t i = 0; i < 3; ++i)
        connect(ShowButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_show = static_cast<ShowElements>(i);
            RedrawView();
        });
    for (std::size_t i = 0; i < 4; ++i)
        connect(CutButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_display.cuts = static_cast<CutDisplay>(i);
            RedrawView();
        });
    connect(CheckDimensions, &QCheckBox::toggled, this, [this](bool on) {
        m_display.showDimensions = on;
        RedrawView();
    });
    connect(CheckShowDy, &QCheckBox::toggled, Panel65, &QWidget::setVisible);
    const std::pair<QCheckBox*, bool ViewerDisplaySettings::*> flags[] = {
        {CheckLeftoverMarks, &ViewerDisplaySettings::showLeftoverMarks},
        {CheckIdentification, &ViewerDisplaySettings::showIdentification},
        {CheckUnify, &ViewerDisplaySettings::unifyLeftovers}};
    for (const auto& [box, flag] : flags)
        connect(box, &QCheckBox::toggled, this, [this, member = flag](bool on) {
            m_display.*member = on;
            RedrawView();
        });
    connect(IdentButtons[1], &QRadioButton::toggled, this, [this](bool on) {
        m_display.identification = on ? 1 : 0;
        RedrawView();
    });
    connect(LegendButtons[0], &QRadioButton::toggled, this, [this](bool on) {
        m_display.legendTypeOne = on;
        RedrawView();
    });
    connect(ColourButtons[0], &QRadioButton::toggled, this, [this](bool on) {
        m_display.singleColour = on;
        RedrawView();
    });
    connect(TrackBar2, &QSlider::valueChanged, this, [this](int value) {
        m_display.brightness = value;
        RedrawView();
    });
    connect(ButtonDefault, &QPushButton::clicked, this, [this] { TrackBar2->setValue(0); });
    connect(ButtonLegend, &QPushButton::clicked, this, [this] {
        TForm11* legend = CreateForm11();
        legend->SetGroupColours(TrackBar2->value());
        legend->exec();
    });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { BitBtn1->setEnabled(true); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button18, &QPushButton::clicked, this, &Tvisualiz::Button18Click);
    connect(ButtonRouting, &QPushButton::clicked, this, [this] { Button12Click(); });
    BuildEditing();
    connect(BitBtn1, &QPushButton::clicked, this, &Tvisualiz::PrintMaps);
    connect(Button9, &QPushButton::clicked, this, &Tvisualiz::ConfigureMapPrint);
}

void Tvisualiz::SetCaptions()
{
    const std::array<long, 6> figureSlots{862, 141, 863, 202, 203, 864};
    for (std::size_t i = 0; i < figureSlots.size(); ++i)
        m_figureTitles[i]->setText(M(figureSlots[i]).trimmed());
    Panel9->setToolTip(M(695));
    Button24->setText(M(866));
    PageControl1->setTabText(PageControl1->indexOf(TabEdit), M(867));
    PageControl1->setTabText(PageControl1->indexOf(TabConfig), M(868));
    PageControl1->setTabText(PageControl1->indexOf(TabPrint), M(869));
    PageControl1->setTabText(PageControl1->indexOf(TabReports), M(870));
    ButtonSeparate->setText(M(871));
    ButtonJoin->setText(M(872));
    ButtonRouting->setText(M(873));
    m_piecesBox->setTitle(M(274));
    ButtonNew->setText(M(874));
    m_sheetsBox->setTitle(M(98));
    ButtonRepeat->setText(M(875));
    m_showBox->setTitle(M(155));
    ShowButtons[0]->setText(M(876));
    ShowButtons[1]->setText(M(274));
    ShowButtons[2]->setText(M(877));
    CheckDimensions->setText(M(878));
    CheckLeftoverMarks->setText(M(879));
    LegendButtons[0]->setText(M(880));
    LegendButtons[1]->setText(M(881));
    CheckIdentification->setText(M(882));
    IdentButtons[0]->setText(M(32));
    IdentButtons[1]->setText(M(883));
    const std::array<long, 4> cutSlots{884, 680, 681, 682};
    for (std::size_t i = 0; i < cutSlots.size(); ++i)
        CutButtons[i]->setText(M(cutSlots[i]));
    ColourButtons[0]->setText(M(683));
    ColourButtons[1]->setText(M(684));
    m_lightLabel->setText(M(685));
    ButtonDefault->setText(M(686));
    CheckUnify->setText(M(687));
    CheckShowDy->setText(M(688));
    CheckAutoCentre->setText(M(689));
    BitBtn1->setText(M(690));
    Button9->setText(M(691));
    Button3->setText(M(692));
    Button18->setText(M(193));
    Button1->setText(M(693));
    Panel1->setToolTip(M(694));
    static_cast<QGroupBox*>(Panel59)->setTitle(M(142) + QStringLiteral(" / ") + M(143) +
                                              QStringLiteral(" / ") + M(32));
    static_cast<QGroupBox*>(Panel60)->setTitle(M(696) + QStringLiteral(" ") + M(697));
    SetOverviewCaptions();
    RefreshPanels();
}

void Tvisualiz::ShowDisplaySettings()
{
    // The controls take the stored options without redrawing for each.
    const ViewerDisplaySettings d = m_display;
    std::vector<std::unique_ptr<QSignalBlocker>> blocks;
    for (QWidget* w : std::initializer_list<QWidget*>{
             CheckDimensions, CheckLeftoverMarks, CheckIdentification, CheckUnify, TrackBar2,
             CutButtons[0], CutButtons[1], CutButtons[2], CutButtons[3], IdentButtons[0],
             IdentButtons[1], LegendButtons[0], LegendButtons[1], ColourButtons[0], ColourButtons[1]})
        blocks.push_back(std::make_unique<QSignalBlocker>(w));
    CheckDimensions->setChecked(d.showDimensions);
    CheckLeftoverMarks->setChecked(d.showLeftoverMarks);
    CheckIdentification->setChecked(d.showIdentification);
    CheckUnify->setChecked(d.unifyLeftovers);
    TrackBar2->setValue(d.brightness);
    CutButtons[static_cast<std::size_t>(d.cuts)]->setChecked(true);
    IdentButtons[d.identification == 1 ? 1 : 0]->setChecked(true);
    LegendButtons[d.legendTypeOne ? 0 : 1]->setChecked(true);
    ColourButtons[d.singleColour ? 0 : 1]->setChecked(true);
}

LayoutInputs Tvisualiz::Inputs() const
{
    LayoutInputs inputs;
    inputs.folders = gShared.folders;
    inputs.material = LayoutMaterialOf(gShared.currentMaterialRecord, gShared.currentMaterial);
    inputs.options.unifyLeftovers = m_display.unifyLeftovers;
    inputs.options.longNumbers = !m_display.twoDecimals;
    inputs.options.showDecimals = gShared.settings.showDecimals;
    inputs.options.roundingTypeOne = gShared.settings.roundingTypeOne;
    inputs.options.deductPieceBorder = CurrentReportContent().deductPieceBorder;
    try {
        inputs.pieceBorder = EqualPieceBorder();
    } catch (const std::exception&) {
        inputs.pieceBorder = 0;  // no calculation data: nothing to deduct
    }
    return inputs;
}

void Tvisualiz::FormActivate()
{
    // 1. and 2.: a clean view of layout 1; the pieces joined, no overview countdown.
    ResetViewerPanels(m_panels);
    m_view = ViewerView{};
    SetOverviewPanels(false);
    Panel21->hide();
    m_state.selectedPiece = 0;
    m_state.pickedLeftover = 0;
    m_state.currentLayout = 1;
    gMainRequests.viewRequest = 0;
    BitBtn1->setEnabled(false);
    m_saved = false;
    ResetEditing();
    ResetNewPieceValues();

    // 3. The display settings and the shared geometry.
    try {
        IniFile ini(MainSettingsFile());
        LoadViewerSettings(ini, m_display, m_print, gShared.settings);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    m_view.transform.printerAspect = VerticalFactor(gShared.settings.viewerFactor);
    ShowDisplaySettings();
    const MainWindowGeometry& g = gMainWindow.geometry;
    if (g.fullWidth > 200 && g.freeHeight > 200)
        setGeometry(g.left, g.belowIconBarTop, g.fullWidth, g.freeHeight);

    // 4. Layout 1, or message 710 and an empty view.
    m_state.elements.clear();
    std::error_code missing;
    if (std::filesystem::exists(LayoutFile(1), missing)) {
        LoadMaterial(gShared.currentMaterial);
        FirstDisplay();
    } else {
        platform::ShowMessage(Msg(710));
    }

    // 5. The caption.
    std::string lastList;
    try {
        lastList = ReadLastListName();
    } catch (const std::exception&) {
        lastList.clear();  // no caption line is no reason to refuse the view
    }
    setWindowTitle(ToQString(ViewerCaption(lastList, gShared.currentMaterial,
                                           gShared.currentMaterialRecord.description)));
    m_state.layoutModified = false;
    // 7. The captions in the user's language.
    SetCaptions();
    Timer1->start();
}

void Tvisualiz::FirstDisplay()
{
    WaitCursor wait;
    m_state.currentLayout = 1;
    m_view = ViewerView{};
    m_state.layoutCount = 0;
    const LayoutInputs inputs = Inputs();
    try {
        const LayoutPassResult pass = RunLayoutPass(m_state, inputs, m_totals);
        if (pass.message)
            platform::ShowMessage(*pass.message);
        ReadCurrentLayout();
    } catch (const std::exception& error) {
        m_state.elements.clear();
        platform::ShowMessage(error.what());
        return;
    }
    {
        // Every layout can be reached: the track bar ends at the last one.
        const QSignalBlocker block(TrackBar1);
        TrackBar1->setRange(0, static_cast<int>(std::max<long long>(0, m_state.layoutCount - 1)));
    }
    ListBox1->clear();
    for (long long n = 1; n <= m_state.layoutCount; ++n)
        ListBox1->addItem(QString::number(n));
    ResetAfterStep();
    PageControl1->setCurrentWidget(TabEdit);
}

void Tvisualiz::ReadCurrentLayout()
{
    const std::optional<std::string> message = ReadLayoutFile(m_state, Inputs(), true);
    if (message)
        platform::ShowMessage(*message);
}

void Tvisualiz::ResetAfterStep()
{
    LayOut();
    FitView(m_view, m_state);
    m_state.selectedPiece = 0;
    m_state.pickedLeftover = 0;
    ResetEditing();
    m_view.redrawRequest = true;
    m_settingTrackBar = true;
    TrackBar1->setValue(static_cast<int>(m_state.currentLayout - 1));
    m_settingTrackBar = false;
    RedrawView();
    RefreshPanels();
}

void Tvisualiz::RefreshPanels()
{
    ViewerOptions options = Inputs().options;
    const LayoutPanelTexts t = MakeLayoutPanelTexts(m_state, options);
    Panel11->setText(ToQString(t.sheetSize));
    Panel9->setText(ToQString(t.repetitions));
    Panel7->setText(ToQString(t.sheetDescription));
    Panel10->setText(ToQString(t.yield));
    Panel15->setText(ToQString(t.loss));
    Panel12->setText(ToQString(t.pieces));
    Panel16->setText(M(865) + QStringLiteral(": %1").arg(m_state.distinctPieceCount));
    Panel8->setText(QStringLiteral("%1 / %2").arg(m_state.currentLayout).arg(m_state.layoutCount));
    const LayoutStepButtons steps = UpdateLayoutStepButtons(m_state.currentLayout, m_state.layoutCount);
    BitBtn9->setEnabled(steps.previousEnabled);
    BitBtn8->setEnabled(steps.nextEnabled);
    PaintBox3->update();
}

void Tvisualiz::LayOut()
{
    const QSize size = PaintBox1->size();
    if (size.isEmpty())
        return;
    if (m_image.size() != size) {
        m_image = QImage(size, QImage::Format_RGB32);
        m_image.fill(Panel13->palette().window().color());
    }
    m_view.transform.boxWidth = size.width();
    m_view.transform.boxHeight = size.height();
    m_view.transform.drawingWidth = 4000;
    FitLayout(m_view.transform, LayoutExtent(m_state));
    RedrawView();
}

DrawContext Tvisualiz::Context(Canvas& canvas)
{
    DrawContext c;
    c.canvas = &canvas;
    c.view = &m_view.transform;
    c.display = &m_display;
    c.print = &m_print;
    c.kerf = Inputs().material.kerf;
    c.specialPerimeter = gShared.settings.specialPerimeter > 0;
    c.showDecimals = gShared.settings.showDecimals;
    c.show = m_show;
    c.overviewMode = m_view.overviewMode;
    c.pendingPanSteps = m_view.glideSteps;
    c.pendingZoomSteps = m_view.pendingZoomSteps;
    const QColor face = Panel13->palette().window().color();
    c.background = static_cast<WinColor>(face.red() | face.green() << 8 | face.blue() << 16);
    c.separated = m_editing.Separated();
    c.keys = &m_keys;
    c.cutLines = &m_cutLines;
    return c;
}

void Tvisualiz::RedrawView()
{
    UpdateEditButtons();
    if (m_image.isNull() || m_suspendDraw)
        return;
    if (m_view.overviewMode) {
        DrawOverviewNow();
        return;
    }
    m_image.fill(Panel13->palette().window().color());
    if (m_state.elements.empty()) {
        PaintBox1->update();
        return;
    }
    {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter);
        DrawContext context = Context(canvas);
        RedrawLayout(context, m_state, false);
        if (m_state.selectedPiece > 0)
            DrawSelectionHighlight(context, m_state, m_state.selectedPiece, false);
        if (m_state.pickedLeftover > 0)
            DrawSelectionHighlight(context, m_state, m_state.pickedLeftover, true);
        DrawDy(context);
    }
    PaintBox1->update();
}

void Tvisualiz::DrawDy(DrawContext& context)
{
    const long selected = m_state.selectedPiece;
    if (!CheckShowDy->isChecked() ||
        DyText(m_state, selected, m_selectedLowerHalf, m_hovered, true).empty())
        return;
    // Right of the sheet: a grey strip, the two measured edges and the dimension between them.
    const ViewerElement& s = m_state.Element(selected);
    const ViewerElement& h = m_state.Element(m_hovered);
    const double bottom = m_state.trims.bottom;
    const double y1 = bottom + (m_selectedLowerHalf ? s.y + s.height : s.y);
    const double y2 = bottom + (m_selectedLowerHalf ? h.y + h.height : h.y);
    const int sheetL = m_state.sheetLength;
    const double x = sheetL + std::trunc(sheetL * 0.00625);
    const double width = std::max(1.0, std::trunc(sheetL * 0.05));
    Canvas& canvas = *context.canvas;
    canvas.brush = {0xC0C0C0, BrushStyle::Solid};
    const Point a = DevicePoint(context, x, m_state.sheetHeight);
    const Point b = DevicePoint(context, x + width, 0);
    canvas.FillRect({a.x, a.y, b.x, b.y});
    canvas.pen = {kBlack, 1, PenStyle::Solid};
    DrawLayoutLine(context, std::min<double>(s.x, h.x) + m_state.trims.left, y1, x + width, y1);
    DrawLayoutLine(context, std::min<double>(s.x, h.x) + m_state.trims.left, y2, x + width, y2);
    DrawDimensionLine(context, x + width * 0.5, y1, y2, "DY");
}

void Tvisualiz::FitViewAndRedraw()
{
    if (m_view.overviewMode)
        return;
    FitView(m_view, m_state);
    RedrawView();
}

void Tvisualiz::GoToLayout(long long n)
{
    if (m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    m_state.currentLayout = std::max<long long>(1, n);
    try {
        ReadCurrentLayout();
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    ResetAfterStep();
}

void Tvisualiz::NextLayout()
{
    if (m_view.overviewMode)
        return;
    if (m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    ++m_state.currentLayout;
    try {
        ReadCurrentLayout();
        if (m_state.elements.empty() && m_state.currentLayout > 1) {
            --m_state.currentLayout;  // past the last layout: it stays
            ReadCurrentLayout();
        }
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    ResetAfterStep();
}

void Tvisualiz::PreviousLayout()
{
    if (m_state.currentLayout > 1)
        GoToLayout(m_state.currentLayout - 1);
    else
        GoToLayout(1);
}

void Tvisualiz::StepButton(bool next)
{
    if (next)
        NextLayout();
    else
        PreviousLayout();
    const ElementCount count = CountElements(m_state, true);
    if (count.show)
        platform::ShowMessage(count.text);
}

void Tvisualiz::Tick()
{
    const ViewerTick t = vor::Tick(m_view, m_state, m_state.currentLayout, m_state.layoutCount,
                              gMainRequests.showOverview);
    if (t.stepLayout > 0)
        NextLayout();
    else if (t.stepLayout < 0)
        PreviousLayout();
    if (t.clearSelection) {
        m_state.selectedPiece = 0;
        m_state.pickedLeftover = 0;
    }
    if (t.redraw)
        RedrawView();
    if (t.zoomChanged)
        Panel21->hide();
    OverviewTick(t);
}

void Tvisualiz::MouseMove(int px, int py)
{
    if (m_view.overviewMode) {
        OverviewMouseMove(px, py);
        return;
    }
    if (m_state.elements.empty())
        return;
    const double x = FileX(m_view, m_state, px);
    const double y = FileY(m_view, m_state, py);
    const bool decimals = gShared.settings.showDecimals;
    Panel1->setText(QStringLiteral("X: ") + ToQString(RealToText(std::nearbyint(x), decimals)));
    Panel6->setText(QStringLiteral("Y: ") + ToQString(RealToText(std::nearbyint(y), decimals)));
    const ViewerHits hits = HitTest(m_state, x, y);
    m_hovered = hits.First();
    if (m_hovered == 0) {
        Panel21->hide();
    } else {
        Panel21->SetDetail(MakeElementDetail(m_state, m_hovered, decimals, m_display.brightness,
                                             m_display.singleColour),
                           M(212));
        QPoint at = PaintBox1->mapTo(Panel13, QPoint(px + 16, py + 16));
        at.setX(std::min(at.x(), Panel13->width() - Panel21->width()));
        at.setY(std::min(at.y(), Panel13->height() - Panel21->height()));
        Panel21->move(at);
        Panel21->show();
        Panel21->raise();
    }
    if (CheckShowDy->isChecked()) {
        const std::string dy =
            DyText(m_state, m_state.selectedPiece, m_selectedLowerHalf, m_hovered, decimals);
        Panel65->setText(ToQString(dy));
        Panel65->setVisible(!dy.empty());
        if (m_hovered != m_dyHovered) {
            m_dyHovered = m_hovered;
            RedrawView();
        }
    }
    TrackPreview(px, py);
}

void Tvisualiz::MousePress(int px, int py)
{
    if (m_view.overviewMode) {
        OverviewClick();
        return;
    }
    if (m_state.elements.empty())
        return;
    EditClick(px, py);
}

void Tvisualiz::MouseDoubleClick(int px, int py)
{
    if (m_view.overviewMode || m_state.elements.empty())
        return;
    StartGlide(m_view, px, py);
}

void Tvisualiz::CloseWithRequest()
{
    close();
}

void Tvisualiz::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    m_view.slideShow = 0;
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key == Qt::Key_Control)
        return;
    Panel21->hide();
    // Desktops take Alt+F-keys for themselves: Ctrl+Shift answers the same.
    const bool alt = held == Qt::AltModifier || held == (Qt::ControlModifier | Qt::ShiftModifier);
    const bool ctrl = held & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Escape:
        m_state.selectedPiece = 0;
        m_state.pickedLeftover = 0;
        RedrawView();
        return;
    case Qt::Key_F1: {
        WaitCursor wait;
        MainWindowCalls().ShowHelpText();
        return;
    }
    case Qt::Key_F2:
        gMainRequests.tableRequest = alt ? 2 : 1;
        CloseWithRequest();
        return;
    case Qt::Key_F3:
        gMainRequests.sheetTableRequest = true;
        CloseWithRequest();
        return;
    case Qt::Key_F4: {
        const ElementCount count = CountElements(m_state, false);
        if (count.show)
            platform::ShowMessage(count.text);
        return;
    }
    case Qt::Key_F9:
        if (alt && !m_view.overviewMode)
            m_view.slideShow = 1;
        return;
    case Qt::Key_F10:
        if (alt && m_view.overviewMode)
            CaptureAndExport();
        return;
    case Qt::Key_F12:
        gMainRequests.viewRequest = 1;
        CloseWithRequest();
        return;
    case Qt::Key_C:
        if (ctrl)
            FitViewAndRedraw();
        return;
    case Qt::Key_R:
        if (ctrl)
            RotateSelected();
        return;
    case Qt::Key_Space:
    case Qt::Key_Plus:
        if (ctrl && (key == Qt::Key_Space || (modifiers & Qt::KeypadModifier)))
            NextLayout();
        return;
    case Qt::Key_Minus:
        if (ctrl && (modifiers & Qt::KeypadModifier))
            PreviousLayout();
        return;
    default:
        return;
    }
}

void Tvisualiz::CaptureAndExport()
{
    const QPalette face = Panel13->palette();
    QPalette white = face;
    white.setColor(QPalette::Window, Qt::white);
    Panel13->setPalette(white);
    RedrawView();
    const QImage picture = CaptureLayoutToClipboard(*PaintBox1);
    Panel13->setPalette(face);
    RedrawView();
    ExportLayoutToDocument(picture, gShared.currentMaterial,
                           {Msg(344) + FromQString(Panel67->text()), Msg(345) + FromQString(Panel70->text()),
                            Msg(346) + FromQString(Panel71->text()), Msg(347) + FromQString(Panel73->text())});
}

void Tvisualiz::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers());
    event->accept();
}

void Tvisualiz::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_state.elements.empty()) {
        // Closing inside a paint is no good: it is queued.
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && m_state.elements.empty())
                close();
        });
        return;
    }
    if (!gMainRequests.showOverview && reportStarted) {
        reportStarted = false;
        RedrawView();
    }
}

void Tvisualiz::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void Tvisualiz::SaveOnClose()
{
    if (m_saved)
        return;
    m_saved = true;
    ResetViewerPanels(m_panels);
    if (m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    try {
        IniFile ini(MainSettingsFile());
        SaveViewerSettings(ini, m_display, m_print, gShared.settings);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
}

void Tvisualiz::closeEvent(QCloseEvent* event)
{
    m_view.slideShow = 0;
    Timer1->stop();
    SaveOnClose();
    QDialog::closeEvent(event);
}

Tvisualiz* CreateVisualiz()
{
    if (!visualiz)
        visualiz = new Tvisualiz;
    return visualiz;
}

void ShowLayoutViewer()
{
    // The driver leaves the current material as it was before the run.
    if (gShared.calcLists.materials.count == 1)
        gShared.currentMaterial = gShared.calcLists.materials.entries[1].code;
    Tvisualiz* form = CreateVisualiz();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace vor
