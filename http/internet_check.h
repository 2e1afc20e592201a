// WinINet's test that a connection to a URL's server can be made.
#pragma once

#include "runtime/text.h"

// InternetCheckConnectionA(url, FLAG_ICC_FORCE_CONNECTION, 0); false also when
// WinINet cannot be loaded.
bool CheckConnection(const Text& url);
