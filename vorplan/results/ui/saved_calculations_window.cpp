#include "vorplan/results/ui/saved_calculations_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/results/saved_calculations.h"
#include "vorplan/results/ui/own_dialog.h"

namespace vor {

TForm18* Form18 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

constexpr int kFolderRole = Qt::UserRole;
constexpr int kCommentRole = Qt::UserRole + 1;
constexpr int kDateX = 6, kTimeX = 80, kCommentX = 150;

QLabel* CaptionPanel(QWidget* parent, const char* name)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setMargin(2);
    return panel;
}

}  // namespace

void SavedCalculationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    SavedCalculation saved{FromQString(index.data(kFolderRole).toString()),
                           FromQString(index.data(kCommentRole).toString())};
    const SavedCalculationColumns columns = ColumnsOf(saved);
    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const int baseline = r.top() + 1 + QFontMetrics(option.font).ascent();
    painter->drawText(r.left() + kDateX, baseline, ToQString(columns.date));
    painter->drawText(r.left() + kTimeX, baseline, ToQString(columns.time));
    painter->drawText(r.left() + kCommentX, baseline, ToQString(columns.comment));
    painter->restore();
}

TForm18::TForm18(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form18"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QString::fromUtf8("Seleção de cálculos antigos para visualização"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    PageControl1 = new QStackedWidget(this);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    PageControl1->addWidget(TabSheet1);
    PageControl1->addWidget(TabSheet2);
    outer->addWidget(PageControl1);

    // Selection: the column captions over the list stand where the items draw.
    auto* select = new QVBoxLayout(TabSheet1);
    auto* captions = new QWidget(TabSheet1);
    captions->setFixedHeight(22);
    Panel1 = CaptionPanel(captions, "Panel1");
    Panel2 = CaptionPanel(captions, "Panel2");
    Panel3 = CaptionPanel(captions, "Panel3");
    Panel1->setGeometry(0, 0, kTimeX - 2, 22);
    Panel2->setGeometry(kTimeX - 2, 0, kCommentX - kTimeX, 22);
    Panel3->setGeometry(kCommentX - 2, 0, 400, 22);
    ListBox1 = new QListWidget(TabSheet1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setItemDelegate(new SavedCalculationDelegate(ListBox1));
    ListBox1->setMinimumSize(550, 220);
    ListBox2 = new QListWidget(TabSheet1);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setFixedHeight(110);
    auto* selectButtons = new QHBoxLayout;
    Button1 = MakeButton(TabSheet1, "Button1");
    Button5 = MakeButton(TabSheet1, "Button5");
    Button2 = MakeButton(TabSheet1, "Button2");
    selectButtons->addWidget(Button5);
    selectButtons->addStretch(1);
    selectButtons->addWidget(Button1);
    selectButtons->addWidget(Button2);
    select->addWidget(captions);
    select->addWidget(ListBox1, 1);
    select->addWidget(ListBox2);
    select->addLayout(selectButtons);

    // Save.
    auto* save = new QVBoxLayout(TabSheet2);
    Panel4 = CaptionPanel(TabSheet2, "Panel4");
    Edit1 = new QLineEdit(TabSheet2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(420);
    auto* saveButtons = new QHBoxLayout;
    Button3 = MakeButton(TabSheet2, "Button3");
    Button4 = MakeButton(TabSheet2, "Button4");
    saveButtons->addStretch(1);
    saveButtons->addWidget(Button3);
    saveButtons->addWidget(Button4);
    save->addWidget(Panel4);
    save->addWidget(Edit1);
    save->addLayout(saveButtons);

    connect(ListBox1, &QListWidget::itemClicked, this, &TForm18::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        ListBox1Click();
        RestoreSavedCalculation();
    });
    connect(Button1, &QPushButton::clicked, this, &TForm18::RestoreSavedCalculation);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button5, &QPushButton::clicked, this, &TForm18::Button5Click);
    connect(Button3, &QPushButton::clicked, this, &TForm18::SaveCalculation);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm18::Edit1Change);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (!Edit1->text().isEmpty())
            SaveCalculation();
    });

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm18::FormActivate);
}

