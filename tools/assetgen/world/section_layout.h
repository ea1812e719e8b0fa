#pragma once
// The fixed facts of the circuit: the section table's key ranges and object lists, the scene schedule,
// the trackside camera positions and the dolly splines' ends; and where this circuit puts each section.
#include "geometry.h"

#include <cstdint>

namespace world {

inline constexpr int kSections = 14;
inline constexpr int kKeys = 1749;

inline constexpr int kSectionFirstKey[kSections + 1] = {0,   157,  290,  422,  506,  643,  700, 842,
                                                        951, 1037, 1198, 1338, 1480, 1636, 1750};

inline constexpr int kSectionObjectCount[kSections] = {5, 4, 6, 4, 3, 4, 5, 3, 3, 5, 3, 3, 4, 5};
inline constexpr std::uint8_t kSectionObjects[kSections][6] = {
    {36, 37, 0, 73, 22},  {38, 40, 1, 39},     {42, 41, 2, 23, 74, 44},
    {45, 43, 3, 69},      {48, 46, 47},        {50, 49, 5, 4},
    {52, 51, 6, 75, 70},  {54, 53, 8},         {56, 55, 9},
    {59, 57, 10, 11, 58}, {61, 60, 12},        {63, 62, 13},
    {66, 64, 65, 14},     {68, 67, 15, 76, 30}};

inline constexpr std::int32_t kModeBySection[kSections] = {1, 1, 0, 0, 0, 1, 2, 2, 2, 2, 2, 0, 0, 1};

// Positions of trackside camera records 1-14 (record s + 1 belongs to section s).
inline constexpr double kCameraPosition[kSections][3] = {
    {0.9981, 0.2449, -44.2441},     {-11.5967, 0.752, -231.0142},  {-114.106, 0.2683, -200.007},
    {-174.0819, 0.2603, -130.4601}, {-249.5614, 0.4195, -45.1789}, {-332.4922, 0.2728, -70.1453},
    {-340.3449, 0.694, -10.1098},   {-210.7232, 1.8044, 37.5892},  {-125.7657, 1.7526, 78.0419},
    {-54.2725, 0.3823, 207.4774},   {83.3623, 0.3301, 207.2265},   {248.9901, 0.2848, 185.7535},
    {163.3487, 0.2175, 133.6935},   {21.1956, 0.2558, 30.6368}};

// The three dolly splines the camera director uses: table entry, section, point count, first and last point.
struct DollyEnds {
    int entry;
    int section;
    int count;
    double first[3];
    double last[3];
};
inline constexpr DollyEnds kDollies[3] = {
    {2, 1, 50, {24.862719, 0.0, -166.66333}, {-45.615685, 0.0, -243.53885}},
    {4, 4, 100, {-212.70284, 0.0, -105.38239}, {-308.02573, 0.0, -44.228706}},
    {3, 9, 50, {-128.78752, 0.0, 130.5548}, {-58.309124, 0.0, 207.43031}}};

// Car 0's second key.
inline constexpr double kCar0Key1[3] = {0.0026, 0.0, -0.8735};
inline constexpr double kStartSpacing = 0.8735;

// Where each section starts: the line point nearest the hint, moved along the line by the shift.
inline constexpr V3 kSectionStartHints[kSections] = {{0.0, 0.0, 0.0},
                                                     {24.862719, 0.0, -166.66333},
                                                     {-45.615685, 0.0, -243.53885},
                                                     {-145.0, 0.0, -168.0},
                                                     {-212.70284, 0.0, -105.38239},
                                                     {-308.02573, 0.0, -44.228706},
                                                     {-331.0, 0.0, -10.0},
                                                     {-240.0, 0.0, 22.0},
                                                     {-148.0, 0.0, 56.0},
                                                     {-128.78752, 0.0, 130.5548},
                                                     {-58.309124, 0.0, 207.43031},
                                                     {115.0, 0.0, 222.0},
                                                     {268.0, 0.0, 190.0},
                                                     {80.0, 0.0, 100.0}};
inline constexpr double kSectionStartShift[kSections] = {0.0, -3.0, 3.0,  0.0, -3.0, 3.0, 0.0,
                                                         0.0, 0.0,  -3.0, 3.0, 0.0,  0.0, 0.0};

} // namespace world
