#pragma once

#include <QString>

class QComboBox;
class QListWidget;

namespace dialtally {

// The dialogs' name lists stay sorted without regard to letter case; a new
// name goes after the names that compare equal to it. Each returns the row
// of the new entry.
int InsertSorted(QListWidget* list, const QString& name);
int InsertSorted(QComboBox* box, const QString& name);
// The first row whose text equals the name without regard to case; -1.
int FindIgnoringCase(const QListWidget* list, const QString& name);

// The helpers below change the selection with the list's signals blocked,
// so the dialog decides what to show.

// The selected entry's text; false when no entry is selected.
bool SelectedText(const QListWidget* list, QString& text);
void SelectRow(QListWidget* list, int row);
// Adds a name at its sorted place and selects it.
void InsertAndSelect(QListWidget* list, const QString& name);
// Replaces the selected entry by a name at its sorted place and selects it.
void RenameSelected(QListWidget* list, const QString& name);
// Deletes the selected entry and selects the one now in its place, or the
// last; false when the list is left empty.
bool RemoveSelected(QListWidget* list);

} // namespace dialtally
