// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An example model read as the program reads it: the form follows the file's extension.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/model_reader.h"

namespace quarnel {

inline std::unique_ptr<ModelData> Example(const char* name) {
  auto model = std::make_unique<ModelData>();
  PendingMessages messages;
  model->BetaTyp = std::string(name).find(".qre") != std::string::npos ? 1 : 2;
  EXPECT_EQ(ReadModelFile(*model, messages, std::string(QUARNEL_EXAMPLES) + "/" + name), 0);
  return model;
}

}  // namespace quarnel
