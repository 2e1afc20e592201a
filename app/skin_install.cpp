#include "app/skin_install.h"

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/window.h"

namespace {

// Writing and comparing race with anyone who can write to the folder; the
// comparison that counts is made on a held file, so a few rounds settle it.
constexpr int kInstallRounds = 3;

// True with the file held when it holds the carried library; released otherwise.
bool HoldsCarriedLibrary(const Text& path) {
  Bytes present;
  if (!HoldFile(path, present)) return false;
  if (present == CarriedSkinEngine()) return true;
  ReleaseHeldFile();
  return false;
}

}  // namespace

bool SkinNumberInRange(int number) { return number >= 1 && number <= kSkinCount; }

Text SkinEnginePath() { return ConcatText({RunDirectory(), "\\SkinH_EL.dll"}); }

MessageText SkinEngineErrorText(const Text& path, bool inTheWay) {
  MessageText text = {{kProgramText, "无法加载 SkinH_EL.dll 中的函数 SkinH_AttachRes，程序无法启动。"}};
  if (inTheWay) {
    text.push_back({kProgramText, "\r\n\r\n"});
    text.push_back({kAnsiText, path});
    text.push_back({kProgramText, "\r\n不是本程序携带的皮肤库，且无法替换。请删除它，然后重新启动程序。"});
  }
  return text;
}

bool InstallSkinEngine() {
  Text path = SkinEnginePath();
  if (IsFolder(path)) return false;
  for (int round = 0; round < kInstallRounds; ++round) {
    if (HoldsCarriedLibrary(path)) return true;
    // Hidden, system and read-only files refuse to be overwritten.
    if (FileExists(path)) SetFileAttributeBits(path, 0);
    if (!WriteBytesFile(path, CarriedSkinEngine())) return false;
    SetFileAttributeBits(path, 2);
  }
  return HoldsCarriedLibrary(path);
}

void ApplyBuiltInSkin(int number) {
  Text path = SkinEnginePath();
  if (!InstallSkinEngine()) {
    ShowJoinedMessage(SkinEngineErrorText(path, FileExists(path)), kErrorIcon);
    ExitProgram(-1);
  }
  // A copy of its own: the engine gets no buffer that outlives the call.
  Bytes copy = SkinNumberInRange(number) ? CarriedSkin(number) : Bytes();
  bool called = CallSkinEngine(path, copy);
  ReleaseHeldFile();  // once loaded, the library is mapped and cannot be changed
  if (!called) {
    ShowJoinedMessage(SkinEngineErrorText(path, false), kErrorIcon);
    ExitProgram(-1);
  }
}
