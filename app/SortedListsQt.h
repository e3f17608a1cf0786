#pragma once

#include <QString>

class QComboBox;
class QListWidget;

// The dialogs' name lists stay sorted without regard to letter case; a new
// name goes after the names that compare equal to it. Each returns the row
// of the new entry.
int InsertSorted(QListWidget* list, const QString& name);
int InsertSorted(QComboBox* box, const QString& name);
// The first row whose text equals the name without regard to case; -1.
int FindIgnoringCase(const QListWidget* list, const QString& name);
