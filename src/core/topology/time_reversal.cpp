// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/time_reversal.h"

#include <cmath>
#include <complex>
#include <limits>

namespace quarnel {

double TimeReversalDefect(const LatticeHamiltonian& h, const double k[3]) {
  const int n = h.Orbitals();
  if (n % 2 != 0) return std::numeric_limits<double>::infinity();
  std::complex<double> plus[kMaxOrb * kMaxOrb], minus[kMaxOrb * kMaxOrb];
  const double mk[3] = {-k[0], -k[1], -k[2]};
  h.Fill(k, plus);
  h.Fill(mk, minus);
  // (Theta H Theta^-1)_ab = s_a s_b conj(H_pa,pb): p the other orbital of the pair, s = +1 for up.
  double sum = 0;
  for (int a = 0; a < n; ++a)
    for (int b = 0; b < n; ++b) {
      const double sign = ((a % 2) == (b % 2)) ? 1.0 : -1.0;
      sum += std::norm(minus[a * n + b] - sign * std::conj(plus[(a ^ 1) * n + (b ^ 1)]));
    }
  return std::sqrt(sum);
}

bool TimeReversalSymmetric(const LatticeModel& m, int d1, int d2, int n) {
  const LatticeHamiltonian h(m, LatticeHamiltonian::WithPositions);
  if (h.Orbitals() % 2 != 0 || h.Orbitals() == 0) return false;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      double k[3] = {0, 0, 0};
      k[d1] = 2.0 * i / n;
      k[d2] = 2.0 * j / n;
      if (!(TimeReversalDefect(h, k) < 1e-9)) return false;
    }
  return true;
}

}  // namespace quarnel
