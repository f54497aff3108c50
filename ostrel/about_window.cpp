#include "ostrel/about_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>

#include "platform/qt_text.h"
#include "vorplan/common/conversions.h"

namespace ostrel {

using platform::ToQString;

namespace {

using vor::IntText;

}  // namespace

Tvars_::Tvars_(const Captions& captions, int languageNumber, QWidget* parent)
    : QDialog(parent), m_fileCaption(captions.aboutFile)
{
    setWindowTitle(ToQString(captions.aboutTitle));
    setModal(true);

    ProgramLabel = new QLabel(ToQString(captions.aboutProgram), this);
    QFont bold = ProgramLabel->font();
    bold.setBold(true);
    ProgramLabel->setFont(bold);
    KeysLabel = new QLabel(ToQString(captions.aboutKeys), this);
    KeysLabel->setWordWrap(true);
    EditingHint = new QLabel(ToQString(captions.aboutEditingHint), this);
    EditingHint->setWordWrap(true);
    EditingHint->setFrameShape(QFrame::Panel);
    EditingHint->setFrameShadow(QFrame::Sunken);
    EditingHint->setMargin(6);
    LanguageLabel = new QLabel(ToQString(captions.language + IntText(languageNumber)), this);
    FileLabel = new QLabel(ToQString(m_fileCaption), this);
    FileLabel->setTextFormat(Qt::PlainText);
    FileLabel->setWordWrap(true);
    OkButton = new QPushButton(ToQString(captions.ok), this);
    OkButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgramLabel);
    layout->addWidget(KeysLabel);
    layout->addWidget(EditingHint);
    layout->addWidget(LanguageLabel);
    layout->addWidget(FileLabel);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

void Tvars_::SetReportFile(const std::string& file) { FileLabel->setText(ToQString(m_fileCaption + " " + file)); }

void Tvars_::SetEditingHintVisible(bool on) { EditingHint->setVisible(on); }

}  // namespace ostrel
