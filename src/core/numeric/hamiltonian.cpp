// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/hamiltonian.h"

#include <cmath>

#include "numeric/jacobi_solver.h"
#include "support/number_text.h"

namespace quarnel {
namespace {

constexpr double kPi = 3.14159265358979323846;

// cos and sin of the phases of one H(k). Partners sit at a few positions only, so most pairs
// repeat a phase already seen; only bit-equal arguments are reused, so the values stay those of
// the library calls.
class PhaseCache {
 public:
  void CosSin(double x, double& c, double& s) {
    for (int i = 0; i < n_; ++i)
      if (arg_[i] == x && std::signbit(arg_[i]) == std::signbit(x)) {
        c = cos_[i];
        s = sin_[i];
        return;
      }
    c = std::cos(x);
    s = std::sin(x);
    if (n_ < kSize) {
      arg_[n_] = x;
      cos_[n_] = c;
      sin_[n_] = s;
      ++n_;
    }
  }

 private:
  static constexpr int kSize = 24;
  int n_ = 0;
  double arg_[kSize], cos_[kSize], sin_[kSize];
};

void ElementTyp2(const ModelData& model, int i, int j, const KPoint& kp, PhaseCache& phases,
                 double& re, double& im) {
  re = 0;
  im = 0;
  for (int d = 1; d <= 3; ++d) {
    const double kd = kp.k[d];
    const double plus = model.BetaPlus[i][j][d], minus = model.BetaMinus[i][j][d];
    // A coupling of zero adds nothing; skipping it saves the trigonometry of absent partners.
    if (plus != 0 || minus != 0) {
      const double a = kPi * kd * model.BetaPos[i][j][d];
      const double b = kPi * kd * model.BetaPosMinus[i][j][d];
      double ca, sa, cb, sb;
      phases.CosSin(a, ca, sa);
      phases.CosSin(b, cb, sb);
      re += ca * plus + cb * minus;
      im += sa * plus + sb * minus;
    }
    if (model.SocRe[i][j][d] != 0) re += model.SocRe[i][j][d] * kd;
    if (model.SocIm[i][j][d] != 0) im += model.SocIm[i][j][d] * kd;
  }
}

}  // namespace

KPoint KPointFromNumerators(int divisor, int nx, int ny, int nz) {
  if (divisor < 1) divisor = 10;
  KPoint kp;
  kp.k[1] = static_cast<double>(nx) / divisor;
  kp.k[2] = static_cast<double>(ny) / divisor;
  kp.k[3] = static_cast<double>(nz) / divisor;
  return kp;
}

std::string KLabelText(const char* name, double value) {
  return std::string(name) + "=" + FormatFixed(value, 4, 2);
}

void ElementTyp1(const ModelData& model, int i, int j, const KPoint& kp, double& re, double& im) {
  re = 0;
  im = 0;
  for (int d = 1; d <= 3; ++d) {
    const double b = model.Beta[i][j][d];
    const double phi = kPi * kp.k[d] / 2;
    switch (model.OverlapType[i][j][d]) {
      case 1:
        re += 2 * b * std::cos(phi);
        break;
      case 2:
        re -= 2 * b * std::cos(phi);
        break;
      case 3:
        im += 2 * b * std::sin(phi);
        break;
      case 4:
        im -= 2 * b * std::sin(phi);
        break;
      default:
        break;
    }
    re += model.Beta2[i][j][d];
  }
}

void ElementTyp2(const ModelData& model, int i, int j, const KPoint& kp, double& re, double& im) {
  PhaseCache phases;
  ElementTyp2(model, i, j, kp, phases, re, im);
}

void FillHamK(const ModelData& model, const KPoint& kp, HamMatrix& HamK) {
  const int n = model.NOrb < kMaxOrb ? model.NOrb : kMaxOrb;
  const bool typ1 = model.BetaTyp == 1;
  const double ksq = kp.X() * kp.X() + kp.Y() * kp.Y() + kp.Z() * kp.Z();
  PhaseCache phases;
  for (int i = 1; i <= n; ++i) {
    if (typ1) {
      HamK[i][i] = model.Alpha(i);
      continue;
    }
    double re, im;
    // The imaginary part of an own image is discarded.
    ElementTyp2(model, i, i, kp, phases, re, im);
    if (model.EffMass[i] > 0) re += kKineticConstant / model.EffMass[i] * ksq;
    HamK[i][i] = model.Alpha(i) + re;
  }
  for (int i = 1; i < n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      double re, im;
      if (typ1)
        ElementTyp1(model, i, j, kp, re, im);
      else
        ElementTyp2(model, i, j, kp, phases, re, im);
      HamK[i][j] = re;
      HamK[j][i] = im;
    }
}

void FillJacInput(const HamMatrix& HamK, int n, JacobiSolver& solver) {
  if (n < 0) n = 0;
  if (n > kMaxOrb) n = kMaxOrb;
  auto& a = solver.JacInput;
  for (int i = 1; i < n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      a[i][j] = a[j][i] = HamK[i][j];
      a[i][j + n] = HamK[j][i];
      a[j][i + n] = -HamK[j][i];
    }
  for (int i = 1; i <= n; ++i) {
    a[i][i] = HamK[i][i];
    a[i][i + n] = 0;
  }
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      a[i + n][j + n] = a[i][j];
      a[i + n][j] = -a[i][j + n];
    }
  solver.JacN = 2 * n;
}

std::string HamMatCellText(const HamMatrix& HamK, int i, int j) {
  return FormatFixed(HamK[i][j], 8, 3);
}

}  // namespace quarnel
