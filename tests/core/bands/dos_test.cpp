// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/dos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>

namespace quarnel {
namespace {

double Sum(const std::vector<double>& v) {
  return std::accumulate(v.begin(), v.end(), 0.0);
}

TEST(DosSamples, KeepsEnergiesWeightsAndTheirRange) {
  DosSamples s;
  s.Start(10, 2);
  const double w1[3] = {0, 0.25, 0.75}, w2[3] = {0, 1, 0};
  s.Add(-1.5, w1);
  s.Add(2.0, w2);
  s.Add(std::numeric_limits<double>::quiet_NaN(), w1);
  s.Add(std::numeric_limits<double>::infinity(), w1);
  ASSERT_EQ(s.Count(), 2u);
  EXPECT_EQ(s.Emin(), -1.5);
  EXPECT_EQ(s.Emax(), 2.0);
  EXPECT_EQ(s.Weight(0, 2), 0.75);
  EXPECT_EQ(s.Weight(1, 1), 1.0);
  // Sized to the run, not to the largest grid.
  EXPECT_LT(s.Capacity(), 1000u);
  s.Start(10, 2);
  EXPECT_EQ(s.Count(), 0u);
}

TEST(DosSamples, FullStoreOverwritesTheLastSample) {
  DosSamples s;
  s.Start(kDosCapacity + 5, 0);
  for (std::size_t q = 0; q < kDosCapacity; ++q) s.Add(0.0, nullptr);
  s.Add(7.0, nullptr);
  EXPECT_EQ(s.Count(), kDosCapacity);
  EXPECT_EQ(s.Energy(kDosCapacity - 1), 7.0);
}

TEST(DosHistogram, CountsEveryStateOnceAndSumsTheWeights) {
  // Two bands on a grid of 21^3 points, as a grid-20 run of a two-orbital model gives.
  DosSamples s;
  const int points = 21 * 21 * 21;
  s.Start(points * 2, 2);
  for (int q = 0; q < points; ++q) {
    const double e = std::cos(q * 0.37) * 2;
    const double a = 0.5 + 0.5 * std::sin(q * 0.11);
    const double w[2][3] = {{0, a, 1 - a}, {0, 1 - a, a}};
    s.Add(e, w[0]);
    s.Add(-e - 1, w[1]);
  }
  const DosCurves c = DosHistogram(s, 100);
  ASSERT_EQ(c.energy.size(), 101u);
  ASSERT_EQ(c.value.size(), 3u);
  for (const auto& v : c.value) EXPECT_EQ(v.size(), 101u);
  EXPECT_DOUBLE_EQ(Sum(c.value[0]), 9261.0 * 2);
  double w1 = 0, w2 = 0;
  for (std::size_t q = 0; q < s.Count(); ++q) w1 += s.Weight(q, 1), w2 += s.Weight(q, 2);
  EXPECT_NEAR(Sum(c.value[1]), w1, 1e-9);
  EXPECT_NEAR(Sum(c.value[2]), w2, 1e-9);
  // Each eigenstate's weights sum to one, so the partial curves add up to the total.
  EXPECT_NEAR(Sum(c.value[1]) + Sum(c.value[2]), 9261.0 * 2, 1e-6);
  // 5 % margins on the range -3..2.
  EXPECT_NEAR(c.energy.front(), -3 - 0.25, 1e-2);
  EXPECT_NEAR(c.energy.back(), 2 + 0.25, 1e-2);
}

TEST(DosHistogram, BinsByRoundingHalvesToEven) {
  // Energies 0 and 20 give the window -1..21 (margins of 1); with 22 intervals the bins are 1
  // wide; energy 0.5 sits exactly between bins 1 and 2, energy 1.5 between bins 2 and 3.
  DosSamples s;
  s.Start(4, 0);
  for (double e : {0.0, 20.0, 0.5, 1.5}) s.Add(e, nullptr);
  const DosCurves c = DosHistogram(s, 22);
  EXPECT_EQ(c.value[0][1], 1);  // 0
  EXPECT_EQ(c.value[0][2], 2);  // 0.5 and 1.5, both to the even bin
  EXPECT_EQ(c.value[0][3], 0);
  EXPECT_EQ(c.value[0][21], 1);
}

TEST(DosHistogram, EqualEnergiesGetAWindowAroundThem) {
  DosSamples s;
  s.Start(4, 1);
  const double w[2] = {0, 1};
  for (int q = 0; q < 4; ++q) s.Add(-2.0, w);
  const DosCurves c = DosHistogram(s, 10);
  ASSERT_EQ(c.energy.size(), 11u);
  for (double e : c.energy) EXPECT_TRUE(std::isfinite(e));
  EXPECT_LT(c.energy.front(), -2.0);
  EXPECT_GT(c.energy.back(), -2.0);
  EXPECT_EQ(Sum(c.value[0]), 4);
  EXPECT_EQ(c.value[0][5], 4);  // the middle bin
}

TEST(DosHistogram, NoSamplesGiveNoCurves) {
  DosSamples s;
  s.Start(0, 2);
  EXPECT_TRUE(DosHistogram(s, 100).Empty());
}

// Finite energies whose window does not fit in a double (a model with hoppings near 1e308) once
// gave a bin index from NaN and wrote far outside the curves.
TEST(DosHistogram, WindowBeyondTheLargestDoubleGivesNoCurves) {
  const double big = std::numeric_limits<double>::max();
  const double w[2] = {0, 1};
  for (const auto& energies : std::vector<std::vector<double>>{
           {-1e308, 1e308}, {big, big}, {-big, -big}, {-0.8 * big, 0.8 * big}, {0, big}}) {
    DosSamples s;
    s.Start(energies.size(), 1);
    for (double e : energies) s.Add(e, w);
    ASSERT_EQ(s.Count(), energies.size());
    EXPECT_TRUE(DosHistogram(s, 100).Empty()) << energies.front() << " " << energies.back();
  }
  // Large but representable windows still give every state a bin.
  DosSamples s;
  s.Start(2, 1);
  s.Add(-1e300, w);
  s.Add(1e300, w);
  const DosCurves c = DosHistogram(s, 10);
  ASSERT_EQ(c.energy.size(), 11u);
  EXPECT_EQ(Sum(c.value[0]), 2);
  EXPECT_EQ(c.value[0][0] + c.value[0][10], 2);
}

TEST(SmoothDos, WeightsHalveAtOffsetSAndAreNotRenormalised) {
  EXPECT_NEAR(GaussWeight(0, 0.1), 0.9394372786996513, 1e-15);
  for (int s = 1; s <= 5; ++s) {
    const double d = 0.02;
    EXPECT_NEAR(GaussWeight(s * d, s * d), kGaussNorm / 2, 1e-12);
    double sum = 0;
    for (int k = -3 * s; k <= 3 * s; ++k) sum += GaussWeight(k * d, s * d);
    if (s == 1) {
      EXPECT_NEAR(sum, 1.99997, 1e-5);
    }
    if (s == 5) {
      EXPECT_NEAR(sum, 9.99746, 1e-5);
    }
  }
}

TEST(SmoothDos, SpreadsASpikeWithTheKernelAndCutsAtTheEnds) {
  DosCurves c;
  for (int p = 0; p <= 20; ++p) c.energy.push_back(-1 + p * 0.1);
  c.value.assign(2, std::vector<double>(21, 0.0));
  c.value[0][10] = 1;
  c.value[1][0] = 1;
  SmoothDos(c, 1);
  for (int k = -3; k <= 3; ++k)
    EXPECT_NEAR(c.value[0][10 + k], kGaussNorm * std::pow(2.0, -k * k), 1e-12) << k;
  EXPECT_EQ(c.value[0][6], 0);
  EXPECT_EQ(c.value[0][14], 0);
  // Near an end only the offsets inside the curve count; the spike's mass leaving the curve is
  // lost, none is folded back.
  EXPECT_NEAR(c.value[1][0], kGaussNorm, 1e-12);
  EXPECT_NEAR(c.value[1][3], kGaussNorm / 512, 1e-12);
  EXPECT_EQ(c.value[1][4], 0);
}

TEST(SmoothDos, ZeroMeansNoSmoothing) {
  DosCurves c;
  c.energy = {0, 1, 2};
  c.value = {{1, 2, 3}};
  SmoothDos(c, 0);
  EXPECT_EQ(c.value[0], (std::vector<double>{1, 2, 3}));
}

}  // namespace
}  // namespace quarnel
