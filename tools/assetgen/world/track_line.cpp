#include "track_line.h"

#include "section_layout.h"

#include <algorithm>
#include <cmath>

namespace world {

namespace {

struct Weave {
    double from, to; // arc range on the smoothed spline
    double waves;    // whole waves over the range
    double amplitude;
};

constexpr Weave kWeaves[] = {{310.0, 515.0, 3.0, 7.0}};

// Centripetal Catmull-Rom segment from p1 to p2 (Barry-Goldman form), at t in [0, 1].
V3 catmullRom(V3 p0, V3 p1, V3 p2, V3 p3, double t) {
    const double t0 = 0.0;
    const double t1 = t0 + std::sqrt(std::max(length(p1 - p0), 1e-9));
    const double t2 = t1 + std::sqrt(std::max(length(p2 - p1), 1e-9));
    const double t3 = t2 + std::sqrt(std::max(length(p3 - p2), 1e-9));
    const double u = t1 + (t2 - t1) * t;
    const V3 a1 = p0 * ((t1 - u) / (t1 - t0)) + p1 * ((u - t0) / (t1 - t0));
    const V3 a2 = p1 * ((t2 - u) / (t2 - t1)) + p2 * ((u - t1) / (t2 - t1));
    const V3 a3 = p2 * ((t3 - u) / (t3 - t2)) + p3 * ((u - t2) / (t3 - t2));
    const V3 b1 = a1 * ((t2 - u) / (t2 - t0)) + a2 * ((u - t0) / (t2 - t0));
    const V3 b2 = a2 * ((t3 - u) / (t3 - t1)) + a3 * ((u - t1) / (t3 - t1));
    return b1 * ((t2 - u) / (t2 - t1)) + b2 * ((u - t1) / (t2 - t1));
}

} // namespace

TrackLine::TrackLine(const std::vector<V3>& cp) {
    // Fine polyline through every segment, then resampled at a uniform arc step.
    const std::size_t n = cp.size();
    std::vector<V3> fine;
    constexpr int kPerSegment = 4000;
    for (std::size_t i = 0; i < n; ++i) {
        const V3 p0 = cp[(i + n - 1) % n], p1 = cp[i], p2 = cp[(i + 1) % n], p3 = cp[(i + 2) % n];
        for (int j = 0; j < kPerSegment; ++j) {
            fine.push_back(catmullRom(p0, p1, p2, p3, static_cast<double>(j) / kPerSegment));
        }
    }
    fine.push_back(cp[0]);
    std::vector<double> cumulative(fine.size(), 0.0);
    for (std::size_t i = 1; i < fine.size(); ++i) {
        cumulative[i] = cumulative[i - 1] + world::length(fine[i] - fine[i - 1]);
    }
    length_ = cumulative.back();
    const auto count = static_cast<std::size_t>(std::floor(length_ / kStep));
    samples_.reserve(count + 1);
    std::size_t j = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double a = static_cast<double>(i) * kStep;
        while (cumulative[j + 1] < a) {
            ++j;
        }
        const double f = (a - cumulative[j]) / (cumulative[j + 1] - cumulative[j]);
        samples_.push_back(lerp(fine[j], fine[j + 1], f));
    }
    smooth();
}

