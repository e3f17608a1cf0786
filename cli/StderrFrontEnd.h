#pragma once

#include "base/FrontEnd.h"

#include <iosfwd>

namespace dialtally {

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

} // namespace dialtally
