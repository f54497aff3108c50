#include "vorplan/orders/ui/table_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/pick_list.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/project_description.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/pick_list_window.h"
#include "vorplan/shell/text_input_window.h"

namespace vor {

Ttabela* tabela = nullptr;

TableEditorHooks& TableEditorExtensions()
{
    static TableEditorHooks hooks;
    return hooks;
}

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

constexpr std::array<int, 7> kPieceWidths = {15, 43, 50, 60, 60, 47, 210};
constexpr std::array<int, 6> kSheetWidths = {15, 43, 50, 55, 55, 261};
constexpr int kSketchWidth = 14;
constexpr int kOverlayGutter = 110;

QLabel* MakeOverlay(QWidget* parent, const QString& style)
{
    auto* label = new QLabel(parent);
    label->setStyleSheet(style);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

std::string Joined(std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty())
            out += "\n";
        out += line;
    }
    return out;
}

platform::Answer Ask(const std::string& text, platform::MessageKind kind = platform::MessageKind::Question)
{
    return platform::Messages().Show(text, {}, kind, platform::Buttons::YesNo);
}

}  // namespace

// The grid's cells over the core grid: model row r is grid row r + 1 (the
// heading row is the horizontal header).
class TableGridModel final : public QAbstractTableModel {
public:
    TableGridModel(TableEditorDocument& document, QObject* parent)
        : QAbstractTableModel(parent), m_document(document)
    {
    }

    TableGrid& Grid() { return m_document.Grid(); }
    const TableGrid& Grid() const { return m_document.Grid(); }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(Grid().DataRowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : Grid().ColumnCount();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return platform::ToQString(Grid().Cell(index.row() + 1, index.column()));
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        Grid().SetCell(index.row() + 1, index.column(), platform::FromQString(value.toString()));
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        // The mark is set by a click or Enter, never typed.
        if (index.column() == kMarkColumn)
            return base;
        const TableGrid::Selection s = Grid().Select(index.column());
        if (s.refused || s.fixedSizes)
            return base;
        return base | Qt::ItemIsEditable;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_headings[section];
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

    void SetHeadings(QStringList headings)
    {
        m_headings = std::move(headings);
        emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(m_headings.size()) - 1);
    }

    // Rows came or went: the view starts again from the core.
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

    void Refresh()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

private:
    TableEditorDocument& m_document;
    QStringList m_headings;
};

namespace {

// Draws every cell as the editor's grid does and hands Enter in the cell
// being typed in to the window.
class TableDelegate final : public QStyledItemDelegate {
public:
    TableDelegate(QTableView* view, const TableEditorSettings& settings,
                  std::function<void()> onEnter, std::function<void()> onTyped)
        : QStyledItemDelegate(view),
          m_settings(settings),
          m_onEnter(std::move(onEnter)),
          m_onTyped(std::move(onTyped))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        QStyledItemDelegate::setEditorData(editor, index);
        // The text is selected, so typing replaces it.
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const auto* model = static_cast<const TableGridModel*>(index.model());
        const TableGrid& grid = model->Grid();
        const long row = index.row() + 1;
        const int column = index.column();
        const CellColours colours =
            TableCellColours(row, column, grid.Options().autoCodes, m_settings.rowColours,
                             m_settings.blackBackground, grid.RangeMarked(row));
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, FromWinColor(colours.background));
        painter->setPen(FromWinColor(colours.text));
        painter->setFont(option.font);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (column == kMarkColumn)
            painter->drawText(option.rect, Qt::AlignCenter, text);
        else
            painter->drawText(option.rect.adjusted(2, 2, -1, 0), Qt::AlignLeft | Qt::AlignTop,
                              text);
        if (grid.Kind() == TableKind::Pieces && column == kPieceDescriptionColumn)
            PaintSketch(painter, option.rect, grid, row);
        painter->restore();
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (IsEnterKey(key)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_onEnter();
                return true;
            }
            if (!key->text().isEmpty())
                m_onTyped();
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    static void PaintSketch(QPainter* painter, const QRect& cell, const TableGrid& grid, long row)
    {
        const std::optional<SketchSides> sides = PieceSketch(
            grid.Cell(row, kCodeColumn), grid.Cell(row, kWidthColumn),
            grid.Cell(row, kHeightColumn), grid.Cell(row, kPieceDescriptionColumn),
            gShared.settings.specialPerimeter);
        if (!sides)
            return;
        const QRect box(cell.right() - kSketchWidth - 2, cell.top() + 3, kSketchWidth,
                        std::max(6, cell.height() - 7));
        painter->setPen(QPen(QColor(128, 128, 128), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box);
        painter->setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::FlatCap));
        if (sides->top)
            painter->drawLine(box.topLeft(), box.topRight());
        if (sides->bottom)
            painter->drawLine(box.bottomLeft(), box.bottomRight());
        if (sides->left)
            painter->drawLine(box.topLeft(), box.bottomLeft());
        if (sides->right)
            painter->drawLine(box.topRight(), box.bottomRight());
    }

    const TableEditorSettings& m_settings;
    std::function<void()> m_onEnter;
    std::function<void()> m_onTyped;
};

}  // namespace

// ---- Building ------------------------------------------------------------------------------

