#include "platform/gles/es2/translation_context.h"

namespace platform::gles::es2 {

namespace {

const Es2Functions* es2 = nullptr;
Context standIn;
Context* currentContext = nullptr;
std::uint64_t versions = 0;

} // namespace

std::uint64_t nextVersion() {
    return ++versions;
}

const Es2Functions& library() {
    return *es2;
}

void setLibrary(const Es2Functions& functions) {
    es2 = &functions;
}

Context& context() {
    return currentContext ? *currentContext : standIn;
}

void setCurrentContext(Context* current) {
    currentContext = current;
}

void setError(GLenum error) {
    GLenum& pending = context().state.error;
    if (pending == GL_NO_ERROR) {
        pending = error;
    }
}

TextureRecord& boundTexture(Context& c, int unit) {
    const GLuint name = c.state.units[static_cast<std::size_t>(unit)].texture;
    if (name == 0 || !c.group) {
        return c.defaultTexture;
    }
    return c.group->textures[name];
}

} // namespace platform::gles::es2
