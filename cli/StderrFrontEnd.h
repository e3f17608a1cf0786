#pragma once

#include "platform/FrontEnd.h"

#include <iosfwd>

// Shows every message as "Caption: text" on standard error; questions take
// their default answer. Remembers whether an error was shown, for the exit
// status.
class StderrFrontEnd : public FrontEnd {
public:
    explicit StderrFrontEnd(std::ostream& out);

    MessageAnswer ShowMessage(MessageKind kind, MessageButtons buttons,
                              const std::string& text) override;
    bool ErrorShown() const { return m_errorShown; }

private:
    std::ostream& m_out;
    bool m_errorShown = false;
};
