#pragma once
// Shared between the GL and the EGL half of the extension emulation.
#include "platform/gles/dispatch.h"
#include "platform/gles/emulation.h"

namespace platform::gles {

// The driver's table behind the emulation.
extern const DispatchTable* emulatedDriver;

// The counts that emulationCounts reports.
extern EmulationCounts emulationCounters;

void emulateTextureCompression(DispatchTable& table);
void emulatePowerManagement(DispatchTable& table);

} // namespace platform::gles
