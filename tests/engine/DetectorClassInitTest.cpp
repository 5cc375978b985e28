// SPDX-License-Identifier: GPL-3.0-or-later
// Own executable: the class initialisation is process-wide, so this must be
// the first detector the process creates.
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace ovra {
namespace {

TEST(DetectorClassInit, BuildsTheTableOnceBeforeFirstUseEvenWithConcurrentCreation) {
    EXPECT_EQ(Quorl::harmonicRatio(10), 0.0); // nothing built yet
    std::vector<std::thread> threads;
    std::vector<std::unique_ptr<Quorl>> detectors(4);
    for (size_t i = 0; i < detectors.size(); ++i) {
        threads.emplace_back([&detectors, i] {
            detectors[i] = std::make_unique<Quorl>(8000.0f);
            // Every creator sees a complete table.
            EXPECT_EQ(detectors[i]->fitToIntegerRatio(12.0), 28);
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    auto another = std::make_unique<Quorl>(44100.0f);
    Quorl::initialize();
    EXPECT_EQ(Quorl::harmonicRatio(10), 2.0);
}

} // namespace
} // namespace ovra
