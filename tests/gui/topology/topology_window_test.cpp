// SPDX-License-Identifier: GPL-3.0-or-later
// The Topology window read back as a student reads it: the Chern number it prints for the
// Haldane model on both sides of the transition at M = 3 sqrt(3) t2 |sin phi| and the gap guard
// at it, the Kane-Mele Z2 on both sides of lambda_v = 3 sqrt(3) lambda_SO, the SSH chain's two
// end states, a click on a level, coalesced SetModel calls, and the sentence for other forms.

#include <qcustomplot.h>

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "model/lattice_reader.h"
#include "topology/chern_plaquettes.h"
#include "topology/open_piece_view.h"
#include "topology/topology_window.h"

class TopologyWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void chernAndZ2AcrossTheirTransitions();
  void sshChainShowsItsEndStates();
  void setModelCoalescesAndOtherFormsEmpty();
};

namespace {

quarnel::LatticeModel Example(const char* name) {
  quarnel::LatticeModel m;
  quarnel::PendingMessages messages;
  quarnel::ReadLatticeFile(m, messages, std::string(QUARNEL_EXAMPLES) + "/" + name);
  return m;
}

// The staggered potential +-M on orbitals 2m-1, 2m versus 2m+1, 2m+2 (A then B).
quarnel::LatticeModel WithMass(quarnel::LatticeModel m, double mass) {
  const int half = m.Orbitals() / 2;
  for (int i = 0; i < m.Orbitals(); ++i) m.orbitals[i].energy = i < half ? mass : -mass;
  return m;
}

QString Shown(TopologyWindow& w, const quarnel::LatticeModel& m, const char* label) {
  w.SetModel(m);
  if (!QTest::qWaitFor([&] { return !w.Busy(); }, 20000)) return "still busy";
  return w.findChild<QLabel*>(label)->text();
}

int ChernOf(const QString& text) {
  const QRegularExpressionMatch match = QRegularExpression("C = (-?\\d+)").match(text);
  return match.hasMatch() ? match.captured(1).toInt() : 99;
}

// Every level of the band chart (the selection ring excepted).
std::vector<double> Levels(QCustomPlot* chart) {
  std::vector<double> e;
  for (int g = 0; g < chart->graphCount(); ++g)
    if (chart->graph(g)->name() != "selected")
      for (auto p = chart->graph(g)->data()->begin(); p != chart->graph(g)->data()->end(); ++p)
        e.push_back(p->value);
  return e;
}

// |psi|^2 on the two cells at each end of a chain of two orbitals per cell.
double EndWeight(const std::vector<double>& density) {
  double sum = 0;
  for (std::size_t s = 0; s < density.size(); ++s)
    if (s < 4 || s + 4 >= density.size()) sum += density[s];
  return sum;
}

}  // namespace

void TopologyWindowTest::chernAndZ2AcrossTheirTransitions() {
  TopologyWindow w;
  const quarnel::LatticeModel haldane = Example("haldane.qrl");
  const double critical = 3 * std::sqrt(3.0) * 0.1;  // t2 = 0.1, phi = pi / 2
  for (double mass : {0.2, 0.8}) {
    const quarnel::LatticeModel m = WithMass(haldane, mass);
    const int shown = ChernOf(Shown(w, m, "ChernResult"));
    // The window's number is the flow's winding; the plaquettes are an independent count.
    const quarnel::OccupiedStates states(m, 1);
    const int plaquettes = quarnel::ComputeChernPlaquettes(states, 0, 1, 24).chern;
    QCOMPARE(shown, plaquettes);
    QCOMPARE(std::abs(shown), mass < critical ? 1 : 0);
  }
  const QString atTransition = Shown(w, WithMass(haldane, critical), "ChernResult");
  QVERIFY2(atTransition.contains("touch") && !atTransition.contains("C ="),
           qPrintable(atTransition));
  QVERIFY(w.findChild<QLabel*>("Z2Result")->text().isEmpty());

  const quarnel::LatticeModel kaneMele = Example("kane_mele.qrl");
  QVERIFY(Shown(w, WithMass(kaneMele, 0.1), "Z2Result").contains("= 1"));
  QVERIFY(Shown(w, WithMass(kaneMele, 0.5), "Z2Result").contains("= 0"));
  QCOMPARE(ChernOf(w.findChild<QLabel*>("ChernResult")->text()), 0);
}

