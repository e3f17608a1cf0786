#pragma once

#include "base/Currency.h"
#include "base/DateTime.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace dialtally {

// An array whose entries live in blocks of fixed size that never move:
// growing it copies nothing and never holds the old and the new storage at
// once, so a list of a million connections costs little more than its
// entries. Blocks are kept when it shrinks, for the next pass to reuse.
template <class T> class BlockArray {
public:
    BlockArray() = default;
    BlockArray(const BlockArray& other) { *this = other; }
    BlockArray& operator=(const BlockArray& other)
    {
        if (this != &other) {
            resize(other.m_size);
            for (std::size_t i = 0; i < m_size; ++i)
                (*this)[i] = other[i];
        }
        return *this;
    }
    BlockArray(BlockArray&&) noexcept = default;
    BlockArray& operator=(BlockArray&&) noexcept = default;

    T& operator[](std::size_t i)
    {
        assert(i < m_size);
        return m_blocks[i >> BlockBits][i & BlockMask];
    }
    const T& operator[](std::size_t i) const
    {
        assert(i < m_size);
        return m_blocks[i >> BlockBits][i & BlockMask];
    }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::size_t capacity() const { return m_blocks.size() << BlockBits; }

    // Entries added are value-initialised, as a vector's are; entries cut
    // off are reset so that they hold no memory.
    void resize(std::size_t size)
    {
        while (capacity() < size)
            m_blocks.push_back(std::make_unique<T[]>(BlockSize));
        if constexpr (!std::is_trivially_destructible_v<T>)
            for (std::size_t i = size; i < m_size; ++i)
                m_blocks[i >> BlockBits][i & BlockMask] = T{};
        for (std::size_t i = m_size; i < size; ++i)
            m_blocks[i >> BlockBits][i & BlockMask] = T{};
        m_size = size;
    }
    void clear() { resize(0); }

    // Frees the blocks that hold no entry.
    void ReleaseSpare() { m_blocks.resize((m_size + BlockMask) >> BlockBits); }

    // Hands the blocks past its entries and past room for `keep` entries to
    // `other`, which holds none: room kept from an earlier pass is put to use
    // by a second reader.
    void MoveRoomTo(BlockArray& other, std::size_t keep)
    {
        assert(other.m_size == 0);
        const std::size_t kept =
            std::max((keep + BlockMask) >> BlockBits, (m_size + BlockMask) >> BlockBits);
        while (m_blocks.size() > kept) {
            other.m_blocks.push_back(std::move(m_blocks.back()));
            m_blocks.pop_back();
        }
    }

    // Moves the entries of `other` to the end of this array and leaves it
    // empty. Each block of `other`, once emptied, becomes one of this
    // array's: the moved entries are never held twice, and the blocks stay
    // in use rather than idle in the heap of the thread that made them.
    void MoveAppend(BlockArray& other)
    {
        ReleaseSpare();
        std::vector<std::unique_ptr<T[]>> emptied;
        emptied.reserve(2);
        const std::size_t base = m_size;
        // In runs that stay within one block on both sides: for numbers a
        // plain copy of memory, not an index sum per entry.
        for (std::size_t i = 0; i < other.m_size;) {
            const std::size_t to = base + i;
            if ((to >> BlockBits) >= m_blocks.size()) {
                if (emptied.empty()) {
                    m_blocks.push_back(std::make_unique<T[]>(BlockSize));
                } else {
                    m_blocks.push_back(std::move(emptied.back()));
                    emptied.pop_back();
                }
            }
            const std::size_t run = std::min(
                {BlockSize - (to & BlockMask), BlockSize - (i & BlockMask), other.m_size - i});
            T* from = &other.m_blocks[i >> BlockBits][i & BlockMask];
            std::move(from, from + run, &m_blocks[to >> BlockBits][to & BlockMask]);
            i += run;
            if ((i & BlockMask) == 0)
                emptied.push_back(std::move(other.m_blocks[(i - 1) >> BlockBits]));
        }
        m_size = base + other.m_size;
        other.m_blocks.clear();
        other.m_size = 0;
    }

private:
    static constexpr std::size_t BlockBits = 10;
    static constexpr std::size_t BlockSize = std::size_t{1} << BlockBits;
    static constexpr std::size_t BlockMask = BlockSize - 1;

    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_size = 0;
};

// The connections of one report pass, as six parallel arrays sharing one
// index. Only the entry at LastIndex can still wait for its end line.
struct TRep {
    std::int32_t LastIndex = -1;       // newest connection; -1 when empty
    BlockArray<TDateTime> DateTimeOn;  // begin date and time
    BlockArray<TDateTime> DateTimeOff; // end; equals DateTimeOn until paired
    BlockArray<std::int32_t> Duration; // whole seconds; 0 until paired
    BlockArray<Currency> Cost;         // time charge; 0 until paired
    BlockArray<std::string> Service;   // description from the begin line
    BlockArray<Currency> MonthCharge;  // monthly charges booked on it

    int Count() const { return LastIndex + 1; }
};

void ClearConnections(TRep& rep);
// Adds an empty connection and returns its index (the new LastIndex). The
// list's length grows in steps of 100 entries, its room in blocks of 1,024
// that never move. Throws std::bad_alloc when memory runs out, leaving
// LastIndex at the new entry.
int AddConnection(TRep& rep);
// Gives the empty list `other` the second half of the room `rep`, which
// holds no entries, kept from an earlier pass.
void ShareConnectionRoom(TRep& rep, TRep& other);
// Gives the empty list `to` the blocks of `from` that hold no entries.
void MoveSpareRoom(TRep& from, TRep& to);
// Moves the connections of `from` after those of `to`, leaving `from` empty.
void AppendConnections(TRep& to, TRep& from);

} // namespace dialtally
