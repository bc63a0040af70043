// SPDX-License-Identifier: GPL-3.0-or-later
// The whole redraw of the live band chart in the bands window, offscreen: the fast eigen path
// over the memo's 81 points, the chart's series, the Fermi level of the filling and the replot,
// against the Jacobi k-point calculation over the same points measured in the same run.
//
//   live_redraw_bench [MODEL] [REPEATS]   no MODEL or "-": a generated 16-orbital model
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bands/path_bands.h"
#include "bandwindows/live_bands.h"
#include "numeric/kpoint_calc.h"
#include "program_windows.h"
#include "widgets/spin_edit.h"

namespace {

// Sixteen orbitals, every pair coupled along X and Y, so that no block of H(k) is zero.
QByteArray SixteenOrbitals() {
  QByteArray text = "sixteen orbitals\n";
  for (int i = 1; i <= 16; ++i)
    text += QString(
                "_alfa    o%1  %2  tok= 1 tox=0.500 toy=0.500 bepx= -0.500 bepy= -0.300 "
                "bepz=  0.000 mef=0.000\n")
                .arg(i, 2, 10, QChar('0'))
                .arg(-0.25 * i, 7, 'f', 3)
                .toUtf8();
  for (int i = 1; i <= 16; ++i)
    for (int j = i + 1; j <= 16; ++j)
      text += QString(
                  "_beta    o%1    o%2 (ka) bemx=  0.%3 bepx= -0.%3 dstx=0.500 sorx= 0.000 "
                  "soix= 0.000 bemy=  0.2 bepy= -0.2 dsty=0.500 sory= 0.000 soiy= 0.000 \n")
                  .arg(i, 2, 10, QChar('0'))
                  .arg(j, 2, 10, QChar('0'))
                  .arg(10 + (i * j) % 80)
                  .toUtf8();
  return text;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Redraws after a change of one hopping each, in ms per redraw.
std::vector<double> Redraws(ModelDocument& document, TBandDlg& bands, int repeats) {
  std::vector<double> ms;
  const double start = document.Model().BetaPlus[1][2][1];
  const auto setBeta = [&document](double beta) {
    document.EditPair(1, 2, [beta](quarnel::ModelData& m) { m.BetaPlus[1][2][1] = beta; });
  };
  // The window's live band chart, found before the timing.
  LiveBands* live = bands.findChild<LiveBands*>();
  for (int r = 0; r < repeats; ++r) {
    setBeta(start * (1 + 0.01 * (r % 10)));
    QElapsedTimer t;
    t.start();
    live->Redraw();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  setBeta(start);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString given = argc > 1 ? QString(argv[1]) : QString("-");
  const int repeats = argc > 2 ? std::max(3, std::atoi(argv[2])) : 30;
  QTemporaryDir dir;
  QString model = given;
  if (given == "-") {
    model = dir.filePath("sixteen.qrg");
    QFile f(model);
    if (f.open(QIODevice::WriteOnly)) f.write(SixteenOrbitals());
  }
  ProgramWindows windows(model);
  ModelDocument& document = windows.document;
  TBandDlg& bands = windows.bands;
  bands.show();
  QApplication::processEvents();
  const int n = document.Model().NOrb;

  // The reference: the band run's Jacobi calculation over the same points, no window.
  std::vector<std::string> lines;
  for (const QString& l : bands.KPathText().split('\n')) lines.push_back(l.toStdString());
  const std::vector<quarnel::KPathPoint> points = quarnel::PathPoints(lines);
  auto solver = std::make_unique<quarnel::JacobiSolver>();
  solver->JacVerbose = false;
  static quarnel::HamMatrix h;
  std::vector<double> jacobi;
  for (int r = 0; r < std::max(3, repeats / 5); ++r) {
    QElapsedTimer t;
    t.start();
    for (const quarnel::KPathPoint& p : points)
      quarnel::CalcKpoint(quarnel::TableModel(document.Model()),
                          quarnel::KPointFromNumerators(p.div, p.nx, p.ny, p.nz), h, *solver);
    jacobi.push_back(t.nsecsElapsed() / 1e6);
  }

  bands.btnBandClick();  // the chart as the user has it before moving a value
  const std::vector<double> plain = Redraws(document, bands, repeats);
  // With a filling: a DOS run gives the Fermi level the chart draws, which then follows.
  bands.findChild<SpinEdit*>("SpinEdit3")->SetValue(20);
  bands.findChild<QLineEdit*>("edElectrons")->setText(QString::number(n));
  bands.ApplyFillingToModel();
  bands.btnDOSClick();
  const std::vector<double> filled = Redraws(document, bands, repeats);

  const double ref = Median(jacobi);
  std::printf("%d orbitals, %zu path points, %d redraws each (medians, same run):\n", n,
              points.size(), repeats);
  std::printf("  Jacobi over the path (reference):  %7.2f ms\n", ref);
  std::printf(
      "  live redraw, no filling:           %7.2f ms = %.3fx the reference, worst %.2f ms\n",
      Median(plain), Median(plain) / ref, *std::max_element(plain.begin(), plain.end()));
  std::printf(
      "  live redraw with E_F (DOS grid 20): %6.2f ms = %.3fx the reference, worst %.2f ms\n",
      Median(filled), Median(filled) / ref, *std::max_element(filled.begin(), filled.end()));
  return 0;
}
