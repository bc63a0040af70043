// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_form.h"

#include "model/model_reader.h"
#include "support/text_utils.h"

namespace quarnel {

int ModelFormOfFile(const std::string& name) {
  const std::string ext = FileExtension(name);
  if (ext == "qre") return 1;
  if (ext == "qrg") return 2;
  return 0;
}

std::string ModelFileExtension(int form) {
  if (form == 1) return "qre";
  if (form == 2) return "qrg";
  return std::string();
}

int ReadModelFileInItsForm(ModelData& m, PendingMessages& messages, const std::string& name) {
  const int previous = m.BetaTyp;
  if (const int form = ModelFormOfFile(name)) m.BetaTyp = form;
  const int result = ReadModelFile(m, messages, name);
  if (result != 0) m.BetaTyp = previous;
  return result;
}

}  // namespace quarnel
