#pragma once
// The glue between the demo application and the race world: the one world of the run, built on the
// first frame and destroyed by the teardown call.
#include "math/fixed.h"
#include "race/race_track.h"

// The race world; null until the first frame, and again after the teardown or a failed allocation.
extern RaceTrack* appClass;

// A frame (nonzero size): builds the world if there is none, then sets its brightness and runs its
// frame; a window taller than wide is drawn rotated by 90 degrees with the world built for the
// landscape size. The teardown call (0, 0): destroys the world, the renderer and the trace.
void UpdateAppClass(int width, int height, Fixed brightness);
