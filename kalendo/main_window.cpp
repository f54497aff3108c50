#include "kalendo/main_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "kalendo/jpeg_decoder.h"
#include "kalendo/startup_rules.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/product.h"
#include "vorplan/common/user_file.h"

namespace kalendo {

namespace {

using platform::ToQString;
using vor::kMakerAddress;
using vor::kMakerCaption;

// Design sizes of the form and of the controls the layout does not size.
constexpr QSize kDesignSize{712, 430};
constexpr QRect kSeparateRunPanel{0, 40, 520, 190};
constexpr QSize kSeparateRunButton{75, 30};
constexpr int kTitleFontSize = 9;
constexpr int kSmallTitleFontSize = 7;

QRect ToRect(const Box& box)
{
    return {box.left, box.top, box.width, box.height};
}

Box ToBox(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

void SetBackground(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The key on the password panel, drawn rather than shipped.
QPixmap KeyPixmap()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor gold(196, 150, 40);
    painter.setPen(QPen(gold.darker(150), 2));
    painter.setBrush(gold);
    QPainterPath key;
    key.addEllipse(QPointF(14, 24), 10, 10);
    key.addRect(22, 21, 22, 6);
    key.addRect(34, 27, 4, 7);
    key.addRect(40, 27, 4, 9);
    painter.drawPath(key.simplified());
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(11, 24), 3.5, 3.5);
    return pixmap;
}

}  // namespace

TForm1::TForm1(platform::Clipboard& clipboard, std::function<void()> quit,
               std::chrono::milliseconds lingerTime)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clipboard(clipboard),
      m_quit(std::move(quit)),
      m_lingerTime(lingerTime)
{
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    setWindowTitle(QStringLiteral("Vorlane"));

    PageControl1 = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;  // the text viewer builds itself into this page
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addWidget(TabSheet1);
    PageControl1->addWidget(TabSheet2);
    PageControl1->addWidget(TabSheet3);
    PageControl1->addWidget(TabSheet4);

    // Start-up page.
    Panel1 = new QFrame(TabSheet1);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Image1 = new QLabel(Panel1);
    Image1->setScaledContents(true);
    Panel2 = new QLabel(TabSheet1);
    Panel2->setAlignment(Qt::AlignCenter);
    SetBackground(Panel2, Qt::black, Qt::white);
    Panel4 = new QLabel(TabSheet1);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Button7 = new QPushButton(QStringLiteral("Ok"), TabSheet1);
    Label1 = new QLabel(TabSheet1);
    Label1->setTextFormat(Qt::RichText);
    Label1->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                        .arg(QLatin1String(kMakerAddress), QLatin1String(kMakerCaption)));
    Label1->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    Label1->setCursor(Qt::PointingHandCursor);

    // Separate-run page.
    Panel5 = new QLabel(TabSheet3);
    Panel5->setTextFormat(Qt::PlainText);  // it shows whatever the clipboard held
    Panel5->setAlignment(Qt::AlignCenter);
    Panel5->setWordWrap(true);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel5->setGeometry(kSeparateRunPanel);
    SetBackground(Panel5, Qt::yellow, Qt::black);
    Panel5->setText(ToQString(SeparateRunText()));
    Button3 = new QPushButton(QStringLiteral("Ok"), TabSheet3);
    Button3->resize(kSeparateRunButton);

    // Password page.
    Panel9 = new QFrame(TabSheet4);
    Panel9->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel9->resize(SplashDesign{}.passwordPanel.width, SplashDesign{}.passwordPanel.height);
    KeyPicture = new QLabel(Panel9);
    KeyPicture->setGeometry(12, 12, 48, 48);
    KeyPicture->setPixmap(KeyPixmap());
    PasswordCaption = new QLabel(ToQString(kPasswordCaption), Panel9);
    PasswordCaption->setGeometry(72, 14, 170, 22);
    PasswordCaption->setAlignment(Qt::AlignCenter);
    PasswordCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Edit1 = new QLineEdit(Panel9);
    Edit1->setGeometry(72, 44, 170, 24);
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    Button1 = new QPushButton(ToQString(kOkCaption), Panel9);
    Button1->setGeometry(72, 100, 80, 30);
    Button5 = new QPushButton(ToQString(kCancelCaption), Panel9);
    Button5->setGeometry(162, 100, 80, 30);

