#include "app/ToolbarLayout.h"

#include <algorithm>

namespace dialtally {

std::array<BandSettings, BandCount> BandsAsPlaced(const std::array<BandSettings, BandCount>& stored,
                                                  const std::array<PlacedBand, BandCount>& placed)
{
    std::vector<int> standing; // shown band ids in the order they stand
    for (int id = 0; id < BandCount; ++id)
        if (placed[static_cast<std::size_t>(id)].Shown)
            standing.push_back(id);
    std::stable_sort(standing.begin(), standing.end(), [&](int a, int b) {
        const PlacedBand& first = placed[static_cast<std::size_t>(a)];
        const PlacedBand& second = placed[static_cast<std::size_t>(b)];
        return first.Y != second.Y ? first.Y < second.Y : first.X < second.X;
    });
    std::array<BandSettings, BandCount> order = stored;
    std::size_t next = 0;
    int previousY = -1;
    for (BandSettings& position : order) {
        if (position.Id < 0 || position.Id >= BandCount ||
            !placed[static_cast<std::size_t>(position.Id)].Shown)
            continue;
        const int id = standing[next++];
        const PlacedBand& band = placed[static_cast<std::size_t>(id)];
        position.Id = id;
        position.Break = previousY < 0 || band.Y != previousY;
        position.Width = band.Width;
        previousY = band.Y;
    }
    return order;
}

namespace {

std::vector<std::string> EntriesShown(const ToolbarSettings& toolbars, bool shown)
{
    std::vector<std::string> captions;
    for (const ToolbarEntry& entry : ToolbarEntries())
        if (toolbars.Btn[entry.Key] == shown)
            captions.emplace_back(entry.Caption);
    return captions;
}

// Sets the item of the entry at the position of one list, found by its
// caption as the list shows it.
int SetEntryShown(ToolbarSettings& toolbars, int position, bool shown)
{
    const std::vector<std::string> list = EntriesShown(toolbars, !shown);
    if (position < 0 || position >= static_cast<int>(list.size()))
        return -1;
    for (const ToolbarEntry& entry : ToolbarEntries())
        if (list[static_cast<std::size_t>(position)] == entry.Caption)
            toolbars.Btn[entry.Key] = shown;
    const int left = static_cast<int>(list.size()) - 1;
    return left == 0 ? -1 : std::min(position, left - 1);
}

} // namespace

const std::array<ToolbarEntry, ToolbarEntryCount>& ToolbarEntries()
{
    static const std::array<ToolbarEntry, ToolbarEntryCount> entries{{
        {"Back", 35},
        {"Forward", 36},
        {"Refresh", 24},
        {"Default", 25},
        {"Separator 1", 23},
        {"New", 1},
        {"Open", 2},
        {"Save", 3},
        {"Print", 4},
        {"Separator 2", 5},
        {"Copy", 7},
        {"Find", 9},
        {"Separator 3", 10},
        {"Text", 11},
        {"Graph", 12},
        {"Split", 13},
        {"Separator 4", 14},
        {"Details", 15},
        {"Totals", 16},
        {"Total", 17},
        {"Separator 5", 18},
        {"Zoom In", 19},
        {"Zoom Out", 20},
        {"Scroll Left", 21},
        {"Scroll Right", 22},
        {"Dates", 26},
        {"Begin Date", 27},
        {"End Date", 28},
        {"Times", 29},
        {"Begin Time", 30},
        {"End Time", 31},
        {"Descriptions", 32},
        {"Include Descriptions", 33},
        {"Exclude Descriptions", 34},
    }};
    return entries;
}

std::vector<std::string> AvailableEntries(const ToolbarSettings& toolbars)
{
    return EntriesShown(toolbars, false);
}

std::vector<std::string> VisibleEntries(const ToolbarSettings& toolbars)
{
    return EntriesShown(toolbars, true);
}

int ShowToolbarEntry(ToolbarSettings& toolbars, int availablePosition)
{
    return SetEntryShown(toolbars, availablePosition, true);
}

int HideToolbarEntry(ToolbarSettings& toolbars, int visiblePosition)
{
    return SetEntryShown(toolbars, visiblePosition, false);
}

} // namespace dialtally
