// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/recovery_writer.h"

#include "document/model_document.h"
#include "model/model_form.h"
#include "model/model_writer.h"
#include "support/recovery_files.h"
#include "widgets/dialogs.h"

RecoveryWriter::RecoveryWriter(ModelDocument& document, int delayMs)
    : QObject(nullptr), doc_(document) {
  // Not restarted by each edit: during a long drag a copy is still written every few seconds.
  timer_.setSingleShot(true);
  timer_.setInterval(delayMs);
  connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
  connect(&doc_, &ModelDocument::ModifiedChanged, this, [this](bool modified) {
    if (modified) {
      Schedule();
    } else {
      timer_.stop();
      quarnel::RemoveOwnRecoveryFiles();
    }
  });
  for (auto signal : {&ModelDocument::ModelReplaced, &ModelDocument::FillingChanged})
    connect(&doc_, signal, this, &RecoveryWriter::Schedule);
  connect(&doc_, &ModelDocument::OrbitalChanged, this, &RecoveryWriter::Schedule);
  connect(&doc_, &ModelDocument::PairChanged, this, &RecoveryWriter::Schedule);
  connect(&doc_, &ModelDocument::LatticeEdited, this, &RecoveryWriter::Schedule);
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this, &RecoveryWriter::Schedule);
}

RecoveryWriter::~RecoveryWriter() {
  quarnel::RemoveOwnRecoveryFiles();
}

void RecoveryWriter::Schedule() {
  if (doc_.Modified() && !timer_.isActive()) timer_.start();
}

void RecoveryWriter::WriteNow() {
  timer_.stop();
  if (!doc_.Modified()) {
    quarnel::RemoveOwnRecoveryFiles();
    return;
  }
  const quarnel::ModelData& m = doc_.Model();
  std::string extension = quarnel::ModelFileExtension(m.BetaTyp);
  if (extension.empty()) extension = "qrg";
  // A copy that cannot be written is no reason to interrupt the user: the next change tries again.
  quarnel::WriteRecoveryFile(extension, doc_.ModelFileText());
}

bool OfferRecoveryCopies(QWidget* parent, ModelDocument& document) {
  for (const quarnel::RecoveryCopy& copy : quarnel::OrphanedRecoveryFiles(true)) {
    const QString question = QString::fromStdString(quarnel::RecoveryQuestion(copy));
    switch (CurrentDialogs().AskRecover(parent, question)) {
      case Dialogs::RecoverChoice::Later:
        continue;
      case Dialogs::RecoverChoice::Discard:
        quarnel::RemoveRecoveryFile(copy.file);
        continue;
      case Dialogs::RecoverChoice::Recover:
        break;
    }
    const int status = document.ReadFile(copy.file, true);
    quarnel::ShowPendingMessages(document.Messages());
    if (status != 0) continue;
    document.SetModified(true);
    // The model lives in this process now; its own copy follows in a few seconds.
    quarnel::RemoveRecoveryFile(copy.file);
    return true;
  }
  return false;
}
