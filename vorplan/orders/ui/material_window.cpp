#include "vorplan/orders/ui/material_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"

namespace vor {

TForm15* Form15 = nullptr;

namespace {

FieldTitlePrompt& TitlePrompt()
{
    static FieldTitlePrompt prompt;
    return prompt;
}

QString Q(const std::string& text)
{
    return platform::ToQString(text);
}

std::string S(const QLineEdit* edit)
{
    return platform::FromQString(edit->text());
}

QLabel* UnitLabel(const char* unit, QWidget* parent)
{
    auto* label = new QLabel(QLatin1String(unit), parent);
    label->setObjectName(QStringLiteral("UnitLabel"));
    return label;
}

QLabel* ValuePanel(QWidget* parent)
{
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(120);
    return panel;
}

// A key that would change the text of a field: a character, erasing, cutting
// or pasting.
bool ChangesText(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut) ||
        key.matches(QKeySequence::Delete) || key.matches(QKeySequence::Undo) ||
        key.matches(QKeySequence::Redo))
        return true;
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete)
        return true;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

void SetTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

TForm15::TForm15(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Configuração de material"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    ConnectHandlers();

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm15::FormActivate);
}

TForm15::~TForm15()
{
    if (Form15 == this)
        Form15 = nullptr;
}

void TForm15::SetFieldTitlePrompt(FieldTitlePrompt prompt)
{
    TitlePrompt() = std::move(prompt);
}

