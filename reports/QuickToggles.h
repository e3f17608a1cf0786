#pragma once

#include "reports/ReportDefinition.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// What a changed report definition needs redone.
enum class Rebuild {
    FromConnections, // build the rows again from the connection list in memory
    ReadLog          // read the log again (the criteria changed)
};

// The four one-click toggles of the criteria bar and the tool bar.
enum class QuickToggle { Totals, Dates, Times, Descriptions };

// A setting a toggle rewrites, with the as-defined copy its mode 0 brings
// back (the value the report file held when it was read).
struct QuickSetting {
    std::string TCfg::*Current;
    std::string TCfg::*Defined;
};
std::span<const QuickSetting> QuickSettings(QuickToggle toggle);

// Each steps its mode of the report one forward, wrapping to 0, and
// rewrites the fields of that mode; mode 0 brings back the as-defined
// copies. Modified is left alone.
Rebuild CycleTotals(TCfg& cfg);
Rebuild CycleDates(TCfg& cfg);
Rebuild CycleTimes(TCfg& cfg);
Rebuild CycleDescriptions(TCfg& cfg);
Rebuild Cycle(TCfg& cfg, QuickToggle toggle);

// Number of modes of a toggle: 5 totals, 6 dates, 4 times, 3 descriptions.
int ToggleModeCount(QuickToggle toggle);
int ToggleMode(const TCfg& cfg, QuickToggle toggle);
// A menu entry lands the toggle on its own mode: the mode is set one
// below it and the toggle performed.
Rebuild ChooseToggleMode(TCfg& cfg, QuickToggle toggle, int mode);

struct ToggleMenuEntry {
    std::string Caption; // with its "&" accelerator; empty for the separator
    int Mode = -1;       // the mode the entry chooses; -1 for the separator
    bool Checked = false;
};

// A toggle's drop-down menu as it opens now: the captions of the date,
// time and flip entries computed from today, the regional settings and
// the description boxes' texts; the entry of the report's mode checked.
std::vector<ToggleMenuEntry> ToggleMenu(const TCfg& cfg, QuickToggle toggle,
                                        std::string_view includeBox = {},
                                        std::string_view excludeBox = {});

// The text with each "&" doubled, so that a menu shows it as it stands.
std::string MenuText(std::string_view text);

// "Text", "Graph" or "Split": true when the view changed (the caller
// then shows the report again, which adds a history entry).
bool SetView(TCfg& cfg, std::string_view view);
// DetailShow (TotalShow) toggled; when neither section would show, the
// other one is switched on. Raises ConversionError, leaving the report
// as it was, for a switch that is not a number.
Rebuild ToggleDetails(TCfg& cfg);
Rebuild ToggleTotals(TCfg& cfg);

// The switch a click on the chart legend toggles: the legend is cut into
// five bands of a fifth of its height, details at the bottom, then days,
// weeks, months, and years at the top (y grows downwards).
std::string TCfg::*LegendClickField(int legendTop, int legendBottom, int clickY);
// Toggles that switch. Raises ConversionError as ToggleDetails.
Rebuild ToggleLegendField(TCfg& cfg, int legendTop, int legendBottom, int clickY);

} // namespace dialtally
