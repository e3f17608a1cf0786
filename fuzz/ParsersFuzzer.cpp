// The text readers under every preset: a text that is no number, date or
// time raises ConversionError and nothing else, and what is read can be
// written and read back to the same value.
#include "FuzzSupport.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/Currency.h"
#include "base/DateRoutines.h"
#include "base/Numbers.h"

#include <cstring>

using namespace dialtally;

namespace {

void CheckDate(std::string_view text)
{
    TDateTime date = 0;
    try {
        date = TextToDate(text);
    } catch (const ConversionError&) {
        return;
    }
    const std::string shown = DateToDisplayText(date);
    Require(TextToDate(shown) == date, "a shown date reads back as the same date");
}

void CheckTime(std::string_view text)
{
    TDateTime time = 0;
    try {
        time = TextToTime(text);
    } catch (const ConversionError&) {
        return;
    }
    Require(time >= 0 && time < 1, "a time of day lies within the day");
    Require(TextToTime(TimeToText(time)) == time, "a shown time reads back as the same time");
}

void CheckDuration(std::string_view text, int seconds)
{
    try {
        (void)TimeTextToSeconds(text);
    } catch (const ConversionError&) {
    }
    if (seconds < 0)
        seconds = -(seconds + 1);
    Require(TimeTextToSeconds(SecondsToDurationText(seconds)) == seconds,
            "a duration text reads back as its seconds");
}

template <typename Reader> void OnlyConversionErrors(Reader read)
{
    try {
        read();
    } catch (const ConversionError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetFixedToday(EncodeDate(2026, 6, 15)); // two-part dates and short years stay reproducible
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    PickRegionalPreset(input.Byte());
    int seconds = 0;
    for (int i = 0; i < 4; ++i)
        seconds = static_cast<int>(static_cast<unsigned>(seconds) << 8 | input.Byte());
    const std::string_view text = input.Rest();

    CheckDate(text);
    CheckTime(text);
    CheckDuration(text, seconds);
    OnlyConversionErrors([&] { (void)FormatMoney(TextToCurrency(text)); });
    OnlyConversionErrors([&] { (void)FormatFixed(TextToFloat(text), 4); });
    try {
        const int n = StrToInt(text);
        Require(StrToInt(IntToStr(n)) == n, "an integer reads back as itself");
    } catch (const ConversionError&) {
    }
    return 0;
}
