#include "ostrel/ostrel_window.h"

#include <functional>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <exception>
#include <set>
#include <utility>

#include "ostrel/about_window.h"
#include "ostrel/index_window.h"
#include "ostrel/ostrel_texts.h"
#include "ostrel/report_grid.h"
#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/ini_file.h"

namespace ostrel {

using platform::FromQString;
using platform::ToQString;

namespace {

using vor::IntText;

constexpr int kButtonBarHeight = 34;
constexpr int kLeftAtStart = 2;
constexpr int kAboveCentre = 10;
constexpr int kDefaultEditorMaxLength = 32767;  // QLineEdit's own limit  // the window stands this far above the screen's centre
// Leaving the program is taken as final only when it lasts this long: focus
// passes through no window for a moment while dialogs open and close.
constexpr int kDeactivationDelayMs = 150;

// The hourglass for the life of the object.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void Restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

int ScreenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 600;
}

Key KeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_F1: return Key::F1;
    case Qt::Key_F3: return Key::F3;
    case Qt::Key_F4: return Key::F4;
    case Qt::Key_F5: return Key::F5;
    case Qt::Key_F10: return Key::F10;
    default: return Key::Other;
    }
}

QFrame* MakePanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}

}  // namespace

TOstrel::TOstrel(CommandLine command, platform::Clipboard& clipboard, QWidget* parent)
    : QWidget(parent),
      m_command(std::move(command)),
      m_clipboard(clipboard),
      m_rules(RulesFor(m_command.mode)),
      m_settings(StartSettings(m_command.mode, ScreenHeight())),
      m_programFolder(std::filesystem::current_path()),
      m_captions(&CaptionsFor(Language::Portuguese)),
      m_store(m_screenMetrics, m_settings.letterSize, m_settings.lineSpacing),
      m_renderer(m_screenMetrics, MakeRenderSettings(m_settings, m_command.mode))
{
    FormCreate();
}

TOstrel::~TOstrel() = default;