TForm18::~TForm18()
{
    if (Form18 == this)
        Form18 = nullptr;
}

void TForm18::ShowPage(QWidget* page)
{
    // The window takes the size of the page it shows, not of the larger one.
    for (QWidget* p : {TabSheet1, TabSheet2})
        p->setSizePolicy(p == page ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                         p == page ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    PageControl1->setCurrentWidget(page);
    adjustSize();
}

bool TForm18::ShowSelection(QWidget& owner)
{
    ShowPage(TabSheet1);
    m_restored = false;
    ExecOwnDialog(*this, owner);
    return m_restored;
}

void TForm18::ShowSave(QWidget& owner)
{
    ShowPage(TabSheet2);
    Edit1->clear();
    ExecOwnDialog(*this, owner);
}

void TForm18::FormActivate()
{
    setWindowTitle(ToQString(Msg(290)));
    Panel1->setText(ToQString(Msg(656)));
    Panel2->setText(ToQString(Msg(741)));
    Panel3->setText(ToQString(Msg(100)));
    Panel4->setText(ToQString(Msg(291)));
    Button1->setText(QStringLiteral("Ok"));
    Button2->setText(ToQString(Msg(25)));
    Button4->setText(ToQString(Msg(25)));
    Button5->setText(ToQString(Msg(728)));
    Button3->setText(ToQString(Msg(585)));
    ListSavedCalculations();
    Edit1Change();
    if (PageControl1->currentWidget() == TabSheet2)
        Edit1->setFocus();
}

void TForm18::ListSavedCalculations()
{
    ListBox1->clear();
    ListBox2->clear();
    m_current.clear();
    Button1->setEnabled(false);
    Button5->setEnabled(false);
    if (PageControl1->currentWidget() != TabSheet1)
        return;
    for (const SavedCalculation& saved : vor::ListSavedCalculations(gShared.folders)) {
        auto* item = new QListWidgetItem(ToQString(saved.folder + saved.comment + std::string(15, ' ')));
        item->setData(kFolderRole, ToQString(saved.folder));
        item->setData(kCommentRole, ToQString(saved.comment));
        ListBox1->addItem(item);
    }
}

void TForm18::ListBox1Click()
{
    const QListWidgetItem* item = ListBox1->currentItem();
    if (!item)
        return;
    m_current = FromQString(item->data(kFolderRole).toString());
    Button1->setEnabled(true);
    Button5->setEnabled(true);
    ListBox2->clear();
    for (const std::string& name : SavedCalculationFiles(gShared.folders, m_current))
        ListBox2->addItem(ToQString(name));
}

void TForm18::RestoreSavedCalculation()
{
    if (m_current.empty())
        return;
    const RestoreResult result = vor::RestoreSavedCalculation(
        gShared.folders, m_current, gShared.calcLists.materials, gShared.currentMaterial);
    if (!result.restored) {
        platform::ShowMessage(result.message);
        return;
    }
    LoadMaterial(gShared.currentMaterial);
    m_restored = true;
    accept();
}

void TForm18::Button5Click()
{
    if (m_current.empty())
        return;
    if (platform::Messages().Show(Msg(742), "", platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    std::vector<std::string> names;
    for (int i = 0; i < ListBox2->count(); ++i)
        names.push_back(FromQString(ListBox2->item(i)->text()));
    DeleteSavedCalculation(gShared.folders, m_current, names);
    // The deleted calculation is no choice any more.
    ListSavedCalculations();
}

void TForm18::Edit1Change()
{
    Button3->setEnabled(!Edit1->text().isEmpty());
}

void TForm18::SaveCalculation()
{
    const SaveResult result = vor::SaveCalculation(gShared.folders, FromQString(Edit1->text()),
                                                   platform::GetClock());
    platform::ShowMessage(result.message);
    if (result.closeWindow)
        accept();
}

TForm18* CreateForm18()
{
    if (!Form18)
        Form18 = new TForm18;
    return Form18;
}

}  // namespace vor