    PageControl1->setCurrentWidget(TabSheet3);
    resize(kDesignSize);

    // Enter presses the button that has the focus, as it does on every other
    // desktop; Qt does that by itself only inside dialogs.
    for (QPushButton* button : {Button7, Button3, Button1, Button5})
        button->setAutoDefault(true);

    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { CheckStartupPassword(); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { CheckStartupPassword(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Label1, &QLabel::linkActivated, this, [this] { Label1Click(); });

    // Coming back from another program reads the clipboard again; closing one
    // of our own message boxes does not.
    auto* activation = new platform::WindowActivation(this);
    activation->SetCountOtherProgram(true);
    connect(activation, &platform::WindowActivation::Activated, this, [this] { OnActivated(); });
}

void TForm1::OnActivated()
{
    // Setting the window topmost shows it again; that is no activation.
    if (m_reshowing || m_finished)
        return;
    // Run outside the show or activation event, so boxes may open.
    QMetaObject::invokeMethod(this, [this] { FormActivate(); }, Qt::QueuedConnection);
}

void TForm1::FormActivate()
{
    if (m_activating || m_finished)
        return;
    const std::string text = m_clipboard.Text();
    // After the first parse only a command counts: vorplan empties the
    // clipboard once it has its reply, and the separate-run page would then
    // offer an Ok that closes without one.
    if (m_parsed && !IsViewerCommand(text))
        return;
    m_activating = true;
    m_parsed = true;
    m_command = ParseViewerCommand(text);
    m_texts = FillMessageSet(m_command.languageDigit);
    SetUpPage();
    PageControl1->setVisible(true);
    Panel1->setVisible(true);
    if (m_page == CurrentPage::Startup) {
        WarnSmallScreen();
        Button7->setFocus();
    }
    m_activating = false;
    emit PagesReady();
}

void TForm1::SetUpPage()
{
    switch (m_command.page) {
    case ViewerPage::Startup: {
        // A FIFO or an endless device in its place would stall the hand-shake: it counts as missing.
        const bool found =
            vor::IsRegularFileWithin(std::filesystem::path(kSplashPictureName), vor::kMaxPictureFileBytes);
        m_page = CurrentPage::Startup;
        if (!found) {
            ShowMessage(m_texts.file + " " + std::string(kSplashPictureName) + "\n" + m_texts.notFound);
            m_page = CurrentPage::StartupWithoutPicture;
        }
        LayoutSplashPage();
        if (found)
            LoadSplashPicture();
        else
            Image1->clear();
        PageControl1->setCurrentWidget(TabSheet1);
        Panel4->setText(ToQString(m_command.version));
        QFont font = Panel4->font();
        if (IsHighlightedVersion(m_command.version)) {
            SetBackground(Panel4, Qt::black, Qt::white);
            font.setBold(true);
        } else {
            Panel4->setAutoFillBackground(false);
            Panel4->setPalette(palette());
            font.setBold(false);
        }
        Panel4->setFont(font);
        break;
    }
    case ViewerPage::TextViewer:
        m_page = CurrentPage::TextViewer;
        PageControl1->setCurrentWidget(TabSheet2);
        break;
    case ViewerPage::SeparateRun:
        ShowSeparateRunPage();
        break;
    }
}

void TForm1::ShowSeparateRunPage()
{
    m_page = CurrentPage::SeparateRun;
    Panel5->setText(Panel5->text() + QLatin1Char('\n') + ToQString(m_command.paddedText));
    PageControl1->setCurrentWidget(TabSheet3);
    FormResize();
}

void TForm1::LayoutSplashPage()
{
    const QSize screenSize = ScreenSize();
    const SplashGeometry g =
        kalendo::LayoutSplashPage({screenSize.width(), screenSize.height()},
                                  IsHighlightedVersion(m_command.version));
    setGeometry(ToRect(g.window));
    Panel1->setGeometry(ToRect(g.frame));
    Image1->setGeometry(ToRect(g.picture));
    Panel9->setGeometry(ToRect(g.passwordPanel));

    Panel2->setGeometry(ToRect(g.titleStrip));
    Panel2->setText(ToQString(m_texts.programTitle));
    QFont titleFont = Panel2->font();
    titleFont.setBold(true);
    titleFont.setPointSize(m_texts.smallTitle ? kSmallTitleFontSize : kTitleFontSize);
    Panel2->setFont(titleFont);
    Panel2->raise();

    Panel4->setGeometry(ToRect(g.versionPanel));
    Button7->setGeometry(ToRect(g.okButton));
    Label1->setGeometry(ToRect(g.linkLabel));

    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        const bool visible = isVisible();
        m_reshowing = true;
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (visible)
            show();
        m_reshowing = false;
    }
}

void TForm1::LoadSplashPicture()
{
    const Picture picture = DecodeJpegFile(std::filesystem::path(kSplashPictureName));
    if (picture.Empty()) {
        Image1->clear();
        return;
    }
    const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                       QImage::Format_RGB888);
    Image1->setPixmap(QPixmap::fromImage(image));  // converts, so the bytes may go
}

