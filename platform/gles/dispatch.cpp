#include "platform/gles/dispatch.h"

#include "platform/gles/system_driver.h"

namespace platform::gles {

namespace {

// Each entry of the lazy table installs the system driver, then calls the entry it installed.
#define NYM_LAZY_ENTRY(ret, name, params, args)                                                              \
    ret lazy_##name params {                                                                                 \
        installSystemDriver();                                                                               \
        return dispatchTable.name args;                                                                      \
    }
NYM_GL_FUNCTIONS(NYM_LAZY_ENTRY)
NYM_EGL_FUNCTIONS(NYM_LAZY_ENTRY)
#undef NYM_LAZY_ENTRY

constexpr DispatchTable makeLazyTable() {
    DispatchTable table;
#define NYM_LAZY_ASSIGN(ret, name, params, args) table.name = lazy_##name;
    NYM_GL_FUNCTIONS(NYM_LAZY_ASSIGN)
    NYM_EGL_FUNCTIONS(NYM_LAZY_ASSIGN)
#undef NYM_LAZY_ASSIGN
    return table;
}

} // namespace

DispatchTable lazySystemTable() {
    return makeLazyTable();
}

bool driverInstalled() {
    return dispatchTable.glClear != lazy_glClear;
}

constinit DispatchTable dispatchTable = makeLazyTable();

} // namespace platform::gles

// The functions of gl.h and egl.h.
#define NYM_FORWARD(ret, name, params, args)                                                                 \
    ret name params {                                                                                        \
        return platform::gles::dispatchTable.name args;                                                      \
    }
NYM_GL_FUNCTIONS(NYM_FORWARD)
NYM_EGL_FUNCTIONS(NYM_FORWARD)
#undef NYM_FORWARD
