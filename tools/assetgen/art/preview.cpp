#include "art/preview.h"

#include "art/font_sheet.h"
#include "art/legacy_texture.h"
#include "art/overlay_art.h"
#include "art/text.h"
#include "art/texture_set.h"

#include "runner/png_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace art {

namespace {

Image fromRgba8(const std::vector<std::uint8_t>& rgba, int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * w + x) * 4;
            img.at(x, y) = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
        }
    }
    return img;
}

bool save(const std::string& path, const Image& img) {
    const std::vector<std::uint8_t> rgba = toRgba8(img);
    if (!runner::writePng(path, img.width(), img.height(), rgba.data())) {
        std::fprintf(stderr, "nymbus-assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Transparent texels over a chequer, so cut-outs read as such.
Image overChequer(const Image& img) {
    Image out(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const float g = ((x / 8 + y / 8) % 2 == 0) ? 0.75f : 0.55f;
            out.at(x, y) = Colour{g, g, g, 1};
            out.blend(x, y, img.at(x, y), 1.0f);
        }
    }
    return out;
}

// The decoded top level, upright as a person sees it.
Image decodedTop(const TextureEntry& e, const std::vector<std::uint8_t>& file) {
    Image img = fromRgba8(decodeLegacyTopLevel(file), e.size, e.size);
    if (e.format == PixelFormat::Rgba4444 || e.alphaMask) {
        img = overChequer(img);
    }
    return e.vUp ? flipped(img) : img;
}

Image fontPreview() {
    const FontSheet sheet = buildFontSheet();
    constexpr int Scale = 3;
    Image img(256 * Scale, 256 * Scale, rgb(0x202838));
    for (int y = 0; y < 256 * Scale; ++y) {
        for (int x = 0; x < 256 * Scale; ++x) {
            // v up: the sheet's last row is the preview's first.
            const float c =
                sheet.coverage[static_cast<std::size_t>(255 - y / Scale) * 256 + x / Scale] / 255.0f;
            img.blend(x, y, rgb(0xFFFFFF), c);
        }
    }
    auto boxes = [&](const FontTables& t, const FontMetrics& m, const Colour& colour) {
        for (unsigned char code : fontGlyphCodes()) {
            const float x0 = t.u[code] * 256.0f * Scale, x1 = (t.u[code] + t.width[code]) * 256.0f * Scale;
            const float top = (1.0f - (t.v[code] - m.topOffset)) * 256.0f * Scale;
            const float bottom = top + m.glyphHeight * 256.0f * Scale;
            for (const auto& [a, b] : {std::pair<Point, Point>{{x0, top}, {x1, top}},
                                       {{x0, bottom}, {x1, bottom}},
                                       {{x0, top}, {x0, bottom}},
                                       {{x1, top}, {x1, bottom}}}) {
                drawLine(img, a, b, 1.0f, withAlpha(colour, 0.7f));
            }
        }
    };
    boxes(sheet.large, LargeFontMetrics, rgb(0xFF6040));
    boxes(sheet.small, SmallFontMetrics, rgb(0x40FF80));
    return img;
}

// All textures in one picture, each in a labelled cell.
Image contactSheet(const std::vector<Image>& tops) {
    constexpr int Cell = 200, Label = 20, Columns = 5;
    const auto& entries = textureEntries();
    const int rows = (static_cast<int>(entries.size()) + Columns - 1) / Columns;
    Image sheet(Columns * Cell, rows * (Cell + Label), rgb(0x181C22));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int cx = static_cast<int>(i) % Columns * Cell,
                  cy = static_cast<int>(i) / Columns * (Cell + Label);
        const Image& t = tops[i];
        const int inner = Cell - 8;
        for (int y = 0; y < inner; ++y) {
            for (int x = 0; x < inner; ++x) {
                // Box filter over the source texels that fall into this preview pixel.
                const int x0 = x * t.width() / inner, x1 = std::max(x0 + 1, (x + 1) * t.width() / inner);
                const int y0 = y * t.height() / inner, y1 = std::max(y0 + 1, (y + 1) * t.height() / inner);
                Colour sum{0, 0, 0, 0};
                for (int sy = y0; sy < y1; ++sy) {
                    for (int sx = x0; sx < x1; ++sx) {
                        const Colour& p = t.at(sx, sy);
                        sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, 1};
                    }
                }
                const float n = static_cast<float>((x1 - x0) * (y1 - y0));
                sheet.at(cx + 4 + x, cy + 4 + y) = {sum.r / n, sum.g / n, sum.b / n, 1};
            }
        }
        drawTextCentred(sheet, Typeface::Sans, 13, entries[i].name, static_cast<float>(cx + Cell / 2),
                        static_cast<float>(cy + Cell + 14), rgb(0xD8DCE4), false);
    }
    return sheet;
}

} // namespace

void writePreviews(const std::string& dir) {
    const std::filesystem::path out = std::filesystem::path(dir) / "art";
    std::filesystem::create_directories(out);
    std::vector<Image> tops;
    for (const TextureEntry& e : textureEntries()) {
        const std::vector<std::uint8_t> file =
            encodeLegacyTexture(e.paint(), e.format, e.mipCount, e.alphaMask);
        tops.push_back(decodedTop(e, file));
        save((out / (std::string(e.name) + ".png")).string(), tops.back());
    }
    save((out / "textures.png").string(), contactSheet(tops));
    save((out / "font_sheet.png").string(), fontPreview());
    for (bool b : {false, true}) {
        const auto file = encodeLegacyTexture(paintLogo(b), PixelFormat::Rgb565, 7);
        save((out / (b ? "logo_b.png" : "logo_a.png")).string(),
             fromRgba8(decodeLegacyTopLevel(file), 128, 128));
    }
}

} // namespace art
