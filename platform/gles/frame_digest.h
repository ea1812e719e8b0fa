#pragma once
// The frame digest: a layer in front of the dispatch table that folds every OpenGL ES call the program
// makes into a 64-bit hash, with its arguments and the data they hand over: the vertex, normal, colour
// and texture-coordinate arrays each draw reads (only the vertices it reads, only the bytes of their
// components), its indices, the pixels each upload passes (each row without its alignment padding) and
// the matrices and texture names passed by pointer. Texture names count as the order in which the GL
// handed them out, as each GL numbers its objects its own way. Pointer values, what the GL hands back
// and EGL calls are left out, so two builds that make the same calls with the same data get the same
// hash on any GL.
// Calls made during eglSwapBuffers (the runner's read-back and queries around a presented frame) are not
// the program's and are left out too.
#include <cstdint>

namespace platform::gles {

// Puts the layer in front of the driver in use (the system driver if none is installed yet): from now on
// every GL call is hashed. Starting it again changes nothing.
void startFrameDigest();
// Takes the layer out again, putting back the table it stood in front of.
void stopFrameDigest();

// The hash of the GL calls since the digest started or since the last call of this function, which
// starts the next hash.
std::uint64_t takeFrameDigest();

} // namespace platform::gles
