// The whole report pass over a generated modem log of 1,000,000
// connections (5,000,000 lines, about 248 MB), set beside `wc -l` over the
// same cached file; the CSV write of its million-row table beside `cat` of
// a file of that size (and beside a copy synced to disk, as the export's
// atomic write syncs its file); the peak memory of the pass in a process of its own.
// Each time is the median of five runs.

#include "BenchLog.h"
#include "app/ProgramState.h"
#include "base/AtomicFile.h"
#include "base/RegionalSettings.h"
#include "platform/Folders.h"
#include "reports/ReportSort.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

using namespace dialtally;

namespace {

std::string LogPath()
{
    return BenchFolder() + "ModemLog.Txt";
}

std::string CsvPath()
{
    return BenchFolder() + "report.csv";
}

FixedFolders BenchFolders()
{
    SetRegional(*FindRegionalPreset("en-US"));
    FixedFolders folders;
    folders.Program = BenchFolder();
    folders.Windows = BenchFolder();
    folders.Documents = BenchFolder();
    std::filesystem::remove(BenchFolder() + "Dialtally.log");
    std::filesystem::remove(BenchFolder() + "Dialtally.ini");
    return folders;
}

// The report measured: details and day totals, every connection priced
// by one provider.
void DayTotalsReport(TCfg& report)
{
    report.ServiceProviders = "Sample Telephone Company";
    report.DetailCost = "1";
    report.DetailShow = report.TotalShow = report.TotalDay = "1";
    report.TotalWeek = report.TotalMonth = report.TotalYear = "0";
}

// The program started on the bench folder, its log generated once.
ProgramState& StartedState()
{
    static const FixedFolders folders = [] {
        FixedFolders f = BenchFolders();
        GenerateLog(LogPath(), Connections(1'000'000));
        return f;
    }();
    static ProgramState state(folders);
    static const bool started = [] {
        StartProgram(state);
        DayTotalsReport(state.Current);
        return true;
    }();
    (void)started;
    return state;
}

void ReportPass(benchmark::State& state)
{
    ProgramState& program = StartedState();
    NoDisplay display;
    for (auto _ : state) {
        RunReportPass(program, display);
        benchmark::DoNotOptimize(program.Output.Table.RowCount());
    }
    state.counters["connections"] = program.Connections.Count();
    state.counters["rows"] = program.Output.Table.RowCount();
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(LogPath())) / 1e6;
}
BENCHMARK(ReportPass)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->MeasureProcessCPUTime()->UseRealTime();

void WcLines(benchmark::State& state)
{
    StartedState();
    for (auto _ : state)
        RunCommand({"wc", "-l", LogPath()}, "/dev/null");
}
BENCHMARK(WcLines)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

void EnsureBuilt(ProgramState& program)
{
    if (program.Connections.Count() == 0) {
        NoDisplay display;
        RunReportPass(program, display);
    }
}

