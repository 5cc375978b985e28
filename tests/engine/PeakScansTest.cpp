// The three scans over a power spectrum: parabolic refinement of a peak,
// first strongest bin, and the next qualifying local maximum.
#include "engine/FftAndPeakScans.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ovra {
namespace {

TEST(InterpolatePeakX, ParabolaVertexBetweenNeighbours) {
    std::vector<double> v(10, 0.0);
    v[4] = 1.0;
    v[5] = 3.0;
    v[6] = 2.0;
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 5, 0, 10), 5.0 + 1.0 / 6.0);
}

TEST(InterpolatePeakX, SymmetricNeighboursGiveTheIndexItself) {
    const std::vector<double> v = {0, 2, 9, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 2, 0, 5), 2.0);
}

TEST(InterpolatePeakX, LeansTowardTheStrongerNeighbourByAtMostHalfABin) {
    const std::vector<double> left = {0, 8, 8.0001, 1, 0};
    const std::vector<double> right = {0, 1, 8.0001, 8, 0};
    const double l = interpolatePeakX(left.data(), 2, 0, 5);
    const double r = interpolatePeakX(right.data(), 2, 0, 5);
    EXPECT_LT(l, 2.0);
    EXPECT_GE(l, 1.5);
    EXPECT_GT(r, 2.0);
    EXPECT_LE(r, 2.5);
}

TEST(InterpolatePeakX, BoundsAreReturnedUnchanged) {
    // Values outside the bounds must not be read: make them poison.
    const std::vector<double> v = {1e300, 5, 3, 4, 1e300};
    EXPECT_EQ(interpolatePeakX(v.data(), 1, 1, 4), 1.0);
    EXPECT_EQ(interpolatePeakX(v.data(), 3, 1, 4), 3.0);
    const std::vector<double> w = {7, 1, 2};
    EXPECT_EQ(interpolatePeakX(w.data(), 0, 0, 3), 0.0);
    EXPECT_EQ(interpolatePeakX(w.data(), 2, 0, 3), 2.0);
}

TEST(GetTopPeakIndex, FirstOfEqualMaximaWins) {
    const std::vector<double> v = {1, 5, 5, 2};
    EXPECT_EQ(getTopPeakIndex(v.data(), 0, 4), 1);
}

TEST(GetTopPeakIndex, ScansOnlyTheHalfOpenRange) {
    const std::vector<double> v = {9, 1, 3, 2, 8};
    EXPECT_EQ(getTopPeakIndex(v.data(), 1, 4), 2);
    EXPECT_EQ(getTopPeakIndex(v.data(), 1, 5), 4);
}

TEST(GetTopPeakIndex, EmptyOrSingleRangeGivesStart) {
    const std::vector<double> v = {1, 2, 3};
    EXPECT_EQ(getTopPeakIndex(v.data(), 1, 2), 1);
    EXPECT_EQ(getTopPeakIndex(v.data(), 2, 1), 2);
    EXPECT_EQ(getTopPeakIndex(v.data(), 0, 0), 0);
}

TEST(FindNextPeakIndex, NeverReturnsTheStartingBin) {
    const std::vector<double> v = {0, 9, 0, 0, 5, 0};
    EXPECT_EQ(findNextPeakIndex(v.data(), 1, 6, 1.0), 4);
    EXPECT_EQ(findNextPeakIndex(v.data(), 0, 6, 1.0), 1);
}

TEST(FindNextPeakIndex, NeverReturnsTheLastBin) {
    const std::vector<double> v = {0, 0, 0, 1, 9};
    EXPECT_EQ(findNextPeakIndex(v.data(), 0, 5, 0.5), -1);
}

TEST(FindNextPeakIndex, EqualNeighbourDisqualifies) {
    const std::vector<double> plateau = {0, 5, 5, 0, 0};
    EXPECT_EQ(findNextPeakIndex(plateau.data(), 0, 5, 1.0), -1);
}

TEST(FindNextPeakIndex, ThresholdIsStrict) {
    const std::vector<double> v = {0, 3, 0, 4, 0};
    EXPECT_EQ(findNextPeakIndex(v.data(), 0, 5, 3.0), 3);
    EXPECT_EQ(findNextPeakIndex(v.data(), 0, 5, 4.0), -1);
}

TEST(FindNextPeakIndex, StartBeyondTheSpectrumFindsNothing) {
    const std::vector<double> v = {0, 3, 0, 4, 0};
    EXPECT_EQ(findNextPeakIndex(v.data(), 10, 5, 0.0), -1);
}

} // namespace
} // namespace ovra
