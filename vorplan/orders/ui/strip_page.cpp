#include "vorplan/orders/ui/strip_page.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/run_job.h"
#include "vorplan/optimiser/ui/run_controller.h"
#include "vorplan/orders/ui/table_window.h"

namespace vor {

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

int Pixels(double value)
{
    return static_cast<int>(std::lround(value));
}

// The lists show items the page owns; the model only counts them.
class CountModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_count;
    }
    QVariant data(const QModelIndex&, int) const override { return {}; }
    void SetCount(int count)
    {
        beginResetModel();
        m_count = count;
        endResetModel();
    }

private:
    int m_count = 0;
};

QFont ListFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// ListBox1: number, nx x ny, the strip's sketch, its yield and strips needed.
class OptionDelegate : public QStyledItemDelegate {
public:
    OptionDelegate(const StripPage& page, QListView* view)
        : QStyledItemDelegate(view), m_page(page), m_view(view)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const auto row = static_cast<std::size_t>(index.row());
        if (row >= m_page.Options().size())
            return {};
        const double height = static_cast<double>(m_page.Options()[row].height);
        int pixels = std::max(70, Pixels(height * m_page.OptionScale() + 20));
        const int whole = m_view->viewport()->height();
        if (pixels > whole - 10)
            pixels = whole;
        return {m_view->viewport()->width(), pixels};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const auto row = static_cast<std::size_t>(index.row());
        if (row >= m_page.Options().size())
            return;
        const StripOption& o = m_page.Options()[row];
        const QRect r = option.rect;
        painter->save();
        QColor background = Qt::white;
        if (option.state & QStyle::State_Selected)
            background = QColor(200, 220, 255);
        else if (o.selected)
            background = QColor(255, 250, 205);
        painter->fillRect(r, background);
        painter->setFont(ListFont(8, true));
        painter->setPen(Qt::black);
        const int line = painter->fontMetrics().height();
        painter->drawText(r.left() + 5, r.top() + 2 + line, QString::number(o.number) + Q(":"));
        painter->setFont(ListFont(8, false));
        painter->drawText(r.left() + 5, r.top() + 2 + 2 * line,
                          QString::number(o.across) + Q(" x ") + QString::number(o.along));

        const double s = m_page.OptionScale();
        const int left = r.left() + kSketchLeft;
        const int top = r.top() + 10;
        painter->setPen(Qt::black);
        painter->setBrush(QColor(255, 255, 0));
        painter->drawRect(left, top, Pixels(o.width * s), Pixels(o.height * s));
        painter->setBrush(QColor(0, 128, 0));
        for (int column = 1; column <= o.across; ++column)
            for (int boardRow = 1; boardRow <= o.along; ++boardRow) {
                const double x = o.borderLeft + (column - 1) * static_cast<double>(o.boardWidth + o.gapAcross);
                const double y = o.borderTop + (boardRow - 1) * static_cast<double>(o.boardHeight + o.gapAlong);
                const int x1 = Pixels(x * s), y1 = Pixels(y * s);
                const int x2 = Pixels((x + o.boardWidth) * s), y2 = Pixels((y + o.boardHeight) * s);
                painter->drawRect(left + x1, top + y1, x2 - x1, y2 - y1);
            }

        const int textLeft = r.left() + kSketchLeft + (m_view->viewport()->width() - 20) / 4 + 20;
        const QString yield = o.yield < 0 ? Q("??.??") : platform::ToQString(RealToStr2(o.yield));
        painter->setPen(Qt::black);
        painter->drawText(textLeft, r.top() + 2 + line, Q("Corte: ") + yield + Q(" %"));
        painter->drawText(textLeft, r.top() + 2 + 2 * line,
                          Q("  Qtd: ") + QString::number(o.stripsNeeded));
        painter->setPen(QColor(192, 192, 192));
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }

    static constexpr int kSketchLeft = 60;

private:
    const StripPage& m_page;
    QListView* m_view;
};

