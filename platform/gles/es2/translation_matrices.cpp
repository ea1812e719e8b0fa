// The matrix modes and stacks of OpenGL ES 1.1: modelview (16 deep), projection (2) and a texture
// matrix per unit (2), with GL_STACK_OVERFLOW and GL_STACK_UNDERFLOW past their ends.
#include "platform/gles/es2/translation_context.h"

namespace platform::gles::es2 {

namespace {

MatrixStack& currentStack(FixedState& s) {
    switch (s.matrixMode) {
    case GL_PROJECTION:
        return s.projection;
    case GL_TEXTURE:
        return s.units[static_cast<std::size_t>(s.activeUnit)].matrices;
    default:
        return s.modelview;
    }
}

// After the top of the current stack changed: the uniforms that hold it are out of date, and a texture
// matrix that became or stopped being the identity changes the shader key.
void topChanged(Context& c, bool wasIdentity) {
    FixedState& s = c.state;
    if (s.matrixMode == GL_TEXTURE) {
        TextureUnit& unit = s.units[static_cast<std::size_t>(s.activeUnit)];
        unit.matrixVersion = nextVersion();
        c.keyChanged |= wasIdentity != unit.matrices.top().identity;
    } else {
        s.transformVersion = nextVersion();
    }
}

void load(const Matrix& matrix) {
    Context& c = context();
    Matrix& top = currentStack(c.state).top();
    const bool wasIdentity = top.identity;
    top = matrix;
    topChanged(c, wasIdentity);
}

// The current matrix times `matrix`.
void multiplyBy(const Matrix& matrix) {
    Context& c = context();
    Matrix& top = currentStack(c.state).top();
    const bool wasIdentity = top.identity;
    top = multiply(top, matrix);
    topChanged(c, wasIdentity);
}

void translated_glMatrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    context().state.matrixMode = mode;
}

void translated_glLoadIdentity() {
    load(Matrix{});
}

void translated_glLoadMatrixx(const GLfixed* m) {
    load(fixedMatrix(m));
}

void translated_glMultMatrixx(const GLfixed* m) {
    multiplyBy(fixedMatrix(m));
}

void translated_glPushMatrix() {
    if (!currentStack(context().state).push()) {
        setError(GL_STACK_OVERFLOW);
    }
}

void translated_glPopMatrix() {
    Context& c = context();
    MatrixStack& stack = currentStack(c.state);
    const bool wasIdentity = stack.top().identity;
    if (!stack.pop()) {
        setError(GL_STACK_UNDERFLOW);
        return;
    }
    topChanged(c, wasIdentity);
}

void translated_glRotatex(GLfixed angle, GLfixed x, GLfixed y, GLfixed z) {
    multiplyBy(rotation(fromFixed(angle), fromFixed(x), fromFixed(y), fromFixed(z)));
}

void translated_glScalex(GLfixed x, GLfixed y, GLfixed z) {
    multiplyBy(scaling(fromFixed(x), fromFixed(y), fromFixed(z)));
}

void translated_glTranslatex(GLfixed x, GLfixed y, GLfixed z) {
    multiplyBy(translation(fromFixed(x), fromFixed(y), fromFixed(z)));
}

void translated_glFrustumx(GLfixed left, GLfixed right, GLfixed bottom, GLfixed top, GLfixed zNear,
                           GLfixed zFar) {
    if (zNear <= 0 || zFar <= 0 || left == right || bottom == top || zNear == zFar) {
        setError(GL_INVALID_VALUE);
        return;
    }
    multiplyBy(frustum(fromFixed(left), fromFixed(right), fromFixed(bottom), fromFixed(top), fromFixed(zNear),
                       fromFixed(zFar)));
}

void translated_glOrthox(GLfixed left, GLfixed right, GLfixed bottom, GLfixed top, GLfixed zNear,
                         GLfixed zFar) {
    if (left == right || bottom == top || zNear == zFar) {
        setError(GL_INVALID_VALUE);
        return;
    }
    multiplyBy(ortho(fromFixed(left), fromFixed(right), fromFixed(bottom), fromFixed(top), fromFixed(zNear),
                     fromFixed(zFar)));
}

} // namespace

void fillMatrixFunctions(DispatchTable& table) {
    table.glMatrixMode = translated_glMatrixMode;
    table.glLoadIdentity = translated_glLoadIdentity;
    table.glLoadMatrixx = translated_glLoadMatrixx;
    table.glMultMatrixx = translated_glMultMatrixx;
    table.glPushMatrix = translated_glPushMatrix;
    table.glPopMatrix = translated_glPopMatrix;
    table.glRotatex = translated_glRotatex;
    table.glScalex = translated_glScalex;
    table.glTranslatex = translated_glTranslatex;
    table.glFrustumx = translated_glFrustumx;
    table.glOrthox = translated_glOrthox;
}

} // namespace platform::gles::es2
