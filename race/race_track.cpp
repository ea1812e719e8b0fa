#include "race/race_track.h"

#include <new>

#include "engine/header_geometry.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "math/clock.h"
#include "race/world_memory.h"

namespace {

constexpr int kDetailedBodyMesh = 35;
std::uint32_t worldsBuilt = 0;

// The scenery material that each material code of a section object selects.
struct MaterialCode {
    std::int32_t code;
    int material;
};
constexpr MaterialCode kMaterialCodes[] = {{11, 0}, {0, 1}, {1, 2}, {8, 3}, {4, 4}, {12, 5}, {3, 6}};

Fixed fx(float f) {
    return FixedFromFloat(f);
}

NymGeometry* loadMesh(int descriptor) {
    return LoadNymHeaderGeometry(meshDescriptors[descriptor], 1.0f, 0);
}

// Pulls each normal of the detailed car body halfway towards the direction of its vertex from the
// model's origin. The compiled-in normals are changed in place, so this runs once per process.
void blendDetailedBodyNormals() {
    static bool blended = false;
    const NymMeshDescriptor& d = meshDescriptors[kDetailedBodyMesh];
    if (blended || d.normals == nullptr) {
        return;
    }
    blended = true;
    for (std::uint32_t i = 0; i < d.vertexCount; ++i) {
        const FloatVec3 position{d.positions[3 * i], d.positions[3 * i + 1], d.positions[3 * i + 2]};
        // A vertex at the origin has no direction; its normal stays as it is.
        if (position.x == 0.0f && position.y == 0.0f && position.z == 0.0f) {
            continue;
        }
        FloatVec3 n;
        Vec3Normalise(n, position);
        float* normal = &d.normals[3 * i];
        normal[0] = (normal[0] + n.x) * 0.5f;
        normal[1] = (normal[1] + n.y) * 0.5f;
        normal[2] = (normal[2] + n.z) * 0.5f;
    }
}

} // namespace

std::uint32_t raceWorldsBuilt() {
    return worldsBuilt;
}

