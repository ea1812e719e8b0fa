#pragma once
// The one dispatch table that every GL and EGL function of gl.h and egl.h forwards through. A driver
// (system, record) fills it; the extension emulation replaces some entries with its own and passes on
// to the driver's.
#include "platform/gles/gles_functions.h"

namespace platform::gles {

struct DispatchTable {
#define NYM_DISPATCH_ENTRY(ret, name, params, args) ret(*name) params = nullptr;
    NYM_GL_FUNCTIONS(NYM_DISPATCH_ENTRY)
    NYM_EGL_FUNCTIONS(NYM_DISPATCH_ENTRY)
#undef NYM_DISPATCH_ENTRY
};

// The table in use. Until a driver is installed its entries load the system driver on first use.
extern DispatchTable dispatchTable;

// Whether a driver has filled the table (its entries no longer load the system driver on first use).
bool driverInstalled();

// The table whose entries load the system driver on first use (the state before any driver).
DispatchTable lazySystemTable();

} // namespace platform::gles