void TrackLine::smooth() {
    // A Gaussian filter over the closed polyline rounds off the curvature peaks that the spline puts at
    // its control points; then the start is moved back onto the origin, fading out over 40 units.
    const int radius = static_cast<int>(3.0 * kSmoothing / kStep);
    std::vector<double> weights(static_cast<std::size_t>(radius) + 1);
    double total = 0.0;
    for (int i = 0; i <= radius; ++i) {
        const double x = i * kStep / kSmoothing;
        weights[static_cast<std::size_t>(i)] = std::exp(-0.5 * x * x);
        total += (i == 0 ? 1.0 : 2.0) * weights[static_cast<std::size_t>(i)];
    }
    const auto n = static_cast<long>(samples_.size());
    std::vector<V3> out(samples_.size());
    for (long i = 0; i < n; ++i) {
        V3 sum{};
        for (int j = -radius; j <= radius; ++j) {
            const long k = ((i + j) % n + n) % n;
            sum =
                sum + samples_[static_cast<std::size_t>(k)] * weights[static_cast<std::size_t>(std::abs(j))];
        }
        out[static_cast<std::size_t>(i)] = sum * (1.0 / total);
    }
    // Weaves: slow S-bends laid over the stretches between the fixed points, faded in and out so the
    // line keeps its direction where they start and end.
    std::vector<V3> woven = out;
    for (const Weave& w : kWeaves) {
        for (long i = 0; i < n; ++i) {
            const double a = static_cast<double>(i) * kStep;
            if (a <= w.from || a >= w.to) {
                continue;
            }
            const double t = (a - w.from) / (w.to - w.from);
            const double envelope = std::sin(kPi * t) * std::sin(kPi * t);
            const V3 ahead = out[static_cast<std::size_t>((i + 5) % n)];
            const V3 behind = out[static_cast<std::size_t>((i + n - 5) % n)];
            const V3 side = rightOf(normalised(ahead - behind));
            woven[static_cast<std::size_t>(i)] =
                woven[static_cast<std::size_t>(i)] +
                side * (w.amplitude * envelope * std::sin(2.0 * kPi * w.waves * t));
        }
    }
    out = woven;
    const V3 shift = out[0];
    for (long i = 0; i < n; ++i) {
        const double a = std::min(static_cast<double>(i), static_cast<double>(n - i)) * kStep;
        out[static_cast<std::size_t>(i)] =
            out[static_cast<std::size_t>(i)] - shift * (1.0 - smoothstep(a / 40.0));
    }
    // Resample at the uniform step again: the filter shortened the curve slightly.
    std::vector<double> cumulative(out.size() + 1, 0.0);
    for (std::size_t i = 1; i <= out.size(); ++i) {
        cumulative[i] = cumulative[i - 1] + world::length(out[i % out.size()] - out[i - 1]);
    }
    length_ = cumulative.back();
    const auto count = static_cast<std::size_t>(std::floor(length_ / kStep));
    samples_.clear();
    std::size_t j = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double a = static_cast<double>(i) * kStep;
        while (cumulative[j + 1] < a) {
            ++j;
        }
        const double f = (a - cumulative[j]) / (cumulative[j + 1] - cumulative[j]);
        samples_.push_back(lerp(out[j], out[(j + 1) % out.size()], f));
    }
}

V3 TrackLine::at(double arc) const {
    double a = std::fmod(arc, length_);
    if (a < 0.0) {
        a += length_;
    }
    const double x = a / kStep;
    const auto i = static_cast<std::size_t>(x);
    const double f = x - static_cast<double>(i);
    const V3 p0 = samples_[i % samples_.size()];
    // The last sample joins the first: the step between them is slightly shorter than kStep.
    const V3 p1 = (i + 1 < samples_.size()) ? samples_[i + 1] : samples_[0];
    const double span = (i + 1 < samples_.size()) ? kStep : length_ - static_cast<double>(i) * kStep;
    return lerp(p0, p1, std::min(1.0, f * kStep / span));
}

V3 TrackLine::forward(double arc) const {
    return normalised(at(arc + 0.25) - at(arc - 0.25));
}

double TrackLine::curvature(double arc) const {
    const V3 a = forward(arc - 2.0), b = forward(arc + 2.0);
    const double turn = std::atan2(a.x * b.z - a.z * b.x, dot(a, b));
    return turn / 4.0;
}

double TrackLine::nearestArc(V3 p) const {
    // Coarse search every unit, then the fine samples round the best one.
    constexpr std::size_t kCoarse = 20;
    double best = 1e30;
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < samples_.size(); i += kCoarse) {
        const double d = distanceXZ(samples_[i], p);
        if (d < best) {
            best = d;
            bestIndex = i;
        }
    }
    const std::size_t n = samples_.size();
    std::size_t fineBest = bestIndex;
    for (std::size_t j = 0; j <= 2 * kCoarse; ++j) {
        const std::size_t i = (bestIndex + n - kCoarse + j) % n;
        const double d = distanceXZ(samples_[i], p);
        if (d < best) {
            best = d;
            fineBest = i;
        }
    }
    return static_cast<double>(fineBest) * kStep;
}

double TrackLine::distance(V3 p) const {
    return distanceXZ(at(nearestArc(p)), p);
}

double TrackLine::distanceWithin(V3 p, double from, double to) const {
    const auto first = static_cast<std::size_t>(std::max(0.0, from / kStep));
    const auto last = std::min(samples_.size() - 1, static_cast<std::size_t>(std::max(0.0, to / kStep)));
    double best = 1e30;
    for (std::size_t i = first; i <= last; ++i) {
        best = std::min(best, distanceXZ(samples_[i], p));
    }
    return best;
}

