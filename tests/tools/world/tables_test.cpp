// The fixed tables: section table, scene schedule, trackside cameras, dolly ends, probe points.
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <set>

TEST(WorldTables, SectionTableAndScheduleHoldTheCircuitsValues) {
    const int first[15] = {0, 157, 290, 422, 506, 643, 700, 842, 951, 1037, 1198, 1338, 1480, 1636, 1750};
    const std::vector<std::vector<int>> objects = {
        {36, 37, 0, 73, 22},  {38, 40, 1, 39},     {42, 41, 2, 23, 74, 44},
        {45, 43, 3, 69},      {48, 46, 47},        {50, 49, 5, 4},
        {52, 51, 6, 75, 70},  {54, 53, 8},         {56, 55, 9},
        {59, 57, 10, 11, 58}, {61, 60, 12},        {63, 62, 13},
        {66, 64, 65, 14},     {68, 67, 15, 76, 30}};
    std::set<int> listed;
    for (int s = 0; s < kSectionCount; ++s) {
        const TrackSection& row = trackSections[s];
        EXPECT_EQ(row.firstKey, first[s]) << s;
        EXPECT_EQ(row.endKey, first[s + 1]) << s;
        ASSERT_EQ(row.objectCount, objects[static_cast<std::size_t>(s)].size()) << s;
        for (int j = 0; j < 10; ++j) {
            const int expected =
                j < row.objectCount ? objects[static_cast<std::size_t>(s)][static_cast<std::size_t>(j)] : 0;
            EXPECT_EQ(row.objects[j], expected) << s << " " << j;
            if (j < row.objectCount) {
                EXPECT_TRUE(listed.insert(row.objects[j]).second)
                    << "descriptor listed twice: " << int(row.objects[j]);
            }
        }
    }
    EXPECT_EQ(sectionOfKey(156), 0);
    EXPECT_EQ(sectionOfKey(157), 1);
    EXPECT_EQ(sectionOfKey(1749), 13);
    const std::int32_t modes[14] = {1, 1, 0, 0, 0, 1, 2, 2, 2, 2, 2, 0, 0, 1};
    for (int s = 0; s < kSectionCount; ++s) {
        EXPECT_EQ(modeBySection[s], modes[s]) << s;
    }
}

TEST(WorldTables, CameraPositionsDollyEndsAndProbePoints) {
    const float cams[14][3] = {
        {0.9981f, 0.2449f, -44.2441f},     {-11.5967f, 0.752f, -231.0142f},  {-114.106f, 0.2683f, -200.007f},
        {-174.0819f, 0.2603f, -130.4601f}, {-249.5614f, 0.4195f, -45.1789f}, {-332.4922f, 0.2728f, -70.1453f},
        {-340.3449f, 0.694f, -10.1098f},   {-210.7232f, 1.8044f, 37.5892f},  {-125.7657f, 1.7526f, 78.0419f},
        {-54.2725f, 0.3823f, 207.4774f},   {83.3623f, 0.3301f, 207.2265f},   {248.9901f, 0.2848f, 185.7535f},
        {163.3487f, 0.2175f, 133.6935f},   {21.1956f, 0.2558f, 30.6368f}};
    for (int s = 0; s < 14; ++s) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(trackCameras[s + 1].position[c], cams[s][c]) << s;
        }
    }
    struct Ends {
        int entry;
        std::uint32_t count;
        float first[3], last[3];
    };
    const Ends ends[3] = {{2, 50, {24.862719f, 0, -166.66333f}, {-45.615685f, 0, -243.53885f}},
                          {4, 100, {-212.70284f, 0, -105.38239f}, {-308.02573f, 0, -44.228706f}},
                          {3, 50, {-128.78752f, 0, 130.5548f}, {-58.309124f, 0, 207.43031f}}};
    for (const Ends& e : ends) {
        const DollySpline& d = dollySplines[e.entry];
        ASSERT_EQ(d.count, e.count);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(d.points[c], e.first[c]);
            EXPECT_EQ(d.points[(d.count - 1) * 3 + c], e.last[c]);
        }
    }
    EXPECT_EQ(contactBox[0][0], 0.2291f);
    EXPECT_EQ(contactBox[4][1], 0.0951f);
    EXPECT_EQ(contactBox[2][2], 0.4331f);
    EXPECT_EQ(shadowCorners[1][2], 0.8127f);
    EXPECT_EQ(shadowCorners[3][0], -0.3739f);
    // Each (low, high) pair of the contact box stands 0.1036 apart, one above the other.
    const int high[4] = {4, 7, 6, 5};
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(contactBox[w][0], contactBox[high[w]][0]);
        EXPECT_EQ(contactBox[w][2], contactBox[high[w]][2]);
        EXPECT_NEAR(contactBox[high[w]][1] - contactBox[w][1], 0.1036f, 1e-6);
    }
    // The probe-point meshes are these tables.
    EXPECT_EQ(meshDescriptors[20].positions, &contactBox[0][0]);
    EXPECT_EQ(meshDescriptors[21].positions, &shadowCorners[0][0]);
}
