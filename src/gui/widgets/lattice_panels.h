// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lattice form's editing panels: an orbital panel (name, energy, position, picture kind), a
// pair panel (the pair's hops, one row each: R1 R2 R3, Re t, Im t; rows added and removed) and a
// Cell panel (a1, a2, a3 with the square, hexagonal, cubic, fcc and bcc presets), each with
// Apply. A numeric field moves live as in the other forms' panels: the slider under the panel
// moves the field last entered (its value +- the span), the mouse wheel and the Up/Down keys
// step it, and Escape brings back the model from before the move.
// The panels take the model by SetModel and hand every change back by ModelEdited; the window
// that holds them owns the model.

#include <QWidget>
#include <vector>

#include "model/lattice_model.h"
#include "model/lattice_panels.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QStackedWidget;
class QTableWidget;

class LatticePanels : public QWidget {
  Q_OBJECT
 public:
  enum Panel { None, Orbital, Pair, Cell };
  explicit LatticePanels(QWidget* parent = nullptr);

  // The model the panels show; a panel's fields are filled again unless a move is in progress.
  void SetModel(const quarnel::LatticeModel& model);
  const quarnel::LatticeModel& Model() const { return model_; }

  void OpenOrbital(int i);
  void OpenPair(int i, int j);  // i == j: the orbital's self hops
  void OpenCell();
  // The pair of a hop, oriented as the hop is stored.
  void OpenHop(int hop);
  Panel Open() const { return open_; }
  bool Moving() const { return moving_ != nullptr; }

 signals:
  // A change of the model: Apply, a step of a move, or (restored) Escape ending a move.
  void ModelEdited(const quarnel::LatticeModel& model, bool restored);
  // A live move of a field begins and ends (its steps come as ModelEdited in between), so that
  // the views follow it as one move and the history keeps it as one step.
  void MoveStarted();
  void MoveEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* NewPanel(const QString& title, const QString& name);
  QLineEdit* NewField(const QString& name, const QString& label);
  void FillOpenPanel();
  void AddHopRow(const quarnel::LatticeHopRow& row);
  // The panel's texts applied to a copy of the model; "" when they were fine.
  QString ApplyTexts(quarnel::LatticeModel& m) const;
  void Apply();
  void Bind(QLineEdit* field);
  bool BeginMove(QLineEdit* field);
  void MoveTo(double value);
  void Step(QLineEdit* field, int steps);
  void EndMove(bool keep);

  quarnel::LatticeModel model_;
  Panel open_ = None;
  int i_ = 0, j_ = 0;
  QStackedWidget* stack_;
  QLabel* message_;
  // Orbital panel.
  QLineEdit* name_;
  QLineEdit* energy_;
  QLineEdit* pos_[3];
  QComboBox* kind_;
  // Pair panel.
  QLabel* pairTitle_;
  QTableWidget* hops_;
  // Cell panel.
  QLineEdit* cell_[3][3];
  QComboBox* preset_;
  // Live moves.
  QSlider* slider_;
  QLabel* sliderField_;
  QLineEdit* span_;
  QLineEdit* bound_ = nullptr;   // the field the slider moves
  QLineEdit* moving_ = nullptr;  // the field of the move in progress
  quarnel::LatticeModel before_;
  QString beforeText_;
  double centre_ = 0;
};
