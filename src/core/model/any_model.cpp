// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/any_model.h"

#include "model/lattice_reader.h"
#include "model/lattice_writer.h"
#include "model/model_form.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "numeric/lattice_run_model.h"
#include "support/text_utils.h"

namespace quarnel {

int ModelFormOfFile(const std::string& file, int option) {
  if (const int form = ModelFormOfFile(file)) return form;
  if (option >= 1 && option <= kLatticeForm) return option;
  return 2;
}

int ReadAnyModelFile(const std::string& name, int form, AnyModel& out, PendingMessages& messages) {
  if (form == kLatticeForm) {
    auto m = std::make_shared<LatticeModel>();
    const int result = ReadLatticeFile(*m, messages, name);
    if (result != 0) return result;
    out.form = form;
    out.tables.reset();
    out.lattice = m;
    out.run = std::make_unique<LatticeRunModel>(m);
    return 0;
  }
  auto m = std::make_shared<ModelData>();
  m->BetaTyp = form;
  const int result = ReadModelFile(*m, messages, name);
  if (result != 0) return result;
  out.form = form;
  out.lattice.reset();
  out.tables = m;
  out.run = std::make_unique<TableModel>(*m);
  return 0;
}

std::string FormatAnyModelFile(const AnyModel& model) {
  if (model.lattice) return FormatLatticeFile(*model.lattice);
  if (model.tables) return FormatModelFile(*model.tables);
  return std::string();
}

}  // namespace quarnel
