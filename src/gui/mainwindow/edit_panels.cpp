// SPDX-License-Identifier: GPL-3.0-or-later
// The three editing panels under the input grid: their controls, their opening on cell selection
// and their Apply commands. Reading and cleaning the texts is core work (panel_values.h).

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "document/model_document.h"
#include "mainwindow/live_value.h"
#include "mainwindow/main_window.h"
#include "model/panel_values.h"
#include "pictures/orbital_cells.h"
#include "widgets/dialogs.h"
#include "widgets/number_fields.h"
#include "widgets/string_grid.h"

using quarnel::ModelData;

namespace {

constexpr int kPanelWidth = 425;
constexpr int kPanelHeight = 213;
constexpr int kRowHeight = 22;

QLabel* PanelLabel(const QString& text, QWidget* parent, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->move(x, y + 3);
  label->adjustSize();
  return label;
}

QLineEdit* PanelEdit(QWidget* parent, int x, int y, int w, const QString& hint = QString()) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(x, y, w, kRowHeight);
  if (!hint.isEmpty()) edit->setToolTip(hint);
  return edit;
}

void SetBackground(QWidget* panel, const QColor& colour) {
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, colour);
  panel->setPalette(p);
  panel->setAutoFillBackground(true);
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}
std::string Std(const QLineEdit* edit) {
  return edit->text().toStdString();
}

// A name in a caption, where "&" would mark an access key.
QString CaptionName(const std::string& name) {
  return FromModelText(name).replace("&", "&&");
}

}  // namespace

void TFormQuarnel::CreatePanels() {
  gbInAlfa = new QGroupBox(" Edit Orbital&&Alpha ", client_);
  gbInBeta = new QGroupBox(" Edit Beta&&Overlap  ", client_);
  gbInBetaGen = new QGroupBox(" Edit Beta&&Overlap ", client_);
  for (QGroupBox* box : {gbInAlfa, gbInBeta, gbInBetaGen}) {
    box->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    box->hide();
  }
  SetBackground(gbInAlfa, QColor(166, 202, 240));
  SetBackground(gbInBeta, QColor(192, 220, 192));
  SetBackground(gbInBetaGen, QColor(192, 220, 192));
  btnUpdateAlpha = new QPushButton("Apply", gbInAlfa);
  btnUpdateBeta = new QPushButton("Apply", gbInBeta);
  btnUpdateBetaGen = new QPushButton("Apply", gbInBetaGen);
  for (QPushButton* b : {btnUpdateAlpha, btnUpdateBeta, btnUpdateBetaGen})
    b->setGeometry(kPanelWidth - 90, kPanelHeight - 36, 80, 28);
  CreateOrbitalPanel();
  CreateBetaPanel();
  CreateBetaGenPanel();
  Live = new LiveValue(this, doc_);
  connect(btnUpdateAlpha, &QPushButton::clicked, this, &TFormQuarnel::btnUpdateAlphaClick);
  connect(btnUpdateBeta, &QPushButton::clicked, this, &TFormQuarnel::btnUpdateBetaClick);
  connect(btnUpdateBetaGen, &QPushButton::clicked, this, &TFormQuarnel::btnUpdateBetaGenClick);
  connect(cbShowPlotOrbA, &QCheckBox::clicked, this, &TFormQuarnel::cbShowPlotOrbAClick);
  connect(cbShowPlotOrbB, &QCheckBox::clicked, this, &TFormQuarnel::cbShowPlotOrbBClick);
  // Only a choice of the user; opening the panel selects the kind without this.
  connect(cbOrbPlot, &QComboBox::activated, this, &TFormQuarnel::cbOrbPlotChange);
}

