// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filling options of dos: --electrons Ne [--spin g] [--per-cell] [--shift].

#include <cstddef>
#include <string>
#include <vector>

#include "bands/csv_export.h"
#include "bands/dos.h"
#include "bands/tetrahedron_dos.h"

namespace quarnel::cli {

struct FillingOptions {
  bool set = false;  // --electrons given
  double electrons = 0;
  int spin = 2;
  bool spinGiven = false, perCell = false, shift = false;
};

// When a[k] is a filling option: reads it (and its value, advancing k) and returns 1; a missing
// or bad value is a usage error (printed, -1). 0 when a[k] is none of them.
int ParseFillingOption(const std::vector<std::string>& a, std::size_t& k, FillingOptions& f);

// The options that need --electrons without it: a usage error (printed, false).
bool CheckFillingOptions(const FillingOptions& f);

// The DOS file with the filling. False, after saying why on standard error, when the electrons
// find no states or more electrons than the bands hold.
bool FilledDosCsv(const FillingOptions& f, const std::string& modelFile, const RunDescription& run,
                  const std::vector<std::string>& names, const DosSamples& samples,
                  std::string& text);

// The same for a tetrahedron run: E_F where the tetrahedron count holds the electrons.
bool FilledTetraDosCsv(const FillingOptions& f, const std::string& modelFile,
                       const RunDescription& run, const std::vector<std::string>& names,
                       const KGridShape& shape, const DosSamples& samples,
                       const TetraDosResult& tetra, int threads, std::string& text);

}  // namespace quarnel::cli
