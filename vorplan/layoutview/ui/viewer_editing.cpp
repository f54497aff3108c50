// The viewer's editing controls: the click on the layout, the "Peças" and
// "Chapas" buttons with their panels, the move preview and the animation
// that pulls the layout apart. The rules live in layout_editing.
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace vor {

using platform::FromQString;
using platform::ToQString;

namespace {

QLineEdit* PanelEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(12);
    edit->setMinimumWidth(90);
    return edit;
}

QPushButton* PanelButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void Tvisualiz::BuildEditing()
{
    auto* pieceForm = new QFormLayout(Panel59);
    EditWidth = PanelEdit(Panel59, "EditWidth");
    EditHeight = PanelEdit(Panel59, "EditHeight");
    EditCode = PanelEdit(Panel59, "EditCode");
    pieceForm->addRow(QStringLiteral("Largura"), EditWidth);
    pieceForm->addRow(QStringLiteral("Altura"), EditHeight);
    pieceForm->addRow(QStringLiteral("Código"), EditCode);
    auto* pieceButtons = new QHBoxLayout;
    Panel59Ok = PanelButton(Panel59, "Panel59Ok", QStringLiteral("Ok"));
    Panel59Cancel = PanelButton(Panel59, "Panel59Cancel", QStringLiteral("Cancela"));
    pieceButtons->addWidget(Panel59Ok);
    pieceButtons->addWidget(Panel59Cancel);
    pieceForm->addRow(pieceButtons);

    // The texts stand inside the panels, so that they size to them; the
    // panels float over the drawing and hide it.
    for (QWidget* panel : {Panel59, Panel60}) {
        if (auto* box = qobject_cast<QGroupBox*>(panel))
            box->setTitle(QString());
        panel->setAutoFillBackground(true);
    }
    auto* repeatLayout = new QVBoxLayout(Panel60);
    repeatLayout->addWidget(new QLabel(QStringLiteral("Repetições desta montagem"), Panel60));
    auto* range = new QLabel(QStringLiteral("( 0 - 2000 )"), Panel60);
    range->setAlignment(Qt::AlignCenter);
    repeatLayout->addWidget(range);
    Edit6 = PanelEdit(Panel60, "Edit6");
    repeatLayout->addWidget(Edit6);
    auto* repeatButtons = new QHBoxLayout;
    Panel60Ok = PanelButton(Panel60, "Panel60Ok", QStringLiteral("Ok"));
    Panel60Cancel = PanelButton(Panel60, "Panel60Cancel", QStringLiteral("Cancela"));
    repeatButtons->addWidget(Panel60Ok);
    repeatButtons->addWidget(Panel60Cancel);
    repeatLayout->addLayout(repeatButtons);

    // The glyph said "turn"; this button takes the piece out.
    BitBtn10->setText(QStringLiteral("\u2715"));

    PullApartTimer = new QTimer(this);
    PullApartTimer->setInterval(25);
    connect(PullApartTimer, &QTimer::timeout, this, [this] {
        ApplyEdit(PullApartTick(m_state, m_editing));
        const PullApart now = m_editing.pullApart;
        if (now == PullApart::Together || now == PullApart::Separated)
            PullApartTimer->stop();
    });

    PaintBox1->overlay = [this](QPainter& painter) { DrawPreview(painter); };

    connect(BitBtn10, &QPushButton::clicked, this,
            [this] { ApplyEdit(RemovePiece(m_state, m_editing, gShared.settings.showDecimals)); });
    connect(BitBtn11, &QPushButton::clicked, this, &Tvisualiz::RotateSelected);
    connect(ButtonTurn, &QPushButton::clicked, this, [this] {
        PiecePanel panel;
        const EditOutcome out = OpenResizePanel(m_state, panel, gShared.settings.showDecimals);
        if (out.message || out.beep)
            ApplyEdit(out);
        else
            OpenPiecePanel(panel);
    });
    connect(ButtonNew, &QPushButton::clicked, this, [this] { OpenPiecePanel(NewPiecePanel(m_editing)); });
    connect(ButtonDivide, &QPushButton::clicked, this,
            [this] { ApplyEdit(HalveLeftover(m_state, Inputs().material)); });
    connect(ButtonRepeat, &QPushButton::clicked, this, [this] {
        if (m_state.elements.empty())
            return;
        Panel59->hide();
        Edit6->setText(QString::number(m_state.sheetRepetitions));
        Panel60->adjustSize();
        Panel60->show();
        Panel60->raise();
        Edit6->setFocus();
        Edit6->selectAll();
    });

    auto acceptPiece = [this] {
        m_piecePanel.values = {FromQString(EditWidth->text()), FromQString(EditHeight->text()),
                               FromQString(EditCode->text())};
        ApplyEdit(AcceptPiecePanel(m_state, m_piecePanel, m_view.fitted));
    };
    connect(Panel59Ok, &QPushButton::clicked, this, acceptPiece);
    for (QLineEdit* edit : {EditWidth, EditHeight, EditCode})
        connect(edit, &QLineEdit::returnPressed, this, acceptPiece);
    connect(Panel59Cancel, &QPushButton::clicked, this, [this] {
        Panel59->hide();
        RedrawView();
    });
    auto acceptRepeat = [this] {
        ApplyEdit(SetRepetitions(m_state, FromQString(Edit6->text())));
        RefreshPanels();
    };
    connect(Panel60Ok, &QPushButton::clicked, this, acceptRepeat);
    connect(Edit6, &QLineEdit::returnPressed, this, acceptRepeat);
    connect(Panel60Cancel, &QPushButton::clicked, Panel60, &QWidget::hide);

    connect(ButtonSeparate, &QPushButton::clicked, this, [this] {
        if (m_view.overviewMode || m_state.elements.empty())
            return;
        ApplyEdit(StartSeparate(m_editing));
        PullApartTimer->start();
    });
    connect(ButtonJoin, &QPushButton::clicked, this, [this] {
        ApplyEdit(StartJoin(m_editing));
        PullApartTimer->start();
    });
    UpdateEditButtons();
}

void Tvisualiz::EditClick(int px, int py)
{
    const double x = FileX(m_view, m_state, px);
    const double y = FileY(m_view, m_state, py);
    const ViewerHits hits = HitTest(m_state, x, y);
    if (!m_editing.Separated())
        m_selectedLowerHalf = hits.lowerHalf;
    const LayoutInputs inputs = Inputs();
    ApplyEdit(ClickLayout(m_state, m_editing, inputs.material, inputs.options, hits, x, y,
                          CheckAutoCentre->isChecked(), m_view.fitted));
}

void Tvisualiz::RotateSelected() { ApplyEdit(RotatePiece(m_state)); }

void Tvisualiz::ResetNewPieceValues() { vor::ResetNewPieceValues(m_editing); }

void Tvisualiz::ApplyEdit(const EditOutcome& outcome)
{
    if (outcome.hidePanel) {
        Panel59->hide();
        Panel60->hide();
    }
    if (outcome.message)
        platform::ShowMessage(Msg(outcome.message));
    if (outcome.beep)
        Beep();
    if (outcome.fit == FitKind::View) {
        FitView(m_view, m_state);
    } else if (outcome.fit == FitKind::Layout) {
        FitLayout(m_view.transform, LayoutExtent(m_state));
        SetPanLimits(m_view, m_state.sheetLength, m_state.sheetHeight);
    }
    if (outcome.redraw)
        RedrawView();
    if (outcome.rewrite && m_state.layoutModified) {
        if (auto message = RewriteLayoutFile(m_state))
            platform::ShowMessage(*message);
    }
    UpdateEditButtons();
}

void Tvisualiz::UpdateEditButtons()
{
    const EditButtons b = EditButtonStates(m_state, m_editing);
    BitBtn10->setEnabled(b.remove);
    BitBtn11->setEnabled(b.rotate);
    ButtonTurn->setEnabled(b.resize);
    ButtonDivide->setEnabled(b.divide);
    ButtonSeparate->setEnabled(b.separate);
    ButtonJoin->setEnabled(b.join);
    ButtonRouting->setEnabled(b.routing);
    if (m_previewPiece != m_state.selectedPiece) {
        // A new selection forgets the old preview point.
        m_previewShown = false;
        m_previewPiece = m_state.selectedPiece;
        PaintBox1->update();
    }
}

void Tvisualiz::OpenPiecePanel(const PiecePanel& panel)
{
    m_piecePanel = panel;
    EditWidth->setText(ToQString(panel.values.width));
    EditHeight->setText(ToQString(panel.values.height));
    EditCode->setText(ToQString(panel.values.code));
    EditCode->setEnabled(panel.codeEnabled);
    Panel60->hide();
    Panel59->adjustSize();
    Panel59->show();
    Panel59->raise();
    EditWidth->setFocus();
    EditWidth->selectAll();
}

void Tvisualiz::ResetEditing()
{
    if (PullApartTimer)
        PullApartTimer->stop();
    ResetPullApart(m_state, m_editing);
    Panel59->hide();
    Panel60->hide();
    m_previewShown = false;
}

void Tvisualiz::TrackPreview(int px, int py)
{
    if (m_state.selectedPiece <= 0)
        return;
    m_previewShown = true;
    m_previewPoint = {px, py};
    m_previewPiece = m_state.selectedPiece;
    PaintBox1->update();
}

void Tvisualiz::DrawPreview(QPainter& painter)
{
    const long selected = m_state.selectedPiece;
    if (!m_previewShown || selected < 1 || selected > m_state.ElementCount() ||
        m_view.overviewMode)
        return;
    const ViewerElement& piece = m_state.Element(selected);
    PainterCanvas canvas(painter);
    DrawContext context = Context(canvas);
    DrawMovePreview(context, FromScreenX(m_view.transform, m_previewPoint.x()),
                    FromScreenY(m_view.transform, m_previewPoint.y()), piece.length, piece.height);
}

}  // namespace vor
