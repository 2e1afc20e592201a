// Recording stand-ins for the runtime's Windows services, for native tests of
// the handlers. Each test starts from ResetRuntimeFakes().
#pragma once

#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "runtime/connections.h"
#include "runtime/text.h"
#include "runtime/window.h"

struct ShownMessage {
  Text text;  // a joined message: its pieces' bytes, one after the other
  int icon;
  std::vector<TextOrigin> origins = {};
  bool underWaitCursor = false;  // a joined message: where each piece came from
  bool operator==(const ShownMessage& other) const { return text == other.text && icon == other.icon; }
};

// A joined message's pieces' bytes and their origins, as the stand-in records them.
ShownMessage Joined(const MessageText& pieces, int icon);

struct LaunchedConsole {
  Text line;
  bool wait;
  bool underWaitCursor = false;
  bool operator==(const LaunchedConsole& other) const { return line == other.line && wait == other.wait; }
};

struct FakeFile {
  Bytes bytes;
  int attributes = 0x80;
  bool isFolder = false;
};

// ExitProgram throws this, so a test can see the code and the rest of the
// routine does not run.
struct ProgramExited {
  int code;
};

struct RuntimeFakes {
  std::map<int, Text> editTexts;
  std::map<int, int> checkStates;
  std::vector<ShownMessage> messages;
  std::vector<LaunchedConsole> launches;
  std::map<Text, FakeFile> files;
  bool writesFail = false;
  Text heldFile;                    // the file HoldFile holds now, empty when none
  int swapsBeforeHold = 0;          // so often, foreign bytes replace a file just before it is held
  bool singleByteCodePage = false;  // no lead bytes, as on code page 1252
  int osFamily = 3;
  int processEventsCalls = 0;
  bool waitCursor = false;  // between BeginWaitCursor and EndWaitCursor
  bool mainWindowClosed = false;
  Text runDirectory = "C:\\Nevrolt";
  std::vector<int> readOrder;  // control ids in the order they were read
  // In call order: "run " + line of each hidden run, "box <icon> " + text of
  // each joined message, "ask " + text of each question.
  std::vector<Text> events;
  bool answerYes = true;                // what AskYesNo answers
  std::vector<Connection> connections;  // MachineConnections(); empty: not read
};

extern RuntimeFakes fakes;
void ResetRuntimeFakes();
