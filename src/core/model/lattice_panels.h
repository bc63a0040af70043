// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lattice form's editing panels as texts: what each panel shows for the model and how its
// Apply reads the texts back. Apply checks every field first and changes nothing when one is
// wrong, returning a message that names the field; "" means the model was changed.
//
//   orbital panel  name, energy, position (fractions of a1, a2, a3), picture kind
//   pair panel     the hops of a pair, one row each, oriented from the first orbital to the
//                  second: R1 R2 R3, Re t, Im t
//   cell panel     a1, a2, a3 (Cartesian), and the presets square, hexagonal, cubic, fcc, bcc

#include <string>
#include <vector>

#include "model/lattice_model.h"

namespace quarnel {

struct LatticeOrbitalTexts {
  std::string name, energy;
  std::string pos[3];
  int kindItem = 0;  // item of the shape list: kind - 1
};
LatticeOrbitalTexts LatticeOrbitalPanelFill(const LatticeModel& m, int i);
std::string ApplyLatticeOrbitalPanel(LatticeModel& m, int i, const LatticeOrbitalTexts& t);

struct LatticeHopRow {
  std::string R[3], re, im;
};
// The pair's hops oriented i -> j (i == j: the self hops as stored).
std::vector<LatticeHopRow> LatticePairPanelFill(const LatticeModel& m, int i, int j);
// Replaces every hop of the pair (either orientation) by the rows; rows whose fields are all
// blank are skipped. Refused: a non-integer R, an unreadable amplitude, a self hop at R = 0, and
// two rows for the same hop (the same R, or for i == j also -R).
std::string ApplyLatticePairPanel(LatticeModel& m, int i, int j,
                                  const std::vector<LatticeHopRow>& rows);

struct LatticeCellTexts {
  std::string a[3][3];  // a[v][c]: component c of vector v + 1
};
LatticeCellTexts LatticeCellPanelFill(const LatticeModel& m);
// Refused when a number is unreadable or the vectors are degenerate.
std::string ApplyLatticeCellPanel(LatticeModel& m, const LatticeCellTexts& t);

// The presets of the cell panel, with lattice constant 1 (the hexagonal one at 60 degrees; the
// third vector of the 2-D presets is the unit z).
enum class CellPreset { Square, Hexagonal, Cubic, Fcc, Bcc };
const char* CellPresetName(CellPreset p);
void CellPresetVectors(CellPreset p, double cell[3][3]);

}  // namespace quarnel