void TForm15::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    TabSheet5 = new QWidget;
    TabSheet6 = new QWidget;
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5, TabSheet6})
        PageControl1->addTab(page, QString());
    outer->addWidget(PageControl1);

    // ---- Descrição
    auto* description = new QGridLayout(TabSheet1);
    Label1 = new QLabel(TabSheet1);
    Panel2 = new QLabel(TabSheet1);
    QFont large = Panel2->font();
    large.setPointSize(20);
    large.setBold(true);
    Panel2->setFont(large);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setMinimumWidth(140);
    auto* codeRow = new QHBoxLayout;
    codeRow->addStretch(1);
    codeRow->addWidget(Label1);
    codeRow->addWidget(Panel2);
    description->addLayout(codeRow, 0, 0, 1, 2);

    int row = 1;
    auto addField = [&](QLabel*& label, QLineEdit*& edit) {
        label = new QLabel(TabSheet1);
        edit = new QLineEdit(TabSheet1);
        edit->setMinimumWidth(360);
        description->addWidget(label, row, 0);
        description->addWidget(edit, row, 1);
        ++row;
    };
    addField(Label2, Edit1);
    addField(Label3, Edit2);
    addField(Label4, Edit3);
    addField(Label5, Edit4);
    for (std::size_t i = 0; i < TitleLabels.size(); ++i) {
        addField(TitleLabels[i], FieldEdits[i]);
        QLabel* title = TitleLabels[i];
        title->setAutoFillBackground(true);
        QPalette palette = title->palette();
        palette.setColor(QPalette::Window, Qt::yellow);
        palette.setColor(QPalette::WindowText, Qt::black);
        title->setPalette(palette);
        title->setMinimumWidth(160);
        title->installEventFilter(this);
    }
    Label13 = new QLabel(TabSheet1);
    Panel3 = ValuePanel(TabSheet1);
    Label14 = new QLabel(TabSheet1);
    Panel4 = ValuePanel(TabSheet1);
    auto* stamps = new QHBoxLayout;
    stamps->addWidget(Label13);
    stamps->addWidget(Panel3);
    stamps->addSpacing(12);
    stamps->addWidget(Label14);
    stamps->addWidget(Panel4);
    stamps->addStretch(1);
    description->addLayout(stamps, row, 0, 1, 2);
    description->setRowStretch(row + 1, 1);

    // ---- Propriedades 1
    auto* cutting = new QGridLayout(TabSheet2);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    cutting->addLayout(left, 0, 0);
    cutting->addLayout(right, 0, 1);

    auto lengthRow = [](QGridLayout* grid, int at, QLabel*& label, QLineEdit*& edit,
                        QWidget* parent, const char* unit = "mm") {
        label = new QLabel(parent);
        edit = new QLineEdit(parent);
        edit->setMaximumWidth(90);
        grid->addWidget(label, at, 0);
        grid->addWidget(edit, at, 1);
        grid->addWidget(UnitLabel(unit, parent), at, 2);
    };

    auto* saw = new QGridLayout;
    lengthRow(saw, 0, Label15, Edit12, TabSheet2);
    lengthRow(saw, 1, Label16, Edit13, TabSheet2);
    left->addLayout(saw);

    GroupBox1 = new QGroupBox(TabSheet2);
    auto* offcuts = new QGridLayout(GroupBox1);
    RadioButton1 = new QRadioButton(GroupBox1);
    RadioButton2 = new QRadioButton(GroupBox1);
    auto* offcutChoice = new QHBoxLayout;
    offcutChoice->addWidget(RadioButton1);
    offcutChoice->addWidget(RadioButton2);
    offcutChoice->addStretch(1);
    offcuts->addLayout(offcutChoice, 0, 0, 1, 3);
    lengthRow(offcuts, 1, Label17, Edit14, GroupBox1);
    lengthRow(offcuts, 2, Label18, Edit15, GroupBox1);
    left->addWidget(GroupBox1);

    GroupBox2 = new QGroupBox(TabSheet2);
    auto* pieces = new QGridLayout(GroupBox2);
    lengthRow(pieces, 0, Label19, Edit16, GroupBox2);
    lengthRow(pieces, 1, Label20, Edit17, GroupBox2);
    Edit18 = new QLineEdit(GroupBox2);
    Edit18->setVisible(false);
    left->addWidget(GroupBox2);

    Label27 = new QLabel(TabSheet2);
    Panel5 = new QFrame(TabSheet2);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel5->setLineWidth(2);
    Panel5->setAutoFillBackground(true);
    Panel5->setFixedSize(80, 26);
    Panel5->setCursor(Qt::PointingHandCursor);
    Panel5->installEventFilter(this);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(Label27);
    colourRow->addWidget(Panel5);
    colourRow->addStretch(1);
    left->addLayout(colourRow);
    left->addStretch(1);

    GroupBox3 = new QGroupBox(TabSheet2);
    auto* cutLength = new QGridLayout(GroupBox3);
    RadioButton3 = new QRadioButton(GroupBox3);
    RadioButton4 = new QRadioButton(GroupBox3);
    Edit19 = new QLineEdit(GroupBox3);
    Edit19->setMaximumWidth(90);
    Label21 = new QLabel(QStringLiteral("( 10 ... 10000 mm )"), GroupBox3);
    cutLength->addWidget(RadioButton3, 0, 0);
    cutLength->addWidget(RadioButton4, 1, 0);
    cutLength->addWidget(Edit19, 1, 1);
    cutLength->addWidget(UnitLabel("mm", GroupBox3), 1, 2);
    cutLength->addWidget(Label21, 2, 0, 1, 3);
    right->addWidget(GroupBox3);

    GroupBox4 = new QGroupBox(TabSheet2);
    auto* rotation = new QHBoxLayout(GroupBox4);
    RadioButton5 = new QRadioButton(GroupBox4);
    RadioButton6 = new QRadioButton(GroupBox4);
    rotation->addWidget(RadioButton5);
    rotation->addWidget(RadioButton6);
    rotation->addStretch(1);
    right->addWidget(GroupBox4);

    GroupBox5 = new QGroupBox(TabSheet2);
    auto* trims = new QGridLayout(GroupBox5);
    lengthRow(trims, 0, Label22, Edit20, GroupBox5);
    lengthRow(trims, 1, Label23, Edit21, GroupBox5);
    lengthRow(trims, 2, Label24, Edit22, GroupBox5);
    lengthRow(trims, 3, Label25, Edit23, GroupBox5);
    Label26 = new QLabel(QStringLiteral("( -500 ... 500 mm )"), GroupBox5);
    trims->addWidget(Label26, 4, 0, 1, 3);
    right->addWidget(GroupBox5);
    right->addStretch(1);

    // ---- Propriedades 2
    auto* commercial = new QVBoxLayout(TabSheet3);
    auto* physical = new QGridLayout;
    lengthRow(physical, 0, Label28, Edit24, TabSheet3);
    lengthRow(physical, 1, Label29, Edit25, TabSheet3, "kg/m2");
    physical->setColumnStretch(3, 1);
    commercial->addLayout(physical);

    GroupBox6 = new QGroupBox(TabSheet3);
    auto* basis = new QHBoxLayout(GroupBox6);
    RadioButton7 = new QRadioButton(GroupBox6);
    RadioButton7->setChecked(true);
    basis->addWidget(RadioButton7);
    basis->addStretch(1);
    commercial->addWidget(GroupBox6);

    GroupBox7 = new QGroupBox(TabSheet3);
    auto* material = new QGridLayout(GroupBox7);
    Label30 = new QLabel(GroupBox7);
    Label31 = new QLabel(GroupBox7);
    Edit26 = new QLineEdit(GroupBox7);
    Edit26->setMaximumWidth(110);
    Label32 = new QLabel(GroupBox7);
    Label33 = new QLabel(GroupBox7);
    Edit27 = new QLineEdit(GroupBox7);
    Edit27->setMaximumWidth(110);
    Label34 = new QLabel(GroupBox7);
    Label35 = new QLabel(GroupBox7);
    Panel6 = ValuePanel(GroupBox7);
    Panel6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Panel6->setMinimumWidth(110);
    Label36 = new QLabel(GroupBox7);
    Label37 = new QLabel(GroupBox7);
    material->addWidget(Label30, 0, 0);
    material->addWidget(Label31, 0, 1);
    material->addWidget(Edit26, 0, 2);
    material->addWidget(Label32, 0, 3);
    material->addWidget(Label33, 1, 0);
    material->addWidget(Edit27, 1, 2);
    material->addWidget(Label34, 2, 0);
    material->addWidget(Label35, 2, 1);
    material->addWidget(Panel6, 2, 2);
    material->addWidget(Label36, 2, 3);
    material->addWidget(Label37, 3, 0, 1, 5);
    material->setColumnStretch(4, 1);
    commercial->addWidget(GroupBox7);

    GroupBox8 = new QGroupBox(TabSheet3);
    auto* cut = new QGridLayout(GroupBox8);
    Label38 = new QLabel(GroupBox8);
    Edit28 = new QLineEdit(GroupBox8);
    Edit28->setMaximumWidth(110);
    Label39 = new QLabel(GroupBox8);
    Label40 = new QLabel(GroupBox8);
    Label41 = new QLabel(GroupBox8);
    cut->addWidget(Label38, 0, 0);
    cut->addWidget(Edit28, 0, 1);
    cut->addWidget(Label39, 1, 0, 1, 3);
    cut->addWidget(Label40, 2, 0, 1, 3);
    cut->addWidget(Label41, 3, 0, 1, 3);
    cut->setColumnStretch(2, 1);
    commercial->addWidget(GroupBox8);
    commercial->addStretch(1);

    // ---- Propriedades 3
    auto* times = new QGridLayout(TabSheet4);
    for (std::size_t i = 0; i < TimeEdits.size(); ++i) {
        const int at = static_cast<int>(i);
        TimeLabels[i] = new QLabel(QStringLiteral("T%1").arg(at + 1), TabSheet4);
        TimeEdits[i] = new QLineEdit(TabSheet4);
        times->addWidget(TimeLabels[i], at, 0);
        times->addWidget(TimeEdits[i], at, 1);
        times->addWidget(UnitLabel("min", TabSheet4), at, 2);
    }
    times->setRowStretch(4, 1);

    // ---- Cálculos especiais
    auto* special = new QVBoxLayout(TabSheet5);
    GroupBox9 = new QGroupBox(TabSheet5);
    auto* divide = new QVBoxLayout(GroupBox9);
    CheckBox1 = new QCheckBox(GroupBox9);
    divide->addWidget(CheckBox1);
    special->addWidget(GroupBox9);
    special->addStretch(1);

    // ---- Material duplo
    auto* doubled = new QGridLayout(TabSheet6);
    Label46 = new QLabel(TabSheet6);
    Edit33 = new QLineEdit(TabSheet6);
    Label47 = new QLabel(TabSheet6);
    Edit34 = new QLineEdit(TabSheet6);
    Edit35 = new QLineEdit(TabSheet6);
    doubled->addWidget(Label46, 0, 0);
    doubled->addWidget(Edit33, 0, 1, 1, 2);
    doubled->addWidget(Label47, 1, 0, 1, 3);
    doubled->addWidget(Edit34, 2, 1);
    doubled->addWidget(Edit35, 2, 2);
    doubled->setRowStretch(3, 1);

    Button1 = MakeButton(this);
    Button1->setText(QStringLiteral("Ok"));
    Button2 = MakeButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);

    m_protected = {Edit1, Edit2, Edit3, Edit12, Edit13, Edit14, Edit15, Edit18, Edit24, Edit25};
    m_protected.insert(m_protected.end(), FieldEdits.begin(), FieldEdits.end());
    for (QLineEdit* edit : m_protected)
        edit->installEventFilter(this);

    // The controls answer to their own names, in tests and tools alike.
    const std::pair<QObject*, const char*> controlNames[] = {
        {PageControl1, "PageControl1"}, {TabSheet1, "TabSheet1"}, {TabSheet2, "TabSheet2"},
        {TabSheet3, "TabSheet3"}, {TabSheet4, "TabSheet4"}, {TabSheet5, "TabSheet5"},
        {TabSheet6, "TabSheet6"}, {Label1, "Label1"}, {Panel2, "Panel2"}, {Label2, "Label2"},
        {Edit1, "Edit1"}, {Label3, "Label3"}, {Edit2, "Edit2"}, {Label4, "Label4"},
        {Edit3, "Edit3"}, {Label5, "Label5"}, {Edit4, "Edit4"}, {Label13, "Label13"},
        {Panel3, "Panel3"}, {Label14, "Label14"}, {Panel4, "Panel4"}, {Label15, "Label15"},
        {Edit12, "Edit12"}, {Label16, "Label16"}, {Edit13, "Edit13"}, {GroupBox1, "GroupBox1"},
        {RadioButton1, "RadioButton1"}, {RadioButton2, "RadioButton2"}, {Label17, "Label17"},
        {Edit14, "Edit14"}, {Label18, "Label18"}, {Edit15, "Edit15"}, {GroupBox2, "GroupBox2"},
        {Label19, "Label19"}, {Edit16, "Edit16"}, {Label20, "Label20"}, {Edit17, "Edit17"},
        {Edit18, "Edit18"}, {GroupBox3, "GroupBox3"}, {RadioButton3, "RadioButton3"},
        {RadioButton4, "RadioButton4"}, {Edit19, "Edit19"}, {Label21, "Label21"},
        {GroupBox4, "GroupBox4"}, {RadioButton5, "RadioButton5"}, {RadioButton6, "RadioButton6"},
        {GroupBox5, "GroupBox5"}, {Label22, "Label22"}, {Edit20, "Edit20"}, {Label23, "Label23"},
        {Edit21, "Edit21"}, {Label24, "Label24"}, {Edit22, "Edit22"}, {Label25, "Label25"},
        {Edit23, "Edit23"}, {Label26, "Label26"}, {Label27, "Label27"}, {Panel5, "Panel5"},
        {Label28, "Label28"}, {Edit24, "Edit24"}, {Label29, "Label29"}, {Edit25, "Edit25"},
        {GroupBox6, "GroupBox6"}, {RadioButton7, "RadioButton7"}, {GroupBox7, "GroupBox7"},
        {Label30, "Label30"}, {Label31, "Label31"}, {Edit26, "Edit26"}, {Label32, "Label32"},
        {Label33, "Label33"}, {Edit27, "Edit27"}, {Label34, "Label34"}, {Label35, "Label35"},
        {Panel6, "Panel6"}, {Label36, "Label36"}, {Label37, "Label37"}, {GroupBox8, "GroupBox8"},
        {Label38, "Label38"}, {Edit28, "Edit28"}, {Label39, "Label39"}, {Label40, "Label40"},
        {Label41, "Label41"}, {GroupBox9, "GroupBox9"}, {CheckBox1, "CheckBox1"},
        {Label46, "Label46"}, {Edit33, "Edit33"}, {Label47, "Label47"}, {Edit34, "Edit34"},
        {Edit35, "Edit35"}, {Button1, "Button1"}, {Button2, "Button2"},
    };
    for (const auto& [object, name] : controlNames)
        object->setObjectName(QLatin1String(name));
    for (std::size_t i = 0; i < TitleLabels.size(); ++i) {
        TitleLabels[i]->setObjectName(QStringLiteral("Label%1").arg(6 + i));
        FieldEdits[i]->setObjectName(QStringLiteral("Edit%1").arg(5 + i));
    }
    for (std::size_t i = 0; i < TimeEdits.size(); ++i) {
        TimeLabels[i]->setObjectName(QStringLiteral("Label%1").arg(42 + i));
        TimeEdits[i]->setObjectName(QStringLiteral("Edit%1").arg(29 + i));
    }
    setObjectName(QStringLiteral("Form15"));
}

