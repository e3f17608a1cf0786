#include "reports/LogReader.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "costs/Pricing.h"
#include "costs/PricingAhead.h"
#include "logs/LogSource.h"
#include "reports/LogStretch.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <limits>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

namespace dialtally {

namespace {

// Only the head of a line is looked at: the markers are searched and the
// fields located in its first 64 KiB, far past any column or delimiter count
// the built-in formats reach. A marker or field that lies beyond it in a
// longer line is not seen; such a line counts as if it ended there.
constexpr std::size_t LineHeadBytes = 64 * 1024;

// A plain log at least this long is read on two cores, in two halves.
constexpr std::uint64_t SplitReadBytes = 8 << 20;
// How far past the middle a line end is looked for before giving up.
constexpr std::uint64_t SplitSearchBytes = 1 << 20;

// How long the first half waits for the second between two repaints.
constexpr std::chrono::milliseconds WaitStepMs{20};

// The cost of a connection of the second half that got its end line but
// waits to be priced in order.
constexpr Currency Unpriced = std::numeric_limits<Currency>::min();

const char* const ParsingMessage =
    "There was a problem parsing the log file.\n\rVerify the Log file Format entries.";

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

// The first begin line of the log sets the criteria the "all" switches ask
// for. The report is not marked modified: these texts follow the log.
void ApplyAllSwitches(TCfg& report, PassCriteria& criteria, TDateTime firstDate)
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

// How the reading of a stretch ended.
enum class StretchEnd { Done, Unconvertible, OutOfMemory, Unreadable };

// Reads the stretch into `list`; out of memory, the entry being added is
// dropped.
StretchEnd ReadStretch(LogStretch& stretch, LogSource& source, TRep& list)
{
    try {
        stretch.Read(source);
    } catch (const ConversionError&) {
        return StretchEnd::Unconvertible;
    } catch (const std::bad_alloc&) {
        if (stretch.Adding())
            --list.LastIndex;
        return StretchEnd::OutOfMemory;
    }
    return source.Failed() ? StretchEnd::Unreadable : StretchEnd::Done;
}

// Just past the first line end at or after `near`; 0 when there is none
// close enough before the end of the file.
std::uint64_t LineStartAfter(const std::string& path, std::uint64_t near, std::uint64_t size)
{
    FileRange range;
    if (near == 0 || near >= size ||
        !range.Open(path, near, std::min(size, near + SplitSearchBytes)))
        return 0;
    char block[4096];
    std::uint64_t at = near;
    for (ssize_t got; (got = range.Read(block, sizeof block)) > 0;
         at += static_cast<std::uint64_t>(got))
        if (const void* end = std::memchr(block, '\n', static_cast<std::size_t>(got))) {
            const std::uint64_t start =
                at + static_cast<std::uint64_t>(static_cast<const char*>(end) - block) + 1;
            return start < size ? start : 0;
        }
    return 0;
}

// Where a plain log of `size` bytes is cut in two, 0 for not at all.
std::uint64_t SplitPoint(const ReadContext& context, const std::string& path, std::uint64_t size)
{
    std::uint64_t near = 0;
    if (context.SplitNear)
        near = context.SplitNear(size);
    else if (size >= SplitReadBytes && std::thread::hardware_concurrency() >= 2)
        near = size / 2;
    return LineStartAfter(path, near, size);
}

// The second half of a log read on a thread of its own, into a list of its
// own. Pricing books monthly charges in the order of the connections, so
// its prices are guessed there and checked when the halves are joined.
struct SecondHalf {
    SecondHalf(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
               const CostingPass& pass, const TProv& providers)
        : Format(format), Source(LineHeadBytes), Stretch(format, report, criteria, Connections),
          Ahead(pass, providers)
    {
        Stretch.Closed = [this](int index) { Connections.Cost[index] = Unpriced; };
        Stretch.WatchForEarlierEnd();
    }

    void Read(const std::string& path, std::uint64_t from, TDateTime modified)
    {
        if (!Source.OpenPart(path, from, UINT64_MAX, modified)) {
            End = StretchEnd::Unreadable;
            return;
        }
        AddMarkers(Source, Format);
        End = ReadStretch(Stretch, Source, Connections);
        Ahead.Price(Connections, Unpriced);
    }