std::vector<V3> circuitControlPoints() {
    // The start lies on a gentle right-hand curve: the neighbours of point 0 mirror each other in z, so
    // the line heads straight along -z at the origin.
    return {
        flat(0.0, 0.0),       flat(7.5, -44.0),     flat(17.0, -110.0),   flat(24.2, -166.7),
        flat(26.0, -205.0),   flat(10.0, -236.0),   flat(-18.0, -247.0),  flat(-45.6, -241.5),
        flat(-70.0, -238.0),  flat(-92.0, -232.0),  flat(-110.0, -218.0), flat(-126.0, -206.0),
        flat(-136.0, -186.0), flat(-152.0, -162.0), flat(-170.0, -146.0), flat(-192.0, -124.0),
        flat(-212.7, -103.4), flat(-232.0, -98.0),  flat(-246.0, -78.0),  flat(-256.0, -58.0),
        flat(-276.0, -50.0),  flat(-308.0, -42.2),  flat(-322.0, -46.0),  flat(-333.0, -36.0),
        flat(-335.0, -20.0),  flat(-329.0, -4.0),   flat(-315.0, 12.0),   flat(-304.0, 34.0),
        flat(-290.0, 52.0),   flat(-270.0, 58.0),   flat(-252.0, 46.0),   flat(-238.0, 30.0),
        flat(-220.0, 26.0),   flat(-198.0, 30.0),   flat(-176.0, 40.0),   flat(-154.0, 50.0),
        flat(-140.0, 68.0),   flat(-144.0, 92.0),   flat(-138.0, 110.0),  flat(-128.8, 128.6),
        flat(-142.0, 154.0),  flat(-132.0, 182.0),  flat(-104.0, 186.0),  flat(-84.0, 182.0),
        flat(-68.0, 190.0),   flat(-61.2, 207.4),   flat(-50.0, 222.0),   flat(-28.0, 228.0),
        flat(10.0, 216.0),    flat(36.0, 232.0),    flat(62.0, 236.0),    flat(86.0, 222.0),
        flat(130.0, 224.0),   flat(175.0, 214.0),   flat(225.0, 222.0),   flat(262.0, 210.0),
        flat(270.0, 180.0),   flat(250.0, 160.0),   flat(210.0, 150.0),   flat(163.0, 146.0),
        flat(120.0, 120.0),   flat(85.0, 104.0),    flat(58.0, 64.0),     flat(28.0, 66.0),
        flat(7.5, 44.0),
    };
}

std::array<double, 15> sectionStartArcs(const TrackLine& line) {
    std::array<double, 15> starts{};
    for (int s = 0; s < 14; ++s) {
        starts[static_cast<std::size_t>(s)] =
            s == 0 ? 0.0 : line.nearestArc(kSectionStartHints[s]) + kSectionStartShift[s];
    }
    starts[14] = line.length();
    return starts;
}

std::vector<double> keyArcs(const std::array<double, 15>& starts) {
    // Monotone cubic Hermite through (first key, start arc) of every section (Fritsch-Butland slopes).
    std::array<double, 15> keys{};
    for (int s = 0; s < 14; ++s) {
        keys[static_cast<std::size_t>(s)] = kSectionFirstKey[s];
    }
    keys[14] = 1749.0;
    std::array<double, 14> mean{};
    for (std::size_t s = 0; s < 14; ++s) {
        mean[s] = (starts[s + 1] - starts[s]) / (keys[s + 1] - keys[s]);
    }
    std::array<double, 15> slope{};
    for (std::size_t s = 0; s <= 14; ++s) {
        const double a = mean[(s + 13) % 14], b = mean[s % 14];
        slope[s] = 2.0 * a * b / (a + b);
    }
    // The cars leave the start slowly: key 1 lies 0.8735 along the line.
    slope[0] = slope[14] = kStartSpacing;
    std::vector<double> arcs(1750);
    for (std::size_t s = 0; s < 14; ++s) {
        const double h = keys[s + 1] - keys[s];
        for (int k = static_cast<int>(keys[s]); k < static_cast<int>(keys[s + 1]); ++k) {
            const double t = (k - keys[s]) / h;
            const double h00 = 2 * t * t * t - 3 * t * t + 1, h10 = t * t * t - 2 * t * t + t;
            const double h01 = -2 * t * t * t + 3 * t * t, h11 = t * t * t - t * t;
            arcs[static_cast<std::size_t>(k)] =
                h00 * starts[s] + h10 * h * slope[s] + h01 * starts[s + 1] + h11 * h * slope[s + 1];
        }
    }
    arcs[1749] = starts[14];
    return arcs;
}

} // namespace world
