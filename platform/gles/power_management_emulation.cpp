// EGL_ZEB_power_management on a library that lacks it, the share group that makes recovery cheap, the
// config choice adaptation, and the frame count for the present observer.
#include "platform/gles/emulation.h"
#include "platform/gles/emulation_state.h"
#include "platform/gles/kept_string.h"
#include "platform/gles/native_windowing.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace platform::gles {

namespace {

constexpr const char* extensionName = "EGL_ZEB_power_management";

const DispatchTable& next() {
    return *emulatedDriver;
}

EGLint pendingError = EGL_SUCCESS;
bool lossInjected = false;
std::set<int> lossFrames;
int nextFrame = 0;
PresentObserver* observer = nullptr;
// The context that was current when a loss happened: swaps fail while it stays current.
EGLContext lostContext = EGL_NO_CONTEXT;
EGLContext currentContext = EGL_NO_CONTEXT;
EGLDisplay currentContextDisplay = EGL_NO_DISPLAY;
// One context per display that every context the program makes shares with. It is never destroyed, so
// the display is never really terminated either.
std::map<EGLDisplay, EGLContext> shareRoots;

bool surfaceless() {
    const NativeWindowing* windowing = nativeWindowing();
    return !windowing || windowing->eglPlatform() == eglPlatformSurfaceless;
}

// Mesa's Wayland configs offer window surfaces only; the program never makes a pbuffer there.
bool windowOnly() {
    const NativeWindowing* windowing = nativeWindowing();
    return windowing && windowing->eglPlatform() == eglPlatformWayland;
}

const char* emulatedQueryString(EGLDisplay dpy, EGLint name) {
    const char* text = next().eglQueryString(dpy, name);
    if (name != EGL_EXTENSIONS || !text) {
        return text;
    }
    const std::string base = text;
    return keptString(base.empty() ? extensionName : base + " " + extensionName);
}

EGLint configAttribute(EGLDisplay dpy, EGLConfig config, EGLint name) {
    EGLint value = 0;
    next().eglGetConfigAttrib(dpy, config, name, &value);
    return value;
}

std::vector<EGLConfig> allConfigs(EGLDisplay dpy) {
    EGLint count = 0;
    if (!next().eglGetConfigs(dpy, nullptr, 0, &count) || count <= 0) {
        return {};
    }
    std::vector<EGLConfig> configs(static_cast<std::size_t>(count));
    next().eglGetConfigs(dpy, configs.data(), count, &count);
    configs.resize(static_cast<std::size_t>(count));
    return configs;
}

// The smallest sample count the library offers that is at least `wanted`, else `wanted`.
EGLint offeredSamples(EGLDisplay dpy, EGLint wanted) {
    EGLint best = 0;
    for (EGLConfig config : allConfigs(dpy)) {
        const EGLint samples = configAttribute(dpy, config, EGL_SAMPLES);
        if (samples >= wanted && (best == 0 || samples < best)) {
            best = samples;
        }
    }
    return best ? best : wanted;
}

// Depth testing needs a depth buffer; the program's textures want 888 or 565 colour.
bool suitsTheProgram(EGLDisplay dpy, EGLConfig config) {
    const EGLint r = configAttribute(dpy, config, EGL_RED_SIZE);
    const EGLint g = configAttribute(dpy, config, EGL_GREEN_SIZE);
    const EGLint b = configAttribute(dpy, config, EGL_BLUE_SIZE);
    const bool colour = (r == 8 && g == 8 && b == 8) || (r == 5 && g == 6 && b == 5);
    return colour && configAttribute(dpy, config, EGL_DEPTH_SIZE) >= 16;
}

EGLBoolean emulatedChooseConfig(EGLDisplay dpy, const EGLint* attributes, EGLConfig* configs,
                                EGLint configSize, EGLint* numConfig) {
    std::vector<EGLint> adapted;
    bool surfaceTypeGiven = false;
    for (const EGLint* a = attributes; a && a[0] != EGL_NONE; a += 2) {
        EGLint value = a[1];
        switch (a[0]) {
        case EGL_NATIVE_RENDERABLE:
            if (value == EGL_FALSE) {
                continue;
            }
            break;
        case EGL_SURFACE_TYPE:
            surfaceTypeGiven = true;
            if (surfaceless() && value != EGL_DONT_CARE && (value & EGL_WINDOW_BIT)) {
                value = (value & ~EGL_WINDOW_BIT) | EGL_PBUFFER_BIT;
            } else if (windowOnly() && value != EGL_DONT_CARE) {
                value &= ~EGL_PBUFFER_BIT;
            }
            break;
        case EGL_SAMPLES:
            if (value > 0) {
                value = offeredSamples(dpy, value);
            }
            break;
        default:
            break;
        }
        adapted.push_back(a[0]);
        adapted.push_back(value);
    }
    if (!surfaceTypeGiven && surfaceless()) {
        adapted.push_back(EGL_SURFACE_TYPE);
        adapted.push_back(EGL_PBUFFER_BIT);
    }
    adapted.push_back(EGL_NONE);

    EGLint total = 0;
    if (!next().eglChooseConfig(dpy, adapted.data(), nullptr, 0, &total)) {
        return EGL_FALSE;
    }
    std::vector<EGLConfig> matches(static_cast<std::size_t>(std::max<EGLint>(total, 0)));
    if (total > 0 && !next().eglChooseConfig(dpy, adapted.data(), matches.data(), total, &total)) {
        return EGL_FALSE;
    }
    matches.resize(static_cast<std::size_t>(std::max<EGLint>(total, 0)));
    std::stable_partition(matches.begin(), matches.end(),
                          [dpy](EGLConfig config) { return suitsTheProgram(dpy, config); });
    EGLint given = static_cast<EGLint>(matches.size());
    if (configs) {
        given = std::min(given, std::max<EGLint>(configSize, 0));
        std::copy_n(matches.begin(), given, configs);
    }
    if (numConfig) {
        *numConfig = given;
    }
    return EGL_TRUE;
}

EGLContext emulatedCreateContext(EGLDisplay dpy, EGLConfig config, EGLContext share,
                                 const EGLint* attributes) {
    EGLContext& root = shareRoots[dpy];
    if (root == EGL_NO_CONTEXT) {
        root = next().eglCreateContext(dpy, config, EGL_NO_CONTEXT, attributes);
        if (root == EGL_NO_CONTEXT) {
            shareRoots.erase(dpy);
            return EGL_NO_CONTEXT;
        }
    }
    return next().eglCreateContext(dpy, config, share != EGL_NO_CONTEXT ? share : root, attributes);
}

EGLBoolean emulatedDestroyContext(EGLDisplay dpy, EGLContext context) {
    if (context == lostContext) {
        lostContext = EGL_NO_CONTEXT;
    }
    return next().eglDestroyContext(dpy, context);
}

EGLBoolean emulatedMakeCurrent(EGLDisplay dpy, EGLSurface draw, EGLSurface read, EGLContext context) {
    const EGLBoolean ok = next().eglMakeCurrent(dpy, draw, read, context);
    if (ok) {
        currentContext = context;
        currentContextDisplay = context != EGL_NO_CONTEXT ? dpy : EGL_NO_DISPLAY;
    }
    return ok;
}

EGLBoolean emulatedTerminate(EGLDisplay dpy) {
    if (shareRoots.count(dpy)) {
        // The share group lives on; the display stays initialised with it.
        return EGL_TRUE;
    }
    return next().eglTerminate(dpy);
}

EGLint emulatedGetError() {
    if (pendingError != EGL_SUCCESS) {
        const EGLint error = pendingError;
        pendingError = EGL_SUCCESS;
        next().eglGetError();
        return error;
    }
    return next().eglGetError();
}

// Whether the GL has cleared or drawn since the last swap. A swap without (the shell's last one while it
// releases the context) is passed on but is not a frame: it is not captured, counted or timed.
bool drawnSinceSwap = false;

void emulatedClear(GLbitfield mask) {
    drawnSinceSwap = true;
    next().glClear(mask);
}

void emulatedDrawArrays(GLenum mode, GLint first, GLsizei count) {
    drawnSinceSwap = true;
    next().glDrawArrays(mode, first, count);
}

void emulatedDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    drawnSinceSwap = true;
    next().glDrawElements(mode, count, type, indices);
}