// ListBox2: the summary, then one item per sheet kind with its sketch.
class CutDelegate : public QStyledItemDelegate {
public:
    CutDelegate(const StripPage& page, QListView* view)
        : QStyledItemDelegate(view), m_page(page), m_view(view)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        if (!m_page.LastCut())
            return {};
        const int height = index.row() == 0
                               ? kStripSummaryHeight
                               : StripKindItemHeight(*m_page.LastCut(),
                                                     static_cast<std::size_t>(index.row() - 1),
                                                     m_page.Display());
        return {m_view->viewport()->width(), height};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!m_page.LastCut())
            return;
        const StripRunResult& run = *m_page.LastCut();
        const QRect r = option.rect;
        painter->save();
        painter->fillRect(r, Qt::white);
        painter->setBackgroundMode(Qt::TransparentMode);
        const bool showDecimals = gShared.settings.showDecimals;
        std::vector<CutListLine> lines;
        const std::size_t kind = static_cast<std::size_t>(index.row() - 1);
        if (index.row() == 0)
            lines = StripSummaryLines(run, showDecimals);
        else
            lines = StripKindLines(run, kind, m_page.Display(), showDecimals);
        for (const CutListLine& line : lines) {
            const QFont font = ListFont(line.pointSize, line.bold);
            painter->setFont(font);
            painter->setPen(FromWinColor(line.colour));
            // The offset is the text's top, as the list draws it.
            painter->drawText(r.left() + 5, r.top() + line.offset + QFontMetrics(font).ascent(),
                              platform::ToQString(line.text));
        }
        if (index.row() > 0 && kind < run.kinds.size() && run.kinds[kind].strips > 0)
            DrawSketch(*painter, run, run.kinds[kind].layout,
                       QPoint(r.left() + 5, r.top() + 5 + 13 * static_cast<int>(lines.size())));
        painter->setPen(QColor(192, 192, 192));
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }

private:
    static void DrawSketch(QPainter& painter, const StripRunResult& run, const StripLayout& layout,
                           QPoint origin)
    {
        const double s = run.scale;
        const double sh = layout.sheetHeight;
        painter.setPen(Qt::black);
        painter.setBrush(QColor(0, 255, 255));
        painter.drawRect(origin.x(), origin.y(), Pixels(layout.sheetWidth * s), Pixels(sh * s));
        for (const StripLayoutEntry& e : layout.entries) {
            painter.setBrush(e.state == 1 ? QColor(255, 255, 0) : QColor(255, 0, 0));
            // y grows upward from the sheet's lower left corner.
            const int x1 = origin.x() + Pixels(s * e.x);
            const int x2 = origin.x() + Pixels(s * (e.x + e.width));
            const int y1 = origin.y() + Pixels(s * (sh - e.y - e.height));
            const int y2 = origin.y() + Pixels(s * (sh - e.y));
            painter.drawRect(x1, y1, x2 - x1, y2 - y1);
        }
    }

    const StripPage& m_page;
    QListView* m_view;
};

// A title of a parameter: grey while its field is disabled.
QLabel* Title(const char* text, QWidget* parent)
{
    auto* label = new QLabel(Q(text), parent);
    label->setStyleSheet(QStringLiteral("QLabel:disabled { color: rgb(128,128,128); }"));
    return label;
}

QLineEdit* Field(const char* name, QWidget* parent, int width = 60)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(width);
    return edit;
}

}  // namespace

// What a run on the worker thread hands back.
struct StripJobResult {
    enum class Kind { Yields, Cut } kind = Kind::Yields;
    long long material = 0;
    SheetKindOrder order = SheetKindOrder::List;
    DataFolders folders;
    // Yields: the options in, their yields out. Cut: the strip.
    std::vector<StripOption> options;
    std::int64_t width = 0, height = 0;
    long long quantity = 0;
    int status = 0;
    bool zeroStrip = false;
    std::optional<StripRunResult> run;
};

namespace {

class StripJob : public RunJob {
public:
    explicit StripJob(std::shared_ptr<StripJobResult> result) : m_result(std::move(result)) {}

    int Run(RunProgressSink&, RunFlags& flags) override
    {
        StripJobResult& r = *m_result;
        const SheetKindsRead read = ReadSheetKinds(r.folders, r.material, r.order);
        r.status = read.status;
        if (r.status != 0)
            return 0;
        if (r.kind == StripJobResult::Kind::Yields) {
            r.zeroStrip = ComputeOptionYields(r.options, read.kinds, &flags.closing);
        } else {
            r.run = RunStripCut(r.width, r.height, r.quantity, read.kinds, &flags.closing);
            r.zeroStrip = r.run->zeroStrip;
        }
        return 0;
    }

private:
    std::shared_ptr<StripJobResult> m_result;
};

}  // namespace

StripPage::StripPage(Ttabela& window, QWidget& page)
    : QWidget(&page), m_window(window), m_runner(new RunController(this))
{
    setObjectName(QStringLiteral("StripPage"));
    auto* fill = new QVBoxLayout(&page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(this);
    Build();
    connect(m_runner, &RunController::runEnded, this, [this] { RunEnded(); });
}

StripPage::~StripPage() = default;

void StripPage::Build()
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(BuildParameters());
    row->addWidget(BuildOptions(), 3);
    row->addWidget(BuildCuts(), 2);

    Panel46 = new QLabel(Q("Aguarde ..."), this);
    Panel46->setObjectName(QStringLiteral("Panel46"));
    Panel46->setAlignment(Qt::AlignCenter);
    Panel46->setStyleSheet(QStringLiteral(
        "QLabel { background-color: rgb(255,255,192); border: 2px solid gray; font-weight: bold; }"));
    Panel46->resize(160, 50);
    Panel46->hide();
}

