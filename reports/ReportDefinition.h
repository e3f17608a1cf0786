#pragma once

#include <array>
#include <string>
#include <vector>

namespace dialtally {

// A report definition. Every saved field is text, also the switches ("1"
// on, anything else off) and the numbers; the 34 saved fields carry the
// names of their .rep keys, in file order.
struct TCfg {
    std::string FileName; // full path; "Untitled.rep" in the report folder when never saved
    bool Modified = false;
    int TotalsMode = 0; // positions of the quick toggles; 0 = as defined
    int DatesMode = 0;
    int TimesMode = 0;
    int DescripMode = 0;
    // The totals and criteria as the report defines them, for the quick toggles.
    std::string DefTotalDay, DefTotalWeek, DefTotalMonth, DefTotalYear;
    std::string DefDateAll, DefDateFrom, DefDateTo;
    std::string DefTimeAll, DefTimeFrom, DefTimeTo;
    std::string DefDescripAll, DefInclude, DefExclude;

    // Saved fields.
    std::string ReportDescription; // title
    std::string ReportType;        // "Text", "Graph" or "Split"
    std::string LogType;           // name of the log format to read
    std::string ServiceProviders;  // provider names joined by ","
    std::string CriteriaDateAll;
    std::string CriteriaDateFrom; // date texts, regional short date order
    std::string CriteriaDateTo;
    std::string CriteriaTimeAll;
    std::string CriteriaTimeFrom; // time texts, regional long time format
    std::string CriteriaTimeTo;
    std::string CriteriaDescripAll;
    std::string CriteriaInclude; // comma lists of description words
    std::string CriteriaExclude;
    std::string DetailDateOn;
    std::string DetailTimeOn;
    std::string DetailDateOff;
    std::string DetailTimeOff;
    std::string DetailDuration;
    std::string DetailCost;
    std::string DetailService;
    std::string DetailShow;
    std::string TotalDay;
    std::string TotalWeek;
    std::string TotalMonth;
    std::string TotalYear;
    std::string TotalTotal;
    std::string TotalShow;
    std::string ColSize;  // "0" Autosize, "1" Equal
    std::string ColAlign; // "0" Left, "1" Right
    std::string ColStretch;
    std::string GraphYAxis; // "1" Hours .. "5" Count
    std::string Graph3d;    // "0" 2D, "1" 3D
    std::string GraphValues;
    std::string GraphLegend;
};

// The saved fields in file order, by their keys.
struct ReportField {
    const char* Key;
    std::string TCfg::*Member;
};
const std::array<ReportField, 34>& ReportFields();

// A switch is on only when its text is exactly "1".
inline bool IsOn(const std::string& flag)
{
    return flag == "1";
}

} // namespace dialtally
