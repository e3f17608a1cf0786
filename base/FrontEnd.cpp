#include "base/FrontEnd.h"

namespace dialtally {

namespace {

FrontEnd silentFrontEnd;
FrontEnd* current = &silentFrontEnd;

} // namespace

MessageAnswer FrontEnd::ShowMessage(MessageKind, MessageButtons buttons, const std::string&)
{
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

void FrontEnd::SetBusy(bool) {}
void FrontEnd::SetStatusText(int, const std::string&) {}
void FrontEnd::SetProgress(int, int) {}
void FrontEnd::AddToShellRecentDocs(const std::string&) {}

FrontEnd& CurrentFrontEnd()
{
    return *current;
}

void SetFrontEnd(FrontEnd* frontEnd)
{
    current = frontEnd ? frontEnd : &silentFrontEnd;
}

const char* MessageCaption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return "Information";
    case MessageKind::Error:
        return "Error";
    case MessageKind::Confirm:
        return "Confirm";
    }
    return "";
}

} // namespace dialtally
