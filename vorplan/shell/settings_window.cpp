#include "vorplan/shell/settings_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QValidator>
#include <QVBoxLayout>
#include <utility>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm6* Form6 = nullptr;

namespace {

// The password field keeps only what the settings file can hold, so that the
// password typed is the one the next start asks for.
class StorablePasswordValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        QString kept;
        int keptPos = pos;
        for (qsizetype i = 0; i < input.size();) {
            const qsizetype length =
                input.at(i).isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
            const QString one = input.mid(i, length);
            if (PasswordCanBeStored(platform::FromQString(one)))
                kept += one;
            else if (i < pos)
                keptPos -= static_cast<int>(length);
            i += length;
        }
        input = kept;
        pos = keptPos;
        return Acceptable;
    }
};

}  // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Configurações"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    ConnectHandlers();

    m_activation = new platform::WindowActivation(this);
    m_activation->SetCloseOnDeactivation(true);
    m_activation->SetBeforeClose([this] { FormDeactivate(); });
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm6::FormActivate);

    // Creation: the first page, and the current language.
    PageControl1->setCurrentIndex(0);
    RadioButton3->setChecked(true);
    if (QRadioButton* current = LanguageButton(gShared.languageIndex))
        current->setChecked(true);
}

TForm6::~TForm6()
{
    if (Form6 == this)
        Form6 = nullptr;
}

