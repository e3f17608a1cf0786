#include "CommandLine.h"

#include <array>

namespace dialtally {

const char* UsageText()
{
    return "usage: dialtally-report [--home DIR] [--locale NAME] [--today YYYY-MM-DD]\n"
           "                        [--format csv|text|html|xlsx|docx] [--output FILE]\n"
           "                        [--status | --billing | --compare] [REPORT]\n"
           "       dialtally-report --detect\n"
           "Runs one report pass without a window and writes the report table, or with\n"
           "--billing each provider's billing month so far and where its pace leads, or\n"
           "with --compare what each provider would have charged, month by month; or\n"
           "with --detect the logs of this machine that a ready-made log format reads.\n";
}

std::string HelpText()
{
    return std::string(UsageText()) +
           "\n"
           "  --home DIR          the program folder (Dialtally.ini, .log, .prv, .srv)\n"
           "  --locale NAME       regional settings: en-US, en-GB, de-DE or sv-SE\n"
           "  --today YYYY-MM-DD  the date taken as today\n"
           "  --format FORMAT     csv (the default), text, html, xlsx or docx\n"
           "  --output FILE       write the table there instead of to standard output\n"
           "  --status            afterwards, the five status figures on standard error\n"
           "  --billing           instead of the table, each provider's billing month so far\n"
           "                      and where its pace leads\n"
           "  --compare           instead of the table, what each provider would have\n"
           "                      charged, month by month\n"
           "  --detect            instead of a report, the logs of this machine that a\n"
           "                      ready-made log format reads, one a line: source, format\n"
           "                      and the number of begin lines seen, separated by TABs\n"
           "  -h, --help          print this help and exit\n"
           "  --version           print the version and exit\n"
           "\n"
           "Exit status: 0 when no error was shown, 1 when one was, 2 for a usage error.\n"
           "The manual page dialtally-report(1) tells more.\n";
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error)
{
    CommandLine line;
    const std::array<std::pair<const char*, std::optional<std::string> CommandLine::*>, 5> valued =
        {{
            {"--home", &CommandLine::Home},
            {"--locale", &CommandLine::Locale},
            {"--today", &CommandLine::Today},
            {"--output", &CommandLine::Output},
            {"--format", nullptr},
        }};
    bool optionsEnded = false;
    bool formatGiven = false; // csv given is still a format given
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded) {
            if (line.Report) {
                error = "only one report file may be given";
                return std::nullopt;
            }
            line.Report = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true; // a report whose name begins with "-" may follow
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.Help = true;
            continue;
        }
        if (arg == "--version") {
            line.Version = true;
            continue;
        }
        if (arg == "--status") {
            line.Status = true;
            continue;
        }
        if (arg == "--detect") {
            line.Detect = true;
            continue;
        }
        if (arg == "--billing" || arg == "--compare") {
            (arg == "--billing" ? line.Billing : line.Compare) = true;
            continue;
        }
        bool matched = false;
        for (const auto& [name, member] : valued) {
            const std::string prefix = std::string(name) + "=";
            std::optional<std::string> value;
            if (arg == name) {
                if (i + 1 == args.size()) {
                    error = std::string(name) + " needs a value";
                    return std::nullopt;
                }
                value = args[++i];
            } else if (arg.starts_with(prefix)) {
                value = arg.substr(prefix.size());
            } else {
                continue;
            }
            matched = true;
            if (value->empty()) {
                error = std::string(name) + " needs a value";
                return std::nullopt;
            }
            if (member) {
                line.*member = *value;
            } else {
                line.Format = *value;
                formatGiven = true;
            }
            break;
        }
        if (matched)
            continue;
        if (arg.starts_with("-") && arg != "-") {
            error = "unknown option " + arg;
            return std::nullopt;
        }
        if (line.Report) {
            error = "only one report file may be given";
            return std::nullopt;
        }
        line.Report = arg;
    }
    if (static_cast<int>(line.Status) + static_cast<int>(line.Billing) +
            static_cast<int>(line.Compare) >
        1) {
        error = "--status, --billing and --compare exclude each other";
        return std::nullopt;
    }
    if (line.Detect && (line.Status || line.Billing || line.Compare || line.Output || line.Report ||
                        formatGiven)) {
        error = "--detect takes no report, output, format or other kind of run";
        return std::nullopt;
    }
    static const std::array<const char*, 5> formats = {"csv", "text", "html", "xlsx", "docx"};
    bool known = false;
    for (const char* f : formats)
        known = known || line.Format == f;
    if (!known) {
        error = "unknown format " + line.Format + " (csv, text, html, xlsx or docx)";
        return std::nullopt;
    }
    return line;
}

} // namespace dialtally
