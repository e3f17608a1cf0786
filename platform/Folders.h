#pragma once

#include <optional>
#include <string>

namespace dialtally {

// The folders the program's files live in, standing in for the Windows
// services that named them. Every folder but ProgramFiles ends in "/".
class Folders {
public:
    virtual ~Folders() = default;
    // Home of Dialtally.ini, .log, .prv and .srv.
    virtual std::string ProgramFolder() const = 0;
    // Where the built-in modem log format and the first-time setup look.
    virtual std::string WindowsFolder() const = 0;
    // No trailing separator; empty when unknown.
    virtual std::string ProgramFilesFolder() const = 0;
    virtual std::string DocumentsFolder() const = 0;
    // Where the first-time setup looks for the logs of this machine (syslog
    // sets, journal files); empty: nowhere.
    virtual std::string LogFolder() const { return {}; }
    // True when it also looks in the system journal.
    virtual bool ReadsSystemJournal() const { return false; }
    // The program's installed data (help pages, ready-made log formats).
    virtual std::string DataFolder() const { return {}; }
};

// The Linux answers:
// - program folder: --home, else DIALTALLY_HOME, else the executable's
//   folder when it holds a Dialtally.ini (a portable install), else
//   $XDG_CONFIG_HOME/Dialtally (~/.config/Dialtally); created when missing
//   unless the caller asks not to;
// - Windows folder: DIALTALLY_WINDOWS_DIR, else ~/.wine/drive_c/windows/
//   when it exists, else /var/log/;
// - Program Files: DIALTALLY_PROGRAM_FILES, else empty;
// - documents: XDG_DOCUMENTS_DIR of ~/.config/user-dirs.dirs, else ~/Documents/;
// - logs of this machine: DIALTALLY_LOG_DIR (a prepared folder, read
//   without the system journal), else /var/log/ and the system journal;
// - data: DIALTALLY_DATA_DIR, else share/dialtally beside the executable's
//   bin folder (the build writes one for a run from the build), else
//   share/dialtally under the configured install prefix.
class LinuxFolders : public Folders {
public:
    LinuxFolders(std::optional<std::string> homeOption, std::string executableFolder,
                 bool createProgramFolder = true);

    std::string ProgramFolder() const override { return m_program; }
    std::string WindowsFolder() const override;
    std::string ProgramFilesFolder() const override;
    std::string DocumentsFolder() const override;
    std::string LogFolder() const override;
    bool ReadsSystemJournal() const override;
    std::string DataFolder() const override;

    // The folder of the running executable, from /proc/self/exe.
    static std::string ExecutableFolder();

private:
    std::string m_program;
    std::string m_executable;
};

// Fixed folders, for tests and for callers that already know them.
class FixedFolders : public Folders {
public:
    std::string Program, Windows, ProgramFiles, Documents;
    std::string Logs, Data;
    bool SystemJournal = false;

    std::string ProgramFolder() const override { return Program; }
    std::string WindowsFolder() const override { return Windows; }
    std::string ProgramFilesFolder() const override { return ProgramFiles; }
    std::string DocumentsFolder() const override { return Documents; }
    std::string LogFolder() const override { return Logs; }
    bool ReadsSystemJournal() const override { return SystemJournal; }
    std::string DataFolder() const override { return Data; }
};

// The path with one "/" at its end.
std::string WithTrailingSeparator(std::string path);

// The user's home folder with a trailing "/": HOME, or where the user
// database puts it when a service or `env -i` left HOME unset (the root
// folder would be nobody's); "/" when neither knows.
std::string HomeFolder();

// The file a path names as Windows would find it: the path itself when it
// exists, else the one file of its folder whose name differs only in
// letter case. Windows ignores case, and a Wine prefix or a copy from a
// FAT stick keeps the case the dialer wrote (ModemLog.txt, MODEMLOG.TXT).
std::string WindowsSpelling(const std::string& path);

} // namespace dialtally
