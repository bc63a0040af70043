// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wannier90's files of a tight-binding model: seedname_hr.dat (H(R) blocks), seedname.win (the
// cell, begin/end unit_cell_cart) and seedname_centres.xyz (the Wannier centres), and their
// conversion to and from the lattice form.
//
// hr layout: a header line; num_wann; nrpts; the degeneracy weights, 15 per line; then lines
// "R1 R2 R3 m n Re Im" with m fastest, then n, then R. H_mn(R) = <m, cell 0 | H | n, cell R>,
// each divided by its weight. Read by blanks, not columns.

#include <array>
#include <complex>
#include <string>
#include <vector>

#include "model/lattice_model.h"
#include "support/pending_messages.h"

namespace quarnel {

struct WannierHr {
  std::string header;
  int numWann = 0;
  std::vector<std::array<int, 3>> R;                  // nrpts offsets, in file order
  std::vector<int> weight;                            // per offset
  // Per offset, H[m * numWann + n] divided by the weight; empty when numWann > kMaxOrb (such a
  // listing is checked, not kept).
  std::vector<std::vector<std::complex<double>>> H;
};

// False with the reason in error when the text is not an hr file. Elements missing from the
// listing are 0; a line for an offset or orbital outside the header's counts is an error.
bool ParseWannierHr(const std::string& text, WannierHr& hr, std::string& error);

// The cell of a .win text in Angstrom (bohr converted). False when there is no complete
// unit_cell_cart block.
bool ParseWannierWin(const std::string& text, double cell[3][3], std::string& error);

// The first count "X" lines of a centres file, Cartesian Angstrom. False when fewer are found.
bool ParseWannierCentres(const std::string& text, int count,
                         std::vector<std::array<double, 3>>& centres, std::string& error);

// The lattice model of an hr listing: orbitals w1..wN with energies from the R = 0 diagonal, one
// hop per pair (m, n, R) and its partner (n, m, -R), t = (H_mn(R) + conj H_nm(-R)) / 2, a warning
// when the two differ by more than 1e-5 or one is missing; |t| < minHop dropped. cell and
// centres (Cartesian) may be null: then the unit cube and positions 0. Zero elements make no hop.
// False (no model) with more than kMaxOrb Wannier functions.
bool LatticeFromHr(const WannierHr& hr, const double (*cell)[3],
                   const std::vector<std::array<double, 3>>* centres, double minHop,
                   LatticeModel& m, PendingMessages& messages);

// The files of a lattice model: every H(R) block in full (both partners), weights 1, 12 decimals;
// the cell and the centres (Angstrom, as the model's length unit) with 15.
std::string FormatWannierHr(const LatticeModel& m);
std::string FormatWannierWin(const LatticeModel& m);
std::string FormatWannierCentres(const LatticeModel& m);

// "dir/seed_hr.dat" -> "dir/seed"; "" when the name does not end in "_hr.dat".
std::string WannierSeedName(const std::string& hrFile);

// The conversions of quarnel-cli convert. Warnings are queued; the result is 0 on success, else
// nonzero with the error queued (no file written when the input cannot be used).
int ConvertHrToLattice(const std::string& hrFile, const std::string& qrlFile, double minHop,
                       PendingMessages& messages);
int ConvertLatticeToHr(const std::string& qrlFile, const std::string& hrFile,
                       PendingMessages& messages);

}  // namespace quarnel
