#pragma once
// Regular stripe patterns: stripes of clearly different light, more than five light and dark
// pairs in a row at an even spacing, in any of the two screen directions. Such patterns over a
// large part of the view can bring on a seizure as flashing does, without moving.
//
// The screen is looked at in square blocks (64 pixels a side unless told otherwise). A line of a
// block, along or across, is striped when its light, cut at the middle between its darkest and its
// lightest pixel (at least `contrast` of luminance apart), gives at least six light stripes whose
// starts are evenly spaced (each spacing within a quarter of the middle spacing, and at least a
// pixel). A block is striped when most of its lines in one direction are. Stripes wider than a
// block holds six times are not seen.

#include <QImage>

namespace mirelta {

struct StripeOptions {
    int block = 64;
    double contrast = 0.1;
    int pairs = 6; // light stripes in a line of a block
};

// The share of the picture, 0 ... 1, that lies in striped blocks.
double stripedShare(const QImage& picture, const StripeOptions& options = {});

} // namespace mirelta
