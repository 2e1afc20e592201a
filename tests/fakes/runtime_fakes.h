// Recording stand-ins for the runtime's Windows services, for native tests of
// the handlers. Each test starts from ResetRuntimeFakes().
#pragma once

#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "runtime/text.h"

struct ShownMessage {
  Text text;
  int icon;
  bool operator==(const ShownMessage& other) const { return text == other.text && icon == other.icon; }
};

struct LaunchedConsole {
  Text line;
  bool wait;
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
  bool singleByteCodePage = false;  // no lead bytes, as on code page 1252
  int osFamily = 3;
  int processEventsCalls = 0;
  bool mainWindowClosed = false;
  Text runDirectory = "C:\\Nevrolt";
  std::vector<int> readOrder;  // control ids in the order they were read
};

extern RuntimeFakes fakes;
void ResetRuntimeFakes();
