#pragma once
// Messages for the user (the program's message boxes) go through one
// installable sink: the desktop program shows a message box, quorvex-cli
// prints on stderr, tests collect them. Notes (lines for the message pane,
// no box) go through a second sink in the same way.
//
// ShowUserMessage may be called from any thread, including the receive thread
// while it holds g_csLock. A sink must therefore never wait for the
// user-interface thread: the desktop sink posts the text to the user-interface
// thread and returns at once.
#include <string>

using UserMessageSink = void (*)(const std::string& text);

// Installs the sink (null restores the default, which prints on stderr).
void SetUserMessageSink(UserMessageSink sink);
// Hands text (UTF-8) to the installed sink.
void ShowUserMessage(const std::string& text);

// Installs the sink of notes (null: print on stderr).
void SetUserNoteSink(UserMessageSink sink);
// Hands a note (UTF-8) to the installed note sink.
void ShowUserNote(const std::string& text);
