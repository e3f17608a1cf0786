#include "reports/ReportSearch.h"

#include "base/Utf8Text.h"

#include <algorithm>
#include <cstdint>

namespace dialtally {

namespace {

// A code point of a valid UTF-8 sequence at text[i], or -1 with length 1.
char32_t Decode(std::string_view text, std::size_t i, std::size_t& length)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    length = 1;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return static_cast<char32_t>(-1);
    }
    if (i + extra >= text.size())
        return static_cast<char32_t>(-1);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80)
            return static_cast<char32_t>(-1);
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (cp < least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return static_cast<char32_t>(-1);
    length = static_cast<std::size_t>(extra) + 1;
    return cp;
}

char32_t UpperOf(char32_t cp)
{
    if (cp >= 'a' && cp <= 'z')
        return cp - 0x20;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
        return cp - 0x20;
    if (cp == 0xFF)
        return 0x178;
    // Latin Extended-A pairs: capital then small, except where the pairs
    // start on an odd code point.
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
        return cp & ~char32_t{1};
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
        return cp % 2 == 0 ? cp - 1 : cp;
    if (cp == 0x3C2)
        return 0x3A3;
    if (cp >= 0x3B1 && cp <= 0x3C9)
        return cp - 0x20;
    if (cp >= 0x430 && cp <= 0x44F)
        return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F)
        return cp - 0x50;
    return cp;
}

void AsciiUpper(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 0x20);
}

// Compares cells with one search text, folding as the direction asks.
class CellMatcher {
public:
    CellMatcher(std::string_view text, const FindOptions& options, bool localeFold)
        : m_options(options), m_localeFold(localeFold), m_text(Fold(text))
    {
    }
    bool Matches(std::string_view cell)
    {
        if (m_text.empty())
            return false;
        std::string_view subject = cell;
        if (!m_options.MatchCase) {
            m_folded = Fold(cell);
            subject = m_folded;
        }
        return m_options.WholeWord ? subject == m_text
                                   : subject.find(m_text) != std::string_view::npos;
    }

private:
    std::string Fold(std::string_view text) const
    {
        if (m_options.MatchCase)
            return std::string(text);
        if (m_localeFold)
            return LocaleUpperCase(text);
        std::string folded(text);
        AsciiUpper(folded);
        return folded;
    }

    FindOptions m_options;
    bool m_localeFold;
    std::string m_text;
    std::string m_folded;
};

bool Searchable(const ColumnVisibility& visible, int column)
{
    return column < ReportTextColumns && visible[column];
}

} // namespace

std::string LocaleUpperCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const char32_t cp = Decode(text, i, length);
        if (cp == static_cast<char32_t>(-1))
            out += text[i];
        else
            AppendUtf8(out, UpperOf(cp));
        i += length;
    }
    return out;
}

std::optional<GridCell> FindCellDown(const ReportTable& table, const ColumnVisibility& visible,
                                     std::string_view text, const FindOptions& options,
                                     GridCell after)
{
    CellMatcher matcher(text, options, false);
    int row = 1, column = 0;
    if (after.Row >= 1) {
        row = after.Row;
        column = after.Column + 1;
    }
    for (; row < table.RowCount(); ++row, column = 0)
        for (; column < ReportTextColumns; ++column)
            if (Searchable(visible, column) && matcher.Matches(table.Cell(row, column)))
                return GridCell{column, row};
    return std::nullopt;
}

std::optional<GridCell> FindCellUp(const ReportTable& table, const ColumnVisibility& visible,
                                   std::string_view text, const FindOptions& options, GridCell from)
{
    CellMatcher matcher(text, options, true);
    int row = table.RowCount() - 1, column = ReportTextColumns - 1;
    if (from.Row >= 0 && from.Row < table.RowCount()) {
        row = from.Row;
        column = std::min(from.Column, ReportTextColumns - 1);
    }
    for (; row >= 1; --row, column = ReportTextColumns - 1)
        for (; column >= 0; --column)
            if (Searchable(visible, column) && matcher.Matches(table.Cell(row, column)))
                return GridCell{column, row};
    return std::nullopt;
}

SearchResult ReportSearch::Find(const ReportTable& table, const ColumnVisibility& visible,
                                std::string_view text, const FindOptions& options, GridCell current)
{
    if (m_hasSearch && text == m_text && options == m_options)
        return FindNext(table, visible, current);
    m_text = std::string(text);
    m_options = options;
    m_hasSearch = true;
    m_lastFound = options.Down ? FindCellDown(table, visible, text, options, GridCell{})
                               : FindCellUp(table, visible, text, options, GridCell{});
    if (!m_lastFound)
        return {std::nullopt, TextNotFoundMessage};
    return {m_lastFound, nullptr};
}

SearchResult ReportSearch::FindNext(const ReportTable& table, const ColumnVisibility& visible,
                                    GridCell current)
{
    if (!m_hasSearch)
        return {};
    std::optional<GridCell> found;
    if (m_options.Down) {
        found = FindCellDown(table, visible, m_text, m_options, m_lastFound.value_or(GridCell{}));
    } else if (current.Row >= 1) {
        // The cell before the current one; nothing is before the first.
        GridCell before = current.Column > 0 ? GridCell{current.Column - 1, current.Row}
                                             : GridCell{ReportTextColumns - 1, current.Row - 1};
        if (before.Row >= 1)
            found = FindCellUp(table, visible, m_text, m_options, before);
    } else {
        found = FindCellUp(table, visible, m_text, m_options, GridCell{});
    }
    if (!found)
        return {std::nullopt, FinishedSearchingMessage};
    m_lastFound = found;
    return {found, nullptr};
}

} // namespace dialtally
