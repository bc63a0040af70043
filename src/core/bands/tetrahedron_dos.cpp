// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/tetrahedron_dos.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>
#include <system_error>
#include <thread>

#include "bands/dos_grid.h"

namespace quarnel {

namespace {

// The cells are shared out in this many fixed pieces whose sums are added in order, so that the
// numbers are the same for every thread count.
constexpr std::size_t kPieces = 32;

// Runs work(piece) for pieces 0..pieces - 1 on up to threads threads.
template <class Work>
void ForPieces(std::size_t pieces, int threads, const Work& work) {
  std::atomic<std::size_t> next{0};
  const auto run = [&] {
    for (std::size_t p = next.fetch_add(1); p < pieces; p = next.fetch_add(1)) work(p);
  };
  threads = static_cast<int>(std::min<std::size_t>(std::clamp(threads, 1, kMaxDosThreads), pieces));
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(run);
    } catch (const std::system_error&) {
      break;  // the threads already running share the pieces
    }
  }
  run();
  for (std::thread& h : helpers) h.join();
}

// Orders vertices i and j by energy, carrying their point numbers along; without branches, which
// the random order of the vertices would mispredict.
inline void Order(double* e, std::size_t* p, int i, int j) {
  const bool swap = e[j] < e[i];
  const double ei = e[i], ej = e[j];
  const std::size_t pi = p[i], pj = p[j];
  e[i] = swap ? ej : ei;
  e[j] = swap ? ei : ej;
  p[i] = swap ? pj : pi;
  p[j] = swap ? pi : pj;
}

// Sorts the n vertices of a simplex by energy.
template <int n>
void SortVertices(double* e, std::size_t* p) {
  if (n == 2) Order(e, p, 0, 1);
  if (n == 3) Order(e, p, 0, 1), Order(e, p, 1, 2), Order(e, p, 0, 1);
  if (n == 4) {
    Order(e, p, 0, 1), Order(e, p, 2, 3), Order(e, p, 0, 2), Order(e, p, 1, 3);
    Order(e, p, 1, 2);
  }
}

// One simplex with its vertex energies sorted. Each branch below is entered only where its
// differences are positive, and every product is built from quotients in 0..1, so nearly equal
// vertex energies cost no accuracy; the reciprocals are taken once per simplex.
struct Simplex {
  int d = 0;
  const double* e;
  double r[4][4];  // r[i][j] = 1 / (e[j] - e[i]) for i < j, 0 where they are equal

  Simplex(int dims, const double* sorted) : d(dims), e(sorted) {
    for (int i = 0; i < d; ++i)
      for (int j = i + 1; j <= d; ++j) r[i][j] = e[j] > e[i] ? 1 / (e[j] - e[i]) : 0;
  }

  // The fraction of the simplex below E.
  double Fraction(double E) const {
    if (E <= e[0]) return 0;
    if (E >= e[d]) return 1;
    if (d == 1) return (E - e[0]) * r[0][1];
    if (d == 2) {
      if (E < e[1]) return (E - e[0]) * r[0][1] * ((E - e[0]) * r[0][2]);
      return 1 - (e[2] - E) * r[0][2] * ((e[2] - E) * r[1][2]);
    }
    if (E < e[1]) {
      const double x = E - e[0];
      return x * r[0][1] * (x * r[0][2]) * (x * r[0][3]);
    }
    if (E < e[2]) {
      const double x = E - e[1], e10 = e[1] - e[0];
      const double cubic = (e[2] - e[0] + e[3] - e[1]) * x * (x * r[1][2]) * (x * r[1][3]);
      return (e10 * e10 + 3 * e10 * x + 3 * x * x - cubic) * r[0][2] * r[0][3];
    }
    const double x = e[3] - E;
    return 1 - x * r[0][3] * (x * r[1][3]) * (x * r[2][3]);
  }

