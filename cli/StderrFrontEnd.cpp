#include "StderrFrontEnd.h"

#include <ostream>

namespace dialtally {

StderrFrontEnd::StderrFrontEnd(std::ostream& out) : m_out(out) {}

MessageAnswer StderrFrontEnd::ShowMessage(MessageKind kind, MessageButtons buttons,
                                          const std::string& text)
{
    if (kind == MessageKind::Error)
        m_errorShown = true;
    // The message boxes separate lines with LF CR; a terminal wants one LF.
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        plain += text[i];
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\r')
            ++i;
    }
    m_out << MessageCaption(kind) << ": " << plain << '\n';
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

} // namespace dialtally