Ttabela::Ttabela(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setObjectName(QStringLiteral("tabela"));
    BuildControls();
    BuildMenus();

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &Ttabela::TimerTick);

    auto shortcut = [this](const QKeySequence& keys, QWidget* on, Qt::ShortcutContext context,
                           auto slot) {
        auto* s = new QShortcut(keys, on);
        s->setContext(context);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::Key_F1), this, Qt::WindowShortcut, [] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        MainWindowCalls().ShowHelpText();
        QApplication::restoreOverrideCursor();
    });
    shortcut(QKeySequence(Qt::Key_F2), this, Qt::WindowShortcut, [this] { SaveAndClose(); });
    shortcut(QKeySequence(Qt::Key_F3), this, Qt::WindowShortcut, [this] { SaveAndClose(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this, Qt::WindowShortcut, [this] { SaveOnly(); });
    shortcut(QKeySequence(Qt::Key_F5), StringGrid1, Qt::WidgetWithChildrenShortcut,
             [this] { InsertRow(); });
    shortcut(QKeySequence(Qt::Key_F6), StringGrid1, Qt::WidgetWithChildrenShortcut,
             [this] { RepeatRow(); });
    shortcut(QKeySequence(Qt::Key_F7), StringGrid1, Qt::WidgetWithChildrenShortcut,
             [this] { DeleteRow(); });
}

Ttabela::~Ttabela()
{
    if (tabela == this)
        tabela = nullptr;
}

void Ttabela::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = BuildGridPage();
    TabSheet2 = BuildIdentificationPage();
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    PageControl1->addTab(TabSheet1, Q("Planilha"));
    PageControl1->addTab(TabSheet2, Q("Identificação do pedido"));
    PageControl1->addTab(TabSheet4, Q("Definição da tira"));
    outer->addWidget(PageControl1);
    auto* closing = new QHBoxLayout;
    closing->addWidget(CheckBox8);
    closing->addStretch(1);
    closing->addWidget(Button12);
    closing->addWidget(Button13);
    outer->addLayout(closing);
    if (TableEditorExtensions().buildStripPage)
        TableEditorExtensions().buildStripPage(*this, *TabSheet4);
    resize(800, 600);
}

QWidget* Ttabela::BuildGridPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet1 = page;  // the overlays are placed on it
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 4);

    auto* left = new QVBoxLayout;
    StringGrid1 = new QTableView(page);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    m_model = new TableGridModel(m_document, this);
    StringGrid1->setModel(m_model);
    StringGrid1->setItemDelegate(new TableDelegate(
        StringGrid1, m_settings, [this] { StringGrid1Enter(); },
        [this] { m_document.Grid().SetModified(true); }));
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    // F2 saves and closes here, so it never starts editing.
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::AnyKeyPressed);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
    QHeaderView* heading = StringGrid1->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Fixed);
    heading->setHighlightSections(false);
    heading->setSectionsClickable(false);
    heading->setMinimumSectionSize(1);
    heading->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(192,192,192); color: black;"
                       " border: 1px solid gray; padding: 1px; }"));
    heading->viewport()->installEventFilter(this);
    StringGrid1->installEventFilter(this);
    StringGrid1->viewport()->installEventFilter(this);
    StringGrid1->viewport()->setMouseTracking(true);
    left->addWidget(StringGrid1, 1);

    auto* below = new QHBoxLayout;
    BitBtn1 = MakeButton(page, nullptr, QStringLiteral("..."));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedWidth(40);
    below->addWidget(BitBtn1);
    below->addStretch(1);
    left->addLayout(below);
    row->addLayout(left, 0);

    // Overlays over the cells and beside them.
    QWidget* cells = page;
    Panel2 = MakeOverlay(cells, QStringLiteral("background: rgb(255,255,225); color: black;"
                                               " border: 1px solid gray; padding: 2px;"));
    Panel5 = new QFrame(cells);
    Panel5->setFixedSize(7, 7);
    Panel5->setAttribute(Qt::WA_TransparentForMouseEvents);
    Panel5->hide();
    Panel6 = new QPushButton(Q("Seleciona"), cells);
    Panel6->setStyleSheet(QStringLiteral("background: yellow; color: black; border: 1px solid gray;"
                                         " padding: 1px 4px;"));
    Panel6->setAutoDefault(false);
    Panel6->setFocusPolicy(Qt::NoFocus);
    Panel6->hide();
    connect(Panel6, &QPushButton::clicked, this, [this] { ShowPickList(); });
    Panel8 = MakeOverlay(cells, QStringLiteral("background: rgb(0,0,128); color: white;"
                                               " padding: 1px 3px;"));
    Panel57 = MakeOverlay(cells, QStringLiteral("background: white; color: red;"
                                                " border: 1px solid gray; padding: 1px 3px;"));
    Panel57->setText(QStringLiteral("@1  @2  @3"));
    const std::pair<QWidget*, const char*> overlayNames[] = {
        {Panel2, "Panel2"}, {Panel5, "Panel5"}, {Panel6, "Panel6"}, {Panel8, "Panel8"},
        {Panel57, "Panel57"}};
    for (const auto& [widget, name] : overlayNames)
        widget->setObjectName(QLatin1String(name));

    auto* right = new QVBoxLayout;
    Button11 = MakeButton(page, nullptr, Q("Config."));
    // Ok and Cancela close the whole window, so they stand under the pages.
    CheckBox8 = new QCheckBox(Q("Opção PCI"), this);
    Button12 = MakeButton(this, nullptr, QStringLiteral("Ok"));
    Button13 = MakeButton(this, nullptr, QString());
    Button11->setObjectName(QStringLiteral("Button11"));
    CheckBox8->setObjectName(QStringLiteral("CheckBox8"));
    Button12->setObjectName(QStringLiteral("Button12"));
    Button13->setObjectName(QStringLiteral("Button13"));
    BuildPanels(page);
    // The inline panels open under the grid.
    auto* panels = new QHBoxLayout;
    panels->addWidget(Panel9);
    panels->addWidget(Panel26, 0, Qt::AlignTop);
    panels->addWidget(Panel3, 0, Qt::AlignTop);
    panels->addStretch(1);
    left->insertLayout(1, panels);
    right->addStretch(1);
    right->addWidget(Button11);
    // Room beside the grid for "Seleciona", the legend and the hint.
    row->addSpacing(kOverlayGutter);
    row->addStretch(1);
    row->addLayout(right, 0);

    connect(Button11, &QPushButton::clicked, this, [this] {
        CommitOpenEditor(*StringGrid1);
        Panel9->setVisible(!Panel9->isVisible());
    });
    connect(Button12, &QPushButton::clicked, this, &Ttabela::Button12Click);
    connect(Button13, &QPushButton::clicked, this, &Ttabela::Button13Click);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        CommitOpenEditor(*StringGrid1);
        PopupMenu1->popup(BitBtn1->mapToGlobal(QPoint(0, BitBtn1->height())));
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_moving && current.isValid())
                    StringGrid1SelectCell(current.row() + 1, current.column());
            });
    for (QScrollBar* bar : {StringGrid1->verticalScrollBar(), StringGrid1->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { PlaceOverlays(); });
    return page;
}

