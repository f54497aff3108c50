#include "vorplan/orders/ui/offcut_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/widget_helpers.h"

namespace vor {

TForm2* Form2 = nullptr;

namespace {

const QColor kSilver(192, 192, 192);
const QColor kEvenRow(240, 240, 255);

// Column widths in characters of "X".
constexpr std::array<int, kOffcutColumnCount> kColumnCharacters = {4, 1, 4, 8, 8, 35};

}  // namespace

// The grid's cells over the core rows: model row r is grid row r + 1. Every
// change goes through here, so the view always knows what moved.
class OffcutGridModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    const OffcutGrid& Grid() const { return m_grid; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_grid.DataRowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : kOffcutColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const long row = index.row() + 1;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return platform::ToQString(m_grid.Cell(row, index.column()));
        case Qt::BackgroundRole:
            if (index.column() == kOffcutNumberColumn)
                return kSilver;
            return row % 2 == 0 ? kEvenRow : QColor(Qt::white);
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        m_grid.SetCell(index.row() + 1, index.column(), platform::FromQString(value.toString()));
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        // The number column is the grid's fixed column.
        if (!index.isValid() || index.column() == kOffcutNumberColumn)
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= kOffcutColumnCount)
            return {};
        if (role == Qt::DisplayRole)
            return m_headings[static_cast<std::size_t>(section)];
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

    void SetHeadings(const std::array<QString, kOffcutColumnCount>& headings)
    {
        m_headings = headings;
        emit headerDataChanged(Qt::Horizontal, 0, kOffcutColumnCount - 1);
    }

    void Load(const std::vector<OffcutRow>* rows, bool showDecimals)
    {
        beginResetModel();
        m_grid.Load(rows, showDecimals);
        endResetModel();
    }

    bool InsertRowAfter(long row)
    {
        if (m_grid.RowCount() >= kOffcutGridMaxRows)
            return false;
        const int at = static_cast<int>(std::clamp(row, 0L, m_grid.DataRowCount()));
        beginInsertRows({}, at, at);
        m_grid.InsertRowAfter(row);
        endInsertRows();
        NumbersChanged();
        return true;
    }

    bool DeleteRow(long row)
    {
        if (m_grid.RowCount() < 3 || row < 1 || row > m_grid.DataRowCount())
            return false;
        beginRemoveRows({}, static_cast<int>(row - 1), static_cast<int>(row - 1));
        m_grid.DeleteRow(row);
        endRemoveRows();
        NumbersChanged();
        return true;
    }

    void Clear()
    {
        beginResetModel();
        m_grid.Clear();
        endResetModel();
    }

    void ToggleMark(long row)
    {
        m_grid.ToggleMark(row);
        const QModelIndex cell = index(static_cast<int>(row - 1), kOffcutMarkColumn);
        emit dataChanged(cell, cell);
    }

    OffcutGrid::Cursor Enter(long row, int column, bool showDecimals)
    {
        const bool adds = column == kOffcutColumnCount - 1 && row == m_grid.DataRowCount() &&
                          m_grid.RowCount() < kOffcutGridMaxRows;
        if (adds)
            beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
        const OffcutGrid::Cursor next = m_grid.Enter(row, column, showDecimals);
        if (adds)
            endInsertRows();
        const QModelIndex cell = index(static_cast<int>(row - 1), column);
        emit dataChanged(cell, cell);
        return next;
    }

private:
    void NumbersChanged()
    {
        emit dataChanged(index(0, kOffcutNumberColumn),
                         index(rowCount() - 1, kOffcutNumberColumn));
    }

    OffcutGrid m_grid;
    std::array<QString, kOffcutColumnCount> m_headings;
};

namespace {

// Pasted (or dropped) text keeps the description in one field.
class DescriptionValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = platform::ToQString(OffcutDescriptionFromPaste(platform::FromQString(input)));
        return Acceptable;
    }
};

