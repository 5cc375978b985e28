// SPDX-License-Identifier: GPL-3.0-or-later
// The sliding window that fine tuning reads: which windows come out, holding
// which samples, however the stream is cut into chunks.
#include "analysis/HoppingWindow.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace ovra {
namespace {

struct Seen {
    uint64_t first;
    std::vector<int16_t> samples;
};

// Pushes `stream` cut into chunks of the given sizes, cycling through them.
std::vector<Seen> windowsOf(HoppingWindow& window, const std::vector<int16_t>& stream,
                            const std::vector<size_t>& chunks) {
    std::vector<Seen> seen;
    size_t at = 0;
    for (size_t i = 0; at < stream.size(); ++i) {
        const size_t count = std::min(chunks[i % chunks.size()], stream.size() - at);
        window.push(stream.data() + at, count, [&](const int16_t* w, uint64_t first) {
            seen.push_back({first, std::vector<int16_t>(w, w + window.windowLength())});
        });
        at += count;
    }
    return seen;
}

std::vector<int16_t> ramp(size_t count) {
    std::vector<int16_t> stream(count);
    std::iota(stream.begin(), stream.end(), int16_t{0});
    return stream;
}

TEST(HoppingWindow, GivesTheLatestWindowEveryHopOnceTheFirstIsFullWhateverTheChunks) {
    const auto stream = ramp(5000);
    for (const auto& chunks :
         std::vector<std::vector<size_t>>{{5000}, {1}, {512}, {2048}, {7, 300, 1999}, {513, 511}}) {
        HoppingWindow window(2048, 512);
        const auto seen = windowsOf(window, stream, chunks);
        // 2048, 2560, 3072, 3584, 4096 and 4608 samples in: six windows.
        ASSERT_EQ(seen.size(), 6u) << chunks.front();
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].first, 512 * i);
            EXPECT_EQ(seen[i].samples.front(), static_cast<int16_t>(512 * i));
            EXPECT_EQ(seen[i].samples.back(), static_cast<int16_t>(512 * i + 2047));
            EXPECT_TRUE(std::is_sorted(seen[i].samples.begin(), seen[i].samples.end()));
        }
    }
}

// A short stream gives nothing and reset forgets it; a hop of the whole
// window cuts the stream into buffers.
TEST(HoppingWindow, ShortStreamGivesNothingResetStartsAfreshAndAWholeHopCutsBuffers) {
    HoppingWindow window(2048, 512);
    EXPECT_TRUE(windowsOf(window, ramp(2047), {100}).empty());
    window.reset();
    const auto seen = windowsOf(window, ramp(2048), {1000});
    ASSERT_EQ(seen.size(), 1u) << "the 2047 samples before the reset are gone";
    EXPECT_EQ(std::pair(seen[0].first, seen[0].samples.front()),
              std::pair(uint64_t{0}, int16_t{0}));
    HoppingWindow buffers(4, 4);
    const auto cut = windowsOf(buffers, ramp(10), {3});
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].samples, (std::vector<int16_t>{4, 5, 6, 7}));
}

} // namespace
} // namespace ovra
