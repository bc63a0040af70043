// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/contour.h"

#include <cmath>
#include <map>
#include <utility>

namespace quarnel {

std::vector<ContourSegment> ContourLines(const std::vector<double>& value, int nx, int ny,
                                         double x0, double y0, double h, double level) {
  std::vector<ContourSegment> out;
  if (nx < 2 || ny < 2 || value.size() < static_cast<std::size_t>(nx) * ny || !std::isfinite(level))
    return out;
  struct P {
    double x, y;
  };
  for (int j = 0; j + 1 < ny; ++j)
    for (int i = 0; i + 1 < nx; ++i) {
      // Corners counter-clockwise from the lower left; edge e runs from corner e to e + 1.
      const int ci[4] = {i, i + 1, i + 1, i};
      const int cj[4] = {j, j, j + 1, j + 1};
      double v[4];
      bool in[4], bad = false;
      for (int c = 0; c < 4; ++c) {
        v[c] = value[static_cast<std::size_t>(cj[c]) * nx + ci[c]];
        bad = bad || std::isnan(v[c]);
        in[c] = v[c] >= level;
      }
      if (bad) continue;
      P cross[4];
      bool has[4];
      int count = 0;
      for (int e = 0; e < 4; ++e) {
        const int a = e, b = (e + 1) % 4;
        has[e] = in[a] != in[b];
        if (!has[e]) continue;
        ++count;
        const double t = (level - v[a]) / (v[b] - v[a]);
        cross[e] = {x0 + h * (ci[a] + t * (ci[b] - ci[a])), y0 + h * (cj[a] + t * (cj[b] - cj[a]))};
      }
      const auto add = [&out, &cross](int e1, int e2) {
        out.push_back({cross[e1].x, cross[e1].y, cross[e2].x, cross[e2].y});
      };
      if (count == 2) {
        int first = -1, second = -1;
        for (int e = 0; e < 4; ++e)
          if (has[e]) (first < 0 ? first : second) = e;
        add(first, second);
      } else if (count == 4) {
        // A saddle: the mean of the corners says whether the inside corners are joined.
        const bool centreIn = (v[0] + v[1] + v[2] + v[3]) / 4 >= level;
        // Cut off the corners that the centre does not join: corner c lies between edges c - 1
        // and c.
        const bool cutOdd = centreIn == in[0];  // corners 1 and 3
        const int c1 = cutOdd ? 1 : 0, c2 = c1 + 2;
        add((c1 + 3) % 4, c1);
        add((c2 + 3) % 4, c2);
      }
    }
  return out;
}

std::vector<std::vector<ContourPoint>> JoinContour(const std::vector<ContourSegment>& segments) {
  // Neighbouring cells compute a shared crossing from opposite corners: equal to rounding only.
  using Key = std::pair<long long, long long>;
  const auto key = [](double x, double y) {
    return Key(std::llround(x * 1e9), std::llround(y * 1e9));
  };
  std::multimap<Key, std::size_t> ends;  // both ends of every segment
  for (std::size_t s = 0; s < segments.size(); ++s) {
    ends.emplace(key(segments[s].x1, segments[s].y1), s);
    ends.emplace(key(segments[s].x2, segments[s].y2), s);
  }
  std::vector<char> used(segments.size(), 0);
  // The unused segment at point p other than the one just taken, if any.
  const auto nextAt = [&](const ContourPoint& p) -> long long {
    const auto range = ends.equal_range(key(p.x, p.y));
    for (auto it = range.first; it != range.second; ++it)
      if (!used[it->second]) return static_cast<long long>(it->second);
    return -1;
  };
  // Walks on from the last point of line, taking segments as it goes.
  const auto extend = [&](std::vector<ContourPoint>& line) {
    for (long long s; (s = nextAt(line.back())) >= 0;) {
      used[s] = 1;
      const ContourSegment& g = segments[s];
      const bool fromFirst = key(g.x1, g.y1) == key(line.back().x, line.back().y);
      line.push_back(fromFirst ? ContourPoint{g.x2, g.y2} : ContourPoint{g.x1, g.y1});
    }
  };
  std::vector<std::vector<ContourPoint>> lines;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (used[s]) continue;
    used[s] = 1;
    std::vector<ContourPoint> line = {{segments[s].x1, segments[s].y1},
                                      {segments[s].x2, segments[s].y2}};
    extend(line);
    // An open line may also go on from its first point.
    std::vector<ContourPoint> back = {line.front()};
    extend(back);
    if (back.size() > 1) line.insert(line.begin(), back.rbegin(), back.rend() - 1);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quarnel
