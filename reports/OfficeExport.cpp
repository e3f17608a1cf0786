#include "reports/ExportWriters.h"

#include "base/Utf8Text.h"
#include "reports/ProgressSteps.h"
#include "reports/SheetCells.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <tuple>
#include <unistd.h>

namespace dialtally {

namespace {

// A temporary file name that is removed again when the object ends.
class TempFile {
public:
    explicit TempFile(const char* suffix)
    {
        // A TMPDIR that names no folder is the user's to mend, not a reason
        // to end the program.
        std::error_code error;
        // An empty TMPDIR is none, as mktemp and Qt take it.
        const char* const named = std::getenv("TMPDIR");
        m_folder = named && !*named ? std::string("/tmp")
                                    : std::filesystem::temp_directory_path(error).string();
        if (error)
            throw ExportError(
                "Cannot create a temporary file for the export: TMPDIR names no folder.");
        std::string pattern = m_folder + "/dialtally-XXXXXX" + suffix;
        const int fd = ::mkstemps(pattern.data(), static_cast<int>(std::string(suffix).size()));
        if (fd < 0)
            throw ExportError("Cannot create a temporary file for the export in " + m_folder + ".");
        ::close(fd);
        m_path = pattern;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }
    const std::string& Folder() const { return m_folder; }
    std::string Read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_folder;
    std::string m_path;
};

// U+FFFE and U+FFFF, which no XML admits, at byte i of UTF-8 text.
bool NoncharacterAt(std::string_view utf8, std::size_t i)
{
    return utf8.substr(i, 2) == "\xEF\xBF" && i + 2 < utf8.size() &&
           (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF');
}

// XML 1.0 admits no control characters but tab, LF and CR; text that is
// no UTF-8 is taken as Windows-1252.
std::string EscapeXml(std::string_view text)
{
    const std::string utf8 = Utf8FromWindows1252Bytes(text);
    std::string clean;
    clean.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (NoncharacterAt(utf8, i)) {
            i += 2;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            clean += c;
    }
    return EscapeMarkup(clean);
}

// "_xHHHH_", which a workbook reads as the character of that number.
bool CharacterEscapeAt(std::string_view text, std::size_t i)
{
    if (text.substr(i, 2) != "_x" || i + 6 >= text.size() || text[i + 6] != '_')
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i + 2),
                       text.begin() + static_cast<std::ptrdiff_t>(i + 6),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// A cell's text as the workbook writer takes it. The writer writes control
// characters as "_xHHHH_", so such a text of the log has its "_" written so
// too, to be read back as itself; it ends a text at a NUL, and would write
// U+FFFE and U+FFFF as they are, so these are left out.
std::string SheetText(std::string_view text)
{
    const std::string utf8 = Utf8FromWindows1252Bytes(text);
    std::string clean;
    clean.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (NoncharacterAt(utf8, i)) {
            i += 2;
            continue;
        }
        if (CharacterEscapeAt(utf8, i))
            clean += "_x005F";
        if (utf8[i] != '\0')
            clean += utf8[i];
    }
    return clean;
}

} // namespace

std::string XlsxBytes(const ExportSource& source)
{
    const std::vector<int> rows = source.Rows();
    const std::vector<int> columns = source.Columns();
    if (rows.size() > LXW_ROW_MAX)
        throw ExportError("The report has more rows than a worksheet holds.");
    TempFile file(".xlsx");
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows are written once, in order
    // Freed unwritten when anything throws before it is closed.
    const auto discard = [](lxw_workbook* unclosed) { lxw_workbook_free(unclosed); };
    std::unique_ptr<lxw_workbook, decltype(discard)> owned(
        workbook_new_opt(file.Path().c_str(), &options), discard);
    lxw_workbook* const workbook = owned.get();
    if (workbook == nullptr)
        throw ExportError("Cannot create the workbook.");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    // One format per number format, weight and alignment, made when first used.
    std::map<std::tuple<std::string, bool>, lxw_format*> formats;
    const auto formatFor = [&](const std::string& numberFormat, bool strong) -> lxw_format* {
        if (numberFormat.empty() && !strong && !source.RightAligned)
            return nullptr;
        lxw_format*& format = formats[{numberFormat, strong}];
        if (format == nullptr) {
            format = workbook_add_format(workbook);
            if (strong)
                format_set_bold(format);
            if (source.RightAligned)
                format_set_align(format, LXW_ALIGN_RIGHT);
            if (!numberFormat.empty())
                format_set_num_format(format, numberFormat.c_str());
        }
        return format;
    };
    // Rows repeat the texts of the row before (a day's dates), read once.
    std::vector<std::pair<std::string, SheetCell>> previous(columns.size());
    lxw_error failure = LXW_NO_ERROR;
    ProgressSteps progress(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size() && failure == LXW_NO_ERROR; ++r) {
        progress.Step(static_cast<int>(r) + 1);
        const bool strong = r == 0 || IsTotalRow(source.Kind(rows[r]));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string_view cellText = source.Cell(rows[r], columns[k]);
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(k);
            if (r > 0 && cellText != previous[k].first)
                previous[k] = {std::string(cellText), SheetCellFor(cellText)};
            const SheetCell& cell = previous[k].second;
            if (r > 0 && cell.IsNumber) {
                failure = worksheet_write_number(sheet, row, column, cell.Number,
                                                 formatFor(cell.NumberFormat, strong));
            } else {
                const std::string text = SheetText(cellText);
                failure =
                    worksheet_write_string(sheet, row, column, text.c_str(), formatFor("", strong));
            }
            if (failure != LXW_NO_ERROR)
                break;
        }
    }
    // The rows wait in a temporary file, whose failed writes (a full disk,
    // the file size limit) the library does not check: the sheet would end
    // where they began.
    FILE* const rowsFile = sheet->optimize_tmpfile;
    const bool rowsLost =
        rowsFile != nullptr && (std::fflush(rowsFile) != 0 || std::ferror(rowsFile) != 0);
    const lxw_error closed = workbook_close(owned.release());
    if (failure != LXW_NO_ERROR)
        throw ExportError(std::string("Cannot write the workbook: ") + lxw_strerror(failure));
    // The workbook is put together in the temporary folder, not where it is
    // exported to: a full temporary folder is what the user has to mend.
    const bool fileFailed = closed >= LXW_ERROR_CREATING_XLSX_FILE && closed <= LXW_ERROR_ZIP_CLOSE;
    if (rowsLost || fileFailed)
        throw ExportError("Cannot write the workbook: its temporary file in " + file.Folder() +
                          " could not be written.");
    if (closed != LXW_NO_ERROR)
        throw ExportError(std::string("Cannot write the workbook: ") + lxw_strerror(closed));
    return file.Read();
}

