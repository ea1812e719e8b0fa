#include "print3d/font_data.h"
#include "print3d/print3d_artwork.h"

// Kept in a file of its own, so that only programs that use the compiled-in artwork need its definitions.
const Print3DArtwork compiledInArtwork = {
    fontImage,
    {fontLargeU, fontLargeV, fontLargeWidth},
    {fontSmallU, fontSmallV, fontSmallWidth},
    {iconImages[0], iconImages[1], iconImages[2], iconImages[3]},
    logoA,
    logoB,
};
