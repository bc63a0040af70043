// SPDX-License-Identifier: GPL-3.0-or-later
// Lattice-form files (.qrl): a file that was read gives a model within its limits, its save
// reads back without a complaint to the same save, and H(k) of it is Hermitian.

#include <cmath>
#include <map>
#include <tuple>

#include "fuzz_support.h"
#include "model/lattice_reader.h"
#include "model/lattice_writer.h"
#include "numeric/lattice_hamiltonian.h"

using namespace quarnel;

namespace {

void CheckLimits(const LatticeModel& m) {
  FUZZ_CHECK(m.Orbitals() <= kMaxOrb);
  for (int i = 0; i < m.Orbitals(); ++i) {
    FUZZ_CHECK(FindLatticeOrbital(m, m.orbitals[i].name) == i);
    FUZZ_CHECK(std::isfinite(m.orbitals[i].energy));
  }
  std::map<std::tuple<int, int, int, int, int>, int> seen;
  for (const LatticeHop& h : m.hops) {
    FUZZ_CHECK(h.i >= 0 && h.i < m.Orbitals() && h.j >= 0 && h.j < m.Orbitals());
    FUZZ_CHECK(!(h.i == h.j && h.R[0] == 0 && h.R[1] == 0 && h.R[2] == 0));
    FUZZ_CHECK(std::isfinite(h.t.real()) && std::isfinite(h.t.imag()));
    const auto key = std::make_tuple(h.i, h.j, h.R[0], h.R[1], h.R[2]);
    const auto partner = std::make_tuple(h.j, h.i, -h.R[0], -h.R[1], -h.R[2]);
    FUZZ_CHECK(seen.count(key) == 0 && seen.count(partner) == 0);  // no hop given twice
    seen[key] = 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = quarnel_fuzz::InputFile(data, size, "qrl");
  LatticeModel m;
  PendingMessages messages;
  FUZZ_CHECK(ReadLatticeFile(m, messages, name) == 0);
  FUZZ_CHECK(messages.Text.empty() || messages.Text.rfind("Reading errors: \r\n", 0) == 0);
  CheckLimits(m);

  const std::string saved = FormatLatticeFile(m);
  LatticeModel back;
  PendingMessages none;
  ParseLatticeText(saved, back, none);
  FUZZ_CHECK(none.Text.empty());  // the writer's own file reads without a complaint
  FUZZ_CHECK(back.Orbitals() == m.Orbitals() && back.hops.size() == m.hops.size());
  FUZZ_CHECK(back.HeaderText == m.HeaderText);
  FUZZ_CHECK(FormatLatticeFile(back) == saved);

  // What a run does next: H(k) at one k point, Hermitian by construction.
  const LatticeHamiltonian h(m);
  const int n = h.Orbitals();
  std::vector<std::complex<double>> H(static_cast<std::size_t>(n) * n);
  const double k[3] = {0.15, -0.35, 0.55};
  h.Fill(k, H.data());
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const std::complex<double> a = H[i * n + j], b = std::conj(H[j * n + i]);
      if (std::isfinite(a.real()) && std::isfinite(a.imag())) FUZZ_CHECK(a == b);
    }
  return 0;
}
