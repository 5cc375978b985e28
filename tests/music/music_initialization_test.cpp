// Own executable: forgetting the class initialisation is noticed once, and
// the arithmetic still comes out right.
#include "common/LogCapture.hpp"
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(MusicInitialization, MissingInitializerIsWarnedOnceAndRepaired) {
    LogCapture log;
    EXPECT_EQ(WEXMusicUtil::centsFactor(), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(880.0, 440.0), 1200.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(440.0, 880.0), -1200.0, 1e-9);
    EXPECT_EQ(log.count("Warning: WEXMusicUtil initializer had not been called"), 1);
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::centsFactor(), 1731.2340490667561);
}

} // namespace
} // namespace ovra
