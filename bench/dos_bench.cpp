// SPDX-License-Identifier: GPL-3.0-or-later
// The DOS run in the bands window (offscreen, Auto Calculation ticked as at start) against
// quarnel-cli dos on the same model and grid, and the program's peak resident size.
//
//   dos_bench speed QUARNEL_CLI MODEL|- [GRID] [REPEATS]
//                                               times both runs alternately, prints the ratio
//                                               of the medians ("-": the 16-orbital model)
//   dos_bench stop                              time from STOP to the idle window
//   dos_bench memory [GRID]                     peak resident size at start and after a DOS run
//                                               of a generated 16-orbital model
//   dos_bench threads QUARNEL_CLI [MODEL|-] [GRID] [REPEATS] [THREADS]
//                                               quarnel-cli dos on 1 thread against THREADS
//                                               (default 2) on the same model and grid,
//                                               alternating, REPEATS times (default 5); prints
//                                               the median times and their ratio. "-" or no
//                                               MODEL: the generated 16-orbital model, grid 24
//   dos_bench terms MODEL|- [FILE]              writes the form-2 model's H(k) as terms for
//                                               dos_numpy.py ("-": the generated 16-orbital
//                                               model, also written to FILE)
#include <sys/resource.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/model_reader.h"
#include "program_windows.h"
#include "widgets/spin_edit.h"