QWidget* StripPage::BuildParameters()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* board = new QGroupBox(Q("Propriedades da PCI"), column);
    board->setObjectName(QStringLiteral("BoardGroup"));
    auto* bg = new QGridLayout(board);
    Edit11 = Field("Edit11", board);
    Edit12 = Field("Edit12", board);
    CheckBox7 = new QCheckBox(Q("Giro de PCI permitido"), board);
    CheckBox7->setObjectName(QStringLiteral("CheckBox7"));
    Edit28 = Field("Edit28", board);
    Edit32 = Field("Edit32", board);
    MaterialName = new QLabel(board);
    MaterialName->setObjectName(QStringLiteral("MaterialName"));
    MaterialName->setWordWrap(true);
    const std::pair<const char*, QLineEdit*> boardFields[] = {
        {"L =", Edit11}, {"A =", Edit12}, {"Quantidade desejada", Edit28}, {"Material", Edit32}};
    int r = 0;
    for (const auto& [text, edit] : boardFields) {
        QLabel* title = Title(text, board);
        m_parameterTitles.push_back(title);
        m_parameterEdits.push_back(edit);
        bg->addWidget(title, r, 0);
        bg->addWidget(edit, r, 1);
        if (edit == Edit12)
            bg->addWidget(CheckBox7, ++r, 0, 1, 2);
        ++r;
    }
    bg->addWidget(MaterialName, r, 0, 1, 2);
    layout->addWidget(board);

    auto* strip = new QGroupBox(Q("Propriedades da tira"), column);
    strip->setObjectName(QStringLiteral("StripPropertiesGroup"));
    auto* sg = new QGridLayout(strip);
    Edit13 = Field("Edit13", strip);
    Edit15 = Field("Edit15", strip);
    Edit29 = Field("Edit29", strip);
    Edit30 = Field("Edit30", strip);
    Edit22 = Field("Edit22", strip);
    Edit26 = Field("Edit26", strip);
    Edit23 = Field("Edit23", strip);
    Edit27 = Field("Edit27", strip);
    Edit24 = Field("Edit24", strip);
    Edit31 = Field("Edit31", strip);
    Edit25 = Field("Edit25", strip);
    const std::pair<const char*, QLineEdit*> stripFields[] = {
        {"Borda esquerda", Edit13},     {"Borda direita", Edit15},
        {"Borda superior", Edit29},     {"Borda inferior", Edit30},
        {"Espaço entre PCIs", Edit22},  {"Largura mínima", Edit26},
        {"Largura máxima", Edit23},     {"Altura mínima", Edit27},
        {"Altura máxima", Edit24},      {"Mínimo de PCI / tira", Edit31},
        {"Máximo de PCI / tira", Edit25}};
    r = 0;
    for (const auto& [text, edit] : stripFields) {
        QLabel* title = Title(text, strip);
        m_parameterTitles.push_back(title);
        m_parameterEdits.push_back(edit);
        sg->addWidget(title, r, 0);
        sg->addWidget(edit, r, 1);
        ++r;
    }
    layout->addWidget(strip);

    CheckBox14 = new QCheckBox(Q("Cálculo automático"), column);
    CheckBox14->setObjectName(QStringLiteral("CheckBox14"));
    CheckBox14->setChecked(true);  // at program start; kept from one opening to the next
    GenerateButton = MakeButton(column, nullptr, Q("Gera opções de tiras"));
    GenerateButton->setObjectName(QStringLiteral("GenerateButton"));
    layout->addWidget(CheckBox14);
    layout->addWidget(GenerateButton);

    StripGroup = new QGroupBox(Q("Tira a ser cortada"), column);
    StripGroup->setObjectName(QStringLiteral("StripGroup"));
    auto* tg = new QGridLayout(StripGroup);
    Edit33 = Field("Edit33", StripGroup);
    Edit34 = Field("Edit34", StripGroup);
    Edit35 = Field("Edit35", StripGroup);
    Edit36 = Field("Edit36", StripGroup, 150);
    const std::pair<const char*, QLineEdit*> cutFields[] = {
        {"Qtd", Edit33}, {"Largura", Edit34}, {"Altura", Edit35}, {"Descrição", Edit36}};
    r = 0;
    for (const auto& [text, edit] : cutFields) {
        QLabel* title = Title(text, StripGroup);
        m_stripTitles.push_back(title);
        tg->addWidget(title, r, 0);
        tg->addWidget(edit, r, 1);
        ++r;
    }
    Button10 = MakeButton(StripGroup, nullptr, Q("Calcula corte"));
    Button10->setObjectName(QStringLiteral("Button10"));
    Button8 = MakeButton(StripGroup, nullptr, Q("Visualiza"));
    Button8->setObjectName(QStringLiteral("Button8"));
    Button8->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button10);
    buttons->addWidget(Button8);
    tg->addLayout(buttons, r, 0, 1, 2);
    layout->addWidget(StripGroup);
    layout->addStretch(1);

    for (QLineEdit* edit : m_parameterEdits) {
        connect(edit, &QLineEdit::textEdited, this, [this] { ParameterChanged(); });
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { ParameterLeft(edit); });
    }
    for (QLineEdit* edit : {Edit33, Edit34, Edit35, Edit36})
        connect(edit, &QLineEdit::editingFinished, this, [this] { StoreValues(); });
    connect(CheckBox7, &QCheckBox::clicked, this, [this] {
        ParameterChanged();
        ParameterLeft(nullptr);
    });
    connect(CheckBox14, &QCheckBox::clicked, this, [this] { CheckBox14Click(); });
    connect(GenerateButton, &QPushButton::clicked, this, [this] { Generate(); });
    connect(Button10, &QPushButton::clicked, this, [this] { Button10Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    return column;
}

QWidget* StripPage::BuildOptions()
{
    auto* group = new QGroupBox(Q("Opções de tiras"), this);
    group->setObjectName(QStringLiteral("OptionsGroup"));
    auto* layout = new QVBoxLayout(group);
    auto* headings = new QWidget(group);
    headings->setObjectName(QStringLiteral("OptionHeadings"));
    auto* tira = new QLabel(Q("Tira"), headings);
    auto* view = new QLabel(Q("Visualização"), headings);
    auto* yields = new QLabel(Q("Rendimentos "), headings);
    tira->move(5, 0);
    view->move(OptionDelegate::kSketchLeft, 0);
    yields->setObjectName(QStringLiteral("YieldHeading"));
    headings->setFixedHeight(tira->sizeHint().height());
    layout->addWidget(headings);

    ListBox1 = new QListView(group);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    auto* model = new CountModel(ListBox1);
    m_optionsModel = model;
    ListBox1->setModel(model);
    ListBox1->setItemDelegate(new OptionDelegate(*this, ListBox1));
    ListBox1->setUniformItemSizes(false);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(ListBox1, 1);
    connect(ListBox1, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { TakeOption(index.row()); });
    return group;
}

QWidget* StripPage::BuildCuts()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    GroupBox8 = new QGroupBox(Q("Cortes da tira selecionada"), column);
    GroupBox8->setObjectName(QStringLiteral("GroupBox8"));
    auto* gl = new QVBoxLayout(GroupBox8);
    ListBox2 = new QListView(GroupBox8);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    auto* model = new CountModel(ListBox2);
    m_cutsModel = model;
    ListBox2->setModel(model);
    ListBox2->setItemDelegate(new CutDelegate(*this, ListBox2));
    ListBox2->setUniformItemSizes(false);
    ListBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox2->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListBox2->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gl->addWidget(ListBox2, 1);
    DisplayButton = MakeButton(GroupBox8, nullptr, Q("Visualização de dados"));
    DisplayButton->setObjectName(QStringLiteral("DisplayButton"));
    gl->addWidget(DisplayButton);
    GroupBox8->hide();
    layout->addWidget(GroupBox8, 1);
    // Takes the room while the cut list is hidden.
    layout->addStretch(0);

    auto* sheets = new QGroupBox(Q("Uso das chapas"), column);
    sheets->setObjectName(QStringLiteral("SheetOrderGroup"));
    auto* sl = new QVBoxLayout(sheets);
    RadioButton1 = new QRadioButton(Q("Conforme a lista"), sheets);
    RadioButton2 = new QRadioButton(Q("Primeiro as grandes"), sheets);
    RadioButton3 = new QRadioButton(Q("Primeiro as pequenas"), sheets);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3})
        sl->addWidget(b);
    layout->addWidget(sheets);

    auto* strips = new QGroupBox(Q("Ordem das tiras"), column);
    strips->setObjectName(QStringLiteral("StripOrderGroup"));
    auto* tl = new QVBoxLayout(strips);
    RadioButton4 = new QRadioButton(Q("Sem ordenar"), strips);
    RadioButton6 = new QRadioButton(Q("Aproveitamento de corte"), strips);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton6->setObjectName(QStringLiteral("RadioButton6"));
    tl->addWidget(RadioButton4);
    tl->addWidget(RadioButton6);
    layout->addWidget(strips);

    Panel44 = new QFrame(this);
    Panel44->setObjectName(QStringLiteral("Panel44"));
    Panel44->setFrameShape(QFrame::Box);
    Panel44->setAutoFillBackground(true);
    auto* pl = new QVBoxLayout(Panel44);
    pl->addWidget(new QLabel(Q("Visualização de dados das montagens"), Panel44));
    CheckBox16 = new QCheckBox(Q("Número da montagem"), Panel44);
    CheckBox9 = new QCheckBox(Q("Dimensões"), Panel44);
    CheckBox12 = new QCheckBox(Q("Área"), Panel44);
    CheckBox10 = new QCheckBox(Q("Qtd tiras"), Panel44);
    CheckBox13 = new QCheckBox(Q("Área tiras"), Panel44);
    CheckBox11 = new QCheckBox(Q("Qtd retalhos"), Panel44);
    CheckBox17 = new QCheckBox(Q("Qtd da montagem"), Panel44);
    CheckBox15 = new QCheckBox(Q("Aproveitamento"), Panel44);
    const std::pair<QCheckBox*, const char*> boxes[] = {
        {CheckBox16, "CheckBox16"}, {CheckBox9, "CheckBox9"},   {CheckBox12, "CheckBox12"},
        {CheckBox10, "CheckBox10"}, {CheckBox13, "CheckBox13"}, {CheckBox11, "CheckBox11"},
        {CheckBox17, "CheckBox17"}, {CheckBox15, "CheckBox15"}};
    for (const auto& [box, name] : boxes) {
        box->setObjectName(QLatin1String(name));
        pl->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { DisplayChanged(); });
    }
    Panel44Ok = MakeButton(Panel44, nullptr, QStringLiteral("Ok"));
    Panel44Ok->setObjectName(QStringLiteral("Panel44Ok"));
    pl->addWidget(Panel44Ok);
    Panel44->adjustSize();
    Panel44->hide();
    connect(DisplayButton, &QPushButton::clicked, this, [this] {
        PlaceOverlays();
        Panel44->show();
        Panel44->raise();
    });
    connect(Panel44Ok, &QPushButton::clicked, Panel44, &QWidget::hide);
    return column;
}

