// SPDX-License-Identifier: GPL-3.0-or-later
// H(k) of the lattice form against its definition hop by hop, a closed form (graphene with a
// mass), Hermiticity, H(k + G) unitarily equivalent to H(k), and the packed matrix.

#include "numeric/lattice_hamiltonian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "numeric/fast_eigen.h"

namespace quarnel {
namespace {

constexpr double kPi = 3.14159265358979323846;
using cd = std::complex<double>;

LatticeModel RandomModel(int n, int hops, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  std::uniform_int_distribution<int> r(-2, 2), o(0, n - 1);
  LatticeModel m;
  for (int i = 0; i < n; ++i) {
    LatticeOrbital orb;
    orb.name = "o" + std::to_string(i);
    orb.energy = u(rng);
    for (double& p : orb.pos) p = u(rng);
    m.orbitals.push_back(orb);
  }
  for (int h = 0; h < hops; ++h) {
    LatticeHop hop;
    hop.i = o(rng);
    hop.j = o(rng);
    for (int& c : hop.R) c = r(rng);
    if (hop.i == hop.j && hop.R[0] == 0 && hop.R[1] == 0 && hop.R[2] == 0) hop.R[0] = 1;
    hop.t = cd(u(rng), u(rng));
    m.hops.push_back(hop);
  }
  return m;
}

// The definition, one exponential per hop and partner.
std::vector<cd> Direct(const LatticeModel& m, const double k[3]) {
  const int n = m.Orbitals();
  std::vector<cd> H(n * n, 0.0);
  for (int i = 0; i < n; ++i) H[i * n + i] = m.orbitals[i].energy;
  for (const LatticeHop& h : m.hops) {
    double x = 0;
    for (int d = 0; d < 3; ++d)
      x += k[d] * (h.R[d] + m.orbitals[h.j].pos[d] - m.orbitals[h.i].pos[d]);
    H[h.i * n + h.j] += h.t * std::polar(1.0, kPi * x);
    H[h.j * n + h.i] += std::conj(h.t) * std::polar(1.0, -kPi * x);
  }
  return H;
}

TEST(LatticeHamiltonian, MatchesTheDefinitionAndIsHermitian) {
  const LatticeModel m = RandomModel(7, 120, 5);
  const LatticeHamiltonian h(m);
  const int n = m.Orbitals();
  const double k[3] = {0.37, -1.21, 0.83};
  std::vector<cd> H(n * n);
  h.Fill(k, H.data());
  const std::vector<cd> want = Direct(m, k);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      EXPECT_NEAR(std::abs(H[i * n + j] - want[i * n + j]), 0, 1e-12);
      EXPECT_NEAR(std::abs(H[i * n + j] - std::conj(H[j * n + i])), 0, 1e-14);
    }
  // The packed matrix of the other forms: R = Re H_ij above, I = -Im H_ij below.
  HamMatrix hamK = {};
  KPoint kp;
  for (int d = 0; d < 3; ++d) kp.k[d + 1] = k[d];
  h.FillPacked(kp, hamK);
  EXPECT_DOUBLE_EQ(hamK[1][2], H[1].real());
  EXPECT_DOUBLE_EQ(hamK[2][1], -H[1].imag());
  EXPECT_DOUBLE_EQ(hamK[3][3], H[2 * n + 2].real());
}

TEST(LatticeHamiltonian, ShiftByAReciprocalVectorIsAUnitaryTransform) {
  const LatticeModel m = RandomModel(5, 40, 9);
  const LatticeHamiltonian h(m);
  const int n = m.Orbitals();
  const double k[3] = {0.2, 0.5, -0.4};
  for (int d = 0; d < 3; ++d) {
    double kg[3] = {k[0], k[1], k[2]};
    kg[d] += 2;  // one reciprocal vector in k numbers
    std::vector<cd> H(n * n), G(n * n);
    h.Fill(k, H.data());
    h.Fill(kg, G.data());
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        const cd u = std::polar(1.0, 2 * kPi * (m.orbitals[j].pos[d] - m.orbitals[i].pos[d]));
        EXPECT_NEAR(std::abs(G[i * n + j] - H[i * n + j] * u), 0, 1e-11);
      }
  }
}

TEST(LatticeHamiltonian, GrapheneWithAMassClosedForm) {
  LatticeModel m;
  m.cell[1][0] = 0.5;
  m.cell[1][1] = std::sqrt(3.0) / 2;
  m.orbitals = {{"A", 0.4, {0, 0, 0}, 1}, {"B", -0.4, {1.0 / 3, 1.0 / 3, 0}, 1}};
  for (const auto& R : {std::array<int, 3>{0, 0, 0}, {-1, 0, 0}, {0, -1, 0}}) {
    LatticeHop hop;
    hop.i = 0;
    hop.j = 1;
    for (int d = 0; d < 3; ++d) hop.R[d] = R[d];
    hop.t = -2.7;
    m.hops.push_back(hop);
  }
  for (const auto phases : {LatticeHamiltonian::WithPositions, LatticeHamiltonian::WithoutPositions}) {
    const LatticeHamiltonian h(m, phases);
    for (const double k1 : {0.0, 0.3, 4.0 / 3, 1.0})
      for (const double k2 : {0.0, 2.0 / 3, -0.45}) {
        KPoint kp;
        kp.k[1] = k1;
        kp.k[2] = k2;
        HamMatrix hamK = {};
        h.FillPacked(kp, hamK);
        FastEigenResult r;
        FastEigenOfHamK(hamK, 2, r);
        ASSERT_TRUE(r.ok);
        const double f = std::abs(1.0 + std::polar(1.0, -kPi * k1) + std::polar(1.0, -kPi * k2));
        const double e = std::sqrt(0.16 + 2.7 * 2.7 * f * f);
        EXPECT_NEAR(r.EigVal[1], e, 1e-12);
        EXPECT_NEAR(r.EigVal[2], -e, 1e-12);
      }
  }
}

TEST(LatticeHamiltonian, OffsetsAreGatheredOnce) {
  const LatticeModel m = RandomModel(16, 8000, 3);
  const LatticeHamiltonian h(m);
  EXPECT_LE(h.Offsets(), 125u);
}

}  // namespace
}  // namespace quarnel
