#include "platform/gles/emulation.h"

#include "platform/gles/emulation_state.h"

namespace platform::gles {

const DispatchTable* emulatedDriver = nullptr;
EmulationCounts emulationCounters;

namespace {

// The glGetError of the emulation beneath (which reports the texture compression's errors too).
decltype(DispatchTable::glGetError) innerGetError = nullptr;

GLenum countedGetError() {
    const GLenum error = innerGetError();
    if (error != GL_NO_ERROR) {
        ++emulationCounters.glErrors;
    }
    return error;
}

} // namespace

DispatchTable emulate(const DispatchTable& driver) {
    emulatedDriver = &driver;
    DispatchTable table = driver;
    emulateTextureCompression(table);
    emulatePowerManagement(table);
    innerGetError = table.glGetError;
    table.glGetError = countedGetError;
    return table;
}

EmulationCounts emulationCounts() {
    return emulationCounters;
}

} // namespace platform::gles
