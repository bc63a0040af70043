// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lattice_writer.h"

#include "support/number_text.h"
#include "support/text_file.h"

namespace quarnel {
namespace {

std::string G(double x) {
  // No "-0": it would read back the same, but differ from a second save.
  return FormatG(x == 0 ? 0.0 : x, 12);
}

// A name the reader takes back: one word, no "=", not starting with "_", not used twice.
std::string OrbitalWord(const LatticeModel& m, int i) {
  const std::string& name = m.orbitals[i].name;
  bool good = !name.empty() && name[0] != '_' && name.find('=') == std::string::npos;
  for (unsigned char c : name) good = good && c > ' ';
  for (int k = 0; k < i && good; ++k) good = m.orbitals[k].name != name;
  return good ? name : "orb" + std::to_string(i + 1);
}

}  // namespace

std::string FormatLatticeFile(const LatticeModel& m) {
  std::string text = m.HeaderText + "\r\n_cell";
  for (int v = 0; v < 3; ++v) {
    text += "  a" + std::to_string(v + 1) + "=";
    for (int c = 0; c < 3; ++c) text += " " + G(m.cell[v][c]);
  }
  text += "\r\n";
  for (int i = 0; i < m.Orbitals(); ++i) {
    const LatticeOrbital& o = m.orbitals[i];
    text += "_orb " + OrbitalWord(m, i) + " " + G(o.energy) + " pos= " + G(o.pos[0]) + " " +
            G(o.pos[1]) + " " + G(o.pos[2]) + " tok= " + std::to_string(o.kind) + "\r\n";
  }
  for (const LatticeHop& h : m.hops) {
    text += "_hop " + OrbitalWord(m, h.i) + " " + OrbitalWord(m, h.j) +
            " R= " + std::to_string(h.R[0]) + " " + std::to_string(h.R[1]) + " " +
            std::to_string(h.R[2]) + " t= " + G(h.t.real());
    if (h.t.imag() != 0) text += " " + G(h.t.imag());
    text += "\r\n";
  }
  if (m.FillElectrons > 0)
    text +=
        "_fill electrons=" + G(m.FillElectrons) + " spin=" + std::to_string(m.FillSpin) + "\r\n";
  return text;
}

int WriteLatticeFile(LatticeModel& m, PendingMessages& messages, const std::string& name) {
  const int code = WriteWholeTextFile(name, FormatLatticeFile(m), messages);
  if (code != 0) return code;
  m.ModelFileName = name;
  return 0;
}

}  // namespace quarnel
