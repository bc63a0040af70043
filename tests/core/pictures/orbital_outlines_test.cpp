// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/orbital_outlines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace quarnel {
namespace {

const double kPi = std::acos(-1.0);

class Outlines : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shapes_ = std::make_unique<OrbitalShapes>();
    BuildOrbitalShapes(*shapes_);
  }
  static double Radius(int kind, int p, int lobe) {
    return std::hypot(shapes_->OrbShapeX[kind][p][lobe], shapes_->OrbShapeY[kind][p][lobe]);
  }
  static std::unique_ptr<OrbitalShapes> shapes_;
};
std::unique_ptr<OrbitalShapes> Outlines::shapes_;

TEST_F(Outlines, EveryKindKeepsItsSampleCount) {
  for (int kind = 1; kind <= kOrbKinds; ++kind)
    EXPECT_EQ(shapes_->Count(kind, 1) + shapes_->Count(kind, 2), OrbShapePoints[kind]) << kind;
  EXPECT_EQ(OrbShapePoints[1], 100);
  EXPECT_EQ(OrbShapePoints[2], 200);
  EXPECT_EQ(OrbShapePoints[11], 300);
}

TEST_F(Outlines, SIsAClosedCircleOfRadiusOneOverFourPi) {
  ASSERT_EQ(shapes_->Count(1, 1), 100);
  EXPECT_EQ(shapes_->Count(1, 2), 0);
  for (int p = 1; p <= 100; ++p) EXPECT_NEAR(Radius(1, p, 1), 1 / (4 * kPi), 1e-12);
  // The last point returns to the first.
  EXPECT_NEAR(shapes_->OrbShapeX[1][100][1], shapes_->OrbShapeX[1][1][1], 1e-12);
  EXPECT_NEAR(shapes_->OrbShapeY[1][100][1], shapes_->OrbShapeY[1][1][1], 1e-12);
}

TEST_F(Outlines, PxIsSplitByTheSignOfX) {
  const int n1 = shapes_->Count(2, 1), n2 = shapes_->Count(2, 2);
  EXPECT_EQ(n1 + n2, 200);
  EXPECT_GT(n1, 90);
  EXPECT_GT(n2, 90);
  for (int p = 1; p <= n1; ++p) EXPECT_GE(shapes_->OrbShapeX[2][p][1], -1e-12);
  for (int p = 1; p <= n2; ++p) EXPECT_LE(shapes_->OrbShapeX[2][p][2], 1e-12);
  // The lobe's tip lies on the x axis at Np^2 = 3 / (4 pi).
  EXPECT_NEAR(shapes_->OrbShapeX[2][1][1], 3 / (4 * kPi), 1e-12);
  // py is px turned by 90 degrees: its positive lobe lies along +y.
  for (int p = 1; p <= shapes_->Count(3, 1); ++p) EXPECT_GE(shapes_->OrbShapeY[3][p][1], -1e-12);
}

TEST_F(Outlines, Dz2IsANegativeCircleInThePlane) {
  EXPECT_EQ(shapes_->Count(11, 1), 0);
  ASSERT_EQ(shapes_->Count(11, 2), 300);
  for (int p = 1; p <= 300; ++p) EXPECT_NEAR(Radius(11, p, 2), 5 / (16 * kPi), 1e-12);
}

TEST_F(Outlines, OutOfPlaneShapesCollapseToTheCentre) {
  for (int kind : {8, 9, 10}) {
    EXPECT_EQ(shapes_->Count(kind, 1), OrbShapePoints[kind]) << kind;
    for (int p = 1; p <= shapes_->Count(kind, 1); ++p) EXPECT_NEAR(Radius(kind, p, 1), 0, 1e-12);
  }
}

TEST_F(Outlines, DxyLobesAlternateByQuadrant) {
  const int n1 = shapes_->Count(4, 1), n2 = shapes_->Count(4, 2);
  EXPECT_EQ(n1 + n2, 300);
  bool q1 = false, q3 = false, q2 = false, q4 = false;
  for (int p = 1; p <= n1; ++p) {
    const double x = shapes_->OrbShapeX[4][p][1], y = shapes_->OrbShapeY[4][p][1];
    EXPECT_GE(x * y, -1e-15);
    q1 = q1 || (x > 1e-3 && y > 1e-3);
    q3 = q3 || (x < -1e-3 && y < -1e-3);
  }
  for (int p = 1; p <= n2; ++p) {
    const double x = shapes_->OrbShapeX[4][p][2], y = shapes_->OrbShapeY[4][p][2];
    EXPECT_LE(x * y, 1e-15);
    q2 = q2 || (x < -1e-3 && y > 1e-3);
    q4 = q4 || (x > 1e-3 && y < -1e-3);
  }
  EXPECT_TRUE(q1 && q2 && q3 && q4);
  // dx2-y2 is the same shape turned by 45 degrees: positive along the axes.
  EXPECT_NEAR(shapes_->OrbShapeX[5][1][1], NormD() * NormD(), 1e-12);
}

TEST_F(Outlines, Dx2AndDy2LieAlongTheirAxes) {
  // 3cos^2 - 1 is 2 along the axis: radius 4 Nz^2 = 5 / (4 pi) at phi = 0 for dx2.
  EXPECT_NEAR(shapes_->OrbShapeX[6][1][1], 5 / (4 * kPi), 1e-12);
  double reachY = 0;
  for (int p = 1; p <= shapes_->Count(7, 1); ++p)
    reachY = std::max(reachY, std::fabs(shapes_->OrbShapeY[7][p][1]));
  EXPECT_NEAR(reachY, 5 / (4 * kPi), 1e-4);
}

TEST_F(Outlines, KindsOutsideTheTablesHaveNoPoints) {
  for (int kind : {0, -1, 12, 1000}) {
    EXPECT_EQ(shapes_->Count(kind, 1), 0) << kind;
    EXPECT_EQ(shapes_->Count(kind, 2), 0) << kind;
    EXPECT_EQ(AngularValue(kind, 90, 30).value, 0.0);
  }
  EXPECT_EQ(shapes_->Count(1, 3), 0);
}

TEST(AngularValue, KeepsTheSignWhileTheRadiusIsSquared) {
  const AngularPoint a = AngularValue(2, 90, 180);  // px towards -x
  EXPECT_NEAR(a.value, -NormP(), 1e-12);
  EXPECT_NEAR(a.x, -NormP() * NormP(), 1e-12);
  EXPECT_NEAR(a.y, 0, 1e-12);
  const AngularPoint z = AngularValue(8, 0, 0);  // pz along +z
  EXPECT_NEAR(z.z, NormP() * NormP(), 1e-12);
}

}  // namespace
}  // namespace quarnel
