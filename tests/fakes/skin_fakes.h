// Stand-ins for the Windows side of skin installation: the carried library
// and skins, file reading over the runtime fakes' files, and the engine call.
#pragma once

#include <vector>

#include "runtime/text.h"

struct EngineCall {
  Text path;
  Bytes skin;
  Text held;  // the file held while the engine was loaded
};

struct SkinFakes {
  Bytes library = {'M', 'Z', 0, 1, 2};
  bool engineLoads = true;  // false: the library cannot be loaded or lacks the export
  std::vector<EngineCall> calls;
};

extern SkinFakes skinFakes;
void ResetSkinFakes();
// What the stand-in carries as skin `number`.
Bytes FakeSkin(int number);