void StripPage::PlaceOverlays()
{
    const QPoint listAt = ListBox1->mapTo(this, QPoint(0, 0));
    Panel46->move(listAt.x() + (ListBox1->width() - Panel46->width()) / 2,
                  listAt.y() + (ListBox1->height() - Panel46->height()) / 2);
    const QPoint cutsAt = GroupBox8->mapTo(this, QPoint(0, 0));
    Panel44->move(std::max(0, cutsAt.x() + GroupBox8->width() - Panel44->width() - 4),
                  cutsAt.y() + 20);
    if (auto* yields = findChild<QLabel*>(QStringLiteral("YieldHeading")))
        yields->move(OptionDelegate::kSketchLeft + (ListBox1->viewport()->width() - 20) / 4 + 20, 0);
}

void StripPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceOverlays();
    if (!m_options.empty()) {
        m_scale = StripListScale(m_generation, ListBox1->viewport()->width(),
                                 ListBox1->viewport()->height());
        ListBox1->doItemsLayout();
    }
}

void StripPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    PlaceOverlays();
    if (m_generateOnShow)
        QTimer::singleShot(0, this, [this] { GenerateOnOpening(); });
}

// ---- Opening and closing ---------------------------------------------------------------------

void StripPage::Opened()
{
    m_generateOnShow = false;
    if (m_window.Document().Kind() != TableKind::Pieces || !gShared.settings.pcbOption)
        return;
    Abandon();
    m_options.clear();
    m_generation = {};
    m_lastCut.reset();
    ResetOptionsList();
    ResetCutList();
    GroupBox8->hide();
    Button8->hide();
    Panel44->hide();
    ReadSettings();
    FillFields(m_window.Document().Description().pcb);
    ApplyAutomatic();
    ShowMaterialName();
    m_generateOnShow = CheckBox14->isChecked();
    QTimer::singleShot(0, this, [this] { GenerateOnOpening(); });
}

