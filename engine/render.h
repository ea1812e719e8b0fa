#pragma once
// The engine's single rendering object: the frame's transforms, the current camera, material and lights,
// and the colour accumulators for software lighting. It turns a geometry plus the current material into
// vertex colours and draw calls through its GL back end (NymOpenGLRender).
#include "math/matrix.h"

struct NymCamera;
struct NymGeometry;
struct NymMaterial;
struct NymTexture;
class NymLight;

class NymRender {
public:
    static constexpr int kColourStorageEntries = 4096;
    static constexpr int kLightSlots = 8;

    // The singleton, created on first use; null (after a trace) if it cannot be created.
    static NymRender* instance();
    static void destroy();

    int beginFrame();
    int endFrame();
    // Selects the camera and loads its projection; a null camera returns 1.
    int setCamera(NymCamera* camera);
    // The camera-to-world matrix.
    int SetCamMatrix(const FixedMatrix& matrix);
    // which 1: the view matrix; anything else: its inverse.
    int getViewMatrix(FixedMatrix& out, int which);
    // The object-to-world matrix of the objects drawn next; loads model x inverse view.
    int setModelMatrix(const FixedMatrix& matrix);
    // Slots 0-7; a larger slot returns 1.
    int setLight(NymLight* light, int slot);
    // A null material returns 1.
    int setMaterial(NymMaterial* material);
    // Screen rotation in degrees: 0, 90 or 270.
    void setRotation(int degrees);
    // glClear with the mask's colour (0x4000), depth (0x100) and stencil (0x400) bits.
    int clear(unsigned int mask);
    // Depth (bits 0-2), blend class (0x1C0) and depth write (0x600), each applied when nonzero.
    int setRenderState(unsigned int state);
    int drawGeometry(NymGeometry* geometry);

    // Texture upload and deletion belong to the GL back end; the textures reach it through here.
    unsigned int uploadTexture(NymTexture* texture);
    int deleteTexture(NymTexture* texture);

    int rotation() const { return rotation_; }

    NymRender(const NymRender&) = delete;
    NymRender& operator=(const NymRender&) = delete;

private:
    NymRender();
    ~NymRender();

    void updateInverseView();
    void updateLightData();
    void loadProjection();
    void lightGeometry(NymGeometry& geometry);

    Fixed* colourStorage_; // kColourStorageEntries x (r, g, b, a)
    NymMaterial* material_;
    FixedMatrix model_;
    FixedMatrix inverseModel_;
    FixedMatrix modelView_;
    Fixed scale_;
    Fixed inverseScale_;
    int lightDataValid_;
    NymCamera* camera_;
    FixedMatrix view_;
    FixedMatrix inverseView_;
    NymLight* lights_[kLightSlots];
    int lightCount_;
    int inverseViewValid_;
    int rotation_;
};
