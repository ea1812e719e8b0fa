#include "print3d/print3d.h"

namespace {

constexpr GLfixed One = 0x10000;
constexpr GLfixed RightAngle = 90 * One;

// A logo quad in clip coordinates: (left, top), (left, bottom), (right, top), (right, bottom).
struct LogoQuad {
    Fixed positions[4][3];
};

constexpr Fixed logoTop = FixedFromFloat(-0.7156f);
constexpr Fixed logoBottom = FixedFromFloat(-0.95f);
constexpr Fixed logoDepth = FixedFromFloat(0.5f);

constexpr LogoQuad quadAt(float left, float right) {
    const Fixed l = FixedFromFloat(left);
    const Fixed r = FixedFromFloat(right);
    return {{{l, logoTop, logoDepth},
             {l, logoBottom, logoDepth},
             {r, logoTop, logoDepth},
             {r, logoBottom, logoDepth}}};
}

constexpr LogoQuad rightLogoQuad = quadAt(0.65f, 0.95f);
constexpr LogoQuad leftLogoQuad = quadAt(-0.95f, -0.65f);
constexpr GLfixed logoTexCoords[4][2] = {{0, 0}, {0, One}, {One, 0}, {One, One}};
constexpr GLfixed logoAlpha = 0xC000; // 0.75
constexpr GLfixed logoColours[4][4] = {{One, One, One, logoAlpha},
                                       {One, One, One, logoAlpha},
                                       {One, One, One, logoAlpha},
                                       {One, One, One, logoAlpha}};

} // namespace

bool Print3D::portrait() const {
    return screen_.horizontal * 640.0f < screen_.vertical * 480.0f;
}

int Print3D::Draw() {
    if (!initialised_ || frameCount_ == 0) {
        return 0;
    }
    setOverlayState();
    glBindTexture(GL_TEXTURE_2D, textures_[0]);
    glEnable(GL_BLEND);

    for (int first = 0; first < frameCount_; first += VerticesPerBatch) {
        const int batch = frameCount_ - first < VerticesPerBatch ? frameCount_ - first : VerticesPerBatch;
        const Print3DVertex* vertices = frame_ + first;
        glVertexPointer(3, GL_FIXED, sizeof(Print3DVertex), &vertices->x);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Print3DVertex), vertices->colour);
        glTexCoordPointer(2, GL_FIXED, sizeof(Print3DVertex), &vertices->u);
        glDrawElements(GL_TRIANGLES, batch / 2 * 3, GL_UNSIGNED_SHORT, indices_);
        glGetError();
    }
    const int triangles = frameCount_ / 2;
    frameCount_ = 0;

    switch (static_cast<unsigned int>(logoMode_)) {
    case LogoNone:
        break;
    case LogoB:
        drawLogo(logoTextures_[1], false);
        break;
    case LogoA | LogoB:
        drawLogo(logoTextures_[1], true);
        drawLogo(logoTextures_[0], false);
        break;
    default:
        drawLogo(logoTextures_[0], false);
        break;
    }

    restoreOverlayState();
    return triangles;
}

void Print3D::setOverlayState() const {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();

    glLoadIdentity();
    if (portrait()) {
        glRotatex(RightAngle, 0, 0, One);
    }

    // Screen pixels to clip space: (0, 0) is the top-left corner and y grows downwards. Column-major.
    float screenToClip[16] = {};
    screenToClip[0] = 2.0f / (screen_.horizontal * 640.0f);
    screenToClip[5] = -2.0f / (screen_.vertical * 480.0f);
    screenToClip[10] = 1.0f;
    screenToClip[12] = -1.0f;
    screenToClip[13] = 1.0f;
    screenToClip[15] = 1.0f;
    GLfixed matrix[16];
    for (int i = 0; i < 16; ++i) {
        matrix[i] = FixedFromFloat(screenToClip[i]).raw;
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixx(matrix);

    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_FRONT);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
}

// Face culling, lighting, fog and the texture environment stay as the overlay set them.
void Print3D::restoreOverlayState() const {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

void Print3D::drawLogo(GLuint texture, bool leftSide) const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (portrait()) {
        glRotatex(RightAngle, 0, 0, One);
    }

    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const LogoQuad& quad = leftSide ? leftLogoQuad : rightLogoQuad;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FIXED, 0, quad.positions);
    glColorPointer(4, GL_FIXED, 0, logoColours);
    glTexCoordPointer(2, GL_FIXED, 0, logoTexCoords);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}
