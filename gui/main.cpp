#include "app/ui/InstanceChannelQt.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TerminationSignals.h"
#include "base/AtomicFile.h"
#include "base/RegionalSettings.h"
#include "platform/ApplicationId.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace dialtally;

namespace {

// The window's options, set up once for both parsers below.
struct CommandLine {
    QCommandLineParser Parser;
    QCommandLineOption Home{QStringLiteral("home"),
                            QStringLiteral("Folder of the settings, formats and tariffs."),
                            QStringLiteral("folder")};
    QCommandLineOption Locale{
        QStringLiteral("locale"),
        QStringLiteral("Regional settings preset (en-US, en-GB, de-DE, sv-SE)."),
        QStringLiteral("name")};

    CommandLine()
    {
        Parser.setApplicationDescription(
            QStringLiteral("How much time you spent online and what it cost."));
        Parser.addHelpOption();
        Parser.addVersionOption();
        Parser.addOption(Home);
        Parser.addOption(Locale);
        Parser.addPositionalArgument(QStringLiteral("reports"),
                                     QStringLiteral("Report files to open."),
                                     QStringLiteral("[report.rep...]"));
    }
};

// A window's application needs a display; asking for the usage or the
// version must not (an ssh session, a packaging script).
bool AsksOnlyForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "-h" || argument == "-?" || argument == "--help" ||
            argument == "--help-all" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

// Why `folder` is no folder after trying to make it; empty when it is one.
std::string FolderCannotBeMade(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder))
        return {};
    return error ? error.message() : "it is not a folder";
}

// The folder --home names, whole; none without the option.
std::optional<std::string> HomeOption(const CommandLine& commandLine)
{
    if (!commandLine.Parser.isSet(commandLine.Home))
        return std::nullopt;
    return QFileInfo(commandLine.Parser.value(commandLine.Home)).absoluteFilePath().toStdString();
}

// A folder asked for that cannot be made would lose every setting, and say
// so only at the end: false, after saying why.
bool HomeCanBeMade(const std::string& folder)
{
    const std::string why = FolderCannotBeMade(folder);
    if (!why.empty())
        std::fprintf(stderr, "dialtally: --home %s cannot be made: %s\n", folder.c_str(),
                     why.c_str());
    return why.empty();
}

// The preset the command line or the environment names; nullptr, after
// saying why, for a name that is no preset.
const RegionalSettings* RegionalSettingsOf(const CommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.Parser;
    try {
        return &RegionalSettingsNamed(
            parser.isSet(commandLine.Locale)
                ? std::optional(parser.value(commandLine.Locale).toStdString())
                : std::nullopt);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "dialtally: %s\n", error.what());
        return nullptr;
    }
}

// Whether the argument is one of the options QApplication and its platform
// take out for themselves; they know them with two dashes too.
bool IsQtOption(std::string_view argument)
{
    static constexpr std::string_view Names[] = {"platform",
                                                 "platformpluginpath",
                                                 "platformtheme",
                                                 "plugin",
                                                 "qwindowgeometry",
                                                 "geometry",
                                                 "qwindowtitle",
                                                 "title",
                                                 "qwindowicon",
                                                 "icon",
                                                 "reverse",
                                                 "session",
                                                 "testability",
                                                 "qmljsdebugger",
                                                 "style",
                                                 "stylesheet",
                                                 "widgetcount",
                                                 "display",
                                                 "name",
                                                 "visual",
                                                 "sync",
                                                 "nograb",
                                                 "dograb"};
    if (argument.size() < 2 || argument[0] != '-')
        return false;
    argument.remove_prefix(argument[1] == '-' ? 2 : 1);
    argument = argument.substr(0, argument.find('='));
    return std::find(std::begin(Names), std::end(Names), argument) != std::end(Names);
}