void StripPage::GenerateOnOpening()
{
    if (!m_generateOnShow || !isVisible())
        return;
    m_generateOnShow = false;
    Generate();
}

void StripPage::Closing()
{
    m_generateOnShow = false;
    Abandon();
    Panel44->hide();
    if (m_window.Document().Kind() != TableKind::Pieces || !gShared.settings.pcbOption)
        return;
    try {
        IniFile ini(MainSettingsFile());
        WriteStripTabSettings(ini, SettingsOfControls());
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
}

void StripPage::ReadSettings()
{
    StripTabSettings s;
    try {
        s = ReadStripTabSettings(IniFile(MainSettingsFile()));
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    m_filling = true;
    RadioButton1->setChecked(s.sheetOrder == SheetKindOrder::List);
    RadioButton2->setChecked(s.sheetOrder == SheetKindOrder::LargestFirst);
    RadioButton3->setChecked(s.sheetOrder == SheetKindOrder::SmallestFirst);
    RadioButton6->setChecked(s.orderByYield);
    RadioButton4->setChecked(!s.orderByYield);
    CheckBox16->setChecked(s.display.layoutNumber);
    CheckBox9->setChecked(true);  // "Dimensões" at every opening
    CheckBox12->setChecked(s.display.area);
    CheckBox10->setChecked(s.display.stripCount);
    CheckBox13->setChecked(s.display.stripArea);
    CheckBox11->setChecked(s.display.leftoverCount);
    CheckBox17->setChecked(s.display.sheetCount);
    CheckBox15->setChecked(s.display.yield);
    m_filling = false;
    DisplayChanged();
}

StripTabSettings StripPage::SettingsOfControls() const
{
    StripTabSettings s;
    s.sheetOrder = SheetOrder();
    s.orderByYield = RadioButton6->isChecked();
    s.display = m_display;
    return s;
}

SheetKindOrder StripPage::SheetOrder() const
{
    if (RadioButton1->isChecked())
        return SheetKindOrder::List;
    return RadioButton2->isChecked() ? SheetKindOrder::LargestFirst : SheetKindOrder::SmallestFirst;
}

void StripPage::DisplayChanged()
{
    if (m_filling)
        return;
    m_display.layoutNumber = CheckBox16->isChecked();
    m_display.dimensions = CheckBox9->isChecked();
    m_display.area = CheckBox12->isChecked();
    m_display.stripCount = CheckBox10->isChecked();
    m_display.stripArea = CheckBox13->isChecked();
    m_display.leftoverCount = CheckBox11->isChecked();
    m_display.sheetCount = CheckBox17->isChecked();
    m_display.yield = CheckBox15->isChecked();
    // Item heights follow the ticked lines.
    ResetCutList();
}

// ---- Fields --------------------------------------------------------------------------------------

void StripPage::FillFields(const PcbStripValues& v)
{
    m_filling = true;
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {Edit11, &v.boardWidth},     {Edit12, &v.boardHeight},       {Edit28, &v.wantedBoards},
        {Edit32, &v.material},       {Edit13, &v.borderLeft},        {Edit15, &v.borderRight},
        {Edit29, &v.borderTop},      {Edit30, &v.borderBottom},      {Edit22, &v.boardGap},
        {Edit26, &v.minStripWidth},  {Edit23, &v.maxStripWidth},     {Edit27, &v.minStripHeight},
        {Edit24, &v.maxStripHeight}, {Edit31, &v.minBoardsPerStrip}, {Edit25, &v.maxBoardsPerStrip},
        {Edit33, &v.stripQuantity},  {Edit34, &v.stripWidth},        {Edit35, &v.stripHeight},
        {Edit36, &v.stripDescription}};
    for (const auto& [edit, text] : fields)
        edit->setText(platform::ToQString(*text));
    CheckBox7->setChecked(v.mayTurn);
    m_lastTexts.clear();
    for (QLineEdit* edit : m_parameterEdits)
        m_lastTexts.push_back(edit->text());
    m_filling = false;
}

PcbStripValues StripPage::ValuesOfFields() const
{
    auto text = [](const QLineEdit* edit) { return platform::FromQString(edit->text()); };
    PcbStripValues v;
    v.boardWidth = text(Edit11);
    v.boardHeight = text(Edit12);
    v.material = text(Edit32);
    v.mayTurn = CheckBox7->isChecked();
    v.wantedBoards = text(Edit28);
    v.minBoardsPerStrip = text(Edit31);
    v.maxBoardsPerStrip = text(Edit25);
    v.borderLeft = text(Edit13);
    v.borderRight = text(Edit15);
    v.borderTop = text(Edit29);
    v.borderBottom = text(Edit30);
    v.boardGap = text(Edit22);
    v.minStripWidth = text(Edit26);
    v.minStripHeight = text(Edit27);
    v.maxStripWidth = text(Edit23);
    v.maxStripHeight = text(Edit24);
    v.stripQuantity = text(Edit33);
    v.stripWidth = text(Edit34);
    v.stripHeight = text(Edit35);
    v.stripDescription = text(Edit36);
    return v;
}

void StripPage::StoreValues()
{
    if (!m_filling)
        m_window.SetStripValues(ValuesOfFields());
}

void StripPage::ApplyAutomatic()
{
    const bool automatic = CheckBox14->isChecked();
    for (QLineEdit* edit : m_parameterEdits)
        edit->setEnabled(automatic);
    for (QLabel* title : m_parameterTitles)
        title->setEnabled(automatic);
    CheckBox7->setEnabled(automatic);
    m_generateEnabled = true;
    GenerateButton->setEnabled(automatic);
    for (QLineEdit* edit : {Edit33, Edit34, Edit35, Edit36})
        edit->setEnabled(!automatic);
    for (QLabel* title : m_stripTitles)
        title->setEnabled(!automatic);
}

long long StripPage::MaterialCode() const
{
    return StrToIntDef0(platform::FromQString(Edit32->text()));
}

void StripPage::ShowMaterialName()
{
    std::string name;
    try {
        name = LoadMaterial(gShared.folders, MaterialCode()).description;
    } catch (const std::exception&) {
        name = "???";
    }
    MaterialName->setText(platform::ToQString(name));
}

void StripPage::ParameterChanged()
{
    if (m_filling)
        return;
    m_generateEnabled = true;
    GenerateButton->setEnabled(CheckBox14->isChecked() && !Running());
}

void StripPage::ParameterLeft(QLineEdit* edit)
{
    if (m_filling)
        return;
    if (edit == Edit32)
        ShowMaterialName();
    bool changed = edit == nullptr;
    for (std::size_t i = 0; i < m_parameterEdits.size(); ++i)
        if (m_parameterEdits[i] == edit && m_lastTexts[i] != edit->text()) {
            m_lastTexts[i] = edit->text();
            changed = true;
        }
    if (!changed)
        return;
    StoreValues();
    if (CheckBox14->isChecked())
        Generate();
}

void StripPage::CheckBox14Click()
{
    ApplyAutomatic();
    if (CheckBox14->isChecked())
        Generate();
}

// ---- Options -------------------------------------------------------------------------------------

void StripPage::ResetOptionsList()
{
    static_cast<CountModel*>(m_optionsModel)->SetCount(static_cast<int>(m_options.size()));
}

void StripPage::ResetCutList()
{
    const int count = m_lastCut ? 1 + static_cast<int>(m_lastCut->kinds.size()) : 0;
    static_cast<CountModel*>(m_cutsModel)->SetCount(count);
}

void StripPage::Generate()
{
    ++m_generations;
    StoreValues();
    m_lastTexts.clear();
    for (QLineEdit* edit : m_parameterEdits)
        m_lastTexts.push_back(edit->text());
    m_generation = GenerateStripOptions(StripParametersOf(ValuesOfFields()));
    m_options = m_generation.options;
    m_scale = StripListScale(m_generation, ListBox1->viewport()->width(),
                             ListBox1->viewport()->height());
    ResetOptionsList();
    m_generateEnabled = false;
    GenerateButton->setEnabled(false);
    m_lastCut.reset();
    ResetCutList();
    GroupBox8->hide();
    Button8->hide();
    if (m_generation.error != 0) {
        platform::ShowMessage("Erro " + StripCheckText(m_generation.error));
        Abandon();
        return;
    }
    if (m_options.empty()) {
        Abandon();
        platform::Messages().Show(
            "Atenção !\n\nNão é possível a construção de tiras com os valores atuais.\n\n"
            "Corrija as dimensões e pressione o botão \"Gera opção de tiras\".",
            {}, platform::MessageKind::Warning, platform::Buttons::Ok);
        return;
    }
    StartYields();
}

void StripPage::TakeOption(int row)
{
    if (row < 0 || row >= static_cast<int>(m_options.size()) || Running())
        return;
    StripOption& o = m_options[static_cast<std::size_t>(row)];
    o.selected = true;
    const long long boards = static_cast<long long>(o.across) * o.along;
    m_filling = true;
    Edit33->setText(QString::number(o.stripsNeeded));
    Edit34->setText(platform::ToQString(FormatRealText(static_cast<double>(o.width) * 0.1, true)));
    Edit35->setText(platform::ToQString(FormatRealText(static_cast<double>(o.height) * 0.1, true)));
    Edit36->setText(Q("1 TIRA = ") + QString::number(boards) + Q(" PCIs"));
    m_filling = false;
    StoreValues();
    GroupBox8->hide();
    Button8->hide();
    ListBox1->viewport()->update();
}

// ---- Runs ----------------------------------------------------------------------------------------

bool StripPage::Running() const
{
    return m_runner->IsRunning();
}

void StripPage::Abandon()
{
    m_pendingYields = false;
    if (m_runner->IsRunning()) {
        m_discard = true;
        m_runner->Close();
    }
}

bool StripPage::StartJob(std::shared_ptr<StripJobResult> result)
{
    result->material = MaterialCode();
    result->order = SheetOrder();
    result->folders = gShared.folders;
    m_job = result;
    m_discard = false;
    if (!m_runner->Start(std::make_unique<StripJob>(result)))
        return false;
    SetRunning(true);
    return true;
}

void StripPage::StartYields()
{
    if (m_runner->IsRunning()) {
        // The run in progress ends at its next test; this one follows it.
        Abandon();
        m_pendingYields = true;
        return;
    }
    auto result = std::make_shared<StripJobResult>();
    result->kind = StripJobResult::Kind::Yields;
    result->options = m_options;
    StartJob(result);
}

void StripPage::StartCut(std::int64_t width, std::int64_t height, long long quantity)
{
    auto result = std::make_shared<StripJobResult>();
    result->kind = StripJobResult::Kind::Cut;
    result->width = width;
    result->height = height;
    result->quantity = quantity;
    StartJob(result);
}

void StripPage::SetRunning(bool running)
{
    const bool automatic = CheckBox14->isChecked();
    for (QLineEdit* edit : m_parameterEdits)
        edit->setEnabled(!running && automatic);
    CheckBox7->setEnabled(!running && automatic);
    CheckBox14->setEnabled(!running);
    GenerateButton->setEnabled(!running && automatic && m_generateEnabled);
    StripGroup->setEnabled(!running);
    ListBox1->setEnabled(!running);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton6})
        b->setEnabled(!running);
    if (running) {
        PlaceOverlays();
        Panel46->show();
        Panel46->raise();
    } else {
        Panel46->hide();
    }
}

