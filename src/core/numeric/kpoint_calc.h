// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One k point: H(k) into the solver, then the diagonalisation with rotation budgets. The eigen
// results stay in the solver (EigVal, EigVecRe/Im/Sq, EigIdx, EigKeep, JacIter, LastAngle).

#include "model/model_data.h"
#include "numeric/hamiltonian.h"
#include "numeric/jacobi_solver.h"
#include "numeric/run_model.h"

namespace quarnel {

constexpr int kFirstBudget = 50;
constexpr int kNextBudget = 25;
constexpr double kAngleConverged = 1e-20;
// Off-diagonal elements this small against the largest diagonal element can no longer be
// reduced: at equal diagonal elements the fixed denominator 1.0 repeats the same rotation.
constexpr double kNegligibleOffDiagonal = 1e-14;

// Fills HamK, JacN and JacInput and resets the solver; nothing when the model has no orbitals.
void SpoctiKpoint(const RunModel& model, const KPoint& kp, HamMatrix& HamK, JacobiSolver& solver);

// True when another budget cannot improve the result: the last angle is at most 1e-20 (or not a
// number), no pivot is left, or the off-diagonal part is negligible.
bool JacobiConverged(const JacobiSolver& solver, double lastAngle);

// Reset, a budget of 50, then budgets of 25 until converged (at most 100 JacN^2 rotations), then
// the eigen results, on whatever JacInput holds. Returns the last angle.
double SolveToConvergence(JacobiSolver& solver);

// The same for the model's k point (JacInput from SpoctiKpoint): reset, a budget of 50, then
// budgets of 25 until converged (at most 100 JacN^2 rotations), then the eigen results. Returns the
// last angle; 0 when the model has no orbitals.
double SpoctiEigen(const RunModel& model, JacobiSolver& solver);

// SpoctiKpoint followed by SpoctiEigen.
double CalcKpoint(const RunModel& model, const KPoint& kp, HamMatrix& HamK, JacobiSolver& solver);

}  // namespace quarnel
