#include "app/MainCaption.h"

std::string MainCaption(const std::string& title)
{
    return title.empty() ? std::string(ApplicationTitle) : title + " - " + ApplicationTitle;
}

void SetMainCaption(CaptionSink& window, const std::string& title)
{
    window.SetCaption(MainCaption(title));
}
