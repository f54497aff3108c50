#include "vorplan/results/ui/label_format_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <exception>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/results/label_printing.h"
#include "vorplan/shell/main_window_hooks.h"

namespace vor {

TForm13* Form13 = nullptr;

namespace {

using platform::FromQString;
using platform::ToQString;

// The sheet of labels as a picture beside the boxes.
class LabelPagePicture final : public QWidget {
public:
    explicit LabelPagePicture(QWidget* parent) : QWidget(parent) { setMinimumSize(150, 190); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DrawLabelPagePreview(painter, size());
    }
};

// A template box takes at most ten lines, typed or pasted.
void LimitLines(QPlainTextEdit* box)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        if (box->document()->blockCount() <= kLabelTextLines)
            return;
        const QTextBlock last = box->document()->findBlockByNumber(kLabelTextLines - 1);
        QTextCursor cursor(box->document());
        cursor.setPosition(last.position() + last.length() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

std::vector<std::string> LinesOf(const QPlainTextEdit* box)
{
    std::vector<std::string> lines;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        lines.push_back(FromQString(b.text()));
    return lines;
}

QString JoinLines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << ToQString(line);
    return list.join(QLatin1Char('\n'));
}

}  // namespace

TForm13::TForm13(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(PageControl1);
    auto label = [&](std::size_t i, QWidget* owner) {
        m_labels[i] = new QLabel(owner);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        return m_labels[i];
    };
    auto edit = [](QWidget* owner, const QString& name) {
        auto* e = new QLineEdit(owner);
        e->setObjectName(name);
        e->setFixedWidth(60);
        return e;
    };

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* dimensions = new QHBoxLayout(TabSheet1);
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < GeometryEdits.size(); ++i) {
        GeometryEdits[i] = edit(TabSheet1, QStringLiteral("Edit%1").arg(i + 1));
        grid->addWidget(label(i, TabSheet1), static_cast<int>(i), 0);
        grid->addWidget(GeometryEdits[i], static_cast<int>(i), 1);
    }
    grid->setRowStretch(static_cast<int>(GeometryEdits.size()), 1);
    dimensions->addLayout(grid);
    PaintBox1 = new LabelPagePicture(TabSheet1);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    dimensions->addWidget(PaintBox1, 1);
    PageControl1->addTab(TabSheet1, QString());

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* design = new QGridLayout(TabSheet2);
    memo1 = new QPlainTextEdit(TabSheet2);
    memo1->setObjectName(QStringLiteral("memo1"));
    Memo4 = new QPlainTextEdit(TabSheet2);
    Memo4->setObjectName(QStringLiteral("Memo4"));
    for (QPlainTextEdit* box : {memo1, Memo4}) {
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setMinimumSize(260, 170);
        LimitLines(box);
    }
    design->addWidget(label(8, TabSheet2), 0, 0);
    design->addWidget(memo1, 1, 0);
    design->addWidget(label(9, TabSheet2), 2, 0);
    design->addWidget(Memo4, 3, 0);
    auto* side = new QGridLayout;
    Edit9 = edit(TabSheet2, QStringLiteral("Edit9"));
    Edit10 = edit(TabSheet2, QStringLiteral("Edit10"));
    Edit11 = edit(TabSheet2, QStringLiteral("Edit11"));
    side->addWidget(label(10, TabSheet2), 0, 0);
    side->addWidget(Edit9, 0, 1);
    side->addWidget(label(11, TabSheet2), 1, 0, 1, 2);
    side->addWidget(label(12, TabSheet2), 2, 0);
    side->addWidget(Edit10, 2, 1);
    side->addWidget(label(13, TabSheet2), 3, 0);
    side->addWidget(Edit11, 3, 1);
    ListBox1 = new QListWidget(TabSheet2);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumWidth(300);
    side->addWidget(ListBox1, 4, 0, 1, 2);
    design->addLayout(side, 0, 1, 4, 1);
    PageControl1->addTab(TabSheet2, QString());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = MakeButton(this, "Button1", QStringLiteral("Ok"));
    buttons->addWidget(Button1);
    outer->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    PageControl1->setCurrentIndex(0);
}

