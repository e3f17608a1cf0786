#include "reports/DetailRowsAhead.h"

#include <algorithm>
#include <climits>

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
    for (Chunk& chunk : m_chunks)
        chunk.Next.store(INT_MAX);
    m_changed.notify_all();
    m_thread.join();
}

void DetailRowsAhead::Make()
{
    try {
        for (int number = 1; number * ChunkRows <= m_rep.LastIndex; ++number) {
            Chunk& chunk = m_chunks[number % 2];
            {
                // The chunk's place is free once the build has moved past
                // the chunk before it.
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || m_building >= number - 1; });
                if (m_stop)
                    return;
                chunk.Rows.Clear();
                chunk.Points.Clear();
                chunk.Made.store(0);
                chunk.Next.store(0);
                chunk.Number = number;
            }
            m_changed.notify_all();
            const int first = number * ChunkRows;
            const int rows = std::min(ChunkRows, m_rep.LastIndex + 1 - first);
            for (int row = 0; row < rows; ++row) {
                int expected = row;
                if (!chunk.Next.compare_exchange_strong(expected, row + 1))
                    break; // taken over by the build
                chunk.Writer->DetailRow(first + row);
                chunk.Made.store(row + 1, std::memory_order_release);
            }
        }
    } catch (...) {
        {
            const std::lock_guard lock(m_mutex);
            m_fault = std::current_exception();
        }
        m_changed.notify_all();
    }
}

int DetailRowsAhead::TakeOver(int number)
{
    Chunk& chunk = m_chunks[number % 2];
    {
        std::unique_lock lock(m_mutex);
        m_building = number;
        m_changed.notify_all();
        // The second core begins a chunk as soon as the build reaches the
        // one before it; wait for that beginning, or for its failure.
        m_changed.wait(lock, [&] { return m_fault || chunk.Number == number; });
        if (m_fault)
            std::rethrow_exception(m_fault);
    }
    const int taken = chunk.Next.exchange(INT_MAX);
    const int made = std::min(taken, ChunkRows);
    // A row begun before the take-over is finished first.
    while (chunk.Made.load(std::memory_order_acquire) < made) {
        std::unique_lock lock(m_mutex);
        if (m_fault)
            std::rethrow_exception(m_fault);
        lock.unlock();
        std::this_thread::yield();
    }
    return made;
}

bool DetailRowsAhead::TakeRow(int i, ReportRowWriter& writer)
{
    const int number = i / ChunkRows;
    const int row = i - number * ChunkRows;
    if (number == 0)
        return false;
    if (row == 0)
        m_takenRows = TakeOver(number);
    if (row >= m_takenRows)
        return false;
    Chunk& chunk = m_chunks[number % 2];
    writer.TakeDetailRow(chunk.Rows, row, chunk.Points);
    return true;
}

} // namespace dialtally
