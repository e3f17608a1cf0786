#include "base/ConnectionList.h"

namespace dialtally {

namespace {

// Calls `step` with each array of `a` and the same array of `b`.
template <class Step> void ForEachArray(TRep& a, TRep& b, Step step)
{
    step(a.DateTimeOn, b.DateTimeOn);
    step(a.DateTimeOff, b.DateTimeOff);
    step(a.Duration, b.Duration);
    step(a.Cost, b.Cost);
    step(a.Service, b.Service);
    step(a.MonthCharge, b.MonthCharge);
}

} // namespace

void ClearConnections(TRep& rep)
{
    rep.LastIndex = -1;
    rep.DateTimeOn.clear();
    rep.DateTimeOff.clear();
    rep.Duration.clear();
    rep.Cost.clear();
    rep.Service.clear();
    rep.MonthCharge.clear();
}

int AddConnection(TRep& rep)
{
    ++rep.LastIndex;
    const auto index = static_cast<std::size_t>(rep.LastIndex);
    if (index % 100 == 0) {
        const std::size_t length = index + 100;
        rep.DateTimeOn.resize(length);
        rep.DateTimeOff.resize(length);
        rep.Duration.resize(length);
        rep.Cost.resize(length);
        rep.Service.resize(length);
        rep.MonthCharge.resize(length);
    }
    rep.DateTimeOn[index] = 0;
    rep.DateTimeOff[index] = 0;
    rep.Duration[index] = 0;
    rep.Cost[index] = 0;
    rep.Service[index].clear();
    rep.MonthCharge[index] = 0;
    return rep.LastIndex;
}

void ShareConnectionRoom(TRep& rep, TRep& other)
{
    const std::size_t keep = rep.DateTimeOn.capacity() / 2;
    ForEachArray(rep, other, [keep](auto& from, auto& to) { from.MoveRoomTo(to, keep); });
}

void MoveSpareRoom(TRep& from, TRep& to)
{
    ForEachArray(from, to, [](auto& a, auto& b) { a.MoveRoomTo(b, 0); });
}

void AppendConnections(TRep& to, TRep& from)
{
    const auto kept = static_cast<std::size_t>(to.Count());
    const auto moved = static_cast<std::size_t>(from.Count());
    // As AddConnection leaves them: room up to the next hundred.
    const std::size_t room = (kept + moved + 99) / 100 * 100;
    ForEachArray(to, from, [&](auto& into, auto& out) {
        into.resize(kept);
        out.resize(moved);
        into.MoveAppend(out);
        into.resize(room);
    });
    to.LastIndex += from.LastIndex + 1;
    from.LastIndex = -1;
}

} // namespace dialtally
