#include "reports/ReportProperties.h"

#include "base/DateRoutines.h"
#include "base/Numbers.h"
#include "reports/ReportFile.h"

#include <algorithm>
#include <cctype>

namespace dialtally {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

const char* Switch(bool on)
{
    return on ? "1" : "0";
}

using Field = std::string TCfg::*;

constexpr std::array<Field, 7> DetailFields = {
    &TCfg::DetailDateOn,   &TCfg::DetailTimeOn, &TCfg::DetailDateOff, &TCfg::DetailTimeOff,
    &TCfg::DetailDuration, &TCfg::DetailCost,   &TCfg::DetailService};
constexpr std::array<Field, 5> TotalFields = {&TCfg::TotalDay, &TCfg::TotalWeek, &TCfg::TotalMonth,
                                              &TCfg::TotalYear, &TCfg::TotalTotal};

} // namespace

std::vector<std::string> SortedNames(std::vector<std::string> names)
{
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool ProviderTicked(const std::string& serviceProviders, const std::string& provider)
{
    return serviceProviders.find(provider) != std::string::npos;
}

std::string JoinServiceProviders(const std::vector<std::string>& names,
                                 const std::vector<bool>& ticks)
{
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < ticks.size(); ++i) {
        if (ticks[i])
            text += names[i] + ",";
    }
    if (!names.empty() && !text.empty())
        text.pop_back();
    return text;
}

int ListIndexOf(const std::string& value, int offset, int itemCount)
{
    const std::int64_t index = static_cast<std::int64_t>(StrToInt(value)) - offset;
    return index >= 0 && index < itemCount ? static_cast<int>(index) : -1;
}

PropertiesValues ReadPropertiesValues(const TCfg& report, const TLCfg& formats,
                                      const TProv& providers)
{
    PropertiesValues v;
    v.Title = report.ReportDescription;
    for (std::size_t i = 0; i < ViewNames.size(); ++i) {
        if (report.ReportType == ViewNames[i])
            v.View = static_cast<int>(i);
    }

    std::vector<std::string> logTypes;
    for (int i = 1; i <= formats.Count && i <= TLCfg::MaxFormats; ++i)
        logTypes.push_back(formats.LogType[i]);
    v.LogTypes = SortedNames(std::move(logTypes));
    for (std::size_t i = 0; i < v.LogTypes.size(); ++i) {
        if (EqualIgnoringCase(v.LogTypes[i], report.LogType)) {
            v.LogIndex = static_cast<int>(i);
            break;
        }
    }

    std::vector<std::string> names;
    for (int i = 1; i <= providers.Count && i <= TProv::MaxProviders; ++i)
        names.push_back(providers.Provider[i]);
    v.Providers = SortedNames(std::move(names));
    for (const std::string& name : v.Providers)
        v.ProviderTicks.push_back(ProviderTicked(report.ServiceProviders, name));

    v.DateAll = IsOn(report.CriteriaDateAll);
    v.DateFrom = TextToDate(report.CriteriaDateFrom);
    v.DateTo = TextToDate(report.CriteriaDateTo);
    v.TimeAll = IsOn(report.CriteriaTimeAll);
    v.TimeFrom = TextToTime(report.CriteriaTimeFrom);
    v.TimeTo = TextToTime(report.CriteriaTimeTo);
    v.DescripAll = IsOn(report.CriteriaDescripAll);
    v.Include = report.CriteriaInclude;
    v.Exclude = report.CriteriaExclude;

    v.DetailShow = IsOn(report.DetailShow);
    for (std::size_t i = 0; i < DetailFields.size(); ++i)
        v.Details[i] = IsOn(report.*DetailFields[i]);
    v.TotalShow = IsOn(report.TotalShow);
    for (std::size_t i = 0; i < TotalFields.size(); ++i)
        v.Totals[i] = IsOn(report.*TotalFields[i]);

    v.ColSize = ListIndexOf(report.ColSize, 0, 2);
    v.ColAlign = ListIndexOf(report.ColAlign, 0, 2);
    v.ColStretch = IsOn(report.ColStretch);
    v.GraphYAxis = ListIndexOf(report.GraphYAxis, 1, 5);
    v.Graph3d = ListIndexOf(report.Graph3d, 0, 2);
    v.GraphValues = IsOn(report.GraphValues);
    v.GraphLegend = IsOn(report.GraphLegend);
    return v;
}

void WritePropertiesValues(const PropertiesValues& v, TCfg& report)
{
    report.ReportDescription = v.Title;
    if (v.View >= 0 && v.View < static_cast<int>(ViewNames.size()))
        report.ReportType = ViewNames[static_cast<std::size_t>(v.View)];
    report.LogType = v.LogIndex >= 0 && v.LogIndex < static_cast<int>(v.LogTypes.size())
                         ? v.LogTypes[static_cast<std::size_t>(v.LogIndex)]
                         : std::string();
    report.ServiceProviders = JoinServiceProviders(v.Providers, v.ProviderTicks);

    report.CriteriaDateAll = Switch(v.DateAll);
    report.CriteriaDateFrom = DateToDisplayText(v.DateFrom);
    report.CriteriaDateTo = DateToDisplayText(v.DateTo);
    report.CriteriaTimeAll = Switch(v.TimeAll);
    report.CriteriaTimeFrom = TimeToText(v.TimeFrom);
    report.CriteriaTimeTo = TimeToText(v.TimeTo);
    report.CriteriaDescripAll = Switch(v.DescripAll);
    report.CriteriaInclude = v.Include;
    report.CriteriaExclude = v.Exclude;

    report.DetailShow = Switch(v.DetailShow);
    for (std::size_t i = 0; i < DetailFields.size(); ++i)
        report.*DetailFields[i] = Switch(v.Details[i]);
    report.TotalShow = Switch(v.TotalShow);
    for (std::size_t i = 0; i < TotalFields.size(); ++i)
        report.*TotalFields[i] = Switch(v.Totals[i]);

    report.ColSize = IntToStr(v.ColSize);
    report.ColAlign = IntToStr(v.ColAlign);
    report.ColStretch = Switch(v.ColStretch);
    report.GraphYAxis = IntToStr(v.GraphYAxis + 1);
    report.Graph3d = IntToStr(v.Graph3d);
    report.GraphValues = Switch(v.GraphValues);
    report.GraphLegend = Switch(v.GraphLegend);

    ResetQuickState(report);
    report.Modified = true;
}

int AppliedChangeClass(const TCfg& current, const THCfg& history)
{
    const int p = history.Position;
    // An entry index past the stored entries is treated as nothing shown.
    if (p < 0 || p >= history.Count || p >= static_cast<int>(history.Items.size()))
        return 1;
    return ReportChangeClass(current, history.Items[static_cast<std::size_t>(p)]);
}

} // namespace dialtally
