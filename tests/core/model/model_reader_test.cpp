// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/temp_dir.h"
#include "model/model_form.h"

namespace quarnel {
namespace {

using testing::TempDir;

class ModelReader : public ::testing::Test {
 protected:
  // Reads text as a file in the given form; returns the reader's result.
  int Read(const std::string& text, int betaTyp = 2) {
    m.BetaTyp = betaTyp;
    return ReadModelFile(m, messages, dir.Write(betaTyp == 1 ? "m.qre" : "m.qrg", text));
  }
  TempDir dir;
  ModelData m;
  PendingMessages messages;
};

TEST_F(ModelReader, HeaderOnlyFileHasNoOrbitalsAndNoMessage) {
  // The header looks like data but is never parsed.
  ASSERT_EQ(Read("_alfa s -1\r\n"), 0);
  EXPECT_EQ(m.HeaderText, "_alfa s -1");
  EXPECT_EQ(m.NOrb, 0);
  EXPECT_TRUE(messages.Text.empty());
  EXPECT_EQ(m.ModelFileName, dir.File("m.qrg"));
}

TEST_F(ModelReader, OrbitalLinePositionsKeysAndShortLines) {
  ASSERT_EQ(Read("h\n"
                 "_alfa s -1 2 0.5 0.5 0 0 0 1\n"                      // positional
                 "_alfa p 3\n"                                         // short line
                 "_alfa d -2 toy=2 tok=4 mef=1/4 bepz=-0,5 tox= 3 bepx=0 bepy=0\n"  // keys anywhere
                 "_alfa f -1 tok=x extra words after ten 1 2 3 4 5\n"),
            0);
  ASSERT_EQ(m.NOrb, 4);
  EXPECT_EQ(m.OrbName[1], "s");
  EXPECT_EQ(m.OrbPlotKind[1], 2);
  EXPECT_EQ(m.OrbPlotX[1], 0.5);
  EXPECT_EQ(m.OrbPlotY[1], 0.5);
  EXPECT_EQ(m.EffMass[1], 1);
  // Missing words are empty values: shape 0, not the default 1; positive energy negated.
  EXPECT_EQ(m.Alpha(2), -3);
  EXPECT_EQ(m.OrbPlotKind[2], 0);
  EXPECT_EQ(m.EffMass[2], 0);
  EXPECT_EQ(m.OrbPlotY[3], 2);
  EXPECT_EQ(m.OrbPlotKind[3], 4);
  EXPECT_EQ(m.EffMass[3], 0.25);
  EXPECT_EQ(m.BetaPlus[3][3][3], -0.5);
  EXPECT_EQ(m.BetaMinus[3][3][3], -0.5);  // own image copied to the minus side
  EXPECT_EQ(m.OrbPlotX[3], 3);            // "= " joined to its key
  EXPECT_EQ(m.OrbPlotKind[4], 0);         // not a number
  EXPECT_TRUE(messages.Text.empty());
}

TEST_F(ModelReader, DecimalCommaArithmeticAndRepeatedOrbitalLines) {
  ASSERT_EQ(Read("h\n_alfa s -1,5\n_alfa p 1/3\n_alfa s -2\n_alfa s -4 tok=3\n"), 0);
  ASSERT_EQ(m.NOrb, 2);
  EXPECT_EQ(m.Alpha(1), -4);  // later lines for s overwrite
  EXPECT_EQ(m.OrbPlotKind[1], 3);
  EXPECT_DOUBLE_EQ(m.Alpha(2), -1.0 / 3);
  // Each repetition is named with its line and the orbital's first line; a name first met on a
  // pair line has no orbital line to repeat.
  for (const char* line :
       {"\nLine 4: orbital name s repeated from line 2", "\nLine 5: orbital name s"})
    EXPECT_NE(messages.Text.find(line), std::string::npos) << messages.Text;
  messages.Text.clear();
  ASSERT_EQ(Read("h\n_beta a b (ka) bepx=-1\n_alfa a -1\n"), 0);
  EXPECT_EQ(messages.Text, "");
}

TEST_F(ModelReader, FileWithoutModelLinesSaysSo) {
  ASSERT_EQ(Read(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\n", 17)), 0);
  EXPECT_EQ(messages.Text.rfind("Reading errors: \r\n" + dir.File("m.qrg") + ": no model line", 0),
            0u)
      << messages.Text;
}

TEST_F(ModelReader, UnknownKeywordsAndEmptyLinesAreSkippedSilently) {
  ASSERT_EQ(Read("h\n\n# comment\n_ALFA x 1\nalfa y 1\n\t _alfa   s\t-1  \n"), 0);
  ASSERT_EQ(m.NOrb, 1);
  EXPECT_EQ(m.OrbName[1], "s");
  EXPECT_TRUE(messages.Text.empty());
}

TEST_F(ModelReader, SeventeenthOrbitalIsReportedAndSkipped) {
  std::string text = "h\r\n";
  for (int k = 1; k <= 17; ++k) text += "_alfa o" + std::to_string(k) + " -1\r\n";
  ASSERT_EQ(Read(text), 0);
  EXPECT_EQ(m.NOrb, 16);
  EXPECT_EQ(m.OrbName[16], "o16");
  EXPECT_EQ(messages.Text, "Reading errors: \r\nLine 18: _alfa o17 -1\r\n");
}

TEST_F(ModelReader, DirectionTags) {
  ASSERT_EQ(Read("h\n_alfa a -1\n_alfa b -1\n"
                 "_beta a b (ka) 0 -1\n_beta a b (ka 0 -2\n_beta a b (kab -3 -2\n"
                 "_beta a b (kc) 0 -4\n_beta a b (kd) 0 -5\n_beta a b\n"),
            0);
  EXPECT_EQ(m.BetaPlus[1][2][1], -2);
  EXPECT_EQ(m.BetaMinus[1][2][1], -3);
  EXPECT_EQ(m.BetaPlus[1][2][2], 0);
  EXPECT_EQ(m.BetaPlus[1][2][3], -4);
  EXPECT_EQ(messages.Text,
            "Reading errors: \r\nLine 8: _beta a b (kd) 0 -5\r\n\r\nLine 9: _beta a b\r\n");
}

TEST_F(ModelReader, Form2PairKeysTakeTheirOwnTargetsAndDirections) {
  ASSERT_EQ(Read("h\n_alfa a -1\n_alfa b -1\n"
                 "_beta a b (kb) soiy=0.3 -1 -0.5 0.25 sory=0.1 ignored\n"
                 "_beta a b (ka) bepz=-7\n"),
            0);
  EXPECT_EQ(m.SocIm[1][2][2], 0.3);      // keyed word in the minus-hopping position
  EXPECT_EQ(m.BetaMinus[1][2][2], 0);    // so that position's own target is never read
  EXPECT_EQ(m.BetaPlus[1][2][2], -1);    // plain words keep their position's key
  EXPECT_EQ(m.BetaPos[1][2][2], 0.5);    // -0.5 reduced into [0, 1)
  EXPECT_EQ(m.BetaPosMinus[1][2][2], -0.5);
  EXPECT_EQ(m.SocRe[1][2][2], 0.1);      // a later key overwrites the positional value
  EXPECT_EQ(m.BetaPlus[1][2][3], -7);    // the key's letter, not the tag, gives the direction
  EXPECT_EQ(m.BetaMinus[1][2][1], 0);    // the rest of that short line: empty values
}

TEST_F(ModelReader, PairLineAddsNewOrbitalsAndRollsBackWhenFull) {
  std::string text = "h\n_beta a b (ka) -1\n_beta n n (kb) -1\n";
  for (int k = 1; k <= 12; ++k) text += "_alfa o" + std::to_string(k) + " -1\n";
  text += "_beta new1 new2 (ka) -1\n";  // one slot left: new1 fits, new2 does not
  text += "_beta o1 o2 (ka) -1\n";
  ASSERT_EQ(Read(text), 0);
  EXPECT_EQ(m.NOrb, 15);
  EXPECT_EQ(m.OrbName[1], "a");
  EXPECT_EQ(m.OrbName[2], "b");
  EXPECT_EQ(m.OrbName[3], "n");  // named twice on one line, added once
  EXPECT_EQ(m.OrbName[4], "o1");
  EXPECT_EQ(FindOrbital(m, "new1"), 0);  // dropped again with the refused line
  EXPECT_EQ(m.BetaMinus[4][5][1], -1);
  EXPECT_NE(messages.Text.find("Line 16: _beta new1 new2 (ka) -1\r\n"), std::string::npos);
}

TEST_F(ModelReader, OpenedFileIsReadInTheFormOfItsExtension) {
  const std::string pair = "h\n_alfa a -1\n_alfa b -1\n_beta a b (ka) -1 1 0\n";
  ASSERT_EQ(ReadModelFileInItsForm(m, messages, dir.Write("dimer.QRE", pair)), 0);
  EXPECT_EQ(m.BetaTyp, 1);
  EXPECT_EQ(m.OverlapType[1][2][1], 1);  // a selector, not a hopping of +1
  // A failed open keeps the form, as it keeps the model.
  EXPECT_NE(ReadModelFileInItsForm(m, messages, dir.File("gone.qrg")), 0);
  EXPECT_EQ(m.BetaTyp, 1);
}

TEST_F(ModelReader, LowerTrianglePairHasNoEffect) {
  ASSERT_EQ(Read("h\n_alfa a -1\n_alfa b -1\n_alfa c -1\n_beta c a (ka) 1 1 0\n"), 0);
  EXPECT_EQ(m.BetaMinus[3][1][1], 1);  // stored as given, never normalised or used
  EXPECT_EQ(m.BetaPlus[1][3][1], 0);
}

TEST_F(ModelReader, Form1FileReadInForm2AndForm1Layout) {
  const std::string qre = "h\n_alfa a -1\n_alfa b -1\n_beta a b (ka) 1.5 3 0.2\n";
  ASSERT_EQ(Read(qre, 2), 0);
  EXPECT_EQ(m.BetaMinus[1][2][1], 1.5);
  EXPECT_EQ(m.BetaPlus[1][2][1], 3);
  EXPECT_EQ(m.BetaPos[1][2][1], 0.2);
  EXPECT_TRUE(messages.Text.empty());

  ModelData fresh;
  m = fresh;
  ASSERT_EQ(Read(qre, 1), 0);
  EXPECT_EQ(m.Beta[1][2][1], -1.5);  // sign rule of form 1
  EXPECT_EQ(m.OverlapType[1][2][1], 3);
  EXPECT_EQ(m.Beta2[1][2][1], -0.2);
  EXPECT_EQ(m.BetaMinus[1][2][1], 0);
}

TEST_F(ModelReader, OverflowingAndNonFiniteNumbersReadAsZero) {
  ASSERT_EQ(Read("h\n_alfa a 1e999 tox=nan toy=inf mef=1e308*10\n"), 0);
  EXPECT_EQ(m.Alpha(1), 0);
  EXPECT_EQ(m.OrbPlotX[1], 0);
  EXPECT_EQ(m.OrbPlotY[1], 0);
  EXPECT_EQ(m.EffMass[1], 0);
}

TEST_F(ModelReader, NamelessOrbitalLineIsReported) {
  ASSERT_EQ(Read("h\n_alfa\n"), 0);
  EXPECT_EQ(m.NOrb, 0);
  EXPECT_EQ(messages.Text, "Reading errors: \r\nLine 2: _alfa\r\n");
}

// Found by fuzzing: the orbital of "_alfa soiz=" was saved as "_alfa  soiz=   0.000 tok= 1 ..."
// and read back as the orbital "soiz=0.000" with the shape index in place of the energy.
TEST_F(ModelReader, NameEndingInEqualsSignIsReported) {
  ASSERT_EQ(Read("h\n_alfa soiz=\n_alfa s -1\n"), 0);
  ASSERT_EQ(m.NOrb, 1);
  EXPECT_EQ(m.OrbName[1], "s");
  EXPECT_EQ(messages.Text, "Reading errors: \r\nLine 2: _alfa soiz=\r\n");
}

TEST_F(ModelReader, MissingFileKeepsThePreviousModel) {
  ASSERT_EQ(Read("h\n_alfa a -1\n"), 0);
  const int result = ReadModelFile(m, messages, dir.File("gone.qrg"));
  EXPECT_EQ(result, -1);
  EXPECT_EQ(m.NOrb, 1);
  EXPECT_EQ(m.ModelFileName, dir.File("m.qrg"));
  EXPECT_EQ(messages.Text, dir.File("gone.qrg") + ": not found");
}

TEST_F(ModelReader, FolderInsteadOfFileIsAnAccessError) {
  const int result = ReadModelFile(m, messages, dir.Path().string());
  EXPECT_GT(result, 0);
  EXPECT_EQ(messages.Text, dir.Path().string() + ": File access error #" + std::to_string(result) +
                               ": " + std::strerror(result));
}

TEST_F(ModelReader, EarlierMessagesShareTheReadingErrorsBox) {
  AddPendingMessage(messages, "x.qrg: File access error #13");
  ASSERT_EQ(Read("h\n"), 0);
  EXPECT_EQ(messages.Text, "Reading errors: \r\nx.qrg: File access error #13");
}

TEST_F(ModelReader, BinaryGarbageAndLongLinesDoNotStopTheReader) {
  std::string text = "h\n";
  text += std::string(100000, 'x') + "\n";
  text += std::string("\0\x01\xff\xfe _alfa", 10) + "\n";
  text += "_alfa \xc3\xa9t\xe9 -1\n";  // names are bytes, kept as read
  ASSERT_EQ(Read(text), 0);
  ASSERT_EQ(m.NOrb, 1);
  EXPECT_EQ(m.OrbName[1], "\xc3\xa9t\xe9");
}

}  // namespace
}  // namespace quarnel
