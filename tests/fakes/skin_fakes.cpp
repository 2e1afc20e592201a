#include "tests/fakes/skin_fakes.h"

#include "app/skin_install.h"
#include "tests/fakes/runtime_fakes.h"

SkinFakes skinFakes;

void ResetSkinFakes() { skinFakes = SkinFakes(); }

Bytes FakeSkin(int number) { return {'.', 'S', 'H', 'E', static_cast<unsigned char>(number)}; }

const Bytes& CarriedSkinEngine() { return skinFakes.library; }

Bytes CarriedSkin(int number) { return FakeSkin(number); }

bool IsFolder(const Text& path) { return fakes.files.count(path) && fakes.files[path].isFolder; }

bool HoldFile(const Text& path, Bytes& bytes) {
  skinFakes.held.clear();
  if (!fakes.files.count(path) || fakes.files[path].isFolder) return false;
  if (skinFakes.swapsBeforeHold > 0) {
    --skinFakes.swapsBeforeHold;
    fakes.files[path].bytes = {'M', 'Z', 'e', 'v', 'i', 'l'};
  }
  bytes = fakes.files[path].bytes;
  skinFakes.held = path;
  return true;
}

void ReleaseHeldFile() { skinFakes.held.clear(); }

bool CallSkinEngine(const Text& path, const Bytes& skin) {
  if (!skinFakes.engineLoads) return false;
  skinFakes.calls.push_back({path, skin, skinFakes.held});
  return true;
}
