#include "vorplan/orders/ui/project_manager_window.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/list_reports.h"
#include "vorplan/common/order_items.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/optimiser/calc_window_logic.h"
#include "vorplan/optimiser/ui/calc_window.h"
#include "vorplan/optimiser/ui/option_pictures.h"
#include "vorplan/orders/new_project.h"
#include "vorplan/orders/project_manager.h"
#include "vorplan/orders/ui/import_chooser_window.h"
#include "vorplan/orders/ui/new_project_windows.h"
#include "vorplan/orders/ui/table_window.h"
#include "vorplan/shell/list_selection.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/record_list.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm21* Form21 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

constexpr int kListWidth = 700;
constexpr int kInfoWidth = 300;

// The project number of a list item: its first "~" field.
long long ItemNumber(const QListWidgetItem& item)
{
    const QString text = item.text();
    return text.left(text.indexOf(QLatin1Char('~'))).trimmed().toLongLong();
}

}  // namespace

TForm21::TForm21(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form21"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Projetos"));

    PaintBox1 = new PaintBox(this, [](QPainter& painter, QSize) { DrawColumnHeaders(painter); });
    PaintBox1->setGeometry(8, 8, kListWidth, 22);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 30, kListWidth, 360);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setItemDelegate(new OrderItemDelegate(ListBox1));
    ListBox1->setUniformItemSizes(true);
    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 394, kListWidth, 20);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(kListWidth + 16, 30, kInfoWidth, 384);
    ListBox2->setSelectionMode(QAbstractItemView::NoSelection);

    const int searchTop = 422;
    Label1 = new QLabel(QStringLiteral("Pesquisar:"), this);
    Label1->setGeometry(8, searchTop + 4, 70, 18);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(80, searchTop, 250, 25);
    Button7 = MakeButton(this, "Button7", QStringLiteral("Busca"), QRect(336, searchTop, 75, 25));
    CheckBox1 = new QCheckBox(QStringLiteral("A = a"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(418, searchTop + 2, 70, 22);
    Button8 = MakeButton(this, "Button8", QStringLiteral("Desmarca"), QRect(500, searchTop, 100, 25));
    Button9 = MakeButton(this, "Button9", QStringLiteral("Inverte"), QRect(608, searchTop, 100, 25));

    const int buttonTop = 458;
    const int step = (kListWidth + kInfoWidth + 8) / 6;
    const char* names[] = {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6"};
    const QString texts[] = {QStringLiteral("Novo"),      QStringLiteral("Editar"),
                             QStringLiteral("Apagar"),    QStringLiteral("Relatório"),
                             QStringLiteral("Mesclar"),   QStringLiteral("Importar")};
    QPushButton** buttons[] = {&Button1, &Button2, &Button3, &Button4, &Button5, &Button6};
    for (int i = 0; i < 6; ++i)
        *buttons[i] = MakeButton(this, names[i], texts[i], QRect(8 + i * step, buttonTop, step - 8, 30));

    // The prompt of "Novo", over the search row and the buttons.
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, searchTop - 4, kListWidth + kInfoWidth + 8, 70);
    Panel2->setAutoFillBackground(true);
    Label2 = new QLabel(QStringLiteral("Código para o novo pedido ?"), Panel2);
    Label2->setGeometry(0, 8, 260, 18);
    Edit2 = new QLineEdit(Panel2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(264, 4, 100, 25);
    Edit2->installEventFilter(this);
    Label3 = new QLabel(Panel2);
    Label3->setGeometry(0, 40, 500, 18);
    Button10 = MakeButton(Panel2, "Button10", QStringLiteral("Ok"), QRect(372, 4, 75, 25));
    Button11 = MakeButton(Panel2, "Button11", QStringLiteral("Cancela"), QRect(454, 4, 75, 25));
    Panel2->setVisible(false);

    setFixedSize(kListWidth + kInfoWidth + 24, buttonTop + 40);

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm21::ListBox1Change);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { Button2Click(); });
    connect(Edit1, &QLineEdit::textChanged, this, &TForm21::Edit1Change);
    connect(Button7, &QPushButton::clicked, this, &TForm21::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm21::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm21::Button9Click);
    connect(Button1, &QPushButton::clicked, this, &TForm21::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm21::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm21::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm21::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm21::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm21::Button6Click);
    connect(Button10, &QPushButton::clicked, this, &TForm21::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TForm21::Button11Click);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm21::FormActivate);
    Edit1Change();
}

TForm21::~TForm21()
{
    if (Form21 == this)
        Form21 = nullptr;
}

void TForm21::FormActivate()
{
    Button5->setText(ToQString(Msg(935)));
    Button6->setText(ToQString(Msg(936)));
    Button11->setText(ToQString(Msg(25)));
    FillList();
}

