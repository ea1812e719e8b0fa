#pragma once
// The sky as the inside of a box around the viewer: up to six textured quads drawn without the camera's
// translation, before the rest of the scene, which then lies in front of it.
#include "engine/geometry.h"
#include "engine/material.h"

class NymRender;
struct NymTexture;

struct NymSkybox {
    NymRender* renderer;
    NymTexture* faces[6]; // owned; index = axis * 2 + side
    NymMaterial material; // unlit tint; its layer-0 texture is switched per face
    NymGeometry geometry; // the one quad, refilled per face
    Fixed height;         // fraction of the box height the side faces cover, from the top

    void init();
    // Loads a clamped, unmipped, dithered 16-bit face texture. Returns 1 for a bad face index or a failed
    // allocation, else 0 whether or not the file loaded.
    int setTexture(int axis, int side, const char* name);
    // The sky's tint.
    void setColour(Fixed r, Fixed g, Fixed b);
    // Draws the faces that have a texture and clears the depth buffer; face 0 must have a texture.
    int draw();
    void release();
};
