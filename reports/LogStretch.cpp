#include "reports/LogStretch.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/Utf8Text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace dialtally {

namespace {

// The reader's marker groups.
constexpr std::uint32_t BeginMarkers = 1;
constexpr std::uint32_t EndMarkers = 2;

// How many lines are read between two calls of Ongoing.
constexpr unsigned OngoingLines = 4096;

// Date texts are a few bytes long: comparing them here costs less than a
// call to memcmp.
bool SameShortText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k])
            return false;
    return true;
}

// The minutes east of UTC that an RFC 3339 stamp gives right after the
// time text `time` located in `line` (the time follows the date's "T"; the
// offset, "+02:00", "-05:00" or "Z", after any fraction of a second); none
// when the line gives no offset there. journalctl before systemd 255 writes
// the offset without its colon, "+0200".
std::optional<int> UtcOffsetAfter(std::string_view line, std::string_view time)
{
    const char* const end = line.data() + line.size();
    const char* p = time.data() + time.size();
    // A text the locator made up (appended texts) stands elsewhere; the time
    // of a stamp follows the date's "T".
    if (time.empty() || time.data() <= line.data() || p >= end ||
        (time.data()[-1] != 'T' && time.data()[-1] != 't'))
        return std::nullopt;
    const auto digit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
    if (*p == '.' || *p == ',') {
        for (++p; p != end && digit(*p); ++p) {
        }
        if (p == end)
            return std::nullopt;
    }
    if (*p == 'Z' || *p == 'z')
        return 0;
    if ((*p != '+' && *p != '-') || end - p < 5 || !digit(p[1]) || !digit(p[2]))
        return std::nullopt;
    const char* const m = p[3] == ':' ? p + 4 : p + 3;
    if (end - m < 2 || !digit(m[0]) || !digit(m[1]) || (end - m > 2 && digit(m[2])))
        return std::nullopt;
    const int minutes = ((p[1] - '0') * 10 + (p[2] - '0')) * 60 + (m[0] - '0') * 10 + (m[1] - '0');
    return *p == '-' ? -minutes : minutes;
}

} // namespace

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

// Only lines that hold a marker can begin or end a connection; the reader
// passes over the others without handing them out. The stretch still tests
// each line with the marker lists as they stand.
void AddMarkers(LogSource& source, const PassFormat& format)
{
    for (const auto& [list, group] :
         {std::pair{&format.Online, BeginMarkers}, std::pair{&format.Offline, EndMarkers}})
        for (std::size_t start = 0; start <= list->size();) {
            const std::size_t cut = std::min(list->find(',', start), list->size());
            const std::string_view marker = std::string_view(*list).substr(start, cut - start);
            source.AddMarker(marker, group);
            // A marker typed here is UTF-8; a log from Windows spells it in
            // its code page, which the tests of the line read as well.
            if (!IsAscii(marker))
                if (const std::optional<std::string> spelled = Windows1252FromUtf8(marker))
                    source.AddMarker(*spelled, group);
            start = cut + 1;
        }
}

int ConnectionSeconds(TDateTime on, TDateTime off, std::optional<int> onOffset,
                      std::optional<int> offOffset)
{
    if (onOffset && offOffset && *onOffset != *offOffset)
        return SpanSeconds(off - on - static_cast<double>(*offOffset - *onOffset) / 1440.0);
    return SpanSeconds(off - on);
}

LogStretch::LogStretch(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
                       TRep& connections)
    : m_format(format), m_report(report), m_criteria(criteria), m_rep(connections)
{
}

// The located text: a piece of the line itself unless the locator appends
// text to it.
std::string_view LogStretch::Field(const ParsedLocator& locator, const LocatorLine& line)
{
    if (locator.Begin.Append.empty() && locator.End.Append.empty())
        return LocateField(locator, line);
    m_scratch.Field = ApplyLocator(locator, line);
    return m_scratch.Field;
}

