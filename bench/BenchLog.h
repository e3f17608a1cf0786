#pragma once

#include <string>

namespace dialtally {

// DIALTALLY_BENCH_CONNECTIONS, else the benchmark's own number.
int Connections(int fallback);
// The benchmarks' folder under the temporary folder, with its "/".
std::string BenchFolder();
// A modem log of that many connections in the built-in layout; kept
// between runs while it is large enough.
void GenerateLog(const std::string& path, int connections);

} // namespace dialtally
