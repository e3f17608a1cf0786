#include "CommandLine.h"
#include "ReportCommand.h"

#include <iostream>

using namespace dialtally;

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
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