// A line whose date texts are the last line's takes its date without
// reading them again.
TDateTime LogStretch::ReadDate(const LineFields& fields, const LocatorLine& line)
{
    Scratch& scratch = m_scratch;
    if (fields.YearFromFile) {
        // The year comes from the file, so equal texts need not mean the
        // same date across the members of a set.
        scratch.DateKnown = false;
        const int month = LogMonth(Field(fields.Month, line));
        const int day = StrToInt(Field(fields.Day, line));
        return LogDate(m_lineYear, month, day);
    }
    const ParsedLocator* const locators[] = {&fields.Month, &fields.Day, &fields.Year};
    bool same = scratch.DateKnown;
    for (int k = 0; k < 3; ++k) {
        const std::string_view text = Field(*locators[k], line);
        if (!SameShortText(text, scratch.DateParts[k])) {
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
TDateTime LogStretch::ReadTime(const LineFields& fields, const LocatorLine& line)
{
    TDateTime time = 0;
    std::string_view text = Field(fields.Time, line);
    m_scratch.Offset = UtcOffsetAfter(line.Text, text);
    // A time completed by its locator stands in the scratch field, which
    // the marker field would take over.
    if (text.data() == m_scratch.Field.data()) {
        m_scratch.Time.assign(text);
        text = m_scratch.Time;
    }
    const std::string_view marker = Field(fields.Ampm, line);
    if (marker.empty() && TryPlainTimeOfDay(text, time))
        return time;
    if (text.data() != m_scratch.Time.data())
        m_scratch.Time.assign(text);
    m_scratch.Time += ' ';
    m_scratch.Time += marker;
    return TextToTime(m_scratch.Time);
}

void LogStretch::NoteDate(TDateTime date)
{
    m_lastDate = date;
    m_dateRead = true;
    if (m_earlier.Seen)
        m_earlier.Overtaken = true;
}

void LogStretch::NoteLineYear(LogSource& source, const LocatorLine& line, bool begin, bool learn)
{
    const LineFields& fields = begin ? m_format.On : m_format.Off;
    int month = 0, day = 0;
    try {
        month = LogMonth(Field(fields.Month, line));
        day = StrToInt(Field(fields.Day, line));
    } catch (const ConversionError&) {
        return; // reading the line's date stops there
    }
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return;
    if (learn)
        m_years.Learn(source.Member(), month, day, source.Modified(), begin);
    else
        m_lineYear = m_years.YearOf(source.Member(), month, day, source.Modified());
}

void LogStretch::LearnYears(LogSource& source)
{
    if (!source.CanRestart())
        return;
    const PassFormat& format = m_format;
    const bool everyLine = format.Online.empty() || format.Offline.empty();
    std::string_view line;
    for (unsigned lines = 1;
         everyLine ? source.ReadLine(line) : source.ReadMarkedLine(line, BeginMarkers | EndMarkers);
         ++lines) {
        if (lines % OngoingLines == 0 && Ongoing)
            Ongoing();
        if (MatchesLists(line, format.Online, {}))
            NoteLineYear(source, LocatorLine(line), true, true);
        else if (MatchesLists(line, format.Offline, {}))
            NoteLineYear(source, LocatorLine(line), false, true);
    }
    source.Restart();
}

std::optional<TDateTime> LogStretch::FirstBeginDate(LogSource& source)
{
    std::string_view line;
    while (m_format.Online.empty() ? source.ReadLine(line)
                                   : source.ReadMarkedLine(line, BeginMarkers))
        if (MatchesLists(line, m_format.Online, {})) {
            const LocatorLine begin(line);
            if (m_format.YearFromFile())
                NoteLineYear(source, begin, true, false);
            const TDateTime date = ReadDate(m_format.On, begin);
            ReadTime(m_format.On, begin); // a time that does not convert stops Read first
            return date;
        }
    return std::nullopt;
}

void LogStretch::Read(LogSource& source)
{
    const PassFormat& format = m_format;
    // Whether an end line now would close something: an open connection of
    // this stretch, or one the stretch before may have left open.
    const auto closing = [&] { return m_pending || (m_watching && m_added == 0); };
    // Lines without a year take theirs from every line before them, as
    // LearnYears read them.
    const bool everyEnd = format.YearFromFile();
    const auto nextLine = [&](std::string_view& line) {
        const bool ends = everyEnd || closing();
        // An empty marker list makes every line a begin or an end line.
        if (format.Online.empty() || (ends && format.Offline.empty()))
            return source.ReadLine(line);
        return source.ReadMarkedLine(line, BeginMarkers | (ends ? EndMarkers : 0));
    };
    std::string_view line;
    // What the source's search already tells saves testing the line again.
    const auto holds = [&](std::uint32_t group, const std::string& markers) {
        const std::optional<bool> known = source.MarkerOccurs(group);
        return known ? *known : MatchesLists(line, markers, {});
    };
    for (unsigned lines = 1; nextLine(line); ++lines) {
        if (lines % OngoingLines == 0 && Ongoing)
            Ongoing();
        if (source.Gaps() != m_gaps) {
            // The end line of a connection open at the gap may be lost with
            // it; a later one would join two connections into one. It keeps
            // end = begin, as one still open at the end of the log does.
            m_gaps = source.Gaps();
            m_pending = false;
        }
        bool begin = false;
        TDateTime date = 0, time = 0;
        // The lines handed over are nearly all begin or end lines.
        const LocatorLine marked(line);
        if (holds(BeginMarkers, format.Online)) {
            begin = true;
            if (everyEnd)
                NoteLineYear(source, marked, true, false);
            date = ReadDate(format.On, marked);
            time = ReadTime(format.On, marked);
            NoteDate(date);
            if (FirstBegin)
                std::exchange(FirstBegin, nullptr)(date);
            if (m_criteria.DateFrom <= date && date <= m_criteria.DateTo &&
                m_criteria.TimeFrom <= time && time <= m_criteria.TimeTo) {
                const std::string_view service = Field(format.Service, marked);
                if (MatchesLists(service, m_report.CriteriaInclude, m_report.CriteriaExclude)) {
                    m_adding = true;
                    const auto i = static_cast<std::size_t>(AddConnection(m_rep));
                    m_rep.DateTimeOn[i] = date + time;
                    m_rep.DateTimeOff[i] = date + time;
                    m_rep.Service[i].assign(service);
                    m_adding = false;
                    ++m_added;
                    m_pending = true;
                    m_pendingOffset = m_scratch.Offset;
                }
            }
        }
        if (!(closing() || everyEnd) || !holds(EndMarkers, format.Offline))
            continue;
        if (everyEnd && !begin)
            NoteLineYear(source, marked, false, false);
        if (!closing())
            continue;
        const bool earlier = !m_pending;
        // A line that both begins and ends (every line of a format without
        // markers) need not be read twice.
        if (!begin || !format.SameFields) {
            try {
                date = ReadDate(format.Off, marked);
                time = ReadTime(format.Off, marked);
            } catch (const ConversionError&) {
                if (!earlier)
                    throw;
                // Whether this stops the pass depends on the stretch before.
                m_earlier = {.Seen = true, .Failed = true, .Offset = std::nullopt};
                m_watching = false;
                continue;
            }
        }
        if (earlier) {
            m_earlier = {.Seen = true, .Date = date, .Time = time, .Offset = m_scratch.Offset};
            m_watching = false;
            continue;
        }
        NoteDate(date);
        const int index = m_rep.LastIndex;
        m_rep.DateTimeOff[index] = date + time;
        m_rep.Duration[index] = ConnectionSeconds(m_rep.DateTimeOn[index], m_rep.DateTimeOff[index],
                                                  m_pendingOffset, m_scratch.Offset);
        m_pending = false;
        if (Closed) {
            m_inClosed = true;
            Closed(index);
            m_inClosed = false;
        }
    }
}

} // namespace dialtally
