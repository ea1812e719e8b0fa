#pragma once
// How the geometry drawn with it is coloured, lit and textured. Holds borrowed texture pointers only.
#include <cstdint>

#include "math/fixed.h"

struct NymTexture;

struct NymMaterial {
    Fixed opacity;     // alpha of every vertex colour produced with this material
    Fixed emissive[3]; // r, g, b
    Fixed ambient[3];
    Fixed diffuse[3];
    NymTexture* texture[2]; // layer 0, layer 1; a layer is in use when its texture is set
    int mode[2];            // 2: reflection map; 3 on layer 1: normals through the texture matrix
    Fixed param[2];         // stored with the layer, not read by the renderer
    Fixed uSpeed[2];        // scrolling per period
    Fixed vSpeed[2];
    Fixed period[2];         // seconds per scrolling step; 0 means per second
    int lit;                 // nonzero: the lights compute the vertex colours
    std::uint32_t lightMask; // a light acts only if its mask shares a bit with this

    void init();
    void setOpacity(Fixed value);
    void setEmissive(Fixed r, Fixed g, Fixed b);
    void setAmbient(Fixed r, Fixed g, Fixed b);
    void setDiffuse(Fixed r, Fixed g, Fixed b);
    // Sets the layer-0 texture only.
    void setTexture(NymTexture* layer0);
    // Other layers than 0 and 1 are ignored.
    void setLayer(int layer, NymTexture* layerTexture, int layerMode, Fixed layerParam);
    void setLayerScroll(int layer, Fixed u, Fixed v, Fixed layerPeriod);
    void setLit(int flag);
};
