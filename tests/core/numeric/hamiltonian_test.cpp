// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/hamiltonian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "numeric/jacobi_solver.h"

namespace quarnel {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::unique_ptr<ModelData> Model(int typ, int norb) {
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = typ;
  m->NOrb = norb;
  return m;
}

TEST(HamiltonianTest, KPointFromNumerators) {
  const KPoint k = KPointFromNumerators(10, 5, 0, -3);
  EXPECT_EQ(k.X(), 0.5);
  EXPECT_EQ(k.Y(), 0.0);
  EXPECT_EQ(k.Z(), -0.3);
  EXPECT_EQ(KPointFromNumerators(0, 5, 0, 0).X(), 0.5);  // divisor below 1 counts as 10
  EXPECT_EQ(KLabelText("kx", 0.5), "kx=0.50");
  EXPECT_EQ(KLabelText("kz", -0.3), "kz=-0.30");
}

TEST(HamiltonianTest, OneOrbitalFormOneIsAlpha) {
  auto m = Model(1, 1);
  m->Alpha(1) = -3;
  m->OverlapType[1][1][1] = 1;  // the diagonal of form 1 ignores selectors and Beta2
  m->Beta2[1][1][1] = 7;
  HamMatrix h = {};
  FillHamK(*m, KPointFromNumerators(10, 3, 0, 0), h);
  EXPECT_EQ(h[1][1], -3.0);
  JacobiSolver s;
  FillJacInput(h, 1, s);
  EXPECT_EQ(s.JacN, 2);
  EXPECT_EQ(s.JacInput[1][1], -3.0);
  EXPECT_EQ(s.JacInput[2][2], -3.0);
  EXPECT_EQ(s.JacInput[1][2], 0.0);
  EXPECT_EQ(s.JacInput[2][1], 0.0);
}

TEST(HamiltonianTest, FormOneFactors) {
  auto m = Model(1, 2);
  m->Beta[1][2][1] = -1.5;
  double re, im;
  m->OverlapType[1][2][1] = 1;
  ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 0, 0, 0), re, im);
  EXPECT_EQ(re, -3.0);
  ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 10, 0, 0), re, im);
  EXPECT_NEAR(re, 0.0, 1e-15);
  m->OverlapType[1][2][1] = 2;
  ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 5, 0, 0), re, im);
  EXPECT_NEAR(re, 3.0 * std::cos(kPi / 4), 1e-15);
  m->OverlapType[1][2][1] = 3;
  ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 10, 0, 0), re, im);
  EXPECT_EQ(re, 0.0);
  EXPECT_NEAR(im, -3.0, 1e-15);
  m->OverlapType[1][2][1] = 4;
  ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 10, 0, 0), re, im);
  EXPECT_NEAR(im, 3.0, 1e-15);
  for (int t : {0, -1, 5}) {
    m->OverlapType[1][2][1] = t;
    ElementTyp1(*m, 1, 2, KPointFromNumerators(10, 10, 0, 0), re, im);
    EXPECT_EQ(re, 0.0);
    EXPECT_EQ(im, 0.0);
  }
}

TEST(HamiltonianTest, FormOneBeta2IsConstant) {
  auto m = Model(1, 2);
  m->Beta2[1][2][1] = -0.5;
  m->Beta2[1][2][2] = -0.25;
  m->Beta2[1][2][3] = -1;
  for (int nx : {0, 3, 10}) {
    double re, im;
    ElementTyp1(*m, 1, 2, KPointFromNumerators(10, nx, 7, -4), re, im);
    EXPECT_EQ(re, -1.75);
    EXPECT_EQ(im, 0.0);
  }
}

TEST(HamiltonianTest, FormOneImaginaryPairInDoubledMatrix) {
  auto m = Model(1, 2);
  m->Beta[1][2][1] = -0.5;
  m->OverlapType[1][2][1] = 3;
  HamMatrix h = {};
  FillHamK(*m, KPointFromNumerators(10, 10, 0, 0), h);
  EXPECT_NEAR(h[2][1], -1.0, 1e-15);  // I of the pair lives below the diagonal
  JacobiSolver s;
  FillJacInput(h, 2, s);
  EXPECT_EQ(s.JacInput[1][4], h[2][1]);
  EXPECT_EQ(s.JacInput[2][3], -h[2][1]);
  // The whole matrix is symmetric with [i+n][j] = -[i][j+n].
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(s.JacInput[i][j], s.JacInput[j][i]);
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j) {
      EXPECT_EQ(s.JacInput[i + 2][j], -s.JacInput[i][j + 2]);
      EXPECT_EQ(s.JacInput[i + 2][j + 2], s.JacInput[i][j]);
    }
}

