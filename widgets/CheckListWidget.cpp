#include "widgets/CheckListWidget.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStylePainter>

#include <utility>

namespace dialtally {

CheckListWidget::CheckListWidget(QWidget* parent)
    : QComboBox(parent), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    // Clicks and keys in the list tick items instead of choosing one.
    view()->viewport()->installEventFilter(this);
    view()->installEventFilter(this);
    connect(m_model, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        setToolTip(SummaryText());
        update();
        emit checkedChanged(item->row());
    });
}

void CheckListWidget::SetItems(const QStringList& items)
{
    const QSignalBlocker blocker(m_model);
    m_model->clear();
    for (const QString& text : items) {
        auto* item = new QStandardItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(Qt::Unchecked, Qt::CheckStateRole);
        m_model->appendRow(item);
    }
    setToolTip(SummaryText());
    update();
}

bool CheckListWidget::IsChecked(int index) const
{
    const QStandardItem* item = m_model->item(index);
    return item && item->checkState() == Qt::Checked;
}

void CheckListWidget::SetChecked(int index, bool checked)
{
    if (QStandardItem* item = m_model->item(index))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QString CheckListWidget::SummaryText() const
{
    QStringList ticked;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        if (IsChecked(i))
            ticked << m_model->item(i)->text();
    }
    return ticked.isEmpty() ? tr("(none)") : ticked.join(QStringLiteral(", "));
}

void CheckListWidget::Toggle(int index)
{
    SetChecked(index, !IsChecked(index));
}

bool CheckListWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonPress)
        m_pressedInList = true;
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // The release of the click that opened the list lands on the row
        // that the list drops over; only a click inside the list ticks.
        if (!std::exchange(m_pressedInList, false))
            return true;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = view()->indexAt(mouse->position().toPoint());
        if (index.isValid())
            Toggle(index.row());
        return true;
    }
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space) {
            if (view()->currentIndex().isValid())
                Toggle(view()->currentIndex().row());
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CheckListWidget::showPopup()
{
    m_pressedInList = false;
    QComboBox::showPopup();
}

void CheckListWidget::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = SummaryText();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace dialtally
