#pragma once

#include "base/FrontEnd.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportHistory.h"

#include <string>
#include <vector>

namespace dialtally {

// What going back and forward and closing reports ask of the window.
class NavigatorHost {
public:
    virtual ~NavigatorHost() = default;
    // 1 read the log again, 2 rebuild from memory, 3 redisplay, 4 lay out
    // the columns and redisplay.
    virtual void RedoReport(int changeClass) = 0;
    virtual void MakeCurrent(const std::string& path) = 0;
    virtual MessageAnswer ConfirmSave() = 0;
    // Empties the connection list and the views and shows the current
    // report as nothing: the display step, the bare caption, empty panels.
    virtual void ClearReport() = 0;
};

// The back-and-forward history of the reports shown, over the program's
// history and current report.
class ReportNavigator {
public:
    // How many history entries the back and forward menus offer.
    static constexpr int MenuEntries = 8;

    ReportNavigator(THCfg& history, TCfg& current, const TCfg& defaultTemplate,
                    NavigatorHost& host);

    // The history step of the display step: one entry forward, appending,
    // keeping the forward entries when the entry there is the same report,
    // else dropping them.
    void RecordShown();

    bool CanGoBack() const { return m_history.Position - 1 >= 0; }
    bool CanGoForward() const { return m_history.Position + 1 < m_history.Count; }
    std::string BackToolTip() const;
    std::string ForwardToolTip() const;
    // Titles of the entries behind or ahead, nearest first, at most eight.
    std::vector<std::string> BackMenu() const;
    std::vector<std::string> ForwardMenu() const;

    // Nothing while there is nowhere to go.
    void GoBack();
    void GoForward();
    // Entry `steps` (1 to 8) of the back or forward menu.
    void GoBackSteps(int steps);
    void GoForwardSteps(int steps);

    void CloseReport();
    void CloseAllReports();

    // Before a rebuild that must land on the entry already shown.
    void StepBackForRedisplay() { --m_history.Position; }

private:
    void GoTo(int target);
    void ClearAll();
    const TCfg& Entry(int index) const { return m_history.Items[static_cast<std::size_t>(index)]; }

    THCfg& m_history;
    TCfg& m_current;
    const TCfg& m_defaultTemplate;
    NavigatorHost& m_host;
};

} // namespace dialtally
