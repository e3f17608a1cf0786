// The report pass over the logs of a Linux machine: the million-connection
// modem log of the plain pass compressed with gzip and read as a rotated
// set, beside the plain pass and the time zcat takes for the same file; and
// a journal file of 100,000 pppd connections made by systemd-journal-remote.

#include "BenchLog.h"
#include "app/ProgramState.h"
#include "base/RegionalSettings.h"
#include "logs/FormatLibrary.h"
#include "platform/Folders.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>
#include <zlib.h>

using namespace dialtally;

namespace {

// A folder of its own, so that another benchmark's log is not taken for it.
std::string Folder()
{
    static const std::string folder = [] {
        std::filesystem::create_directories(BenchFolder() + "linux/gz");
        return BenchFolder() + "linux/";
    }();
    return folder;
}

std::string PlainLog()
{
    return Folder() + "ModemLog.Txt";
}

std::string GzipFile()
{
    return Folder() + "gz/ModemLog.Txt.1.gz";
}

// The plain log compressed as logrotate leaves it: "ModemLog.Txt.1.gz".
void CompressLog(int connections)
{
    const std::string plain = PlainLog();
    GenerateLog(plain, connections);
    const std::string gz = GzipFile();
    if (std::filesystem::exists(gz) &&
        std::filesystem::last_write_time(gz) > std::filesystem::last_write_time(plain))
        return;
    FILE* in = std::fopen(plain.c_str(), "rb");
    gzFile out = gzopen(gz.c_str(), "wb6");
    if (!in || !out)
        std::abort();
    std::vector<char> block(1 << 20);
    for (std::size_t got = 0; (got = std::fread(block.data(), 1, block.size(), in)) > 0;)
        gzwrite(out, block.data(), static_cast<unsigned>(got));
    std::fclose(in);
    gzclose(out);
}

// pppd's begin and end lines in the journal export format, one connection
// every 37 minutes, turned into a journal file.
std::string JournalFile(int connections)
{
    const std::string path = Folder() + "pppd-" + std::to_string(connections) + ".journal";
    if (std::filesystem::exists(path))
        return path;
    const std::string command = std::string(DIALTALLY_JOURNAL_REMOTE) + " -o '" + path + "' -";
    FILE* pipe = ::popen(command.c_str(), "w");
    if (!pipe)
        std::abort();
    long long at = 631'180'800LL * 1'000'000; // 1990-01-01 UTC, in microseconds
    long long monotonic = 1'000'000;
    const auto entry = [&](long long when, const char* message) {
        std::fprintf(pipe,
                     "__REALTIME_TIMESTAMP=%lld\n__MONOTONIC_TIMESTAMP=%lld\n"
                     "_BOOT_ID=0123456789abcdef0123456789abcdef\nSYSLOG_IDENTIFIER=pppd\n"
                     "SYSLOG_PID=4711\nMESSAGE=%s\n\n",
                     when, monotonic += 1'000'000, message);
    };
    for (int i = 0; i < connections; ++i) {
        entry(at, i % 3 ? "Connect: ppp0 <--> /dev/ttyS0" : "Connect: ppp0 <--> /dev/ttyUSB0");
        entry(at + (60 + (static_cast<long long>(i) * 7919) % 5400) * 1'000'000,
              "Connection terminated.");
        at += 37LL * 60 * 1'000'000;
    }
    if (::pclose(pipe) != 0)
        std::abort();
    return path;
}

struct BenchHome {
    BenchHome()
    {
        SetRegional(*FindRegionalPreset("en-US"));
        Folders.Program = Folder();
        Folders.Windows = Folder();
        Folders.Documents = Folder();
        Folders.Data = DIALTALLY_DATA_DIR;
        std::filesystem::remove(Folder() + "Dialtally.log");
        std::filesystem::remove(Folder() + "Dialtally.ini");
    }
    FixedFolders Folders;
};

// A started program whose report reads `logFile` with the named format.
ProgramState& StateFor(const std::string& format, const std::string& logFile)
{
    static BenchHome home;
    static ProgramState state(home.Folders);
    static const bool started = [] {
        StartProgram(state);
        state.Current.ServiceProviders = "Sample Telephone Company";
        state.Current.DetailCost = "1";
        for (std::string* total : {&state.Current.TotalDay, &state.Current.TotalWeek,
                                   &state.Current.TotalMonth, &state.Current.TotalYear})
            *total = "1";
        const TLCfg library = LoadFormatLibrary(FormatLibraryFolder(home.Folders), home.Folders);
        AddLibraryFormat(state.Formats, library, FindLogFormat(library, "pppd (journal)"));
        return true;
    }();
    (void)started;
    state.Current.LogType = format;
    state.Formats.LogFile[FindLogFormat(state.Formats, format)] = logFile;
    return state;
}

void Pass(benchmark::State& bench, ProgramState& program)
{
    NoDisplay display;
    for (auto _ : bench) {
        RunReportPass(program, display);
        benchmark::DoNotOptimize(program.Output.Table.RowCount());
    }
    bench.counters["connections"] = program.Connections.Count();
}

void PlainPass(benchmark::State& bench)
{
    GenerateLog(PlainLog(), Connections(1'000'000));
    Pass(bench, StateFor("Windows Dial-Up Networking", PlainLog()));
}
BENCHMARK(PlainPass)->Unit(benchmark::kMillisecond)->Iterations(3);

void GzipSetPass(benchmark::State& bench)
{
    CompressLog(Connections(1'000'000));
    Pass(bench, StateFor("Windows Dial-Up Networking", Folder() + "gz/ModemLog.Txt*"));
    bench.counters["gz_MB"] = static_cast<double>(std::filesystem::file_size(GzipFile())) / 1e6;
}
BENCHMARK(GzipSetPass)->Unit(benchmark::kMillisecond)->Iterations(3);

// What decompressing the same file costs on its own.
void Zcat(benchmark::State& bench)
{
    CompressLog(Connections(1'000'000));
    const std::string command = "zcat '" + GzipFile() + "' >/dev/null";
    for (auto _ : bench)
        if (std::system(command.c_str()) != 0)
            bench.SkipWithError("zcat failed");
}
BENCHMARK(Zcat)->Unit(benchmark::kMillisecond)->Iterations(3);

void JournalPass(benchmark::State& bench)
{
    // A tenth of the modem log's connections: 100,000 unless told otherwise.
    Pass(bench, StateFor("pppd (journal)", JournalFile(Connections(1'000'000) / 10)));
}
BENCHMARK(JournalPass)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
