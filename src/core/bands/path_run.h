// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band run along a k path: its lines in order, each point handed to the caller, who computes
// and shows it before the next line is read.

#include <functional>
#include <string>
#include <vector>

#include "bands/kpath.h"

namespace quarnel {

// One point of the run: its place on the chart, its line of the path and the point as read.
struct PathRunPoint {
  int x = 0;
  int line = 0;
  KPathPoint point;
};

struct PathRunHooks {
  // Asked before every line; true ends the run.
  std::function<bool()> stop;
  // A point of the path: computed and shown by the caller.
  std::function<void(const PathRunPoint&)> point;
  // After every line, a point or not.
  std::function<void()> afterLine;
  // Names a point as the model's lattice does (a lattice-form model's K, M, ...); unset, the
  // path's own labels stand.
  std::function<void(const KPathLine&, KPathPoint&)> label;
};

// The number of points among lines[1..] (lines[0] is the title).
int CountPathPoints(const std::vector<std::string>& lines);

// Runs lines[1..] in order; returns the number of points run.
int RunPath(const std::vector<std::string>& lines, const PathRunHooks& hooks);

}  // namespace quarnel
