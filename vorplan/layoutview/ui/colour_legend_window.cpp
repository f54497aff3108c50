#include "vorplan/layoutview/ui/colour_legend_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/layout_colours.h"

namespace vor {

TForm11* Form11 = nullptr;

namespace {

QLabel* Sample(QWidget* parent, const QString& name, WinColor colour, WinColor text = kBlack)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Box);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMinimumSize(150, 24);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, FromWinColor(colour));
    p.setColor(QPalette::WindowText, FromWinColor(text));
    panel->setPalette(p);
    return panel;
}

// Shape1: the hatch an extra piece is drawn with.
class ExtraPieceSample final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::black);
        p.setBrush(QBrush(FromWinColor(kRed), Qt::DiagCrossPattern));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

}  // namespace

TForm11::TForm11(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);

    GroupCuts = new QGroupBox(this);
    auto* cuts = new QVBoxLayout(GroupCuts);
    for (std::size_t i = 0; i < CutPanels.size(); ++i) {
        CutPanels[i] = Sample(GroupCuts, QStringLiteral("Panel%1").arg(i + 1), LevelColour(static_cast<int>(i)),
                              i == 1 ? kBlack : kWhite);
        cuts->addWidget(CutPanels[i]);
    }
    GroupBox1 = new QGroupBox(this);
    auto* groups = new QVBoxLayout(GroupBox1);
    for (std::size_t i = 0; i < GroupPanels.size(); ++i) {
        GroupPanels[i] = Sample(GroupBox1, QStringLiteral("Panel%1").arg(i + 5), kWhite, kWhite);
        groups->addWidget(GroupPanels[i]);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(GroupCuts);
    top->addWidget(GroupBox1);
    outer->addLayout(top);

    GroupLeftovers = new QGroupBox(this);
    auto* leftovers = new QHBoxLayout(GroupLeftovers);
    Panel41 = Sample(GroupLeftovers, QStringLiteral("Panel41"), kYellow);
    Panel42 = Sample(GroupLeftovers, QStringLiteral("Panel42"), kAqua);
    leftovers->addWidget(Panel41);
    leftovers->addWidget(Panel42);
    GroupExtra = new QGroupBox(this);
    auto* extra = new QHBoxLayout(GroupExtra);
    Panel9 = new QWidget(GroupExtra);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    auto* shapeLayout = new QHBoxLayout(Panel9);
    shapeLayout->setContentsMargins(0, 0, 0, 0);
    auto* shape = new ExtraPieceSample(Panel9);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFixedSize(60, 30);
    shapeLayout->addWidget(shape);
    extra->addWidget(Panel9);
    auto* middle = new QHBoxLayout;
    middle->addWidget(GroupLeftovers, 1);
    middle->addWidget(GroupExtra);
    outer->addLayout(middle);

    // The edge-mark sample is painted by paintEvent left of Label1.
    auto* bottom = new QHBoxLayout;
    bottom->addSpacing(70);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumHeight(34);
    bottom->addWidget(Label1, 1);
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    bottom->addWidget(Button1);
    outer->addLayout(bottom);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm11::FormActivate);
    SetGroupColours(0);
}

TForm11::~TForm11()
{
    if (Form11 == this)
        Form11 = nullptr;
}

void TForm11::SetGroupColours(int luminosity)
{
    for (std::size_t i = 0; i < GroupPanels.size(); ++i) {
        const GroupColours colours = GroupColour(static_cast<int>(i) + 1, luminosity, false);
        QPalette p = GroupPanels[i]->palette();
        p.setColor(QPalette::Window, FromWinColor(colours.screenBrush));
        p.setColor(QPalette::WindowText, FromWinColor(colours.text));
        GroupPanels[i]->setPalette(p);
    }
}

void TForm11::FormActivate()
{
    setWindowTitle(M(410));
    GroupCuts->setTitle(M(411));
    for (std::size_t i = 0; i < CutPanels.size(); ++i)
        CutPanels[i]->setText(M(412 + static_cast<long>(i)));
    GroupBox1->setTitle(M(416));
    for (std::size_t i = 0; i < GroupPanels.size(); ++i)
        GroupPanels[i]->setText(M(417) + QStringLiteral(" %1").arg(i + 1));
    GroupLeftovers->setTitle(M(422));
    Panel41->setText(M(386));
    Panel42->setText(M(418));
    GroupExtra->setTitle(M(419));
    Label1->setText(M(420));
    Button1->setText(M(421));
}

void TForm11::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // A piece with a marked edge, as the drawing shows it: group 1 and the red mark.
    const QRect label = Label1->geometry();
    const QRect piece(label.left() - 64, label.top() + 2, 56, label.height() - 4);
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(FromWinColor(GroupColour(1, 0, false).screenBrush));
    p.drawRect(piece);
    p.setPen(QPen(FromWinColor(kRed), 2));
    p.drawLine(piece.left() + 2, piece.top() + 2, piece.right() - 2, piece.top() + 2);
    p.drawLine(piece.left() + 2, piece.bottom() - 2, piece.right() - 2, piece.bottom() - 2);
}

TForm11* CreateForm11()
{
    if (!Form11)
        Form11 = new TForm11;
    return Form11;
}

}  // namespace vor
