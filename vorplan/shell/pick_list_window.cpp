#include "vorplan/shell/pick_list_window.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/message_text.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/record_list.h"

namespace vor {

TForm7* Form7 = nullptr;

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMemoTop = 6;
constexpr int kGap = 6;

std::vector<std::string> ComboItems(const QComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.count(); ++i)
        items.push_back(platform::FromQString(combo.itemText(i)));
    return items;
}

}  // namespace

TForm7::TForm7(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();

    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TForm7::ComboBox1Change);
    connect(ComboBox1, &QComboBox::activated, this, &TForm7::ComboBox1Select);
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TForm7::ComboBox1TypeAhead);
    connect(ListBox1, &QListWidget::itemClicked, this, &TForm7::ListBox1Click);

    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm7::FormActivate);
}

TForm7::~TForm7()
{
    if (Form7 == this)
        Form7 = nullptr;
}

void TForm7::BuildControls()
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette aqua = Memo1->palette();
    aqua.setColor(QPalette::Base, QColor(0, 255, 255));
    aqua.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(aqua);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    // The list file keeps the entries; the box itself never adds one.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Type-ahead of our own: Qt's inline completion keeps the case the user
    // typed, which would put a second spelling of an entry into the file.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);

    ListBox1 = new QListWidget(this);
    ListBox1->setItemDelegate(new PickItemDelegate(ListBox1));

    Button1 = MakeButton(this, nullptr, QString(), QRect(0, 0, kButtonWidth, kButtonHeight));
    Button2 = MakeButton(this, nullptr, QString(), QRect(0, 0, kButtonWidth, kButtonHeight));
    Button1->setText(QStringLiteral("Ok"));

    setObjectName(QStringLiteral("Form7"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
}

void TForm7::SetRecordItems(const std::vector<std::string>& items)
{
    ListBox1->clear();
    for (const std::string& item : items)
        ListBox1->addItem(platform::ToQString(item));
}

void TForm7::FormActivate()
{
    // Once per opening: coming back to the window changes nothing, and an
    // activation the window system delivers after it was closed is no opening.
    if (m_open || !isVisible())
        return;
    m_open = true;
    // The window works with what the caller set at this moment; a later
    // change of the shared parameters does not reach an open window.
    m_parameters = gPickList.parameters;

    ComboBox1->setEditText(QString());
    m_typing = false;
    gPickList.results = OpeningResults();
    LayOut();
    PlaceOnScreen();
}

void TForm7::LayOut()
{
    const QFontMetrics metrics(font());
    std::array<int, 3> widths{};
    std::array<int, 3> heights{};
    for (std::size_t i = 0; i < 3; ++i) {
        widths[i] = metrics.horizontalAdvance(platform::ToQString(m_parameters.lines[i]));
        heights[i] = metrics.height();
    }
    const int width = PickListWidth(m_parameters.minWidth, widths);
    const int memoHeight = PickListMemoHeight(heights);
    const int mode = m_parameters.mode;

    setWindowTitle(platform::ToQString(m_parameters.title));
    Memo1->setGeometry(10, kMemoTop, width - 20, memoHeight);
    Memo1->clear();
    for (const std::string& line : m_parameters.lines) {
        if (!line.empty())
            Memo1->appendPlainText(platform::ToQString(line));
    }

    const int below = kMemoTop + memoHeight + kGap;
    const int listWidth = width - kButtonWidth - 40;
    const int buttonLeft = 10 + listWidth + 10;
    const int height = PickListHeight(mode, memoHeight, kButtonHeight);

    ComboBox1->setVisible(mode == kPickCombo);
    ListBox1->setVisible(mode == kPickRecords);
    Button1->setVisible(mode == kPickCombo || mode == kPickQuestion);
    Button2->setVisible(true);

    if (mode == kPickCombo) {
        Button1->setEnabled(false);
        Button2->setText(M(25));
        ComboBox1->setGeometry(10, below, listWidth, ComboBox1->sizeHint().height());
        Button2->move(buttonLeft, below);
        Button1->move(buttonLeft, below + kButtonHeight + kGap);
        // A file that cannot be read leaves the box empty, never with the
        // entries of the list shown before.
        ComboBox1->clear();
        ComboBox1->setEditText(QString());
        if (!m_parameters.listFile.empty())
            LoadListFile(*ComboBox1, m_parameters.listFile);
        ComboBox1->setFocus();
    } else if (mode == kPickQuestion) {
        Button1->setEnabled(true);
        Button1->setText(M(102));
        Button2->setText(M(103));
        const int left = (width - 2 * kButtonWidth - 10) / 2;
        Button1->move(left, below);
        Button2->move(left + kButtonWidth + 10, below);
        Button1->setFocus();
    } else if (mode == kPickRecords) {
        Button2->setText(M(25));
        ListBox1->setGeometry(10, below, listWidth, PickListRecordsHeight(height, memoHeight));
        Button2->move(buttonLeft, below);
        if (!m_parameters.listFile.empty()) {
            ListBox1->clear();
            LoadListFileWithMessage(*ListBox1, m_parameters.listFile);
        }
        ListBox1->setFocus();
    } else {
        Button2->setText(M(25));
        Button2->move((width - kButtonWidth) / 2, below);
    }
    if (mode != kPickQuestion)
        Button1->setText(QStringLiteral("Ok"));

    setFixedSize(width, height - kPickTitleBarHeight);
}

void TForm7::PlaceOnScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const MainWindowGeometry& g = gMainWindow.geometry;
    int left = available.center().x() - width() / 2;
    int top = available.center().y() - height() / 2;
    if (g.fullWidth > 0) {
        left = g.centreX - width() / 2;
        top = g.listTop;
    }
    move(PickListLeft(left, width(), available.x() + available.width()), top);
}

