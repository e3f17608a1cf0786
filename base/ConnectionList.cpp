#include "base/ConnectionList.h"

namespace dialtally {

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

} // namespace dialtally