  // Fraction(E_k) into f[k] for E_k = start + k * step, k = k0..k1 - 1, all inside the
  // simplex's range: one loop per piece between vertex energies, so that no energy branches.
  void Fractions(double start, double step, double perStep, int k0, int k1, double* f) const {
    // The first k at or above the energy of vertex i.
    const auto split = [&](int i, int from) {
      return static_cast<int>(
          std::clamp(std::ceil((e[i] - start) * perStep), double(from), double(k1)));
    };
    if (d == 1) {
      for (int k = k0; k < k1; ++k) f[k] = ((start + k * step - e[0]) * r[0][1]);
    } else if (d == 2) {
      const int k = split(1, k0);
      for (int q = k0; q < k; ++q) {
        const double x = start + q * step - e[0];
        f[q] = (x * r[0][1] * (x * r[0][2]));
      }
      for (int q = k; q < k1; ++q) {
        const double x = e[2] - (start + q * step);
        f[q] = (1 - x * r[0][2] * (x * r[1][2]));
      }
    } else if (d == 3) {
      const int ka = split(1, k0), kb = split(2, ka);
      for (int q = k0; q < ka; ++q) {
        const double x = start + q * step - e[0];
        f[q] = (x * r[0][1] * (x * r[0][2]) * (x * r[0][3]));
      }
      const double e10 = e[1] - e[0], sum = e[2] - e[0] + e[3] - e[1], r23 = r[0][2] * r[0][3];
      for (int q = ka; q < kb; ++q) {
        const double x = start + q * step - e[1];
        const double cubic = sum * x * (x * r[1][2]) * (x * r[1][3]);
        f[q] = ((e10 * e10 + 3 * e10 * x + 3 * x * x - cubic) * r23);
      }
      for (int q = kb; q < k1; ++q) {
        const double x = e[3] - (start + q * step);
        f[q] = (1 - x * r[0][3] * (x * r[1][3]) * (x * r[2][3]));
      }
    }
  }

  // The weights of the vertices in the integral below E of a linearly interpolated quantity.
  void Weights(double E, double* w) const {
    const double full = 1.0 / (d + 1);
    if (E <= e[0] || E >= e[d]) {
      std::fill(w, w + d + 1, E <= e[0] ? 0.0 : full);
      return;
    }
    if (d == 1) {
      const double t = (E - e[0]) * r[0][1];
      w[0] = t - t * t / 2;
      w[1] = t * t / 2;
    } else if (d == 2 && E < e[1]) {
      // The part below E is a corner triangle at vertex 0.
      const double t1 = (E - e[0]) * r[0][1], t2 = (E - e[0]) * r[0][2];
      const double f = t1 * t2 / 3;
      w[0] = f * (3 - t1 - t2);
      w[1] = f * t1;
      w[2] = f * t2;
    } else if (d == 2) {
      // The part above E is a corner triangle at vertex 2.
      const double s0 = (e[2] - E) * r[0][2], s1 = (e[2] - E) * r[1][2];
      const double g = s0 * s1 / 3;
      w[0] = full - g * s0;
      w[1] = full - g * s1;
      w[2] = full - g * (3 - s0 - s1);
    } else if (E < e[1]) {
      const double t1 = (E - e[0]) * r[0][1], t2 = (E - e[0]) * r[0][2], t3 = (E - e[0]) * r[0][3];
      const double f = t1 * t2 * t3 / 4;
      w[0] = f * (4 - t1 - t2 - t3);
      w[1] = f * t1;
      w[2] = f * t2;
      w[3] = f * t3;
    } else if (E < e[2]) {
      // The middle case in three corner pieces (Bloechl, Jepsen and Andersen 1994).
      const double a0 = (E - e[0]) * r[0][2], b0 = (E - e[0]) * r[0][3];  // from 0 to 2 and 3
      const double a2 = (e[2] - E) * r[0][2], b3 = (e[3] - E) * r[0][3];  // back from 2 and 3
      const double rr = (E - e[1]) * r[1][2], q = (e[2] - E) * r[1][2];   // along 1-2
      const double u = (E - e[1]) * r[1][3], v = (e[3] - E) * r[1][3];    // along 1-3
      const double c1 = a0 * (E - e[0]) * r[0][3] / 4;
      const double c2 = b0 * rr * a2 / 4;
      const double c3 = u * rr * b3 / 4;
      w[0] = c1 + (c1 + c2) * a2 + (c1 + c2 + c3) * b3;
      w[1] = c1 + c2 + c3 + (c2 + c3) * q + c3 * v;
      w[2] = (c1 + c2) * a0 + (c2 + c3) * rr;
      w[3] = (c1 + c2 + c3) * b0 + c3 * u;
    } else {
      const double s0 = (e[3] - E) * r[0][3], s1 = (e[3] - E) * r[1][3], s2 = (e[3] - E) * r[2][3];
      const double g = s0 * s1 * s2 / 4;
      w[0] = full - g * s0;
      w[1] = full - g * s1;
      w[2] = full - g * s2;
      w[3] = full - g * (4 - s0 - s1 - s2);
    }
  }
};

}  // namespace

void SimplexWeights(int d, const double* e, double E, double* w) {
  Simplex(d, e).Weights(E, w);
}