RaceTrack::RaceTrack(int surfaceWidth, int surfaceHeight)
    : skybox(nullptr), ambientLight(nullptr), directionalLight(nullptr),
      camera(nullptr), frameTime{}, width{}, height{}, sectionObjects{},
      cameraPathParam(0.0f), carPathParam{}, carBodyDetailed(nullptr), wheelLeftDetailed(nullptr),
      wheelRightDetailed(nullptr), carBody(nullptr), wheelLeft(nullptr), wheelRight(nullptr),
      shadowQuad(nullptr), brakeLightQuad(nullptr),
      headLightQuad(nullptr), waterfall{nullptr, nullptr}, probeTriangle{}, probeSection{}, carSectionCoord{},
      currentSection(0), neighbourSection(0), carAttitudeReset{}, carPitch{}, carRoll{}, carPaths{},
      sceneMode(Trackside) {
    ++worldsBuilt;
    NymTrace* trace = NymTrace::Instance();

    // 1. Records in their initial state.
    for (NymMaterial& m : sceneryMaterials) {
        m.init();
    }
    for (NymMaterial& m : carMaterials) {
        m.init();
    }
    shadowMaterial.init();
    lampMaterial.init();
    waterfallMaterials[0].init();
    waterfallMaterials[1].init();
    for (NymTexture& t : sceneryTextures) {
        t.init();
    }
    for (NymTexture& t : carTextures) {
        t.init();
    }
    shadowTexture.init();
    lampTexture.init();
    reflectionTexture.init();
    waterfallTexture.init();
    for (int c = 0; c < kCarCount; ++c) {
        carTransform[c].clear();
        carRotation[c].clear();
    }
    cameraPathTransform.clear();

    // 2-3.
    blendDetailedBodyNormals();
    for (int slot = 0; slot < kProbeSlots; ++slot) {
        probeTriangle[slot] = 0;
        probeSection[slot] = 0;
    }

    // 4. The cars' key paths in Fixed, with the closing key.
    for (int c = 0; c < kCarCount; ++c) {
        const KeyPath& path = keyPaths[c + 1];
        const std::size_t values = (static_cast<std::size_t>(path.count) + 1) * kKeyFloats;
        carPaths[c].keys = new (std::nothrow) Fixed[values]();
        if (carPaths[c].keys == nullptr) {
            trace->Print(1000, "RaceTrack failed to create something\n");
            continue;
        }
        carPaths[c].count = static_cast<std::int32_t>(path.count);
        for (std::size_t i = 0; i < values; ++i) {
            carPaths[c].keys[i] = FixedFromFloat(path.keys[i]);
        }
    }

    // 5. Car 2 leads, car 1 is second, car 0 last; the chase camera starts behind car 0.
    cameraPathParam = 0.0f;
    const float offsets[kCarCount] = {0.001f, 0.0036f, 0.0056f};
    for (int c = 0; c < kCarCount; ++c) {
        carPathParam[c] = cameraPathParam + offsets[c];
        if (carPathParam[c] > 1.0f) {
            carPathParam[c] -= 1.0f;
        }
    }

    // 6. From here on only failures are traced.
    trace->SetLevel(999);
    trace->Print(1000, "Nymbus race demo, version %s\n", NYM_VERSION);

    // 7. Textures are found by bare name in the registry of embedded files.
    Filingsystem* files = Filingsystem::Instance();
    if (files != nullptr) {
        files->SetRootPath("");
        files->SetSubPath("");
    }
    auto load = [files](NymTexture& texture, const char* name) {
        texture.setName(files != nullptr ? files->MakePath(name) : name);
    };

    // 8. Scenery textures and materials.
    load(sceneryTextures[0], "road.nym");
    sceneryMaterials[0].setTexture(&sceneryTextures[0]);
    sceneryMaterials[0].setLit(1);
    load(sceneryTextures[1], "section01.nym");
    sceneryMaterials[1].setTexture(&sceneryTextures[1]);
    sceneryMaterials[1].setLit(1);
    const char* const litSceneryFiles[] = {"tunnels.nym", "LogosGEN.nym", "industrial.nym"};
    for (int i = 2; i <= 4; ++i) {
        load(sceneryTextures[i], litSceneryFiles[i - 2]);
        sceneryMaterials[i].setTexture(&sceneryTextures[i]);
        sceneryMaterials[i].setLit(1);
    }
    load(sceneryTextures[5], "tree.nym");
    sceneryMaterials[5].setTexture(&sceneryTextures[5]);
    sceneryMaterials[5].setEmissive(fx(0.9f), fx(0.9f), fx(0.9f));
    sceneryMaterials[5].setLit(0);
    load(sceneryTextures[6], "road_signs.nym");
    sceneryMaterials[6].setTexture(&sceneryTextures[6]);
    sceneryMaterials[6].setLit(1);
    sceneryMaterials[6].setAmbient(fx(1.0f), fx(1.0f), fx(1.0f));
    sceneryMaterials[6].setDiffuse(fx(1.0f), fx(1.0f), fx(1.0f));

    // 9. Section objects. An unknown material code keeps the previous object's material.
    int material = 0;
    for (int s = 0; s < kSectionCount; ++s) {
        const TrackSection& row = trackSections[s];
        SectionObjects& section = sectionObjects[s];
        section.objects = new (std::nothrow) SectionObject[row.objectCount];
        if (section.objects == nullptr) {
            trace->Print(1000, "RaceTrack failed to create something\n");
            continue;
        }
        section.count = static_cast<std::uint8_t>(row.objectCount);
        for (int j = 0; j < row.objectCount; ++j) {
            const int d = row.objects[j];
            NymGeometry* geometry = loadMesh(d);
            bool known = false;
            for (const MaterialCode& entry : kMaterialCodes) {
                if (entry.code == meshDescriptors[d].material) {
                    material = entry.material;
                    known = true;
                }
            }
            if (!known) {
                trace->Print(6000, "Material Section Problem !!!\n");
            }
            section.objects[j] = {geometry, &sceneryMaterials[material]};
        }
    }

    // 10. Waterfall, cars, shadow and lamps.
    waterfall[0] = loadMesh(71);
    waterfall[1] = loadMesh(72);
    load(waterfallTexture, "wFall.nym");
    waterfallMaterials[0].setTexture(&waterfallTexture);
    waterfallMaterials[0].setEmissive(fx(1.0f), fx(1.0f), fx(1.0f));
    waterfallMaterials[0].setOpacity(fx(0.5f));
    waterfallMaterials[0].setLit(0);
    waterfallMaterials[0].setLayerScroll(0, Fixed{0}, fx(-0.005f), fx(0.02f));
    waterfallMaterials[1].setTexture(&waterfallTexture);
    waterfallMaterials[1].setEmissive(fx(1.0f), fx(1.0f), fx(1.0f));
    waterfallMaterials[1].setOpacity(fx(0.2f));
    waterfallMaterials[1].setLit(0);
    waterfallMaterials[1].setLayerScroll(0, Fixed{0}, fx(-0.01f), fx(0.02f));

    carBodyDetailed = loadMesh(kDetailedBodyMesh);
    carBody = loadMesh(25);
    shadowQuad = loadMesh(19);

    load(lampTexture, "blight3.nym");
    lampTexture.wrapS = 0;
    lampTexture.wrapT = 0;
    lampMaterial.setTexture(&lampTexture);
    lampMaterial.setEmissive(fx(1.0f), fx(1.0f), fx(1.0f));
    lampMaterial.setLit(0);

    brakeLightQuad = loadMesh(28);
    headLightQuad = loadMesh(29);
    wheelLeftDetailed = loadMesh(27);
    wheelRightDetailed = loadMesh(24);
    wheelLeft = loadMesh(34);
    wheelRight = loadMesh(33);

    load(reflectionTexture, "reflectionmap.nym");
    reflectionTexture.wrapS = 1;
    reflectionTexture.wrapT = 0;

    // Car 1's paint reuses the reflection coordinates generated for the car drawn before it.
    const char* const paintFiles[] = {"StellarionRedGEN.nym", "StellarionGreenGEN.nym",
                                      "StellarionYellowGEN.nym"};
    for (int k = 1; k <= 3; ++k) {
        load(carTextures[k], paintFiles[k - 1]);
        NymMaterial& paint = carMaterials[k];
        paint.setTexture(&carTextures[k]);
        paint.setLayer(1, &reflectionTexture, k == 2 ? 0 : 2, fx(0.5f));
        paint.setEmissive(Fixed{0}, Fixed{0}, Fixed{0});
        paint.setAmbient(fx(1.0f), fx(1.0f), fx(1.0f));
        paint.setDiffuse(fx(1.0f), fx(1.0f), fx(1.0f));
        paint.setLit(1);
    }
    load(carTextures[0], "StellarionRedGEN.nym");
    carMaterials[0].setTexture(&carTextures[0]);
    carMaterials[0].setEmissive(fx(0.75f), fx(0.75f), fx(0.75f));
    carMaterials[0].setLit(0);

    load(shadowTexture, "kesshad.nym");
    shadowMaterial.setTexture(&shadowTexture);
    shadowMaterial.setEmissive(fx(1.0f), fx(1.0f), fx(1.0f));
    shadowMaterial.setOpacity(fx(0.75f));
    shadowMaterial.setLit(0);

    // 11-12.
    width = FixedFromInt(surfaceWidth);
    height = FixedFromInt(surfaceHeight);
    camera = new (std::nothrow) NymCamera;
    if (camera != nullptr) {
        camera->init();
    }
    skybox = new (std::nothrow) NymSkybox;
    if (skybox != nullptr) {
        skybox->init();
    }
    ambientLight = new (std::nothrow) NymAmbientLight;
    directionalLight = new (std::nothrow) NymDirectionalLight;
    if (camera == nullptr || skybox == nullptr || ambientLight == nullptr || directionalLight == nullptr) {
        trace->Print(1000, "RaceTrack failed to create something\n");
    }

    // 13. A frustum 0.1 high and 0.1 x aspect wide on each side at 0.25, reaching to 1024.
    if (camera != nullptr) {
        const Fixed aspect = FixedDiv(width, height);
        const Fixed k = fx(0.4f);
        const Fixed nearDistance = fx(0.25f);
        const Fixed farDistance = fx(1024.0f);
        camera->setViewport(width, height);
        camera->setFrustum(FixedMul(FixedMul(-aspect, k), nearDistance),
                           FixedMul(FixedMul(aspect, k), nearDistance), FixedMul(-k, nearDistance),
                           FixedMul(k, nearDistance), nearDistance, farDistance);
    }

    // 14. The sky box has no bottom face.
    if (skybox != nullptr) {
        skybox->setTexture(0, 0, "SkyBox_2.nym");
        skybox->setTexture(0, 1, "SkyBox_4.nym");
        skybox->setTexture(1, 0, "SkyBox_5.nym");
        skybox->setTexture(2, 0, "SkyBox_1.nym");
        skybox->setTexture(2, 1, "SkyBox_3.nym");
    }

    // 15. Lights.
    if (ambientLight != nullptr) {
        ambientLight->setColour(FixedMul(fx(1.0f), fx(0.5f)), FixedMul(fx(1.0f), fx(0.5f)),
                                FixedMul(fx(1.0f), fx(0.6f)));
    }
    if (directionalLight != nullptr) {
        directionalLight->setColour(fx(1.0f), fx(1.0f), fx(1.0f));
        directionalLight->setPosition(fx(-0.465f), fx(0.349f), fx(0.814f));
    }

    // 16-18. Every texture is loaded by now, so the registry can go.
    const Fixed now = FixedFromFloat(elapsedSeconds());
    frameTime[0] = frameTime[1] = frameTime[2] = now;
    setBrightness(FixedFromInt(1));
    Filingsystem::Destroy();
}

