// Skin installation at start-up: the carried engine library is written beside
// the program (and put right when a different file carries its name), then
// skin `number` is handed to it.
#pragma once

#include "runtime/text.h"
#include "runtime/window.h"

constexpr int kSkinCount = 33;
constexpr int kDefaultSkin = 11;

// Makes sure RunDirectory() + "\SkinH_EL.dll" holds exactly the carried
// library: written when missing, replaced when its bytes differ, attributes
// then exactly hidden; left untouched, attributes included, when it matches.
// True with the file held (HoldFile) from the comparison on, so that nothing
// can replace it before it is loaded; the caller releases it. False when the
// file cannot be made right (a folder of that name, a file that cannot be
// replaced, a folder without write access, a file that keeps being swapped).
bool InstallSkinEngine();

// InstallSkinEngine, then SkinH_AttachRes(copy of skin `number`, its length,
// "", 0, 0, 0); a number outside 1 to 33 passes a null address and length 0.
// When the library cannot be put in place or called, shows an error naming the
// library and its function (and the file, when it is in the way) and ends the
// program with code -1.
void ApplyBuiltInSkin(int number);

bool SkinNumberInRange(int number);
// The skin applied at start-up: kDefaultSkin (app/startup_skin.cpp). The
// gallery build links a definition of its own.
int StartupSkin();
Text SkinEnginePath();
// The start-up error; `inTheWay`: a folder or a foreign file blocks the library.
MessageText SkinEngineErrorText(const Text& path, bool inTheWay);

// Services of the Windows side (skin_install_win.cpp; stand-ins in tests/fakes).
// The carried library and a new copy of carried skin `number` (1 to 33).
const Bytes& CarriedSkinEngine();
Bytes CarriedSkin(int number);
// Loads the library from `path` and calls SkinH_AttachRes with `skin`; false
// when the library cannot be loaded or lacks the export.
bool CallSkinEngine(const Text& path, const Bytes& skin);
