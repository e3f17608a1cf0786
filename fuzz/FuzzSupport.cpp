#include "FuzzSupport.h"

#include "base/RegionalSettings.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "reports/LogReader.h"
#include "reports/ReportEngine.h"
#include "reports/ReportFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <zlib.h>

namespace dialtally {

namespace {

std::string MakeFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dialtally-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern + "/";
}

void RemoveFolder()
{
    std::error_code error;
    std::filesystem::remove_all(FuzzFolder(), error);
}

} // namespace

const std::string& FuzzFolder()
{
    static const std::string folder = [] {
        std::string made = MakeFolder();
        return made;
    }();
    static const bool cleanUp = std::atexit(RemoveFolder) == 0;
    (void)cleanUp;
    return folder;
}

void WriteFuzzFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Require(static_cast<bool>(out), "the fuzz input can be written");
}

std::uint8_t FuzzInput::Byte()
{
    if (m_rest.empty())
        return 0;
    const auto byte = static_cast<std::uint8_t>(m_rest.front());
    m_rest.remove_prefix(1);
    return byte;
}

std::string_view FuzzInput::Line()
{
    const std::size_t end = m_rest.find('\n');
    const std::string_view line = m_rest.substr(0, end);
    m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
    return line;
}

void PickRegionalPreset(std::uint8_t choice)
{
    const auto& presets = RegionalPresets();
    SetRegional(*presets[choice % presets.size()]);
}

std::string GzipCompressed(std::string_view text)
{
    z_stream z{};
    Require(deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                         Z_DEFAULT_STRATEGY) == Z_OK,
            "zlib starts");
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    Require(deflate(&z, Z_FINISH) == Z_STREAM_END, "zlib compresses");
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

TRep FuzzReportPass(TLCfg& formats, std::uint8_t switches)
{
    TProv providers;
    DefaultProviders(providers);
    TServ links;
    DefaultLinks(links);
    TCfg report;
    SetReportDefaults(report, FuzzFolder() + "Default.rep");
    report.LogType = "Fuzz";
    report.ServiceProviders = "Sample Telephone Company";
    report.CriteriaDateAll = switches & 1 ? "1" : "0";
    report.CriteriaTimeAll = switches & 2 ? "1" : "0";
    report.TotalDay = switches & 4 ? "1" : "0";
    report.TotalMonth = switches & 8 ? "1" : "0";
    TRep rep;
    ReportOutput output;
    NoDisplay display;
    ReportEngine engine(output, display);
    bool built = false;
    ReadContext context{report, formats, providers, links, rep, [&] {
                            engine.BuildReport(report, rep, {});
                            built = true;
                        }};
    ReadConnectionLog(context);
    Require(built, "the report is built");
    Require(output.Table.RowCount() >= 1, "the table has its head row");
    return rep;
}

void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

} // namespace dialtally
