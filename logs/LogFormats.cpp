#include "logs/LogFormats.h"

#include "base/DataFile.h"
#include "base/Messages.h"

namespace dialtally {

const std::array<LogFormatField, 15>& LogFormatFields()
{
    static const std::array<LogFormatField, 15> fields = {{
        {"LogType", &TLCfg::LogType},
        {"LogFile", &TLCfg::LogFile},
        {"Online", &TLCfg::Online},
        {"OnMonth", &TLCfg::OnMonth},
        {"OnDate", &TLCfg::OnDate},
        {"OnYear", &TLCfg::OnYear},
        {"OnTime", &TLCfg::OnTime},
        {"OnAmpm", &TLCfg::OnAmpm},
        {"OnService", &TLCfg::OnService},
        {"Offline", &TLCfg::Offline},
        {"OffMonth", &TLCfg::OffMonth},
        {"OffDate", &TLCfg::OffDate},
        {"OffYear", &TLCfg::OffYear},
        {"OffTime", &TLCfg::OffTime},
        {"OffAmpm", &TLCfg::OffAmpm},
    }};
    return fields;
}

std::string LogFormatsPath(const std::string& programFolder)
{
    return WithTrailingSeparator(programFolder) + "Dialtally.log";
}

void LoadDefaultLogFormats(TLCfg& t, const Folders& folders)
{
    t.LogType[1] = "Windows Dial-Up Networking";
    t.LogFile[1] = WindowsSpelling(folders.WindowsFolder() + "ModemLog.Txt");
    t.Online[1] = "Connection established";
    t.OnMonth[1] = "1;2";
    t.OnDate[1] = "4;5";
    t.OnYear[1] = "7;10";
    t.OnTime[1] = "12;19";
    t.OnAmpm[1] = "";
    t.OnService[1] = "52;59";
    t.Offline[1] = "No Carrier,Hanging up";
    t.OffMonth[1] = "1;2";
    t.OffDate[1] = "4;5";
    t.OffYear[1] = "7;10";
    t.OffTime[1] = "12;19";
    t.OffAmpm[1] = "";

    t.LogType[2] = "Windows Update (Win98)";
    t.LogFile[2] = folders.ProgramFilesFolder() + "/WindowsUpdate/wuhistv3.log";
    t.Online[2] = "";
    t.OnMonth[2] = "{'|'}{#5}{+5};{'|'}{#5}{+8}";
    t.OnDate[2] = "{'|'}{#5}{+8};{'|'}{#5}{+11}";
    t.OnYear[2] = "{'|'}{#5};{'|'}{#5}{+5}";
    t.OnTime[2] = "{'|'}{#5}{+11};{'|'}{#6}";
    t.OnAmpm[2] = "";
    t.OnService[2] = "{'|'}{#3};{'|'}{#8}";
    t.Offline[2] = "";
    t.OffMonth[2] = t.OnMonth[2];
    t.OffDate[2] = t.OnDate[2];
    t.OffYear[2] = t.OnYear[2];
    t.OffTime[2] = t.OnTime[2];
    t.OffAmpm[2] = "";

    t.Count = 2;
    t.Current = 1;
}

void LoadLogFormats(TLCfg& table, const Folders& folders)
{
    const std::string path = LogFormatsPath(folders.ProgramFolder());
    TLCfg loaded;
    const DataFileRead read = ReadDataFileEntries(
        path, "LogType=", TLCfg::MaxFormats, loaded.Count, [&](int entry, const KeyValue& kv) {
            for (const LogFormatField& field : LogFormatFields())
                if (kv.Key == field.Key) {
                    (loaded.*field.Column)[entry] = std::string(kv.Value);
                    break;
                }
        });
    loaded.Current = loaded.Count;
    TakeLoadedTable(table, std::move(loaded), read, path,
                    [&](TLCfg& defaults) { LoadDefaultLogFormats(defaults, folders); });
}

bool SaveLogFormats(const TLCfg& table, const std::string& programFolder)
{
    DataFileWriter writer("Dialtally Log File Configuration");
    for (int i = 1; i <= table.Count && i <= TLCfg::MaxFormats; ++i)
        for (const LogFormatField& field : LogFormatFields())
            writer.Add(field.Key, (table.*field.Column)[i]);
    return writer.SaveOrShowError(LogFormatsPath(programFolder));
}

int FindLogFormat(const TLCfg& table, std::string_view name)
{
    for (int i = 1; i <= table.Count && i <= TLCfg::MaxFormats; ++i)
        if (table.LogType[i] == name)
            return i;
    return 0;
}

} // namespace dialtally
