// The looks of the four backgrounds, each a colour as a function of the position in the panel.
#pragma once

namespace mirelta::artwork {

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

// u and v run from -1 to 1 across the panel, v upwards. Channels are 0..255.
using BackgroundLook = Colour (*)(double u, double v);

Colour manyColouredLook(double u, double v);
Colour greenLook(double u, double v);
Colour redLook(double u, double v);
Colour greyLook(double u, double v);

} // namespace mirelta::artwork
