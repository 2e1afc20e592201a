#include "app/skin_install.h"

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/window.h"

namespace {

bool HoldsCarriedLibrary(const Text& path) {
  Bytes present;
  return !IsFolder(path) && ReadBytesFile(path, present) && present == CarriedSkinEngine();
}

}  // namespace

bool SkinNumberInRange(int number) { return number >= 1 && number <= kSkinCount; }

Text SkinEnginePath() { return ConcatText({RunDirectory(), "\\SkinH_EL.dll"}); }

Text SkinEngineErrorText(const Text& path, bool inTheWay) {
  Text text = "无法加载 SkinH_EL.dll 中的函数 SkinH_AttachRes，程序无法启动。";
  if (inTheWay) {
    text += "\r\n\r\n" + path + "\r\n不是本程序携带的皮肤库，且无法替换。请删除它，然后重新启动程序。";
  }
  return text;
}

bool InstallSkinEngine() {
  Text path = SkinEnginePath();
  if (IsFolder(path)) return false;
  if (FileExists(path)) {
    if (HoldsCarriedLibrary(path)) return true;
    // Hidden, system and read-only files refuse to be overwritten.
    SetFileAttributeBits(path, 0);
  }
  if (WriteBytesFile(path, CarriedSkinEngine())) SetFileAttributeBits(path, 2);
  return HoldsCarriedLibrary(path);
}

void ApplyBuiltInSkin(int number) {
  Text path = SkinEnginePath();
  if (!InstallSkinEngine()) {
    ShowMessage(SkinEngineErrorText(path, FileExists(path)), kErrorIcon);
    ExitProgram(-1);
  }
  // A copy of its own: the engine gets no buffer that outlives the call.
  Bytes copy = SkinNumberInRange(number) ? CarriedSkin(number) : Bytes();
  if (!CallSkinEngine(path, copy)) {
    ShowMessage(SkinEngineErrorText(path, false), kErrorIcon);
    ExitProgram(-1);
  }
}