void TFormQuarnel::CreateOrbitalPanel() {
  QGroupBox* p = gbInAlfa;
  const QString energy = "Energie orbitalu";
  Label8 = PanelLabel("Orbital:", p, 10, 24);
  Edit1 = PanelEdit(p, 66, 24, 96, "Oznaceni orbitalu");
  Label9 = PanelLabel("Alpha:", p, 10, 52);
  Edit2 = PanelEdit(p, 66, 52, 96, energy);
  Label18 = PanelLabel("Beta X:", p, 10, 80);
  Label16 = PanelLabel("Beta Y:", p, 10, 108);
  Label19 = PanelLabel("Beta Z:", p, 10, 136);
  EditABetaX = PanelEdit(p, 66, 80, 96, energy);
  EditABetaY = PanelEdit(p, 66, 108, 96, energy);
  EditABetaZ = PanelEdit(p, 66, 136, 96, energy);
  LabelABetaX = PanelLabel("--", p, 168, 80);
  LabelABetaY = PanelLabel("--", p, 168, 108);
  LabelABetaZ = PanelLabel("--", p, 168, 136);
  for (QLabel* l : {LabelABetaX, LabelABetaY, LabelABetaZ}) l->setFixedWidth(60);
  Label20 = PanelLabel("m*:", p, 10, 164);
  Editm = PanelEdit(p, 66, 164, 96, energy);

  GroupBox1 = new QGroupBox(" Orbital plot ", p);
  GroupBox1->setGeometry(236, 18, 180, 118);
  cbOrbPlot = new QComboBox(GroupBox1);
  cbOrbPlot->setGeometry(10, 24, 100, kRowHeight + 2);
  Label13 = PanelLabel("X:", GroupBox1, 10, 56);
  EditPlotX = PanelEdit(GroupBox1, 28, 56, 56);
  Label14 = PanelLabel("Y:", GroupBox1, 94, 56);
  EditPlotY = PanelEdit(GroupBox1, 112, 56, 56);
  cbShowPlotOrbA = new QCheckBox("Plot orbitals", GroupBox1);
  cbShowPlotOrbA->setGeometry(10, 88, 160, kRowHeight);
}

void TFormQuarnel::CreateBetaPanel() {
  QGroupBox* p = gbInBeta;
  PanelLabel("beta", p, 30, 19);
  PanelLabel("overlap", p, 100, 19);
  const char* rows[] = {"X: ", "Y: ", "Z: "};
  QLineEdit** edits[] = {&EdBetaX, &EdBetaY, &EdBetaZ};
  for (int d = 0; d < 3; ++d) {
    PanelLabel(rows[d], p, 10, 40 + 30 * d);
    *edits[d] = PanelEdit(p, 30, 40 + 30 * d, 64);
  }
  cbBetaX = new QComboBox(p);
  cbBetaY = new QComboBox(p);
  cbBetaZ = new QComboBox(p);
  cbBetaX->setGeometry(100, 40, 120, kRowHeight);
  cbBetaY->setGeometry(100, 70, 120, kRowHeight);
  cbBetaZ->setGeometry(100, 100, 120, kRowHeight);
  lbBeta2 = PanelLabel("beta2", p, 230, 19);
  EdBeta2X = PanelEdit(p, 230, 40, 60);
  EdBeta2Y = PanelEdit(p, 230, 70, 60);
  EdBeta2Z = PanelEdit(p, 230, 100, 60);
}

void TFormQuarnel::CreateBetaGenPanel() {
  QGroupBox* p = gbInBetaGen;
  PanelLabel("beta -X", p, 26, 19);
  PanelLabel("beta +X", p, 90, 19);
  PanelLabel("R:", p, 218, 19);
  PanelLabel("I:", p, 272, 19);
  Label15 = PanelLabel("0;0.5;1", p, 330, 19);
  const char* rows[] = {"X:", "Y:", "Z:"};
  QLineEdit** minus[] = {&EditGenBetaMX, &EditGenBetaMY, &EditGenBetaMZ};
  QLineEdit** plus[] = {&EditGenBetaPX, &EditGenBetaPY, &EditGenBetaPZ};
  QLabel** labels[] = {&LabelGenBetaX, &LabelGenBetaY, &LabelGenBetaZ};
  QLineEdit** re[] = {&EditGenSocReX, &EditGenSocReY, &EditGenSocReZ};
  QLineEdit** im[] = {&EditGenSocImX, &EditGenSocImY, &EditGenSocImZ};
  QLineEdit** pos[] = {&EditGenX, &EditGenY, &EditGenZ};
  for (int d = 0; d < 3; ++d) {
    const int y = 40 + 30 * d;
    PanelLabel(rows[d], p, 8, y);
    *minus[d] = PanelEdit(p, 26, y, 60);
    *plus[d] = PanelEdit(p, 90, y, 60);
    *labels[d] = PanelLabel("", p, 156, y);
    (*labels[d])->setFixedWidth(60);
    *re[d] = PanelEdit(p, 218, y, 50);
    *im[d] = PanelEdit(p, 272, y, 50);
    *pos[d] = PanelEdit(p, 330, y, 60);
  }
  cbShowPlotOrbB = new QCheckBox("Plot orbitals", p);
  cbShowPlotOrbB->setGeometry(10, 140, 160, kRowHeight);
}

