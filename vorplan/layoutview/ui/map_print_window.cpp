#include "vorplan/layoutview/ui/map_print_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/print_jobs.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"

namespace vor {

TForm16* Form16 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

QString Q(const std::string& text)
{
    return ToQString(text);
}

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* ColourSample(QWidget* parent, const char* name, const QString& text)
{
    auto* sample = Named(new QLabel(text, parent), name);
    sample->setFrameShape(QFrame::Panel);
    sample->setFrameShadow(QFrame::Sunken);
    sample->setAlignment(Qt::AlignCenter);
    sample->setAutoFillBackground(true);
    sample->setMinimumSize(44, 22);
    sample->setCursor(Qt::PointingHandCursor);
    return sample;
}

void Paint(QLabel* sample, int colour)
{
    QPalette palette = sample->palette();
    const QColor c = FromWinColor(static_cast<WinColor>(colour));
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::WindowText, c.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black));
    sample->setPalette(palette);
    sample->setProperty("winColour", colour);
}

int SampleColour(const QLabel* sample)
{
    return sample->property("winColour").toInt();
}

}  // namespace

TForm16::TForm16(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    BuildControls();
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm16::FormActivate);
}

TForm16::~TForm16()
{
    if (Form16 == this)
        Form16 = nullptr;
}

