#include "reports/GridCriteria.h"

#include "base/DateRoutines.h"
#include "reports/QuickToggles.h"
#include "reports/ReportFormats.h"

namespace dialtally {

bool IsGridTotalRow(const ReportTable& table, int row)
{
    return row > 0 && row < table.RowCount() && IsTotalRow(table.Kinds[row]);
}

std::string AddDescriptionWord(std::string_view word, std::string_view boxText)
{
    std::string text(word);
    if (!boxText.empty()) {
        text += ',';
        text += boxText;
    }
    return text;
}

CellCriteriaItems CellCriteriaFor(const ReportTable& table, int column, int row)
{
    CellCriteriaItems items;
    // The message row is no detail: its first cell holds no date.
    if (row < 1 || row >= table.RowCount() || table.Kinds[row] != RowKind::Detail)
        return items;
    if (column != 0 && column != 2 && column != 6)
        return items;
    const std::string_view cell = table.Cell(row, column);
    if (cell.empty())
        return items;
    if (column == 6) {
        items.Kind = CellCriteriaKind::Description;
        items.Text = std::string(cell);
        items.IncludeCaption = "&Include: " + MenuText(cell);
        items.ExcludeCaption = "&Exclude: " + MenuText(cell);
    } else {
        items.Kind = CellCriteriaKind::Date;
        items.Text = StripDayName(cell);
        items.IncludeCaption = "&Begin: " + MenuText(items.Text);
        items.ExcludeCaption = "&End: " + MenuText(items.Text);
    }
    return items;
}

TDateTime CellCriteriaDate(const CellCriteriaItems& items)
{
    return TextToDate(items.Text);
}

void DescriptionBoxesChanged(TCfg& cfg, std::string_view includeBox, std::string_view excludeBox)
{
    cfg.CriteriaDescripAll = includeBox.empty() && excludeBox.empty() ? "1" : "0";
}

void DatePickerChanged(TCfg& cfg)
{
    cfg.CriteriaDateAll = "0";
}

void TimePickerChanged(TCfg& cfg)
{
    cfg.CriteriaTimeAll = "0";
}

} // namespace dialtally
