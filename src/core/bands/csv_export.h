// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CSV files of a band run and a DOS run, written alike by the bands window and the batch
// front end. A few lines starting with "#" come first and say where the numbers came from; then
// one line of column names and the rows. Numbers always use a decimal point.
//
//   bands: point,label,kx,ky,kz,band,energy,<orbital names...>   one row per point and band
//   dos:   energy,total,<orbital names...>                        m + 1 rows

#include <cstddef>
#include <string>
#include <vector>

#include "bands/band_table.h"
#include "bands/dos.h"
#include "numeric/run_model.h"

namespace quarnel {

struct DosFillingColumns;

// What a run was made from, for the header.
struct RunDescription {
  std::string modelFile;  // empty when the model came from no file
  int modelForm = 2;
  std::string kPath;        // bands: the path file, or what the memo held
  int grid = 0;             // dos: the divisor n of the (n + 1)^3 grid
  int bins = 0;             // dos: energy intervals
  int smooth = 0;           // dos: Gauss smoothing
  std::string method;       // dos: how the curves were made; empty for the histogram
  std::size_t samples = 0;  // dos: eigenstates counted
};

// The names of orbitals 1..Orbitals() of the model, the column names of both files.
std::vector<std::string> OrbitalNames(const RunModel& model);

// The first lines of every file: program and version, what the file holds, the model file and
// form.
std::string CsvHeader(const char* what, const RunDescription& run);

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);

// fermiShift: the energies are written as E - fermiShift, and the header says so (the window's
// "E - E_F"); 0 writes them as computed.
std::string BandCsv(const RunDescription& run, const BandTable& table, double fermiShift = 0);

// orbitalNames[0] is orbital 1; curves.value[0] is the total. With a filling, its header lines
// and a last column "integrated" (electrons per cell up to each energy).
std::string DosCsv(const RunDescription& run, const std::vector<std::string>& orbitalNames,
                   const DosCurves& curves, const DosFillingColumns* filling = nullptr);

}  // namespace quarnel
