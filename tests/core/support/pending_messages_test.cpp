// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pending_messages.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(PendingMessages, LinesAreJoinedWithCrLf) {
  PendingMessages m;
  EXPECT_FALSE(m.Pending);
  AddPendingMessage(m, "first");
  EXPECT_EQ(m.Text, "first");
  EXPECT_TRUE(m.Pending);
  AddPendingMessage(m, "second");
  AddPendingMessage(m, "third");
  EXPECT_EQ(m.Text, "first\r\nsecond\r\nthird");
}

TEST(PendingMessages, ShowHandsWholeTextOnceAndEmpties) {
  PendingMessages m;
  std::vector<std::string> shown;
  m.Show = [&](const std::string& t) { shown.push_back(t); };
  AddPendingMessage(m, "a: not found");
  AddPendingMessage(m, "b: not found");
  ShowPendingMessages(m);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "a: not found\r\nb: not found");
  EXPECT_EQ(m.Text, "");
  EXPECT_FALSE(m.Pending);

  ShowPendingMessages(m);  // nothing left to show
  EXPECT_EQ(shown.size(), 1u);

  AddPendingMessage(m, "later");  // a fresh start, no leading line break
  ShowPendingMessages(m);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], "later");
}

TEST(PendingMessages, EmptyBufferShowsNothingAndClearsFlag) {
  PendingMessages m;
  int calls = 0;
  m.Show = [&](const std::string&) { ++calls; };
  m.Pending = true;
  ShowPendingMessages(m);
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(m.Pending);
}

TEST(PendingMessages, WorksWithoutHookAndKeepsMessagesQueuedByHook) {
  PendingMessages m;
  AddPendingMessage(m, "x");
  ShowPendingMessages(m);  // no hook: must not crash
  EXPECT_EQ(m.Text, "");
  EXPECT_FALSE(m.Pending);

  m.Show = [&](const std::string& t) {
    if (t == "outer") AddPendingMessage(m, "inner");
  };
  AddPendingMessage(m, "outer");
  ShowPendingMessages(m);
  EXPECT_EQ(m.Text, "inner");
  EXPECT_TRUE(m.Pending);
}

}  // namespace
}  // namespace quarnel
