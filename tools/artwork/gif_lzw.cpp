#include "tools/artwork/gif_lzw.h"

#include <algorithm>

namespace mirelta::artwork {

namespace {

constexpr int kMinimumCodeSize = 8;
constexpr int kClearCode = 1 << kMinimumCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kFirstFreeCode = kClearCode + 2;
constexpr int kMaximumCodes = 4096;
constexpr int kMaximumCodeSize = 12;

class BitWriter {
public:
    void put(int code, int width) {
        buffer_ |= static_cast<std::uint32_t>(code) << filled_;
        filled_ += width;
        while (filled_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }

    std::vector<std::uint8_t> finish() {
        if (filled_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
        }
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t buffer_ = 0;
    int filled_ = 0;
};

} // namespace

std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& indices) {
    // child[code * 256 + byte]: the code of the string "code + byte", or 0 when not yet known.
    std::vector<std::uint16_t> child(static_cast<std::size_t>(kMaximumCodes) * 256, 0);
    BitWriter out;
    int codeSize = kMinimumCodeSize + 1;
    int nextCode = kFirstFreeCode;

    out.put(kClearCode, codeSize);
    if (indices.empty()) {
        out.put(kEndCode, codeSize);
        return out.finish();
    }

    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int byte = indices[i];
        std::uint16_t& known = child[static_cast<std::size_t>(prefix) * 256 + byte];
        if (known != 0) {
            prefix = known;
            continue;
        }
        out.put(prefix, codeSize);
        if (nextCode < kMaximumCodes) {
            known = static_cast<std::uint16_t>(nextCode++);
            // The reader adds its entries one code later than this side, so it widens its codes
            // when its table reaches the next power of two: one entry past ours.
            if (nextCode > (1 << codeSize) && codeSize < kMaximumCodeSize) {
                ++codeSize;
            }
        } else {
            // The table is full: start a fresh one rather than keep coding with a stale one.
            out.put(kClearCode, codeSize);
            std::fill(child.begin(), child.end(), 0);
            codeSize = kMinimumCodeSize + 1;
            nextCode = kFirstFreeCode;
        }
        prefix = byte;
    }
    out.put(prefix, codeSize);
    // Having read that last code, the reader has caught up with our table.
    if (nextCode == (1 << codeSize) && codeSize < kMaximumCodeSize) {
        ++codeSize;
    }
    out.put(kEndCode, codeSize);
    return out.finish();
}

} // namespace mirelta::artwork
