#pragma once
// The calm looping sounds of the colour schemes, made by additive synthesis. Every partial and
// every envelope completes a whole number of cycles in the loop, so the end joins the start
// without a click.

#include <cstdint>
#include <string>
#include <vector>

namespace mirelta::media {

struct Sound {
    std::string path;                  // relative to the Sound folder
    std::vector<std::int16_t> samples; // mono
};

inline constexpr int kSampleRate = 22050;

std::vector<Sound> makeSounds();

// A RIFF WAVE file of 16-bit PCM mono samples.
std::string waveFile(const std::vector<std::int16_t>& samples);

} // namespace mirelta::media