void TForm1::WarnSmallScreen()
{
    if (IsSmallScreen(ScreenSize().width()))
        ShowMessage(m_texts.screenWarning1 + "\n" + m_texts.screenWarning2);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    const QSize panel = Panel9->size();
    Panel9->setGeometry(ToRect(PlacePasswordPanel({width(), height()}, {panel.width(), panel.height()})));
    const SeparateRunGeometry g = LayoutSeparateRunPage(
        width(), ToBox(Panel5->geometry()), {Button3->width(), Button3->height()});
    Panel5->setGeometry(ToRect(g.panel));
    Button3->setGeometry(ToRect(g.okButton));
}

void TForm1::Button7Click()
{
    // A password set is always asked for, with or without the picture.
    if (!m_command.password.empty()) {
        Edit1->clear();
        PageControl1->setCurrentWidget(TabSheet4);
        Edit1->setFocus();
        return;
    }
    Reply(ViewerReply::Ok);
}

void TForm1::CheckStartupPassword()
{
    if (m_finished)
        return;
    if (kalendo::CheckStartupPassword(platform::FromQString(Edit1->text()), m_command.password))
        Reply(ViewerReply::Ok);
    else
        ShowMessage(m_texts.invalidPassword);
}

void TForm1::Button5Click()
{
    Reply(ViewerReply::End);
}

void TForm1::Button3Click()
{
    CloseProgram();
}

void TForm1::Label1Click()
{
    if (!QDesktopServices::openUrl(QUrl(QLatin1String(kMakerAddress))))
        ShowMessage(std::string(kMakerCaption) + "\n" + m_texts.notFound);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!m_finished) {
        // Closing through the window manager leaves like "Cancela" where a
        // reply is awaited, and like Ok elsewhere.
        const bool awaitingReply = m_page == CurrentPage::Startup ||
                                   m_page == CurrentPage::StartupWithoutPicture;
        if (awaitingReply)
            Reply(ViewerReply::End);
        else
            CloseProgram();
    }
    event->accept();
}

void TForm1::Reply(ViewerReply reply)
{
    if (m_finished)
        return;
    m_finished = true;
    m_clipboard.SetText(ReplyText(reply));
    hide();
    // On X11 the reply lives in this process: keep it until vorplan has read it.
    m_linger = std::make_unique<platform::ClipboardLinger>(m_clipboard, m_quit, m_lingerTime);
}

void TForm1::CloseProgram()
{
    if (m_finished)
        return;
    m_finished = true;
    hide();
    if (m_quit)
        m_quit();
}

QSize TForm1::ScreenSize() const
{
    if (m_screenOverride)
        return *m_screenOverride;
    const QScreen* current = screen();
    return current ? current->geometry().size() : QSize(kDesignSize);
}

void TForm1::ShowMessage(const std::string& text)
{
    platform::Messages().Show(text, {}, platform::MessageKind::Plain, platform::Buttons::Ok);
}

}  // namespace kalendo
