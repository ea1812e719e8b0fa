#pragma once
// Which rectangle of each texture holds what. The painters fill these rectangles and the meshes map their
// texture coordinates into them, so both sides read this one file.
//
// Rectangles are in texels of the full-size level: x counts columns from the left, y counts rows from the
// first row stored in the file (the row the GL receives first, texture coordinate v = 0). A mesh maps
// (s, t) in [0, 1] inside a rectangle to u = (x + s * w) / width, v = (y + t * h) / height.
// Upright pictures (facades, trees, signs, boards) have their top edge at row y, so a wall's top vertices
// use t = 0 and its bottom vertices t = 1. Where a rectangle is repeated along a surface (road, walls,
// ground) its top and bottom rows, and its left and right columns, must join seamlessly.
namespace atlas {

struct Rect {
    int x, y, w, h;
};

struct Texture {
    const char* file;
    int width, height;
};

struct UV {
    float u, v;
};

// (s, t) inside a rectangle, pulled in by half a texel so that filtering never reaches the neighbours.
constexpr UV mapInto(const Texture& tex, const Rect& r, float s, float t) {
    const float x0 = static_cast<float>(r.x) + 0.5f;
    const float y0 = static_cast<float>(r.y) + 0.5f;
    const float spanX = static_cast<float>(r.w) - 1.0f;
    const float spanY = static_cast<float>(r.h) - 1.0f;
    return {(x0 + s * spanX) / static_cast<float>(tex.width),
            (y0 + t * spanY) / static_cast<float>(tex.height)};
}

// Road pieces (road.nym). s runs across the road from the driver's left edge (0) to the right edge (1);
// t runs along the road, one rectangle per tile, and the tiles follow each other in the direction of travel.
// The driven surface is 11 units wide: the picture spans lateral -5.5 to +5.5 of the racing line.
inline constexpr Texture kRoad{"road.nym", 512, 512};
namespace road {
inline constexpr float kHalfWidth = 5.5f;   // lateral extent the rectangles cover
inline constexpr float kTileLength = 12.0f; // units of road per rectangle height
// Asphalt with a white edge line 0.5 in from each side and a dashed centre line (two dashes per tile).
inline constexpr Rect plain{0, 0, 256, 384};
// The same with red and white kerbs in the outer 0.7 of each side instead of the edge lines.
inline constexpr Rect kerb{256, 0, 256, 384};
// One tile with the chequered start and finish line across it at t = 0.5, asphalt with edge lines around.
inline constexpr Rect start{0, 384, 256, 128};
// Tunnel floor: darker, dusty asphalt with edge lines and no centre dashes; repeats along t.
inline constexpr Rect tunnel{256, 384, 256, 128};
} // namespace road

// Buildings and ground (section01.nym, the 1024 atlas). Ground rectangles are seen from above and repeat
// both ways (one rectangle per 8 x 8 units); facades are upright and repeat sideways (s).
inline constexpr Texture kSection01{"section01.nym", 1024, 1024};
namespace section01 {
inline constexpr float kGroundTile = 8.0f;
inline constexpr Rect grass{0, 0, 256, 256};      // mown verge and fields
inline constexpr Rect meadow{256, 0, 256, 256};   // rougher, darker grass with flowers, for the woods
inline constexpr Rect pavement{512, 0, 256, 256}; // paving slabs of the town
inline constexpr Rect gravel{768, 0, 256, 256};   // dusty gravel and concrete of the industrial yards
// Town facades, one storey-and-a-half per rectangle height (4 units), about 4 units wide.
inline constexpr Rect townhouse{0, 256, 256, 256}; // plaster, two windows over a door
inline constexpr Rect brickHouse{256, 256, 256, 256};
inline constexpr Rect shopFront{512, 256, 256, 256}; // shop window and awning below, windows above
inline constexpr Rect timberHouse{768, 256, 256, 256};
inline constexpr Rect roofTiles{0, 512, 256, 128};      // red clay tiles; t runs down the slope
inline constexpr Rect roofSlate{0, 640, 256, 128};      // grey slate
inline constexpr Rect sideWall{256, 512, 256, 256};     // plain plaster gable wall with one small window
inline constexpr Rect grandstand{512, 512, 512, 256};   // front of a grandstand: rows of seats and a crowd
inline constexpr Rect stoneWall{0, 768, 256, 128};      // dry stone wall, repeats along s
inline constexpr Rect hedge{0, 896, 256, 128};          // clipped hedge, repeats along s
inline constexpr Rect rockFace{256, 768, 256, 256};     // wet grey rock of the waterfall's cliff
inline constexpr Rect concreteWall{512, 768, 256, 256}; // grey retaining wall and barrier faces
inline constexpr Rect fence{768, 768, 256, 256}; // chain-link fence over grass (tops of walls, paddock)
} // namespace section01

// Tunnels (tunnels.nym).
inline constexpr Texture kTunnels{"tunnels.nym", 512, 512};
namespace tunnels {
// Inside of the tube: s runs round the wall from the left foot (0) over the roof to the right foot (1), t
// along the tunnel (one rectangle per 8 units); concrete panels with a row of lamps at s = 0.5.
inline constexpr Rect interior{0, 0, 256, 512};
inline constexpr float kInteriorTile = 8.0f;
inline constexpr Rect portal{256, 0, 256, 256};     // stone blocks of the portal faces, repeats both ways
inline constexpr Rect hillside{256, 256, 256, 256}; // grass and rock of the mound over the tunnel
} // namespace tunnels

// Advertising boards (LogosGEN.nym): four banners of 4:1, upright.
inline constexpr Texture kLogos{"LogosGEN.nym", 512, 512};
namespace logos {
inline constexpr Rect board[4] = {
    {0, 0, 512, 128}, {0, 128, 512, 128}, {0, 256, 512, 128}, {0, 384, 512, 128}};
} // namespace logos

// Industrial buildings (industrial.nym).
inline constexpr Texture kIndustrial{"industrial.nym", 512, 512};
namespace industrial {
inline constexpr Rect corrugated{0, 0, 256, 256};     // ribbed metal cladding, repeats sideways, 6 units high
inline constexpr Rect roofMetal{256, 0, 256, 256};    // flat roof sheeting seen from above
inline constexpr Rect brickWindows{0, 256, 256, 256}; // factory brick wall with a row of tall windows
inline constexpr Rect tank{256, 256, 128, 256};       // painted steel of tanks and chimneys, repeats round
inline constexpr Rect container{384, 256, 128, 128};  // side of a shipping container
inline constexpr Rect hazard{384, 384, 128, 128};     // yellow and black stripes (gate posts, barriers)
} // namespace industrial

// Trees (tree.nym): upright cut-outs with alpha, drawn on crossed quads.
inline constexpr Texture kTree{"tree.nym", 512, 512};
namespace tree {
inline constexpr Rect conifer{0, 0, 256, 512};
inline constexpr Rect broadleaf{256, 0, 256, 256};
inline constexpr Rect bush{256, 256, 256, 256};
} // namespace tree

// Road signs (road_signs.nym), upright.
inline constexpr Texture kRoadSigns{"road_signs.nym", 512, 512};
namespace signs {
inline constexpr Rect chevronLeft{0, 0, 256, 128}; // arrows pointing left: the road turns left
inline constexpr Rect chevronRight{0, 128, 256, 128};
inline constexpr Rect board150{256, 0, 128, 128}; // distance boards before a braking point
inline constexpr Rect board100{384, 0, 128, 128};
inline constexpr Rect board50{256, 128, 128, 128};
inline constexpr Rect post{384, 128, 128, 128};      // grey metal of posts and the backs of signs
inline constexpr Rect barrier{0, 256, 512, 128};     // red and white barrier boards, repeats sideways
inline constexpr Rect tunnelAhead{0, 384, 256, 128}; // tunnel warning sign
inline constexpr Rect townName{256, 384, 256, 128};  // yellow town name board "NYMBUS"
} // namespace signs

// Car livery (StellarionRedGEN, StellarionGreenGEN and StellarionYellowGEN share this layout; the wheels
// use the red one).
inline constexpr Texture kLiveryRed{"StellarionRedGEN.nym", 512, 512};
inline constexpr Texture kLiveryGreen{"StellarionGreenGEN.nym", 512, 512};
inline constexpr Texture kLiveryYellow{"StellarionYellowGEN.nym", 512, 512};
namespace livery {
// The body skin. s runs round the cross-section: 0 on the underside centreline, 0.25 the right flank,
// 0.5 the top centreline, 0.75 the left flank, 1 back at the underside. t runs from the nose tip (0) to
// the tail (1). The cockpit opening (dark, with the driver's helmet) lies at s 0.44-0.56, t 0.42-0.56;
// the racing number on each flank at t 0.45-0.6; the underside (s < 0.1 and s > 0.9) is dark.
inline constexpr Rect body{0, 0, 512, 320};
inline constexpr Rect wing{0, 320, 256, 96};      // top of the rear wing, s across the car, t front to back
inline constexpr Rect endCap{256, 320, 128, 96};  // the flat nose and tail faces (grille, lamps)
inline constexpr Rect tyre{384, 320, 128, 96};    // tread: s round the tyre, t across its width
inline constexpr Rect rim{0, 416, 96, 96};        // wheel face: a rim and hub disc filling the square
inline constexpr Rect endplate{96, 416, 160, 96}; // wing endplates with a sponsor decal
inline constexpr Rect helmet{256, 416, 128, 96};  // driver's helmet
} // namespace livery

// Textures used whole: the lamp glow (two halves), the car shadow, the reflection map, the waterfall
// (repeats in v; its layers scroll) and the five sky faces. The ground meshes end 60 to 120 units from
// the road, so the side faces of the sky show distant land below their horizon line, not sky.
inline constexpr Texture kLampGlow{"blight3.nym", 64, 64};
namespace lamp {
inline constexpr Rect brake{0, 0, 64, 32}; // red glow, a soft ellipse filling the half
inline constexpr Rect head{0, 32, 64, 32}; // warm white glow
} // namespace lamp
inline constexpr Texture kShadow{"kesshad.nym", 256, 256};
inline constexpr Texture kReflection{"reflectionmap.nym", 128, 128};
inline constexpr Texture kWaterfall{"wFall.nym", 256, 256};
inline constexpr Texture kSkyBox[5] = {{"SkyBox_1.nym", 256, 256},
                                       {"SkyBox_2.nym", 256, 256},
                                       {"SkyBox_3.nym", 256, 256},
                                       {"SkyBox_4.nym", 256, 256},
                                       {"SkyBox_5.nym", 256, 256}};

} // namespace atlas
