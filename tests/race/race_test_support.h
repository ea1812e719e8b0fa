#pragma once
// Shared set-up of the race's unit tests: the record GL, the captured debugger output, and the embedded
// files registered afresh before each world is built (the construction destroys the registry, and the
// program registers its files only once, at start-up).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gles/record_driver.h"
#include "race/race_track.h"

// Registers every file that the program registered at start-up in a new registry.
void registerEmbeddedFilesAgain();

class RaceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A world for the surface size, with the files registered again and the log cleared afterwards.
    std::unique_ptr<RaceTrack> buildWorld(int width, int height);

    // The captured debugger output since the last clearOutput, joined.
    std::string output() const;
    void clearOutput() { lines.clear(); }

    platform::gles::RecordDriver gl;
    std::vector<std::string> lines;
};
