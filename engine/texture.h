#pragma once
// One texture image: its file name, its upload options and, once loaded, its GL texture name.

struct NymTexture {
    char* name;           // private copy of the name given to setName
    int wrapS;            // nonzero: GL_REPEAT in s, zero: GL_CLAMP_TO_EDGE
    int wrapT;            // the same in t
    int mipmap;           // nonzero: mip-mapped minification, and raw files get mip levels built
    int force16;          // raw RGB/RGBA files: reduce to 16 bits per pixel before upload
    int dither;           // add noise from the dither table when reducing to 16 bits
    int width;            // set by the loaders
    int height;           // set by the loaders
    unsigned int texname; // GL texture name; 0 when not loaded
    int ditherIndex[4];   // positions in the dither table for red, green, blue, alpha

    void init();
    // Releases the current texture, then stores a copy of the name and loads it through the renderer.
    // Returns texname (0 on any failure). A null name only releases.
    unsigned int setName(const char* newName);
    // Deletes the GL texture if there is one and frees the name.
    void release();
};

// Starting positions of the four channels in the dither table.
inline constexpr int kDitherStart[4] = {0, 93, 187, 70};
