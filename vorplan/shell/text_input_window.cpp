#include "vorplan/shell/text_input_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/pick_list.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/ui/material_window.h"

namespace vor {

TForm19* Form19 = nullptr;

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TForm19::TForm19(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QString());

    Label1 = new QLabel(QStringLiteral("Digite o novo texto :"), this);
    Edit1 = new QLineEdit(this);
    Edit1->resize(200, Edit1->sizeHint().height());
    Edit1->installEventFilter(this);
    Button1 = MakeButton(this, nullptr, QString(), QRect(0, 0, kButtonWidth, kButtonHeight));
    Button1->setText(QStringLiteral("Ok"));
    Button2 = MakeButton(this, nullptr, QString(), QRect(0, 0, kButtonWidth, kButtonHeight));
    Button2->setText(QStringLiteral("Cancela"));
    CheckBox1 = new QCheckBox(QStringLiteral("Imprimir em relatório"), this);
    CheckBox1->setVisible(false);

    setObjectName(QStringLiteral("Form19"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    connect(Button1, &QPushButton::clicked, this, &TForm19::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm19::Button2Click);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm19::FormActivate);
}

TForm19::~TForm19()
{
    if (Form19 == this)
        Form19 = nullptr;
}

void TForm19::FormActivate()
{
    // Once per opening; an activation the window system delivers after the
    // window was closed is no opening.
    if (m_open || !isVisible())
        return;
    m_open = true;
    InputConfirmed = false;

    Label1->setText(platform::ToQString(Msg(817)));
    Button2->setText(platform::ToQString(Msg(25)));

    const int width = TextInputWidth(Edit1->width(), kButtonWidth);
    const int buttonLeft = TextInputButtonLeft(width, kButtonWidth);
    Label1->setGeometry(10, 8, width - 20, Label1->sizeHint().height());
    Edit1->move(10, Label1->y() + Label1->height() + 4);
    const int okTop = Edit1->y() + Edit1->height() + 8;
    Button1->move(buttonLeft, okTop);
    Button2->move(buttonLeft, okTop + kButtonHeight + 6);
    setFixedSize(width, Button2->y() + kButtonHeight + 8);

    // Over the window that asks, else in the middle of the screen.
    QRect over;
    if (QWidget* asking = QApplication::activeWindow(); asking && asking != this)
        over = asking->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (over.isValid())
        move(over.center().x() - this->width() / 2, over.center().y() - height() / 2);

    Edit1->setFocus();
}

void TForm19::Button1Click()
{
    InputConfirmed = true;
    accept();
}

void TForm19::Button2Click()
{
    reject();
}

void TForm19::Edit1KeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button1Click();
}

bool TForm19::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Edit1KeyPress(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm19::done(int result)
{
    m_open = false;
    QDialog::done(result);
}

void TForm19::hideEvent(QHideEvent* event)
{
    // Hidden by the program, not minimised: the next showing is a new opening.
    if (!event->spontaneous())
        m_open = false;
    QDialog::hideEvent(event);
}

TForm19* CreateForm19()
{
    if (!Form19)
        Form19 = new TForm19;
    return Form19;
}

std::optional<std::string> AskTextInput(const std::string& text, int width)
{
    TForm19* form = CreateForm19();
    form->Edit1->setText(platform::ToQString(text));
    form->Edit1->resize(width, form->Edit1->height());
    form->exec();
    if (!form->InputConfirmed)
        return std::nullopt;
    return platform::FromQString(form->Edit1->text());
}

TextInputDialog TextInputPrompt()
{
    return [](const std::string& text, int width) { return AskTextInput(text, width); };
}

void InstallMaterialWindowPrompts()
{
    TForm15::SetFieldTitlePrompt(
        [](const std::string& title) { return AskTextInput(title, kFieldTitleInputWidth); });
}

}  // namespace vor
