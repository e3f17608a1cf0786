#pragma once

#include <functional>
#include <string>
#include <string_view>

// The program's own data files (Dialtally.log, .prv, .srv, .rep): three
// banner lines, then one "key=value" a line, CR LF line ends.

struct KeyValue {
    std::string_view Key;   // before the first "="
    std::string_view Value; // everything after it, "=" included
};

// Splits at the first "="; false for a line without one.
bool SplitKeyValue(std::string_view line, KeyValue& result);

enum class DataFileRead { Ok, Missing, Failed };

// Calls back for every line of the file. Missing when there is no file,
// Failed when it cannot be opened or read.
DataFileRead ReadDataFile(const std::string& path,
                          const std::function<void(std::string_view line)>& onLine);

// Builds a data file in memory and writes it in one atomic step.
class DataFileWriter {
public:
    // The banner: "*", "*  " + title, "*".
    explicit DataFileWriter(std::string_view title);
    void Add(std::string_view key, std::string_view value);
    const std::string& Contents() const { return m_contents; }
    // False when the file could not be written; the old file stays whole.
    bool Save(const std::string& path) const;

private:
    std::string m_contents;
};
