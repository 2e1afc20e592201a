#include "tests/fakes/runtime_fakes.h"

#include <string>

#include "runtime/codepage.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/window.h"

RuntimeFakes fakes;

void ResetRuntimeFakes() { fakes = RuntimeFakes(); }

void ShowMessage(const Text& text, int icon) { fakes.messages.push_back({text, icon, {}, fakes.waitCursor}); }

bool AskYesNo(const MessageText& question) {
  fakes.messages.push_back(Joined(question, kQuestionIcon));
  fakes.events.push_back(ConcatText({"ask ", fakes.messages.back().text}));
  return fakes.answerYes;
}

std::vector<Connection> MachineConnections() { return fakes.connections; }

void BeginWaitCursor() { fakes.waitCursor = true; }

void EndWaitCursor() { fakes.waitCursor = false; }

ShownMessage Joined(const MessageText& pieces, int icon) {
  ShownMessage shown = {{}, icon, {}, fakes.waitCursor};
  for (const MessagePiece& piece : pieces) {
    shown.text += piece.text;
    shown.origins.push_back(piece.origin);
  }
  return shown;
}

void ShowJoinedMessage(const MessageText& pieces, int icon) {
  fakes.messages.push_back(Joined(pieces, icon));
  fakes.events.push_back(ConcatText({"box ", std::to_string(icon), " ", fakes.messages.back().text}));
}

Text ReadEditText(int controlId) {
  fakes.readOrder.push_back(controlId);
  return fakes.editTexts[controlId];
}

int ReadCheckState(int controlId) {
  fakes.readOrder.push_back(controlId);
  return fakes.checkStates[controlId];
}

void ProcessEvents() { ++fakes.processEventsCalls; }

bool MainWindowClosed() { return fakes.mainWindowClosed; }

bool LaunchConsole(const Text& line, bool wait) {
  fakes.launches.push_back({line, wait, fakes.waitCursor});
  return true;
}

void ExitProgram(int code) { throw ProgramExited{code}; }

int OsFamily() { return fakes.osFamily; }

// GBK's lead bytes, or none on a single-byte code page.
bool IsAnsiLeadByte(unsigned char byte) { return !fakes.singleByteCodePage && byte >= 0x81 && byte <= 0xFE; }

Text RunDirectory() { return fakes.runDirectory; }

bool FileExists(const Text& path) { return fakes.files.count(path) != 0; }

bool WriteBytesFile(const Text& path, const Bytes& bytes) {
  if (fakes.writesFail || (fakes.files.count(path) && fakes.files[path].isFolder)) return false;
  fakes.files[path].bytes = bytes;
  return true;
}

bool IsFolder(const Text& path) { return fakes.files.count(path) && fakes.files[path].isFolder; }

bool HoldFile(const Text& path, Bytes& bytes) {
  fakes.heldFile.clear();
  if (!fakes.files.count(path) || fakes.files[path].isFolder) return false;
  if (fakes.swapsBeforeHold > 0) {
    --fakes.swapsBeforeHold;
    fakes.files[path].bytes = {'M', 'Z', 'e', 'v', 'i', 'l'};
  }
  bytes = fakes.files[path].bytes;
  fakes.heldFile = path;
  return true;
}

void ReleaseHeldFile() { fakes.heldFile.clear(); }

bool SetFileAttributeBits(const Text& path, int bits) {
  if (!fakes.files.count(path) || fakes.files[path].isFolder) return false;
  fakes.files[path].attributes = bits & 0x27;
  return true;
}
