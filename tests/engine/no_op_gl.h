#pragma once
// A GL whose every function does nothing and returns zero, for measuring and counting the engine's own
// work: the least any GL can cost, below even the record driver's silent mode.
#include "platform/gles/dispatch.h"

namespace nym_test {

template <typename F> struct NoOp;
template <typename R, typename... A> struct NoOp<R (*)(A...)> {
    static R call(A...) { return R(); }
};

// base with every GL entry replaced (the EGL entries are kept).
inline platform::gles::DispatchTable noOpGlTable(const platform::gles::DispatchTable& base) {
    platform::gles::DispatchTable table = base;
#define NYM_NO_OP_ENTRY(ret, name, params, args) table.name = &NoOp<decltype(table.name)>::call;
    NYM_GL_FUNCTIONS(NYM_NO_OP_ENTRY)
#undef NYM_NO_OP_ENTRY
    return table;
}

} // namespace nym_test
