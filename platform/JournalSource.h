#pragma once

#include "base/ByteSource.h"

#include <string>
#include <vector>

struct sd_journal;

namespace dialtally {

// The systemd journal read as text, one line per entry:
//
//   2026-12-09T13:11:19+01:00 pppd[1063]: Connect: ppp0 <--> /dev/ttyUSB0
//
// the entry's time in local time with its UTC offset (so the date and the
// time stand in columns 1-10 and 12-19), a blank, the identifier with the
// process id in brackets when the entry has one, ": " and the message with
// its line breaks turned into blanks. Entries come in the order of time.
class JournalSource : public ByteSource {
public:
    enum class Opened {
        Yes,
        NotFound,   // no journal there
        Unreadable, // there, but it cannot be read (permissions, a damaged file)
    };

    JournalSource() = default;
    ~JournalSource() override;
    JournalSource(const JournalSource&) = delete;
    JournalSource& operator=(const JournalSource&) = delete;

    // Each match is an identifier ("pppd") or FIELD=value; an entry is read
    // when it matches any of them, every entry when there are none.
    // The system journal: system services and the kernel of this machine.
    Opened OpenSystem(const std::vector<std::string>& matches);
    // Journal files, such as a copy of /var/log/journal/*/system.journal.
    // One that cannot be read (cut short, say) is left out and added to
    // `lost`, so that it does not hide the others; Yes when any can be read.
    Opened OpenFiles(const std::vector<std::string>& paths,
                     const std::vector<std::string>& matches,
                     std::vector<std::string>* lost = nullptr);
    void Close();
    ssize_t Read(char* buffer, std::size_t size) override;

private:
    bool AddMatches(const std::vector<std::string>& matches);
    // Opens exactly these files (all regular) as one journal.
    bool OpenJournalFiles(const std::vector<std::string>& paths);
    bool NextLine();

    ::sd_journal* m_journal = nullptr;
    std::string m_line;       // the entry being handed over
    std::size_t m_handed = 0; // bytes of m_line already handed over
    bool m_failed = false;
};

// The system journal's folders, for telling "none" from "not readable".
bool SystemJournalExists();

} // namespace dialtally
