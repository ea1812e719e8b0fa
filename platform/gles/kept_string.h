#pragma once
// Texts handed out by glGetString and eglQueryString must stay valid for the life of the process: each
// distinct text is kept once, and the same pointer is handed out for it every time.
#include <string>

namespace platform::gles {

const char* keptString(const std::string& text);

} // namespace platform::gles
