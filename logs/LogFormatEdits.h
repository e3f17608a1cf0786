#pragma once

#include "logs/LogFormats.h"

#include <array>
#include <string>

namespace dialtally {

// The fifteen fields of one format in file order (LogType ... OffAmpm), as
// the formats dialog's edits hold them.
using LogFormatTexts = std::array<std::string, 15>;

LogFormatTexts LogFormatValues(const TLCfg& table, int index);
// Stores the edits into format `index`; an empty end locator takes the
// begin locator of its column. Indexes outside 1..256 are ignored.
void StoreLogFormat(TLCfg& table, int index, const LogFormatTexts& edits);
// Moves the later formats one place up and shortens the table; an index
// outside 1..Count changes nothing.
void RemoveLogFormat(TLCfg& table, int index);

} // namespace dialtally
