#include "base/Messages.h"

#include <filesystem>
#include <system_error>

namespace dialtally {

void ShowInfo(const std::string& text)
{
    CurrentFrontEnd().ShowMessage(MessageKind::Information, MessageButtons::Ok, text);
}

void ShowError(const std::string& text)
{
    CurrentFrontEnd().ShowMessage(MessageKind::Error, MessageButtons::Ok, text);
}

std::string ReadErrorText(const std::string& path)
{
    std::error_code error;
    return ReadErrorText(path, !path.empty() && std::filesystem::exists(path, error));
}

std::string ReadErrorText(const std::string& name, bool found)
{
    return ReadErrorTextWithReason(name, found ? "A dial-up connection may be active."
                                               : "The file was not found.");
}

std::string ReadErrorTextWithReason(const std::string& name, std::string_view reason)
{
    return "An error occurred reading " + name + ".\n\r" + std::string(reason);
}

std::string WriteErrorText(const std::string& path)
{
    return "An error occurred writing " + path + ".";
}

void ShowMadeFromError(const std::string& path, const std::string& input, const std::string& what)
{
    const std::string named = path == input ? path : path + " (" + input + ")";
    ShowError(named + " is a file the reports are made from.\n\rChoose another file to " + what +
              ".");
}

void ShowReadError(const std::string& path)
{
    ShowError(ReadErrorText(path));
}

void ShowReadError(const std::string& name, bool found)
{
    ShowError(ReadErrorText(name, found));
}

void ShowWriteError(const std::string& path)
{
    ShowError(WriteErrorText(path));
}

MessageAnswer ConfirmRemove(const std::string& name)
{
    return AskYesNo("Remove " + name + "?");
}

MessageAnswer AskYesNo(const std::string& text)
{
    return CurrentFrontEnd().ShowMessage(MessageKind::Confirm, MessageButtons::YesNo, text);
}

MessageAnswer AskYesNoCancel(const std::string& text)
{
    return CurrentFrontEnd().ShowMessage(MessageKind::Confirm, MessageButtons::YesNoCancel, text);
}

void SetBusy(bool busy)
{
    CurrentFrontEnd().SetBusy(busy);
}

void PlayDefaultSound()
{
    CurrentFrontEnd().PlayDefaultSound();
}

} // namespace dialtally
