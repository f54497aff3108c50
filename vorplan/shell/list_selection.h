#pragma once

#include <QString>

class QListWidget;

namespace vor {

// Selection helpers for multi-select lists. The list is not repainted while
// they work, and its first visible item stays where it was.

// Unselects every item.
void ClearListSelection(QListWidget& list);

// Toggles the selection of every item; an empty list is left alone.
void InvertListSelection(QListWidget& list);

// Selects every item whose text contains `text`; other items keep their
// state. With `ignoreCase` both texts are compared in ASCII upper case. An
// empty text selects nothing.
void SelectMatchingItems(QListWidget& list, const QString& text, bool ignoreCase);

// How SelectMatchingItems compares: exactly, in ASCII upper case, or with
// case and accents folded (FoldCaseAndAccents).
enum class ListMatch { Exact, AsciiUpperCase, FoldCaseAndAccents };
void SelectMatchingItems(QListWidget& list, const QString& text, ListMatch match);

}  // namespace vor
