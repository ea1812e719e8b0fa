#pragma once
// The scene schedule's section latch: the mode of a frame comes from the highest section reached so far
// on this lap, so that after a cut the followed car, still a few keys behind, cannot bring back the mode
// of an earlier section.
#include "race/race_track.h"

struct SectionLatch {
    int latchedSection = 0;

    // The mode for a frame whose followed car is in section. A lower section keeps the latched section's
    // mode, except once the latch holds the last section: then any section is taken (the lap wrapped).
    SceneMode modeFor(int section);
};