void TForm6::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    // The page control fills the window width less 8.
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    PageControl1 = new QStackedWidget(this);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    PageControl1->addWidget(TabSheet1);
    PageControl1->addWidget(TabSheet2);
    PageControl1->addWidget(TabSheet3);
    outer->addWidget(PageControl1);

    auto* grid = new QGridLayout(TabSheet1);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);

    // Language
    GroupBox1 = new QGroupBox(TabSheet1);
    auto* languages = new QVBoxLayout(GroupBox1);
    RadioButton3 = new QRadioButton(QStringLiteral("Português"), GroupBox1);
    RadioButton4 = new QRadioButton(QStringLiteral("English"), GroupBox1);
    RadioButton5 = new QRadioButton(QStringLiteral("Español (América Latina)"), GroupBox1);
    RadioButton6 = new QRadioButton(QStringLiteral("Nederlands"), GroupBox1);
    RadioButton7 = new QRadioButton(QStringLiteral("Español (España)"), GroupBox1);
    for (QRadioButton* b : {RadioButton3, RadioButton4, RadioButton5, RadioButton6, RadioButton7})
        languages->addWidget(b);
    left->addWidget(GroupBox1);

    // Password
    GroupBox2 = new QGroupBox(TabSheet1);
    auto* password = new QVBoxLayout(GroupBox2);
    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setValidator(new StorablePasswordValidator(Edit1));
    CheckBox2 = new QCheckBox(GroupBox2);
    CheckBox2->setVisible(false);
    CheckBox2->setEnabled(false);
    password->addWidget(Edit1);
    password->addWidget(CheckBox2);
    left->addWidget(GroupBox2);

    // Currency
    GroupBox3 = new QGroupBox(TabSheet1);
    auto* currency = new QHBoxLayout(GroupBox3);
    Edit2 = new QLineEdit(GroupBox3);
    Button2 = MakeButton(GroupBox3);
    Button3 = MakeButton(GroupBox3);
    Button4 = MakeButton(GroupBox3);
    currency->addWidget(Edit2, 1);
    for (QPushButton* b : {Button2, Button3, Button4}) {
        b->setFixedWidth(32);
        currency->addWidget(b);
    }
    left->addWidget(GroupBox3);

    CheckBox6 = new QCheckBox(TabSheet1);
    CheckBox4 = new QCheckBox(TabSheet1);
    Label3 = new QLabel(TabSheet1);
    Label4 = new QLabel(TabSheet1);
    CheckBox3 = new QCheckBox(TabSheet1);
    CheckBox3->setVisible(false);
    left->addWidget(CheckBox6);
    left->addWidget(CheckBox4);
    left->addWidget(Label3);
    left->addWidget(Label4);
    left->addWidget(CheckBox3);
    left->addStretch(1);

    // Precision and decimal presentation
    auto* precision = new QHBoxLayout;
    CheckBox1 = new QCheckBox(TabSheet1);
    Label1 = new QLabel(TabSheet1);
    precision->addWidget(CheckBox1);
    precision->addWidget(Label1);
    precision->addStretch(1);
    right->addLayout(precision);

    GroupBox4 = new QGroupBox(TabSheet1);
    auto* decimals = new QVBoxLayout(GroupBox4);
    RadioButton8 = new QRadioButton(QStringLiteral("2.0 -> 2.0"), GroupBox4);
    RadioButton9 = new QRadioButton(QStringLiteral("2.0 -> 2"), GroupBox4);
    decimals->addWidget(RadioButton8);
    decimals->addWidget(RadioButton9);
    right->addWidget(GroupBox4);

    // Rounding
    GroupBox5 = new QGroupBox(TabSheet1);
    auto* rounding = new QVBoxLayout(GroupBox5);
    RadioButton1 = new QRadioButton(GroupBox5);
    RadioButton2 = new QRadioButton(GroupBox5);
    Label5 = new QLabel(GroupBox5);
    Label2 = new QLabel(GroupBox5);
    rounding->addWidget(RadioButton1);
    rounding->addWidget(RadioButton2);
    rounding->addWidget(Label5);
    rounding->addWidget(Label2);
    right->addWidget(GroupBox5);

    // Number of a new project
    GroupBox6 = new QGroupBox(TabSheet1);
    auto* project = new QVBoxLayout(GroupBox6);
    RadioButton11 = new QRadioButton(GroupBox6);
    RadioButton12 = new QRadioButton(GroupBox6);
    project->addWidget(RadioButton11);
    project->addWidget(RadioButton12);
    right->addWidget(GroupBox6);

    // Names of piece, pieces, scrap, scraps
    auto* names = new QGridLayout;
    QGroupBox** groups[] = {&GroupBox7, &GroupBox8, &GroupBox9, &GroupBox10};
    QLineEdit** edits[] = {&Edit3, &Edit4, &Edit5, &Edit6};
    for (int i = 0; i < 4; ++i) {
        *groups[i] = new QGroupBox(TabSheet1);
        auto* box = new QVBoxLayout(*groups[i]);
        *edits[i] = new QLineEdit(*groups[i]);
        box->addWidget(*edits[i]);
        names->addWidget(*groups[i], i / 2, i % 2);
    }
    right->addLayout(names);
    right->addStretch(1);

    Button1 = MakeButton(this);
    Button1->setText(QStringLiteral("Ok"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    // The controls answer to their own names, in tests and tools alike.
    const std::pair<QWidget*, const char*> controlNames[] = {
        {PageControl1, "PageControl1"}, {TabSheet1, "TabSheet1"},     {TabSheet2, "TabSheet2"},
        {TabSheet3, "TabSheet3"},       {GroupBox1, "GroupBox1"},     {RadioButton3, "RadioButton3"},
        {RadioButton4, "RadioButton4"}, {RadioButton5, "RadioButton5"}, {RadioButton6, "RadioButton6"},
        {RadioButton7, "RadioButton7"}, {GroupBox2, "GroupBox2"},     {Edit1, "Edit1"},
        {CheckBox2, "CheckBox2"},       {GroupBox3, "GroupBox3"},     {Edit2, "Edit2"},
        {Button2, "Button2"},           {Button3, "Button3"},         {Button4, "Button4"},
        {CheckBox6, "CheckBox6"},       {CheckBox4, "CheckBox4"},     {Label3, "Label3"},
        {Label4, "Label4"},             {CheckBox3, "CheckBox3"},     {CheckBox1, "CheckBox1"},
        {Label1, "Label1"},             {GroupBox4, "GroupBox4"},     {RadioButton8, "RadioButton8"},
        {RadioButton9, "RadioButton9"}, {GroupBox5, "GroupBox5"},     {RadioButton1, "RadioButton1"},
        {RadioButton2, "RadioButton2"}, {Label5, "Label5"},           {Label2, "Label2"},
        {GroupBox6, "GroupBox6"},       {RadioButton11, "RadioButton11"},
        {RadioButton12, "RadioButton12"}, {GroupBox7, "GroupBox7"},   {GroupBox8, "GroupBox8"},
        {GroupBox9, "GroupBox9"},       {GroupBox10, "GroupBox10"},   {Edit3, "Edit3"},
        {Edit4, "Edit4"},               {Edit5, "Edit5"},             {Edit6, "Edit6"},
        {Button1, "Button1"},
    };
    for (const auto& [widget, name] : controlNames)
        widget->setObjectName(QLatin1String(name));
    setObjectName(QStringLiteral("Form6"));
}

void TForm6::ConnectHandlers()
{
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm6::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm6::Button4Click);
    // Also when the field is filled at opening.
    connect(Edit1, &QLineEdit::textChanged, this, &TForm6::Edit1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm6::CheckBox1Click);
    connect(CheckBox3, &QCheckBox::clicked, this, &TForm6::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::clicked, this, &TForm6::CheckBox4Click);
    connect(CheckBox6, &QCheckBox::clicked, this, &TForm6::CheckBox6Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm6::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm6::RadioButton2Click);
    connect(RadioButton11, &QRadioButton::clicked, this, &TForm6::RadioButton11Click);
    connect(RadioButton12, &QRadioButton::clicked, this, &TForm6::RadioButton12Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TForm6::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &TForm6::RadioButton4Click);
    connect(RadioButton5, &QRadioButton::clicked, this, &TForm6::RadioButton5Click);
    connect(RadioButton6, &QRadioButton::clicked, this, &TForm6::RadioButton6Click);
    connect(RadioButton7, &QRadioButton::clicked, this, &TForm6::RadioButton7Click);
}

