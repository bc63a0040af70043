// SPDX-License-Identifier: GPL-3.0-or-later
// Times one k point (H(k), diagonalisation to convergence, eigen results) against Eigen's
// SelfAdjointEigenSolver<MatrixXcd> on the same H(k), and prints the ratios of the same run.

#include <benchmark/benchmark.h>

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dense_model.h"
#include "numeric/fast_eigen.h"
#include "numeric/kpoint_calc.h"
#include "ratio_reporter.h"

namespace {

using namespace quarnel;

// The dense model, with an effective mass on every other orbital.
std::unique_ptr<ModelData> DenseModel(int n) {
  auto m = DenseBenchModel(n, 1234 + n);
  for (int i = 1; i <= n; i += 2) m->EffMass[i] = 1.0;
  return m;
}

// Equal on-site energies and couplings of 1e-9 of them: the diagonal stays equal at every k.
std::unique_ptr<ModelData> NearDegenerateModel(int n) {
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = 2;
  m->NOrb = n;
  for (int i = 1; i <= n; ++i) {
    m->Alpha(i) = -1;
    for (int j = i + 1; j <= n; ++j) {
      m->BetaPlus[i][j][1] = m->BetaMinus[i][j][1] = 1e-9;
      m->BetaPos[i][j][1] = 0.5;
      m->BetaPosMinus[i][j][1] = -0.5;
    }
  }
  return m;
}

constexpr int kPoints = 64;

KPoint PointAt(int k) {
  return KPointFromNumerators(20, (k * 7) % 41 - 20, (k * 13) % 41 - 20, (k * 5) % 41 - 20);
}

void RunQuarnel(benchmark::State& state, const ModelData* model) {
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  static HamMatrix h;
  long rotations = 0, calls = 0;
  int k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalcKpoint(TableModel(*model), PointAt(k++ % kPoints), h, *solver));
    benchmark::DoNotOptimize(solver->EigVal[1]);
    rotations += solver->JacIter;
    ++calls;
  }
  state.counters["rotations"] = calls ? static_cast<double>(rotations) / calls : 0;
}

void BM_Quarnel(benchmark::State& state) {
  RunQuarnel(state, DenseModel(static_cast<int>(state.range(0))).get());
}

// Must cost no more than the generic model of its size.
void BM_QuarnelNearDegenerate(benchmark::State& state) {
  RunQuarnel(state, NearDegenerateModel(static_cast<int>(state.range(0))).get());
}

void FillEigenMatrix(const HamMatrix& h, int n, Eigen::MatrixXcd& H) {
  for (int i = 1; i <= n; ++i) {
    H(i - 1, i - 1) = h[i][i];
    for (int j = i + 1; j <= n; ++j) {
      H(i - 1, j - 1) = {h[i][j], -h[j][i]};
      H(j - 1, i - 1) = {h[i][j], h[j][i]};
    }
  }
}

void BM_Eigen(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto model = DenseModel(n);
  static HamMatrix h;
  Eigen::MatrixXcd H(n, n);
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> es(n);
  int k = 0;
  for (auto _ : state) {
    FillHamK(*model, PointAt(k++ % kPoints), h);
    FillEigenMatrix(h, n, H);
    es.compute(H, Eigen::ComputeEigenvectors);
    benchmark::DoNotOptimize(es.eigenvalues()(0));
  }
}

// The DOS path: the same H(k) build, the library solver on fixed storage, results laid out as
// the Jacobi extraction leaves them.
void BM_DosPath(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto model = DenseModel(n);
  static HamMatrix h;
  auto out = std::make_unique<FastEigenResult>();
  int k = 0;
  for (auto _ : state) {
    FastEigen(TableModel(*model), PointAt(k++ % kPoints), h, *out);
    benchmark::DoNotOptimize(out->EigVal[1]);
  }
}

void BM_EigenSolveOnly(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto model = DenseModel(n);
  static HamMatrix h;
  std::vector<Eigen::MatrixXcd> mats(kPoints, Eigen::MatrixXcd(n, n));
  for (int k = 0; k < kPoints; ++k) {
    FillHamK(*model, PointAt(k), h);
    FillEigenMatrix(h, n, mats[k]);
  }
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> es(n);
  int k = 0;
  for (auto _ : state) {
    es.compute(mats[k++ % kPoints], Eigen::ComputeEigenvectors);
    benchmark::DoNotOptimize(es.eigenvalues()(0));
  }
}

BENCHMARK(BM_Quarnel)->Arg(3)->Arg(8)->Arg(16)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_DosPath)->Arg(3)->Arg(8)->Arg(16)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_QuarnelNearDegenerate)->Arg(3)->Arg(8)->Arg(16)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Eigen)->Arg(3)->Arg(8)->Arg(16)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_EigenSolveOnly)->Arg(3)->Arg(8)->Arg(16)->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nratio of the k-point calculation to Eigen (same run):\n");
  for (int n : {3, 8, 16}) {
    const std::string arg = "/" + std::to_string(n);
    const auto q = reporter.times.find("BM_Quarnel" + arg);
    const auto e = reporter.times.find("BM_Eigen" + arg);
    const auto s = reporter.times.find("BM_EigenSolveOnly" + arg);
    if (q == reporter.times.end() || e == reporter.times.end()) continue;
    std::printf("  %2d orbitals: %.2fx (Eigen with the same H(k) build)", n, q->second / e->second);
    if (s != reporter.times.end()) std::printf(", %.2fx (Eigen solve only)", q->second / s->second);
    const auto d = reporter.times.find("BM_QuarnelNearDegenerate" + arg);
    if (d != reporter.times.end())
      std::printf(", near-degenerate model %.2fx the generic one", d->second / q->second);
    std::printf("\n");
  }
  std::printf("\nratio of the DOS path (same run):\n");
  for (int n : {3, 8, 16}) {
    const std::string arg = "/" + std::to_string(n);
    const auto d = reporter.times.find("BM_DosPath" + arg);
    const auto e = reporter.times.find("BM_Eigen" + arg);
    const auto q = reporter.times.find("BM_Quarnel" + arg);
    if (d == reporter.times.end() || e == reporter.times.end()) continue;
    std::printf("  %2d orbitals: %.2fx Eigen with the same H(k) build", n, d->second / e->second);
    if (q != reporter.times.end()) std::printf(", Jacobi path %.1fx slower", q->second / d->second);
    std::printf("\n");
  }
  benchmark::Shutdown();
  return 0;
}
