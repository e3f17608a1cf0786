#include "reports/DetailRowsAhead.h"

#include <algorithm>

namespace dialtally {

DetailRowsAhead::DetailRowsAhead(const TCfg& cfg, const EngineOptions& options, const TRep& rep)
    : m_rep(rep)
{
    for (Chunk& chunk : m_chunks)
        chunk.Writer =
            std::make_unique<ReportRowWriter>(cfg, options, rep, chunk.Rows, chunk.Points);
    m_thread = std::thread([this] { Make(); });
}

DetailRowsAhead::~DetailRowsAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void DetailRowsAhead::Make()
{
    try {
        for (int number = 1; number * ChunkRows <= m_rep.LastIndex; number += 2) {
            Chunk& chunk = m_chunks[(number / 2) % 2];
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || chunk.Number < 0; });
                if (m_stop)
                    return;
            }
            chunk.Rows.Clear();
            chunk.Points.Clear();
            const int end = std::min((number + 1) * ChunkRows, m_rep.LastIndex + 1);
            for (int i = number * ChunkRows; i < end; ++i)
                chunk.Writer->DetailRow(i);
            {
                const std::lock_guard lock(m_mutex);
                chunk.Number = number;
            }
            m_changed.notify_all();
        }
    } catch (...) {
        {
            const std::lock_guard lock(m_mutex);
            m_fault = std::current_exception();
        }
        m_changed.notify_all();
    }
}

void DetailRowsAhead::TakeRow(int i, ReportRowWriter& writer)
{
    const int number = i / ChunkRows;
    Chunk& chunk = m_chunks[(number / 2) % 2];
    if (i % ChunkRows == 0) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_fault || chunk.Number == number; });
        if (m_fault)
            std::rethrow_exception(m_fault);
    }
    const int row = i - number * ChunkRows;
    writer.TakeDetailRow(chunk.Rows, row, chunk.Points.Of(ChartLevel::Details).Points[row]);
    if (row == ChunkRows - 1 || i == m_rep.LastIndex) {
        {
            const std::lock_guard lock(m_mutex);
            chunk.Number = -1;
        }
        m_changed.notify_all();
    }
}

} // namespace dialtally
