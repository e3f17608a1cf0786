#include "base/DataFile.h"

#include "base/AtomicFile.h"
#include "base/LineReader.h"

#include <filesystem>
#include <limits>
#include <system_error>

namespace dialtally {

bool SplitKeyValue(std::string_view line, KeyValue& result)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    result.Key = line.substr(0, eq);
    result.Value = line.substr(eq + 1);
    return true;
}

DataFileRead ReadDataFile(const std::string& path,
                          const std::function<void(std::string_view line)>& onLine)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return error ? DataFileRead::Failed : DataFileRead::Missing;
    LineReader reader;
    if (!reader.Open(path))
        return DataFileRead::Failed;
    std::string_view line;
    while (reader.ReadLine(line))
        onLine(line);
    return reader.Failed() ? DataFileRead::Failed : DataFileRead::Ok;
}

DataFileRead ReadDataFileEntries(const std::string& path, std::string_view entryKey, int maxEntries,
                                 int& entries,
                                 const std::function<void(int entry, const KeyValue&)>& onValue)
{
    int seen = 0; // entries begun, also those past the room
    entries = 0;
    bool first = true;
    return ReadDataFile(path, [&](std::string_view line) {
        if (first && line.starts_with(Utf8Bom))
            line.remove_prefix(Utf8Bom.size());
        first = false;
        if (line.find(entryKey) != std::string_view::npos) {
            ++seen;
            if (seen <= maxEntries)
                entries = seen;
        }
        KeyValue kv;
        if (seen == 0 || seen > maxEntries || !SplitKeyValue(line, kv))
            return;
        onValue(entries, kv);
    });
}

int DataFileEntryCount(const std::string& path, std::string_view entryKey)
{
    int entries = 0;
    ReadDataFileEntries(path, entryKey, std::numeric_limits<int>::max(), entries,
                        [](int, const KeyValue&) {});
    return entries;
}

DataFileWriter::DataFileWriter(std::string_view title)
{
    m_contents = "*\r\n*  ";
    m_contents += title;
    m_contents += "\r\n*\r\n";
}

void DataFileWriter::Add(std::string_view key, std::string_view value)
{
    m_contents += key;
    m_contents += '=';
    m_contents += value;
    m_contents += "\r\n";
}

bool DataFileWriter::Save(const std::string& path) const
{
    return WriteFileAtomically(path, m_contents);
}

bool DataFileWriter::SaveOrShowError(const std::string& path) const
{
    if (Save(path))
        return true;
    ShowWriteError(path);
    return false;
}

} // namespace dialtally
