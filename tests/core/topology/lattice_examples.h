// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The topology tests' models: the lattice-form examples, read without a message.

#include <gtest/gtest.h>

#include <string>

#include "model/lattice_reader.h"

namespace quarnel {

constexpr double kPi = 3.14159265358979323846;

inline LatticeModel Example(const char* name) {
  LatticeModel m;
  PendingMessages messages;
  EXPECT_EQ(ReadLatticeFile(m, messages, std::string(QUARNEL_EXAMPLES) + "/" + name), 0);
  EXPECT_FALSE(messages.Pending) << messages.Text;
  return m;
}

}  // namespace quarnel
