#pragma once
// Messages the user must see (a file that cannot be read, a save that
// failed): a dialog in the window, a line on stderr on the command line.
#include <string>

/// Receiver of user messages; the front end installs one in AppGlobal::g_Message.
class KxCMessageSink {
public:
    virtual ~KxCMessageSink() = default;
    /// Shows one message (it may hold line breaks).
    virtual void Show_Message(const std::string& text) = 0;
};

/// Shows text through AppGlobal::g_Message, or writes it to stderr when none is installed.
void Show_User_Message(const std::string& text);
