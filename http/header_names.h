// Header names in canonical capitals: the first letter of every "-"-separated
// word of a name is raised; the rest of each line is left as it is.
#pragma once

#include "runtime/text.h"

// The block rebuilt line by line: lines without a colon (empty ones too) are
// dropped, and the result has no CR LF at its end.
Text NormaliseHeaderNames(const Text& block);
// The word with its first byte in ASCII capitals.
Text CapitaliseFirst(const Text& word);
