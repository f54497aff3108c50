#include "vorplan/shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "kalendo/viewer_command.h"
#include "platform/clipboard.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/system_info.h"
#include "platform/window_activation.h"
#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/history_list.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/system_names.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/orders/ui/offcut_window.h"
#include "vorplan/shell/pick_list_window.h"
#include "vorplan/shell/settings_window.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm1* Form1 = nullptr;

namespace {

using platform::ToQString;

constexpr WinColor kInfoGrey = 12632256;   // Panel2, the menu's heading row
constexpr WinColor kHighlightYellow = 65535;
constexpr WinColor kHoverAqua = 16776960;
constexpr int kHoverSlots[kIconCount] = {1, 834, 4, 5, 6, 7, 8, 9, 10};
constexpr char kIconHints[kIconCount] = {'1', '2', '4', '5', '6', '7', '8', '9', 'A'};
constexpr int kStartupPollMs = 300;
constexpr int kInfoPanelWidth = 420;
constexpr int kInfoPanelHeight = 52;
constexpr int kIntroPanelWidth = 520;
constexpr int kIntroPanelHeight = 120;
const char kHintProperty[] = "vorHint";

QString Q(const std::string& text)
{
    return ToQString(text);
}

void SetBackground(QWidget* widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// ---- The pictures of the icons, drawn here so that the installation needs no picture files.

QPixmap IconPicture(int icon)
{
    constexpr int kSize = 28;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    const QColor wood(214, 160, 92);
    const QColor blue(27, 150, 216);
    p.setPen(QPen(ink, 1.5));
    switch (icon) {
    case kIconProjects: {  // a folder
        QPainterPath path;
        path.moveTo(3, 8);
        path.lineTo(11, 8);
        path.lineTo(13, 11);
        path.lineTo(25, 11);
        path.lineTo(25, 23);
        path.lineTo(3, 23);
        path.closeSubpath();
        p.setBrush(QColor(250, 204, 80));
        p.drawPath(path);
        break;
    }
    case kIconResources:  // a stack of boards
        p.setBrush(wood);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(4 + i * 2, 17 - i * 5, 18, 4));
        break;
    case kIconCalculation: {  // a saw blade
        p.setBrush(QColor(190, 190, 200));
        QPainterPath blade;
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8;
            const double r = i % 2 == 0 ? 12 : 9;
            const QPointF pt(14 + r * std::cos(a), 14 + r * std::sin(a));
            if (i == 0)
                blade.moveTo(pt);
            else
                blade.lineTo(pt);
        }
        blade.closeSubpath();
        p.drawPath(blade);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 14), 3, 3);
        break;
    }
    case kIconView:  // a sheet with its layout
        p.setBrush(wood);
        p.drawRect(QRectF(3, 5, 22, 18));
        p.drawLine(QPointF(13, 5), QPointF(13, 23));
        p.drawLine(QPointF(3, 14), QPointF(13, 14));
        p.drawLine(QPointF(13, 11), QPointF(25, 11));
        break;
    case kIconReport:  // a page of lines
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 16, 22));
        for (int y = 8; y <= 20; y += 4)
            p.drawLine(QPointF(9, y), QPointF(19, y));
        break;
    case kIconLabels: {  // a tag
        QPainterPath tag;
        tag.moveTo(4, 9);
        tag.lineTo(18, 9);
        tag.lineTo(24, 14);
        tag.lineTo(18, 19);
        tag.lineTo(4, 19);
        tag.closeSubpath();
        p.setBrush(QColor(255, 240, 160));
        p.drawPath(tag);
        p.drawEllipse(QPointF(18, 14), 1.5, 1.5);
        break;
    }
    case kIconSettings: {  // a gear
        p.setBrush(QColor(150, 150, 160));
        QPainterPath gear;
        for (int i = 0; i < 24; ++i) {
            const double a = i * M_PI / 12;
            const double r = (i / 2) % 2 == 0 ? 12 : 9;
            const QPointF pt(14 + r * std::cos(a), 14 + r * std::sin(a));
            if (i == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
        gear.closeSubpath();
        p.drawPath(gear);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 14), 4, 4);
        break;
    }
    case kIconHelp: {  // a question mark
        p.setBrush(blue);
        p.drawEllipse(QRectF(3, 3, 22, 22));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(16);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 22, 22), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case kIconExit:  // a door and an arrow
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(4, 3, 12, 22));
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.drawLine(QPointF(12, 14), QPointF(25, 14));
        p.drawLine(QPointF(21, 10), QPointF(25, 14));
        p.drawLine(QPointF(21, 18), QPointF(25, 14));
        break;
    default:
        break;
    }
    return pixmap;
}