RaceTrack::~RaceTrack() {
    for (CarPath& path : carPaths) {
        delete[] path.keys;
        path.keys = nullptr;
    }
    for (SectionObjects& section : sectionObjects) {
        for (int j = 0; j < section.count; ++j) {
            if (NymGeometry* geometry = section.objects[j].geometry) {
                geometry->release();
                delete geometry;
            }
        }
        delete[] section.objects;
        section.objects = nullptr;
        section.count = 0;
    }
    for (NymGeometry** geometry :
         {&carBodyDetailed, &carBody, &shadowQuad, &brakeLightQuad, &headLightQuad, &wheelLeftDetailed,
          &wheelRightDetailed, &wheelLeft, &wheelRight, &waterfall[0], &waterfall[1]}) {
        if (*geometry != nullptr) {
            (*geometry)->release();
            delete *geometry;
            *geometry = nullptr;
        }
    }
    delete camera;
    if (skybox != nullptr) {
        skybox->release();
        delete skybox;
    }
    delete ambientLight;
    delete directionalLight;
    waterfallTexture.release();
    reflectionTexture.release();
    lampTexture.release();
    shadowTexture.release();
    for (int i = kCarTextures - 1; i >= 0; --i) {
        carTextures[i].release();
    }
    for (int i = kSceneryMaterials - 1; i >= 0; --i) {
        sceneryTextures[i].release();
    }
}

void RaceTrack::setBrightness(Fixed level) {
    for (int i = 0; i < 5; ++i) {
        sceneryMaterials[i].setDiffuse(level, level, level);
        sceneryMaterials[i].setEmissive(Fixed{0}, Fixed{0}, Fixed{0});
        sceneryMaterials[i].setAmbient(level, level, level);
    }
    if (skybox != nullptr) {
        skybox->setColour(level, level, level);
    }
}