void TFormQuarnel::OpenOrbitalPanel(int r) {
  const ModelData& m = doc_.Model();
  if (!quarnel::ValidOrbital(m, r)) return;
  Edit1->setText(sgInputOverlap->Cell(1, r));
  Edit2->setText(sgInputOverlap->Cell(2, r));
  gbInAlfa->setTitle(QString(" %1 [%2] ").arg("Edit Orbital&&Alpha", CaptionName(m.OrbName[r])));
  gbInAlfa->show();
  const quarnel::OrbitalPanelTexts t = quarnel::OrbitalPanelFill(m, r);
  cbOrbPlot->setCurrentIndex(t.kindItem < cbOrbPlot->count() ? t.kindItem : -1);
  EditPlotX->setText(Text(t.plotX));
  EditPlotY->setText(Text(t.plotY));
  if (cbShowPlotOrbA->isChecked()) HighlightOrbitals(r, r);
  QLineEdit* betas[] = {nullptr, EditABetaX, EditABetaY, EditABetaZ};
  QLabel* labels[] = {nullptr, LabelABetaX, LabelABetaY, LabelABetaZ};
  for (int d = 1; d <= 3; ++d) {
    betas[d]->setText(Text(t.beta[d]));
    labels[d]->setText(Text(t.label[d]));
  }
  Editm->setText(Text(t.effMass));
}

void TFormQuarnel::btnUpdateAlphaClick() {
  const ModelData& m = doc_.Model();
  const int r = sgInputOverlap->currentRow() + 1;  // the selected orbital's row
  // A closed panel belongs to no orbital of this model.
  if (SelRow < 1 || !quarnel::ValidOrbital(m, r)) return;
  const QStringList zeros = UnreadableFields({{Edit2, "alpha"},
                                              {EditABetaX, "beta x"},
                                              {EditABetaY, "beta y"},
                                              {EditABetaZ, "beta z"},
                                              {Editm, "m"}});
  quarnel::OrbitalPanelTexts t;
  // A name left as shown keeps the bytes it was read with.
  t.name = ToModelText(Edit1->text(), m.OrbName[r]);
  // Two orbitals of one name would merge when the file is read again: refused, nothing applied.
  const std::string conflict = quarnel::OrbitalNameConflict(m, r, t.name);
  if (!conflict.empty()) {
    CurrentDialogs().Warning(this, QString::fromStdString(conflict));
    return;
  }
  sgInputOverlap->SetCell(1, r, Edit1->text());
  sgInputOverlap->SetCell(2, r, Edit2->text());
  t.alpha = sgInputOverlap->Cell(2, r).toStdString();
  t.beta[1] = Std(EditABetaX);
  t.beta[2] = Std(EditABetaY);
  t.beta[3] = Std(EditABetaZ);
  t.effMass = Std(Editm);
  t.plotX = Std(EditPlotX);
  t.plotY = Std(EditPlotY);
  t.kindItem = cbOrbPlot->currentIndex();
  doc_.EditOrbital(r, [r, &t](ModelData& model) { quarnel::ApplyOrbitalPanel(model, r, t); });
  const QString name = FromModelText(m.OrbName[r]);
  if (name != Edit1->text()) Edit1->setText(name);
  // The panel shows what is stored, and says why when that is not what was typed.
  const std::string hint = quarnel::AlphaSignHint(m.BetaTyp, t.alpha);
  Edit2->setText(sgInputOverlap->Cell(2, r));
  QStringList said;
  if (!hint.empty()) said << QString::fromStdString(hint);
  if (!zeros.isEmpty()) said << CountedAsZeroText(zeros);
  if (said.isEmpty())
    StatusBar1->clearMessage();
  else
    StatusBar1->showMessage(said.join("  "));
  PropagateOrbitalName(r);
  SetModelModified();
  if (cbShowPlotOrbA->isChecked()) HighlightOrbitals(HighlightRow, HighlightRow);
  sgInputOverlap->viewport()->update();
}

