#include "path_rendering.h"

#include "platform/debug_output.h"
#include "platform/utf8.h"
#include "tests/support/offscreen_gl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The child: the path, the surface, the scene, then the debug output's length and text and the pixels.
[[noreturn]] void renderInChild(int fd, platform::gles::GlPath path, int width, int height,
                                const std::function<void()>& scene) {
    std::wstring output;
    platform::setDebugOutputSink([&](const wchar_t* text) { output += text; });
    platform::gles::setGlPath(path);
    OffscreenGl gl;
    if (!gl.open(width, height)) {
        output += L"cannot open an off-screen context";
    } else {
        scene();
        glFinish();
        if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
            output += L"GL error " + std::to_wstring(error);
        }
    }
    const std::string text = platform::toUtf8(output);
    const std::uint32_t length = static_cast<std::uint32_t>(text.size());
    const std::vector<std::uint8_t> pixels =
        gl.surface ? readPixels(width, height) : std::vector<std::uint8_t>();
    const bool ok = writeAll(fd, &length, sizeof length) && writeAll(fd, text.data(), text.size()) &&
                    writeAll(fd, pixels.data(), pixels.size());
    _exit(ok ? 0 : 1);
}

} // namespace

Rendering renderThrough(platform::gles::GlPath path, int width, int height,
                        const std::function<void()>& scene) {
    Rendering result;
    int fds[2];
    if (pipe(fds) != 0) {
        result.failure = "no pipe";
        return result;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        renderInChild(fds[1], path, width, height, scene);
    }
    close(fds[1]);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::uint32_t length = 0;
    const std::size_t expected = static_cast<std::size_t>(width * height * 4);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.size() < sizeof length) {
        result.failure = "the child process failed";
        return result;
    }
    std::memcpy(&length, bytes.data(), sizeof length);
    result.failure.assign(bytes.begin() + sizeof length,
                          bytes.begin() + static_cast<long>(sizeof length + length));
    if (bytes.size() == sizeof length + length + expected) {
        result.rgba.assign(bytes.end() - static_cast<long>(expected), bytes.end());
    }
    return result;
}

PixelComparison comparePixels(const Rendering& a, const Rendering& b, int width, int tolerance) {
    PixelComparison c;
    for (std::size_t i = 0; i + 3 < a.rgba.size() && i + 3 < b.rgba.size(); i += 4) {
        int pixel = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            pixel = std::max(pixel, std::abs(a.rgba[i + k] - b.rgba[i + k]));
        }
        c.largest = std::max(c.largest, pixel);
        if (pixel > tolerance && ++c.beyond <= 4) {
            const std::size_t n = i / 4;
            const auto rgba = [&](const Rendering& r) {
                std::string text = "(";
                for (std::size_t k = 0; k < 4; ++k) {
                    text += std::to_string(r.rgba[i + k]);
                    text += k < 3 ? " " : ")";
                }
                return text;
            };
            c.examples += std::to_string(n % static_cast<std::size_t>(width)) + "," +
                          std::to_string(n / static_cast<std::size_t>(width)) + " es1 " + rgba(a) + " es2 " +
                          rgba(b) + "; ";
        }
    }
    return c;
}
