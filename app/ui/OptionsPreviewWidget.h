#pragma once

#include "app/Settings.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportEngine.h"

#include <QWidget>

#include <memory>

namespace dialtally {

class ReportChartView;
class ReportGridView;
class ReportTableModel;

// The previews of the display options: a small grid with a head, an empty
// row, a detail row of today and a total row, and a chart of one red area
// series over the values 2, 4, 3, 2. Drawn by the window's own views.
class OptionsPreviewWidget : public QWidget {
    Q_OBJECT
public:
    // The detail row shows today as detail rows do, with or without the
    // day name.
    explicit OptionsPreviewWidget(bool dayInclude, QWidget* parent = nullptr);
    ~OptionsPreviewWidget() override;

    // Alignment and column sizing follow the report (ColAlign, ColStretch,
    // ColSize).
    void SetReportLayout(const TCfg& report);
    void ShowText(const TextDisplay& text);
    void ShowGraph(const GraphDisplay& graph);

    ReportGridView* Grid() const { return m_grid; }
    ReportChartView* Chart() const { return m_chart; }
    ReportTableModel* GridModel() const { return m_model.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSample(bool dayInclude);
    void SizeColumns();

    ReportOutput m_sample;
    std::unique_ptr<ReportTableModel> m_model;
    ReportGridView* m_grid;
    ReportChartView* m_chart;
    bool m_equalWidths = false;
};

} // namespace dialtally