void TOstrel::FormCreate()
{
    setWindowTitle(QString());
    setFixedWidth(kWindowWidth);
    setMinimumHeight(kMinWindowHeight);
    resize(kWindowWidth, StartWindowHeight(m_command.mode, ScreenHeight()));
    move(kLeftAtStart, y());

    m_languageNumber = ReadLanguageNumber(m_programFolder);
    m_lang = LanguageFor(m_languageNumber);
    m_captions = &CaptionsFor(m_lang);

    BuildButtonBar();
    Grid = new ReportGrid(m_store, m_renderer, m_screenMetrics, this);
    Grid->setObjectName(QStringLiteral("StringGrid1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QWidget(this);
    bar->setFixedHeight(kButtonBarHeight);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 3, 4, 3);
    for (QPushButton* b : {PrintButton, ConfigureButton, SearchButton, IndexButton})
        barLayout->addWidget(b);
    barLayout->addStretch();
    barLayout->addWidget(CloseButton);
    layout->addWidget(bar);

    InfoPanel = new QFrame(this);
    InfoPanel->setFrameShape(QFrame::StyledPanel);
    auto* infoLayout = new QHBoxLayout(InfoPanel);
    infoLayout->setContentsMargins(6, 2, 6, 2);
    FileInfo = new QLabel(InfoPanel);
    FileInfo->setTextFormat(Qt::PlainText);
    LinesInfo = new QLabel(InfoPanel);
    infoLayout->addWidget(FileInfo, 1);
    infoLayout->addWidget(LinesInfo);
    InfoPanel->hide();
    layout->addWidget(InfoPanel);
    layout->addWidget(Grid, 1);

    BuildPanels();
    BuildSettingsPanel();
    About = new Tvars_(*m_captions, m_languageNumber, this);

    PopupMenu = new QMenu(this);
    InsertLineItem = PopupMenu->addAction(QString());
    EditLineItem = PopupMenu->addAction(QString());
    DeleteLineItem = PopupMenu->addAction(QString());
    DeleteTableItem = PopupMenu->addAction(QString());
    connect(InsertLineItem, &QAction::triggered, this, &TOstrel::InsertLineClick);
    connect(EditLineItem, &QAction::triggered, this, &TOstrel::EditLineClick);
    connect(DeleteLineItem, &QAction::triggered, this, &TOstrel::DeleteLineClick);
    connect(DeleteTableItem, &QAction::triggered, this, &TOstrel::DeleteTableClick);

    connect(Grid, &ReportGrid::RowPressed, this, &TOstrel::GridPressed);

    ControlsFromSettings();
    ShowPrinterGeometry();

    if (ClosesOnDeactivation(m_command))
        connect(qApp, &QGuiApplication::applicationStateChanged, this, &TOstrel::ApplicationStateChanged);

    ComboBox1->addItems([this] {
        QStringList items;
        for (const std::string& s : ReadComboPresets(m_programFolder / kComboFileName))
            items << ToQString(s);
        return items;
    }());
    ComboBox1->setCurrentIndex(-1);
    SetTexts();

    m_activation = new platform::WindowActivation(this);
    // The report is read once the window is up, so that its messages stand over it.
    connect(m_activation, &platform::WindowActivation::Activated, this,
            [this] { QMetaObject::invokeMethod(this, &TOstrel::FormActivate, Qt::QueuedConnection); });
}

void TOstrel::BuildButtonBar()
{
    PrintButton = new QPushButton(this);
    ConfigureButton = new QPushButton(this);
    SearchButton = new QPushButton(this);
    IndexButton = new QPushButton(this);
    CloseButton = new QPushButton(this);
    for (QPushButton* b : {PrintButton, ConfigureButton, SearchButton, IndexButton, CloseButton})
        b->setFocusPolicy(Qt::NoFocus);
    IndexButton->hide();
    SearchButton->hide();
    connect(PrintButton, &QPushButton::clicked, this, &TOstrel::PrintButtonClick);
    connect(ConfigureButton, &QPushButton::clicked, this, &TOstrel::ConfigureButtonClick);
    connect(SearchButton, &QPushButton::clicked, this, &TOstrel::SearchButtonClick);
    connect(IndexButton, &QPushButton::clicked, this, &TOstrel::IndexButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

void TOstrel::BuildPanels()
{
    EditorPanel = MakePanel(this);
    EditorCaption = new QLabel(EditorPanel);
    ComboBox1 = new QComboBox(EditorPanel);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(20);
    EditorOk = new QPushButton(EditorPanel);
    EditorCancel = new QPushButton(EditorPanel);
    {
        auto* l = new QGridLayout(EditorPanel);
        l->addWidget(EditorCaption, 0, 0, 1, 3);
        l->addWidget(ComboBox1, 1, 0, 1, 3);
        l->setColumnStretch(0, 1);
        l->addWidget(EditorOk, 2, 1);
        l->addWidget(EditorCancel, 2, 2);
    }
    connect(EditorOk, &QPushButton::clicked, this, &TOstrel::EditorOkClick);
    connect(EditorCancel, &QPushButton::clicked, this, &TOstrel::EditorCancelClick);
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, &TOstrel::EditorOkClick);

    SearchPanel = MakePanel(this);
    auto* searchLabel = new QLabel(SearchPanel);
    searchLabel->setObjectName(QStringLiteral("SearchLabel"));
    SearchEdit = new QLineEdit(SearchPanel);
    MatchCaseBox = new QCheckBox(SearchPanel);
    SearchOk = new QPushButton(SearchPanel);
    SearchCancel = new QPushButton(SearchPanel);
    {
        auto* l = new QGridLayout(SearchPanel);
        l->addWidget(searchLabel, 0, 0);
        l->addWidget(SearchEdit, 0, 1, 1, 3);
        l->addWidget(MatchCaseBox, 1, 1);
        l->setColumnStretch(1, 1);
        l->addWidget(SearchOk, 1, 2);
        l->addWidget(SearchCancel, 1, 3);
    }
    connect(SearchOk, &QPushButton::clicked, this, &TOstrel::SearchOkClick);
    connect(SearchCancel, &QPushButton::clicked, this, &TOstrel::SearchCancelClick);
    connect(SearchEdit, &QLineEdit::returnPressed, this, &TOstrel::SearchOkClick);

    NoticePanel = MakePanel(this);
    NoticeWait = new QLabel(NoticePanel);
    NoticePage = new QLabel(NoticePanel);
    {
        QFont f = NoticeWait->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        NoticeWait->setFont(f);
        NoticeWait->setAlignment(Qt::AlignCenter);
        NoticePage->setAlignment(Qt::AlignCenter);
        auto* l = new QVBoxLayout(NoticePanel);
        l->addWidget(NoticeWait);
        l->addWidget(NoticePage);
    }
}

void TOstrel::BuildSettingsPanel()
{
    SettingsPanel = MakePanel(this);
    auto* outer = new QVBoxLayout(SettingsPanel);
    outer->setContentsMargins(2, 2, 2, 2);
    auto* scroll = new QScrollArea(SettingsPanel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* body = new QWidget(scroll);
    scroll->setWidget(body);
    outer->addWidget(scroll);
    auto* grid = new QGridLayout(body);

    const auto makeSlider = [body](int lo, int hi) {
        auto* s = new QSlider(Qt::Horizontal, body);
        s->setRange(lo, hi);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(1);
        s->setPageStep(1);
        return s;
    };
    auto* display = new QGroupBox(body);
    display->setObjectName(QStringLiteral("DisplayGroup"));
    {
        auto* l = new QGridLayout(display);
        LineSpacingBar = makeSlider(kMinLineSpacing, kMaxLineSpacing);
        LetterSizeBar = makeSlider(kMinLetterSize, kMaxLetterSize);
        l->addWidget(new QLabel(display), 0, 0);
        l->addWidget(LineSpacingBar, 1, 0);
        l->addWidget(new QLabel(display), 2, 0);
        l->addWidget(LetterSizeBar, 3, 0);
        TableRulesBox = new QCheckBox(display);
        CursorBandBox = new QCheckBox(display);
        l->addWidget(TableRulesBox, 4, 0);
        l->addWidget(CursorBandBox, 5, 0);
        StandardButton = new QPushButton(display);
        l->addWidget(StandardButton, 6, 0, Qt::AlignLeft);
    }
    grid->addWidget(display, 0, 0);

    auto* tables = new QGroupBox(body);
    tables->setObjectName(QStringLiteral("TableColours"));
    TableColourGroup = new QButtonGroup(this);
    {
        auto* l = new QVBoxLayout(tables);
        for (int i = 0; i < 7; ++i) {
            auto* r = new QRadioButton(tables);
            TableColourGroup->addButton(r, i);
            l->addWidget(r);
        }
    }
    grid->addWidget(tables, 0, 1);

    auto* titles = new QGroupBox(body);
    titles->setObjectName(QStringLiteral("TitleColours"));
    TitleColourGroup = new QButtonGroup(this);
    {
        auto* l = new QVBoxLayout(titles);
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(titles);
            TitleColourGroup->addButton(r, i);
            l->addWidget(r);
        }
        l->addStretch();
    }
    grid->addWidget(titles, 0, 2);

    auto* page = new QGroupBox(body);
    page->setObjectName(QStringLiteral("PageGroup"));
    {
        auto* l = new QGridLayout(page);
        MarginLeftEdit = new QLineEdit(page);
        MarginTopEdit = new QLineEdit(page);
        MarginBottomEdit = new QLineEdit(page);
        HeaderEdit = new QLineEdit(page);
        HeaderRuleBox = new QCheckBox(page);
        FooterEdit = new QLineEdit(page);
        FooterRuleBox = new QCheckBox(page);
        for (QLineEdit* e : {MarginLeftEdit, MarginTopEdit, MarginBottomEdit})
            e->setMaximumWidth(60);
        auto* margins = new QHBoxLayout;
        for (QLineEdit* e : {MarginLeftEdit, MarginTopEdit, MarginBottomEdit}) {
            margins->addWidget(new QLabel(page));
            margins->addWidget(e);
        }
        margins->addStretch();
        l->addWidget(new QLabel(page), 0, 0);
        l->addLayout(margins, 0, 1, 1, 2);
        l->addWidget(new QLabel(page), 1, 0);
        l->addWidget(HeaderEdit, 1, 1);
        l->addWidget(HeaderRuleBox, 1, 2);
        l->addWidget(new QLabel(page), 2, 0);
        l->addWidget(FooterEdit, 2, 1);
        l->addWidget(FooterRuleBox, 2, 2);
        auto* fields = new QLabel(page);
        fields->setObjectName(QStringLiteral("FooterFields"));
        fields->setTextFormat(Qt::PlainText);
        l->addWidget(fields, 3, 1);
    }
    grid->addWidget(page, 1, 0, 1, 3);

    const auto makePicture = [body](PictureControls& p) {
        auto* box = new QGroupBox(body);
        auto* l = new QGridLayout(box);
        p.file = new QLineEdit(box);
        p.x = new QLineEdit(box);
        p.y = new QLineEdit(box);
        p.width = new QLineEdit(box);
        p.height = new QLineEdit(box);
        l->addWidget(new QLabel(box), 0, 0);
        l->addWidget(p.file, 0, 1, 1, 8);
        int column = 0;
        for (QLineEdit* e : {p.x, p.y, p.width, p.height}) {
            e->setMaximumWidth(50);
            l->addWidget(new QLabel(box), 1, column++);
            l->addWidget(e, 1, column++);
        }
        return box;
    };
    auto* picture1 = makePicture(Picture1);
    picture1->setObjectName(QStringLiteral("Picture1"));
    auto* picture2 = makePicture(Picture2);
    picture2->setObjectName(QStringLiteral("Picture2"));
    grid->addWidget(picture1, 2, 0, 1, 3);
    grid->addWidget(picture2, 3, 0, 1, 3);

    auto* printer = new QGroupBox(body);
    printer->setObjectName(QStringLiteral("PrinterGroup"));
    {
        auto* l = new QGridLayout(printer);
        PageWidthPixels = new QLabel(printer);
        PageHeightPixels = new QLabel(printer);
        PageWidthMm = new QLabel(printer);
        PageHeightMm = new QLabel(printer);
        PrinterSetupButton = new QPushButton(printer);
        l->addWidget(new QLabel(printer), 0, 0);
        l->addWidget(PageWidthPixels, 0, 1);
        l->addWidget(PageWidthMm, 0, 2);
        l->addWidget(new QLabel(printer), 1, 0);
        l->addWidget(PageHeightPixels, 1, 1);
        l->addWidget(PageHeightMm, 1, 2);
        l->addWidget(PrinterSetupButton, 0, 3, 2, 1);
    }
    grid->addWidget(printer, 4, 0, 1, 3);

    SaveBox = new QCheckBox(body);
    SaveBox->setChecked(true);
    SettingsOk = new QPushButton(body);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SaveBox, 1);
    bottom->addWidget(SettingsOk);
    grid->addLayout(bottom, 5, 0, 1, 3);

    const auto changed = [this] { ControlsChanged(); };
    connect(LineSpacingBar, &QSlider::valueChanged, this, changed);
    connect(LetterSizeBar, &QSlider::valueChanged, this, changed);
    connect(TableRulesBox, &QCheckBox::toggled, this, changed);
    connect(CursorBandBox, &QCheckBox::toggled, this, changed);
    connect(HeaderRuleBox, &QCheckBox::toggled, this, changed);
    connect(FooterRuleBox, &QCheckBox::toggled, this, changed);
    connect(TableColourGroup, &QButtonGroup::idToggled, this, changed);
    connect(TitleColourGroup, &QButtonGroup::idToggled, this, changed);
    for (QLineEdit* e : {MarginLeftEdit, MarginTopEdit, MarginBottomEdit, HeaderEdit, FooterEdit, Picture1.file,
                         Picture1.x, Picture1.y, Picture1.width, Picture1.height, Picture2.file, Picture2.x,
                         Picture2.y, Picture2.width, Picture2.height})
        connect(e, &QLineEdit::textChanged, this, changed);
    for (const PrintField field : kPrintFields)
        connect(FieldEdit(field), &QLineEdit::editingFinished, this, [this, field] { CheckTypedField(field); });
    connect(StandardButton, &QPushButton::clicked, this, &TOstrel::StandardClick);
    connect(SettingsOk, &QPushButton::clicked, this, &TOstrel::SettingsOkClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TOstrel::PrinterSetupClick);
}

void TOstrel::SetTexts()
{
    const Captions& c = *m_captions;
    const auto set = [](QPushButton* b, const std::string& text, const std::string& hint) {
        b->setText(ToQString(text));
        b->setToolTip(ToQString(hint));
    };
    set(PrintButton, c.printButton, c.printHint);
    set(ConfigureButton, c.configureButton, c.configureHint);
    set(SearchButton, c.searchButton, c.searchHint);
    set(IndexButton, c.indexButton, c.indexHint);
    set(CloseButton, c.closeButton, c.closeHint);
    InsertLineItem->setText(ToQString(c.insertLine));
    EditLineItem->setText(ToQString(c.editLine));
    DeleteLineItem->setText(ToQString(c.deleteLine));
    DeleteTableItem->setText(ToQString(c.deleteTable));
    EditorCaption->setText(ToQString(c.newLine));
    EditorOk->setText(ToQString(c.ok));
    EditorCancel->setText(ToQString(c.cancel));
    SearchPanel->findChild<QLabel*>(QStringLiteral("SearchLabel"))->setText(ToQString(c.searchLabel));
    MatchCaseBox->setText(ToQString(c.matchCase));
    SearchOk->setText(ToQString(c.ok));
    SearchCancel->setText(ToQString(c.cancel));
    NoticeWait->setText(ToQString(PrintWaitText(m_lang)));

    // Settings panel: the labels stand in the order the panel was built.
    auto* display = SettingsPanel->findChild<QGroupBox*>(QStringLiteral("DisplayGroup"));
    display->setTitle(ToQString(c.settingsTitle));
    const auto displayLabels = display->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    displayLabels.at(0)->setText(ToQString(c.lineSpacing));
    displayLabels.at(1)->setText(ToQString(c.letterSize));
    TableRulesBox->setText(ToQString(c.tableRules));
    CursorBandBox->setText(ToQString(c.cursorBand));
    StandardButton->setText(ToQString(c.standard));
    SettingsPanel->findChild<QGroupBox*>(QStringLiteral("TableColours"))->setTitle(ToQString(c.tableColours));
    for (int i = 0; i < 7; ++i)
        TableColourGroup->button(i)->setText(ToQString(c.tableColourNames[static_cast<std::size_t>(i)]));
    SettingsPanel->findChild<QGroupBox*>(QStringLiteral("TitleColours"))->setTitle(ToQString(c.titleColours));
    for (int i = 0; i < 3; ++i)
        TitleColourGroup->button(i)->setText(ToQString(c.titleColourNames[static_cast<std::size_t>(i)]));

    auto* page = SettingsPanel->findChild<QGroupBox*>(QStringLiteral("PageGroup"));
    page->setTitle(ToQString(c.page));
    const auto pageLabels = page->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    const std::string pageTexts[] = {c.marginLeft, c.marginTop, c.marginBottom, c.margins,
                                     c.header,     c.footer,    c.footerHint};
    for (qsizetype i = 0; i < pageLabels.size() && i < 7; ++i)
        pageLabels.at(i)->setText(ToQString(pageTexts[i]));
    HeaderRuleBox->setText(ToQString(c.rule));
    FooterRuleBox->setText(ToQString(c.rule));

    const auto pictureTexts = [&c](QGroupBox* box, const std::string& title) {
        box->setTitle(ToQString(title));
        const auto labels = box->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        const std::string texts[] = {c.pictureFile, c.pictureX, c.pictureY, c.pictureWidth, c.pictureHeight};
        for (qsizetype i = 0; i < labels.size() && i < 5; ++i)
            labels.at(i)->setText(ToQString(texts[i]));
    };
    pictureTexts(SettingsPanel->findChild<QGroupBox*>(QStringLiteral("Picture1")), c.picture1);
    pictureTexts(SettingsPanel->findChild<QGroupBox*>(QStringLiteral("Picture2")), c.picture2);

    auto* printer = SettingsPanel->findChild<QGroupBox*>(QStringLiteral("PrinterGroup"));
    printer->setTitle(ToQString(c.printer));
    const auto printerLabels = printer->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    // The first four are the page figures, then the two captions.
    printerLabels.at(4)->setText(ToQString(c.pageWidth));
    printerLabels.at(5)->setText(ToQString(c.pageHeight));
    PrinterSetupButton->setText(ToQString(c.printerSetup));
    SaveBox->setText(ToQString(c.saveSettings));
    SettingsOk->setText(ToQString(c.ok));
}

void TOstrel::ControlsFromSettings()
{
    m_syncingControls = true;
    const OstrelSettings& s = m_settings;
    LineSpacingBar->setValue(s.lineSpacing);
    LetterSizeBar->setValue(s.letterSize);
    TableColourGroup->button(std::clamp(s.corTab, 0, 6))->setChecked(true);
    TitleColourGroup->button(std::clamp(s.corTit, 0, 2))->setChecked(true);
    TableRulesBox->setChecked(s.tableRules);
    CursorBandBox->setChecked(s.cursorBand);
    MarginLeftEdit->setText(ToQString(s.marginLeft));
    MarginTopEdit->setText(ToQString(s.marginTop));
    MarginBottomEdit->setText(ToQString(s.marginBottom));
    HeaderEdit->setText(ToQString(s.headerText));
    HeaderRuleBox->setChecked(s.headerRule);
    FooterEdit->setText(ToQString(s.footerText));
    FooterRuleBox->setChecked(s.footerRule);
    const auto setPicture = [](PictureControls& c, const PictureSettings& p) {
        c.file->setText(ToQString(p.file));
        c.x->setText(ToQString(p.x));
        c.y->setText(ToQString(p.y));
        c.width->setText(ToQString(p.width));
        c.height->setText(ToQString(p.height));
    };
    setPicture(Picture1, s.picture1);
    setPicture(Picture2, s.picture2);
    m_syncingControls = false;
}

void TOstrel::ControlsChanged()
{
    if (m_syncingControls)
        return;
    OstrelSettings& s = m_settings;
    const int oldSpacing = s.lineSpacing;
    const int oldLetters = s.letterSize;
    s.lineSpacing = LineSpacingBar->value();
    s.letterSize = LetterSizeBar->value();
    s.corTab = std::max(0, TableColourGroup->checkedId());
    s.corTit = std::max(0, TitleColourGroup->checkedId());
    s.tableRules = TableRulesBox->isChecked();
    s.cursorBand = CursorBandBox->isChecked();
    s.headerText = FromQString(HeaderEdit->text());
    s.headerRule = HeaderRuleBox->isChecked();
    s.footerText = FromQString(FooterEdit->text());
    s.footerRule = FooterRuleBox->isChecked();
    s.picture1.file = FromQString(Picture1.file->text());
    s.picture2.file = FromQString(Picture2.file->text());
    // A millimetre value is taken only while the page can hold it; a value
    // outside is refused once its edit is finished, so printing never meets it.
    const PrinterGeometry page = PageGeometry();
    for (const PrintField field : kPrintFields) {
        OstrelSettings typed = s;
        FieldText(typed, field) = FromQString(FieldEdit(field)->text());
        if (FieldWithin(field, typed, page))
            FieldText(s, field) = FieldText(typed, field);
    }

    m_renderer.SetSettings(MakeRenderSettings(s, m_command.mode));
    // Row heights follow the letter size and the spacing; colours and rules only redraw.
    if (s.lineSpacing != oldSpacing || s.letterSize != oldLetters) {
        WaitCursor wait;
        m_store.SetLayout(s.letterSize, s.lineSpacing);
        Grid->RowsChanged();
    }
    Grid->viewport()->update();
}

PrinterGeometry TOstrel::PageGeometry() { return m_printer.Geometry(IsLandscape(m_settings)); }

QLineEdit* TOstrel::FieldEdit(PrintField field) const
{
    switch (field) {
    case PrintField::MarginLeft: return MarginLeftEdit;
    case PrintField::MarginTop: return MarginTopEdit;
    case PrintField::MarginBottom: return MarginBottomEdit;
    case PrintField::Picture1X: return Picture1.x;
    case PrintField::Picture1Y: return Picture1.y;
    case PrintField::Picture1Width: return Picture1.width;
    case PrintField::Picture1Height: return Picture1.height;
    case PrintField::Picture2X: return Picture2.x;
    case PrintField::Picture2Y: return Picture2.y;
    case PrintField::Picture2Width: return Picture2.width;
    case PrintField::Picture2Height: break;
    }
    return Picture2.height;
}

std::string TOstrel::FieldName(PrintField field) const
{
    const Captions& c = *m_captions;
    switch (field) {
    case PrintField::MarginLeft: return c.margins + " - " + c.marginLeft;
    case PrintField::MarginTop: return c.margins + " - " + c.marginTop;
    case PrintField::MarginBottom: return c.margins + " - " + c.marginBottom;
    case PrintField::Picture1X: return c.picture1 + " - " + c.pictureX;
    case PrintField::Picture1Y: return c.picture1 + " - " + c.pictureY;
    case PrintField::Picture1Width: return c.picture1 + " - " + c.pictureWidth;
    case PrintField::Picture1Height: return c.picture1 + " - " + c.pictureHeight;
    case PrintField::Picture2X: return c.picture2 + " - " + c.pictureX;
    case PrintField::Picture2Y: return c.picture2 + " - " + c.pictureY;
    case PrintField::Picture2Width: return c.picture2 + " - " + c.pictureWidth;
    case PrintField::Picture2Height: break;
    }
    return c.picture2 + " - " + c.pictureHeight;
}

// A finished edit outside what the page holds: the message with the range,
// and the field goes back to the value in force (or its default, when that
// one came unsound from the settings file). False when it was refused.
bool TOstrel::CheckTypedField(PrintField field)
{
    if (m_checkingField || m_syncingControls)
        return true;
    QLineEdit* edit = FieldEdit(field);
    const PrinterGeometry page = PageGeometry();
    OstrelSettings typed = m_settings;
    FieldText(typed, field) = FromQString(edit->text());
    if (FieldWithin(field, typed, page))
        return true;
    m_checkingField = true;
    const FieldRange range = RangeOf(field, m_settings, page);
    Message(FieldRangeMessage(m_lang, FieldName(field), range.lowest, range.highest));
    if (!FieldWithin(field, m_settings, page))
        FieldText(m_settings, field) = FieldText(OstrelSettings{}, field);
    m_syncingControls = true;
    edit->setText(ToQString(FieldText(m_settings, field)));
    m_syncingControls = false;
    edit->setFocus();
    edit->selectAll();
    m_checkingField = false;
    return false;
}

void TOstrel::ShowPrinterGeometry()
{
    const PrinterGeometry g = m_printer.Geometry(IsLandscape(m_settings));
    PageWidthPixels->setText(ToQString(IntText(g.pageWidth) + " pixels"));
    PageHeightPixels->setText(ToQString(IntText(g.pageHeight) + " pixels"));
    PageWidthMm->setText(ToQString(IntText(m_printer.Printer().widthMM()) + " mm"));
    PageHeightMm->setText(ToQString(IntText(m_printer.Printer().heightMM()) + " mm"));
}

std::vector<std::string> TOstrel::ComboItems() const
{
    std::vector<std::string> items;
    for (int i = 0; i < ComboBox1->count(); ++i)
        items.push_back(FromQString(ComboBox1->itemText(i)));
    return items;
}

// ---- Opening and loading -------------------------------------------------------

void TOstrel::FormActivate()
{
    if (m_closing || !isVisible())
        return;
    if (m_command.report)
        About->SetReportFile(m_command.report->string());
    ApplyMode();
    CenterOnScreen();
    LoadReport();
}

void TOstrel::ApplyMode()
{
    ConfigureButton->setVisible(m_rules.configureButton);
    PrintButton->setVisible(m_rules.printButton);
    About->SetEditingHintVisible(m_rules.aboutEditingHint);
}

void TOstrel::CenterOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2 - kAboveCentre);
}

