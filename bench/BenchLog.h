#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace dialtally {

// DIALTALLY_BENCH_CONNECTIONS, else the benchmark's own number.
int Connections(int fallback);
// The benchmarks' folder under the temporary folder, with its "/".
std::string BenchFolder();
// A modem log of that many connections in the built-in layout; kept
// between runs while it has the size it should.
void GenerateLog(const std::string& path, int connections);

// Runs a program found on the PATH with its standard output going to a
// file, and waits for it. False when it could not run or failed.
bool RunCommand(const std::vector<std::string>& arguments, const std::string& outputPath);
// What the program wrote to standard output.
std::string CommandOutput(const std::vector<std::string>& arguments);
// The process's peak resident set so far.
long PeakResidentKiB();

// The console report, plus the median time of each benchmark run with
// repetitions, for printing one beside another.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // "label: a ms, other: b ms, ratio a/b"; nothing when either is missing.
    void PrintRatio(const char* label, const std::string& name, const char* otherLabel,
                    const std::string& otherName) const;
    // Seconds, or a negative value when the benchmark did not run.
    double Median(const std::string& name) const;

private:
    std::map<std::string, double> m_medians; // seconds, by benchmark name
};

} // namespace dialtally