void Ttabela::BuildPanels(QWidget* page)
{
    auto frame = [page](const char* name) {
        auto* f = new QFrame(page);
        f->setObjectName(QLatin1String(name));
        f->setFrameShape(QFrame::StyledPanel);
        f->hide();
        return f;
    };

    Panel9 = frame("Panel9");
    auto* settings = new QVBoxLayout(Panel9);
    settings->addWidget(new QLabel(Q("Configuração da planilha"), Panel9));
    CheckBox1 = new QCheckBox(Q("Mostrar ajuda abaixo do campo sendo editado"), Panel9);
    CheckBox2 = new QCheckBox(Q("Separação de linhas com côres diferentes"), Panel9);
    CheckBox3 = new QCheckBox(Q("Fundo preto"), Panel9);
    CheckBox4 = new QCheckBox(Q("Cópia expressa de campos"), Panel9);
    CheckBox5 = new QCheckBox(Q("Campo de código automático"), Panel9);
    CheckBox6 = new QCheckBox(Q("Repetir campo vazio nas planilhas "), Panel9);
    Check_perimetro =
        new QCheckBox(Q("Imprimir perímetro das peças ( planilha de pedidos )"), Panel9);
    Check_area_arred =
        new QCheckBox(Q("Orçamento com área arredondada ( planilha de pedidos )"), Panel9);
    Button10 = MakeButton(Panel9, nullptr, QStringLiteral("Ok"));
    const std::pair<QWidget*, const char*> names[] = {
        {CheckBox1, "CheckBox1"}, {CheckBox2, "CheckBox2"}, {CheckBox3, "CheckBox3"},
        {CheckBox4, "CheckBox4"}, {CheckBox5, "CheckBox5"}, {CheckBox6, "CheckBox6"},
        {Check_perimetro, "Check_perimetro"}, {Check_area_arred, "Check_area_arred"},
        {Button10, "Button10"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QLatin1String(name));
        settings->addWidget(widget);
    }
    connect(Button10, &QPushButton::clicked, Panel9, &QWidget::hide);
    auto changed = [this] {
        ReadControlsIntoSettings();
        ApplySettingsToGrid();
    };
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox6})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(CheckBox5, &QCheckBox::toggled, this, [this, changed](bool on) {
        changed();
        AutoCodesToggled(on);
    });

    Panel26 = frame("Panel26");
    auto* add = new QGridLayout(Panel26);
    Label26 = new QLabel(Panel26);
    Label26->setObjectName(QStringLiteral("Label26"));
    Edit37 = new QLineEdit(Panel26);
    Edit37->setObjectName(QStringLiteral("Edit37"));
    CheckBox9 = new QCheckBox(Q("somente as marcadas"), Panel26);
    CheckBox9->setObjectName(QStringLiteral("CheckBox9"));
    Button26 = MakeButton(Panel26, nullptr, QStringLiteral("Ok"));
    Button27 = MakeButton(Panel26, nullptr, QString());
    Button26->setObjectName(QStringLiteral("Button26"));
    Button27->setObjectName(QStringLiteral("Button27"));
    add->addWidget(new QLabel(Q("Somar a:"), Panel26), 0, 0);
    add->addWidget(Label26, 0, 1);
    add->addWidget(new QLabel(Q("Valor:"), Panel26), 1, 0);
    add->addWidget(Edit37, 1, 1);
    add->addWidget(CheckBox9, 2, 0, 1, 2);
    add->addWidget(Button26, 3, 0);
    add->addWidget(Button27, 3, 1);
    connect(Button26, &QPushButton::clicked, this, &Ttabela::AddValueOk);
    connect(Button27, &QPushButton::clicked, Panel26, &QWidget::hide);

    Panel3 = frame("Panel3");
    auto* change = new QGridLayout(Panel3);
    edit1 = new QLineEdit(Panel3);
    Edit2 = new QLineEdit(Panel3);
    CheckBox10 = new QCheckBox(Q("somente as marcadas"), Panel3);
    Button3 = MakeButton(Panel3, nullptr, QStringLiteral("Ok"));
    Button4 = MakeButton(Panel3, nullptr, QString());
    edit1->setObjectName(QStringLiteral("edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    CheckBox10->setObjectName(QStringLiteral("CheckBox10"));
    Button3->setObjectName(QStringLiteral("Button3"));
    Button4->setObjectName(QStringLiteral("Button4"));
    change->addWidget(new QLabel(Q("Alteração de material"), Panel3), 0, 0, 1, 2);
    change->addWidget(new QLabel(Q("Código atual:"), Panel3), 1, 0);
    change->addWidget(edit1, 1, 1);
    change->addWidget(new QLabel(Q("Mudar para:"), Panel3), 2, 0);
    change->addWidget(Edit2, 2, 1);
    change->addWidget(CheckBox10, 3, 0, 1, 2);
    change->addWidget(Button3, 4, 0);
    change->addWidget(Button4, 4, 1);
    connect(Button3, &QPushButton::clicked, this, &Ttabela::ChangeMaterialOk);
    connect(Button4, &QPushButton::clicked, Panel3, &QWidget::hide);
}

QWidget* Ttabela::BuildIdentificationPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* outer = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    auto title = [page](const QString& text) {
        auto* label = new QLabel(text, page);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Raised);
        label->setMinimumWidth(140);
        return label;
    };

    Edit14 = new QLineEdit(page);
    Edit14->setObjectName(QStringLiteral("Edit14"));
    auto* descriptionTitle = title(QString());
    descriptionTitle->setObjectName(QStringLiteral("Panel12"));
    grid->addWidget(descriptionTitle, 0, 0);
    grid->addWidget(Edit14, 0, 1);

    const char* titleNames[8] = {"Panel13", "Panel14", "Panel15", "Panel16",
                                 "Panel17", "Panel18", "Panel20", "Panel21"};
    const char* editNames[8] = {"Edit16", "Edit17", "Edit19", "Edit20",
                                "Edit18", "Edit21", "Edit9",  "Edit10"};
    for (int i = 0; i < 8; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        FieldTitles[k] = title(QString());
        FieldTitles[k]->setObjectName(QLatin1String(titleNames[i]));
        FieldTitles[k]->installEventFilter(this);
        FieldEdits[k] = new QLineEdit(page);
        FieldEdits[k]->setObjectName(QLatin1String(editNames[i]));
        grid->addWidget(FieldTitles[k], i + 1, 0);
        grid->addWidget(FieldEdits[k], i + 1, 1);
    }
    Edit38 = new QLineEdit(page);
    Edit38->setObjectName(QStringLiteral("Edit38"));
    auto* byTitle = title(QString());
    byTitle->setObjectName(QStringLiteral("Panel38"));
    grid->addWidget(byTitle, 9, 0);
    grid->addWidget(Edit38, 9, 1);

    auto* lower = new QHBoxLayout;
    RadioGroup1 = new QGroupBox(QStringLiteral("Status"), page);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* radios = new QVBoxLayout(RadioGroup1);
    for (std::size_t i = 0; i < StatusButtons.size(); ++i) {
        StatusButtons[i] = new QRadioButton(RadioGroup1);
        radios->addWidget(StatusButtons[i]);
        connect(StatusButtons[i], &QRadioButton::toggled, this, [this] { IdentificationEdited(); });
    }
    lower->addWidget(RadioGroup1);
    auto* stamps = new QVBoxLayout;
    CreatedLabel = new QLabel(page);
    ModifiedLabel = new QLabel(page);
    CreatedLabel->setObjectName(QStringLiteral("CreatedLabel"));
    ModifiedLabel->setObjectName(QStringLiteral("ModifiedLabel"));
    stamps->addWidget(CreatedLabel);
    stamps->addWidget(ModifiedLabel);
    stamps->addStretch(1);
    auto* hint = new QLabel(Q("Dica: é possível alterar o título de cada campo. \n"
                              "Para isto, dê um click duplo sobre a descrição do campo."),
                            page);
    hint->setObjectName(QStringLiteral("HintLabel"));
    stamps->addWidget(hint);
    lower->addLayout(stamps, 1);
    outer->addLayout(lower);
    outer->addStretch(1);

    for (QLineEdit* edit : FieldEdits)
        connect(edit, &QLineEdit::textEdited, this, [this] { IdentificationEdited(); });
    connect(Edit14, &QLineEdit::textEdited, this, [this] { IdentificationEdited(); });
    connect(Edit38, &QLineEdit::textEdited, this, [this] { IdentificationEdited(); });
    return page;
}

