#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// The settings file, read and written key by key the way the Windows
// private-profile calls do: "[Section]" headers and "key=value" lines,
// section and key names matched without regard to letter case, every read
// with a default. Values are kept as they stand, without quoting or
// escaping. Changes stay in memory until UpdateFile writes the whole file
// at once; lines it does not know (other sections and keys, comments) are
// written back unchanged and in their place.
class TNewIniFile {
public:
    // The longest string a read returns; longer values are cut.
    static constexpr std::size_t MaxValueLength = 2047;

    // Reads the file. A missing file reads as empty; one that exists but
    // cannot be read shows ShowReadError and reads as empty.
    explicit TNewIniFile(std::string fileName);

    const std::string& FileName() const { return m_fileName; }
    bool ReadFailed() const { return m_readFailed; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // The value, or the default when the section or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Signed decimal, or hexadecimal after "$", "0x" or "0X"; anything
    // else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // The integer reading; non-zero is on.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Replaces the first key of that name in the first section of that
    // name, or appends the key to the section, or the section to the file.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file as UpdateFile writes it, CR LF line ends.
    std::string Contents() const;
    // Writes the file in one atomic step. On failure shows ShowWriteError
    // and leaves the old file whole; so does a file that could not be read,
    // since writing it would lose what it held. False on failure.
    bool UpdateFile() const;

private:
    struct Line {
        std::string Text; // as read or as last written
        std::string Key;  // trimmed name; empty for a line that is no key
        std::size_t ValueStart = 0;
    };
    struct Section {
        std::string Name; // empty for the lines before the first header
        std::vector<Line> Lines;
    };

    void Parse(std::string_view line);
    static constexpr std::size_t NotFound = static_cast<std::size_t>(-1);
    std::size_t SectionIndex(std::string_view name) const;
    std::size_t LineIndex(std::size_t section, std::string_view key) const;
    const Line* FindLine(std::string_view section, std::string_view key) const;

    std::string m_fileName;
    bool m_readFailed = false;
    std::vector<Section> m_sections; // the first one holds the lines before any header
};

// The integer rule of ReadInteger: blanks around the text, a signed
// decimal number, or up to 32 bits of hexadecimal after "$", "0x" or "0X"
// (so "$80000005" is negative). False when the text is no such number.
bool ParseIniInteger(std::string_view text, int& value);
// Hexadecimal digits only, at most 32 bits.
bool ParseHex32(std::string_view digits, int& value);

} // namespace dialtally
