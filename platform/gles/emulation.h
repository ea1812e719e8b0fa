#pragma once
// The extension emulation that sits between the program and a driver:
// - GL_ZEB_texture_compression_nymtc: the four block-compressed formats of glCompressedTexImage2D are
//   decoded and uploaded with glTexImage2D, or handed to the library as DXT1 where it offers that;
// - EGL_ZEB_power_management: a context loss can be injected; every context is made in one share group
//   per display held by the layer (which therefore keeps the display initialised), so GL objects
//   outlive a recovery;
// - the config choice: EGL_NATIVE_RENDERABLE false excludes nothing, EGL_SAMPLES is rounded up to a
//   count the library offers, configs with depth >= 16 and 888 or 565 colour come first, and on a
//   surfaceless display the pbuffer bit stands in for the window bit, on a Wayland display (whose configs
//   are window-only) the pbuffer bit is not asked for.
// It also counts frames for the observer that captures, clocks and scripts them: a frame is an
// eglSwapBuffers call after the GL has cleared or drawn (glClear, glDrawArrays, glDrawElements) since
// the previous swap. Frames are numbered by presentation, from 0 at the installation of the observer: a
// frame's number is the count of frames presented before it, so a frame lost with the context gives its
// number to the next one. A swap that fails for another reason uses its number up, as the shell counts
// it towards its frame limit.
#include "platform/gles/dispatch.h"

#include <vector>

namespace platform::gles {

// The table that the program should call: the driver's, with the emulated entries in front of it.
// The driver's table must outlive the result.
DispatchTable emulate(const DispatchTable& driver);

class PresentObserver {
public:
    virtual ~PresentObserver() = default;
    // Before the swap of a frame, its context current: the frame may be read back.
    virtual void beforePresent(int frame, EGLint width, EGLint height) = 0;
    // After the swap presented the frame.
    virtual void afterPresent(int frame) = 0;
    // After a swap that failed: the frame was not presented.
    virtual void presentFailed(int frame) = 0;
};

// Installs the observer (null: none) and starts the frame count again at 0; installing one (not null)
// starts the counts below again too, which stay readable after it is removed.
void setPresentObserver(PresentObserver* observer);

// The display of the context that the program made current last (EGL_NO_DISPLAY while none is).
EGLDisplay currentDisplay();

// What the emulation has seen: the context losses it reported, how many of them the program recovered
// from (a swap went through again, on a new context), and the errors glGetError handed to the program.
struct EmulationCounts {
    int contextLosses = 0;
    int recoveries = 0;
    int glErrors = 0;
};
EmulationCounts emulationCounts();

// Makes the next eglSwapBuffers fail and eglGetError report EGL_CONTEXT_LOST; the swaps go on failing
// while the context that was current stays current.
void injectContextLoss();
// The same for the swap that would present each of these frames, once each (replacing an earlier list).
void loseContextAtFrames(std::vector<int> frames);

// Whether 4 bpp levels go to the library as DXT1 when it offers GL_EXT_texture_compression_dxt1 (on by
// default); decoding is used otherwise.
void setDxt1HandOff(bool enabled);

enum class CompressedPath { None, Decoded, Dxt1 };
// How the last compressed level of the emulated formats was uploaded.
CompressedPath lastCompressedPath();

} // namespace platform::gles
