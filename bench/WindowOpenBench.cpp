// Opening a report of 1,000,000 connections in the window, offscreen, in
// the split view: the pass, the grid's model and column sizing, the chart,
// and the first paint; the median of five. Also the longest stretch in
// which the window handled no event, and how often the progress bar moved.
// DIALTALLY_BENCH_CONNECTIONS sets another size; BENCH_VIEW another view.

#include "BenchLog.h"
#include "app/ui/MainWindow.h"
#include "base/RegionalSettings.h"
#include "logs/LogFormats.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProgressBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace dialtally;

namespace {

// The longest time between two turns of the event loop, and the progress
// bar's moves, while it listens.
class Responsiveness {
public:
    Responsiveness()
    {
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                         [this] { Turn(); });
    }
    void Start()
    {
        m_longest = 0;
        m_moves = 0;
        m_clock.start();
        m_last = 0;
    }
    void Turn()
    {
        if (!m_clock.isValid())
            return;
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    void Moved() { ++m_moves; }
    qint64 Longest() { return (Turn(), m_longest); }
    int Moves() const { return m_moves; }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_moves = 0;
};

void OpenReport(benchmark::State& state)
{
    SetRegional(*FindRegionalPreset("en-US"));
    // The log of the pass benchmark, with a program folder of its own.
    const std::string folder = BenchFolder() + "window/";
    std::filesystem::create_directories(folder);
    GenerateLog(BenchFolder() + "ModemLog.Txt", Connections(1'000'000));
    FixedFolders folders;
    folders.Program = folders.Documents = folder;
    folders.Windows = BenchFolder();

    TMainForm window(folders);
    // The built-in formats, written so that no first-time setup asks.
    SaveLogFormats(window.State().Formats, folder);
    window.resize(800, 600);
    window.show();
    TCfg& report = window.State().Current;
    report.DetailShow = report.TotalShow = report.TotalDay = "1";
    report.ServiceProviders = "Sample Telephone Company";
    report.ReportType = std::getenv("BENCH_VIEW") ? std::getenv("BENCH_VIEW") : "Split";

    static Responsiveness listening;
    for (QProgressBar* bar : window.findChildren<QProgressBar*>())
        QObject::connect(bar, &QProgressBar::valueChanged, [] { listening.Moved(); });
    qint64 longest = 0;
    int moves = 0;
    for (auto _ : state) {
        listening.Start();
        window.RunReport();
        const QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        longest = std::max(longest, listening.Longest());
        moves = listening.Moves();
    }
    state.counters["rows"] = window.State().Output.Table.RowCount();
    state.counters["longest_ms"] = static_cast<double>(longest);
    state.counters["bar_moves"] = moves;
    state.counters["peak_MiB"] = static_cast<double>(PeakResidentKiB()) / 1024.0;
}
BENCHMARK(OpenReport)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double open = reporter.Median("OpenReport");
    if (open >= 0)
        std::printf("\nMedian of five:\n  window open  %8.3f s\n", open);
    benchmark::Shutdown();
    return 0;
}
