#include "reports/ReportFile.h"

#include "base/DataFile.h"
#include "base/DateRoutines.h"
#include "base/FrontEnd.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "reports/QuickToggles.h"

#include <filesystem>
#include <initializer_list>
#include <sys/stat.h>

namespace dialtally {

namespace {

const char* const ReportFileTitle = "Dialtally Report Configuration";

// The refusals of one burst named in full; the rest are counted.
constexpr std::size_t NamedRefusals = 10;

// Why a handed-over path is not opened; empty when it is a report file.
std::string HandOverRefusal(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return "not found";
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (!S_ISREG(status.st_mode) || extension != ".rep")
        return "not a report file (*.rep)";
    return {};
}

using Field = std::string TCfg::*;

bool AnyDiffers(const TCfg& a, const TCfg& b, std::initializer_list<Field> fields)
{
    for (Field field : fields)
        if (a.*field != b.*field)
            return true;
    return false;
}

} // namespace

void SetReportDefaults(TCfg& report, const std::string& defaultReportPath)
{
    report.FileName = defaultReportPath;
    report.ReportDescription = "Dial-Up Networking";
    report.ReportType = "Text";
    report.LogType = "Windows Dial-Up Networking";
    report.ServiceProviders.clear();
    report.CriteriaDateAll = "1";
    report.CriteriaDateFrom = DateToDisplayText(EncodeDate(2000, 1, 1));
    report.CriteriaDateTo = DateToDisplayText(EncodeDate(2000, 12, 31));
    report.CriteriaTimeAll = "1";
    report.CriteriaTimeFrom = TimeToText(EncodeTime(0, 0, 0, 0));
    report.CriteriaTimeTo = TimeToText(EncodeTime(23, 59, 59, 999));
    report.CriteriaDescripAll = "1";
    report.CriteriaInclude.clear();
    report.CriteriaExclude.clear();
    report.DetailDateOn = "1";
    report.DetailTimeOn = "1";
    report.DetailDateOff = "0";
    report.DetailTimeOff = "0";
    report.DetailDuration = "1";
    report.DetailCost = "0";
    report.DetailService = "1";
    report.DetailShow = "1";
    report.TotalDay = "0";
    report.TotalWeek = "0";
    report.TotalMonth = "0";
    report.TotalYear = "0";
    report.TotalTotal = "1";
    report.TotalShow = "1";
    report.ColSize = "1";
    report.ColAlign = "0";
    report.ColStretch = "0";
    report.GraphYAxis = "1";
    report.Graph3d = "1";
    report.GraphValues = "1";
    report.GraphLegend = "0";
    ResetQuickState(report);
}

bool LoadDefaultTemplate(TCfg& defaultTemplate, const std::string& defaultReportPath)
{
    SetReportDefaults(defaultTemplate, defaultReportPath);
    const DataFileRead read = ReadDataFile(
        defaultReportPath, [&](std::string_view line) { ParseReportLine(defaultTemplate, line); });
    if (read != DataFileRead::Failed)
        return true;
    ShowReadError(defaultReportPath);
    return false;
}

bool UseLogTypeInDefaultReport(TCfg& defaultTemplate, const std::string& defaultReportPath,
                               const std::string& logType)
{
    TCfg report;
    if (!LoadDefaultTemplate(report, defaultReportPath))
        return false;
    // A default report already there may be another program folder's: the
    // report folder is the documents folder for every one of them.
    std::error_code error;
    if (std::filesystem::exists(defaultReportPath, error) && report.LogType != logType &&
        AskYesNo("The default report " + defaultReportPath + " reads " + report.LogType +
                 ". Make it read " + logType + "?") != MessageAnswer::Yes)
        return false;
    report.LogType = logType;
    const std::filesystem::path folder = std::filesystem::path(defaultReportPath).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error); // a failure shows in the write
    if (!WriteReportFile(report, defaultReportPath))
        return false;
    ResetQuickState(report);
    defaultTemplate = report;
    return true;
}

