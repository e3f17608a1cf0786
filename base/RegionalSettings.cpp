#include "base/RegionalSettings.h"

#include <cstdlib>
#include <stdexcept>

namespace dialtally {

namespace {

const std::array<std::string, 7> EnglishDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                "Thursday", "Friday", "Saturday"};
const std::array<std::string, 7> EnglishShortDays = {"Sun", "Mon", "Tue", "Wed",
                                                     "Thu", "Fri", "Sat"};
const std::array<std::string, 12> EnglishMonths = {"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};
const std::array<std::string, 12> EnglishShortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const RegionalSettings EnUs{"en-US",
                            "M/d/yyyy",
                            "dddd, MMMM d, yyyy",
                            "h:mm:ss tt",
                            "h:mm tt",
                            '/',
                            ':',
                            '.',
                            ",",
                            ',',
                            "$",
                            0,
                            2,
                            "AM",
                            "PM",
                            EnglishDays,
                            EnglishShortDays,
                            EnglishMonths,
                            EnglishShortMonths};

const RegionalSettings EnGb{"en-GB",
                            "dd/MM/yyyy",
                            "dd MMMM yyyy",
                            "HH:mm:ss",
                            "HH:mm",
                            '/',
                            ':',
                            '.',
                            ",",
                            ',',
                            "\xC2\xA3",
                            0,
                            2,
                            "AM",
                            "PM",
                            EnglishDays,
                            EnglishShortDays,
                            EnglishMonths,
                            EnglishShortMonths};

const RegionalSettings DeDe{
    "de-DE",
    "dd.MM.yyyy",
    "dddd, d. MMMM yyyy",
    "HH:mm:ss",
    "HH:mm",
    '.',
    ':',
    ',',
    ".",
    ';',
    "\xE2\x82\xAC",
    3,
    2,
    "",
    "",
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"}};

const RegionalSettings SvSe{
    "sv-SE",
    "yyyy-MM-dd",
    "'den 'd MMMM yyyy",
    "HH:mm:ss",
    "HH:mm",
    '-',
    ':',
    ',',
    "\xC2\xA0",
    ';',
    "kr",
    3,
    2,
    "",
    "",
    {"s\xC3\xB6ndag", "m\xC3\xA5ndag", "tisdag", "onsdag", "torsdag", "fredag", "l\xC3\xB6rdag"},
    {"s\xC3\xB6n", "m\xC3\xA5n", "tis", "ons", "tor", "fre", "l\xC3\xB6r"},
    {"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti", "september",
     "oktober", "november", "december"},
    {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"}};

const RegionalSettings* current = &EnUs;

const char* NonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

} // namespace

const std::array<const RegionalSettings*, 4>& RegionalPresets()
{
    static const std::array<const RegionalSettings*, 4> presets = {&EnUs, &EnGb, &DeDe, &SvSe};
    return presets;
}

const RegionalSettings* FindRegionalPreset(std::string_view name)
{
    for (const RegionalSettings* preset : RegionalPresets())
        if (preset->Name == name)
            return preset;
    return nullptr;
}

const RegionalSettings& PresetForPosixLocale(std::string_view posixName)
{
    // "de_DE.UTF-8@euro": language and territory are what counts.
    const auto cut = posixName.find_first_of(".@");
    std::string key(posixName.substr(0, cut));
    for (char& c : key)
        if (c == '_')
            c = '-';
    const RegionalSettings* preset = FindRegionalPreset(key);
    return preset ? *preset : EnUs;
}

const RegionalSettings& RegionalSettingsNamed(const std::optional<std::string>& name)
{
    if (!name)
        return RegionalSettingsFromEnvironment();
    const RegionalSettings* preset = FindRegionalPreset(*name);
    if (!preset)
        throw std::invalid_argument("Unknown regional settings \"" + *name +
                                    "\"; use en-US, en-GB, de-DE or sv-SE.");
    return *preset;
}

const RegionalSettings& RegionalSettingsFromEnvironment()
{
    if (const char* explicitName = NonEmptyEnv("DIALTALLY_LOCALE"))
        return RegionalSettingsNamed(std::string(explicitName));
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"})
        if (const char* value = NonEmptyEnv(name))
            return PresetForPosixLocale(value);
    return EnUs;
}

const RegionalSettings& Regional()
{
    return *current;
}

void SetRegional(const RegionalSettings& settings)
{
    static RegionalSettings custom;
    if (FindRegionalPreset(settings.Name) == &settings) {
        current = &settings;
        return;
    }
    custom = settings;
    current = &custom;
}

} // namespace dialtally
