#pragma once

#include "base/OneBasedColumn.h"

#include <array>
#include <string>
#include <string_view>

namespace dialtally {

// Links from a connection's description to the provider charged for it, up
// to 256, indexed 1..256 (entry 0 unused). A link may name a provider that
// does not exist; it then adds no charge.
struct TServ {
    static constexpr int MaxLinks = 256;
    using Column = OneBasedColumn<std::string, MaxLinks>;

    int Current = 0; // while loading: links read so far; else the selected one
    int Count = 0;   // links in use, 0..256
    Column Service;  // description, compared exactly
    Column Provider; // name of the provider charged

    bool operator==(const TServ&) const = default;
};

std::string LinksPath(const std::string& programFolder);

// Fills the table from Dialtally.srv, or with the sample link when the file
// does not exist. A read error shows ShowReadError and leaves it empty.
void LoadLinks(TServ& table, const std::string& programFolder);
// A failure shows ShowWriteError and leaves the old file whole.
// With showError false, a failure is for the caller to tell.
bool SaveLinks(const TServ& table, const std::string& programFolder, bool showError = true);
void DefaultLinks(TServ& table);
int FindLink(std::string_view description, const TServ& table);

} // namespace dialtally
