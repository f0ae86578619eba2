// The variable-width LZW coder of GIF image data, for 8-bit pixel indices.
#pragma once

#include <cstdint>
#include <vector>

namespace mirelta::artwork {

// Returns the code stream, packed least significant bit first, without the sub-block framing.
std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& indices);

} // namespace mirelta::artwork
