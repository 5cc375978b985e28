// SPDX-License-Identifier: GPL-3.0-or-later
// Every tuning's string targets and borders at every reference pitch, as
// floats, against a committed table that the browser build's test reads
// too: C libraries differ in the last bit of pow(), and this shows that no
// such difference reaches a target or a border in either build.
// OVRA_UPDATE_TUNING_TABLE=1 rewrites the table from this build (glibc);
// a changed table is a reviewed change.
#include "model/TunerDisplayModel.hpp"
#include "model/Tunings.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace ovra {
namespace {

// One line per tuning and pitch: id, pitch, the six targets, the five
// borders, each float with the nine digits that read back exactly.
std::string tableText() {
    std::string text;
    TunerDisplayModel model;
    for (const Tuning& tuning : builtInTunings()) {
        for (int32_t pitch = MIN_REFERENCE_PITCH; pitch <= MAX_REFERENCE_PITCH; ++pitch) {
            model.setTuning(tuning, pitch);
            text += std::string(tuning.id) + " " + std::to_string(pitch);
            char number[32];
            for (const float target : model.targetFrequencies()) {
                std::snprintf(number, sizeof number, " %.9g", static_cast<double>(target));
                text += number;
            }
            text += " |";
            for (const float border : model.borderFrequencies()) {
                std::snprintf(number, sizeof number, " %.9g", static_cast<double>(border));
                text += number;
            }
            text += "\n";
        }
    }
    return text;
}

TEST(TuningTable, TargetsAndBordersAreTheCommittedOnes) {
    const std::string path = OVRA_TUNING_TABLE;
    const std::string actual = tableText();
    if (std::getenv("OVRA_UPDATE_TUNING_TABLE") != nullptr) {
        std::ofstream(path, std::ios::binary) << actual;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream expected;
    expected << in.rdbuf();
    // Line by line, so a failure names the tuning and pitch.
    std::istringstream expectedLines(expected.str());
    std::istringstream actualLines(actual);
    std::string want;
    std::string got;
    int lines = 0;
    while (std::getline(actualLines, got)) {
        ASSERT_TRUE(std::getline(expectedLines, want)) << "table ends before: " << got;
        EXPECT_EQ(got, want);
        ++lines;
    }
    EXPECT_FALSE(std::getline(expectedLines, want)) << "table has more lines: " << want;
    EXPECT_EQ(lines, static_cast<int>(builtInTunings().size()) *
                         (MAX_REFERENCE_PITCH - MIN_REFERENCE_PITCH + 1));
}

} // namespace
} // namespace ovra
