#include "reports/LogPieces.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <thread>

namespace dialtally {

namespace {

// A plain log at least this long is read on two cores, in pieces of about
// PieceBytes, at most MaxPieces of them: small enough that the core that
// finishes first takes over what the other has not begun.
constexpr std::uint64_t SplitReadBytes = 8 << 20;
constexpr std::uint64_t PieceBytes = 4 << 20;
constexpr std::uint64_t MaxPieces = 16;
// How far past a cut a line end is looked for before giving up the cut.
constexpr std::uint64_t SplitSearchBytes = 1 << 20;

// Just past the first line end at or after `near`; 0 when there is none
// close enough before the end of the file.
std::uint64_t LineStartAfter(const InputFile& log, std::uint64_t near, std::uint64_t size)
{
    if (near == 0 || near >= size)
        return 0;
    const std::uint64_t last = std::min(size, near + SplitSearchBytes);
    char block[4096];
    std::uint64_t at = near;
    for (ssize_t got;
         at < last &&
         (got = log.ReadAt(block, std::min<std::uint64_t>(sizeof block, last - at), at)) > 0;
         at += static_cast<std::uint64_t>(got))
        if (const void* end = std::memchr(block, '\n', static_cast<std::size_t>(got))) {
            const std::uint64_t start =
                at + static_cast<std::uint64_t>(static_cast<const char*>(end) - block) + 1;
            return start < size ? start : 0;
        }
    return 0;
}

} // namespace

StretchEnd ReadStretch(LogStretch& stretch, LogSource& source, TRep& list)
{
    while (true) {
        try {
            stretch.Read(source);
            break;
        } catch (const ConversionError&) {
            // A set's member in a stamp style of its own is left; the others
            // are read all the same.
            if (stretch.ThrownByClosed() || !source.SkipMember())
                return StretchEnd::Unconvertible;
        } catch (const std::bad_alloc&) {
            if (stretch.Adding())
                --list.LastIndex;
            return StretchEnd::OutOfMemory;
        }
    }
    return source.Failed() ? StretchEnd::Unreadable : StretchEnd::Done;
}

std::vector<std::uint64_t> PieceStarts(const ReadContext& context, const InputFile& log,
                                       std::uint64_t size)
{
    std::vector<std::uint64_t> nears;
    if (context.CutsNear) {
        nears = context.CutsNear(size);
        std::sort(nears.begin(), nears.end());
    } else if (size >= SplitReadBytes && std::thread::hardware_concurrency() >= 2) {
        const std::uint64_t pieces = std::clamp<std::uint64_t>(size / PieceBytes, 2, MaxPieces);
        for (std::uint64_t k = 1; k < pieces; ++k)
            nears.push_back(size / pieces * k);
    }
    std::vector<std::uint64_t> starts{0};
    for (const std::uint64_t near : nears)
        if (const std::uint64_t start = LineStartAfter(log, near, size); start > starts.back())
            starts.push_back(start);
    return starts;
}

bool PieceClaims::FromFront(int& piece)
{
    const std::lock_guard lock(m_mutex);
    if (m_front > m_back)
        return false;
    piece = m_front++;
    return true;
}

bool PieceClaims::FromBack(int& piece)
{
    const std::lock_guard lock(m_mutex);
    if (m_front > m_back)
        return false;
    piece = m_back--;
    return true;
}

void PieceClaims::StopBack()
{
    const std::lock_guard lock(m_mutex);
    m_back = m_front - 1;
}

LaterPiece::LaterPiece(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
                       const CostingPass& pass, const TProv& providers)
    : Stretch(format, report, criteria, Connections), Ahead(pass, providers)
{
    Stretch.Closed = [this](int index) { Connections.Cost[index] = Unpriced; };
    Stretch.WatchForEarlierEnd();
}

void LaterPiece::Read(LogSource& source, const SharedLog& log, std::uint64_t from, std::uint64_t to)
{
    source.OpenPart(log.File, log.Path, from, to, log.Modified);
    End = ReadStretch(Stretch, source, Connections);
    if (End == StretchEnd::Unreadable) {
        ErrorName = source.ErrorName();
        ErrorFound = source.ErrorFound();
    }
    source.Close();
    Ahead.Price(Connections, Unpriced);
}

LaterPieces::LaterPieces(std::vector<std::uint64_t> starts, const CostingPass& pass,
                         const TProv& providers)
    : Starts(std::move(starts)), Claims(static_cast<int>(Starts.size())), Pass(pass),
      Providers(providers), Pieces(Starts.size())
{
}

std::uint64_t LaterPieces::End(int piece) const
{
    const auto next = static_cast<std::size_t>(piece) + 1;
    return next < Starts.size() ? Starts[next] : UINT64_MAX;
}

void LaterPieces::Read(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
                       const SharedLog& log)
{
    LogSource source(LineHeadBytes);
    AddMarkers(source, format);
    int k = 0;
    while (Claims.FromBack(k)) {
        try {
            auto piece = std::make_unique<LaterPiece>(format, report, criteria, Pass, Providers);
            piece->Connections = std::move(Room);
            piece->Read(source, log, Starts[static_cast<std::size_t>(k)], End(k));
            Room = TRep{};
            MoveSpareRoom(piece->Connections, Room);
            Pieces[static_cast<std::size_t>(k)] = std::move(piece);
        } catch (const std::bad_alloc&) {
            // The piece stays missing and ends the pass there.
            Claims.StopBack();
        }
    }
}

StretchEnd JoinPiece(ReadContext& context, OpenConnection& pending, LaterPiece& piece,
                     TDateTime& lastDate, const std::function<void(int)>& price)
{
    TRep& rep = context.Connections;
    const LogStretch::EarlierEnd& earlier = piece.Stretch.Earlier();
    const bool closesEarlier = pending.Open && earlier.Seen;
    try {
        if (closesEarlier) {
            if (earlier.Failed)
                return StretchEnd::Unconvertible;
            const int index = rep.LastIndex;
            rep.DateTimeOff[index] = earlier.Date + earlier.Time;
            rep.Duration[index] = ConnectionSeconds(rep.DateTimeOn[index], rep.DateTimeOff[index],
                                                    pending.Offset, earlier.Offset);
            lastDate = earlier.Date;
            pending.Open = false;
            price(index);
        }
        if (piece.Stretch.DateRead() && !(closesEarlier && !earlier.Overtaken))
            lastDate = piece.Stretch.LastDate();
        if (piece.Connections.Count() > 0)
            pending = {piece.Stretch.Pending(), piece.Stretch.PendingOffset()};
        const int from = rep.Count();
        AppendConnections(rep, piece.Connections);
        const PricingAhead& ahead = piece.Ahead;
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
    return piece.End;
}

} // namespace dialtally
