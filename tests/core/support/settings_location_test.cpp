// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/settings_location.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"

namespace quarnel {
namespace {

TEST(SettingsLocation, CaretRule) {
  EXPECT_EQ(CutAtCaret("/data/pen ^more text"), "/data/pen");
  EXPECT_EQ(CutAtCaret("^abc"), "^abc");  // at the first position it is kept
  EXPECT_EQ(CutAtCaret("/plain"), "/plain");
}

TEST(SettingsLocation, PrecedenceOfEnvironmentIniFileAndDefault) {
  testing::TempDir dir;
  const std::string ini = dir.Write("Pendrowe.ini",
                                    "; comment\r\n[Other]\r\nPendrowe=/wrong\r\n"
                                    "[directory]\r\n pendrowe = /from/ini \r\n");
  SettingsLocation loc = LocateSettings("/from/env ^x", ini, "/default");
  EXPECT_EQ(loc.BaseDir, "/from/env");
  EXPECT_EQ(loc.ProgramDir, "/from/env/Quarnel");
  EXPECT_EQ(loc.IniDir, "/from/env/Ini");

  EXPECT_EQ(LocateSettings("", ini, "/default").BaseDir, "/from/ini");
  EXPECT_EQ(LocateSettings("", dir.File("missing.ini"), "/default/").ProgramDir,
            "/default/Quarnel");
  // A settings file without the key keeps the default.
  const std::string empty = dir.Write("empty.ini", "[Directory]\n");
  EXPECT_EQ(LocateSettings("", empty, "/default").BaseDir, "/default");
}

TEST(SettingsLocation, ManualFromTheBaseFolderElseTheInstalledOne) {
  testing::TempDir base, installed;
  const std::string b = base.Path().string(), i = installed.Path().string();
  EXPECT_EQ(ManualFolder(b, i, "m.pdf"), b);  // neither: the message names the user's folder
  installed.Write("m.pdf", "%PDF");
  EXPECT_EQ(ManualFolder(b, i, "m.pdf"), i);
  base.Write("m.pdf", "%PDF");
  EXPECT_EQ(ManualFolder(b, i, "m.pdf"), b);
  EXPECT_EQ(ManualFolder(b, "", "other.pdf"), b);
}

}  // namespace
}  // namespace quarnel
