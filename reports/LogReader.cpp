#include "reports/LogReader.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "base/Numbers.h"
#include "costs/Pricing.h"
#include "logs/Locator.h"
#include "logs/LogSource.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace dialtally {

namespace {

// Only the head of a line is looked at: the markers are searched and the
// fields located in its first 64 KiB, far past any column or delimiter count
// the built-in formats reach. A marker or field that lies beyond it in a
// longer line is not seen; such a line counts as if it ended there.
constexpr std::size_t LineHeadBytes = 64 * 1024;

// The reader's marker groups.
constexpr std::uint32_t BeginMarkers = 1;
constexpr std::uint32_t EndMarkers = 2;

const char* const ParsingMessage =
    "There was a problem parsing the log file.\n\rVerify the Log file Format entries.";

// The locators of one side of a connection (begin or end line), parsed once
// per pass.
struct LineFields {
    ParsedLocator Month, Day, Year, Time, Ampm;
    bool YearFromFile = false; // the lines carry no year
};

struct PassFormat {
    std::string Online, Offline;
    LineFields On, Off;
    ParsedLocator Service;
    bool SameFields = false; // end lines are read with the begin line's locators
};

PassFormat ParseFormat(const TLCfg& formats, int f)
{
    PassFormat format;
    format.Online = formats.Online[f];
    format.Offline = formats.Offline[f];
    format.On = {ParseLocator(formats.OnMonth[f]), ParseLocator(formats.OnDate[f]),
                 ParseLocator(formats.OnYear[f]), ParseLocator(formats.OnTime[f]),
                 ParseLocator(formats.OnAmpm[f])};
    format.Off = {ParseLocator(formats.OffMonth[f]), ParseLocator(formats.OffDate[f]),
                  ParseLocator(formats.OffYear[f]), ParseLocator(formats.OffTime[f]),
                  ParseLocator(formats.OffAmpm[f])};
    format.On.YearFromFile = IsFileYearLocator(formats.OnYear[f]);
    format.Off.YearFromFile = IsFileYearLocator(formats.OffYear[f]);
    format.Service = ParseLocator(formats.OnService[f]);
    format.SameFields =
        formats.OnMonth[f] == formats.OffMonth[f] && formats.OnDate[f] == formats.OffDate[f] &&
        formats.OnYear[f] == formats.OffYear[f] && formats.OnTime[f] == formats.OffTime[f] &&
        formats.OnAmpm[f] == formats.OffAmpm[f];
    return format;
}

// Reused buffers, so that reading a line allocates nothing.
struct Scratch {
    std::string Field; // a located text with append texts
    std::string Time;  // time field, blank, marker field
    // The month, day and year texts of the last date read, and that date:
    // the lines of one day repeat them.
    std::string DateParts[3];
    TDateTime Date = 0;
    bool DateKnown = false;
};

// The located text: a piece of the line itself unless the locator appends
// text to it.
std::string_view Field(const ParsedLocator& locator, std::string_view line, std::string& buffer)
{
    if (locator.Begin.Append.empty() && locator.End.Append.empty())
        return LocateField(locator, line);
    buffer = ApplyLocator(locator, line);
    return buffer;
}

// `modified` is when the log was last written to: year-less lines take
// their year from it. A line whose date texts are the last line's takes
// its date without reading them again.
TDateTime ReadDate(const LineFields& fields, std::string_view line, Scratch& scratch,
                   TDateTime modified)
{
    if (fields.YearFromFile) {
        // The year comes from the file, so equal texts need not mean the
        // same date across the members of a set.
        scratch.DateKnown = false;
        const int month = LogMonth(Field(fields.Month, line, scratch.Field));
        const int day = StrToInt(Field(fields.Day, line, scratch.Field));
        return LogDate(InferYear(month, day, modified), month, day);
    }
    const ParsedLocator* const locators[] = {&fields.Month, &fields.Day, &fields.Year};
    bool same = scratch.DateKnown;
    for (int k = 0; k < 3; ++k) {
        const std::string_view text = Field(*locators[k], line, scratch.Field);
        if (text != scratch.DateParts[k]) {
            same = false;
            scratch.DateParts[k].assign(text);
        }
    }
    if (same)
        return scratch.Date;
    scratch.DateKnown = false;
    scratch.Date = LogDate(StrToInt(scratch.DateParts[2]), LogMonth(scratch.DateParts[0]),
                           StrToInt(scratch.DateParts[1]));
    scratch.DateKnown = true;
    return scratch.Date;
}

// The time field and the marker field with one blank between them.
TDateTime ReadTime(const LineFields& fields, std::string_view line, Scratch& scratch)
{
    TDateTime time = 0;
    if (Field(fields.Ampm, line, scratch.Field).empty() &&
        TryPlainTimeOfDay(Field(fields.Time, line, scratch.Field), time))
        return time;
    scratch.Time.assign(Field(fields.Time, line, scratch.Field));
    scratch.Time += ' ';
    scratch.Time += Field(fields.Ampm, line, scratch.Field);
    return TextToTime(scratch.Time);
}

// Switches the busy cursor on for the read and off again however it ends.
class BusyWhileReading {
public:
    void On()
    {
        SetBusy(true);
        m_on = true;
    }
    void Off()
    {
        if (m_on)
            SetBusy(false);
        m_on = false;
    }
    ~BusyWhileReading() { Off(); }

private:
    bool m_on = false;
};

// The criteria one pass applies to begin lines.
struct Criteria {
    TDateTime DateFrom = 0, DateTo = 0;
    TDateTime TimeFrom = 0, TimeTo = 0;
};

// The first begin line of the log sets the criteria the "all" switches ask
// for. The report is not marked modified: these texts follow the log.
void ApplyAllSwitches(TCfg& report, Criteria& criteria, TDateTime firstDate)
{
    if (IsOn(report.CriteriaDateAll)) {
        report.CriteriaDateFrom = DateToDisplayText(firstDate);
        criteria.DateFrom = firstDate;
        criteria.DateTo = EncodeDate(2100, 12, 31);
    }
    if (IsOn(report.CriteriaTimeAll)) {
        criteria.TimeFrom = EncodeTime(0, 0, 0, 0);
        criteria.TimeTo = EncodeTime(23, 59, 59, 999);
        report.CriteriaTimeFrom = TimeToText(criteria.TimeFrom);
        report.CriteriaTimeTo = TimeToText(criteria.TimeTo);
    }
    if (IsOn(report.CriteriaDescripAll)) {
        report.CriteriaInclude.clear();
        report.CriteriaExclude.clear();
    }
}

void Build(ReadContext& context)
{
    if (context.BuildReport)
        context.BuildReport();
}

} // namespace

