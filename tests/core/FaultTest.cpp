// Faults from outside: odd bytes in the data files, writes that fail, and
// lines far longer than any the program writes.
#include "TestSupport.h"

#include "base/InputFile.h"
#include "base/Messages.h"
#include "base/NewIniFile.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "reports/ExportWriters.h"
#include "reports/LogReader.h"
#include "reports/ReportFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace dialtally {

namespace {

using namespace std::string_literals;

// Values the text layer must pass through untouched: NUL bytes, bytes that
// are no UTF-8, a truncated sequence and an overlong encoding.
const std::string OddValues[] = {"a\0b"s, "\xff\xfe\xfd", "caf\xc3", "\xc0\xaf", "\0"s};

// One of the three tariff and format files, driven the same way.
struct DataFileCase {
    const char* Name;
    std::function<std::string(const std::string& folder)> Path;
    // Fills a table with the value, saves it into the folder, returns Save's result.
    std::function<bool(const std::string& folder, const std::string& value)> SaveWith;
    // Loads the folder's file and returns the value where SaveWith put it.
    std::function<std::string(const std::string& folder)> LoadedValue;
};

const std::vector<DataFileCase>& Cases()
{
    static const std::vector<DataFileCase> cases = {
        {"Dialtally.log", LogFormatsPath,
         [](const std::string& folder, const std::string& value) {
             auto t = std::make_unique<TLCfg>();
             t->Count = t->Current = 1;
             t->LogType[1] = "Odd";
             t->OnService[1] = value;
             t->LogFile[1] = value + value;
             return SaveLogFormats(*t, folder);
         },
         [](const std::string& folder) {
             auto t = std::make_unique<TLCfg>();
             FixedFolders folders;
             folders.Program = folder;
             LoadLogFormats(*t, folders);
             return t->Count == 1 && t->LogFile[1] == t->OnService[1] + t->OnService[1]
                        ? t->OnService[1]
                        : "<lost>"s;
         }},
        {"Dialtally.prv", ProvidersPath,
         [](const std::string& folder, const std::string& value) {
             auto t = std::make_unique<TProv>();
             t->Count = t->Current = 1;
             t->Provider[1] = value;
             t->ProviderTod[1].Count = 1;
             t->ProviderTod[1].UnitCharge[1] = value;
             return SaveProviders(*t, folder);
         },
         [](const std::string& folder) {
             auto t = std::make_unique<TProv>();
             LoadProviders(*t, folder);
             return t->Count == 1 && t->ProviderTod[1].UnitCharge[1] == t->Provider[1]
                        ? t->Provider[1]
                        : "<lost>"s;
         }},
        {"Dialtally.srv", LinksPath,
         [](const std::string& folder, const std::string& value) {
             auto t = std::make_unique<TServ>();
             t->Count = t->Current = 1;
             t->Service[1] = value;
             t->Provider[1] = value;
             return SaveLinks(*t, folder);
         },
         [](const std::string& folder) {
             auto t = std::make_unique<TServ>();
             LoadLinks(*t, folder);
             return t->Count == 1 && t->Provider[1] == t->Service[1] ? t->Service[1] : "<lost>"s;
         }},
    };
    return cases;
}

std::size_t FilesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

} // namespace

TEST(Faults, OddBytesInValuesSurviveSaveAndLoad)
{
    RecordingFrontEnd front;
    for (const DataFileCase& c : Cases())
        for (const std::string& value : OddValues) {
            SCOPED_TRACE(c.Name);
            TempFolder home;
            ASSERT_TRUE(c.SaveWith(home.Path(), value));
            const std::string written =
                home.Read(std::filesystem::path(c.Path(home.Path())).filename());
            EXPECT_NE(written.find(value), std::string::npos);
            EXPECT_EQ(c.LoadedValue(home.Path()), value);
        }
    EXPECT_TRUE(front.Messages.empty());
}

