#include "runner/report/frame_time_plot.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace runner::report {

namespace {

constexpr double kWidth = 1200;
constexpr double kHeight = 540;
// The plot area's margins: the title above, the legend on the right.
constexpr double kLeft = 70;
constexpr double kRight = 210;
constexpr double kTop = 66;
constexpr double kBottom = 52;

struct Colour {
    double r, g, b;
};
constexpr Colour kPalette[] = {{0.12, 0.47, 0.71}, {0.95, 0.50, 0.05}, {0.17, 0.63, 0.17},
                               {0.58, 0.40, 0.74}, {0.84, 0.15, 0.16}, {0.55, 0.34, 0.29}};
constexpr Colour kWarmUp{0.55, 0.55, 0.55};
constexpr Colour kMedian{0.10, 0.45, 0.20};
constexpr Colour kP99{0.80, 0.10, 0.10};

Colour labelColour(int label) {
    return label < 0 ? Colour{0.8, 0.8, 0.8}
                     : kPalette[static_cast<std::size_t>(label) % std::size(kPalette)];
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A step of 1, 2 or 5 times a power of ten that cuts `range` into about `parts` parts.
double niceStep(double range, int parts) {
    const double raw = std::max(range, 1e-9) / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (raw <= m * power) {
            return m * power;
        }
    }
    return 10 * power;
}

std::string text(const char* pattern, double value) {
    char t[64];
    std::snprintf(t, sizeof t, pattern, value);
    return t;
}

class Painter {
public:
    Painter(cairo_t* cr, std::size_t frames, double topMs)
        : cr_(cr), frames_(static_cast<double>(std::max<std::size_t>(frames, 1))), topMs_(topMs) {}

    double x(double frame) const { return kLeft + plotWidth() * frame / frames_; }
    double y(double ms) const { return kTop + plotHeight() * (1 - std::min(ms, topMs_) / topMs_); }
    static double plotWidth() { return kWidth - kLeft - kRight; }
    static double plotHeight() { return kHeight - kTop - kBottom; }

