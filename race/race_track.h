#pragma once
// The race world: everything the race draws (textures, materials, meshes, camera, lights, sky box), the
// per-section scenery lists, the cars' key paths in Fixed, and the animation state kept from frame to
// frame. One exists per run; the demo glue builds it on the first frame and destroys it at the end.
#include <cstdint>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/skybox.h"
#include "engine/texture.h"
#include "math/matrix.h"
#include "math/ray_triangle.h"
#include "math/vector.h"
#include "race/track_data.h"

// The camera and scene mode of a frame.
enum SceneMode : std::uint8_t {
    Chase = 0,     // rides car 0's key path just behind car 0
    Trackside = 1, // fixed trackside cameras and dollies, looking at car 1
    InCar = 2,     // rides inside car 2; no cars drawn
};

// One scenery object of a section: its geometry (owned) and its material (one of sceneryMaterials).
struct SectionObject {
    NymGeometry* geometry;
    NymMaterial* material;
};

// The scenery of one section, in the section table's order; object 0 is the road piece.
struct SectionObjects {
    std::uint8_t count;
    SectionObject* objects; // owned, count entries
};

// A car's key path in Fixed: count keys of 12 values, plus the closing key after them.
struct CarPath {
    std::int32_t count;
    Fixed* keys; // owned, (count + 1) x 12
};

inline constexpr int kCarCount = 3;
inline constexpr int kProbeSlots = 8;
inline constexpr int kSceneryMaterials = 7;
inline constexpr int kCarTextures = 7;
inline constexpr int kCarMaterials = 8;

class RaceTrack {
public:
    // Builds the world for a surface of width x height pixels (width >= height).
    RaceTrack(int width, int height);
    ~RaceTrack();
    RaceTrack(const RaceTrack&) = delete;
    RaceTrack& operator=(const RaceTrack&) = delete;

    // The colours of the five lit scenery materials and of the sky box from one level.
    void setBrightness(Fixed level);

    // One frame: renderFrame between the renderer's beginFrame and endFrame.
    void runFrame();
    // Moves the cars and the camera and draws the whole scene.
    void renderFrame();

    // Whether the line through origin along direction meets the road near currentSection, and if so
    // where, in point (w = 0); a miss leaves point as it was. slot selects the search memory (0-7).
    bool probeRoad(int slot, const FixedVec4& origin, const FixedVec4& direction, FixedVec4& point);

    // kind 2: the car's transform at param and its section coordinate; kind 1: the chase camera's path
    // transform on car's path. Returns the car's section coordinate. A car without a key path (its
    // allocation failed) writes nothing.
    float interpolatePath(float param, int kind, int car);
    // Whether the car's key path exists; a car without one is neither moved nor drawn.
    bool hasPath(int car) const { return carPaths[car].keys != nullptr && carPaths[car].count > 0; }
    // Records the frame time, places the three cars and moves them on.
    void advanceCars();

    // Sets currentSection and neighbourSection and places the camera for the mode.
    void placeCamera(SceneMode mode);

    void drawShadow(int car);
    void drawCar(int car);
    void drawWheels(int car);
    void drawLamps(int car);
    // In-car mode: car 0's roll for the camera, without drawing.
    void trackInCarRoll();

    // First frame: draws every scenery object once and bakes its lighting.
    void warmUp();
    // Projection, sky box, lights and the road pieces of the two drawn sections.
    void drawSkyAndRoad();
    // The other objects of the two drawn sections.
    void drawScenery();
    // The two scrolling translucent layers of the waterfall.
    void drawWaterfall();
    // Whether the waterfall is drawn: it stands in sections 6 and 7, and one of them is a drawn section.
    bool showsWaterfall() const;

    NymSkybox* skybox;
    NymAmbientLight* ambientLight;
    NymDirectionalLight* directionalLight;
    NymCamera* camera;
    Fixed frameTime[3]; // seconds: this frame, the previous, the one before
    Fixed width;
    Fixed height;
    SectionObjects sectionObjects[kSectionCount];
    NymMaterial
        sceneryMaterials[kSceneryMaterials]; // road, buildings, tunnels, logos, industrial, trees, signs
    NymTexture sceneryTextures[kSceneryMaterials];
    float cameraPathParam;
    float carPathParam[kCarCount];
    FixedMatrix carTransform[kCarCount];
    FixedMatrix carRotation[kCarCount];
    FixedMatrix cameraPathTransform;
    NymGeometry* carBodyDetailed;
    NymGeometry* wheelLeftDetailed;
    NymGeometry* wheelRightDetailed;
    NymGeometry* carBody;
    NymGeometry* wheelLeft;
    NymGeometry* wheelRight;
    NymTexture carTextures[kCarTextures];
    NymMaterial carMaterials[kCarMaterials]; // [0] wheels, [1]-[3] the paint of cars 0-2
    NymGeometry* shadowQuad;
    NymTexture shadowTexture;
    NymMaterial shadowMaterial;
    NymGeometry* brakeLightQuad;
    NymTexture lampTexture;
    NymMaterial lampMaterial;
    NymGeometry* headLightQuad;
    NymTexture reflectionTexture;
    NymGeometry* waterfall[2];
    NymTexture waterfallTexture;
    NymMaterial waterfallMaterials[2];
    int probeTriangle[kProbeSlots];
    int probeSection[kProbeSlots];
    float carSectionCoord[kCarCount];
    int currentSection;
    int neighbourSection;
    int carAttitudeReset[kCarCount];
    Fixed carPitch[kCarCount]; // degrees
    Fixed carRoll[kCarCount];  // degrees
    CarPath carPaths[kCarCount];
    SceneMode sceneMode;
};

// The point at t (0 to 1.0) on the Catmull-Rom spline through count points of (x, y, z); w = 0.
FixedVec4 dollyPoint(Fixed t, int count, const float* points);

// The camera-to-world matrix of a camera at eye looking at target with no roll.
FixedMatrix lookAt(const FixedVec4& eye, const FixedVec4& target);

// The distance between two points, in float.
float distance3(float ax, float ay, float az, float bx, float by, float bz);

// Whether a section's last scenery object is one of the tunnel pieces.
bool isTunnelSection(int section);