// Whether a loss waits for the program to recover: for a swap that goes through again.
bool recovering = false;

EGLBoolean throughAfterLoss(EGLBoolean ok) {
    if (ok && recovering) {
        recovering = false;
        ++emulationCounters.recoveries;
    }
    return ok;
}

EGLBoolean emulatedSwapBuffers(EGLDisplay dpy, EGLSurface surface) {
    const bool isFrame = drawnSinceSwap;
    drawnSinceSwap = false;
    const int frame = isFrame ? nextFrame : -1;
    if (lossInjected || (isFrame && lossFrames.erase(frame) > 0)) {
        lossInjected = false;
        lostContext = currentContext != EGL_NO_CONTEXT ? currentContext : lostContext;
        ++emulationCounters.contextLosses;
        recovering = true;
    }
    if (lostContext != EGL_NO_CONTEXT && lostContext == currentContext) {
        pendingError = EGL_CONTEXT_LOST;
        return EGL_FALSE;
    }
    if (!isFrame) {
        return throughAfterLoss(next().eglSwapBuffers(dpy, surface));
    }
    if (observer) {
        EGLint width = 0;
        EGLint height = 0;
        next().eglQuerySurface(dpy, surface, EGL_WIDTH, &width);
        next().eglQuerySurface(dpy, surface, EGL_HEIGHT, &height);
        observer->beforePresent(frame, width, height);
    }
    const EGLBoolean ok = throughAfterLoss(next().eglSwapBuffers(dpy, surface));
    if (ok) {
        ++nextFrame;
        if (observer) {
            observer->afterPresent(frame);
        }
        return ok;
    }
    // The error is kept for the program's eglGetError.
    pendingError = next().eglGetError();
    if (pendingError != EGL_CONTEXT_LOST) {
        ++nextFrame;
    }
    if (observer) {
        observer->presentFailed(frame);
    }
    return ok;
}

} // namespace

void setPresentObserver(PresentObserver* presentObserver) {
    observer = presentObserver;
    nextFrame = 0;
    if (presentObserver != nullptr) {
        emulationCounters = {};
        recovering = false;
    }
}

EGLDisplay currentDisplay() {
    return currentContextDisplay;
}

void injectContextLoss() {
    lossInjected = true;
}

void loseContextAtFrames(std::vector<int> frames) {
    lossFrames = std::set<int>(frames.begin(), frames.end());
}

void emulatePowerManagement(DispatchTable& table) {
    table.glClear = emulatedClear;
    table.glDrawArrays = emulatedDrawArrays;
    table.glDrawElements = emulatedDrawElements;
    table.eglChooseConfig = emulatedChooseConfig;
    table.eglCreateContext = emulatedCreateContext;
    table.eglDestroyContext = emulatedDestroyContext;
    table.eglGetError = emulatedGetError;
    table.eglMakeCurrent = emulatedMakeCurrent;
    table.eglQueryString = emulatedQueryString;
    table.eglSwapBuffers = emulatedSwapBuffers;
    table.eglTerminate = emulatedTerminate;
}

} // namespace platform::gles