// Panel3's and Panel7's pictures.
QPixmap SheetPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(60, 40, 20), 1));
    p.setBrush(QColor(214, 160, 92));
    p.drawRect(0, 0, width - 1, height - 1);
    p.setBrush(QColor(240, 200, 140));
    p.drawRect(2, 2, width / 2 - 3, height / 2 - 3);
    p.drawRect(width / 2 + 1, 2, width / 2 - 4, height - 5);
    p.drawRect(2, height / 2 + 1, width / 2 - 3, height / 2 - 4);
    return pixmap;
}

}  // namespace

// ---- MenuGrid ---------------------------------------------------------------------

MenuGrid::MenuGrid(const MenuItems& items, QWidget* parent)
    : QWidget(parent), m_items(items), m_scroll(new QScrollBar(Qt::Vertical, this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    m_scroll->hide();
    connect(m_scroll, &QScrollBar::valueChanged, this, [this] { update(); });
}

void MenuGrid::Refresh(const MenuColumns& columns)
{
    m_columns = columns;
    m_rows = MenuRowCount(m_items);
    m_heading = MenuHasHeading(m_items);
    m_menuRow = -1;
    const int height = MenuGridHeight(m_rows);
    resize(columns.gridWidth, height);
    const int fixed = m_heading ? 1 : 0;
    const int visibleRows = std::max(1, (height - fixed * kRowHeight) / kRowHeight);
    const int scrolled = m_rows - fixed;
    m_scroll->setVisible(MenuNeedsScrollBar(m_rows));
    m_scroll->setRange(0, std::max(0, scrolled - visibleRows));
    m_scroll->setValue(0);
    m_scroll->setGeometry(width() - 16, fixed * kRowHeight, 16, height - fixed * kRowHeight);
    update();
}

int MenuGrid::FirstScrolledRow() const
{
    return (m_heading ? 1 : 0) + (m_scroll->isVisible() ? m_scroll->value() : 0);
}

int MenuGrid::RowAt(int y) const
{
    if (y < 0)
        return -1;
    int slot = y / kRowHeight;
    if (m_heading && slot == 0)
        return 0;
    const int row = FirstScrolledRow() + slot - (m_heading ? 1 : 0);
    return row < m_rows ? row : -1;
}

void MenuGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const bool twoColumns = MenuHasSecondColumn(m_items);
    const int firstWidth = twoColumns ? m_columns.first : width();
    auto drawRow = [&](int row, int y) {
        const MenuEntry& entry =
            m_items.entries[static_cast<std::size_t>(MenuEntryOfRow(row, m_heading))];
        QColor back = Qt::white;
        if (m_heading && row == 0)
            back = FromWinColor(kInfoGrey);
        else if (row == m_menuRow)
            back = FromWinColor(kHighlightYellow);
        const QRect first(0, y, firstWidth, kRowHeight);
        p.fillRect(first, back);
        p.setPen(Qt::black);
        p.drawText(first.adjusted(2, 3, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   Q(MenuCellText(entry.first)));
        if (twoColumns) {
            const QRect second(firstWidth, y, width() - firstWidth, kRowHeight);
            p.fillRect(second, back);
            p.drawText(second.adjusted(2, 3, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       Q(MenuCellText(entry.second)));
        }
        p.setPen(QColor(192, 192, 192));
        p.drawLine(0, y + kRowHeight - 1, width(), y + kRowHeight - 1);
    };
    int y = 0;
    if (m_heading) {
        drawRow(0, 0);
        y = kRowHeight;
    }
    for (int row = FirstScrolledRow(); row < m_rows && y < height(); ++row, y += kRowHeight)
        drawRow(row, y);
}

void MenuGrid::mouseMoveEvent(QMouseEvent* event)
{
    const int row = RowAt(static_cast<int>(event->position().y()));
    if (row != m_menuRow) {
        m_menuRow = row;
        update();
    }
}

void MenuGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int row = RowAt(static_cast<int>(event->position().y()));
    // The heading row is fixed and chooses nothing.
    if (row >= 0 && !(m_heading && row == 0))
        emit RowClicked(row);
}

void MenuGrid::leaveEvent(QEvent*)
{
    if (m_menuRow != -1) {
        m_menuRow = -1;
        update();
    }
}

void MenuGrid::wheelEvent(QWheelEvent* event)
{
    if (m_scroll->isVisible())
        m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 40);
}

void MenuGrid::resizeEvent(QResizeEvent*)
{
    m_scroll->setGeometry(width() - 16, (m_heading ? 1 : 0) * kRowHeight, 16,
                          height() - (m_heading ? 1 : 0) * kRowHeight);
}

// ---- StartupPaintBox --------------------------------------------------------------

void StartupPaintBox::paintEvent(QPaintEvent*)
{
    // Never run the hand-shake inside the paint: it shows windows, closes
    // the program and asks questions, all of which paint again.
    emit Painted();
}

