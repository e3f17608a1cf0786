#include "FuzzSupport.h"

#include "base/RegionalSettings.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace dialtally {

namespace {

std::string MakeFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dialtally-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern + "/";
}

void RemoveFolder()
{
    std::error_code error;
    std::filesystem::remove_all(FuzzFolder(), error);
}

} // namespace

const std::string& FuzzFolder()
{
    static const std::string folder = [] {
        std::string made = MakeFolder();
        return made;
    }();
    static const bool cleanUp = std::atexit(RemoveFolder) == 0;
    (void)cleanUp;
    return folder;
}

void WriteFuzzFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Require(static_cast<bool>(out), "the fuzz input can be written");
}

std::uint8_t FuzzInput::Byte()
{
    if (m_rest.empty())
        return 0;
    const auto byte = static_cast<std::uint8_t>(m_rest.front());
    m_rest.remove_prefix(1);
    return byte;
}

std::string_view FuzzInput::Line()
{
    const std::size_t end = m_rest.find('\n');
    const std::string_view line = m_rest.substr(0, end);
    m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
    return line;
}

void PickRegionalPreset(std::uint8_t choice)
{
    const auto& presets = RegionalPresets();
    SetRegional(*presets[choice % presets.size()]);
}

void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

} // namespace dialtally
