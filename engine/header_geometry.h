#pragma once
// Turns one compiled-in mesh descriptor into a ready-to-draw geometry.
#include "engine/geometry.h"
#include "engine/mesh_descriptor.h"

// Positions are multiplied by scale (in single precision) before conversion; texture coordinates and
// normals are converted as they are. doubleSided nonzero turns back-face culling off. Returns a new
// geometry owned by the caller, or null if it could not be created.
NymGeometry* LoadNymHeaderGeometry(const NymMeshDescriptor& descriptor, float scale, int doubleSided);