void TForm15::ConnectHandlers()
{
    connect(Button1, &QPushButton::clicked, this, &TForm15::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm15::Button2Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm15::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm15::RadioButton2Click);
    // Typed or pasted only: filling the field when the file loads is no typing.
    connect(Edit4, &QLineEdit::textEdited, this, &TForm15::Edit4Change);
    connect(Edit33, &QLineEdit::textEdited, this, &TForm15::Edit33Change);
    connect(Edit26, &QLineEdit::textChanged, this, &TForm15::Edit26Change);
    connect(Edit27, &QLineEdit::textChanged, this, &TForm15::Edit27Change);
}

void TForm15::SetCaptions()
{
    setWindowTitle(Q(MaterialWindowCaption(m_code)));
    Label1->setText(Q(Msg(241)));
    Panel2->setText(QString::number(m_code));

    const QString properties = Q(Msg(824));
    PageControl1->setTabText(0, Q(Msg(145)));
    PageControl1->setTabText(1, properties + QStringLiteral(" 1"));
    PageControl1->setTabText(2, properties + QStringLiteral(" 2"));
    PageControl1->setTabText(3, properties + QStringLiteral(" 3"));
    PageControl1->setTabText(4, Q(Msg(825)));
    PageControl1->setTabText(5, Q(Msg(826)));

    Label2->setText(Q(Msg(145)));
    Label3->setText(Q(Msg(211)));
    Label4->setText(Q(Msg(827)));
    Label5->setText(Q(Msg(934)));
    Label13->setText(Q(Msg(828)));
    Label14->setText(Q(Msg(829)));

    Label15->setText(Q(Msg(255)));
    Label16->setText(Q(Msg(256)));
    GroupBox1->setTitle(Q(Msg(543)));
    RadioButton1->setText(Q(Msg(102)));
    RadioButton2->setText(Q(Msg(103)));
    Label17->setText(Q(Msg(544)));
    Label18->setText(Q(Msg(545)));
    GroupBox2->setTitle(Q(Msg(830)));
    Label19->setText(Q(Msg(142)));
    Label20->setText(Q(Msg(143)));
    GroupBox3->setTitle(Q(Msg(951)));
    RadioButton3->setText(Q(Msg(831)));
    RadioButton4->setText(Q(Msg(950)));
    GroupBox4->setTitle(Q(Msg(832)));
    RadioButton5->setText(Q(Msg(102)));
    RadioButton6->setText(Q(Msg(103)));
    GroupBox5->setTitle(Q(Msg(833)));
    Label22->setText(Q(Msg(493)));
    Label23->setText(Q(Msg(494)));
    Label24->setText(Q(Msg(491)));
    Label25->setText(Q(Msg(492)));
    Label27->setText(Q(Msg(835)));

    Label28->setText(Q(Msg(836)));
    Label29->setText(Q(Msg(837)));
    GroupBox6->setTitle(Q(Msg(840)));
    RadioButton7->setText(Q(Msg(486)));
    GroupBox7->setTitle(Q(Msg(954)));
    Label30->setText(Q(Msg(247)));
    Label33->setText(Q(Msg(843)));
    Label34->setText(Q(Msg(844)));
    const QString money = Q(gShared.settings.money);
    Label31->setText(money);
    Label35->setText(money);
    Label37->setText(Q(SalePriceFormula()));
    GroupBox8->setTitle(Q(Msg(955)));
    Label38->setText(Q(Msg(845)));
    Label39->setText(Q(CuttingPriceFormula()));
    Label40->setText(Q(Msg(979)));
    Label41->setText(Q(Msg(980)));

    GroupBox9->setTitle(Q(Msg(930)));
    CheckBox1->setText(Q(Msg(931)));
    Label46->setText(Q(Msg(145)));
    Label47->setText(Q(Msg(847)));
    Button2->setText(Q(Msg(25)));

    // A group's title does not widen its group; long titles would be cut.
    for (QGroupBox* group : findChildren<QGroupBox*>())
        group->setMinimumWidth(group->fontMetrics().horizontalAdvance(group->title()) + 24);
}

