#pragma once

#include <QDialog>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <functional>

#include "kalendo/text_viewer_rules.h"

class QLineEdit;
class QPushButton;

namespace kalendo {

struct MessageSet;

// The rich text of the viewer page; tells when a click has moved the caret.
class ViewerTextEdit final : public QTextEdit {
    Q_OBJECT

public:
    explicit ViewerTextEdit(QWidget* parent);

signals:
    void ClickedAfterCaretMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The viewer's routines on the rich text: positions are the document's,
// laid-out lines those of the current width.
class QtViewerText final : public ViewerText {
public:
    explicit QtViewerText(ViewerTextEdit& edit) : m_edit(edit) {}

    int Length() const override;
    std::optional<Match> Find(std::string_view needle, int from, bool caseSensitive) const override;
    int SelectionStart() const override;
    int SelectionLength() const override;
    void Select(int start, int length) override;
    void SetCaret(int position) override;
    int VisualLine(int position) const override;
    int ParagraphOf(int position) const override;
    int ParagraphStart(int paragraph) const override;
    std::string ParagraphText(int paragraph) const override;
    bool ExactlyUnderlinedAt(int position) const override;
    void Focus() override;

private:
    ViewerTextEdit& m_edit;
};

// The heading list's items: a sub-heading in the normal font at the item's
// top, any other heading bold, 4 pixels lower, in an item 5 pixels taller.
class HeadingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int kItemHeight = 14;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The find dialog: a text and "find next"; it stays open while the user
// searches on.
class FindDialog final : public QDialog {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent);

    void SetTexts(const MessageSet& texts);
    QString FindText() const;
    void SetFindText(const QString& text);

    QLineEdit* Edit;
    QPushButton* FindButton;
    QPushButton* CancelButton;

signals:
    void Find();
};

}  // namespace kalendo
