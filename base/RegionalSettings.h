#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// The date, time, number and money conventions of one locale. This platform
// has no system record to ask, so the program carries presets and picks one
// by name; every routine that formats or parses reads the current record.
struct RegionalSettings {
    std::string Name;            // preset name, e.g. "en-US"
    std::string ShortDateFormat; // pictures as FormatDateTime reads them
    std::string LongDateFormat;
    std::string LongTimeFormat;
    std::string ShortTimeFormat;
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    std::string ThousandsSeparator; // may be more than one byte (U+00A0)
    char ListSeparator = ',';
    std::string CurrencySymbol;
    int CurrencyPlacement = 0; // 0 symbol first, 1 last, 2 first + blank, 3 last + blank
    int CurrencyDecimals = 2;
    std::string AmDesignator;
    std::string PmDesignator;
    std::array<std::string, 7> DayNames; // Sunday first
    std::array<std::string, 7> ShortDayNames;
    std::array<std::string, 12> MonthNames; // January first
    std::array<std::string, 12> ShortMonthNames;
};

// The preset of that name, or nullptr.
const RegionalSettings* FindRegionalPreset(std::string_view name);
const std::array<const RegionalSettings*, 4>& RegionalPresets();

// DIALTALLY_LOCALE when set (it must name a preset), else the first set of
// LC_ALL, LC_TIME and LANG matched on language and territory, else en-US.
// Throws std::invalid_argument for an explicit name that is no preset.
const RegionalSettings& RegionalSettingsFromEnvironment();
// The preset a --locale option names, or without one the environment's.
// Throws std::invalid_argument for a name that is no preset.
const RegionalSettings& RegionalSettingsNamed(const std::optional<std::string>& name);
// The preset a POSIX locale name such as "de_DE.UTF-8" stands for; en-US
// for anything unknown, "C" and "POSIX".
const RegionalSettings& PresetForPosixLocale(std::string_view posixName);

// The record in force; en-US until set.
const RegionalSettings& Regional();
void SetRegional(const RegionalSettings& settings);

} // namespace dialtally