void TForm15::FormActivate()
{
    // Coming back from another window of the program keeps what was typed;
    // the file is read once per opening.
    if (m_loaded)
        return;
    m_loaded = true;
    m_okPressed = false;
    m_code = gShared.currentMaterial;

    PageControl1->setTabVisible(3, false);
    PageControl1->setTabVisible(4, false);
    PageControl1->setTabVisible(5, false);
    PageControl1->setCurrentIndex(0);
    move(4, y());

    SetCaptions();

    const FieldTitles titles = ReadFieldTitles(FieldTitlesFile(gShared.folders));
    for (std::size_t i = 0; i < TitleLabels.size(); ++i)
        TitleLabels[i]->setText(Q(titles[i]));
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        edit->clear();
    for (QLineEdit* edit : FieldEdits)
        edit->clear();
    ShowValues(ReadMaterialFile(MaterialFile(gShared.folders, m_code), DateTimeText()));
    // Priced by area, the only basis offered.
    Label32->setText(QStringLiteral("/ m2"));
    Label36->setText(QStringLiteral("/ m2"));
    ProtectFields();
    EqualPageSizes();
    Edit1->setFocus();
}

void TForm15::EqualPageSizes()
{
    // Every page as large as the largest, so the window keeps its size from
    // page to page. New texts have only posted their layout requests.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QSize largest;
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3}) {
        page->setMinimumSize(0, 0);
        page->layout()->activate();
        largest = largest.expandedTo(page->sizeHint());
    }
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3})
        page->setMinimumSize(largest);
}

