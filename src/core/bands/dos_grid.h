// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The samples of a density of states on the model's k grid, computed on several threads. The
// samples reach the store in the order a single loop would add them (the first direction
// innermost, the third outermost), so the store, and everything made from it, is the same for every
// thread count.

#include <atomic>
#include <cstddef>

#include "bands/dos.h"
#include "numeric/run_model.h"

namespace quarnel {

// More threads than this would only wait for each other.
constexpr int kMaxDosThreads = 256;

// One thread per core the system reports (1 when it reports none), at most kMaxDosThreads.
int DefaultDosThreads();

// Which diagonalisation gives the energies and weights: the library solver (fast), or the
// k-point calculation's Jacobi method (for comparison).
enum class DosSolver { Fast, Jacobi };

// Progress and stop of a run watched from another thread. rowsDone counts the grid rows (every
// point along the first direction at one point of the others) whose samples are in the store; a
// stop keeps whole rows only, so that the last progress shown names exactly what the curves are
// made from.
struct DosGridControl {
  std::atomic<bool> stop{false};
  std::atomic<std::size_t> rowsDone{0};
};

// Starts samples and fills it with the energies and orbital weights of every eigenstate at the
// points of the model's DOS grid of divisor n (for forms 1 and 2 the (n + 1)^3 points k = (ix,
// iy, iz) / n). threads is clamped to 1..kMaxDosThreads; when the system refuses a thread, the
// others do its share. With a control, a stop ends the run within one k point per thread.
void SampleDosGrid(const RunModel& model, int n, int threads, DosSamples& samples,
                   DosSolver solver = DosSolver::Fast, DosGridControl* control = nullptr);

}  // namespace quarnel
