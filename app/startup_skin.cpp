#include "app/skin_install.h"

int StartupSkin() { return kDefaultSkin; }