void TForm15::ShowValues(const MaterialFileValues& v)
{
    Edit1->setText(Q(v.fields[0]));
    for (std::size_t i = 0; i < FieldEdits.size(); ++i)
        FieldEdits[i]->setText(Q(v.fields[i + 1]));
    Edit2->setText(Q(v.family));
    Edit3->setText(Q(v.supplier));
    Edit4->setText(Q(v.finish));
    Panel3->setText(Q(v.created));
    Panel4->setText(Q(v.lastModified));

    Edit12->setText(Q(v.kerf));
    Edit13->setText(Q(v.minStripWidth));
    (v.makesOffcuts ? RadioButton1 : RadioButton2)->setChecked(true);
    Edit14->setText(Q(v.minOffcutWidth));
    Edit15->setText(Q(v.minOffcutHeight));
    Edit18->setText(Q(v.pieceConstant));
    Edit16->setText(Q(v.pieceConstantX));
    Edit17->setText(Q(v.pieceConstantY));
    (v.cutLengthFree ? RadioButton3 : RadioButton4)->setChecked(true);
    Edit19->setText(Q(v.cutLengthLimit));
    (v.mayRotate ? RadioButton5 : RadioButton6)->setChecked(true);
    CheckBox1->setChecked(v.mayDivide);
    m_colour = v.colour;
    ShowColour();
    Edit20->setText(Q(v.trimTop));
    Edit21->setText(Q(v.trimBottom));
    Edit22->setText(Q(v.trimLeft));
    Edit23->setText(Q(v.trimRight));
    Edit24->setText(Q(v.thickness));
    Edit25->setText(Q(v.weightPerArea));

    Edit26->setText(Q(v.purchasePrice));
    Edit27->setText(Q(v.saleFactor));
    Edit28->setText(Q(v.cutPriceConstant));
    Edit26Change();

    for (std::size_t i = 0; i < TimeEdits.size(); ++i)
        TimeEdits[i]->setText(Q(v.times[i]));
    Edit33->setText(Q(v.doubleDescription));
    Edit34->setText(Q(v.doubleMaterial1));
    Edit35->setText(Q(v.doubleMaterial2));
    ShowOffcutFields();
}

