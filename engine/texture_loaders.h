#pragma once
// The texture file loaders of the GL back end. Each reads the file named by the texture through the
// virtual files and uploads it into a new GL texture of the current context.
#include <cstddef>

struct NymTexture;

// Loads a legacy texture file (44-byte header, then the levels); sets width, height and texname.
// Returns texname, 0 on failure.
unsigned int NymLoadTextureFromFile(NymTexture* texture);

// Uploads a legacy texture held in memory: bufferSize bytes holding the header and the pixel data. Levels
// below skipLevels are not sent. Writes the new GL name to outName (0 on failure). Returns 0 on success,
// 1 for a rejected file (unsupported format, or sizes that reach past the buffer), else the GL error.
unsigned int UploadTextureFromHeader(const void* buffer, std::size_t bufferSize, int skipLevels,
                                     unsigned int* outName, int mipmap, int wrapS, int wrapT);

// Loads a headerless raw file whose dimensions follow from its length: mode 0 RGB or RGBA, 1 luminance,
// 2 alpha. Returns texname (0 if the file cannot be opened or its length matches no known size).
unsigned int RGBLoadTextureFromFile(NymTexture* texture, int mode);

// JPEG files are not decoded: reports the failure and returns 0.
unsigned int JPGLoadTextureFromFile(NymTexture* texture);
