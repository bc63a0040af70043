// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// H(k) of the model: the packed HamK (diagonal D_i, R_ij above and I_ij below the diagonal) and
// the real symmetric matrix of twice the order that the Jacobi solver diagonalises.

#include <string>

#include "model/model_data.h"

namespace quarnel {

class JacobiSolver;

// Kinetic energy per k^2 for an effective mass of 1.
constexpr double kKineticConstant = 0.2378004871892364;

// k components in units where kd = 1 puts a partner one period away at the zone boundary.
struct KPoint {
  double k[4] = {};  // [1..3] for x, y, z

  double X() const { return k[1]; }
  double Y() const { return k[2]; }
  double Z() const { return k[3]; }
};

// kd = numerator_d / divisor; a divisor below 1 counts as 10.
KPoint KPointFromNumerators(int divisor, int nx, int ny, int nz);

// The label of one component, "kx=%4.2f" with the given name.
std::string KLabelText(const char* name, double value);

using HamMatrix = double[kMaxOrb + 1][kMaxOrb + 1];

// Pair i < j of form 1 (k factor per direction plus Beta2).
void ElementTyp1(const ModelData& model, int i, int j, const KPoint& kp, double& re, double& im);
// Pair i <= j of form 2 (plus and minus partners, spin-orbit terms).
void ElementTyp2(const ModelData& model, int i, int j, const KPoint& kp, double& re, double& im);

// Fills rows and columns 1..NOrb of HamK for the model's form; other entries stay.
void FillHamK(const ModelData& model, const KPoint& kp, HamMatrix& HamK);

// JacN := 2n and the four blocks of JacInput from the packed matrix.
void FillJacInput(const HamMatrix& HamK, int n, JacobiSolver& solver);

// Cell (column j, row i) of sgHamMat: "%8.3f" of HamK[i][j].
std::string HamMatCellText(const HamMatrix& HamK, int i, int j);

}  // namespace quarnel
