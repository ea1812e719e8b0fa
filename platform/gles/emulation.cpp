#include "platform/gles/emulation.h"

namespace platform::gles {

DispatchTable emulate(const DispatchTable& driver) {
    return driver;
}

} // namespace platform::gles
