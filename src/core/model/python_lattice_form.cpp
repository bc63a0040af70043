// SPDX-License-Identifier: GPL-3.0-or-later
// The per-form part of exported scripts for the lattice form: the orbitals' energies and
// positions and the hops as the file stores them. hamiltonian(k) adds each hop and its implied
// Hermitian partner, with the orbital positions in the phase, as LatticeHamiltonian does.

#include <algorithm>

#include "model/any_model.h"
#include "model/python_export.h"

namespace quarnel {
namespace {

std::string Triple(const std::string& a, const std::string& b, const std::string& c) {
  return "(" + a + ", " + b + ", " + c + ")";
}

std::string NumberTriple(const double x[3]) {
  return Triple(PythonNumber(x[0]), PythonNumber(x[1]), PythonNumber(x[2]));
}

}  // namespace

PythonModelCode PythonCodeOfLattice(const LatticeModel& model) {
  // H(k) takes no more orbitals than the program's matrices hold, nor hops beyond them.
  const int n = std::min(model.Orbitals(), kMaxOrb);
  PythonModelCode code;
  code.formName = "lattice form";
  std::string energies, positions;
  for (int i = 0; i < n; ++i) {
    const LatticeOrbital& o = model.orbitals[i];
    code.orbitalNames.push_back(o.name);
    energies += (i ? ", " : "") + PythonNumber(o.energy);
    positions += (i ? ", " : "") + NumberTriple(o.pos);
  }
  std::string hops;
  for (const LatticeHop& h : model.hops) {
    if (h.i < 0 || h.j < 0 || h.i >= n || h.j >= n) continue;
    hops += "    (" + std::to_string(h.i) + ", " + std::to_string(h.j) + ", " +
            Triple(std::to_string(h.R[0]), std::to_string(h.R[1]), std::to_string(h.R[2])) +
            ", complex(" + PythonNumber(h.t.real()) + ", " + PythonNumber(h.t.imag()) + ")),\n";
  }
  std::string cell;
  for (int a = 0; a < 3; ++a) cell += (a ? ", " : "") + NumberTriple(model.cell[a]);
  code.hamiltonian =
      "# Lattice form: the cell vectors a1, a2, a3 (Cartesian), the on-site energies, the orbital\n"
      "# positions tau in fractions of a1, a2, a3, and the hops <i, cell 0 | H | j, cell R> = t\n"
      "# (orbitals count from 0, R in multiples of a1, a2, a3): (i, j, R, t). Each hop's\n"
      "# Hermitian partner (j -> i at -R, conj t) is implied, not listed.\n"
      "N = " +
      std::to_string(n) + "\nCELL = [" + cell + "]\nENERGY = [" + energies + "]\nPOSITION = [" +
      positions + "]\nHOPS = [\n" + hops +
      "]\n\n\n"
      R"PY(def hamiltonian(k):
    """H(k) at k = (k1, k2, k3), 1 being the zone boundary along each reciprocal vector
    (k_d is twice the reduced coordinate along b_d)."""
    k = np.asarray(k, dtype=float)
    h = np.diag(np.array(ENERGY, dtype=complex))
    for i, j, R, t in HOPS:
        if i == j:
            h[i, i] += 2 * (t * np.exp(1j * np.pi * np.dot(k, R))).real
        else:
            x = np.add(R, POSITION[j]) - np.array(POSITION[i])
            term = t * np.exp(1j * np.pi * np.dot(k, x))
            h[i, j] += term
            h[j, i] += np.conj(term)
    return h
)PY";
  return code;
}

PythonModelCode PythonCodeOfAnyModel(const AnyModel& model) {
  return model.lattice ? PythonCodeOfLattice(*model.lattice) : PythonCodeOfModel(*model.tables);
}

}  // namespace quarnel
