// SPDX-License-Identifier: GPL-3.0-or-later
// File commands, the first display and the command line.

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "document/model_document.h"
#include "document/undo_commands.h"
#include "mainwindow/main_window.h"
#include "mainwindow/window_placement.h"
#include "model/model_form.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "support/shell_helpers.h"
#include "support/text_utils.h"
#include "widgets/about_box.h"
#include "widgets/chart_helpers.h"
#include "widgets/dialogs.h"
#include "widgets/lattice_panels.h"
#include "widgets/linux_shell.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {
// The version is the build's (the project's version in CMake).
const char* const kProgramTitle = "Quarnel V" QUARNEL_VERSION " ";

// However broken a file, the box of reading errors stays one a person can read and the toolkit
// can lay out quickly: the first messages, each cut short, and how many more there were.
constexpr int kShownMessages = 20;
constexpr std::size_t kShownBytes = 200;

std::string ShortMessages(const std::string& text) {
  std::string out;
  int kept = 0;
  long long hidden = 0;
  for (std::size_t at = 0; at <= text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::size_t length = end - at;
    if (length > 0 && kept > kShownMessages) {
      ++hidden;
    } else if (kept <= kShownMessages) {
      if (length > 0) ++kept;
      if (at > 0) out += "\r\n";
      if (length <= kShownBytes) {
        out.append(text, at, length);
      } else {
        std::size_t cut = kShownBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[at + cut]) & 0xc0) == 0x80) --cut;
        out.append(text, at, cut);
        out += "...";
      }
    }
    at = end + 2;
  }
  if (hidden > 0) out += "\r\n\r\n(" + std::to_string(hidden) + " more messages not shown)";
  return out;
}
}  // namespace

QString TFormQuarnel::DialogFilter(bool save) const {
  const QString ext = QString::fromStdString(modelExtension_);
  QString filter = QString("Quarnel file (*.%1)|*.%1|").arg(ext);
  if (!save) filter = "Quarnel model (*.qrg *.qre *.qrl)|*.qrg;*.qre;*.qrl|" + filter;
  return filter + "All Files (*.*)|*.*";
}

QString TFormQuarnel::DialogDefaultExt() const {
  return QString::fromStdString(modelExtension_);
}

void TFormQuarnel::ClearModel() {
  doc_.ClearModel();
}

void TFormQuarnel::ShowClearedModel() {
  ClosePanels();
  std::fill(std::begin(orbitalShown_), std::end(orbitalShown_), false);
  sgInputOverlap->ClearCells();
  for (int c = 3; c < sgInputOverlap->ColCount(); ++c) sgInputOverlap->SetCell(c, 0, QString());
  // Every cell of H(k) and of the results, names included; the corner label stays.
  sgHamMat->ClearCells();
  for (int r = 1; r < sgHamMat->RowCount(); ++r) sgHamMat->SetCell(0, r, QString());
  for (int c = 1; c < sgHamMat->ColCount(); ++c) sgHamMat->SetCell(c, 0, QString());
  for (int r = 0; r < sgEigen->RowCount(); ++r)
    for (int c = 0; c < sgEigen->ColCount(); ++c)
      if (r > 0 || c > 0) sgEigen->SetCell(c, r, QString());
  sgEigen->SetCell(0, 0, QString());
  ResizeGrids(doc_.IsLattice() ? doc_.OrbitalCount() : 3);
  SetGridHeaders();
  if (latticePanels_ && doc_.IsLattice()) latticePanels_->SetModel(doc_.Lattice());
  if (doc_.IsLattice()) ShowLatticeCells();
}

