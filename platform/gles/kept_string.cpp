#include "platform/gles/kept_string.h"

#include <set>

namespace platform::gles {

const char* keptString(const std::string& text) {
    static std::set<std::string> texts;
    return texts.insert(text).first->c_str();
}

} // namespace platform::gles
