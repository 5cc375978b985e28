// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FftTables.hpp"

#include "engine/FftTwiddleValues.hpp"

#include <array>
#include <cstddef>
#include <vector>

namespace ovra {

namespace {

constexpr int32_t TABLED_BITS = 12;
static_assert(FFT_TABLED_LENGTH == 1 << TABLED_BITS);
static_assert(FFT_TWIDDLE_VALUE_COUNT == FFT_TABLED_LENGTH / 2);

// Every pass's twiddles are entries of the widest pass's (the angle of
// position m with blocks of `half` points is exactly that of position
// m * (2048 / half) of the widest), and the backward ones are the forward
// ones with the sine negated (the angles are negated exactly; cosine is
// even, sine odd). So the compiled-in forward values of the widest pass
// give both tables, bit for bit as the transform's own expressions would
// with the C library they were made with, whichever library this build has.
struct TwiddleStore {
    std::vector<double> cosines;
    std::vector<double> sines;

    explicit TwiddleStore(int32_t direction)
        : cosines(FFT_TABLED_LENGTH - 1), sines(FFT_TABLED_LENGTH - 1) {
        for (int32_t half = 1; half < FFT_TABLED_LENGTH; half *= 2) {
            const int32_t stride = FFT_TWIDDLE_VALUE_COUNT / half;
            for (int32_t m = 0; m < half; ++m) {
                const auto at = static_cast<size_t>(half - 1 + m);
                const auto value = static_cast<size_t>(m * stride);
                cosines[at] = FFT_FORWARD_COSINES[value];
                sines[at] = direction == 1 ? FFT_FORWARD_SINES[value] : -FFT_FORWARD_SINES[value];
            }
        }
    }
};

struct ReversalStore {
    std::vector<uint16_t> order;
    std::vector<uint16_t> swapLow;
    std::vector<uint16_t> swapHigh;
    std::vector<uint16_t> fixed;

    ReversalStore() = default;
    explicit ReversalStore(int32_t bits) {
        const int32_t length = 1 << bits;
        for (int32_t i = 0; i < length; ++i) {
            int32_t j = 0;
            for (int32_t b = 0; b < bits; ++b) {
                j |= ((i >> b) & 1) << (bits - 1 - b);
            }
            order.push_back(static_cast<uint16_t>(j));
            if (j > i) {
                swapLow.push_back(static_cast<uint16_t>(i));
                swapHigh.push_back(static_cast<uint16_t>(j));
            } else if (j == i) {
                fixed.push_back(static_cast<uint16_t>(i));
            }
        }
    }
};

} // namespace

FftTwiddleTable fftTwiddleTable(int32_t direction) {
    // Built on first use; static initialisation is thread-safe, and the
    // tables are read-only afterwards.
    if (direction == 1) {
        static const TwiddleStore forward(1);
        return {forward.cosines.data(), forward.sines.data()};
    }
    if (direction == -1) {
        static const TwiddleStore backward(-1);
        return {backward.cosines.data(), backward.sines.data()};
    }
    return {};
}

FftBitReversal fftBitReversal(int32_t length) {
    static const std::array<ReversalStore, TABLED_BITS + 1> stores = [] {
        std::array<ReversalStore, TABLED_BITS + 1> built;
        for (int32_t bits = 0; bits <= TABLED_BITS; ++bits) {
            built[static_cast<size_t>(bits)] = ReversalStore(bits);
        }
        return built;
    }();
    for (int32_t bits = 0; bits <= TABLED_BITS; ++bits) {
        if (length == 1 << bits) {
            const ReversalStore& s = stores[static_cast<size_t>(bits)];
            return {s.order.data(),    s.swapLow.data(),
                    s.swapHigh.data(), static_cast<int32_t>(s.swapLow.size()),
                    s.fixed.data(),    static_cast<int32_t>(s.fixed.size())};
        }
    }
    return {};
}

void prepareFftTables() {
    fftTwiddleTable(1);
    fftBitReversal(FFT_TABLED_LENGTH);
}

} // namespace ovra
