#include "TestSupport.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/RegionalSettings.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

TEST(DateTime, EncodeDecodeAndWeekdays)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(2001, 3, 5), 36955);
    const CivilDate d = DecodeDate(36955.75);
    EXPECT_EQ(d.Year, 2001);
    EXPECT_EQ(d.Month, 3);
    EXPECT_EQ(d.Day, 5);
    EXPECT_EQ(DayOfWeek(EncodeDate(2001, 3, 5)), 2);  // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1); // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_THROW(EncodeDate(2001, 2, 29), ConversionError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    const ClockTime t = DecodeTime(EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(t.Hour, 23);
    EXPECT_EQ(t.Millisecond, 999);
}

TEST(DateRoutines, TwoDigitYearWindowOfSeventyYears)
{
    ScopedToday today(2026, 12, 9); // window starts at 1956
    struct Case {
        int Year, Expected;
    };
    const Case cases[] = {{55, 2055}, {56, 1956}, {0, 2000}, {99, 1999}, {100, 100}, {2001, 2001}};
    for (const Case& c : cases)
        EXPECT_EQ(ExpandTwoDigitYear(c.Year), c.Expected) << c.Year;
    ScopedToday later(2070, 1, 1); // window starts at 2000: 00 stays, nothing moves up
    EXPECT_EQ(ExpandTwoDigitYear(0), 2000);
    EXPECT_EQ(ExpandTwoDigitYear(99), 2099);
}

TEST(DateRoutines, MonthFromName)
{
    const std::pair<const char*, int> cases[] = {{"january", 1}, {"Jan 5", 1}, {"MAR", 3},
                                                 {"March", 3},   {"dec", 12},  {"", 0},
                                                 {"Ja", 0},      {"Mär", 0},   {"13", 0}};
    for (const auto& [text, month] : cases)
        EXPECT_EQ(MonthFromName(text), month) << text;
}

TEST(DateRoutines, EndOfMonthRollsThroughDecemberAndLeapYears)
{
    EXPECT_EQ(EndOfMonth(EncodeDate(2001, 12, 10) + 0.5), EncodeDate(2001, 12, 31));
    EXPECT_EQ(EndOfMonth(EncodeDate(2000, 2, 1)), EncodeDate(2000, 2, 29));
    EXPECT_EQ(EndOfMonth(EncodeDate(1900, 2, 1)), EncodeDate(1900, 2, 28));
}

TEST(DateRoutines, TextToDateAcceptsTwoOrThreePartsInRegionalOrder)
{
    ScopedToday today(2026, 12, 9);
    EXPECT_EQ(TextToDate(" 3 / 5 / 2001 "), EncodeDate(2001, 3, 5));
    EXPECT_EQ(TextToDate("3/5"), EncodeDate(2026, 3, 5));
    EXPECT_EQ(TextToDate("3/5/01"), EncodeDate(2001, 3, 5));
    EXPECT_EQ(TextToDate("3/5/60"), EncodeDate(1960, 3, 5));
    {
        ScopedRegional de("de-DE");
        EXPECT_EQ(TextToDate("5.3"), EncodeDate(2026, 3, 5));
        EXPECT_EQ(TextToDate("31.12.2000"), EncodeDate(2000, 12, 31));
    }
    for (const char* bad :
         {"", "3/5/2001/1", "2/30/2001", "13/1/2001", "a/b/c", "3//2001", "3/5/20x1"})
        EXPECT_THROW(TextToDate(bad), ConversionError) << bad;
}