QRadioButton* TForm6::LanguageButton(int language) const
{
    switch (language) {
    case 1: return RadioButton3;
    case 2: return RadioButton4;
    case 3: return RadioButton5;
    case 4: return RadioButton6;
    case 5: return RadioButton7;
    default: return nullptr;
    }
}

SettingsWindowValues TForm6::Values() const
{
    SettingsWindowValues v;
    v.password = platform::FromQString(Edit1->text());
    v.money = platform::FromQString(Edit2->text());
    v.pieceName = platform::FromQString(Edit3->text());
    v.piecesName = platform::FromQString(Edit4->text());
    v.scrapName = platform::FromQString(Edit5->text());
    v.scrapsName = platform::FromQString(Edit6->text());
    v.pcbOption = CheckBox3->isChecked();
    v.showDecimals = RadioButton8->isChecked();
    return v;
}

void TForm6::FormActivate()
{
    GeneralSettings& s = gShared.settings;

    Button2->setText(QStringLiteral("€"));
    Button3->setText(QStringLiteral("£"));
    Button4->setText(QStringLiteral("¥"));
    CheckBox4->setText(M(1001));
    Label3->setText(M(994));
    Label4->setText(M(995));
    CheckBox3->setText(M(56));

    // The language may have changed since the last opening (F5, a click here).
    if (QRadioButton* current = LanguageButton(gShared.languageIndex))
        current->setChecked(true);
    // The PCB strip mode exists in Portuguese only.
    if (!RadioButton3->isChecked()) {
        CheckBox3->setChecked(false);
        s.pcbOption = false;
    }

    CheckBox6->setChecked(s.partialCalculation > 0);
    CheckBox3->setChecked(s.pcbOption);
    CheckBox4->setChecked(s.specialPerimeter > 0);
    Edit1->setText(platform::ToQString(s.password));
    Edit3->setText(platform::ToQString(s.pieceName));
    Edit4->setText(platform::ToQString(s.piecesName));
    Edit5->setText(platform::ToQString(s.scrapName));
    Edit6->setText(platform::ToQString(s.scrapsName));
    Edit2->setText(platform::ToQString(s.money));
    (s.showDecimals ? RadioButton8 : RadioButton9)->setChecked(true);
    (s.roundingTypeOne ? RadioButton1 : RadioButton2)->setChecked(true);
    (s.firstFreeProjectNumber ? RadioButton11 : RadioButton12)->setChecked(true);

    setWindowTitle(M(281));
    Label1->setText(M(479));
    GroupBox7->setTitle(QStringLiteral(" ") + M(806));
    GroupBox8->setTitle(QStringLiteral(" ") + M(813));
    GroupBox9->setTitle(QStringLiteral(" ") + M(838));
    GroupBox10->setTitle(QStringLiteral(" ") + M(839));
    GroupBox3->setTitle(M(766));
    GroupBox5->setTitle(M(307));
    RadioButton1->setText(M(308));
    RadioButton2->setText(M(309));
    Label5->setText(M(310));
    Label2->setText(M(957));
    GroupBox6->setTitle(M(916));
    RadioButton11->setText(M(917));
    RadioButton12->setText(M(918));
    GroupBox2->setTitle(M(23));
    GroupBox1->setTitle(M(312));
    CheckBox6->setText(M(367));
    CheckBox1->setText(M(709));
    GroupBox4->setTitle(M(814));
    CheckBox2->setText(M(311));
    const QString tab = QStringLiteral(" ") + M(285);
    TabSheet1->setWindowTitle(tab + QStringLiteral(" 1"));
    TabSheet2->setWindowTitle(tab + QStringLiteral(" 2"));
    TabSheet3->setWindowTitle(tab + QStringLiteral(" 3"));

    CheckBox1->setChecked(gShared.dimensionPrecision == 1);
    CheckBox1Click();

    // Placed last: the captions above decide the window's size.
    PlaceByMainWindow();
}

