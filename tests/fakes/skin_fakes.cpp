#include "tests/fakes/skin_fakes.h"

#include "app/skin_install.h"
#include "tests/fakes/runtime_fakes.h"

SkinFakes skinFakes;

void ResetSkinFakes() { skinFakes = SkinFakes(); }

Bytes FakeSkin(int number) { return {'.', 'S', 'H', 'E', static_cast<unsigned char>(number)}; }

const Bytes& CarriedSkinEngine() { return skinFakes.library; }

Bytes CarriedSkin(int number) { return FakeSkin(number); }

bool CallSkinEngine(const Text& path, const Bytes& skin) {
  if (!skinFakes.engineLoads) return false;
  skinFakes.calls.push_back({path, skin, fakes.heldFile});
  return true;
}