void StripPage::RunEnded()
{
    const std::shared_ptr<StripJobResult> result = std::move(m_job);
    const bool discard = m_discard;
    m_discard = false;
    SetRunning(false);
    if (result && !discard) {
        if (result->status != 0) {
            platform::ShowMessage(SheetKindStatusMessage(result->status));
        } else {
            if (result->zeroStrip)
                platform::ShowMessage("Erro A1");
            if (result->kind == StripJobResult::Kind::Yields) {
                m_options = result->options;
                if (RadioButton6->isChecked())
                    OrderOptionsByYield(m_options);
                for (std::size_t i = 0; i < m_options.size(); ++i)
                    m_options[i].number = static_cast<int>(i) + 1;
                ResetOptionsList();
            } else if (result->run && result->run->totalSheetArea > 0) {
                m_lastCut = *result->run;
                ResetCutList();
                GroupBox8->show();
                Button8->show();
                PlaceOverlays();
                const long long material = result->material;
                // One message per file that could not be written.
                const std::vector<long long> failed =
                    WriteStripLayoutFiles(gShared.folders, material, StripRunLayouts(*m_lastCut));
                for (std::size_t i = 0; i < failed.size(); ++i)
                    platform::ShowMessage("Erro PCI 45");
                try {
                    SetStripCalculated(gShared.folders, m_window.Document().Number(), material);
                } catch (const std::exception& error) {
                    platform::ShowMessage(error.what());
                }
                gShared.currentMaterial = material;
                gShared.calcLists.materials.count = 1;
                gShared.calcLists.materials.entries[1] = {static_cast<std::int32_t>(material), true};
            }
        }
    }
    if (m_pendingYields) {
        m_pendingYields = false;
        StartYields();
    }
}