void TFormQuarnel::OpenBetaPanel(int i, int j) {
  const ModelData& m = doc_.Model();
  if (!quarnel::ValidPair(m, i, j)) return;
  gbInBeta->setTitle(
      QString(" %1 [%2 <=> %3] ")
          .arg("Edit Beta&&Overlap", CaptionName(m.OrbName[i]), CaptionName(m.OrbName[j])));
  const quarnel::BetaPanelTexts t = quarnel::BetaPanelFill(m, i, j);
  QComboBox* types[] = {nullptr, cbBetaX, cbBetaY, cbBetaZ};
  QLineEdit* betas[] = {nullptr, EdBetaX, EdBetaY, EdBetaZ};
  QLineEdit* betas2[] = {nullptr, EdBeta2X, EdBeta2Y, EdBeta2Z};
  for (int d = 1; d <= 3; ++d) {
    types[d]->setCurrentIndex(t.type[d] >= 0 && t.type[d] < types[d]->count() ? t.type[d] : 0);
    betas[d]->setText(Text(t.beta[d]));
    betas2[d]->setText(Text(t.beta2[d]));
  }
  gbInBeta->show();
}

void TFormQuarnel::btnUpdateBetaClick() {
  const ModelData& m = doc_.Model();
  const int i = SelRow, j = SelCol - 2;
  if (!quarnel::ValidPair(m, i, j)) return;
  quarnel::BetaPanelTexts t;
  QComboBox* types[] = {nullptr, cbBetaX, cbBetaY, cbBetaZ};
  QLineEdit* betas[] = {nullptr, EdBetaX, EdBetaY, EdBetaZ};
  QLineEdit* betas2[] = {nullptr, EdBeta2X, EdBeta2Y, EdBeta2Z};
  for (int d = 1; d <= 3; ++d) {
    t.type[d] = std::max(0, types[d]->currentIndex());
    t.beta[d] = Std(betas[d]);
    t.beta2[d] = Std(betas2[d]);  // read even while hidden
  }
  std::vector<std::pair<QLineEdit*, QString>> fields;
  for (int d = 1; d <= 3; ++d) {
    fields.push_back({betas[d], QString("beta %1").arg(QChar('w' + d))});
    if (!betas2[d]->isHidden())
      fields.push_back({betas2[d], QString("beta2 %1").arg(QChar('w' + d))});
  }
  const QString zeros = CountedAsZeroText(UnreadableFields(fields));
  doc_.EditPair(i, j, [i, j, &t](ModelData& model) { quarnel::ApplyBetaPanel(model, i, j, t); });
  if (zeros.isEmpty())
    StatusBar1->clearMessage();
  else
    StatusBar1->showMessage(zeros);
  SetModelModified();
  sgInputOverlap->viewport()->update();
}

void TFormQuarnel::FillBetaGenPanel(int i, int j) {
  const quarnel::BetaGenPanelTexts t = quarnel::BetaGenPanelFill(doc_.Model(), i, j);
  QLineEdit* minus[] = {nullptr, EditGenBetaMX, EditGenBetaMY, EditGenBetaMZ};
  QLineEdit* plus[] = {nullptr, EditGenBetaPX, EditGenBetaPY, EditGenBetaPZ};
  QLineEdit* pos[] = {nullptr, EditGenX, EditGenY, EditGenZ};
  QLineEdit* re[] = {nullptr, EditGenSocReX, EditGenSocReY, EditGenSocReZ};
  QLineEdit* im[] = {nullptr, EditGenSocImX, EditGenSocImY, EditGenSocImZ};
  QLabel* labels[] = {nullptr, LabelGenBetaX, LabelGenBetaY, LabelGenBetaZ};
  for (int d = 1; d <= 3; ++d) {
    minus[d]->setText(Text(t.minus[d]));
    plus[d]->setText(Text(t.plus[d]));
    pos[d]->setText(Text(t.pos[d]));
    re[d]->setText(Text(t.socRe[d]));
    im[d]->setText(Text(t.socIm[d]));
    labels[d]->setText(Text(t.label[d]));
  }
}

