#pragma once
// The car's probe points and wheel size, shared by the meshes, the tables and the checks.

namespace world {

inline constexpr double kWheelRadius = 0.1064;

// Low corners 0-3 (wheels front right, front left, rear left, rear right), then the high corners 4-7
// above corners 0, 3, 2 and 1.
inline constexpr double kContactBox[8][3] = {{0.2291, -0.0085, -0.3697}, {-0.2258, -0.0085, -0.3693},
                                             {-0.2254, -0.0085, 0.4331}, {0.2295, -0.0085, 0.4328},
                                             {0.2291, 0.0951, -0.3697},  {0.2295, 0.0951, 0.4328},
                                             {-0.2254, 0.0951, 0.4331},  {-0.2258, 0.0951, -0.3693}};

inline constexpr double kShadowCorners[4][3] = {{0.374, -0.1007, -0.7315},
                                                {0.3739, -0.1007, 0.8127},
                                                {-0.374, -0.1007, 0.8125},
                                                {-0.3739, -0.1007, -0.7318}};

} // namespace world