void StartupPaintBox::mousePressEvent(QMouseEvent* event)
{
    MainWindowCalls().HideDropDownMenu();
    event->accept();
}

// ---- TForm1 -----------------------------------------------------------------------

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), m_activation(new platform::WindowActivation(this))
{
    setWindowTitle(QStringLiteral("Vorlane"));
    setFocusPolicy(Qt::StrongFocus);
    // A user coming back from kalendo comes from another program: that too
    // is an activation here, so the hand-shake is looked at again.
    m_activation->SetCountOtherProgram(true);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm1::FormActivate);
    BuildControls();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    FormCreate();
}

TForm1::~TForm1()
{
    SetLanguageAppliedHook({});
    if (&MainWindowCalls() == this)
        SetMainWindowHooks(nullptr);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BuildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    SetBackground(central, FromWinColor(kWindowColour));

    Panel16 = new QFrame(central);
    Panel16->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel16->resize(IconBarWidth(), kIconBarHeight);
    Panel16->hide();
    for (int i = 0; i < kIconCount; ++i) {
        auto* panel = new QFrame(Panel16);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(2);
        panel->setGeometry(IconLeft(i), kIconTop, kIconWidth, kIconHeight);
        panel->setAutoFillBackground(true);
        auto* image = new QLabel(panel);
        image->setPixmap(IconPicture(i));
        image->setAlignment(Qt::AlignCenter);
        image->setGeometry(2, 2, kIconWidth - 4, kIconHeight - 4);
        auto* caption = new QLabel(Panel16);
        caption->setAlignment(Qt::AlignCenter);
        QFont small = caption->font();
        small.setPointSize(8);
        caption->setFont(small);
        SetTextColour(caption, Qt::white);
        const QString hint = QString(QLatin1Char(kIconHints[i]));
        for (QWidget* w : {static_cast<QWidget*>(panel), static_cast<QWidget*>(image),
                           static_cast<QWidget*>(caption)}) {
            w->setProperty(kHintProperty, hint);
            w->installEventFilter(this);
        }
        IconPanels[static_cast<std::size_t>(i)] = panel;
        IconImages[static_cast<std::size_t>(i)] = image;
        IconCaptions[static_cast<std::size_t>(i)] = caption;
    }

    Panel27 = new QLabel(central);
    SetBackground(Panel27, FromWinColor(kHoverAqua));
    Panel27->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel27->setAlignment(Qt::AlignCenter);
    Panel27->resize(100, 22);
    Panel27->hide();

    Panel2 = new QFrame(central);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetBackground(Panel2, FromWinColor(kInfoGrey));
    Panel2->resize(kInfoPanelWidth, kInfoPanelHeight);
    Panel2Text = new QLabel(Panel2);
    Panel2Text->setGeometry(10, 4, kInfoPanelWidth - 70, kInfoPanelHeight - 8);
    SetTextColour(Panel2Text, Qt::black);
    Panel2Text->setText(QStringLiteral("Vorlane ") + Q(kInstalledVersion));
    Panel3 = new QFrame(Panel2);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setGeometry(kInfoPanelWidth - 56, 4, 48, kInfoPanelHeight - 8);
    Image3 = new QLabel(Panel3);
    Image3->setGeometry(2, 2, 44, kInfoPanelHeight - 12);
    Image3->setPixmap(SheetPicture(44, kInfoPanelHeight - 12));
    Panel3->hide();
    Panel2->hide();

    Panel6 = new QFrame(central);
    Panel6->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetBackground(Panel6, QColor(255, 255, 255));
    Panel6->resize(kIntroPanelWidth, kIntroPanelHeight);
    Panel7 = new QLabel(Panel6);
    Panel7->setGeometry(80, 8, kIntroPanelWidth - 90, 60);
    Image11 = new QLabel(Panel6);
    Image11->setGeometry(10, 10, 60, 56);
    Image11->setPixmap(SheetPicture(60, 56));
    Button2 = new QPushButton(Panel6);
    Button2->setFocusPolicy(Qt::NoFocus);
    Button2->setGeometry(kIntroPanelWidth / 2 - 60, kIntroPanelHeight - 42, 120, 30);
    connect(Button2, &QPushButton::clicked, this, [this] {
        ShowIntroText(gShared.folders, gShared.languageIndex, gMainRequests.startupState);
        ClosesAtNextPaint();
    });
    Panel6->hide();

    Panel1 = new QFrame(central);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetBackground(Panel1, QColor(240, 240, 240));
    DrawGrid1 = new MenuGrid(m_menu, Panel1);
    DrawGrid1->move(5, 5);
    connect(DrawGrid1, &MenuGrid::RowClicked, this, &TForm1::DrawGrid1Click);
    Button1 = new QPushButton(Panel1);
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->resize(90, 26);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    Panel1->hide();

    PaintBox1 = new StartupPaintBox(central);
    PaintBox1->resize(8, 8);
    connect(PaintBox1, &StartupPaintBox::Painted, this, &TForm1::QueueStartupStep);

    Label3 = new QLabel(central);
    Label4 = new QLabel(central);
    for (QLabel* label : {Label3, Label4}) {
        SetTextColour(label, Qt::white);
        label->hide();
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(200);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    StartupPoll = new QTimer(this);
    StartupPoll->setInterval(kStartupPollMs);
    connect(StartupPoll, &QTimer::timeout, this, &TForm1::QueueStartupStep);

    central->installEventFilter(this);
}

void TForm1::ApplyCaptions()
{
    for (int i = 0; i < kIconCount; ++i) {
        const long entry = i == kIconProjects ? 1 : i + 2;
        const QString caption =
            i == kIconResources ? Q(Msg(834)) : Q(gShared.iconCaptions[entry]);
        IconCaptions[static_cast<std::size_t>(i)]->setText(caption);
    }
    Button2->setText(Q(Msg(90)));
    Button1->setText(Q(Msg(25)));
    FormResize();
}

void TForm1::FormCreate()
{
    // 1. and 2.: a clean start.
    gShared.interfaces.cncDriverName.clear();
    gShared.currentOrder = 0;
    gShared.orderList.dirty = true;
    gShared.settings.showDecimals = true;
    gShared.busy = false;
    gMainWindow.windowOpenFlags.resources = false;
    gMainWindow.windowOpenFlags.settings = false;
    gMainWindow.windowOpenFlags.projectManager = false;
    gMainRequests = {};
    m_blink = {};
    // 3.: the hover texts come from the icons' event filter.

    // 4.
    Timer1->stop();
    SetupDirectories();
    LoadSettings();
    SetBackground(centralWidget(), FromWinColor(kWindowColour));
    SetBackground(Panel16, FromWinColor(kWindowColour));
    m_blink.seconds = 0;
    Timer1->start();

    // 5. and 6.
    LoadMaterialsUsed();
    SetLanguageAppliedHook([this] { ApplyCaptions(); });
    ApplyLanguage();

    // 7.
    if (InstallationCheck())
        InstallationCheck();
    ResetIconHighlight();

    // 8.
    if (InUseMarkerExists() && !gMainRequests.installFailed) {
        const std::string warning = InUseWarningText(gShared.languageIndex);
        if (!warning.empty())
            platform::ShowMessage(warning);
    }
}

bool TForm1::InstallationCheck()
{
    gMainRequests.installFailed = false;
    const int code = InstallationCheckCode(gShared.folders);
    if (code == kInstallOk)
        return true;
    gMainRequests.installFailed = true;
    for (int i = 0; i < kIconCount - kIconsShownOnFailure; ++i)
        IconImages[static_cast<std::size_t>(i)]->hide();
    platform::ShowMessage(Msg(InstallationMessageSlot(code)));
    return false;
}

void TForm1::ShowAllIconImages()
{
    if (gMainRequests.installFailed)
        return;
    for (QLabel* image : IconImages)
        image->show();
}

// ---- The start-up hand-shake --------------------------------------------------------

void TForm1::QueueStartupStep()
{
    if (m_stepQueued)
        return;
    m_stepQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_stepQueued = false;
        RunStartupStep();
    });
}

