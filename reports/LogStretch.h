#pragma once

#include "base/ConnectionList.h"
#include "base/DateTime.h"
#include "logs/Locator.h"
#include "logs/LogFormats.h"
#include "logs/LogSource.h"
#include "reports/LogYears.h"
#include "reports/ReportDefinition.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// The locators of one side of a connection (begin or end line), parsed once
// per pass.
struct LineFields {
    ParsedLocator Month, Day, Year, Time, Ampm;
    bool YearFromFile = false; // the lines carry no year
};

// A log format as the reader uses it.
struct PassFormat {
    std::string Online, Offline;
    LineFields On, Off;
    ParsedLocator Service;
    bool SameFields = false; // end lines are read with the begin line's locators
    bool YearFromFile() const { return On.YearFromFile || Off.YearFromFile; }
};

PassFormat ParseFormat(const TLCfg& formats, int f);
// Tells the source which texts mark the lines a pass looks at.
void AddMarkers(LogSource& source, const PassFormat& format);

// The criteria one pass applies to begin lines.
struct PassCriteria {
    TDateTime DateFrom = 0, DateTo = 0;
    TDateTime TimeFrom = 0, TimeTo = 0;
};

// The whole seconds from `on` to `off`. When both lines gave their UTC
// offset, in real time: a connection over a change of daylight saving
// time lasts as long as it did, not as the clock moved.
int ConnectionSeconds(TDateTime on, TDateTime off, std::optional<int> onOffset,
                      std::optional<int> offOffset);

// Turns the lines of one stretch of a log into connections: a begin line
// that passes the criteria adds one, an end line closes the newest open
// one. A log read in two stretches at once is joined by the first: the
// second cannot know whether a connection of the first is still open when
// it starts, so it keeps aside the end line that would close it.
class LogStretch {
public:
    // The end line that would close a connection left open by the stretch
    // before: the first end line ahead of this stretch's first connection.
    struct EarlierEnd {
        bool Seen = false;
        bool Failed = false;    // its fields did not convert
        bool Overtaken = false; // a later line set the last date
        TDateTime Date = 0, Time = 0;
        std::optional<int> Offset; // its UTC offset, when it gives one
    };

    LogStretch(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
               TRep& connections);

    // Called with the first begin line's date, before its criteria are tested.
    std::function<void(TDateTime date)> FirstBegin;
    // Called with the index of each connection that got its end line.
    std::function<void(int index)> Closed;
    // Called every few thousand lines.
    std::function<void()> Ongoing;
    // For a stretch that is not the first: keep the EarlierEnd aside.
    void WatchForEarlierEnd() { m_watching = true; }

    // Reads to the end of the source (or to a read error, which the source
    // tells). Throws ConversionError at a field that does not convert and
    // std::bad_alloc when the list cannot grow (Adding() then tells that
    // the newest entry is incomplete).
    void Read(LogSource& source);
    // Of a format whose lines carry no year: reads the source once, to tell
    // the years of its lines apart, and restarts it for Read. Does nothing
    // to a source that cannot be read twice.
    void LearnYears(LogSource& source);
    // The date of the source's first begin line, read as Read would read
    // the line; nothing when it has none. Throws as Read would there.
    std::optional<TDateTime> FirstBeginDate(LogSource& source);

    bool Pending() const { return m_pending; }
    // The UTC offset the open connection's begin line gave, if any.
    std::optional<int> PendingOffset() const { return m_pendingOffset; }
    bool Adding() const { return m_adding; }
    // Whether what Read threw came from Closed (a tariff that does not
    // convert) rather than from a line.
    bool ThrownByClosed() const { return m_inClosed; }
    // The date of the last begin line or closing end line, if any was read.
    bool DateRead() const { return m_dateRead; }
    TDateTime LastDate() const { return m_lastDate; }
    const EarlierEnd& Earlier() const { return m_earlier; }

private:
    void NoteDate(TDateTime date);

    const PassFormat& m_format;
    const TCfg& m_report;
    const PassCriteria& m_criteria;
    TRep& m_rep;

    // Reused buffers, so that reading a line allocates nothing.
    struct Scratch {
        std::string Field; // a located text with append texts
        std::string Time;  // time field, blank, marker field
        // The month, day and year texts of the last date read, and that
        // date: the lines of one day repeat them.
        std::string DateParts[3];
        TDateTime Date = 0;
        bool DateKnown = false;
        std::optional<int> Offset; // of the last time read
    };
    Scratch m_scratch;
    LogYears m_years;
    int m_lineYear = 0;
    TDateTime ReadDate(const LineFields& fields, const LocatorLine& line);
    // Of a format whose lines carry no year: the year of the line being
    // read, from the date on its begin or end side.
    void NoteLineYear(LogSource& source, const LocatorLine& line, bool begin, bool learn);
    TDateTime ReadTime(const LineFields& fields, const LocatorLine& line);
    std::string_view Field(const ParsedLocator& locator, const LocatorLine& line);

    bool m_pending = false;
    std::optional<int> m_pendingOffset;
    bool m_adding = false;
    bool m_inClosed = false;
    bool m_dateRead = false;
    TDateTime m_lastDate = 0;
    bool m_watching = false;
    int m_gaps = 0; // of the source, when last looked at
    std::int64_t m_added = 0;
    EarlierEnd m_earlier;
};

} // namespace dialtally
