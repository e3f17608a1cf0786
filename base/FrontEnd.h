#pragma once

#include <string>

namespace dialtally {

// What the core asks of whatever shows it: the window, the report command,
// or a test. Every method has a harmless default so that a front end only
// implements what it shows.
enum class MessageKind { Information, Error, Confirm };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // A modal box with the caption of its kind ("Information", "Error",
    // "Confirm"). Lines of the text are separated by "\n\r".
    virtual MessageAnswer ShowMessage(MessageKind kind, MessageButtons buttons,
                                      const std::string& text);
    // Busy cursor on or off, then let pending window events run once.
    virtual void SetBusy(bool busy);
    virtual void PlayDefaultSound() {}
    // Text of a status bar panel (0 = the first).
    virtual void SetStatusText(int panel, const std::string& text);
    // Progress over the first status panel; max 0 hides it.
    virtual void SetProgress(int position, int max);
    // Called now and then in a long step: let the window repaint, so that
    // it does not look frozen. Clicks and keys wait for the step's end.
    virtual void KeepResponsive() {}
    virtual void AddToShellRecentDocs(const std::string& path);
};

// The front end in force; a silent one until set. Not owned.
FrontEnd& CurrentFrontEnd();
void SetFrontEnd(FrontEnd* frontEnd);

// The caption a message box of that kind carries.
const char* MessageCaption(MessageKind kind);

} // namespace dialtally