// A comma typed into a description would split it in the file: refused.
class DescriptionEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (OffcutDescriptionRefuses(platform::FromQString(event->text()))) {
            Beep();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// Draws the cells as the grid family does and hands Enter in a cell being
// typed in to the window.
class OffcutDelegate final : public QStyledItemDelegate {
public:
    OffcutDelegate(QTableView* view, std::function<void()> onEnter)
        : QStyledItemDelegate(view), m_view(view), m_onEnter(std::move(onEnter))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        QLineEdit* editor;
        if (index.column() == kOffcutDescriptionColumn) {
            editor = new DescriptionEdit(parent);
            editor->setValidator(new DescriptionValidator(editor));
        } else {
            editor = new QLineEdit(parent);
        }
        editor->setFrame(false);
        return editor;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        // The small mark on the current cell while the grid has the focus.
        if (m_view->hasFocus() && index == m_view->currentIndex()) {
            const QRect corner(option.rect.right() - 5, option.rect.top() + 1, 5, 5);
            painter->fillRect(corner, Qt::yellow);
            painter->setPen(Qt::black);
            painter->drawRect(corner.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress &&
            IsEnterKey(static_cast<QKeyEvent*>(event))) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_onEnter();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QTableView* m_view;
    std::function<void()> m_onEnter;
};

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tabela de retalhos"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();

    connect(StringGrid1, &QTableView::clicked, this, &TForm2::StringGrid1Click);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    StringGrid1SelectCell(current.row() + 1, current.column());
            });
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(2, 2, 2, 2);

    StringGrid1 = new QTableView(Panel1);
    m_model = new OffcutGridModel(this);
    StringGrid1->setModel(m_model);
    StringGrid1->setItemDelegate(new OffcutDelegate(StringGrid1, [this] { StringGrid1Enter(); }));
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    // The mark column is one character wide.
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(192,192,192); color: black;"
                       " border: 1px solid gray; padding: 1px; }"));
    StringGrid1->installEventFilter(this);
    panel->addWidget(StringGrid1);
    outer->addWidget(Panel1, 1);

    Button1 = MakeButton(this);
    Button2 = MakeButton(this);
    Button3 = MakeButton(this);
    Button3->setText(QStringLiteral("Ok"));
    Button4 = MakeButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    outer->addLayout(buttons);

    const std::pair<QWidget*, const char*> controlNames[] = {
        {Panel1, "Panel1"},   {StringGrid1, "StringGrid1"}, {Button1, "Button1"},
        {Button2, "Button2"}, {Button3, "Button3"},         {Button4, "Button4"},
    };
    for (const auto& [widget, name] : controlNames)
        widget->setObjectName(QLatin1String(name));
    setObjectName(QStringLiteral("Form2"));

    SetColumnWidths();
    resize(sizeHint().width(), 480);
}

void TForm2::SetColumnWidths()
{
    const int x = StringGrid1->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    int total = 0;
    for (int column = 0; column < kOffcutColumnCount; ++column) {
        const int width = kColumnCharacters[static_cast<std::size_t>(column)] * x + 5;
        StringGrid1->setColumnWidth(column, width);
        total += width;
    }
    // Room for every column and the scroll bar, so the grid never scrolls sideways.
    StringGrid1->setMinimumWidth(total + 2 * StringGrid1->frameWidth() +
                                 StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
}

const OffcutGrid& TForm2::Grid() const
{
    return m_model->Grid();
}

void TForm2::showEvent(QShowEvent* event)
{
    // A window coming back from being minimised is no new opening.
    if (!event->spontaneous())
        FormActivate();
    QDialog::showEvent(event);
}

void TForm2::FormActivate()
{
    QPalette palette = StringGrid1->palette();
    palette.setColor(QPalette::Base, Panel1->palette().color(QPalette::Window));
    StringGrid1->setPalette(palette);

    m_file = OffcutTableFile();
    const std::optional<std::vector<OffcutRow>> rows = ReadOffcutTable(m_file);
    m_model->Load(rows ? &*rows : nullptr, gShared.settings.showDecimals);

    const long long code = gShared.currentMaterial;
    LoadMaterial(code);
    setWindowTitle(M(584) + QStringLiteral(" ") + QString::number(code) + QStringLiteral(":  ") +
                   platform::ToQString(gShared.currentMaterialRecord.description));
    m_model->SetHeadings({M(586), QStringLiteral("M"), M(141), M(142), M(143), M(145)});
    SetColumnWidths();
    Button1->setText(M(728));
    Button2->setText(M(585));
    Button4->setText(M(25));

    MoveTo(1, kOffcutMarkColumn);
}

void TForm2::MoveTo(long row, int column)
{
    const QModelIndex cell = m_model->index(static_cast<int>(row - 1), column);
    StringGrid1->setCurrentIndex(cell);
    StringGrid1->scrollTo(cell);
    m_row = row;
    m_column = column;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress)
        return StringGrid1KeyPress(static_cast<QKeyEvent*>(event));
    if (watched == StringGrid1 && (event->type() == QEvent::FocusIn ||
                                   event->type() == QEvent::FocusOut))
        StringGrid1->viewport()->update();  // the current-cell mark follows the focus
    return QDialog::eventFilter(watched, event);
}

