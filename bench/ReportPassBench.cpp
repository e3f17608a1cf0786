// The whole report pass over a generated modem log of 1,000,000
// connections, and the CSV write of its table. Peak memory is reported as
// a counter (the process's maximum resident set).

#include "BenchLog.h"
#include "app/ProgramState.h"
#include "base/AtomicFile.h"
#include "base/DateFormat.h"
#include "base/RegionalSettings.h"
#include "platform/Folders.h"
#include "reports/ReportSort.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

using namespace dialtally;

namespace {

struct BenchHome {
    BenchHome() : Folders()
    {
        SetRegional(*FindRegionalPreset("en-US"));
        Folders.Program = BenchFolder();
        Folders.Windows = BenchFolder();
        Folders.Documents = BenchFolder();
        GenerateLog(BenchFolder() + "ModemLog.Txt", Connections(1'000'000));
        std::filesystem::remove(BenchFolder() + "Dialtally.log");
        std::filesystem::remove(BenchFolder() + "Dialtally.ini");
    }
    FixedFolders Folders;
};

ProgramState& StartedState()
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
        return true;
    }();
    (void)started;
    return state;
}

void SetPeakMemory(benchmark::State& state)
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
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
    state.counters["list_MiB"] = static_cast<double>(program.Connections.DateTimeOn.capacity() *
                                                     (2 * sizeof(TDateTime) + sizeof(int) +
                                                      2 * sizeof(Currency) + sizeof(std::string))) /
                                 (1024.0 * 1024.0);
    SetPeakMemory(state);
}
BENCHMARK(ReportPass)->Unit(benchmark::kMillisecond)->Iterations(3);

void CsvWrite(benchmark::State& state)
{
    ProgramState& program = StartedState();
    if (program.Connections.Count() == 0) {
        NoDisplay display;
        RunReportPass(program, display);
    }
    const ExportSource source = ShownGrid(program.Output.Table, program.Output.Columns, false);
    const ExportSettings settings = ExportSettingsFor(program.Options);
    for (auto _ : state)
        WriteExportFile(BenchFolder() + "report.csv", ExportCsv, source, settings);
    state.counters["MB"] =
        static_cast<double>(std::filesystem::file_size(BenchFolder() + "report.csv")) / 1e6;
    SetPeakMemory(state);
}
BENCHMARK(CsvWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

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

} // namespace

BENCHMARK_MAIN();
