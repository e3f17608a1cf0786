#include "logs/LogFormatEdits.h"

namespace dialtally {

namespace {

// Positions in file order: OnMonth..OnAmpm are 3..7, OffMonth..OffAmpm 10..14.
constexpr std::size_t FirstBeginLocator = 3;
constexpr std::size_t FirstEndLocator = 10;
constexpr std::size_t CopiedLocators = 5;

} // namespace

LogFormatTexts LogFormatValues(const TLCfg& table, int index)
{
    LogFormatTexts values;
    if (index < 1 || index > TLCfg::MaxFormats)
        return values;
    const auto& fields = LogFormatFields();
    for (std::size_t k = 0; k < fields.size(); ++k)
        values[k] = (table.*(fields[k].Column))[index];
    return values;
}

void StoreLogFormat(TLCfg& table, int index, const LogFormatTexts& edits)
{
    if (index < 1 || index > TLCfg::MaxFormats)
        return;
    LogFormatTexts values = edits;
    for (std::size_t k = 0; k < CopiedLocators; ++k)
        if (values[FirstEndLocator + k].empty())
            values[FirstEndLocator + k] = values[FirstBeginLocator + k];
    const auto& fields = LogFormatFields();
    for (std::size_t k = 0; k < fields.size(); ++k)
        (table.*(fields[k].Column))[index] = values[k];
}

void RemoveLogFormat(TLCfg& table, int index)
{
    if (index < 1 || index > table.Count)
        return;
    for (const LogFormatField& field : LogFormatFields()) {
        TLCfg::Column& column = table.*(field.Column);
        for (int i = index; i < table.Count; ++i)
            column[i] = std::move(column[i + 1]);
        column[table.Count].clear();
    }
    --table.Count;
}

} // namespace dialtally
