// SPDX-License-Identifier: GPL-3.0-or-later
// Berry phases, Wilson loops, Chern and Z2 numbers against closed forms and known phase diagrams:
// the SSH chain's Zak phase (2 pi times its Wannier centre), Haldane's C = +-1 and 0 across
// M = 3 sqrt3 t2 |sin phi|, the Qi-Wu-Zhang model's C(u), Kane-Mele's Z2, and the gap guard.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "topology/chern_plaquettes.h"
#include "topology/time_reversal.h"
#include "topology/wilson_loop.h"

#include "core/topology/lattice_examples.h"

namespace quarnel {
namespace {

// Difference of two phases modulo 2 pi, in [0, pi].
double PhaseDistance(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 2 * kPi);
  return std::min(d, 2 * kPi - d);
}

struct Numbers {
  ChernPlaquettes plaquettes;
  int winding = 0;
  int z2 = -1;
};

// Both Chern numbers of the plane (1, 2), and Z2 when time reversal holds.
Numbers Compute(const LatticeModel& m, int occupied, int n = 30) {
  const OccupiedStates states(m, occupied);
  Numbers out;
  out.plaquettes = ComputeChernPlaquettes(states, 0, 1, n);
  out.winding = ChernFromFlow(ComputeWannierFlow(states, 0, 1, n, n, 2.0));
  EXPECT_EQ(out.winding, ChernFromFlow(ComputeWannierFlow(states, 1, 0, n, n, 2.0)))
      << "the loops along k2 wind another way";
  if (TimeReversalSymmetric(m, 0, 1, n))
    out.z2 = Z2FromFlow(ComputeWannierFlow(states, 0, 1, n, n / 2, 1.0));
  return out;
}

TEST(TopologyNumbers, SshZakPhaseIsTwoPiTimesTheWannierCentre) {
  // v inside the cell, w between cells: the centre sits on the stronger bond.
  struct Case {
    double v, w, posB, zak;
  } cases[] = {
      {-1, -0.5, 0.5, kPi / 2}, {-0.5, -1, 0.5, 3 * kPi / 2}, {-1, -0.5, 0, 0}, {-0.5, -1, 0, kPi}};
  for (const Case& c : cases) {
    LatticeModel m = Example("ssh_chain.qrl");
    m.hops[0].t = c.v;
    m.hops[1].t = c.w;
    m.orbitals[1].pos[0] = c.posB;
    const OccupiedStates states(m, 1);
    GapGuard guard;
    const double k[3] = {0, 0, 0};
    const WilsonLoop loop = ComputeWilsonLoop(states, 0, k, 24, guard);
    ASSERT_TRUE(loop.ok);
    EXPECT_NEAR(PhaseDistance(loop.berry, c.zak), 0, 1e-9) << c.v << " " << c.w << " " << c.posB;
    EXPECT_GE(loop.berry, 0);
    EXPECT_LT(loop.berry, 2 * kPi);
    EXPECT_NEAR(guard.gap, 2 * std::fabs(c.v - c.w), 1e-9);  // at the zone boundary
    EXPECT_NEAR(PhaseDistance(2 * kPi * loop.centres[0], loop.berry), 0, 1e-9);
  }
}

TEST(TopologyNumbers, HaldanePhaseDiagramAndGapGuard) {
  const double t2 = 0.1;
  int forPositivePhi = 0;  // the sign follows the flux: phi and -phi give opposite numbers
  for (double phi : {kPi / 2, kPi / 3, -kPi / 4}) {
    const double critical = 3 * std::sqrt(3.0) * t2 * std::fabs(std::sin(phi));
    for (double M : {0.0, 0.8 * critical, 1.2 * critical, -0.8 * critical, -1.2 * critical}) {
      LatticeModel m = Example("haldane.qrl");
      m.orbitals[0].energy = M;
      m.orbitals[1].energy = -M;
      for (LatticeHop& h : m.hops)
        if (h.i == h.j) h.t = std::polar(t2, h.i == 0 ? phi : -phi);
      const Numbers n = Compute(m, 1);
      ASSERT_TRUE(n.plaquettes.ok && n.plaquettes.guard.Defined());
      EXPECT_NEAR(n.plaquettes.sum, n.plaquettes.chern, 1e-9);
      EXPECT_EQ(n.plaquettes.chern, n.winding) << "M = " << M << ", phi = " << phi;
      EXPECT_EQ(n.z2, -1) << "Haldane's model breaks time reversal";
      if (std::fabs(M) < critical) {
        EXPECT_EQ(std::abs(n.plaquettes.chern), 1) << "M = " << M << ", phi = " << phi;
        if (forPositivePhi == 0) forPositivePhi = n.plaquettes.chern;
        EXPECT_EQ(n.plaquettes.chern, phi > 0 ? forPositivePhi : -forPositivePhi);
      } else {
        EXPECT_EQ(n.plaquettes.chern, 0) << "M = " << M << ", phi = " << phi;
      }
    }
    // At the transition the gap closes at K or K', points of a grid divisible by 3.
    LatticeModel m = Example("haldane.qrl");
    m.orbitals[0].energy = critical;
    m.orbitals[1].energy = -critical;
    for (LatticeHop& h : m.hops)
      if (h.i == h.j) h.t = std::polar(t2, h.i == 0 ? phi : -phi);
    const ChernPlaquettes c = ComputeChernPlaquettes(OccupiedStates(m, 1), 0, 1, 30);
    EXPECT_FALSE(c.guard.Defined()) << "gap " << c.guard.gap;
    EXPECT_NE(c.guard.Reason().find("not defined (gap closes near k = "), std::string::npos);
  }
}

TEST(TopologyNumbers, QiWuZhangChernNumberIsMinusTheSignOfUInsideTwo) {
  // The lower band's curvature is half the solid angle swept by d = (sin, sin, u + cos + cos), so
  // C is the degree of d / |d|: the preimages of the north pole are (0,0), (1,0), (0,1), (1,1)
  // with u + cos + cos > 0 and Jacobian signs +, -, -, +.
  for (double u : {-3.0, -1.5, -0.5, 0.5, 1.0, 1.5, 3.0}) {
    LatticeModel m = Example("qwz.qrl");
    m.orbitals[0].energy = u;
    m.orbitals[1].energy = -u;
    const Numbers n = Compute(m, 1);
    const int expected = std::fabs(u) > 2 ? 0 : (u > 0 ? -1 : 1);
    EXPECT_EQ(n.plaquettes.chern, expected) << "u = " << u;
    EXPECT_EQ(n.winding, expected) << "u = " << u;
  }
  LatticeModel m = Example("qwz.qrl");
  m.orbitals[0].energy = 2;  // closes at k = (1, 1)
  m.orbitals[1].energy = -2;
  const ChernPlaquettes c = ComputeChernPlaquettes(OccupiedStates(m, 1), 0, 1, 20);
  EXPECT_FALSE(c.guard.Defined());
  EXPECT_NEAR(c.guard.k[0], 1, 1e-12);
  EXPECT_NEAR(c.guard.k[1], 1, 1e-12);
}

TEST(TopologyNumbers, KaneMeleZ2AndTimeReversal) {
  // With the Rashba term Sz is not conserved; Z2 = 1 while the staggered potential stays well
  // below 3 sqrt3 lambda_SO (0.31), 0 beyond it.
  for (double v : {0.0, 0.1, 0.2, 0.5, 0.8}) {
    LatticeModel m = Example("kane_mele.qrl");
    for (int i = 0; i < 4; ++i) m.orbitals[i].energy = i < 2 ? v : -v;
    const Numbers n = Compute(m, 2, 24);
    ASSERT_TRUE(n.plaquettes.guard.Defined()) << "v = " << v;
    EXPECT_EQ(n.z2, v < 0.3 ? 1 : 0) << "v = " << v;
    EXPECT_EQ(n.plaquettes.chern, 0);
    EXPECT_EQ(n.winding, 0);
  }
  // A single spin-orbit hop without its time-reversed partner breaks the symmetry.
  LatticeModel m = Example("kane_mele.qrl");
  m.hops[12].t = 0;
  EXPECT_FALSE(TimeReversalSymmetric(m, 0, 1, 12));
  EXPECT_FALSE(TimeReversalSymmetric(Example("qwz.qrl"), 0, 1, 12));
}

TEST(TopologyNumbers, OccupiedBandsFromTheOptionOrTheFilling) {
  LatticeModel m = Example("kane_mele.qrl");  // 2 electrons, one per state
  int occupied = 0;
  std::string why;
  EXPECT_TRUE(ChooseOccupied(m, 0, occupied, why));
  EXPECT_EQ(occupied, 2);
  EXPECT_TRUE(ChooseOccupied(m, 3, occupied, why));
  EXPECT_EQ(occupied, 3);
  EXPECT_FALSE(ChooseOccupied(m, 4, occupied, why));
  m.FillElectrons = 3;
  m.FillSpin = 2;
  EXPECT_FALSE(ChooseOccupied(m, 0, occupied, why));
  EXPECT_NE(why.find("--occupied"), std::string::npos);
  m.FillElectrons = 0;
  EXPECT_FALSE(ChooseOccupied(m, 0, occupied, why));
}

}  // namespace
}  // namespace quarnel
