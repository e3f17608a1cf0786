#pragma once

#include "base/DateTime.h"

#include <cstddef>
#include <vector>

namespace dialtally {

// The years of a log's lines when the lines carry none (classic syslog).
// A log is written in time order, so a date more than a day before the
// latest one of its file so far begins a new year, and the latest date of
// its last year has the latest year that does not put it after the file
// was last written to. A 29 February stands in a leap year: where the count
// would put it in a common one, whole years passed unseen after it (after
// the end line of a connection it begins), and it and the lines before it
// go back to the leap year before. A file that spans years (an archive
// kept over years, a log never rotated) thus keeps them apart; taking each
// line's year from the file's time alone put all of them in its last twelve
// months.
//
// The lines of every file are learnt first, then read again in the same
// order, each getting its year. A file that was not learnt (a stream, which
// cannot be read twice) gives each line the latest year that does not put
// it after the file's time.
class LogYears {
public:
    // The next begin or end line of file `member` (of a set, else 0), last
    // written to at `modified`.
    void Learn(std::size_t member, int month, int day, TDateTime modified, bool begin);
    // The year of the next line of `member` read again.
    int YearOf(std::size_t member, int month, int day, TDateTime modified);

private:
    struct File {
        bool Learnt = false;
        int Turns = 0;                      // of the year, as learnt
        int Latest = 0;                     // the latest date so far, as DateKey gives it
        int LatestMonth = 0, LatestDay = 0; // of the latest date of the last year
        TDateTime Modified = 0;
        int Year = 0; // of the latest date, when read again
        bool Reading = false;
        int Lines = 0; // learnt
        struct LeapDay {
            int Line, Turns; // as learnt
        };
        std::vector<LeapDay> LeapDays;
        bool LeapDayBegins = false; // the last one learnt is a begin line
        int Line = 0;               // read again
        struct YearsBack {
            int Line, Years; // up to that line
        };
        std::vector<YearsBack> Back; // the first last
    };
    File& Member(std::size_t member);

    std::vector<File> m_files;
};

} // namespace dialtally