bool TOstrel::LoadReport()
{
    if (!m_command.report) {
        Message(NoReportMessage(m_lang));
        CloseLater();
        return false;
    }
    WaitCursor wait;
    const LoadStatus status = m_store.Load(*m_command.report);
    wait.Restore();
    if (status == LoadStatus::Unavailable) {
        Message(FileUnavailableMessage(m_lang, m_command.report->string()));
        CloseLater();
        return false;
    }
    AfterLoad();
    if (status == LoadStatus::TooLong)
        Message(TooLongMessage(m_lang));
    return true;
}

void TOstrel::AfterLoad()
{
    m_loaded = true;
    Grid->RowsChanged();
    FileInfo->setText(ToQString(m_captions->fileLabel + " " + m_store.Path().string()));
    LinesInfo->setText(ToQString(m_captions->linesLabel + " " + IntText(m_store.RowCount())));
    IndexButton->setVisible(m_store.ShowsIndexButton());
    SearchButton->setVisible(m_store.ShowsSearchButton());
    emit ReportLoaded();
}

// ---- The grid's mouse and the right-button menu -----------------------------------

void TOstrel::GridPressed(int row, Qt::MouseButton button, QPoint globalPos)
{
    // Every click clears the marks first.
    m_store.ClearMarks();
    if (button == Qt::RightButton && m_rules.contextMenu && row >= 0) {
        m_store.SelectForMenu(row);
        m_menuRow = row;
        const MenuState menu = m_store.MenuFor(row);
        InsertLineItem->setEnabled(menu.insertLine);
        EditLineItem->setEnabled(menu.editLine);
        DeleteLineItem->setEnabled(menu.deleteLine);
        DeleteTableItem->setEnabled(menu.deleteTable);
        Grid->viewport()->update();
        PopupMenu->popup(globalPos);
        return;
    }
    Grid->viewport()->update();
}

