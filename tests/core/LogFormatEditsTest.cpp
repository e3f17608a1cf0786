#include "TestSupport.h"

#include "logs/LogFileHead.h"
#include "logs/LogFormatEdits.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

LogFormatTexts Texts(const std::string& prefix)
{
    LogFormatTexts texts;
    for (std::size_t k = 0; k < texts.size(); ++k)
        texts[k] = prefix + std::to_string(k);
    return texts;
}

TEST(LogFormatEdits, EmptyEndLocatorsTakeTheBeginOnes)
{
    TLCfg table;
    LogFormatTexts edits = Texts("v");
    for (std::size_t k = 10; k <= 14; ++k)
        edits[k].clear();
    edits[9].clear(); // an empty end marker list stays empty
    StoreLogFormat(table, 1, edits);
    EXPECT_EQ(table.OffMonth[1], "v3");
    EXPECT_EQ(table.OffDate[1], "v4");
    EXPECT_EQ(table.OffYear[1], "v5");
    EXPECT_EQ(table.OffTime[1], "v6");
    EXPECT_EQ(table.OffAmpm[1], "v7");
    EXPECT_EQ(table.Offline[1], "");
    EXPECT_EQ(table.OnService[1], "v8");

    StoreLogFormat(table, 2, Texts("w"));
    EXPECT_EQ(LogFormatValues(table, 2), Texts("w"));
}

TEST(LogFormatEdits, IndexesOutsideTheTableChangeNothing)
{
    TLCfg table;
    const TLCfg before = table;
    StoreLogFormat(table, 0, Texts("x"));
    StoreLogFormat(table, TLCfg::MaxFormats + 1, Texts("x"));
    RemoveLogFormat(table, 1);
    EXPECT_EQ(table, before);
    EXPECT_EQ(LogFormatValues(table, -3), LogFormatTexts{});
}

TEST(LogFormatEdits, RemoveMovesLaterFormatsUp)
{
    TLCfg table;
    table.Count = 3;
    for (int i = 1; i <= 3; ++i)
        StoreLogFormat(table, i, Texts("f" + std::to_string(i) + "-"));
    RemoveLogFormat(table, 2);
    EXPECT_EQ(table.Count, 2);
    EXPECT_EQ(LogFormatValues(table, 1), Texts("f1-"));
    EXPECT_EQ(LogFormatValues(table, 2), Texts("f3-"));
    EXPECT_EQ(LogFormatValues(table, 3), LogFormatTexts{});
    RemoveLogFormat(table, 2);
    RemoveLogFormat(table, 1);
    EXPECT_EQ(table.Count, 0);
}

TEST(LogFileHead, RulerMarksEveryFifthColumn)
{
    const std::string_view ruler = LogRuler();
    ASSERT_EQ(ruler.size(), 120u);
    for (std::size_t column = 1; column <= 120; ++column) {
        const char c = ruler[column - 1];
        if (column % 10 == 0)
            EXPECT_EQ(c, '0' + static_cast<char>(column / 10 % 10)) << column;
        else if (column % 5 == 0)
            EXPECT_EQ(c, '\'') << column;
        else
            EXPECT_EQ(c, '.') << column;
    }
}

TEST(LogFileHead, ReadsTheFirstLinesOfAFile)
{
    TempFolder folder;
    std::string big;
    for (int i = 1; i <= 500; ++i)
        big += "line " + std::to_string(i) + "\r\n";
    folder.Write("big.log", big);
    folder.Write("empty.log", "");
    folder.Write("cr.log", "a\rb\r\nc");
    std::filesystem::create_directory(folder.File("sub"));

    const LogFileHead head = ReadLogFileHead(folder.File("big.log"));
    ASSERT_TRUE(head.Found);
    EXPECT_FALSE(head.Failed);
    ASSERT_EQ(head.Lines.size(), 128u);
    EXPECT_EQ(head.Lines.front(), "line 1");
    EXPECT_EQ(head.Lines.back(), "line 128");

    const LogFileHead empty = ReadLogFileHead(folder.File("empty.log"));
    EXPECT_TRUE(empty.Found);
    EXPECT_EQ(empty.Lines, std::vector<std::string>{""});
    EXPECT_EQ(LogFileHeadText(empty), std::string(LogRuler()) + "\n");

    EXPECT_EQ(ReadLogFileHead(folder.File("cr.log")).Lines,
              (std::vector<std::string>{"a", "b", "c"}));
    // Saved as UTF-16, the lines show as their text, as the reports read it.
    folder.Write("utf16.log", std::string("\xFF\xFE"
                                          "a\0\r\0\n\0b\0",
                                          10));
    EXPECT_EQ(ReadLogFileHead(folder.File("utf16.log")).Lines,
              (std::vector<std::string>{"a", "b"}));
    for (const std::string& path : {folder.File("none.log"), folder.File("sub"), std::string()}) {
        const LogFileHead none = ReadLogFileHead(path);
        EXPECT_FALSE(none.Found) << path;
        EXPECT_TRUE(none.Lines.empty()) << path;
    }
}

TEST(LogFileHead, LongLinesAreCut)
{
    TempFolder folder;
    folder.Write("long.log", std::string(1000, 'x') + "\r\n\r\nnext\n");
    EXPECT_EQ(ReadLogFileHead(folder.File("long.log"), 128, 300).Lines,
              (std::vector<std::string>{std::string(300, 'x'), "", "next"}));
    // A file without line ends is read only as far as the view can show.
    folder.Write("blob.log", std::string(10'000'000, 'y'));
    const LogFileHead blob = ReadLogFileHead(folder.File("blob.log"));
    ASSERT_EQ(blob.Lines.size(), 1u);
    EXPECT_EQ(blob.Lines[0], std::string(16384, 'y'));
    EXPECT_FALSE(blob.Failed);
}

TEST(LogFileHead, UnreadableFileFails)
{
    // A regular file whose every read fails, even for root.
    const LogFileHead head = ReadLogFileHead("/proc/self/mem");
    EXPECT_TRUE(head.Found);
    EXPECT_TRUE(head.Failed);
    EXPECT_TRUE(head.Lines.empty());
}

} // namespace

} // namespace dialtally
