// libFuzzer target for the skin parser (scripts/fuzz.sh). Each input is parsed
// as it is, and once more with its header's length and checksum made right, so
// that the fuzzer also reaches the chunks behind the checksum.
#include <vector>

#include "resources/skin_engine/skin_format.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  Skin skin;
  ParseSkin(data, size, skin);
  if (size >= kSkinHeaderSize && size <= kSkinMaxLength) {
    std::vector<unsigned char> sealed(data, data + size);
    std::uint32_t length = static_cast<std::uint32_t>(size);
    std::uint32_t checksum = SkinChecksum(sealed.data(), size);
    for (int i = 0; i < 4; ++i) {
      sealed[8 + i] = static_cast<unsigned char>(length >> (8 * i));
      sealed[12 + i] = static_cast<unsigned char>(checksum >> (8 * i));
    }
    // A skin that passes always has a name: the NAME chunk is required.
    if (ParseSkin(sealed.data(), sealed.size(), skin) == kSkinOk && skin.name.empty()) __builtin_trap();
  }
  return 0;
}
