#include "TestSupport.h"
#include "app/ProgramInputs.h"

#include "base/AtomicFile.h"
#include "base/DataFile.h"
#include "base/LineReader.h"
#include "base/Messages.h"
#include "platform/Folders.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <unistd.h>

namespace dialtally {

namespace {

std::vector<std::string> Lines(const TempFolder& folder, const std::string& contents)
{
    folder.Write("lines.txt", contents);
    const auto lines = ReaderLines(folder.File("lines.txt"));
    EXPECT_TRUE(lines);
    return lines.value_or(std::vector<std::string>{});
}

TEST(LineReader, SplitsAtEveryKindOfLineEnd)
{
    TempFolder folder;
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines(folder, ""), V{});
    EXPECT_EQ(Lines(folder, "a"), V{"a"});
    EXPECT_EQ(Lines(folder, "a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Lines(folder, "a\nb\rc\r\n\r\nd"), (V{"a", "b", "c", "", "d"}));
    EXPECT_EQ(Lines(folder, "\r\r\n\n"), (V{"", "", ""}));
    EXPECT_EQ(Lines(folder, std::string("a\0b\n", 4)), V{std::string("a\0b", 3)});
}

TEST(LineReader, LinesLongerThanTheBlockAndEndsAcrossBlocks)
{
    TempFolder folder;
    const std::string longLine(200'000, 'x');
    // A CR LF split over the block boundary must not give an extra line.
    const std::string first(65'535, 'y');
    const auto lines = Lines(folder, longLine + "\r\n" + first + "\r\nz\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[2], "z");
    const auto split = Lines(folder, std::string(65'535, 'q') + "\r\nw");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[1], "w");
}

TEST(LineReader, LinesPastTheLimitAreCutAndTheNextLineIsWhole)
{
    TempFolder folder;
    folder.Write("lines.txt", "short\n" + std::string(300'000, 'x') + "\r\n" +
                                  std::string(65'530, 'y') + "\r\nnext");
    LineReader reader(10);
    ASSERT_TRUE(reader.Open(folder.File("lines.txt")));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"short", std::string(10, 'x'), std::string(10, 'y'),
                                               "next"}));
}

TEST(AtomicFile, ReplacesWholeAndKeepsPermissions)
{
    TempFolder folder;
    folder.Write("f", "old");
    ::chmod(folder.File("f").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(folder.File("f"), "new contents"));
    EXPECT_EQ(folder.Read("f"), "new contents");
    struct stat info {};
    ::stat(folder.File("f").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_FALSE(WriteFileAtomically(folder.File("missing/f"), "x"));

    // Another user's file root writes stays theirs; a file its user made
    // read-only is not replaced.
    folder.Write("theirs", "old");
    ::chmod(folder.File("theirs").c_str(), 0444);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(folder.File("theirs").c_str(), 65534, 65534), 0);
    }
    EXPECT_EQ(WriteFileAtomically(folder.File("theirs"), "new"), root);
    ::stat(folder.File("theirs").c_str(), &info);
    EXPECT_EQ(folder.Read("theirs"), root ? "new" : "old");
    EXPECT_EQ(info.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(info.st_mode & 0777, 0444u);

    // A name as long as the system takes still has room for its
    // temporary file's.
    const std::string longest = std::string(251, 'L') + ".csv";
    ASSERT_TRUE(WriteFileAtomically(folder.File(longest), "long"));
    EXPECT_EQ(folder.Read(longest), "long");
}

// Files and links of other users, which only root can lay out.
TEST(AtomicFile, OtherUsersLinksAndFolders)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root makes files of other users";
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_directory(folder.File("tmp"));
    ::chmod(folder.File("tmp").c_str(), 01777);
    folder.Write("private", "mine");
    const struct {
        const char* Link;
        uid_t Owner;
        bool Followed;
    } cases[] = {
        {"tmp/own", 0, true},
        // Laid in a sticky shared folder by someone else: not followed,
        // as the kernel's protected_symlinks rule would not.
        {"tmp/laid", 65534, false},
    };
    std::string expected = "mine";
    for (const auto& c : cases) {
        const std::string link = folder.File(c.Link);
        fs::create_symlink(folder.File("private"), link);
        ASSERT_EQ(::lchown(link.c_str(), c.Owner, c.Owner), 0);
        EXPECT_EQ(WriteFileAtomically(link, c.Link), c.Followed) << c.Link;
        expected = c.Followed ? c.Link : expected;
        EXPECT_EQ(folder.Read("private"), expected) << c.Link;
    }
    // A new file root writes into a user's folder is the user's, unless it
    // was asked to be narrower than usual (the copy of a private log).
    fs::create_directory(folder.File("users"));
    ASSERT_EQ(::chown(folder.File("users").c_str(), 65534, 65534), 0);
    const mode_t mask = ::umask(022);
    for (const auto& [mode, owner] : {std::pair<mode_t, uid_t>{0666, 65534}, {0600, 0}}) {
        const std::string file = folder.File("users/new" + std::to_string(mode));
        ASSERT_TRUE(WriteFileAtomically(file, "x", mode));
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, owner) << mode;
        EXPECT_EQ(info.st_mode & 0777, mode & 0644) << mode;
    }
    ::umask(mask);
}

TEST(AtomicFile, AWriteFailingHalfWayLeavesTheOldFile)
{
    TempFolder folder;
    folder.Write("f", "old");
    {
        ScopedFileSizeLimit full(4);
        EXPECT_FALSE(WriteFileAtomically(folder.File("f"), std::string(10'000, 'n')));
    }
    EXPECT_EQ(folder.Read("f"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

// Windows Notepad's "Unicode" is UTF-16 with a byte-order mark: such a
// file reads as the text it holds, in either byte order.
TEST(DataFile, Utf16FilesReadAsTheirText)
{
    const std::u16string text = u"Provider=T\u00E9l\u00E9com \U0001F4DE\r\nProvider=Second\r\n";
    TempFolder folder;
    for (const bool big : {false, true}) {
        std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += big ? std::string{high, low} : std::string{low, high};
        }
        folder.Write("t.prv", bytes);
        std::vector<std::string> names;
        int entries = 0;
        EXPECT_EQ(
            ReadDataFileEntries(folder.File("t.prv"), "Provider=", 5, entries,
                                [&](int, const KeyValue& kv) { names.emplace_back(kv.Value); }),
            DataFileRead::Ok);
        EXPECT_EQ(names, (std::vector<std::string>{"T\u00E9l\u00E9com \U0001F4DE", "Second"}))
            << big;
    }
}

// A file of entries that an editor saved with a byte order mark keeps its
// first key; one with more entries than a table keeps is counted whole, and
// a dialog that would save the table over it does not open.
TEST(DataFile, EntriesPastTheRoomAreCountedAndAByteOrderMarkIsNoKey)
{
    TempFolder folder;
    folder.Write("t.prv", "\xEF\xBB\xBFProvider=First\r\nProvider=Second\r\nProvider=Third\r\n");
    std::vector<std::string> names;
    int entries = 0;
    ReadDataFileEntries(folder.File("t.prv"), "Provider=", 2, entries,
                        [&](int, const KeyValue& kv) {
                            if (kv.Key == "Provider")
                                names.emplace_back(kv.Value);
                        });
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(entries, 2);
    EXPECT_EQ(DataFileEntryCount(folder.File("t.prv"), "Provider="), 3);

    RecordingFrontEnd ui;
    EXPECT_TRUE(TableFileFits(folder.File("t.prv"), "Provider=", 3, "providers", "Costs"));
    EXPECT_FALSE(TableFileFits(folder.File("t.prv"), "Provider=", 2, "providers", "Costs"));
    ASSERT_EQ(ui.Texts(MessageKind::Error).size(), 1u);
    EXPECT_NE(ui.Texts(MessageKind::Error)[0].find("holds 3 providers, more than the 2"),
              std::string::npos);
}

TEST(DataFile, SplitsAtTheFirstEquals)
{
    KeyValue kv;
    ASSERT_TRUE(SplitKeyValue("a=b=c", kv));
    EXPECT_EQ(kv.Key, "a");
    EXPECT_EQ(kv.Value, "b=c");
    ASSERT_TRUE(SplitKeyValue("=", kv));
    EXPECT_EQ(kv.Key, "");
    EXPECT_FALSE(SplitKeyValue("*  banner", kv));
}

TEST(Messages, ReadErrorSaysWhetherTheFileIsThere)
{
    TempFolder folder;
    RecordingFrontEnd ui;
    folder.Write("there.txt", "");
    ShowReadError(folder.File("there.txt"));
    ShowReadError(folder.File("gone.txt"));
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              (std::vector<std::string>{"An error occurred reading " + folder.File("there.txt") +
                                            ".\n\rA dial-up connection may be active.",
                                        "An error occurred reading " + folder.File("gone.txt") +
                                            ".\n\rThe file was not found."}));
    ui.Answers = {MessageAnswer::No};
    EXPECT_EQ(ConfirmRemove("Modem"), MessageAnswer::No);
    EXPECT_EQ(ui.Messages.back().Text, "Remove Modem?");
    EXPECT_EQ(ui.Messages.back().Buttons, MessageButtons::YesNo);
    EXPECT_STREQ(MessageCaption(ui.Messages.back().Kind), "Confirm");
}

class FolderEnvironment : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "DIALTALLY_HOME",
                                 "DIALTALLY_WINDOWS_DIR", "DIALTALLY_PROGRAM_FILES"}) {
            if (const char* value = std::getenv(name))
                m_saved.emplace_back(name, value);
            ::unsetenv(name);
        }
        ::setenv("HOME", home.Path().c_str(), 1);
    }
    void TearDown() override
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "DIALTALLY_HOME",
                                 "DIALTALLY_WINDOWS_DIR", "DIALTALLY_PROGRAM_FILES"})
            ::unsetenv(name);
        for (const auto& [name, value] : m_saved)
            ::setenv(name.c_str(), value.c_str(), 1);
    }

    TempFolder home;
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_F(FolderEnvironment, ProgramFolderByPrecedence)
{
    const std::string exe = home.Path() + "bin/";
    std::filesystem::create_directories(exe);
    EXPECT_EQ(LinuxFolders(std::nullopt, exe).ProgramFolder(), home.Path() + ".config/Dialtally/");
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() + ".config/Dialtally"));
    home.Write("bin/Dialtally.ini", "");
    EXPECT_EQ(LinuxFolders(std::nullopt, exe).ProgramFolder(), exe);
    ::setenv("DIALTALLY_HOME", (home.Path() + "env").c_str(), 1);
    EXPECT_EQ(LinuxFolders(std::nullopt, exe).ProgramFolder(), home.Path() + "env/");
    EXPECT_EQ(LinuxFolders(home.Path() + "opt//", exe).ProgramFolder(), home.Path() + "opt/");
    ::unsetenv("DIALTALLY_HOME");
    ::setenv("XDG_CONFIG_HOME", (home.Path() + "xdg").c_str(), 1);
    std::filesystem::remove(home.File("bin/Dialtally.ini"));
    EXPECT_EQ(LinuxFolders(std::nullopt, exe).ProgramFolder(), home.Path() + "xdg/Dialtally/");
    // A relative XDG_CONFIG_HOME is ignored, as the XDG rules ask.
    ::setenv("XDG_CONFIG_HOME", "xdg", 1);
    EXPECT_EQ(LinuxFolders(std::nullopt, exe).ProgramFolder(), home.Path() + ".config/Dialtally/");
    // Without HOME, the user database names the home folder.
    ::unsetenv("HOME");
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(LinuxFolders(std::nullopt, exe, false).ProgramFolder(),
              WithTrailingSeparator(user->pw_dir) + ".config/Dialtally/");
}

TEST_F(FolderEnvironment, WindowsProgramFilesAndDocuments)
{
    const LinuxFolders folders(home.Path(), "");
    EXPECT_EQ(folders.WindowsFolder(), "/var/log/");
    std::filesystem::create_directories(home.Path() + ".wine/drive_c/windows");
    EXPECT_EQ(folders.WindowsFolder(), home.Path() + ".wine/drive_c/windows/");
    ::setenv("DIALTALLY_WINDOWS_DIR", "/srv/logs", 1);
    EXPECT_EQ(folders.WindowsFolder(), "/srv/logs/");

    EXPECT_EQ(folders.ProgramFilesFolder(), "");
    ::setenv("DIALTALLY_PROGRAM_FILES", "/opt/pf/", 1);
    EXPECT_EQ(folders.ProgramFilesFolder(), "/opt/pf");

    EXPECT_EQ(folders.DocumentsFolder(), home.Path() + "Documents/");
    std::filesystem::create_directories(home.Path() + ".config");
    home.Write(".config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(folders.DocumentsFolder(), home.Path() + "Papers/");
}

// What a write does to targets that are no regular file.
TEST(AtomicFile, LinksAreFollowedAndDevicesAndFifosWrittenInPlace)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    folder.Write("real", "old");
    fs::create_symlink(folder.File("real"), folder.File("link"));
    fs::create_symlink("made", folder.File("dangling"));
    fs::create_symlink("loop", folder.File("loop"));
    fs::create_directory(folder.File("folder"));
    // Root makes a null device of its own, where the folder's file system
    // allows devices: a faulty writer run as root would replace the
    // system's /dev/null by a regular file.
    std::string device = "/dev/null";
    if (::geteuid() == 0) {
        const bool made = ::mknod(folder.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        const int fd = made ? ::open(folder.File("null").c_str(), O_WRONLY) : -1;
        device = fd >= 0 ? folder.File("null") : "";
        if (fd >= 0)
            ::close(fd);
    }
    struct Case {
        std::string Path;
        bool Written;
        fs::file_type Kind; // what the path is afterwards
        std::string Check;  // a file that then holds the contents
    };
    std::vector<Case> cases = {
        {folder.File("link"), true, fs::file_type::symlink, "real"},
        {folder.File("dangling"), true, fs::file_type::symlink, "made"},
        {folder.File("folder"), false, fs::file_type::directory, ""},
        // Names no file, as the shell's > finds: the link is no file to replace.
        {folder.File("loop"), false, fs::file_type::symlink, ""},
    };
    if (!device.empty())
        cases.push_back({device, true, fs::file_type::character, ""});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(WriteFileAtomically(c.Path, "contents"), c.Written);
        EXPECT_EQ(fs::symlink_status(c.Path).type(), c.Kind);
        if (!c.Check.empty()) {
            EXPECT_EQ(folder.Read(c.Check), "contents");
        }
    }
    // A FIFO with a reader takes the contents; one without fails at once.
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    const int reader = ::open(folder.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_TRUE(WriteFileAtomically(folder.File("fifo"), "through the pipe"));
    char got[64] = {};
    EXPECT_EQ(::read(reader, got, sizeof got - 1), 16);
    EXPECT_STREQ(got, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(folder.File("fifo")));
    EXPECT_FALSE(WriteFileAtomically(folder.File("fifo"), "no reader now"));
    // A pipe named through /proc, as /dev/stdout names a shell pipe.
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_NONBLOCK), 0);
    EXPECT_TRUE(WriteFileAtomically("/proc/self/fd/" + std::to_string(pipeEnds[1]), "piped"));
    EXPECT_EQ(::read(pipeEnds[0], got, sizeof got - 1), 5);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()),
              fs::exists(folder.File("null")) ? 8 : 7)
        << "no temporary file left";
}

