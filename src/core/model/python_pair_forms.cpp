// SPDX-License-Identifier: GPL-3.0-or-later
// The per-form parts of exported scripts for the two forms with fixed pair tables. Each term of
// the tables becomes one tuple, and hamiltonian(k) sums them as FillHamK does: for a pair i < j
// the sums R and I of its terms give H[i, j] = R - iI and H[j, i] = R + iI.

#include "model/python_export.h"
#include "numeric/hamiltonian.h"

namespace quarnel {
namespace {

std::string NumberList(const double* values, int n) {
  std::string out = "[";
  for (int i = 1; i <= n; ++i) out += (i > 1 ? ", " : "") + PythonNumber(values[i]);
  return out + "]";
}

std::string Tuple(std::initializer_list<std::string> items) {
  std::string out = "    (";
  bool first = true;
  for (const std::string& item : items) {
    out += (first ? "" : ", ") + item;
    first = false;
  }
  return out + "),\n";
}

int Orbitals(const ModelData& model) {
  return model.NOrb < 0 ? 0 : model.NOrb < kMaxOrb ? model.NOrb : kMaxOrb;
}

std::string Form1Code(const ModelData& model) {
  const int n = Orbitals(model);
  double alpha[kMaxOrb + 1] = {};
  for (int i = 1; i <= n; ++i) alpha[i] = model.Alpha(i);
  std::string terms;
  for (int i = 1; i < n; ++i)
    for (int j = i + 1; j <= n; ++j)
      for (int d = 1; d <= 3; ++d) {
        const int factor = model.OverlapType[i][j][d];
        const double beta = model.Beta[i][j][d], beta2 = model.Beta2[i][j][d];
        const bool hop = beta != 0 && factor >= 1 && factor <= 4;
        if (!hop && beta2 == 0) continue;
        terms += Tuple({std::to_string(i - 1), std::to_string(j - 1), std::to_string(d - 1),
                        PythonNumber(hop ? beta : 0.0), std::to_string(hop ? factor : 0),
                        PythonNumber(beta2)});
      }
  return "# Form 1: the on-site energies, and the terms of each pair i < j along direction d\n"
         "# (0, 1, 2 for x, y, z; orbitals count from 0): (i, j, d, beta, factor, beta2). With\n"
         "# phi = pi k_d / 2 the factor adds 1: 2 beta cos(phi) to R, 2: -2 beta cos(phi) to R,\n"
         "# 3: 2 beta sin(phi) to I, 4: -2 beta sin(phi) to I; beta2 is added to R.\n"
         "N = " +
         std::to_string(n) + "\nALPHA = " + NumberList(alpha, n) + "\nTERMS = [\n" + terms +
         "]\n\n\n"
         R"PY(def hamiltonian(k):
    """H(k) at k = (kx, ky, kz), 1 being the zone boundary along each direction."""
    h = np.diag(np.array(ALPHA, dtype=complex))
    for i, j, d, beta, factor, beta2 in TERMS:
        phi = np.pi * k[d] / 2
        r, im = beta2, 0.0
        if factor == 1:
            r += 2 * beta * np.cos(phi)
        elif factor == 2:
            r -= 2 * beta * np.cos(phi)
        elif factor == 3:
            im += 2 * beta * np.sin(phi)
        elif factor == 4:
            im -= 2 * beta * np.sin(phi)
        h[i, j] += r - 1j * im
        h[j, i] += r + 1j * im
    return h
)PY";
}

std::string Form2Code(const ModelData& model) {
  const int n = Orbitals(model);
  double alpha[kMaxOrb + 1] = {};
  for (int i = 1; i <= n; ++i) alpha[i] = model.Alpha(i);
  std::string terms;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      for (int d = 1; d <= 3; ++d) {
        const double plus = model.BetaPlus[i][j][d], minus = model.BetaMinus[i][j][d];
        const double socRe = model.SocRe[i][j][d], socIm = model.SocIm[i][j][d];
        if (plus == 0 && minus == 0 && socRe == 0 && socIm == 0) continue;
        terms += Tuple(
            {std::to_string(i - 1), std::to_string(j - 1), std::to_string(d - 1),
             PythonNumber(plus), PythonNumber(minus), PythonNumber(model.BetaPos[i][j][d]),
             PythonNumber(model.BetaPosMinus[i][j][d]), PythonNumber(socRe), PythonNumber(socIm)});
      }
  return "# Form 2: the on-site energies, the effective masses (0: none), and the terms of each\n"
         "# orbital's own images (i == j) and of each pair i < j along direction d (0, 1, 2 for\n"
         "# x, y, z; orbitals count from 0): (i, j, d, beta_plus, beta_minus, position_plus,\n"
         "# position_minus, soc_re, soc_im). A partner at position x adds beta e^{i pi k_d x}.\n"
         "N = " +
         std::to_string(n) + "\nALPHA = " + NumberList(alpha, n) +
         "\nMASS = " + NumberList(model.EffMass, n) +
         "\nKINETIC = " + PythonNumber(kKineticConstant) +
         "  # kinetic energy per k^2 for an effective mass of 1\nTERMS = [\n" + terms +
         "]\n\n\n"
         R"PY(def hamiltonian(k):
    """H(k) at k = (kx, ky, kz), 1 being the zone boundary along each direction."""
    h = np.diag(np.array(ALPHA, dtype=complex))
    for i in range(N):
        if MASS[i] > 0:
            h[i, i] += KINETIC / MASS[i] * (k[0] * k[0] + k[1] * k[1] + k[2] * k[2])
    for i, j, d, plus, minus, pos, pos_minus, soc_re, soc_im in TERMS:
        a = np.pi * k[d] * pos
        b = np.pi * k[d] * pos_minus
        r = np.cos(a) * plus + np.cos(b) * minus + soc_re * k[d]
        im = np.sin(a) * plus + np.sin(b) * minus + soc_im * k[d]
        if i == j:
            h[i, i] += r  # the imaginary part of an orbital's own images is dropped
        else:
            h[i, j] += r - 1j * im
            h[j, i] += r + 1j * im
    return h
)PY";
}

}  // namespace

PythonModelCode PythonCodeOfModel(const ModelData& model) {
  PythonModelCode code;
  for (int j = 1; j <= Orbitals(model); ++j) code.orbitalNames.push_back(model.OrbName[j]);
  code.formName = model.BetaTyp == 1 ? "form 1" : "form 2";
  code.hamiltonian = model.BetaTyp == 1 ? Form1Code(model) : Form2Code(model);
  return code;
}

}  // namespace quarnel