    const PassFormat& Format;
    TRep Connections;
    LogSource Source;
    LogStretch Stretch;
    PricingAhead Ahead;
    StretchEnd End = StretchEnd::Done;
};

// Joins the second half to the first, whose reading ended well: closes the
// connection the first left open with the end line the second kept aside,
// moves the second's connections after the first's and prices them in
// order until the billing state agrees with the guess; the guessed prices
// stand from there. Ends as reading the whole log in one piece would have
// ended.
StretchEnd JoinHalves(ReadContext& context, const LogStretch& first, SecondHalf& second,
                      TDateTime& lastDate, const std::function<void(int)>& price)
{
    TRep& rep = context.Connections;
    const LogStretch::EarlierEnd& earlier = second.Stretch.Earlier();
    const bool closesEarlier = first.Pending() && earlier.Seen;
    try {
        if (closesEarlier) {
            if (earlier.Failed)
                return StretchEnd::Unconvertible;
            const int index = rep.LastIndex;
            rep.DateTimeOff[index] = earlier.Date + earlier.Time;
            rep.Duration[index] = SpanSeconds(rep.DateTimeOff[index] - rep.DateTimeOn[index]);
            lastDate = earlier.Date;
            price(index);
        }
        if (second.Stretch.DateRead() && !(closesEarlier && !earlier.Overtaken))
            lastDate = second.Stretch.LastDate();
        const int from = rep.Count();
        AppendConnections(rep, second.Connections);
        const PricingAhead& ahead = second.Ahead;
        const auto closed = [&](int i) {
            return ahead.Guessed() ? ahead.Closed(i - from) : rep.Cost[i] == Unpriced;
        };
        for (int i = from; i <= rep.LastIndex; ++i) {
            if (!closed(i))
                continue;
            rep.Cost[i] = 0;
            rep.MonthCharge[i] = 0;
            try {
                price(i);
            } catch (const ConversionError&) {
                // Read in one piece, the pass stops at this end line.
                rep.LastIndex = i;
                return StretchEnd::Unconvertible;
            }
            if (ahead.Agrees(context.Providers, i - from)) {
                ahead.HandOverState(context.Providers);
                if (context.Closed)
                    for (int j = i + 1; j <= rep.LastIndex; ++j)
                        if (closed(j))
                            context.Closed(j);
                break;
            }
        }
    } catch (const ConversionError&) {
        return StretchEnd::Unconvertible;
    } catch (const std::bad_alloc&) {
        return StretchEnd::OutOfMemory;
    }
    return second.End;
}

} // namespace

void ReadConnectionLog(ReadContext& context)
{
    TRep& rep = context.Connections;
    TCfg& report = context.Report;
    ClearConnections(rep);

    TDateTime lastDate = Today();
    PassCriteria criteria;
    criteria.DateFrom = TextToDate(report.CriteriaDateFrom);
    criteria.DateTo = TextToDate(report.CriteriaDateTo);
    criteria.TimeFrom = TextToTime(report.CriteriaTimeFrom);
    criteria.TimeTo = TextToTime(report.CriteriaTimeTo);

    CostingPass pass;
    StartCosting(pass, context.Providers, context.Links, report.ServiceProviders);

    const auto build = [&] {
        if (context.BuildReport)
            context.BuildReport();
    };
    const int f = FindLogFormat(context.Formats, report.LogType);
    if (f == 0) {
        ShowReadError(report.LogType);
        build();
        return;
    }
    context.Formats.Current = f;
    const std::string path = context.Formats.LogFile[f];
    const PassFormat format = ParseFormat(context.Formats, f);

    LogSource file(LineHeadBytes);
    BusyWhileReading busy;
    if (!file.Open(path)) {
        ShowReadError(file.ErrorName(), file.ErrorFound());
        build();
        return;
    }
    CurrentFrontEnd().SetStatusText(0, "Reading " + path);
    busy.On();

    const std::function<void(int)> price = [&](int index) {
        rep.Cost[index] = PriceConnection(pass, context.Providers, rep, index);
        if (context.Closed)
            context.Closed(index);
    };
    const TDateTime modified = file.Modified();
    LogStretch stretch(format, report, criteria, rep);
    stretch.FirstBegin = [&](TDateTime date) { ApplyAllSwitches(report, criteria, date); };
    stretch.Closed = price;
    stretch.Ongoing = [] { CurrentFrontEnd().KeepResponsive(); };

    // A long plain log is read in two halves at once, the second on a
    // thread of its own. The first begin line sets the criteria both
    // halves test, so it is looked for first.
    std::unique_ptr<SecondHalf> second;
    std::future<void> secondRead;
    const std::optional<std::uint64_t> size = file.PlainFileSize();
    if (const std::uint64_t middle = size ? SplitPoint(context, path, *size) : 0; middle > 0) {
        LogSource head(LineHeadBytes);
        std::optional<TDateTime> firstDate;
        if (head.OpenPart(path, 0, middle, modified)) {
            AddMarkers(head, format);
            try {
                firstDate = stretch.FirstBeginDate(head);
            } catch (const ConversionError&) {
                // Read in one piece, the pass stops there with its message.
            }
        }
        if (firstDate && !head.Failed()) {
            if (file.OpenPart(path, 0, middle, modified)) {
                ApplyAllSwitches(report, criteria, *firstDate);
                stretch.FirstBegin = nullptr;
                second =
                    std::make_unique<SecondHalf>(format, report, criteria, pass, context.Providers);
                // Room kept from an earlier pass would stand idle while the
                // second half's list is made beside it.
                ShareConnectionRoom(rep, second->Connections);
                try {
                    secondRead = std::async(std::launch::async,
                                            [half = second.get(), path, middle, modified] {
                                                half->Read(path, middle, modified);
                                            });
                } catch (const std::system_error&) {
                    second.reset(); // no thread to be had: one piece after all
                }
            }
            if (!second && !file.Open(path)) {
                busy.Off();
                ShowReadError(file.ErrorName(), file.ErrorFound());
                build();
                return;
            }
        }
    }
    AddMarkers(file, format);
    StretchEnd end = ReadStretch(stretch, file, rep);
    if (stretch.DateRead())
        lastDate = stretch.LastDate();
    const LogSource* failed = &file;
    if (second) {
        while (secondRead.wait_for(WaitStepMs) != std::future_status::ready)
            CurrentFrontEnd().KeepResponsive();
        secondRead.get();
        if (end == StretchEnd::Done) {
            end = JoinHalves(context, stretch, *second, lastDate, price);
            failed = &second->Source;
        }
    }

    file.Close();
    busy.Off();
    switch (end) {
    case StretchEnd::Unconvertible:
        ShowError(ParsingMessage);
        break;
    case StretchEnd::OutOfMemory:
        ShowError("Out of memory.");
        break;
    case StretchEnd::Unreadable:
        ShowReadError(failed->ErrorName(), failed->ErrorFound());
        break;
    case StretchEnd::Done:
        if (IsOn(report.CriteriaDateAll))
            report.CriteriaDateTo = DateToDisplayText(lastDate);
        break;
    }
    build();
}

} // namespace dialtally
