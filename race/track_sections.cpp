#include "race/race_track.h"

bool isTunnelSection(int section) {
    const TrackSection& row = trackSections[section];
    const int last = row.objects[row.objectCount - 1];
    return last == 39 || last == 44 || last == 47 || last == 58;
}
