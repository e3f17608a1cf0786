#include "reports/LogReader.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "costs/Pricing.h"
#include "reports/LogPieces.h"
#include "reports/LogStretch.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <system_error>

namespace dialtally {

namespace {

// How long the window's thread waits for the second core between two
// repaints.
constexpr std::chrono::milliseconds WaitStepMs{20};

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

// What a pass reads a log with.
struct PassOf {
    const PassFormat& Format;
    const TCfg& Report;
    PassCriteria& Criteria;
    const CostingPass& Pricing;
};

// A long plain log is read in pieces on two cores: the window's thread from
// the front, a second one from the back. The first begin line sets the
// criteria every piece tests, so it is looked for first. The pieces for
// the second thread, or none when the log is short or its first begin line
// ends the pass.
std::unique_ptr<LaterPieces> SplitRead(ReadContext& context, LogStretch& stretch, PassOf pass,
                                       const SharedLog& log)
{
    const std::uint64_t size = log.File->Size();
    std::vector<std::uint64_t> starts = PieceStarts(context, *log.File, size);
    if (starts.size() < 2)
        return nullptr;
    LogSource head(LineHeadBytes);
    std::optional<TDateTime> firstDate;
    head.OpenPart(log.File, log.Path, 0, size, log.Modified);
    AddMarkers(head, pass.Format);
    try {
        firstDate = stretch.FirstBeginDate(head);
    } catch (const ConversionError&) {
        // Read in one piece, the pass stops there with its message.
    }
    if (!firstDate || head.Failed())
        return nullptr;
    ApplyAllSwitches(context.Report, pass.Criteria, *firstDate);
    stretch.FirstBegin = nullptr;
    auto later = std::make_unique<LaterPieces>(std::move(starts), pass.Pricing, context.Providers);
    // Room kept from an earlier pass would stand idle while the later
    // pieces' lists are made beside it.
    ShareConnectionRoom(context.Connections, later->Room);
    return later;
}

// The message of a pass that did not read to the end: of the piece that
// ended it when that is not the window's thread's.
void ShowReadEnd(StretchEnd end, const LogSource& file, const LaterPiece* failed)
{
    switch (end) {
    case StretchEnd::Unconvertible:
        ShowError(ParsingMessage);
        break;
    case StretchEnd::OutOfMemory:
        ShowError("Out of memory.");
        break;
    case StretchEnd::Unreadable:
        if (failed)
            ShowReadError(failed->ErrorName, failed->ErrorFound);
        else
            ShowError(file.ErrorText());
        break;
    case StretchEnd::Done:
        break;
    }
    // The members of a set left for lines of another stamp style are named;
    // what the others held was read whole.
    if (!file.SkippedMembers().empty())
        ShowError(std::string(ParsingMessage) + "\n\rNot read: the rest of " +
                  file.SkippedMembers() + ".");
}

} // namespace

bool ReadConnectionLog(ReadContext& context)
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
        return false;
    }
    context.Formats.Current = f;
    const std::string path = context.Formats.LogFile[f];
    const PassFormat format = ParseFormat(context.Formats, f);

    LogSource file(LineHeadBytes);
    BusyWhileReading busy;
    if (!file.Open(path)) {
        ShowError(file.ErrorText());
        build();
        return false;
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

    // Every piece reads the file opened here: a log rotated meanwhile
    // leaves the pass with the file it began on. Declared before the second
    // thread's future, whose end waits for that thread, so that it outlives
    // the read however the pass ends.
    const SharedLog log{file.PlainFile(), path, modified};
    std::unique_ptr<LaterPieces> later;
    std::future<void> laterRead;
    // Lines without a year take theirs from the lines before them.
    if (log.File && !format.YearFromFile())
        later = SplitRead(context, stretch, PassOf{format, report, criteria, pass}, log);
    if (later) {
        try {
            laterRead = std::async(std::launch::async, [&, pieces = later.get()] {
                pieces->Read(format, report, criteria, log);
            });
        } catch (const std::system_error&) {
            // No thread to be had: this one reads every piece.
        }
    }
    AddMarkers(file, format);
    if (format.YearFromFile())
        stretch.LearnYears(file);
    StretchEnd end = StretchEnd::Done;
    int piece = 0;
    do {
        if (later)
            file.OpenPart(log.File, path, later->Starts[static_cast<std::size_t>(piece)],
                          later->End(piece), modified);
        end = ReadStretch(stretch, file, rep);
    } while (end == StretchEnd::Done && later && piece + 1 != context.FrontPieces &&
             later->Claims.FromFront(piece));
    if (stretch.DateRead())
        lastDate = stretch.LastDate();
    const LaterPiece* failed = nullptr; // the piece that ended the pass, if not this thread's
    if (later) {
        if (end != StretchEnd::Done)
            later->Claims.StopBack(); // nothing past here is joined
        if (laterRead.valid()) {
            while (laterRead.wait_for(WaitStepMs) != std::future_status::ready)
                CurrentFrontEnd().KeepResponsive();
            laterRead.get();
        }
        OpenConnection pending{stretch.Pending(), stretch.PendingOffset()};
        for (auto k = static_cast<std::size_t>(piece) + 1;
             end == StretchEnd::Done && k < later->Pieces.size(); ++k) {
            LaterPiece* const next = later->Pieces[k].get();
            if (!next) {
                end = StretchEnd::OutOfMemory;
                break;
            }
            end = JoinPiece(context, pending, *next, lastDate, price);
            failed = next;
        }
    }

    file.Close();
    busy.Off();
    if (end == StretchEnd::Done && IsOn(report.CriteriaDateAll))
        report.CriteriaDateTo = DateToDisplayText(lastDate);
    ShowReadEnd(end, file, failed);
    build();
    return end == StretchEnd::Done;
}

} // namespace dialtally
