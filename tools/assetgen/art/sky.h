#pragma once
// One sunny sky with clouds over distant hills and fields, as a function of direction, painted onto the
// five sky box faces and a sphere map.
#include "art/image.h"

namespace art {

// Colour seen in direction (x, y, z), y up; the direction need not be unit length.
Colour skyColour(float x, float y, float z);

// "SkyBox_1" to "SkyBox_5" by index 0-4: the sides facing +z, +x, -z, -x, then the top. Side faces have
// v up (row 0 at the bottom of the box); each face is drawn inset by 4 of its 256 texels, so the
// painting maps the face's geometric edges onto those inset lines and neighbouring faces meet exactly.
Image paintSkyFace(int index);

// The world direction of texel centre (column, row) of face `index`.
void skyFaceDirection(int index, float column, float row, float& x, float& y, float& z);

// "reflectionmap": a sphere map of the sky over the horizon, v up, dark but for its grey highlights
// because the cars add it to their paint.
Image paintReflectionMap();

} // namespace art