namespace {

const char* const ContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\r\n"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(</Types>)";

const char* const PackageRelations =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\r\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

// The document part, made a piece at a time (the opening, then one table
// row per piece, then the close), so that a large table never stands in
// memory as XML: the zip source below reads it as it compresses, after one
// pass that counts its size, since the archive's headers need that first.
class DocumentPart {
public:
    explicit DocumentPart(const ExportSource& source)
        : m_source(source), m_rows(source.Rows()), m_columns(source.Columns()),
          m_progress(2 * static_cast<int>(m_rows.size()))
    {
        // Landscape A4 less margins, in twentieths of a point, shared evenly.
        const int tableWidth = 14'400;
        const int cellWidth =
            m_columns.empty() ? tableWidth : tableWidth / static_cast<int>(m_columns.size());
        m_cellProperties =
            R"(<w:tcPr><w:tcW w:w=")" + std::to_string(cellWidth) + R"(" w:type="dxa"/></w:tcPr>)";
        m_opening =
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            "\r\n"
            R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)";
        if (!m_columns.empty()) {
            m_opening += R"(<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/><w:tblBorders>)";
            for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
                m_opening += std::string("<w:") + side +
                             R"( w:val="single" w:sz="4" w:space="0" w:color="auto"/>)";
            m_opening += "</w:tblBorders></w:tblPr><w:tblGrid>";
            for (std::size_t k = 0; k < m_columns.size(); ++k)
                m_opening += R"(<w:gridCol w:w=")" + std::to_string(cellWidth) + R"("/>)";
            m_opening += "</w:tblGrid>";
        }
    }

    // Back to the start of the part.
    void Rewind()
    {
        m_next = 0;
        m_piece.clear();
        m_offset = 0;
    }
    // Copies up to `size` bytes of the part; fewer only at its end.
    std::size_t Read(char* buffer, std::size_t size)
    {
        std::size_t copied = 0;
        while (copied < size) {
            if (m_offset == m_piece.size() && !NextPiece())
                break;
            const std::size_t n = std::min(size - copied, m_piece.size() - m_offset);
            std::memcpy(buffer + copied, m_piece.data() + m_offset, n);
            copied += n;
            m_offset += n;
        }
        return copied;
    }
    std::uint64_t Size()
    {
        std::uint64_t size = 0;
        Rewind();
        while (NextPiece())
            size += m_piece.size();
        Rewind();
        return size;
    }

private:
    // Pieces: 0 the opening, 1 to the number of rows the rows, then the close.
    bool NextPiece()
    {
        m_offset = 0;
        const std::size_t rowCount = m_columns.empty() ? 0 : m_rows.size();
        if (m_next == 0) {
            m_piece = m_opening;
        } else if (m_next <= rowCount) {
            AppendRow(m_next - 1);
            m_progress.Step(static_cast<int>(++m_rowsMade));
        } else if (m_next == rowCount + 1) {
            m_piece.clear();
            if (!m_columns.empty())
                m_piece += "</w:tbl>";
            m_piece +=
                R"(<w:p/><w:sectPr><w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)"
                R"(<w:pgMar w:top="1134" w:right="1134" w:bottom="1134" w:left="1134" w:header="708" w:footer="708" w:gutter="0"/>)"
                "</w:sectPr></w:body></w:document>";
        } else {
            m_piece.clear();
            return false;
        }
        ++m_next;
        return true;
    }

