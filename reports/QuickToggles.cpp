#include "reports/QuickToggles.h"

#include "base/Clock.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/RegionalSettings.h"

namespace dialtally {

namespace {

int TCfg::*ModeField(QuickToggle toggle)
{
    switch (toggle) {
    case QuickToggle::Totals:
        return &TCfg::TotalsMode;
    case QuickToggle::Dates:
        return &TCfg::DatesMode;
    case QuickToggle::Times:
        return &TCfg::TimesMode;
    case QuickToggle::Descriptions:
        break;
    }
    return &TCfg::DescripMode;
}

constexpr QuickSetting TotalsSettings[] = {{&TCfg::TotalDay, &TCfg::DefTotalDay},
                                           {&TCfg::TotalWeek, &TCfg::DefTotalWeek},
                                           {&TCfg::TotalMonth, &TCfg::DefTotalMonth},
                                           {&TCfg::TotalYear, &TCfg::DefTotalYear}};
constexpr QuickSetting DatesSettings[] = {{&TCfg::CriteriaDateAll, &TCfg::DefDateAll},
                                          {&TCfg::CriteriaDateFrom, &TCfg::DefDateFrom},
                                          {&TCfg::CriteriaDateTo, &TCfg::DefDateTo}};
constexpr QuickSetting TimesSettings[] = {{&TCfg::CriteriaTimeAll, &TCfg::DefTimeAll},
                                          {&TCfg::CriteriaTimeFrom, &TCfg::DefTimeFrom},
                                          {&TCfg::CriteriaTimeTo, &TCfg::DefTimeTo}};
constexpr QuickSetting DescriptionsSettings[] = {{&TCfg::CriteriaDescripAll, &TCfg::DefDescripAll},
                                                 {&TCfg::CriteriaInclude, &TCfg::DefInclude},
                                                 {&TCfg::CriteriaExclude, &TCfg::DefExclude}};

void BringBackDefined(TCfg& cfg, QuickToggle toggle)
{
    for (const QuickSetting& setting : QuickSettings(toggle))
        cfg.*setting.Current = cfg.*setting.Defined;
}

// One step forward; a mode out of range (a hand-made history entry) wraps too.
int Step(int& mode, int count)
{
    mode = ((mode + 1) % count + count) % count;
    return mode;
}

TDateTime SundayOf(TDateTime date)
{
    return date - DayOfWeek(date) + 1;
}

void SetDates(TCfg& cfg, TDateTime from, TDateTime to)
{
    cfg.CriteriaDateAll = "0";
    cfg.CriteriaDateFrom = DateToDisplayText(from);
    cfg.CriteriaDateTo = DateToDisplayText(to);
}

void SetTimes(TCfg& cfg, TDateTime from, TDateTime to)
{
    cfg.CriteriaTimeAll = "0";
    cfg.CriteriaTimeFrom = TimeToText(from);
    cfg.CriteriaTimeTo = TimeToText(to);
}

std::vector<std::string> EntryCaptions(QuickToggle toggle, std::string_view includeBox,
                                       std::string_view excludeBox)
{
    const RegionalSettings& rs = Regional();
    switch (toggle) {
    case QuickToggle::Totals:
        return {"Defa&ult Totals", "&Day", "&Week", "&Month", "&Year"};
    case QuickToggle::Dates: {
        const TDateTime today = Today();
        const TDateTime sunday = SundayOf(today);
        return {"Defa&ult Dates",
                "&" + MenuText(FormatDateTime(rs.LongDateFormat, today)),
                "&" + MenuText(FormatDateTime(rs.ShortDateFormat, sunday)) + " - " +
                    MenuText(FormatDateTime(rs.ShortDateFormat, sunday + 6)),
                "&" + MenuText(FormatDateTime("MMMM yyyy", today)),
                "&" + FormatDateTime("yyyy", today),
                "A&ll"};
    }
    case QuickToggle::Times: {
        // Without AM and PM (a 24-hour clock) the halves of the day show as
        // their times.
        const auto half = [&](const std::string& designator, int firstHour) {
            if (!designator.empty())
                return "&" + MenuText(designator);
            return "&" + FormatDateTime(rs.ShortTimeFormat, EncodeTime(firstHour, 0, 0, 0)) +
                   " - " + FormatDateTime(rs.ShortTimeFormat, EncodeTime(firstHour + 11, 59, 0, 0));
        };
        return {"Defa&ult Times", half(rs.AmDesignator, 0), half(rs.PmDesignator, 12), "A&ll"};
    }
    case QuickToggle::Descriptions:
        break;
    }
    return {"Defa&ult Descriptions", "&" + MenuText(excludeBox) + "<>" + MenuText(includeBox),
            "A&ll"};
}

} // namespace

std::span<const QuickSetting> QuickSettings(QuickToggle toggle)
{
    switch (toggle) {
    case QuickToggle::Totals:
        return TotalsSettings;
    case QuickToggle::Dates:
        return DatesSettings;
    case QuickToggle::Times:
        return TimesSettings;
    case QuickToggle::Descriptions:
        break;
    }
    return DescriptionsSettings;
}

Rebuild CycleTotals(TCfg& cfg)
{
    cfg.TotalShow = "1";
    std::string* totals[] = {&cfg.TotalDay, &cfg.TotalWeek, &cfg.TotalMonth, &cfg.TotalYear};
    const int mode = Step(cfg.TotalsMode, 5);
    if (mode == 0) {
        BringBackDefined(cfg, QuickToggle::Totals);
    } else {
        for (int i = 0; i < 4; ++i)
            *totals[i] = i == mode - 1 ? "1" : "0";
    }
    return Rebuild::FromConnections;
}

Rebuild CycleDates(TCfg& cfg)
{
    const TDateTime today = Today();
    switch (Step(cfg.DatesMode, 6)) {
    case 0:
        BringBackDefined(cfg, QuickToggle::Dates);
        break;
    case 1:
        SetDates(cfg, today, today);
        break;
    case 2:
        SetDates(cfg, SundayOf(today), SundayOf(today) + 6);
        break;
    case 3:
        SetDates(cfg, today - DayOf(today) + 1, EndOfMonth(today));
        break;
    case 4:
        SetDates(cfg, EncodeDate(YearOf(today), 1, 1), EncodeDate(YearOf(today), 12, 31));
        break;
    default:
        cfg.CriteriaDateAll = "1";
        break;
    }
    return Rebuild::ReadLog;
}

Rebuild CycleTimes(TCfg& cfg)
{
    switch (Step(cfg.TimesMode, 4)) {
    case 0:
        BringBackDefined(cfg, QuickToggle::Times);
        break;
    case 1:
        SetTimes(cfg, EncodeTime(0, 0, 0, 0), EncodeTime(11, 59, 59, 999));
        break;
    case 2:
        SetTimes(cfg, EncodeTime(12, 0, 0, 0), EncodeTime(23, 59, 59, 999));
        break;
    default:
        cfg.CriteriaTimeAll = "1";
        break;
    }
    return Rebuild::ReadLog;
}

Rebuild CycleDescriptions(TCfg& cfg)
{
    switch (Step(cfg.DescripMode, 3)) {
    case 0:
        BringBackDefined(cfg, QuickToggle::Descriptions);
        break;
    case 1:
        cfg.CriteriaDescripAll = "0";
        std::swap(cfg.CriteriaInclude, cfg.CriteriaExclude);
        break;
    default:
        cfg.CriteriaDescripAll = "1";
        break;
    }
    return Rebuild::ReadLog;
}

Rebuild Cycle(TCfg& cfg, QuickToggle toggle)
{
    switch (toggle) {
    case QuickToggle::Totals:
        return CycleTotals(cfg);
    case QuickToggle::Dates:
        return CycleDates(cfg);
    case QuickToggle::Times:
        return CycleTimes(cfg);
    case QuickToggle::Descriptions:
        break;
    }
    return CycleDescriptions(cfg);
}

int ToggleModeCount(QuickToggle toggle)
{
    switch (toggle) {
    case QuickToggle::Totals:
        return 5;
    case QuickToggle::Dates:
        return 6;
    case QuickToggle::Times:
        return 4;
    case QuickToggle::Descriptions:
        break;
    }
    return 3;
}

int ToggleMode(const TCfg& cfg, QuickToggle toggle)
{
    return cfg.*ModeField(toggle);
}

Rebuild ChooseToggleMode(TCfg& cfg, QuickToggle toggle, int mode)
{
    cfg.*ModeField(toggle) = mode - 1;
    return Cycle(cfg, toggle);
}

std::vector<ToggleMenuEntry> ToggleMenu(const TCfg& cfg, QuickToggle toggle,
                                        std::string_view includeBox, std::string_view excludeBox)
{
    const std::vector<std::string> captions = EntryCaptions(toggle, includeBox, excludeBox);
    const int current = ToggleMode(cfg, toggle);
    std::vector<ToggleMenuEntry> menu;
    for (int mode = 0; mode < static_cast<int>(captions.size()); ++mode) {
        menu.push_back({captions[mode], mode, mode == current});
        if (mode == 0)
            menu.push_back({});
    }
    return menu;
}

std::string MenuText(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += '&';
        out += c;
    }
    return out;
}