void TOstrel::ShowEditor(EditorMode mode)
{
    m_editorMode = mode;
    PlacePanels();
    EditorPanel->show();
    EditorPanel->raise();
    ComboBox1->setFocus();
}

void TOstrel::InsertLineClick()
{
    if (!m_rules.contextMenu || !m_store.MenuFor(m_menuRow).insertLine)
        return;
    m_editorRow = m_menuRow;
    ShowEditor(EditorMode::Insert);
}

void TOstrel::EditLineClick()
{
    if (!m_rules.contextMenu || !m_store.MenuFor(m_menuRow).editLine)
        return;
    m_editorRow = m_menuRow;
    // The whole line as stored, not as shown: saving what the editor holds must lose nothing.
    const QString line = ToQString(m_store.Source(m_editorRow));
    ComboBox1->lineEdit()->setMaxLength(std::max(kDefaultEditorMaxLength, static_cast<int>(line.size())));
    ComboBox1->setEditText(line);
    ShowEditor(EditorMode::Edit);
}

void TOstrel::ApplyEdit(const EditResult& result, int topRow)
{
    switch (result.status) {
    case EditStatus::Done:
        if (result.reload == LoadStatus::Unavailable) {
            Message(FileUnavailableMessage(m_lang, m_store.Path().string()));
            CloseLater();
            return;
        }
        AfterLoad();
        Grid->SetTopRow(topRow);
        break;
    case EditStatus::IncludeMissing: Message(IncludeMissingMessage(m_lang, result.missingFile)); break;
    case EditStatus::NoRoom: Message(NoRoomMessage(m_lang)); break;
    case EditStatus::ReadOnly: Message(TooLongMessage(m_lang)); break;
    case EditStatus::Nothing: break;
    }
    Grid->viewport()->update();
}