void Ttabela::BuildMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const char* text, auto slot) {
        QAction* action = menu->addAction(Q(text));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item(PopupMenu1, "(F5) Insere linha", [this] { InsertRow(); });
    item(PopupMenu1, "(F6) Repete linha", [this] { RepeatRow(); });
    item(PopupMenu1, "(F7) Apaga linha", [this] { DeleteRow(); });
    item(PopupMenu1, "Marca todas", [this] { MarkAll(); });
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Desmarca todas", [this] { UnmarkAll(); });
    item(PopupMenu1, "Inverte marcação", [this] { InvertMarks(); });
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Apaga todas", [this] { ClearAll(); });
    PopupMenu1->addSeparator();
    QAction* change = item(PopupMenu1, "Altera material", [this] { OpenChangeMaterial(); });
    QAction* sort = item(PopupMenu1, "Ordena", [this] { SortRows(); });
    PopupMenu1->addSeparator();
    QAction* print = item(PopupMenu1, "Imprime", [this] {
        if (TableEditorExtensions().print)
            TableEditorExtensions().print(*this);
    });
    QAction* budget = item(PopupMenu1, "Orçamento", [this] {
        if (TableEditorExtensions().budget)
            TableEditorExtensions().budget(*this);
    });
    for (QAction* action : {change, sort, print, budget})
        action->setProperty("piecesOnly", true);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    item(PopupMenu2, "Marca linha inicial", [this] { MarkRangeStart(); });
    item(PopupMenu2, "Marca linha final", [this] { MarkRangeEnd(); });
    PopupMenu2->addSeparator();
    item(PopupMenu2, "Desmarca", [this] { ClearRange(); });
}

// ---- Opening ---------------------------------------------------------------------------------

int Ttabela::Open(int kind)
{
    SetKind(kind);
    return exec();
}

void Ttabela::showEvent(QShowEvent* event)
{
    // A window coming back from being minimised is no new opening.
    if (!event->spontaneous())
        FormActivate();
    QDialog::showEvent(event);
}

void Ttabela::SetCaptions()
{
    Button13->setText(M(25));
    Button27->setText(M(25));
    Button4->setText(M(25));
    TabSheet2->findChild<QLabel*>(QStringLiteral("Panel12"))->setText(M(145));
    TabSheet2->findChild<QLabel*>(QStringLiteral("Panel38"))->setText(M(990));
    StatusButtons[0]->setText(M(808));
    StatusButtons[1]->setText(M(809));
    StatusButtons[2]->setText(M(810));
    StatusButtons[3]->setText(M(811));
    for (QAction* action : PopupMenu1->actions())
        if (action->property("piecesOnly").toBool())
            action->setEnabled(m_kind == TableKind::Pieces);
}

