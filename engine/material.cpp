#include "engine/material.h"

void NymMaterial::init() {
    opacity = Fixed{0x10000};
    for (int c = 0; c < 3; ++c) {
        emissive[c] = ambient[c] = diffuse[c] = Fixed{0};
    }
    for (int layer = 0; layer < 2; ++layer) {
        texture[layer] = nullptr;
        mode[layer] = 0;
        param[layer] = uSpeed[layer] = vSpeed[layer] = period[layer] = Fixed{0};
    }
    lit = 1;
    lightMask = 0xFFFFFFFFu;
}

void NymMaterial::setOpacity(Fixed value) {
    opacity = value;
}

void NymMaterial::setEmissive(Fixed r, Fixed g, Fixed b) {
    emissive[0] = r;
    emissive[1] = g;
    emissive[2] = b;
}

void NymMaterial::setAmbient(Fixed r, Fixed g, Fixed b) {
    ambient[0] = r;
    ambient[1] = g;
    ambient[2] = b;
}

void NymMaterial::setDiffuse(Fixed r, Fixed g, Fixed b) {
    diffuse[0] = r;
    diffuse[1] = g;
    diffuse[2] = b;
}

void NymMaterial::setTexture(NymTexture* layer0) {
    texture[0] = layer0;
}

void NymMaterial::setLayer(int layer, NymTexture* layerTexture, int layerMode, Fixed layerParam) {
    if (layer < 0 || layer > 1) {
        return;
    }
    texture[layer] = layerTexture;
    mode[layer] = layerMode;
    param[layer] = layerParam;
}

void NymMaterial::setLayerScroll(int layer, Fixed u, Fixed v, Fixed layerPeriod) {
    if (layer < 0 || layer > 1) {
        return;
    }
    uSpeed[layer] = u;
    vSpeed[layer] = v;
    period[layer] = layerPeriod;
}

void NymMaterial::setLit(int flag) {
    lit = flag;
}
