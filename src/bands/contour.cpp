#include "bands/contour.h"

#include <cmath>

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

}  // namespace quarnel