void Ttabela::FormActivate()
{
    const bool pcb = gShared.settings.pcbOption;
    SetCaptions();
    CheckBox8->setChecked(pcb);
    CheckBox8->setVisible(pcb);

    try {
        const IniFile ini(MainSettingsFile());
        m_settings = ReadTableEditorSettings(ini, pcb);
    } catch (const std::exception& error) {
        m_settings = TableEditorSettings{};
        platform::ShowMessage(error.what());
    }
    m_filling = true;
    CheckBox1->setChecked(m_settings.helpBelow);
    CheckBox2->setChecked(m_settings.rowColours);
    CheckBox3->setChecked(m_settings.blackBackground);
    CheckBox4->setChecked(m_settings.expressCopy);
    CheckBox5->setChecked(m_settings.autoCodes);
    CheckBox6->setChecked(m_settings.repeatBlank);
    Check_perimetro->setChecked(m_settings.printPerimeter);
    Check_area_arred->setChecked(m_settings.roundedAreaBudget);
    for (std::size_t i = 0; i < FieldTitles.size(); ++i)
        FieldTitles[i]->setText(platform::ToQString(m_settings.fieldTitles[i]));
    m_filling = false;

    const MainWindowGeometry& g = gMainWindow.geometry;
    if (g.fullWidth > 0 && g.freeHeight > 0) {
        move(g.left, g.belowIconBarTop);
        resize(std::max(g.fullWidth, 640), std::max(g.freeHeight, 480));
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    HidePanels();
    Panel9->hide();
    Panel26->hide();
    Panel3->hide();
    TableGridOptions options;
    options.autoCodes = m_settings.autoCodes;
    options.repeatBlank = m_settings.repeatBlank;
    options.expressCopy = m_settings.expressCopy;
    options.showDecimals = gShared.settings.showDecimals;
    std::string description;
    long long number = gShared.currentOrder;
    if (m_kind == TableKind::Sheets) {
        number = gShared.currentMaterial;
        options.material = number;
        try {
            LoadMaterial(number);
            description = gShared.currentMaterialRecord.description;
        } catch (const std::exception& error) {
            platform::ShowMessage(error.what());
        }
    }
    m_document.Open(m_kind, gShared.folders, number, gShared.settings.internalTables, options,
                    DateTimeText(), DefaultModifiedBy());
    if (m_kind == TableKind::Pieces)
        description = m_document.Description().description;
    setWindowTitle(platform::ToQString(TableEditorCaption(m_kind, number, description)));
    SetColumns();
    m_model->Reset();
    ShowIdentification();
    QApplication::restoreOverrideCursor();

    m_document.Grid().SetModified(false);
    MoveTo(1, m_settings.autoCodes ? kQuantityColumn : kCodeColumn);

    const bool pieces = m_kind == TableKind::Pieces;
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), pieces);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), pieces && pcb);
    PageControl1->setCurrentWidget(pieces && pcb ? TabSheet4 : TabSheet1);
    if (PageControl1->currentWidget() == TabSheet1)
        StringGrid1->setFocus();

    m_blink = 0;
    Timer1->start();
    if (TableEditorExtensions().opened)
        TableEditorExtensions().opened(*this);
    if (m_document.Unreadable())
        QTimer::singleShot(0, this, [this] {
            platform::ShowMessage(m_document.UnreadableError().what());
        });
    else if (m_document.Grid().FileTooLong())
        QTimer::singleShot(0, this, [this] {
            platform::Messages().Show(m_document.TooLongMessage(), {},
                                      platform::MessageKind::Warning, platform::Buttons::Ok);
        });
}

