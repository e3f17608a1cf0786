#include "BenchLog.h"

#include "base/AtomicFile.h"
#include "base/DateFormat.h"
#include "base/DateTime.h"

#include <cstdlib>
#include <filesystem>

namespace dialtally {

int Connections(int fallback)
{
    const char* value = std::getenv("DIALTALLY_BENCH_CONNECTIONS");
    return value ? std::atoi(value) : fallback;
}

std::string BenchFolder()
{
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "dialtally-bench";
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    return folder;
}

// Begin and end lines in the built-in modem layout, a chatter line now and
// then, one connection every 37 minutes.
void GenerateLog(const std::string& path, int connections)
{
    if (std::filesystem::exists(path) &&
        std::filesystem::file_size(path) > static_cast<std::uintmax_t>(connections) * 100)
        return;
    std::string text;
    text.reserve(static_cast<std::size_t>(connections) * 130);
    TDateTime at = EncodeDate(1990, 1, 1) + EncodeTime(8, 0, 0, 0);
    for (int i = 0; i < connections; ++i) {
        const std::string stamp = FormatDateTime("MM-dd-yyyy HH:mm:ss.000", at);
        if (i % 4 == 0)
            text += stamp + " - Send: ATDT5551234<cr>\r\n";
        text += stamp + (i % 3 ? " - Connection established   My ISP\r\n"
                               : " - Connection established   Other ISP\r\n");
        const TDateTime end = at + (60 + (static_cast<long long>(i) * 7919) % 5400) / 86400.0;
        text += FormatDateTime("MM-dd-yyyy HH:mm:ss.000", end) + " - Hanging up the modem.\r\n";
        at += 37.0 / 1440.0;
    }
    WriteFileAtomically(path, text);
}

} // namespace dialtally