void TOstrel::EditorOkClick()
{
    if (m_editorMode == EditorMode::Idle)
        return;
    const std::string text = FromQString(ComboBox1->currentText());
    const int top = Grid->TopRow();
    const EditorMode mode = m_editorMode;
    EditorPanel->hide();
    m_editorMode = EditorMode::Idle;
    try {
        WaitCursor wait;
        EditResult result = mode == EditorMode::Edit ? m_store.EditLine(m_editorRow, text)
                                                     : m_store.InsertText(m_editorRow, text);
        wait.Restore();
        ApplyEdit(result, top);
        if (mode == EditorMode::Insert)
            WriteComboPresets(m_programFolder / kComboFileName, text, ComboItems());
    } catch (const std::exception& error) {
        Message(error.what());
    }
    Grid->setFocus();
}

void TOstrel::EditorCancelClick()
{
    EditorPanel->hide();
    m_editorMode = EditorMode::Idle;
    Grid->setFocus();
}

void TOstrel::DeleteLineClick()
{
    if (m_rules.contextMenu && m_store.MenuFor(m_menuRow).deleteLine)
        RunMenuEdit([this] { return m_store.DeleteLine(m_menuRow); });
}

void TOstrel::DeleteTableClick()
{
    if (m_rules.contextMenu && m_store.MenuFor(m_menuRow).deleteTable)
        RunMenuEdit([this] { return m_store.DeleteTable(m_menuRow); });
}

