#include "actions/command_safety.h"

#include "runtime/codepage.h"

namespace {

bool IsForbidden(unsigned char byte) {
  switch (byte) {
    case '&':
    case '|':
    case '<':
    case '>':
    case '^':
    case '"':
    case '%':
      return true;
  }
  return byte < 0x20 || byte == 0x7F;
}

}  // namespace

bool HasForbiddenCommandChar(const Text& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (IsAnsiLeadByte(byte) && i + 1 < text.size()) {
      ++i;
    } else if (IsForbidden(byte)) {
      return true;
    }
  }
  return false;
}