void TForm1::RunStartupStep()
{
    if (m_stepRunning)
        return;
    m_stepRunning = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_stepRunning};

    int& state = gMainRequests.startupState;
    if (state == kStartupNotStarted) {
        SendStartupCommand(gShared.folders, gShared.languageIndex, gShared.settings.password, state);
        if (state == kStartupViewerStarted)
            StartupPoll->start();
        ClosesAtNextPaint();
        return;
    }
    if (state == kStartupViewerMissing) {
        StartupPoll->stop();
        RequestClose();
        return;
    }
    if (state != kStartupViewerStarted || !Panel1->isHidden() || gMainWindow.windowOpenFlags.Any())
        return;

    // The clipboard is the user's once the reply came: never read or
    // emptied again, so a repaint cannot erase what the user copied.
    if (!m_replyReceived) {
        platform::Clipboard& clipboard = platform::GetClipboard();
        switch (ClassifyHandshakeText(clipboard.Text())) {
        case HandshakeRead::Reply:
            ReplyReceived();
            break;
        case HandshakeRead::Clear:
            clipboard.Clear();
            break;
        case HandshakeRead::Keep:
        case HandshakeRead::Nothing:
            break;
        }
    }
    HideDropDownMenu();
    RecomputeGeometry();
    LayOutPanels();
    ServeViewRequest();
}

