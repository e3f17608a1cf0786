#pragma once

#include "base/ConnectionList.h"
#include "reports/ChartSeries.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportFormats.h"
#include "reports/ReportRows.h"
#include "reports/ReportTable.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace dialtally {

// Detail rows made on a second core for a build that makes the others. The
// rows come in chunks: every other chunk is made here and the build takes
// it in its turn, so that at most two chunks wait in memory and the rows
// stand in the table as if the build had made them all.
class DetailRowsAhead {
public:
    static constexpr int ChunkRows = 8192;

    DetailRowsAhead(const TCfg& cfg, const EngineOptions& options, const TRep& rep);
    ~DetailRowsAhead();
    DetailRowsAhead(const DetailRowsAhead&) = delete;
    DetailRowsAhead& operator=(const DetailRowsAhead&) = delete;

    // Whether connection i's detail row is made here.
    static bool MadeHere(int i) { return (i / ChunkRows) % 2 == 1; }
    // Writes connection i's detail row, made here, through the build's
    // writer; waits for it if need be. Rows are taken in order.
    void TakeRow(int i, ReportRowWriter& writer);

private:
    struct Chunk {
        ReportTable Rows;
        ReportChart Points;
        std::unique_ptr<ReportRowWriter> Writer;
        int Number = -1; // the chunk it holds, -1 for none
    };

    void Make();

    const TRep& m_rep;
    std::array<Chunk, 2> m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    std::exception_ptr m_fault;
    std::thread m_thread;
};

} // namespace dialtally
