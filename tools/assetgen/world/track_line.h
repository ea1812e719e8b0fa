#pragma once
// The racing line: a smooth closed curve in the x-z plane through the track's control points, sampled
// densely at a uniform arc-length step, and the arc positions of the 1750 keys.
#include "geometry.h"

#include <array>
#include <vector>

namespace world {

class TrackLine {
public:
    // Builds the line through the given control points (a closed loop; point 0 is the start).
    explicit TrackLine(const std::vector<V3>& controlPoints);

    double length() const { return length_; }
    // Point and unit direction of travel at an arc position (wrapped into the lap).
    V3 at(double arc) const;
    V3 forward(double arc) const;
    V3 right(double arc) const { return rightOf(forward(arc)); }
    // Signed curvature (positive turning right) from the change of direction over +-2 units.
    double curvature(double arc) const;
    // Arc position of the sample nearest to p, and the horizontal distance to it.
    double nearestArc(V3 p) const;
    double distance(V3 p) const;
    // The same, restricted to arc positions in [from, to] (no wrap).
    double distanceWithin(V3 p, double from, double to) const;

    static constexpr double kStep = 0.05;
    static constexpr double kSmoothing = 5.0; // standard deviation of the smoothing filter, in units

private:
    void smooth();

    std::vector<V3> samples_;
    double length_ = 0.0;
};

// The control points of the circuit.
std::vector<V3> circuitControlPoints();

// Arc positions of the section boundaries: entry s is where section s starts, entry 14 the lap length.
std::array<double, 15> sectionStartArcs(const TrackLine& line);

// Arc position of every key 0..1749 (key 1749 is the lap length): a smooth monotone mapping through the
// section boundaries at the section table's first keys.
std::vector<double> keyArcs(const std::array<double, 15>& starts);

} // namespace world