void Ttabela::SetColumns()
{
    QStringList headings = {QStringLiteral("M"), M(140), M(141), M(142), M(143)};
    if (m_kind == TableKind::Pieces)
        headings << M(144) << M(145);
    else
        headings << M(145);
    m_model->SetHeadings(headings);
    const int count = Grid().ColumnCount();
    const QFontMetrics metrics(StringGrid1->horizontalHeader()->font());
    int total = 0;
    for (int c = 0; c < count; ++c) {
        const std::size_t k = static_cast<std::size_t>(c);
        int width = m_kind == TableKind::Pieces ? kPieceWidths[k] : kSheetWidths[k];
        // A heading never shows cut off.
        width = std::max(width, metrics.horizontalAdvance(headings[c]) + 10);
        StringGrid1->setColumnWidth(c, width);
        total += width;
    }
    StringGrid1->setFixedWidth(total + 2 * StringGrid1->frameWidth() +
                               StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
}

void Ttabela::ShowIdentification()
{
    if (m_kind != TableKind::Pieces)
        return;
    m_filling = true;
    const ProjectDescription& d = m_document.Description();
    Edit14->setText(platform::ToQString(d.description));
    for (std::size_t i = 0; i < FieldEdits.size(); ++i)
        FieldEdits[i]->setText(platform::ToQString(d.fields[i]));
    Edit38->setText(platform::ToQString(d.modifiedBy));
    const int status = std::clamp(d.status, 0, 3);
    StatusButtons[static_cast<std::size_t>(status)]->setChecked(true);
    CreatedLabel->setText(Q("Criação: ") + platform::ToQString(d.created));
    ModifiedLabel->setText(Q("Última alteração: ") + platform::ToQString(d.lastModified));
    m_filling = false;
}

void Ttabela::IdentificationEdited()
{
    if (m_filling || m_kind != TableKind::Pieces)
        return;
    ProjectDescription d = m_document.Description();
    d.description = platform::FromQString(Edit14->text());
    for (std::size_t i = 0; i < FieldEdits.size(); ++i)
        d.fields[i] = platform::FromQString(FieldEdits[i]->text());
    d.modifiedBy = platform::FromQString(Edit38->text());
    for (std::size_t i = 0; i < StatusButtons.size(); ++i)
        if (StatusButtons[i]->isChecked())
            d.status = static_cast<int>(i);
    m_document.SetDescription(d);
}

void Ttabela::ReadControlsIntoSettings()
{
    if (m_filling)
        return;
    m_settings.helpBelow = CheckBox1->isChecked();
    m_settings.rowColours = CheckBox2->isChecked();
    m_settings.blackBackground = CheckBox3->isChecked();
    m_settings.expressCopy = CheckBox4->isChecked();
    m_settings.autoCodes = CheckBox5->isChecked();
    m_settings.repeatBlank = CheckBox6->isChecked();
    m_settings.printPerimeter = Check_perimetro->isChecked();
    m_settings.roundedAreaBudget = Check_area_arred->isChecked();
}

void Ttabela::ApplySettingsToGrid()
{
    if (m_filling)
        return;
    TableGridOptions options = Grid().Options();
    options.autoCodes = m_settings.autoCodes;
    options.repeatBlank = m_settings.repeatBlank;
    options.expressCopy = m_settings.expressCopy;
    m_document.Grid().SetOptions(options);
    if (!m_settings.helpBelow)
        Panel2->hide();
    StringGrid1->viewport()->update();
}

void Ttabela::AutoCodesToggled(bool on)
{
    if (m_filling || !on)
        return;
    // The codes shown as the program's must be the program's numbers.
    const std::vector<PieceRow> before = Grid().PieceRows();
    m_document.Grid().Renumber();
    if (Grid().PieceRows() != before)
        m_document.Grid().SetModified(true);
    m_model->Refresh();
    if (m_column <= kCodeColumn)
        MoveTo(m_row, kQuantityColumn);
}

// ---- The grid ------------------------------------------------------------------------------------

void Ttabela::MoveTo(long row, int column)
{
    row = std::clamp(row, 1L, Grid().DataRowCount());
    const TableGrid::Selection s = Grid().Select(column);
    if (s.refused || s.fixedSizes)
        column = s.column;
    const QModelIndex cell = m_model->index(static_cast<int>(row - 1), column);
    m_moving = true;
    StringGrid1->setCurrentIndex(cell);
    StringGrid1->scrollTo(cell);
    m_moving = false;
    m_row = row;
    m_column = column;
    m_hintTicks = 3;
    m_panelsHidden = false;
    PlaceOverlays();
}

void Ttabela::StringGrid1SelectCell(long row, int column)
{
    const TableGrid::Selection s = Grid().Select(column);
    if (s.fixedSizes)
        ShowFixedSizesMessage();
    MoveTo(row, column);
}

void Ttabela::ShowFixedSizesMessage()
{
    // Once per refused selection, after the selection has settled.
    if (m_fixedSizesQueued)
        return;
    m_fixedSizesQueued = true;
    QTimer::singleShot(0, this, [this] {
        platform::Messages().Show(Joined({Msg(236), Msg(237)}), {},
                                  platform::MessageKind::Information, platform::Buttons::Ok);
        m_fixedSizesQueued = false;
    });
}

void Ttabela::StringGrid1Enter()
{
    if (m_row < 1 || m_row > Grid().DataRowCount())
        return;
    const long rows = Grid().DataRowCount();
    const TableGrid::Cursor next = m_document.Grid().Enter(m_row, m_column);
    if (Grid().DataRowCount() != rows)
        m_model->Reset();
    else
        m_model->Refresh();
    MoveTo(next.row, next.column);
}

void Ttabela::RowsChanged(long currentRow)
{
    m_model->Reset();
    MoveTo(currentRow, m_column);
}

void Ttabela::StringGrid1MouseDown(const QModelIndex& index, Qt::MouseButton button)
{
    const long row = index.row() + 1;
    const int column = index.column();
    m_pressedRow = column >= 1 ? row : -1;
    if (button != Qt::LeftButton)
        return;
    const bool filled = m_document.Grid().Press(row, column);
    if (filled)
        Beep();
    m_model->Refresh();
}

void Ttabela::HeadingMouseDown(int column, Qt::MouseButton button)
{
    m_pressedRow = -1;
    if (m_kind != TableKind::Pieces)
        return;
    CommitOpenEditor(*StringGrid1);
    if (button == Qt::LeftButton && column == kWidthColumn) {
        if (Ask(Joined({Msg(978), Msg(561)}), platform::MessageKind::Information) ==
            platform::Answer::Yes) {
            m_document.Grid().SwapWidthAndHeight();
            m_model->Refresh();
            platform::ShowMessage("Ok");
        }
    } else if (button == Qt::RightButton &&
               (column == kWidthColumn || column == kHeightColumn)) {
        OpenAddValue(column);
    }
}

void Ttabela::PlaceOverlays()
{
    // The panels stand on the page, so they may reach past the grid's edge.
    QWidget* cells = StringGrid1->viewport();
    auto onPage = [&](const QModelIndex& index) {
        const QRect rect = StringGrid1->visualRect(index);
        if (!index.isValid() || !cells->rect().intersects(rect))
            return QRect();
        return QRect(cells->mapTo(TabSheet1, rect.topLeft()), rect.size());
    };
    const QRect rect = onPage(m_model->index(static_cast<int>(m_row - 1), m_column));
    if (rect.isEmpty()) {
        for (QWidget* panel : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel5),
                               static_cast<QWidget*>(Panel6), static_cast<QWidget*>(Panel8),
                               static_cast<QWidget*>(Panel57)})
            panel->hide();
        return;
    }
    Panel5->move(rect.right() - Panel5->width(), rect.top());
    Panel5->show();
    Panel5->raise();

    // Beside the row, just right of the grid.
    int x = StringGrid1->mapTo(TabSheet1, QPoint(StringGrid1->width(), 0)).x() + 4;
    const bool pieces = m_kind == TableKind::Pieces;
    const bool pick = pieces && (m_column == kPieceMaterialColumn ||
                                 m_column == kPieceDescriptionColumn);
    int y = rect.top();
    auto stack = [&](QWidget* panel) {
        panel->adjustSize();
        panel->setGeometry(x, y, panel->width(), rect.height());
        panel->show();
        panel->raise();
        y += rect.height() + 2;
    };
    if (pick && !m_panelsHidden)
        stack(Panel6);
    else
        Panel6->hide();
    if (pieces && m_column == kPieceDescriptionColumn)
        stack(Panel57);
    else
        Panel57->hide();
    if (m_hintTicks > 0 && !m_panelsHidden) {
        Panel8->setText(m_model->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString());
        stack(Panel8);
    }

    const int helpColumn = m_helpColumn >= 0 ? m_helpColumn : m_column;
    if (m_settings.helpBelow) {
        QStringList lines;
        for (const std::string& line : ColumnHelpLines(m_kind, helpColumn, gShared.languageIndex))
            lines << platform::ToQString(line);
        Panel2->setText(lines.join(QLatin1Char('\n')));
        const QFontMetrics metrics(Panel2->font());
        int textWidth = 0;
        for (const QString& line : lines)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        Panel2->setFixedWidth(textWidth + 20);
        Panel2->adjustSize();
        const QRect column = onPage(m_model->index(static_cast<int>(m_row - 1), helpColumn));
        const int left = column.isEmpty() ? rect.left() : column.left();
        const int helpX = std::max(0, std::min(left, TabSheet1->width() - Panel2->width()));
        int helpY = rect.bottom() + 2;
        if (helpY + Panel2->height() > TabSheet1->height())
            helpY = std::max(0, rect.top() - Panel2->height() - 2);
        Panel2->move(helpX, helpY);
        Panel2->show();
        Panel2->raise();
    } else {
        Panel2->hide();
    }
}

