#pragma once

#include "base/ConnectionList.h"
#include "logs/LogFormats.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialtally {

// A folder of this process's own, made on first use and removed at exit,
// so that several fuzzers can run side by side. Ends with "/".
const std::string& FuzzFolder();
// Replaces the file with exactly these bytes; aborts when that fails.
void WriteFuzzFile(const std::string& path, std::string_view bytes);

// Reads a fuzz input from the front: small choices first, then text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size)
    {
    }
    // The next byte, 0 when none is left.
    std::uint8_t Byte();
    // The text up to the next "\n" (not included) or to the end.
    std::string_view Line();
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Puts in force the preset that the byte picks among all presets.
void PickRegionalPreset(std::uint8_t choice);

// The text as a .gz file holds it.
std::string GzipCompressed(std::string_view text);

// A report pass over the log format named "Fuzz", priced by the sample
// provider, with all dates, all times, day and month totals as bits 0 to 3
// of `switches` pick; stops the run unless the report is built with its head
// row. Returns the connections read.
TRep FuzzReportPass(TLCfg& formats, std::uint8_t switches);

// Stops the run with the message when the property does not hold.
void Require(bool holds, const char* property);

} // namespace dialtally
