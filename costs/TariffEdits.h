#pragma once

#include "costs/Links.h"
#include "costs/Providers.h"

#include <array>
#include <string>
#include <string_view>

namespace dialtally {

// Whether a typed charge is an amount in the current settings: digits, at
// most one decimal separator, thousands separators only between groups of
// three, the currency symbol and blanks. "19.95" under de-DE is not, where
// DigitsOnly would make 1995 of it. An empty text is (it stores 0); one
// with more digits than money holds is not.
bool IsAmountText(std::string_view text);
// What is wrong with a rate period's edits as typed, the first fault as a
// message, or empty when all are fine. An empty edit is fine (it stores its
// default). Charges and the unit length are plain numbers of the current
// settings that money can hold ("0,05" under de-DE, not "0.05"), the unit
// longer than nothing; the initial minutes a whole number. Where the
// pricing would fail on a text, and the Costs dialog refuse to open over a
// file that holds it, the period dialog refuses it first.
struct RatePeriodEdit {
    std::string_view Text;
    enum Kind { Charge, UnitMinutes, WholeMinutes } Kind;
};
std::string RatePeriodEditProblem(const RatePeriodEdit& edit);
// What is wrong with the monthly free hours as typed, as a message, or empty
// when the pricing reads them: a whole number, or nothing (it stores 0).
std::string MonthFreeHoursProblem(std::string_view text);
// The monthly charge as the Costs dialog shows it: DigitsOnly, read as
// money, written in the money format ("19.95" -> "$19.95"). A text with no
// digit, or one that is no amount, comes back unchanged.
std::string ReformatCharge(std::string_view text);
// The charge as stored from the edit: DigitsOnly, "0" for an empty edit.
std::string StoredCharge(std::string_view editText);

// The first line of Dialtally.prv written under regional settings with
// other separators than the current ones ("ProviderMonthCharge=9.95" where
// the decimal separator is a comma, a rate period joined by ";" where the
// list separator is a comma), as "key=value"; empty when there is none.
// The Costs dialog would store such values changed: a decimal point dropped
// (a charge 100 times too large), a rate period emptied.
std::string TariffLineOfOtherSettings(const std::string& programFolder);

// Fills period k with the values a new additional charge starts from.
void NewRatePeriod(TTod& periods, int k);
// The ten grid cells of period k: "X" or empty for the day and free flags,
// the texts as stored for the others.
std::array<std::string, 10> RatePeriodCells(const TTod& periods, int k);

// Each moves the later entries one place down and shortens the table; an
// index outside 1..Count changes nothing.
void RemoveRatePeriod(TTod& periods, int k);
void RemoveProvider(TProv& table, int i);
void RemoveLink(TServ& table, int i);

} // namespace dialtally
