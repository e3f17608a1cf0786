#include "reports/ReportDefinition.h"

namespace dialtally {

const std::array<ReportField, 34>& ReportFields()
{
#define DIALTALLY_FIELD(name)                                                                      \
    ReportField                                                                                    \
    {                                                                                              \
#name, &TCfg::name                                                                         \
    }
    static const std::array<ReportField, 34> fields = {
        DIALTALLY_FIELD(ReportDescription),
        DIALTALLY_FIELD(ReportType),
        DIALTALLY_FIELD(LogType),
        DIALTALLY_FIELD(ServiceProviders),
        DIALTALLY_FIELD(CriteriaDateAll),
        DIALTALLY_FIELD(CriteriaDateFrom),
        DIALTALLY_FIELD(CriteriaDateTo),
        DIALTALLY_FIELD(CriteriaTimeAll),
        DIALTALLY_FIELD(CriteriaTimeFrom),
        DIALTALLY_FIELD(CriteriaTimeTo),
        DIALTALLY_FIELD(CriteriaDescripAll),
        DIALTALLY_FIELD(CriteriaInclude),
        DIALTALLY_FIELD(CriteriaExclude),
        DIALTALLY_FIELD(DetailDateOn),
        DIALTALLY_FIELD(DetailTimeOn),
        DIALTALLY_FIELD(DetailDateOff),
        DIALTALLY_FIELD(DetailTimeOff),
        DIALTALLY_FIELD(DetailDuration),
        DIALTALLY_FIELD(DetailCost),
        DIALTALLY_FIELD(DetailService),
        DIALTALLY_FIELD(DetailShow),
        DIALTALLY_FIELD(TotalDay),
        DIALTALLY_FIELD(TotalWeek),
        DIALTALLY_FIELD(TotalMonth),
        DIALTALLY_FIELD(TotalYear),
        DIALTALLY_FIELD(TotalTotal),
        DIALTALLY_FIELD(TotalShow),
        DIALTALLY_FIELD(ColSize),
        DIALTALLY_FIELD(ColAlign),
        DIALTALLY_FIELD(ColStretch),
        DIALTALLY_FIELD(GraphYAxis),
        DIALTALLY_FIELD(Graph3d),
        DIALTALLY_FIELD(GraphValues),
        DIALTALLY_FIELD(GraphLegend),
    };
#undef DIALTALLY_FIELD
    return fields;
}

} // namespace dialtally