TEST(DateRoutines, TextToTimeReadsTheTimeOfDayRules)
{
    struct Case {
        const char* Text;
        int H, M, S;
    };
    const Case good[] = {
        {"14:20:07", 14, 20, 7}, {"14:20:07 ", 14, 20, 7},  {"7", 7, 0, 0},
        {" 7: 5", 7, 5, 0},      {"2:20:07 PM", 14, 20, 7}, {"12:00:00 AM", 0, 0, 0},
        {"12:30 pm", 12, 30, 0}, {"PM 1:00", 13, 0, 0},     {"11:59:59 am ", 11, 59, 59},
        {"0:00:00", 0, 0, 0}};
    for (const Case& c : good)
        EXPECT_DOUBLE_EQ(TextToTime(c.Text), EncodeTime(c.H, c.M, c.S, 0)) << c.Text;
    for (const char* bad : {"", "24:00:00", "12:60", "1:00:60", "13:00 PM", "0:30 AM", "1:00:00.5",
                            "1:00:00 XM", "1:", "a", "1:00 PM PM"})
        EXPECT_THROW(TextToTime(bad), ConversionError) << bad;
}

// The shortcut for plain times gives TextToTime's value or leaves the text
// to it, whatever the regional separator and designators.
TEST(DateRoutines, PlainTimeOfDayAgreesWithTextToTime)
{
    struct Case {
        char Separator;
        const char* Am;
        const char* Text;
        bool Plain;
    };
    const Case cases[] = {{':', "AM", "14:20:07", true},
                          {':', "AM", "7:05", true},
                          {':', "AM", "09", true},
                          {':', "AM", "23:59:59", true},
                          {':', "AM", "24:00:00", false},
                          {':', "AM", "1:60", false},
                          {':', "AM", "1:5", false},
                          {':', "AM", " 1:05", false},
                          {':', "AM", "2:20:07 PM", false},
                          {':', "AM", "123:00", false},
                          {'.', "AM", "14.20.07", true},
                          {'.', "AM", "14:20:07", false},
                          {' ', "AM", "14 20 07", false},
                          {':', "1", "1:00", false},
                          {':', "AM", "", false}};
    for (const Case& c : cases) {
        RegionalSettings settings = Regional();
        const RegionalSettings previous = settings;
        settings.TimeSeparator = c.Separator;
        settings.AmDesignator = c.Am;
        SetRegional(settings);
        TDateTime plain = -1;
        EXPECT_EQ(TryPlainTimeOfDay(c.Text, plain), c.Plain) << c.Text;
        if (c.Plain) {
            EXPECT_DOUBLE_EQ(plain, TextToTime(c.Text)) << c.Text;
        }
        SetRegional(previous);
    }
}

TEST(DateRoutines, SpanSecondsCountsWholeSeconds)
{
    EXPECT_EQ(SpanSeconds(EncodeTime(19, 0, 0, 0)), 68400);
    EXPECT_EQ(SpanSeconds(2 + EncodeTime(0, 0, 1, 400)), 2 * 86400 + 1);
    EXPECT_EQ(SpanSeconds(EncodeTime(0, 0, 1, 600)), 1);
    // A clock set back gives no negative duration.
    EXPECT_EQ(SpanSeconds(-EncodeTime(0, 5, 0, 0)), 0);
    const TDateTime begin = EncodeDate(2000, 12, 31) + EncodeTime(23, 50, 0, 0);
    const TDateTime end = EncodeDate(2001, 1, 1) + EncodeTime(0, 10, 0, 0);
    EXPECT_EQ(SpanSeconds(end - begin), 1200);
    EXPECT_EQ(SpanSeconds(1e9), 2147483647);
}

TEST(DateRoutines, DurationTextsRoundTrip)
{
    const std::pair<int, const char*> cases[] = {{0, "0:00:00"},
                                                 {59, "0:00:59"},
                                                 {3725, "1:02:05"},
                                                 {90000, "25:00:00"},
                                                 {3600000, "1000:00:00"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(SecondsToDurationText(seconds), text);
        EXPECT_EQ(TimeTextToSeconds(text), seconds);
    }
    for (const char* bad : {"", "12", "1:x0:00", "1:00", "a:00:00"})
        EXPECT_THROW(TimeTextToSeconds(bad), ConversionError) << bad;
}

} // namespace

} // namespace dialtally