// One edit of the right-click menu: saved under the wait cursor, the view kept
// at its top row, a failed save shown and the marks cleared either way.
void TOstrel::RunMenuEdit(const std::function<EditResult()>& edit)
{
    const int top = Grid->TopRow();
    try {
        WaitCursor wait;
        const EditResult result = edit();
        wait.Restore();
        ApplyEdit(result, top);
    } catch (const std::exception& error) {
        Message(error.what());
    }
    m_store.ClearMarks();
    Grid->viewport()->update();
}

// ---- Search and index -------------------------------------------------------------

void TOstrel::SearchButtonClick()
{
    PlacePanels();
    SearchPanel->show();
    SearchPanel->raise();
    SearchEdit->setFocus();
    SearchEdit->selectAll();
}

void TOstrel::SearchOkClick()
{
    const int hits = m_store.Search(FromQString(SearchEdit->text()), MatchCaseBox->isChecked());
    SearchPanel->hide();
    Grid->viewport()->update();
    Grid->setFocus();
    Message(hits == 0 ? SearchNotFoundMessage(m_lang) : SearchFoundMessage(m_lang, hits));
}

void TOstrel::SearchCancelClick()
{
    m_store.ClearMarks();
    SearchPanel->hide();
    Grid->viewport()->update();
    Grid->setFocus();
}

