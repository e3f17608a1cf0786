#include "ReportCommand.h"

#include "StderrFrontEnd.h"
#include "TariffCommand.h"
#include "app/ProgramInputs.h"
#include "app/ProgramState.h"
#include "base/AtomicFile.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateTime.h"
#include "base/Messages.h"
#include "base/RegionalSettings.h"
#include "logs/FormatLibrary.h"
#include "logs/LogDetection.h"
#include "reports/ReportFile.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace dialtally {

namespace {

constexpr int UsageError = 2;

// Exactly YYYY-MM-DD, from 1900 on: the program's dates begin in 1899.
bool ParseIsoDate(const std::string& text, TDateTime& date)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    int parts[3] = {0, 0, 0};
    int* part = parts;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (k == 4 || k == 7) {
            ++part;
            continue;
        }
        if (text[k] < '0' || text[k] > '9')
            return false;
        *part = *part * 10 + (text[k] - '0');
    }
    return parts[0] >= 1900 && TryEncodeDate(parts[0], parts[1], parts[2], date);
}

// Paths on the command line are the caller's; start-up moves to the
// program folder, so they are made absolute first.
std::string Absolute(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

class FrontEndScope {
public:
    explicit FrontEndScope(FrontEnd& frontEnd) { SetFrontEnd(&frontEnd); }
    ~FrontEndScope() { SetFrontEnd(nullptr); }
};

class TodayScope {
public:
    explicit TodayScope(std::optional<TDateTime> today) { SetFixedToday(today); }
    ~TodayScope() { SetFixedToday(std::nullopt); }
};

// A pass that found nothing leaves no earlier output behind that a script
// could take for this pass's. Only a file this pass could have written is
// removed: not a device or FIFO, nor a file its owner made read-only, nor
// what a link someone else laid in /tmp points at.
void RemoveStaleOutput(const std::string& path)
{
    const std::optional<std::string> file = LinkTarget(path);
    struct stat status {};
    if (file && ::lstat(file->c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        ::access(file->c_str(), W_OK) == 0 && ::unlink(file->c_str()) != 0)
        ShowWriteError(path);
}

int ExportFormatIndex(const std::string& name)
{
    if (name == "text")
        return ExportText;
    if (name == "html")
        return ExportHtml;
    if (name == "xlsx")
        return ExportXlsx;
    if (name == "docx")
        return ExportDocx;
    return ExportCsv;
}

} // namespace

int RunReportCommand(const CommandLine& command, std::ostream& out, std::ostream& err)
{
    FileSizeLimitFailsWrites();
    try {
        SetRegional(RegionalSettingsNamed(command.Locale));
    } catch (const std::invalid_argument& e) {
        err << "dialtally-report: " << e.what() << '\n';
        return UsageError;
    }
    std::optional<TDateTime> today;
    if (command.Today) {
        TDateTime date = 0;
        if (!ParseIsoDate(*command.Today, date)) {
            err << "dialtally-report: --today needs a date as YYYY-MM-DD\n";
            return UsageError;
        }
        today = date;
    }
    const TodayScope todayScope(today);
    const std::optional<std::string> report =
        command.Report ? std::optional(Absolute(*command.Report)) : std::nullopt;
    // Standard output by its device name is standard output itself, as the
    // shell opened it: reopened by name, ">> file" would lose its own
    // contents to a file written anew.
    const bool standardOutput =
        command.Output && (*command.Output == "/dev/stdout" || *command.Output == "/dev/fd/1" ||
                           *command.Output == "/proc/self/fd/1");
    const std::optional<std::string> output =
        command.Output && !standardOutput ? std::optional(Absolute(*command.Output)) : std::nullopt;

    const std::optional<std::string> home =
        command.Home ? std::optional(Absolute(*command.Home)) : std::nullopt;
    // A mistyped --home must not leave a new, empty program folder behind.
    std::error_code error;
    if (home && !std::filesystem::is_directory(*home, error)) {
        err << "dialtally-report: --home " << *home << " is not a folder\n";
        return UsageError;
    }

    StderrFrontEnd frontEnd(err);
    const FrontEndScope frontEndScope(frontEnd);
    const LinuxFolders folders(home, LinuxFolders::ExecutableFolder(), false);
    // The search needs no program folder, and the folders it is told of
    // are taken from where it was started.
    if (command.Detect) {
        const TLCfg library = LoadFormatLibrary(FormatLibraryFolder(folders), folders);
        for (const DetectedLog& log : DetectLogs(folders, library))
            out << log.Source << '\t' << library.LogType[log.Format] << '\t' << log.BeginLines
                << '\n';
        return 0;
    }

    if (::chdir(folders.ProgramFolder().c_str()) != 0) {
        ShowReadError(folders.ProgramFolder());
        return 1;
    }

    ProgramState state(folders);
    state.ChartShown = false;
    StartProgram(state);
    if (report && !ReadReportFile(state.Current, *report, state.Options.Files.Path,
                                  state.Options.Files.Recent))
        return 1;
    if (output)
        if (const std::optional<std::string> input =
                ProgramInputNamedBy(*output, state, report.value_or(""))) {
            err << "dialtally-report: --output " << *output << " is " << Absolute(*input)
                << ", which the report is made from\n";
            return UsageError;
        }
    if (command.Billing || command.Compare) {
        if (!WriteTariffReport(command.Billing, ExportFormatIndex(command.Format), state, output,
                               out) &&
            output && !frontEnd.ErrorShown())
            RemoveStaleOutput(*output);
        return frontEnd.ErrorShown() ? 1 : 0;
    }
    NoDisplay display;
    try {
        RunReportPass(state, display);
    } catch (const ConversionError& e) {
        ShowError(e.what());
        return 1;
    }

    if (state.Connections.Count() == 0) {
        ShowInfo(NoDataMessage);
        // A log that could not be read found nothing either; the last good
        // output stays, and the exit status tells of the error.
        if (output && !frontEnd.ErrorShown())
            RemoveStaleOutput(*output);
    } else {
        const ExportSource source =
            ShownGrid(state.Output.Table, state.Output.Columns, state.Current.ColAlign == "1");
        try {
            const int format = ExportFormatIndex(command.Format);
            const ExportSettings settings = ExportSettingsFor(state.Options);
            if (output) {
                WriteExportFile(*output, format, source, settings);
            } else if (!(out << ExportBytes(format, source, settings) << std::flush)) {
                ShowError(WriteErrorText(StandardOutputName));
            }
        } catch (const ExportError& e) {
            ShowError(e.what());
        }
    }
    if (command.Status) {
        err << "status";
        for (const std::string& figure : state.Output.StatusFigures)
            err << '\t' << figure;
        // The figures asked for are the output; if they are lost, the
        // status says so.
        if (!(err << '\n' << std::flush))
            return 1;
    }
    return frontEnd.ErrorShown() ? 1 : 0;
}

} // namespace dialtally
