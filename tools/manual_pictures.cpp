// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of the user's guide from the real windows: the program's windows are built
// offscreen, driven through their handlers as the tutorial's steps drive them, and grabbed.
// Whatever the windows show when the guide is built is what the guide shows.

#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "bandwindows/band_window.h"
#include "connect_windows.h"
#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "widgets/about_box.h"
#include "widgets/diagnostics_window.h"
#include "widgets/spin_edit.h"
#include "workbench/eigen_window.h"

namespace {

bool Save(QWidget* window, const QString& folder, const char* name) {
  QApplication::processEvents();
  const QString file = QDir(folder).filePath(name);
  if (window->grab().save(file, "PNG")) return true;
  std::fprintf(stderr, "%s: File access error\n", qPrintable(file));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: manual_pictures EXAMPLES_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  QFont font = QApplication::font();
  font.setPointSize(9);
  QApplication::setFont(font);
  const QDir examples(QString::fromLocal8Bit(argv[1]));
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);

  ModelDocument document;
  int warnings = 0;
  document.Messages().Show = [&warnings](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    ++warnings;
  };
  TFormQuarnel form(document);
  TUnitPomDlg pom;
  TBandDlg bands(document);
  TEigenDlg eigen(document);
  TAboutUBox about(document.Messages(), &form);
  ConnectWindows(document, form, &pom, &bands, &eigen, &about);
  form.SetArguments({examples.filePath("square_dp.qrg"), examples.filePath("square_path.qrk")});
  form.show();
  form.FirstPaint();
  bands.resize(1000, 640);
  bands.show();

  bool ok = true;
  // Step 1 and 2: the copper-oxygen model, calculated at k = (1/2, 1/10, 0).
  form.SetKPoint(5, 1, 0, 10);
  form.btnCalcKpointClick();
  ok &= Save(&form, out, "main-window.png");
  // Step 3 and 4: the band structure along the path, then the density of states.
  bands.btnBandClick();
  ok &= Save(&bands, out, "bands.png");
  bands.btnDOSClick();
  ok &= Save(&bands, out, "dos.png");
  // Step 5: a click on the top band at the path's X point (point 40 of 81).
  QCustomPlot* chart1 = bands.findChild<QCustomPlot*>("Chart1");
  if (chart1->plottableCount() > 1)
    bands.Chart1ClickSeries(chart1->plottable(1), 40, Qt::LeftButton);
  ok &= Save(&bands, out, "band-click.png");
  // Step 6: the orbital pictures of the eigenvectors at that k point.
  bands.findChild<QCheckBox*>("cbCells")->click();
  form.btnCalcKpointClick();
  ok &= Save(&bands, out, "orbitals.png");
  // Step 7: the workbench with the same H(k).
  form.miShowJacobi1Click();
  eigen.findChild<QPushButton*>("btnIterReset")->click();
  eigen.findChild<SpinEdit*>("seIter")->SetText("10");
  eigen.findChild<QPushButton*>("btnIteration")->click();
  ok &= Save(&eigen, out, "workbench.png");

  document.Messages().Show = nullptr;
  if (warnings > 0)
    std::fprintf(stderr, "manual_pictures: the windows gave %d warnings\n", warnings);
  return ok && warnings == 0 ? 0 : 1;
}
