#include "WindowFixture.h"
#include "reports/ui/BillingMonthDialog.h"
#include "reports/ui/BillingMonthModel.h"
#include "reports/ui/CompareTariffsDialog.h"
#include "reports/ui/TariffComparisonModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

class TariffDialogs : public WindowFixture {};

// Runs the Tools item and the check on the dialog it opens, under the model
// tester, then closes the dialog.
template <typename Dialog>
void CheckToolsDialog(TMainForm& window, const char* action, const QString& title,
                      const std::function<void(Dialog&)>& check)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), title);
        EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()))
            << action;
        QAbstractItemModelTester tester(dialog->Model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        check(*dialog);
        dialog->accept();
    });
    window.Action(QString::fromLatin1(action))->trigger();
    EXPECT_TRUE(shown) << action;
}

// Both Tools items read the shown report's connections and show them in
// the dialog; the models hold up under the model tester.
TEST_F(TariffDialogs, ToolsMenuShowsTheReportsProviders)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    const ScopedToday today(2026, 11, 20);

    CheckToolsDialog<BillingMonthDialog>(
        *window, "ToolsBillingMonth", QStringLiteral("Billing Month"),
        [](BillingMonthDialog& dialog) {
            BillingMonthModel& model = *dialog.Model();
            EXPECT_EQ(model.columnCount(), 2);
            EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(),
                      QStringLiteral("Sample Telephone Company"));
            EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("From"));
            EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("11/1/2026"));
            EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("11/15/2026"));
            EXPECT_EQ(model.index(2, 1).data().toString(), QStringLiteral("6"));
            // The projection's rows take the total font, the others the detail font.
            const int projected = static_cast<int>(BillingFigure::ProjectedCost) -
                                  static_cast<int>(BillingFigure::From);
            EXPECT_TRUE(model.index(projected, 0).data(Qt::FontRole).value<QFont>().bold());
            EXPECT_FALSE(model.index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        });

    CheckToolsDialog<CompareTariffsDialog>(
        *window, "ToolsCompareTariffs", QStringLiteral("Compare Tariffs"),
        [](CompareTariffsDialog& dialog) {
            TariffComparisonModel& model = *dialog.Model();
            const int total = model.rowCount() - 1;
            EXPECT_EQ(model.index(total, 0).data().toString(), QStringLiteral("Total"));
            const int cheapest = model.columnCount() - 1;
            const QString name = model.index(total, cheapest).data().toString();
            const int column = name == QStringLiteral("Sample Internet Service Provider") ? 3 : 4;
            EXPECT_TRUE(model.IsCheapest(total, column));
            EXPECT_FALSE(model.IsCheapest(total, 7 - column));
            EXPECT_TRUE(model.index(total, column).data(Qt::FontRole).value<QFont>().bold());
            auto* series = qobject_cast<QBarSeries*>(dialog.Chart()->chart()->series().value(0));
            ASSERT_TRUE(series);
            EXPECT_EQ(series->count(), 2);
            EXPECT_EQ(series->barSets().value(0)->count(), total);
            EXPECT_TRUE(dialog.ErrorsText().isEmpty());
        });
    // The read does not leave the log's path in the report's status panel.
    std::string panel;
    for (const auto& [index, text] : m_messages->StatusTexts)
        if (index == 0)
            panel = text;
    EXPECT_EQ(panel, "A");
}

TEST(TariffDialogNotes, ProblemsShowBelowTheTable)
{
    ScopedRegional regional("en-US");
    BillingStatement statement;
    statement.Today = EncodeDate(2026, 3, 10);
    ProviderBilling& broken = statement.Providers.emplace_back();
    broken.Provider = "Broken";
    broken.Error = "Broken: 'x' is not a valid time";
    ProviderBilling& quiet = statement.Providers.emplace_back();
    quiet.Provider = "Quiet caf\xE9"; // Windows-1252, from a table written on Windows
    quiet.Month = {EncodeDate(2026, 3, 1), EncodeDate(2026, 4, 1)};
    quiet.Notes = {"No connections yet in this billing month; its monthly charge is booked "
                   "with the first."};
    BillingMonthDialog dialog(statement, Settings{});
    EXPECT_EQ(
        dialog.NotesText(),
        QStringLiteral("Broken: 'x' is not a valid time\nQuiet café: No connections yet "
                       "in this billing month; its monthly charge is booked with the first."));
    EXPECT_EQ(dialog.Model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Quiet café"));
    EXPECT_EQ(dialog.Model()->index(0, 0).data().toString(), QString());
    EXPECT_EQ(dialog.Model()->index(0, 1).data().toString(), QStringLiteral("3/1/2026"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("LabelToday"))->text(),
              QStringLiteral("Today: Tuesday, March 10, 2026"));

    statement.Providers.clear();
    EXPECT_TRUE(BillingMonthDialog(statement, Settings{}).NotesText().contains("Tools, Costs"));
}

} // namespace

} // namespace dialtally
