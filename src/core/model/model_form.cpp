// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_form.h"

#include "model/lattice_model.h"

#include "model/model_reader.h"
#include "support/text_utils.h"

namespace quarnel {

int ModelFormOfFile(const std::string& name) {
  const std::string ext = FileExtension(name);
  if (ext == "qre") return 1;
  if (ext == "qrg") return 2;
  if (ext == "qrl") return kLatticeForm;
  return 0;
}

std::string ModelFileExtension(int form) {
  if (form == 1) return "qre";
  if (form == 2) return "qrg";
  if (form == kLatticeForm) return "qrl";
  return std::string();
}

int ReadModelFileInItsForm(ModelData& m, PendingMessages& messages, const std::string& name) {
  const int previous = m.BetaTyp;
  // The tables hold forms 1 and 2; a lattice file is read with ReadAnyModelFile.
  const int form = ModelFormOfFile(name);
  if (form == 1 || form == 2) m.BetaTyp = form;
  const int result = ReadModelFile(m, messages, name);
  if (result != 0) m.BetaTyp = previous;
  return result;
}

}  // namespace quarnel
