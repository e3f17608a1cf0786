// Opening a report of 100,000 connections in the window, offscreen: the
// pass, the grid's model and column sizing, the chart, and the first
// paint. DIALTALLY_BENCH_CONNECTIONS sets another size.

#include "BenchLog.h"
#include "app/ui/MainWindow.h"
#include "base/RegionalSettings.h"
#include "logs/LogFormats.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

using namespace dialtally;

namespace {

void OpenReport(benchmark::State& state)
{
    SetRegional(*FindRegionalPreset("en-US"));
    const std::string folder = BenchFolder() + "window/";
    std::filesystem::create_directories(folder);
    GenerateLog(folder + "ModemLog.Txt", Connections(100'000));
    FixedFolders folders;
    folders.Program = folders.Windows = folders.Documents = folder;

    TMainForm window(folders);
    // The built-in formats, written so that no first-time setup asks.
    SaveLogFormats(window.State().Formats, folder, nullptr);
    window.resize(800, 600);
    window.show();
    TCfg& report = window.State().Current;
    report.DetailShow = report.TotalShow = "1";
    report.ReportType = std::getenv("BENCH_VIEW") ? std::getenv("BENCH_VIEW") : "Split";
    for (std::string* total :
         {&report.TotalDay, &report.TotalWeek, &report.TotalMonth, &report.TotalYear})
        *total = "1";
    for (auto _ : state) {
        window.RunReport();
        const QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
    state.counters["rows"] = window.State().Output.Table.RowCount();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(OpenReport)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
