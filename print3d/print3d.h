#pragma once
// The text overlay: texts laid out in one of two fonts, queued for the frame and drawn with a logo over
// the finished scene, in a projection and render state of its own.
#include "platform/gles/gl.h"
#include "print3d/print3d_artwork.h"
#include "print3d/text_layout.h"

#include <cstdint>

// Which logos Print3D::Draw adds: none, logo A on the right, logo B on the right, or with both flags
// logo B on the left and logo A on the right. Any other non-zero value draws logo A on the right.
enum LogoFlags : unsigned int {
    LogoNone = 0,
    LogoA = 0x2,
    LogoB = 0x4,
};

class Print3D {
public:
    // Room of the frame list: vertices after Init, and the most it grows to.
    static constexpr int InitialFrameCapacity = 4096;
    static constexpr int MaxFrameCapacity = 1048576;
    // One draw call covers at most this many vertices, so that its indices fit in 16 bits.
    static constexpr int QuadsPerBatch = 16383;
    static constexpr int VerticesPerBatch = 4 * QuadsPerBatch;

    explicit Print3D(const Print3DArtwork& artwork = compiledInArtwork);
    ~Print3D();
    Print3D(const Print3D&) = delete;
    Print3D& operator=(const Print3D&) = delete;

    // Takes the screen size; on the first call (or the first after Release) also uploads the textures
    // and builds the index list. False when an upload fails or memory cannot be had.
    bool Init(unsigned int width, unsigned int height);
    // Frees the buffers and deletes the textures; Print and Draw do nothing until the next Init.
    void Release();

    // Queues a printf-formatted text at (x, y) in percent of the screen. scale selects the font and size
    // (see layOutText); colour is 0xAABBGGRR.
    void Print(float x, float y, float scale, std::uint32_t colour, const char* format, ...)
        __attribute__((format(printf, 6, 7)));
    // Queues a title (yellow, large) and a description (white, smaller); either may be null. Sets the logos.
    void ShowTitle(const char* title, const char* description, LogoFlags mode);
    // Draws the queued texts and the logos, empties the queue; returns the number of text triangles.
    int Draw();

    // The vertices queued for the frame.
    const Print3DVertex* frameVertices() const { return frame_; }
    int frameVertexCount() const { return frameCount_; }
    int frameCapacity() const { return frameCapacity_; }

private:
    bool uploadTextures();
    void freeResources();
    void freeMemory();
    void appendToFrame(const Print3DVertex* vertices, int count);
    void setOverlayState() const;
    void restoreOverlayState() const;
    void drawLogo(GLuint texture, bool leftSide) const;
    bool portrait() const;

    const Print3DArtwork artwork_;
    // Name 0 is the font; names 1-4 hold the four icon images.
    GLuint textures_[5] = {};
    GLuint logoTextures_[2] = {};
    LogoFlags logoMode_ = LogoNone;
    GLushort* indices_ = nullptr;
    Print3DVertex* textCache_ = nullptr;
    Print3DScreenScale screen_ = {};
    bool active_ = false;
    bool initialised_ = false;
    Print3DVertex* frame_ = nullptr;
    int frameCount_ = 0;
    int frameCapacity_ = 0;
};