void ReadConnectionLog(ReadContext& context)
{
    TRep& rep = context.Connections;
    TCfg& report = context.Report;
    ClearConnections(rep);

    TDateTime lastDate = Today();
    Criteria criteria;
    criteria.DateFrom = TextToDate(report.CriteriaDateFrom);
    criteria.DateTo = TextToDate(report.CriteriaDateTo);
    criteria.TimeFrom = TextToTime(report.CriteriaTimeFrom);
    criteria.TimeTo = TextToTime(report.CriteriaTimeTo);

    CostingPass pass;
    StartCosting(pass, context.Providers, context.Links, report.ServiceProviders);
    bool first = true;

    const int f = FindLogFormat(context.Formats, report.LogType);
    if (f == 0) {
        ShowReadError(report.LogType);
        Build(context);
        return;
    }
    context.Formats.Current = f;
    const std::string path = context.Formats.LogFile[f];
    const PassFormat format = ParseFormat(context.Formats, f);

    LogSource file(LineHeadBytes);
    BusyWhileReading busy;
    if (!file.Open(path)) {
        ShowReadError(file.ErrorName(), file.ErrorFound());
        Build(context);
        return;
    }
    CurrentFrontEnd().SetStatusText(0, "Reading " + path);
    busy.On();

    // Only lines that hold a marker can begin or end a connection; the
    // reader passes over the others without handing them out. The tests
    // below still decide, with the marker lists as they stand.
    for (const auto& [list, group] :
         {std::pair{&format.Online, BeginMarkers}, std::pair{&format.Offline, EndMarkers}})
        for (std::size_t start = 0; start <= list->size();) {
            const std::size_t cut = std::min(list->find(',', start), list->size());
            file.AddMarker(std::string_view(*list).substr(start, cut - start), group);
            start = cut + 1;
        }
    bool pending = false;
    const auto nextLine = [&](std::string_view& line) {
        // An empty marker list makes every line a begin or an end line.
        if (format.Online.empty() || (pending && format.Offline.empty()))
            return file.ReadLine(line);
        return file.ReadMarkedLine(line, BeginMarkers | (pending ? EndMarkers : 0));
    };
    bool adding = false; // the list is growing by the entry at LastIndex
    Scratch scratch;
    try {
        std::string_view line;
        while (nextLine(line)) {
            bool begin = false;
            TDateTime date = 0, time = 0;
            if (MatchesLists(line, format.Online, {})) {
                begin = true;
                date = ReadDate(format.On, line, scratch, file.Modified());
                time = ReadTime(format.On, line, scratch);
                lastDate = date;
                if (first) {
                    ApplyAllSwitches(report, criteria, date);
                    first = false;
                }
                if (criteria.DateFrom <= date && date <= criteria.DateTo &&
                    criteria.TimeFrom <= time && time <= criteria.TimeTo) {
                    const std::string_view service = Field(format.Service, line, scratch.Field);
                    if (MatchesLists(service, report.CriteriaInclude, report.CriteriaExclude)) {
                        adding = true;
                        const auto i = static_cast<std::size_t>(AddConnection(rep));
                        rep.DateTimeOn[i] = date + time;
                        rep.DateTimeOff[i] = date + time;
                        rep.Service[i].assign(service);
                        adding = false;
                        pending = true;
                    }
                }
            }
            if (pending && MatchesLists(line, format.Offline, {})) {
                // A line that both begins and ends (every line of a format
                // without markers) need not be read twice.
                if (!begin || !format.SameFields) {
                    date = ReadDate(format.Off, line, scratch, file.Modified());
                    time = ReadTime(format.Off, line, scratch);
                }
                lastDate = date;
                const int index = rep.LastIndex;
                rep.DateTimeOff[index] = date + time;
                rep.Duration[index] = SpanSeconds(rep.DateTimeOff[index] - rep.DateTimeOn[index]);
                rep.Cost[index] = PriceConnection(pass, context.Providers, rep, index);
                pending = false;
                if (context.Closed)
                    context.Closed(index);
            }
        }
    } catch (const ConversionError&) {
        file.Close();
        busy.Off();
        ShowError(ParsingMessage);
        Build(context);
        return;
    } catch (const std::bad_alloc&) {
        file.Close();
        busy.Off();
        if (adding)
            --rep.LastIndex;
        ShowError("Out of memory.");
        Build(context);
        return;
    }
    if (file.Failed()) {
        file.Close();
        busy.Off();
        ShowReadError(file.ErrorName(), file.ErrorFound());
        Build(context);
        return;
    }
    if (IsOn(report.CriteriaDateAll))
        report.CriteriaDateTo = DateToDisplayText(lastDate);
    file.Close();
    busy.Off();
    Build(context);
}

} // namespace dialtally
