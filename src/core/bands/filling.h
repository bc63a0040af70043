// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Electrons in the bands: where the states of a run are filled for a number of electrons per
// cell, the Fermi level this gives, whether a gap opens there, and the densities per cell.
//
// States come as a plain list: the energies of every k point in the run's order, and within a k
// point in band order 1..N as EigVal numbers them (highest first). Every state counts the same
// and holds spin / Nk electrons per cell.

#include <cstddef>
#include <string>
#include <vector>

#include "bands/dos.h"

namespace quarnel {

struct FillingResult {
  bool valid = false;       // electrons set and states to put them in
  bool overfilled = false;  // more electrons than the bands hold (spin * N); then not valid
  double fermi = 0;
  bool insulator = false;
  int filledBands = 0;  // insulator: the bands below the gap, counted from the bottom
  double vbm = 0, cbm = 0, gap = 0;
  std::size_t vbmK = 0, cbmK = 0;  // k-point indexes of the band edges
  bool direct = false;
};

// Fills the states from the lowest energy until electrons per cell are placed. When
// electrons / spin is a whole number b of bands (1..N-1) and band b + 1 lies wholly above band b
// the filling is an insulator's: E_F is midgap. Otherwise E_F is the energy of the state in
// which the filling ends.
FillingResult FillBands(const std::vector<double>& energy, std::size_t kpoints, int bands,
                        double electrons, double spin);

// The highest energy of band b and the lowest of band b + 1 (from the bottom) over the k points,
// with the k-point indexes where they lie. False unless 1 <= b < bands and the list is whole.
bool BandEdges(const std::vector<double>& energy, std::size_t kpoints, int bands, int b,
               double& top, std::size_t& topK, double& bottom, std::size_t& bottomK);

// The energies of a DOS run in store order, and its k-point count (whole k points of N states).
std::vector<double> SampleEnergies(const DosSamples& samples);
std::size_t SampleKpoints(const DosSamples& samples);

// k point q of the (n + 1)^3 grid (ix innermost): its special-point name ("X"), else its
// coordinates "(0.5, 0, 0)".
std::string GridPointName(std::size_t q, int n);

// Electrons per cell in the states at or below each energy: 0 below all, spin * N above all.
std::vector<double> IntegratedCount(std::vector<double> energy, std::size_t kpoints, double spin,
                                    const std::vector<double>& at);

// The curves in electrons per energy unit per cell: the raw histogram times spin / (Nk dE),
// smoothed with a Gaussian of s intervals whose weights sum to 1, so that the total integrates
// to the integrated count.
DosCurves PerCellDos(DosCurves raw, int s, double spin, std::size_t kpoints);

// The texts of a filling: "E_F = %.3f", and "gap 0.800, direct at X", "gap ... indirect ..." or
// "metal".
std::string FermiText(const FillingResult& f);
// vbmAt and cbmAt name the k points of the band edges.
std::string GapText(const FillingResult& f, const std::string& vbmAt, const std::string& cbmAt);

// What a saved DOS says of the filling; the energy column and curves are given as they are
// written (shifted or per cell already).
struct DosFillingColumns {
  double electrons = 0, spin = 2;
  FillingResult result;
  bool shifted = false;  // energies are E - E_F
  bool perCell = false;  // curves per energy unit per cell
  std::vector<double> integrated;
};
std::string DosFillingHeader(const DosFillingColumns& f);

}  // namespace quarnel
