#pragma once

#include "base/DateTime.h"
#include "base/FrontEnd.h"
#include "base/RegionalSettings.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dialtally {

// Records every message instead of showing it; questions take queued
// answers (Yes when none is queued).
class RecordingFrontEnd : public FrontEnd {
public:
    struct Message {
        MessageKind Kind;
        MessageButtons Buttons;
        std::string Text;
    };

    RecordingFrontEnd();
    ~RecordingFrontEnd() override;

    MessageAnswer ShowMessage(MessageKind kind, MessageButtons buttons,
                              const std::string& text) override;
    void SetBusy(bool busy) override
    {
        BusyCalls.push_back(busy);
        if (OnBusy)
            OnBusy(busy);
    }
    void PlayDefaultSound() override { ++Sounds; }
    void SetStatusText(int panel, const std::string& text) override;
    void SetProgress(int position, int max) override
    {
        Progress.emplace_back(position, max);
        if (OnProgress)
            OnProgress();
    }
    void AddToShellRecentDocs(const std::string& path) override { ShellRecent.push_back(path); }
    void KeepResponsive() override { ++Repaints; }

    std::vector<Message> Messages;
    std::deque<MessageAnswer> Answers;
    std::vector<bool> BusyCalls;
    std::vector<std::pair<int, std::string>> StatusTexts;
    std::vector<std::pair<int, int>> Progress;
    std::vector<std::string> ShellRecent;
    int Sounds = 0;
    int Repaints = 0;                 // calls of KeepResponsive
    std::function<void()> OnProgress; // lets a test act in the middle of a step
    std::function<void(bool busy)> OnBusy;

    // The texts of the messages of one kind, in order.
    std::vector<std::string> Texts(MessageKind kind) const;
};

// Puts a preset in force for the life of the object.
class ScopedRegional {
public:
    explicit ScopedRegional(const std::string& presetName);
    ~ScopedRegional();

private:
    RegionalSettings m_previous;
};

// Fixes "today" for the life of the object.
class ScopedToday {
public:
    ScopedToday(int year, int month, int day);
    ~ScopedToday();
};

// Makes every write past `bytes` fail (even for root), as a full disk
// would, for the life of the object.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(unsigned long bytes);
    ~ScopedFileSizeLimit();

private:
    unsigned long m_soft = 0;
    unsigned long m_hard = 0;
};

// A fresh folder, removed with its contents at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    // The folder with a trailing "/".
    std::string Path() const;
    std::string File(const std::string& name) const { return Path() + name; }
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// Every line of the file as the program's line reader gives it; nothing
// when the file does not open or the read fails.
std::optional<std::vector<std::string>> ReaderLines(const std::string& path);

// Logs of a Linux machine, for the tests of their sources. Times are local
// "YYYY-MM-DD HH:MM:SS".
TDateTime At(const std::string& stamp);
// Sets the file's modification time; false when it cannot.
bool SetModified(const std::string& path, const std::string& stamp);
// The lines, each ended by LF.
std::string Joined(const std::vector<std::string>& lines);
bool WriteGzip(const std::string& path, const std::string& text);
// A journal file of entries "time|identifier|pid|message", made from the
// journal export format by systemd-journal-remote, as a machine's journal
// would hold them.
// The entries are of one boot, which `bootId` names.
bool WriteJournal(const std::string& path, const std::vector<std::string>& entries,
                  const std::string& bootId = "0123456789abcdef0123456789abcdef");

} // namespace dialtally
