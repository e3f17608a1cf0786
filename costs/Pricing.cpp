#include "costs/Pricing.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"
#include "base/Utf8Text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace dialtally {

namespace {

constexpr std::size_t PeriodSlots = TTod::MaxPeriods + 1;

// The items NthItem gives for 1..CountItems of the list.
std::vector<std::string> SplitItems(const std::string& list, int count)
{
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    std::size_t start = 0;
    for (int n = 0; n < count; ++n) {
        const std::size_t cut = list.find(',', start);
        items.push_back(list.substr(start, cut == std::string::npos ? cut : cut - start));
        start = cut == std::string::npos ? list.size() : cut + 1;
    }
    return items;
}

bool DayClassCovers(const TTod& tod, int k, int weekday)
{
    if (weekday == 1)
        return tod.Sunday[k];
    if (weekday == 7)
        return tod.Saturday[k];
    return tod.MondayToFriday[k];
}

// Rounds a unit count up to a whole number, without letting the last bit of
// a division such as 84 / (0.7 * 60) push an exact count into the next unit.
double RoundUpUnits(double n)
{
    const double nearest = std::round(n);
    if (std::fabs(n - nearest) <= 1e-9 * std::fmax(1.0, std::fabs(n)))
        return nearest;
    return std::ceil(n);
}

// The start as formatting it in the long time format and reading the text
// back gives it: the minutes and seconds only where the format shows them.
// Worked out from the format, as printing and parsing every connection's
// time would dominate the pricing of a large log.
TDateTime StartTimeOfDay(const CostingPass& pass, TDateTime on)
{
    const ClockTime time = DecodeTime(on);
    return EncodeTime(time.Hour, pass.StartMinutes ? time.Minute : 0,
                      pass.StartSeconds ? time.Second : 0, 0);
}

void NoteShownTimeParts(CostingPass& pass)
{
    bool quoted = false;
    pass.StartMinutes = pass.StartSeconds = false;
    for (const char c : Regional().LongTimeFormat) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c == 'm')
            pass.StartMinutes = true;
        else if (!quoted && c == 's')
            pass.StartSeconds = true;
    }
}

double UnitSecondsOf(const std::string& unitMinutes)
{
    const double unitSeconds = TextToFloat(unitMinutes) * 60.0;
    // A unit of no length cannot divide a connection; treat it as a tariff
    // that does not convert.
    if (!std::isfinite(unitSeconds) || unitSeconds <= 0)
        throw ConversionError("'" + unitMinutes + "' is not a valid unit length");
    return unitSeconds;
}

// Units to charge under period k, its texts converted into `slot` the first
// time they are needed, at the point where ChargeUnits converts them.
double UnitsUnder(TProv& providers, int p, int k, const TRep& rep, int index, PeriodTariff& slot)
{
    const TTod& tod = providers.ProviderTod[p];
    if (!slot.UnitConverted) {
        slot.UnitSeconds = UnitSecondsOf(tod.UnitMinutes[k]);
        slot.UnitConverted = true;
    }
    const double unitSeconds = slot.UnitSeconds;
    const int duration = rep.Duration[static_cast<std::size_t>(index)];
    int& freeLeft = providers.FreeSecondsLeft[p];
    double units = 0;
    if (tod.ApplyFree[k] && freeLeft > 0) {
        freeLeft -= duration;
        units = freeLeft >= 0 ? 0.0 : -static_cast<double>(freeLeft) / unitSeconds;
    } else {
        units = duration / unitSeconds;
    }
    if (!slot.InitialConverted) {
        slot.InitialMinutes = StrToInt(tod.InitialMinutes[k]);
        slot.InitialConverted = true;
    }
    units -= slot.InitialMinutes;
    if (units < 0)
        units = 0;
    if (unitSeconds <= 60)
        units = RoundUpUnits(units);
    return units;
}

// Converts the period's texts the first time the pass needs them, in the
// order the search reads them, so a text that does not convert fails at
// the same connection as without the cache.
PeriodTariff& Tariff(const TTod& tod, int k, PeriodTariff& slot)
{
    if (!slot.Converted) {
        slot.From = TextToTime(tod.TimeFrom[k]);
        slot.To = TextToTime(tod.TimeTo[k]);
        slot.UnitCharge = TextToCurrency(tod.UnitCharge[k]);
        slot.InitialCharge = TextToCurrency(tod.InitialCharge[k]);
        slot.Converted = true;
    }
    return slot;
}

