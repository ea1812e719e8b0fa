#include "platform/gles/emulation.h"

#include "platform/gles/emulation_state.h"

namespace platform::gles {

const DispatchTable* emulatedDriver = nullptr;

DispatchTable emulate(const DispatchTable& driver) {
    emulatedDriver = &driver;
    DispatchTable table = driver;
    emulateTextureCompression(table);
    emulatePowerManagement(table);
    return table;
}

} // namespace platform::gles
