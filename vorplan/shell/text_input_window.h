#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "vorplan/common/list_helpers.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The one-line text input. A caller sets Edit1's text and width, shows the
// window modally (exec) and reads InputConfirmed and Edit1's text.
class TForm19 : public QDialog {
    Q_OBJECT

public:
    explicit TForm19(QWidget* parent = nullptr);
    ~TForm19() override;

    QLabel* Label1;         // "Digite o novo texto :"
    QLineEdit* Edit1;
    QPushButton* Button1;   // Ok
    QPushButton* Button2;   // Cancela
    QCheckBox* CheckBox1;   // "Imprimir em relatório", never shown

    bool InputConfirmed = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Edit1KeyPress(int key);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    platform::WindowActivation* m_activation;
    bool m_open = false;
};

// The one instance, made at program start by CreateForm19 and left null
// until then. Destroying the window clears it.
extern TForm19* Form19;

// Makes the one instance (once; later calls return it). The caller owns the
// window: the program keeps it to the end, a test deletes it.
TForm19* CreateForm19();

// The width of the edit when a free field's title of the material window is
// retyped.
constexpr int kFieldTitleInputWidth = 250;

// Shows the text input with `text` in an edit `width` pixels wide; the text
// when confirmed, nullopt when cancelled.
std::optional<std::string> AskTextInput(const std::string& text, int width);

// AskTextInput in the form EditTextInDialog takes.
TextInputDialog TextInputPrompt();

// Makes the windows made before the text input ask through it: the double
// click on a free field's title of the material window (TForm15). Called
// once at program start.
void InstallMaterialWindowPrompts();

}  // namespace vor