// slots: one per period 0..10 of provider p.
Currency ChargeUnderPeriods(const CostingPass& pass, TProv& providers, int p, const TRep& rep,
                            int index, PeriodTariff* slots)
{
    const TDateTime on = rep.DateTimeOn[static_cast<std::size_t>(index)];
    const int weekday = DayOfWeek(on);
    const TDateTime start = StartTimeOfDay(pass, on);
    TTod& tod = providers.ProviderTod[p];
    Currency charge = 0;
    for (int k = 1; k <= tod.Count && k <= TTod::MaxPeriods; ++k) {
        tod.Current = k;
        PeriodTariff& tariff = Tariff(tod, k, slots[k]);
        if (!DayClassCovers(tod, k, weekday) || start < tariff.From || start > tariff.To)
            continue;
        const double units = UnitsUnder(providers, p, k, rep, index, tariff);
        charge =
            RoundToCurrency(units * CurrencyToDouble(tariff.UnitCharge)) + tariff.InitialCharge;
        if (charge > 0)
            break;
    }
    return charge;
}

void ProviderSteps(CostingPass& pass, TProv& providers, const std::string& name, TRep& rep,
                   int index, Currency& total)
{
    const int p = FindProvider(name, providers);
    providers.Current = p;
    if (p == 0)
        return;
    OpenBillingMonth(providers, p, rep, index);
    if (providers.ProviderTod[p].Count >= 1)
        total += ChargeUnderPeriods(pass, providers, p, rep, index,
                                    &pass.Tariffs[static_cast<std::size_t>(p) * PeriodSlots]);
}

} // namespace

void StartCosting(CostingPass& pass, TProv& providers, const TServ& links,
                  const std::string& serviceProviders)
{
    pass = CostingPass{};
    for (int p = 1; p <= providers.Count && p <= TProv::MaxProviders; ++p) {
        providers.NextMonthStart[p] = 0;
        providers.FreeSecondsLeft[p] = 0;
    }
    const int linkCount = std::min(links.Count, TServ::MaxLinks);
    for (int j = 1; j <= linkCount; ++j) {
        if (j > 1) {
            pass.LinkServices += ',';
            pass.LinkProviders += ',';
        }
        pass.LinkServices += links.Service[j];
        pass.LinkProviders += links.Provider[j];
    }
    pass.ServiceProviders = serviceProviders;
    pass.LinkCount = CountItems(pass.LinkServices, ',');
    pass.ProviderCount = CountItems(pass.ServiceProviders, ',');
    pass.LinkServiceItems = SplitItems(pass.LinkServices, pass.LinkCount);
    // Indexed by the description's item number, as the two lists are walked
    // in step even when a comma inside a text shifts them apart.
    pass.LinkProviderItems = SplitItems(pass.LinkProviders, pass.LinkCount);
    pass.ServiceProviderItems = SplitItems(pass.ServiceProviders, pass.ProviderCount);
    pass.Tariffs.assign((TProv::MaxProviders + 1) * PeriodSlots, PeriodTariff{});
    NoteShownTimeParts(pass);
}

Currency PriceConnection(CostingPass& pass, TProv& providers, TRep& rep, int index)
{
    Currency total = 0;
    for (const std::string& name : pass.ServiceProviderItems)
        ProviderSteps(pass, providers, name, rep, index, total);
    const std::string& service = rep.Service[static_cast<std::size_t>(index)];
    // A link typed here is UTF-8; a description from a log in a Windows
    // code page is taken as the grid shows it too.
    std::optional<std::string> decoded;
    const auto links = [&](const std::string& item) {
        if (item == service)
            return true;
        if (IsAscii(item) || IsAscii(service))
            return false;
        if (!decoded)
            decoded = Utf8FromWindows1252Bytes(service);
        return *decoded == item;
    };
    for (std::size_t j = 0; j < pass.LinkServiceItems.size(); ++j)
        if (links(pass.LinkServiceItems[j]))
            ProviderSteps(pass, providers, pass.LinkProviderItems[j], rep, index, total);
    return total;
}

void OpenBillingMonth(TProv& providers, int p, TRep& rep, int index)
{
    const auto i = static_cast<std::size_t>(index);
    const TDateTime day = DateOf(rep.DateTimeOn[i]);
    if (day < providers.NextMonthStart[p])
        return;
    providers.FreeSecondsLeft[p] = FreeHoursToSeconds(StrToInt(providers.ProviderMonthFree[p]));
    providers.NextMonthStart[p] = EndOfMonth(day) + StrToInt(providers.ProviderMonthBegin[p]);
    rep.MonthCharge[i] += TextToCurrency(providers.ProviderMonthCharge[p]);
}

Currency PeriodCharge(TProv& providers, int p, const TRep& rep, int index)
{
    CostingPass pass;
    NoteShownTimeParts(pass);
    PeriodTariff slots[PeriodSlots];
    return ChargeUnderPeriods(pass, providers, p, rep, index, slots);
}

int FreeHoursToSeconds(int hours)
{
    const std::int64_t seconds = static_cast<std::int64_t>(hours) * 3600;
    if (seconds > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (seconds < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(seconds);
}

double ChargeUnits(TProv& providers, int p, int k, const TRep& rep, int index)
{
    PeriodTariff slot;
    return UnitsUnder(providers, p, k, rep, index, slot);
}

} // namespace dialtally
