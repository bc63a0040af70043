// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog seam's test double: answers come from queues, every warning is recorded.

#include <QPrinter>
#include <QStringList>

#include "widgets/dialogs.h"

class ScriptedDialogs : public Dialogs {
 public:
  ScriptedDialogs() { SetDialogs(this); }
  ~ScriptedDialogs() override { SetDialogs(nullptr); }

  QStringList openAnswers, saveAnswers, inputAnswers;
  QStringList warnings;
  QString lastFilter, lastSuffix, lastProposed;

  QString OpenFileName(QWidget*, const QString& filter, const QString& suffix) override {
    lastFilter = filter;
    lastSuffix = suffix;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
  }
  QString SaveFileName(QWidget*, const QString& filter, const QString& suffix,
                       const QString& proposed) override {
    lastFilter = filter;
    lastSuffix = suffix;
    lastProposed = proposed;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
  }
  void Warning(QWidget*, const QString& text) override { warnings << text; }
  bool InputText(QWidget*, const QString&, const QString&, QString& value) override {
    if (inputAnswers.isEmpty()) return false;
    value = inputAnswers.takeFirst();
    return true;
  }
  bool Print(QWidget*, QPrinter&) override { return false; }
  // Without a scripted answer the question is answered Discard, as the program did before it asked.
  QList<SaveChoice> saveChoices;
  QStringList questions;
  SaveChoice AskSave(QWidget*, const QString& text) override {
    questions << text;
    return saveChoices.isEmpty() ? SaveChoice::Discard : saveChoices.takeFirst();
  }
  // Without a scripted answer a recovery copy is left for later.
  QList<RecoverChoice> recoverChoices;
  RecoverChoice AskRecover(QWidget*, const QString& text) override {
    questions << text;
    return recoverChoices.isEmpty() ? RecoverChoice::Later : recoverChoices.takeFirst();
  }
};