void TOstrel::IndexButtonClick()
{
    auto* index = new TForm1(m_store.Index(), *m_captions, this);
    index->setAttribute(Qt::WA_DeleteOnClose);
    connect(index, &QDialog::accepted, this, [this, index] {
        if (!index->Chosen())
            return;
        if (const auto top = m_store.IndexTopRow(*index->Chosen()))
            Grid->SetTopRow(*top);
    });
    index->open();
}

void TOstrel::ShowAbout()
{
    if (!m_rules.aboutOnF1)
        return;
    About->open();
}

// ---- Settings ----------------------------------------------------------------------------

void TOstrel::ConfigureButtonClick()
{
    PlacePanels();
    SettingsPanel->show();
    SettingsPanel->raise();
}

void TOstrel::SettingsOkClick()
{
    for (const PrintField field : kPrintFields)
        if (!CheckTypedField(field))
            return;
    SettingsPanel->hide();
    Grid->viewport()->update();
    Grid->setFocus();
}

void TOstrel::StandardClick()
{
    ApplyStandardLayout(m_settings);
    m_syncingControls = true;
    LineSpacingBar->setValue(m_settings.lineSpacing);
    LetterSizeBar->setValue(m_settings.letterSize);
    m_syncingControls = false;
    m_renderer.SetSettings(MakeRenderSettings(m_settings, m_command.mode));
    // The report is read again with the new row heights.
    m_store.SetLayout(m_settings.letterSize, m_settings.lineSpacing);
    if (m_loaded)
        LoadReport();
    else
        Grid->RowsChanged();
}

