#pragma once
// How far a rendered frame is from its reference picture, and whether that is within what two correct
// rasterisers differ by. Colour channels only; alpha is not compared.
#include "runner/png_file.h"

namespace runner::validation {

struct ImageDifference {
    bool sameSize = false;
    double psnr = 0;     // dB over the red, green and blue channels; infinite for identical pictures
    int largest = 0;     // the largest difference of one channel, 0 to 255
    double shareOff = 0; // the share of pixels with a channel off by more than kOffBy, 0 to 1
};

// A channel that differs by more than this counts its pixel as off.
inline constexpr int kOffBy = 16;

struct DifferenceThresholds {
    double minimumPsnr;
    double maximumShareOff;
};
// Correct frames from llvmpipe and softpipe stay well inside these; a missing sky face, a wrong texture,
// a camera one unit away or a picture one pixel out of place do not.
inline constexpr DifferenceThresholds kThresholds{30.0, 0.01};

ImageDifference compareImages(const PngImage& reference, const PngImage& frame);

bool withinThresholds(const ImageDifference& difference,
                      const DifferenceThresholds& thresholds = kThresholds);

// A picture of the difference (both images of one size): the reference in dim grey, pixels off by more
// than kOffBy in red, smaller differences in blue, both brighter the larger they are.
PngImage differenceImage(const PngImage& reference, const PngImage& frame);

} // namespace runner::validation