// The exit status of a usage error found before a display is opened:
// without one, opening it would end the start in Qt's abort instead.
// Qt's own options are known only to the application, which takes them
// out, so a command line holding one is left to it.
std::optional<int> UsageErrorBeforeDisplay(int argc, char** argv)
{
    QStringList arguments;
    bool qtOption = false;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        optionsEnded = optionsEnded || argument == "--";
        qtOption = qtOption || (i > 0 && !optionsEnded && IsQtOption(argument));
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (qtOption)
        return std::nullopt;
    CommandLine commandLine;
    if (!commandLine.Parser.parse(arguments)) {
        std::fprintf(stderr, "Dialtally: %s\n", qPrintable(commandLine.Parser.errorText()));
        return 1;
    }
    if (!RegionalSettingsOf(commandLine))
        return 2;
    if (const std::optional<std::string> home = HomeOption(commandLine);
        home && !HomeCanBeMade(*home))
        return 2;
    return std::nullopt;
}

void SetApplicationNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("Dialtally"));
    // No display name: the platform would append it to every dialog's
    // caption. The main window sets its own.
    QCoreApplication::setApplicationVersion(QStringLiteral(DIALTALLY_VERSION));
}

} // namespace

int main(int argc, char** argv)
{
    if (AsksOnlyForText(argc, argv)) {
        QCoreApplication textOnly(argc, argv);
        SetApplicationNames();
        CommandLine commandLine;
        commandLine.Parser.process(textOnly); // prints and exits
        return 0;
    }
    if (const std::optional<int> status = UsageErrorBeforeDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    TerminationSignals termination;
    FileSizeLimitFailsWrites();
    SetApplicationNames();
    // Ties the window to its installed desktop entry, and takes the
    // installed icon when the desktop's theme has one.
    QApplication::setDesktopFileName(QLatin1String(ApplicationId));
    QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(ApplicationId),
                                                 QIcon(QStringLiteral(":/icons/dialtally.svg"))));

    CommandLine commandLine;
    QCommandLineParser& parser = commandLine.Parser;
    parser.process(app);

    const RegionalSettings* regional = RegionalSettingsOf(commandLine);
    if (!regional)
        return 2;
    SetRegional(*regional);

    // A folder asked for ends the start, as before the display (a command
    // line with Qt's options is checked only here). One the environment
    // chose leaves the window to show reports, but the user learns now
    // that nothing set up will be kept.
    const std::optional<std::string> homeFolder = HomeOption(commandLine);
    if (homeFolder && !HomeCanBeMade(*homeFolder))
        return 2;
    const LinuxFolders folders(homeFolder, LinuxFolders::ExecutableFolder());
    if (const std::string why = FolderCannotBeMade(folders.ProgramFolder()); !why.empty())
        QMessageBox::warning(
            nullptr, QStringLiteral("Dialtally"),
            QString::fromStdString(
                "The program folder " +
                std::filesystem::path(folders.ProgramFolder()).parent_path().string() +
                " cannot be made (" + why +
                "). Settings, log formats and costs will not be kept."));

    // Paths are handed over whole, so that the running window finds them
    // whatever its current folder.
    QStringList reports;
    for (const QString& argument : parser.positionalArguments())
        reports << QFileInfo(argument).absoluteFilePath();

    InstanceChannelQt channel(QString::fromStdString(folders.ProgramFolder()));
    if (!reports.isEmpty() && channel.HandOver(reports))
        return 0;

    // A signal while the window is being made (a start-up message waiting
    // for an answer) ends that box's loop; the settings are kept below.
    QObject::connect(&termination, &TerminationSignals::Arrived, &app,
                     [] { QApplication::exit(0); });
    TMainForm window(folders);
    QObject::connect(&channel, &InstanceChannelQt::Received, &window,
                     &TMainForm::OpenHandedOverReports);
    channel.Listen();
    // The session's end sends SIGTERM, not a close: the settings are kept
    // all the same. Every event loop ends, a dialog's too.
    QObject::connect(&termination, &TerminationSignals::Arrived, &window, [&window] {
        window.SaveSettingsOnSignal();
        QApplication::exit(0);
    });
    // Shown first, the window repaints while a long log is read.
    window.show();
    if (!reports.isEmpty())
        window.OpenHandedOverReports(reports);
    // A signal that came before the main loop ran would end no loop.
    if (termination.Received()) {
        window.SaveSettingsOnSignal();
        return 0;
    }
    return app.exec();
}
