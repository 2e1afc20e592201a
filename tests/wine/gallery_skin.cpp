// The start-up skin of the gallery build of Nevrolt.exe: the one that
// NEVROLT_GALLERY_SKIN names. It replaces app/startup_skin.cpp at link time.
#include <cstdlib>

#include "app/skin_install.h"

int StartupSkin() {
  const char* chosen = std::getenv("NEVROLT_GALLERY_SKIN");
  return chosen ? std::atoi(chosen) : kDefaultSkin;
}
