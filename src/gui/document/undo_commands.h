// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo of the model: every step keeps the whole model before and after it, which for at
// most 16 orbitals is a few kilobytes and spares each edit an inverse of its own. Steps are taken
// from the document's signals, so every edit path is recorded the same way; a live move is one
// step from its start to its end.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>

#include "document/model_document.h"

class ModelDocument;

class ModelHistory : public QObject {
  Q_OBJECT
 public:
  explicit ModelHistory(ModelDocument& document);
  ~ModelHistory() override;

  QUndoStack& Stack() { return stack_; }
  // A step from the model last recorded to the model now, named text ("Apply orbital Cu");
  // nothing when the model did not change.
  void Record(const QString& text);
  // Open and New: the model now is where the history starts, and it is clean.
  void Reset();
  // Save: the model now is the file's.
  void MarkClean();

 private:
  friend class ModelStep;
  void Restore(const quarnel::ModelSnapshot& model);

  ModelDocument& doc_;
  QUndoStack stack_;
  // The model as the last step left it.
  std::unique_ptr<quarnel::ModelSnapshot> recorded_;
  bool restoring_ = false;
  bool moving_ = false;
  QString moveText_;
};
