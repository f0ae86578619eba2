#pragma once
// Draws the display panel's scene into a frame of 425 x 425 pixels: the panel's face, then every
// visible element from the bottom of the stacking order to the top. All drawing is done on the
// frame's memory directly, row by row, so that a whole frame costs well under a millisecond.

#include "display/panel_scene.h"

#include <QImage>

namespace mirelta {

// Returns the frame, reusing `frame`'s memory when it already has the right size and format.
void composePanel(const PanelScene& scene, QImage& frame);

} // namespace mirelta
