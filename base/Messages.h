#pragma once

#include "base/FrontEnd.h"

#include <string>
#include <string_view>

namespace dialtally {

// The program's message boxes. "\n\r" separates the lines of a text.
void ShowInfo(const std::string& text);
void ShowError(const std::string& text);
// "An error occurred reading %s." and, on a second line, why: the file is
// there (a dial-up connection may hold it) or it was not found.
void ShowReadError(const std::string& path);
// The same for a source that is no single path (a set, the journal): the
// caller tells whether it was there.
void ShowReadError(const std::string& name, bool found);
void ShowWriteError(const std::string& path);
MessageAnswer ConfirmRemove(const std::string& name);
MessageAnswer AskYesNo(const std::string& text);
MessageAnswer AskYesNoCancel(const std::string& text);
void SetBusy(bool busy);
// Busy for as long as it lives, also when what it covers throws: a busy
// cursor left on would stay for the rest of the session.
class BusyScope {
public:
    BusyScope() { SetBusy(true); }
    ~BusyScope() { SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};
void PlayDefaultSound();

std::string ReadErrorText(const std::string& path);
std::string ReadErrorText(const std::string& name, bool found);
// The read message with a reason of a source's own.
std::string ReadErrorTextWithReason(const std::string& name, std::string_view reason);
std::string WriteErrorText(const std::string& path);
// A command that would write over a file the reports are made from (`input`,
// named by `path`) refuses: "`path` is a file the reports are made from"
// and, on a second line, "Choose another file to `what`."
void ShowMadeFromError(const std::string& path, const std::string& input, const std::string& what);

} // namespace dialtally