void ParseReportLine(TCfg& report, std::string_view line)
{
    KeyValue kv;
    if (!SplitKeyValue(line, kv))
        return;
    for (const ReportField& field : ReportFields())
        if (kv.Key == field.Key) {
            report.*field.Member = std::string(kv.Value);
            return;
        }
}

bool ReadReportFile(TCfg& report, const std::string& path, std::string& reportFolder,
                    RecentFiles& recent)
{
    // Read into a copy so that a file failing half-way cannot leave its
    // first lines in the report under the report's own name.
    TCfg opened = report;
    const DataFileRead read =
        ReadDataFile(path, [&](std::string_view line) { ParseReportLine(opened, line); });
    if (read != DataFileRead::Ok) {
        ShowReadError(path);
        return false;
    }
    report = std::move(opened);
    ResetQuickState(report);
    MakeCurrent(report, reportFolder, path);
    AddRecentFile(recent, path);
    return true;
}

void OpenHandedOverReports(const std::vector<std::string>& lines,
                           const std::function<void(const std::string& path)>& open)
{
    std::vector<std::string> refused;
    std::size_t unnamed = 0;
    for (std::string path : lines) {
        std::erase(path, '"');
        if (path.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const std::string reason = HandOverRefusal(path);
        if (reason.empty())
            open(path);
        else if (refused.size() < NamedRefusals)
            refused.push_back(path + ": " + reason);
        else
            ++unnamed;
    }
    if (refused.empty())
        return;
    std::string text = "These files were not opened:";
    for (const std::string& line : refused)
        text += "\n\r" + line;
    if (unnamed > 0)
        text += "\n\r... and " + std::to_string(unnamed) + " more.";
    ShowError(text);
}

bool WriteReportFile(const TCfg& report, const std::string& path)
{
    DataFileWriter writer(ReportFileTitle);
    for (const ReportField& field : ReportFields())
        writer.Add(field.Key, report.*field.Member);
    if (writer.Save(path))
        return true;
    ShowWriteError(path);
    return false;
}

void ResetQuickState(TCfg& report)
{
    report.Modified = false;
    report.TotalsMode = report.DatesMode = report.TimesMode = report.DescripMode = 0;
    for (const QuickToggle toggle :
         {QuickToggle::Totals, QuickToggle::Dates, QuickToggle::Times, QuickToggle::Descriptions})
        for (const QuickSetting& setting : QuickSettings(toggle))
            report.*setting.Defined = report.*setting.Current;
}

void MakeCurrent(TCfg& report, std::string& reportFolder, const std::string& path)
{
    report.FileName = path;
    reportFolder = FolderOf(path);
    CurrentFrontEnd().SetStatusText(0, FileTitle(path));
}

bool SameReport(const TCfg& a, const TCfg& b)
{
    for (const ReportField& field : ReportFields())
        if (a.*field.Member != b.*field.Member)
            return false;
    return true;
}

int ReportChangeClass(const TCfg& a, const TCfg& b)
{
    if (AnyDiffers(a, b,
                   {&TCfg::LogType, &TCfg::ServiceProviders, &TCfg::CriteriaDateAll,
                    &TCfg::CriteriaDateFrom, &TCfg::CriteriaDateTo, &TCfg::CriteriaTimeAll,
                    &TCfg::CriteriaTimeFrom, &TCfg::CriteriaTimeTo, &TCfg::CriteriaDescripAll,
                    &TCfg::CriteriaInclude, &TCfg::CriteriaExclude}))
        return 1;
    if (AnyDiffers(a, b,
                   {&TCfg::ReportDescription, &TCfg::DetailShow, &TCfg::TotalDay, &TCfg::TotalWeek,
                    &TCfg::TotalMonth, &TCfg::TotalYear, &TCfg::TotalTotal, &TCfg::TotalShow,
                    &TCfg::ColAlign, &TCfg::GraphYAxis}))
        return 2;
    if (AnyDiffers(a, b,
                   {&TCfg::ReportType, &TCfg::GraphValues, &TCfg::GraphLegend, &TCfg::Graph3d}))
        return 3;
    return 4;
}

std::string WithReportExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < fileStart)
        return path + ".rep";
    return path.substr(0, dot) + ".rep";
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace dialtally
