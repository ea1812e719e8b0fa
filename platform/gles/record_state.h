#pragma once
// The record driver's state, shared by its GL and EGL halves.
#include "platform/gles/call_log.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/record_driver.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform::gles {

struct RecordDriver::State {
    CallLog log;
    DispatchTable previous;
    RecordDriver::State* previousState = nullptr;

    std::deque<GLuint> scriptedNames;
    GLuint nextName = 1;
    std::deque<GLenum> glErrors;
    std::deque<EGLint> eglErrors;
    std::map<GLenum, std::string> glStrings;
    std::map<EGLint, std::string> eglStrings;
    std::map<GLenum, std::vector<GLint>> integers;
    std::vector<RecordedConfig> configs;
    EGLint surfaceWidth = 640;
    EGLint surfaceHeight = 480;
    std::map<std::string, std::pair<EGLint, int>, std::less<>> failures;
    int unpackAlignment = 4;
    int displays = 0;
    int contexts = 0;
    int surfaces = 0;

    // True (and the error queued) when a scripted failure of this function is due.
    bool fails(std::string_view function);
};

// The driver in use; null when none is installed.
extern RecordDriver::State* recordState;

// Fill the GL and the EGL half of a table with the record driver's functions.
void fillRecordGl(DispatchTable& table);
void fillRecordEgl(DispatchTable& table);

} // namespace platform::gles
