#pragma once
// Shared between the GL and the EGL half of the extension emulation.
#include "platform/gles/dispatch.h"

namespace platform::gles {

// The driver's table behind the emulation.
extern const DispatchTable* emulatedDriver;

void emulateTextureCompression(DispatchTable& table);
void emulatePowerManagement(DispatchTable& table);

} // namespace platform::gles
