// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps this process's recovery copy of the model up to date: written a few seconds after the
// model changes while it is modified, removed when it is saved, discarded or the program ends.

#include <QObject>
#include <QTimer>

class ModelDocument;
class QWidget;

class RecoveryWriter : public QObject {
  Q_OBJECT
 public:
  // delayMs: how long edits are collected before the copy is written.
  explicit RecoveryWriter(ModelDocument& document, int delayMs = 3000);
  // A clean exit: the copy goes.
  ~RecoveryWriter() override;

  // Writes the copy now when the model is modified, removes it otherwise.
  void WriteNow();

 private:
  void Schedule();

  ModelDocument& doc_;
  QTimer timer_;
};

// At start: offers each copy whose process is gone ("Recover the unsaved model from <time>?").
// A recovered model is modified and has no file name; at most one is recovered, so that a second
// never replaces the first; the copies of the others stay when the question is closed.
// Returns true when a model was recovered.
bool OfferRecoveryCopies(QWidget* parent, ModelDocument& document);