bool TForm2::StringGrid1KeyPress(QKeyEvent* event)
{
    if (IsEnterKey(event)) {
        StringGrid1Enter();
        return true;
    }
    if (event->key() == Qt::Key_Plus || event->text() == QStringLiteral("+")) {
        InsertRow();
        return true;
    }
    if (event->key() == Qt::Key_Minus || event->text() == QStringLiteral("-")) {
        DeleteRow();
        return true;
    }
    return false;
}

void TForm2::StringGrid1SelectCell(long row, int column)
{
    m_row = row;
    m_column = column;
}

void TForm2::StringGrid1Click(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    StringGrid1SelectCell(index.row() + 1, index.column());
    if (index.column() == kOffcutMarkColumn)
        m_model->ToggleMark(index.row() + 1);
}

void TForm2::StringGrid1Enter()
{
    if (m_row < 1 || m_row > Grid().DataRowCount())
        return;
    const OffcutGrid::Cursor next = m_model->Enter(m_row, m_column, gShared.settings.showDecimals);
    MoveTo(next.row, next.column);
}

void TForm2::InsertRow()
{
    CommitOpenEditor(*StringGrid1);
    m_model->InsertRowAfter(m_row);
}

void TForm2::DeleteRow()
{
    CommitOpenEditor(*StringGrid1);
    const Qt::KeyboardModifiers held =
        QGuiApplication::keyboardModifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (held == Qt::ControlModifier) {
        ClearTable();
        return;
    }
    if (m_model->DeleteRow(m_row))
        MoveTo(std::min(m_row, Grid().DataRowCount()), m_column);
}

void TForm2::ClearTable()
{
    m_model->Clear();
    MoveTo(1, kOffcutMarkColumn);
}

void TForm2::Button1Click()
{
    const platform::Answer answer = platform::Messages().Show(
        Msg(173), {}, platform::MessageKind::Question, platform::Buttons::YesNo);
    if (answer == platform::Answer::Yes)
        ClearTable();
}

bool TForm2::SaveTable()
{
    CommitOpenEditor(*StringGrid1);
    // A row without a usable size would stop the calculation of the material
    // later; it is refused here, where the user can still mend it.
    if (const auto problem = FindOffcutSizeProblem(Grid().Rows())) {
        platform::ShowMessage(OffcutSizeProblemText(*problem));
        MoveTo(problem->row, problem->column);
        return false;
    }
    WriteOffcutTable(m_file, Grid().RowsToSave());
    return true;
}

void TForm2::Button2Click()
{
    SaveTable();
}

void TForm2::Button3Click()
{
    if (SaveTable())
        accept();
}

void TForm2::Button4Click()
{
    reject();
}

TForm2* CreateForm2()
{
    if (!Form2)
        Form2 = new TForm2;
    return Form2;
}

}  // namespace vor
