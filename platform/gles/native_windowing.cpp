#include "platform/gles/native_windowing.h"

namespace platform::gles {

namespace {
const NativeWindowing* installed = nullptr;
} // namespace

void setNativeWindowing(const NativeWindowing* windowing) {
    installed = windowing;
}

const NativeWindowing* nativeWindowing() {
    return installed;
}

} // namespace platform::gles
