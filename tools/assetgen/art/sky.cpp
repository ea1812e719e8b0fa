#include "art/sky.h"

#include "art/rng.h"

#include <cmath>

namespace art {

namespace {

constexpr int FaceSize = 256;
constexpr float Inset = 4.0f / FaceSize;

const Colour Zenith = rgb(0x2F68C8);
const Colour Horizon = rgb(0xBCD6EE);
const Colour SunGlow = rgb(0xFFF1C8);
const Colour FarHills = rgb(0x8FA8B8);
const Colour NearHills = rgb(0x5F8062);
const Colour Fields = rgb(0x6D8A48);

// The sun stands over the +z side, a little to the right, 32 degrees high.
constexpr float SunX = 0.36f, SunY = 0.53f, SunZ = 0.77f;

float hillHeight(float azimuth, float base, float seed) {
    // Integer frequencies keep the ridge line continuous all the way round.
    return base + 0.035f * std::sin(2.0f * azimuth + seed) + 0.025f * std::sin(5.0f * azimuth + 2.0f * seed) +
           0.012f * std::sin(11.0f * azimuth + 3.0f * seed) + 0.006f * std::sin(23.0f * azimuth + seed);
}

Colour sky(float x, float y, float z) {
    const float up = std::fmax(y, 0.0f);
    Colour c = mix(Horizon, Zenith, std::pow(up, 0.6f));
    const float sunCos = x * SunX + y * SunY + z * SunZ;
    const float glow = std::pow(std::fmax(sunCos, 0.0f), 24.0f);
    c = mix(c, SunGlow, 0.55f * glow + 0.25f * std::pow(std::fmax(sunCos, 0.0f), 4.0f) * (1.0f - up));
    if (sunCos > 0.9992f) {
        c = rgb(0xFFFDF2);
    } else if (sunCos > 0.998f) {
        c = mix(c, rgb(0xFFFAE6), (sunCos - 0.998f) / 0.0012f);
    }
    if (y > 0.015f) {
        // Clouds on a plane above the viewer: far ones shrink towards the horizon and fade into haze.
        const float px = x / y * 1.3f, pz = z / y * 1.3f;
        const float n = fbm2(px + 11.0f, pz + 7.0f, 5, 91);
        const float density = smoothstep(0.48f, 0.72f, n) * smoothstep(0.015f, 0.22f, y);
        if (density > 0.0f) {
            // Lit from the sun's side, grey where the cloud is thick.
            const float lit = fbm2(px + 11.0f + SunX * 0.15f, pz + 7.0f + SunZ * 0.15f, 4, 91);
            const float shadeK = clamp01(0.5f + (n - lit) * 4.0f);
            Colour cloud = mix(rgb(0xFFFFFF), rgb(0xA8B2C4), shadeK * 0.8f);
            cloud = mix(cloud, SunGlow, 0.3f * glow);
            c = mix(c, cloud, density);
        }
    }
    return c;
}

Colour land(float x, float y, float z) {
    // Below the horizon: fields, hazier with distance.
    const float depth = -y;
    const float gx = x / std::fmax(depth, 0.01f), gz = z / std::fmax(depth, 0.01f);
    const float patch = valueNoise2(gx * 0.9f, gz * 0.9f, 17);
    Colour c = mix(Fields, rgb(0x8C9A52), smoothstep(0.4f, 0.6f, patch));
    c = mix(c, rgb(0x4E6E3A), smoothstep(0.65f, 0.8f, valueNoise2(gx * 2.1f, gz * 2.1f, 23)));
    c = scaled(c, 0.85f + 0.3f * fbm2(gx * 6.0f, gz * 6.0f, 3, 29));
    const float haze = std::exp(-depth * 9.0f);
    return mix(c, mix(FarHills, Horizon, 0.4f), haze);
}

} // namespace

Colour skyColour(float x, float y, float z) {
    const float len = std::sqrt(x * x + y * y + z * z);
    x /= len;
    y /= len;
    z /= len;
    const float elevation = std::asin(y);
    if (elevation < 0.0f) {
        return land(x, y, z);
    }
    const float azimuth = std::atan2(z, x);
    const float far = hillHeight(azimuth, 0.055f, 0.7f);
    const float near = hillHeight(azimuth + 1.3f, 0.02f, 2.1f) - 0.01f;
    if (elevation < near) {
        const float k = fbm2(azimuth * 40.0f, elevation * 200.0f, 3, 41);
        Colour c = scaled(NearHills, 0.8f + 0.35f * k);
        return mix(c, Horizon, 0.25f + 0.4f * smoothstep(near - 0.05f, near, elevation) * 0.5f);
    }
    if (elevation < far) {
        const float k = fbm2(azimuth * 25.0f, elevation * 120.0f, 3, 43);
        return mix(scaled(FarHills, 0.92f + 0.12f * k), Horizon, 0.2f);
    }
    return sky(x, y, z);
}

void skyFaceDirection(int index, float column, float row, float& x, float& y, float& z) {
    const float u = column / FaceSize, v = row / FaceSize;
    const float s = (u - Inset) / (1.0f - 2.0f * Inset);
    if (index == 4) {
        const float t = (v - Inset) / (1.0f - 2.0f * Inset);
        x = -1.0f + 2.0f * s;
        y = 1.0f;
        z = 1.0f - 2.0f * t;
        return;
    }
    // Side faces run from the bottom of the box (v = inset) to its top edge (v = 1).
    const float t = (v - Inset) / (1.0f - Inset);
    y = -1.0f + 2.0f * t;
    const float along = -1.0f + 2.0f * s;
    switch (index) {
    case 0: // z = +1, x from -1 to +1
        x = along;
        z = 1.0f;
        break;
    case 1: // x = +1, z from +1 to -1
        x = 1.0f;
        z = -along;
        break;
    case 2: // z = -1, x from +1 to -1
        x = -along;
        z = -1.0f;
        break;
    default: // x = -1, z from -1 to +1
        x = -1.0f;
        z = along;
        break;
    }
}

Image paintSkyFace(int index) {
    Image img(FaceSize, FaceSize);
    shade(img, 0, 0, FaceSize, FaceSize, [index](float cx, float cy) {
        float x, y, z;
        skyFaceDirection(index, cx, cy, x, y, z);
        return skyColour(x, y, z);
    });
    return img;
}

Image paintReflectionMap() {
    constexpr int Size = 128;
    Image img(Size, Size);
    shade(img, 0, 0, Size, Size, [](float cx, float cy) {
        float sx = cx / Size * 2.0f - 1.0f, sy = cy / Size * 2.0f - 1.0f;
        const float r2 = sx * sx + sy * sy;
        if (r2 > 1.0f) {
            const float r = std::sqrt(r2);
            sx /= r;
            sy /= r;
        }
        const float nz = std::sqrt(std::fmax(0.0f, 1.0f - sx * sx - sy * sy));
        // The view ray (0, 0, -1) reflected about the normal (sx, sy, nz).
        const float rx = 2.0f * nz * sx, ry = 2.0f * nz * sy, rz = 2.0f * nz * nz - 1.0f;
        return skyColour(rx, ry, rz + 0.0001f);
    });
    return img;
}

} // namespace art