bool TetraCount::Set(const KGridShape& shape, const DosSamples& samples) {
  *this = TetraCount();
  const int bands = samples.Bands();
  const std::size_t points = shape.Points();
  if (bands < 1 || points == 0 || samples.KPoints() > points ||
      samples.Count() != samples.KPoints() * static_cast<std::size_t>(bands))
    return false;
  samples_ = &samples;
  shape_ = shape;
  bands_ = bands;
  points_ = samples.KPoints();
  std::size_t stride = 1;
  for (int d = 1; d <= 3; ++d) {
    const std::size_t c = static_cast<std::size_t>(shape.count[d]);
    // A repeated direction stays out; the points of its first layer are the ones counted.
    if (c > 1 && !(samples.KPoints() == points && RepeatsAlong(stride, stride * c))) {
      dir_[dims_] = d;
      stride_[dims_] = stride;
      cellsAlong_[dims_] = shape.wraps ? c : c - 1;
      ++dims_;
    }
    stride *= c;
  }
  cells_ = 1;
  for (int a = 0; a < dims_; ++a) cells_ *= cellsAlong_[a];

  // Every order of the sampled directions is one simplex: from corner 0, one step along each
  // direction in that order, ending at the far corner. All share the main diagonal.
  int order[3] = {0, 1, 2};
  simplexCount_ = 0;
  do {
    int corner = 0;
    simplex_.push_back(corner);
    for (int a = 0; a < dims_; ++a) simplex_.push_back(corner |= 1 << order[a]);
    ++simplexCount_;
  } while (std::next_permutation(order, order + dims_));

  std::size_t corner[8];
  for (std::size_t c = 0; c < cells_; ++c) usedCells_ += Corners(c, corner);
  return true;
}

bool TetraCount::RepeatsAlong(std::size_t stride, std::size_t layer) const {
  const DosSamples& s = *samples_;
  const std::size_t n = static_cast<std::size_t>(bands_);
  for (std::size_t p = 0; p < points_; ++p) {
    const std::size_t first = p / layer * layer + p % stride;  // the same point in layer 0
    if (first == p) continue;
    for (std::size_t i = 0; i < n; ++i) {
      if (s.Energy(p * n + i) != s.Energy(first * n + i)) return false;
      for (int j = 1; j <= bands_; ++j)
        if (s.Weight(p * n + i, j) != s.Weight(first * n + i, j)) return false;
    }
  }
  return true;
}

bool TetraCount::Corners(std::size_t c, std::size_t* point) const {
  std::size_t at[3] = {}, next[3] = {};
  for (int a = 0; a < dims_; ++a) {
    const std::size_t i = c % cellsAlong_[a];
    c /= cellsAlong_[a];
    at[a] = i * stride_[a];
    next[a] = (i + 1 == static_cast<std::size_t>(shape_.count[dir_[a]]) ? 0 : i + 1) * stride_[a];
  }
  bool whole = true;
  for (int k = 0; k < (1 << dims_); ++k) {
    std::size_t p = 0;
    for (int a = 0; a < dims_; ++a) p += (k >> a & 1) ? next[a] : at[a];
    point[k] = p;
    whole = whole && p < points_;
  }
  return whole;
}