void TForm1::ReplyReceived()
{
    m_replyReceived = true;
    StartupPoll->stop();
    Panel16->show();
    Panel2->show();
    platform::Clipboard& clipboard = platform::GetClipboard();
    // Taking the clipboard tells kalendo its reply was read; then the
    // hand-shake texts leave the clipboard.
    clipboard.SetText(kalendo::kAcknowledge);
    clipboard.Clear();
    FillStatusLines();
    ReadMrpSettings();
    ReadCncSettings();
    UpdateIntroPanel();
}

void TForm1::FillStatusLines()
{
    Label3->setText(Q(GetComputerNameText() + " - " + GetUserNameText()));
    Label4->setText(platform::GetSystemInfo().NetworkPresent() ? Q(Msg(975)) : QString());
    Label3->adjustSize();
    Label4->adjustSize();
    Label3->show();
    Label4->show();
    LayOutPanels();
}

void TForm1::ServeViewRequest()
{
    if (gMainRequests.viewRequest <= 0) {
        Panel3->hide();
        return;
    }
    Panel3->show();
    Panel3->repaint();
    gMainRequests.viewRequest = 0;
    ViewStep();
}

void TForm1::ViewStep()
{
    Panel2->repaint();
    m_iconColours[kIconView] = IconColour::Yellow;
    SetBackground(IconPanels[kIconView], FromWinColor(kHighlightYellow));
    LoadMaterialsUsed();
    if (gShared.calcLists.materials.count < 2) {
        if (m_targets.layoutViewer)
            m_targets.layoutViewer();
    } else {
        HideDropDownMenu();
        if (m_targets.viewChoice)
            m_targets.viewChoice();
    }
}

void TForm1::ClosesAtNextPaint()
{
    // kalendo could not be started: the next paint closes the window, and
    // one is asked for, as the message box that said so would leave one.
    if (gMainRequests.startupState == kStartupViewerMissing)
        update();
}

void TForm1::RequestClose()
{
    // One deferred close at a time: the closing question repaints the
    // window, and every repaint in this state asks to close.
    if (m_closePending || m_closeQuestionOpen)
        return;
    m_closePending = true;
    QTimer::singleShot(0, this, [this] {
        close();
        m_closePending = false;
    });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (m_closeQuestionOpen) {
        event->ignore();
        return;
    }
    m_closeQuestionOpen = true;
    const platform::Answer answer =
        platform::Messages().ShowAt(Msg(10) + " ?", "Vorlane", platform::MessageKind::Question,
                                    platform::Buttons::YesNo, width() - 250, 60);
    // Refused until the settings are saved: a write that fails keeps the
    // window open with the error shown, rather than losing the settings.
    event->ignore();
    if (answer != platform::Answer::Yes) {
        m_closeQuestionOpen = false;
        return;
    }
    // Still guarded: a second close while the calculation ends asks nothing.
    if (m_targets.endCalculation)
        m_targets.endCalculation();
    m_closeQuestionOpen = false;
    DeleteInUseMarker();
    SaveSettings();
    StartupPoll->stop();
    Timer1->stop();
    Timer2->stop();
    event->accept();
}

// ---- Activation, paint, layout ----------------------------------------------------

void TForm1::FormActivate()
{
    m_active = true;
    gMainWindow.windowOpenFlags.resources = false;
    gMainWindow.windowOpenFlags.settings = false;
    gMainWindow.windowOpenFlags.projectManager = false;
    if (gMainRequests.startupState > 0)
        UpdateIntroPanel();
    WriteInUseMarker();
    RecomputeGeometry();
    if (!Panel16->isHidden()) {
        if (gMainRequests.tableRequest > 0)
            OpenPieceTable();
        if (gMainRequests.sheetTableRequest)
            OpenSheetTable();
    }
    QueueStartupStep();
}

void TForm1::FormDeactivate()
{
    m_active = false;
    RecomputeGeometry();
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_active)
        FormDeactivate();
    QMainWindow::changeEvent(event);
}

void TForm1::paintEvent(QPaintEvent* event)
{
    RecomputeGeometry();
    QMainWindow::paintEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    HideDropDownMenu();
    QMainWindow::mousePressEvent(event);
}

void TForm1::RecomputeGeometry()
{
    const QRect frame = geometry();
    gMainWindow.geometry = ComputeMainWindowGeometry(frame.left(), frame.top(), frame.width(),
                                                     frame.height(), Panel16->y(),
                                                     Panel16->height());
}