void StripPage::Button10Click()
{
    if (Running())
        return;
    StoreValues();
    StartCut(StripLengthCut(platform::FromQString(Edit34->text())),
             StripLengthCut(platform::FromQString(Edit35->text())),
             StrToIntDef0(platform::FromQString(Edit33->text())));
}

void StripPage::Button8Click()
{
    if (!m_lastCut)
        return;
    try {
        IniFile calcData(CalcDataFile(gShared.folders));
        WriteStripViewRecord(calcData, m_window.Document().Number(),
                             StrToIntDef0(platform::FromQString(Edit28->text())),
                             m_lastCut->stripsPlaced, platform::GetClock().Now());
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
        return;
    }
    // The main window opens the layouts once this window has closed.
    gMainRequests.viewRequest = 1;
    if (!SaveAndClose())
        gMainRequests.viewRequest = 0;
}

bool StripPage::StripOk()
{
    SaveAndClose();
    return true;
}

bool StripPage::SaveAndClose()
{
    Abandon();
    StoreValues();
    if (!m_window.SaveStripOrder(m_options, platform::FromQString(Edit32->text())))
        return false;
    m_window.accept();
    return true;
}

// ---- Hooks ------------------------------------------------------------------------------------------

namespace {

StripPage* PageOf(Ttabela& window)
{
    return window.TabSheet4->findChild<StripPage*>(QStringLiteral("StripPage"));
}

}  // namespace

void InstallStripModeHooks()
{
    TableEditorHooks& hooks = TableEditorExtensions();
    hooks.buildStripPage = [](Ttabela& window, QWidget& page) {
        new StripPage(window, page);
        QObject::connect(window.CheckBox8, &QCheckBox::clicked, &window, [&window](bool checked) {
            if (!checked)
                return;
            const platform::Answer answer = platform::Messages().Show(
                "Atenção: com a opção PCI selecionada, a manipulação\n"
                "dos projetos difere da normal! Confirma ?.",
                {}, platform::MessageKind::Information, platform::Buttons::YesNo);
            if (answer != platform::Answer::Yes)
                window.CheckBox8->setChecked(false);
        });
    };
    hooks.stripOk = [](Ttabela& window) {
        StripPage* page = PageOf(window);
        return page && page->StripOk();
    };
    hooks.opened = [](Ttabela& window) {
        if (StripPage* page = PageOf(window))
            page->Opened();
    };
    hooks.closing = [](Ttabela& window) {
        if (StripPage* page = PageOf(window))
            page->Closing();
    };
}

}  // namespace vor
