// SPDX-License-Identifier: GPL-3.0-or-later
// The band run of the bands window, offscreen and without delay, per k point: every point shown
// in the main window (H(k), the eigen grid) and in the band chart, against the Jacobi k-point
// calculation over the same points measured in the same run.
//
//   band_run_bench [MODEL] [REPEATS]   MODEL defaults to the copper-oxygen plane example
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bands/path_bands.h"
#include "numeric/kpoint_calc.h"
#include "program_windows.h"
#include "ratio_reporter.h"
#include "widgets/spin_edit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString model =
      argc > 1 ? QString(argv[1]) : QStringLiteral(QUARNEL_EXAMPLES "/square_dp.qrg");
  const int repeats = argc > 2 ? std::max(3, std::atoi(argv[2])) : 15;
  ProgramWindows windows(model);
  ModelDocument& document = windows.document;
  TFormQuarnel& form = windows.form;
  TBandDlg& bands = windows.bands;
  form.show();
  bands.show();
  bands.findChild<SpinEdit*>("SpinEdit1")->SetValue(0);  // no delay between points
  QApplication::processEvents();

  std::vector<std::string> lines;
  for (const QString& l : bands.KPathText().split('\n')) lines.push_back(l.toStdString());
  const std::vector<quarnel::KPathPoint> points = quarnel::PathPoints(lines);
  const double count = static_cast<double>(points.size());
  auto solver = std::make_unique<quarnel::JacobiSolver>();
  solver->JacVerbose = false;
  static quarnel::HamMatrix h;

  // Alternating, so that a busy neighbour slows both alike.
  std::vector<double> jacobi, run;
  for (int r = 0; r < repeats; ++r) {
    QElapsedTimer t;
    t.start();
    for (const quarnel::KPathPoint& p : points)
      quarnel::CalcKpoint(quarnel::TableModel(document.Model()),
                          quarnel::KPointFromNumerators(p.div, p.nx, p.ny, p.nz), h, *solver);
    jacobi.push_back(t.nsecsElapsed() / 1e3 / count);
    t.start();
    bands.btnBandClick();
    run.push_back(t.nsecsElapsed() / 1e3 / count);
  }
  const double ref = Fastest(jacobi), cost = Fastest(run);
  std::printf("%d orbitals, %zu path points, %d runs (fastest of each, same run):\n",
              document.Model().NOrb, points.size(), repeats);
  std::printf("  Jacobi k point (reference): %9.2f us per point\n", ref);
  std::printf("  window band run:            %9.2f us per point = %.1fx the reference\n", cost,
              cost / ref);
  return 0;
}
