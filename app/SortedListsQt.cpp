#include "app/SortedListsQt.h"

#include <QComboBox>
#include <QListWidget>

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
