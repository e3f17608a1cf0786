#include "widgets/SortedLists.h"

#include <QComboBox>
#include <QListWidget>

#include <algorithm>

namespace dialtally {

namespace {

template <typename TextAt> int SortedRow(int count, const QString& name, TextAt textAt)
{
    int row = 0;
    while (row < count && QString::compare(textAt(row), name, Qt::CaseInsensitive) <= 0)
        ++row;
    return row;
}

} // namespace

int InsertSorted(QListWidget* list, const QString& name)
{
    const int row = SortedRow(list->count(), name, [list](int r) { return list->item(r)->text(); });
    list->insertItem(row, name);
    return row;
}

int InsertSorted(QComboBox* box, const QString& name)
{
    const int row = SortedRow(box->count(), name, [box](int r) { return box->itemText(r); });
    box->insertItem(row, name);
    return row;
}

int FindIgnoringCase(const QListWidget* list, const QString& name)
{
    for (int row = 0; row < list->count(); ++row)
        if (QString::compare(list->item(row)->text(), name, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}

bool SelectedText(const QListWidget* list, QString& text)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return false;
    text = selected.first()->text();
    return true;
}

void SelectRow(QListWidget* list, int row)
{
    const QSignalBlocker blocker(list);
    list->setCurrentRow(row);
}

void InsertAndSelect(QListWidget* list, const QString& name)
{
    const QSignalBlocker blocker(list);
    list->setCurrentRow(InsertSorted(list, name));
}

void RenameSelected(QListWidget* list, const QString& name)
{
    const QSignalBlocker blocker(list);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty())
        delete list->takeItem(list->row(selected.first()));
    list->setCurrentRow(InsertSorted(list, name));
}

bool RemoveSelected(QListWidget* list)
{
    const QSignalBlocker blocker(list);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return list->count() > 0;
    const int row = list->row(selected.first());
    delete list->takeItem(row);
    if (list->count() == 0)
        return false;
    list->setCurrentRow(std::min(row, list->count() - 1));
    return true;
}

} // namespace dialtally
