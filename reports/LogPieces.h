#pragma once

#include "base/ConnectionList.h"
#include "costs/Pricing.h"
#include "costs/PricingAhead.h"
#include "logs/LogSource.h"
#include "reports/LogReader.h"
#include "reports/LogStretch.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dialtally {

// Only the head of a line is looked at: the markers are searched and the
// fields located in its first 64 KiB, far past any column or delimiter count
// the built-in formats reach. A marker or field that lies beyond it in a
// longer line is not seen; such a line counts as if it ended there.
constexpr std::size_t LineHeadBytes = 64 * 1024;

// The cost of a connection of a later piece that got its end line but
// waits to be priced in order.
constexpr Currency Unpriced = std::numeric_limits<Currency>::min();

// How the reading of a stretch ended.
enum class StretchEnd { Done, Unconvertible, OutOfMemory, Unreadable };

// Reads the stretch into `list`; out of memory, the entry being added is
// dropped.
StretchEnd ReadStretch(LogStretch& stretch, LogSource& source, TRep& list);

// A plain log opened once, so that every piece reads the same file.
struct SharedLog {
    std::shared_ptr<InputFile> File;
    std::string Path;     // for the messages
    TDateTime Modified{}; // the reference of year-less lines
};

// Where a plain log of `size` bytes is cut into pieces read on two cores:
// the start of each piece, the first being 0, at line starts; just {0} for
// reading it in one piece.
std::vector<std::uint64_t> PieceStarts(const ReadContext& context, const InputFile& log,
                                       std::uint64_t size);

// Hands out the pieces of a log: the window's thread takes them from the
// front, the second core from the back, until they meet.
class PieceClaims {
public:
    explicit PieceClaims(int pieces) : m_front(1), m_back(pieces - 1) {}
    // The next piece from the front; false once all are taken.
    bool FromFront(int& piece);
    bool FromBack(int& piece);
    // No more pieces from the back: the front stopped short.
    void StopBack();

private:
    std::mutex m_mutex;
    int m_front;
    int m_back;
};

// A piece of a log read on the second core, into a list of its own.
// Pricing books monthly charges in the order of the connections, so its
// prices are guessed there and checked when it is joined.
struct LaterPiece {
    LaterPiece(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
               const CostingPass& pass, const TProv& providers);
    // Reads bytes from..to of the log through `source`, which holds the
    // markers already.
    void Read(LogSource& source, const SharedLog& log, std::uint64_t from, std::uint64_t to);

    TRep Connections;
    LogStretch Stretch;
    PricingAhead Ahead;
    StretchEnd End = StretchEnd::Done;
    // What could not be read, when it ended Unreadable.
    std::string ErrorName;
    bool ErrorFound = false;
};

// The pieces after the first, each read on the second core, from the back,
// unless the window's thread got to it first.
struct LaterPieces {
    LaterPieces(std::vector<std::uint64_t> starts, const CostingPass& pass, const TProv& providers);

    // Where piece k ends: where the next begins, or the end of the file.
    std::uint64_t End(int piece) const;
    // Reads the pieces it claims from the back, handing the room kept from
    // an earlier pass on from one to the next.
    void Read(const PassFormat& format, const TCfg& report, const PassCriteria& criteria,
              const SharedLog& log);

    const std::vector<std::uint64_t> Starts;
    PieceClaims Claims;
    // Pricing as it stood before the window's thread priced anything.
    const CostingPass Pass;
    const TProv Providers;
    TRep Room;
    std::vector<std::unique_ptr<LaterPiece>> Pieces; // null where not read here
};

// Whether the newest connection of the list waits for its end line, and the
// UTC offset its begin line gave.
struct OpenConnection {
    bool Open = false;
    std::optional<int> Offset;
};

// Joins a later piece to the list read so far, whose reading ended well:
// closes the connection left open (`pending`) with the end line the piece
// kept aside, moves the piece's connections to the end of the list and
// prices them in order until the billing state agrees with the guess; the
// guessed prices stand from there. Ends as reading the log in one piece
// would have ended; `pending` then tells of the newest connection of the
// list.
StretchEnd JoinPiece(ReadContext& context, OpenConnection& pending, LaterPiece& piece,
                     TDateTime& lastDate, const std::function<void(int)>& price);

} // namespace dialtally
