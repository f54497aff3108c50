#include "vorplan/orders/ui/resources_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_reports.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/resources.h"
#include "vorplan/orders/ui/material_window.h"
#include "vorplan/orders/ui/new_material_window.h"
#include "vorplan/orders/ui/offcut_window.h"
#include "vorplan/orders/ui/resources_report_window.h"
#include "vorplan/orders/ui/table_window.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/record_list.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm22* Form22 = nullptr;

namespace {

ResourceEditors gEditors;

long long CodeOfItem(const QListWidgetItem& item)
{
    return item.data(Qt::UserRole).toLongLong();
}

void OpenProperties()
{
    if (gEditors.properties) {
        gEditors.properties();
        return;
    }
    CreateForm15()->exec();
}

void OpenSheets()
{
    if (gEditors.sheets) {
        gEditors.sheets();
        return;
    }
    ShowTableEditor(2, 0);
}

void OpenOffcuts()
{
    if (gEditors.offcuts) {
        gEditors.offcuts();
        return;
    }
    CreateForm2()->exec();
}

long long AskNewCode()
{
    return gEditors.newCode ? gEditors.newCode() : CreateForm14()->Ask();
}

void OpenOptions()
{
    if (gEditors.options) {
        gEditors.options();
        return;
    }
    CreateForm24()->exec();
}

}  // namespace

TForm22::TForm22(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Recursos"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm22::FormActivate);

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm22::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm22::CheckBox1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm22::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm22::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm22::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm22::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm22::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm22::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm22::Button7Click);
}

TForm22::~TForm22()
{
    if (Form22 == this)
        Form22 = nullptr;
}

void TForm22::SetEditors(ResourceEditors editors)
{
    gEditors = std::move(editors);
}