TForm13::~TForm13()
{
    if (Form13 == this)
        Form13 = nullptr;
}

void TForm13::SetCaptions()
{
    setWindowTitle(ToQString(Msg(620)));
    PageControl1->setTabText(0, ToQString(Msg(621)));
    PageControl1->setTabText(1, ToQString(Msg(622)));
    const long geometry[] = {623, 624, 626, 627, 628, 629, 630, 633};
    for (std::size_t i = 0; i < GeometryEdits.size(); ++i)
        m_labels[i]->setText(ToQString(Msg(geometry[i])));
    m_labels[1]->setText(ToQString(Msg(624) + Msg(625)));
    m_labels[8]->setText(ToQString(Msg(637)));
    m_labels[9]->setText(ToQString(Msg(639)));
    m_labels[10]->setText(ToQString(Msg(644)));
    m_labels[11]->setText(ToQString(Msg(645)));
    m_labels[12]->setText(ToQString(Msg(142)));
    m_labels[13]->setText(ToQString(Msg(143)));
    ListBox1->clear();
    for (const long slot : {651L, 652L, 657L, 658L, 661L, 662L, 663L, 664L, 665L, 670L, 711L, 712L, 713L,
                            716L, 721L, 727L})
        ListBox1->addItem(ToQString(Msg(slot)));
}

void TForm13::FormActivate()
{
    SetCaptions();
    const LabelPageSettings& p = gShared.settings.labels;
    const int values[] = {p.columns, p.rows, p.sideMargin, p.topMargin, p.horizontalDistance,
                          p.verticalDistance, p.labelWidth, p.labelHeight};
    for (std::size_t i = 0; i < GeometryEdits.size(); ++i)
        GeometryEdits[i]->setText(QString::number(values[i]));
    Edit9->setText(QString::number(p.fontSize));
    Edit10->setText(QString::number(p.pictureWidth));
    Edit11->setText(QString::number(p.pictureHeight));
    std::vector<std::string> pieces = PieceLabelTemplate(p);
    while (!pieces.empty() && pieces.back().empty())
        pieces.pop_back();
    memo1->setPlainText(JoinLines(pieces));
    Memo4->setPlainText(JoinLines(ReadOffcutLabelTemplate(gShared.folders)));
}

void TForm13::StoreLabelFormat()
{
    if (m_storing)
        return;  // the message box below must not set it off again
    m_storing = true;
    LabelPageSettings& p = gShared.settings.labels;
    int* targets[] = {&p.columns, &p.rows, &p.sideMargin, &p.topMargin, &p.horizontalDistance,
                      &p.verticalDistance, &p.labelWidth, &p.labelHeight};
    for (std::size_t i = 0; i < GeometryEdits.size(); ++i)
        *targets[i] = LabelNumber(FromQString(GeometryEdits[i]->text()));
    p.fontSize = LabelNumber(FromQString(Edit9->text()));
    p.pictureWidth = LabelNumber(FromQString(Edit10->text()));
    p.pictureHeight = LabelNumber(FromQString(Edit11->text()));
    const std::vector<std::string> pieces = LinesOf(memo1);
    for (long i = 1; i <= kLabelTextLines; ++i)
        p.lines[i] = static_cast<std::size_t>(i) <= pieces.size() ? pieces[static_cast<std::size_t>(i - 1)] : "";
    if (const int error = CheckLabelFormat(p))
        platform::ShowMessage(LabelFormatErrorText(error));
    try {
        WriteOffcutLabelTemplate(gShared.folders, LinesOf(Memo4));
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    m_storing = false;
}

void TForm13::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        MainWindowCalls().ShowHelpText();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm13::done(int result)
{
    StoreLabelFormat();
    QDialog::done(result);
}

TForm13* CreateForm13()
{
    if (!Form13)
        Form13 = new TForm13;
    return Form13;
}

}  // namespace vor
