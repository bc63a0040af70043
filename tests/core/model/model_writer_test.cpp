// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/temp_dir.h"
#include "model/model_reader.h"

namespace quarnel {
namespace {

using testing::TempDir;

ModelData TwoOrbitals(int betaTyp) {
  ModelData m;
  m.BetaTyp = betaTyp;
  m.NOrb = 2;
  m.HeaderText = "two orbitals";
  m.OrbName[1] = "s";
  m.OrbName[2] = "px_long";
  m.OrbPlotKind[1] = 1;
  m.OrbPlotKind[2] = 2;
  return m;
}

TEST(ModelWriter, ExactLinesOfBothForms) {
  ModelData m = TwoOrbitals(2);
  m.Alpha(1) = -1.23456;
  m.OrbPlotX[2] = 0.5;
  m.BetaPlus[1][1][1] = -1;
  m.EffMass[1] = 1;
  m.BetaMinus[1][2][2] = -0.5;
  m.BetaPos[1][2][2] = 0.25;
  m.SocIm[1][2][2] = 0.125;
  EXPECT_EQ(FormatModelFile(m),
            "two orbitals\r\n"
            "_alfa      s  -1.235  tok= 1 tox=0.000 toy=0.000 bepx= -1.000 bepy=  0.000"
            " bepz=  0.000 mef=1.000\r\n"
            "_alfa px_long   0.000  tok= 2 tox=0.500 toy=0.000 bepx=  0.000 bepy=  0.000"
            " bepz=  0.000 mef=0.000\r\n"
            "_beta      s px_long (kb) bemy= -0.500 bepy=  0.000 dsty=0.250 sory= 0.000"
            " soiy= 0.125 \r\n");

  m.BetaTyp = 1;
  m.Beta[1][2][1] = -1;  // selector 0: not saved
  m.Beta[1][2][3] = -1;
  m.OverlapType[1][2][3] = 4;
  m.Beta2[1][2][2] = -0.1;  // a k-independent term alone is saved
  const std::string text = FormatModelFile(m);
  EXPECT_EQ(text.substr(text.find("_beta")),
            "_beta      s px_long (kb)   0.000 0  -0.100 \r\n"
            "_beta      s px_long (kc)  -1.000 4   0.000 \r\n");
}

TEST(ModelWriter, WhichForm2PairsAreWritten) {
  ModelData m = TwoOrbitals(2);
  m.BetaPos[1][2][1] = 0.5;  // a position alone carries nothing
  EXPECT_EQ(FormatModelFile(m).find("_beta"), std::string::npos);
  m.SocIm[1][2][1] = 0.2;  // spin-orbit alone does
  EXPECT_NE(FormatModelFile(m).find("_beta      s px_long (ka)"), std::string::npos);
}

TEST(ModelWriter, NoCouplingsGiveHeaderAndOrbitalLinesOnly) {
  const std::string text = FormatModelFile(TwoOrbitals(2));
  size_t lines = 0;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 3u);
}

TEST(ModelWriter, UnnamedOrbitalsReadBack) {
  // The model at start has three orbitals without names; saving it must give a readable file.
  ModelData m;
  ClearModel(m);
  m.BetaPlus[1][3][1] = -1;
  TempDir dir;
  PendingMessages messages;
  ASSERT_EQ(WriteModelFile(m, messages, dir.File("new.qrg")), 0);
  ModelData back;
  ASSERT_EQ(ReadModelFile(back, messages, dir.File("new.qrg")), 0);
  EXPECT_TRUE(messages.Text.empty()) << messages.Text;
  ASSERT_EQ(back.NOrb, 3);
  EXPECT_EQ(back.OrbName[1], "orb1");
  EXPECT_EQ(back.OrbName[3], "orb3");
  EXPECT_EQ(back.BetaPlus[1][3][1], -1);
}

TEST(ModelWriter, WriteReadWriteIsByteIdentical) {
  for (int form = 1; form <= 2; ++form) {
    ModelData m = TwoOrbitals(form);
    m.NOrb = 3;
    m.OrbName[3] = "d";
    m.Alpha(3) = -1.0 / 3;
    m.OrbPlotY[3] = 2.0 / 3;
    m.EffMass[3] = 0.7;
    m.BetaPlus[3][3][3] = -0.2;
    m.Beta[1][3][2] = -1.0 / 7;
    m.OverlapType[1][3][2] = 2;
    m.BetaPlus[2][3][1] = -0.0004;  // rounds to zero, still a line
    m.BetaPos[2][3][1] = 0.3333;
    m.SocRe[1][2][3] = 1e-9;
    m.FillElectrons = 4.5;
    m.FillSpin = 1;
    TempDir dir;
    PendingMessages messages;
    const std::string first = dir.File("a"), second = dir.File("b");
    ASSERT_EQ(WriteModelFile(m, messages, first), 0);
    ModelData back;
    back.BetaTyp = form;
    ASSERT_EQ(ReadModelFile(back, messages, first), 0);
    EXPECT_NEAR(back.Alpha(3), -0.333, 1e-12);  // three decimals
    EXPECT_EQ(back.FillElectrons, 4.5);
    EXPECT_EQ(back.FillSpin, 1);
    EXPECT_NE(TempDir::Read(first).find("_fill electrons=4.5 spin=1\r\n"), std::string::npos);
    ASSERT_EQ(WriteModelFile(back, messages, second), 0);
    EXPECT_EQ(TempDir::Read(first), TempDir::Read(second)) << "form " << form;
    EXPECT_EQ(back.ModelFileName, second);
    EXPECT_TRUE(messages.Text.empty()) << messages.Text;
  }
}

TEST(ModelWriter, FillingLineOnlyWhenSetAndReadTolerantly) {
  ModelData m = TwoOrbitals(2);
  EXPECT_EQ(FormatModelFile(m).find("_fill"), std::string::npos);
  TempDir dir;
  PendingMessages messages;
  ASSERT_EQ(ReadModelFile(m, messages,
                          dir.Write("f.qrg", "h\r\n_alfa s -1\r\n_fill spin=1 electrons=2,5\r\n")),
            0);
  EXPECT_EQ(m.FillElectrons, 2.5);
  EXPECT_EQ(m.FillSpin, 1);
  // A spin of 3 is no filling: the line is reported and the filling stays unset.
  ASSERT_EQ(ReadModelFile(m, messages,
                          dir.Write("g.qrg", "h\r\n_alfa s -1\r\n_fill electrons=1+1 spin=3\r\n")),
            0);
  EXPECT_EQ(m.FillElectrons, 0);
  EXPECT_NE(messages.Text.find("Line 3"), std::string::npos);
}

TEST(ModelWriter, FailedSaveKeepsThePreviousFileAndSaysWhy) {
  TempDir dir;
  PendingMessages messages;
  ModelData m = TwoOrbitals(2);
  m.ModelFileName = "before.qrg";
  // A regular file used as a folder cannot take the temporary file.
  const std::string blocker = dir.Write("blocker", "keep me");
  const std::string target = blocker + "/model.qrg";
  const int code = WriteModelFile(m, messages, target);
  EXPECT_GT(code, 0);
  EXPECT_EQ(messages.Text,
            target + ": File access error #" + std::to_string(code) + ": " + std::strerror(code));
  EXPECT_EQ(m.ModelFileName, "before.qrg");
  EXPECT_EQ(TempDir::Read(blocker), "keep me");
}

TEST(ModelWriter, SaveReplacesTheTargetWithoutLeftovers) {
  TempDir dir;
  PendingMessages messages;
  const std::string target = dir.Write("m.qrg", "old contents");
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ModelData m = TwoOrbitals(2);
  ASSERT_EQ(WriteModelFile(m, messages, target), 0);
  EXPECT_EQ(TempDir::Read(target), FormatModelFile(m));
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(ModelWriter, SaveThroughASymbolicLinkKeepsTheLink) {
  TempDir dir;
  PendingMessages messages;
  const std::string real = dir.Write("real.qrg", "old");
  const std::string link = dir.File("link.qrg");
  std::filesystem::create_symlink(real, link);
  ModelData m = TwoOrbitals(2);
  ASSERT_EQ(WriteModelFile(m, messages, link), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDir::Read(real), FormatModelFile(m));
}

}  // namespace
}  // namespace quarnel