void TFormQuarnel::ShowReplacedModel() {
  ShowClearedModel();
  const quarnel::ModelData& m = doc_.Model();
  // The model's own form: a file read in the other form switches the title and Save's extension.
  const std::string extension = quarnel::ModelFileExtension(m.BetaTyp);
  if (!extension.empty()) {
    modelExtension_ = extension;
    captionBase_ = std::string(kProgramTitle) + "(" + modelExtension_ + ")";
  }
  // A recovered model has no file name.
  if (m.ModelFileName.empty())
    SetCaption(QString::fromStdString(captionBase_));
  else
    SetCaption(QString("%1 - %2").arg(QString::fromStdString(captionBase_),
                                      QString::fromStdString(m.ModelFileName)));
  headerBytes_ = m.HeaderText;
  const QString header = FromModelText(m.HeaderText);
  // The edit box would cut a header beyond its default limit, and the next save would keep it cut.
  if (header.size() > edHeader->maxLength()) edHeader->setMaxLength(header.size());
  edHeader->setText(header);
  // A file without orbitals leaves the grid's three rows.
  const int n = m.NOrb;
  ResizeGrids(n);
  if (doc_.IsLattice()) {
    ShowLatticeCells();  // the columns widen to the hop lists too
    return;
  }
  for (int i = 1; i <= n; ++i) {
    PropagateOrbitalName(i);
    RefreshDiagonalCell(i);
    for (int j = i + 1; j <= n; ++j) RefreshPairCells(i, j);
  }
}

void TFormQuarnel::ReadModelFile(const QString& name) {
  quarnel::PendingMessages& messages = doc_.Messages();
  if (doc_.ReadFile(name.toStdString()) != 0) {
    quarnel::ShowPendingMessages(messages);
    return;
  }
  messages.Text = ShortMessages(messages.Text);
  quarnel::ShowPendingMessages(messages);
}

void TFormQuarnel::SyncHeaderToModel() {
  doc_.SetHeaderText(ToModelText(edHeader->text(), headerBytes_));
}

bool TFormQuarnel::WriteModelFile(const QString& name) {
  SyncHeaderToModel();
  if (doc_.WriteFile(name.toStdString()) != 0) {
    // Said at once: the user must not believe the model was saved.
    quarnel::ShowPendingMessages(doc_.Messages());
    return false;
  }
  headerBytes_ = doc_.Model().HeaderText;
  SetCaption(QString("%1 - %2").arg(QString::fromStdString(captionBase_),
                                    QString::fromStdString(doc_.Model().ModelFileName)));
  return true;
}

void TFormQuarnel::miOpen1Click() {
  if (!QueryUnsavedChanges()) return;
  const QString name = CurrentDialogs().OpenFileName(this, DialogFilter(), DialogDefaultExt());
  if (!name.isEmpty()) ReadModelFile(name);
}

bool TFormQuarnel::SaveWithDialog() {
  // A model without a file (New, recovered) proposes "untitled".
  QString proposed = QString::fromStdString(doc_.Model().ModelFileName);
  if (proposed.isEmpty()) proposed = "untitled";
  const QString filter = DialogFilter(true);
  const QString name = CurrentDialogs().SaveFileName(this, filter, DialogDefaultExt(), proposed);
  return !name.isEmpty() && WriteModelFile(name);
}

void TFormQuarnel::miSave1Click() {
  SaveWithDialog();
}

