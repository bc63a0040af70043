#pragma once
// The samples of a density of states on the regular k grid, computed on several threads. The
// samples reach the store in the order a single loop would add them (ix innermost, iz
// outermost), so the store, and everything made from it, is the same for every thread count.

#include "bands/dos.h"
#include "model/model_data.h"

namespace quarnel {

// More threads than this would only wait for each other.
constexpr int kMaxDosThreads = 256;

// Starts samples and fills it with the energies and orbital weights of every eigenstate at the
// (n + 1)^3 points k = (ix, iy, iz) / n, ix, iy, iz = 0..n. threads is clamped to
// 1..kMaxDosThreads; when the system refuses a thread, the others do its share.
void SampleDosGrid(const ModelData& model, int n, int threads, DosSamples& samples);

}  // namespace quarnel
