// The whole detection path on plucked-string-like tones: every string of
// standard tuning must come out within 1 % of its target.
#include "SignalMaker.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ovra {
namespace {

using test::BUFFER_LENGTH;
using test::harmonicTone;

struct StringCase {
    const char* name;
    double target;
};

class GuitarString : public ::testing::TestWithParam<StringCase> {};

// A strong fundamental with decaying harmonics, a second harmonic stronger
// than the fundamental, and a quiet pluck all read the same note.
TEST_P(GuitarString, EveryToneShapeReadsWithinOnePercent) {
    const double target = GetParam().target;
    struct Shape {
        const char* what;
        std::vector<double> amplitudes;
        double decay;
    };
    const Shape shapes[] = {{"strong fundamental", {1000, 700, 500, 300, 200}, 2.0},
                            {"stronger second harmonic", {600, 1000, 500, 300, 200}, 2.0},
                            {"quiet pluck", {120, 90, 60, 30, 20}, 3.0}};
    for (const Shape& shape : shapes) {
        const auto samples = harmonicTone(target, shape.amplitudes, shape.decay);
        auto q = std::make_unique<Quorl>(8000.0f);
        double fundamental = 0.0;
        double power = 0.0;
        q->detectPitchByHarmonics(samples.data(), BUFFER_LENGTH, &fundamental, &power);
        EXPECT_GT(power, 500.0) << shape.what; // loud enough for the default volume threshold
        EXPECT_NEAR(fundamental, target, 0.01 * target) << shape.what;
    }
}

INSTANTIATE_TEST_SUITE_P(StandardTuning, GuitarString,
                         ::testing::Values(StringCase{"E2", 82.407}, StringCase{"A2", 110.0},
                                           StringCase{"D3", 146.83}, StringCase{"G3", 196.0},
                                           StringCase{"B3", 246.94}, StringCase{"E4", 329.63}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ovra