template <int D>
void TetraCount::CountCells(std::size_t first, std::size_t last, const Energies& grid,
                            double volume, int series, double* at, double* from) const {
  constexpr int nv = D + 1;
  const DosSamples& s = *samples_;
  const std::size_t width = static_cast<std::size_t>(grid.count) + 1;
  const double perStep = 1 / grid.step;
  std::vector<double> f(width);  // the fractions of one simplex
  std::size_t corner[8], vp[nv];
  double e[nv], w[nv], a[nv][kMaxOrb + 1];
  for (std::size_t c = first; c < last; ++c) {
    if (!Corners(c, corner)) continue;
    for (int b = 0; b < bands_; ++b)
      for (std::size_t t = 0; t < simplexCount_; ++t) {
        for (int v = 0; v < nv; ++v) {
          vp[v] = corner[simplex_[t * nv + v]] * bands_ + b;
          e[v] = s.Energy(vp[v]);
        }
        SortVertices<nv>(e, vp);
        // Energies at or below the lowest vertex count nothing; from the first at or above the
        // highest the simplex counts whole. Between them its parts are worked out.
        const double last = static_cast<double>(grid.count);
        const double lo = std::floor((e[0] - grid.start) * perStep) + 1;
        const double hi = std::max(lo, std::ceil((e[D] - grid.start) * perStep));
        const int k0 = static_cast<int>(std::clamp(lo, 0.0, last));
        const int k1 = static_cast<int>(std::clamp(hi, 0.0, last));
        // An orbital weight equal at all vertices (always so for one orbital) follows the count.
        bool uniform = true;
        for (int j = 1; j < series; ++j)
          for (int v = 0; v < nv; ++v) {
            a[v][j] = s.Weight(vp[v], j);
            uniform = uniform && a[v][j] == a[0][j];
          }
        const Simplex simplex(k0 < k1 ? D : 0, e);
        simplex.Fractions(grid.start, grid.step, perStep, k0, k1, f.data());
        for (int k = k0; k < k1; ++k) at[k] += volume * f[k];
        // The orbitals at every ks-th energy.
        const int ks = grid.orbitalStep, kf = (k0 + ks - 1) / ks * ks;
        if (uniform)
          for (int j = 1; j < series; ++j)
            for (int k = kf; k < k1; k += ks) at[j * width + k] += volume * a[0][j] * f[k];
        for (int k = uniform ? k1 : kf; k < k1 && series > 1; k += ks) {
          const double E = grid.start + k * grid.step;
          simplex.Weights(E, w);
          for (int j = 1; j < series; ++j) {
            double x = 0;
            for (int v = 0; v < nv; ++v) x += w[v] * a[v][j];
            at[j * width + k] += volume * x;
          }
        }
        from[k1] += volume;
        for (int j = 1; j < series; ++j) {
          double x = 0;
          for (int v = 0; v < nv; ++v) x += a[v][j];
          from[j * width + k1] += volume * x / nv;
        }
      }
  }
}

std::vector<std::vector<double>> TetraCount::Count(double start, double step, int count,
                                                   int orbitalStep, int threads) const {
  const int series = orbitalStep > 0 ? bands_ + 1 : 1;
  std::vector<std::vector<double>> total(series, std::vector<double>(std::max(count, 0), 0.0));
  if (!samples_ || usedCells_ == 0 || count < 1 || !(step > 0)) return total;
  const Energies grid{start, step, count, std::max(orbitalStep, 1)};
  const double volume = 1.0 / static_cast<double>(usedCells_ * simplexCount_);
  const std::size_t width = static_cast<std::size_t>(count) + 1;
  const std::size_t pieces = std::min(kPieces, cells_);
  // Per piece and series: the values inside a simplex's energy range, and the full simplex
  // weight as a step that starts above its range (summed up at the end).
  std::vector<std::vector<double>> sums(pieces);

  ForPieces(pieces, threads, [&](std::size_t piece) {
    std::vector<double> at(series * width, 0.0), from(series * width, 0.0);
    const std::size_t first = cells_ * piece / pieces, last = cells_ * (piece + 1) / pieces;
    switch (dims_) {
      case 0:
        CountCells<0>(first, last, grid, volume, series, at.data(), from.data());
        break;
      case 1:
        CountCells<1>(first, last, grid, volume, series, at.data(), from.data());
        break;
      case 2:
        CountCells<2>(first, last, grid, volume, series, at.data(), from.data());
        break;
      default:
        CountCells<3>(first, last, grid, volume, series, at.data(), from.data());
        break;
    }
    for (int j = 0; j < series; ++j) {
      double run = 0;
      for (std::size_t k = 0; k < width; ++k) {
        run += from[j * width + k];
        at[j * width + k] += run;
      }
    }
    sums[piece].swap(at);
  });
  for (int j = 0; j < series; ++j)
    for (std::size_t piece = 0; piece < pieces; ++piece)
      for (int k = 0; k < count; k += j == 0 ? 1 : grid.orbitalStep)
        total[j][k] += sums[piece][j * width + k];
  return total;
}

void TetraCount::Straddling(double lo, double hi, int threads, double& below,
                            std::vector<double>& sorted) const {
  const DosSamples& s = *samples_;
  const int nv = dims_ + 1;
  const double volume = 1.0 / static_cast<double>(usedCells_ * simplexCount_);
  const std::size_t pieces = std::min(kPieces, cells_);
  std::vector<std::vector<double>> found(pieces);
  std::vector<double> full(pieces, 0.0);
  ForPieces(pieces, threads, [&](std::size_t piece) {
    std::size_t corner[8];
    double e[4];
    for (std::size_t c = cells_ * piece / pieces; c < cells_ * (piece + 1) / pieces; ++c) {
      if (!Corners(c, corner)) continue;
      for (int b = 0; b < bands_; ++b)
        for (std::size_t t = 0; t < simplexCount_; ++t) {
          for (int v = 0; v < nv; ++v) e[v] = s.Energy(corner[simplex_[t * nv + v]] * bands_ + b);
          for (int i = 1; i < nv; ++i)
            for (int j = i; j > 0 && e[j] < e[j - 1]; --j) std::swap(e[j], e[j - 1]);
          if (e[dims_] <= lo)
            full[piece] += volume;
          else if (e[0] < hi)
            found[piece].insert(found[piece].end(), e, e + nv);
        }
    }
  });
  below = 0;
  sorted.clear();
  for (std::size_t piece = 0; piece < pieces; ++piece) {
    below += full[piece];
    sorted.insert(sorted.end(), found[piece].begin(), found[piece].end());
  }
}