void TForm7::Button1Click()
{
    if (m_parameters.mode == kPickCombo) {
        if (!Button1->isEnabled())
            return;
        const QString text = ComboBox1->currentText();
        // Saved first: a failed write leaves the window open and nothing picked.
        if (!m_parameters.listFile.empty())
            SavePickListFile(m_parameters.listFile, platform::FromQString(text), ComboItems(*ComboBox1));
        gPickList.results = ComboResults(platform::FromQString(text));
    } else {
        gPickList.results = QuestionResults();
    }
    accept();
}

void TForm7::Button2Click()
{
    gPickList.results = CancelResults();
    reject();
}

void TForm7::ComboBox1Change()
{
    if (m_parameters.mode == kPickCombo)
        Button1->setEnabled(PickComboOkEnabled(platform::FromQString(ComboBox1->currentText())));
}

void TForm7::ComboBox1Select()
{
    ComboBox1Change();
}

void TForm7::ComboBox1TypeAhead(const QString& typed)
{
    // Only a character typed completes; deleting leaves what is left.
    if (!m_typing || typed.isEmpty())
        return;
    m_typing = false;
    QLineEdit* edit = ComboBox1->lineEdit();
    if (edit->cursorPosition() != typed.size())
        return;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        const QString item = ComboBox1->itemText(i);
        if (item.startsWith(typed, Qt::CaseInsensitive)) {
            edit->setText(item);
            edit->setSelection(static_cast<int>(typed.size()), static_cast<int>(item.size() - typed.size()));
            return;
        }
    }
}

void TForm7::ComboBox1KeyDown(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (Button1->isVisible() && Button1->isEnabled())
            Button1Click();
    } else if (key == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        DeleteSelectedListRecord(*ComboBox1);
    }
}

void TForm7::ListBox1Click(QListWidgetItem* item)
{
    if (!item)
        return;
    gPickList.results = RecordResults(platform::FromQString(item->text()));
    accept();
}

bool TForm7::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == ComboBox1 || watched == ComboBox1->lineEdit())) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool deleteRecord =
            key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier);
        if (enter || deleteRecord) {
            ComboBox1KeyDown(key);
            return true;
        }
        m_typing = !key->text().isEmpty() && key->text().at(0).isPrint();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm7::done(int result)
{
    // Cleared here only: leaving for another window and coming back keeps
    // the list file that Ok writes to.
    ClearAfterClose(gPickList.parameters);
    m_open = false;
    QDialog::done(result);
}

void TForm7::hideEvent(QHideEvent* event)
{
    // Hidden by the program, not minimised: the next showing is a new opening.
    if (!event->spontaneous())
        m_open = false;
    QDialog::hideEvent(event);
}

void PickItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    painter->save();
    painter->fillRect(opt.rect, selected ? opt.palette.highlight() : opt.palette.base());
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText)
                             : opt.palette.color(QPalette::Text));
    painter->setFont(opt.font);
    const PickItemColumns columns = SplitPickItem(platform::FromQString(opt.text));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->drawText(opt.rect.adjusted(6, 0, 0, 0), flags, platform::ToQString(columns.first));
    if (!columns.second.empty())
        painter->drawText(opt.rect.adjusted(40, 0, 0, 0), flags, platform::ToQString(columns.second));
    painter->restore();
}

TForm7* CreateForm7()
{
    if (!Form7)
        Form7 = new TForm7;
    return Form7;
}

PickListResults ShowPickList(const PickListParameters& parameters)
{
    gPickList.parameters = parameters;
    CreateForm7()->exec();
    return gPickList.results;
}

}  // namespace vor
