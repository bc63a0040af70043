// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stress case that hangs must fail, not stall the test run: the process is ended by an alarm.

#include <gtest/gtest.h>
#include <unistd.h>

namespace quarnel::testing {

class Watchdog : public ::testing::Test {
 protected:
  static constexpr unsigned kSeconds = 60;
  void SetUp() override { ::alarm(kSeconds); }
  void TearDown() override { ::alarm(0); }
};

}  // namespace quarnel::testing
