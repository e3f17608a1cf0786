#include "app/ReportNavigator.h"

#include "reports/ReportFile.h"

namespace dialtally {

ReportNavigator::ReportNavigator(THCfg& history, TCfg& current, const TCfg& defaultTemplate,
                                 NavigatorHost& host)
    : m_history(history), m_current(current), m_defaultTemplate(defaultTemplate), m_host(host)
{
}

void ReportNavigator::RecordShown()
{
    THCfg& h = m_history;
    ++h.Position;
    if (h.Position < 0)
        return;
    const auto at = static_cast<std::size_t>(h.Position);
    if (h.Count < h.Position + 1) {
        h.Count = h.Position + 1;
        h.Items.resize(static_cast<std::size_t>(h.Count));
    } else if (!SameReport(h.Items[at], m_current)) {
        h.Count = h.Position + 1;
        h.Items.resize(static_cast<std::size_t>(h.Count));
    }
    h.Items[at] = m_current;
}

std::string ReportNavigator::BackToolTip() const
{
    if (!CanGoBack())
        return "Back";
    return "Back to " + Entry(m_history.Position - 1).ReportDescription;
}

std::string ReportNavigator::ForwardToolTip() const
{
    if (!CanGoForward())
        return "Forward";
    return "Forward to " + Entry(m_history.Position + 1).ReportDescription;
}

std::vector<std::string> ReportNavigator::BackMenu() const
{
    std::vector<std::string> titles;
    for (int k = 1; k <= MenuEntries && m_history.Position - k >= 0; ++k)
        titles.push_back(Entry(m_history.Position - k).ReportDescription);
    return titles;
}

std::vector<std::string> ReportNavigator::ForwardMenu() const
{
    std::vector<std::string> titles;
    for (int k = 1; k <= MenuEntries && m_history.Position + k < m_history.Count; ++k)
        titles.push_back(Entry(m_history.Position + k).ReportDescription);
    return titles;
}

// The display step at the end of the rebuild raises Position onto the
// target again, so it starts one below.
void ReportNavigator::GoTo(int target)
{
    const int change = ReportChangeClass(Entry(target), m_current);
    m_current = Entry(target);
    m_host.MakeCurrent(m_current.FileName);
    m_history.Position = target - 1;
    m_host.RedoReport(change);
}

void ReportNavigator::GoBack()
{
    if (CanGoBack())
        GoTo(m_history.Position - 1);
}

void ReportNavigator::GoForward()
{
    if (CanGoForward())
        GoTo(m_history.Position + 1);
}

void ReportNavigator::GoBackSteps(int steps)
{
    if (steps < 1 || steps > MenuEntries || m_history.Position - steps < 0)
        return;
    m_history.Position = m_history.Position - steps + 1;
    GoBack();
}

void ReportNavigator::GoForwardSteps(int steps)
{
    if (steps < 1 || steps > MenuEntries || m_history.Position + steps >= m_history.Count)
        return;
    m_history.Position = m_history.Position + steps - 1;
    GoForward();
}

void ReportNavigator::CloseReport()
{
    if (m_history.Position < 0 || m_history.Position >= m_history.Count)
        return;
    if (m_host.ConfirmSave() == MessageAnswer::Cancel)
        return;
    const int p = m_history.Position;
    m_history.Items.erase(m_history.Items.begin() + p);
    --m_history.Count;
    if (m_history.Count >= p + 1) {
        m_history.Position = p - 1;
        GoForward();
    } else if (p - 1 < 0) {
        // The question was just answered; asking it again would be noise.
        ClearAll();
    } else {
        GoBack();
    }
}

void ReportNavigator::CloseAllReports()
{
    if (m_host.ConfirmSave() != MessageAnswer::Cancel)
        ClearAll();
}

void ReportNavigator::ClearAll()
{
    m_current = m_defaultTemplate;
    ClearHistory(m_history);
    m_host.ClearReport();
}

} // namespace dialtally