void TForm22::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    outer->addWidget(PageControl1);
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Chapas"));

    auto* grid = new QGridLayout(TabSheet1);
    Header1 = new QWidget(TabSheet1);
    Header1->setObjectName(QStringLiteral("Header1"));
    Header1->setFixedHeight(QFontMetrics(Header1->font()).height() + 4);
    grid->addWidget(Header1, 0, 0);
    ListBox1 = new QListWidget(TabSheet1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setItemDelegate(new RecordItemDelegate(true, &gListData.columns, ListBox1));
    ListBox1->setMinimumSize(700, 320);
    grid->addWidget(ListBox1, 1, 0, 2, 1);

    ListBox2 = new QListWidget(TabSheet1);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox2->setMinimumWidth(260);
    grid->addWidget(ListBox2, 0, 1, 2, 1);
    ListBox3 = new QListWidget(TabSheet1);
    ListBox3->setObjectName(QStringLiteral("ListBox3"));
    ListBox3->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox3->setMinimumWidth(260);
    grid->addWidget(ListBox3, 2, 1);

    auto* below = new QHBoxLayout;
    CheckBox1 = new QCheckBox(TabSheet1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    below->addWidget(CheckBox1);
    below->addStretch(1);
    Panel1 = new QLabel(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setText(QStringLiteral("Aguarde ..."));
    Panel1->hide();
    below->addWidget(Panel1);
    Label1 = new QLabel(TabSheet1);
    Label1->setObjectName(QStringLiteral("Label1"));
    below->addWidget(Label1);
    grid->addLayout(below, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    Button1 = MakeButton(this);
    Button2 = MakeButton(this);
    Button3 = MakeButton(this);
    Button4 = MakeButton(this);
    Button5 = MakeButton(this);
    Button6 = MakeButton(this);
    Button7 = MakeButton(this);
    int n = 1;
    for (QPushButton* button : {Button1, Button2, Button3, Button4, Button5, Button6, Button7}) {
        button->setObjectName(QStringLiteral("Button%1").arg(n++));
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
}

void TForm22::SetCaptions()
{
    setWindowTitle(M(834));
    PageControl1->setTabText(0, M(98));
    CheckBox1->setText(QStringLiteral("Mostrar materiais exemplo"));
    Button1->setText(M(824));
    Button2->setText(M(98));
    Button3->setText(M(99));
    Button4->setText(QStringLiteral("Novo"));
    Button5->setText(M(728));
    Button6->setText(M(193));
    Button7->setText(QString::fromUtf8("Relatório"));
}

void TForm22::FormActivate()
{
    CheckBox1->setChecked(gShared.settings.showSampleMaterial);
    SetCaptions();
    FillMaterialList();
    PlaceByMainWindow();
}

void TForm22::PlaceByMainWindow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    layout()->activate();
    const MainWindowGeometry& g = gMainWindow.geometry;
    move(g.centreX - width() / 2, g.listTop);
}

void TForm22::FillMaterialList()
{
    WaitCursor wait;
    Panel1->show();
    Panel1->repaint();
    SetupMaterialListColumns(*ListBox1);
    ShowColumnTitles();
    try {
        LoadMaterialTable(false);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        for (const MaterialListLine& line :
             MaterialListLines(gShared.materialTable, gShared.settings.showSampleMaterial)) {
            auto* item = new QListWidgetItem(platform::ToQString(line.text), ListBox1);
            item->setData(Qt::UserRole, line.code);
            SetRecordSwatch(*item, static_cast<WinColor>(line.colour));
        }
    }
    Panel1->hide();
    SelectCurrentMaterial();
}

void TForm22::ShowColumnTitles()
{
    qDeleteAll(Header1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    const ColumnSet& columns = gListData.columns;
    const int frame = ListBox1->frameWidth();
    for (int i = 1; i <= columns.count; ++i) {
        auto* title = new QLabel(platform::ToQString(columns.titles[i]), Header1);
        title->move(frame + columns.x[i], 0);
        title->show();
    }
}

void TForm22::SelectCurrentMaterial()
{
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clearSelection();
        for (int i = 0; i < ListBox1->count(); ++i) {
            QListWidgetItem* item = ListBox1->item(i);
            if (CodeOfItem(*item) == gShared.currentMaterial) {
                item->setSelected(true);
                ListBox1->setCurrentItem(item, QItemSelectionModel::Current);
                ListBox1->scrollToItem(item);
                break;
            }
        }
    }
    // As a click: the count, the buttons and the stock.
    ListBox1Click();
}

void TForm22::UpdateSelectionState()
{
    const int selected = static_cast<int>(ListBox1->selectedItems().size());
    const int total = ListBox1->count();
    Label1->setText(platform::ToQString(SelectionCountText(selected, total)));
    const ResourceButtonStates states = ResourceButtons(selected, total);
    Button1->setEnabled(states.properties);
    Button2->setEnabled(states.sheets);
    Button3->setEnabled(states.offcuts);
    Button4->setEnabled(states.newMaterial);
    Button5->setEnabled(states.remove);
}

void TForm22::ListBox1Click()
{
    UpdateSelectionState();
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.size() != 1) {
        ListBox2->clear();
        ListBox3->clear();
        return;
    }
    gShared.currentMaterial = CodeOfItem(*selected.front());
    FillListFromTable(*ListBox2, *ListBox3, gShared.currentMaterial,
                      [](bool sheets, long long code) { return LoadStockRows(sheets, code); });
}

void TForm22::ListBox1DblClick()
{
    if (Button1->isEnabled())
        Button1Click();
}

void TForm22::CheckBox1Click()
{
    gShared.settings.showSampleMaterial = CheckBox1->isChecked();
    FillMaterialList();
}

void TForm22::Refill()
{
    FillMaterialList();
}

void TForm22::Button1Click()
{
    if (ListBox1->selectedItems().size() != 1)
        return;
    gShared.currentMaterial = CodeOfItem(*ListBox1->selectedItems().front());
    OpenProperties();
    Refill();
}

void TForm22::Button2Click()
{
    if (ListBox1->selectedItems().size() != 1)
        return;
    gShared.currentMaterial = CodeOfItem(*ListBox1->selectedItems().front());
    OpenSheets();
    Refill();
}

void TForm22::Button3Click()
{
    if (ListBox1->selectedItems().size() != 1)
        return;
    gShared.currentMaterial = CodeOfItem(*ListBox1->selectedItems().front());
    OpenOffcuts();
    Refill();
}

void TForm22::Button4Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.size() == 1)
        gShared.currentMaterial = CodeOfItem(*selected.front());
    const long long code = AskNewCode();
    if (code < 0)
        return;
    gShared.currentMaterial = code;
    OpenProperties();
    Refill();
}

void TForm22::Button5Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.size() != 1)
        return;
    if (DeleteMaterial(gShared.folders, CodeOfItem(*selected.front())))
        Refill();
}

void TForm22::Button6Click()
{
    OpenOptions();
}

void TForm22::Button7Click()
{
    TakeChosenMaterials(*ListBox1);
    try {
        ShowResourcesReport(CreateForm24()->Options());
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
}

void TForm22::FormKeyDown(int key)
{
    if (key == Qt::Key_F1) {
        WaitCursor wait;
        MainWindowCalls().ShowHelpText();
    }
}

void TForm22::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    QDialog::keyPressEvent(event);
}

void TForm22::done(int result)
{
    MainWindowCalls().ResetIconHighlight();
    QDialog::done(result);
}

TForm22* CreateForm22()
{
    if (!Form22)
        Form22 = new TForm22;
    return Form22;
}

void ShowResourcesWindow()
{
    TForm22* form = CreateForm22();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace vor
