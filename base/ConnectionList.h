#pragma once

#include "base/Currency.h"
#include "base/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialtally {

// The connections of one report pass, as six parallel arrays sharing one
// index. Only the entry at LastIndex can still wait for its end line.
struct TRep {
    std::int32_t LastIndex = -1;        // newest connection; -1 when empty
    std::vector<TDateTime> DateTimeOn;  // begin date and time
    std::vector<TDateTime> DateTimeOff; // end; equals DateTimeOn until paired
    std::vector<std::int32_t> Duration; // whole seconds; 0 until paired
    std::vector<Currency> Cost;         // time charge; 0 until paired
    std::vector<std::string> Service;   // description from the begin line
    std::vector<Currency> MonthCharge;  // monthly charges booked on it

    int Count() const { return LastIndex + 1; }
};

void ClearConnections(TRep& rep);
// Adds an empty connection and returns its index (the new LastIndex). The
// arrays grow in blocks of 100 entries. Throws std::bad_alloc when memory
// runs out, leaving LastIndex at the new entry.
int AddConnection(TRep& rep);

} // namespace dialtally
