#include "reports/LogReader.h"

#include "TestSupport.h"
#include "reports/ReportFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace dialtally {

namespace {

// Logs that are odd in size, content or timing, read with the built-in
// modem format.
class LogReaderFaults : public ::testing::Test {
protected:
    LogReaderFaults()
    {
        FixedFolders folders;
        folders.Windows = home.Path();
        LoadDefaultLogFormats(formats, folders);
        SetReportDefaults(report, home.File("Default.rep"));
        DefaultProviders(providers);
        DefaultLinks(links);
    }

    void Read()
    {
        ReadContext context{report, formats, providers, links, rep, [this] { ++builds; }};
        ReadConnectionLog(context);
    }
    std::string LogPath() const { return home.File("ModemLog.Txt"); }

    static std::string Session(int day, const std::string& service)
    {
        char date[16];
        std::snprintf(date, sizeof date, "03-%02d-2001", day);
        std::string begin = std::string(date) + " 10:00:00.000 - Connection established";
        begin.resize(51, ' ');
        return begin + service + "\r\n" + date + " 10:01:00.000 - Hanging up the modem.\r\n";
    }

    ScopedToday today{2026, 12, 9};
    TempFolder home;
    RecordingFrontEnd ui;
    TLCfg formats;
    TCfg report;
    TProv providers;
    TServ links;
    TRep rep;
    int builds = 0;
};

TEST_F(LogReaderFaults, NulBytesAndInvalidUtf8PassThroughAsText)
{
    const std::string odd = std::string("A\0\xFF\xC3", 4) + "\xE2\x82";
    home.Write("ModemLog.Txt", Session(5, odd) + Session(6, std::string(3, '\0')));
    Read();
    ASSERT_EQ(rep.Count(), 2);
    EXPECT_EQ(rep.Service[0], odd);
    EXPECT_EQ(rep.Service[1], std::string(3, '\0'));
    EXPECT_EQ(rep.Duration[0], 60);
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LogReaderFaults, TenMegabyteLinesAreReadWhole)
{
    const std::string chatter =
        "03-05-2001 10:00:30.000 - Read: " + std::string(10 << 20, 'x') + "\r\n";
    const std::string longService = std::string(10 << 20, 'y');
    home.Write("ModemLog.Txt",
               Session(4, "Before") + chatter + Session(5, longService) + Session(6, "After"));
    Read();
    ASSERT_EQ(rep.Count(), 3);
    EXPECT_EQ(rep.Service[1], "yyyyyyyy"); // the locator takes its eight columns
    EXPECT_EQ(rep.Service[2], "After");
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LogReaderFaults, ALogGrowingWhileReadKeepsWhatItRead)
{
    std::string start;
    for (int month = 0; month < 2000; ++month)
        for (int day = 1; day <= 28; ++day)
            start += Session(day, "My ISP");
    home.Write("ModemLog.Txt", start);
    std::atomic<bool> done = false;
    std::thread dialer([&] {
        // A dialer appending whole sessions while the pass runs; bounded, so
        // that a slow reader cannot make the log grow without end.
        const int fd = ::open(LogPath().c_str(), O_WRONLY | O_APPEND);
        const std::string more = Session(28, "Later");
        for (int n = 0; n < 20'000 && !done && fd >= 0; ++n)
            if (::write(fd, more.data(), more.size()) < 0)
                break;
        if (fd >= 0)
            ::close(fd);
    });
    Read();
    done = true;
    dialer.join();
    EXPECT_GE(rep.Count(), 2000 * 28);
    EXPECT_LE(rep.Count(), 2000 * 28 + 20'000);
    // Only the session being appended as the end was reached may lack its end line.
    for (int i = 0; i + 1 < rep.Count(); ++i)
        EXPECT_EQ(rep.Duration[static_cast<std::size_t>(i)], 60) << i;
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(ui.Messages.empty());
}

#if defined(__SANITIZE_ADDRESS__)
constexpr long AllowedGrowthKiB = 512 * 1024; // the sanitizer keeps freed blocks for a while
#else
constexpr long AllowedGrowthKiB = 64 * 1024;
#endif

long PeakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(LogReaderFaults, TwoGigabyteLogIsReadInBoundedMemory)
{
    // Streamed through a pipe, so the test needs no disk room for it.
    ASSERT_EQ(::mkfifo(LogPath().c_str(), 0600), 0);
    constexpr long long Total = 2LL << 30;
    std::thread dialer([&] {
        const int fd = ::open(LogPath().c_str(), O_WRONLY);
        std::string block;
        for (int day = 1; day <= 28; ++day)
            block += Session(day, "My ISP");
        std::string chatter = "03-28-2001 10:00:30.000 - Read: Total: 330808, Per/Sec: 3\r\n";
        while (block.size() < (1 << 20))
            block += chatter;
        long long written = 0;
        while (fd >= 0 && written < Total) {
            const ssize_t n = ::write(fd, block.data(), block.size());
            if (n <= 0)
                break;
            written += n;
        }
        if (fd >= 0)
            ::close(fd);
    });
    const long before = PeakResidentKiB();
    Read();
    dialer.join();
    const int sessions = static_cast<int>(Total / (1 << 20) + 1) * 28;
    EXPECT_NEAR(rep.Count(), sessions, 28);
    EXPECT_LT(PeakResidentKiB() - before, AllowedGrowthKiB) << "KiB more than before the pass";
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LogReaderFaults, AHalfGigabyteLineIsReadInBoundedMemory)
{
    // A sparse file: one line of NUL bytes between two sessions.
    constexpr off_t LineBytes = 512LL << 20;
    home.Write("ModemLog.Txt", Session(4, "Before"));
    ASSERT_EQ(
        ::truncate(LogPath().c_str(), static_cast<off_t>(Session(4, "Before").size()) + LineBytes),
        0);
    std::ofstream(LogPath(), std::ios::binary | std::ios::app) << "\r\n" << Session(6, "After");
    const long before = PeakResidentKiB();
    Read();
    EXPECT_LT(PeakResidentKiB() - before, AllowedGrowthKiB) << "KiB more than before the pass";
    ASSERT_EQ(rep.Count(), 2);
    EXPECT_EQ(rep.Service[1], "After");
    EXPECT_TRUE(ui.Messages.empty());
}

} // namespace

} // namespace dialtally
