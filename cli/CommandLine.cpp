#include "CommandLine.h"

#include <array>

const char* UsageText()
{
    return "usage: dialtally-report [--home DIR] [--locale NAME] [--today YYYY-MM-DD]\n"
           "                        [--format csv|text|html|xlsx|docx] [--output FILE]\n"
           "                        [--status | --billing | --compare] [REPORT]\n"
           "Runs one report pass without a window and writes the report table, or with\n"
           "--billing each provider's billing month so far and where its pace leads, or\n"
           "with --compare what each provider would have charged, month by month.\n";
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
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
            if (member)
                line.*member = *value;
            else
                line.Format = *value;
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
