// SPDX-License-Identifier: GPL-3.0-or-later
// The lattice form's window pieces, driven as a user would: a click on a bond of graphene's
// picture opens that hop's pair panel, a live step of its amplitude changes the model and Escape
// brings it back, a bad row is refused, a preset fills the Cell panel, and the Cartesian k shows.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <cmath>

#include "model/lattice_reader.h"
#include "widgets/cartesian_k_label.h"
#include "widgets/crystal_view.h"
#include "widgets/lattice_panels.h"

Q_DECLARE_METATYPE(quarnel::LatticeModel)

class LatticePiecesTest : public QObject {
  Q_OBJECT
 private slots:
  void bondClickOpensHopAndMovesLive();
};

namespace {

quarnel::LatticeModel Graphene() {
  quarnel::LatticeModel m;
  quarnel::PendingMessages messages;
  quarnel::ReadLatticeFile(m, messages, std::string(QUARNEL_EXAMPLES) + "/graphene.qrl");
  return m;
}

}  // namespace

void LatticePiecesTest::bondClickOpensHopAndMovesLive() {
  qRegisterMetaType<quarnel::LatticeModel>();
  const quarnel::LatticeModel g = Graphene();
  QCOMPARE(g.Orbitals(), 2);

  CrystalPictureView view;
  LatticePanels panels;
  QObject::connect(&view, &CrystalPictureView::HopClicked, &panels, &LatticePanels::OpenHop);
  view.resize(500, 400);
  view.show();
  view.SetModel(g);
  panels.SetModel(g);
  panels.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));

  // Every site inside the widget; a click on the middle of the hop at (-1,0,0) names it.
  for (const quarnel::CrystalSite& s : view.Picture().sites) {
    const QPointF p = view.ToWidget(s.at);
    QVERIFY(view.rect().contains(p.toPoint()));
  }
  QSignalSpy hops(&view, &CrystalPictureView::HopClicked);
  for (const quarnel::CrystalBond& b : view.Picture().bonds) {
    if (b.hop != 1) continue;
    const QPointF mid = (view.ToWidget(b.from) + view.ToWidget(b.to)) / 2;
    QTest::mouseClick(&view, Qt::LeftButton, {}, mid.toPoint());
    break;
  }
  QCOMPARE(hops.count(), 1);
  QCOMPARE(hops[0][0].toInt(), 1);
  QCOMPARE(panels.Open(), LatticePanels::Pair);
  auto* table = panels.findChild<QTableWidget*>("LatticeHops");
  QCOMPARE(table->rowCount(), 3);

  // Up over Re t of the second row: one step of span / 100 (span = |t| = 1), live.
  QSignalSpy edits(&panels, &LatticePanels::ModelEdited);
  auto* re = qobject_cast<QLineEdit*>(table->cellWidget(1, 3));
  re->setFocus();
  QTest::keyClick(re, Qt::Key_Up);
  QTest::keyClick(re, Qt::Key_Up);
  QCOMPARE(edits.count(), 2);
  auto edited = edits.last()[0].value<quarnel::LatticeModel>();
  QVERIFY(std::fabs(edited.hops[1].t.real() - (-0.98)) < 1e-12);
  QCOMPARE(panels.Model().hops[1].t.real(), edited.hops[1].t.real());
  QTest::keyClick(re, Qt::Key_Escape);
  QCOMPARE(edits.count(), 3);
  QVERIFY(edits.last()[1].toBool());
  QCOMPARE(edits.last()[0].value<quarnel::LatticeModel>().hops[1].t, g.hops[1].t);
  QCOMPARE(re->text(), QString("-1"));

  // A row with a non-integer R is refused and changes nothing.
  qobject_cast<QLineEdit*>(table->cellWidget(0, 0))->setText("0.5");
  panels.findChild<QPushButton*>("LatticePairApply")->click();
  QCOMPARE(edits.count(), 3);
  QVERIFY(!panels.findChild<QLabel*>("LatticePanelMessage")->text().isEmpty());

  // The Cell panel takes the hexagonal preset for a1, a2 and keeps a3 of the 2-D crystal.
  panels.OpenCell();
  auto* preset = panels.findChild<QComboBox*>("LatticeCellPreset");
  preset->setCurrentIndex(preset->findText("square"));
  emit preset->activated(preset->currentIndex());
  panels.findChild<QPushButton*>("LatticeCellApply")->click();
  QCOMPARE(edits.count(), 4);
  const auto square = edits.last()[0].value<quarnel::LatticeModel>();
  QCOMPARE(square.cell[1][0], 0.0);
  QCOMPARE(square.cell[1][1], 1.0);
  QCOMPARE(square.cell[2][2], g.cell[2][2]);

  // A live step redraws the picture with the new bond widths.
  view.SetModel(edited);
  QVERIFY(view.Picture().bonds.size() == 21);
  double widest = 0, narrowest = 10;
  for (const auto& b : view.Picture().bonds)
    widest = std::max(widest, b.width), narrowest = std::min(narrowest, b.width);
  QCOMPARE(widest, 4.0);
  QVERIFY(std::fabs(narrowest - (1 + 3 * 0.98)) < 1e-12);

  CartesianKLabel label;
  const double k[3] = {4.0 / 3, 2.0 / 3, 0};
  label.ShowK(&g, k);
  QVERIFY(label.text().startsWith("q = (0.6667, 0, 0)"));
  label.ShowK(nullptr, k);
  QVERIFY(label.isHidden());
}

QTEST_MAIN(LatticePiecesTest)
#include "lattice_pieces_test.moc"
