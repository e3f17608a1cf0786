#pragma once

#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportProperties.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;

namespace dialtally {

class CheckListWidget;

// The report properties: shows the working copy and writes the current
// report, on Apply while it stays open and on OK.
class TDlgProp : public QDialog {
    Q_OBJECT
public:
    // Start page 0 is a new report: first page, Apply enabled; 1 General,
    // 2 Criteria, 3 Content open that page with Apply disabled.
    TDlgProp(TCfg& current, const TCfg& workingCopy, const TLCfg& formats, const TProv& providers,
             int startPage, const std::string& caption, QWidget* parent = nullptr);

    // Runs after Apply has written the current report; the window refreshes
    // with AppliedChangeClass.
    std::function<void()> OnApply;

    // Fills the controls from the working copy and sets the start page.
    // A date, time or list value that cannot be read shows its conversion
    // error; false then, and the dialog must not be shown.
    bool FormShow();
    // FormShow, then modal. True when it closed with OK having written the
    // current report; false for Cancel, for OK with nothing to apply, and
    // when it could not be shown.
    bool Run();

    bool ApplyEnabled() const;

    // The handlers of the three buttons.
    void BtnOkPropClick();
    void BtnCancelPropClick();
    void BtnApplyPropClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildCriteriaPage();
    QWidget* BuildContentPage();
    void ConnectChanges();
    void FillControls(const PropertiesValues& values);
    PropertiesValues ControlValues() const;
    void WriteControls();
    void SyncEnabling();
    void ControlChange();
    void ShowHelp();

    TCfg& m_current;
    const TCfg& m_workingCopy;
    const TLCfg& m_formats;
    const TProv& m_providers;
    int m_startPage;
    // The sorted lists as filled, for reading the selections back.
    std::vector<std::string> m_logTypes;
    std::vector<std::string> m_providerNames;
    // The texts as the controls were given them; see EditedText.
    PropertiesValues m_filled;
    bool m_filling = false;

    QTabWidget* m_pages;
    QLineEdit* m_title;
    std::array<QRadioButton*, 3> m_view{};
    QComboBox* m_logFile;
    QListWidget* m_costs;

    QCheckBox* m_dateAll;
    QLabel* m_dateFromLabel;
    QLabel* m_dateToLabel;
    QDateEdit* m_dateFrom;
    QDateEdit* m_dateTo;
    QCheckBox* m_timeAll;
    QLabel* m_timeFromLabel;
    QLabel* m_timeToLabel;
    QTimeEdit* m_timeFrom;
    QTimeEdit* m_timeTo;
    QCheckBox* m_descripAll;
    QLabel* m_includeLabel;
    QLabel* m_excludeLabel;
    QLineEdit* m_include;
    QLineEdit* m_exclude;

    QCheckBox* m_detailShow;
    CheckListWidget* m_details;
    QCheckBox* m_totalShow;
    CheckListWidget* m_totals;
    QComboBox* m_colSize;
    QComboBox* m_colAlign;
    QCheckBox* m_colStretch;
    QComboBox* m_graphYAxis;
    QComboBox* m_graph3d;
    QCheckBox* m_graphValues;
    QCheckBox* m_graphLegend;

    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_apply;
};

} // namespace dialtally
