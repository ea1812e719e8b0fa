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
    if (sunCos > 0.9997f) {
        c = rgb(0xFFFDF2);
    } else if (sunCos > 0.999f) {
        c = mix(c, rgb(0xFFFAE6), (sunCos - 0.999f) / 0.0007f);
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
    // Below the horizon: a patchwork of fields with darker hedgerows, hazier with distance.
    const float depth = -y;
    const float gx = x / std::fmax(depth, 0.02f), gz = z / std::fmax(depth, 0.02f);
    const float warp = fbm2(gx * 1.5f, gz * 1.5f, 2, 31) - 0.5f;
    const float fx = (gx * 0.87f - gz * 0.5f) * 1.1f + warp * 0.8f,
                fz = (gx * 0.5f + gz * 0.87f) * 1.6f - warp * 0.6f;
    const float cx = std::floor(fx), cz = std::floor(fz);
    const int field =
        static_cast<int>(latticeValue(static_cast<int>(cx), static_cast<int>(cz), 0, 17) * 5.0f);
    const Colour tones[5] = {rgb(0x6E9444), rgb(0x84A04E), rgb(0x648A40), rgb(0x9CA05E), rgb(0x76923F)};
    Colour c = tones[field];
    c = scaled(c, 0.9f + 0.15f * fbm2(gx * 8.0f, gz * 8.0f, 3, 29));
    const float edge = std::fmin(std::fmin(fx - cx, 1.0f - (fx - cx)), std::fmin(fz - cz, 1.0f - (fz - cz)));
    c = mix(c, rgb(0x3E5A2C), 0.6f * (1.0f - smoothstep(0.0f, 0.03f, edge)));
    // Haze thickens towards the horizon; the patchwork fades out before it would alias.
    const float haze = std::exp(-depth * 7.0f);
    return mix(c, mix(FarHills, Horizon, 0.45f), haze);
}

} // namespace

Colour skyColour(float x, float y, float z) {
    const float len = std::sqrt(x * x + y * y + z * z);
    x /= len;
    y /= len;
    z /= len;
    const float elevation = std::asin(y);
    // The ridge lines and the horizon are blended over about one texel of a face, so that their
    // silhouettes do not step.
    constexpr float Soft = 0.005f;
    if (elevation < -Soft) {
        return land(x, y, z);
    }
    const float azimuth = std::atan2(z, x);
    Colour c = sky(x, y, z);
    // Two ranges of hills: blue distant ones, and nearer green ones whose slopes catch the light.
    const float far = hillHeight(azimuth, 0.075f, 0.7f);
    const float near = hillHeight(azimuth + 1.3f, 0.03f, 2.1f) - 0.005f;
    if (elevation < far + Soft) {
        const float k = fbm2(azimuth * 30.0f, elevation * 150.0f, 3, 43);
        const Colour hills =
            mix(scaled(FarHills, 0.9f + 0.14f * k), Horizon, 0.15f + 0.3f * clamp01(1.0f - elevation / far));
        c = mix(c, hills, smoothstep(far + Soft, far - Soft, elevation));
    }
    if (elevation < near + Soft) {
        const float k = fbm2(azimuth * 60.0f, elevation * 300.0f, 4, 41);
        const float slope =
            hillHeight(azimuth + 1.31f, 0.03f, 2.1f) - hillHeight(azimuth + 1.29f, 0.03f, 2.1f);
        const Colour hills = mix(scaled(NearHills, 0.75f + 0.3f * k + 6.0f * slope), Horizon,
                                 0.35f - 0.2f * smoothstep(0.0f, 0.04f, near - elevation));
        c = mix(c, hills, smoothstep(near + Soft, near - Soft, elevation));
    }
    if (elevation < Soft) {
        c = mix(c, land(x, std::fmin(y, -0.001f), z), smoothstep(Soft, -Soft, elevation));
    }
    return c;
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
    constexpr int Size = 128, Sub = 4;
    // The map is added on top of the paint, so it keeps only the highlights, nearly grey so that the
    // paint keeps its colour: the fourth power of the brightness leaves clouds, sun and the bright
    // horizon and drops blue sky and land to near black. Directions change fast
    // towards the rim, so each texel averages 4 x 4 reflected rays; outside the disc the map holds the
    // colour seen straight behind.
    const Colour behind = skyColour(0.0f, 0.02f, -1.0f);
    Image img(Size, Size);
    shade(img, 0, 0, Size, Size, [&](float cx, float cy) {
        Colour sum{0, 0, 0, 0};
        for (int j = 0; j < Sub; ++j) {
            for (int i = 0; i < Sub; ++i) {
                const float px = cx - 0.5f + (static_cast<float>(i) + 0.5f) / Sub;
                const float py = cy - 0.5f + (static_cast<float>(j) + 0.5f) / Sub;
                const float sx = px / Size * 2.0f - 1.0f, sy = py / Size * 2.0f - 1.0f;
                const float r2 = sx * sx + sy * sy;
                Colour c = behind;
                if (r2 < 1.0f) {
                    // The view ray (0, 0, -1) reflected about the normal (sx, sy, nz).
                    const float nz = std::sqrt(1.0f - r2);
                    c = skyColour(2.0f * nz * sx, 2.0f * nz * sy, 2.0f * nz * nz - 1.0f + 0.0001f);
                }
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, 1.0f};
            }
        }
        constexpr float n = Sub * Sub;
        const float luma = (0.3f * sum.r + 0.59f * sum.g + 0.11f * sum.b) / n;
        const float k = 0.75f * luma * luma * luma * luma;
        return Colour{0.9f * k, 0.95f * k, k, 1.0f};
    });
    return img;
}

} // namespace art
