#pragma once
// The session's pseudo-random generator: a linear congruential generator that starts from 0 in
// every run, so that two runs with the same settings draw the same values.

#include <cstdint>

namespace mirelta {

class Random {
public:
    // A value in 0 ... n - 1 for positive n. A negative n is taken as its two's-complement
    // pattern, so the result is then spread over almost the whole 32-bit range; callers read it
    // as a signed number.
    std::int32_t operator()(std::int32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        const std::uint64_t product = std::uint64_t(seed_) * std::uint32_t(n);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
    }

private:
    std::uint32_t seed_ = 0;
};

} // namespace mirelta
