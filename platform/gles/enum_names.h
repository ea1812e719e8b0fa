#pragma once
// Names of the standard GL and EGL enum values, for logs and messages.

namespace platform::gles {

// The GL name of a value of at least 0x100 (smaller values depend on the parameter), or null.
const char* glEnumName(unsigned value);

// The EGL name of a value of at least 0x3000 (attributes, errors, query names), or null.
const char* eglEnumName(unsigned value);

} // namespace platform::gles
