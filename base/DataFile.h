#pragma once

#include "base/Messages.h"

#include <functional>
#include <string>
#include <string_view>

namespace dialtally {

// The program's own data files (Dialtally.log, .prv, .srv, .rep): three
// banner lines, then one "key=value" a line, CR LF line ends.

struct KeyValue {
    std::string_view Key;   // before the first "="
    std::string_view Value; // everything after it, "=" included
};

// Splits at the first "="; false for a line without one.
bool SplitKeyValue(std::string_view line, KeyValue& result);

// An editor's mark of UTF-8 before a file's first line: no part of its text.
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

enum class DataFileRead { Ok, Missing, Failed };

// Calls back for every line of the file. Missing when there is no file,
// Failed when it cannot be opened or read.
DataFileRead ReadDataFile(const std::string& path,
                          const std::function<void(std::string_view line)>& onLine);

// Reads a file of numbered entries, in which every line that holds the
// text entryKey (e.g. "Provider=") starts the next entry. Lines before the
// first entry, and all lines from the entry past maxEntries on, are
// ignored; every other "key=value" line goes to onValue with its 1-based
// entry. entries gets the number of entries read.
DataFileRead ReadDataFileEntries(const std::string& path, std::string_view entryKey, int maxEntries,
                                 int& entries,
                                 const std::function<void(int entry, const KeyValue&)>& onValue);

// How many entries the file holds, also past any table's room; 0 when it
// cannot be read.
int DataFileEntryCount(const std::string& path, std::string_view entryKey);

// What loading a table makes of a read: the entries read, the built-in
// defaults when there is no file, or an empty table and the read error.
template <typename Table, typename Defaults>
void TakeLoadedTable(Table& table, Table&& loaded, DataFileRead read, const std::string& path,
                     Defaults&& defaults)
{
    switch (read) {
    case DataFileRead::Missing:
        defaults(table);
        return;
    case DataFileRead::Ok:
        table = std::move(loaded);
        return;
    case DataFileRead::Failed:
        table = Table{};
        ShowReadError(path);
        return;
    }
}

// Builds a data file in memory and writes it in one atomic step.
class DataFileWriter {
public:
    // The banner: "*", "*  " + title, "*".
    explicit DataFileWriter(std::string_view title);
    void Add(std::string_view key, std::string_view value);
    const std::string& Contents() const { return m_contents; }
    // False when the file could not be written; the old file stays whole.
    bool Save(const std::string& path) const;
    // Save, showing the write error when it fails.
    bool SaveOrShowError(const std::string& path) const;

private:
    std::string m_contents;
};

} // namespace dialtally