    void colour(Colour c, double lighten = 0) {
        cairo_set_source_rgb(cr_, c.r + (1 - c.r) * lighten, c.g + (1 - c.g) * lighten,
                             c.b + (1 - c.b) * lighten);
    }
    void font(double size, bool bold = false) {
        cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }
    // Text with its left end (align 0), centre (0.5) or right end (1) at x, its baseline at y. Cairo takes
    // UTF-8 only: a stray byte (from a driver's string) stands for itself, a control character for '?'.
    void write(double px, double py, const std::string& s, double align = 0) {
        std::wstring wide = platform::fromUtf8(s);
        std::replace_if(
            wide.begin(), wide.end(), [](wchar_t c) { return c < 0x20; }, L'?');
        const std::string utf8 = platform::toUtf8(wide);
        cairo_text_extents_t extents;
        cairo_text_extents(cr_, utf8.c_str(), &extents);
        cairo_move_to(cr_, px - extents.x_advance * align, py);
        cairo_show_text(cr_, utf8.c_str());
    }
    void line(double ax, double ay, double bx, double by, double width) {
        cairo_set_line_width(cr_, width);
        cairo_move_to(cr_, ax, ay);
        cairo_line_to(cr_, bx, by);
        cairo_stroke(cr_);
    }
    cairo_t* cr() const { return cr_; }

private:
    cairo_t* cr_;
    double frames_;
    double topMs_;
};

// The scale's top: room above the 99th percentile, without letting the warm-up or a rare stall flatten
// everything else; frames above it are marked at the top edge.
double scaleTop(const RunSummary& summary) {
    const FrameStatistics& whole = summary.whole.frames ? summary.whole : summary.warmUp;
    const double top = std::max({std::min(whole.worstMs, 3 * whole.p99Ms), 2 * whole.medianMs, 1.0}) * 1.1;
    const double step = niceStep(top, 6);
    return std::ceil(top / step) * step;
}

void drawPlot(Painter& p, const FrameLog& log, const RunSummary& summary, const RunEnvironment& e,
              const RunSettings& settings, double top) {
    const std::vector<FrameRecord>& frames = log.frames;
    const std::size_t n = frames.size();
    const std::size_t warmUp = summary.warmUp.frames;
    cairo_t* cr = p.cr();

    p.colour({1, 1, 1});
    cairo_paint(cr);

    // Title and what was measured.
    p.colour({0.1, 0.1, 0.1});
    p.font(17, true);
    p.write(kLeft, 28,
            "Nymbus " + e.version +
                " frame times: " + (e.glRenderer.empty() ? "unknown renderer" : e.glRenderer) + ", " +
                std::to_string(e.width) + " x " + std::to_string(e.height));
    p.font(12);
    p.colour({0.35, 0.35, 0.35});
    std::string clock = settings.fixedFps > 0
                            ? "virtual clock at " + std::to_string(settings.fixedFps) + " fps"
                            : std::string("real clock");
    if (settings.benchmarkLaps > 0) {
        clock = std::to_string(summary.laps) + (summary.laps == 1 ? " lap, " : " laps, ") + clock;
    }
    p.write(kLeft, 48,
            e.glVersion + "  |  " + e.backend + " backend  |  " + clock + "  |  score " +
                std::to_string(summary.score) + " (mean fps after the warm-up)");

    // Bands: each stretch of frames with one label, the warm-up in grey.
    for (std::size_t begin = 0; begin < n;) {
        std::size_t end = begin + 1;
        const bool inWarmUp = begin < warmUp;
        while (end < n && frames[end].label == frames[begin].label && (end < warmUp) == inWarmUp) {
            ++end;
        }
        const Colour colour = inWarmUp ? kWarmUp : labelColour(frames[begin].label);
        const double left = p.x(static_cast<double>(begin));
        const double width = p.x(static_cast<double>(end)) - left;
        p.colour(colour, inWarmUp ? 0.6 : 0.82);
        cairo_rectangle(cr, left, kTop, width, Painter::plotHeight());
        cairo_fill(cr);
        // The band's name where there is room for it.
        const int label = frames[begin].label;
        if (!inWarmUp && label >= 0 && width > 70) {
            p.font(11);
            p.colour({colour.r * 0.6, colour.g * 0.6, colour.b * 0.6});
            p.write(left + 5, kTop + 22, log.labels[static_cast<std::size_t>(label)]);
        }
        begin = end;
    }

    // Grid and scales.
    p.font(11);
    const double yStep = niceStep(top, 6);
    for (double v = 0; v <= top + yStep / 2; v += yStep) {
        p.colour({0.6, 0.6, 0.6});
        p.line(kLeft, p.y(v), kLeft + Painter::plotWidth(), p.y(v), 0.5);
        p.colour({0.2, 0.2, 0.2});
        p.write(kLeft - 6, p.y(v) + 4, text("%g", v), 1);
    }
    const double xStep = std::max(1.0, niceStep(static_cast<double>(n), 10));
    for (double f = 0; f <= static_cast<double>(n); f += xStep) {
        p.colour({0.2, 0.2, 0.2});
        p.line(p.x(f), kTop + Painter::plotHeight(), p.x(f), kTop + Painter::plotHeight() + 4, 1);
        p.write(p.x(f), kTop + Painter::plotHeight() + 17, text("%.0f", f), 0.5);
    }
    p.write(kLeft + Painter::plotWidth() / 2, kHeight - 10, "presented frame", 0.5);
    cairo_save(cr);
    cairo_translate(cr, 18, kTop + Painter::plotHeight() / 2);
    cairo_rotate(cr, -M_PI / 2);
    p.write(0, 0, "frame time (ms)", 0.5);
    cairo_restore(cr);

    // The frame times, and a mark at the top edge for each frame above the scale.
    p.colour({0.1, 0.1, 0.15});
    cairo_set_line_width(cr, 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
    std::size_t above = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double px = p.x(static_cast<double>(i) + 0.5);
        if (i == 0) {
            cairo_move_to(cr, px, p.y(frames[i].frameMs));
        } else {
            cairo_line_to(cr, px, p.y(frames[i].frameMs));
        }
        above += frames[i].frameMs > top ? 1 : 0;
    }
    cairo_stroke(cr);
    if (above > 0) {
        p.colour(kP99);
        for (std::size_t i = 0; i < n; ++i) {
            if (frames[i].frameMs > top) {
                const double px = p.x(static_cast<double>(i) + 0.5);
                cairo_move_to(cr, px, kTop + 1);
                cairo_line_to(cr, px - 4, kTop + 8);
                cairo_line_to(cr, px + 4, kTop + 8);
                cairo_close_path(cr);
                cairo_fill(cr);
            }
        }
        const double worst = std::max(summary.warmUp.worstMs, summary.whole.worstMs);
        p.font(11);
        p.write(kLeft + Painter::plotWidth(), kTop - 5,
                std::to_string(above) + (above == 1 ? " frame" : " frames") + " above the scale, longest " +
                    text("%.1f ms", worst),
                1);
    }

    // Median and 99th percentile of the frames after the warm-up.
    const double dashes[] = {6, 4};
    cairo_set_dash(cr, dashes, 2, 0);
    p.colour(kMedian);
    p.line(kLeft, p.y(summary.whole.medianMs), kLeft + Painter::plotWidth(), p.y(summary.whole.medianMs),
           1.6);
    p.colour(kP99);
    p.line(kLeft, p.y(summary.whole.p99Ms), kLeft + Painter::plotWidth(), p.y(summary.whole.p99Ms), 1.6);
    cairo_set_dash(cr, nullptr, 0, 0);
    p.colour({0.2, 0.2, 0.2});
    cairo_rectangle(cr, kLeft, kTop, Painter::plotWidth(), Painter::plotHeight());
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    // Legend.
    const double lx = kLeft + Painter::plotWidth() + 18;
    double ly = kTop + 8;
    p.font(12, true);
    p.colour({0.1, 0.1, 0.1});
    p.write(lx, ly + 4, "median, after warm-up");
    ly += 24;
    p.font(12);
    const auto entry = [&](Colour c, double lighten, const std::string& name, double median) {
        p.colour(c, lighten);
        cairo_rectangle(cr, lx, ly - 10, 14, 14);
        cairo_fill(cr);
        p.colour({0.1, 0.1, 0.1});
        p.write(lx + 20, ly + 2, name + (median > 0 ? text("  %.2f ms", median) : std::string()));
        ly += 22;
    };
    for (const LabelStatistics& l : summary.labels) {
        const auto index = std::find(log.labels.begin(), log.labels.end(), l.label) - log.labels.begin();
        entry(labelColour(static_cast<int>(index)), 0.45, l.label, l.figures.medianMs);
    }
    entry(kWarmUp, 0.3, "warm-up (" + std::to_string(warmUp) + " frames)", 0);
    ly += 10;
    const auto lineEntry = [&](Colour c, const std::string& name) {
        p.colour(c);
        cairo_set_dash(cr, dashes, 2, 0);
        p.line(lx, ly - 3, lx + 14, ly - 3, 1.6);
        cairo_set_dash(cr, nullptr, 0, 0);
        p.colour({0.1, 0.1, 0.1});
        p.write(lx + 20, ly + 2, name);
        ly += 22;
    };
    lineEntry(kMedian, text("median %.2f ms", summary.whole.medianMs));
    lineEntry(kP99, text("99th pct. %.2f ms", summary.whole.p99Ms));
}

} // namespace

bool drawFrameTimePlot(const FrameLog& log, const RunSummary& summary, const RunEnvironment& environment,
                       const RunSettings& settings, bool svg, std::string& bytes, std::string& error) {
    bytes.clear();
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    Surface surface(svg ? cairo_svg_surface_create_for_stream(appendBytes, &bytes, kWidth, kHeight)
                        : cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(kWidth),
                                                     static_cast<int>(kHeight)),
                    cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    const double top = scaleTop(summary);
    Painter painter(cr.get(), log.frames.size(), top);
    drawPlot(painter, log, summary, environment, settings, top);
    cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    if (status == CAIRO_STATUS_SUCCESS && !svg) {
        status = cairo_surface_write_to_png_stream(surface.get(), appendBytes, &bytes);
    }
    cairo_surface_finish(surface.get());
    if (status == CAIRO_STATUS_SUCCESS) {
        status = cairo_surface_status(surface.get());
    }
    surface.reset();
    // The plot is drawn once, at the end of a run: cairo's and fontconfig's caches need not outlive it.
    cairo_debug_reset_static_data();
    FcFini();
    if (status != CAIRO_STATUS_SUCCESS) {
        error = std::string("cannot draw the plot: ") + cairo_status_to_string(status);
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace runner::report
