#include "base/NewIniFile.h"

#include "base/AtomicFile.h"
#include "base/DataFile.h"
#include "base/Messages.h"
#include "base/Numbers.h"

#include <cstdint>

namespace dialtally {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool IsBlankLine(std::string_view text)
{
    return Trimmed(text).empty();
}

// A value holding a line break would split into lines of its own when read
// back, so the break is written as a blank.
std::string OneLine(std::string_view value)
{
    std::string line(value);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

} // namespace

bool ParseHex32(std::string_view digits, int& value)
{
    if (digits.empty())
        return false;
    std::uint64_t result = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        result = result * 16 + static_cast<unsigned>(digit);
        if (result > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<int>(static_cast<std::uint32_t>(result));
    return true;
}

bool ParseIniInteger(std::string_view text, int& value)
{
    text = Trimmed(text);
    if (text.starts_with('$'))
        return ParseHex32(text.substr(1), value);
    if (text.starts_with("0x") || text.starts_with("0X"))
        return ParseHex32(text.substr(2), value);
    return ParseInteger32(text, value);
}

TNewIniFile::TNewIniFile(std::string fileName) : m_fileName(std::move(fileName))
{
    m_sections.push_back({});
    const DataFileRead read = ReadDataFile(m_fileName, [&](std::string_view line) { Parse(line); });
    if (read == DataFileRead::Failed) {
        // Half a file is no better than none: start from the defaults.
        m_sections.assign(1, {});
        m_readFailed = true;
        ShowReadError(m_fileName);
    }
}

void TNewIniFile::Parse(std::string_view text)
{
    std::string_view line = text;
    if (m_sections.size() == 1 && m_sections[0].Lines.empty() && line.starts_with(Utf8Bom))
        line.remove_prefix(Utf8Bom.size());
    const std::size_t skipped = text.size() - line.size();
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.starts_with('[')) {
        std::string_view name = trimmed.substr(1);
        name = Trimmed(name.substr(0, name.find(']')));
        m_sections.push_back({std::string(name), {{std::string(text), {}, 0}}});
        return;
    }
    Line entry{std::string(text), {}, 0};
    const std::size_t eq = line.find('=');
    if (!trimmed.starts_with(';') && eq != std::string_view::npos) {
        entry.Key = Trimmed(line.substr(0, eq));
        entry.ValueStart = skipped + eq + 1;
    }
    m_sections.back().Lines.push_back(std::move(entry));
}

std::size_t TNewIniFile::SectionIndex(std::string_view name) const
{
    for (std::size_t i = 1; i < m_sections.size(); ++i)
        if (SameName(m_sections[i].Name, name))
            return i;
    return NotFound;
}

std::size_t TNewIniFile::LineIndex(std::size_t section, std::string_view key) const
{
    if (section == NotFound || key.empty())
        return NotFound;
    const std::vector<Line>& lines = m_sections[section].Lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (SameName(lines[i].Key, key))
            return i;
    return NotFound;
}

const TNewIniFile::Line* TNewIniFile::FindLine(std::string_view section, std::string_view key) const
{
    const std::size_t s = SectionIndex(section);
    const std::size_t l = LineIndex(s, key);
    return l == NotFound ? nullptr : &m_sections[s].Lines[l];
}

bool TNewIniFile::SectionExists(std::string_view section) const
{
    return SectionIndex(section) != NotFound;
}

bool TNewIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindLine(section, key) != nullptr;
}

std::string TNewIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    const Line* line = FindLine(section, key);
    if (!line)
        return std::string(defaultValue);
    std::string_view value = std::string_view(line->Text).substr(line->ValueStart);
    if (value.size() > MaxValueLength) {
        std::size_t cut = MaxValueLength;
        // Never end in the middle of a UTF-8 character.
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
        value = value.substr(0, cut);
    }
    return std::string(value);
}

int TNewIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    int value = 0;
    return ParseIniInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TNewIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TNewIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value)
{
    const std::string text = OneLine(value);
    std::size_t s = SectionIndex(section);
    if (const std::size_t l = LineIndex(s, key); l != NotFound) {
        Line& line = m_sections[s].Lines[l];
        line.Text.resize(line.ValueStart);
        line.Text += text;
        return;
    }
    if (s == NotFound) {
        std::vector<Line>& last = m_sections.back().Lines;
        if (!last.empty() && !IsBlankLine(last.back().Text))
            last.push_back({});
        m_sections.push_back({std::string(section), {{"[" + std::string(section) + "]", {}, 0}}});
        s = m_sections.size() - 1;
    }
    std::vector<Line>& lines = m_sections[s].Lines;
    // After the section's last key, before the blank lines that part it from the next.
    std::size_t at = lines.size();
    while (at > 1 && IsBlankLine(lines[at - 1].Text))
        --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 {std::string(key) + "=" + text, std::string(key), key.size() + 1});
}

void TNewIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, IntToStr(value));
}

void TNewIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string TNewIniFile::Contents() const
{
    std::string contents;
    for (const Section& section : m_sections)
        for (const Line& line : section.Lines) {
            contents += line.Text;
            contents += "\r\n";
        }
    return contents;
}

bool TNewIniFile::UpdateFile() const
{
    if (m_readFailed || !WriteFileAtomically(m_fileName, Contents())) {
        ShowWriteError(m_fileName);
        return false;
    }
    return true;
}

} // namespace dialtally