namespace {

long PeakResidentKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

using Windows = ProgramWindows;

double WindowDosSeconds(Windows& w, const QString& model, int grid) {
  w.form.ReadModelFile(model);
  w.bands.findChild<SpinEdit*>("SpinEdit3")->SetValue(grid);
  QElapsedTimer t;
  t.start();
  w.bands.btnDOSClick();
  return t.nsecsElapsed() / 1e9;
}

double CliDosSeconds(const std::string& cli, const std::string& model, int grid,
                     const std::string& extra = "") {
  const std::string command =
      cli + " dos '" + model + "' --grid " + std::to_string(grid) + extra + " > /dev/null";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "quarnel-cli failed\n");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Sixteen orbitals in a chain of pairs, each coupled along X and Y.
QByteArray SixteenOrbitals() {
  QByteArray text = "sixteen orbitals\n";
  for (int i = 1; i <= 16; ++i)
    text += QString(
                "_alfa    o%1  %2  tok= 1 tox=0.500 toy=0.500 bepx= -0.500 bepy= -0.300 "
                "bepz=  0.000 mef=0.000\n")
                .arg(i, 2, 10, QChar('0'))
                .arg(-0.25 * i, 7, 'f', 3)
                .toUtf8();
  for (int i = 1; i < 16; ++i)
    text += QString(
                "_beta    o%1    o%2 (ka) bemx=  0.400 bepx= -0.400 dstx=0.500 sorx= 0.000 "
                "soix= 0.000 \n")
                .arg(i, 2, 10, QChar('0'))
                .arg(i + 1, 2, 10, QChar('0'))
                .toUtf8();
  return text;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Writes the 16-orbital model into dir and returns its name.
std::string WriteSixteen(const QTemporaryDir& dir) {
  const QString model = dir.filePath("sixteen.qrg");
  QFile f(model);
  if (f.open(QIODevice::WriteOnly)) f.write(SixteenOrbitals());
  return model.toStdString();
}

// One line per term of H(k): "d i alpha + kinetic/mass", "p i j d c x" for c e^(i pi k_d x),
// "s i j d re im" for (re + i im) k_d; pairs i < j, the diagonal keeps its real part.
int WriteTerms(const std::string& name) {
  auto m = std::make_unique<quarnel::ModelData>();
  quarnel::PendingMessages messages;
  if (quarnel::ReadModelFile(*m, messages, name) != 0 || m->BetaTyp != 2) return 1;
  const int n = m->NOrb;
  std::printf("n %d\n", n);
  for (int i = 1; i <= n; ++i)
    std::printf("d %d %.17g %.17g\n", i, m->Alpha(i),
                m->EffMass[i] > 0 ? quarnel::kKineticConstant / m->EffMass[i] : 0.0);
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      for (int d = 1; d <= 3; ++d) {
        if (m->BetaPlus[i][j][d] != 0)
          std::printf("p %d %d %d %.17g %.17g\n", i, j, d, m->BetaPlus[i][j][d],
                      m->BetaPos[i][j][d]);
        if (m->BetaMinus[i][j][d] != 0)
          std::printf("p %d %d %d %.17g %.17g\n", i, j, d, m->BetaMinus[i][j][d],
                      m->BetaPosMinus[i][j][d]);
        if (i != j && (m->SocRe[i][j][d] != 0 || m->SocIm[i][j][d] != 0))
          std::printf("s %d %d %d %.17g %.17g\n", i, j, d, m->SocRe[i][j][d], m->SocIm[i][j][d]);
      }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "speed" && argc >= 4) {
    QTemporaryDir dir;
    const std::string model = std::string(argv[3]) == "-" ? WriteSixteen(dir) : argv[3];
    const int grid = argc > 4 ? std::atoi(argv[4]) : 50;
    const int repeats = std::max(1, argc > 5 ? std::atoi(argv[5]) : 5);
    Windows w;
    std::printf("auto calculation ticked: %s\n",
                w.form.findChild<QCheckBox*>("cbAutoCalc")->isChecked() ? "yes" : "no");
    std::vector<double> window, cli;
    // Alternating, both on every core, so that a change of the machine's load touches both alike.
    for (int r = 0; r < repeats; ++r) {
      window.push_back(WindowDosSeconds(w, QString::fromStdString(model), grid));
      cli.push_back(CliDosSeconds(argv[2], model, grid));
    }
    const double points = double(grid + 1) * (grid + 1) * (grid + 1);
    std::printf("grid %d, %.0f k points, %d repeats\n", grid, points, repeats);
    std::printf("window median %.3f s (%.2f us per k point)\n", Median(window),
                Median(window) / points * 1e6);
    std::printf("cli    median %.3f s (%.2f us per k point)\n", Median(cli),
                Median(cli) / points * 1e6);
    std::printf("ratio window/cli %.2f\n", Median(window) / Median(cli));
    return 0;
  }
  if (mode == "threads" && argc >= 3) {
    QTemporaryDir dir;
    const bool generated = argc < 4 || std::string(argv[3]) == "-";
    const std::string model = generated ? WriteSixteen(dir) : argv[3];
    const int grid = argc > 4 ? std::atoi(argv[4]) : generated ? 24 : 50;
    const int repeats = std::max(1, argc > 5 ? std::atoi(argv[5]) : 5);
    const int threads = std::max(1, argc > 6 ? std::atoi(argv[6]) : 2);
    const std::string many = " --threads " + std::to_string(threads);
    std::vector<double> one, more;
    // Alternating, so that a change of the machine's load touches both alike.
    for (int r = 0; r < repeats; ++r) {
      one.push_back(CliDosSeconds(argv[2], model, grid, " --threads 1"));
      more.push_back(CliDosSeconds(argv[2], model, grid, many));
    }
    std::printf("%s, grid %d, %d repeats\n", generated ? "16 orbitals" : model.c_str(), grid,
                repeats);
    std::printf("1 thread   median %.3f s (min %.3f)\n", Median(one),
                *std::min_element(one.begin(), one.end()));
    std::printf("%d threads  median %.3f s (min %.3f)\n", threads, Median(more),
                *std::min_element(more.begin(), more.end()));
    std::printf("speed-up 1 thread / %d threads: %.2f\n", threads, Median(one) / Median(more));
    return 0;
  }
  if (mode == "terms" && argc >= 3) {
    QTemporaryDir dir;
    std::string model = argv[2];
    if (model == "-") {
      model = WriteSixteen(dir);
      if (argc > 3) QFile::copy(QString::fromStdString(model), argv[3]);
    }
    return WriteTerms(model);
  }
  if (mode == "stop") {
    // STOP half a second into a 16-orbital grid-50 run: the time from the click to the idle
    // window with the curves of the rows done.
    Windows w;
    QTemporaryDir dir;
    w.form.ReadModelFile(QString::fromStdString(WriteSixteen(dir)));
    w.bands.findChild<SpinEdit*>("SpinEdit3")->SetValue(50);
    QElapsedTimer t;
    qint64 clicked = 0;
    QTimer::singleShot(500, &w.bands, [&] {
      clicked = t.nsecsElapsed();
      w.bands.findChild<QPushButton*>("btnStop")->click();
    });
    t.start();
    w.bands.btnDOSClick();
    std::printf("stopped after %zu of 132651 k points; click to idle %.1f ms\n",
                w.bands.DosSamplesOfRun().KPoints(), (t.nsecsElapsed() - clicked) / 1e6);
    return 0;
  }
  if (mode == "memory") {
    const int grid = argc > 2 ? std::atoi(argv[2]) : 50;
    Windows w;
    std::printf("peak resident at start: %ld KiB\n", PeakResidentKiB());
    QTemporaryDir dir;
    const QString model = QString::fromStdString(WriteSixteen(dir));
    const double s = WindowDosSeconds(w, model, grid);
    std::printf("16 orbitals, grid %d: %.1f s, %zu samples\n", grid, s,
                w.bands.DosSamplesOfRun().Count());
    std::printf("peak resident after the run: %ld KiB\n", PeakResidentKiB());
    return 0;
  }
  std::fprintf(stderr,
               "usage: dos_bench speed QUARNEL_CLI MODEL|- [GRID] [REPEATS] | memory [GRID] |\n"
               "       threads QUARNEL_CLI [MODEL|-] [GRID] [REPEATS] [THREADS] |\n"
               "       terms MODEL|- [FILE] | stop\n");
  return 2;
}
