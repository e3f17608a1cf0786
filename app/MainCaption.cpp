#include "app/MainCaption.h"

namespace dialtally {

std::string MainCaption(const std::string& title)
{
    return title.empty() ? std::string(ApplicationTitle) : title + " - " + ApplicationTitle;
}

void SetMainCaption(CaptionSink& window, const std::string& title)
{
    window.SetCaption(MainCaption(title));
}

} // namespace dialtally
