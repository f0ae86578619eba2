#include "tools/artwork/background_looks.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace mirelta::artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Colour mix(const Colour& a, const Colour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A smooth walk through colour stops; t wraps, so the walk has no seam.
template <std::size_t N> Colour walk(const Colour (&stops)[N], double t) {
    t = (t - std::floor(t)) * N;
    const auto i = static_cast<std::size_t>(t) % N;
    const double f = t - std::floor(t);
    return mix(stops[i], stops[(i + 1) % N], f * f * (3 - 2 * f));
}

// A blurred circle: 1 at the centre, fading to 0 at the rim.
struct Blur {
    double u;
    double v;
    double radius;
};

double blurAt(const Blur& blur, double u, double v) {
    const double d = std::hypot(u - blur.u, v - blur.v) / blur.radius;
    return 1 - smoothstep(0.35, 1.0, d);
}

} // namespace

// A mandala: hues turning round the centre, petals and rings, with a light heart.
Colour manyColouredLook(double u, double v) {
    const double r = std::hypot(u, v);
    const double a = std::atan2(v, u);
    const double petals = 0.5 + 0.5 * std::cos(8 * a + 2.5 * std::sin(5 * r));
    const double rings = 0.5 + 0.5 * std::cos(13 * r - 1.6 * std::cos(8 * a));
    const double hue = a / (2 * kPi) + 0.07 * std::sin(6 * a + 4 * r) + 0.45 * r;

    Colour c;
    c.r = 0.5 + 0.5 * std::cos(2 * kPi * hue);
    c.g = 0.5 + 0.5 * std::cos(2 * kPi * (hue - 1.0 / 3));
    c.b = 0.5 + 0.5 * std::cos(2 * kPi * (hue - 2.0 / 3));
    const double light = 0.55 + 0.25 * rings + 0.2 * petals;
    const double paleness = 0.25 + 0.2 * petals * (1 - rings);
    c = mix(c, {1, 1, 1}, paleness);
    c = {c.r * light * 255, c.g * light * 255, c.b * light * 255};

    // Soft coloured moons in the corners and a light heart.
    static constexpr Blur kMoons[] = {
        {-0.78, 0.74, 0.42}, {0.8, 0.76, 0.38}, {-0.74, -0.8, 0.4}, {0.78, -0.72, 0.44}};
    static constexpr Colour kMoonColours[] = {
        {255, 214, 120}, {150, 220, 255}, {200, 160, 255}, {140, 240, 170}};
    for (std::size_t i = 0; i < std::size(kMoons); ++i) {
        c = mix(c, kMoonColours[i], 0.55 * blurAt(kMoons[i], u, v));
    }
    return mix(c, {255, 248, 230}, 0.85 * (1 - smoothstep(0.0, 0.22, r)));
}

// Gentle waves of leaf and meadow greens under blurred, sunlit circles.
Colour greenLook(double u, double v) {
    static constexpr Colour kGreens[] = {
        {24, 92, 48}, {62, 150, 70}, {150, 205, 96}, {96, 186, 140}, {34, 128, 106}, {86, 168, 60},
    };
    const double wave = std::sin(3.1 * u + 1.7 * std::sin(2.3 * v)) +
                        std::sin(2.6 * v + 1.4 * std::sin(3.4 * u + 0.5)) +
                        0.5 * std::sin(4.5 * (u + v) + 1.0);
    Colour c = walk(kGreens, 0.5 + wave / 6.0);

    const double r = std::hypot(u, v);
    const double a = std::atan2(v, u);
    const double leaves = std::pow(0.5 + 0.5 * std::cos(10 * a + 3 * r), 3) * std::exp(-1.6 * r);
    c = mix(c, {190, 235, 150}, 0.35 * leaves * smoothstep(0.0, 0.3, r));
    c = mix(c, {226, 248, 190}, 0.6 * (1 - smoothstep(0.0, 0.18, r)));

    static constexpr Blur kLights[] = {
        {-0.55, 0.5, 0.35}, {0.35, 0.62, 0.22}, {0.62, -0.15, 0.3}, {-0.2, -0.6, 0.26},
        {0.1, 0.05, 0.18},  {-0.82, -0.1, 0.2}, {0.75, 0.85, 0.25}, {0.5, -0.78, 0.2},
    };
    for (const Blur& light : kLights) {
        c = mix(c, {215, 245, 170}, 0.4 * blurAt(light, u, v));
    }
    return mix(c, {14, 62, 34}, 0.45 * smoothstep(0.9, 1.5, r));
}

// A warm rose: red and coral petals on rings, deep crimson towards the edges.
Colour redLook(double u, double v) {
    static constexpr Colour kReds[] = {
        {150, 20, 40}, {210, 52, 48}, {245, 120, 92}, {236, 150, 80}, {220, 86, 122}, {178, 36, 70},
    };
    const double r = std::hypot(u, v);
    const double a = std::atan2(v, u);
    const double petals = std::pow(0.5 + 0.5 * std::cos(6 * a + 1.8 * std::sin(3 * r)), 2);
    const double rings = std::cos(9 * r - 1.4 * std::cos(6 * a));
    Colour c = walk(kReds, 0.3 + 0.18 * rings + 0.25 * petals + 0.12 * std::sin(2 * u - v));

    static constexpr Blur kGlows[] = {
        {-0.6, 0.6, 0.3}, {0.6, 0.6, 0.3}, {0.6, -0.6, 0.3}, {-0.6, -0.6, 0.3}};
    for (const Blur& glow : kGlows) {
        c = mix(c, {255, 190, 150}, 0.35 * blurAt(glow, u, v));
    }
    c = mix(c, {255, 222, 190}, 0.7 * (1 - smoothstep(0.0, 0.2, r)));
    return mix(c, {96, 10, 28}, 0.55 * smoothstep(0.85, 1.45, r));
}

// Silvery ripples round a soft mandala, kept away from pure black and white.
Colour greyLook(double u, double v) {
    const double r = std::hypot(u, v);
    const double a = std::atan2(v, u);
    const double ripples = std::cos(7 * r + 0.8 * std::cos(8 * a)) * std::exp(-0.4 * r);
    const double petals = std::pow(0.5 + 0.5 * std::cos(12 * a + 2 * r), 2) * std::exp(-2.2 * r);
    const double slope = 0.5 * std::sin(1.6 * u + 1.1 * v);
    double level = 128 + 48 * ripples + 40 * petals + 18 * slope;
    level += 60 * (1 - smoothstep(0.0, 0.25, r));
    level -= 30 * smoothstep(0.9, 1.45, r);
    level = std::clamp(level, 36.0, 216.0);
    return {level, level, level};
}

} // namespace mirelta::artwork
