// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/eigen_texts.h"

#include <gtest/gtest.h>

#include "numeric/jacobi_solver.h"

namespace quarnel {
namespace {

TEST(EigenTexts, CoefficientFormats) {
  EXPECT_EQ(CoefficientText(true, 0.25, 0, 0), "  0.250000");
  EXPECT_EQ(CoefficientText(false, 0, 0.5, 0.25), "  0.500000 +0.250000*I");
  EXPECT_EQ(CoefficientText(false, 0, -0.5, -0.25), " -0.500000 -0.250000*I");
  EXPECT_EQ(EigenValueText(-3), "-3.000000");
  EXPECT_EQ(AngleText(0, 0), " 0.000000/0");
}

TEST(EigenTexts, SumsFlagWhatIsNotOne) {
  EXPECT_EQ(SumText(true, 1.00005, 0, 0), "SUM=1.000050");
  EXPECT_EQ(SumText(true, 1.0002, 0, 0), "SUM=1.000200 !!!");
  EXPECT_EQ(SumText(true, 0.5, 0, 0), "SUM=0.500000 !!!");
  EXPECT_EQ(SumText(false, 0.5, 1, -0.25), "SR=1.000000 SI=-0.250000");
}

TEST(EigenTexts, GridHasRowAndColumnSums) {
  JacobiSolver s;
  s.EigVal[1] = 1;
  s.EigVal[2] = -1;
  // Two bands, each an equal mixture: rows and columns sum to 1.
  for (int m = 1; m <= 2; ++m)
    for (int j = 1; j <= 2; ++j) {
      s.EigVecSq[m][j] = 0.5;
      s.EigVecRe[m][j] = (m == 2 && j == 2) ? -0.707107 : 0.707107;
    }
  EigenGridTexts t;
  FillEigenGridTexts(s, 2, true, t);
  EXPECT_EQ(t.cell[1][0], " 1.000000");
  EXPECT_EQ(t.cell[2][0], "-1.000000");
  EXPECT_EQ(t.cell[1][3], "SUM=1.000000");
  EXPECT_EQ(t.cell[3][1], "SUM=1.000000");
  EXPECT_EQ(t.cell[3][0], "");
  FillEigenGridTexts(s, 2, false, t);
  EXPECT_EQ(t.cell[3][2], "SR=0.000000 SI=0.000000");
}

}  // namespace
}  // namespace quarnel
