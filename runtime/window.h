// Window services for the handlers. Declared without Windows types so that the
// handlers compile natively and their tests can link recording stand-ins.
#pragma once

#include <vector>

#include "runtime/text.h"

enum MessageIcon : int { kNoIcon = 0, kErrorIcon = 16, kQuestionIcon = 32, kWarningIcon = 48, kInformationIcon = 64 };

// Where a piece of a message comes from, which says its code page: the
// program's own texts are GBK (936); paths and typed text are in the system's
// ANSI code page; console output is in its OEM code page.
enum TextOrigin : int { kProgramText, kAnsiText, kConsoleText };
struct MessagePiece {
  TextOrigin origin;
  Text text;
};
using MessageText = std::vector<MessagePiece>;

// Task-modal message box, no owner, caption "信息：", OK button. The text is the
// program's own GBK text.
void ShowMessage(const Text& text, int icon = kNoIcon);
// The same box for a text joined from pieces of different origins: each piece
// is converted from its own code page and the pieces are joined in UTF-16.
void ShowJoinedMessage(const MessageText& pieces, int icon = kNoIcon);
// The same box with Yes and No and the question icon; true for Yes.
bool AskYesNo(const MessageText& question);

// Current text of an edit box, in the system's ANSI code page.
Text ReadEditText(int controlId);
// 1 when the check box is ticked, else 0.
int ReadCheckState(int controlId);

// The wait cursor over the window while a handler holds the thread by design,
// and the arrow again afterwards.
void BeginWaitCursor();
void EndWaitCursor();

// Dispatches the messages waiting in the thread's queue; stops when none is left
// or WM_QUIT is next, leaving WM_QUIT for the message loop.
void ProcessEvents();

// True once the main window has been destroyed. A handler that dispatched
// messages while it worked checks this before touching the controls again.
bool MainWindowClosed();