TEST(HamiltonianTest, FormTwoKineticTerm) {
  auto m = Model(2, 1);
  m->Alpha(1) = -1;
  HamMatrix h = {};
  const KPoint k = KPointFromNumerators(10, 10, 0, 0);
  for (double mass : {0.0, -2.0}) {
    m->EffMass[1] = mass;
    FillHamK(*m, k, h);
    EXPECT_EQ(h[1][1], -1.0);
  }
  m->EffMass[1] = 1;
  FillHamK(*m, k, h);
  EXPECT_EQ(h[1][1], -1.0 + kKineticConstant);
  m->EffMass[1] = 2;
  FillHamK(*m, KPointFromNumerators(10, 10, 10, 0), h);
  EXPECT_DOUBLE_EQ(h[1][1], -1.0 + kKineticConstant);
}

TEST(HamiltonianTest, FormTwoOwnImages) {
  auto m = Model(2, 1);
  m->Alpha(1) = -2;
  m->BetaPlus[1][1][1] = m->BetaMinus[1][1][1] = -0.5;
  m->BetaPos[1][1][1] = 1;
  m->BetaPosMinus[1][1][1] = -1;
  m->SocIm[1][1][2] = 3;  // the imaginary part of the diagonal is discarded
  HamMatrix h = {};
  for (int nx : {0, 3, 5, 10}) {
    const KPoint k = KPointFromNumerators(10, nx, 4, 0);
    FillHamK(*m, k, h);
    EXPECT_NEAR(h[1][1], -2 + 2 * -0.5 * std::cos(kPi * k.X()), 1e-15);
    double re, im;
    ElementTyp2(*m, 1, 1, k, re, im);
    EXPECT_NEAR(im - 3 * k.Y(), 0.0, 1e-15);
  }
}

TEST(HamiltonianTest, FormTwoPairAtHalfPeriods) {
  auto m = Model(2, 2);
  m->BetaPlus[1][2][1] = -1;
  m->BetaMinus[1][2][1] = -0.25;
  m->BetaPos[1][2][1] = 0.5;
  m->BetaPosMinus[1][2][1] = -0.5;
  m->SocRe[1][2][3] = 0.1;
  m->SocIm[1][2][3] = -0.2;
  HamMatrix h = {};
  const KPoint k = KPointFromNumerators(20, 7, 0, 5);
  FillHamK(*m, k, h);
  const double c = std::cos(kPi * k.X() / 2), s = std::sin(kPi * k.X() / 2);
  EXPECT_NEAR(h[1][2], -1.25 * c + 0.1 * k.Z(), 1e-15);
  EXPECT_NEAR(h[2][1], -0.75 * s - 0.2 * k.Z(), 1e-15);
}

TEST(HamiltonianTest, FormTwoSharedPhasesGiveTheLibraryValues) {
  // Many pairs at the same few positions (phases repeat), and more distinct positions than are
  // remembered per k point: every element must equal the plain sum of library cos and sin.
  for (int distinct : {3, 40}) {
    SCOPED_TRACE(distinct);
    const int n = 9;
    auto m = Model(2, n);
    std::mt19937 gen(distinct);
    std::uniform_real_distribution<double> u(-1, 1);
    std::uniform_int_distribution<int> pos(-distinct, distinct);
    for (int i = 1; i <= n; ++i)
      for (int j = i; j <= n; ++j)
        for (int d = 1; d <= 3; ++d) {
          m->BetaPlus[i][j][d] = u(gen);
          m->BetaMinus[i][j][d] = u(gen);
          m->BetaPos[i][j][d] = 0.5 * pos(gen);
          m->BetaPosMinus[i][j][d] = -m->BetaPos[i][j][d];
        }
    for (int k = 0; k < 5; ++k) {
      const KPoint kp = KPointFromNumerators(20, 3 * k - 7, k, -2 * k);
      HamMatrix h = {};
      FillHamK(*m, kp, h);
      for (int i = 1; i <= n; ++i)
        for (int j = i; j <= n; ++j) {
          double re = 0, im = 0;
          for (int d = 1; d <= 3; ++d) {
            const double a = kPi * kp.k[d] * m->BetaPos[i][j][d];
            const double b = kPi * kp.k[d] * m->BetaPosMinus[i][j][d];
            re += std::cos(a) * m->BetaPlus[i][j][d] + std::cos(b) * m->BetaMinus[i][j][d];
            im += std::sin(a) * m->BetaPlus[i][j][d] + std::sin(b) * m->BetaMinus[i][j][d];
          }
          if (i == j) {
            EXPECT_EQ(h[i][i], m->Alpha(i) + re) << i;
          } else {
            EXPECT_EQ(h[i][j], re) << i << "," << j;
            EXPECT_EQ(h[j][i], im) << i << "," << j;
          }
        }
    }
  }
}

TEST(HamiltonianTest, HamMatCells) {
  HamMatrix h = {};
  h[1][1] = -2;
  h[1][2] = -1.5;
  h[2][1] = 0.25;
  h[2][2] = 1;
  EXPECT_EQ(HamMatCellText(h, 1, 1), "  -2.000");
  EXPECT_EQ(HamMatCellText(h, 1, 2), "  -1.500");
  EXPECT_EQ(HamMatCellText(h, 2, 1), "   0.250");
  EXPECT_EQ(HamMatCellText(h, 2, 2), "   1.000");
}

}  // namespace
}  // namespace quarnel
