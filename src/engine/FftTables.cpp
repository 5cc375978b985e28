#include "engine/FftTables.hpp"

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

const uint16_t* fftBitReversal() {
    static const std::vector<uint16_t> table = [] {
        std::vector<uint16_t> reversed(FFT_TABLED_LENGTH);
        for (int32_t i = 0; i < FFT_TABLED_LENGTH; ++i) {
            int32_t r = 0;
            for (int32_t b = 0; b < TABLED_BITS; ++b) {
                r |= ((i >> b) & 1) << (TABLED_BITS - 1 - b);
            }
            reversed[static_cast<size_t>(i)] = static_cast<uint16_t>(r);
        }
        return reversed;
    }();
    return table.data();
}

} // namespace ovra
