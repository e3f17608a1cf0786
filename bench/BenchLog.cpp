#include "BenchLog.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

namespace {

// "MM-DD-YYYY HH:MM:SS.mmm" of a day and a millisecond of that day.
void AppendStamp(std::string& out, const CivilDate& day, int millisecond)
{
    const auto two = [&](int value) {
        out += static_cast<char>('0' + value / 10);
        out += static_cast<char>('0' + value % 10);
    };
    two(day.Month);
    out += '-';
    two(day.Day);
    out += '-';
    two(day.Year / 100);
    two(day.Year % 100);
    out += ' ';
    const int seconds = millisecond / 1000;
    two(seconds / 3600);
    out += ':';
    two(seconds / 60 % 60);
    out += ':';
    two(seconds % 60);
    out += '.';
    out += static_cast<char>('0' + millisecond % 1000 / 100);
    two(millisecond % 100);
}

// A moment as a day number and a millisecond of that day.
struct Moment {
    int Day = 0; // days since 1990-01-01
    int Millisecond = 0;
};

Moment Later(Moment at, int milliseconds)
{
    constexpr int DayMilliseconds = 86'400'000;
    at.Millisecond += milliseconds;
    while (at.Millisecond < 0) {
        at.Millisecond += DayMilliseconds;
        --at.Day;
    }
    at.Day += at.Millisecond / DayMilliseconds;
    at.Millisecond %= DayMilliseconds;
    return at;
}

} // namespace

// The Windows modem log the built-in format reads: five lines a connection,
// its begin line, two lines of modem chatter, its end line, and one more
// line before the next dial or after the hang-up. A connection every 37
// minutes lasting 1 to 34 minutes, at one of eight line speeds (the
// description). About 248 bytes a connection.
void GenerateLog(const std::string& path, int connections)
{
    const auto perConnection = [&](std::uintmax_t bytes) {
        return static_cast<std::uintmax_t>(connections) * bytes;
    };
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) >= perConnection(247) &&
        std::filesystem::file_size(path) <= perConnection(249))
        return;
    static constexpr std::array<const char*, 8> Speeds = {"28800", "31200", "33600", "44000",
                                                          "46666", "49333", "50666", "52000"};
    const TDateTime firstDay = EncodeDate(1990, 1, 1);
    AtomicFileWriter writer(path);
    std::string block;
    block.reserve(1 << 21);
    CivilDate day = DecodeDate(firstDay);
    int dayNumber = 0;
    const auto line = [&](Moment at, const char* text) {
        if (at.Day != dayNumber) {
            dayNumber = at.Day;
            day = DecodeDate(firstDay + dayNumber);
        }
        AppendStamp(block, day, at.Millisecond);
        block += " - ";
        block += text;
        block += "\r\n";
    };
    Moment at{0, 8 * 3'600'000 + 123};
    std::string established;
    for (int i = 0; i < connections; ++i) {
        const long long mix = static_cast<long long>(i) * 7919;
        established = "Connection established at ";
        established += Speeds[static_cast<std::size_t>(mix % 8)];
        established += "bps.";
        const int length = (60 + static_cast<int>(mix % 1980)) * 1000 + static_cast<int>(mix % 997);
        if (i % 3 != 0)
            line(Later(at, -20'000), "Opening Modem");
        line(at, established.c_str());
        line(Later(at, 180), "Error-control on.");
        line(Later(at, 370), "Data compression on.");
        const Moment end = Later(at, length);
        line(end, "Hanging up the modem.");
        if (i % 3 == 0)
            line(Later(end, 210), "Session Statistics:");
        at = Later(at, 37 * 60'000);
        if (block.size() > (1 << 20)) {
            writer.Write(block);
            block.clear();
        }
    }
    writer.Write(block);
    writer.Commit();
}

namespace {

// Spawns the program with standard output on `outputFd`; its exit status,
// or -1 when it did not run.
int Spawn(const std::vector<std::string>& arguments, int outputFd)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

bool RunCommand(const std::vector<std::string>& arguments, const std::string& outputPath)
{
    const int fd = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const int status = Spawn(arguments, fd);
    ::close(fd);
    return status == 0;
}

std::string CommandOutput(const std::vector<std::string>& arguments)
{
    std::FILE* output = std::tmpfile();
    if (output == nullptr)
        return {};
    std::string text;
    if (Spawn(arguments, ::fileno(output)) >= 0) {
        std::rewind(output);
        char block[4096];
        std::size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, output)) > 0)
            text.append(block, got);
    }
    std::fclose(output);
    return text;
}

// VmHWM rather than getrusage: a process started by posix_spawn inherits
// its parent's maximum in ru_maxrss, not in its own memory's high water mark.
long PeakResidentKiB()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib;
}

void MedianReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_medians[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    ConsoleReporter::ReportRuns(runs);
}

double MedianReporter::Median(const std::string& name) const
{
    const auto found = m_medians.find(name);
    return found == m_medians.end() ? -1 : found->second;
}

void MedianReporter::PrintRatio(const char* label, const std::string& name, const char* otherLabel,
                                const std::string& otherName) const
{
    const double a = Median(name), b = Median(otherName);
    if (a < 0 || b <= 0)
        return;
    std::printf("  %-12s %8.3f s   %-6s %8.3f s   ratio %5.2f\n", label, a, otherLabel, b, a / b);
}

} // namespace dialtally
