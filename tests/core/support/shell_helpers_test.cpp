// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shell_helpers.h"

#include <gtest/gtest.h>

#include <map>

#include "support/settings_location.h"

namespace quarnel {
namespace {

class FakeShell : public ShellPlatform {
 public:
  std::map<std::string, std::string> commands;
  std::vector<std::string> windows;
  int startResult = 42;
  std::vector<std::pair<std::string, std::vector<std::string>>> started;

  std::string AssociatedCommand(const std::string& ext) override { return commands[ext]; }
  std::vector<std::string> VisibleWindows() override { return windows; }
  int Start(const std::string& program, const std::vector<std::string>& arguments, bool) override {
    started.emplace_back(program, arguments);
    return startResult;
  }
};

// Regression: only the program of an Exec line was started, so wrappers got the file alone.
TEST(ShellHelpers, ExecLineKeepsWrappersQuotesAndFieldCodes) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(ExecLineWords("env VAR=1 viewer %f"), (Words{"env", "VAR=1", "viewer", "%f"}));
  EXPECT_EQ(ExecLineWords(R"("/opt/a b/x" --t "say \"hi\"" "")"),
            (Words{"/opt/a b/x", "--t", "say \"hi\"", ""}));
  const std::string pdf = "/home/u/Quarnel Manual.pdf";
  EXPECT_EQ(ExecArguments(ExecLineWords("flatpak run org.x.Viewer %U"), pdf),
            (Words{"run", "org.x.Viewer", pdf}));
  EXPECT_EQ(ExecArguments(ExecLineWords("v --open=%f --pct=50%% %i %c"), pdf),
            (Words{"--open=" + pdf, "--pct=50%"}));
  EXPECT_EQ(ExecArguments(ExecLineWords("viewer --fullscreen"), pdf),
            (Words{"--fullscreen", pdf}));  // no file code: the file comes last
}

TEST(ShellHelpers, ProgramFromQuotedAndPlainCommands) {
  EXPECT_EQ(ProgramFromCommand("\"/opt/Tools/view er\" \"%1\""), "/opt/Tools/view er");
  EXPECT_EQ(ProgramFromCommand("/opt/Tools/view %1"), "/opt/Tools/view");
  EXPECT_EQ(ProgramFromCommand("/usr/bin/viewer"), "/usr/bin/viewer");  // no blank: all of it
  EXPECT_EQ(ProgramFromCommand(""), "");
  // The registry's "^" rule, shared with the settings value.
  EXPECT_EQ(CutAtCaret("abc ^xyz"), "abc");
}

TEST(ShellHelpers, OpenWithProgramCodesAndMessages) {
  FakeShell shell;
  PendingMessages messages;
  EXPECT_EQ(OpenWithProgram(shell, messages, "", "/doc", "Quarnel_Manual.pdf", 0), -1);
  EXPECT_EQ(messages.Text, "Quarnel_Manual.pdf\r\nUnknown path to open");
  EXPECT_TRUE(shell.started.empty());

  messages = {};
  shell.windows = {"Terminal", "quarnel_manual.PDF - Document Viewer"};
  EXPECT_EQ(OpenWithProgram(shell, messages, "/usr/bin/viewer", "/doc", "Quarnel_Manual.pdf", 1),
            -2);
  EXPECT_EQ(messages.Text, "Quarnel_Manual.pdf\r\nFile is already open");
  EXPECT_TRUE(shell.started.empty());

  // Without the check it starts; a path with blanks and shell characters stays one argument.
  messages = {};
  EXPECT_EQ(OpenWithProgram(shell, messages, "/usr/bin/viewer", "/my docs/$x;", "M.pdf", 0), 42);
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].first, "/usr/bin/viewer");
  EXPECT_EQ(shell.started[0].second, std::vector<std::string>{"/my docs/$x;/M.pdf"});
  EXPECT_TRUE(messages.Text.empty());

  shell.startResult = 2;
  EXPECT_EQ(OpenWithProgram(shell, messages, "/usr/bin/viewer", "/doc", "M.pdf", 0), 2);
  EXPECT_EQ(messages.Text, "\"/usr/bin/viewer\" /doc/M.pdf\r\nFailed to start (ERR:2)");
}

TEST(ShellHelpers, RunProgramModesAndErrorTexts) {
  FakeShell shell;
  PendingMessages messages;
  EXPECT_TRUE(RunProgram(shell, messages, "/usr/bin/browser", "https://x", 1));
  EXPECT_FALSE(RunProgram(shell, messages, "/usr/bin/browser", "https://x", 5));  // bad mode
  EXPECT_EQ(shell.started.size(), 1u);
  EXPECT_TRUE(messages.Text.empty());
  const std::pair<int, const char*> failures[] = {
      {2, "ERROR_FILE_NOT_FOUND"}, {3, "ERROR_PATH_NOT_FOUND"}, {11, "ERROR_BAD_FORMAT"}};
  for (const auto& [code, text] : failures) {
    messages = {};
    shell.startResult = code;
    EXPECT_FALSE(RunProgram(shell, messages, "/usr/bin/browser", "https://x", 0));
    EXPECT_EQ(messages.Text, text);
  }
  messages = {};
  shell.startResult = 5;  // other failures say nothing
  EXPECT_FALSE(RunProgram(shell, messages, "/usr/bin/browser", "https://x", 1));
  EXPECT_TRUE(messages.Text.empty());
}

TEST(ShellHelpers, AssociatedProgramIsEmptyWithoutAssociation) {
  FakeShell shell;
  shell.commands["pdf"] = "\"/opt/pdf viewer/bin/view\" --page 1";
  EXPECT_EQ(AssociatedProgram(shell, "pdf"), "/opt/pdf viewer/bin/view");
  EXPECT_EQ(AssociatedProgram(shell, "htm"), "");
}

}  // namespace
}  // namespace quarnel