bool TFormQuarnel::QueryUnsavedChanges() {
  if (!doc_.Modified()) return true;
  switch (CurrentDialogs().AskSave(this, "Save changes to the model?")) {
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Save:
      return SaveWithDialog();  // a cancelled or failed save keeps the model
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

int TFormQuarnel::ChooseNewForm() {
  const QStringList forms = {"Tables with k factors (form 1, .qre)",
                             "Tables with partner positions (form 2, .qrg)",
                             "Crystal (lattice form)"};
  const int current = doc_.IsLattice() ? 2 : doc_.Model().BetaTyp == 1 ? 0 : 1;
  const int chosen =
      CurrentDialogs().ChooseItem(this, "New model", "Form of the new model:", forms, current);
  if (chosen < 0) return 0;
  return chosen == 2 ? quarnel::kLatticeForm : chosen + 1;
}

void TFormQuarnel::miNew1Click() {
  // The form first: cancelling it leaves the model without a question about saving it.
  const int form = ChooseNewForm();
  if (form == 0 || !QueryUnsavedChanges()) return;
  doc_.ClearModel(form);
  modelExtension_ = quarnel::ModelFileExtension(form);
  captionBase_ = std::string(kProgramTitle) + "(" + modelExtension_ + ")";
  headerBytes_.clear();
  edHeader->clear();
  SetCaption(QString::fromStdString(captionBase_));
}

void TFormQuarnel::Exit1Click() {
  close();
}

void TFormQuarnel::HandleCommandLine() {
  seNorb->SetRange(1, 16);
  int first = 0;
  if (!arguments_.isEmpty()) {
    const QString a = arguments_.first();
    if (a.startsWith('-')) first = 1;
    if (a == "-betatyp1") doc_.SetForm(1);
    if (a == "-betatyp2") doc_.SetForm(2);
  }
  auto setExtension = [this] {
    modelExtension_ = quarnel::ModelFileExtension(doc_.Form());
    captionBase_ = std::string(kProgramTitle) + "(" + modelExtension_ + ")";
  };
  setExtension();
  SetCaption(QString::fromStdString(captionBase_));
  for (int k = first; k < arguments_.size(); ++k) {
    const std::string e = quarnel::FileExtension(arguments_[k].toStdString());
    if (e == "qre") doc_.SetForm(1);
    if (e == "qrg") doc_.SetForm(2);
    setExtension();
    // A model file is read in its own form, whatever the form before it.
    if (quarnel::ModelFormOfFile(arguments_[k].toStdString()) != 0) ReadModelFile(arguments_[k]);
    setExtension();
    if (e == "qrk") emit KPathFileNamed(arguments_[k]);
  }
}

void TFormQuarnel::FirstPaint() {
  if (firstPaintDone_) return;
  firstPaintDone_ = true;
  SetGridHeaders();
  sgInputOverlap->SetColWidth(0, 70);
  sgInputOverlap->SetColWidth(1, 70);
  sgInputOverlap->SetColWidth(2, 40);
  sgInputOverlap->setCurrentCell(0, 1);
  sgHamMat->SetCell(0, 0, "  I\\R ");
  sgEigen->SetDefaultColWidth(150);
  sgEigen->SetColWidth(0, 80);
  gbInBeta->hide();
  gbInAlfa->hide();
  for (QWidget* w : {static_cast<QWidget*>(EditGenX), static_cast<QWidget*>(EditGenY),
                     static_cast<QWidget*>(EditGenZ), static_cast<QWidget*>(Label15)})
    w->hide();
  if (about_) about_->InitU(kProgramTitle, "05.12.2018");
  doc_.Places().PdfViewerPath = quarnel::AssociatedProgram(CurrentShell(), "pdf");
  HandleCommandLine();
  seKbodDelChange();
  seNorb->SetMaxValue(16);
  seNorbChange();
  doc_.SetModified(false);  // the model as the command line read it, or the empty one
  doc_.History().Reset();
  BuildOrbitalShapes();
  if (orbitals_) orbitals_->SetScaleSteps(4);
  ApplyResizeRule();
  cbEigVecSqClick();
  PlaceStartWindows();
  update();
  quarnel::ShowPendingMessages(doc_.Messages());
  emit FirstDisplayComplete();
}

void TFormQuarnel::PlaceStartWindows() {
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  if (shown) PlaceStartWindows(shown->availableGeometry());
}

void TFormQuarnel::PlaceStartWindows(const QRect& screenArea) {
  // The window manager's frame, once it has framed this window; until then a usual one.
  const QRect outer = frameGeometry(), inner = geometry();
  QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                 outer.right() - inner.right(), outer.bottom() - inner.bottom());
  if (frame.isNull()) frame = QMargins(2, 26, 2, 2);
  const quarnel::StartWindow main{size(), minimumWidth()};
  if (!bands_) {
    move(screenArea.topLeft());
    return;
  }
  // The bands window can be as narrow as its minimum width.
  quarnel::StartWindow bands{bands_->size(), bands_->minimumWidth()};
  bands.fitWidth = bands_->property("fitWidth").toInt();
  const quarnel::StartGeometry g = quarnel::PlaceStartWindows(screenArea, frame, main, bands);
  setGeometry(g.main);
  bands_->setGeometry(g.bands);
  bands_->show();
  // On a screen too small for both the main window stays in front, so that the bands window does
  // not cover the k point's Calculation button.
  if (g.main.marginsAdded(frame).intersects(g.bands.marginsAdded(frame))) raise();
  if (eigen_) {
    // Hidden until asked for; it then opens at the right edge, within the screen's height.
    const int h =
        std::max(eigen_->minimumHeight(),
                 std::min(eigen_->height(), screenArea.height() - frame.top() - frame.bottom()));
    eigen_->setGeometry(screenArea.right() - frame.right() - eigen_->width() + 1,
                        screenArea.top() + frame.top(), eigen_->width(), h);
  }
}
