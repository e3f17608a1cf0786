#pragma once

#include "base/ConnectionList.h"
#include "reports/ChartSeries.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportFormats.h"
#include "reports/ReportRows.h"
#include "reports/ReportTable.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace dialtally {

// Detail rows made on a second core for a build that makes the others. The
// rows come in chunks: while the build works through chunk n, the second
// core makes chunk n + 1 from its first row on. When the build reaches that
// chunk it takes the rows made so far and makes the rest itself, so the two
// cores share the rows in whatever measure their speeds allow, and the rows
// stand in the table as if the build had made them all. At most two chunks
// wait in memory.
class DetailRowsAhead {
public:
    static constexpr int ChunkRows = 8192;

    DetailRowsAhead(const TCfg& cfg, const EngineOptions& options, const TRep& rep);
    ~DetailRowsAhead();
    DetailRowsAhead(const DetailRowsAhead&) = delete;
    DetailRowsAhead& operator=(const DetailRowsAhead&) = delete;

    // Writes connection i's detail row through the build's writer when it
    // was made here; false when the build is to make it. Rows are asked
    // for in order.
    bool TakeRow(int i, ReportRowWriter& writer);

private:
    struct Chunk {
        ReportTable Rows;
        ReportChart Points;
        std::unique_ptr<ReportRowWriter> Writer;
        int Number = -1; // the chunk it holds, -1 for none
        // The next row of the chunk to make here; the build sets it past
        // the end to take the chunk over.
        std::atomic<int> Next{0};
        std::atomic<int> Made{0}; // rows made here so far
    };

    void Make();
    // Stops the making of chunk `number` and tells how many of its rows
    // were made here.
    int TakeOver(int number);

    const TRep& m_rep;
    std::array<Chunk, 2> m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    int m_building = 0;  // the chunk the build works on
    int m_takenRows = 0; // rows of that chunk made here, for the build to take
    std::exception_ptr m_fault;
    std::thread m_thread;
};

} // namespace dialtally