MaterialFileValues TForm15::Values() const
{
    MaterialFileValues v;
    v.fields[0] = S(Edit1);
    for (std::size_t i = 0; i < FieldEdits.size(); ++i)
        v.fields[i + 1] = S(FieldEdits[i]);
    v.family = S(Edit2);
    v.supplier = S(Edit3);
    v.finish = S(Edit4);
    v.created = platform::FromQString(Panel3->text());
    v.lastModified = platform::FromQString(Panel4->text());

    v.kerf = S(Edit12);
    v.minStripWidth = S(Edit13);
    v.makesOffcuts = RadioButton1->isChecked();
    v.minOffcutWidth = S(Edit14);
    v.minOffcutHeight = S(Edit15);
    v.pieceConstant = S(Edit18);
    v.pieceConstantX = S(Edit16);
    v.pieceConstantY = S(Edit17);
    v.cutLengthFree = RadioButton3->isChecked();
    v.cutLengthLimit = S(Edit19);
    v.mayRotate = RadioButton5->isChecked();
    v.mayDivide = CheckBox1->isChecked();
    v.colour = m_colour;
    v.trimTop = S(Edit20);
    v.trimBottom = S(Edit21);
    v.trimLeft = S(Edit22);
    v.trimRight = S(Edit23);
    v.thickness = S(Edit24);
    v.weightPerArea = S(Edit25);

    v.purchasePrice = S(Edit26);
    v.saleFactor = S(Edit27);
    v.cutPriceConstant = S(Edit28);
    for (std::size_t i = 0; i < TimeEdits.size(); ++i)
        v.times[i] = S(TimeEdits[i]);
    v.doubleDescription = S(Edit33);
    v.doubleMaterial1 = S(Edit34);
    v.doubleMaterial2 = S(Edit35);
    return v;
}