void TFormQuarnel::OpenBetaGenPanel(int i, int j) {
  const ModelData& m = doc_.Model();
  if (!quarnel::ValidPair(m, i, j)) return;
  FillBetaGenPanel(i, j);
  gbInBetaGen->setTitle(
      QString(" %1 [%2 <=> %3] ")
          .arg("Edit Beta&&Overlap", CaptionName(m.OrbName[i]), CaptionName(m.OrbName[j])));
  gbInBetaGen->show();
  if (cbShowPlotOrbB->isChecked()) HighlightOrbitals(i, j);
}

void TFormQuarnel::btnUpdateBetaGenClick() {
  const ModelData& m = doc_.Model();
  const int i = SelRow, j = SelCol - 2;
  if (!quarnel::ValidPair(m, i, j)) return;
  quarnel::BetaGenPanelTexts t;
  QLineEdit* minus[] = {nullptr, EditGenBetaMX, EditGenBetaMY, EditGenBetaMZ};
  QLineEdit* plus[] = {nullptr, EditGenBetaPX, EditGenBetaPY, EditGenBetaPZ};
  QLineEdit* pos[] = {nullptr, EditGenX, EditGenY, EditGenZ};
  QLineEdit* re[] = {nullptr, EditGenSocReX, EditGenSocReY, EditGenSocReZ};
  QLineEdit* im[] = {nullptr, EditGenSocImX, EditGenSocImY, EditGenSocImZ};
  for (int d = 1; d <= 3; ++d) {
    t.minus[d] = Std(minus[d]);
    t.plus[d] = Std(plus[d]);
    t.pos[d] = Std(pos[d]);
    t.socRe[d] = Std(re[d]);
    t.socIm[d] = Std(im[d]);
    t.posShown[d] = !pos[d]->isHidden();  // hidden from the first display on
  }
  std::vector<std::pair<QLineEdit*, QString>> fields;
  for (int d = 1; d <= 3; ++d) {
    const QChar axis('w' + d);
    fields.push_back({minus[d], QString("beta- %1").arg(axis)});
    fields.push_back({plus[d], QString("beta+ %1").arg(axis)});
    fields.push_back({re[d], QString("soc re %1").arg(axis)});
    fields.push_back({im[d], QString("soc im %1").arg(axis)});
  }
  const QString zeros = CountedAsZeroText(UnreadableFields(fields));
  doc_.EditPair(i, j, [i, j, &t](ModelData& model) { quarnel::ApplyBetaGenPanel(model, i, j, t); });
  if (zeros.isEmpty())
    StatusBar1->clearMessage();
  else
    StatusBar1->showMessage(zeros);
  SetModelModified();
  FillBetaGenPanel(i, j);
  sgInputOverlap->viewport()->update();
}

void TFormQuarnel::cbShowPlotOrbAClick() {
  cbShowPlotOrbB->setChecked(cbShowPlotOrbA->isChecked());
  if (cbShowPlotOrbA->isChecked())
    HighlightOrbitals(HighlightRow, HighlightCol);
  else
    HighlightOrbitals(0, 0);
}

void TFormQuarnel::cbShowPlotOrbBClick() {
  cbShowPlotOrbA->setChecked(cbShowPlotOrbB->isChecked());
  if (cbShowPlotOrbB->isChecked())
    HighlightOrbitals(HighlightRow, HighlightCol);
  else
    HighlightOrbitals(0, 0);
}

void TFormQuarnel::cbOrbPlotChange() {
  gammaPictureShown_ = false;
}