void Ttabela::HidePanels()
{
    Panel6->hide();
    Panel8->hide();
}

void Ttabela::TimerTick()
{
    m_blink = 1 - m_blink;
    Panel5->setStyleSheet(QStringLiteral("background: %1; border: 1px solid black;")
                              .arg(FromWinColor(m_blink ? kYellow : kAqua).name()));
    if (m_hintTicks > 0 && --m_hintTicks == 0)
        Panel8->hide();
}

bool Ttabela::event(QEvent* event)
{
    // Leaving the window never closes it or drops what was typed.
    if (event->type() == QEvent::WindowDeactivate) {
        // Until the next selection.
        m_panelsHidden = true;
        HidePanels();
    }
    return QDialog::event(event);
}

bool Ttabela::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::AltModifier) && key->key() != Qt::Key_Alt) {
            Beep();
            return true;
        }
        if (IsEnterKey(key)) {
            StringGrid1Enter();
            return true;
        }
        if (key->key() == Qt::Key_Menu) {
            ShowPickList();
            return true;
        }
        if (!key->text().isEmpty() && !(key->modifiers() & Qt::ControlModifier) &&
            (m_model->flags(StringGrid1->currentIndex()) & Qt::ItemIsEditable))
            m_document.Grid().SetModified(true);
        return false;
    }
    if ((watched == StringGrid1 || watched == StringGrid1->viewport()) &&
        event->type() == QEvent::ContextMenu) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard)
            ShowPickList();
        else if (m_pressedRow >= 1 && m_pressedRow <= Grid().DataRowCount())
            PopupMenu2->popup(menu->globalPos());
        return true;
    }
    if (watched == StringGrid1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = StringGrid1->indexAt(mouse->position().toPoint());
            if (!index.isValid()) {
                m_pressedRow = -1;
                return false;
            }
            CommitOpenEditor(*StringGrid1);
            StringGrid1MouseDown(index, mouse->button());
            // The mark and the program's codes are not edited.
            if (index.column() == kMarkColumn ||
                (Grid().Options().autoCodes && index.column() == kCodeColumn))
                return true;
            return false;
        }
        if (event->type() == QEvent::MouseMove) {
            const QModelIndex index =
                StringGrid1->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            const int column = index.isValid() ? index.column() : -1;
            if (column != m_helpColumn) {
                m_helpColumn = column;
                PlaceOverlays();
            }
        } else if (event->type() == QEvent::Leave) {
            m_helpColumn = -1;
            PlaceOverlays();
        } else if (event->type() == QEvent::Resize) {
            PlaceOverlays();
        }
        return false;
    }
    if (watched == StringGrid1->horizontalHeader()->viewport() &&
        event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        HeadingMouseDown(StringGrid1->horizontalHeader()->logicalIndexAt(mouse->position().toPoint()),
                         mouse->button());
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (std::size_t i = 0; i < FieldTitles.size(); ++i)
            if (watched == FieldTitles[i]) {
                EditFieldTitle(static_cast<int>(i));
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Pick lists and titles -------------------------------------------------------------------

void Ttabela::ShowPickList()
{
    if (m_kind != TableKind::Pieces || m_row < 1 || m_row > Grid().DataRowCount())
        return;
    CommitOpenEditor(*StringGrid1);
    if (m_column == kPieceMaterialColumn) {
        LoadMaterialTable(false);
        std::vector<std::string> items;
        const MaterialTable& table = gShared.materialTable;
        for (long i = 1; i <= table.count; ++i)
            items.push_back(std::to_string(table.entries[i].code) + "\\" +
                            table.entries[i].description);
        PickListParameters p;
        p.mode = kPickRecords;
        p.title = Msg(175);
        p.lines = {Msg(596), Msg(597) + Grid().Cell(m_row, kPieceMaterialColumn), ""};
        p.minWidth = 550;
        CreateForm7()->SetRecordItems(items);
        const PickListResults picked = vor::ShowPickList(p);
        if (!picked.cancelled && !picked.pickedText.empty()) {
            std::string code = SplitPickItem(picked.pickedText).first;
            TrimBlanks(code);
            m_document.Grid().SetCell(m_row, kPieceMaterialColumn, code);
            m_document.Grid().SetModified(true);
        }
    } else if (m_column == kPieceDescriptionColumn) {
        PickListParameters p;
        p.mode = kPickCombo;
        p.title = Msg(145);
        p.listFile = PieceDescriptionListFile(gShared.folders);
        p.minWidth = 300;
        const PickListResults picked = vor::ShowPickList(p);
        if (picked.confirmed) {
            m_document.Grid().SetCell(m_row, kPieceDescriptionColumn, picked.pickedText);
            m_document.Grid().SetModified(true);
        }
    } else {
        return;
    }
    m_model->Refresh();
    MoveTo(m_row, m_column);
}

void Ttabela::EditFieldTitle(int field)
{
    const std::size_t k = static_cast<std::size_t>(field);
    const std::optional<std::string> title =
        AskTextInput(m_settings.fieldTitles[k], kFieldTitleInputWidth);
    if (!title)
        return;
    m_settings.fieldTitles[k] = *title;
    FieldTitles[k]->setText(platform::ToQString(*title));
}

// ---- Row commands ------------------------------------------------------------------------------

void Ttabela::InsertRow()
{
    CommitOpenEditor(*StringGrid1);
    if (m_document.Grid().InsertRow(m_row))
        RowsChanged(m_row);
}

void Ttabela::RepeatRow()
{
    CommitOpenEditor(*StringGrid1);
    if (m_row >= 1 && m_row <= Grid().DataRowCount() && m_document.Grid().RepeatRow(m_row))
        RowsChanged(m_row + 1);
}

void Ttabela::DeleteRow()
{
    CommitOpenEditor(*StringGrid1);
    if (m_document.Grid().DeleteRow(m_row))
        RowsChanged(std::min(m_row, Grid().DataRowCount()));
}

void Ttabela::MarkAll()
{
    CommitOpenEditor(*StringGrid1);
    m_document.Grid().MarkAll();
    m_model->Refresh();
}

void Ttabela::UnmarkAll()
{
    CommitOpenEditor(*StringGrid1);
    m_document.Grid().UnmarkAll();
    m_model->Refresh();
}

void Ttabela::InvertMarks()
{
    CommitOpenEditor(*StringGrid1);
    m_document.Grid().InvertMarks();
    m_model->Refresh();
}

void Ttabela::ClearAll()
{
    CommitOpenEditor(*StringGrid1);
    if (Ask(Msg(173)) != platform::Answer::Yes)
        return;
    m_document.Grid().ClearAll();
    RowsChanged(1);
}

void Ttabela::SortRows()
{
    CommitOpenEditor(*StringGrid1);
    if (m_kind != TableKind::Pieces)
        return;
    if (Ask(Joined({Msg(570), Msg(267), Msg(571), Msg(572)})) != platform::Answer::Yes)
        return;
    m_document.Grid().Sort();
    m_model->Refresh();
}

void Ttabela::MarkRangeStart()
{
    const long row = m_pressedRow >= 1 ? m_pressedRow : m_row;
    if (row < 1 || row > Grid().DataRowCount())
        return;
    m_document.Grid().MarkRangeStart(row);
    m_model->Refresh();
}

void Ttabela::MarkRangeEnd()
{
    const long row = m_pressedRow >= 1 ? m_pressedRow : m_row;
    if (row < 1 || row > Grid().DataRowCount())
        return;
    m_document.Grid().MarkRangeEnd(row);
    m_model->Refresh();
}

void Ttabela::ClearRange()
{
    m_document.Grid().ClearRange();
    m_model->Refresh();
}

void Ttabela::OpenAddValue(int column)
{
    m_addColumn = column;
    Label26->setText(column == kWidthColumn ? M(142) : M(143));
    Edit37->clear();
    Panel3->hide();
    Panel26->show();
    Edit37->setFocus();
}

void Ttabela::AddValueOk()
{
    m_document.Grid().AddToColumn(m_addColumn, platform::FromQString(Edit37->text()),
                                  CheckBox9->isChecked());
    Panel26->hide();
    m_model->Refresh();
    StringGrid1->setFocus();
}

void Ttabela::OpenChangeMaterial()
{
    CommitOpenEditor(*StringGrid1);
    if (m_kind != TableKind::Pieces)
        return;
    edit1->setText(platform::ToQString(Grid().Cell(m_row, kPieceMaterialColumn)));
    Edit2->clear();
    Panel26->hide();
    Panel3->show();
    Edit2->setFocus();
}

void Ttabela::ChangeMaterialOk()
{
    m_document.Grid().ChangeMaterial(platform::FromQString(edit1->text()),
                                     platform::FromQString(Edit2->text()), CheckBox10->isChecked());
    Panel3->hide();
    m_model->Refresh();
    StringGrid1->setFocus();
}

// ---- Saving and closing ----------------------------------------------------------------------------

bool Ttabela::SaveTable(bool withDescription)
{
    CommitOpenEditor(*StringGrid1);
    IdentificationEdited();
    if (const std::optional<std::string> refusal = m_document.SaveRefusal()) {
        platform::Messages().Show(*refusal, {}, platform::MessageKind::Warning,
                                  platform::Buttons::Ok);
        return false;
    }
    m_document.Save(withDescription, DateTimeText(), gShared.settings.showDecimals);
    if (m_kind == TableKind::Pieces)
        gShared.orderList.dirty = true;
    return true;
}

void Ttabela::SetStripValues(const PcbStripValues& values)
{
    ProjectDescription d = m_document.Description();
    d.pcb = values;
    m_document.SetDescription(d);
}

bool Ttabela::SaveStripOrder(const std::vector<StripOption>& options, const std::string& material)
{
    CommitOpenEditor(*StringGrid1);
    IdentificationEdited();
    try {
        // A table that is there but could not be read is never written over.
        if (!options.empty() && m_document.Unreadable())
            throw m_document.UnreadableError();
        vor::SaveStripOrder(m_document.TableFile(), m_document.DescriptionFile(), options, material,
                            m_document.Number(), m_document.Description(), DateTimeText(),
                            gShared.settings.showDecimals);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
        return false;
    }
    m_document.Grid().SetModified(false);
    gShared.orderList.dirty = true;
    return true;
}

void Ttabela::Button12Click()
{
    CommitOpenEditor(*StringGrid1);
    if (m_kind == TableKind::Pieces && CheckBox8->isChecked() && TableEditorExtensions().stripOk &&
        TableEditorExtensions().stripOk(*this))
        return;
    if (SaveTable(true))
        accept();
}

void Ttabela::SaveAndClose()
{
    if (SaveTable(false))
        accept();
}

bool Ttabela::SaveOnly()
{
    return SaveTable(false);
}

void Ttabela::Button13Click()
{
    reject();
}

bool Ttabela::ConfirmDiscard()
{
    CommitOpenEditor(*StringGrid1);
    IdentificationEdited();
    if (!m_document.Modified())
        return true;
    return Ask(Msg(569)) == platform::Answer::Yes;
}

void Ttabela::reject()
{
    // Cancela, Esc and the close box alike.
    if (!ConfirmDiscard())
        return;
    QDialog::reject();
}

void Ttabela::done(int result)
{
    HidePanels();
    Timer1->stop();
    if (TableEditorExtensions().closing)
        TableEditorExtensions().closing(*this);
    ReadControlsIntoSettings();
    try {
        IniFile ini(MainSettingsFile());
        WriteTableEditorSettings(ini, m_settings);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    QDialog::done(result);
}

Ttabela* CreateTabela()
{
    if (!tabela)
        tabela = new Ttabela;
    return tabela;
}

void ShowTableEditor(int kind, int)
{
    CreateTabela()->Open(kind);
}

}  // namespace vor
