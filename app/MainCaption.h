#pragma once

#include <string>

namespace dialtally {

// The application title; the task bar shows it whatever the window caption.
inline constexpr const char* ApplicationTitle = "Dialtally";

// Whatever carries the main window's caption.
class CaptionSink {
public:
    virtual ~CaptionSink() = default;
    virtual void SetCaption(const std::string& caption) = 0;
};

// "Dialtally" for an empty title, else the title, " - " and "Dialtally".
std::string MainCaption(const std::string& title);
void SetMainCaption(CaptionSink& window, const std::string& title);

} // namespace dialtally