double TetraCount::EnergyOfCount(double states, int threads) const {
  if (!samples_) return 0;
  double lo = samples_->Emin(), hi = samples_->Emax();
  if (!(states > 0)) return lo;
  if (states >= bands_) return hi;
  // One pass over the grid narrows [lo, hi], where the count rises through states, 64 times;
  // then only the simplices that straddle it are counted, halving it to the last bit.
  constexpr int kProbes = 63;
  const double step = (hi - lo) / (kProbes + 1);
  const std::vector<double> n = Count(lo + step, step, kProbes, 0, threads)[0];
  const int k = static_cast<int>(std::lower_bound(n.begin(), n.end(), states) - n.begin());
  const double base = lo;
  if (k > 0) lo = base + k * step;
  if (k < kProbes) hi = base + (k + 1) * step;
  double below = 0;
  std::vector<double> e;
  Straddling(lo, hi, threads, below, e);
  const int nv = dims_ + 1;
  const double volume = 1.0 / static_cast<double>(usedCells_ * simplexCount_);
  for (int halving = 0; halving < 200; ++halving) {
    const double mid = lo + (hi - lo) / 2;
    if (!(mid > lo && mid < hi)) break;
    double count = below;
    for (std::size_t q = 0; q < e.size(); q += nv)
      count += volume * Simplex(dims_, &e[q]).Fraction(mid);
    (count < states ? lo : hi) = mid;
  }
  return lo + (hi - lo) / 2;
}

bool TetraDos(const KGridShape& shape, const DosSamples& samples, int m, int threads,
              TetraDosResult& result, bool integrated) {
  result = TetraDosResult();
  double emin = 0, emax = 0;
  TetraCount count;
  if (m < 1 || !DosEnergyWindow(samples, emin, emax) || !count.Set(shape, samples) ||
      count.Simplices() == 0)
    return false;
  const double dE = (emax - emin) / m;
  // The count at the edges E_p -+ dE/2, with the orbitals, and at the points E_p between them.
  const int every = integrated ? 2 : 1;
  const std::vector<std::vector<double>> n =
      count.Count(emin - dE / 2, dE / every, every * (m + 1) + 1, every, threads);
  DosCurves& c = result.curves;
  c.energy.resize(m + 1);
  for (int p = 0; p <= m; ++p) c.energy[p] = emin + p * dE;
  c.value.assign(n.size(), std::vector<double>(m + 1, 0.0));
  for (std::size_t j = 0; j < n.size(); ++j)
    for (int p = 0; p <= m; ++p) c.value[j][p] = (n[j][every * (p + 1)] - n[j][every * p]) / dE;
  if (integrated) {
    result.integrated.resize(m + 1);
    for (int p = 0; p <= m; ++p) result.integrated[p] = n[0][2 * p + 1];
  }
  return true;
}

DosCurves TetraShownCurves(const TetraDosResult& result, double spin, bool perCell,
                           std::vector<double>& electrons) {
  DosCurves curves = result.curves;
  if (perCell)
    for (std::vector<double>& v : curves.value)
      for (double& x : v) x *= spin;
  electrons = result.integrated;
  for (double& x : electrons) x *= spin;
  return curves;
}

std::string DosAxisTitle(bool drawn, bool tetrahedra, bool perCell) {
  if (!drawn) return "DOS";
  if (perCell) return "DOS per cell";
  return tetrahedra ? "DOS (states per cell and energy)" : "DOS (counts)";
}

FillingResult TetraFilling(const KGridShape& shape, const DosSamples& samples, double electrons,
                           double spin, int threads) {
  FillingResult f = FillBands(SampleEnergies(samples), SampleKpoints(samples), samples.Orbitals(),
                              electrons, spin);
  TetraCount count;
  if (f.valid && !f.insulator && count.Set(shape, samples) && count.Simplices() > 0)
    f.fermi = count.EnergyOfCount(electrons / spin, threads);
  return f;
}

}  // namespace quarnel
