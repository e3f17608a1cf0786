#include "app/ReportFileType.h"

#include "platform/FileTypeRegistration.h"
#include "platform/RecentlyUsed.h"

namespace dialtally {

void ToggleReportFileType(bool& registered)
{
    if (registered) {
        if (RemoveFileType(ReportExtension))
            registered = false;
    } else if (RegisterFileType(ReportExtension, ReportTypeName, ReportDdeTopic)) {
        registered = true;
    }
}

std::string FileTypeButtonCaption(bool registered)
{
    return std::string(registered ? "Remove" : "Add") + " &File Type";
}

void AddReportToRecentlyUsed(const std::string& path)
{
    AddToRecentlyUsed(path, FileTypeMimeType(ReportTypeName), ReportTypeName);
}

} // namespace dialtally