void TForm1::FormResize()
{
    // The icons stand in a row, each caption centred under its icon.
    const int captionTop = kIconTop + kIconHeight + 1;
    for (int i = 0; i < kIconCount; ++i) {
        QLabel* caption = IconCaptions[static_cast<std::size_t>(i)];
        const int width = std::max(kIconWidth, caption->sizeHint().width());
        caption->setGeometry(IconLeft(i) + kIconWidth / 2 - width / 2, captionTop, width,
                             kIconBarHeight - captionTop - 1);
    }
    QWidget* area = centralWidget();
    Panel16->move(CentredLeft(area->width(), Panel16->width()), 1);
    Panel27->move(Panel27->x(), Panel16->y() + Panel16->height() + 3);
    ResetIconHighlight();
    LayOutPanels();
}

void TForm1::LayOutPanels()
{
    QWidget* area = centralWidget();
    const int width = area->width();
    Panel2->move(CentredLeft(width, Panel2->width()), InfoPanelTop(Panel16->y(), Panel16->height()));
    Panel6->move(CentredLeft(width, Panel6->width()), IntroPanelTop(Panel2->y(), Panel6->height()));
    Label3->move(8, area->height() - Label3->height() - 6);
    Label4->move(8, Label3->y() - Label4->height() - 2);
    PaintBox1->move(area->width() - PaintBox1->width() - 2, area->height() - PaintBox1->height() - 2);
}

void TForm1::UpdateIntroPanel()
{
    if (gMainRequests.installFailed)
        return;
    Panel6->setVisible(gShared.settings.runCount < 2);
}

// ---- Timers and hover texts ------------------------------------------------------------

void TForm1::Timer1Timer()
{
    m_blink = NextIntroBlink(m_blink, !Panel6->isHidden());
    QFont font = Panel7->font();
    if (IntroShowsWelcome(m_blink.counter)) {
        font.setBold(true);
        font.setPointSize(18);
        SetTextColour(Panel7, Qt::black);
        Panel7->setText(QStringLiteral("   ") + Q(Msg(648)));
    } else {
        font.setBold(false);
        font.setPointSize(14);
        SetTextColour(Panel7, Qt::red);
        Panel7->setText(QStringLiteral("  ") + Q(Msg(649)));
    }
    Panel7->setFont(font);
    Panel7->setWordWrap(true);
}

void TForm1::HintChanged(const std::string& hint)
{
    Panel27->hide();
    m_hintPanelFlag = false;
    m_hint = hint;
    if (hint.size() < 2)
        Timer2->start();
    for (QFrame* panel : IconPanels)
        panel->setFrameShadow(QFrame::Raised);
    Panel27->setFrameShadow(QFrame::Raised);
    for (int i = 0; i < kIconCount; ++i) {
        QFrame* panel = IconPanels[static_cast<std::size_t>(i)];
        if (panel->cursor().shape() == Qt::ForbiddenCursor || panel->frameShadow() == QFrame::Sunken)
            continue;
        const std::string iconHint(1, kIconHints[i]);
        if (m_iconColours[static_cast<std::size_t>(i)] == IconColour::Aqua && iconHint != hint) {
            m_iconColours[static_cast<std::size_t>(i)] = IconColour::Face;
            SetBackground(panel, palette().color(QPalette::Button));
        }
        if (iconHint == hint) {
            const QString text = Q(Msg(kHoverSlots[i]));
            Panel27->setText(text);
            Panel27->resize(Panel27->fontMetrics().horizontalAdvance(text) + 15, Panel27->height());
            m_hintPanelFlag = true;
            panel->setFrameShadow(QFrame::Sunken);
            Panel27->move(HoverStripLeft(Panel16->x(), panel->x(), panel->width(), Panel27->width(),
                                         centralWidget()->width()),
                          Panel16->y() + Panel16->height() + 3);
        }
    }
}

