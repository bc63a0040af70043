// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/dos_run.h"

namespace quarnel {

DosCurves DosRunCurves(const DosSamples& samples, int bins, int smooth) {
  DosCurves curves = DosHistogram(samples, kDosBinsLimit.Clamp(bins));
  SmoothDos(curves, kDosSmoothLimit.Clamp(smooth));
  return curves;
}

}  // namespace quarnel
