#include "reports/ExportWriters.h"

#include "base/InputFile.h"
#include "base/LineReader.h"
#include "base/Messages.h"

#include <cstdio>

namespace dialtally {

namespace {

std::string Colour(std::uint32_t rgb)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return std::string("\"#") + buffer + "\"";
}

// The lines of a header or footer file, each ended by CR LF. Copied in
// blocks, whatever the length of its lines; a file that cannot be opened
// is left out, one that fails while read raises ExportError with the read
// error.
void AppendFileLines(std::string& out, const std::string& path)
{
    if (path.empty())
        return;
    InputFile file;
    if (!file.Open(path))
        return;
    char block[1 << 16];
    bool open = false;    // a line has begun and not yet ended
    bool afterCr = false; // the last byte was a CR; an LF after it ends nothing
    while (true) {
        const ssize_t got = file.Read(block, sizeof block);
        if (got < 0)
            throw ExportError(ReadErrorText(path));
        if (got == 0)
            break;
        std::string_view data(block, static_cast<std::size_t>(got));
        if (afterCr && data.front() == '\n')
            data.remove_prefix(1);
        afterCr = false;
        while (!data.empty()) {
            const std::size_t end = data.find_first_of("\r\n");
            out.append(data.substr(0, end));
            open = end == std::string_view::npos;
            if (open)
                break;
            out += "\r\n";
            afterCr = data[end] == '\r' && end + 1 == data.size();
            const bool crLf = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
            data.remove_prefix(end + (crLf ? 2 : 1));
        }
    }
    if (open)
        out += "\r\n";
}

void AppendLine(std::string& out, std::string_view text)
{
    out += text;
    out += "\r\n";
}

} // namespace

std::string HtmlText(const ExportSource& source, const HtmlExportSettings& settings)
{
    const std::vector<int> columns = source.Columns();
    std::string out;
    AppendFileLines(out, settings.HeaderFile);
    if (!settings.PrefixTag.empty())
        AppendLine(out, settings.PrefixTag);
    std::string table = "<table border=\"" + std::to_string(settings.BorderSize) +
                        "\" cellspacing=\"" + std::to_string(settings.CellSpacing) + "\" width=\"" +
                        std::to_string(settings.Width) + "%\"";
    if (!settings.TableStyle.empty())
        table += " " + settings.TableStyle;
    AppendLine(out, table + ">");

    const std::string align = source.RightAligned ? " align=\"right\"" : "";
    bool head = true;
    for (const int row : source.Rows()) {
        AppendLine(out, "<tr>");
        const RowKind kind = source.Kind(row);
        const bool total = IsTotalRow(kind);
        const HtmlFontStyle& font = total ? settings.TotalFont : settings.DetailFont;
        for (const int column : columns) {
            const std::string_view cell = source.Cell(row, column);
            std::string line = "<td nowrap";
            if (!cell.empty())
                line += align;
            if (head) {
                line += " BGCOLOR=" + Colour(settings.HeaderBackground) + "><B>" +
                        EscapeMarkup(cell) + "</B></td>";
                AppendLine(out, line);
                continue;
            }
            const bool colours = settings.SaveColor && total;
            const bool fonts = settings.SaveFonts;
            if (colours)
                line += " BGCOLOR=" + Colour(settings.TotalBackground);
            line += ">";
            if (colours)
                line += "<font color=" + Colour(settings.TotalFontColor) + ">";
            if (fonts && font.Bold)
                line += "<B>";
            if (fonts && font.Italic)
                line += "<I>";
            if (fonts && font.Underline)
                line += "<U>";
            line += cell.empty() ? std::string("<br>") : EscapeMarkup(cell);
            if (fonts && font.Underline)
                line += "</U>";
            if (fonts && font.Italic)
                line += "</I>";
            if (fonts && font.Bold)
                line += "</B>";
            if (colours)
                line += "</font>";
            line += "</td>";
            AppendLine(out, line);
        }
        AppendLine(out, "</tr>");
        head = false;
    }
    AppendLine(out, "</table><p>");
    if (!settings.SuffixTag.empty())
        AppendLine(out, settings.SuffixTag);
    AppendFileLines(out, settings.FooterFile);
    return out;
}

} // namespace dialtally
