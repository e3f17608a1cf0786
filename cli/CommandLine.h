#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dialtally {

// The options of dialtally-report.
struct CommandLine {
    std::optional<std::string> Home;
    std::optional<std::string> Locale;
    std::optional<std::string> Today; // YYYY-MM-DD
    std::string Format = "csv";       // csv, text, html, xlsx, docx
    std::optional<std::string> Output;
    bool Status = false;
    bool Billing = false; // the billing month of each provider instead of the table
    bool Compare = false; // each provider's charges for the connections instead
    bool Detect = false;  // the logs of this machine a ready-made format reads, instead
    bool Help = false;
    bool Version = false;
    std::optional<std::string> Report;
};

// Reads the arguments (without the program name). On a usage error returns
// nothing and sets `error` to a one-line reason.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);
// The synopsis, shown with a usage error.
const char* UsageText();
// The synopsis and every option, for --help; the manual page must name the
// same options (a test checks).
std::string HelpText();

} // namespace dialtally
