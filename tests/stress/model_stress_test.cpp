// SPDX-License-Identifier: GPL-3.0-or-later
// The largest model the program holds, every term set, through the file, a band run of a few
// hundred k points and a DOS run of grid 12. Checked by identities, not by stored numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <vector>

#include "bands/dos.h"
#include "bands/kpath.h"
#include "common/temp_dir.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "numeric/kpoint_calc.h"
#include "stress/stress_files.h"

namespace quarnel {
namespace {

using cplx = std::complex<double>;
using testing::TempDir;

// H(k) as a complex matrix from the packed HamK: real parts above the diagonal, imaginary parts
// below it.
std::vector<std::vector<cplx>> ComplexH(const HamMatrix& h, int n) {
  std::vector<std::vector<cplx>> H(n + 1, std::vector<cplx>(n + 1));
  for (int i = 1; i <= n; ++i) {
    H[i][i] = h[i][i];
    for (int j = i + 1; j <= n; ++j) {
      H[i][j] = cplx(h[i][j], -h[j][i]);
      H[j][i] = std::conj(H[i][j]);
    }
  }
  return H;
}

// Frobenius norm of H(k1) - H(k2): by Weyl's inequality no sorted eigenvalue moves further.
double DistanceH(const HamMatrix& a, const HamMatrix& b, int n) {
  double sum = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      const double d = a[i][j] - b[i][j];
      sum += i == j ? d * d : 2 * d * d;  // (i, j) stands for H_ij and H_ji
    }
  return std::sqrt(sum);
}

struct PointCheck {
  double traceError = 0, normError = 0, orthoError = 0, residual = 0;
};

// Eigen identities of the solver's results at the k point in hamK.
PointCheck CheckEigen(const HamMatrix& hamK, const JacobiSolver& s, int n) {
  PointCheck c;
  const auto H = ComplexH(hamK, n);
  double trace = 0, sum = 0, scale = 1;
  for (int i = 1; i <= n; ++i) trace += hamK[i][i];
  for (int m = 1; m <= n; ++m) sum += s.EigVal[m], scale = std::max(scale, std::fabs(s.EigVal[m]));
  c.traceError = std::fabs(trace - sum) / scale;
  auto v = [&](int m, int j) { return cplx(s.EigVecRe[m][j], s.EigVecIm[m][j]); };
  for (int m = 1; m <= n; ++m) {
    for (int k = m; k <= n; ++k) {
      cplx dot = 0;
      for (int j = 1; j <= n; ++j) dot += std::conj(v(m, j)) * v(k, j);
      if (k == m)
        c.normError = std::max(c.normError, std::fabs(dot.real() - 1));
      else
        c.orthoError = std::max(c.orthoError, std::abs(dot));
    }
    double r = 0, sq = 0;
    for (int i = 1; i <= n; ++i) {
      cplx hv = 0;
      for (int j = 1; j <= n; ++j) hv += H[i][j] * v(m, j);
      r += std::norm(hv - s.EigVal[m] * v(m, i));
      sq += std::norm(v(m, i));
      EXPECT_NEAR(s.EigVecSq[m][i], std::norm(v(m, i)), 1e-12);
    }
    c.residual = std::max(c.residual, std::sqrt(r) / scale);
  }
  return c;
}

class FullModelRun : public ::testing::TestWithParam<int> {};

TEST_P(FullModelRun, WrittenAndReadBackIdentical) {
  const int form = GetParam();
  ModelData m = stress::FullModel(form);
  TempDir dir;
  PendingMessages messages;
  const std::string file = dir.File(form == 1 ? "full.qre" : "full.qrg");
  ASSERT_EQ(WriteModelFile(m, messages, file), 0);
  auto back = std::make_unique<ModelData>();
  back->BetaTyp = form;
  ASSERT_EQ(ReadModelFile(*back, messages, file), 0);
  EXPECT_EQ(messages.Text, "");
  ASSERT_EQ(back->NOrb, 16);
  EXPECT_EQ(back->HeaderText, m.HeaderText);
  for (int i = 1; i <= 16; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back->OrbName[i], m.OrbName[i]);
    EXPECT_EQ(back->Alpha(i), m.Alpha(i));
    EXPECT_EQ(back->OrbPlotKind[i], m.OrbPlotKind[i]);
    EXPECT_EQ(back->OrbPlotX[i], m.OrbPlotX[i]);
    EXPECT_EQ(back->OrbPlotY[i], m.OrbPlotY[i]);
    EXPECT_EQ(back->EffMass[i], m.EffMass[i]);
    for (int j = i; j <= 16; ++j)
      for (int d = 1; d <= 3; ++d) {
        if (i == j && d == 1) continue;  // Alpha's slot
        // Own images are kept in both forms; pairs only in the tables of the running form.
        if (i == j || form == 2) {
          EXPECT_EQ(back->BetaPlus[i][j][d], m.BetaPlus[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->BetaMinus[i][j][d], m.BetaMinus[i][j][d]) << j << " " << d;
        }
        if (i == j) continue;
        if (form == 1) {
          EXPECT_EQ(back->Beta[i][j][d], m.Beta[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->OverlapType[i][j][d], m.OverlapType[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->Beta2[i][j][d], m.Beta2[i][j][d]) << j << " " << d;
        } else {
          EXPECT_EQ(back->BetaPos[i][j][d], m.BetaPos[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->BetaPosMinus[i][j][d], m.BetaPosMinus[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->SocRe[i][j][d], m.SocRe[i][j][d]) << j << " " << d;
          EXPECT_EQ(back->SocIm[i][j][d], m.SocIm[i][j][d]) << j << " " << d;
        }
      }
  }
  // Header, 16 orbital lines and 120 pairs in three directions, every one carrying terms.
  const std::string text = TempDir::Read(file);
  size_t lines = 0;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 1u + 16u + 120u * 3u);
  const std::string again = dir.File("again");
  ASSERT_EQ(WriteModelFile(*back, messages, again), 0);
  EXPECT_EQ(TempDir::Read(again), text);
}

// A band path of 360 points through the zone, with the path code of the band run.
std::vector<std::string> LongPath() {
  std::vector<std::string> lines = {"G X M G R X"};
  auto add = [&](int x, int y, int z) {
    lines.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + " 72");
  };
  for (int t = 0; t < 72; ++t) add(t, 0, 0);
  for (int t = 0; t < 72; ++t) add(72, t, 0);
  for (int t = 72; t > 0; --t) add(t, t, 0);
  for (int t = 0; t < 72; ++t) add(t, t, t);
  for (int t = 72; t >= 0; --t) add(72, t, t);
  return lines;
}

TEST_P(FullModelRun, BandRunKeepsTheEigenIdentitiesAndIsContinuous) {
  const int form = GetParam();
  const ModelData m = stress::FullModel(form);
  const auto path = LongPath();
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  auto fresh = std::make_unique<JacobiSolver>();
  fresh->JacVerbose = false;
  HamMatrix hamK = {}, previous = {}, scratch = {};
  double previousVal[kMaxOrb + 1] = {};
  PointCheck worst;
  int points = 0, recomputed = 0;
  bool haveLast = false;
  for (size_t line = 1; line < path.size(); ++line) {
    KPathPoint p;
    ASSERT_TRUE(KPathPointOf(ParseKPathLine(path[line]), p)) << path[line];
    CalcKpoint(TableModel(m), KPointFromNumerators(p.div, p.nx, p.ny, p.nz), hamK, *solver);
    ++points;
    const PointCheck c = CheckEigen(hamK, *solver, 16);
    worst.traceError = std::max(worst.traceError, c.traceError);
    worst.normError = std::max(worst.normError, c.normError);
    worst.orthoError = std::max(worst.orthoError, c.orthoError);
    worst.residual = std::max(worst.residual, c.residual);
    for (int i = 1; i < 16; ++i) EXPECT_GE(solver->EigVal[i], solver->EigVal[i + 1]);
    // From one point to the next the sorted bands move no more than H(k) does.
    if (haveLast) {
      const double bound = DistanceH(hamK, previous, 16) * (1 + 1e-9) + 1e-9;
      for (int i = 1; i <= 16; ++i)
        EXPECT_LE(std::fabs(solver->EigVal[i] - previousVal[i]), bound)
            << "band " << i << " at " << path[line];
    }
    // Every 37th point again with a fresh solver: the run carries nothing from point to point.
    if (line % 37 == 0) {
      CalcKpoint(TableModel(m), KPointFromNumerators(p.div, p.nx, p.ny, p.nz), scratch, *fresh);
      ++recomputed;
      for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(fresh->EigVal[i], solver->EigVal[i]) << path[line];
        for (int j = 1; j <= 16; ++j) EXPECT_EQ(fresh->EigVecSq[i][j], solver->EigVecSq[i][j]);
      }
    }
    std::copy(&hamK[0][0], &hamK[0][0] + sizeof(HamMatrix) / sizeof(double), &previous[0][0]);
    std::copy(solver->EigVal, solver->EigVal + kMaxOrb + 1, previousVal);
    haveLast = true;
  }
  EXPECT_EQ(points, 361);
  EXPECT_EQ(recomputed, 9);
  EXPECT_LT(worst.traceError, 1e-12);
  EXPECT_LT(worst.normError, 1e-10);
  EXPECT_LT(worst.orthoError, 1e-9);
  EXPECT_LT(worst.residual, 1e-9);
}

TEST_P(FullModelRun, DosOfGrid12CountsEveryState) {
  const int form = GetParam();
  const ModelData m = stress::FullModel(form);
  const int n = 12, bands = 16;
  const std::size_t points = (n + 1) * (n + 1) * (n + 1);
  DosSamples samples;
  samples.Start(points * bands, bands);
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  HamMatrix hamK = {};
  double weight[kMaxOrb + 1] = {};
  double emin = 1e300, emax = -1e300;
  for (int iz = 0; iz <= n; ++iz)
    for (int iy = 0; iy <= n; ++iy)
      for (int ix = 0; ix <= n; ++ix) {
        CalcKpoint(TableModel(m), KPointFromNumerators(n, ix, iy, iz), hamK, *solver);
        for (int i = 1; i <= bands; ++i) {
          samples.Add(solver->EigVal[i], solver->EigVecSq[i]);
          emin = std::min(emin, solver->EigVal[i]);
          emax = std::max(emax, solver->EigVal[i]);
          for (int j = 1; j <= bands; ++j) weight[j] += solver->EigVecSq[i][j];
        }
      }
  ASSERT_EQ(samples.Count(), points * bands);
  EXPECT_EQ(samples.Emin(), emin);
  EXPECT_EQ(samples.Emax(), emax);
  const DosCurves curves = DosHistogram(samples, 100);
  ASSERT_EQ(curves.energy.size(), 101u);
  ASSERT_EQ(curves.value.size(), 17u);
  double total = 0, partial = 0;
  for (double v : curves.value[0]) total += v;
  EXPECT_EQ(total, static_cast<double>(points * bands));
  for (int j = 1; j <= bands; ++j) {
    double sum = 0;
    for (double v : curves.value[j]) sum += v;
    EXPECT_NEAR(sum, weight[j], 1e-9 * points) << j;
    partial += sum;
  }
  // Every state's weights sum to one.
  EXPECT_NEAR(partial, static_cast<double>(points * bands), 1e-8 * points);
  // The window has its 5 % margins, so no state falls outside.
  const double r = emax - emin;
  EXPECT_NEAR(curves.energy.front(), emin - 0.05 * r, 1e-9 * r);
  EXPECT_NEAR(curves.energy.back(), emax + 0.05 * r, 1e-9 * r);
}

INSTANTIATE_TEST_SUITE_P(BothForms, FullModelRun, ::testing::Values(1, 2),
                         [](const auto& info) { return "form" + std::to_string(info.param); });

}  // namespace
}  // namespace quarnel