bool SetView(TCfg& cfg, std::string_view view)
{
    if (cfg.ReportType == view)
        return false;
    cfg.ReportType = std::string(view);
    return true;
}

Rebuild ToggleDetails(TCfg& cfg)
{
    cfg.DetailShow = ToggleFlagText(cfg.DetailShow);
    if (!IsOn(cfg.DetailShow) && !IsOn(cfg.TotalShow))
        cfg.TotalShow = "1";
    return Rebuild::FromConnections;
}

Rebuild ToggleTotals(TCfg& cfg)
{
    cfg.TotalShow = ToggleFlagText(cfg.TotalShow);
    if (!IsOn(cfg.DetailShow) && !IsOn(cfg.TotalShow))
        cfg.DetailShow = "1";
    return Rebuild::FromConnections;
}

std::string TCfg::*LegendClickField(int legendTop, int legendBottom, int clickY)
{
    const int fifth = (legendBottom - legendTop) / 5;
    static constexpr std::string TCfg::*fields[] = {&TCfg::DetailShow, &TCfg::TotalDay,
                                                    &TCfg::TotalWeek, &TCfg::TotalMonth};
    for (int band = 0; band < 4; ++band)
        if (clickY > legendBottom - (band + 1) * fifth)
            return fields[band];
    return &TCfg::TotalYear;
}

Rebuild ToggleLegendField(TCfg& cfg, int legendTop, int legendBottom, int clickY)
{
    std::string& flag = cfg.*LegendClickField(legendTop, legendBottom, clickY);
    flag = ToggleFlagText(flag);
    return Rebuild::FromConnections;
}

} // namespace dialtally
