#include "tools/media/sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace mirelta::media {
namespace {

constexpr double kLoopSeconds = 4.0;
constexpr double kTau = 6.283185307179586;
constexpr double kPeak = 0.25; // about -12 dBFS

// A note that starts at `start` seconds into the loop and dies away; its tail wraps around the
// end of the loop, so the loop repeats seamlessly.
double plucked(double t, double start, double frequency, double decay) {
    double since = t - start;
    if (since < 0) {
        since += kLoopSeconds;
    }
    const double attack = std::min(1.0, since / 0.02);
    return attack * std::exp(-since / decay) * std::sin(kTau * frequency * t);
}

std::vector<std::int16_t> render(const std::function<double(double)>& signal) {
    const int count = static_cast<int>(kLoopSeconds * kSampleRate);
    std::vector<double> raw(static_cast<std::size_t>(count));
    double loudest = 1e-9;
    for (int i = 0; i < count; ++i) {
        raw[static_cast<std::size_t>(i)] = signal(static_cast<double>(i) / kSampleRate);
        loudest = std::max(loudest, std::abs(raw[static_cast<std::size_t>(i)]));
    }
    std::vector<std::int16_t> samples(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(raw[i] / loudest * kPeak * 32767));
    }
    return samples;
}

// Frequencies rounded to a quarter hertz complete whole cycles in four seconds.
double note(double frequency) {
    return std::round(frequency * 4) / 4;
}

// Green: a soft major chord that swells and settles, with a few high chirps.
double green(double t) {
    const double swell = 0.75 + 0.25 * std::sin(kTau * t / kLoopSeconds);
    double pad = 0;
    for (const double f : {261.63, 329.63, 392.0, 523.25}) {
        pad += std::sin(kTau * note(f) * t) / (f / 261.63);
    }
    double chirps = 0;
    for (const double start : {0.6, 0.75, 2.4, 2.55}) {
        const double since = t - start;
        if (since > 0 && since < 0.09) {
            chirps += 0.3 * std::sin(kTau * (2600 + 9000 * since) * since) *
                      std::sin(3.14159 * since / 0.09);
        }
    }
    return swell * pad + chirps;
}

// Any: a slow pentatonic arpeggio.
double any(double t) {
    const double notes[] = {293.66, 329.63, 392.0, 440.0, 493.88, 587.33, 493.88, 392.0};
    double sum = 0;
    for (int i = 0; i < 8; ++i) {
        sum += plucked(t, i * 0.5, note(notes[i]), 0.6);
    }
    return sum;
}

// Grey: a low, quiet drone breathing slowly.
double grey(double t) {
    const double breath = 0.6 + 0.4 * std::sin(kTau * t / kLoopSeconds);
    return 0.6 * breath *
           (std::sin(kTau * 110 * t) + 0.5 * std::sin(kTau * 165 * t) +
            0.25 * std::sin(kTau * 220.5 * t));
}

// Red: a warmer chord with a gentle pulse, two beats a second.
double red(double t) {
    const double pulse = 0.55 + 0.45 * std::pow(std::sin(3.14159 * 2 * t), 2);
    double sum = 0;
    for (const double f : {220.0, 277.25, 329.75}) {
        sum += std::sin(kTau * f * t) + 0.3 * std::sin(kTau * 2 * f * t);
    }
    return pulse * sum;
}

void put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

} // namespace

std::vector<Sound> makeSounds() {
    return {{"mysound/zelen.wav", render(green)},
            {"mysound/luboi.wav", render(any)},
            {"mysound/ser.wav", render(grey)},
            {"mysound/krasn.wav", render(red)}};
}

std::string waveFile(const std::vector<std::int16_t>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2); // bytes a second
    put16(out, 2);               // bytes a frame
    put16(out, 16);              // bits a sample
    out += "data";
    put32(out, dataBytes);
    for (const std::int16_t sample : samples) {
        put16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

} // namespace mirelta::media
