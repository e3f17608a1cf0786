#include "reports/ExportWriters.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "base/Utf8Text.h"

#include <algorithm>
#include <array>
#include <new>

namespace dialtally {

const std::array<ExportType, 5>& ExportTypes()
{
    static const std::array<ExportType, 5> types{{
        {"Comma Separated Values", ".csv", "CSV Files (*.csv)|*.csv"},
        {"Formatted Text", ".txt", "Text Files (*.txt)|*.txt"},
        {"HTML", ".htm", "HTML Files (*.htm)|*.htm*"},
        {"Microsoft Excel", ".xlsx", "Excel Files (*.xlsx)|*.xlsx"},
        {"Microsoft Word", ".docx", "Word Files (*.docx)|*.docx"},
    }};
    return types;
}

std::vector<int> ExportSource::Rows() const
{
    std::vector<int> rows;
    if (Cells != nullptr) {
        for (std::size_t row = 0; row < Cells->Rows.size(); ++row)
            rows.push_back(static_cast<int>(row));
        return rows;
    }
    if (Table == nullptr || Table->RowCount() == 0)
        return rows;
    rows.reserve(static_cast<std::size_t>(Table->RowCount()));
    rows.push_back(0);
    if (RowOrder.empty()) {
        for (int row = 1; row < Table->RowCount(); ++row)
            rows.push_back(row);
    } else {
        for (int row : RowOrder)
            if (row >= 1 && row < Table->RowCount())
                rows.push_back(row);
    }
    return rows;
}

std::vector<int> ExportSource::Columns() const
{
    std::vector<int> columns;
    if (Cells != nullptr) {
        const std::size_t count = Cells->Rows.empty() ? 0 : Cells->Rows.front().size();
        for (std::size_t c = 0; c < count; ++c)
            columns.push_back(static_cast<int>(c));
        return columns;
    }
    // The sequence column holds no text of the report.
    for (int c = 0; c < ReportTextColumns; ++c)
        if (Visible[c])
            columns.push_back(c);
    return columns;
}

std::string EscapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

// The bytes that make a CSV cell need quotes.
class CsvSpecials {
public:
    explicit CsvSpecials(char delimiter)
    {
        for (const char c : {delimiter, '"', '\r', '\n'})
            m_special[static_cast<unsigned char>(c)] = true;
    }
    bool In(std::string_view cell) const
    {
        for (const char c : cell)
            if (m_special[static_cast<unsigned char>(c)])
                return true;
        return false;
    }

private:
    std::array<bool, 256> m_special{};
};

void AppendCsvCell(std::string& out, std::string_view cell, const CsvSpecials& specials)
{
    if (cell.empty()) {
        out += "\"\"";
        return;
    }
    if (!specials.In(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c == '\r' && i + 1 < cell.size() && cell[i + 1] == '\n')
            continue; // a line break inside the cell is kept as LF alone
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// The CSV lines of the source, handed to `write` in blocks of about a
// megabyte, so that a large table is never held twice.
template <class Write> void WriteCsv(const ExportSource& source, char delimiter, Write&& write)
{
    constexpr std::size_t BlockBytes = 1 << 20;
    if (delimiter == '\0')
        delimiter = ',';
    const std::vector<int> columns = source.Columns();
    const CsvSpecials specials(delimiter);
    std::string block;
    block.reserve(BlockBytes + 4096);
    for (const int row : source.Rows()) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (k > 0)
                block += delimiter;
            AppendCsvCell(block, source.Cell(row, columns[k]), specials);
        }
        block += "\r\n";
        if (block.size() >= BlockBytes) {
            write(std::string_view(block));
            block.clear();
        }
    }
    if (!block.empty())
        write(std::string_view(block));
}

// Columns of the widest line, as a fixed-pitch font shows them.
std::size_t TextWidth(std::string_view text)
{
    std::size_t widest = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n");
        widest = std::max(widest, DisplayWidth(text.substr(0, end)));
        if (end == std::string_view::npos)
            return widest;
        text.remove_prefix(end + 1);
    }
}

} // namespace

std::string CsvText(const ExportSource& source, char delimiter)
{
    std::string out;
    WriteCsv(source, delimiter, [&](std::string_view block) { out += block; });
    return out;
}

std::string FormattedText(const ExportSource& source)
{
    const std::vector<int> columns = source.Columns();
    const std::vector<int> rows = source.Rows();
    std::vector<std::size_t> widths(columns.size(), 0);
    for (const int row : rows)
        for (std::size_t k = 0; k < columns.size(); ++k)
            widths[k] = std::max(widths[k], TextWidth(source.Cell(row, columns[k])));
    const BusyScope busy;
    std::string out;
    for (const int row : rows) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string_view cell = source.Cell(row, columns[k]);
            const std::size_t pad = widths[k] - TextWidth(cell);
            if (source.RightAligned)
                out.append(pad, ' ');
            out += cell;
            if (!source.RightAligned)
                out.append(pad, ' ');
            out += ' ';
        }
        out += "\r\n";
    }
    return out;
}

namespace {

std::string ExportContents(int format, const ExportSource& source, const ExportSettings& settings)
{
    switch (format) {
    case ExportCsv:
        return CsvText(source, settings.Delimiter);
    case ExportText:
        return FormattedText(source);
    case ExportHtml:
        return HtmlText(source, settings.Html);
    case ExportXlsx:
        return XlsxBytes(source);
    case ExportDocx:
        return DocxBytes(source);
    default:
        throw ExportError("Unknown export format " + std::to_string(format));
    }
}

} // namespace

std::string ExportBytes(int format, const ExportSource& source, const ExportSettings& settings)
{
    try {
        return ExportContents(format, source, settings);
    } catch (const std::bad_alloc&) {
        throw ExportError("Out of memory.");
    }
}

void WriteExportFile(const std::string& path, int format, const ExportSource& source,
                     const ExportSettings& settings)
{
    if (format != ExportCsv) {
        const std::string contents = ExportBytes(format, source, settings);
        if (!WriteFileAtomically(path, contents))
            throw ExportError(WriteErrorText(path));
        return;
    }
    // Streamed: the file is written as its lines are made.
    AtomicFileWriter writer(path);
    try {
        WriteCsv(source, settings.Delimiter, [&](std::string_view block) { writer.Write(block); });
    } catch (const std::bad_alloc&) {
        throw ExportError("Out of memory.");
    }
    if (!writer.Commit())
        throw ExportError(WriteErrorText(path));
}

} // namespace dialtally