void CsvWrite(benchmark::State& state)
{
    ProgramState& program = StartedState();
    EnsureBuilt(program);
    const ExportSource source = ShownGrid(program.Output.Table, program.Output.Columns, false);
    const ExportSettings settings = ExportSettingsFor(program.Options);
    for (auto _ : state)
        WriteExportFile(CsvPath(), ExportCsv, source, settings);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(CsvPath())) / 1e6;
}
BENCHMARK(CsvWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

// The CSV file the copies read, written once.
void EnsureCsvWritten()
{
    ProgramState& program = StartedState();
    EnsureBuilt(program);
    if (!std::filesystem::exists(CsvPath()))
        WriteExportFile(CsvPath(), ExportCsv,
                        ShownGrid(program.Output.Table, program.Output.Columns, false),
                        ExportSettingsFor(program.Options));
}

// cat of the CSV file into another file of the same folder.
void Cat(benchmark::State& state)
{
    EnsureCsvWritten();
    for (auto _ : state)
        RunCommand({"cat", CsvPath()}, BenchFolder() + "copy.csv");
    std::filesystem::remove(BenchFolder() + "copy.csv");
}
BENCHMARK(Cat)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

// The same copy made durable, as the export's atomic write makes its file
// (written, synced, renamed into place), which cat does not.
void CatSynced(benchmark::State& state)
{
    EnsureCsvWritten();
    const std::string copy = BenchFolder() + "copy.csv";
    for (auto _ : state)
        RunCommand({"dd", "if=" + CsvPath(), "of=" + copy, "bs=1M", "conv=fsync", "status=none"},
                   "/dev/null");
    std::filesystem::remove(copy);
}
BENCHMARK(CatSynced)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

// A header click on the table of the pass: Date On (a date per row, read
// once per distinct text), Duration, Description (text) and the build
// order back. Each iteration sorts a fresh copy of the details.
void SortTable(benchmark::State& state)
{
    ProgramState& program = StartedState();
    static const ReportTable details = [&] {
        NoDisplay display;
        program.Current.TotalShow = "0";
        RunReportPass(program, display);
        program.Current.TotalShow = "1";
        return program.Output.Table;
    }();
    const int column = static_cast<int>(state.range(0));
    const SortStyle style = ColumnSortStyle(column, false, false);
    for (auto _ : state) {
        state.PauseTiming();
        ReportTable table = details;
        state.ResumeTiming();
        SortReportRows(table, column, style, false);
        benchmark::DoNotOptimize(table.Text.data());
    }
    state.counters["rows"] = details.RowCount();
}
BENCHMARK(SortTable)->Arg(0)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(3);

// One pass in this process, which does nothing else: its peak memory and
// the connection list's share of it, as one line for the parent to read.
int PassMemoryChild(const std::string& logPath, bool details)
{
    const FixedFolders folders = BenchFolders();
    ProgramState program(folders);
    StartProgram(program);
    DayTotalsReport(program.Current);
    program.Formats.LogFile[1] = logPath;
    if (!details) {
        program.Current.DetailShow = "0";
        program.Current.TotalDay = "0";
    }
    NoDisplay display;
    RunReportPass(program, display);
    const TRep& rep = program.Connections;
    // What the list holds, not what it has room for: room never touched
    // costs no memory.
    std::size_t listBytes =
        static_cast<std::size_t>(rep.Count()) *
        (2 * sizeof(TDateTime) + sizeof(std::int32_t) + 2 * sizeof(Currency) + sizeof(std::string));
    for (int i = 0; i < rep.Count(); ++i)
        if (rep.Service[i].capacity() > 15)
            listBytes += rep.Service[i].capacity() + 1;
    std::printf("%d %zu %ld\n", rep.Count(), listBytes, PeakResidentKiB());
    return 0;
}

void PrintPassMemory(const char* self)
{
    std::printf("\nPeak memory of the pass, each in a process of its own:\n");
    const int full = Connections(1'000'000);
    const std::string quarterLog = BenchFolder() + "ModemLog-quarter.Txt";
    GenerateLog(quarterLog, full / 4);
    struct Case {
        const char* Report;
        std::string Log;
        bool Details;
    };
    const Case cases[] = {{"details and day totals", LogPath(), true},
                          {"grand total only", quarterLog, false},
                          {"grand total only", LogPath(), false}};
    for (const Case& c : cases) {
        const std::string line =
            CommandOutput({self, "--pass-memory", c.Log, c.Details ? "details" : "total"});
        int count = 0;
        std::size_t listBytes = 0;
        long peakKiB = 0;
        if (std::sscanf(line.c_str(), "%d %zu %ld", &count, &listBytes, &peakKiB) != 3) {
            std::printf("  %s: no answer\n", c.Report);
            continue;
        }
        const double peak = static_cast<double>(peakKiB) / 1024.0;
        const double list = static_cast<double>(listBytes) / (1024.0 * 1024.0);
        std::printf("  %-24s %8d connections: peak %6.1f MiB, connection list %6.1f MiB, "
                    "the rest %6.1f MiB\n",
                    c.Report, count, peak, list, peak - list);
    }
    std::filesystem::remove(quarterLog);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--pass-memory") == 0)
        return PassMemoryChild(argv[2], std::strcmp(argv[3], "details") == 0);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedians of five:\n");
    reporter.PrintRatio("report pass", "ReportPass", "wc -l", "WcLines");
    reporter.PrintRatio("CSV write", "CsvWrite", "cat", "Cat");
    reporter.PrintRatio("CSV write", "CsvWrite", "synced", "CatSynced");
    // --benchmark_filter=PassMemory runs this part alone.
    const std::string filter = benchmark::GetBenchmarkFilter();
    if (filter.empty() || filter == "." || filter == "all" || filter == "PassMemory")
        PrintPassMemory("/proc/self/exe");
    benchmark::Shutdown();
    return 0;
}
