#include "reports/ui/BillingMonthDialog.h"

#include "app/ProgramState.h"
#include "base/Clock.h"
#include "base/DateFormat.h"
#include "base/Messages.h"
#include "reports/ui/BillingMonthModel.h"
#include "reports/ui/DisplayStyle.h"
#include "widgets/DialogParts.h"
#include "widgets/ScreenPlacement.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace dialtally {

BillingMonthDialog::BillingMonthDialog(BillingStatement statement, const Settings& settings,
                                       QWidget* parent)
    : QDialog(parent), m_statement(std::move(statement)), m_table(new QTableView),
      m_notes(new QLabel)
{
    setWindowTitle(tr("Billing Month"));
    const GridStyle style = GridStyleFor(settings.Text);
    m_model = std::make_unique<BillingMonthModel>(m_statement, style, settings.Options.DurationDec);

    auto* today = new QLabel(tr("Today: %1")
                                 .arg(QString::fromStdString(FormatDateTime(
                                     Regional().LongDateFormat, m_statement.Today))));
    today->setObjectName(QStringLiteral("LabelToday"));
    m_table->setObjectName(QStringLiteral("GridBilling"));
    m_table->setTabKeyNavigation(false); // Tab reaches the buttons
    SetUpFiguresTable(*m_table, m_model.get(), style);

    m_notes->setObjectName(QStringLiteral("LabelNotes"));
    m_notes->setWordWrap(true);
    m_notes->setText(NotesText());
    m_notes->setVisible(!m_notes->text().isEmpty());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(today);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_notes);
    layout->addStretch();
    layout->addLayout(OkHelpRow(this, HelpTopic));

    // Wide enough for the figures of each provider where the screen allows,
    // and as tall as its rows.
    const int width = m_table->verticalHeader()->sizeHint().width() +
                      m_table->horizontalHeader()->length() + 2 * m_table->frameWidth();
    const int widest = 880;
    int height = m_table->horizontalHeader()->sizeHint().height() +
                 m_table->verticalHeader()->length() + 2 * m_table->frameWidth();
    if (width > widest)
        height += m_table->horizontalScrollBar()->sizeHint().height();
    m_table->setFixedHeight(height);
    const int dialogWidth =
        std::clamp(width + 2 * layout->contentsMargins().left(), 420, widest + 40);
    // The notes wrap: their height follows from the width.
    resize(dialogWidth, layout->totalHeightForWidth(dialogWidth));
    KeepOnScreenWhenShown(this);
}

BillingMonthDialog::~BillingMonthDialog() = default;

QString BillingMonthDialog::NotesText() const
{
    // An empty grid alone did not say why.
    if (m_statement.Providers.empty())
        return tr("There is no provider to show: add one under Tools, Costs.");
    QStringList lines;
    for (const ProviderBilling& billing : m_statement.Providers) {
        const std::string note = BillingFigureText(billing, BillingFigure::Note, false);
        if (!note.empty())
            lines << (billing.Error.empty() ? LogText(billing.Provider + ": " + note)
                                            : LogText(note));
    }
    return lines.join(QLatin1Char('\n'));
}

void ShowBillingMonth(ProgramState& state, QWidget* parent)
{
    const std::optional<PairedConnections> connections = ReadConnectionsForTool(state);
    if (!connections)
        return;
    BillingStatement statement = StateBillingMonths(*connections, state.Providers, state.Links,
                                                    state.Current.ServiceProviders, Today());
    BillingMonthDialog dialog(std::move(statement), state.Options, parent);
    dialog.exec();
}

} // namespace dialtally
