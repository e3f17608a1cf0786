#pragma once

#include <QComboBox>
#include <QStringList>

class QStandardItemModel;

namespace dialtally {

// An edit field that drops down a list of check boxes. The field shows the
// ticked items joined by ", ", or "(none)"; ticking an item leaves the list
// open so several can be ticked in one go.
class CheckListWidget : public QComboBox {
    Q_OBJECT
public:
    explicit CheckListWidget(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked);
    QString SummaryText() const;
    void showPopup() override;

signals:
    void checkedChanged(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Toggle(int index);

    QStandardItemModel* m_model;
    bool m_pressedInList = false; // a press inside the dropped list, not the opening one
};

} // namespace dialtally
