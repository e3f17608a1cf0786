#include "reports/ExportFileNames.h"

#include "reports/ExportWriters.h"

namespace dialtally {

namespace {

std::size_t NameStart(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

} // namespace

std::string ChangeFileExt(std::string_view path, std::string_view extension)
{
    const std::size_t start = NameStart(path);
    const std::size_t dot = path.rfind('.');
    const std::size_t end = dot == std::string_view::npos || dot < start ? path.size() : dot;
    return std::string(path.substr(0, end)) + std::string(extension);
}

std::string FolderOf(std::string_view path)
{
    return std::string(path.substr(0, NameStart(path)));
}

std::string FileNameOf(std::string_view path)
{
    return std::string(path.substr(NameStart(path)));
}

std::string PlainFileName(std::string_view path)
{
    const std::size_t start = NameStart(path);
    std::string plain(path.substr(0, start));
    for (const char c : path.substr(start)) {
        if (c != '*' && c != '?')
            plain += c;
    }
    while (plain.size() > start && plain.back() == '.')
        plain.pop_back();
    return plain;
}

std::string ProposedExportFile(const std::string& lastExport, const std::string& reportFile)
{
    // A name stored before the wildcards were kept out of it.
    if (!lastExport.empty())
        return PlainFileName(lastExport);
    return ChangeFileExt(reportFile, ExportTypes()[ExportCsv].Extension);
}

std::string BrowsedExportFile(std::string_view path, int format, int filterIndex)
{
    const std::string plain = PlainFileName(path);
    return filterIndex == 1 ? ExportFileForType(plain, format) : plain;
}

std::string ExportFileForType(std::string_view path, int format)
{
    const auto& types = ExportTypes();
    if (format < 0 || static_cast<std::size_t>(format) >= types.size())
        return std::string(path);
    return ChangeFileExt(path, types[static_cast<std::size_t>(format)].Extension);
}

std::vector<std::pair<std::string, std::string>> SplitFilter(std::string_view filter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.emplace_back(filter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

ChartPictureFormat ChartPictureFormatFor(int filterIndex)
{
    switch (filterIndex) {
    case 2:
        return ChartPictureFormat::Svg;
    case 3:
        return ChartPictureFormat::Pdf;
    default:
        return ChartPictureFormat::Bitmap;
    }
}

const char* ChartPictureExtension(ChartPictureFormat format)
{
    switch (format) {
    case ChartPictureFormat::Svg:
        return ".svg";
    case ChartPictureFormat::Pdf:
        return ".pdf";
    case ChartPictureFormat::Bitmap:
        break;
    }
    return ".bmp";
}

std::string ChartPicturePath(std::string_view chosen, int filterIndex)
{
    return ChangeFileExt(chosen, ChartPictureExtension(ChartPictureFormatFor(filterIndex)));
}

} // namespace dialtally
