#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// What a body row of the report stands for; the views pick fonts and
// colours by it, and the message row carries a picture in front of it.
enum class RowKind : std::uint8_t { Head, Message, Detail, Day, Week, Month, Year, Total };

inline bool IsTotalRow(RowKind kind)
{
    return kind >= RowKind::Day;
}

// Seven text columns and the hidden sequence number.
constexpr int ReportTextColumns = 7;
constexpr int ReportColumns = 8;
constexpr int SequenceColumn = 7;

// The report grid as plain data: row 0 holds the heads, the body rows
// follow in build order. No empty placeholder row is kept: an empty list
// gives one message row, a build that shows nothing only the heads. All cell texts share one buffer
// so that a report of a million connections costs one allocation per few thousand rows.
struct ReportTable {
    std::string Text;                // every cell text, end to end
    std::vector<std::uint32_t> Ends; // end of each cell in Text, seven per row
    std::vector<RowKind> Kinds;      // one per row
    // Each row's number in build order, once the rows were reordered;
    // empty while they stand in build order.
    std::vector<std::uint32_t> Sequence;

    int RowCount() const { return static_cast<int>(Kinds.size()); }
    int BodyRowCount() const { return RowCount() > 0 ? RowCount() - 1 : 0; }

    // Column 0..6 of a row.
    std::string_view Cell(int row, int column) const
    {
        const std::size_t index = static_cast<std::size_t>(row) * ReportTextColumns + column;
        const std::uint32_t begin = index == 0 ? 0 : Ends[index - 1];
        return std::string_view(Text).substr(begin, Ends[index] - begin);
    }
    // The row's place in build order: 1, 2, 3, ... for the body rows.
    int SequenceNumber(int row) const
    {
        return Sequence.empty() ? row : static_cast<int>(Sequence[row]);
    }
    // As Cell, and column 7: the row's sequence number (empty in the head).
    std::string CellText(int row, int column) const
    {
        if (column == SequenceColumn)
            return row == 0 ? std::string() : std::to_string(SequenceNumber(row));
        return std::string(Cell(row, column));
    }

    void Clear()
    {
        Text.clear();
        Ends.clear();
        Kinds.clear();
        Sequence.clear();
    }
    // A row is started with its kind and gets its seven cells by appending
    // each text to Text and closing it with EndCell.
    void StartRow(RowKind kind)
    {
        if (!Sequence.empty())
            Sequence.push_back(static_cast<std::uint32_t>(Kinds.size()));
        Kinds.push_back(kind);
    }
    void EndCell()
    {
        if (Text.size() > UINT32_MAX)
            throw std::length_error("report table too large");
        Ends.push_back(static_cast<std::uint32_t>(Text.size()));
    }
    void AddCell(std::string_view text)
    {
        Text.append(text);
        EndCell();
    }
    // Adds a copy of row `row` of `other`, its cells' texts in one piece.
    void AddRowOf(const ReportTable& other, int row)
    {
        const std::size_t first = static_cast<std::size_t>(row) * ReportTextColumns;
        const std::uint32_t begin = first == 0 ? 0 : other.Ends[first - 1];
        const std::uint32_t end = other.Ends[first + ReportTextColumns - 1];
        StartRow(other.Kinds[static_cast<std::size_t>(row)]);
        const std::size_t base = Text.size();
        if (base + (end - begin) > UINT32_MAX)
            throw std::length_error("report table too large");
        Text.append(other.Text, begin, end - begin);
        for (std::size_t c = first; c < first + ReportTextColumns; ++c)
            Ends.push_back(static_cast<std::uint32_t>(base + (other.Ends[c] - begin)));
    }
};

// How the grid shows its columns.
struct ColumnLayout {
    std::array<bool, ReportColumns> Visible{true, true, true, true, true, true, true, false};
    std::array<int, ReportColumns> Width{64, 64, 64, 64, 64, 64, 64, 64}; // pixels
    bool Stretch = false; // the columns fill the table's width
};

struct SortIndicator {
    int Column = 0;
    bool Ascending = true;
    bool Shown = false;
};

} // namespace dialtally
