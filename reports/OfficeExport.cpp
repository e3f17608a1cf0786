#include "reports/ExportWriters.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// A temporary file name that is removed again when the object ends.
class TempFile {
public:
    explicit TempFile(const char* suffix)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dialtally-XXXXXX").string() + suffix;
        const int fd = ::mkstemps(pattern.data(), static_cast<int>(std::string(suffix).size()));
        if (fd < 0)
            throw ExportError("Cannot create a temporary file for the export.");
        ::close(fd);
        m_path = pattern;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }
    std::string Read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};

// XML 1.0 admits no control characters but tab, LF and CR.
std::string EscapeXml(std::string_view text)
{
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            clean += c;
    return EscapeMarkup(clean);
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
    lxw_workbook* workbook = workbook_new_opt(file.Path().c_str(), &options);
    if (workbook == nullptr)
        throw ExportError("Cannot create the workbook.");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* right = workbook_add_format(workbook);
    format_set_align(right, LXW_ALIGN_RIGHT);
    lxw_format* boldRight = workbook_add_format(workbook);
    format_set_bold(boldRight);
    format_set_align(boldRight, LXW_ALIGN_RIGHT);
    lxw_error failure = LXW_NO_ERROR;
    for (std::size_t r = 0; r < rows.size() && failure == LXW_NO_ERROR; ++r) {
        const bool strong = r == 0 || IsTotalRow(source.Kind(rows[r]));
        lxw_format* format =
            source.RightAligned ? (strong ? boldRight : right) : (strong ? bold : nullptr);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string text(source.Cell(rows[r], columns[k]));
            failure = worksheet_write_string(sheet, static_cast<lxw_row_t>(r),
                                             static_cast<lxw_col_t>(k), text.c_str(), format);
            if (failure != LXW_NO_ERROR)
                break;
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure != LXW_NO_ERROR)
        throw ExportError(std::string("Cannot write the workbook: ") + lxw_strerror(failure));
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

std::string DocumentXml(const ExportSource& source)
{
    const std::vector<int> rows = source.Rows();
    const std::vector<int> columns = source.Columns();
    // Landscape A4 less margins, in twentieths of a point, shared evenly.
    const int tableWidth = 14'400;
    const int cellWidth =
        columns.empty() ? tableWidth : tableWidth / static_cast<int>(columns.size());
    std::string xml =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\r\n"
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)";
    if (!columns.empty()) {
        xml += R"(<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/><w:tblBorders>)";
        for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
            xml += std::string("<w:") + side +
                   R"( w:val="single" w:sz="4" w:space="0" w:color="auto"/>)";
        xml += "</w:tblBorders></w:tblPr><w:tblGrid>";
        for (std::size_t k = 0; k < columns.size(); ++k)
            xml += R"(<w:gridCol w:w=")" + std::to_string(cellWidth) + R"("/>)";
        xml += "</w:tblGrid>";
        const std::string cellProperties =
            R"(<w:tcPr><w:tcW w:w=")" + std::to_string(cellWidth) + R"(" w:type="dxa"/></w:tcPr>)";
        const std::string alignment =
            source.RightAligned ? R"(<w:pPr><w:jc w:val="right"/></w:pPr>)" : "";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const bool strong = r == 0 || IsTotalRow(source.Kind(rows[r]));
            xml += "<w:tr>";
            for (const int column : columns) {
                xml += "<w:tc>" + cellProperties + "<w:p>" + alignment + "<w:r>";
                if (strong)
                    xml += "<w:rPr><w:b/></w:rPr>";
                xml += R"(<w:t xml:space="preserve">)" + EscapeXml(source.Cell(rows[r], column)) +
                       "</w:t></w:r></w:p></w:tc>";
            }
            xml += "</w:tr>";
        }
        xml += "</w:tbl>";
    }
    xml +=
        R"(<w:p/><w:sectPr><w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)"
        R"(<w:pgMar w:top="1134" w:right="1134" w:bottom="1134" w:left="1134" w:header="708" w:footer="708" w:gutter="0"/>)"
        "</w:sectPr></w:body></w:document>";
    return xml;
}

// The zip archive of the parts, built in memory.
std::string ZipParts(const std::vector<std::pair<const char*, std::string>>& parts)
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
    for (const auto& [name, data] : parts) {
        zip_source_t* part = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (part == nullptr || zip_file_add(archive, name, part, ZIP_FL_ENC_UTF_8) < 0) {
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
    return ZipParts({{"[Content_Types].xml", ContentTypes},
                     {"_rels/.rels", PackageRelations},
                     {"word/document.xml", DocumentXml(source)}});
}
