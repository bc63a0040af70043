// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo_commands.h"

#include <QUndoCommand>

#include "document/model_document.h"
#include "model/lattice_writer.h"
#include "model/model_writer.h"
#include "widgets/model_text.h"

namespace {
QString Name(const quarnel::ModelData& m, int i) {
  return FromModelText(m.OrbName[i]).trimmed();
}
}  // namespace

class ModelStep : public QUndoCommand {
 public:
  ModelStep(ModelHistory& history, const quarnel::ModelSnapshot& before,
            const quarnel::ModelSnapshot& after, const QString& text)
      : QUndoCommand(text), history_(history), before_(before), after_(after) {}
  // The model already is "after" when the step is pushed.
  void redo() override {
    if (first_) {
      first_ = false;
      return;
    }
    history_.Restore(after_);
  }
  void undo() override { history_.Restore(before_); }

 private:
  ModelHistory& history_;
  quarnel::ModelSnapshot before_, after_;
  bool first_ = true;
};

ModelHistory::ModelHistory(ModelDocument& document)
    : QObject(nullptr),
      doc_(document),
      recorded_(std::make_unique<quarnel::ModelSnapshot>(document.Snapshot())) {
  connect(&doc_, &ModelDocument::OrbitalChanged, this, [this](int i) {
    if (moving_) {
      moveText_ = "Move orbital " + Name(doc_.Model(), i);
      return;
    }
    Record("Apply orbital " + Name(doc_.Model(), i));
  });
  connect(&doc_, &ModelDocument::PairChanged, this, [this](int i, int j) {
    const QString text = Name(doc_.Model(), i) + " - " + Name(doc_.Model(), j);
    if (moving_) {
      moveText_ = "Move pair " + text;
      return;
    }
    Record("Apply pair " + text);
  });
  connect(&doc_, &ModelDocument::LatticeEdited, this, [this] {
    if (moving_) {
      moveText_ = "Move crystal value";
      return;
    }
    Record("Edit crystal");
  });
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this,
          [this](int n) { Record(QString("Orbitals %1").arg(n)); });
  connect(&doc_, &ModelDocument::LiveMoveStarted, this, [this] {
    moving_ = true;
    moveText_ = "Move";
  });
  connect(&doc_, &ModelDocument::LiveMoveEnded, this, [this] {
    moving_ = false;
    Record(moveText_);
  });
  // Back at the saved model the mark goes; any other step sets it.
  connect(&stack_, &QUndoStack::indexChanged, this, [this] {
    if (!restoring_) doc_.SetModified(!stack_.isClean());
  });
}

ModelHistory::~ModelHistory() = default;

void ModelHistory::Record(const QString& text) {
  if (restoring_ || moving_) return;
  const quarnel::ModelSnapshot now = doc_.Snapshot();
  const auto text_of = [](const quarnel::ModelSnapshot& s) {
    return s.form == quarnel::kLatticeForm ? quarnel::FormatLatticeFile(s.lattice)
                                           : quarnel::FormatModelFile(s.tables);
  };
  if (now.form == recorded_->form && text_of(now) == text_of(*recorded_) &&
      now.tables.NOrb == recorded_->tables.NOrb)
    return;
  auto* step = new ModelStep(*this, *recorded_, now, text);
  *recorded_ = now;
  stack_.push(step);
}

void ModelHistory::Reset() {
  stack_.clear();
  *recorded_ = doc_.Snapshot();
  stack_.setClean();
}

void ModelHistory::MarkClean() {
  // A header typed since the last step is part of what was saved: a step of its own.
  Record("Edit header");
  stack_.setClean();
}

void ModelHistory::Restore(const quarnel::ModelSnapshot& model) {
  restoring_ = true;
  doc_.RestoreSnapshot(model);
  *recorded_ = doc_.Snapshot();
  restoring_ = false;
}
