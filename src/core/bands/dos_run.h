// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters of a DOS run and their limits, and the curves of its samples: the same for the
// bands window and quarnel-cli.

#include "bands/dos.h"

namespace quarnel {

struct RunLimit {
  int min, max;
  int Clamp(int v) const { return v < min ? min : v > max ? max : v; }
};

// k points per axis of the grid, energy intervals of the histogram, Gauss smoothing width.
constexpr RunLimit kDosGridLimit{5, 50};
constexpr RunLimit kDosBinsLimit{10, 1000};
constexpr RunLimit kDosSmoothLimit{0, 5};

// The histogram of samples in bins intervals, smoothed (both clamped to their limits).
DosCurves DosRunCurves(const DosSamples& samples, int bins, int smooth);

}  // namespace quarnel
