// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SystemLog.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace ovra {
namespace {

TEST(SystemLog, FormatsOneWholeLinePerCallFromAnyThreadIntoTheCurrentSink) {
    LogCapture log;
    systemLog("%s", std::string(3000, 'x').c_str());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 100; ++i) {
                systemLog("thread %d line %d", t, i);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 401u);
    EXPECT_EQ(lines[0].size(), 3000u) << "long lines are not cut";
    EXPECT_EQ(log.count("thread 3 line 99"), 1);
}

} // namespace
} // namespace ovra
