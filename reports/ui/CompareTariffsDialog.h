#pragma once

#include "app/Settings.h"
#include "reports/TariffComparison.h"

#include <QDialog>

#include <memory>

class QChartView;
class QLabel;
class QTableView;

namespace dialtally {

class TariffComparisonModel;
struct ProgramState;

// "Compare Tariffs": what each provider of the table would have charged for
// the report's connections, month by month and in total, with the
// cheapest marked, and the same as a bar chart per month. Help topic 3450.
class CompareTariffsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 3450;

    CompareTariffsDialog(TariffComparison comparison, const Settings& settings,
                         QWidget* parent = nullptr);
    ~CompareTariffsDialog() override;

    QTableView* Table() const { return m_table; }
    TariffComparisonModel* Model() const { return m_model.get(); }
    QChartView* Chart() const { return m_chart; }
    QString ErrorsText() const;

private:
    void BuildChart(const Settings& settings);

    TariffComparison m_comparison;
    std::unique_ptr<TariffComparisonModel> m_model;
    QTableView* m_table;
    QChartView* m_chart;
};

// Reads the current report's connections, prices them under every
// provider and shows the comparison; with no connections it says so.
void ShowCompareTariffs(ProgramState& state, QWidget* parent);

} // namespace dialtally
