#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// The five chart series, finest level first.
enum class ChartLevel { Details = 0, Days, Weeks, Months, Years };
constexpr int ChartSeriesCount = 5;

// What a point's value counts, as the report's GraphYAxis says.
enum class ChartValueMode { Seconds, Charges, Count };

struct ChartPoint {
    int X = 0;
    std::uint32_t Label = 0; // its text among its series' Labels
    double Value = 0;
};

struct ChartSeries {
    std::uint32_t Color = 0; // 0xRRGGBB
    bool ShowValues = false; // value labels over the points
    std::vector<ChartPoint> Points;
    // Points in a row with one label (the connections of a day) share its
    // text: a million detail points hold a few thousand texts.
    std::vector<std::string> Labels;

    std::string_view LabelOf(const ChartPoint& point) const { return Labels[point.Label]; }
    void Add(int x, double value, std::string_view label)
    {
        if (Labels.empty() || Labels.back() != label)
            Labels.emplace_back(label);
        Points.push_back({x, static_cast<std::uint32_t>(Labels.size() - 1), value});
    }
    void Clear()
    {
        Points.clear();
        Labels.clear();
    }
};

// The chart options of a report, as SetupChart derives them.
struct ChartSetup {
    bool View3D = false;
    std::string Title;
    std::optional<std::string> LeftAxisTitle; // none: keep the title the chart has
    int ValueSeries = -1;                     // the series with value labels; -1 none
    bool Legend = false;
};

struct ReportChart {
    std::array<ChartSeries, ChartSeriesCount> Series{
        ChartSeries{0xFF0000, false, {}, {}}, ChartSeries{0x008000, false, {}, {}},
        ChartSeries{0xFFFF00, false, {}, {}}, ChartSeries{0x0000FF, false, {}, {}},
        ChartSeries{0xFFFFFF, false, {}, {}}};
    ChartValueMode Mode = ChartValueMode::Seconds;
    ChartSetup Setup;
    int MaxX = 0;        // largest X of all points; 0 when there are none
    int LastSeries = -1; // the series the last point went to; its labels name the bottom axis

    ChartSeries& Of(ChartLevel level) { return Series[static_cast<int>(level)]; }
    const ChartSeries& Of(ChartLevel level) const { return Series[static_cast<int>(level)]; }
    void Clear()
    {
        for (ChartSeries& series : Series)
            series.Clear();
        MaxX = 0;
        LastSeries = -1;
    }
};

} // namespace dialtally
