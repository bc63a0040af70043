// SPDX-License-Identifier: GPL-3.0-or-later
// Wannier90 files: every input is read as an hr file, a .win file and a centres file. An hr
// file that was read converts to a lattice model within its limits (or is refused for its size),
// whose save reads back without a complaint and whose hr file reads back to the same hr file.

#include "fuzz_support.h"
#include "model/lattice_reader.h"
#include "model/lattice_writer.h"
#include "model/wannier_files.h"

using namespace quarnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  double cell[3][3];
  const bool haveCell = ParseWannierWin(text, cell, error);
  std::vector<std::array<double, 3>> centres;
  ParseWannierCentres(text, 3, centres, error);
  WannierHr hr;
  if (!ParseWannierHr(text, hr, error)) return 0;
  FUZZ_CHECK(hr.numWann >= 1 && hr.R.size() == hr.weight.size());
  LatticeModel m;
  PendingMessages messages;
  if (!LatticeFromHr(hr, haveCell ? cell : nullptr, nullptr, 0, m, messages)) {
    FUZZ_CHECK(hr.numWann > kMaxOrb);
    return 0;
  }
  FUZZ_CHECK(m.Orbitals() == hr.numWann);
  LatticeModel back;
  PendingMessages none;
  ParseLatticeText(FormatLatticeFile(m), back, none);
  FUZZ_CHECK(none.Text.empty());
  FUZZ_CHECK(back.hops.size() == m.hops.size());
  // The hr file of the model reads back and writes the same.
  const std::string hrText = FormatWannierHr(back);
  WannierHr again;
  FUZZ_CHECK(ParseWannierHr(hrText, again, error));
  LatticeModel twice;
  PendingMessages quiet;
  FUZZ_CHECK(LatticeFromHr(again, back.cell, nullptr, 0, twice, quiet));
  twice.ModelFileName = back.ModelFileName;
  FUZZ_CHECK(FormatWannierHr(twice) == hrText);
  return 0;
}
