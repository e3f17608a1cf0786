#include "PrintingTestSupport.h"

#include "base/ConnectionList.h"
#include "base/DateTime.h"

#include <QProcess>
#include <QStringList>

namespace dialtally {

ReportOutput BuildSampleReport(int calls, const std::string& description)
{
    TCfg cfg;
    for (std::string* flag :
         {&cfg.DetailDateOn, &cfg.DetailTimeOn, &cfg.DetailDateOff, &cfg.DetailTimeOff,
          &cfg.DetailDuration, &cfg.DetailCost, &cfg.DetailService, &cfg.DetailShow, &cfg.TotalDay,
          &cfg.TotalTotal, &cfg.TotalShow})
        *flag = "1";
    cfg.ReportDescription = description;
    cfg.CriteriaDateFrom = "3/1/2001";
    cfg.CriteriaDateTo = "3/31/2001";
    TRep rep;
    for (int k = 0; k < calls; ++k) {
        const int i = AddConnection(rep);
        rep.DateTimeOn[i] = EncodeDate(2001, 3, 1) + k / 3 + EncodeTime(9 + k % 3, 0, 0, 0);
        rep.DateTimeOff[i] = rep.DateTimeOn[i] + EncodeTime(0, 30, 0, 0);
        rep.Duration[i] = 1800;
        rep.Cost[i] = 2100;
        rep.Service[i] = "Provider " + std::to_string(k % 4);
    }
    ReportOutput output;
    NoDisplay display;
    ReportEngine(output, display).BuildReport(cfg, rep, {});
    return output;
}

Settings SampleSettings()
{
    FixedFolders folders;
    folders.Program = "/tmp/";
    return DefaultSettings(folders);
}

std::vector<std::string> PdfPages(const std::string& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QStringList pages =
        QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    std::vector<std::string> result;
    for (const QString& page : pages)
        if (!page.trimmed().isEmpty())
            result.push_back(page.toStdString());
    return result;
}

} // namespace dialtally
