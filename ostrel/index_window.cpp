#include "ostrel/index_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"

namespace ostrel {

using platform::ToQString;

TForm1::TForm1(const std::vector<IndexEntry>& entries, const Captions& captions, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(ToQString(captions.indexTitle));
    setModal(true);
    resize(460, 420);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setPointSize(9);
    ListBox1->setFont(listFont);
    for (const IndexEntry& e : entries)
        ListBox1->addItem(ToQString(e.text));
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);

    Hint = new QLabel(ToQString(captions.indexHintLine1 + "\n" + captions.indexHintLine2), this);
    Hint->setWordWrap(true);
    OkButton = new QPushButton(ToQString(captions.ok), this);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(ToQString(captions.cancel), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addWidget(Hint);
    layout->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &TForm1::OkClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::ListDoubleClick);
}

void TForm1::OkClick()
{
    if (ListBox1->currentRow() >= 0)
        m_chosen = ListBox1->currentRow();
    accept();
}

void TForm1::ListDoubleClick(QListWidgetItem* item)
{
    m_chosen = ListBox1->row(item);
    accept();
}

}  // namespace ostrel