void TForm6::PlaceByMainWindow()
{
    // New captions have only posted their layout requests; settle them so
    // the width is the one the window is shown with.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    layout()->activate();
    const MainWindowGeometry& g = gMainWindow.geometry;
    move(g.centreX - width() / 2, g.listTop);
}

void TForm6::FormDeactivate()
{
    MainWindowCalls().HideDropDownMenu();
}

void TForm6::FormClose()
{
    gMainWindow.windowOpenFlags.settings = false;
}

void TForm6::FormKeyDown(int key)
{
    if (key == Qt::Key_F1) {
        WaitCursor wait;
        MainWindowCalls().ShowHelpText();
    }
}

void TForm6::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    // The window has no Cancel and no default button: Escape and Enter do
    // nothing here.
    event->accept();
}

void TForm6::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm6::Button1Click()
{
    SaveGeneralSettings(Values());
    close();
}

void TForm6::Button2Click() { Edit2->setText(Button2->text()); }
void TForm6::Button3Click() { Edit2->setText(Button3->text()); }
void TForm6::Button4Click() { Edit2->setText(Button4->text()); }

void TForm6::Edit1Change()
{
    CheckBox2->setEnabled(!Edit1->text().isEmpty());
}

void TForm6::CheckBox1Click()
{
    RadioButton8->setEnabled(CheckBox1->isChecked());
    RadioButton9->setEnabled(CheckBox1->isChecked());
}

void TForm6::CheckBox3Click()
{
    const bool on = CheckBox3->isChecked();
    gShared.settings.pcbOption = on;
    Edit3->setText(on ? QStringLiteral("Tira") : QString());
    Edit4->setText(on ? QStringLiteral("Tiras") : QString());
    Edit5->setText(on ? QStringLiteral("Sucata") : QString());
    Edit6->setText(on ? QStringLiteral("Sucatas") : QString());
}

void TForm6::CheckBox4Click()
{
    gShared.settings.specialPerimeter = CheckBox4->isChecked() ? 1 : 0;
}

void TForm6::CheckBox6Click()
{
    gShared.settings.partialCalculation = CheckBox6->isChecked() ? 1 : 0;
}

void TForm6::RadioButton1Click() { gShared.settings.roundingTypeOne = RadioButton1->isChecked(); }
void TForm6::RadioButton2Click() { gShared.settings.roundingTypeOne = RadioButton1->isChecked(); }

void TForm6::RadioButton11Click()
{
    gShared.settings.firstFreeProjectNumber = RadioButton11->isChecked();
}

void TForm6::RadioButton12Click()
{
    gShared.settings.firstFreeProjectNumber = RadioButton11->isChecked();
}

void TForm6::ChooseLanguage(int language)
{
    // Applied by the Configura icon after the window closes; Idioma is
    // written at the end of the run.
    gShared.languageIndex = language;
    close();
}

void TForm6::RadioButton3Click() { ChooseLanguage(1); }
void TForm6::RadioButton4Click() { ChooseLanguage(2); }
void TForm6::RadioButton5Click() { ChooseLanguage(3); }
void TForm6::RadioButton6Click() { ChooseLanguage(4); }
void TForm6::RadioButton7Click() { ChooseLanguage(5); }

TForm6* CreateForm6()
{
    if (!Form6)
        Form6 = new TForm6;
    return Form6;
}

}  // namespace vor
