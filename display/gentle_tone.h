#pragma once
// The gentle session's tone: every colour of the panel and the rings is brought into a dim band
// of luminance, at most kGentleMaxLuminance of white's, keeping its hue. Within that band no
// change of a pixel, however sudden, is as large as the 0.1 of relative luminance that makes a
// flash transition, and reds are drawn towards grey so that no pixel is saturated red and none
// reaches the redness of a red transition. The letters keep a contrast of up to 3 : 1 against
// the darkest background, enough to read them.

#include <QImage>
#include <QRgb>

namespace mirelta {

// Relative luminance (0 ... 1) of the brightest colour of the band.
inline constexpr double kGentleMaxLuminance = 0.095;
// At most this much of red (R - G - B, linear) above green and blue together: a redness of
// 0.055 x 320 = 17.6, below the 20 of a red transition even from no red at all.
inline constexpr double kGentleMaxRedExcess = 0.055;

// The colour in the band, as 0xAARRGGBB with the alpha kept.
QRgb gentleColour(QRgb colour);

// Every pixel of a 32-bit frame in the band.
void toneDownFrame(QImage& frame);

} // namespace mirelta