    void AppendRow(std::size_t r)
    {
        const bool strong = r == 0 || IsTotalRow(m_source.Kind(m_rows[r]));
        const char* alignment =
            m_source.RightAligned ? R"(<w:pPr><w:jc w:val="right"/></w:pPr>)" : "";
        m_piece = "<w:tr>";
        for (const int column : m_columns) {
            m_piece += "<w:tc>";
            m_piece += m_cellProperties;
            m_piece += "<w:p>";
            m_piece += alignment;
            m_piece += "<w:r>";
            if (strong)
                m_piece += "<w:rPr><w:b/></w:rPr>";
            m_piece += R"(<w:t xml:space="preserve">)";
            m_piece += EscapeXml(m_source.Cell(m_rows[r], column));
            m_piece += "</w:t></w:r></w:p></w:tc>";
        }
        m_piece += "</w:tr>";
    }

    const ExportSource& m_source;
    const std::vector<int> m_rows;
    const std::vector<int> m_columns;
    std::string m_cellProperties;
    std::string m_opening;
    std::size_t m_next = 0; // the piece NextPiece makes next
    std::string m_piece;
    std::size_t m_offset = 0; // bytes of m_piece already read
    // Every row is made twice: once to size the part, once to write it.
    ProgressSteps m_progress;
    std::size_t m_rowsMade = 0;
};

// A libzip source reading the document part as it is made.
struct StreamedPart {
    DocumentPart* Part;
    std::uint64_t Size;
    zip_error_t Error;
};

zip_int64_t ReadDocumentPart(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* streamed = static_cast<StreamedPart*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        streamed->Part->Rewind();
        return 0;
    case ZIP_SOURCE_READ:
        try {
            return static_cast<zip_int64_t>(
                streamed->Part->Read(static_cast<char*>(data), static_cast<std::size_t>(length)));
        } catch (const std::bad_alloc&) {
            zip_error_set(&streamed->Error, ZIP_ER_MEMORY, 0);
            return -1;
        }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        // What a buffer holding the whole part would tell.
        if (length < sizeof(zip_stat_t)) {
            zip_error_set(&streamed->Error, ZIP_ER_INVAL, 0);
            return -1;
        }
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->mtime = std::time(nullptr);
        stat->size = stat->comp_size = streamed->Size;
        stat->comp_method = ZIP_CM_STORE;
        stat->encryption_method = ZIP_EM_NONE;
        stat->valid = ZIP_STAT_MTIME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD |
                      ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&streamed->Error, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&streamed->Error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

// A part of the archive: fixed text, or the document part made as read.
struct ArchivePart {
    const char* Name;
    std::string_view Text;
    StreamedPart* Streamed = nullptr;
};

// The zip archive of the parts, built in memory.
std::string ZipParts(const std::vector<ArchivePart>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer == nullptr)
        throw ExportError("Cannot create the document archive.");
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    const auto fail = [&](const char* what) {
        zip_source_free(buffer);
        zip_error_fini(&error);
        throw ExportError(what);
    };
    if (archive == nullptr)
        fail("Cannot create the document archive.");
    for (const ArchivePart& added : parts) {
        zip_source_t* part =
            added.Streamed ? zip_source_function(archive, ReadDocumentPart, added.Streamed)
                           : zip_source_buffer(archive, added.Text.data(), added.Text.size(), 0);
        if (part == nullptr || zip_file_add(archive, added.Name, part, ZIP_FL_ENC_UTF_8) < 0) {
            if (part != nullptr)
                zip_source_free(part);
            zip_discard(archive);
            fail("Cannot add a part to the document archive.");
        }
    }
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        fail("Cannot write the document archive.");
    }
    std::string bytes;
    if (zip_source_open(buffer) < 0)
        fail("Cannot read the document archive.");
    zip_source_seek(buffer, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer);
    zip_source_seek(buffer, 0, SEEK_SET);
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    if (read != size)
        fail("Cannot read the document archive.");
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

} // namespace

std::string DocxBytes(const ExportSource& source)
{
    DocumentPart document(source);
    StreamedPart streamed{&document, document.Size(), {}};
    zip_error_init(&streamed.Error);
    std::string bytes;
    try {
        bytes = ZipParts({{"[Content_Types].xml", ContentTypes},
                          {"_rels/.rels", PackageRelations},
                          {"word/document.xml", {}, &streamed}});
    } catch (...) {
        zip_error_fini(&streamed.Error);
        throw;
    }
    zip_error_fini(&streamed.Error);
    return bytes;
}

} // namespace dialtally