void TForm16::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    auto label = [&](std::size_t i, const char* name) {
        m_labels[i] = Named(new QLabel(this), name);
        return m_labels[i];
    };
    auto edit = [&](const char* name, int width) {
        auto* e = Named(new QLineEdit(this), name);
        e->setFixedWidth(width);
        return e;
    };

    // The texts.
    auto* texts = new QGridLayout;
    Edit4 = Named(new QLineEdit(this), "Edit4");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit6 = edit("Edit6", 50);
    texts->addWidget(label(0, "Label1"), 0, 0, 1, 3);
    texts->addWidget(Edit4, 1, 0, 1, 3);
    texts->addWidget(label(1, "Label2"), 2, 0, 1, 3);
    texts->addWidget(Edit2, 3, 0, 1, 3);
    texts->addWidget(label(2, "Label3"), 4, 0);
    texts->addWidget(Edit6, 4, 1);
    texts->setColumnStretch(2, 1);
    outer->addLayout(texts);

    auto* middle = new QHBoxLayout;
    // The layout of the sheet: maps per sheet, list and drawing size.
    auto* left = new QVBoxLayout;
    GroupSheets = Named(new QGroupBox(this), "GroupBox1");
    auto* sheets = new QHBoxLayout(GroupSheets);
    RadioButton10 = Named(new QRadioButton(QStringLiteral("1"), GroupSheets), "RadioButton10");
    RadioButton14 = Named(new QRadioButton(QStringLiteral("2 "), GroupSheets), "RadioButton14");
    RadioButton15 = Named(new QRadioButton(QStringLiteral("4"), GroupSheets), "RadioButton15");
    sheets->addWidget(RadioButton10);
    sheets->addWidget(RadioButton14);
    sheets->addWidget(RadioButton15);
    left->addWidget(GroupSheets);
    CheckBox2 = Named(new QCheckBox(this), "CheckBox2");
    left->addWidget(CheckBox2);
    GroupSize = Named(new QGroupBox(this), "GroupBox2");
    auto* size = new QHBoxLayout(GroupSize);
    RadioButton5 = Named(new QRadioButton(GroupSize), "RadioButton5");
    RadioButton9 = Named(new QRadioButton(GroupSize), "RadioButton9");
    size->addWidget(RadioButton5);
    size->addWidget(RadioButton9);
    left->addWidget(GroupSize);
    CheckBox1 = Named(new QCheckBox(this), "CheckBox1");
    CheckBox3 = Named(new QCheckBox(this), "CheckBox3");
    CheckBox4 = Named(new QCheckBox(this), "CheckBox4");
    CheckBox5 = Named(new QCheckBox(this), "CheckBox5");
    for (QCheckBox* box : {CheckBox1, CheckBox3, CheckBox4, CheckBox5})
        left->addWidget(box);
    auto* extra = new QHBoxLayout;
    ButtonExtra = Named(new QPushButton(QStringLiteral("..."), this), "Button5");
    ButtonExtra->setFixedWidth(40);
    extra->addWidget(ButtonExtra);
    extra->addWidget(label(3, "Label4"), 1);
    left->addLayout(extra);
    left->addStretch(1);
    middle->addLayout(left);

    // The colours.
    auto* colours = new QVBoxLayout;
    auto* samples = new QGridLayout;
    const char* sampleNames[] = {"Panel6", "Panel1", "Panel2", "Panel3", "Panel4", "Panel5"};
    for (std::size_t i = 0; i < Samples.size(); ++i) {
        Samples[i] = ColourSample(this, sampleNames[i], i == 0 ? QStringLiteral("abc") : QString());
        Samples[i]->installEventFilter(this);
        SampleLabels[i] = label(4 + i, "LabelSample");
        SampleLabels[i]->setObjectName(QStringLiteral("LabelSample%1").arg(i));
        samples->addWidget(Samples[i], static_cast<int>(i), 0);
        samples->addWidget(SampleLabels[i], static_cast<int>(i), 1);
    }
    samples->setColumnStretch(1, 1);
    colours->addLayout(samples);
    auto* models = new QHBoxLayout;
    Button2 = Named(new QPushButton(this), "Button2");
    Button3 = Named(new QPushButton(this), "Button3");
    Button4 = Named(new QPushButton(this), "Button4");
    models->addWidget(Button2);
    models->addWidget(Button3);
    models->addWidget(Button4);
    colours->addLayout(models);
    GroupFill = Named(new QGroupBox(this), "GroupBox3");
    auto* fill = new QHBoxLayout(GroupFill);
    RadioButton1 = Named(new QRadioButton(GroupFill), "RadioButton1");
    RadioButton2 = Named(new QRadioButton(GroupFill), "RadioButton2");
    fill->addWidget(RadioButton1);
    fill->addWidget(RadioButton2);
    colours->addWidget(GroupFill);
    GroupIntensity = Named(new QGroupBox(this), "GroupBox4");
    auto* intensity = new QHBoxLayout(GroupIntensity);
    RadioButton3 = Named(new QRadioButton(GroupIntensity), "RadioButton3");
    RadioButton4 = Named(new QRadioButton(GroupIntensity), "RadioButton4");
    intensity->addWidget(RadioButton3);
    intensity->addWidget(RadioButton4);
    colours->addWidget(GroupIntensity);
    colours->addStretch(1);
    middle->addLayout(colours);

    // The geometry.
    auto* geometry = new QGridLayout;
    Edit3 = edit("Edit3", 50);
    Edit7 = edit("Edit7", 50);
    Edit1 = edit("Edit1", 50);
    Edit5 = edit("Edit5", 50);
    Edit5->setMaxLength(6);
    QLineEdit* geometryEdits[] = {Edit3, Edit7, Edit1, Edit5};
    for (int row = 0; row < 4; ++row) {
        geometry->addWidget(label(10 + static_cast<std::size_t>(row) * 2, "LabelGeometry"), row * 2, 0, 1, 2);
        geometry->addWidget(geometryEdits[row], row * 2 + 1, 0);
        geometry->addWidget(label(11 + static_cast<std::size_t>(row) * 2, "LabelRange"), row * 2 + 1, 1);
    }
    geometry->setRowStretch(8, 1);
    middle->addLayout(geometry);
    outer->addLayout(middle);

    // The extra headers, shown by "...".
    Panel7 = Named(new QFrame(this), "Panel7");
    Panel7->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QGridLayout(Panel7);
    Edit8 = Named(new QLineEdit(Panel7), "Edit8");
    Edit8->setFixedWidth(50);
    Panel8 = ColourSample(Panel7, "Panel8", QString());
    Panel8->setFixedWidth(44);
    Panel8->installEventFilter(this);
    panel->addWidget(label(18, "LabelFontSize"), 0, 0);
    panel->addWidget(Edit8, 0, 1);
    auto* colourLabel = Named(new QLabel(Panel7), "LabelFontColour");
    panel->addWidget(colourLabel, 0, 2);
    panel->addWidget(Panel8, 0, 3);
    auto* headersLabel = Named(new QLabel(Panel7), "LabelHeaders");
    panel->addWidget(headersLabel, 1, 0, 1, 4);
    const char* extraNames[] = {"Edit9", "Edit10", "Edit11", "Edit12", "Edit13"};
    for (std::size_t i = 0; i < ExtraEdits.size(); ++i) {
        ExtraEdits[i] = Named(new QLineEdit(Panel7), extraNames[i]);
        panel->addWidget(ExtraEdits[i], 2 + static_cast<int>(i), 0, 1, 4);
    }
    ButtonExtraOk = Named(new QPushButton(QStringLiteral("Ok"), Panel7), "Button6");
    panel->addWidget(ButtonExtraOk, 7, 3);
    outer->addWidget(Panel7);

    auto* buttons = new QHBoxLayout;
    Button12 = Named(new QPushButton(this), "Button12");
    Button1 = Named(new QPushButton(QStringLiteral("Ok"), this), "Button1");
    buttons->addWidget(Button12);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button12, ButtonExtra, ButtonExtraOk})
        b->setAutoDefault(false);

    for (QRadioButton* r : {RadioButton10, RadioButton14, RadioButton15})
        connect(r, &QRadioButton::clicked, this, &TForm16::UpdateEnabling);
    connect(RadioButton1, &QRadioButton::toggled, this, &TForm16::UpdateEnabling);
    connect(Edit5, &QLineEdit::editingFinished, this, &TForm16::Edit5Exit);
    connect(Button2, &QPushButton::clicked, this, [this] { ApplyColourModel(MapColourModel::BlackAndWhite); });
    connect(Button3, &QPushButton::clicked, this, [this] { ApplyColourModel(MapColourModel::Colour1); });
    connect(Button4, &QPushButton::clicked, this, [this] { ApplyColourModel(MapColourModel::Colour2); });
    connect(ButtonExtra, &QPushButton::clicked, this, [this] { Panel7->show(); });
    connect(ButtonExtraOk, &QPushButton::clicked, this, [this] { Panel7->hide(); });
    connect(Button12, &QPushButton::clicked, this, [] { platform::PrintService().PrintSetup(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm16::SetCaptions()
{
    const bool pcb = gShared.settings.pcbOption;
    setWindowTitle(Q(Msg(104)));
    m_labels[0]->setText(Q(Msg(105)));
    m_labels[1]->setText(Q(Msg(106)));
    m_labels[2]->setText(Q(Msg(107)));
    GroupSheets->setTitle(Q(Msg(108)));
    CheckBox2->setText(Q(pcb ? Msg(110) : Msg(109)));
    GroupSize->setTitle(Q(Msg(111)));
    RadioButton5->setText(Q(Msg(112)));
    RadioButton9->setText(Q(Msg(113)));
    CheckBox1->setText(Q(Msg(135)));
    CheckBox3->setText(Q(Msg(117)));
    CheckBox4->setText(Q(Msg(136)));
    CheckBox5->setText(Q(Msg(137)));
    m_labels[3]->setText(Q(Msg(983)));
    // The text sample reads "abc" itself; the others are named beside.
    const std::string sampleNames[] = {std::string(), Msg(114), Msg(115), Msg(116), Msg(117), Msg(118)};
    for (std::size_t i = 0; i < SampleLabels.size(); ++i)
        SampleLabels[i]->setText(Q(sampleNames[i]));
    SampleLabels[0]->setText(QStringLiteral(" "));
    Button2->setText(Q(Msg(119)));
    Button3->setText(Q(Msg(120)));
    Button4->setText(Q(Msg(121)));
    GroupFill->setTitle(Q(Msg(122)));
    RadioButton1->setText(Q(Msg(123)));
    RadioButton2->setText(Q(Msg(124)));
    GroupIntensity->setTitle(Q(Msg(125)));
    RadioButton3->setText(Q(Msg(126)));
    RadioButton4->setText(Q(Msg(127)));
    m_labels[10]->setText(Q(Msg(128)));
    m_labels[11]->setText(Q(Msg(129)));
    m_labels[12]->setText(Q(Msg(130)));
    m_labels[13]->setText(Q(Msg(129)));
    m_labels[14]->setText(Q(Msg(131)));
    m_labels[15]->setText(Q(Msg(132)));
    m_labels[16]->setText(Q(Msg(133)));
    m_labels[17]->setText(Q(Msg(134)));
    m_labels[18]->setText(Q(Msg(984) + " ( 7 .. 20 )"));
    Panel7->findChild<QLabel*>(QStringLiteral("LabelFontColour"))->setText(Q(Msg(985)));
    Panel7->findChild<QLabel*>(QStringLiteral("LabelHeaders"))->setText(Q(Msg(983)));
    Button12->setText(Q(Msg(138)));
}

void TForm16::FormActivate()
{
    Panel7->hide();
    SetCaptions();
    const MapPrintSettings& s = options.stored;
    Edit4->setText(Q(s.headerText));
    Edit2->setText(Q(s.footerText));
    Edit6->setText(Q(s.footerFontSize));
    RadioButton10->setChecked(options.mapsPerSheet != 2 && options.mapsPerSheet != 4);
    RadioButton14->setChecked(options.mapsPerSheet == 2);
    RadioButton15->setChecked(options.mapsPerSheet == 4);
    CheckBox2->setChecked(options.pieceList);
    RadioButton5->setChecked(!options.largeDrawing);
    RadioButton9->setChecked(options.largeDrawing);
    RadioButton1->setChecked(!s.colouredFill);
    RadioButton2->setChecked(s.colouredFill);
    RadioButton3->setChecked(s.strongColours);
    RadioButton4->setChecked(!s.strongColours);
    Edit3->setText(Q(s.leftMargin));
    Edit7->setText(Q(s.topMargin));
    Edit1->setText(Q(s.penWidth));
    Edit5->setText(Q(gShared.settings.viewerFactor));
    CheckBox1->setChecked(s.printSheetMargins);
    CheckBox3->setChecked(options.initialCuts);
    CheckBox4->setChecked(options.pageOutline);
    CheckBox5->setChecked(s.listAllPieces);
    Edit8->setText(Q(s.extraHeaderFontSize));
    for (std::size_t i = 0; i < ExtraEdits.size(); ++i)
        ExtraEdits[i]->setText(Q(s.extraHeaders[i]));
    const MapPrintColours colours = PrintColoursOf(s);
    for (std::size_t i = 0; i < Samples.size(); ++i)
        Paint(Samples[i], colours[i]);
    Paint(Panel8, s.extraHeaderColour);
    UpdateEnabling();
}

void TForm16::UpdateEnabling()
{
    const int perSheet = RadioButton15->isChecked() ? 4 : (RadioButton14->isChecked() ? 2 : 1);
    const MapPrintEnabling e =
        MapPrintControlsEnabled(perSheet, gShared.settings.pcbOption, RadioButton2->isChecked());
    RadioButton14->setEnabled(e.twoPerSheet);
    RadioButton15->setEnabled(e.fourPerSheet);
    RadioButton5->setEnabled(e.normal);
    RadioButton9->setEnabled(e.large);
    CheckBox1->setEnabled(e.sheetMargins);
    CheckBox2->setEnabled(e.pieceList);
    GroupIntensity->setEnabled(e.intensity);
}

void TForm16::Edit5Exit()
{
    const std::string text = VerticalFactorText(FromQString(Edit5->text()));
    Edit5->setText(Q(text));
    gShared.settings.viewerFactor = text;
}

void TForm16::ApplyColourModel(MapColourModel model)
{
    const MapPrintColours colours = ColourModel(model);
    for (std::size_t i = 0; i < Samples.size(); ++i)
        Paint(Samples[i], colours[i]);
}

void TForm16::ChooseColour(int sample)
{
    QLabel* target = sample >= 0 && sample < 6 ? Samples[static_cast<std::size_t>(sample)] : Panel8;
    QColorDialog dialog(FromWinColor(static_cast<WinColor>(SampleColour(target))), this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    Paint(target, static_cast<int>(RgbColor(chosen.red(), chosen.green(), chosen.blue())));
}

bool TForm16::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (std::size_t i = 0; i < Samples.size(); ++i)
            if (watched == Samples[i]) {
                ChooseColour(static_cast<int>(i));
                return true;
            }
        if (watched == Panel8) {
            ChooseColour(6);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm16::FormClose()
{
    // Closing with the focus still in the factor's box stores it as leaving it would.
    Edit5Exit();
    MapPrintSettings& s = options.stored;
    s.headerText = FromQString(Edit4->text());
    s.footerText = FromQString(Edit2->text());
    s.footerFontSize = FromQString(Edit6->text());
    options.mapsPerSheet = RadioButton15->isChecked() ? 4 : (RadioButton14->isChecked() ? 2 : 1);
    options.pieceList = CheckBox2->isChecked();
    options.largeDrawing = RadioButton9->isChecked();
    s.colouredFill = RadioButton2->isChecked();
    s.strongColours = RadioButton3->isChecked();
    s.leftMargin = FromQString(Edit3->text());
    s.topMargin = FromQString(Edit7->text());
    s.penWidth = FromQString(Edit1->text());
    s.printSheetMargins = CheckBox1->isChecked();
    options.initialCuts = CheckBox3->isChecked();
    options.pageOutline = CheckBox4->isChecked();
    s.listAllPieces = CheckBox5->isChecked();
    s.extraHeaderFontSize = FromQString(Edit8->text());
    for (std::size_t i = 0; i < ExtraEdits.size(); ++i)
        s.extraHeaders[i] = FromQString(ExtraEdits[i]->text());
    MapPrintColours colours{};
    for (std::size_t i = 0; i < Samples.size(); ++i)
        colours[i] = SampleColour(Samples[i]);
    SetPrintColours(s, colours);
    s.extraHeaderColour = SampleColour(Panel8);
}

void TForm16::done(int result)
{
    FormClose();
    QDialog::done(result);
}

TForm16* CreateForm16()
{
    if (!Form16)
        Form16 = new TForm16;
    return Form16;
}

MapPrintOptions& CurrentMapPrintOptions()
{
    static MapPrintOptions withoutWindow;
    return Form16 ? Form16->options : withoutWindow;
}

}  // namespace vor
