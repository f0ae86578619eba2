// A small seeded generator (splitmix64): every run of the generators must write the same files,
// whatever the standard library's distributions happen to do on this machine.
#pragma once

#include <cstdint>

namespace mirelta::artwork {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    double uniform(double low, double high) { return low + (high - low) * uniform(); }

private:
    std::uint64_t state_;
};

} // namespace mirelta::artwork
