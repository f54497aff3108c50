#pragma once

#include <QDialog>
#include <QStyledItemDelegate>
#include <string>
#include <vector>

#include "vorplan/common/pick_list.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The pick list: a combo box with the remembered entries of a list file
// (mode 1), a question (mode 2) or a list of records (mode 3). A caller sets
// gPickList.parameters, shows the window modally (exec) and reads
// gPickList.results. In mode 3 without a list file the caller fills ListBox1
// (SetRecordItems) before showing it.
class TForm7 : public QDialog {
    Q_OBJECT

public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    // Replaces the items of the record list.
    void SetRecordItems(const std::vector<std::string>& items);

    // The parameters the window took when it opened.
    const PickListParameters& Parameters() const { return m_parameters; }

    QPlainTextEdit* Memo1;  // the aqua text lines
    QComboBox* ComboBox1;
    QListWidget* ListBox1;
    QPushButton* Button1;  // Ok, or the "yes" of a question
    QPushButton* Button2;  // Cancel, or the "no" of a question

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void ComboBox1Change();
    void ComboBox1Select();
    // Completes a typed beginning to the first entry that starts with it,
    // in any case, the completed part selected.
    void ComboBox1TypeAhead(const QString& typed);
    void ComboBox1KeyDown(QKeyEvent* event);
    void ListBox1Click(QListWidgetItem* item);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void LayOut();
    void PlaceOnScreen();

    platform::WindowActivation* m_activation;
    PickListParameters m_parameters;
    bool m_open = false;
    bool m_typing = false;  // the edit under way is a character typed
};

// Draws a record item in two columns: the text before the first "\" at 6
// pixels and the rest (at most 100 characters) at 40 pixels from its left.
class PickItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// The one instance, made at program start by CreateForm7 and left null until
// then. Destroying the window clears it.
extern TForm7* Form7;

// Makes the one instance (once; later calls return it). The caller owns the
// window: the program keeps it to the end, a test deletes it.
TForm7* CreateForm7();

// Sets gPickList.parameters to `parameters`, shows the pick list modally and
// returns gPickList.results.
PickListResults ShowPickList(const PickListParameters& parameters);

}  // namespace vor
