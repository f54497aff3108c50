#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "vorplan/orders/project_merge.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// The new project prompt: number and description of a new project. An empty
// number after it closes means it was cancelled (the close box and Esc act
// as "Cancela").
class TForm26 : public QDialog {
    Q_OBJECT

public:
    explicit TForm26(QWidget* parent = nullptr);
    ~TForm26() override;

    QLabel* Label1;        // "Código para o novo projeto ?"
    QLineEdit* Edit1;      // number
    QLabel* Label2;        // "Descrição"
    QLineEdit* Edit2;      // description
    QLabel* Label3;        // the valid range
    QPushButton* Button1;  // Ok
    QPushButton* Button2;  // Cancela

    void FormActivate();
    void Button1Click();
    void Button2Click();

    void reject() override;

private:
    platform::WindowActivation* m_activation;
};

extern TForm26* Form26;
TForm26* CreateForm26();

// Shows the prompt with `number` and `description` (empty ones get the
// proposal); true with the confirmed values, false when cancelled.
bool AskNewProject(std::string& number, std::string& description);

// The merge window: up to nine projects, each with its multiplier, summed
// into a new project.
class TForm12 : public QDialog {
    Q_OBJECT

public:
    explicit TForm12(QWidget* parent = nullptr);
    ~TForm12() override;

    QLabel* Label1;        // "Projetos a serem "somados""
    QListWidget* ListBox1;
    QLabel* Label2;        // "Código para o novo projeto:"
    QLineEdit* Edit1;      // new number
    QLineEdit* Edit2;      // new description
    QPushButton* Button3;  // "Mudar"
    QLabel* Label3;        // hint, line 1
    QLabel* Label4;        // hint, line 2
    QWidget* Panel1;       // the multiplier editor
    QLabel* Label5;        // the project whose multiplier is edited
    QLineEdit* Edit3;      // multiplier
    QPushButton* Button1;  // Ok
    QPushButton* Button2;  // Cancela

    // The projects to merge, set before the window opens.
    void SetProjects(std::vector<MergeEntry> entries);
    const std::vector<MergeEntry>& Projects() const { return m_entries; }

    void FormActivate();
    void ListBox1Click();
    void Edit3Change();
    void Button3Click();
    void Button1Click();
    void Button2Click();

private:
    void FillList();

    platform::WindowActivation* m_activation;
    std::vector<MergeEntry> m_entries;
};

extern TForm12* Form12;
TForm12* CreateForm12();

// Built with its captions and never opened.
class TForm33 : public QDialog {
    Q_OBJECT

public:
    explicit TForm33(QWidget* parent = nullptr);
    ~TForm33() override;

    QLabel* Label1;  // "Origem : "
    QLabel* Label2;  // "Descrição do projeto : "
    QLabel* Label3;  // "Novo projeto : "
    QLabel* Label4;  // "Descrição : "
};

extern TForm33* Form33;
TForm33* CreateForm33();

}  // namespace vor
