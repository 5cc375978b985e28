// SPDX-License-Identifier: GPL-3.0-or-later
// Own executable: the class-wide factor is process state, and this must be
// the first use of the class in the process.
#include "common/LogCapture.hpp"
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(MusicInitialization, FirstUseInitialisesTheClassWithoutAWarning) {
    LogCapture log;
    EXPECT_EQ(WEXMusicUtil::centsFactor(), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(880.0, 440.0), 1200.0, 1e-9);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::centsFactor(), 1731.2340490667561);
    EXPECT_TRUE(log.lines().empty()) << "no warning";
}

} // namespace
} // namespace ovra
