#pragma once

#include "app/Settings.h"
#include "reports/BillingMonth.h"

#include <QDialog>

#include <memory>

class QLabel;
class QTableView;

namespace dialtally {

class BillingMonthModel;
struct ProgramState;

// "Billing Month": where each provider of the report stands in the billing
// month that holds today, and where this month's pace takes it. Help
// topic 3440.
class BillingMonthDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 3440;

    BillingMonthDialog(BillingStatement statement, const Settings& settings,
                       QWidget* parent = nullptr);
    ~BillingMonthDialog() override;

    QTableView* Table() const { return m_table; }
    BillingMonthModel* Model() const { return m_model.get(); }
    QString NotesText() const;

private:
    BillingStatement m_statement;
    std::unique_ptr<BillingMonthModel> m_model;
    QTableView* m_table;
    QLabel* m_notes;
};

// Reads the current report's connections, states the billing months and
// shows them; a report whose criteria do not convert shows the error.
void ShowBillingMonth(ProgramState& state, QWidget* parent);

} // namespace dialtally
