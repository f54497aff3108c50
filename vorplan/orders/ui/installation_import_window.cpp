#include "vorplan/orders/ui/installation_import_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <cstdlib>

#include "platform/file_dialog.h"
#include "platform/message_service.h"
#include "platform/mounts.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/orders/new_project.h"
#include "vorplan/orders/ui/import_controls.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

TForm29* Form29 = nullptr;

namespace {

using import_controls::MakeLabel;
using platform::ToQString;

// The entry after the network folders: any folder the user picks.
const QString kFolderEntry = QStringLiteral("...");

std::filesystem::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/");
}

}  // namespace

TForm29::TForm29(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form29"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Importação"));

    Label1 = MakeLabel(this, QString(), QRect(8, 8, 584, 18));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 28, 584, 96);
    Panel1 = MakeLabel(this, QString(), QRect(8, 132, 584, 20));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setVisible(false);
    Label2 = MakeLabel(this, QStringLiteral("Selecione o projeto"), QRect(8, 132, 584, 18));
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(8, 152, 584, 220);
    Label3 = MakeLabel(this, QString(), QRect(8, 378, 300, 18));
    Label3->setObjectName(QStringLiteral("Label3"));
    Button1 = MakeButton(this, "Button1", QStringLiteral("Ok"), QRect(416, 404, 85, 28));
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancela"), QRect(507, 404, 85, 28));
    setFixedSize(600, 442);

    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(ListBox2, &QListWidget::itemSelectionChanged, this, &TForm29::ListBox2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm29::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm29::Button2Click);
    m_activation = new platform::WindowActivation(this);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm29::FormActivate);
}

TForm29::~TForm29()
{
    if (Form29 == this)
        Form29 = nullptr;
}

void TForm29::ShowProjects(bool on)
{
    Label2->setVisible(on);
    ListBox2->setVisible(on);
    Label3->setVisible(on);
    Button1->setVisible(on);
}

void TForm29::FormActivate()
{
    // Back from the folder dialog or a box, the list stays as it is.
    if (m_prepared)
        return;
    m_prepared = true;
    Label1->setText(ToQString(Msg(974)));
    Panel1->setText(ToQString(Msg(647)));
    Button2->setText(ToQString(Msg(25)));
    m_projects.clear();
    ListBox2->clear();
    ShowProjects(false);
    Button1->setEnabled(false);

    m_folders = platform::GetMounts().NetworkFolders();
    ListBox1->clear();
    for (const std::filesystem::path& folder : m_folders)
        ListBox1->addItem(ToQString(folder.string()));
    ListBox1->addItem(kFolderEntry);
    if (m_folders.empty())
        platform::ShowMessage(Msg(989));
}

void TForm29::ListBox1Click(int row)
{
    if (row < 0 || row > static_cast<int>(m_folders.size()))
        return;
    std::filesystem::path chosen;
    if (row == static_cast<int>(m_folders.size())) {
        chosen = platform::GetFileDialogs().ChooseFolder(Msg(974), HomeFolder());
        if (chosen.empty())
            return;
    } else {
        chosen = m_folders[static_cast<std::size_t>(row)];
    }
    ShowProjects(false);
    Panel1->setVisible(true);
    Panel1->repaint();
    {
        WaitCursor wait;
        m_projects = ListOtherProjects(OtherProjectFolder(chosen));
    }
    Panel1->setVisible(false);
    {
        const QSignalBlocker block(ListBox2);
        ListBox2->clear();
        for (const OtherProject& project : m_projects)
            ListBox2->addItem(ToQString(OtherProjectText(project)));
    }
    Button1->setEnabled(false);
    if (m_projects.empty()) {
        platform::ShowMessage(Msg(987));
        return;
    }
    Label3->setText(ToQString(std::to_string(m_projects.size()) + " " + Msg(42)));
    ShowProjects(true);
}

void TForm29::ListBox2Click()
{
    Button1->setEnabled(!ListBox2->selectedItems().isEmpty());
}

void TForm29::Button1Click()
{
    const QList<QListWidgetItem*> selected = ListBox2->selectedItems();
    const int row = selected.isEmpty() ? -1 : ListBox2->row(selected.front());
    if (row < 0 || row >= static_cast<int>(m_projects.size()))
        return;
    const OtherProject project = m_projects[static_cast<std::size_t>(row)];
    if (OrderNumberExists(project.number) &&
        platform::Messages().Show(std::to_string(project.number) + " " + Msg(988), {},
                                  platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    try {
        WaitCursor wait;
        if (!CopyOtherProject(project, gShared.folders, *m_ops))
            return;
    } catch (const IoError& error) {
        platform::ShowMessage(error.what());
        return;
    }
    AdoptNewProject(project.number, true);
    ShowFieldMessage(std::to_string(project.number), project.description);
    accept();
}

void TForm29::Button2Click()
{
    reject();
}

void TForm29::hideEvent(QHideEvent* event)
{
    m_prepared = false;
    QDialog::hideEvent(event);
}

TForm29* CreateForm29()
{
    if (!Form29)
        Form29 = new TForm29;
    return Form29;
}

}  // namespace vor