FieldTitles TForm15::Titles() const
{
    FieldTitles titles;
    for (std::size_t i = 0; i < titles.size(); ++i)
        titles[i] = platform::FromQString(TitleLabels[i]->text());
    return titles;
}

void TForm15::ShowColour()
{
    const Rgb rgb = RgbFromColorRef(m_colour);
    QPalette palette = Panel5->palette();
    palette.setColor(QPalette::Window, QColor(rgb.red, rgb.green, rgb.blue));
    Panel5->setPalette(palette);
}

void TForm15::ShowOffcutFields()
{
    const bool on = RadioButton1->isChecked();
    Edit14->setEnabled(on);
    Edit15->setEnabled(on);
    const QColor colour = on ? QColor(Qt::black) : QColor(128, 128, 128);
    SetTextColour(Label17, colour);
    SetTextColour(Label18, colour);
}

void TForm15::ProtectFields()
{
    // Read-only as well as the key check: a filter on keys alone would let a
    // paste from the context menu or a drop through.
    const bool special = IsSpecialMaterial(m_code);
    for (QLineEdit* edit : m_protected)
        edit->setReadOnly(special);
}

bool TForm15::IsProtected(const QObject* widget) const
{
    for (const QLineEdit* edit : m_protected) {
        if (edit == widget)
            return true;
    }
    return false;
}

