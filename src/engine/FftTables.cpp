#include "engine/FftTables.hpp"

#include <array>
#include <cmath>
#include <vector>

namespace ovra {

namespace {

// The detector's angle constant: a decimal approximation, not full-precision pi.
constexpr double APPROXIMATE_PI = 3.14159265;
constexpr int32_t TABLED_BITS = 12;
static_assert(FFT_TABLED_LENGTH == 1 << TABLED_BITS);

struct TwiddleStore {
    std::vector<double> cosines;
    std::vector<double> sines;

    explicit TwiddleStore(int32_t direction)
        : cosines(FFT_TABLED_LENGTH - 1), sines(FFT_TABLED_LENGTH - 1) {
        for (int32_t half = 1; half < FFT_TABLED_LENGTH; half *= 2) {
            computeFftTwiddles(direction, half, cosines.data() + half - 1, sines.data() + half - 1);
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

void computeFftTwiddles(int32_t direction, int32_t half, double* cosines, double* sines) {
    const double baseAngle = direction * APPROXIMATE_PI;
    const double step = baseAngle / half;
    for (int32_t m = 0; m < half; ++m) {
        const double angle = step * m;
        cosines[m] = std::cos(angle);
        sines[m] = std::sin(static_cast<double>(static_cast<float>(angle)));
    }
}

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