void TopologyWindowTest::sshChainShowsItsEndStates() {
  TopologyWindow w;
  w.resize(1000, 700);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  w.findChild<QTabWidget*>("TopologyTabs")->setCurrentIndex(2);
  auto* chart = w.findChild<QCustomPlot*>("RibbonChart");
  auto* piece = w.findChild<OpenPieceView*>("OpenPieceView");
  quarnel::LatticeModel ssh = Example("ssh_chain.qrl");  // v = -1 inside the cell, w = -0.5

  const auto zeroLevels = [&] {
    int n = 0;
    for (double e : Levels(chart)) n += std::fabs(e) < 1e-3;
    return n;
  };
  Shown(w, ssh, "RibbonResult");
  QCOMPARE(w.findChild<QComboBox*>("RibbonOpen")->count(), 1);  // a chain: only the finite piece
  QCOMPARE(zeroLevels(), 0);  // |v| > |w|: trivial, gap 2 |v - w| without levels in it

  std::swap(ssh.hops[0].t, ssh.hops[1].t);  // |w| > |v|: one state bound to each end
  Shown(w, ssh, "RibbonResult");
  QCOMPARE(static_cast<int>(Levels(chart).size()), 80);
  QCOMPARE(zeroLevels(), 2);
  QCOMPARE(w.SelectedLevel(), 39);  // the highest filled level, in the gap
  QCOMPARE(piece->Sites(), 80);
  // An end state falls off by (v / w)^2 = 1/4 in weight per cell: 1 - 1/16 on two end cells.
  QVERIFY(std::fabs(EndWeight(piece->Density()) - (1 - std::pow(0.25, 2))) < 1e-9);

  // A click on the lowest level shows a bulk state instead.
  const std::vector<double> all = Levels(chart);
  const double lowestEnergy = *std::min_element(all.begin(), all.end());
  const QPoint at(static_cast<int>(chart->xAxis->coordToPixel(1.0)),
                  static_cast<int>(chart->yAxis->coordToPixel(lowestEnergy)));
  QTest::mouseClick(chart, Qt::LeftButton, {}, at);
  QCOMPARE(w.SelectedLevel(), 0);
  QVERIFY(EndWeight(piece->Density()) < 0.3);
}

void TopologyWindowTest::setModelCoalescesAndOtherFormsEmpty() {
  TopologyWindow w;
  const quarnel::LatticeModel haldane = Example("haldane.qrl");
  Shown(w, haldane, "ChernResult");
  const int before = w.RecomputeCount();
  for (int i = 0; i < 10; ++i) w.SetModel(WithMass(haldane, 0.01 * i));
  QVERIFY(QTest::qWaitFor([&] { return !w.Busy(); }, 20000));
  QCOMPARE(w.RecomputeCount(), before + 1);
  QCOMPARE(ChernOf(w.findChild<QLabel*>("ChernResult")->text()),
           ChernOf(Shown(w, WithMass(haldane, 0.09), "ChernResult")));

  w.ShowNotLattice();
  QVERIFY(w.findChild<QLabel*>("TopologyMessage")->text().contains("lattice form"));
  QVERIFY(w.findChild<QLabel*>("ChernResult")->text().isEmpty());
  QCOMPARE(w.findChild<QCustomPlot*>("FlowChart")->graphCount(), 0);
  QVERIFY(Levels(w.findChild<QCustomPlot*>("RibbonChart")).empty());
}

QTEST_MAIN(TopologyWindowTest)
#include "topology_window_test.moc"
