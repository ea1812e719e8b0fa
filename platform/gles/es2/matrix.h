#pragma once
// 4 x 4 float matrices in the GL's column-major order, and the stacks of OpenGL ES 1.1's matrix modes.
// The translation keeps the fixed-function matrices in floating point, as the fixed-function libraries
// do after converting the program's 16.16 values.
#include "platform/gles/gl.h"

#include <array>

namespace platform::gles::es2 {

struct Matrix {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool identity = true; // known to be the identity (a product of identities, or loaded as one)
};

// a x b (b applied first).
Matrix multiply(const Matrix& a, const Matrix& b);
Matrix fixedMatrix(const GLfixed* values);
Matrix rotation(float degrees, float x, float y, float z);
Matrix scaling(float x, float y, float z);
Matrix translation(float x, float y, float z);
// The projections of glFrustum and glOrtho; their arguments must have been checked.
Matrix frustum(float left, float right, float bottom, float top, float zNear, float zFar);
Matrix ortho(float left, float right, float bottom, float top, float zNear, float zFar);

inline float fromFixed(GLfixed value) {
    return static_cast<float>(value) * (1.0f / 65536.0f);
}

// A matrix stack of OpenGL ES 1.1: starts with one identity matrix; push and pop fail (GL_STACK_OVERFLOW,
// GL_STACK_UNDERFLOW) past the depth given.
class MatrixStack {
public:
    static constexpr int kLargestDepth = 16;

    explicit MatrixStack(int maxDepth) : maxDepth_(maxDepth) {}

    Matrix& top() { return entries_[static_cast<std::size_t>(depth_ - 1)]; }
    const Matrix& top() const { return entries_[static_cast<std::size_t>(depth_ - 1)]; }
    int depth() const { return depth_; }
    bool push();
    bool pop();

private:
    std::array<Matrix, kLargestDepth> entries_{};
    int depth_ = 1;
    int maxDepth_;
};

} // namespace platform::gles::es2
