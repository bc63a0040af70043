// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/kpoint_calc.h"

#include <cmath>

namespace quarnel {

void SpoctiKpoint(const RunModel& model, const KPoint& kp, HamMatrix& HamK, JacobiSolver& solver) {
  if (model.Orbitals() <= 0) return;
  model.FillHamK(kp, HamK);
  FillJacInput(HamK, model.Orbitals(), solver);
  solver.Reset();
  if (solver.JacVerbose && solver.Display) solver.Display->ShowInput(solver);
}

bool JacobiConverged(const JacobiSolver& solver, double lastAngle) {
  if (!(lastAngle > kAngleConverged)) return true;
  if (solver.PivotP() == 0) return true;
  return solver.MaxOffDiagonal() <= kNegligibleOffDiagonal * solver.MaxDiagonal();
}

namespace {

// The budgets after the reset; freshReset: the solver was reset on JacInput just before, and
// another reset would only copy the same matrix again.
double SolveBudgets(JacobiSolver& solver, bool freshReset) {
  if (solver.JacN <= 0 || solver.JacN > kJacMax) return 0;
  // Budgets are kept as units so that the angle and rotation count mean what they always
  // meant; only their number grows with the order of the matrix.
  const long cap = 100L * solver.JacN * solver.JacN;
  const bool verbose = solver.JacVerbose;
  solver.JacVerbose = false;  // nothing is painted before the end: show the finished state once
  if (!freshReset) solver.Reset();
  const bool zeroing = solver.ZeroStalledPivots;
  solver.ZeroStalledPivots = true;
  double r = solver.Rotate(kFirstBudget);
  while (!JacobiConverged(solver, r) && solver.JacIter < cap) r = solver.Rotate(kNextBudget);
  solver.ZeroStalledPivots = zeroing;
  solver.FinishRotations();
  solver.Extract();
  solver.JacVerbose = verbose;
  solver.ShowLastRotation();
  if (verbose && solver.Display) solver.Display->ShowState(solver);
  return r;
}

}  // namespace

double SolveToConvergence(JacobiSolver& solver) {
  return SolveBudgets(solver, false);
}

double SpoctiEigen(const RunModel& model, JacobiSolver& solver) {
  if (model.Orbitals() <= 0) return 0;
  return SolveToConvergence(solver);
}

double CalcKpoint(const RunModel& model, const KPoint& kp, HamMatrix& HamK, JacobiSolver& solver) {
  if (model.Orbitals() <= 0) return 0;
  SpoctiKpoint(model, kp, HamK, solver);
  return SolveBudgets(solver, true);
}

}  // namespace quarnel
