// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A model file of any form, read into the model of its form and offered to the runs as one
// RunModel: forms 1 and 2 (ModelData, .qre and .qrg) and the lattice form (LatticeModel, .qrl).
// The runs need no switch on the form; only what is the form's own (a lattice's Cartesian k, its
// default k path, the file it saves) looks at lattice.

#include <memory>
#include <string>

#include "model/lattice_model.h"
#include "model/model_data.h"
#include "numeric/run_model.h"
#include "support/pending_messages.h"

namespace quarnel {

struct AnyModel {
  int form = 2;                                  // 1, 2 or kLatticeForm
  std::shared_ptr<const ModelData> tables;       // forms 1 and 2
  std::shared_ptr<const LatticeModel> lattice;   // the lattice form
  std::unique_ptr<RunModel> run;                 // refers to tables or lattice

  const RunModel& Run() const { return *run; }
};

// The form of a file: its extension (qre 1, qrg 2, qrl 3), else option (1..3), else 2.
int ModelFormOfFile(const std::string& file, int option);

// Reads name in the given form into out. Returns 0 when the file was read (line errors are
// queued), otherwise the open error's result (out unchanged). Nothing is shown.
int ReadAnyModelFile(const std::string& name, int form, AnyModel& out, PendingMessages& messages);

// The text of the model's file in its own form (what "save" writes).
std::string FormatAnyModelFile(const AnyModel& model);

}  // namespace quarnel
