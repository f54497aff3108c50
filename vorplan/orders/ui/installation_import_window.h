#pragma once

#include <QDialog>
#include <filesystem>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/orders/installation_import.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The import of a project from another installation: a network share (or
// any folder the user picks), then one of its projects, copied here under
// its own number.
class TForm29 : public QDialog {
    Q_OBJECT

public:
    explicit TForm29(QWidget* parent = nullptr);
    ~TForm29() override;

    QLabel* Label1;          // choose the other computer's drive
    QListWidget* ListBox1;   // network folders, then the folder entry
    QLabel* Panel1;          // "Aguarde ..."
    QLabel* Label2;          // "Selecione o projeto"
    QListWidget* ListBox2;   // the other installation's projects
    QLabel* Label3;          // their count
    QPushButton* Button1;    // Ok
    QPushButton* Button2;    // Cancela

    void FormActivate();
    // The drive list's entry `row` chosen: its projects listed.
    void ListBox1Click(int row);
    void ListBox2Click();
    void Button1Click();
    void Button2Click();

    const std::vector<OtherProject>& Projects() const { return m_projects; }
    // The file operations "Ok" copies through (tests make them fail).
    void UseFileOps(FileOps& ops) { m_ops = &ops; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void ShowProjects(bool on);

    platform::WindowActivation* m_activation;
    FileOps* m_ops = &DefaultFileOps();
    std::vector<std::filesystem::path> m_folders;  // one per drive entry but the last
    std::vector<OtherProject> m_projects;
    bool m_prepared = false;
};

extern TForm29* Form29;
TForm29* CreateForm29();

}  // namespace vor