// Temporary files a killed writer left beside the target: the next write of
// that target removes those older than a minute, and only those.
TEST(AtomicFile, StaleTemporaryFilesOfTheTargetGo)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string prefix = std::string(AtomicFileWriter::TempFilePrefix);
    struct Case {
        std::string Name;
        int AgeSeconds;
        bool Removed;
    };
    const Case cases[] = {
        {prefix + "out.csv-a1B2c3", 120, true},
        {prefix + "out.csv-d4E5f6", 5, false},       // a write at work
        {prefix + "out.csv.bak-g7H8i9", 120, false}, // another target's
        {"out.csv-j1K2l3", 120, false},              // not the program's
    };
    for (const Case& c : cases) {
        folder.Write(c.Name, "partial");
        const timeval then[2] = {{std::time(nullptr) - c.AgeSeconds, 0},
                                 {std::time(nullptr) - c.AgeSeconds, 0}};
        ::utimes(folder.File(c.Name).c_str(), then);
    }
    {
        AtomicFileWriter writer(folder.File("out.csv"));
        ASSERT_TRUE(writer.Write("fresh"));
        std::size_t own = 0; // the writer's own temporary file, named as it should be
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            const std::string name = entry.path().filename().string();
            own += name.starts_with(prefix + "out.csv-") && name.size() == prefix.size() + 14;
        }
        EXPECT_EQ(own, 2u) << "the fresh one and the writer's";
        ASSERT_TRUE(writer.Commit());
    }
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(folder.File(c.Name)), !c.Removed) << c.Name;
    EXPECT_EQ(folder.Read("out.csv"), "fresh");
}

} // namespace

} // namespace dialtally
