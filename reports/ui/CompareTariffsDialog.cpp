#include "reports/ui/CompareTariffsDialog.h"

#include "app/ProgramState.h"
#include "base/DateFormat.h"
#include "base/Messages.h"
#include "reports/ReportFormats.h"
#include "reports/ui/ChartValueLabels.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/TariffComparisonModel.h"
#include "widgets/DialogParts.h"
#include "widgets/ScreenPlacement.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

namespace dialtally {

CompareTariffsDialog::CompareTariffsDialog(TariffComparison comparison, const Settings& settings,
                                           QWidget* parent)
    : QDialog(parent), m_comparison(std::move(comparison)), m_table(new QTableView),
      m_chart(new QChartView)
{
    setWindowTitle(tr("Compare Tariffs"));
    const GridStyle style = GridStyleFor(settings.Text);
    m_model =
        std::make_unique<TariffComparisonModel>(m_comparison, style, settings.Options.DurationDec);
    m_table->setObjectName(QStringLiteral("GridCompare"));
    m_table->setTabKeyNavigation(false); // Tab reaches the buttons
    m_table->verticalHeader()->hide();
    SetUpFiguresTable(*m_table, m_model.get(), style);
    // The newest months and the total are what one looks for first; the
    // view can scroll once it is laid out.
    QTimer::singleShot(0, m_table, &QTableView::scrollToBottom);

    m_chart->setObjectName(QStringLiteral("ChartCompare"));
    m_chart->setAccessibleName(tr("Charges by month"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    BuildChart(settings);

    auto* errors = new QLabel(ErrorsText());
    errors->setObjectName(QStringLiteral("LabelErrors"));
    errors->setWordWrap(true);
    errors->setVisible(!errors->text().isEmpty());

    auto* split = new QSplitter(Qt::Vertical);
    split->setChildrenCollapsible(false);
    split->addWidget(m_table);
    split->addWidget(m_chart);
    split->setSizes({260, 240});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(errors);
    layout->addLayout(OkHelpRow(this, HelpTopic));
    const int width = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() +
                      m_table->verticalScrollBar()->sizeHint().width() +
                      2 * layout->contentsMargins().left();
    resize(std::clamp(width, 480, 1000), 600);
    KeepOnScreenWhenShown(this); // a netbook's screen is lower than that
}

CompareTariffsDialog::~CompareTariffsDialog() = default;

void CompareTariffsDialog::BuildChart(const Settings& settings)
{
    const ChartStyle style = ChartStyleFor(settings.Graph);
    auto* chart = new QChart;
    auto* series = new QBarSeries;
    for (std::size_t n = 0; n < m_comparison.Providers.size(); ++n) {
        auto* set = new QBarSet(LogText(m_comparison.Providers[n]));
        for (const ComparedMonth& month : m_comparison.Months)
            *set << CurrencyToDouble(month.Charges[n]);
        series->append(set);
    }
    chart->addSeries(series);
    QStringList months;
    const std::string picture = MonthLabelPicture();
    for (const ComparedMonth& month : m_comparison.Months)
        months << QString::fromStdString(FormatDateTime(picture, month.First));
    auto* bottom = new QBarCategoryAxis;
    bottom->append(months);
    auto* left = new QValueAxis;
    left->setLabelFormat(QStringLiteral("%.%1f").arg(Regional().CurrencyDecimals));
    left->setTitleText(QString::fromStdString(Regional().CurrencySymbol));
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    series->attachAxis(bottom);
    series->attachAxis(left);
    left->applyNiceNumbers();

    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(style.LabelFont);
    chart->legend()->setLabelColor(style.LabelColor);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(bottom), static_cast<QAbstractAxis*>(left)}) {
        axis->setLabelsFont(style.AxisFont);
        axis->setLabelsColor(style.AxisColor);
        axis->setTitleFont(style.TitleFont);
        axis->setTitleBrush(style.TitleColor);
    }
    bottom->setLabelsAngle(months.size() > 12 ? -90 : 0);
    chart->setLocale(ChartFiguresLocale());
    chart->setLocalizeNumbers(true);
    chart->setBackgroundBrush(style.Background);
    m_chart->setBackgroundBrush(style.Background);
    m_chart->setChart(chart);
}

QString CompareTariffsDialog::ErrorsText() const
{
    QStringList lines;
    for (const std::string& error : m_comparison.Errors)
        lines << LogText(error);
    return lines.join(QLatin1Char('\n'));
}

void ShowCompareTariffs(ProgramState& state, QWidget* parent)
{
    const std::optional<PairedConnections> connections = ReadConnectionsForTool(state);
    if (!connections)
        return;
    TariffComparison comparison = CompareTariffs(*connections, state.Providers);
    if (connections->List.Count() == 0) {
        ShowInfo(NoDataMessage);
        return;
    }
    CompareTariffsDialog dialog(std::move(comparison), state.Options, parent);
    dialog.exec();
}

} // namespace dialtally
