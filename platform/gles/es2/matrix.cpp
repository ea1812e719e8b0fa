#include "platform/gles/es2/matrix.h"

#include <cmath>

namespace platform::gles::es2 {

namespace {

// Element (row, column) of the column-major storage.
float& at(Matrix& matrix, int row, int column) {
    return matrix.m[static_cast<std::size_t>(column * 4 + row)];
}
float at(const Matrix& matrix, int row, int column) {
    return matrix.m[static_cast<std::size_t>(column * 4 + row)];
}

Matrix general() {
    Matrix matrix;
    matrix.identity = false;
    return matrix;
}

} // namespace

Matrix multiply(const Matrix& a, const Matrix& b) {
    if (a.identity) {
        return b;
    }
    if (b.identity) {
        return a;
    }
    Matrix product = general();
    for (int row = 0; row < 4; ++row) {
        const float a0 = at(a, row, 0);
        const float a1 = at(a, row, 1);
        const float a2 = at(a, row, 2);
        const float a3 = at(a, row, 3);
        for (int column = 0; column < 4; ++column) {
            at(product, row, column) =
                a0 * at(b, 0, column) + a1 * at(b, 1, column) + a2 * at(b, 2, column) + a3 * at(b, 3, column);
        }
    }
    return product;
}

Matrix fixedMatrix(const GLfixed* values) {
    Matrix matrix;
    for (std::size_t i = 0; i < 16; ++i) {
        matrix.m[i] = fromFixed(values[i]);
    }
    matrix.identity = matrix.m == Matrix{}.m;
    return matrix;
}

Matrix rotation(float degrees, float x, float y, float z) {
    const double radians = static_cast<double>(degrees) * (3.14159265358979323846 / 180.0);
    const auto s = static_cast<float>(std::sin(radians));
    const auto c = static_cast<float>(std::cos(radians));
    Matrix r = general();
    // About one axis the other entries stay exactly 0 and 1.
    if (x == 0 && y == 0 && z != 0) {
        const float sz = z < 0 ? -s : s;
        at(r, 0, 0) = c;
        at(r, 1, 1) = c;
        at(r, 0, 1) = -sz;
        at(r, 1, 0) = sz;
        return r;
    }
    if (x == 0 && z == 0 && y != 0) {
        const float sy = y < 0 ? -s : s;
        at(r, 0, 0) = c;
        at(r, 2, 2) = c;
        at(r, 0, 2) = sy;
        at(r, 2, 0) = -sy;
        return r;
    }
    if (y == 0 && z == 0 && x != 0) {
        const float sx = x < 0 ? -s : s;
        at(r, 1, 1) = c;
        at(r, 2, 2) = c;
        at(r, 1, 2) = -sx;
        at(r, 2, 1) = sx;
        return r;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) {
        return Matrix{};
    }
    x /= length;
    y /= length;
    z /= length;
    const float k = 1 - c;
    at(r, 0, 0) = x * x * k + c;
    at(r, 0, 1) = x * y * k - z * s;
    at(r, 0, 2) = x * z * k + y * s;
    at(r, 1, 0) = y * x * k + z * s;
    at(r, 1, 1) = y * y * k + c;
    at(r, 1, 2) = y * z * k - x * s;
    at(r, 2, 0) = x * z * k - y * s;
    at(r, 2, 1) = y * z * k + x * s;
    at(r, 2, 2) = z * z * k + c;
    return r;
}

Matrix scaling(float x, float y, float z) {
    Matrix s = general();
    at(s, 0, 0) = x;
    at(s, 1, 1) = y;
    at(s, 2, 2) = z;
    return s;
}

Matrix translation(float x, float y, float z) {
    Matrix t = general();
    at(t, 0, 3) = x;
    at(t, 1, 3) = y;
    at(t, 2, 3) = z;
    return t;
}

Matrix frustum(float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix f = general();
    at(f, 0, 0) = (2 * zNear) / (right - left);
    at(f, 1, 1) = (2 * zNear) / (top - bottom);
    at(f, 0, 2) = (right + left) / (right - left);
    at(f, 1, 2) = (top + bottom) / (top - bottom);
    at(f, 2, 2) = -(zFar + zNear) / (zFar - zNear);
    at(f, 2, 3) = -(2 * zFar * zNear) / (zFar - zNear);
    at(f, 3, 2) = -1;
    at(f, 3, 3) = 0;
    return f;
}

Matrix ortho(float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix o = general();
    at(o, 0, 0) = 2 / (right - left);
    at(o, 1, 1) = 2 / (top - bottom);
    at(o, 2, 2) = -2 / (zFar - zNear);
    at(o, 0, 3) = -(right + left) / (right - left);
    at(o, 1, 3) = -(top + bottom) / (top - bottom);
    at(o, 2, 3) = -(zFar + zNear) / (zFar - zNear);
    return o;
}

bool MatrixStack::push() {
    if (depth_ >= maxDepth_) {
        return false;
    }
    entries_[static_cast<std::size_t>(depth_)] = entries_[static_cast<std::size_t>(depth_ - 1)];
    ++depth_;
    return true;
}

bool MatrixStack::pop() {
    if (depth_ <= 1) {
        return false;
    }
    --depth_;
    return true;
}

} // namespace platform::gles::es2
