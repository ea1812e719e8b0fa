#include "platform/gles/record_driver.h"

#include "platform/gles/record_state.h"

#include <cstdio>

namespace platform::gles {

RecordDriver::State* recordState = nullptr;

std::uint32_t dataChecksum(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 16777619u;
    }
    return hash;
}

std::string dataText(const void* data, std::size_t size) {
    if (!data) {
        return "null";
    }
    char text[48];
    std::snprintf(text, sizeof text, "<%zu bytes %08x>", size, dataChecksum(data, size));
    return text;
}

bool RecordDriver::State::fails(std::string_view function) {
    const auto it = failures.find(function);
    if (it == failures.end() || it->second.second <= 0) {
        return false;
    }
    eglErrors.push_front(it->second.first);
    if (--it->second.second == 0) {
        failures.erase(it);
    }
    return true;
}

RecordDriver::RecordDriver(Mode mode) : state_(std::make_unique<State>()) {
    state_->log.mode = mode;
    state_->previous = dispatchTable;
    state_->previousState = recordState;
    state_->glStrings = {{GL_VENDOR, "Nymbus"},
                         {GL_RENDERER, "record"},
                         {GL_VERSION, "OpenGL ES-CM 1.0"},
                         {GL_EXTENSIONS, ""}};
    state_->eglStrings = {{EGL_VENDOR, "Nymbus"}, {EGL_VERSION, "1.0"}, {EGL_EXTENSIONS, ""}};
    state_->configs = {{{EGL_CONFIG_ID, 1},
                        {EGL_BUFFER_SIZE, 16},
                        {EGL_RED_SIZE, 5},
                        {EGL_GREEN_SIZE, 6},
                        {EGL_BLUE_SIZE, 5},
                        {EGL_DEPTH_SIZE, 16},
                        {EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT},
                        {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES_BIT}}};
    recordState = state_.get();
    fillRecordGl(dispatchTable);
    fillRecordEgl(dispatchTable);
}

RecordDriver::~RecordDriver() {
    dispatchTable = state_->previous;
    recordState = state_->previousState;
}

const std::vector<RecordedCall>& RecordDriver::calls() const {
    return state_->log.calls;
}

std::vector<std::string> RecordDriver::log() const {
    return state_->log.texts();
}

std::vector<std::string> RecordDriver::log(std::initializer_list<std::string_view> names) const {
    return state_->log.texts(names);
}

void RecordDriver::clearLog() {
    state_->log.calls.clear();
}

void RecordDriver::setTextureNames(std::vector<GLuint> names) {
    state_->scriptedNames.assign(names.begin(), names.end());
}

void RecordDriver::pushGlError(GLenum error) {
    state_->glErrors.push_back(error);
}

void RecordDriver::pushEglError(EGLint error) {
    state_->eglErrors.push_back(error);
}

void RecordDriver::setGlString(GLenum name, std::string value) {
    state_->glStrings[name] = std::move(value);
}

void RecordDriver::setEglString(EGLint name, std::string value) {
    state_->eglStrings[name] = std::move(value);
}

void RecordDriver::setInteger(GLenum pname, std::vector<GLint> values) {
    state_->integers[pname] = std::move(values);
}

void RecordDriver::setConfigs(std::vector<RecordedConfig> configs) {
    state_->configs = std::move(configs);
}

void RecordDriver::setSurfaceSize(EGLint width, EGLint height) {
    state_->surfaceWidth = width;
    state_->surfaceHeight = height;
}

void RecordDriver::failNext(std::string_view function, EGLint error, int count) {
    state_->failures[std::string(function)] = {error, count};
}

} // namespace platform::gles
