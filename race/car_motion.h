#pragma once
// Helpers of the car motion shared with the camera director: the Catmull-Rom weights in Fixed, the wrap
// of a path parameter into one lap, and the time between two frames.
#include "math/fixed.h"

// The weights of the four control points at t (0 to 1.0): w0 for the point before the segment, w1 and
// w2 for its ends, w3 for the point after. They add up to 2.0; the caller halves the sum.
struct CatmullRomWeights {
    Fixed w0, w1, w2, w3;
};
CatmullRomWeights catmullRomWeights(Fixed t);

// A path parameter moved on by a frame step, back in [0, 1]: one lap is subtracted as usual, and a step
// of more than a lap (or a negative one) is reduced to its fraction, so the section search never sees a
// key past the last.
float wrapLap(float param);

// The frame step that moves a path parameter: 0.0004 of a lap per thirtieth of dt seconds.
float lapStep(float dt);

// The time between the last two frames, in seconds.
float frameStep(const Fixed* frameTime);