void TOstrel::PrinterSetupClick()
{
    if (m_printer.Setup(this))
        ShowPrinterGeometry();
}

// ---- Printing ------------------------------------------------------------------------------

void TOstrel::PrintButtonClick()
{
    if (!m_rules.printButton || !m_loaded)
        return;
    if (!HasPrintableLines(m_store)) {
        Message(EmptyReportMessage(m_lang));
        return;
    }
    // Without a printer the output is a PDF file, which the printer dialog names.
    if (!m_printer.HasTarget() && !m_printer.Setup(this))
        return;
    // Settings from the file, or a smaller paper chosen since they were typed.
    if (const auto field = FirstFieldOutOfRange(m_settings, PageGeometry())) {
        const FieldRange range = RangeOf(*field, m_settings, PageGeometry());
        Message(FieldRangeMessage(m_lang, FieldName(*field), range.lowest, range.highest));
        return;
    }

    PrintJob job;
    job.report = &m_store;
    job.settings = m_settings;
    job.mode = m_command.mode;
    job.geometry = m_printer.Geometry(IsLandscape(m_settings));
    const QtMetrics printerMetrics(&m_printer.Printer());
    job.screen = &m_screenMetrics;
    job.printer = &printerMetrics;
    job.now = platform::GetClock().Now();

    WaitCursor wait;
    const int total = CountPages(job);
    wait.Restore();
    if (platform::Messages().Show(PrintConfirmMessage(m_lang, total), {}, platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return;

    const std::vector<PrintedPage> pages = LayOutPages(job, total);
    // A missing picture is told once per print, not on every page.
    std::set<std::string> missing;
    for (const PrintedPage& p : pages)
        missing.insert(p.missingPictures.begin(), p.missingPictures.end());
    for (const std::string& file : missing)
        Message(MissingPictureMessage(m_lang, file));

    PlacePanels();
    NoticePage->clear();
    NoticePanel->show();
    NoticePanel->raise();
    NoticePanel->repaint();
    WaitCursor printing;
    const bool printed = m_printer.Print(pages, [this](int page) {
        NoticePage->setText(ToQString(PrintingPageText(m_lang, page)));
        NoticePanel->repaint();
    });
    NoticePanel->hide();
    printing.Restore();
    Grid->viewport()->update();
    if (!printed)
        Message(m_captions->printFailed);
}

// ---- Keys, closing -------------------------------------------------------------------------

void TOstrel::keyPressEvent(QKeyEvent* event)
{
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (ActionForKey(KeyOf(event->key()), shift, m_command.mode)) {
    case KeyAction::About: ShowAbout(); break;
    case KeyAction::NextHit:
        if (const auto row = m_store.NextHit())
            Grid->SetTopRow(*row);
        break;
    case KeyAction::ClearMarks:
        m_store.ClearMarks();
        Grid->viewport()->update();
        break;
    case KeyAction::ShowConfigure: ConfigureButton->show(); break;
    case KeyAction::ToggleRawView:
        Grid->SetRawView(!Grid->RawView());
        InfoPanel->setVisible(Grid->RawView());
        break;
    case KeyAction::EditLine:
        m_menuRow = Grid->PointedRow();
        EditLineClick();
        break;
    case KeyAction::None: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TOstrel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlacePanels();
}

void TOstrel::PlacePanels()
{
    const QRect area = Grid->geometry();
    SettingsPanel->setGeometry(area.adjusted(4, 4, -4, -4));
    const auto centre = [this](QWidget* panel, int w, int h) {
        panel->setGeometry((width() - w) / 2, (height() - h) / 2, w, h);
    };
    centre(EditorPanel, 520, EditorPanel->sizeHint().height());
    centre(SearchPanel, 420, SearchPanel->sizeHint().height());
    centre(NoticePanel, 260, std::max(80, NoticePanel->sizeHint().height()));
}

void TOstrel::ApplicationStateChanged(Qt::ApplicationState state)
{
    m_applicationActive = state == Qt::ApplicationActive;
    if (!m_applicationActive)
        QTimer::singleShot(kDeactivationDelayMs, this, &TOstrel::CloseOnDeactivation);
}

void TOstrel::CloseOnDeactivation()
{
    // Our own dialog or message box keeps the window open.
    if (m_applicationActive || m_closing || !isVisible() || platform::WindowActivation::HasOpenDialog(this))
        return;
    m_clipboard.SetText(kClipboardReply);
    close();
}

void TOstrel::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    WriteSettingsOnClose();
    event->accept();
}

void TOstrel::WriteSettingsOnClose()
{
    if (!SavesSettingsOnClose(m_command.mode, SaveBox->isChecked()))
        return;
    OstrelSettings s = m_settings;
    s.windowHeight = height();
    try {
        vor::IniFile ini{std::filesystem::path(kSettingsFileName)};
        WriteSettings(ini, s);
    } catch (const std::exception& error) {
        Message(error.what());
    }
}

void TOstrel::CloseLater()
{
    m_closing = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TOstrel::Message(const std::string& text) { platform::ShowMessage(text); }

}  // namespace ostrel
