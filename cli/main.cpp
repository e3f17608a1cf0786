#include "CommandLine.h"
#include "ReportCommand.h"

#include <cerrno>
#include <iostream>
#include <new>
#include <unistd.h>

using namespace dialtally;

namespace {

int Run(int argc, char** argv)
{
    std::string error;
    const auto command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!command) {
        std::cerr << "dialtally-report: " << error << '\n' << UsageText();
        return 2;
    }
    if (command->Help) {
        std::cout << HelpText();
        return 0;
    }
    if (command->Version) {
        std::cout << "dialtally-report " << DIALTALLY_VERSION << '\n';
        return 0;
    }
    return RunReportCommand(*command, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    int status = 1;
    try {
        status = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Where the pass cannot say so itself (its own room, the
        // program's start), rather than an abort.
        std::cerr << "Error: Out of memory.\n";
    }
    // Some file systems report a failed write only when the file is closed.
    const bool flushed = static_cast<bool>(std::cout.flush());
    if ((!flushed || (::close(STDOUT_FILENO) != 0 && errno != EBADF)) && status == 0) {
        std::cerr << "Error: An error occurred writing " << StandardOutputName << ".\n";
        status = 1;
    }
    return status;
}