void TForm21::FillList()
{
    {
        WaitCursor wait;
        SetupOrderListColumns(gListData.columns,
                              QFontMetrics(ListBox1->font()).horizontalAdvance(QLatin1Char('x')));
        PaintBox1->update();
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        RefreshOrderListIfDirty();
        for (const std::string& item : OrderItems(gShared.orderList))
            ListBox1->addItem(ToQString(item));
        ReadRecentProjects();
        SelectableListWidgetControl list(*ListBox1);
        MarkRecentProjects(list);
    }
    ListBox1Change();
}

void TForm21::ListBox1Change()
{
    const auto selected = static_cast<long>(ListBox1->selectedItems().size());
    const ProjectButtonStates states = ProjectButtons(selected, ListBox1->count());
    Button3->setEnabled(states.remove);
    Button2->setEnabled(states.edit);
    Button5->setEnabled(states.merge);
    Button8->setEnabled(states.clear);
    Button9->setEnabled(states.invert);
    Panel1->setText(ToQString(SelectionStateOf(selected, ListBox1->count()).statusText));
    FillInformation();
}

void TForm21::FillInformation()
{
    ListBox2->clear();
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.size() != 1)
        return;
    for (const std::string& line : ProjectInfoLines(gShared.folders, ItemNumber(*selected.front())))
        ListBox2->addItem(ToQString(line));
}

void TForm21::Edit1Change()
{
    const bool any = !Edit1->text().isEmpty();
    Button7->setEnabled(any);
    CheckBox1->setEnabled(any);
}

void TForm21::Button7Click()
{
    SelectMatchingItems(*ListBox1, Edit1->text(),
                        CheckBox1->isChecked() ? ListMatch::FoldCaseAndAccents : ListMatch::Exact);
}

void TForm21::Button8Click()
{
    ClearListSelection(*ListBox1);
}

void TForm21::Button9Click()
{
    InvertListSelection(*ListBox1);
}

void TForm21::Button1Click()
{
    std::string number, caption;
    SetProjectCaption(number, caption);
    Edit2->setText(ToQString(number));
    Label3->setText(ToQString("(" + Msg(53) + "0 .. " + std::to_string(kLargestUserProjectNumber) +
                              Msg(54) + ")"));
    Panel2->setVisible(true);
    Panel2->raise();
    Edit2->setFocus();
    Edit2->selectAll();
}

void TForm21::Button10Click()
{
    const std::string checked = CheckProjectNumberInput(FromQString(Edit2->text()));
    if (checked.empty()) {
        Edit2->setFocus();
        return;
    }
    Panel2->setVisible(false);
    AdoptNewProject(Edit2->text().trimmed().toLongLong(), true);
    ShowTableEditor(1, 0);
    FillList();
}

void TForm21::Button11Click()
{
    Panel2->setVisible(false);
}

void TForm21::Button2Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) {
        platform::ShowMessage("erro 87");
        return;
    }
    gShared.currentOrder = ItemNumber(*selected.front());
    ListWidgetControl list(*ListBox1);
    TakeRecentProjects(list);
    WriteRecentProjects();
    ShowTableEditor(1, 0);
    FillList();
}

void TForm21::Button3Click()
{
    std::vector<long long> numbers;
    std::string listed;
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (!ListBox1->item(row)->isSelected())
            continue;
        numbers.push_back(ItemNumber(*ListBox1->item(row)));
        listed += (listed.empty() ? "" : ", ") + std::to_string(numbers.back());
    }
    if (numbers.empty())
        return;
    if (platform::Messages().Show("Apagar os projetos " + listed + " ?", {}, platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    {
        WaitCursor wait;
        for (const long long number : numbers)
            DeleteOrderFiles(number);
        gShared.orderList.dirty = true;
    }
    FillList();
}

void TForm21::Button4Click()
{
    WaitCursor wait;
    try {
        ShowOrderListReport();
    } catch (const IoError& error) {
        platform::ShowMessage(error.what());
    }
}

void TForm21::Button5Click()
{
    std::vector<MergeEntry> entries;
    for (int row = 0; row < ListBox1->count(); ++row) {
        const QListWidgetItem* item = ListBox1->item(row);
        if (!item->isSelected())
            continue;
        const long long number = ItemNumber(*item);
        const QStringList fields = item->text().split(QLatin1Char('~'));
        entries.push_back({number, fields.size() > 1 ? FromQString(fields[1].trimmed()) : std::string(), 1});
    }
    TForm12* merge = CreateForm12();
    merge->SetProjects(std::move(entries));
    merge->exec();
    FillList();
}

void TForm21::Button6Click()
{
    ShowImportChooser();
    FillList();
}

void TForm21::FormKeyDown(int key)
{
    if (key == Qt::Key_F1) {
        WaitCursor wait;
        MainWindowCalls().ShowHelpText();
    }
}

void TForm21::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    QDialog::keyPressEvent(event);
}

bool TForm21::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button10Click();
            return true;
        }
        if (key == Qt::Key_Escape) {
            Button11Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TForm21* CreateForm21()
{
    if (!Form21)
        Form21 = new TForm21;
    return Form21;
}

void ShowProjectManager()
{
    TForm21* form = CreateForm21();
    gMainWindow.windowOpenFlags.projectManager = true;
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace vor
