#include "base/DataFile.h"

#include "base/AtomicFile.h"
#include "base/InputFile.h"
#include "base/LineReader.h"
#include "base/Utf8Text.h"

#include <algorithm>
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

namespace {

class TextSource : public ByteSource {
public:
    explicit TextSource(std::string_view text) : m_rest(text) {}
    ssize_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t taken = std::min(size, m_rest.size());
        m_rest.copy(buffer, taken);
        m_rest.remove_prefix(taken);
        return static_cast<ssize_t>(taken);
    }

private:
    std::string_view m_rest;
};

enum class Utf16Read { No, Yes, Failed };

// Windows Notepad saves "Unicode" as UTF-16 with a byte-order mark. Read
// as bytes, such a file held no line the program knows, and a dialog's OK
// then wrote an empty table over it: it is read as the UTF-8 it stands
// for, and written back as UTF-8.
Utf16Read ReadUtf16(const std::string& path, std::string& text)
{
    InputFile file;
    char mark[2];
    if (!file.Open(path) || file.Read(mark, 2) != 2)
        return Utf16Read::No;
    const bool little = mark[0] == '\xFF' && mark[1] == '\xFE';
    const bool big = mark[0] == '\xFE' && mark[1] == '\xFF';
    if (!little && !big)
        return Utf16Read::No;
    std::string bytes;
    // Cut short since its mark was read, it is no file to read.
    if (!ReadWholeFile(path, bytes) || bytes.size() < 2)
        return Utf16Read::Failed;
    text = Utf8FromUtf16(std::string_view(bytes).substr(2), big);
    return Utf16Read::Yes;
}

} // namespace

DataFileRead ReadDataFile(const std::string& path,
                          const std::function<void(std::string_view line)>& onLine)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return error ? DataFileRead::Failed : DataFileRead::Missing;
    std::string utf16;
    const Utf16Read wide = ReadUtf16(path, utf16);
    if (wide == Utf16Read::Failed)
        return DataFileRead::Failed;
    TextSource source(utf16);
    LineReader reader;
    if (wide == Utf16Read::Yes)
        reader.Open(source);
    else if (!reader.Open(path))
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
