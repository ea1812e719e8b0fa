#pragma once
// The extension emulation that sits between the program and a driver: GL_ZEB_texture_compression_nymtc,
// EGL_ZEB_power_management and the config choice.
#include "platform/gles/dispatch.h"

namespace platform::gles {

// The table that the program should call: the driver's, with the emulated entries in front of it.
// The driver's table must outlive the result.
DispatchTable emulate(const DispatchTable& driver);

} // namespace platform::gles