void TForm1::Timer2Timer()
{
    Panel27->setVisible(m_hintPanelFlag && !Panel16->isHidden());
    if (Panel27->isHidden())
        Timer2->stop();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && watched != centralWidget()) {
        const QString hint = widget->property(kHintProperty).toString();
        const std::string wanted =
            event->type() == QEvent::Enter ? platform::FromQString(hint) : std::string();
        if ((event->type() == QEvent::Enter || event->type() == QEvent::Leave) && wanted != m_hint)
            HintChanged(wanted);
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                for (int i = 0; i < kIconCount; ++i)
                    if (hint == QLatin1Char(kIconHints[i]) &&
                        watched != IconCaptions[static_cast<std::size_t>(i)]) {
                        IconClick(i);
                        return true;
                    }
            }
        }
    } else if (watched == centralWidget() && event->type() == QEvent::MouseButtonPress) {
        HideDropDownMenu();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Icons ----------------------------------------------------------------------------

void TForm1::ResetIconHighlight()
{
    for (std::size_t i = 0; i < IconPanels.size(); ++i) {
        m_iconColours[i] = IconColour::Face;
        SetBackground(IconPanels[i], palette().color(QPalette::Button));
    }
}

void TForm1::HighlightIcon(int icon)
{
    ResetIconHighlight();
    m_iconColours[static_cast<std::size_t>(icon)] = IconColour::Yellow;
    SetBackground(IconPanels[static_cast<std::size_t>(icon)], FromWinColor(kHighlightYellow));
}

bool TForm1::IconIsHighlighted(int icon) const
{
    return m_iconColours[static_cast<std::size_t>(icon)] == IconColour::Yellow;
}

void TForm1::IconClick(int icon)
{
    if (gShared.busy) {
        if (icon == kIconExit)
            platform::ShowMessage(Msg(632));
        return;
    }
    switch (icon) {
    case kIconProjects:
        if (!gShared.settings.internalTables) {
            platform::ShowMessage(Msg(612) + "\r" + Msg(613));
            return;
        }
        HighlightIcon(icon);
        HideDropDownMenu();
        if (m_targets.projectManager)
            m_targets.projectManager();
        return;
    case kIconResources:
        if (IconIsHighlighted(icon))
            return;
        HighlightIcon(icon);
        HideDropDownMenu();
        gMainWindow.windowOpenFlags.resources = true;
        if (m_targets.resources)
            m_targets.resources();
        return;
    case kIconCalculation:
        if (gShared.settings.pcbOption) {
            platform::ShowMessage(Msg(860) + "\r" + Msg(861));
            return;
        }
        HighlightIcon(icon);
        RecomputeGeometry();
        if (m_targets.calculation)
            m_targets.calculation();
        return;
    case kIconView:
        HighlightIcon(icon);
        if (m_targets.viewChoice)
            m_targets.viewChoice();
        return;
    case kIconReport:
        HighlightIcon(icon);
        OpenReportMenuOrMaterials(icon);
        return;
    case kIconLabels:
        HighlightIcon(icon);
        RecomputeGeometry();
        if (gShared.calcLists.materials.count < 2) {
            if (m_targets.labels)
                m_targets.labels();
        } else {
            OpenMenu(kMenuMaterialForLabels, icon);
        }
        return;
    case kIconSettings:
        HighlightIcon(icon);
        RecomputeGeometry();
        gMainWindow.windowOpenFlags.settings = true;
        if (Form6)
            Form6->exec();
        ApplyLanguage();
        return;
    case kIconHelp:
        HighlightIcon(icon);
        RecomputeGeometry();
        OpenMenu(kMenuHelp, icon);
        return;
    case kIconExit:
        SaveSettings();
        close();
        return;
    default:
        return;
    }
}

void TForm1::OpenReportMenuOrMaterials(int icon)
{
    if (gShared.calcLists.materials.count < 2)
        OpenMenu(kMenuReport, icon);
    else
        OpenMenu(kMenuMaterialForReport, icon);
}

// ---- The drop-down menu -------------------------------------------------------------------

void TForm1::OpenMenu(int kind, int icon)
{
    m_menuKind = kind;
    m_menuIcon = icon;
    m_menuCodes.clear();
    switch (kind) {
    case kMenuHelp:
        FillMenu(m_menu, "", {}, {{Msg(90), ""}, {Msg(91), ""}, {Msg(92), ""}});
        break;
    case kMenuReport:
        FillMenu(m_menu, "", {}, {{Msg(58), ""}, {Msg(59), ""}, {Msg(60), ""}});
        break;
    case kMenuMaterialForReport:
    case kMenuMaterialForLabels: {
        // Each row's description comes from its own record; the current
        // material and its loaded record stay as they were.
        std::vector<MenuEntry> rows;
        const MaterialSelection& used = gShared.calcLists.materials;
        for (long i = 1; i <= used.count; ++i) {
            const long long code = used.entries[i].code;
            m_menuCodes.push_back(code);
            rows.push_back({std::to_string(code), LoadMaterial(gShared.folders, code).description});
        }
        const bool report = kind == kMenuMaterialForReport;
        FillMenu(m_menu, report ? "Escolha o material:" : "Material ? ",
                 {report ? Msg(32) : Msg(31), Msg(33)}, rows);
        break;
    }
    default:
        return;
    }
    const MenuColumns columns =
        MenuColumnWidths(m_menu, fontMetrics().horizontalAdvance(QLatin1Char('X')), Button1->width());
    DrawGrid1->Refresh(columns);
    Button1->move(5, DrawGrid1->y() + DrawGrid1->height() + 5);
    Panel1->resize(columns.panelWidth, Button1->y() + Button1->height() + 6);
    Panel1->move(MenuLeft(Panel16->x(), IconPanels[static_cast<std::size_t>(icon)]->x()),
                 Panel16->y() + Panel16->height() + 2);
    Panel1->raise();
    Panel1->show();
}

void TForm1::HideDropDownMenu()
{
    Panel1->hide();
}

void TForm1::Button1Click()
{
    HideDropDownMenu();
    ResetIconHighlight();
    gMainRequests.viewRequest = 0;
}

void TForm1::DrawGrid1Click(int row)
{
    const bool heading = MenuHasHeading(m_menu);
    if (row < 0 || row >= MenuRowCount(m_menu) || (heading && row == 0))
        return;
    HideDropDownMenu();
    switch (m_menuKind) {
    case kMenuHelp:
        if (row == 0)
            ShowIntroText(gShared.folders, gShared.languageIndex, gMainRequests.startupState);
        else if (row == 1)
            ShowHelpText();
        else if (row == 2)
            SendStartupCommand(gShared.folders, gShared.languageIndex, gShared.settings.password,
                               gMainRequests.startupState);
        ClosesAtNextPaint();
        return;
    case kMenuReport:
        ReportMenuClick(row);
        return;
    case kMenuMaterialForReport:
    case kMenuMaterialForLabels: {
        const auto index = static_cast<std::size_t>(MenuEntryOfRow(row, heading) - 1);
        if (index >= m_menuCodes.size())
            return;
        gShared.currentMaterial = m_menuCodes[index];
        if (m_menuKind == kMenuMaterialForReport)
            OpenMenu(kMenuReport, m_menuIcon);
        else if (m_targets.labels)
            m_targets.labels();
        return;
    }
    default:
        return;
    }
}

void TForm1::ReportMenuClick(int row)
{
    if (!gMainRequests.installFailed)
        InstallationCheck();
    switch (row) {
    case 0:
        ShowCalcHistoryList(gShared.folders, gShared.currentMaterial);
        return;
    case 1: {
        PickListParameters question;
        question.mode = kPickQuestion;
        question.title = Msg(558);
        question.lines = {Msg(559), Msg(560), Msg(561)};
        question.minWidth = 310;
        if (!ShowPickList(question).cancelled)
            DeleteHistoryList(CalcHistoryFile(gShared.folders, gShared.currentMaterial));
        return;
    }
    case 2:
        ShowCalcReportList(gShared.folders, gShared.currentMaterial);
        return;
    default:
        return;
    }
}

// ---- Keys --------------------------------------------------------------------------------

void TForm1::OpenPieceTable()
{
    const int request = gMainRequests.tableRequest;
    gMainRequests.tableRequest = 0;
    if (!gShared.settings.internalTables || gShared.settings.orderType != 0)
        return;
    if (m_targets.table)
        m_targets.table(1, request);
    HideDropDownMenu();
}

void TForm1::OpenSheetTable()
{
    gMainRequests.sheetTableRequest = false;
    if (m_targets.table)
        m_targets.table(2, 0);
    HideDropDownMenu();
}

void TForm1::ShowHelpText()
{
    vor::ShowHelpText(gShared.folders, gShared.languageIndex, gMainRequests.startupState);
    ClosesAtNextPaint();
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool barVisible = !Panel16->isHidden();
    // The keys that open windows wait for a running calculation like the
    // icons do: those windows edit the stock the calculation reads.
    const bool busy = gShared.busy;
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (key) {
    case Qt::Key_F1: {
        WaitCursor wait;
        ShowHelpText();
        return;
    }
    case Qt::Key_F2:
        if (!barVisible || busy)
            return;
        // Desktops take Alt+F2 for themselves: Shift+F2 and Ctrl+Shift+F2 ask the same.
        if (held == Qt::AltModifier || held == Qt::ShiftModifier ||
            held == (Qt::ControlModifier | Qt::ShiftModifier))
            gMainRequests.tableRequest = 2;
        OpenPieceTable();
        return;
    case Qt::Key_F3:
        if (!barVisible || busy)
            return;
        OpenSheetTable();
        return;
    case Qt::Key_F4:
        if (!barVisible || busy)
            return;
        if (Form2)
            Form2->show();
        HideDropDownMenu();
        return;
    case Qt::Key_F5:
        gShared.languageIndex = NextLanguage(gShared.languageIndex);
        ApplyLanguage();
        LayOutPanels();
        return;
    case Qt::Key_F9:
        if (busy || gMainRequests.installFailed)
            return;
        DeleteInUseMarker();
        ShowAllIconImages();
        return;
    case Qt::Key_F10:
        showMinimized();
        return;
    case Qt::Key_F11:
        if (busy)
            return;
        if (m_targets.resources)
            m_targets.resources();
        return;
    case Qt::Key_F12:
        if (busy)
            return;
        ViewStep();
        return;
    default:
        return;
    }
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers());
    QMainWindow::keyPressEvent(event);
}

TForm1* CreateForm1()
{
    if (!Form1) {
        Form1 = new TForm1;
        SetMainWindowHooks(Form1);
    }
    return Form1;
}

}  // namespace vor