bool TForm15::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && IsSpecialMaterial(m_code) && IsProtected(watched)) {
        if (ChangesText(*static_cast<QKeyEvent*>(event))) {
            platform::ShowMessage(SpecialMaterialText(m_code));
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (std::size_t i = 0; i < TitleLabels.size(); ++i) {
            if (watched == TitleLabels[i]) {
                FieldTitleDblClick(static_cast<int>(i));
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == Panel5) {
        Panel5Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm15::FormClose()
{
    // Ok has written the files before closing; nothing is written here.
    m_loaded = false;
}

void TForm15::hideEvent(QHideEvent* event)
{
    // Hidden by the program, not minimised: the next showing is a new opening.
    if (!event->spontaneous())
        m_loaded = false;
    QDialog::hideEvent(event);
}

void TForm15::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm15::SaveMaterial()
{
    WriteFieldTitles(FieldTitlesFile(gShared.folders), Titles());
    WriteMaterialFile(MaterialFile(gShared.folders, m_code), Values(), DateTimeText());
}

void TForm15::Button1Click()
{
    // Written before the window closes, so a failed write leaves the window
    // open with what was typed.
    m_okPressed = true;
    try {
        SaveMaterial();
    } catch (...) {
        m_okPressed = false;
        throw;
    }
    accept();
}

void TForm15::Button2Click()
{
    reject();
}

void TForm15::RadioButton1Click() { ShowOffcutFields(); }
void TForm15::RadioButton2Click() { ShowOffcutFields(); }

void TForm15::Edit4Change()
{
    // The finish is not typed here.
    ShowTextMessage2();
    Edit4->clear();
}

void TForm15::Edit26Change()
{
    Panel6->setText(Q(SalePriceText(S(Edit26), S(Edit27))));
}

void TForm15::Edit27Change() { Edit26Change(); }

void TForm15::Edit33Change()
{
    Edit1->setText(Edit33->text());
}

void TForm15::Panel5Click()
{
    if (IsSpecialMaterial(m_code))
        return;
    const Rgb rgb = RgbFromColorRef(m_colour);
    QColorDialog dialog(QColor(rgb.red, rgb.green, rgb.blue), this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    m_colour = ColorRefFromRgb(Rgb{chosen.red(), chosen.green(), chosen.blue()});
    ShowColour();
}

void TForm15::FieldTitleDblClick(int index)
{
    const FieldTitlePrompt& prompt = TitlePrompt();
    if (!prompt)
        return;
    QLabel* title = TitleLabels.at(static_cast<std::size_t>(index));
    if (const std::optional<std::string> text = prompt(platform::FromQString(title->text())))
        title->setText(Q(*text));
}

TForm15* CreateForm15()
{
    if (!Form15)
        Form15 = new TForm15;
    return Form15;
}

}  // namespace vor