TEST(Faults, AFullDiskLosesNothingAndSaysSo)
{
    for (const DataFileCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        RecordingFrontEnd front;
        TempFolder home;
        ASSERT_TRUE(c.SaveWith(home.Path(), "kept"));
        const std::string path = c.Path(home.Path());
        const std::string before = home.Read(std::filesystem::path(path).filename());
        bool saved = true;
        {
            ScopedFileSizeLimit full(8); // the banner alone is longer
            saved = c.SaveWith(home.Path(), "replacement");
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(home.Read(std::filesystem::path(path).filename()), before);
        EXPECT_EQ(FilesIn(home.Path()), 1u); // no temporary file left behind
        EXPECT_EQ(c.LoadedValue(home.Path()), "kept");
        EXPECT_EQ(front.Texts(MessageKind::Error),
                  std::vector<std::string>{"An error occurred writing " + path + "."});
    }
}

TEST(Faults, AProgramFolderThatIsAFileFailsEverySave)
{
    for (const DataFileCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        RecordingFrontEnd front;
        TempFolder home;
        home.Write("not-a-folder", "untouched");
        const std::string folder = home.File("not-a-folder");
        EXPECT_FALSE(c.SaveWith(folder, "value"));
        EXPECT_EQ(home.Read("not-a-folder"), "untouched");
        EXPECT_EQ(FilesIn(home.Path()), 1u);
        EXPECT_EQ(front.Texts(MessageKind::Error),
                  std::vector<std::string>{"An error occurred writing " + c.Path(folder) + "."});
    }
}

TEST(Faults, TenMegabyteLinesLoadWholeAndAreNotFatal)
{
    RecordingFrontEnd front;
    const std::string huge(10 * 1024 * 1024, 'x');
    for (const DataFileCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        TempFolder home;
        ASSERT_TRUE(c.SaveWith(home.Path(), huge));
        EXPECT_EQ(c.LoadedValue(home.Path()), huge);
    }
    // A huge line that is no key line is skipped, and the keys after it still count.
    TempFolder home;
    home.Write("Dialtally.srv", "*\r\n" + huge + "\r\nService=a\r\nProvider=b\r\n");
    auto links = std::make_unique<TServ>();
    LoadLinks(*links, home.Path());
    EXPECT_EQ(links->Count, 1);
    EXPECT_EQ(links->Service[1], "a");
    EXPECT_EQ(links->Provider[1], "b");
    EXPECT_TRUE(front.Messages.empty());
}

// Every file the program reads, made a FIFO that no process writes: each
// read returns with its message instead of waiting for a writer for good.
TEST(Faults, AFifoWithoutAWriterIsNoHang)
{
    struct Case {
        const char* Name;
        // Reads the FIFO at `path` as the program reads that file.
        std::function<void(const TempFolder& home, const std::string& path)> Read;
        bool ReadError; // the read error is shown; else the file is left out silently
    };
    const Case cases[] = {
        {"ModemLog.Txt",
         [](const TempFolder& home, const std::string& path) {
             auto formats = std::make_unique<TLCfg>();
             FixedFolders folders;
             folders.Windows = home.Path();
             LoadDefaultLogFormats(*formats, folders);
             formats->LogFile[1] = path;
             TCfg report;
             SetReportDefaults(report, home.File("Default.rep"));
             auto providers = std::make_unique<TProv>();
             auto links = std::make_unique<TServ>();
             TRep rep;
             ReadContext context{report, *formats, *providers, *links, rep, {}};
             ReadConnectionLog(context);
         },
         true},
        {"Dialtally.log",
         [](const TempFolder& home, const std::string&) {
             auto formats = std::make_unique<TLCfg>();
             FixedFolders folders;
             folders.Program = home.Path();
             LoadLogFormats(*formats, folders);
         },
         true},
        {"Dialtally.ini", [](const TempFolder&, const std::string& path) { TNewIniFile ini(path); },
         true},
        {"Week.rep",
         [](const TempFolder& home, const std::string& path) {
             TCfg report;
             SetReportDefaults(report, home.File("Default.rep"));
             std::string folder;
             RecentFiles recent;
             ReadReportFile(report, path, folder, recent);
         },
         true},
        {"header.htm",
         [](const TempFolder&, const std::string& path) {
             const ReportTable table;
             ExportSource source;
             source.Table = &table;
             HtmlExportSettings settings;
             settings.HeaderFile = path;
             HtmlText(source, settings);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder home;
        const std::string path = home.File(c.Name);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        RecordingFrontEnd front;
        // Should the read wait for a writer after all, one comes after a
        // while and leaves at once, so that a failing test ends.
        std::atomic<bool> done = false, rescued = false;
        std::thread rescuer([&] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() < deadline)
                    continue;
                const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    rescued = true;
                    ::close(fd);
                }
            }
        });
        c.Read(home, path);
        done = true;
        rescuer.join();
        EXPECT_FALSE(rescued) << "the read waited for a writer";
        EXPECT_EQ(front.Texts(MessageKind::Error),
                  c.ReadError ? std::vector<std::string>{ReadErrorText(path)}
                              : std::vector<std::string>{});
    }
}

// A log named as a device would be read for good (/dev/zero) or wait for
// input (a modem's tty) with the window frozen; none opens.
TEST(Faults, ADeviceDoesNotOpenAsAFile)
{
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        SCOPED_TRACE(device);
        InputFile file;
        errno = 0;
        EXPECT_FALSE(file.Open(device));
        EXPECT_EQ(errno, ENODEV);
    }
}

// A header file without end (a FIFO whose writer never stops), read with
// little memory to spare: the export fails with "Out of memory." instead of
// the program being aborted.
TEST(Faults, AnEndlessHeaderFileRunsOutOfMemoryWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    TempFolder folder;
    const std::string header = folder.File("header.htm");
    ASSERT_EQ(::mkfifo(header.c_str(), 0600), 0);
    const auto exportWithLittleMemory = [&header] {
        // The writer finds the FIFO closed once the export gives up.
        std::signal(SIGPIPE, SIG_IGN);
        std::thread([&header] {
            const int fd = ::open(header.c_str(), O_WRONLY);
            static const char zeros[1 << 16] = {};
            while (fd >= 0 && ::write(fd, zeros, sizeof zeros) > 0) {
            }
        }).detach();
        const ReportTable table;
        ExportSource source;
        source.Table = &table;
        ExportSettings settings;
        settings.Html.HeaderFile = header;
        const rlimit limit{512L << 20, 512L << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        try {
            ExportBytes(ExportHtml, source, settings);
        } catch (const ExportError& error) {
            std::cerr << error.what();
            std::_Exit(1);
        }
        std::_Exit(0);
    };
    EXPECT_EXIT(exportWithLittleMemory(), testing::ExitedWithCode(1), "^Out of memory\\.$");
}

} // namespace dialtally
