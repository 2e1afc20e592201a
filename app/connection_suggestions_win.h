// The connection box offers the machine's connections while the user types.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/connections.h"

// Attaches the system's autocomplete (IAutoComplete2, drop-down suggestions and
// the Down key) to the edit box with the connections' names. Where the
// autocomplete object cannot be made, the box stays a plain edit box.
void OfferConnectionNames(HWND edit, const std::vector<Connection>& connections);
