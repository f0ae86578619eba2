#pragma once
// The four background pictures of the display panel: many-coloured, greenish, reddish and grey.

#include <QImage>
#include <array>

namespace mirelta {

class Backgrounds {
public:
    static constexpr int kMany = 0;
    static constexpr int kGreen = 1;
    static constexpr int kRed = 2;
    static constexpr int kGrey = 3;

    // The pictures built into the program, as 24-bit pictures the colour shifts work on.
    static Backgrounds builtIn();

    // A fresh copy: the session shifts the colours of the picture it is given.
    QImage picture(int index) const;

private:
    std::array<QImage, 4> pictures_;
};

} // namespace mirelta
